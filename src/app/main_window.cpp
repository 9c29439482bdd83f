#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <cstdio>

#include "app/station_settings.h"
#include "config/set_in_use_check.h"
#include "controls/station_message_box.h"
#include "platform/atomic_file.h"
#include "production/in_flight_file.h"
#include "production/set_in_use_load.h"
#include "res/station_images.h"
#include "res/station_strings.h"
#include "view/control_ids.h"
#include "windows/outcome_panel.h"

namespace torvane {

namespace {

constexpr const char* kEndRunQuestion = "A continuous run is on.\r\nEnd the run and the station?";

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QDialog(parent),
      pageEditor_(*this, state_.pages),
      manualOperations_(link_, *this, state_.pages, state_.reader, state_.terminal, state_.setInUse,
                        state_.manualLog),
      configurationApplier_(*this, state_.setInUse, state_.pages, state_.carrierIdMaxText),
      terminalPane_(link_, *this, state_.terminal),
      manualLogOperations_(*this, state_.manualLog, state_.pages, state_.reader, state_.setInUse,
                           state_.workingDirectory),
      production_(*this, state_, link_, manualOperations_, productionRecordFile_),
      carrierIdOperations_(link_, *this, state_.pages, state_.reader, state_.terminal,
                           state_.carrierId, production_.cycle().guard()) {
  BuildWindow();
  ConnectCommands();
  ApplyHelp();
  WatchReader();
}

MainWindow::~MainWindow() {
  // The receive thread works on this window's state: it ends before anything else.
  if (!ended_) ClosePort();
  if (initialised_) {
    TakeFieldValues();
    state_.settingsPath = StationSettingsPath(state_.workingDirectory);
    RemoveLeftoverTemporaries(state_.workingDirectory);
    SaveStationSettings(state_.settingsPath, state_);
  }
  KillTimer(kCycleTimer);
  KillTimer(kMessageTimer);
  KillTimer(ContinuousMode::kPollTimer);
  KillTimer(kReconnectTimer);
  // Also at a signal, which asks nobody: the operator's terminal or the service log keeps it.
  if (const std::string held = production_.cycle().OnStationEnd(); !held.empty()) {
    std::fprintf(stderr, "%s\n", held.c_str());
  }
  StationMessageBox::SetEnding(false);
}

void MainWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (initialised_) return;
  initialised_ = true;
  Initialise();
}

void MainWindow::Initialise() {
  state_.reader.answerUnit = kAnswerUnitAtStart;
  // Shown, then toggled once: hidden, unchecked, the narrow window.
  state_.terminal.terminalShown = true;
  terminalPane_.OnShow();
  state_.workingDirectory = QDir::currentPath().toStdString();
  state_.settingsPath = StationSettingsPath(state_.workingDirectory);
  LoadStationSettings(state_.settingsPath, state_);
  LoadSetInUseAtStart();
  production_.SettleAtStart();
  // Which ledger guards this station's carrier IDs, where the operator looks for its outcome.
  outcomePanel_->setToolTip(QString::fromStdString("Ledger: " + production_.ledger().Place()));
  ShowFieldValues();
  setWindowIcon(StationImages::WindowIcon());
  setWindowTitle(QString::fromUtf8(text::kWindowCaption));
  OpenPortAtStart();
  SetTimer(kCycleTimer, kCyclePeriod);
  SetTimer(kMessageTimer, kMessagePeriod);
  ApplyStartColours();
  ApplyStartImages();
  ShowFieldValues();
  ApplyConfiguration();
  ShowProductionState();
}

void MainWindow::LoadSetInUseAtStart() {
  const Status loaded =
      LoadSetInUse(state_.workingDirectory, state_.setInUse, state_.pages, state_.production);
  if (!loaded.ok()) {
    ShowMessage(
        "The configuration set \"" + state_.setInUse.name + "\" is not in use.\r\n" + loaded.error,
        text::kWindowCaption, MessageIcon::Warning, MessageButtons::Ok);
    return;
  }
  ReportUnusableSet();
}

void MainWindow::ReportUnusableSet() {
  if (state_.setInUse.name.empty()) return;
  if (const Status usable = CheckSetInUse(state_.setInUse); !usable.ok()) {
    ShowMessage(usable.error, text::kWindowCaption, MessageIcon::Warning, MessageButtons::Ok);
  }
}

bool MainWindow::MayEndWithRecordsInMemory() {
  if (StationMessageBox::ending() || productionRecordFile_.EnsureRecordsOnDisk().ok()) return true;
  std::string question = "These production records are held only in memory:\r\n";
  for (const std::string& label : productionRecordFile_.RecordsOnlyInMemory()) {
    question += label + "\r\n";
  }
  question += "The record of the last transponder with a carrier ID stays in the file " +
              std::string(InFlightFile::kFileName) +
              ", and the next start writes it into its record file.\r\nEnd the station anyway?";
  return ShowMessage(question, text::kWindowCaption, MessageIcon::Question,
                     MessageButtons::YesNo) == MessageAnswer::Yes;
}

void MainWindow::OpenPortAtStart() {
  ResolveSerialCodes(state_.serial);
  OpenPort(text::kErrorCaption);
}

void MainWindow::ClosePort() {
  if (!link_.CloseComPort()) {
    ShowMessage(text::kPortNotClosed, text::kErrorCaption, MessageIcon::Error, MessageButtons::Ok);
  }
}

void MainWindow::done(int result) {
  if (!ended_ && !MayEndWithRecordsInMemory()) return;
  if (!ended_) {
    ended_ = true;
    ClosePort();
  }
  QDialog::done(result);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Enter reaches the window only from a control that does not take it (push
  // buttons and the fields do): it is the hidden OK button's command, which never
  // ends the window.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    OnOk();
    event->accept();
    return;
  }
  // Escape ends the window as "Exit" does, so not while "Exit" is greyed.
  if (event->key() == Qt::Key_Escape && ExitGreyed()) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ExitGreyed() && !StationMessageBox::ending()) {
    if (ShowMessage(kEndRunQuestion, text::kWindowCaption, MessageIcon::Question,
                    MessageButtons::YesNo) != MessageAnswer::Yes) {
      event->ignore();
      return;
    }
    production_.continuous().Stop();
    ShowProductionState();
  }
  QDialog::closeEvent(event);
}

bool MainWindow::ExitGreyed() const {
  return !actions_.at(ids::kMenuExit)->isEnabled();
}

void MainWindow::EndOnSignal() {
  StationMessageBox::SetEnding(true);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(window);
    if (dialog != nullptr && dialog != this && dialog->isVisible()) dialog->done(QDialog::Rejected);
  }
  // Queued: the loops of the dialogs just closed unwind before the window ends.
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace torvane
