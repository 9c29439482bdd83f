#pragma once

#include "config/pages_dialog_editor.h"
#include "config/pages_dialog_state.h"
#include "windows/dialog_view_window.h"

namespace torvane {

// The pages 3-17 dialog (template 180, "Config Pages 3-17"): the 120 bytes of the
// user pages, their edit and lock flags and the page counter of the set open in
// the configuration dialog. It works on a copy, handed back only after "OK".
class PagesDialog : public DialogViewWindow {
 public:
  PagesDialog(PagesDialogState state, QWidget* parent);

  const PagesDialogState& state() const { return state_; }

  void TakeFieldValues() override;
  void ShowFieldValues() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Exchange(bool take);
  void ConnectCommands();

  PagesDialogState state_;
  PagesDialogEditor editor_;
  bool opened_ = false;
};

}  // namespace torvane
