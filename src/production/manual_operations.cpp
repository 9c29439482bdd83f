#include "production/manual_operations.h"

#include "transponder/reader_exchange.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

constexpr std::size_t kFullPageLine = 16;

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
    ResetForWrite();
    if (exchange.portOpen()) {
      exchange.StartExchanges(kWriteFactor);
      PageSteps steps(link_, exchange, view_, pages_, reader_, setInUse_, 0);
      // A UID that cannot be read is counted; the pages are written all the same.
      steps.ReadIdentity();
      view_.ShowFieldValues();
      steps.WriteSelected();
      if (manualLog_.manualLogOn == 1 && setInUse_.configMode == 0) {
        view_.WriteManualRecord(ManualRecordKind::Write);
      }
    } else {
      // Nothing reached a transponder: a production cycle must not record one.
      ++reader_.errorCount;
    }
  }
  view_.ShowFieldValues();
}

void ManualOperations::ResetForWrite() {
  reader_.errorCount = 0;
  view_.ShowFieldValues();
  SetAllPageFields(colour::kWhite);
  pages_.pageDone.fill(0);
}

void ManualOperations::OnLockPages() {
  view_.TakeFieldValues();
  {
    ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
    reader_.errorCount = 0;
    if (exchange.portOpen()) {
      exchange.StartExchanges(kWriteFactor);
      PageSteps(link_, exchange, view_, pages_, reader_, setInUse_, 0).LockSelected();
    } else {
      // Nothing was locked: a production cycle must not record the transponder.
      ++reader_.errorCount;
    }
  }
  view_.ShowFieldValues();
}

std::optional<ReaderFailure> ManualOperations::ProgramPages(const ProgrammingPolicy& policy,
                                                            const PageSet& carrierIdPages,
                                                            const std::string& uid, bool calibrated,
                                                            const PageSet& onTransponder) {
  view_.TakeFieldValues();
  std::optional<ReaderFailure> failure;
  {
    // One frame for the whole cycle: the terminal keeps every try of it.
    ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Write);
    ResetForWrite();
    if (exchange.portOpen()) {
      if (calibrated) {
        exchange.ResumeExchanges();
      } else {
        exchange.StartExchanges(kWriteFactor);
      }
      PageSteps steps(link_, exchange, view_, pages_, reader_, setInUse_, policy.retries);
      failure = Program(steps, policy, carrierIdPages, uid, onTransponder);
      if (failure) {
        steps.ExplainRefusal();
        failure = steps.failure();
        failure->writeMayHaveLanded = steps.mayHoldWrites();
      }
    } else {
      ++reader_.errorCount;
      failure = ReaderFailure{.kind = ReaderFailureKind::PortClosed, .found = link_.portName()};
    }
  }
  view_.ShowFieldValues();
  return failure;
}

std::optional<ReaderFailure> ManualOperations::Program(PageSteps& steps,
                                                       const ProgrammingPolicy& policy,
                                                       const PageSet& carrierIdPages,
                                                       const std::string& uid,
                                                       const PageSet& onTransponder) {
  steps.AdoptIdentity(uid);
  view_.ShowFieldValues();
  steps.WriteSelected(onTransponder);
  if (steps.failed()) return steps.failure();
  PageSet verified{};
  if (policy.verify == VerifyScope::All) verified.fill(true);
  if (policy.verify == VerifyScope::CarrierId) verified = carrierIdPages;
  steps.ReadBack(verified);
  if (steps.failed()) return steps.failure();
  // A read-back has shown it already; else one page or the UID must.
  if (!steps.anyReadBack() && !steps.ConfirmSameTransponder()) return steps.failure();
  steps.LockSelected();
  if (steps.failed()) return steps.failure();
  // A transponder swapped between two locks took the later ones: it must not count.
  if (steps.anyLocked() && !steps.ConfirmSameTransponder()) return steps.failure();
  return std::nullopt;
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
