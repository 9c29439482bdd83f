#pragma once

#include <vector>

#include "res/control_template.h"

namespace torvane {

namespace ids {
// The combo boxes of dialog 143, "Interface Settings".
constexpr int kPortCombo = 1138;
constexpr int kBaudRateCombo = 1134;
constexpr int kDataBitsCombo = 1135;
constexpr int kParityCombo = 1136;
constexpr int kStopBitsCombo = 1137;
constexpr int kFlowControlCombo = 1139;
}  // namespace ids

// Dialog 143, 172 by 139 dialog units: its controls in creation (tab) order.
const std::vector<ControlTemplate>& InterfaceDialogTemplate();
constexpr DialogRect kInterfaceDialogRect{0, 0, 172, 139};

}  // namespace torvane
