#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "transponder/page_state.h"
#include "transponder/reader_failure.h"
#include "transponder/reader_state.h"

namespace torvane {

// The reader's answer to the UID question, asked without a record in the
// terminal and without calibration, cut to its kept length; nothing when no
// line came at all.
std::optional<std::string> AskUidQuietly(SerialLink& link, const ReaderState& reader);
// The UID of the transponder on the antenna; nothing without a good answer.
std::optional<std::string> ReadUidQuietly(SerialLink& link, const ReaderState& reader);

// What the transponder on the antenna says it is.
struct TransponderIdentity {
  std::string uid;                   // empty when no good UID answer came
  std::optional<std::string> bytes;  // nothing when a page could not be read

  bool answered() const { return !uid.empty() || bytes.has_value(); }
};

// The transponder a cycle is about to write, as the reader names it.
struct AntennaUid {
  std::string uid;                       // empty when the reader gave none
  std::optional<ReaderFailure> failure;  // when nothing may be written
};

// Reads the UID and a run of memory bytes of the transponder on the antenna,
// without touching the page fields, so a cycle can tell which transponder lies
// there before it writes.
class TransponderReadBack {
 public:
  TransponderReadBack(SerialLink& link, ReaderState& reader, TerminalState& terminal)
      : link_(link), reader_(reader), terminal_(terminal) {}

  // `address` counts bytes from the first byte of page 1.
  TransponderIdentity Read(long long address, std::size_t length);
  // The 16 hexadecimal digits of every page flagged, empty where the answer
  // was not a page.
  PageTexts ReadPages(const PageFlags& which);
  // Empty without a good answer; the terminal keeps what it shows.
  std::string ReadUid() const;
  // Asked once before a cycle's first write, after the write's calibration. An
  // empty antenna is a failure, and so is a UID the reader does not give where
  // it is `required`.
  AntennaUid IdentifyBeforeWrite(bool required);
  // Whether the last operation here was that calibration, so the write that
  // follows need not calibrate again.
  bool calibratedForWrite() const { return calibratedForWrite_; }

 private:
  SerialLink& link_;
  ReaderState& reader_;
  TerminalState& terminal_;
  bool calibratedForWrite_ = false;
};

}  // namespace torvane
