#include "production/set_pages.h"

#include "config/byte_forms.h"
#include "platform/hex_text.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

// The page's eight byte forms with single blanks between them.
std::string Joined(const std::array<std::string, kMemoryBytes>& forms, int page) {
  std::string text;
  for (int b = 0; b < kBytesPerPage; ++b) {
    if (b > 0) text += ' ';
    text += forms[static_cast<std::size_t>(page * kBytesPerPage + b)];
  }
  return text;
}

}  // namespace

void SetPages::SetByte(long long address, unsigned char value) {
  if (address < 0 || address >= kMemoryBytes) return;
  const auto i = static_cast<std::size_t>(address);
  set_.byteHex[i] = CharsToHex(std::string(1, static_cast<char>(value)));
  set_.byteAscii[i] = CharFormOfHex(set_.byteHex[i]);
}

void SetPages::RebuildPageText(int index) {
  const auto i = static_cast<std::size_t>(index);
  pages_.hexText[i] = Joined(set_.byteHex, index);
  pages_.asciiText[i] = Joined(set_.byteAscii, index);
  pages_.pageText[i] =
      pages_.displayForm == PageForm::Ascii ? pages_.asciiText[i] : pages_.hexText[i];
}

}  // namespace torvane
