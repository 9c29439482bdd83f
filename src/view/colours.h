#pragma once

#include <cstdint>

// Colours of the fields, as 0x00BBGGRR values.
namespace torvane::colour {

constexpr std::uint32_t kWhite = 0xFFFFFF;  // neutral
constexpr std::uint32_t kGreen = 0x00FF00;  // good
constexpr std::uint32_t kRed = 0x0000FF;    // failed
constexpr std::uint32_t kGrey = 0xF0F0F0;   // not in use
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGreyText = 0x6D6D6D;  // text of a field that cannot be edited

}  // namespace torvane::colour
