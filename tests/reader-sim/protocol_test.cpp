// The reader's answers and what each command does to the transponder.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "reader_protocol.h"
#include "transponder_supply.h"

namespace torvane::sim {
namespace {

constexpr Page kPreset = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
constexpr Page kWritten = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};

struct Case {
  std::string command;
  std::string answer;
  std::optional<int> changedPage;  // the page written or locked, if any
};

class ProtocolTest : public ::testing::Test {
 protected:
  ProtocolTest() {
    Transponder prepared;
    prepared.uid = "E0041234";
    prepared.pages[1] = kPreset;
    prepared.locked[2] = true;  // page 3
    supply.Place(prepared);
  }
  TransponderSupply supply{0xE0040001, true, false};
  ReaderProtocol protocol{supply};
};

TEST_F(ProtocolTest, AnswersEachCommandAndChangesOnlyWhatItNames) {
  const std::vector<Case> cases = {
      {"TOR", "10", {}},
      {"RUID", "E0041234", {}},
      {"RD 2", "0123456789ABCDEF", {}},
      {"RD 17", "0000000000000000", {}},
      {"WD 1 0011223344556677", "ACK", 1},
      {"WD 17 0011223344556677", "ACK", 17},
      {"LD 5", "ACK", 5},
      {"LD 3", "ACK", 3},  // locking a locked page again
      // Malformed page numbers and arguments.
      {"RD 0", "ERR", {}},
      {"RD 18", "ERR", {}},
      {"RD 01", "ERR", {}},
      {"RD", "ERR", {}},
      {"RD 1 ", "ERR", {}},
      {"RD x", "ERR", {}},
      {"WD 3 0011223344556677", "NAK", {}},  // locked
      {"WD 0 0011223344556677", "NAK", {}},
      {"WD 18 0011223344556677", "NAK", {}},
      {"WD 1 00112233445566", "NAK", {}},
      {"WD 1 001122334455667788", "NAK", {}},
      {"WD 1 00112233445566GG", "NAK", {}},
      {"WD 1  0011223344556677", "NAK", {}},
      {"WD 10011223344556677", "NAK", {}},
      {"WD 1", "NAK", {}},
      {"WD", "NAK", {}},
      {"LD 0", "NAK", {}},
      {"LD 18", "NAK", {}},
      {"LD", "NAK", {}},
      // Anything else.
      {"", "ERR", {}},
      {"tor", "ERR", {}},
      {"TOR ", "ERR", {}},
      {"RUID?", "ERR", {}},
      {std::string("\0\xFF\x1B", 3), "ERR", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const Transponder before = *supply.onAntenna();
    EXPECT_EQ(protocol.Respond(c.command).text, c.answer);
    Transponder expected = before;
    if (c.changedPage && c.command.starts_with("WD")) expected.pages[*c.changedPage - 1] = kWritten;
    if (c.changedPage && c.command.starts_with("LD")) expected.locked[*c.changedPage - 1] = true;
    EXPECT_EQ(*supply.onAntenna(), expected);
    supply.Place(before);
  }
}

TEST_F(ProtocolTest, WithoutTransponderReadsFailAndWritesAreRefused) {
  supply.Remove();
  const std::pair<const char*, const char*> cases[] = {{"TOR", "10"},
                                                       {"RUID", "No Read"},
                                                       {"RD 1", "No Read"},
                                                       {"WD 1 0011223344556677", "NAK"},
                                                       {"LD 1", "NAK"}};
  for (const auto& [command, answer] : cases) EXPECT_EQ(protocol.Respond(command).text, answer);
}

}  // namespace
}  // namespace torvane::sim
