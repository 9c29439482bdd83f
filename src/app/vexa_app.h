#pragma once

#include <QApplication>

namespace torvane {

class CVexaDlg;

// The station's application: runs the main window modally and ends with it.
class CVexaApp : public QApplication {
 public:
  CVexaApp(int& argc, char** argv);

  // The exit code of the process.
  int Run();

  CVexaDlg* mainWindow() const { return mainWindow_; }

 private:
  CVexaDlg* mainWindow_ = nullptr;
};

}  // namespace torvane
