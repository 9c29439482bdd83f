#include "production/production_cycle.h"

#include <algorithm>

#include "config/counter_page_number.h"
#include "config/set_file.h"
#include "config/set_in_use_check.h"
#include "platform/hex_text.h"
#include "production/carrier_id_pages.h"
#include "production/counter_page.h"
#include "production/ledger_messages.h"
#include "production/production_messages.h"
#include "production/programming_messages.h"
#include "production/quantity_reached.h"
#include "production/record_blocks.h"
#include "production/set_counters_file.h"
#include "production/station_controls.h"
#include "view/control_ids.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

std::string InFlightNotSaved(const std::string& reason) {
  return "Nothing was written: the carrier ID of this cycle could not be kept on disk.\r\n" +
         reason;
}

std::string SourceNotAdvanced(const std::string& reason) {
  return "The transponder is programmed, but its carrier ID could not be marked done:\r\n" +
         reason + "\r\nIt counts as used and will not be written again.";
}

std::string LedgerNotSettled(const std::string& carrierId, const std::string& reason) {
  return "The ledger could not take the state of carrier ID " + carrierId +
         ", which an earlier cycle left in flight:\r\n" + reason +
         "\r\nNo transponder is written until it does; the station tries again with every "
         "cycle.";
}

std::string CountersNotSaved(const std::string& reason) {
  return "The transponder is programmed, but the carrier ID and counter value could not be "
         "saved in the configuration set:\r\n" +
         reason;
}

}  // namespace

ProductionCycle::ProductionCycle(ProductionContext& context, ManualOperations& manual,
                                 ProductionRecordWriter& records, StationLedger& ledger,
                                 TransponderReadBack& readBack)
    : context_(context),
      manual_(manual),
      records_(records),
      readBack_(readBack),
      counter_(context),
      csv_(context),
      complete_(context),
      fixData_(context),
      settlement_(context),
      guard_(context, ledger, readBack) {}

CarrierIdSource& ProductionCycle::ChosenSource() {
  const ConfigurationSet& set = context_.setInUse.set;
  if (set.sourceCsv) return csv_;
  if (set.sourceCsvComplete) return complete_;
  if (set.sourceDecimalCounter) return counter_;
  return fixData_;
}

CycleOutcome ProductionCycle::ProgramOneTag() {
  running_ = true;
  reason_.clear();
  passedOver_ = false;
  CycleOutcome outcome;
  outcome.stopped = true;
  if (!MayStart()) {
    Finish(outcome);
    return outcome;
  }
  // A carrier ID that an earlier cycle or a stopped station left in flight is
  // settled first.
  if (settlePending_) {
    if (const auto settled = Settle(); !settled.ok()) {
      Report(settled.error, MessageIcon::Error);
      Finish(outcome);
      return outcome;
    }
  }

  CarrierIdSource& source = ChosenSource();
  // This cycle's in-flight entry names only its own source's held marks.
  if (const Status saved = SaveCsvMarks(&source); !saved.ok()) {
    Report(saved.error, MessageIcon::Error);
    outcome.stopped = true;
    Finish(outcome);
    return outcome;
  }
  const bool claimed = PrepareAndClaim(source);
  outcome.skippedNote = guard_.TakeSkippedNote();
  // Also for a cycle that ends before its write: the ID it was refused or stopped at.
  if (const std::optional<InFlightEntry> entry = source.InFlight()) {
    outcome.carrierId = entry->carrierId;
  }
  if (!claimed) {
    outcome.stopped = !passedOver_;
    Finish(outcome);
    return outcome;
  }

  outcome.attempted = true;
  const PageSet onTransponder = guard_.retrying() ? PagesAlreadyWritten() : PageSet{};
  const std::optional<ReaderFailure> failure =
      manual_.ProgramPages(context_.production.programming, CarrierIdPages(context_.setInUse.set),
                           uid_, readBack_.calibratedForWrite(), onTransponder);
  if (failure) {
    reason_ = FailureReason(*failure);
    const bool mayHold = failure->writeMayHaveLanded && !guard_.held().empty();
    Report(ProgrammingFailureMessage(*failure) + (mayHold ? MayHoldCarrierId(guard_.held()) : ""),
           MessageIcon::Error);
  }
  context_.view.TakeFieldValues();
  if (failure) {
    // Not programmed: the next cycle writes the same data set again, to this
    // transponder only when a write may have landed. The ID stays in flight, so
    // that a restart, after a regular end too, moves past it.
    if (!guard_.OnFailed(failure->writeMayHaveLanded)) KeepUnmarked(LedgerState::Written);
    Finish(outcome);
    return outcome;
  }
  outcome.stopped = !CountTransponder(source, outcome);
  Finish(outcome);
  return outcome;
}

bool ProductionCycle::MayStart() {
  if (const Status held = records_.EnsureRecordsOnDisk(); !held.ok()) {
    Report(held.error, MessageIcon::Error);
    return false;
  }
  if (const Status usable = CheckSetInUse(context_.setInUse); !usable.ok()) {
    Report(usable.error, MessageIcon::Warning);
    return false;
  }
  return true;
}

bool ProductionCycle::Identify() {
  const AntennaUid identity = readBack_.IdentifyBeforeWrite(context_.setInUse.setTypeQuorvi == 1);
  uid_ = identity.uid;
  if (!identity.failure) return true;
  reason_ = FailureReason(*identity.failure);
  context_.view.SetFieldColour(ids::kUidField, colour::kRed);
  Report(ProgrammingFailureMessage(*identity.failure), MessageIcon::Error);
  return false;
}

bool ProductionCycle::PrepareAndClaim(CarrierIdSource& source) {
  recordInFlight_ = false;
  bool identified = false;
  for (;;) {
    const PrepareResult result = source.Prepare();
    if (source.placesCounterPage()) PlaceCounterPage(context_);
    if (result != PrepareResult::Ready) {
      const bool limit =
          result == PrepareResult::CounterPassedLimit || result == PrepareResult::QuantityReached;
      // A source that has told the operator itself gets no second box.
      const std::string told = limit ? std::string() : source.PrepareFailure();
      if (!told.empty()) {
        reason_ = told;
        return false;
      }
      Report(limit ? QuantityReachedMessage(context_) : text::kWrongCarrierIdFormat,
             MessageIcon::Warning);
      return false;
    }
    // Once, before the first write: the ledger keeps which transponder it was.
    if (!identified && !Identify()) return false;
    identified = true;
    // On disk before the reservation: a stop right after it finds the ID in flight.
    std::optional<InFlightEntry> entry = source.InFlight();
    if (entry) {
      entry->ledgerId = guard_.PreparedBytes(source);
      entry->uid = uid_;
      entry->token = guard_.token();
      if (context_.setInUse.set.log) {
        entry->record = records_.RecordToCome(CurrentRecord(), context_.production.headerPending);
      }
      if (const Status recorded = settlement_.Record(*entry); !recorded.ok()) {
        Report(InFlightNotSaved(recorded.error), MessageIcon::Error);
        return false;
      }
    }
    const CarrierIdGuard::Claim claim = guard_.ClaimPrepared(source, entry, uid_);
    if (claim == CarrierIdGuard::Claim::Held) {
      if (!entry) return true;
      inFlight_ = entry;
      inFlightSettled_ = false;
      recordInFlight_ = !entry->record.file.empty();
      return true;
    }
    if (claim == CarrierIdGuard::Claim::Spent || claim == CarrierIdGuard::Claim::Taken) {
      if (!MovePast(source)) return false;
      continue;
    }
    // Nothing is claimed: what was in flight before stays so.
    if (entry && inFlight_) {
      settlement_.Record(*inFlight_);
    } else if (entry) {
      settlement_.Clear();
    }
    passedOver_ = claim == CarrierIdGuard::Claim::Known && context_.production.continuousMode == 1;
    return false;
  }
}

PageSet ProductionCycle::PagesAlreadyWritten() {
  const PageTexts onTransponder = readBack_.ReadPages(context_.pages.pageSelected);
  const ConfigurationSet& set = context_.setInUse.set;
  PageSet written{};
  for (int i = 0; i < kPageCount; ++i) {
    std::string digits;
    for (int b = 0; b < kBytesPerPage; ++b) {
      digits += set.byteHex[static_cast<std::size_t>(i * kBytesPerPage + b)];
    }
    written[static_cast<std::size_t>(i)] =
        !onTransponder[i].empty() && SameHexDigits(digits, onTransponder[i]);
  }
  return written;
}

bool ProductionCycle::MovePast(CarrierIdSource& source) {
  const ConfigurationSet& set = context_.setInUse.set;
  Status moved = source.Advance();
  if (moved.ok()) {
    moved = SaveSetCounters(context_.workingDirectory, context_.setInUse.name,
                            {set.carrierId, set.counterValue});
  }
  context_.view.ShowFieldValues();
  if (!moved.ok()) Report(moved.error, MessageIcon::Error);
  return moved.ok();
}

Result<std::optional<InFlightEntry>> ProductionCycle::Settle() {
  using Settled = Result<std::optional<InFlightEntry>>;
  const Settled found = settlement_.Read();
  if (!found.ok()) return {std::nullopt, InFlightSettlement::UnsettledMessage(found.error, {})};
  // The ledger before the source: a stop in between cannot lose the ledger's mark.
  if (found.value) {
    if (const Status marked = guard_.OnSettled(*found.value); !marked.ok()) {
      return Settled{std::nullopt, LedgerNotSettled(found.value->carrierId, marked.error)};
    }
  }
  // After the ledger took the state: a programmed mark that a stop kept is in.
  if (const Status recovered = RecoverRecord(); !recovered.ok()) {
    return Settled{std::nullopt, recovered.error};
  }
  Settled settled = settlement_.Settle();
  if (!settled.ok()) {
    return Settled{settled.value,
                   InFlightSettlement::UnsettledMessage(settled.error, settled.value)};
  }
  settlePending_ = false;
  inFlightSettled_ = true;
  return settled;
}

Status ProductionCycle::RecoverRecord() {
  stopFinding_ = StopFinding::Unknown;
  // An entry that cannot be read is the settlement's to report.
  const Result<std::optional<InFlightEntry>> found = settlement_.Read();
  if (!found.ok() || !found.value || found.value->record.file.empty() ||
      found.value->ledgerId.empty()) {
    return Status::Success();
  }
  const InFlightEntry& entry = *found.value;
  // Only the ledger knows whether the cycle got as far as a programmed transponder.
  const Result<std::optional<LedgerRow>> row = guard_.LookUp(entry.ledgerId);
  Result<bool> recovered{false, row.error};
  if (row.ok() && row.value && row.value->state == LedgerState::Programmed) {
    ConfigurationSet set = context_.setInUse.set;
    if (entry.setName != context_.setInUse.name) {
      // Read as it stands: a file that is gone still leaves the record its data.
      LoadConfigurationSet(context_.workingDirectory, entry.setName, SetLoad::MainWindow, set);
    }
    recovered = records_.Recover(entry, row.value->uid, ProductionHeaderBlock(entry.setName, set));
    if (recovered.ok())
      stopFinding_ = recovered.value ? StopFinding::Recovered : StopFinding::Recorded;
  }
  if (recovered.ok()) return Status::Success();
  return Status::Failure(InFlightSettlement::RecordNotRecoveredMessage(recovered.error, entry));
}

Status ProductionCycle::SaveCsvMarks(const CarrierIdSource* except) {
  for (CsvLineSource* source : std::initializer_list<CsvLineSource*>{&csv_, &complete_}) {
    if (source == except) continue;
    if (const Status saved = source->SaveMarks(); !saved.ok()) return saved;
  }
  return Status::Success();
}

std::string ProductionCycle::OnStationEnd() {
  if (const Status onDisk = records_.EnsureRecordsOnDisk(); !onDisk.ok()) {
    // The in-flight entry was on disk before the first page write: the next start
    // makes the record from it.
    return InFlightSettlement::HeldAtEndMessage(onDisk.error, recordInFlight_);
  }
  // The in-flight entry stays: it names the lines, and the next start marks them.
  if (const Status saved = SaveCsvMarks(nullptr); !saved.ok()) {
    return InFlightSettlement::MarksHeldAtEndMessage(saved.error);
  }
  if (!settlePending_ && inFlightSettled_) settlement_.Clear();
  return {};
}

bool ProductionCycle::CountTransponder(CarrierIdSource& source, CycleOutcome& outcome) {
  ConfigurationSet& set = context_.setInUse.set;
  const Result<bool> marked = guard_.OnProgrammed();
  if (!marked.value) {
    // The ledger holds the ID as spent: it is never given out again.
    Report(marked.error, MessageIcon::Error);
    MovePast(source);
    return false;
  }
  // A restart after a stop enters the mark the ledger could not take.
  if (!marked.ok()) KeepUnmarked(LedgerState::Programmed);
  outcome.programmed = true;
  context_.view.ShowFieldValues();
  context_.view.RepaintWindow();
  // The record comes before the source moves on: a source found past the carrier
  // ID in flight after a stop means that its cycle was recorded.
  const bool recorded = !set.log || AppendRecord();
  const Status advanced = source.Advance();
  if (CounterPageNumber(set.counterPage)) set.counterValue = NextCounterValue(set.counterValue);
  // Before the next cycle can start, so that a restart goes on from here.
  const Status saved = SaveSetCounters(context_.workingDirectory, context_.setInUse.name,
                                       {set.carrierId, set.counterValue});
  for (int i = 0; i < kPageCount; ++i) {
    if (!set.editPage[static_cast<std::size_t>(i)]) continue;
    outcome.focusPage = i;
    break;
  }
  // A carrier ID whose source could not be saved stays in flight: the next
  // cycle, or the next start, settles it before anything else is written.
  if (!advanced.ok()) Report(SourceNotAdvanced(advanced.error), MessageIcon::Error);
  if (!saved.ok()) Report(CountersNotSaved(saved.error), MessageIcon::Error);
  if (!marked.ok()) Report(marked.error, MessageIcon::Error);
  if (!advanced.ok() || !saved.ok()) settlePending_ = true;
  inFlightSettled_ = marked.ok() && advanced.ok() && saved.ok();
  return inFlightSettled_ && recorded;
}

void ProductionCycle::KeepUnmarked(LedgerState state) {
  if (!inFlight_) return;
  inFlight_->unmarked = state;
  // Memory keeps it too; a failure here was told when the entry was first kept.
  settlement_.Record(*inFlight_);
}

ProductionRecord ProductionCycle::CurrentRecord() const {
  ProductionRecord record;
  record.setName = context_.setInUse.name;
  record.set = context_.setInUse.set;
  record.hexText = context_.pages.hexText;
  record.asciiText = context_.pages.asciiText;
  record.pageText = context_.pages.pageText;
  record.pageSelected = context_.pages.pageSelected;
  record.uidText = uid_;
  return record;
}

bool ProductionCycle::AppendRecord() {
  const Status appended =
      records_.AppendProductionRecord(CurrentRecord(), context_.production.headerPending);
  if (appended.ok()) return true;
  reason_ = "not recorded: " + appended.error;
  EnableStationControls(context_.view, context_.production, context_.setInUse.configMode, true);
  context_.view.ShowFieldValues();
  context_.production.protocolFailure = 3;
  return false;
}

void ProductionCycle::Report(const std::string& message, MessageIcon icon) {
  if (reason_.empty()) reason_ = message.substr(0, message.find("\r\n"));
  context_.view.ShowMessage(message, text::kCaption, icon, MessageButtons::Ok);
}

void ProductionCycle::Finish(CycleOutcome& outcome) {
  outcome.reason = reason_;
  context_.view.ShowFieldValues();
  context_.view.RepaintWindow();
  running_ = false;
}

}  // namespace torvane
