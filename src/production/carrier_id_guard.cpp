#include "production/carrier_id_guard.h"

#include <random>

#include "platform/decimal_text.h"
#include "platform/hex_text.h"
#include "production/layout_place.h"
#include "production/ledger_messages.h"
#include "production/production_messages.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

CarrierIdPlace PlaceOf(const CarrierIdSource& source, const ConfigurationSet& set) {
  return source.PreparedPlace().value_or(LayoutPlace(set));
}

// The bytes the prepared data set puts at the place.
std::string BytesAt(const ConfigurationSet& set, const CarrierIdPlace& place) {
  std::string bytes;
  for (int k = 0; k < place.length(); ++k) {
    const long long address = place.offset() + k;
    if (address < 0 || address >= kMemoryBytes) continue;
    const std::string& hex = set.byteHex[static_cast<std::size_t>(address)];
    bytes += hex.size() == 2 ? HexToChars(hex).front() : '\0';
  }
  return bytes;
}

LedgerSourceKind KindOf(SourceKind kind) {
  switch (kind) {
    case SourceKind::DecimalCounter:
      return LedgerSourceKind::DecimalCounter;
    case SourceKind::CsvFile:
      return LedgerSourceKind::CsvFile;
    case SourceKind::CompleteCsvFile:
      return LedgerSourceKind::CompleteCsvFile;
    case SourceKind::FixData:
      break;
  }
  return LedgerSourceKind::FixData;
}

// 64 random bits in hexadecimal, new for every station process.
std::string NewToken() {
  std::random_device random;
  std::uniform_int_distribution<unsigned> digit(0, 15);
  std::string token;
  for (int i = 0; i < 16; ++i) token += "0123456789abcdef"[digit(random)];
  return token;
}

bool Unfinished(LedgerState state) {
  return state == LedgerState::Reserved || state == LedgerState::Written;
}

}  // namespace

CarrierIdGuard::CarrierIdGuard(ProductionContext& context, StationLedger& ledger,
                               TransponderReadBack& readBack)
    : context_(context), ledger_(ledger), readBack_(readBack), token_(NewToken()) {}

std::string CarrierIdGuard::PreparedBytes(const CarrierIdSource& source) const {
  return BytesAt(context_.setInUse.set, PlaceOf(source, context_.setInUse.set));
}

CarrierIdGuard::Claim CarrierIdGuard::ClaimPrepared(const CarrierIdSource& source,
                                                    const std::optional<InFlightEntry>& entry,
                                                    const std::string& uid) {
  held_.clear();
  cycleUid_ = uid;
  retrying_ = false;
  const CarrierIdPlace place = PlaceOf(source, context_.setInUse.set);
  const std::string bytes = BytesAt(context_.setInUse.set, place);
  CarrierIdLedger* const store = ReadyStore();
  if (store == nullptr) return Claim::Stop;
  const Result<std::optional<LedgerRow>> known = HeldByTransponder(*store, place);
  if (!known.ok()) {
    Tell(LedgerUnusableMessage(known.error), MessageIcon::Error);
    return Claim::Stop;
  }
  if (known.value) {
    // A continuous run passes it over; the poll waits for another transponder.
    if (context_.production.continuousMode == 1) {
      knownNote_ = KnownTransponderNote(*known.value);
    } else {
      Tell(KnownTransponderMessage(*known.value), MessageIcon::Warning);
    }
    return Claim::Known;
  }
  const LedgerClaim claim = ClaimOf(bytes, entry);
  // Fix data writes the same pages on purpose.
  if (!entry) {
    const Status noted = store->NoteRewrite(claim);
    if (noted.ok()) return Claim::Held;
    Tell(LedgerUnusableMessage(noted.error), MessageIcon::Error);
    return Claim::Stop;
  }
  const Result<Reservation> reserved = store->Reserve(claim);
  if (!reserved.ok()) {
    Tell(LedgerUnusableMessage(reserved.error), MessageIcon::Error);
    return Claim::Stop;
  }
  if (reserved.value.granted) {
    held_ = bytes;
    return Claim::Held;
  }
  const LedgerRow& row = reserved.value.row;
  // On a shared range this is how stations take turns, not an error.
  if (row.station != ledger_.station() && store->shared()) {
    skipped_.push_back(row);
    return Claim::Taken;
  }
  // Only a row of this process is a failed cycle to finish; never a manual write.
  if (row.token != token_ || !Unfinished(row.state) ||
      row.source.kind == LedgerSourceKind::Manual) {
    Tell(RefusedCarrierIdMessage(row), MessageIcon::Warning);
    return Claim::Stop;
  }
  const Claim outcome = Retry(*store, row, place);
  if (outcome == Claim::Held) held_ = bytes;
  return outcome;
}

// A cycle of this process left the ID reserved or written: pages are written
// while a row is reserved, so neither state says that no transponder holds it.
CarrierIdGuard::Claim CarrierIdGuard::Retry(CarrierIdLedger& store, const LedgerRow& row,
                                            const CarrierIdPlace& place) {
  // The cycle itself saw that none of its writes reached a transponder.
  if (unwritten_ == row.carrierId) return Claim::Held;
  const std::optional<bool> same = SameTransponder(row, place);
  if (!same) {
    Tell(UnidentifiedTransponderMessage(row), MessageIcon::Warning);
    return Claim::Stop;
  }
  if (*same) {
    retrying_ = true;
    return Claim::Held;
  }
  if (const Result<LedgerState> spent = store.MarkSpent(row.carrierId, ""); !spent.ok()) {
    Tell(LedgerUnusableMessage(spent.error), MessageIcon::Error);
    return Claim::Stop;
  }
  LedgerRow spentRow = row;
  spentRow.state = LedgerState::Spent;
  Tell(SpentCarrierIdMessage(spentRow), MessageIcon::Warning);
  return Claim::Spent;
}

std::optional<bool> CarrierIdGuard::SameTransponder(const LedgerRow& row,
                                                    const CarrierIdPlace& place) {
  if (!cycleUid_.empty() && !row.uid.empty()) return cycleUid_ == row.uid;
  const TransponderIdentity identity =
      readBack_.Read(place.offset(), static_cast<std::size_t>(place.length()));
  if (!identity.answered()) return std::nullopt;
  return identity.bytes == row.carrierId;
}

Result<std::optional<LedgerRow>> CarrierIdGuard::HeldByTransponder(CarrierIdLedger& store,
                                                                   const CarrierIdPlace& place) {
  using Held = Result<std::optional<LedgerRow>>;
  std::vector<LedgerRow> rows;
  if (!cycleUid_.empty()) {
    LedgerQuery query;
    query.uid = cycleUid_;
    Result<std::vector<LedgerRow>> found = store.List(query);
    if (!found.ok()) return Held::Failure(found.error);
    rows = std::move(found.value);
  } else if (const TransponderIdentity identity =
                 readBack_.Read(place.offset(), static_cast<std::size_t>(place.length()));
             identity.bytes && identity.bytes->find_first_not_of('\0') != std::string::npos) {
    const Result<std::optional<LedgerRow>> found = store.LookUp(*identity.bytes);
    if (!found.ok()) return Held::Failure(found.error);
    if (found.value) rows.push_back(*found.value);
  }
  // A failed cycle's carrier ID may be written over: the ledger never gives it out again.
  for (const LedgerRow& row : rows) {
    if (row.state == LedgerState::Programmed || row.source.kind == LedgerSourceKind::Manual) {
      return Held::Success(row);
    }
  }
  return Held::Success(std::nullopt);
}

LedgerClaim CarrierIdGuard::ClaimOf(const std::string& bytes,
                                    const std::optional<InFlightEntry>& entry) const {
  LedgerClaim claim;
  claim.carrierId = bytes;
  claim.setName = context_.setInUse.name;
  claim.uid = cycleUid_;
  claim.station = ledger_.station();
  claim.token = token_;
  claim.source.kind = entry ? KindOf(entry->source) : LedgerSourceKind::FixData;
  if (entry && entry->source == SourceKind::DecimalCounter) {
    claim.source.counterValue = std::to_string(ReadDecimal(context_.setInUse.set.carrierId));
  } else if (entry) {
    claim.source.file = entry->csvFile;
    claim.source.line = entry->lineIndex;
  }
  return claim;
}

std::string CarrierIdGuard::TakeSkippedNote() {
  std::string note = SkippedCarrierIdsNote(skipped_);
  if (!knownNote_.empty()) note += (note.empty() ? "" : " ") + knownNote_;
  skipped_.clear();
  knownNote_.clear();
  return note;
}

CarrierIdLedger* CarrierIdGuard::ReadyStore() {
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) {
    Tell(LedgerUnusableMessage(store.error), MessageIcon::Error);
    return nullptr;
  }
  if (pending_) {
    if (const Result<LedgerState> marked = Mark(*store.value, *pending_); !marked.ok()) {
      Tell(LedgerUnusableMessage(marked.error), MessageIcon::Error);
      return nullptr;
    }
    pending_.reset();
  }
  return store.value;
}

bool CarrierIdGuard::Admit(const std::string& carrierId) {
  manualHeld_.clear();
  CarrierIdLedger* const store = ReadyStore();
  if (store == nullptr) return false;
  manualUid_ = readBack_.ReadUid();
  LedgerClaim claim;
  claim.carrierId = carrierId;
  claim.setName = context_.setInUse.name;
  claim.source.kind = LedgerSourceKind::Manual;
  claim.uid = manualUid_;
  claim.station = ledger_.station();
  claim.token = token_;
  const Result<Reservation> reserved = store->Reserve(claim);
  if (!reserved.ok()) {
    Tell(LedgerUnusableMessage(reserved.error), MessageIcon::Error);
    return false;
  }
  if (reserved.value.granted) {
    manualHeld_ = carrierId;
    return true;
  }
  const MessageAnswer answer =
      context_.view.ShowMessage(RewriteCarrierIdQuestion(reserved.value.row), text::kCaption,
                                MessageIcon::Question, MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) return false;
  const Status noted = store->NoteRewrite(claim);
  if (noted.ok()) return true;
  Tell(LedgerUnusableMessage(noted.error), MessageIcon::Error);
  return false;
}

void CarrierIdGuard::OnWritten(const std::string& carrierId, bool acknowledged) {
  if (manualHeld_ != carrierId) return;
  manualHeld_.clear();
  MarkOrKeep({carrierId, acknowledged ? LedgerState::Written : LedgerState::Spent, manualUid_});
}

bool CarrierIdGuard::MarkOrKeep(const PendingMark& mark) {
  const Result<LedgerState> marked = MarkNow(mark);
  if (marked.ok()) return true;
  pending_ = mark;
  Tell(marked.error, MessageIcon::Error);
  return false;
}

Result<LedgerState> CarrierIdGuard::MarkNow(const PendingMark& mark) {
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) return Result<LedgerState>::Failure(store.error);
  return Mark(*store.value, mark);
}

Result<LedgerState> CarrierIdGuard::Mark(CarrierIdLedger& store, const PendingMark& mark) {
  switch (mark.state) {
    case LedgerState::Written:
      return store.MarkWritten(mark.carrierId, mark.uid);
    case LedgerState::Spent:
      return store.MarkSpent(mark.carrierId, mark.uid);
    default:
      return store.MarkProgrammed(mark.carrierId, mark.uid);
  }
}

bool CarrierIdGuard::OnFailed(bool writeMayHaveLanded) {
  if (held_.empty()) return true;
  if (!writeMayHaveLanded) {
    unwritten_ = held_;
    return true;
  }
  unwritten_.clear();
  return MarkOrKeep({held_, LedgerState::Written, cycleUid_});
}

Result<bool> CarrierIdGuard::OnProgrammed() {
  if (held_.empty()) return Result<bool>::Success(true);
  unwritten_.clear();
  const PendingMark mark{held_, LedgerState::Programmed, cycleUid_};
  const Result<LedgerState> marked = MarkNow(mark);
  if (!marked.ok()) {
    pending_ = mark;
    return {true, "The transponder is programmed, but the ledger could not mark carrier ID " +
                      PrintableCarrierId(held_) + " as programmed:\r\n" + marked.error};
  }
  if (marked.value == LedgerState::Programmed) return Result<bool>::Success(true);
  return {false, "The transponder is not counted: the ledger holds carrier ID " +
                     PrintableCarrierId(held_) + " as " +
                     std::string(LedgerStateName(marked.value)) +
                     " and refused to mark it programmed.\r\nSet this transponder aside."};
}

Status CarrierIdGuard::OnSettled(const InFlightEntry& entry) {
  if (pending_) {
    if (const Result<LedgerState> marked = MarkNow(*pending_); !marked.ok()) {
      return Status::Failure(marked.error);
    }
    pending_.reset();
  }
  if (entry.ledgerId.empty()) return Status::Success();
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) return Status::Failure(store.error);
  const Result<std::optional<LedgerRow>> row = store.value->LookUp(entry.ledgerId);
  if (!row.ok()) return Status::Failure(row.error);
  // A reservation that never came about, or another process's, is not to mark.
  if (!row.value || !Unfinished(row.value->state)) return Status::Success();
  if (!entry.token.empty() && row.value->token != entry.token) return Status::Success();
  // A programmed transponder whose mark the ledger missed; anything else
  // unfinished may be on a transponder and counts as spent.
  const LedgerState state =
      entry.unmarked == LedgerState::Programmed ? LedgerState::Programmed : LedgerState::Spent;
  const Result<LedgerState> marked = Mark(*store.value, {entry.ledgerId, state, entry.uid});
  return marked.ok() ? Status::Success() : Status::Failure(marked.error);
}

Result<std::optional<LedgerRow>> CarrierIdGuard::LookUp(const std::string& carrierId) {
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) return Result<std::optional<LedgerRow>>::Failure(store.error);
  return store.value->LookUp(carrierId);
}

void CarrierIdGuard::Tell(const std::string& message, MessageIcon icon) {
  context_.view.ShowMessage(message, text::kCaption, icon, MessageButtons::Ok);
}

}  // namespace torvane
