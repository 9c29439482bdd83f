#include "production/carrier_id_guard.h"

#include "config/decimal_text.h"
#include "platform/decimal_text.h"
#include "production/compose_data_set.h"
#include "production/ledger_messages.h"
#include "production/production_messages.h"
#include "transponder/page_geometry.h"

namespace torvane {

namespace {

constexpr long long kPageBytes = kBytesPerPage;

CarrierIdPlace SetLayoutPlace(const ConfigurationSet& set) {
  return {kPageBytes * (MemoryPage(set) - 1) + ReadInteger(set.carrierIdOffset),
          std::max(0LL, ReadInteger(set.carrierIdLength))};
}

int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return 0;
}

// The bytes the prepared data set puts at the place.
std::string PreparedBytes(const ConfigurationSet& set, const CarrierIdPlace& place) {
  std::string bytes;
  for (long long k = 0; k < place.length; ++k) {
    const long long address = place.address + k;
    if (address < 0 || address >= kMemoryBytes) continue;
    const std::string& hex = set.byteHex[static_cast<std::size_t>(address)];
    const int value = hex.size() == 2 ? HexValue(hex[0]) * 16 + HexValue(hex[1]) : 0;
    bytes += static_cast<char>(value);
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

bool Unfinished(LedgerState state) {
  return state == LedgerState::Reserved || state == LedgerState::Written;
}

}  // namespace

CarrierIdGuard::Claim CarrierIdGuard::ClaimPrepared(const CarrierIdSource& source,
                                                    const std::optional<InFlightEntry>& entry) {
  held_.clear();
  retrying_ = false;
  const CarrierIdPlace place =
      source.PreparedPlace().value_or(SetLayoutPlace(context_.setInUse.set));
  const std::string bytes = PreparedBytes(context_.setInUse.set, place);
  CarrierIdLedger* const store = ReadyStore();
  if (store == nullptr) return Claim::Stop;
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
  // A manual write is no failed cycle to finish.
  if (row.station != ledger_.station() || !Unfinished(row.state) ||
      row.source.kind == LedgerSourceKind::Manual) {
    Tell(RefusedCarrierIdMessage(row), MessageIcon::Warning);
    return Claim::Stop;
  }
  const Claim outcome = Retry(*store, row, place);
  if (outcome == Claim::Held) held_ = bytes;
  return outcome;
}

// This station's own cycle left the ID reserved or written.
CarrierIdGuard::Claim CarrierIdGuard::Retry(CarrierIdLedger& store, const LedgerRow& row,
                                            const CarrierIdPlace& place) {
  // A reservation without a write: no transponder can hold the ID.
  if (row.state == LedgerState::Reserved) return Claim::Held;
  const TransponderIdentity identity =
      readBack_.Read(place.address, static_cast<std::size_t>(place.length));
  if (!identity.answered()) {
    Tell(UnidentifiedTransponderMessage(row), MessageIcon::Warning);
    return Claim::Stop;
  }
  const bool sameTransponder =
      identity.bytes == row.carrierId || (!row.uid.empty() && identity.uid == row.uid);
  if (sameTransponder) {
    retrying_ = true;
    return Claim::Held;
  }
  if (const Status spent = store.MarkSpent(row.carrierId, ""); !spent.ok()) {
    Tell(LedgerUnusableMessage(spent.error), MessageIcon::Error);
    return Claim::Stop;
  }
  LedgerRow spentRow = row;
  spentRow.state = LedgerState::Spent;
  Tell(SpentCarrierIdMessage(spentRow), MessageIcon::Warning);
  return Claim::Spent;
}

LedgerClaim CarrierIdGuard::ClaimOf(const std::string& bytes,
                                    const std::optional<InFlightEntry>& entry) const {
  LedgerClaim claim;
  claim.carrierId = bytes;
  claim.setName = context_.setInUse.name;
  claim.station = ledger_.station();
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
  skipped_.clear();
  return note;
}

CarrierIdLedger* CarrierIdGuard::ReadyStore() {
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) {
    Tell(LedgerUnusableMessage(store.error), MessageIcon::Error);
    return nullptr;
  }
  if (pending_) {
    if (const Status marked = Mark(*store.value, *pending_); !marked.ok()) {
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
  const Result<CarrierIdLedger*> store = ledger_.Store();
  const Status marked = store.ok() ? Mark(*store.value, mark) : Status::Failure(store.error);
  if (marked.ok()) return true;
  pending_ = mark;
  Tell(marked.error, MessageIcon::Error);
  return false;
}

Status CarrierIdGuard::Mark(CarrierIdLedger& store, const PendingMark& mark) {
  switch (mark.state) {
    case LedgerState::Written:
      return store.MarkWritten(mark.carrierId, mark.uid);
    case LedgerState::Spent:
      return store.MarkSpent(mark.carrierId, mark.uid);
    default:
      return store.MarkProgrammed(mark.carrierId, mark.uid);
  }
}

bool CarrierIdGuard::OnFailed() {
  if (held_.empty()) return true;
  std::string uid = readBack_.ReadUid();
  if (uid.empty()) uid = CycleUid();
  return MarkOrKeep({held_, LedgerState::Written, uid});
}

Status CarrierIdGuard::OnProgrammed() {
  if (held_.empty()) return Status::Success();
  const PendingMark mark{held_, LedgerState::Programmed, CycleUid()};
  const Result<CarrierIdLedger*> store = ledger_.Store();
  const Status marked = store.ok() ? Mark(*store.value, mark) : Status::Failure(store.error);
  if (marked.ok()) return marked;
  pending_ = mark;
  return Status::Failure(
      "The transponder is programmed, but the ledger could not mark carrier ID " +
      PrintableCarrierId(held_) + " as programmed:\r\n" + marked.error);
}

void CarrierIdGuard::OnSettled(const InFlightEntry& entry) {
  if (entry.ledgerId.empty()) return;
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) return;
  const Result<std::optional<LedgerRow>> row = store.value->LookUp(entry.ledgerId);
  // A reservation that never came about leaves nothing to mark.
  // The state is only a label here: the row itself keeps the ID from being given out.
  if (row.ok() && row.value && Unfinished(row.value->state)) {
    store.value->MarkSpent(entry.ledgerId, "");
  }
}

Result<std::optional<LedgerRow>> CarrierIdGuard::LookUp(const std::string& carrierId) {
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) return Result<std::optional<LedgerRow>>::Failure(store.error);
  return store.value->LookUp(carrierId);
}

std::string CarrierIdGuard::CycleUid() const {
  return context_.setInUse.setTypeQuorvi == 1 ? context_.reader.uidText : std::string();
}

void CarrierIdGuard::Tell(const std::string& message, MessageIcon icon) {
  context_.view.ShowMessage(message, text::kCaption, icon, MessageButtons::Ok);
}

}  // namespace torvane
