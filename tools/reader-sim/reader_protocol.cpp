#include "reader_protocol.h"

#include <optional>

#include "number_text.h"

namespace torvane::sim {

namespace {

constexpr std::string_view kAck = "ACK";
constexpr std::string_view kNak = "NAK";
constexpr std::string_view kNoRead = "No Read";
constexpr std::string_view kError = "ERR";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Page numbers as the station writes them: 1 to 17, no leading zero, so that
// a station sending anything else is caught rather than humoured.
std::optional<int> PageNumber(std::string_view text) {
  if (text.starts_with('0')) return std::nullopt;
  const auto page = ParseDecimal(text, 1, kPageCount);
  if (!page) return std::nullopt;
  return static_cast<int>(*page);
}

std::optional<Page> PageBytes(std::string_view digits) {
  if (digits.size() != 2 * kPageSize) return std::nullopt;
  Page bytes{};
  for (int i = 0; i < kPageSize; ++i) {
    const auto high = HexDigitValue(digits[2 * i]);
    const auto low = HexDigitValue(digits[2 * i + 1]);
    if (!high || !low) return std::nullopt;
    bytes[i] = static_cast<std::uint8_t>(*high * 16 + *low);
  }
  return bytes;
}

std::string HexText(const Page& bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0x0F]);
  }
  return text;
}

}  // namespace

Reply ReaderProtocol::Respond(std::string_view line) {
  if (line == "TOR") {
    supply_.NoteTimingRequest();
    return {CommandKind::kTiming, std::to_string(timingValue_)};
  }
  if (line == "RUID") {
    const Transponder* transponder = supply_.onAntenna();
    return {CommandKind::kReadUid, transponder ? transponder->uid : std::string(kNoRead)};
  }
  // Page commands: a malformed argument is the command's own failure, not an unknown command.
  const auto blank = line.find(' ');
  const std::string_view word = line.substr(0, blank);
  const std::string_view argument =
      blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
  if (word == "RD") return ReadPage(argument);
  if (word == "WD") return WritePage(argument);
  if (word == "LD") return LockPage(argument);
  return {CommandKind::kUnknown, std::string(kError)};
}

Reply ReaderProtocol::ReadPage(std::string_view argument) const {
  const auto page = PageNumber(argument);
  if (!page) return {CommandKind::kReadPage, std::string(kError)};
  const Transponder* transponder = supply_.onAntenna();
  if (transponder == nullptr) return {CommandKind::kReadPage, std::string(kNoRead)};
  return {CommandKind::kReadPage, HexText(transponder->pages[*page - 1])};
}

Reply ReaderProtocol::WritePage(std::string_view argument) {
  const auto blank = argument.find(' ');
  const auto page = PageNumber(argument.substr(0, blank));
  const auto bytes =
      blank == std::string_view::npos ? std::nullopt : PageBytes(argument.substr(blank + 1));
  if (!page || !bytes || *page == nakPage_) return {CommandKind::kWritePage, std::string(kNak)};
  Page stored = *bytes;
  // A write whose data went wrong on the air: the reader still acknowledges it.
  const bool spoilt = badStores_ > 0;
  if (spoilt) stored[0] ^= 0x01;
  const bool written = supply_.Write(*page, stored);
  if (written && spoilt) --badStores_;
  return {CommandKind::kWritePage, std::string(written ? kAck : kNak)};
}

Reply ReaderProtocol::LockPage(std::string_view argument) {
  const auto page = PageNumber(argument);
  const bool locked = page && *page != nakPage_ && supply_.Lock(*page);
  return {CommandKind::kLockPage, std::string(locked ? kAck : kNak)};
}

}  // namespace torvane::sim
