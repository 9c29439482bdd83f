#include "link/line_assembler.h"

#include <gtest/gtest.h>

#include <vector>

namespace torvane {
namespace {

TEST(LineAssemblerTest, CutsLinesAtCarriageReturn) {
  const std::string x127(127, 'x');
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"one answer", "1234\r", {"1234\r\n"}},
      {"two answers at once", "A\rB\r", {"A\r\n", "B\r\n"}},
      {"CR LF ending", "AB\r\nCD\r", {"AB\r\n", "\nCD\r\n"}},
      {"empty line", "\r", {"\r\n"}},
      {"NUL kept", std::string("A\0B\r", 4), {std::string("A\0B\r\n", 5)}},
      {"no CR yet", "ACK", {}},
      {"longest line", x127 + "\r", {x127 + "\r\n"}},
      {"one too long", x127 + "y\r", {x127 + "\r\n"}},
      {"overflow dropped up to its CR",
       x127 + std::string(300, 'z') + "\rOK\r",
       {x127 + "\r\n", "OK\r\n"}},
  };
  for (const Case& c : cases) {
    LineAssembler assembler;
    std::vector<std::string> lines;
    for (const char byte : c.bytes) {
      if (auto line = assembler.Accept(byte)) lines.push_back(*line);
    }
    EXPECT_EQ(lines, c.lines) << c.name;
  }
}

}  // namespace
}  // namespace torvane
