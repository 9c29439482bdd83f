#pragma once

#include <array>
#include <optional>
#include <string>

#include "config/set_in_use.h"
#include "link/serial_link.h"
#include "transponder/page_state.h"
#include "transponder/programming_policy.h"
#include "transponder/reader_exchange.h"
#include "transponder/reader_failure.h"
#include "transponder/reader_state.h"
#include "view/station_view.h"

namespace torvane {

using PageSet = std::array<bool, kPageCount>;

// The page writes, read-backs and locks of one operation, inside its exchange
// frame. Every failed step counts in errorCount; the first one is kept. With
// retries, a refused or unanswered step is tried again, but only after the
// transponder on the antenna has been shown to be the one of the first try.
class PageSteps {
 public:
  PageSteps(SerialLink& link, ReaderExchange& exchange, StationView& view, PageState& pages,
            ReaderState& reader, const SetInUse& setInUse, int retries);

  // Reads the UID, where the type asks for it, as the transponder's identity;
  // a failed read is counted.
  void ReadIdentity();
  // The UID read before the first write, as the transponder's identity; empty
  // when the reader gave none. The terminal and the UID field show it.
  void AdoptIdentity(const std::string& uid);
  // The selected pages with text. A refused write stops the run; an unusable
  // page text only skips its page. Pages of `onTransponder` count as written
  // without a write.
  void WriteSelected(const PageSet& onTransponder = {});
  // The written pages of `wanted`, compared with what was written.
  void ReadBack(const PageSet& wanted);
  // Locks the selected pages the set locks (every selected page in Manual mode).
  void LockSelected();
  // Whether the transponder on the antenna is still the one written: its UID,
  // or one of the pages this operation wrote. True when nothing can tell.
  bool ConfirmSameTransponder();

  // Asks the reader whether a refused or unanswered page step met an empty
  // antenna, and says so in the failure.
  void ExplainRefusal();

  bool failed() const { return failure_.has_value(); }
  const std::optional<ReaderFailure>& failure() const { return failure_; }
  const PageSet& written() const { return written_; }
  bool anyReadBack() const { return anyReadBack_; }
  bool anyLocked() const { return anyLocked_; }
  // Whether a page may hold what a write sent: acknowledged, or answered
  // other than with the reader's refusal.
  bool mayHoldWrites() const;

 private:
  // Sends the command until it is acknowledged or the tries are used up.
  bool TryAcknowledged(const ReaderCommand& command, ReaderStep step, int page);
  // The 16 digits to write for the page, or nothing when its text is unusable.
  std::optional<std::string> PageDigits(int index);
  // Reads the page; its digits on a good answer, else the failure is kept.
  std::optional<std::string> ReadDigits(int page, ReaderStep step);
  void Fail(ReaderFailure failure);
  int WaitMilliseconds(const ReaderCommand& command) const;

  SerialLink& link_;
  ReaderExchange& exchange_;
  StationView& view_;
  PageState& pages_;
  ReaderState& reader_;
  const SetInUse& setInUse_;
  int retries_;
  std::optional<std::string> uid_;
  PageSet written_{};
  std::array<std::string, kPageCount> writtenDigits_;
  bool writeUncertain_ = false;  // a write answered neither "ACK" nor a refusal
  bool anyReadBack_ = false;
  bool anyLocked_ = false;
  std::optional<ReaderFailure> failure_;
};

}  // namespace torvane
