#include "controls/widget_focus.h"

#include <QLineEdit>

namespace torvane {

void FocusWidget(QWidget* control, bool selectAll) {
  if (control == nullptr) return;
  control->setFocus(Qt::OtherFocusReason);
  auto* edit = qobject_cast<QLineEdit*>(control);
  if (edit != nullptr && selectAll) edit->selectAll();
}

}  // namespace torvane
