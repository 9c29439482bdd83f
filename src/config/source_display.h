#pragma once

#include "config/configuration_set.h"
#include "config/data_source.h"
#include "view/dialog_view.h"

namespace torvane {

// What the configuration dialog enables, colours and shows for each data source.
class SourceDisplay {
 public:
  SourceDisplay(DialogView& view, ConfigurationSet& set) : view_(view), set_(set) {}

  // The operator picked a source: its values and its controls.
  void Select(DataSource source);
  // A set was loaded: the controls of its source and every flag's image; the
  // set itself stays as it is.
  void ShowLoaded();
  // "Open" for the record file only with "Log" set, neither when a CSV source
  // keeps the log on.
  void ShowLogControls();
  void ShowFlagImages();

 private:
  void ShowControls(DataSource source);
  void ShowField(int controlId, bool inUse);

  DialogView& view_;
  ConfigurationSet& set_;
};

}  // namespace torvane
