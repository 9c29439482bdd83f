#pragma once

#include "view/dialog_view.h"
#include "windows/dialog_window.h"

namespace torvane {

// A template dialog whose editing rules reach it through DialogView.
class DialogViewWindow : public DialogWindow, public DialogView {
 public:
  using DialogWindow::DialogWindow;

  void SetFieldColour(int controlId, std::uint32_t background) override {
    DialogWindow::SetFieldColour(controlId, background);
  }
  void FocusControl(int controlId, bool selectAll) override {
    DialogWindow::FocusControl(controlId, selectAll);
  }
  void SetButtonImage(int controlId, bool set) override {
    DialogWindow::SetButtonImage(controlId, set);
  }
  void EnableControl(int controlId, bool enabled) override {
    DialogWindow::EnableControl(controlId, enabled);
  }
  void RepaintWindow() override { DialogWindow::RepaintWindow(); }
  bool HoldsOnlyByteCharacters(int controlId) const override {
    return DialogWindow::HoldsOnlyByteCharacters(controlId);
  }
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    return DialogWindow::ShowMessage(text, caption, icon, buttons);
  }
};

}  // namespace torvane
