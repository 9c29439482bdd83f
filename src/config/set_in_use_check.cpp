#include "config/set_in_use_check.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "config/data_source.h"
#include "platform/decimal_text.h"
#include "platform/hex_text.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr std::uint64_t kMaxOffset = 15;
constexpr std::uint64_t kAreaBytes = kCarrierIdAreaBytes;
constexpr std::uint64_t kPageBytes = kBytesPerPage;
constexpr std::uint64_t kLastPage = kPageCount;
constexpr std::uint64_t kLargestCounterValue = 99'999'999;
constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();

std::string Entry(std::string_view key, std::string_view value) {
  return "\"" + std::string(key) + "=" + std::string(value) + "\"";
}

std::string ByteKey(int byte) {
  char key[8];
  std::snprintf(key, sizeof key, "HEX %02d", byte);
  return key;
}

// Collects the first reason the set cannot be used.
class SetCheck {
 public:
  explicit SetCheck(const ConfigurationSet& set) : set_(set) {}

  const std::string& reason() const { return reason_; }

  // The value of `key` as a number from `low` to `high`.
  std::optional<std::uint64_t> Number(std::string_view key, const std::string& value,
                                      std::uint64_t low, std::uint64_t high) {
    if (!reason_.empty()) return std::nullopt;
    const std::optional<std::uint64_t> number = ReadWholeDecimal(value);
    if (number && *number >= low && *number <= high) return number;
    reason_ = Entry(key, value) + " is not a number";
    if (high < kLargest) reason_ += " from " + std::to_string(low) + " to " + std::to_string(high);
    reason_ += ".";
    return std::nullopt;
  }

  void Layout(bool withinCarrierIdArea) {
    const auto offset = Number("Carrier ID Offset", set_.carrierIdOffset, 0, kMaxOffset);
    const auto length = Number("Carrier ID Length", set_.carrierIdLength, 1, kAreaBytes);
    const auto page = Number("Memory Page", set_.memoryPage, 1, kLastPage);
    if (!offset || !length || !page) return;
    const std::string both = Entry("Carrier ID Offset", set_.carrierIdOffset) + " + " +
                             Entry("Carrier ID Length", set_.carrierIdLength);
    if (withinCarrierIdArea && *offset + *length > kAreaBytes) {
      reason_ = both + " pass the end of pages 1 and 2 (16 bytes).";
      return;
    }
    const std::uint64_t room = (kLastPage + 1 - *page) * kPageBytes;
    if (*offset + *length > room) {
      reason_ = both + " pass the end of memory from " + Entry("Memory Page", set_.memoryPage) +
                " on (" + std::to_string(room) + " bytes).";
    }
  }

  void Bytes() {
    for (int byte = 0; byte < kMemoryBytes && reason_.empty(); ++byte) {
      const std::string& hex = set_.byteHex[static_cast<std::size_t>(byte)];
      if (hex.size() != 2 || !IsHexDigits(hex)) {
        reason_ = Entry(ByteKey(byte), hex) + " is not a byte (two hexadecimal digits).";
      }
    }
  }

  void CounterPage() {
    if (!reason_.empty() || set_.counterPage.empty() || set_.counterPage == "None") return;
    if (!Number("Counter Page", set_.counterPage, 3, kLastPage)) {
      reason_ =
          Entry("Counter Page", set_.counterPage) + " is neither \"None\" nor a page from 3 to 17.";
      return;
    }
    Number("Counter Value", set_.counterValue, 0, kLargestCounterValue);
  }

 private:
  const ConfigurationSet& set_;
  std::string reason_;
};

}  // namespace

Status CheckSetInUse(const SetInUse& setInUse) {
  const ConfigurationSet& set = setInUse.set;
  SetCheck check(set);
  switch (SourceOf(set)) {
    case DataSource::DecimalCounter:
      check.Layout(true);
      check.Number("Carrier ID", set.carrierId, 0, DecimalCapacity(16));
      break;
    case DataSource::Csv:
      check.Layout(false);
      break;
    case DataSource::FixData:
      check.Number("Quantity", set.quantity, 0, kLargest);
      break;
    case DataSource::CsvComplete:
      break;
  }
  check.Bytes();
  check.CounterPage();
  if (check.reason().empty()) return Status::Success();
  return Status::Failure("The configuration set \"" + setInUse.name +
                         "\" can not be used for production:\r\n" + check.reason() +
                         "\r\nNothing is written until it is corrected in the configuration set.");
}

}  // namespace torvane
