#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace torvane::test {

// Works a modal dialog as an operator would: once a dialog of the type is
// shown, `operate` runs on it (and ends it, by its buttons), once.
template <class Dialog>
class DialogOperator {
 public:
  explicit DialogOperator(std::function<void(Dialog&)> operate) : operate_(std::move(operate)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { OperateShownDialog(); });
    poll_.start(5);
  }

  bool operated() const { return operated_; }

 private:
  void OperateShownDialog() {
    if (operated_) return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      // dynamic_cast: the station's dialogs carry no meta-object of their own.
      auto* dialog = dynamic_cast<Dialog*>(window);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      operated_ = true;
      operate_(*dialog);
      return;
    }
  }

  std::function<void(Dialog&)> operate_;
  QTimer poll_;
  bool operated_ = false;
};

}  // namespace torvane::test
