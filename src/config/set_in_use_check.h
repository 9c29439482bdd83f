#pragma once

#include "config/set_in_use.h"
#include "platform/result.h"

namespace torvane {

// Whether production may use the set in use as it stands: the carrier ID fits
// memory as the configuration dialog lays it out (offset at most 15, length 1 to
// 16, within pages 1 and 2 for the decimal counter, within memory from its page
// on), every byte text is a byte, and every number the source uses is a number
// in its range. A set file edited by hand or written by another program may
// hold anything; nothing of it is wrapped, limited or cut into something else.
// A failure is the operator's message naming the set, the key and its value.
Status CheckSetInUse(const SetInUse& setInUse);

}  // namespace torvane
