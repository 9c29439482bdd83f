#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <string>

#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

class TerminalTest : public StationWithReaderTest {
 protected:
  QString Output() const { return Control<QPlainTextEdit>(ids::kTerminalOutput)->toPlainText(); }
  // Types a raw line and sends it with the button or with Enter.
  void SendRaw(const std::string& line, bool withEnter) {
    Type(ids::kTerminalInput, line, withEnter);
    if (!withEnter) Click(ids::kTerminalSend);
  }
  bool WaitForOutput(const std::string& text) {
    return WaitUntil([&] { return Output() == QString::fromStdString(text); });
  }
};

TEST_F(TerminalTest, RawLinesReachTheReaderAndItsAnswersAppear) {
  struct Row {
    std::string line;
    bool withEnter;
    std::string answer;
  };
  const Row rows[] = {
      {"TOR", false, "4"},
      {"WD 3 4142434445464748", true, "ACK"},
      {"RD 3", false, "4142434445464748"},
      {"RUID", true, "E0040001"},
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  Action(ids::kMenuTerminalShow)->trigger();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    Action(ids::kMenuTerminalClear)->trigger();
    SendRaw(row.line, row.withEnter);
    EXPECT_TRUE(WaitForOutput(row.answer + "\n")) << Output().toStdString();
    EXPECT_EQ(NewCommands(), std::vector<std::string>{row.line});
    if (row.withEnter) {
      EXPECT_EQ(Control<EnterEdit>(ids::kTerminalInput)->selectedText().toStdString(), row.line);
    }
  }
  EXPECT_EQ(OnAntenna().pages[2], (sim::Page{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}));

  // An operation shows its own records; afterwards raw answers go on top again.
  SelectOnly({3});
  SetCheck(ids::kTiButton, true);
  Click(ids::kReadButton);
  const std::string records = "4142434445464748\nRD 3 // Read page 3\n";
  EXPECT_EQ(Output().toStdString(), records);
  SendRaw("TOR", false);
  EXPECT_TRUE(WaitForOutput("4\n" + records)) << Output().toStdString();
}

}  // namespace
}  // namespace torvane::test
