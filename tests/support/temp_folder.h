#pragma once

#include "support/scratch_directory.h"

namespace torvane::test {

// The same scratch folder under the name some tests know it by.
using TempFolder = ScratchDirectory;

}  // namespace torvane::test
