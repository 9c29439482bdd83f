#include "app/station_app.h"

#include <QDir>
#include <csignal>
#include <iostream>

#include "app/main_window.h"
#include "app/termination_notifier.h"
#include "controls/station_message_box.h"
#include "platform/folder_lock.h"
#include "res/station_strings.h"

namespace torvane {

StationApp::StationApp(int& argc, char** argv) : QApplication(argc, argv) {
  // Over a file size limit a write must fail and be reported, not end the station
  // in the middle of a cycle.
  std::signal(SIGXFSZ, SIG_IGN);
}

int StationApp::Run() {
  const Result<FolderLock> folder = LockStationFolder(QDir::currentPath().toStdString());
  if (!folder.ok()) {
    std::cerr << "torvane: " << folder.error << '\n';
    StationMessageBox::Show(nullptr, folder.error, text::kWindowCaption, MessageIcon::Error,
                            MessageButtons::Ok);
    return 1;
  }
  TerminationNotifier termination;
  MainWindow dialog;
  mainWindow_ = &dialog;
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, &dialog,
                   &MainWindow::EndOnSignal);
  dialog.exec();
  mainWindow_ = nullptr;
  return 0;
}

}  // namespace torvane
