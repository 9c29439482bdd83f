#include "production/page_steps.h"

#include <algorithm>

#include "platform/hex_text.h"
#include "transponder/page_codec.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

constexpr std::size_t kPageDigits = 16;
constexpr std::string_view kNoRead = "No Read";

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

bool SaysNoRead(std::string_view kept) {
  return kept.find(kNoRead) != std::string_view::npos;
}

// A bad answer's kind: nothing at all, the reader's "No Read", or anything else.
ReaderFailureKind BadAnswerKind(const ReaderAnswer& answer) {
  if (answer.lineLength == 0) return ReaderFailureKind::NoAnswer;
  return SaysNoRead(answer.kept) ? ReaderFailureKind::NoTransponder : ReaderFailureKind::Refused;
}

}  // namespace

PageSteps::PageSteps(SerialLink& link, ReaderExchange& exchange, StationView& view,
                     PageState& pages, ReaderState& reader, const SetInUse& setInUse, int retries)
    : link_(link),
      exchange_(exchange),
      view_(view),
      pages_(pages),
      reader_(reader),
      setInUse_(setInUse),
      retries_(std::max(retries, 0)) {}

void PageSteps::ReadIdentity() {
  reader_.uidText.clear();
  view_.SetFieldColour(ids::kUidField, colour::kWhite);
  if (reader_.quorviSelected != 1 && setInUse_.setTypeQuorvi != 1) return;
  const ReaderAnswer answer = exchange_.ReadUid(view_);
  if (IsGoodUidAnswer(answer.kept)) {
    uid_ = answer.kept;
    return;
  }
  Fail({.kind = BadAnswerKind(answer),
        .step = ReaderStep::Uid,
        .found = answer.kept,
        .waitMilliseconds = WaitMilliseconds(ReaderCommand::ReadUid())});
}

void PageSteps::AdoptIdentity(const std::string& uid) {
  reader_.uidText = uid;
  // Newest on top, as the exchange would have put them.
  exchange_.Note(uid + "\r\n" + ReaderCommand::ReadUid().record.value_or(""));
  if (uid.empty()) return;
  uid_ = uid;
  view_.SetFieldColour(ids::kUidField, colour::kGreen);
}

bool PageSteps::mayHoldWrites() const {
  return std::ranges::find(written_, true) != written_.end() || writeUncertain_;
}

void PageSteps::WriteSelected(const PageSet& onTransponder) {
  bool goOn = true;
  for (int i = 0; i < kPageCount; ++i) {
    if (pages_.pageSelected[i] != 1 || pages_.pageText[i].empty() || (i > 0 && !goOn)) continue;
    view_.SetFieldColour(ids::kPageField[i], colour::kWhite);
    const std::optional<std::string> digits = PageDigits(i);
    if (!digits) {
      view_.SetFieldColour(ids::kPageField[i], colour::kRed);
      ++reader_.errorCount;
      Fail({.kind = ReaderFailureKind::UnusablePageText, .step = ReaderStep::Write, .page = i + 1});
      view_.ShowMessage(InvalidPageMessage(pages_.displayForm, i + 1), "Torvane",
                        MessageIcon::Information, MessageButtons::Ok);
      continue;
    }
    goOn = onTransponder[i] ||
           TryAcknowledged(ReaderCommand::WritePage(i + 1, *digits), ReaderStep::Write, i + 1);
    view_.SetFieldColour(ids::kPageField[i], goOn ? colour::kGreen : colour::kRed);
    if (goOn) {
      pages_.pageDone[i] = 1;
      written_[i] = true;
      writtenDigits_[i] = *digits;
    } else {
      ++reader_.errorCount;
    }
    view_.ShowFieldValues();
  }
}

void PageSteps::ReadBack(const PageSet& wanted) {
  for (int i = 0; i < kPageCount; ++i) {
    if (!wanted[i] || !written_[i]) continue;
    anyReadBack_ = true;
    const std::optional<std::string> digits = ReadDigits(i + 1, ReaderStep::ReadBack);
    if (digits && SameHexDigits(*digits, writtenDigits_[i])) continue;
    if (digits) {
      Fail({.kind = ReaderFailureKind::ReadBackDiffers,
            .step = ReaderStep::ReadBack,
            .page = i + 1,
            .found = SpacedPairs(*digits),
            .expected = SpacedPairs(writtenDigits_[i])});
    }
    view_.SetFieldColour(ids::kPageField[i], colour::kRed);
    ++reader_.errorCount;
    return;
  }
}

void PageSteps::LockSelected() {
  bool goOn = true;
  for (int i = 0; i < kPageCount; ++i) {
    const bool wanted = setInUse_.set.lockPage[i] || setInUse_.configMode == 0;
    if (pages_.pageSelected[i] != 1 || !wanted || (i > 0 && !goOn)) continue;
    // A transponder put on the antenna after the first lock must not take a later one.
    if (anyLocked_ && !ConfirmSameTransponder()) return;
    view_.SetFieldColour(ids::kPageField[i], colour::kWhite);
    goOn = TryAcknowledged(ReaderCommand::LockPage(i + 1), ReaderStep::Lock, i + 1);
    view_.SetFieldColour(ids::kPageField[i], goOn ? colour::kGreen : colour::kRed);
    if (goOn) {
      anyLocked_ = true;
    } else {
      ++reader_.errorCount;
    }
  }
}

bool PageSteps::ConfirmSameTransponder() {
  if (uid_) {
    const ReaderAnswer answer = exchange_.Exchange(ReaderCommand::ReadUid());
    if (answer.kept == *uid_) return true;
    const bool other = IsGoodUidAnswer(answer.kept);
    Fail({.kind = other ? ReaderFailureKind::OtherTransponder : BadAnswerKind(answer),
          .step = ReaderStep::Uid,
          .found = answer.kept,
          .expected = *uid_,
          .waitMilliseconds = WaitMilliseconds(ReaderCommand::ReadUid())});
    ++reader_.errorCount;
    return false;
  }
  const auto page = std::ranges::find(written_, true);
  if (page == written_.end()) return true;
  const auto index = static_cast<std::size_t>(page - written_.begin());
  const int number = static_cast<int>(index) + 1;
  const std::optional<std::string> digits = ReadDigits(number, ReaderStep::ReadBack);
  if (digits && SameHexDigits(*digits, writtenDigits_[index])) return true;
  if (digits) {
    Fail({.kind = ReaderFailureKind::OtherTransponder,
          .step = ReaderStep::ReadBack,
          .page = number,
          .found = SpacedPairs(*digits),
          .expected = SpacedPairs(writtenDigits_[index])});
  }
  ++reader_.errorCount;
  return false;
}

bool PageSteps::TryAcknowledged(const ReaderCommand& command, ReaderStep step, int page) {
  const int tries = retries_ + 1;
  ReaderAnswer answer;
  int tried = 0;
  while (tried < tries) {
    if (tried > 0) {
      exchange_.Note("// try " + std::to_string(tried + 1) + " of " + std::to_string(tries) +
                     "\r\n");
      // Never a second try on another transponder than the first one.
      if (!ConfirmSameTransponder()) return false;
    }
    ++tried;
    answer = exchange_.Exchange(command);
    if (IsAcknowledged(answer.kept)) return true;
    // Only the reader's refusal says that the page was left as it was.
    const bool refused = answer.kept == "NAK" || SaysNoRead(answer.kept);
    if (step == ReaderStep::Write && !refused) writeUncertain_ = true;
    if (!link_.portOpen() || link_.hungUp()) break;
  }
  Fail({.kind = answer.lineLength == 0 ? ReaderFailureKind::NoAnswer : ReaderFailureKind::Refused,
        .step = step,
        .page = page,
        .found = answer.kept,
        .tries = tried,
        .waitMilliseconds = WaitMilliseconds(command)});
  return false;
}

std::optional<std::string> PageSteps::PageDigits(int i) {
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

std::optional<std::string> PageSteps::ReadDigits(int page, ReaderStep step) {
  const ReaderCommand command = ReaderCommand::ReadPage(page);
  ReaderAnswer answer;
  int tried = 0;
  while (tried <= retries_) {
    ++tried;
    answer = exchange_.Exchange(command);
    if (IsGoodPageAnswer(answer.kept)) return answer.kept;
    if (!link_.portOpen() || link_.hungUp() || SaysNoRead(answer.kept)) break;
  }
  Fail({.kind = BadAnswerKind(answer),
        .step = step,
        .page = page,
        .found = answer.kept,
        .tries = tried,
        .waitMilliseconds = WaitMilliseconds(command)});
  return std::nullopt;
}

void PageSteps::ExplainRefusal() {
  if (!failure_ || !link_.portOpen() || link_.hungUp()) return;
  const bool refused =
      failure_->kind == ReaderFailureKind::Refused || failure_->kind == ReaderFailureKind::NoAnswer;
  if (!refused || failure_->page == 0) return;
  // A page read says "No Read" where a write or lock only says "NAK".
  const ReaderCommand probe =
      uid_ ? ReaderCommand::ReadUid() : ReaderCommand::ReadPage(failure_->page);
  if (SaysNoRead(exchange_.Exchange(probe).kept)) failure_->kind = ReaderFailureKind::NoTransponder;
}

void PageSteps::Fail(ReaderFailure failure) {
  if (failure_) return;
  if (!link_.portOpen()) {
    failure = {
        .kind = ReaderFailureKind::PortClosed, .step = failure.step, .found = link_.portName()};
  } else if (link_.hungUp()) {
    failure = {.kind = ReaderFailureKind::Disconnected,
               .step = failure.step,
               .found = link_.hangUpReason()};
  }
  failure_ = std::move(failure);
}

int PageSteps::WaitMilliseconds(const ReaderCommand& command) const {
  return command.waitUnits * reader_.answerUnit;
}

}  // namespace torvane
