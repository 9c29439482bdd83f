#include "platform/result.h"

#include <cstring>

namespace torvane {

namespace {

// glibc declares the GNU strerror_r (returning the text) or the POSIX one
// (returning a code) depending on feature macros; these overloads accept either.
[[maybe_unused]] const char* ErrorTextOf(int code, const char* buffer) {
  return code == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* ErrorTextOf(const char* text, const char*) {
  return text;
}

}  // namespace

std::string SystemErrorText(int errnoValue) {
  char buffer[256] = {};
  return ErrorTextOf(strerror_r(errnoValue, buffer, sizeof buffer), buffer);
}

}  // namespace torvane
