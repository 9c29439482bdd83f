#include "platform/ini_text.h"

#include <array>
#include <cstdint>

namespace torvane {

namespace {

// Windows-1252 0x80-0x9F; the five bytes it leaves undefined keep their
// Latin-1 meaning (C1 control characters), as Windows' own conversion does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsContinuation(char c) {
  return (static_cast<std::uint8_t>(c) & 0xC0) == 0x80;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const int length = SequenceLength(lead);
    if (length == 0 || i + length > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    static constexpr std::array<char32_t, 5> kLowest = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLowest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

std::string IniTextToUtf8(std::string_view raw) {
  if (IsValidUtf8(raw)) return std::string(raw);
  std::string out;
  out.reserve(raw.size() * 2);
  for (char c : raw) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte >= 0x80 && byte < 0xA0) {
      AppendUtf8(out, kHighControls[byte - 0x80]);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += IsContinuation(c) ? 0 : 1;
  return count;
}

std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t seen = 0; end < utf8.size(); ++end) {
    if (!IsContinuation(utf8[end]) && seen++ == count) break;
  }
  return utf8.substr(0, end);
}

std::string_view LastCharacters(std::string_view utf8, std::size_t count) {
  std::size_t start = utf8.size();
  for (std::size_t seen = 0; start > 0 && seen < count;) {
    --start;
    if (!IsContinuation(utf8[start])) ++seen;
  }
  return utf8.substr(start);
}

}  // namespace torvane
