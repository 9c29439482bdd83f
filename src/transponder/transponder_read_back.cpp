#include "transponder/transponder_read_back.h"

#include <chrono>

#include "transponder/page_geometry.h"
#include "transponder/reader_exchange.h"

namespace torvane {

namespace {

constexpr long long kPageBytes = kBytesPerPage;

int DigitValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  return digit - 'A' + 10;
}

// Page answers already checked to be 16 hexadecimal digits.
std::string PageBytes(const std::string& digits) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes += static_cast<char>(DigitValue(digits[i]) * 16 + DigitValue(digits[i + 1]));
  }
  return bytes;
}

std::string UidOf(ReaderExchange& exchange) {
  const ReaderAnswer answer = exchange.Exchange(ReaderCommand::ReadUid());
  return IsGoodUidAnswer(answer.kept) ? answer.kept : std::string();
}

}  // namespace

TransponderIdentity TransponderReadBack::Read(long long address, std::size_t length) {
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
    memory += PageBytes(answer.kept);
  }
  identity.bytes = memory.substr(static_cast<std::size_t>(address % kPageBytes), length);
  return identity;
}

PageTexts TransponderReadBack::ReadPages(const PageFlags& which) {
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
