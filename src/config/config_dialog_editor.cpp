#include "config/config_dialog_editor.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "config/byte_forms.h"
#include "config/decimal_text.h"
#include "config/pages_hand_over.h"
#include "config/set_file.h"
#include "config/set_list.h"
#include "res/config_dialog_ids.h"
#include "res/control_ids.h"

namespace torvane {

namespace {

namespace dlg = ids::config_dlg;

constexpr int kPageBytes = 8;
constexpr const char* kDefaultRecordFile = "vexa_record.xml";

// The control after `controlId` in a cycle of controls; nothing when it is not in it.
template <std::size_t N>
int NextInCycle(const std::array<int, N>& cycle, int controlId) {
  auto it = std::find(cycle.begin(), cycle.end(), controlId);
  if (it == cycle.end()) return 0;
  return ++it == cycle.end() ? cycle.front() : *it;
}

int IndexIn(const std::array<int, dlg::kAreaBytes>& row, int controlId) {
  auto it = std::find(row.begin(), row.end(), controlId);
  return it == row.end() ? -1 : static_cast<int>(it - row.begin());
}

// Which of pages 1 and 2 the carrier ID of the set lies on.
struct CarrierIdPages {
  bool onPage1;
  bool onPage2;
};

CarrierIdPages PagesOfCarrierId(const ConfigurationSet& set) {
  const std::uint64_t offset = ReadDecimal(set.carrierIdOffset);
  const std::uint64_t end = offset + std::min<std::uint64_t>(ReadDecimal(set.carrierIdLength), 16);
  return {offset < kPageBytes, offset >= kPageBytes || end > kPageBytes};
}

// The record file beside a CSV source: never the source itself.
std::string RecordFileBeside(const std::string& source) {
  std::string ending = source.size() >= 4 ? source.substr(source.size() - 4) : std::string();
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ending == ".csv") return source.substr(0, source.size() - 3) + "xml";
  return source + ".xml";
}

}  // namespace

ConfigDialogEditor::ConfigDialogEditor(DialogView& view, ConfigDialogServices& services,
                                       ConfigDialogState& state)
    : view_(view),
      services_(services),
      state_(state),
      set_(state.set),
      layout_(view, state.set),
      source_(view, state.set) {}

void ConfigDialogEditor::DisableOk() {
  view_.EnableControl(ids::kOk, false);
}

void ConfigDialogEditor::OnLoad() {
  const Status loaded =
      LoadConfigurationSet(state_.workingDirectory, state_.name, SetLoad::Dialog, set_);
  // A new set, or a file without its bytes, starts from zero bytes.
  for (int byte = 0; byte < kSetByteCount; ++byte) {
    if (!set_.byteHex[byte].empty()) continue;
    set_.byteHex[byte] = "00";
    set_.byteAscii[byte] = "NUL";
  }
  view_.ShowFieldValues();
  if (!loaded.ok() && !state_.name.empty()) {
    view_.ShowMessage(loaded.error, kDialogMessageCaption, MessageIcon::Error, MessageButtons::Ok);
  }
  OnSetLoaded();
}

// The file gets what the dialog shows: the layout is checked and brought up to
// date first.
void ConfigDialogEditor::OnSave() {
  view_.TakeFieldValues();
  layout_.CheckLength();
  layout_.Layout();
  const SaveSetResult result =
      SaveSet(view_, state_.workingDirectory, state_.name, set_, state_.setList);
  if (result.outcome == SaveSetOutcome::Saved) {
    view_.EnableControl(ids::kOk, true);
    state_.saved = true;
  }
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnDelete() {
  view_.TakeFieldValues();
  DeleteName(state_.setList, state_.name);
  state_.name.clear();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnSetLoaded() {
  source_.ShowLoaded();
  layout_.Layout();
  view_.RepaintWindow();
}

void ConfigDialogEditor::OnDataSource(DataSource source) {
  view_.TakeFieldValues();
  source_.Select(source);
  layout_.ShowColours();
  DisableOk();
}

void ConfigDialogEditor::OnFill() {
  view_.TakeFieldValues();
  layout_.CheckLength();
  layout_.Layout();
  DisableOk();
  view_.RepaintWindow();
}

void ConfigDialogEditor::OnLayoutEnter() {
  view_.TakeFieldValues();
  layout_.CheckLength();
  DisableOk();
  view_.RepaintWindow();
}

void ConfigDialogEditor::OnLayoutTab(int controlId) {
  constexpr std::array<int, 3> kCounterCycle = {dlg::kOffset, dlg::kLength, dlg::kCarrierId};
  constexpr std::array<int, 3> kCsvCycle = {dlg::kOffset, dlg::kLength, dlg::kMemoryPage};
  int next = 0;
  const DataSource source = SourceOf(set_);
  if (source == DataSource::DecimalCounter) next = NextInCycle(kCounterCycle, controlId);
  if (source == DataSource::Csv) next = NextInCycle(kCsvCycle, controlId);
  if (next != 0) view_.FocusControl(next, true);
}

void ConfigDialogEditor::OnLockCarrierId() {
  view_.TakeFieldValues();
  const CarrierIdPages pages = PagesOfCarrierId(set_);
  if (pages.onPage1) set_.lockPage[0] = set_.lockCarrierId;
  if (pages.onPage2) set_.lockPage[1] = set_.lockCarrierId;
  source_.ShowFlagImages();
  DisableOk();
  view_.ShowFieldValues();
}

// With the decimal counter the identifier counts as locked exactly when every
// page it lies on is locked.
void ConfigDialogEditor::OnLockPage(int page) {
  view_.TakeFieldValues();
  if (SourceOf(set_) == DataSource::DecimalCounter) {
    const CarrierIdPages pages = PagesOfCarrierId(set_);
    const bool onPressed = page == 1 ? pages.onPage1 : pages.onPage2;
    if (set_.lockPage[page - 1]) {
      if ((!pages.onPage1 || set_.lockPage[0]) && (!pages.onPage2 || set_.lockPage[1])) {
        set_.lockCarrierId = true;
      }
    } else if (onPressed) {
      set_.lockCarrierId = false;
    }
  }
  source_.ShowFlagImages();
  DisableOk();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnFlagButton() {
  view_.TakeFieldValues();
  source_.ShowFlagImages();
  DisableOk();
  view_.ShowFieldValues();
}

// The type goes into the set file like any other value, so it too waits for "Save".
void ConfigDialogEditor::OnTransponderType(bool tiPressed) {
  view_.TakeFieldValues();
  if (tiPressed) {
    set_.typeQuorvi = !set_.typeTi;
  } else {
    set_.typeTi = !set_.typeQuorvi;
  }
  source_.ShowFlagImages();
  DisableOk();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnLog() {
  view_.TakeFieldValues();
  source_.ShowFlagImages();
  source_.ShowLogControls();
  DisableOk();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnCounterPageTimer() {
  view_.TakeFieldValues();
  if (std::optional<int> page = CounterPageNumber(set_.counterPage)) {
    // That page is written by the counter.
    set_.editPage[*page - 1] = false;
    set_.writePages3To17 = true;
    source_.ShowFlagImages();
  }
  DisableOk();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnByteEntry(int controlId) {
  const int hexIndex = IndexIn(dlg::kHexByte, controlId);
  const int charIndex = IndexIn(dlg::kAsciiByte, controlId);
  const bool hexRow = hexIndex >= 0;
  const int byte = hexRow ? hexIndex : charIndex;
  if (byte < 0) return;
  const std::string oldHex = set_.byteHex[byte];
  const std::string oldChars = set_.byteAscii[byte];
  view_.TakeFieldValues();
  if (hexRow) {
    if (std::optional<std::string> hex = AcceptedHexByte(set_.byteHex[byte], false)) {
      set_.byteHex[byte] = *hex;
      set_.byteAscii[byte] = CharFormOfHex(*hex);
    } else {
      set_.byteHex[byte] = oldHex;
      view_.ShowMessage(HexByteRefusal(byte, false), kDialogMessageCaption, MessageIcon::Warning,
                        MessageButtons::Ok);
    }
  } else {
    if (std::optional<std::string> chars = AcceptedCharByte(set_.byteAscii[byte])) {
      set_.byteAscii[byte] = *chars;
      set_.byteHex[byte] = HexFormOfChars(*chars);
    } else {
      set_.byteAscii[byte] = oldChars;
      view_.ShowMessage(CharByteRefusal(byte), kDialogMessageCaption, MessageIcon::Warning,
                        MessageButtons::Ok);
    }
  }
  view_.ShowFieldValues();
  layout_.Refresh();
  DisableOk();
  const auto& row = hexRow ? dlg::kHexByte : dlg::kAsciiByte;
  view_.FocusControl(row[(byte + 1) % dlg::kAreaBytes], true);
}

void ConfigDialogEditor::OnWorkOrderNext(int controlId) {
  constexpr std::array<int, 4> kCycle = {dlg::kOperatorBadge, dlg::kPartNumber,
                                         dlg::kWorkOrderNumber, dlg::kQuantity};
  if (int next = NextInCycle(kCycle, controlId)) view_.FocusControl(next, true);
}

void ConfigDialogEditor::OnSourceOpen() {
  view_.TakeFieldValues();
  const std::string& start = set_.sourceFile.empty() ? state_.workingDirectory : set_.sourceFile;
  if (std::optional<std::string> chosen =
          services_.ChooseFile({FileRequest::Kind::Open, "*.csv", "csv", start})) {
    set_.sourceFile = *chosen;
    const DataSource source = SourceOf(set_);
    if (source == DataSource::Csv || source == DataSource::CsvComplete) {
      set_.logFile = RecordFileBeside(set_.sourceFile);
    }
  }
  DisableOk();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnLogOpen() {
  view_.TakeFieldValues();
  const std::string& start = set_.logFile.empty() ? state_.workingDirectory : set_.logFile;
  if (std::optional<std::string> chosen =
          services_.ChooseFile({FileRequest::Kind::Save, "*.xml", "xml", start})) {
    set_.logFile = *chosen;
  }
  if (set_.logFile.empty()) set_.logFile = state_.workingDirectory + "/" + kDefaultRecordFile;
  DisableOk();
  view_.ShowFieldValues();
}

// Pages 3-17 go into the set file like any other value, so they too wait for "Save".
void ConfigDialogEditor::OnPagesEdit() {
  view_.TakeFieldValues();
  PagesDialogState pages = PagesHandOver(state_);
  if (!services_.RunPagesDialog(pages)) return;
  TakeBackPages(pages, state_);
  if (std::any_of(set_.editPage.begin() + 2, set_.editPage.end(), [](bool on) { return on; })) {
    set_.writePages3To17 = true;
  }
  source_.ShowFlagImages();
  DisableOk();
  view_.ShowFieldValues();
}

}  // namespace torvane
