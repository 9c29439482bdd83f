#include "transponder/reader_exchange.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/pty_peer.h"
#include "transponder/operations_fixture.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

// A reader that answers the n-th line it receives with the n-th scripted answer
// (CR added), and stays silent for an empty slot and beyond the script. The
// hook sees each line before it is answered, while the station still waits.
class ScriptedReader {
 public:
  using LineHook = std::function<void(const std::string& line)>;
  explicit ScriptedReader(std::vector<std::optional<std::string>> answers, LineHook hook = {})
      : answers_(std::move(answers)), hook_(std::move(hook)), thread_([this] { Serve(); }) {}
  ~ScriptedReader() {
    stop_ = true;
    thread_.join();
  }
  const std::string& devicePath() const { return peer_.slavePath(); }
  // The lines received, without their CR, once `count` have arrived or a
  // generous deadline has passed.
  Lines Received(std::size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::seconds(10), [&] { return received_.size() >= count; });
    return received_;
  }

 private:
  void Serve() {
    for (std::size_t next = 0; !stop_;) {
      std::string line = peer_.ReadLine(std::chrono::milliseconds(20));
      if (line.empty()) continue;
      line.pop_back();
      {
        std::lock_guard lock(mutex_);
        received_.push_back(line);
      }
      arrived_.notify_all();
      if (hook_) hook_(line);
      if (next < answers_.size() && answers_[next]) peer_.Write(*answers_[next] + "\r");
      ++next;
    }
  }

  PtyPeer peer_;
  const std::vector<std::optional<std::string>> answers_;
  const LineHook hook_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  Lines received_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(ReaderAnswer, FailureMarksAndLengthsDecide) {
  struct Row {
    std::string kept;
    bool uid, page, ack;
  };
  const Row rows[] = {
      {"E0040100", true, false, false},
      {"No Read\r", false, false, false},
      {"E0#09100", false, false, false},
      {"XXXXXXXX", false, false, false},
      {"aabbccddeeff0011", false, true, false},
      {"001122334455667G", false, false, false},
      {"ACK", false, false, true},
      {"NAK", false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kept);
    EXPECT_EQ(IsGoodUidAnswer(row.kept), row.uid);
    EXPECT_EQ(IsGoodPageAnswer(row.kept), row.page);
    EXPECT_EQ(IsAcknowledged(row.kept), row.ack);
  }
}

using ReaderExchangeTest = OperationsFixture;

TEST_F(ReaderExchangeTest, CalibrationRescalesTheAnswerUnit) {
  struct Row {
    std::optional<std::string> timing;
    bool write;  // the write scales by 25, the page read by 13
    int unit;
  };
  // Long enough for the scripted reader to answer on a busy machine; only the
  // silent row waits it out.
  constexpr int kStart = 500;
  const Row rows[] = {
      {"10", false, 130},     {"10", true, 250},
      {"255", true, 6375},    {"0", true, kStart},
      {"256", false, kStart}, {"99999999999", true, kStart},
      {"ERR", true, kStart},  {std::nullopt, false, kStart},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.timing.value_or("(silent)"));
    ScriptedReader scripted({row.timing});
    OpenPort(scripted.devicePath());
    reader.answerUnit = kStart;
    row.write ? manual.OnWritePages() : manual.OnReadPages();
    EXPECT_EQ(reader.answerUnit, row.unit);
    EXPECT_EQ(scripted.Received(1), Lines{"TOR"});
    EXPECT_EQ(terminal.terminalOutput, "");  // the calibration leaves no record
  }
}

// Read in ASCII form: answers are cut to 16 characters, a good one fills both
// forms, a bad one leaves the text alone, a short one stops the later pages.
TEST_F(ReaderExchangeTest, ReadCutsJudgesRecordsAndStopsAfterAShortAnswer) {
  ScriptedReader scripted({"9", "E0040001", "54414700207E6162EXTRA", "001122334455667G", "No Read",
                           "FFFFFFFFFFFFFFFF"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  pages.displayForm = PageForm::Ascii;
  SelectPages({1, 2, 3, 4});
  pages.pageText[1] = "kept";
  manual.OnReadPages();

  EXPECT_EQ(scripted.Received(5), (Lines{"TOR", "RUID", "RD 1", "RD 2", "RD 3"}));
  EXPECT_EQ(terminal.terminalOutput,
            "No Read\r\n\r\nRD 3 // Read page 3\r\n"
            "001122334455667G\r\nRD 2 // Read page 2\r\n"
            "54414700207E6162\r\nRD 1 // Read page 1\r\n"
            "E0040001\r\nRUID // Read UID\r\n");
  EXPECT_EQ(reader.answerUnit, 9 * 13);
  EXPECT_EQ(view.colourOf(ids::kUidField), colour::kGreen);
  EXPECT_EQ(pages.pageText[0], "T A G NUL   ~ a b");
  EXPECT_EQ(pages.hexText[0], "54 41 47 00 20 7E 61 62");
  EXPECT_EQ(pages.pageText[1], "kept");
  const std::uint32_t colours[] = {colour::kGreen, colour::kRed, colour::kRed, colour::kWhite};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(view.colourOf(ids::kPageField[i]), colours[i]) << i;
  EXPECT_EQ(pages.pageDone, (PageFlags{1}));
  EXPECT_TRUE(!link.readBusy() && !link.writeBusy());
}

TEST_F(ReaderExchangeTest, UidAnswerEndsAReadThatSkipsPageOne) {
  ScriptedReader scripted({"9", "E0040001", "0011223344556677"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  SelectPages({2});
  manual.OnReadPages();
  EXPECT_EQ(scripted.Received(2), (Lines{"TOR", "RUID"}));
}

// A NUL byte ends an answer: what follows it counts neither for the kept part,
// nor for the length that lets later pages be read, nor for the record.
TEST_F(ReaderExchangeTest, AnswerEndsAtItsFirstNul) {
  using namespace std::string_literals;
  ScriptedReader scripted({"9", "AB\0CDEFG"s, "00112233\0AABBCCDDEEFF"s, "FFFFFFFFFFFFFFFF"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  SelectPages({1, 2});
  manual.OnReadPages();

  EXPECT_EQ(scripted.Received(3), (Lines{"TOR", "RUID", "RD 1"}));
  EXPECT_EQ(reader.uidText, "AB");
  EXPECT_EQ(view.colourOf(ids::kUidField), colour::kRed);
  EXPECT_EQ(reader.errorCount, 1);
  EXPECT_EQ(view.colourOf(ids::kPageField[0]), colour::kRed);
  EXPECT_EQ(terminal.terminalOutput,
            "00112233\r\nRD 1 // Read page 1\r\nAB\r\nRUID // Read UID\r\n");
}

// A field colour that the reader's thread may look at while the station waits.
class SharedColourView : public FakeStationView {
 public:
  void SetFieldColour(int controlId, std::uint32_t background) override {
    std::lock_guard lock(mutex_);
    FakeStationView::SetFieldColour(controlId, background);
  }
  std::uint32_t ColourNow(int controlId) {
    std::lock_guard lock(mutex_);
    return colourOf(controlId);
  }

 private:
  std::mutex mutex_;
};

// A red UID field from the last read must not stay red while the reader is
// asked for its timing value.
TEST_F(ReaderExchangeTest, UidFieldTurnsWhiteBeforeTheCalibration) {
  SharedColourView sharedView;
  ManualOperations uidReader{link, sharedView, pages, reader, terminal, setInUse, manualLog};
  sharedView.SetFieldColour(ids::kUidField, colour::kRed);
  std::optional<std::uint32_t> colourDuringCalibration;
  ScriptedReader scripted({"9", "E0040001"}, [&](const std::string& line) {
    if (line == "TOR") colourDuringCalibration = sharedView.ColourNow(ids::kUidField);
  });
  OpenPort(scripted.devicePath());
  uidReader.OnReadUid();

  EXPECT_EQ(scripted.Received(2), (Lines{"TOR", "RUID"}));
  EXPECT_EQ(colourDuringCalibration, colour::kWhite);
  EXPECT_EQ(sharedView.colourOf(ids::kUidField), colour::kGreen);
}

TEST_F(ReaderExchangeTest, LateAnswerIsTakenByTheNextExchange) {
  // The UID answer misses its wait and arrives while the page write waits.
  ScriptedReader scripted({"1", std::nullopt, "E0040001"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  SelectPages({1, 2});
  pages.pageText[0] = pages.pageText[1] = "01 02 03 04 05 06 07 08";
  manual.OnWritePages();

  EXPECT_EQ(scripted.Received(3), (Lines{"TOR", "RUID", "WD 1 0102030405060708"}));
  EXPECT_EQ(terminal.terminalOutput,
            "E00\r\nWD 1 0102030405060708// Write page 1\r\n\r\nRUID // Read UID\r\n");
  EXPECT_EQ(view.colourOf(ids::kPageField[0]), colour::kRed);
  EXPECT_EQ(reader.errorCount, 2);
}

}  // namespace
}  // namespace torvane::test
