#include "platform/hex_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace torvane {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(HexText, HexDigitValueReadsCodesAsSignedBytes) {
  const std::vector<std::pair<char, int>> cases = {{'0', 0},       {'9', 9},      {'A', 10},
                                                   {'F', 15},      {'a', 42},     {'G', 16},
                                                   {'\x80', 0x50}, {'\xFF', 0xCF}};
  for (const auto& [digit, value] : cases) EXPECT_EQ(HexDigitValue(digit), value) << digit;
}

TEST(HexText, CarrierIdDigitsConvertBothWays) {
  const Pairs toChars = {{"41423132", "AB12"}, {"414", "A\x04"}, {"0041", std::string("\0A", 2)}};
  for (const auto& [digits, chars] : toChars) EXPECT_EQ(HexToChars(digits), chars) << digits;
  std::string all;
  for (int value = 0; value < 256; ++value) all += static_cast<char>(value);
  EXPECT_EQ(CharsToHex("\xFF\x80z"), "FF807A");
  EXPECT_EQ(HexToChars(CharsToHex(all)), all);
}

}  // namespace
}  // namespace torvane
