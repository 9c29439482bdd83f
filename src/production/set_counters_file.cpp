#include "production/set_counters_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "config/set_file.h"
#include "config/set_name.h"

namespace torvane {

namespace {

// A set that has no file is not one to count on: nothing is created for it.
Result<std::string> ExistingSetFile(const std::string& workingDirectory,
                                    const std::string& setName) {
  Result<std::string> path = SetFilePath(workingDirectory, setName);
  if (!path.ok()) return path;
  struct stat info {};
  if (stat(path.value.c_str(), &info) != 0) {
    return Result<std::string>::Failure(path.value + ": " + SystemErrorText(errno));
  }
  return path;
}

}  // namespace

Status SaveSetCounters(const std::string& workingDirectory, const std::string& setName,
                       const SetCounters& counters) {
  const Result<std::string> path = ExistingSetFile(workingDirectory, setName);
  if (!path.ok()) return Status::Failure(path.error);
  ConfigurationSet stored;
  if (const Status loaded = LoadSetFile(path.value, SetLoad::MainWindow, stored); !loaded.ok()) {
    return loaded;
  }
  stored.carrierId = counters.carrierId;
  stored.counterValue = counters.counterValue;
  return SaveSetFile(path.value, stored);
}

Result<SetCounters> ReadSetCounters(const std::string& workingDirectory,
                                    const std::string& setName) {
  const Result<std::string> path = ExistingSetFile(workingDirectory, setName);
  if (!path.ok()) return Result<SetCounters>::Failure(path.error);
  ConfigurationSet stored;
  const Status loaded = LoadSetFile(path.value, SetLoad::MainWindow, stored);
  if (!loaded.ok()) return Result<SetCounters>::Failure(loaded.error);
  return Result<SetCounters>::Success({stored.carrierId, stored.counterValue});
}

}  // namespace torvane
