#include <QAbstractButton>
#include <QAction>

#include "app/main_window.h"
#include "controls/window_messages.h"
#include "transponder/transponder_type.h"
#include "view/control_ids.h"
#include "windows/about_dialog.h"
#include "windows/history_window.h"

namespace torvane {

void MainWindow::ConnectCommands() {
  for (int page = 1; page <= kPageCount; ++page) {
    messages_.On(WindowMessages::EditComplete(page), [this, page](int, QWidget*) {
      pageEditor_.OnPageEnter(page);
      return 0L;
    });
    ConnectButton(ids::kPageCheck[page - 1], [this, page] { pageEditor_.OnPageCheck(page); });
  }
  messages_.On(WindowMessages::EditComplete(0), [this](int, QWidget*) {
    terminalPane_.OnInputEnter();
    return 0L;
  });
  ConnectButton(ids::kAllPagesCheck, [this] { pageEditor_.OnAllPagesCheck(); });
  ConnectButton(ids::kHexButton, [this] { pageEditor_.OnHexForm(); });
  ConnectButton(ids::kAsciiButton, [this] { pageEditor_.OnAsciiForm(); });

  ConnectButton(ids::kReadUidButton, [this] { manualOperations_.OnReadUid(); });
  ConnectButton(ids::kReadButton, [this] { manualOperations_.OnReadPages(); });
  ConnectButton(ids::kWriteButton, [this] { manualOperations_.OnWritePages(); });
  ConnectButton(ids::kLockButton, [this] { manualOperations_.OnLockPages(); });
  ConnectButton(ids::kDefaultContentButton, [this] { manualOperations_.OnDefaultContent(); });
  ConnectButton(ids::kReadCarrierIdButton, [this] { carrierIdOperations_.OnReadCarrierId(); });
  ConnectButton(ids::kWriteCarrierIdButton, [this] { carrierIdOperations_.OnWriteCarrierId(); });
  ConnectButton(ids::kTiButton, [this] { OnTiType(*this, state_.reader); });
  ConnectButton(ids::kQuorviButton, [this] { OnQuorviType(*this, state_.reader); });

  ConnectButton(ids::kConfigModeButton, [this] {
    configurationApplier_.OnConfigMode();
    ShowProductionState();
  });
  ConnectButton(ids::kManualModeButton, [this] {
    configurationApplier_.OnManualMode();
    ShowProductionState();
  });
  ConnectRecordCommands();

  ConnectButton(ids::kTerminalSend, [this] { terminalPane_.OnSend(); });
  ConnectButton(ids::kOk, [this] { OnOk(); });
  ConnectButton(ids::kCancel, [this] { reject(); });

  ConnectProductionCommands();
  ConnectMenu(ids::kMenuExit, [this] { OnExit(); });
  ConnectMenu(ids::kMenuInterfaceSettings, [this] { OnInterfaceSettings(); });
  ConnectMenu(ids::kMenuDeviceManager, [this] { OnDeviceManager(); });
  ConnectMenu(ids::kMenuTerminalShow, [this] { terminalPane_.OnShow(); });
  ConnectMenu(ids::kMenuTerminalClear, [this] { terminalPane_.OnClear(); });
  ConnectMenu(ids::kMenuConfig, [this] { OnConfigMenu(); });
  ConnectMenu(ids::kMenuInfo, [this] { OnAbout(); });
  ConnectMenu(ids::kMenuHistory, [this] { OnHistory(); });
  ConnectMenu(ids::kSystemMenuAbout, [this] { OnAbout(); });
}

void MainWindow::ConnectButton(int controlId, std::function<void()> handler) {
  if (auto* button = Control<QAbstractButton>(controlId)) {
    connect(button, &QAbstractButton::clicked, this, [handler = std::move(handler)] { handler(); });
  }
}

void MainWindow::ConnectMenu(int command, std::function<void()> handler) {
  connect(actions_.at(command), &QAction::triggered, this,
          [handler = std::move(handler)] { handler(); });
}

void MainWindow::OnExit() {
  TakeFieldValues();
  done(QDialog::Accepted);
}

void MainWindow::OnAbout() {
  AboutDialog about(this);
  about.exec();
}

void MainWindow::OnHistory() {
  HistoryWindow history(production_.ledger(), cycleReasons_, *fileChooser_, this);
  history.exec();
}

void MainWindow::OnOk() {
  FocusControl(ids::kOneButton);
}

}  // namespace torvane
