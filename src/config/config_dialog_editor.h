#pragma once

#include "config/carrier_id_layout.h"
#include "config/config_dialog_state.h"
#include "config/data_source.h"
#include "config/dialog_view.h"
#include "config/source_display.h"

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
  // A set was loaded into the state: show it as its source wants.
  void OnSetLoaded();
  void OnSave();
  void OnDelete();

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

  DialogView& view_;
  ConfigDialogServices& services_;
  ConfigDialogState& state_;
  ConfigurationSet& set_;
  CarrierIdLayout layout_;
  SourceDisplay source_;
};

}  // namespace torvane
