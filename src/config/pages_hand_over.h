#pragma once

#include "config/config_dialog_state.h"
#include "config/pages_dialog_state.h"

namespace torvane {

// What the configuration dialog hands the pages 3-17 dialog: every byte in both
// forms and as shown in the display form, the flags and the page counter.
PagesDialogState PagesHandOver(const ConfigDialogState& config);

// Takes the pages dialog's result back after "OK": the form, the counter, the
// flags of pages 3-17, and every byte from its shown text, the other form
// derived from it.
void TakeBackPages(const PagesDialogState& pages, ConfigDialogState& config);

}  // namespace torvane
