#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

namespace torvane::test {

// Answers every message box that opens while it lives, as an operator would,
// and records what each box said.
class MessageBoxAnswerer {
 public:
  struct Seen {
    std::string caption;
    std::string text;
    QMessageBox::Icon icon;
  };

  explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
      : answer_(answer) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { AnswerOpenBoxes(); });
    poll_.start(5);
  }

  const std::vector<Seen>& seen() const { return seen_; }

 private:
  void AnswerOpenBoxes() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(window);
      if (box == nullptr || !box->isVisible()) continue;
      seen_.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon()});
      QAbstractButton* button = box->button(answer_);
      if (button == nullptr) button = box->buttons().value(0);
      if (button != nullptr) button->click();
    }
  }

  QMessageBox::StandardButton answer_;
  QTimer poll_;
  std::vector<Seen> seen_;
};

}  // namespace torvane::test
