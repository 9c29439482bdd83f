// Cutting received bytes into lines, and the pacing arithmetic of a serial line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "line_assembler.h"
#include "line_pacer.h"

namespace torvane::sim {
namespace {

struct SplitCase {
  std::string name;
  std::vector<std::string> chunks;
  std::vector<std::string> lines;
};

TEST(LineAssemblerTest, CutsAtCarriageReturnWhateverTheSplit) {
  const std::vector<SplitCase> cases = {
      {"whole", {"TOR\r"}, {"TOR"}},
      {"byte by byte", {"R", "U", "I", "D", "\r"}, {"RUID"}},
      {"joined", {"TOR\rRUID\rRD 1\r"}, {"TOR", "RUID", "RD 1"}},
      {"split across reads", {"TO", "R\rRU", "ID\r"}, {"TOR", "RUID"}},
      {"line feeds dropped", {"TOR\r\n", "\nRD\n 1\r"}, {"TOR", "RD 1"}},
      {"empty line", {"\r"}, {""}},
      {"unfinished", {"TOR"}, {}},
      {"binary", {std::string("\0\xFF\r", 3)}, {std::string("\0\xFF", 2)}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    LineAssembler assembler;
    std::vector<std::string> lines;
    for (const std::string& chunk : c.chunks)
      for (const char byte : chunk)
        if (auto line = assembler.Push(byte)) lines.push_back(*line);
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(LineAssemblerTest, FloodIsCutToTheLimitAndTheNextLineIsClean) {
  LineAssembler assembler;
  for (int i = 0; i < 5000; ++i) assembler.Push('A');
  const auto flood = assembler.Push('\r');
  ASSERT_TRUE(flood);
  EXPECT_EQ(flood->size(), LineAssembler::kMaxLineLength);
  for (const char byte : std::string("TOR")) assembler.Push(byte);
  EXPECT_EQ(assembler.Push('\r'), "TOR");
}

TEST(LinePacerTest, BytesQueueBehindEachOtherAtTenBitsEach) {
  using Clock = LinePacer::Clock;
  LinePacer pacer(9600);
  const auto byteTime = pacer.byteTime();
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::nanoseconds>(byteTime).count(), 1'041'666);

  const Clock::time_point start{std::chrono::seconds(100)};
  EXPECT_EQ(pacer.Carry(start), start + byteTime);
  EXPECT_EQ(pacer.Carry(start), start + 2 * byteTime);  // handed together: waits its turn
  const Clock::time_point later = start + std::chrono::seconds(1);
  EXPECT_EQ(pacer.Carry(later), later + byteTime);  // idle line: no backlog

  LinePacer unpaced(0);
  EXPECT_EQ(unpaced.Carry(later), later);
}

}  // namespace
}  // namespace torvane::sim
