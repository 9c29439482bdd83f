#pragma once

#include "res/control_template.h"

class QWidget;

namespace torvane {

// Builds one control of a dialog template on `parent`: the widget of its kind,
// its id as objectName, its rectangle, and its enabled and hidden style bits.
QWidget* CreateTemplateControl(const ControlTemplate& entry, QWidget* parent);

}  // namespace torvane
