#include <gtest/gtest.h>

#include <string>

#include "transponder/carrier_id_place.h"

namespace torvane {
namespace {

constexpr char kPage1[] = "0011223344556677";
constexpr char kPage2[] = "8899AABBCCDDEEFF";

TEST(CarrierIdPlace, ReadsOffsetAndLimitsLength) {
  struct Row {
    std::string offset, length;
    long long wantOffset;
    int wantLength;
  };
  const Row rows[] = {
      {"2", "4", 2, 4},
      {"", "", 0, 1},
      {"abc", "0", 0, 1},
      {"6x", "20", 6, 16},
      {"-3", "8", -3, 8},
      {" 7", "16", 7, 16},
      {"99999999999999999999", "3", 1'000'000'000, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset + "/" + row.length);
    const CarrierIdPlace place = CarrierIdPlace::FromFields({row.offset, row.length, ""});
    EXPECT_EQ(place.offset(), row.wantOffset);
    EXPECT_EQ(place.length(), row.wantLength);
  }
}

TEST(CarrierIdPlace, CutsIdentifierOutOfThePages) {
  struct Row {
    long long offset;
    int length;
    bool page1, page2;
    std::string digits;
  };
  const Row rows[] = {
      {0, 8, true, false, "0011223344556677"},
      {6, 4, true, true, "66778899"},
      {10, 4, false, true, "AABBCCDD"},
      {0, 16, true, true, std::string(kPage1) + kPage2},
      {14, 4, false, true, "EEFF"},  // digits beyond the page are missing
      {-2, 2, true, false, "0011"},  // a negative offset takes the digits from the start
      {40, 2, false, true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset);
    const CarrierIdPlace place(row.offset, row.length);
    EXPECT_EQ(place.NeedsPage1(), row.page1);
    EXPECT_EQ(place.NeedsPage2(), row.page2);
    EXPECT_EQ(place.DigitsFrom(row.page1 ? kPage1 : "", row.page2 ? kPage2 : ""), row.digits);
  }
}

TEST(CarrierIdPlace, MergesIdentifierIntoThePages) {
  const std::string old = std::string(kPage1) + kPage2;
  EXPECT_EQ(CarrierIdPlace(2, 4).Merged(old, "41423132"), "0011414231326677" + std::string(kPage2));
  EXPECT_EQ(CarrierIdPlace(6, 4).Merged(old, "41424344"),
            "001122334455"
            "4142"
            "4344"
            "AABBCCDDEEFF");
  EXPECT_EQ(CarrierIdPlace(0, 16).Merged(old, std::string(32, 'A')), std::string(32, 'A'));
  EXPECT_EQ(CarrierIdPlace(15, 1).Merged(old, "41"), old.substr(0, 30) + "41");
}

TEST(CarrierIdPlace, RefusesWhatDoesNotFillItsPlace) {
  struct Row {
    long long offset;
    int length;
    PageForm form;
    std::string text;
    std::string error;  // empty: accepted
  };
  const std::string ascii4 = "change Carrier ID to a length of 4 characters";
  const std::string hex4 =
      "change Carrier ID to a length of 4 printable hexadecimal (20,21,..7E,..) characters";
  const Row rows[] = {
      {2, 4, PageForm::Ascii, "AB12", ""},
      {2, 4, PageForm::Ascii, "AB1", ascii4},
      {2, 4, PageForm::Ascii, "AB123", ascii4},
      {2, 4, PageForm::Hex, "41423132", ""},
      {2, 4, PageForm::Hex, "4142313", hex4},
      {2, 4, PageForm::Hex, "4142313G", hex4},
      {2, 4, PageForm::Hex, "41 42 31", hex4},
      {-1, 4, PageForm::Ascii, "AB12", "change Carrier ID Offset to a value from 0 to 12"},
      {13, 4, PageForm::Ascii, "AB12", "change Carrier ID Offset to a value from 0 to 12"},
      {12, 4, PageForm::Ascii, "AB12", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text + " at " + std::to_string(row.offset));
    const CarrierIdPlace place(row.offset, row.length);
    const Status fits = place.Fits();
    const Result<std::string> digits = place.IdentifierDigits(row.text, row.form);
    EXPECT_EQ(fits.ok() ? digits.error : fits.error, row.error);
  }
  EXPECT_EQ(CarrierIdPlace(0, 2).IdentifierDigits("A\xE4", PageForm::Ascii).value, "41E4");
}

}  // namespace
}  // namespace torvane
