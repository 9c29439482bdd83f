#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace torvane {

// The names of the configuration sets, in slot order, without gaps.
constexpr std::size_t kMaxSetListSize = 256;
using SetList = std::vector<std::string>;

bool ListHolds(const SetList& setList, const std::string& name);

// Whether `name` is in the list or can still join it.
bool HasRoomFor(const SetList& setList, const std::string& name);

// Puts a name that is not in the list yet into its first empty slot, or behind
// the last. Returns whether the name was added.
bool AddName(SetList& setList, const std::string& name);

// Removes the first slot holding `name` and closes the gaps; the set file stays.
// Returns whether the name was in the list.
bool DeleteName(SetList& setList, const std::string& name);

}  // namespace torvane
