#pragma once

#include <string>

#include "config/set_in_use.h"
#include "transponder/page_state.h"
#include "view/station_view.h"

namespace torvane {

// Sets the main window up for its mode, "Config" (production from the set in
// use) or "Manual" (free page work), and fills it from the set in use.
class ConfigurationApplier {
 public:
  ConfigurationApplier(StationView& view, SetInUse& setInUse, PageState& pages,
                       std::string& carrierIdMaxText);

  // Enables, shows and colours the controls of the mode in force; in Config mode
  // also the page selections and page texts of the set.
  void ApplyConfiguration();

  // Handlers of the "Config" and "Manual" buttons.
  void OnConfigMode();
  void OnManualMode();

  // P1 and P2 always; P3 to P17 and "all" exactly when the set writes them.
  void SelectPagesOfSet();
  // Every page text from the set's bytes, in the window's display form.
  void RebuildPageTexts();

 private:
  void ApplyConfigMode();
  void ApplyManualMode();
  void SwitchMode(int configMode);
  void SetPageFieldEditable(int page, bool editable);
  void SetCounterFieldsEnabled(bool enabled);
  void SetManualGroup(bool on);
  void ShowConfigGroup(bool shown);

  StationView& view_;
  SetInUse& setInUse_;
  PageState& pages_;
  std::string& carrierIdMaxText_;
};

}  // namespace torvane
