#include "app/main_window.h"
#include "controls/station_message_box.h"
#include "link/port_open_failure.h"
#include "platform/port_discovery.h"
#include "res/station_strings.h"
#include "windows/interface_dialog.h"
#include "windows/outcome_panel.h"
#include "windows/port_info_dialog.h"

namespace torvane {

namespace {

constexpr char kSystemRoot[] = "/";

}  // namespace

void MainWindow::OpenPort(const char* failureCaption) {
  const SerialSettings& serial = state_.serial;
  const SerialParameters parameters = PortParametersOf(serial);
  const bool opened =
      link_.OpenComPort(serial.portName, parameters.baudRate, parameters.dataBits,
                        parameters.parityCode, parameters.stopBitsCode, parameters.flowControlCode);
  if (opened && link_.lastError().empty()) return NoteOpenedDevice();
  // A port that took no parameters would stay silent: it is closed and reported too.
  const std::string reason = link_.lastError();
  link_.CloseComPort();
  const PortAccess access =
      CheckPortAccess(DevicePathForPort(serial.portName), UserIdentity::OfThisProcess());
  ShowMessage(PortOpenFailureText(serial.portName, reason, access), failureCaption,
              MessageIcon::Error, MessageButtons::Ok);
}

void MainWindow::OnInterfaceSettings() {
  TakeFieldValues();
  // The operator chooses the port now: no reader is waited for any more.
  KillTimer(kReconnectTimer);
  readerAway_ = false;
  KillTimer(kCycleTimer);
  KillTimer(kMessageTimer);
  if (link_.CloseComPort()) {
    InterfaceDialog dialog(InterfaceTextsOf(state_.serial),
                           PortNames(DiscoverPorts(kSystemRoot, UserIdentity::OfThisProcess())),
                           this);
    const int result = dialog.exec();
    // The station ends from inside the dialog: the port stays closed.
    if (ended_ || StationMessageBox::ending()) return;
    TakeFieldValues();
    if (result == QDialog::Accepted) TakeInterfaceTexts(dialog.texts(), state_.serial);
    OpenPort(text::kWindowCaption);
  } else {
    // The receive thread has stopped: no answers arrive until the port is closed
    // and opened again through this menu.
    ShowMessage(text::kPortNotClosed, text::kWindowCaption, MessageIcon::Error, MessageButtons::Ok);
  }
  SetTimer(kCycleTimer, kCyclePeriod);
  SetTimer(kMessageTimer, kMessagePeriod);
  ShowFieldValues();
  ShowProductionState();
  outcomePanel_->ShowReady();
}

void MainWindow::OnDeviceManager() {
  if (portInfo_ == nullptr) {
    portInfo_ = new PortInfoDialog(kSystemRoot, UserIdentity::OfThisProcess(), this);
    portInfo_->setAttribute(Qt::WA_DeleteOnClose);
  } else {
    portInfo_->Refresh();
  }
  portInfo_->show();
  portInfo_->raise();
  portInfo_->activateWindow();
}

}  // namespace torvane
