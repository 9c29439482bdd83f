// The page texts stand for the bytes: eight bytes go to HEX and back, HEX to
// ASCII and back; a HEX text that passes as a page is eight bytes, and any text
// converts to HEX tokens of at most one page.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_support.h"
#include "platform/hex_text.h"
#include "transponder/page_codec.h"

namespace {

using torvane::PageForm;

constexpr std::size_t kPageBytes = 8;

// Tokens of two upper-case hexadecimal digits, each followed by one blank but the last.
bool IsSpacedHex(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool digit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    if (i % 3 == 2 ? c != ' ' : !digit) return false;
  }
  return text.size() % 3 != 1;  // a NUL at the end leaves a blank behind it
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string bytes = input.ConsumeBytesAsString(kPageBytes);
  const std::string typed = input.ConsumeRemainingBytesAsString();

  if (bytes.size() == kPageBytes) {
    const std::string digits = torvane::CharsToHex(bytes);
    FUZZ_CHECK(digits.size() == 2 * kPageBytes && torvane::IsHexDigits(digits));
    FUZZ_CHECK(torvane::HexToChars(digits) == bytes);
    const std::string hex = torvane::SpacedPairs(digits);
    FUZZ_CHECK(torvane::IsPageTextValid(hex, PageForm::Hex));
    const std::string ascii = torvane::HexToAscii(hex);
    FUZZ_CHECK(torvane::IsPageTextValid(ascii, PageForm::Ascii));
    FUZZ_CHECK(torvane::AsciiToHex(ascii) == hex);
  }

  if (torvane::IsPageTextValid(typed, PageForm::Hex)) {
    const std::string digits = torvane::WithoutBlanks(typed);
    FUZZ_CHECK(torvane::HexToChars(digits).size() == kPageBytes);
  }
  // The check lets through ASCII texts of fewer tokens ("ABCDEFGH"); the
  // conversion must still give HEX tokens only, never more than a page.
  const std::string converted = torvane::AsciiToHex(typed);
  FUZZ_CHECK(converted.size() <= 23 && IsSpacedHex(converted));
  return 0;
}
