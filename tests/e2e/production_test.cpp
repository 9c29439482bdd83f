// Production through the station window offscreen: "One" and continuous mode
// against the reader simulator, with the set, CSV and settings files on disk.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <set>
#include <string>

#include "config/set_file.h"
#include "production/continuous_mode.h"
#include "production/in_flight_file.h"
#include "production/production_messages.h"
#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

constexpr const char* kSetName = "Lot";

class ProductionWindowTest : public StationWithReaderTest {
 protected:
  // A set of carrier IDs of 8 characters in page 1, locked after writing.
  ConfigurationSet LotSet() const {
    ConfigurationSet set;
    set.quantity = "100";
    set.carrierIdOffset = "0";
    set.carrierIdLength = "8";
    set.memoryPage = "1";
    set.typeTi = true;
    set.byteHex.fill("00");
    set.byteAscii.fill("NUL");
    set.lockPage[0] = true;
    set.counterPage = "None";
    return set;
  }
  // The same set counting carrier IDs up from `first`.
  ConfigurationSet CounterSet(const char* first) const {
    ConfigurationSet set = LotSet();
    set.sourceDecimalCounter = true;
    set.carrierId = first;
    return set;
  }
  void SaveSet(const ConfigurationSet& set) const {
    ASSERT_TRUE(SaveSetFile(FilePath(std::string(kSetName) + ".ini"), set).ok());
  }
  void StartProduction(const std::string& extraAuto = "") {
    StartOnReader("[Auto]\r\nSelectConfig=1\r\nPruefablauf_ist=" + std::string(kSetName) +
                  "\r\nPruefablaeufe=1\r\nPruefablauf_0=" + kSetName +
                  "\r\nCarrier ID Max=1000\r\n" + extraAuto);
  }

  std::string FilePath(const std::string& name) const {
    return directory_.filePath(QString::fromStdString(name)).toStdString();
  }
  std::string FileText(const std::string& name) const {
    QFile file(QString::fromStdString(FilePath(name)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
  }
  void WriteFile(const std::string& name, const std::string& text) const {
    QFile file(QString::fromStdString(FilePath(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
  }

  // Presses "One" and waits until the transponder on the antenna is locked.
  void ProgramOne() {
    Click(ids::kOneButton);
    ASSERT_TRUE(WaitUntil([this] { return OnAntenna().locked[0]; })) << OnAntenna().uid;
  }
  // Page 1 of every transponder that was programmed, in order.
  std::vector<std::string> WrittenIds() const {
    std::vector<std::string> ids;
    for (const sim::Transponder& t : simulator_->Programmed()) {
      if (t.locked[0]) ids.emplace_back(t.pages[0].begin(), t.pages[0].end());
    }
    return ids;
  }
  // As an operator does once the station has counted a transponder (the next
  // carrier ID is `next`): a fresh one in its place. A swap on a timer could
  // meet the check after the locks on a slow machine.
  void SwapOnceCounted(int next) const {
    ASSERT_TRUE(WaitUntil([&] { return Text(ids::kNextField) == std::to_string(next); }));
    simulator_->RemoveTransponder();
    simulator_->PlaceBlankTransponder();
  }
  std::string ButtonText(int id) const {
    return Control<QAbstractButton>(id)->text().toStdString();
  }
};

TEST_F(ProductionWindowTest, DecimalCounterRunGoesOnFromTheNextIdAfterARestart) {
  ConfigurationSet set = CounterSet("41");
  SaveSet(set);
  StartProduction();
  for (int i = 0; i < 3; ++i) {
    if (i > 0) simulator_->PlaceBlankTransponder();
    ProgramOne();
  }
  EXPECT_EQ(WrittenIds(), (std::vector<std::string>{"00000041", "00000042", "00000043"}));
  ASSERT_TRUE(WaitUntil([this] { return Text(ids::kNextField) == "44"; }));
  EXPECT_NE(FileText("Lot.ini").find("Carrier ID=44\r\n"), std::string::npos);

  window_->close();
  window_.reset();
  simulator_->PlaceBlankTransponder();
  StartProduction();
  EXPECT_EQ(Text(ids::kNextField), "44");
  ProgramOne();
  EXPECT_EQ(WrittenIds().back(), "00000044");
}

TEST_F(ProductionWindowTest, TypedNextAndMaxAreTakenOnEnterOrLeavingTheField) {
  struct Case {
    const char* next;
    const char* max;  // nullptr: "max" is left as it is (1000)
    bool enter;       // else the focus moves on
    const char* shownNext;
    const char* shownMax;
    const char* written;
    bool refused;
  };
  const Case cases[] = {
      {"100", nullptr, true, "100", "1000", "00000100", false},
      {"200", nullptr, false, "200", "1000", "00000200", false},
      {"5000", "9999", true, "5000", "9999", "00005000", false},
      // Beyond 8 digits both fields stop at the largest carrier ID of the length.
      {"123456789", "123456789", false, "99999999", "99999999", "99999999", false},
      {"12a", nullptr, true, "41", "1000", "00000041", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.next);
    ConfigurationSet set = CounterSet("41");
    SaveSet(set);
    simulator_->PlaceBlankTransponder();
    answerer_.emplace();
    StartProduction();
    const auto confirm = [&](int field, const char* text) {
      Type(field, text, c.enter);
      if (!c.enter) Control(ids::kOneButton)->setFocus();
    };
    if (c.max != nullptr) confirm(ids::kMaxField, c.max);
    confirm(ids::kNextField, c.next);
    EXPECT_EQ(Text(ids::kNextField), c.shownNext);
    EXPECT_EQ(Text(ids::kMaxField), c.shownMax);
    ProgramOne();
    EXPECT_EQ(WrittenIds().back(), c.written);
    EXPECT_EQ(answerer_->seen().size(), c.refused ? 1u : 0u);
    window_.reset();
  }
}

TEST_F(ProductionWindowTest, EscapeIsIgnoredDuringARunAndTheCloseBoxAsksFirst) {
  ConfigurationSet set = CounterSet("1");
  SaveSet(set);
  StartProduction();
  const auto escape = [this] {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &key);
  };
  Click(ids::kContButton);
  escape();
  EXPECT_TRUE(window_->isVisible());

  answerer_.emplace(QMessageBox::No);
  EXPECT_FALSE(window_->close());
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].icon, QMessageBox::Question);
  EXPECT_EQ(ButtonText(ids::kContButton), text::kContOff);

  answerer_.emplace(QMessageBox::Yes);
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(window_->state().production.continuousMode, 0);
  window_.reset();

  StartProduction();
  escape();
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(ProductionWindowTest, EveryTransponderIsRecordedOnceAndEveryCycleProtocolled) {
  ConfigurationSet set = CounterSet("41");
  set.log = true;
  set.logFile = FilePath("lot.xml");
  SaveSet(set);
  StartProduction();
  for (int i = 0; i < 2; ++i) {
    if (i > 0) simulator_->PlaceBlankTransponder();
    ProgramOne();
  }
  const auto count = [](const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  };
  ASSERT_TRUE(WaitUntil([&] { return count(FileText("IntProt_0.txt"), ";One\r\n") == 2; }));
  const std::string records = FileText("lot.xml");
  EXPECT_EQ(count(records, ">30 30 30 30 30 30 34 31<"), 1u);
  EXPECT_EQ(count(records, ">30 30 30 30 30 30 34 32<"), 1u);
  EXPECT_EQ(count(records, ">Procedure:<"), 1u);
  EXPECT_EQ(records.substr(records.size() - 13), "</Workbook>\r\n");
}

TEST_F(ProductionWindowTest, CsvRunMarksEachLineItWrites) {
  ConfigurationSet set = LotSet();
  set.sourceCsv = true;
  set.sourceFile = FilePath("ids.csv");
  SaveSet(set);
  WriteFile("ids.csv", "Carrier ID;done\nLOT00001;X\nLOT00002;\nLOT00003;\n");
  StartProduction("csv delimiter=;\r\n");
  ProgramOne();
  simulator_->PlaceBlankTransponder();
  ProgramOne();
  EXPECT_EQ(WrittenIds(), (std::vector<std::string>{"LOT00002", "LOT00003"}));
  EXPECT_EQ(FileText("ids.csv"), "Carrier ID;done\r\nLOT00001;X\r\nLOT00002;X\r\nLOT00003;X\r\n");

  simulator_->PlaceBlankTransponder();
  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([this] {
    auto* verdict = window_->findChild<QLabel*>("resultText");
    return verdict && verdict->text() == "FAIL";
  }));
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].text.rfind(std::string(text::kEndOfFile) + "\r\n", 0), 0u);
  EXPECT_EQ(window_->findChild<QLabel*>("resultReason")->text().toStdString(),
            "source used up: every line of the csv file is done");
  EXPECT_EQ(WrittenIds().size(), 2u);
}

TEST_F(ProductionWindowTest, ContinuousModeProgramsEachTransponderThatIsSwappedIn) {
  ConfigurationSet set = CounterSet("1");
  SaveSet(set);
  StartProduction();
  ASSERT_TRUE(Control<QAbstractButton>(ids::kContButton)->isEnabled());
  EXPECT_EQ(ButtonText(ids::kContButton), text::kContOn);

  Click(ids::kContButton);
  EXPECT_EQ(ButtonText(ids::kContButton), text::kContOff);
  EXPECT_FALSE(Control<QAbstractButton>(ids::kOneButton)->isEnabled());
  EXPECT_FALSE(Action(ids::kMenuExit)->isEnabled());
  for (int next = 2; next <= 4; ++next) SwapOnceCounted(next);
  Click(ids::kContButton);
  EXPECT_EQ(ButtonText(ids::kContButton), text::kContOn);
  EXPECT_TRUE(Control<QAbstractButton>(ids::kOneButton)->isEnabled());
  EXPECT_FALSE(window_->timerRunning(ContinuousMode::kPollTimer));

  const std::vector<std::string> written = WrittenIds();
  const std::set<std::string> distinct(written.begin(), written.end());
  EXPECT_EQ(distinct.size(), written.size());
  EXPECT_EQ(written[0], "00000001");
  EXPECT_EQ(written[2], "00000003");
  EXPECT_TRUE(answerer_->seen().empty());
}

TEST_F(ProductionWindowTest, ARunWaitsWhileADialogIsOpenAndGreysWhatWouldChangeIt) {
  ConfigurationSet set = CounterSet("1");
  SaveSet(set);
  StartProduction();
  Click(ids::kContButton);
  EXPECT_FALSE(Action(ids::kMenuConfig)->isEnabled());
  EXPECT_FALSE(Action(ids::kMenuInterfaceSettings)->isEnabled());
  ASSERT_TRUE(WaitUntil([this] { return Text(ids::kNextField) == "2"; }));

  QDialog dialog(window_.get());
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  const std::size_t commands = simulator_->ReceivedCommands().size();
  simulator_->RemoveTransponder();
  simulator_->PlaceBlankTransponder();
  // Polls and cycles would both talk to the reader within a few poll periods.
  EXPECT_FALSE(WaitUntil([&] { return simulator_->ReceivedCommands().size() > commands; },
                         3 * ContinuousMode::kPollPeriod));
  dialog.close();
  ASSERT_TRUE(WaitUntil([this] { return Text(ids::kNextField) == "3"; }));
  Click(ids::kContButton);
  EXPECT_TRUE(Action(ids::kMenuConfig)->isEnabled());
  EXPECT_TRUE(Action(ids::kMenuInterfaceSettings)->isEnabled());
}

TEST_F(ProductionWindowTest, StartAfterAStopInTheMiddleOfACycleSkipsTheIdInFlight) {
  ConfigurationSet set = CounterSet("7");
  SaveSet(set);
  WriteFile(InFlightFile::kFileName,
            "source=decimal counter\r\nset=Lot\r\ncarrier id=00000007\r\ncsv file=\r\n"
            "delimiter=\r\nline=0\r\n");
  StartProduction();
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_NE(answerer_->seen()[0].text.find("carrier ID 00000007"), std::string::npos);
  EXPECT_EQ(Text(ids::kNextField), "8");
  EXPECT_NE(FileText("Lot.ini").find("Carrier ID=8\r\n"), std::string::npos);
  ProgramOne();
  EXPECT_EQ(WrittenIds(), (std::vector<std::string>{"00000008"}));
}

}  // namespace
}  // namespace torvane::test
