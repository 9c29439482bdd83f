#include "transponder/manual_operations.h"

#include "res/control_ids.h"
#include "transponder/hex_digits.h"
#include "transponder/reader_exchange.h"

namespace torvane {

namespace {

constexpr std::size_t kFullPageLine = 16;
constexpr std::size_t kPageDigits = 16;

std::string InvalidPageMessage(PageForm form, int page) {
  const std::string name = "change P" + std::to_string(page);
  if (form == PageForm::Ascii) {
    return name +
           " to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII "
           "format";
  }
  return name +
         " to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with "
         "spaces in between";
}

}  // namespace

ManualOperations::ManualOperations(SerialLink& link, StationView& view, PageState& pages,
                                   ReaderState& reader, TerminalState& terminal,
                                   const SetInUse& setInUse, const ManualLogState& manualLog)
    : link_(link),
      view_(view),
      pages_(pages),
      reader_(reader),
      terminal_(terminal),
      setInUse_(setInUse),
      manualLog_(manualLog) {}

void ManualOperations::OnReadUid() {
  view_.TakeFieldValues();
  ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
  reader_.errorCount = 0;
  if (!exchange.portOpen()) return;
  // White while the reader is asked: the last outcome must not stand for this one.
  view_.SetFieldColour(ids::kUidField, colour::kWhite);
  exchange.StartExchanges(kWriteFactor);
  exchange.ReadUid(view_);
}

void ManualOperations::OnReadPages() {
  view_.TakeFieldValues();
  ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
  pages_.pageDone.fill(0);
  if (!exchange.portOpen()) return;

  view_.ShowFieldValues();
  for (int i = 0; i < kPageCount; ++i) {
    if (pages_.pageSelected[i] == 1) view_.FocusControl(ids::kPageField[i]);
  }
  SetAllPageFields(colour::kWhite);
  exchange.StartExchanges(kReadFactor);

  // A short answer means the transponder has gone: later pages are not tried.
  std::size_t lastLength = kFullPageLine;
  reader_.uidText.clear();
  view_.SetFieldColour(ids::kUidField, colour::kWhite);
  if (reader_.quorviSelected == 1) lastLength = exchange.ReadUid(view_).lineLength;

  for (int i = 0; i < kPageCount; ++i) {
    if (pages_.pageSelected[i] != 1 || (i > 0 && lastLength < kFullPageLine)) continue;
    const ReaderAnswer answer = exchange.ReadPage(view_, pages_, i);
    if (IsGoodPageAnswer(answer.kept)) pages_.pageDone[i] = 1;
    lastLength = answer.lineLength;
  }
  if (manualLog_.manualLogOn == 1 && setInUse_.configMode == 0) {
    view_.WriteManualRecord(ManualRecordKind::Read);
  }
}

void ManualOperations::OnWritePages() {
  view_.TakeFieldValues();
  {
    ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Write);
    reader_.errorCount = 0;
    view_.ShowFieldValues();
    SetAllPageFields(colour::kWhite);
    pages_.pageDone.fill(0);
    if (exchange.portOpen()) {
      WriteSelectedPages(exchange);
    } else {
      // Nothing reached a transponder: a production cycle must not record one.
      ++reader_.errorCount;
    }
  }
  view_.ShowFieldValues();
}

void ManualOperations::WriteSelectedPages(ReaderExchange& exchange) {
  exchange.StartExchanges(kWriteFactor);
  reader_.uidText.clear();
  view_.SetFieldColour(ids::kUidField, colour::kWhite);
  if (reader_.quorviSelected == 1 || setInUse_.setTypeQuorvi == 1) exchange.ReadUid(view_);
  view_.ShowFieldValues();

  // A refused write stops the run; an unusable page text only skips its page.
  bool goOn = true;
  for (int i = 0; i < kPageCount; ++i) {
    if (pages_.pageSelected[i] != 1 || pages_.pageText[i].empty() || (i > 0 && !goOn)) continue;
    view_.SetFieldColour(ids::kPageField[i], colour::kWhite);
    const std::optional<std::string> digits = PageDigits(i);
    if (!digits) {
      view_.SetFieldColour(ids::kPageField[i], colour::kRed);
      ++reader_.errorCount;
      view_.ShowMessage(InvalidPageMessage(pages_.displayForm, i + 1), "Torvane",
                        MessageIcon::Information, MessageButtons::Ok);
      continue;
    }
    goOn = IsAcknowledged(exchange.Exchange(ReaderCommand::WritePage(i + 1, *digits)).kept);
    view_.SetFieldColour(ids::kPageField[i], goOn ? colour::kGreen : colour::kRed);
    if (goOn) {
      pages_.pageDone[i] = 1;
    } else {
      ++reader_.errorCount;
    }
    view_.ShowFieldValues();
  }
  if (manualLog_.manualLogOn == 1 && setInUse_.configMode == 0) {
    view_.WriteManualRecord(ManualRecordKind::Write);
  }
}

std::optional<std::string> ManualOperations::PageDigits(int i) {
  const std::string& text = pages_.pageText[i];
  if (!IsPageTextValid(text, pages_.displayForm)) return std::nullopt;
  if (pages_.displayForm == PageForm::Ascii) {
    pages_.asciiText[i] = text;
    pages_.hexText[i] = AsciiToHex(text);
  } else {
    pages_.hexText[i] = text;
    pages_.asciiText[i] = HexToAscii(text);
  }
  // An ASCII text can pass the check and still convert to fewer than eight
  // bytes ("AB C D E F G H"); such digits would shift the page on the transponder.
  std::string digits = WithoutBlanks(pages_.hexText[i]);
  if (digits.size() != kPageDigits || !IsHexDigits(digits)) return std::nullopt;
  return digits;
}

void ManualOperations::OnLockPages() {
  view_.TakeFieldValues();
  {
    ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
    reader_.errorCount = 0;
    if (exchange.portOpen()) {
      LockSelectedPages(exchange);
    } else {
      // Nothing was locked: a production cycle must not record the transponder.
      ++reader_.errorCount;
    }
  }
  view_.ShowFieldValues();
}

void ManualOperations::LockSelectedPages(ReaderExchange& exchange) {
  exchange.StartExchanges(kWriteFactor);
  bool goOn = true;
  for (int i = 0; i < kPageCount; ++i) {
    const bool wanted = setInUse_.set.lockPage[i] || setInUse_.configMode == 0;
    if (pages_.pageSelected[i] != 1 || !wanted || (i > 0 && !goOn)) continue;
    view_.SetFieldColour(ids::kPageField[i], colour::kWhite);
    goOn = IsAcknowledged(exchange.Exchange(ReaderCommand::LockPage(i + 1)).kept);
    view_.SetFieldColour(ids::kPageField[i], goOn ? colour::kGreen : colour::kRed);
    if (!goOn) ++reader_.errorCount;
  }
}

void ManualOperations::OnDefaultContent() {
  view_.TakeFieldValues();
  pages_.pageText = pages_.defaultPageText;
  view_.SetButtonImage(ids::kHexButton, true);
  view_.SetButtonImage(ids::kAsciiButton, false);
  pages_.displayForm = PageForm::Hex;
  pages_.allPagesSelected = 1;
  pages_.pageSelected.fill(1);
  view_.SetButtonImage(ids::kAllPagesCheck, true);
  for (int check : ids::kPageCheck) view_.SetButtonImage(check, true);
  SetAllPageFields(colour::kWhite);
  view_.ShowFieldValues();
  view_.RepaintWindow();
}

void ManualOperations::SetAllPageFields(std::uint32_t background) {
  for (int field : ids::kPageField) view_.SetFieldColour(field, background);
}

}  // namespace torvane
