#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
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

  using SeenHandler = std::function<void(const Seen&)>;

  explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok,
                              SeenHandler onSeen = {})
      : answer_(answer), onSeen_(std::move(onSeen)) {
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
      if (onSeen_) onSeen_(seen_.back());
      QAbstractButton* button = box->button(answer_);
      if (button == nullptr) button = box->buttons().value(0);
      if (button != nullptr) button->click();
    }
  }

  QMessageBox::StandardButton answer_;
  SeenHandler onSeen_;
  QTimer poll_;
  std::vector<Seen> seen_;
};

}  // namespace torvane::test
