#pragma once

#include <optional>
#include <string>

#include "link/serial_link.h"
#include "transponder/reader_state.h"

namespace torvane {

// Asks the reader which transponder lies on the antenna. The terminal keeps
// the record of the last cycle: the question and its answer go nowhere else.
class AntennaPoll {
 public:
  AntennaPoll(SerialLink& link, const ReaderState& reader) : link_(link), reader_(reader) {}

  // The UID of the transponder on the antenna; nothing without a good answer.
  std::optional<std::string> ReadUid();
  // Whether the last question got any answer line ("No Read" included).
  bool answered() const { return answered_; }
  bool portOpen() const { return link_.portOpen(); }

 private:
  SerialLink& link_;
  const ReaderState& reader_;
  bool answered_ = false;
};

}  // namespace torvane
