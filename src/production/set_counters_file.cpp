#include "production/set_counters_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/profile.h"

namespace torvane {

namespace {

constexpr const char* kCarrierIdSection = "SEMI E99 Carrier ID Setup";
constexpr const char* kCarrierIdKey = "Carrier ID";
constexpr const char* kCounterSection = "Pages 3-17";
constexpr const char* kCounterKey = "Counter Value";

std::string SetFilePath(const std::string& workingDirectory, const std::string& setName) {
  return workingDirectory + "/" + setName + ".ini";
}

Result<ProfileFile> LoadExisting(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return Result<ProfileFile>::Failure(path + ": " + SystemErrorText(errno));
  }
  return ProfileFile::Load(path);
}

}  // namespace

Status SaveSetCounters(const std::string& workingDirectory, const std::string& setName,
                       const SetCounters& counters) {
  Result<ProfileFile> profile = LoadExisting(SetFilePath(workingDirectory, setName));
  if (!profile.ok()) return Status::Failure(profile.error);
  profile.value.Write(kCarrierIdSection, kCarrierIdKey, counters.carrierId);
  profile.value.Write(kCounterSection, kCounterKey, counters.counterValue);
  return profile.value.Save();
}

Result<SetCounters> ReadSetCounters(const std::string& workingDirectory,
                                    const std::string& setName) {
  Result<ProfileFile> profile = LoadExisting(SetFilePath(workingDirectory, setName));
  if (!profile.ok()) return Result<SetCounters>::Failure(profile.error);
  return Result<SetCounters>::Success({profile.value.Read(kCarrierIdSection, kCarrierIdKey),
                                       profile.value.Read(kCounterSection, kCounterKey)});
}

}  // namespace torvane
