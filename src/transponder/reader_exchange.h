#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "transponder/page_state.h"
#include "transponder/reader_command.h"
#include "transponder/reader_state.h"
#include "view/station_view.h"

namespace torvane {

// Calibration factors: the page and carrier-ID reads use the shorter unit, every
// other operation the longer one.
constexpr int kReadFactor = 13;
constexpr int kWriteFactor = 25;

// Which flag keeps the receive thread away from the terminal pane while an
// operation waits for answers.
enum class BusyFlag { Read, Write };

struct ReaderAnswer {
  std::string kept;  // cut to the command's kept length
  // Of the line with its CR LF, or up to its first NUL; 0 when nothing came.
  std::size_t lineLength = 0;
};

// A UID answer: 8 characters, none of them a failure mark.
bool IsGoodUidAnswer(std::string_view kept);
// A page answer: 16 hexadecimal digits. Anything else would put foreign text
// into the page fields as if it had been read.
bool IsGoodPageAnswer(std::string_view kept);
bool IsAcknowledged(std::string_view kept);
// The reader's timing value: the leading decimal digits; 0 when there are none.
int TimingValue(std::string_view answer);

// The frame of one reader operation and its exchanges. Creating it clears the
// terminal text and raises the operation's busy flag; destroying it lowers the
// flag. Each exchange puts its record and its kept answer in front of the
// terminal text.
class ReaderExchange {
 public:
  ReaderExchange(SerialLink& link, ReaderState& reader, TerminalState& terminal, BusyFlag busy);
  ~ReaderExchange();
  ReaderExchange(const ReaderExchange&) = delete;
  ReaderExchange& operator=(const ReaderExchange&) = delete;

  bool portOpen() const;
  // Forgets any line that came before the operation, then rescales answerUnit
  // to the reader's timing value times `factor` (a value outside 1..255 keeps
  // it). False when no timing value came: answers may be out of step.
  bool StartExchanges(int calibrationFactor);
  // Waits until no late answer of an earlier command comes any more.
  void WaitForQuietLine();
  // Forgets any line that came before the operation and keeps answerUnit as the
  // operation just before, of the same factor, calibrated it.
  void ResumeExchanges();
  // A failed send gives an empty answer at once; a wait that runs out gives an
  // empty answer and leaves a late line to end the next wait.
  ReaderAnswer Exchange(const ReaderCommand& command);
  // Reads the UID into uidText, colours the UID field, counts a failure in
  // errorCount, shows the field values and focuses the UID field.
  ReaderAnswer ReadUid(StationView& view);
  // Reads page index + 1. A good answer becomes the page's texts in the form
  // shown; then the field values are shown, the page field focused and coloured.
  ReaderAnswer ReadPage(StationView& view, PageState& pages, int index);
  // A line of the operation's own in front of the terminal text.
  void Note(const std::string& line) { PrependToTerminal(line); }

 private:
  void PrependToTerminal(const std::string& line);
  void SetBusy(bool busy);

  SerialLink& link_;
  ReaderState& reader_;
  TerminalState& terminal_;
  BusyFlag busy_;
};

}  // namespace torvane
