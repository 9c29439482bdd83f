#include "transponder/carrier_id_place.h"

#include <algorithm>

#include "platform/decimal_text.h"
#include "platform/hex_text.h"

namespace torvane {

CarrierIdPlace CarrierIdPlace::FromFields(const CarrierIdFields& fields) {
  const long long length =
      std::clamp<long long>(ReadInteger(fields.carrierIdLengthText), 1, kCarrierIdAreaBytes);
  return {ReadInteger(fields.carrierIdOffsetText), static_cast<int>(length)};
}

bool CarrierIdPlace::Reaches(int page) const {
  const long long first = std::max<long long>(offset_, FirstByteOfPage(page));
  const long long end = std::min<long long>(offset_ + length_, FirstByteOfPage(page + 1));
  return first < end;
}

std::string CarrierIdPlace::DigitsFrom(std::string_view part1, std::string_view part2) const {
  std::string source;
  long long start = 0;
  if (NeedsPage1()) {
    source = std::string(part1) + std::string(part2);
    start = std::max(0LL, 2 * offset_);
  } else {
    source = part2;
    start = 2 * (offset_ - kBytesPerPage);
  }
  if (start >= static_cast<long long>(source.size())) return {};
  return source.substr(static_cast<std::size_t>(start), 2 * static_cast<std::size_t>(length_));
}

Result<std::string> CarrierIdPlace::IdentifierDigits(std::string_view carrierIdText,
                                                     PageForm form) const {
  const std::string count = std::to_string(length_);
  if (form == PageForm::Ascii) {
    if (carrierIdText.size() != static_cast<std::size_t>(length_)) {
      return Result<std::string>::Failure("change Carrier ID to a length of " + count +
                                          " characters");
    }
    return Result<std::string>::Success(CharsToHex(carrierIdText));
  }
  if (carrierIdText.size() != 2 * static_cast<std::size_t>(length_) ||
      !IsHexDigits(carrierIdText)) {
    // Two digits a byte: the count the operator types is the digits'.
    return Result<std::string>::Failure("change Carrier ID to a length of " +
                                        std::to_string(2 * length_) + " hexadecimal digits (" +
                                        count + " bytes of 20,21,..7E,..)");
  }
  return Result<std::string>::Success(std::string(carrierIdText));
}

Status CarrierIdPlace::Fits() const {
  if (offset_ >= 0 && offset_ + length_ <= kCarrierIdAreaBytes) return Status::Success();
  return Status::Failure("change Carrier ID Offset to a value from 0 to " +
                         std::to_string(kCarrierIdAreaBytes - length_));
}

std::string CarrierIdPlace::Merged(std::string_view pageDigits, std::string_view identifier) const {
  const auto prefixLength = static_cast<std::size_t>(2 * offset_);
  const auto suffixLength = static_cast<std::size_t>(2 * (kCarrierIdAreaBytes - offset_ - length_));
  const std::string_view prefix = pageDigits.substr(0, prefixLength);
  const std::string_view suffix =
      pageDigits.substr(pageDigits.size() - std::min(suffixLength, pageDigits.size()));
  return std::string(prefix) + std::string(identifier) + std::string(suffix);
}

}  // namespace torvane
