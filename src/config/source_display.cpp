#include "config/source_display.h"

#include <utility>

#include "config/flag_boxes.h"
#include "view/config_dialog_ids.h"

namespace torvane {

namespace {

namespace dlg = ids::configuration_dialog;

bool KeepsLogOn(DataSource source) {
  return source == DataSource::Csv || source == DataSource::CsvComplete;
}

}  // namespace

void SourceDisplay::Select(DataSource source) {
  SelectSource(set_, source);
  const bool counter = source == DataSource::DecimalCounter;
  const bool complete = source == DataSource::CsvComplete;
  const bool fixData = source == DataSource::FixData;
  if (KeepsLogOn(source)) set_.log = true;
  if (complete || fixData) {
    set_.carrierIdOffset.clear();
    set_.carrierIdLength.clear();
  }
  if (!counter) {
    set_.carrierId.clear();
    set_.lockCarrierId = false;
  }
  if (counter || fixData) set_.memoryPage = "1";
  if (complete) set_.memoryPage.clear();
  if (fixData) set_.fixByte.fill(true);
  if (complete) {
    set_.writePages3To17 = true;
    set_.counterPage = "None";
    set_.alignment = "None";
  }
  ShowControls(source);
  ShowFlagImages();
  view_.ShowFieldValues();
}

void SourceDisplay::ShowLoaded() {
  ShowControls(SourceOf(set_));
  ShowFlagImages();
  view_.ShowFieldValues();
}

void SourceDisplay::ShowLogControls() {
  const bool keptOn = KeepsLogOn(SourceOf(set_));
  view_.EnableControl(dlg::kLog, !keptOn);
  view_.EnableControl(dlg::kLogOpen, set_.log && !keptOn);
}

void SourceDisplay::ShowFlagImages() {
  ForEachFlagBox(std::as_const(set_),
                 [this](int controlId, bool flag) { view_.SetButtonImage(controlId, flag); });
}

void SourceDisplay::ShowControls(DataSource source) {
  const bool counter = source == DataSource::DecimalCounter;
  const bool csv = source == DataSource::Csv;
  const bool complete = source == DataSource::CsvComplete;
  view_.EnableControl(dlg::kFill, counter);
  ShowField(dlg::kOffset, counter || csv);
  ShowField(dlg::kLength, counter || csv);
  ShowField(dlg::kCarrierId, counter);
  ShowField(dlg::kMemoryPage, csv);
  view_.EnableControl(dlg::kLockCarrierId, counter);
  // A complete CSV row brings pages 1 to 17 with it.
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    view_.EnableControl(dlg::kHexByte[byte], !complete);
    view_.EnableControl(dlg::kAsciiByte[byte], !complete);
    view_.EnableControl(dlg::kFixByte[byte], !complete);
  }
  for (int page = 0; page < 2; ++page) {
    view_.EnableControl(dlg::kEditPage[page], !complete);
    view_.EnableControl(dlg::kLockPage[page], !complete);
  }
  for (int control : {dlg::kWritePages3To17, dlg::kPagesEdit, dlg::kCounterPage, dlg::kAlignment}) {
    view_.EnableControl(control, !complete);
  }
  ShowLogControls();
}

void SourceDisplay::ShowField(int controlId, bool inUse) {
  view_.EnableControl(controlId, inUse);
  view_.SetFieldColour(controlId, inUse ? colour::kWhite : colour::kGrey);
}

}  // namespace torvane
