#pragma once

// Style bits of a control's template entry: the template tables set them, the
// controls read them.
namespace torvane::style {

// How a coloured label lays out its text.
constexpr unsigned kCentre = 0x0001;
constexpr unsigned kRight = 0x0002;
constexpr unsigned kSingleLineCentred = 0x0200;

// How a control starts.
constexpr unsigned kDisabled = 0x08000000;
constexpr unsigned kHidden = 0x40000000;

}  // namespace torvane::style
