#include "app/vexa_app.h"

#include "app/termination_notifier.h"
#include "app/vexa_dlg.h"

namespace torvane {

CVexaApp::CVexaApp(int& argc, char** argv) : QApplication(argc, argv) {}

int CVexaApp::Run() {
  TerminationNotifier termination;
  CVexaDlg dialog;
  mainWindow_ = &dialog;
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, &dialog,
                   &CVexaDlg::EndOnSignal);
  dialog.exec();
  mainWindow_ = nullptr;
  return 0;
}

}  // namespace torvane
