#pragma once

#include "config/configuration_set.h"
#include "transponder/page_state.h"

namespace torvane {

// The set's 136 page bytes, each in its two text forms, and the page texts
// that are built from them in the form the window shows.
class SetPages {
 public:
  SetPages(ConfigurationSet& set, PageState& pages) : set_(set), pages_(pages) {}

  // An address outside 0..135 is skipped.
  void SetByte(long long address, unsigned char value);
  // Rebuilds the text of page `index` (0 is page 1) from the set's bytes.
  void RebuildPageText(int index);

 private:
  ConfigurationSet& set_;
  PageState& pages_;
};

}  // namespace torvane
