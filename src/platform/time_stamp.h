#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace torvane {

// The 17-character stamp "dd/mm/yy;hh:mm:ss" of the record and protocol files.
constexpr std::size_t kTimeStampLength = 17;

// Builds the stamp from a time text in the form of "%c" in the C locale,
// "Tue Dec  8 04:33:03 2026"; a text that short of that gives 17 underscores.
std::string TimeStampFromCTimeText(std::string_view cTimeText);
// The stamp of a broken-down local time.
std::string TimeStampOf(const std::tm& localTime);
std::string CurrentTimeStamp();

}  // namespace torvane
