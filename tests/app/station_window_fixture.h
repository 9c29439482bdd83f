#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "support/message_box_answerer.h"
#include "support/qt_wait.h"

namespace torvane::test {

// The main window in a scratch working directory, with every message box
// answered. Tests find controls by their ids.
class StationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(directory_.isValid());
    previousDirectory_ = QDir::currentPath();
    QDir::setCurrent(directory_.path());
  }

  void TearDown() override {
    window_.reset();
    QDir::setCurrent(previousDirectory_);
  }

  // A settings file for the given port, plus extra lines.
  void WriteSettingsForPort(const std::string& port, const std::string& extra = "") {
    const std::string text = "[Interface]\r\nport=" + port +
                             "\r\nBaudrate=115200\r\nDatabits=8\r\nStopbits=1\r\n"
                             "Parity=None\r\nFlowcontrol=No\r\n" +
                             extra;
    QFile file(directory_.filePath("Torvane.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
  }

  std::string ReadSettings() const {
    QFile file(directory_.filePath("Torvane.ini"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
  }

  void Start() {
    window_ = std::make_unique<MainWindow>();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(WaitUntil([this] { return window_->isActiveWindow(); }));
  }

  template <class T = QWidget>
  T* Control(int id) const {
    // dynamic_cast: the station's own controls carry no meta-object of their own.
    return dynamic_cast<T*>(window_->findChild<QWidget*>(QString::number(id)));
  }
  QAction* Action(int command) const {
    return window_->findChild<QAction*>(QString::number(command));
  }

  QTemporaryDir directory_;
  QString previousDirectory_;
  std::optional<MessageBoxAnswerer> answerer_{std::in_place};
  std::unique_ptr<MainWindow> window_;
};

}  // namespace torvane::test
