#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "transponder/station_view.h"

namespace torvane::test {

// Records what the logic does to the window; message boxes are answered from a
// queue (Ok/Yes when the queue is empty).
class FakeStationView : public StationView {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
  };

  void TakeFieldValues() override { ++takeCount; }
  void ShowFieldValues() override { ++showCount; }
  void SetFieldColour(int controlId, std::uint32_t background) override {
    colours[controlId] = background;
  }
  void FocusControl(int controlId, bool selectAll) override {
    focusHistory.push_back(controlId);
    lastFocusSelectedAll = selectAll;
  }
  void SetButtonImage(int controlId, bool checked) override { images[controlId] = checked; }
  void EnableControl(int controlId, bool enabled) override { enabled_[controlId] = enabled; }
  void ShowControl(int controlId, bool shown) override { shown_[controlId] = shown; }
  void RepaintWindow() override { ++repaintCount; }
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageIcon icon, MessageButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
      MessageAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  void WriteManualRecord(ManualRecordKind kind) override { manualRecords.push_back(kind); }

  // White when the logic never coloured the field.
  std::uint32_t colourOf(int controlId) const {
    auto it = colours.find(controlId);
    return it == colours.end() ? colour::kWhite : it->second;
  }
  int focused() const { return focusHistory.empty() ? 0 : focusHistory.back(); }

  int takeCount = 0;
  int showCount = 0;
  int repaintCount = 0;
  std::map<int, std::uint32_t> colours;
  std::vector<int> focusHistory;
  bool lastFocusSelectedAll = false;
  std::map<int, bool> images;
  std::map<int, bool> enabled_;
  std::map<int, bool> shown_;
  std::vector<Message> messages;
  std::deque<MessageAnswer> answers;
  std::vector<ManualRecordKind> manualRecords;
};

}  // namespace torvane::test
