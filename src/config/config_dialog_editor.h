#pragma once

#include <map>
#include <optional>
#include <string>

#include "config/carrier_id_layout.h"
#include "config/config_dialog_services.h"
#include "config/config_dialog_state.h"
#include "config/data_source.h"
#include "config/source_display.h"
#include "view/dialog_view.h"

namespace torvane {

// The handlers of the configuration dialog. The window flips a pressed image
// button's flag when it takes the field values, so a handler reads the new state
// from the set after taking them. Every handler that changes set data disables
// "OK"; only a good "Save" enables it again.
class ConfigDialogEditor {
 public:
  ConfigDialogEditor(DialogView& view, ConfigDialogServices& services, ConfigDialogState& state);

  // Reads the set file of the current name as the dialog reads it (the carrier
  // ID and the counter value stay) and shows the set.
  void OnLoad();
  // A set was read into the state: fit it to the dialog's rules and show it as
  // its source wants.
  void OnSetLoaded();
  void OnSave();
  void OnDelete();
  // "OK": true when the dialog may close because its name and the set it shows
  // are a set on disk, as loaded or saved and unchanged since; otherwise the
  // operator is told why. A picked or typed name of another set is loaded now,
  // and the dialog stays open to show it.
  bool OnOk(bool pickPending);
  // "Decimal counter on Page" or "Alignment serial number" picked.
  void OnListPicked();

  void OnDataSource(DataSource source);
  void OnFill();
  void OnLayoutEnter();
  void OnLayoutTab(int controlId);
  void OnLockCarrierId();
  void OnLockPage(int page);  // 1 or 2
  // "Edit" of page 1 or 2, a "fix data" button, "Write Pages 3 - 17".
  void OnFlagButton();
  void OnTransponderType(bool tiPressed);
  void OnLog();
  void OnCounterPageTimer();
  void OnByteEntry(int controlId);
  void OnWorkOrderNext(int controlId);
  void OnSourceOpen();
  void OnLogOpen();
  void OnPagesEdit();

 private:
  void DisableOk();
  // Takes the field values; a byte field whose text changed waits for its check.
  void TakeFields();
  // The check of Enter for the byte of that field; false when it was refused.
  bool CheckByte(int controlId);
  // Checks every byte typed without Enter, as Enter would; false at the first
  // refusal, whose field gets the focus.
  bool CheckTypedBytes();
  // The name and set as loaded or saved, and the file as it was then.
  void RememberSetOnDisk();
  // Why OK cannot take the set over; nothing when it can.
  std::optional<std::string> TakeOverProblem() const;
  // The counter's carrier ID outlives a source that empties the field.
  void KeepCarrierId();
  void RestoreCarrierId();

  DialogView& view_;
  ConfigDialogServices& services_;
  ConfigDialogState& state_;
  ConfigurationSet& set_;
  CarrierIdLayout layout_;
  SourceDisplay source_;
  // Byte fields typed into but not checked yet, with their value before.
  std::map<int, std::string> typedBytes_;
  std::string diskName_;
  ConfigurationSet diskSet_;                  // what the dialog showed of it
  std::optional<ConfigurationSet> diskFile_;  // as read, without the running values
  std::string keptCarrierId_;
};

}  // namespace torvane
