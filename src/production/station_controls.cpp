#include "production/station_controls.h"

#include "view/control_ids.h"

namespace torvane {

void EnableStationControls(StationView& view, const ProductionState& production, int configMode,
                           bool enable) {
  view.EnableControl(ids::kTerminalInput, enable);
  view.EnableControl(ids::kNextField, enable);
  view.SetFieldColour(ids::kNextField, enable ? colour::kWhite : colour::kGrey);
  view.EnableControl(ids::kTerminalSend, enable);
  view.EnableControl(ids::kNextSpin, enable);
  view.EnableControl(ids::kOneButton, enable);
  view.EnableControl(ids::kContButton,
                     production.continuousMode != 0 || (enable && configMode == 1));
  // Nothing that changes the set, the port or the records while a run goes on.
  view.EnableMenuCommand(ids::kMenuConfig, enable);
  view.EnableMenuCommand(ids::kMenuInterfaceSettings, enable);
  view.EnableMenuCommand(ids::kMenuExit, enable);
  view.EnableMenuCommand(ids::kMenuInfo, enable);
}

}  // namespace torvane
