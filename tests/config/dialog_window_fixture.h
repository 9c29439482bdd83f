#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "controls/color_style.h"
#include "controls/enter_edit.h"
#include "support/message_box_answerer.h"
#include "support/qt_wait.h"

namespace torvane::test {

// Drives a dialog's controls by id as an operator would.
class DialogWindowTest : public ::testing::Test {
 protected:
  template <class T = QWidget>
  static T* Find(QWidget& dialog, int id) {
    // dynamic_cast: the station's own controls carry no meta-object of their own.
    return dynamic_cast<T*>(dialog.findChild<QWidget*>(QString::number(id)));
  }

  // Shows the dialog as the active window, so that the focus moves as it would.
  static void Open(QWidget& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return dialog.isActiveWindow(); }));
  }

  static void Click(QWidget& dialog, int id) {
    auto* button = Find<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
  }

  // Types the text into the field and presses Enter.
  static void Enter(QWidget& dialog, int id, const QString& text) {
    auto* field = Find<QLineEdit>(dialog, id);
    ASSERT_NE(field, nullptr) << id;
    field->setFocus();
    field->setText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(field, &press);
  }

  // Types the text into the field, or a combo box's field, without Enter.
  static void Type(QWidget& dialog, int id, const QString& text) {
    if (auto* combo = Find<QComboBox>(dialog, id)) {
      combo->setEditText(text);
      return;
    }
    auto* field = Find<QLineEdit>(dialog, id);
    ASSERT_NE(field, nullptr) << id;
    field->setText(text);
  }

  // Key by key, as the keyboard sends it.
  static void TypeKeys(QWidget* target, const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(target, &press);
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(target, &release);
    }
  }

  static QString Text(QWidget& dialog, int id) {
    auto* field = Find<QLineEdit>(dialog, id);
    return field == nullptr ? QString() : field->text();
  }

  static std::uint32_t Background(QWidget& dialog, int id) {
    auto* field = Find<EnterEdit>(dialog, id);
    return field == nullptr ? 0 : field->colorStyle().backgroundColour();
  }

  // With TORVANE_SCREENSHOTS set to a folder, the dialog as the operator sees it.
  static void Screenshot(QWidget& dialog, const std::string& name) {
    const char* folder = std::getenv("TORVANE_SCREENSHOTS");
    if (folder == nullptr) return;
    dialog.grab().save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
  }

  // Ok to every message, Yes to every question.
  MessageBoxAnswerer answerer_{QMessageBox::Yes};
};

}  // namespace torvane::test
