#include "app/station_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
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
    path = StationSettingsPath(pattern);
  }
  void TearDown() override { fs::remove_all(directory); }
  void WriteFile(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  StationState Loaded() {
    StationState state;
    EXPECT_TRUE(LoadStationSettings(path, state).ok());
    return state;
  }
  ProfileFile Saved() const { return ProfileFile::Load(path).value; }

  fs::path directory;
  std::string path;
};

TEST_F(StationSettingsTest, ValuesReadInTheirForms) {
  EXPECT_EQ(Loaded().csvDelimiter, ",");  // no file yet
  EXPECT_EQ(Loaded().reader.quorviSelected, 1);
  WriteFile(
      "[Interface]\nBaudrate= 9600x\nDatabits=99999999999\nStopbits=1.5\nParity=Evenly\n"
      "[Auto]\nSelectConfig=2\ncsv delimiter=\n[Data]\nSelectAll=01\nSelectP3=1\nFormat=1\n"
      "P1=T A G 1 2 3 4 5\nP1Default=00 11\n[Manual]\nType=true\n");
  const StationState state = Loaded();
  EXPECT_EQ(state.serial.baudRate, 9600);
  EXPECT_EQ(state.serial.dataBits, 2147483647);
  EXPECT_EQ(state.serial.stopBitsCode, 1);
  EXPECT_EQ(state.serial.parityCode, 2);
  EXPECT_EQ(state.setInUse.configMode, 2);
  EXPECT_EQ(state.csvDelimiter, ",");
  EXPECT_EQ(state.pages.allPagesSelected, 0);
  EXPECT_EQ(state.pages.pageSelected[2], 1);
  EXPECT_EQ(state.pages.pageText[0], "T A G 1 2 3 4 5");
  EXPECT_EQ(state.pages.hexText[0], "54 41 47 31 32 33 34 35");
  EXPECT_EQ(state.pages.defaultPageText[0], "00 11");
  EXPECT_EQ(state.reader.tiSelected, 0);
}

TEST_F(StationSettingsTest, ProductionReadBackAndRetriesKeepTheirDefaultsUnlessUnderstood) {
  struct Case {
    const char* section;
    VerifyScope verify;
    int retries;
  };
  const Case cases[] = {
      {"", VerifyScope::CarrierId, 2},
      {"[Production]\nVerify=ALL\nRetries=0\n", VerifyScope::All, 0},
      {"[Production]\nVerify=off\nRetries=5\n", VerifyScope::Off, 5},
      {"[Production]\nVerify=pages\nRetries=-1\n", VerifyScope::CarrierId, 2},
      {"[Production]\nVerify=carrierid\nRetries=1000\n", VerifyScope::CarrierId, 9},
  };
  for (const Case& c : cases) {
    WriteFile(c.section);
    const StationState state = Loaded();
    EXPECT_EQ(state.production.programming.verify, c.verify) << c.section;
    EXPECT_EQ(state.production.programming.retries, c.retries) << c.section;
  }
  ASSERT_TRUE(SaveStationSettings(path, Loaded()).ok());
  EXPECT_EQ(Saved().Read("Production", "Verify"), "carrierid");
  EXPECT_EQ(Saved().Read("Production", "Retries"), "9");
}

TEST_F(StationSettingsTest, EverySettingSurvivesSaveAndLoad) {
  StationState state;
  state.serial = {"ttyUSB0", 115200, 8, 3, 1, 2, "", "", ""};
  state.setInUse = {1, "Lot A", {}, 0};
  state.setList = {"Lot A", "Lot B"};
  state.carrierIdMaxText = "1049";
  state.pages.displayForm = PageForm::Ascii;
  state.pages.allPagesSelected = 1;
  state.pages.pageSelected[16] = 1;
  // Blank bytes at either end and enclosing quotes must come back as they were.
  state.pages.pageText[0] = "A B C D E F G  ";
  state.pages.pageText[1] = "  B C D E F G H";
  state.pages.pageText[2] = "\" A B C D E F \"";
  state.carrierId = {"2", "4", " AB "};
  state.manualLog = {1, "/data/manual_log.xml"};
  state.reader.tiSelected = 1;
  ASSERT_TRUE(SaveStationSettings(path, state).ok());

  const StationState back = Loaded();
  const SerialSettings& s = back.serial;
  EXPECT_EQ(
      std::tie(s.portName, s.baudRate, s.dataBits, s.parityCode, s.stopBitsCode, s.flowControlCode),
      std::make_tuple("ttyUSB0", 115200, 8, 3, 1, 2));
  EXPECT_EQ(back.setInUse.configMode, 1);
  EXPECT_EQ(back.setInUse.name, "Lot A");
  EXPECT_EQ(back.setList, state.setList);
  EXPECT_EQ(back.carrierIdMaxText, "1049");
  EXPECT_EQ(back.pages.displayForm, PageForm::Ascii);
  EXPECT_EQ(back.pages.allPagesSelected, 1);
  EXPECT_EQ(back.pages.pageSelected, state.pages.pageSelected);
  EXPECT_EQ(back.pages.pageText, state.pages.pageText);
  EXPECT_EQ(back.carrierId.carrierIdText, " AB ");
  EXPECT_EQ(back.manualLog.manualLogOn, 1);
  EXPECT_EQ(back.manualLog.fileName, "/data/manual_log.xml");
  EXPECT_EQ(back.reader.tiSelected, 1);
  EXPECT_EQ(Saved().Read("Interface", "baudrate"), "115200");
}

TEST_F(StationSettingsTest, NulByteNeverReachesTheFile) {
  StationState state;
  state.carrierId.carrierIdText = std::string("A\0BCDEFG", 8);
  ASSERT_TRUE(SaveStationSettings(path, state).ok());
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ(bytes.str().find('\0'), std::string::npos);
  EXPECT_EQ(Loaded().carrierId.carrierIdText, "A");
}

// A file from a Windows station: its texts in Windows-1252, a page in character
// form with a byte above 0x7F.
TEST_F(StationSettingsTest, WindowsTextsAreShownDecodedAndKeepTheirBytesUnlessChanged) {
  const std::string windowsName =
      "Pr\xFC"
      "fset";
  const std::string utf8Name =
      "Pr\xC3\xBC"
      "fset";
  const std::string page = "\xFC B C D E F G H";
  WriteFile("[Auto]\r\nPruefablauf_ist=" + windowsName + "\r\nPruefablaeufe=2\r\nPruefablauf_0=" +
            windowsName + "\r\nPruefablauf_1=Lot \xE9\r\n[Data]\r\nFormat=1\r\nP1=" + page +
            "\r\n[Manual]\r\nfile name=/records/" + windowsName + ".xml\r\n");
  StationState state = Loaded();
  EXPECT_EQ(state.setInUse.name, utf8Name);
  EXPECT_EQ(state.setList, (std::vector<std::string>{utf8Name, "Lot \xC3\xA9"}));
  EXPECT_EQ(state.manualLog.fileName, "/records/" + utf8Name + ".xml");
  EXPECT_EQ(state.pages.pageText[0], page);  // page bytes are no text
  EXPECT_EQ(state.pages.hexText[0], "FC 42 43 44 45 46 47 48");

  state.setList[1] = "Lot \xC3\xA9 2";
  ASSERT_TRUE(SaveStationSettings(path, state).ok());
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  for (const std::string& line : {"Pruefablauf_ist=" + windowsName, "Pruefablauf_0=" + windowsName,
                                  std::string("Pruefablauf_1=Lot \xC3\xA9 2"), "P1=" + page,
                                  "file name=/records/" + windowsName + ".xml"}) {
    EXPECT_NE(bytes.str().find(line + "\r\n"), std::string::npos) << line;
  }
}

TEST_F(StationSettingsTest, SetListShrinksAndIsCapped) {
  WriteFile(
      "[Auto]\nPruefablaeufe=5\nPruefablauf_0=a\nPruefablauf_1=b\nPruefablauf_2=c\n"
      "Pruefablauf_3=d\nPruefablauf_4=e\nPruefablauf_6=g\ncsv delimiter=;\n[Data]\nP2Default=FF\n"
      "[Ledger]\ndatabase=/srv/ids.ledger\nstation=bay 3\nidentity=5f0c\n");
  StationState state = Loaded();
  EXPECT_EQ(state.csvDelimiter, ";");
  EXPECT_EQ(state.ledger.database, "/srv/ids.ledger");
  EXPECT_EQ(state.ledger.station, "bay 3");
  EXPECT_EQ(state.ledger.identity, "5f0c");
  state.setList.resize(3);
  ASSERT_TRUE(SaveStationSettings(path, state).ok());
  ProfileFile file = Saved();
  EXPECT_EQ(file.Read("Auto", "Pruefablaeufe"), "3");
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_2"), "c");
  EXPECT_TRUE(file.Has("Auto", "Pruefablauf_4"));
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_3") + file.Read("Auto", "Pruefablauf_4"), "");
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_6"), "g");  // beyond the missing index 5
  EXPECT_EQ(file.Read("Auto", "csv delimiter"), ";");
  EXPECT_EQ(file.Read("Data", "P2Default"), "FF");
  EXPECT_FALSE(file.Has("Data", "P1Default"));
  EXPECT_EQ(file.Read("Ledger", "database"), "/srv/ids.ledger");
  EXPECT_EQ(file.Read("Ledger", "identity"), "5f0c");  // kept as the ledger left it

  std::string text = "[Auto]\nPruefablaeufe=300\n";
  for (int i = 0; i < 300; ++i) text += "Pruefablauf_" + std::to_string(i) + "=s\n";
  WriteFile(text);
  state = Loaded();
  EXPECT_EQ(state.setList.size(), 256u);
  ASSERT_TRUE(SaveStationSettings(path, state).ok());
  file = Saved();
  EXPECT_EQ(file.Read("Auto", "Pruefablaeufe"), "256");
  EXPECT_EQ(file.Read("Auto", "Pruefablauf_256"), "s");
}

TEST_F(StationSettingsTest, UnusableFileIsReportedAndNotOverwritten) {
  StationState state;
  state.serial.baudRate = 1;
  fs::create_directory(path);
  EXPECT_FALSE(LoadStationSettings(path, state).ok());
  EXPECT_EQ(state.serial.baudRate, 0);
  EXPECT_FALSE(SaveStationSettings(path, state).ok());
  EXPECT_FALSE(SaveStationSettings((directory / "gone" / "Torvane.ini").string(), state).ok());
}

TEST(StationSettings, SerialTextsAndFileNames) {
  const std::vector<std::tuple<std::string, int, int, int>> texts = {
      {"1.5", 1, 0, 0},  {"2", 2, 0, 0},          {"Evenly", 0, 2, 0},
      {"Mark", 0, 3, 0}, {"Odd", 0, 1, 0},        {"Space", 0, 4, 0},
      {"even", 0, 0, 0}, {"Xon / Xoff", 0, 0, 1}, {"Hardware", 0, 0, 2}};
  for (const auto& [text, stop, parity, flow] : texts) {
    EXPECT_EQ(std::make_tuple(StopBitsCodeIn(text), ParityCodeIn(text), FlowControlCodeIn(text)),
              std::make_tuple(stop, parity, flow))
        << text;
  }
  EXPECT_EQ(std::make_tuple(StopBitsCaption(7), ParityCaption(-1), FlowControlCaption(3)),
            std::make_tuple("1", "None", "No"));

  const std::string name60 = "/very/long/folder/name/for/the/records/a/manual_log_2026.xml";
  EXPECT_EQ(DisplayedFileName(std::string(51, 'a')), std::string(51, 'a'));
  EXPECT_EQ(DisplayedFileName(name60), "..." + name60.substr(9));
  // Characters count, not bytes; a name from a Windows station is shown decoded.
  std::string umlauts51;
  for (int i = 0; i < 51; ++i) umlauts51 += "\xC3\xBC";
  EXPECT_EQ(DisplayedFileName(umlauts51), umlauts51);
  EXPECT_EQ(DisplayedFileName("/a" + umlauts51), "..." + umlauts51);
  EXPECT_EQ(DisplayedFileName("/Pr\xFC"
                              "fung.xml"),
            "/Pr\xC3\xBC"
            "fung.xml");
}

}  // namespace
}  // namespace torvane
