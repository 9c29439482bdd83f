#include "state_json.h"

#include <cstdio>

namespace torvane::sim {

namespace {

// Bytes outside printable ASCII are escaped one by one, so the document stays
// valid whatever a prepared UID holds.
void AppendJsonString(std::string& out, const std::string& text) {
  out.push_back('"');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < 0x20 || byte > 0x7E) {
      char escaped[7];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(byte));
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
}

void AppendPages(std::string& out, const Transponder& transponder) {
  out += "\"pages\": [";
  for (int page = 0; page < kPageCount; ++page) {
    char digits[2 * kPageSize + 1];
    for (int i = 0; i < kPageSize; ++i)
      std::snprintf(digits + 2 * i, 3, "%02X", static_cast<unsigned>(transponder.pages[page][i]));
    out += page == 0 ? "\"" : ", \"";
    out += digits;
    out += '"';
  }
  out += "], \"locked\": [";
  for (int page = 0; page < kPageCount; ++page) {
    if (page > 0) out += ", ";
    out += transponder.locked[page] ? "true" : "false";
  }
  out += ']';
}

}  // namespace

std::string RenderStateJson(const TransponderSupply& supply) {
  std::string out = "{\n  \"transponders\": [";
  const auto& all = supply.all();
  for (std::size_t i = 0; i < all.size(); ++i) {
    out += i == 0 ? "\n    {\"uid\": " : ",\n    {\"uid\": ";
    AppendJsonString(out, all[i].uid);
    out += ", \"onAntenna\": ";
    out += supply.antennaIndex() == i ? "true, " : "false, ";
    AppendPages(out, all[i]);
    out += '}';
  }
  out += all.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace torvane::sim
