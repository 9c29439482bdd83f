#include "config/configuration_applier.h"

#include "view/control_ids.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr int kManualGroup[] = {ids::kReadButton,
                                ids::kWriteButton,
                                ids::kLockButton,
                                ids::kDefaultContentButton,
                                ids::kCarrierIdOffsetLabel,
                                ids::kCarrierIdLengthLabel,
                                ids::kCarrierIdLabel,
                                ids::kCarrierIdOffsetField,
                                ids::kCarrierIdLengthField,
                                ids::kCarrierIdField,
                                ids::kReadCarrierIdButton,
                                ids::kWriteCarrierIdButton,
                                ids::kReadUidButton,
                                ids::kUidField,
                                ids::kTransponderTypeLabel,
                                ids::kTiLabel,
                                ids::kQuorviLabel,
                                ids::kTiButton,
                                ids::kQuorviButton,
                                ids::kLogLabel,
                                ids::kLogCheck,
                                ids::kLogFileName,
                                ids::kLogOpenButton};

constexpr int kConfigGroup[] = {ids::kConfigSetName,
                                ids::kNextField,
                                ids::kMaxField,
                                ids::kNextSpin,
                                ids::kMaxSpin,
                                ids::kOneButton,
                                ids::kCarrierIdCounterLabel,
                                ids::kNextLabel,
                                ids::kMaxLabel};

constexpr int kCounterControls[] = {ids::kNextField, ids::kMaxField, ids::kNextSpin, ids::kMaxSpin};

// The eight forms of a page's bytes joined by single blanks.
std::string PageText(const std::array<std::string, kMemoryBytes>& forms, int page) {
  std::string text;
  for (int i = 0; i < kBytesPerPage; ++i) {
    if (i > 0) text += ' ';
    text += forms[kBytesPerPage * page + i];
  }
  return text;
}

}  // namespace

ConfigurationApplier::ConfigurationApplier(StationView& view, SetInUse& setInUse, PageState& pages,
                                           std::string& carrierIdMaxText)
    : view_(view), setInUse_(setInUse), pages_(pages), carrierIdMaxText_(carrierIdMaxText) {}

void ConfigurationApplier::ApplyConfiguration() {
  if (setInUse_.configMode == 1) {
    ApplyConfigMode();
  } else {
    ApplyManualMode();
  }
}

void ConfigurationApplier::OnConfigMode() {
  SwitchMode(1);
}

void ConfigurationApplier::OnManualMode() {
  SwitchMode(0);
}

void ConfigurationApplier::SelectPagesOfSet() {
  const int writeUserPages = setInUse_.set.writePages3To17 ? 1 : 0;
  pages_.pageSelected.fill(writeUserPages);
  pages_.pageSelected[0] = 1;
  pages_.pageSelected[1] = 1;
  pages_.allPagesSelected = writeUserPages;
  // The images follow the flags even while the buttons are disabled: back in
  // Manual mode a button must never show a page as left out that is written.
  for (int page = 0; page < kPageCount; ++page) {
    view_.SetButtonImage(ids::kPageCheck[page], pages_.pageSelected[page] == 1);
  }
  view_.SetButtonImage(ids::kAllPagesCheck, writeUserPages == 1);
}

void ConfigurationApplier::RebuildPageTexts() {
  const ConfigurationSet& set = setInUse_.set;
  for (int page = 0; page < kPageCount; ++page) {
    pages_.hexText[page] = PageText(set.byteHex, page);
    pages_.asciiText[page] = PageText(set.byteAscii, page);
    pages_.pageText[page] =
        pages_.displayForm == PageForm::Ascii ? pages_.asciiText[page] : pages_.hexText[page];
  }
}

void ConfigurationApplier::ApplyConfigMode() {
  const ConfigurationSet& set = setInUse_.set;
  for (int check : ids::kPageCheck) view_.EnableControl(check, false);
  view_.EnableControl(ids::kAllPagesCheck, false);
  for (int page = 0; page < kPageCount; ++page) SetPageFieldEditable(page, set.editPage[page]);
  if (set.editPage[kPageCount - 1]) view_.FocusControl(ids::kPageField[kPageCount - 1]);
  SetManualGroup(false);

  // These sources bring their own carrier IDs: the counter and its end do not apply.
  const bool ownCarrierIds = set.sourceCsv || set.sourceFixData;
  SetCounterFieldsEnabled(!ownCarrierIds);
  if (ownCarrierIds) carrierIdMaxText_.clear();

  view_.EnableControl(ids::kOneButton, true);
  view_.EnableControl(ids::kContButton, true);
  ShowConfigGroup(true);

  SelectPagesOfSet();
  RebuildPageTexts();
  view_.ShowFieldValues();
}

void ConfigurationApplier::ApplyManualMode() {
  for (int check : ids::kPageCheck) view_.EnableControl(check, true);
  view_.EnableControl(ids::kAllPagesCheck, true);
  for (int page = 0; page < kPageCount; ++page) SetPageFieldEditable(page, true);
  SetManualGroup(true);
  SetCounterFieldsEnabled(false);
  view_.EnableControl(ids::kOneButton, false);
  view_.EnableControl(ids::kContButton, false);
  ShowConfigGroup(false);
}

void ConfigurationApplier::SwitchMode(int configMode) {
  view_.TakeFieldValues();
  view_.SetButtonImage(ids::kConfigModeButton, configMode == 1);
  view_.SetButtonImage(ids::kManualModeButton, configMode == 0);
  setInUse_.configMode = configMode;
  view_.ShowFieldValues();
  ApplyConfiguration();
}

void ConfigurationApplier::SetPageFieldEditable(int page, bool editable) {
  const int field = ids::kPageField[page];
  view_.EnableControl(field, editable);
  view_.SetFieldTextColour(field, editable ? colour::kBlack : colour::kGreyText);
  view_.SetFieldColour(field, editable ? colour::kWhite : colour::kGrey);
}

void ConfigurationApplier::SetCounterFieldsEnabled(bool enabled) {
  for (int control : kCounterControls) view_.EnableControl(control, enabled);
  view_.SetFieldColour(ids::kNextField, enabled ? colour::kWhite : colour::kGrey);
  view_.SetFieldColour(ids::kMaxField, enabled ? colour::kWhite : colour::kGrey);
}

void ConfigurationApplier::SetManualGroup(bool on) {
  for (int control : kManualGroup) {
    view_.EnableControl(control, on);
    view_.ShowControl(control, on);
  }
}

void ConfigurationApplier::ShowConfigGroup(bool shown) {
  for (int control : kConfigGroup) view_.ShowControl(control, shown);
  view_.ShowControl(ids::kContButton, shown);
}

}  // namespace torvane
