#include "platform/stable_device_name.h"

#include <filesystem>
#include <system_error>

namespace torvane {

std::optional<std::string> StableDeviceName(const std::string& devicePath,
                                            const std::string& root) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path byId = fs::path(root) / "dev/serial/by-id";
  for (const fs::directory_entry& entry : fs::directory_iterator(byId, error)) {
    if (fs::equivalent(entry.path(), devicePath, error)) return entry.path().string();
  }
  return std::nullopt;
}

}  // namespace torvane
