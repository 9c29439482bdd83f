#pragma once

#include <atomic>
#include <string>

#include "view/operator_messages.h"

class QWidget;

namespace torvane {

// The one way the station's windows open a message box: a real modal box with
// the given caption, text, icon and buttons.
class StationMessageBox {
 public:
  static MessageAnswer Show(QWidget* parent, const std::string& text, const std::string& caption,
                            MessageIcon icon, MessageButtons buttons);

  // While the station ends, boxes are not shown, and a box that is closed from
  // outside answers as if not shown: Ok, or No where it asks a question.
  static void SetEnding(bool ending) { ending_ = ending; }
  static bool ending() { return ending_; }

 private:
  static MessageAnswer SafeAnswer(MessageButtons buttons);

  static inline std::atomic<bool> ending_{false};
};

}  // namespace torvane
