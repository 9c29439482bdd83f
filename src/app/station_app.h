#pragma once

#include <QApplication>

namespace torvane {

class MainWindow;

// The station's application: runs the main window modally and ends with it.
class StationApp : public QApplication {
 public:
  StationApp(int& argc, char** argv);

  // The exit code of the process.
  int Run();

  MainWindow* mainWindow() const { return mainWindow_; }

 private:
  MainWindow* mainWindow_ = nullptr;
};

}  // namespace torvane
