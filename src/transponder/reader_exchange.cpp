#include "transponder/reader_exchange.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>

#include "platform/hex_text.h"
#include "transponder/page_codec.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

constexpr std::size_t kUidLength = 8;
constexpr std::size_t kPageDigits = 16;
constexpr int kMaxTimingValue = 255;
constexpr std::array<std::string_view, 3> kFailureMarks = {"No Read", "#09", "XXXXXXXX"};

bool HasFailureMark(std::string_view kept) {
  for (std::string_view mark : kFailureMarks) {
    if (kept.find(mark) != std::string_view::npos) return true;
  }
  return false;
}

void StorePageDigits(PageState& pages, int index, std::string_view digits) {
  pages.hexText[index] = SpacedPairs(digits);
  if (pages.displayForm == PageForm::Ascii) {
    pages.asciiText[index] = HexToAscii(pages.hexText[index]);
    pages.pageText[index] = pages.asciiText[index];
  } else {
    pages.pageText[index] = pages.hexText[index];
  }
}

}  // namespace

bool IsGoodUidAnswer(std::string_view kept) {
  return kept.size() == kUidLength && !HasFailureMark(kept);
}

bool IsGoodPageAnswer(std::string_view kept) {
  return kept.size() == kPageDigits && IsHexDigits(kept);
}

bool IsAcknowledged(std::string_view kept) {
  return kept == "ACK";
}

int TimingValue(std::string_view answer) {
  int value = 0;
  for (char c : answer) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    // Anything this large is out of range already; stop before it can overflow.
    if (value > kMaxTimingValue) return kMaxTimingValue + 1;
  }
  return value;
}

ReaderExchange::ReaderExchange(SerialLink& link, ReaderState& reader, TerminalState& terminal,
                               BusyFlag busy)
    : link_(link), reader_(reader), terminal_(terminal), busy_(busy) {
  terminal_.terminalOutput.clear();
  SetBusy(true);
}

ReaderExchange::~ReaderExchange() {
  SetBusy(false);
}

bool ReaderExchange::portOpen() const {
  return link_.portOpen();
}

bool ReaderExchange::StartExchanges(int calibrationFactor) {
  link_.ResetAnswerEvent();
  const int value = TimingValue(Exchange(ReaderCommand::Calibration()).kept);
  if (value < 1 || value > kMaxTimingValue) return false;
  reader_.answerUnit = value * calibrationFactor;
  return true;
}

void ReaderExchange::WaitForQuietLine() {
  constexpr int kMostLateLines = 8;
  const std::chrono::milliseconds quiet(ReaderCommand::ReadUid().waitUnits * reader_.answerUnit);
  for (int i = 0; i < kMostLateLines; ++i) {
    link_.ResetAnswerEvent();
    if (!link_.WaitAnswer(quiet)) return;
  }
}

void ReaderExchange::ResumeExchanges() {
  link_.ResetAnswerEvent();
}

ReaderAnswer ReaderExchange::Exchange(const ReaderCommand& command) {
  ReaderAnswer answer;
  if (link_.SendLine(command.text) != 0) return answer;
  if (command.record) PrependToTerminal(*command.record);

  const std::chrono::milliseconds limit(command.waitUnits * reader_.answerUnit);
  if (std::optional<std::string> line = link_.WaitAnswer(limit)) {
    // The answer is a text: a NUL byte from the reader ends it, CR LF and all.
    line->resize(std::min(line->size(), line->find('\0')));
    answer.lineLength = line->size();
    answer.kept = line->substr(0, command.keptLength);
  }
  if (command.record) PrependToTerminal(answer.kept + "\r\n");
  return answer;
}

ReaderAnswer ReaderExchange::ReadUid(StationView& view) {
  ReaderAnswer answer = Exchange(ReaderCommand::ReadUid());
  reader_.uidText = answer.kept;
  if (IsGoodUidAnswer(answer.kept)) {
    view.SetFieldColour(ids::kUidField, colour::kGreen);
  } else {
    view.SetFieldColour(ids::kUidField, colour::kRed);
    ++reader_.errorCount;
  }
  view.ShowFieldValues();
  view.FocusControl(ids::kUidField);
  return answer;
}

ReaderAnswer ReaderExchange::ReadPage(StationView& view, PageState& pages, int index) {
  const int field = ids::kPageField[index];
  view.SetFieldColour(field, colour::kWhite);
  ReaderAnswer answer = Exchange(ReaderCommand::ReadPage(index + 1));
  const bool good = IsGoodPageAnswer(answer.kept);
  if (good) StorePageDigits(pages, index, answer.kept);
  view.ShowFieldValues();
  view.FocusControl(field);
  view.SetFieldColour(field, good ? colour::kGreen : colour::kRed);
  return answer;
}

void ReaderExchange::PrependToTerminal(const std::string& line) {
  terminal_.terminalOutput.insert(0, line);
}

void ReaderExchange::SetBusy(bool busy) {
  if (busy_ == BusyFlag::Read) {
    link_.setReadBusy(busy);
  } else {
    link_.setWriteBusy(busy);
  }
}

}  // namespace torvane
