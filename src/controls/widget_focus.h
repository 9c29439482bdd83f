#pragma once

class QWidget;

namespace torvane {

// Gives a control the focus; a line edit can have its whole text selected with it.
// No control, nothing happens.
void FocusWidget(QWidget* control, bool selectAll);

}  // namespace torvane
