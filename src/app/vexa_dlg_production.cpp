#include <QAbstractSlider>
#include <QScrollBar>

#include "app/outcome_panel.h"
#include "app/vexa_dlg.h"
#include "production/production_messages.h"
#include "res/control_ids.h"
#include "transponder/reader_exchange.h"

namespace torvane {

void CVexaDlg::ConnectProductionCommands() {
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
}

void CVexaDlg::ConnectSpin(int spinId, std::function<void(SpinDirection)> handler) {
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

void CVexaDlg::OnOne() {
  SetTimer(kCycleTimer, kCyclePeriod);
  requests_.cycleRequested = true;
  state_.reader.errorCount = 0;
}

void CVexaDlg::RunCycle() {
  outcomePanel_->ShowBusy();
  ResetResultFields();
  const auto started = std::chrono::steady_clock::now();
  const CycleOutcome outcome = production_.cycle().ProgramOneTag();
  const auto took = std::chrono::steady_clock::now() - started;
  production_.tally().Count(outcome);
  const std::string& uid = state_.reader.uidText;
  outcomePanel_->ShowOutcome(outcome, IsGoodUidAnswer(uid) ? uid : std::string(),
                             std::chrono::system_clock::now(), took);
  if (outcome.focusPage) requests_.pageFocusRequest[*outcome.focusPage] = true;
  production_.continuous().OnCycleEnded(outcome);
  ShowProductionState();
}

void CVexaDlg::OnContinuousButton() {
  production_.continuous().OnContinuous();
  if (state_.production.continuousMode == 1) production_.tally().StartRun();
  ShowProductionState();
}

void CVexaDlg::ResetResultFields() {
  for (int field : ids::kPageField) SetFieldColour(field, colour::kWhite);
  SetFieldColour(ids::kUidField, colour::kWhite);
}

void CVexaDlg::ShowProductionState() {
  const OutcomeTally& tally = production_.tally();
  outcomePanel_->ShowCounts(tally, production_.Remaining());
  outcomePanel_->ShowRunState(state_.production.continuousMode == 1, tally.run().good, readerAway_);
}

void CVexaDlg::OnContinuousTimer() {
  const bool busy = production_.cycle().running() || requests_.cycleRequested;
  if (production_.continuous().OnPollTick(busy)) OnOne();
}

void CVexaDlg::ReportSourceFailure(const Status& status) {
  if (status.ok()) return;
  ShowMessage(status.error, text::kCaption, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace torvane
