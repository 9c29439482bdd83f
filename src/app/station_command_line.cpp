#include "app/station_command_line.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/version.h"

namespace torvane {

namespace {

constexpr std::string_view kWorkdirOption = "--workdir";

Result<std::string> ExpandHome(const std::string& folder, const std::string& home) {
  if (folder != "~" && folder.rfind("~/", 0) != 0) return Result<std::string>::Success(folder);
  if (home.empty()) {
    return Result<std::string>::Failure("the home folder in " + folder +
                                        " is not known (HOME is not set)");
  }
  return Result<std::string>::Success(home + folder.substr(1));
}

}  // namespace

Result<StationCommandLine> ParseStationCommandLine(const std::vector<std::string>& arguments,
                                                   const std::string& home) {
  using Parsed = Result<StationCommandLine>;
  StationCommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      line.action = StationCommandLine::Action::kHelp;
      continue;
    }
    if (argument == "--version") {
      if (line.action == StationCommandLine::Action::kRun)
        line.action = StationCommandLine::Action::kVersion;
      continue;
    }
    std::string folder;
    if (argument == kWorkdirOption) {
      if (i + 1 == arguments.size()) return Parsed::Failure("option --workdir needs a folder");
      folder = arguments[++i];
    } else if (argument.rfind(std::string(kWorkdirOption) + "=", 0) == 0) {
      folder = argument.substr(kWorkdirOption.size() + 1);
    } else {
      return Parsed::Failure("unknown option '" + argument + "'");
    }
    if (folder.empty()) return Parsed::Failure("option --workdir needs a folder");
    const Result<std::string> expanded = ExpandHome(folder, home);
    if (!expanded.ok()) return Parsed::Failure(expanded.error);
    line.workingFolder = expanded.value;
  }
  return Parsed::Success(std::move(line));
}

std::string StationUsageText() {
  return "Usage: torvane [OPTION]...\n"
         "The carrier-ID transponder station. It keeps its settings, configuration sets,\n"
         "ledger and record files in its working folder, the current folder unless\n"
         "--workdir names another. The serial port's user must be in the group dialout.\n"
         "\nOptions:\n"
         "  --workdir DIR   use DIR as the working folder, created if missing\n"
         "                  (a leading ~ is the home folder)\n"
         "  -h, --help      show this text and exit\n"
         "  --version       show the version and exit\n";
}

std::string StationVersionText() {
  return "torvane " TORVANE_VERSION "\n";
}

Status EnterWorkingFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Status::Failure(folder + ": " + error.message());
  if (::chdir(folder.c_str()) != 0) return Status::Failure(folder + ": " + SystemErrorText(errno));
  return Status::Success();
}

}  // namespace torvane
