#include <QLabel>
#include <filesystem>

#include "controls/image_button.h"
#include "production/record_paths.h"
#include "station_window_fixture.h"
#include "support/fake_file_chooser.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

class RecordWindowTest : public StationWindowTest {
 protected:
  std::string InDirectory(const char* name) const {
    return directory_.filePath(QString::fromLatin1(name)).toStdString();
  }

  // Runs one requested cycle through timer 3.
  void RunCycle(const std::function<void()>& cycle) {
    int runs = 0;
    window_->SetCycleRunner([&] {
      cycle();
      ++runs;
    });
    window_->requests().cycleRequested = true;
    ASSERT_TRUE(WaitUntil([&] { return runs == 1 && !window_->requests().cycleRequested; }));
    window_->SetCycleRunner(nullptr);
  }
};

TEST_F(RecordWindowTest, ALogClickKeepsImageAndStateTogetherUpToTheSettingsFile) {
  WriteSettingsForPort("", "[Manual]\r\nLog=0\r\n");
  Start();
  auto* log = Control<ImageButton>(ids::kLogCheck);
  ASSERT_NE(log, nullptr);
  for (const bool on : {true, false, true}) {
    log->click();
    EXPECT_EQ(log->isChecked(), on);
    EXPECT_EQ(log->showsSetImage(), on);
    EXPECT_EQ(window_->state().manualLog.manualLogOn, on ? 1 : 0);
  }
  window_.reset();
  EXPECT_NE(ReadSettings().find("Log=1"), std::string::npos);
}

TEST_F(RecordWindowTest, OpenTakesTheChosenFileAndTheDisplayShowsItsEnd) {
  Start();
  FakeFileChooser chooser;
  window_->SetFileChooser(chooser);
  const std::string longPath = "/records/" + std::string(40, 'm') + "/manual_record.xml";
  chooser.answer = longPath;
  auto* open = Control<QAbstractButton>(ids::kLogOpenButton);
  open->setEnabled(true);  // as the manual mode has it
  open->click();
  ASSERT_EQ(chooser.asked.size(), 1u);
  EXPECT_EQ(chooser.asked[0].startFolder, directory_.path().toStdString());
  EXPECT_EQ(window_->state().manualLog.fileName, longPath);
  EXPECT_EQ(Control<QLabel>(ids::kLogFileName)->text().toStdString(),
            "..." + longPath.substr(longPath.size() - 51));
}

TEST_F(RecordWindowTest, EveryCycleAddsOneProtocolLine) {
  Start();
  Control<QAbstractButton>(ids::kConfigModeButton)->click();  // "One" is there to take the focus
  for (int cycle = 1; cycle <= 2; ++cycle) {
    RunCycle([] {});
    EXPECT_EQ(std::filesystem::file_size(InDirectory("IntProt_0.txt")), 23u * cycle);
  }
  EXPECT_EQ(window_->focusWidget(), Control(ids::kOneButton));
}

TEST_F(RecordWindowTest, AProtocolFileThatCannotBeWrittenIsReportedAndTheFocusStays) {
  Start();
  std::filesystem::create_directory(InDirectory("IntProt_0.txt"));  // a folder in its place
  const std::size_t before = answerer_->seen().size();
  RunCycle([] {});
  ASSERT_TRUE(WaitUntil([&] { return answerer_->seen().size() > before; }));
  EXPECT_NE(answerer_->seen().back().text.find(InDirectory("IntProt_0.txt")), std::string::npos);
  EXPECT_EQ(answerer_->seen().back().icon, QMessageBox::Critical);
}

TEST_F(RecordWindowTest, ARecordFileFailureIsShownAtTheNextTickWithTheWaitingCount) {
  Start();
  const std::size_t before = answerer_->seen().size();
  RunCycle([this] {
    ProductionRecord record;
    record.set.logFile = InDirectory("gone/records.xml");
    bool& headerPending = window_->state().production.headerPending;
    if (!window_->productionRecordFile().AppendProductionRecord(record, headerPending).ok()) {
      window_->state().production.protocolFailure = 3;
    }
  });
  ASSERT_TRUE(WaitUntil([&] { return answerer_->seen().size() > before; }));
  const std::string& text = answerer_->seen().back().text;
  EXPECT_EQ(text.rfind("Protocol file can't be opened.\r\nDoes the protocol path exist?", 0), 0u);
  EXPECT_NE(text.find("1 record waits"), std::string::npos) << text;
  EXPECT_EQ(window_->state().production.protocolFailure, 0);
}

TEST_F(RecordWindowTest, AManualRecordThatFailsAsksForTheFirstEditPage) {
  Start();
  window_->state().manualLog.fileName = InDirectory("manual.xml");
  window_->WriteManualRecord(ManualRecordKind::Read);
  EXPECT_TRUE(std::filesystem::exists(InDirectory("manual.xml")));

  window_->state().manualLog.fileName = InDirectory("gone/manual.xml");
  window_->state().setInUse.set.editPage[4] = true;
  window_->state().setInUse.set.editPage[9] = true;
  window_->WriteManualRecord(ManualRecordKind::Write);
  ASSERT_FALSE(answerer_->seen().empty());
  EXPECT_NE(answerer_->seen().back().text.find("gone/manual.xml"), std::string::npos);
  EXPECT_TRUE(window_->requests().pageFocusRequest[4]);
  EXPECT_FALSE(window_->requests().pageFocusRequest[9]);
}

TEST_F(RecordWindowTest, LastCarrierIdReadsTheProductionRecordFile) {
  Start();
  ConfigurationSet& set = window_->state().setInUse.set;
  set.carrierIdOffset = "0";
  set.carrierIdLength = "8";
  ProductionRecord record;
  record.set = set;
  record.hexText[0] = record.pageText[0] = "30 30 30 30 30 30 34 32";
  record.hexText[1] = record.pageText[1] = "30 30 30 30 30 30 30 30";
  record.pageSelected[0] = record.pageSelected[1] = 1;
  bool headerPending = true;
  ASSERT_TRUE(window_->productionRecordFile().AppendProductionRecord(record, headerPending).ok());
  EXPECT_TRUE(std::filesystem::exists(InDirectory("Torvane.xml")));
  Control<QAbstractButton>(ids::kLastCarrierIdButton)->click();
  EXPECT_EQ(window_->state().production.lastCarrierIdNext, 43u);
}

TEST_F(RecordWindowTest, ClosingWithRecordsHeldOnlyInMemoryAsksAndNamesThem) {
  Start();
  // Neither the record file nor the file of waiting records can take a record.
  std::filesystem::create_directory(InDirectory(std::string(kWaitingRecordsFile).c_str()));
  ProductionRecord record;
  record.setName = "job";
  record.set.carrierId = "42";
  record.set.logFile = InDirectory("gone/records.xml");
  bool headerPending = true;
  EXPECT_FALSE(window_->productionRecordFile().AppendProductionRecord(record, headerPending).ok());

  answerer_.emplace(QMessageBox::No);
  window_->close();
  EXPECT_TRUE(window_->isVisible());
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_NE(answerer_->seen()[0].text.find("carrier ID 42"), std::string::npos)
      << answerer_->seen()[0].text;
  EXPECT_EQ(answerer_->seen()[0].icon, QMessageBox::Question);

  answerer_.emplace(QMessageBox::Yes);
  window_->close();
  EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace torvane::test
