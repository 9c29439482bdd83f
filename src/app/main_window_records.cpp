#include <QDir>

#include "app/main_window.h"
#include "production/last_carrier_id.h"
#include "production/production_messages.h"
#include "res/station_strings.h"
#include "view/control_ids.h"

namespace torvane {

void MainWindow::ConnectRecordCommands() {
  ConnectButton(ids::kLogCheck, [this] { manualLogOperations_.OnLogToggle(); });
  ConnectButton(ids::kLogOpenButton, [this] { manualLogOperations_.OnOpen(*fileChooser_); });
  ConnectButton(ids::kLastCarrierIdButton, [this] { OnLastCarrierId(); });
}

void MainWindow::WriteManualRecord(ManualRecordKind kind) {
  if (manualLogOperations_.WriteManualRecord(kind).ok()) return;
  // The operator goes on with the first page meant for editing.
  const auto& editPage = state_.setInUse.set.editPage;
  for (int i = 0; i < kPageCount; ++i) {
    if (!editPage[i]) continue;
    requests_.pageFocusRequest[i] = true;
    break;
  }
}

void MainWindow::OnLastCarrierId() {
  const ConfigurationSet& set = state_.setInUse.set;
  state_.production.lastCarrierIdNext =
      NextCarrierIdAfterFile(productionRecordFile_.RecordPath(set), set).value_or(0);
}

void MainWindow::DeferRecordFileFailure() {
  ProductionState& production = state_.production;
  if (production.protocolFailure != 3) return;
  // The record file's own message also says how many records wait.
  const std::string& message = productionRecordFile_.failureMessage();
  requests_.pendingMessage = message.empty() ? text::kRecordFileFailure : message;
  requests_.pendingMessageFlag = true;
  production.protocolFailure = 0;
}

// The protocol follows the current directory, wherever it is when the cycle ends.
bool MainWindow::AppendProtocolEntry() {
  const Status status = protocolFile_.AppendProtocolEntry(QDir::currentPath().toStdString(), "One");
  if (status.ok()) return true;
  ShowMessage(status.error, text::kWindowCaption, MessageIcon::Error, MessageButtons::Ok);
  return false;
}

}  // namespace torvane
