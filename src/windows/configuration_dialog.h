#pragma once

#include <chrono>

#include "config/config_dialog_editor.h"
#include "config/config_dialog_services.h"
#include "config/config_dialog_state.h"
#include "controls/qt_file_chooser.h"
#include "windows/dialog_view_window.h"

namespace torvane {

// The configuration dialog (template 153, "Config"): edits, saves and deletes the
// named configuration sets. It works on a copy of what its opener hands in; the
// opener takes the state back when the dialog ends with "OK".
class ConfigurationDialog : public DialogViewWindow, public ConfigDialogServices {
 public:
  static constexpr int kNameTimer = 6;
  static constexpr int kCounterPageTimer = 8;
  static constexpr std::chrono::milliseconds kTimerPeriod{500};

  ConfigurationDialog(ConfigDialogState state, QWidget* parent = nullptr);

  const ConfigDialogState& state() const { return state_; }
  // Tests answer the file dialogs through their own chooser.
  void SetFileChooser(FileChooser& chooser) { chooser_ = &chooser; }

  void TakeFieldValues() override;
  void ShowFieldValues() override;
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  bool RunPagesDialog(PagesDialogState& pages) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void OnTimer(int timerId) override;

 private:
  void ConnectCommands();
  void ConnectDataSource(int controlId, DataSource source);
  void Exchange(bool take);
  void ShowNameList();

  ConfigDialogState state_;
  ConfigDialogEditor editor_;
  QtFileChooser qtChooser_;
  FileChooser* chooser_;
  bool opened_ = false;
};

}  // namespace torvane
