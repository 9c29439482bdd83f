#include "transponder/transponder_read_back.h"

#include <chrono>

#include "platform/hex_text.h"
#include "transponder/reader_exchange.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr long long kPageBytes = kBytesPerPage;

std::string UidOf(ReaderExchange& exchange) {
  const ReaderAnswer answer = exchange.Exchange(ReaderCommand::ReadUid());
  return IsGoodUidAnswer(answer.kept) ? answer.kept : std::string();
}

}  // namespace

TransponderIdentity TransponderReadBack::Read(long long address, std::size_t length) {
  calibratedForWrite_ = false;
  TransponderIdentity identity;
  ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
  if (!exchange.portOpen()) return identity;
  exchange.StartExchanges(kReadFactor);
  identity.uid = UidOf(exchange);
  const long long end = address + static_cast<long long>(length);
  if (address < 0 || length == 0 || end > kMemoryBytes) return identity;
  std::string memory;
  for (long long page = address / kPageBytes; page <= (end - 1) / kPageBytes; ++page) {
    const ReaderAnswer answer =
        exchange.Exchange(ReaderCommand::ReadPage(static_cast<int>(page) + 1));
    if (!IsGoodPageAnswer(answer.kept)) return identity;
    memory += HexToChars(answer.kept);
  }
  identity.bytes = memory.substr(static_cast<std::size_t>(address % kPageBytes), length);
  return identity;
}

PageTexts TransponderReadBack::ReadPages(const PageFlags& which) {
  calibratedForWrite_ = false;
  PageTexts digits;
  ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
  if (!exchange.portOpen()) return digits;
  exchange.StartExchanges(kReadFactor);
  for (int i = 0; i < kPageCount; ++i) {
    if (which[i] == 0) continue;
    const ReaderAnswer answer = exchange.Exchange(ReaderCommand::ReadPage(i + 1));
    if (IsGoodPageAnswer(answer.kept)) digits[i] = answer.kept;
  }
  return digits;
}

std::string TransponderReadBack::ReadUid() const {
  return ReadUidQuietly(link_, reader_).value_or(std::string());
}

AntennaUid TransponderReadBack::IdentifyBeforeWrite(bool required) {
  AntennaUid identity;
  ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Write);
  if (!exchange.portOpen()) {
    identity.failure =
        ReaderFailure{.kind = ReaderFailureKind::PortClosed, .found = link_.portName()};
    return identity;
  }
  if (!exchange.StartExchanges(kWriteFactor)) {
    // Answers of an earlier cycle may still be on their way, and one of them
    // must never pass for the UID of the transponder now on the antenna.
    exchange.WaitForQuietLine();
    exchange.StartExchanges(kWriteFactor);
  }
  calibratedForWrite_ = true;
  const ReaderCommand command = ReaderCommand::ReadUid();
  ReaderAnswer answer = exchange.Exchange(command);
  // A lost, late or garbled answer is asked once more; "No Read" is an answer.
  if (!IsGoodUidAnswer(answer.kept) && answer.kept.find("No Read") == std::string::npos) {
    answer = exchange.Exchange(command);
  }
  if (link_.hungUp()) {
    identity.failure =
        ReaderFailure{.kind = ReaderFailureKind::Disconnected, .found = link_.hangUpReason()};
    return identity;
  }
  if (IsGoodUidAnswer(answer.kept)) {
    identity.uid = answer.kept;
    return identity;
  }
  const bool empty = answer.kept.find("No Read") != std::string::npos;
  if (!empty && !required) return identity;
  ReaderFailureKind kind = ReaderFailureKind::Refused;
  if (answer.lineLength == 0) kind = ReaderFailureKind::NoAnswer;
  if (empty) kind = ReaderFailureKind::NoTransponder;
  identity.failure = ReaderFailure{.kind = kind,
                                   .step = ReaderStep::Uid,
                                   .found = answer.kept,
                                   .waitMilliseconds = command.waitUnits * reader_.answerUnit};
  return identity;
}

std::optional<std::string> ReadUidQuietly(SerialLink& link, const ReaderState& reader) {
  std::optional<std::string> uid = AskUidQuietly(link, reader);
  if (!uid || !IsGoodUidAnswer(*uid)) return std::nullopt;
  return uid;
}

std::optional<std::string> AskUidQuietly(SerialLink& link, const ReaderState& reader) {
  if (!link.portOpen()) return std::nullopt;
  const ReaderCommand command = ReaderCommand::ReadUid();
  link.setReadBusy(true);
  link.ResetAnswerEvent();
  std::optional<std::string> line;
  if (link.SendLine(command.text) == 0) {
    line = link.WaitAnswer(std::chrono::milliseconds(command.waitUnits * reader.answerUnit));
  }
  link.setReadBusy(false);
  if (!line) return std::nullopt;
  return line->substr(0, command.keptLength);
}

}  // namespace torvane
