#pragma once

#include <string>
#include <string_view>

#include "transponder/page_codec.h"

namespace torvane {

// Brings a page text as typed into its canonical shape. A short entry is padded
// with zero bytes by the alignment of the set in use ("Left" or "Right"); with
// any other alignment, and for entries too long to pad, the text stays as typed
// so that the check can reject it.
std::string NormalisePageEntry(std::string_view text, PageForm form, std::string_view alignment);

}  // namespace torvane
