// torvane-reader-sim: a transponder reader on a pseudo-terminal.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "console_commands.h"
#include "reader_simulator.h"

namespace {

using torvane::sim::CommandLine;
using torvane::sim::ConsoleCommands;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// A console line longer than this is noise, not a command.
constexpr std::size_t kMaxConsoleLine = 4096;

void Say(const std::string& text) {
  if (text.empty()) return;
  std::cout << text << '\n' << std::flush;
}

// INT and TERM are taken as events from a descriptor instead of by a handler,
// so that ending the program runs the ordinary clean-up (the link goes away).
int BlockTerminationSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
  return ::signalfd(-1, &signals, SFD_CLOEXEC);
}

// Runs console commands from standard input until "quit", a signal, or, when
// standard input ends, a signal alone.
void Converse(ConsoleCommands& console, int signalFd) {
  std::string pending;
  bool inputOpen = true;
  while (!console.quitRequested()) {
    pollfd fds[2] = {{signalFd, POLLIN, 0}, {inputOpen ? STDIN_FILENO : -1, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[0].revents != 0) return;
    if (fds[1].revents == 0) continue;
    char buffer[512];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      inputOpen = false;
      continue;
    }
    pending.append(buffer, static_cast<std::size_t>(n));
    for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      Say(console.Execute(pending.substr(0, end)));
      pending.erase(0, end + 1);
    }
    if (pending.size() > kMaxConsoleLine) pending.clear();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed =
      torvane::sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok()) {
    std::cerr << "torvane-reader-sim: " << parsed.error
              << "\nTry 'torvane-reader-sim --help' for the options.\n";
    return kExitUsage;
  }
  const CommandLine& commandLine = parsed.value;
  if (commandLine.help) {
    std::cout << torvane::sim::UsageText() << '\n' << ConsoleCommands::HelpText() << '\n';
    return 0;
  }

  const int signalFd = BlockTerminationSignals();
  auto started = torvane::sim::ReaderSimulator::Start(commandLine.options);
  if (!started.ok()) {
    std::cerr << "torvane-reader-sim: " << started.error << '\n';
    return kExitFailure;
  }
  torvane::sim::ReaderSimulator& simulator = *started.value;
  Say(simulator.devicePath());

  ConsoleCommands console(simulator);
  for (const std::string& command : commandLine.consoleCommands) console.Execute(command);
  Converse(console, signalFd);

  const std::string stateError = simulator.stateFileError();
  if (!stateError.empty()) std::cerr << "torvane-reader-sim: " << stateError << '\n';
  return stateError.empty() ? 0 : kExitFailure;
}
