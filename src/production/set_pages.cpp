#include "production/set_pages.h"

#include <cstdio>

#include "transponder/page_codec.h"

namespace torvane {

namespace {
constexpr int kPageBytes = 8;
}

void SetPages::SetByte(long long address, unsigned char value) {
  if (address < 0 || address >= kSetByteCount) return;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(value));
  const auto i = static_cast<std::size_t>(address);
  set_.byteHex[i] = digits;
  set_.byteAscii[i] = HexToAscii(digits);
}

void SetPages::RebuildPageText(int index) {
  std::string hex;
  for (int b = 0; b < kPageBytes; ++b) {
    if (b > 0) hex += ' ';
    hex += set_.byteHex[static_cast<std::size_t>(index * kPageBytes + b)];
  }
  const auto i = static_cast<std::size_t>(index);
  pages_.hexText[i] = hex;
  pages_.asciiText[i] = HexToAscii(hex);
  pages_.pageText[i] = pages_.displayForm == PageForm::Ascii ? pages_.asciiText[i] : hex;
}

}  // namespace torvane
