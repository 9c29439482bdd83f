#pragma once

#include <QLineEdit>

#include "controls/color_control.h"

namespace torvane {

// The Enter-aware edit fields. Number 0 is the plain field; numbers 1 to 25 also
// paint in their own colours. Each takes
// every key: Enter reports COMPLETE to the window instead of pressing its default
// button, Tab never moves the focus (22 to 25 report TAB), Escape stays in the
// field, and 18 to 22 report COMPLETE when they lose the focus.
class EnterEdit : public ColorControl<QLineEdit> {
 public:
  EnterEdit(int number, QWidget* parent);

  int number() const { return number_; }

  static bool SendsTab(int number) { return number >= 22 && number <= 25; }
  static bool CompletesOnFocusLoss(int number) { return number >= 18 && number <= 22; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void StyleChanged() override;

 private:
  // Synchronous: returns after the receiving window has handled the message.
  void SendToWindow(unsigned message);

  int number_;
  unsigned completeMessage_;
  unsigned tabMessage_ = 0;
};

}  // namespace torvane
