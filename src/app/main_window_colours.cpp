#include "app/main_window.h"
#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

constexpr int kStartFields[] = {ids::kCarrierIdOffsetField,
                                ids::kCarrierIdLengthField,
                                ids::kCarrierIdField,
                                ids::kUidField,
                                ids::kNextField,
                                ids::kMaxField};

}  // namespace

void MainWindow::ApplyStartColours() {
  for (auto& [id, control] : controls_) {
    if (auto* label = dynamic_cast<ColorLabel*>(control)) {
      label->SetTextColour(colour::kWhite, false);
      label->SetBackgroundColour(colour::kBlack);
    }
  }
  for (int field : ids::kPageField) SetFieldColour(field, colour::kWhite);
  for (int field : kStartFields) SetFieldColour(field, colour::kWhite);
}

void MainWindow::ApplyStartImages() {
  const PageState& pages = state_.pages;
  for (int i = 0; i < kPageCount; ++i)
    SetButtonImage(ids::kPageCheck[i], pages.pageSelected[i] == 1);
  SetButtonImage(ids::kAllPagesCheck, pages.allPagesSelected == 1);
  SetButtonImage(ids::kHexButton, pages.displayForm == PageForm::Hex);
  SetButtonImage(ids::kAsciiButton, pages.displayForm == PageForm::Ascii);
  SetButtonImage(ids::kConfigModeButton, state_.setInUse.configMode == 1);
  SetButtonImage(ids::kManualModeButton, state_.setInUse.configMode != 1);
  SetButtonImage(ids::kLogCheck, state_.manualLog.manualLogOn == 1);
  SetButtonImage(ids::kTiButton, state_.reader.tiSelected == 1);
  SetButtonImage(ids::kQuorviButton, state_.reader.quorviSelected == 1);
}

}  // namespace torvane
