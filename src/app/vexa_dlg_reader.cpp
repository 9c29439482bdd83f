#include <sys/stat.h>

#include <QMetaObject>

#include "app/vexa_dlg.h"
#include "platform/stable_device_name.h"

namespace torvane {

namespace {

bool DeviceNodeExists(const std::string& portName) {
  struct stat node {};
  return stat(DevicePathForPort(portName).c_str(), &node) == 0;
}

}  // namespace

void CVexaDlg::WatchReader() {
  // The hook runs on the receive thread; the window acts on its own thread.
  link_.setHangUpHook([this] {
    QMetaObject::invokeMethod(
        this, [this] { OnReaderGone(); }, Qt::QueuedConnection);
  });
}

void CVexaDlg::NoteOpenedDevice() {
  stableDeviceName_ =
      StableDeviceName(DevicePathForPort(state_.serial.portName)).value_or(std::string());
}

void CVexaDlg::OnReaderGone() {
  // The port may have been closed or opened anew since the hook was posted.
  if (!link_.hungUp()) return;
  readerAway_ = true;
  link_.CloseComPort();
  production_.continuous().Stop();
  SetTimer(kReconnectTimer, kReconnectPeriod);
  ShowProductionState();
}

void CVexaDlg::OnReconnectTimer() {
  // Quietly: a reader that is still away is no news for the operator.
  const SerialParameters parameters = PortParametersOf(state_.serial);
  for (const std::string& name : {stableDeviceName_, state_.serial.portName}) {
    if (name.empty() || !DeviceNodeExists(name)) continue;
    const bool opened =
        link_.OpenComPort(name, parameters.baudRate, parameters.dataBits, parameters.parityCode,
                          parameters.stopBitsCode, parameters.flowControlCode);
    if (opened && link_.lastError().empty()) {
      KillTimer(kReconnectTimer);
      readerAway_ = false;
      ShowProductionState();
      return;
    }
    link_.CloseComPort();
  }
}

}  // namespace torvane
