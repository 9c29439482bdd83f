#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "ledger_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  char* folder = getcwd(nullptr, 0);
  const std::string workingDirectory = folder != nullptr ? folder : ".";
  free(folder);
  return torvane::RunLedgerTool(arguments, workingDirectory, std::cout, std::cerr);
}
