#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/config_dialog_services.h"
#include "config/pages_dialog_state.h"
#include "view/dialog_view.h"

namespace torvane::test {

// Records what the dialog rules do to their window. Message boxes answer Ok,
// questions Yes; file dialogs answer from `chosenFiles` (cancelled when empty).
class FakeDialogView : public DialogView, public ConfigDialogServices {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };

  void TakeFieldValues() override {
    ++takeCount;
    if (typed) typed();
  }
  void ShowFieldValues() override { ++showCount; }
  void SetFieldColour(int controlId, std::uint32_t background) override {
    colours[controlId] = background;
  }
  void FocusControl(int controlId, bool selectAll) override {
    focus = controlId;
    focusSelectsAll = selectAll;
  }
  void SetButtonImage(int controlId, bool set) override { images[controlId] = set; }
  void EnableControl(int controlId, bool enabled) override { enabled_[controlId] = enabled; }
  void RepaintWindow() override {}
  bool HoldsOnlyByteCharacters(int controlId) const override {
    return !nonByteFields.contains(controlId);
  }
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    messages.push_back({text, caption, icon});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  std::optional<std::string> ChooseFile(const FileRequest& request) override {
    requests.push_back(request);
    if (chosenFiles.empty()) return std::nullopt;
    std::string chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
  }
  bool RunPagesDialog(PagesDialogState& pages) override {
    return pagesDialog ? pagesDialog(pages) : false;
  }

  // Enabled when the rules never disabled the control.
  bool enabled(int controlId) const {
    auto it = enabled_.find(controlId);
    return it == enabled_.end() || it->second;
  }
  bool touched(int controlId) const { return enabled_.contains(controlId); }

  // What the operator typed, put into the state when the rules take the fields.
  std::function<void()> typed;
  int takeCount = 0;
  int showCount = 0;
  std::map<int, std::uint32_t> colours;
  std::map<int, bool> images;
  int focus = 0;
  bool focusSelectsAll = false;
  std::vector<Message> messages;
  std::vector<FileRequest> requests;
  std::deque<std::string> chosenFiles;
  std::function<bool(PagesDialogState&)> pagesDialog;
  std::set<int> nonByteFields;  // fields holding a character beyond Latin-1

 private:
  std::map<int, bool> enabled_;
};

}  // namespace torvane::test
