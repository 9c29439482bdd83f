#include "app/station_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace torvane {
namespace {

namespace fs = std::filesystem;

class StationSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "torvane-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory = pattern;
    path = StationSettingsPath(directory.string());
  }
  void TearDown() override { fs::remove_all(directory); }

  void WriteFile(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  std::string FileText() const {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  StationState Loaded() {
    StationState state;
    EXPECT_TRUE(LoadStationSettings(path, state).ok());
    return state;
  }
  ProfileFile Saved() { return ProfileFile::Load(path).value; }

  fs::path directory;
  std::string path;
};

TEST_F(StationSettingsTest, MissingFileGivesEmptyDefaults) {
  const StationState state = Loaded();
  EXPECT_EQ(state.serial.portName, "");
  EXPECT_EQ(state.serial.baudRate, 0);
  EXPECT_EQ(state.serial.parityCode + state.serial.stopBitsCode + state.serial.flowControlCode, 0);
  EXPECT_EQ(state.csvDelimiter, ",");
  EXPECT_TRUE(state.setList.empty());
  EXPECT_EQ(state.pages.displayForm, PageForm::Hex);
  EXPECT_EQ(state.reader.tiSelected, 0);
  EXPECT_EQ(state.reader.quorviSelected, 1);
}

TEST_F(StationSettingsTest, EverySettingSurvivesSaveAndLoad) {
  StationState state;
  state.serial = {"ttyUSB0", 115200, 8, 3, 1, 2, "", "", ""};
  state.setInUse.configMode = 1;
  state.setInUse.name = "Lot A";
  state.setList = {"Lot A", "Lot B"};
  state.carrierIdMaxText = "1049";
  state.pages.displayForm = PageForm::Ascii;
  state.pages.allPagesSelected = 1;
  state.pages.pageSelected[16] = 1;
  state.pages.pageText[0] = "A B C D E F G  ";  // a blank byte at the end
  state.pages.pageText[1] = "  B C D E F G H";  // and at the start
  state.pages.pageText[2] = "\" A B C D E F \"";
  state.carrierId = {"2", "4", " AB "};
  state.manualLog = {1, "/data/manual_log.xml"};
  state.reader.tiSelected = 1;
  ASSERT_TRUE(SaveStationSettings(path, state).ok());

  const StationState back = Loaded();
  EXPECT_EQ(back.serial.portName, "ttyUSB0");
  EXPECT_EQ(back.serial.baudRate, 115200);
  EXPECT_EQ(back.serial.dataBits, 8);
  EXPECT_EQ(back.serial.parityCode, 3);
  EXPECT_EQ(back.serial.stopBitsCode, 1);
  EXPECT_EQ(back.serial.flowControlCode, 2);
  EXPECT_EQ(back.setInUse.configMode, 1);
  EXPECT_EQ(back.setInUse.name, "Lot A");
  EXPECT_EQ(back.setList, state.setList);
  EXPECT_EQ(back.carrierIdMaxText, "1049");
  EXPECT_EQ(back.pages.displayForm, PageForm::Ascii);
  EXPECT_EQ(back.pages.allPagesSelected, 1);
  EXPECT_EQ(back.pages.pageSelected, state.pages.pageSelected);
  EXPECT_EQ(back.pages.pageText, state.pages.pageText);
  EXPECT_EQ(back.pages.hexText[0], "41 42 43 44 45 46 47 20");
  EXPECT_EQ(back.carrierId.carrierIdText, " AB ");
  EXPECT_EQ(back.carrierId.carrierIdLengthText, "4");
  EXPECT_EQ(back.manualLog.manualLogOn, 1);
  EXPECT_EQ(back.manualLog.fileName, "/data/manual_log.xml");
  EXPECT_EQ(back.reader.quorviSelected, 0);
  // Saved under the lower-case key, read through the capitalised one.
  EXPECT_NE(FileText().find("baudrate=115200\r\n"), std::string::npos);
}

TEST_F(StationSettingsTest, ValuesReadInTheirForms) {
  WriteFile(
      "[Interface]\nBaudrate= 9600x\nDatabits=99999999999\nStopbits=1.5\nParity=Evenly\n"
      "Flowcontrol=Xon / Xoff\n[Auto]\nSelectConfig=2\ncsv delimiter=\n"
      "[Data]\nSelectAll=01\nSelectP3=1\nFormat=1\nP1=T A G 1 2 3 4 5\nP1Default=00 11\n"
      "[Manual]\nType=true\nLog=1\n");
  const StationState state = Loaded();
  EXPECT_EQ(state.serial.baudRate, 9600);
  EXPECT_EQ(state.serial.dataBits, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(state.serial.stopBitsCode, 1);
  EXPECT_EQ(state.serial.parityCode, 2);
  EXPECT_EQ(state.serial.flowControlCode, 1);
  EXPECT_EQ(state.setInUse.configMode, 2);
  EXPECT_EQ(state.csvDelimiter, ",");
  EXPECT_EQ(state.pages.allPagesSelected, 0);
  EXPECT_EQ(state.pages.pageSelected[2], 1);
  EXPECT_EQ(state.pages.pageText[0], "T A G 1 2 3 4 5");
  EXPECT_EQ(state.pages.asciiText[0], "T A G 1 2 3 4 5");
  EXPECT_EQ(state.pages.hexText[0], "54 41 47 31 32 33 34 35");
  EXPECT_EQ(state.pages.defaultPageText[0], "00 11");
  EXPECT_EQ(state.reader.tiSelected, 0);
  EXPECT_EQ(state.manualLog.manualLogOn, 1);
}

TEST(SerialCodes, CaptionFoundInsideTheText) {
  const std::vector<std::pair<std::string, std::int32_t>> stopBits = {
      {"1.5", 1}, {"2", 2}, {"one", 0}, {"1", 0}, {"", 0}};
  for (const auto& [text, code] : stopBits) EXPECT_EQ(StopBitsCodeIn(text), code) << text;
  const std::vector<std::pair<std::string, std::int32_t>> parity = {
      {"Even", 2}, {"Evenly", 2}, {"Mark", 3}, {"Odd", 1}, {"Space", 4}, {"even", 0}, {"", 0}};
  for (const auto& [text, code] : parity) EXPECT_EQ(ParityCodeIn(text), code) << text;
  const std::vector<std::pair<std::string, std::int32_t>> flow = {
      {"Xon / Xoff", 1}, {"Hardware", 2}, {"Xon/Xoff", 0}, {"No", 0}};
  for (const auto& [text, code] : flow) EXPECT_EQ(FlowControlCodeIn(text), code) << text;

  EXPECT_EQ(StopBitsCaption(7), "1");
  EXPECT_EQ(ParityCaption(-1), "None");
  EXPECT_EQ(FlowControlCaption(3), "No");
}

TEST_F(StationSettingsTest, ShrunkSetListBlanksStaleNamesUpToTheFirstMissingKey) {
  WriteFile(
      "[Auto]\nPruefablaeufe=5\nPruefablauf_0=a\nPruefablauf_1=b\nPruefablauf_2=c\n"
      "Pruefablauf_3=d\nPruefablauf_4=e\nPruefablauf_6=g\ncsv delimiter=;\n"
      "[Data]\nP2Default=FF\n");
  StationState state = Loaded();
  EXPECT_EQ(state.csvDelimiter, ";");
  state.setList.resize(3);
  ASSERT_TRUE(SaveStationSettings(path, state).ok());

  const ProfileFile file = Saved();
  EXPECT_EQ(file.Read("Auto", "Pruefablaeufe"), "3");
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_2"), "c");
  EXPECT_TRUE(file.Has("Auto", "Pruefablauf_3"));
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_4"), "");
  EXPECT_FALSE(file.Has("Auto", "Pruefablauf_5"));
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_6"), "g");
  // Set up by hand and never written by the station.
  EXPECT_EQ(file.Read("Auto", "csv delimiter"), ";");
  EXPECT_EQ(file.Read("Data", "P2Default"), "FF");
  EXPECT_FALSE(file.Has("Data", "P1Default"));
}

TEST_F(StationSettingsTest, SetListIsCappedAt256) {
  std::string text = "[Auto]\nPruefablaeufe=300\n";
  for (int i = 0; i < 300; ++i) text += "Pruefablauf_" + std::to_string(i) + "=s\n";
  WriteFile(text);
  const StationState state = Loaded();
  EXPECT_EQ(state.setList.size(), 256u);

  ASSERT_TRUE(SaveStationSettings(path, state).ok());
  EXPECT_EQ(Saved().Read("Auto", "Pruefablaeufe"), "256");
  EXPECT_EQ(Saved().Read("Auto", "Pruefablauf_256"), "s");
}

TEST_F(StationSettingsTest, UnusableFilesAreReportedNotOverwritten) {
  StationState state;
  state.serial.baudRate = 1;
  fs::create_directory(path);  // a folder where the file should be
  EXPECT_FALSE(LoadStationSettings(path, state).ok());
  EXPECT_EQ(state.serial.baudRate, 0);
  EXPECT_FALSE(SaveStationSettings(path, state).ok());
  EXPECT_FALSE(SaveStationSettings((directory / "missing" / "Torvane.ini").string(), state).ok());
}

TEST(DisplayedFileName, LongNamesShowTheirEnd) {
  const std::string name51(51, 'a');
  const std::string name60 = "/very/long/folder/name/for/the/records/a/manual_log_2026.xml";
  EXPECT_EQ(DisplayedFileName(name51), name51);
  EXPECT_EQ(DisplayedFileName(name51 + "b"), "..." + std::string(50, 'a') + "b");
  EXPECT_EQ(DisplayedFileName(name60), "..." + name60.substr(name60.size() - 51));
  EXPECT_EQ(DisplayedFileName(""), "");
}

}  // namespace
}  // namespace torvane
