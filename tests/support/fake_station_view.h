#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "view/station_view.h"

namespace torvane::test {

// Records what the logic does to the window that tests look at; message boxes
// are answered Ok, questions with questionAnswer.
class FakeStationView : public StationView {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
  };

  void TakeFieldValues() override { ++takeCount; }
  void ShowFieldValues() override {}
  void SetFieldColour(int controlId, std::uint32_t background) override {
    colours[controlId] = background;
    if (onColour) onColour(controlId, background);
  }
  void SetFieldTextColour(int controlId, std::uint32_t text) override {
    textColours[controlId] = text;
  }
  void FocusControl(int controlId, bool) override { focusHistory.push_back(controlId); }
  void SetButtonImage(int controlId, bool checked) override { images[controlId] = checked; }
  void EnableControl(int controlId, bool enabled) override { enabledControls[controlId] = enabled; }
  void ShowControl(int, bool) override {}
  void SetControlText(int controlId, const std::string& text) override {
    controlTexts[controlId] = text;
  }
  void EnableMenuCommand(int commandId, bool enabled) override {
    enabledCommands[commandId] = enabled;
  }
  void SetTimer(int timerId, std::chrono::milliseconds period) override {
    timers[timerId] = period;
  }
  void KillTimer(int timerId) override { timers.erase(timerId); }
  void RepaintWindow() override {}
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : questionAnswer;
  }
  void WriteManualRecord(ManualRecordKind kind) override { manualRecords.push_back(kind); }

  // White when the logic never coloured the field.
  std::uint32_t colourOf(int controlId) const {
    auto it = colours.find(controlId);
    return it == colours.end() ? colour::kWhite : it->second;
  }

  // Lets a test act at a chosen moment of an operation.
  std::function<void(int controlId, std::uint32_t background)> onColour;

  MessageAnswer questionAnswer = MessageAnswer::Yes;
  int takeCount = 0;
  std::map<int, std::uint32_t> colours;
  std::map<int, std::uint32_t> textColours;
  std::vector<int> focusHistory;
  std::map<int, bool> images;
  std::vector<Message> messages;
  std::vector<ManualRecordKind> manualRecords;
  std::map<int, bool> enabledControls;
  std::map<int, std::string> controlTexts;
  std::map<int, bool> enabledCommands;
  std::map<int, std::chrono::milliseconds> timers;  // running timers and their periods
};

}  // namespace torvane::test
