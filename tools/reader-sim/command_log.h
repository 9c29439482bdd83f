#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane::sim {

// One line per received command ("rx") and sent answer ("tx"), stamped with the
// monotonic clock in seconds, so that latency can be measured against it:
//   1234.567890123 rx RD 1
//   1234.568001456 tx 0011223344556677\r
// Bytes outside printable ASCII appear as \r, \n, \\ or \xHH.
class CommandLog {
 public:
  static Result<std::unique_ptr<CommandLog>> Open(const std::string& path);
  ~CommandLog();
  CommandLog(const CommandLog&) = delete;
  CommandLog& operator=(const CommandLog&) = delete;

  void Received(std::string_view line);
  void Sent(std::string_view bytes);

  static std::string Escape(std::string_view bytes);

 private:
  explicit CommandLog(std::FILE* file) : file_(file) {}
  void Append(const char* direction, std::string_view bytes);

  std::FILE* file_;
};

}  // namespace torvane::sim
