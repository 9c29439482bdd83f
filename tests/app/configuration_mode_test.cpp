#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <string>
#include <vector>

#include "config/set_file.h"
#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "station_window_fixture.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

constexpr int kManualGroup[] = {ids::kReadButton,           ids::kWriteButton,
                                ids::kLockButton,           ids::kDefaultContentButton,
                                ids::kCarrierIdOffsetField, ids::kCarrierIdField,
                                ids::kReadCarrierIdButton,  ids::kWriteCarrierIdButton,
                                ids::kReadUidButton,        ids::kUidField,
                                ids::kTransponderTypeLabel, ids::kTiButton,
                                ids::kQuorviButton,         ids::kLogCheck,
                                ids::kLogFileName,          ids::kLogOpenButton};
constexpr int kConfigGroup[] = {ids::kConfigSetName, ids::kNextField, ids::kMaxField,
                                ids::kNextSpin,      ids::kMaxSpin,   ids::kOneButton,
                                ids::kNextLabel,     ids::kMaxLabel,  ids::kContButton};

enum class Source { DecimalCounter, Csv, CsvComplete, FixData };

// Page n's bytes: the letter 'A' + n - 1, then 1 to 6, then a zero byte.
ConfigurationSet SetOf(Source source, bool writeUserPages) {
  ConfigurationSet set;
  set.quantity = "50";
  set.sourceDecimalCounter = source == Source::DecimalCounter;
  set.sourceCsv = source == Source::Csv;
  set.sourceCsvComplete = source == Source::CsvComplete;
  set.sourceFixData = source == Source::FixData;
  set.carrierId = "1000";
  set.alignment = "Left";
  set.typeQuorvi = true;
  const char* const bytes[] = {"", "01", "02", "03", "04", "05", "06", "00"};
  for (int page = 0; page < 17; ++page) {
    for (int i = 0; i < 8; ++i) {
      char letter[3];
      std::snprintf(letter, sizeof letter, "%02X", 'A' + page);
      set.byteHex[8 * page + i] = i == 0 ? letter : bytes[i];
    }
  }
  set.editPage[2] = set.editPage[16] = true;
  set.writePages3To17 = writeUserPages;
  return set;
}

class ConfigurationModeTest : public StationWindowTest {
 protected:
  // A station whose settings name the set "Lot" and the mode, with the set file.
  void StartWithSet(const ConfigurationSet& set, int configMode, int format = 0) {
    ASSERT_TRUE(SaveSetFile(directory_.filePath("Lot.ini").toStdString(), set).ok());
    WriteSettingsForPort("/dev/null/none", "[Auto]\r\nSelectConfig=" + std::to_string(configMode) +
                                               "\r\nPruefablauf_ist=Lot\r\nCarrier ID Max=1049\r\n"
                                               "[Data]\r\nFormat=" +
                                               std::to_string(format) + "\r\n");
    Start();
  }

  EnterEdit* Page(int page) const { return Control<EnterEdit>(ids::kPageField[page - 1]); }
  bool Editable(int page) const {
    const ColorStyle& style = Page(page)->colorStyle();
    return Page(page)->isEnabled() && style.textColour() == colour::kBlack &&
           style.backgroundColour() == colour::kWhite;
  }
  bool Greyed(int page) const {
    const ColorStyle& style = Page(page)->colorStyle();
    return !Page(page)->isEnabled() && style.textColour() == colour::kGreyText &&
           style.backgroundColour() == colour::kGrey;
  }
  bool ShowsSet(int id) const { return Control<ImageButton>(id)->showsSetImage(); }
  void Click(int id) const { Control<QAbstractButton>(id)->click(); }
  std::string Text(int id) const { return Control<QLineEdit>(id)->text().toStdString(); }
};

TEST_F(ConfigurationModeTest, StartsInConfigModeWithThePagesAndFlagsOfTheSet) {
  struct Case {
    Source source;
    bool writeUserPages;
    int format;
    bool counterInUse;
  };
  for (const Case c :
       {Case{Source::DecimalCounter, true, 0, true}, Case{Source::CsvComplete, false, 1, true},
        Case{Source::Csv, true, 1, false}, Case{Source::FixData, false, 0, false}}) {
    SCOPED_TRACE(static_cast<int>(c.source));
    ASSERT_NO_FATAL_FAILURE(StartWithSet(SetOf(c.source, c.writeUserPages), 1, c.format));
    const StationState& state = window_->state();

    EXPECT_TRUE(ShowsSet(ids::kConfigModeButton));
    EXPECT_FALSE(ShowsSet(ids::kManualModeButton));
    EXPECT_EQ(Control<ColorLabel>(ids::kConfigSetName)->text(), "Lot");
    for (int page = 1; page <= 17; ++page) {
      EXPECT_EQ(page == 3 || page == 17 ? Editable(page) : Greyed(page), true) << page;
      EXPECT_FALSE(Control(ids::kPageCheck[page - 1])->isEnabled());
      EXPECT_EQ(state.pages.pageSelected[page - 1], page <= 2 || c.writeUserPages) << page;
      EXPECT_EQ(ShowsSet(ids::kPageCheck[page - 1]), page <= 2 || c.writeUserPages) << page;
    }
    EXPECT_EQ(state.pages.allPagesSelected, c.writeUserPages ? 1 : 0);
    EXPECT_FALSE(Control(ids::kAllPagesCheck)->isEnabled());
    EXPECT_EQ(window_->focusWidget(), Page(17));

    EXPECT_EQ(Page(1)->text().toStdString(),
              c.format == 1 ? "A \x01 \x02 \x03 \x04 \x05 \x06 NUL" : "41 01 02 03 04 05 06 00");
    EXPECT_EQ(Page(17)->text().toStdString(),
              c.format == 1 ? "Q \x01 \x02 \x03 \x04 \x05 \x06 NUL" : "51 01 02 03 04 05 06 00");

    for (int id : kManualGroup) {
      EXPECT_FALSE(Control(id)->isVisible()) << id;
      EXPECT_FALSE(Control(id)->isEnabled()) << id;
    }
    for (int id : kConfigGroup) EXPECT_TRUE(Control(id)->isVisible()) << id;
    EXPECT_TRUE(Control(ids::kOneButton)->isEnabled());

    EXPECT_EQ(Text(ids::kNextField), "1000");
    EXPECT_EQ(state.production.nextCarrierId, "1000");
    EXPECT_EQ(Text(ids::kMaxField), c.counterInUse ? "1049" : "");
    for (int id : {ids::kNextField, ids::kMaxField, ids::kNextSpin, ids::kMaxSpin}) {
      EXPECT_EQ(Control(id)->isEnabled(), c.counterInUse) << id;
    }
    for (int id : {ids::kNextField, ids::kMaxField}) {
      EXPECT_EQ(Control<EnterEdit>(id)->colorStyle().backgroundColour(),
                c.counterInUse ? colour::kWhite : colour::kGrey);
    }
    EXPECT_EQ(state.setInUse.setTypeQuorvi, 1);
    EXPECT_EQ(state.pages.alignment, "Left");
    EXPECT_TRUE(state.production.headerPending);
    window_.reset();
  }
}

TEST_F(ConfigurationModeTest, ManualModeFreesThePagesAndConfigModeRestoresTheSet) {
  ASSERT_NO_FATAL_FAILURE(StartWithSet(SetOf(Source::DecimalCounter, false), 1));
  Click(ids::kManualModeButton);
  EXPECT_EQ(window_->state().setInUse.configMode, 0);
  EXPECT_TRUE(ShowsSet(ids::kManualModeButton));
  EXPECT_FALSE(ShowsSet(ids::kConfigModeButton));
  for (int page = 1; page <= 17; ++page) {
    EXPECT_TRUE(Editable(page)) << page;
    EXPECT_TRUE(Control(ids::kPageCheck[page - 1])->isEnabled());
  }
  EXPECT_TRUE(Control(ids::kAllPagesCheck)->isEnabled());
  for (int id : kManualGroup) {
    EXPECT_TRUE(Control(id)->isVisible()) << id;
    EXPECT_TRUE(Control(id)->isEnabled()) << id;
  }
  for (int id : kConfigGroup) EXPECT_FALSE(Control(id)->isVisible()) << id;
  EXPECT_FALSE(Control(ids::kOneButton)->isEnabled());
  for (int id : {ids::kNextField, ids::kMaxField}) {
    EXPECT_FALSE(Control(id)->isEnabled());
    EXPECT_EQ(Control<EnterEdit>(id)->colorStyle().backgroundColour(), colour::kGrey);
  }
  EXPECT_EQ(Page(5)->text(), "45 01 02 03 04 05 06 00");  // kept from Config mode

  Click(ids::kPageCheck[4]);
  Page(5)->setText("FF FF FF FF FF FF FF FF");
  Click(ids::kConfigModeButton);
  EXPECT_EQ(window_->state().setInUse.configMode, 1);
  EXPECT_EQ(Page(5)->text(), "45 01 02 03 04 05 06 00");
  EXPECT_EQ(window_->state().pages.hexText[4], "45 01 02 03 04 05 06 00");
  EXPECT_EQ(window_->state().pages.pageSelected[4], 0);
  EXPECT_FALSE(ShowsSet(ids::kPageCheck[4]));
  EXPECT_TRUE(Greyed(5));
  EXPECT_EQ(Text(ids::kMaxField), "1049");
}

TEST_F(ConfigurationModeTest, StoredManualModeLeavesThePagesOfTheSettings) {
  WriteSettingsForPort("/dev/null/none",
                       "[Auto]\r\nSelectConfig=0\r\nPruefablauf_ist=Lot\r\n"
                       "[Data]\r\nP1=01 02 03 04 05 06 07 08\r\nSelectP9=1\r\n");
  ASSERT_TRUE(
      SaveSetFile(directory_.filePath("Lot.ini").toStdString(), SetOf(Source::DecimalCounter, true))
          .ok());
  Start();
  EXPECT_TRUE(ShowsSet(ids::kManualModeButton));
  EXPECT_EQ(Page(1)->text(), "01 02 03 04 05 06 07 08");
  EXPECT_EQ(window_->state().pages.pageSelected[8], 1);
  EXPECT_EQ(window_->state().pages.pageSelected[0], 0);
  EXPECT_TRUE(Editable(17));
  EXPECT_EQ(window_->state().production.nextCarrierId, "1000");
}

// A name that is no usable set name opens no file: the window says so, shows
// the name and runs with an empty set.
TEST_F(ConfigurationModeTest, UnusableSetNameOpensNoFile) {
  QDir(directory_.path()).mkdir("work");
  QDir::setCurrent(directory_.filePath("work"));
  ConfigurationSet outside = SetOf(Source::DecimalCounter, true);
  ASSERT_TRUE(SaveSetFile(directory_.filePath("Lot.ini").toStdString(), outside).ok());
  const std::string settings = "[Auto]\r\nSelectConfig=1\r\nPruefablauf_ist=../Lot\r\n";
  QFile file(directory_.filePath("work/Torvane.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(settings.data(), static_cast<qint64>(settings.size()));
  file.close();
  Start();

  bool told = false;
  for (const auto& seen : answerer_->seen()) {
    if (seen.text.find("\"../Lot\"") == std::string::npos) continue;
    told = true;
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_NE(seen.text.find("\"/\""), std::string::npos) << seen.text;
  }
  EXPECT_TRUE(told);
  EXPECT_EQ(Control<ColorLabel>(ids::kConfigSetName)->text(), "../Lot");
  EXPECT_EQ(window_->state().setInUse.set.quantity, "");
  EXPECT_EQ(Text(ids::kNextField), "");
  for (int page = 1; page <= 17; ++page) EXPECT_TRUE(Greyed(page)) << page;
}

}  // namespace
}  // namespace torvane::test
