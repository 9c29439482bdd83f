#pragma once

#include "transponder/page_state.h"
#include "view/station_view.h"

namespace torvane {

// The page area of the main window: entering a page text, switching all pages
// between HEX and ASCII form, and the page selection buttons. Pages are numbered
// 1 to 17. The window flips the pressed button's flag when it takes the field
// values, so the handlers read the new state from PageState after taking them.
class PageEditor {
 public:
  PageEditor(StationView& view, PageState& pages);

  // Enter in page field n: normalise, store both forms, check, mark enterPending.
  void OnPageEnter(int page);
  void OnHexForm();
  void OnAsciiForm();
  void OnAllPagesCheck();
  void OnPageCheck(int page);

 private:
  void SwitchForm(PageForm form);

  StationView& view_;
  PageState& pages_;
};

}  // namespace torvane
