#include "production/xml_cell_text.h"

#include <cstdint>

#include "platform/ini_text.h"

namespace torvane {

namespace {

constexpr std::string_view kStandIn = "\xEF\xBF\xBD";  // U+FFFD

// Escapes valid UTF-8 text.
std::string EscapedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\t':
        out += "&#9;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        if (static_cast<std::uint8_t>(c) < 0x20) {
          out += kStandIn;
        } else if (text.substr(i, 2) == "\xEF\xBF" && i + 2 < text.size() &&
                   (text[i + 2] == '\xBE' || text[i + 2] == '\xBF')) {
          out += kStandIn;  // U+FFFE and U+FFFF are not characters
          i += 2;
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace

std::string XmlCellTextOfBytes(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return EscapedUtf8(utf8);
}

std::string XmlCellTextOfText(std::string_view text) {
  return EscapedUtf8(IniTextToUtf8(text));
}

}  // namespace torvane
