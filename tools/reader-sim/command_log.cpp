#include "command_log.h"

#include <cerrno>
#include <chrono>

namespace torvane::sim {

Result<std::unique_ptr<CommandLog>> CommandLog::Open(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    return Result<std::unique_ptr<CommandLog>>::Failure("cannot open log file " + path + ": " +
                                                        SystemErrorText(errno));
  }
  return Result<std::unique_ptr<CommandLog>>::Success(
      std::unique_ptr<CommandLog>(new CommandLog(file)));
}

CommandLog::~CommandLog() {
  std::fclose(file_);
}

void CommandLog::Received(std::string_view line) {
  Append("rx", line);
}

void CommandLog::Sent(std::string_view bytes) {
  Append("tx", bytes);
}

std::string CommandLog::Escape(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte > 0x7E) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

void CommandLog::Append(const char* direction, std::string_view bytes) {
  const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceBoot);
  const auto nanoseconds =
      std::chrono::duration_cast<std::chrono::nanoseconds>(sinceBoot - seconds);
  std::fprintf(file_, "%lld.%09lld %s %s\n", static_cast<long long>(seconds.count()),
               static_cast<long long>(nanoseconds.count()), direction, Escape(bytes).c_str());
  std::fflush(file_);
}

}  // namespace torvane::sim
