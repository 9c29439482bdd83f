#pragma once

#include <vector>

#include "res/control_template.h"

namespace torvane {

// Template 180, the pages 3-17 dialog, in creation (tab) order.
const std::vector<ControlTemplate>& PagesDialogTemplate();

}  // namespace torvane
