#include "app/config_take_over.h"
#include "app/main_window.h"
#include "view/control_ids.h"
#include "windows/configuration_dialog.h"
#include "windows/outcome_panel.h"

namespace torvane {

void MainWindow::OnConfigMenu() {
  TakeFieldValues();
  ConfigurationDialog dialog(ConfigDialogHandOver(state_), this);
  // Whatever was saved or deleted in the dialog, Cancel leaves the window as it is.
  if (dialog.exec() != QDialog::Accepted) return;
  TakeOverConfiguration(dialog.state(), state_, requests_);
  production_.tally().StartSet();
  SetButtonImage(ids::kHexButton, state_.pages.displayForm == PageForm::Hex);
  SetButtonImage(ids::kAsciiButton, state_.pages.displayForm == PageForm::Ascii);
  SetButtonImage(ids::kConfigModeButton, true);
  SetButtonImage(ids::kManualModeButton, false);
  state_.setInUse.configMode = 1;
  ShowFieldValues();
  ApplyConfiguration();
  ReportUnusableSet();
  SetFieldTextColour(ids::kConfigSetName, colour::kBlack);
  SetFieldColour(ids::kConfigSetName, colour::kWhite);
  ShowProductionState();
  outcomePanel_->ShowReady();
}

}  // namespace torvane
