#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/result.h"

namespace torvane::sim {

// A symbolic link to the simulator's device, removed again on destruction
// unless someone has pointed it elsewhere meanwhile.
class DeviceLink {
 public:
  // Replaces a stale symbolic link at `linkPath`, but never any other file.
  static Result<std::unique_ptr<DeviceLink>> Create(const std::string& linkPath,
                                                    const std::string& devicePath);
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

 private:
  DeviceLink(std::string linkPath, std::string devicePath)
      : linkPath_(std::move(linkPath)), devicePath_(std::move(devicePath)) {}

  std::string linkPath_;
  std::string devicePath_;
};

}  // namespace torvane::sim
