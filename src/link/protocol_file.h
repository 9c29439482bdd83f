#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane {

// The running protocol of production cycles: numbered text files
// "IntProt_<n>.txt", one stamped line per entry. A file above the cap is full
// and the next number is used; the number starts at 0 with every run.
class ProtocolFile {
 public:
  static constexpr std::int64_t kFileCap = 10'000'000;

  // Appends "<stamp>;<text>" and CR LF to the file in use in `directory`, in one
  // write that is on the disk when this returns. A failure names the file.
  Status AppendProtocolEntry(const std::string& directory, std::string_view text);

  int protocolFileNumber() const { return protocolFileNumber_; }

 private:
  std::string FileName(const std::string& directory) const;

  int protocolFileNumber_ = 0;
};

}  // namespace torvane
