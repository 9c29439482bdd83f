#pragma once

#include <string_view>

#include "config/set_in_use.h"
#include "platform/result.h"
#include "production/production_state.h"
#include "transponder/page_state.h"

namespace torvane {

// Reads the set named by `setInUse.name` with every key, as the main window does
// once at start-up: its carrier ID becomes the next one to produce, and the
// window takes its alignment and its Quorvi type. Without a name the set stays
// empty. A name that cannot be a set name, or a file that cannot be read, leaves
// the set empty and is returned for the operator.
Status LoadSetInUse(std::string_view workingDirectory, SetInUse& setInUse, PageState& pages,
                    ProductionState& production);

}  // namespace torvane
