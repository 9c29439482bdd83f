#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "config/config_dialog_editor.h"
#include "config/fake_dialog_view.h"
#include "config/set_list.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"

namespace torvane {
namespace {

namespace dlg = ids::configuration_dialog;

constexpr std::uint32_t kIdGreen = CarrierIdLayout::kIdentifierGreen;

class ConfigDialogRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 16; ++i) {
      set.byteHex[i] = "41";
      set.byteAscii[i] = "A";
    }
    state.workingDirectory = "/station";
  }

  void UseCounter(const std::string& offset, const std::string& length, const std::string& id) {
    SelectSource(set, DataSource::DecimalCounter);
    set.carrierIdOffset = offset;
    set.carrierIdLength = length;
    set.carrierId = id;
  }

  test::FakeDialogView view;
  ConfigDialogState state;
  ConfigurationSet& set = state.set;
  ConfigDialogEditor editor{view, view, state};
};

TEST_F(ConfigDialogRulesTest, EachSourceSetsItsValuesAndControls) {
  struct Case {
    DataSource source;
    bool log, logEnabled, fill, offset, carrierId, memoryPage, lockCarrierId, pageControls;
    std::string memoryPageText;
  };
  const std::vector<Case> cases = {
      {DataSource::DecimalCounter, false, true, true, true, true, false, true, true, "1"},
      {DataSource::Csv, true, false, false, true, false, true, false, true, "9"},
      {DataSource::CsvComplete, true, false, false, false, false, false, false, false, ""},
      {DataSource::FixData, false, true, false, false, false, false, false, true, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.source));
    view = {};
    set.log = false;
    set.lockCarrierId = true;
    set.carrierIdOffset = "2";
    set.carrierIdLength = "4";
    set.carrierId = "77";
    set.memoryPage = "9";
    set.fixByte.fill(false);
    set.writePages3To17 = false;
    set.counterPage = "5";
    set.alignment = "Left";
    editor.OnDataSource(c.source);

    EXPECT_EQ(SourceOf(set), c.source);
    EXPECT_TRUE(view.images.at(dlg::kSourceDecimalCounter) ==
                (c.source == DataSource::DecimalCounter));
    EXPECT_TRUE(view.images.at(dlg::kSourceFixData) == (c.source == DataSource::FixData));
    EXPECT_EQ(set.log, c.log);
    EXPECT_EQ(view.enabled(dlg::kLog), c.logEnabled);
    EXPECT_FALSE(view.enabled(dlg::kLogOpen) && !c.log);
    EXPECT_EQ(view.enabled(dlg::kFill), c.fill);
    for (int field : {dlg::kOffset, dlg::kLength}) {
      EXPECT_EQ(view.enabled(field), c.offset);
      EXPECT_EQ(view.colours.at(field), c.offset ? colour::kWhite : colour::kGrey);
    }
    EXPECT_EQ(set.carrierIdOffset, c.offset ? "2" : "");
    EXPECT_EQ(view.enabled(dlg::kCarrierId), c.carrierId);
    EXPECT_EQ(view.colours.at(dlg::kCarrierId), c.carrierId ? colour::kWhite : colour::kGrey);
    EXPECT_EQ(set.carrierId, c.carrierId ? "77" : "");
    EXPECT_EQ(view.enabled(dlg::kMemoryPage), c.memoryPage);
    EXPECT_EQ(view.colours.at(dlg::kMemoryPage), c.memoryPage ? colour::kWhite : colour::kGrey);
    EXPECT_EQ(set.memoryPage, c.memoryPageText);
    EXPECT_EQ(view.enabled(dlg::kLockCarrierId), c.lockCarrierId);
    EXPECT_EQ(set.lockCarrierId, c.lockCarrierId);
    for (int control : {dlg::kHexByte[3], dlg::kAsciiByte[15], dlg::kFixByte[8], dlg::kEditPage[1],
                        dlg::kLockPage[0], dlg::kWritePages3To17, dlg::kPagesEdit,
                        dlg::kCounterPage, dlg::kAlignment}) {
      EXPECT_EQ(view.enabled(control), c.pageControls) << control;
    }
    const bool complete = c.source == DataSource::CsvComplete;
    EXPECT_EQ(set.writePages3To17, complete);
    EXPECT_EQ(set.counterPage, complete ? "None" : "5");
    EXPECT_EQ(set.alignment, complete ? "None" : "Left");
    EXPECT_EQ(set.fixByte[0], c.source == DataSource::FixData);
    EXPECT_FALSE(view.enabled(ids::kOk));
  }
}

TEST_F(ConfigDialogRulesTest, LoadedSetShowsItsSource) {
  struct Case {
    bool counter, csv, complete, fix;
    std::uint32_t offsetColour, carrierIdColour, memoryPageColour;
    bool fill, lockKept;
  };
  const std::vector<Case> cases = {
      {true, false, false, false, colour::kWhite, colour::kWhite, colour::kGrey, true, true},
      {false, true, false, false, colour::kWhite, colour::kGrey, colour::kWhite, false, false},
      {false, false, false, true, colour::kGrey, colour::kGrey, colour::kGrey, false, false},
      // No flag at all is fix data, as production takes it; ".csv file" wins over the counter.
      {false, false, false, false, colour::kGrey, colour::kGrey, colour::kGrey, false, false},
      {true, true, false, false, colour::kWhite, colour::kGrey, colour::kWhite, false, false},
  };
  for (const Case& c : cases) {
    view = {};
    set.sourceDecimalCounter = c.counter;
    set.sourceCsv = c.csv;
    set.sourceCsvComplete = c.complete;
    set.sourceFixData = c.fix;
    set.lockCarrierId = true;
    set.typeQuorvi = false;
    set.typeTi = false;
    editor.OnSetLoaded();

    EXPECT_EQ(view.colours.at(dlg::kOffset), c.offsetColour);
    EXPECT_EQ(view.colours.at(dlg::kCarrierId), c.carrierIdColour);
    EXPECT_EQ(view.colours.at(dlg::kMemoryPage), c.memoryPageColour);
    EXPECT_EQ(view.enabled(dlg::kFill), c.fill);
    EXPECT_EQ(set.lockCarrierId, c.lockKept);
    EXPECT_TRUE(view.images.at(dlg::kTypeTi));
    EXPECT_FALSE(view.images.at(dlg::kTypeQuorvi));
    EXPECT_FALSE(view.touched(ids::kOk));
  }
}

TEST_F(ConfigDialogRulesTest, CheckCarrierIdLengthCorrectsWhatDoesNotFit) {
  struct Case {
    DataSource source;
    std::string offset, length, memoryPage, offsetAfter, lengthAfter, message;
  };
  const std::string tooLong = "Carrier ID Length must be under 16.";
  const std::string pastArea = "Carrier ID Offset + Carrier ID Length must be under 16.";
  const std::vector<Case> cases = {
      {DataSource::DecimalCounter, "0", "20", "1", "0", "16", tooLong},
      {DataSource::DecimalCounter, "10", "10", "1", "10", "6", pastArea},
      {DataSource::DecimalCounter, "0", "16", "1", "0", "16", ""},
      {DataSource::Csv, "10", "10", "1", "10", "10", ""},
      {DataSource::Csv, "3", "6", "17", "3", "5",
       "On Page 17 Carrier ID Offset + Carrier ID Length must be under 8."},
      {DataSource::Csv, "2", "6", "17", "2", "6", ""},
      {DataSource::Csv, "10", "10", "16", "10", "6",
       "On Page 16 Carrier ID Offset + Carrier ID Length must be under 16."},
      // An identifier that would start past the last byte is moved onto it.
      {DataSource::Csv, "9", "2", "99", "7", "1",
       "On Page 17 Carrier ID Offset + Carrier ID Length must be under 8."},
      {DataSource::Csv, "30", "2", "1", "15", "2", "Carrier ID Offset must be under 16."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset + "/" + c.length + "/" + c.memoryPage);
    view = {};
    SelectSource(set, c.source);
    set.carrierIdOffset = c.offset;
    set.carrierIdLength = c.length;
    set.memoryPage = c.memoryPage;
    editor.OnLayoutEnter();
    EXPECT_EQ(set.carrierIdOffset, c.offsetAfter);
    EXPECT_EQ(set.carrierIdLength, c.lengthAfter);
    ASSERT_EQ(view.messages.size(), c.message.empty() ? 0u : 1u);
    if (!c.message.empty()) {
      EXPECT_EQ(view.messages[0].text, c.message);
      EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    }
    EXPECT_FALSE(view.enabled(ids::kOk));
  }
}

TEST_F(ConfigDialogRulesTest, FillPlacesTheCounterAndMarksTheOtherBytesFixed) {
  UseCounter("2", "4", "12");
  editor.OnFill();
  const std::vector<std::string> hex = {"00", "00", "30", "30", "31", "32", "00", "00",
                                        "41", "41", "41", "41", "41", "41", "41", "41"};
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    const bool inside = i >= 2 && i < 6;
    EXPECT_EQ(set.byteHex[i], hex[i]);
    EXPECT_EQ(set.byteAscii[i], hex[i] == "00" ? "NUL" : hex[i] == "41" ? "A" : set.byteAscii[i]);
    EXPECT_EQ(view.colours.at(dlg::kHexByte[i]), inside ? kIdGreen : colour::kWhite);
    EXPECT_EQ(view.colours.at(dlg::kAsciiByte[i]), inside ? kIdGreen : colour::kWhite);
    EXPECT_EQ(set.fixByte[i], !inside);
    EXPECT_EQ(view.images.at(dlg::kFixByte[i]), !inside);
  }
  EXPECT_EQ(set.byteAscii[5], "2");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_FALSE(view.enabled(ids::kOk));
}

TEST_F(ConfigDialogRulesTest, LayoutOfTheOtherSources) {
  // A CSV identifier from byte 12 of page 1 on runs into page 3.
  SelectSource(set, DataSource::Csv);
  set.carrierIdOffset = "12";
  set.carrierIdLength = "6";
  set.memoryPage = "1";
  editor.OnSetLoaded();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(set.fixByte[i], i < 12) << i;
  EXPECT_EQ(view.colours.at(dlg::kHexByte[12]), kIdGreen);
  EXPECT_EQ(set.byteHex[3], "00");
  EXPECT_EQ(set.byteHex[12], "41");
  EXPECT_TRUE(set.writePages3To17);

  // Page 2 shifts the identifier by eight bytes.
  set.carrierIdOffset = "0";
  set.carrierIdLength = "2";
  set.memoryPage = "2";
  editor.OnSetLoaded();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(set.fixByte[i], i != 8 && i != 9) << i;

  SelectSource(set, DataSource::FixData);
  editor.OnSetLoaded();
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(set.fixByte[i]);
    EXPECT_EQ(view.colours.at(dlg::kHexByte[i]), colour::kWhite);
  }
}

TEST_F(ConfigDialogRulesTest, ByteEntryConvertsAndMovesOn) {
  struct Case {
    bool hexRow;
    int byte;
    std::string typed, hex, chars;
    int next;
    bool refused;
  };
  const std::vector<Case> cases = {
      {false, 0, "A", "41", "A", 1, false},
      {false, 3, "NUL", "00", "NUL", 4, false},
      {true, 15, "4a", "4A", "J", 0, false},
      {true, 7, "7", "07", "\x07", 8, false},
      {true, 9, "FF", "FF", "\xFF", 10, false},
      // Two characters are no byte: the byte keeps its forms.
      {false, 15, "AB", "41", "A", 0, true},
      {true, 2, "G1", "41", "A", 3, true},
  };
  SelectSource(set, DataSource::FixData);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    view = {};
    const auto& row = c.hexRow ? dlg::kHexByte : dlg::kAsciiByte;
    set.byteHex[c.byte] = "41";
    set.byteAscii[c.byte] = "A";
    view.typed = [&] { (c.hexRow ? set.byteHex[c.byte] : set.byteAscii[c.byte]) = c.typed; };
    editor.OnByteEntry(row[c.byte]);
    EXPECT_EQ(set.byteHex[c.byte], c.hex);
    EXPECT_EQ(set.byteAscii[c.byte], c.chars);
    EXPECT_EQ(view.focus, row[c.next]);
    EXPECT_TRUE(view.focusSelectsAll);
    EXPECT_EQ(view.messages.size(), c.refused ? 1u : 0u);
    EXPECT_FALSE(view.enabled(ids::kOk));
  }
}

TEST_F(ConfigDialogRulesTest, TypedCounterBytesBecomeTheCarrierIdOnlyAsDigits) {
  UseCounter("0", "3", "5");
  editor.OnFill();
  EXPECT_EQ(set.byteHex[2], "35");
  set.byteAscii[1] = "7";
  editor.OnByteEntry(dlg::kAsciiByte[1]);
  EXPECT_EQ(set.carrierId, "075");
  EXPECT_EQ(view.colours.at(dlg::kHexByte[1]), kIdGreen);
  EXPECT_EQ(view.colours.at(dlg::kHexByte[3]), colour::kWhite);

  // A letter would read as counter 0 and repeat identifiers.
  set.byteAscii[0] = "X";
  editor.OnByteEntry(dlg::kAsciiByte[0]);
  EXPECT_EQ(set.carrierId, "075");
  ASSERT_EQ(view.messages.size(), 1u);
}

TEST_F(ConfigDialogRulesTest, LockFlagsFollowThePagesOfTheCarrierId) {
  struct Case {
    std::string offset, length;
    int pressed;  // 0 "Lock Carrier ID", else the page
    bool lockId, lock1, lock2;
    bool expectId, expect1, expect2;
  };
  const std::vector<Case> cases = {
      {"2", "4", 0, true, false, false, true, true, false},
      {"6", "4", 0, true, false, false, true, true, true},
      {"8", "4", 0, true, false, false, true, false, true},
      {"6", "4", 0, false, true, true, false, false, false},
      {"2", "4", 1, false, true, false, true, true, false},
      {"2", "6", 1, false, true, false, true, true, false},  // ends on byte 7: page 1 alone
      {"6", "4", 1, false, true, false, false, true, false},
      {"6", "4", 2, false, true, true, true, true, true},
      {"8", "4", 2, false, false, true, true, false, true},  // starts on page 2
      {"8", "4", 1, true, false, true, true, false, true},   // page 1 holds none of it
      {"6", "4", 1, true, false, true, false, false, true},
      {"2", "4", 2, true, true, false, true, true, false},  // page 2 holds none of it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset + "+" + c.length + " pressed " + std::to_string(c.pressed));
    view = {};
    UseCounter(c.offset, c.length, "1");
    set.lockCarrierId = c.lockId;
    set.lockPage[0] = c.lock1;
    set.lockPage[1] = c.lock2;
    if (c.pressed == 0) {
      editor.OnLockCarrierId();
    } else {
      editor.OnLockPage(c.pressed);
    }
    EXPECT_EQ(set.lockCarrierId, c.expectId);
    EXPECT_EQ(set.lockPage[0], c.expect1);
    EXPECT_EQ(set.lockPage[1], c.expect2);
    EXPECT_EQ(view.images.at(dlg::kLockCarrierId), c.expectId);
    EXPECT_EQ(view.images.at(dlg::kLockPage[1]), c.expect2);
  }

  // Without the decimal counter the page locks stand alone.
  SelectSource(set, DataSource::Csv);
  set.lockCarrierId = false;
  set.lockPage = {};
  set.lockPage[0] = true;
  editor.OnLockPage(1);
  EXPECT_FALSE(set.lockCarrierId);
}

TEST_F(ConfigDialogRulesTest, OkStaysOnlyForWhatChangesNoSetData) {
  struct Case {
    const char* name;
    std::function<void()> press;
    bool disablesOk;
  };
  view.chosenFiles = {};
  const std::vector<Case> cases = {
      {"source", [&] { editor.OnDataSource(DataSource::Csv); }, true},
      {"fill", [&] { editor.OnFill(); }, true},
      {"layout Enter", [&] { editor.OnLayoutEnter(); }, true},
      {"lock carrier ID", [&] { editor.OnLockCarrierId(); }, true},
      {"lock page", [&] { editor.OnLockPage(2); }, true},
      {"flag button", [&] { editor.OnFlagButton(); }, true},
      {"log", [&] { editor.OnLog(); }, true},
      {"counter page timer", [&] { editor.OnCounterPageTimer(); }, true},
      {"byte entry", [&] { editor.OnByteEntry(dlg::kHexByte[4]); }, true},
      {"source open, cancelled", [&] { editor.OnSourceOpen(); }, true},
      {"log open, cancelled", [&] { editor.OnLogOpen(); }, true},
      {"transponder type", [&] { editor.OnTransponderType(true); }, true},
      {"layout Tab", [&] { editor.OnLayoutTab(dlg::kOffset); }, false},
      {"work order Enter", [&] { editor.OnWorkOrderNext(dlg::kQuantity); }, false},
      {"pages dialog cancelled", [&] { editor.OnPagesEdit(); }, false},
      {"loaded set", [&] { editor.OnSetLoaded(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view = {};
    UseCounter("0", "4", "1");
    c.press();
    EXPECT_EQ(!view.enabled(ids::kOk), c.disablesOk);
  }
}

TEST_F(ConfigDialogRulesTest, FocusCyclesThroughTheFieldsOfTheSource) {
  struct Case {
    DataSource source;
    int from, to;
  };
  const std::vector<Case> cases = {
      {DataSource::DecimalCounter, dlg::kOffset, dlg::kLength},
      {DataSource::DecimalCounter, dlg::kLength, dlg::kCarrierId},
      {DataSource::DecimalCounter, dlg::kCarrierId, dlg::kOffset},
      {DataSource::Csv, dlg::kLength, dlg::kMemoryPage},
      {DataSource::Csv, dlg::kMemoryPage, dlg::kOffset},
      {DataSource::FixData, dlg::kOffset, 0},
  };
  for (const Case& c : cases) {
    view = {};
    SelectSource(set, c.source);
    editor.OnLayoutTab(c.from);
    EXPECT_EQ(view.focus, c.to) << c.from;
  }
  editor.OnWorkOrderNext(dlg::kQuantity);
  EXPECT_EQ(view.focus, dlg::kOperatorBadge);
  editor.OnWorkOrderNext(dlg::kPartNumber);
  EXPECT_EQ(view.focus, dlg::kWorkOrderNumber);
}

// A source pressed by mistake must not send the counter back to 0: the carrier
// ID ledger would refuse every ID it then gives.
TEST_F(ConfigDialogRulesTest, CounterCarrierIdOutlivesASourceThatEmptiesIt) {
  struct Case {
    const char* name;
    std::function<void()> back;  // to a set with the decimal counter again
  };
  const std::vector<Case> cases = {
      {"the counter pressed again", [&] { editor.OnDataSource(DataSource::DecimalCounter); }},
      {"another set picked",
       [&] {
         state.name = "Other";
         editor.OnLoad();
       }},
  };
  for (DataSource other : {DataSource::Csv, DataSource::CsvComplete, DataSource::FixData}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name + std::string(" after ") + std::to_string(static_cast<int>(other)));
      UseCounter("0", "8", "500");
      editor.OnDataSource(other);
      EXPECT_EQ(set.carrierId, "");
      c.back();
      EXPECT_EQ(set.carrierId, "500");
    }
  }
}

TEST_F(ConfigDialogRulesTest, TransponderTypeKeepsExactlyOneOn) {
  set.typeTi = false;  // TI was on; its press cleared it
  set.typeQuorvi = false;
  editor.OnTransponderType(true);
  EXPECT_TRUE(set.typeQuorvi);
  set.typeQuorvi = true;  // Quorvi was off; its press set it
  set.typeTi = true;
  editor.OnTransponderType(false);
  EXPECT_FALSE(set.typeTi);
  EXPECT_TRUE(view.images.at(dlg::kTypeQuorvi));
  EXPECT_FALSE(view.images.at(dlg::kTypeTi));
}

TEST_F(ConfigDialogRulesTest, CounterPageTimerHandsThePageToTheCounter) {
  set.editPage.fill(true);
  set.counterPage = "5";
  editor.OnCounterPageTimer();
  EXPECT_FALSE(set.editPage[4]);
  EXPECT_TRUE(set.editPage[5]);
  EXPECT_TRUE(set.writePages3To17);
  EXPECT_TRUE(view.images.at(dlg::kWritePages3To17));

  set.writePages3To17 = false;
  set.counterPage = "None";
  editor.OnCounterPageTimer();
  EXPECT_FALSE(set.writePages3To17);
}

TEST_F(ConfigDialogRulesTest, FileChoosers) {
  SelectSource(set, DataSource::Csv);
  view.chosenFiles = {"/data/ids.CSV"};
  editor.OnSourceOpen();
  ASSERT_EQ(view.requests.size(), 1u);
  EXPECT_EQ(view.requests[0].kind, FileRequest::Kind::Open);
  EXPECT_EQ(view.requests[0].filter, "*.csv");
  EXPECT_EQ(view.requests[0].start, "/station");
  EXPECT_EQ(set.sourceFile, "/data/ids.CSV");
  EXPECT_EQ(set.logFile, "/data/ids.xml");

  // A source without the csv ending never becomes its own record file.
  view.chosenFiles = {"/data/ids.xml"};
  editor.OnSourceOpen();
  EXPECT_EQ(view.requests[1].start, "/data/ids.CSV");
  EXPECT_EQ(set.logFile, "/data/ids.xml.xml");

  set.logFile.clear();
  editor.OnLogOpen();
  EXPECT_EQ(view.requests[2].kind, FileRequest::Kind::Save);
  EXPECT_EQ(view.requests[2].filter, "*.xml");
  EXPECT_EQ(view.requests[2].defaultExtension, "xml");
  EXPECT_EQ(set.logFile, "/station/vexa_record.xml");
  view.chosenFiles = {"/records/job.xml"};
  editor.OnLogOpen();
  EXPECT_EQ(view.requests[3].start, "/station/vexa_record.xml");
  EXPECT_EQ(set.logFile, "/records/job.xml");
}

TEST_F(ConfigDialogRulesTest, PagesDialogResultIsTakenBackOnOkOnly) {
  set.byteHex[20] = "41";
  set.byteAscii[20] = "A";
  view.pagesDialog = [](PagesDialogState& pages) {
    EXPECT_EQ(pages.displayed[20], "41");
    pages.displayed[20] = "4a";
    pages.editPage[9] = true;
    return false;
  };
  editor.OnPagesEdit();
  EXPECT_EQ(set.byteHex[20], "41");
  EXPECT_FALSE(set.editPage[9]);

  view.pagesDialog = [](PagesDialogState& pages) {
    pages.displayed[20] = "4a";
    pages.editPage[9] = true;
    pages.editPage[0] = true;  // page 1 is not the pages dialog's
    pages.counterValue = "00000124";
    return true;
  };
  editor.OnPagesEdit();
  EXPECT_EQ(set.byteHex[20], "4A");
  EXPECT_EQ(set.byteAscii[20], "J");
  EXPECT_TRUE(set.editPage[9]);
  EXPECT_FALSE(set.editPage[0]);
  EXPECT_TRUE(set.writePages3To17);
  EXPECT_EQ(set.counterValue, "00000124");
  EXPECT_FALSE(view.enabled(ids::kOk));
}

class ConfigDialogFilesTest : public ConfigDialogRulesTest {
 protected:
  void SetUp() override {
    ConfigDialogRulesTest::SetUp();
    folder = std::filesystem::temp_directory_path() /
             ("torvane-dialog-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    state.workingDirectory = folder.string();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::filesystem::path folder;
};

TEST_F(ConfigDialogFilesTest, SaveWritesWhatTheDialogShowsAndEnablesOk) {
  state.name = "Job 7";
  state.setList = {"Job 1"};
  UseCounter("2", "20", "12");
  set.quantity = "50";
  editor.OnSave();
  // The layout was corrected and brought up to date before the file was written.
  EXPECT_EQ(set.carrierIdLength, "14");
  EXPECT_EQ(set.byteHex[2], "30");
  EXPECT_TRUE(std::filesystem::exists(folder / "Job 7.ini"));
  EXPECT_TRUE(view.enabled(ids::kOk));
  EXPECT_TRUE(state.saved);
  EXPECT_EQ(state.setList, (SetList{"Job 1", "Job 7"}));

  // Another set picked: everything but the carrier ID and the counter value from its file.
  set.quantity = "1";
  set.carrierId = "900";
  set.counterValue = "33";
  editor.OnLoad();
  EXPECT_EQ(set.quantity, "50");
  EXPECT_EQ(set.carrierIdLength, "14");
  EXPECT_EQ(set.carrierId, "900");
  EXPECT_EQ(set.counterValue, "33");
}

TEST_F(ConfigDialogFilesTest, RefusedNameWritesNothing) {
  state.name = "../outside";
  editor.OnByteEntry(dlg::kHexByte[0]);
  editor.OnSave();
  EXPECT_FALSE(view.enabled(ids::kOk));
  EXPECT_FALSE(state.saved);
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  ASSERT_FALSE(view.messages.empty());
  EXPECT_TRUE(state.setList.empty());
}

TEST_F(ConfigDialogFilesTest, DeleteClosesTheGapAndKeepsTheFileAndOk) {
  state.setList = {"A", "B", "C"};
  state.name = "B";
  editor.OnByteEntry(dlg::kHexByte[0]);
  editor.OnSave();
  editor.OnDelete();
  EXPECT_EQ(state.setList, (SetList{"A", "C"}));
  EXPECT_EQ(state.name, "");
  EXPECT_TRUE(std::filesystem::exists(folder / "B.ini"));
  EXPECT_TRUE(view.enabled(ids::kOk));
}

}  // namespace
}  // namespace torvane
