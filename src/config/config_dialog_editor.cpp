#include "config/config_dialog_editor.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "config/byte_forms.h"
#include "config/counter_page_number.h"
#include "config/loaded_set.h"
#include "config/pages_hand_over.h"
#include "config/set_file.h"
#include "config/set_name.h"
#include "config/set_save.h"
#include "platform/decimal_text.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

namespace dlg = ids::configuration_dialog;

constexpr const char* kDefaultRecordFile = "vexa_record.xml";

// The control after `controlId` in a cycle of controls; nothing when it is not in it.
template <std::size_t N>
int NextInCycle(const std::array<int, N>& cycle, int controlId) {
  auto it = std::find(cycle.begin(), cycle.end(), controlId);
  if (it == cycle.end()) return 0;
  return ++it == cycle.end() ? cycle.front() : *it;
}

int IndexIn(const std::array<int, kCarrierIdAreaBytes>& row, int controlId) {
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
  const std::uint64_t end =
      offset + std::min<std::uint64_t>(ReadDecimal(set.carrierIdLength), kCarrierIdAreaBytes);
  return {offset < kBytesPerPage, offset >= kBytesPerPage || end > kBytesPerPage};
}

// The set file as the dialog reads it, without the running values; nothing
// when there is no file to read.
std::optional<ConfigurationSet> ReadSetFile(const Result<std::string>& path) {
  std::error_code error;
  if (!path.ok() || !std::filesystem::exists(path.value, error)) return std::nullopt;
  ConfigurationSet file;
  if (!LoadSetFile(path.value, SetLoad::Dialog, file).ok()) return std::nullopt;
  return file;
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
  KeepCarrierId();
  const Status loaded =
      LoadConfigurationSet(state_.workingDirectory, state_.name, SetLoad::Dialog, set_);
  RestoreCarrierId();
  typedBytes_.clear();
  view_.ShowFieldValues();
  if (!loaded.ok() && !state_.name.empty()) {
    view_.ShowMessage(loaded.error, kDialogMessageCaption, MessageIcon::Error, MessageButtons::Ok);
  }
  OnSetLoaded();
  RememberSetOnDisk();
}

// The file gets what the dialog shows: typed bytes are checked and the layout
// is brought up to date first.
void ConfigDialogEditor::OnSave() {
  TakeFields();
  if (!CheckTypedBytes()) return;
  layout_.CheckLength();
  layout_.Layout();
  const SaveSetResult result =
      SaveSet(view_, state_.workingDirectory, state_.name, set_, state_.setList);
  const bool saved = result.outcome == SaveSetOutcome::Saved;
  if (saved) {
    view_.EnableControl(ids::kOk, true);
    state_.saved = true;
  }
  view_.ShowFieldValues();
  if (saved) RememberSetOnDisk();
}

bool ConfigDialogEditor::OnOk(bool pickPending) {
  TakeFields();
  // A set named in the box by typing is loaded as one picked from the list,
  // never overwritten with the set shown.
  const bool typedSetOnDisk =
      state_.name != diskName_ && ReadSetFile(SetFilePath(state_.workingDirectory, state_.name));
  if (pickPending || typedSetOnDisk) {
    OnLoad();
    return false;
  }
  if (!CheckTypedBytes()) return false;
  if (std::optional<std::string> problem = TakeOverProblem()) {
    view_.ShowMessage(*problem, kDialogMessageCaption, MessageIcon::Warning, MessageButtons::Ok);
    return false;
  }
  return true;
}

void ConfigDialogEditor::OnListPicked() {
  DisableOk();
}

void ConfigDialogEditor::RememberSetOnDisk() {
  diskName_ = state_.name;
  diskSet_ = set_;
  diskFile_ = ReadSetFile(SetFilePath(state_.workingDirectory, state_.name));
}

std::optional<std::string> ConfigDialogEditor::TakeOverProblem() const {
  const Result<std::string> path = SetFilePath(state_.workingDirectory, state_.name);
  if (!path.ok()) return path.error;
  const std::string quoted = "\"" + state_.name + "\"";
  if (state_.name != diskName_) {
    return "There is no configuration set " + quoted +
           ".\r\nPress \"Save\" to make the set shown into it, or pick a set from the list.";
  }
  if (set_ != diskSet_) {
    return "The configuration set " + quoted +
           " has changes that are not saved.\r\nPlease save them, or pick the set again.";
  }
  const std::optional<ConfigurationSet> file = ReadSetFile(path);
  if (!file) {
    return "The configuration set " + quoted + " has no file that can be read.\r\nPlease save it.";
  }
  if (file != diskFile_) {
    return "The file of the configuration set " + quoted +
           " has changed since the dialog read it.\r\nPlease pick the set again.";
  }
  return std::nullopt;
}

void ConfigDialogEditor::KeepCarrierId() {
  if (!set_.carrierId.empty()) keptCarrierId_ = set_.carrierId;
}

void ConfigDialogEditor::RestoreCarrierId() {
  if (set_.carrierId.empty()) set_.carrierId = keptCarrierId_;
}

void ConfigDialogEditor::TakeFields() {
  const auto hexBefore = set_.byteHex;
  const auto charsBefore = set_.byteAscii;
  view_.TakeFieldValues();
  auto note = [this](int controlId, const std::string& before, const std::string& now) {
    if (now != before || !view_.HoldsOnlyByteCharacters(controlId)) {
      typedBytes_.try_emplace(controlId, before);
    }
  };
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    note(dlg::kHexByte[byte], hexBefore[byte], set_.byteHex[byte]);
    note(dlg::kAsciiByte[byte], charsBefore[byte], set_.byteAscii[byte]);
  }
}

bool ConfigDialogEditor::CheckByte(int controlId) {
  const int hexIndex = IndexIn(dlg::kHexByte, controlId);
  const bool hexRow = hexIndex >= 0;
  const int byte = hexRow ? hexIndex : IndexIn(dlg::kAsciiByte, controlId);
  if (byte < 0) return true;
  std::string& hex = set_.byteHex[byte];
  std::string& chars = set_.byteAscii[byte];
  std::string& typed = hexRow ? hex : chars;
  const auto pending = typedBytes_.find(controlId);
  const std::string before = pending == typedBytes_.end() ? typed : pending->second;
  if (pending != typedBytes_.end()) typedBytes_.erase(pending);

  std::string refusal;
  if (!view_.HoldsOnlyByteCharacters(controlId)) {
    refusal = NonByteCharacterRefusal(byte);
  } else if (hexRow) {
    if (std::optional<std::string> accepted = AcceptedHexByte(hex, false)) {
      hex = *accepted;
      chars = CharFormOfHex(hex);
    } else {
      refusal = HexByteRefusal(byte, false);
    }
  } else if (std::optional<std::string> accepted = AcceptedCharByte(chars)) {
    chars = *accepted;
    hex = HexFormOfChars(chars);
  } else {
    refusal = CharByteRefusal(byte);
  }
  if (refusal.empty()) return true;
  typed = before;
  view_.ShowMessage(refusal, kDialogMessageCaption, MessageIcon::Warning, MessageButtons::Ok);
  return false;
}

bool ConfigDialogEditor::CheckTypedBytes() {
  if (typedBytes_.empty()) return true;
  while (!typedBytes_.empty()) {
    const int controlId = typedBytes_.begin()->first;
    if (CheckByte(controlId)) continue;
    view_.ShowFieldValues();
    view_.FocusControl(controlId, true);
    return false;
  }
  layout_.Refresh();
  return true;
}

void ConfigDialogEditor::OnDelete() {
  TakeFields();
  DeleteName(state_.setList, state_.name);
  state_.name.clear();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnSetLoaded() {
  FitLoadedSetToDialog(set_);
  source_.ShowLoaded();
  layout_.Layout();
  view_.RepaintWindow();
}

void ConfigDialogEditor::OnDataSource(DataSource source) {
  TakeFields();
  KeepCarrierId();
  source_.Select(source);
  if (source == DataSource::DecimalCounter) {
    RestoreCarrierId();
    view_.ShowFieldValues();
  }
  layout_.ShowColours();
  DisableOk();
}

void ConfigDialogEditor::OnFill() {
  TakeFields();
  layout_.CheckLength();
  layout_.Layout();
  DisableOk();
  view_.RepaintWindow();
}

void ConfigDialogEditor::OnLayoutEnter() {
  TakeFields();
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
  TakeFields();
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
  TakeFields();
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
  TakeFields();
  source_.ShowFlagImages();
  DisableOk();
  view_.ShowFieldValues();
}

// The type goes into the set file like any other value, so it too waits for "Save".
void ConfigDialogEditor::OnTransponderType(bool tiPressed) {
  TakeFields();
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
  TakeFields();
  source_.ShowFlagImages();
  source_.ShowLogControls();
  DisableOk();
  view_.ShowFieldValues();
}

void ConfigDialogEditor::OnCounterPageTimer() {
  TakeFields();
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
  const bool hexRow = hexIndex >= 0;
  const int byte = hexRow ? hexIndex : IndexIn(dlg::kAsciiByte, controlId);
  if (byte < 0) return;
  TakeFields();
  CheckByte(controlId);
  view_.ShowFieldValues();
  layout_.Refresh();
  DisableOk();
  const auto& row = hexRow ? dlg::kHexByte : dlg::kAsciiByte;
  view_.FocusControl(row[(byte + 1) % kCarrierIdAreaBytes], true);
}

void ConfigDialogEditor::OnWorkOrderNext(int controlId) {
  constexpr std::array<int, 4> kCycle = {dlg::kOperatorBadge, dlg::kPartNumber,
                                         dlg::kWorkOrderNumber, dlg::kQuantity};
  if (int next = NextInCycle(kCycle, controlId)) view_.FocusControl(next, true);
}

void ConfigDialogEditor::OnSourceOpen() {
  TakeFields();
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
  TakeFields();
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
  TakeFields();
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
