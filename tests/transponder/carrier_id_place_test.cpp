#include <gtest/gtest.h>

#include <string>

#include "transponder/carrier_id_place.h"

namespace torvane {
namespace {

TEST(CarrierIdPlace, ReadsTypedNumbersAndCutsTheDigits) {
  struct Row {
    std::string offset, length;
    long long wantOffset;
    int wantLength;
    std::string digits;  // out of pages 0011223344556677 and 8899AABBCCDDEEFF
  };
  const Row rows[] = {
      {"", "", 0, 1, "00"},
      {"6x", "20", 6, 16, "66778899AABBCCDDEEFF"},  // digits beyond page 2 are missing
      {"-2", "2", -2, 2, "0011"},                   // a negative offset counts from the start
      {"99999999999999999999", "3", 1'000'000'000, 3, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset + "/" + row.length);
    const CarrierIdPlace place = CarrierIdPlace::FromFields({row.offset, row.length, ""});
    EXPECT_EQ(place.offset(), row.wantOffset);
    EXPECT_EQ(place.length(), row.wantLength);
    EXPECT_EQ(place.DigitsFrom("0011223344556677", "8899AABBCCDDEEFF"), row.digits);
  }
}

}  // namespace
}  // namespace torvane
