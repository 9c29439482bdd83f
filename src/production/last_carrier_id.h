#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/configuration_set.h"

namespace torvane {

// The carrier ID after the last one recorded: pages 1 and 2 of the last record
// row that holds both in HEX form, cut at the set's carrier-ID offset and
// length, read as a decimal number and counted up by one. Nothing when the text
// holds no such row.
std::optional<std::uint64_t> NextCarrierIdAfter(std::string_view recordFileTail,
                                                const ConfigurationSet& set);

// The same, from the end of the record file at `path`.
std::optional<std::uint64_t> NextCarrierIdAfterFile(const std::string& path,
                                                    const ConfigurationSet& set);

}  // namespace torvane
