#include <QApplication>
#include <QTimerEvent>

#include "app/main_window.h"
#include "res/station_strings.h"
#include "view/control_ids.h"

namespace torvane {

void MainWindow::SetTimer(int timerId, std::chrono::milliseconds period) {
  timers_.Set(timerId, period);
}

void MainWindow::KillTimer(int timerId) {
  timers_.Kill(timerId);
}

void MainWindow::timerEvent(QTimerEvent* event) {
  const int stationId = timers_.StationIdOf(event->timerId()).value_or(0);
  // No cycle and no poll while the operator has a dialog or a message box open:
  // they wait until it is closed.
  const bool held = ModalWindowOpen();
  if (stationId == kCycleTimer) {
    if (!held) OnCycleTimer();
  } else if (stationId == kMessageTimer) {
    OnMessageTimer();
  } else if (stationId == ContinuousMode::kPollTimer) {
    if (!held) OnContinuousTimer();
  } else if (stationId == kReconnectTimer) {
    OnReconnectTimer();
  } else {
    QDialog::timerEvent(event);
  }
}

bool MainWindow::ModalWindowOpen() const {
  const QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr && modal != this;
}

void MainWindow::OnCycleTimer() {
  if (!requests_.cycleRequested) return;
  // Cleared first: a message box inside the cycle serves ticks of its own.
  requests_.cycleRequested = false;
  if (cycleRunner_) cycleRunner_();
  DeferRecordFileFailure();
  if (AppendProtocolEntry()) FocusControl(ids::kOneButton);
}

void MainWindow::OnMessageTimer() {
  if (requests_.pendingMessageFlag) {
    requests_.pendingMessageFlag = false;
    ShowMessage(requests_.pendingMessage, text::kWindowCaption, MessageIcon::Error,
                MessageButtons::Ok);
  }
  for (int i = 0; i < kPageCount; ++i) {
    if (!requests_.pageFocusRequest[i]) continue;
    requests_.pageFocusRequest[i] = false;
    FocusControl(ids::kPageField[i], true);
  }
  if (state_.pages.enterPending) {
    state_.pages.enterPending = false;
    if (state_.setInUse.configMode == 1) FocusControl(ids::kOneButton);
  }
}

}  // namespace torvane
