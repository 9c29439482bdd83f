#include <QAbstractSlider>
#include <QScrollBar>

#include "app/main_window.h"
#include "controls/window_messages.h"
#include "production/production_messages.h"
#include "transponder/reader_exchange.h"
#include "view/control_ids.h"
#include "windows/outcome_panel.h"

namespace torvane {

namespace {

// The edit class of "next", "max" and the UID field.
constexpr int kCounterFieldsEdit = 21;

}  // namespace

void MainWindow::ConnectProductionCommands() {
  SetCycleRunner([this] { RunCycle(); });
  ConnectButton(ids::kOneButton, [this] { OnOne(); });
  ConnectButton(ids::kContButton, [this] { OnContinuousButton(); });
  ProductionCycle& cycle = production_.cycle();
  ConnectButton(ids::kNextDataSetButton, [&cycle] { cycle.csvSource().Prepare(); });
  ConnectButton(ids::kNextCompleteButton, [&cycle] { cycle.completeSource().Prepare(); });
  ConnectButton(ids::kCurrentDataSetProcessedButton,
                [this, &cycle] { ReportSourceFailure(cycle.csvSource().Advance()); });
  ConnectButton(ids::kNextCompleteProcessedButton,
                [this, &cycle] { ReportSourceFailure(cycle.completeSource().Advance()); });
  ConnectSpin(ids::kNextSpin, [this](SpinDirection d) { production_.spins().OnNextSpin(d); });
  ConnectSpin(ids::kMaxSpin, [this](SpinDirection d) { production_.spins().OnMaxSpin(d); });
  // "next", "max" and the UID field share their message; the sender tells them apart.
  messages_.On(WindowMessages::EditComplete(kCounterFieldsEdit), [this](int sender, QWidget*) {
    if (sender == ids::kNextField) production_.spins().OnNextTyped();
    if (sender == ids::kMaxField) production_.spins().OnMaxTyped();
    ShowProductionState();
    return 0L;
  });
}

void MainWindow::ConnectSpin(int spinId, std::function<void(SpinDirection)> handler) {
  auto* spin = Control<QScrollBar>(spinId);
  if (spin == nullptr) return;
  // The arrows step; the bar itself stays in the middle for the next step.
  connect(spin, &QAbstractSlider::actionTriggered, this,
          [spin, handler = std::move(handler)](int action) {
            if (action == QAbstractSlider::SliderSingleStepSub) handler(SpinDirection::Up);
            if (action == QAbstractSlider::SliderSingleStepAdd) handler(SpinDirection::Down);
            spin->setSliderPosition(0);
          });
}

void MainWindow::OnOne() {
  SetTimer(kCycleTimer, kCyclePeriod);
  requests_.cycleRequested = true;
  state_.reader.errorCount = 0;
}

void MainWindow::RunCycle() {
  outcomePanel_->ShowBusy();
  // The cycle holds the window's thread: BUSY is painted before it starts.
  outcomePanel_->repaint();
  ResetResultFields();
  const auto startedAt = std::chrono::system_clock::now();
  const auto started = std::chrono::steady_clock::now();
  const auto boxesBefore = messageTime_;
  lastMessageLine_.clear();
  CycleOutcome outcome = production_.cycle().ProgramOneTag();
  // The cycle alone: not the time the operator took to read its messages.
  const auto took = std::chrono::steady_clock::now() - started - (messageTime_ - boxesBefore);
  if (!outcome.programmed && outcome.reason.empty()) outcome.reason = lastMessageLine_;
  if (!outcome.programmed && !outcome.carrierId.empty()) {
    cycleReasons_[outcome.carrierId] = outcome.reason;
  }
  production_.tally().Count(outcome);
  const std::string& uid = state_.reader.uidText;
  outcomePanel_->ShowOutcome(outcome, IsGoodUidAnswer(uid) ? uid : std::string(), startedAt, took);
  if (outcome.focusPage) requests_.pageFocusRequest[*outcome.focusPage] = true;
  production_.continuous().OnCycleEnded(outcome);
  ShowProductionState();
}

void MainWindow::OnContinuousButton() {
  production_.continuous().OnContinuous();
  const bool on = state_.production.continuousMode == 1;
  if (on) production_.tally().StartRun();
  ShowProductionState();
  if (on) {
    outcomePanel_->ShowWaiting();
  } else {
    outcomePanel_->ShowReady();
  }
}

void MainWindow::ResetResultFields() {
  for (int field : ids::kPageField) SetFieldColour(field, colour::kWhite);
  SetFieldColour(ids::kUidField, colour::kWhite);
}

void MainWindow::ShowProductionState() {
  PlaceOutcomePanel();
  const OutcomeTally& tally = production_.tally();
  outcomePanel_->ShowCounts(tally, production_.Remaining());
  outcomePanel_->ShowRunState(state_.production.continuousMode == 1, tally.run().good,
                              ReaderTrouble());
  outcomePanel_->ShowHint(NextStep());
}

std::string MainWindow::NextStep() const {
  if (state_.setInUse.configMode != 1) return "Manual mode: press \"Config\" to produce.";
  if (state_.production.continuousMode == 1) {
    return "Place the next transponder: the run programs it.";
  }
  if (state_.setInUse.set.sourceDecimalCounter && !state_.setInUse.set.sourceCsv &&
      !state_.setInUse.set.sourceCsvComplete && state_.carrierIdMaxText.empty()) {
    return "\"max\" is empty: type the last carrier ID to make into \"max\" and press Enter.";
  }
  return "Place a transponder and press One";
}

std::string MainWindow::ReaderTrouble() const {
  constexpr const char* kChoosePort = "choose the port in \"Interface\" > \"Settings\"";
  if (readerAway_ && !otherDeviceAt_.empty()) {
    return "reader disconnected: another device is at " + otherDeviceAt_ + "; " + kChoosePort +
           " to use it";
  }
  if (readerAway_) return "reader disconnected";
  if (!link_.portOpen()) return std::string("no reader: ") + kChoosePort;
  return {};
}

void MainWindow::OnContinuousTimer() {
  const bool busy = production_.cycle().running() || requests_.cycleRequested;
  if (production_.continuous().OnPollTick(busy)) OnOne();
  // The transponder of the last cycle is taken away: the run waits for the next.
  if (state_.production.continuousMode == 1 && production_.continuous().antennaEmpty() &&
      outcomePanel_->face() == OutcomePanel::Face::Pass) {
    outcomePanel_->ShowWaiting();
  }
}

void MainWindow::ReportSourceFailure(const Status& status) {
  if (status.ok()) return;
  ShowMessage(status.error, text::kCaption, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace torvane
