#include "platform/decimal_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace torvane {
namespace {

// One scan, two readings: the operator's lenient one and a file's strict one.
TEST(DecimalTextTest, TypedNumbersAreLenientAndFileNumbersWhole) {
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
  struct Case {
    std::string text;
    std::uint64_t typed;
    std::optional<std::uint64_t> whole;
    long long position;
  };
  const Case cases[] = {
      {"42", 42, 42, 42},
      {"0000000042", 42, 42, 42},
      {"", 0, std::nullopt, 0},
      {"abc", 0, std::nullopt, 0},
      {"12abc", 12, std::nullopt, 12},
      {" 7", 7, std::nullopt, 7},
      {"7 ", 7, std::nullopt, 7},
      {"-1", 0, std::nullopt, -1},
      {"+5", 5, std::nullopt, 5},
      {"18446744073709551615", kLargest, kLargest, 1'000'000'000},
      {"18446744073709551616", kLargest, std::nullopt, 1'000'000'000},
      {"99999999999999999999999", kLargest, std::nullopt, 1'000'000'000},
      {"-99999999999999999999", 0, std::nullopt, -1'000'000'000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadDecimal(c.text), c.typed) << c.text;
    EXPECT_EQ(ReadWholeDecimal(c.text), c.whole) << c.text;
    EXPECT_EQ(ReadInteger(c.text), c.position) << c.text;
  }
  EXPECT_EQ(DecimalValue("99999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(DecimalValue("-9600"), -9600);
}

}  // namespace
}  // namespace torvane
