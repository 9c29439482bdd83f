#pragma once

#include <string>

#include "transponder/reader_failure.h"

namespace torvane {

// The operator's message for a failed programming: the station's message for
// the step, then what went wrong, then what to do.
std::string ProgrammingFailureMessage(const ReaderFailure& failure);

}  // namespace torvane
