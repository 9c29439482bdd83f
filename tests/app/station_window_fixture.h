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

#include "app/vexa_dlg.h"
#include "support/message_box_answerer.h"
#include "support/pty_peer.h"
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

  // A settings file whose port is the pseudo-terminal, plus extra lines.
  void WriteSettingsForPeer(const std::string& extra = "") {
    ASSERT_TRUE(peer_.ok()) << peer_.error();
    WriteSettings("[Interface]\r\nport=" + peer_.slavePath() +
                  "\r\nBaudrate=9600\r\nDatabits=8\r\nStopbits=1\r\nParity=None\r\n"
                  "Flowcontrol=No\r\n" +
                  extra);
  }

  void WriteSettings(const std::string& text) {
    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
  }

  std::string ReadSettings() const {
    QFile file(SettingsPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
  }

  QString SettingsPath() const { return directory_.filePath("Torvane.ini"); }

  void Start() {
    window_ = std::make_unique<CVexaDlg>();
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
  PtyPeer peer_;
  std::optional<MessageBoxAnswerer> answerer_{std::in_place};
  std::unique_ptr<CVexaDlg> window_;
};

}  // namespace torvane::test
