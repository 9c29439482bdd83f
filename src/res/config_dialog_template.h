#pragma once

#include <vector>

#include "res/control_template.h"

namespace torvane {

// Template 153, the configuration dialog, in creation (tab) order.
const std::vector<ControlTemplate>& ConfigDialogTemplate();

}  // namespace torvane
