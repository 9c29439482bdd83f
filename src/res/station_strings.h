#pragma once

#include "platform/version.h"

// Texts of the main window and the about box (UTF-8).
namespace torvane::text {

constexpr const char* kWindowCaption = "Torvane";
constexpr const char* kAboutCaption = "Torvane  V" TORVANE_VERSION "  21.10.2026";
constexpr const char* kAboutItem = "Inf&o über Vexa...";  // string resource 101
constexpr const char* kErrorCaption = "Error";
constexpr const char* kPortNotOpened = " could not be opened!";
constexpr const char* kPortNotClosed = "Can't close COM Port.";

}  // namespace torvane::text
