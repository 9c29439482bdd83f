#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/set_in_use.h"
#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "production/page_steps.h"
#include "transponder/page_state.h"
#include "transponder/programming_policy.h"
#include "transponder/reader_failure.h"
#include "transponder/reader_state.h"
#include "view/manual_log_state.h"
#include "view/station_view.h"

namespace torvane {

class ReaderExchange;

// The page operations of the "Manual" group, and the write, read-back and lock
// of a production cycle, which share their page steps.
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

  // A production cycle's programming of the transponder whose UID the cycle
  // read before (empty when the reader gave none), `calibrated` when that read
  // calibrated the reader for the write: the selected pages written,
  // the pages of the policy's scope read back (`carrierIdPages` for the carrier
  // ID), and the pages the set locks locked, each step only while the
  // transponder on the antenna is still the one written. Nothing when every
  // step succeeded. Pages of `onTransponder` hold their data already and are
  // not written again.
  std::optional<ReaderFailure> ProgramPages(const ProgrammingPolicy& policy,
                                            const PageSet& carrierIdPages, const std::string& uid,
                                            bool calibrated, const PageSet& onTransponder = {});

 private:
  // Before a write: nothing counted, no field coloured, no page done.
  void ResetForWrite();
  std::optional<ReaderFailure> Program(PageSteps& steps, const ProgrammingPolicy& policy,
                                       const PageSet& carrierIdPages, const std::string& uid,
                                       const PageSet& onTransponder);
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
