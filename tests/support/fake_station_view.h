#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "transponder/station_view.h"

namespace torvane::test {

// Records what the logic does to the window that tests look at; message boxes
// are answered Ok, questions Yes.
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
  }
  void SetFieldTextColour(int controlId, std::uint32_t text) override {
    textColours[controlId] = text;
  }
  void FocusControl(int controlId, bool) override { focusHistory.push_back(controlId); }
  void SetButtonImage(int controlId, bool checked) override { images[controlId] = checked; }
  void EnableControl(int, bool) override {}
  void ShowControl(int, bool) override {}
  void RepaintWindow() override {}
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  void WriteManualRecord(ManualRecordKind kind) override { manualRecords.push_back(kind); }

  // White when the logic never coloured the field.
  std::uint32_t colourOf(int controlId) const {
    auto it = colours.find(controlId);
    return it == colours.end() ? colour::kWhite : it->second;
  }

  int takeCount = 0;
  std::map<int, std::uint32_t> colours;
  std::map<int, std::uint32_t> textColours;
  std::vector<int> focusHistory;
  std::map<int, bool> images;
  std::vector<Message> messages;
  std::vector<ManualRecordKind> manualRecords;
};

}  // namespace torvane::test
