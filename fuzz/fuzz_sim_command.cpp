// The simulator answers every command line with one line of its protocol, and
// its transponders change only as the protocol says: an acknowledged write
// stores exactly the page it was given on an unlocked page, a lock keeps the
// page from then on, and nothing else touches the memory.
#include <fuzzer/FuzzedDataProvider.h>

#include <regex>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "reader_protocol.h"
#include "transponder_supply.h"

namespace {

using torvane::sim::Transponder;

const std::regex kWrite("WD ([1-9]|1[0-7]) ([0-9A-Fa-f]{16})");
const std::regex kLock("LD ([1-9]|1[0-7])");
const std::regex kAnswer("[0-9]+|[0-9A-F]{8}|[0-9A-F]{16}|ACK|NAK|No Read|ERR");

int HexValue(char digit) {
  return digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10;
}

// The transponder as the command should leave it, or nothing when it must refuse.
std::optional<Transponder> Expected(Transponder transponder, const std::string& line, int nakPage) {
  std::smatch match;
  if (std::regex_match(line, match, kWrite)) {
    const int page = std::stoi(match[1]) - 1;
    if (page + 1 == nakPage || transponder.locked[page]) return std::nullopt;
    const std::string digits = match[2];
    for (int i = 0; i < 8; ++i) {
      transponder.pages[page][i] =
          static_cast<std::uint8_t>(HexValue(digits[2 * i]) * 16 + HexValue(digits[2 * i + 1]));
    }
    return transponder;
  }
  if (std::regex_match(line, match, kLock)) {
    const int page = std::stoi(match[1]) - 1;
    if (page + 1 == nakPage) return std::nullopt;
    transponder.locked[page] = true;
    return transponder;
  }
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  torvane::sim::TransponderSupply supply(0x1000, input.ConsumeBool(), true);
  torvane::sim::ReaderProtocol protocol(supply);
  const int nakPage = input.ConsumeIntegralInRange(0, 17);
  protocol.setNakPage(nakPage);

  while (input.remaining_bytes() > 0) {
    if (input.ConsumeIntegralInRange(0, 15) == 0) {
      input.ConsumeBool() ? supply.PlaceBlank() : supply.Remove();
    }
    const std::string line = input.ConsumeRandomLengthString(40);
    const std::vector<Transponder> before = supply.all();
    const auto antenna = supply.antennaIndex();
    const torvane::sim::Reply reply = protocol.Respond(line);

    FUZZ_CHECK(std::regex_match(reply.text, kAnswer));
    if (line == "TOR") continue;  // may swap the transponder after a lock
    if (!antenna) {
      FUZZ_CHECK(supply.all() == before);
      if (reply.text == "ACK") FUZZ_CHECK(false);
      continue;
    }
    const std::optional<Transponder> expected = Expected(before[*antenna], line, nakPage);
    FUZZ_CHECK((reply.text == "ACK") == expected.has_value());
    std::vector<Transponder> now = before;
    if (expected) now[*antenna] = *expected;
    FUZZ_CHECK(supply.all() == now);
  }
  return 0;
}
