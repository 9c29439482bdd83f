#include "production/last_carrier_id.h"
#include "platform/hex_text.h"

#include <gtest/gtest.h>

#include "production/production_record_file.h"
#include "production/record_blocks.h"
#include "production/record_rows.h"
#include "sample_record.h"
#include "support/scratch_directory.h"
#include "transponder/page_codec.h"

namespace torvane {
namespace {

// The rows of one record whose pages 1 and 2 hold `carrierId` (16 characters).
std::string RecordWithCarrierId(const std::string& carrierId, bool pagesSelected = true) {
  ProductionRecord record = test::SampleRecord();
  for (int page = 0; page < 2; ++page) {
    std::string hex;
    for (char c : carrierId.substr(8 * page, 8)) {
      hex += (hex.empty() ? "" : " ") + CharsToHex(std::string(1, c));
    }
    record.hexText[page] = hex;
    record.asciiText[page] = HexToAscii(hex);
  }
  const RecordedPages pages = RecordedPagesOf(record.hexText, record.asciiText, record.set.lockPage,
                                              [&](int i) { return pagesSelected && i < 2; });
  return RecordRows().Record("06/12/26;22:33:51", "", pages).text();
}

ConfigurationSet Layout(const char* offset, const char* length) {
  ConfigurationSet set;
  set.carrierIdOffset = offset;
  set.carrierIdLength = length;
  return set;
}

TEST(LastCarrierIdTest, CutsTheLayoutOutOfPagesOneAndTwoAndCountsOn) {
  const std::string tail = ProductionHeaderBlock("s", {}) + RecordWithCarrierId("0000004212345678");
  struct Case {
    const char* offset;
    const char* length;
    std::uint64_t next;
  } cases[] = {
      {"0", "8", 43},          {"4", "4", 43},  {"6", "4", 4213},  // across both pages
      {"0", "16", 4212345679}, {"14", "9", 79},                    // cut at the end of page 2
      {"0", "0", 1},           {"", "", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextCarrierIdAfter(tail, Layout(c.offset, c.length)), c.next)
        << c.offset << "/" << c.length;
  }
}

TEST(LastCarrierIdTest, TheLastRecordHoldingBothPagesCounts) {
  const ConfigurationSet set = Layout("0", "8");
  EXPECT_EQ(
      NextCarrierIdAfter(
          RecordWithCarrierId("00000041........") + RecordWithCarrierId("00000099........"), set),
      100u);
  EXPECT_EQ(NextCarrierIdAfter(RecordWithCarrierId("00000041........") +
                                   RecordWithCarrierId("00000099........", false),
                               set),
            42u);
  EXPECT_EQ(NextCarrierIdAfter(ProductionHeaderBlock("s", {}), set), std::nullopt);
  // A row cut at the front of the text is not read.
  const std::string record = RecordWithCarrierId("00000041........");
  EXPECT_EQ(NextCarrierIdAfter(record.substr(12), set), std::nullopt);
}

TEST(LastCarrierIdTest, ReadsTheEndOfALongRecordFile) {
  test::ScratchDirectory folder;
  int count = 0;
  ProductionRecordFile file(folder.path());
  ProductionRecord record = test::SampleRecord();
  record.set.logFile = folder.File("r.xml");
  bool headerPending = true;
  for (; count < 20; ++count) ASSERT_TRUE(file.AppendProductionRecord(record, headerPending).ok());
  EXPECT_EQ(NextCarrierIdAfterFile(folder.File("r.xml"), Layout("0", "8")), 43u);
  EXPECT_EQ(NextCarrierIdAfterFile(folder.File("missing.xml"), Layout("0", "8")), std::nullopt);
}

}  // namespace
}  // namespace torvane
