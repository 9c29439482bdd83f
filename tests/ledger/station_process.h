#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace torvane::test {

// A station program in a process of its own, its standard input and output on
// pipes: the test reads its event lines and answers as the operator.
class StationProcess {
 public:
  explicit StationProcess(const std::vector<std::string>& arguments);
  ~StationProcess();
  StationProcess(const StationProcess&) = delete;
  StationProcess& operator=(const StationProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // The next line of output, without its end; nothing at the end of the output
  // or when `deadline` passes first.
  std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point deadline);
  void Send(const std::string& line);
  // Ends the process at once; Wait() or the destructor collects it.
  void Kill();
  // The exit code; -1 when the process did not end by `deadline` (it is killed)
  // or was ended by a signal.
  int Wait(std::chrono::steady_clock::time_point deadline);

 private:
  int pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string pending_;
};

}  // namespace torvane::test
