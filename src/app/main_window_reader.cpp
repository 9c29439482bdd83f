#include <QMetaObject>

#include "app/main_window.h"
#include "link/serial_settings.h"
#include "platform/serial_port.h"
#include "windows/outcome_panel.h"

namespace torvane {

void MainWindow::WatchReader() {
  // The hook runs on the receive thread; the window acts on its own thread.
  link_.setHangUpHook([this] {
    QMetaObject::invokeMethod(
        this, [this] { OnReaderGone(); }, Qt::QueuedConnection);
  });
}

void MainWindow::NoteOpenedDevice() {
  openedDevice_ = IdentityOf(DevicePathForPort(state_.serial.portName));
}

void MainWindow::OnReaderGone() {
  // The port may have been closed or opened anew since the hook was posted.
  if (!link_.hungUp()) return;
  readerAway_ = true;
  otherDeviceAt_.clear();
  link_.CloseComPort();
  production_.continuous().Stop();
  SetTimer(kReconnectTimer, kReconnectPeriod);
  ShowProductionState();
}

void MainWindow::OnReconnectTimer() {
  // Quietly: a reader that is still away is no news for the operator. Only the
  // device that went comes back by itself; another one at its path would take
  // the station's writes unseen, so it waits for the operator.
  if (!openedDevice_) return;
  const SerialParameters parameters = PortParametersOf(state_.serial);
  std::string other;
  for (const std::string& name : {openedDevice_->byIdName, state_.serial.portName}) {
    if (name.empty()) continue;
    const std::optional<DeviceIdentity> there = IdentityOf(DevicePathForPort(name));
    if (!there) continue;
    if (!SameDevice(*openedDevice_, *there)) {
      other = name;
      continue;
    }
    const bool opened =
        link_.OpenComPort(name, parameters.baudRate, parameters.dataBits, parameters.parityCode,
                          parameters.stopBitsCode, parameters.flowControlCode);
    if (opened && link_.lastError().empty()) {
      KillTimer(kReconnectTimer);
      readerAway_ = false;
      otherDeviceAt_.clear();
      ShowProductionState();
      // What the panel showed was before the reader went.
      outcomePanel_->ShowReady();
      return;
    }
    link_.CloseComPort();
  }
  if (other != otherDeviceAt_) {
    otherDeviceAt_ = other;
    ShowProductionState();
  }
}

}  // namespace torvane
