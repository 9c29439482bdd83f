#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/set_in_use.h"
#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "production/manual_log_state.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"
#include "transponder/station_view.h"

namespace torvane {

class ReaderExchange;

// The page operations of the "Manual" group. The write and the lock are also the
// write and lock steps of a production cycle, which looks only at errorCount.
class ManualOperations {
 public:
  ManualOperations(SerialLink& link, StationView& view, PageState& pages, ReaderState& reader,
                   TerminalState& terminal, const SetInUse& setInUse,
                   const ManualLogState& manualLog);

  void OnReadUid();
  void OnReadPages();
  void OnWritePages();
  void OnLockPages();
  void OnDefaultContent();

 private:
  void WriteSelectedPages(ReaderExchange& exchange);
  // The 16 digits to write for the page, or nothing when its text is unusable.
  std::optional<std::string> PageDigits(int index);
  void LockSelectedPages(ReaderExchange& exchange);
  void SetAllPageFields(std::uint32_t background);

  SerialLink& link_;
  StationView& view_;
  PageState& pages_;
  ReaderState& reader_;
  TerminalState& terminal_;
  const SetInUse& setInUse_;
  const ManualLogState& manualLog_;
};

}  // namespace torvane
