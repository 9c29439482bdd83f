#pragma once

#include <string>
#include <utility>

namespace torvane {

// Outcome of a platform call. A failure always carries the system's error text,
// so an empty text means success.
struct Status {
  std::string error;

  bool ok() const { return error.empty(); }
  static Status Success() { return {}; }
  static Status Failure(std::string text) { return {std::move(text)}; }
};

template <typename T>
struct Result {
  T value{};
  std::string error;

  bool ok() const { return error.empty(); }
  static Result Success(T v) { return {std::move(v), {}}; }
  static Result Failure(std::string text) { return {T{}, std::move(text)}; }
};

// The text of an errno value, e.g. "No such file or directory".
std::string SystemErrorText(int errnoValue);

}  // namespace torvane
