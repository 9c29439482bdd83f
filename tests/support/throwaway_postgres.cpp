#include "support/throwaway_postgres.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "support/scratch_directory.h"

namespace torvane::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSuperuser = "torvane";
constexpr const char* kServerUser = "postgres";
constexpr const char* kStartDeadlineSeconds = "60";
constexpr int kStartAttempts = 3;

// The newest installed server version's program folder, empty when none.
std::string FindServerPrograms() {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& version : fs::directory_iterator("/usr/lib/postgresql", error)) {
    const fs::path bin = version.path() / "bin";
    if (fs::exists(bin / "initdb") && fs::exists(bin / "pg_ctl") && fs::exists(bin / "postgres"))
      found.push_back(bin);
  }
  if (found.empty()) return {};
  // Version folders are numbers: compare them as such.
  return std::max_element(found.begin(), found.end(),
                          [](const fs::path& a, const fs::path& b) {
                            return std::stoi(a.parent_path().filename()) <
                                   std::stoi(b.parent_path().filename());
                          })
      ->string();
}

// A TCP port on the loopback interface that nothing listens on right now.
int FreePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  ::close(s);
  return port;
}

struct Spawn {
  std::vector<std::string> arguments;
  std::string directory;   // the child's working directory
  std::string outputFile;  // stdout and stderr; empty: a pipe read into `output`
};

// Runs a program to its end without a shell. The child keeps none of the test's
// descriptors, so a server it starts holds no pseudo-terminal or pipe of a test.
Result<std::string> RunProgram(const Spawn& spawn) {
  int pipeEnds[2] = {-1, -1};
  if (spawn.outputFile.empty() && ::pipe2(pipeEnds, O_CLOEXEC) != 0)
    return Result<std::string>::Failure(SystemErrorText(errno));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (spawn.outputFile.empty())
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, spawn.outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  if (!spawn.directory.empty())
    posix_spawn_file_actions_addchdir_np(&actions, spawn.directory.c_str());

  std::vector<std::string> arguments = spawn.arguments;
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);

  std::string output;
  if (spawn.outputFile.empty()) {
    ::close(pipeEnds[1]);
    char buffer[4096];
    ssize_t n = 0;
    while (spawned == 0 && (n = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0) {
      if (n > 0) output.append(buffer, static_cast<std::size_t>(n));
      if (n < 0 && errno != EINTR) break;
    }
    ::close(pipeEnds[0]);
  }
  if (spawned != 0)
    return Result<std::string>::Failure(arguments[0] + ": " + SystemErrorText(spawned));
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return Result<std::string>::Failure(arguments[0] + " failed: " + output);
  return Result<std::string>::Success(std::move(output));
}

}  // namespace

ThrowawayPostgres& ThrowawayPostgres::Shared() {
  static ThrowawayPostgres server;
  return server;
}

ThrowawayPostgres::ThrowawayPostgres() {
  binDirectory_ = FindServerPrograms();
  if (binDirectory_.empty()) {
    error_ =
        "No PostgreSQL server programs in /usr/lib/postgresql/*/bin (scripts/install-deps "
        "installs the package postgresql).";
    return;
  }
  if (::geteuid() == 0) {
    if (::getpwnam(kServerUser) == nullptr) {
      error_ = "The PostgreSQL server refuses to run as root, and there is no user \"postgres\".";
      return;
    }
    serverUser_ = kServerUser;
  }
  installed_ = true;
  std::string pattern = (fs::temp_directory_path() / "torvane-pg-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    error_ = "No temporary folder for the server: " + SystemErrorText(errno);
    return;
  }
  folder_ = pattern;
  if (!serverUser_.empty()) {
    const passwd* user = ::getpwnam(serverUser_.c_str());
    if (::chown(folder_.c_str(), user->pw_uid, user->pw_gid) != 0) {
      error_ = "The server's folder could not be given to \"postgres\": " + SystemErrorText(errno);
      return;
    }
  }
  if (const Status made = InitCluster(); !made.ok()) {
    error_ = made.error;
    return;
  }
  for (int attempt = 0; attempt < kStartAttempts && !running_; ++attempt) {
    port_ = FreePort();
    if (const Status started = Start(); !started.ok()) error_ = started.error;
  }
}

ThrowawayPostgres::~ThrowawayPostgres() {
  if (running_) Stop();
  std::error_code ignored;
  if (!folder_.empty()) fs::remove_all(folder_, ignored);
}

Status ThrowawayPostgres::InitCluster() {
  return RunServerProgram("initdb",
                          {"-D", folder_ + "/data", "-U", kSuperuser, "--auth=trust",
                           "--encoding=UTF8", "--locale=C", "--no-sync"},
                          "initdb.log");
}

Status ThrowawayPostgres::Start() {
  const std::string options =
      "-p " + std::to_string(port_) + " -k " + folder_ + " -c listen_addresses=127.0.0.1";
  const Status started =
      RunServerProgram("pg_ctl",
                       {"-D", folder_ + "/data", "-l", folder_ + "/server.log", "-o", options, "-w",
                        "-t", kStartDeadlineSeconds, "start"},
                       "pg_ctl.log");
  running_ = started.ok();
  if (!started.ok()) return Status::Failure(started.error + ServerLog());
  error_.clear();
  return started;
}

Status ThrowawayPostgres::Stop() {
  const Status stopped = RunServerProgram(
      "pg_ctl", {"-D", folder_ + "/data", "-m", "fast", "-w", "-t", kStartDeadlineSeconds, "stop"},
      "pg_ctl.log");
  if (stopped.ok()) running_ = false;
  return stopped;
}

Status ThrowawayPostgres::RunServerProgram(const std::string& program,
                                           const std::vector<std::string>& arguments,
                                           const std::string& logName) const {
  Spawn spawn;
  if (!serverUser_.empty())
    spawn.arguments = {"/usr/bin/setpriv", "--reuid=" + serverUser_, "--regid=" + serverUser_,
                       "--init-groups"};
  spawn.arguments.push_back(binDirectory_ + "/" + program);
  spawn.arguments.insert(spawn.arguments.end(), arguments.begin(), arguments.end());
  spawn.directory = folder_;
  spawn.outputFile = folder_ + "/" + logName;
  const Result<std::string> run = RunProgram(spawn);
  if (run.ok()) return Status::Success();
  return Status::Failure(run.error + ReadWholeFile(spawn.outputFile));
}

std::string ThrowawayPostgres::ServerLog() const {
  return "\nServer log:\n" + ReadWholeFile(folder_ + "/server.log");
}

Result<std::string> ThrowawayPostgres::CreateDatabase() {
  const std::string name = "ledger_" + std::to_string(++databases_);
  const Result<std::string> made = Sql("postgres", "CREATE DATABASE " + name);
  if (!made.ok()) return made;
  return Result<std::string>::Success(name);
}

std::string ThrowawayPostgres::ConnectionString(std::string_view database,
                                                std::string_view user) const {
  return "postgresql://" + std::string(user.empty() ? kSuperuser : user) +
         "@localhost:" + std::to_string(port_) + "/" + std::string(database);
}

Result<std::string> ThrowawayPostgres::Sql(std::string_view database,
                                           std::string_view statements) const {
  Spawn spawn;
  spawn.arguments = {binDirectory_ + "/psql",
                     "-X",
                     "-q",
                     "-A",
                     "-t",
                     "-v",
                     "ON_ERROR_STOP=1",
                     "-h",
                     folder_,
                     "-p",
                     std::to_string(port_),
                     "-U",
                     kSuperuser,
                     "-d",
                     std::string(database),
                     "-c",
                     std::string(statements)};
  return RunProgram(spawn);
}

}  // namespace torvane::test
