// The torvane-reader-sim program and its options, as an operator or a script
// starts it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "command_line.h"
#include "support/pty_peer.h"

namespace torvane::sim {
namespace {

// A running program with its standard output on a pipe.
class Program {
 public:
  explicit Program(std::vector<std::string> arguments) {
    int out[2];
    if (::pipe(out) != 0) return;
    arguments.insert(arguments.begin(), TORVANE_READER_SIM_PROGRAM);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    output_ = out[0];
  }
  ~Program() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
    ::close(output_);
  }
  std::string ReadLine() {
    std::string line;
    char c;
    pollfd fds{output_, POLLIN, 0};
    while (::poll(&fds, 1, static_cast<int>(PtyPeer::kDefaultLimit.count())) > 0 &&
           ::read(output_, &c, 1) == 1 && c != '\n')
      line += c;
    return line;
  }
  void Signal(int signal) { ::kill(pid_, signal); }
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
};

TEST(CommandLineTest, RefusesBadOptionsWithTheReason) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"stray"}, "unknown option 'stray'"},
      {{"--link"}, "needs a value"},
      {{"--link", ""}, "invalid value"},
      {{"--timing", "-1"}, "invalid value '-1' for --timing"},
      {{"--latency", "1s"}, "invalid value '1s' for --latency"},
      {{"--baud", "0"}, "invalid value '0' for --baud"},
      {{"--first-uid", "123456789"}, "invalid value"},
      {{"--nak-page", "18"}, "invalid value"},
      {{"--swap-delay", "soon"}, "invalid value 'soon' for --swap-delay"},
      {{"--garbage-next", "xyz"}, "invalid value"},
  };
  for (const auto& [arguments, reason] : cases) {
    const auto parsed = ParseCommandLine(arguments);
    EXPECT_FALSE(parsed.ok()) << arguments.front();
    EXPECT_NE(parsed.error.find(reason), std::string::npos) << parsed.error;
  }
}

TEST(ProgramTest, BadOptionsEndWithExitCodeTwo) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--bogus"}, {"--baud", "fast"}, {"--link"}}) {
    EXPECT_EQ(Program(arguments).Wait(), 2) << arguments.front();
  }
  EXPECT_EQ(Program({"--help"}).Wait(), 0);
}

TEST(ProgramTest, PrintsTheDeviceLinksItAndCleansUpOnTermination) {
  for (const int signal : {SIGTERM, SIGINT}) {
    const auto link =
        std::filesystem::temp_directory_path() / ("reader-sim-link-" + std::to_string(::getpid()));
    Program program({"--link", link.string(), "--swap-after-lock"});
    const std::string device = program.ReadLine();
    ASSERT_TRUE(device.starts_with("/dev/pts/")) << device;
    EXPECT_EQ(std::filesystem::read_symlink(link), device);
    PtyPeer station(link.string());
    station.Write("RUID\r");
    EXPECT_EQ(station.ReadLine(), "E0040001\r");
    program.Signal(signal);
    EXPECT_EQ(program.Wait(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  }
}

}  // namespace
}  // namespace torvane::sim
