#pragma once

#include <string>

#include "transponder_supply.h"

namespace torvane::sim {

// Every transponder of the supply as a JSON document: its UID, whether it is on
// the antenna, its 17 pages as 16 hexadecimal digits each and their lock bits.
std::string RenderStateJson(const TransponderSupply& supply);

}  // namespace torvane::sim
