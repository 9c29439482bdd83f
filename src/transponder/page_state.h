#pragma once

#include <array>
#include <string>

#include "transponder/page_codec.h"
#include "view/page_geometry.h"

namespace torvane {

using PageTexts = std::array<std::string, kPageCount>;
using PageFlags = std::array<int, kPageCount>;

// The page area of the main window. Index i holds page i + 1.
struct PageState {
  PageForm displayForm = PageForm::Hex;
  PageTexts pageText;         // the text of each page field, in displayForm
  PageTexts hexText;          // last HEX form computed for the page
  PageTexts asciiText;        // last ASCII form computed for the page
  PageTexts defaultPageText;  // HEX texts for "default memory content"
  int allPagesSelected = 0;
  PageFlags pageSelected{};
  PageFlags pageDone{};   // read or written with a good answer by the last manual operation
  std::string alignment;  // of the set in use: "Left", "Right" or anything else
  bool enterPending = false;
};

}  // namespace torvane
