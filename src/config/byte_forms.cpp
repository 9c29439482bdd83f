#include "config/byte_forms.h"

#include "platform/hex_text.h"

namespace torvane {

namespace {

constexpr std::string_view kNul = "NUL";
constexpr char kZeroDigit = '0';
constexpr int kFirstPrintable = 0x20;
constexpr int kLastPrintable = 0x7E;

}  // namespace

std::string CharFormOfHex(std::string_view hex) {
  std::string digits(hex);
  if (digits.size() % 2 != 0) digits.insert(digits.begin(), kZeroDigit);
  std::string chars;
  for (char c : HexToChars(digits)) {
    if (c == '\0') {
      chars.append(kNul);
    } else {
      chars.push_back(c);
    }
  }
  return chars;
}

std::string HexFormOfChars(std::string_view chars) {
  if (chars == kNul) return "00";
  return CharsToHex(chars);
}

std::optional<std::string> AcceptedHexByte(std::string_view typed, bool printableOnly) {
  if (typed.empty() || typed.size() > 2 || !IsHexDigits(typed)) return std::nullopt;
  if (printableOnly && typed.size() != 2) return std::nullopt;
  std::string digits = UpperCaseDigits(typed);
  if (digits.size() == 1) digits.insert(digits.begin(), kZeroDigit);
  const int value = static_cast<unsigned char>(HexToChars(digits).front());
  if (printableOnly && value != 0 && (value < kFirstPrintable || value > kLastPrintable)) {
    return std::nullopt;
  }
  return digits;
}

std::optional<std::string> AcceptedCharByte(std::string_view typed) {
  if (typed == kNul || typed.size() == 1) return std::string(typed);
  return std::nullopt;
}

std::string HexByteRefusal(int index, bool printableOnly) {
  std::string text = "change byte " + std::to_string(index) +
                     " to a length of 2 hexadecimal (0,1,2,3,4,5,6,7,8,9,A,B,C,D,E,F) characters";
  if (printableOnly) {
    text += "\r\ncharacter must be in printable range between 0x20 and 0x7E\r\nor can be 0x00";
  }
  return text;
}

std::string CharByteRefusal(int index) {
  return "change byte " + std::to_string(index) + " to a length of 1 character of 'NUL'";
}

std::string NonByteCharacterRefusal(int index) {
  return "change byte " + std::to_string(index) +
         " to a character that one byte can hold (Latin-1, codes 0 to 255)";
}

}  // namespace torvane
