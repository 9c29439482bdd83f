#pragma once

#include <vector>

#include "res/control_template.h"

namespace torvane {

// Dialog 102: every control of the main window, in creation (tab) order.
const std::vector<ControlTemplate>& MainWindowTemplate();

// The image pairs of the check boxes and radio buttons: the set image's id; the
// clear image is the next one.
namespace image {
constexpr int kCheckSet = 170;  // log check box and transponder type
constexpr int kPageCheckSet = 173;
constexpr int kRadioSet = 175;  // HEX/ASCII and Config/Manual
constexpr int kWindowIcon = 128;
constexpr int kTopLeftPicture = 172;
constexpr int kLowerPicture = 177;
constexpr int kAboutPicture = 137;
}  // namespace image

}  // namespace torvane
