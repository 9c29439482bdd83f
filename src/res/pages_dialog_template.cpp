#include "res/pages_dialog_template.h"

#include <deque>
#include <string>

#include "res/main_window_template.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"
#include "view/control_style.h"

namespace torvane {

namespace {

namespace dlg = ids::pages_dialog;

constexpr unsigned kLine = style::kSingleLineCentred;
constexpr unsigned kCentred = style::kSingleLineCentred | style::kCentre;
constexpr int kFirstRow = 22;
constexpr int kRowPitch = 22;
constexpr int kFirstFieldX = 104;
constexpr int kFieldPitch = 25;

// The captions made here live as long as the template.
const char* Keep(std::string text) {
  static std::deque<std::string> texts;
  return texts.emplace_back(std::move(text)).c_str();
}

void AddPageRow(std::vector<ControlTemplate>& controls, int row) {
  const int page = dlg::kFirstPage + row;
  const int firstByte = dlg::kFirstByte + row * 8;
  const int y = kFirstRow + row * kRowPitch;
  controls.push_back({0,
                      ControlKind::ColorLabel,
                      Keep("Page " + std::to_string(page)),
                      {4, y + 8, 36, 12},
                      kLine});
  controls.push_back(
      {0,
       ControlKind::ColorLabel,
       Keep("byte " + std::to_string(firstByte) + "-" + std::to_string(firstByte + 7)),
       {42, y + 8, 58, 12},
       kLine});
  controls.push_back({0, ControlKind::StaticText, "byte#", {66, y, 34, 8}});
  for (int k = 0; k < 8; ++k) {
    const int x = kFirstFieldX + k * kFieldPitch;
    controls.push_back(
        {0, ControlKind::StaticText, Keep(std::to_string(firstByte + k)), {x + 5, y, 17, 8}});
    controls.push_back(
        {dlg::kByteField[row][k], ControlKind::EnterEdit, "", {x, y + 8, 23, 12}, 0, 24});
  }
  const int flagsX = kFirstFieldX + 8 * kFieldPitch + 4;
  controls.push_back({dlg::kEditButton[row],
                      ControlKind::ImageButton,
                      "",
                      {flagsX, y + 8, 12, 12},
                      0,
                      0,
                      image::kCheckSet});
  controls.push_back({0, ControlKind::ColorLabel, "Edit", {flagsX + 14, y + 8, 22, 12}, kCentred});
  controls.push_back({dlg::kLockButton[row],
                      ControlKind::ImageButton,
                      "",
                      {flagsX + 42, y + 8, 12, 12},
                      0,
                      0,
                      image::kCheckSet});
  controls.push_back({0, ControlKind::ColorLabel, "Lock", {flagsX + 56, y + 8, 24, 12}, kCentred});
}

std::vector<ControlTemplate> BuildPagesTemplate() {
  std::vector<ControlTemplate> controls = {
      {0, ControlKind::ColorLabel, "HEX", {4, 4, 24, 12}, kCentred},
      {dlg::kHexButton, ControlKind::ImageButton, "", {30, 4, 12, 12}, 0, 0, image::kRadioSet},
      {0, ControlKind::ColorLabel, "ASCII", {50, 4, 30, 12}, kCentred},
      {dlg::kAsciiButton, ControlKind::ImageButton, "", {82, 4, 12, 12}, 0, 0, image::kRadioSet},
  };
  for (int row = 0; row < dlg::kUserPages; ++row) AddPageRow(controls, row);
  const int y = kFirstRow + dlg::kUserPages * kRowPitch + 4;
  controls.push_back({ids::kOk, ControlKind::PushButton, "OK", {238, y, 60, 14}});
  controls.push_back({ids::kCancel, ControlKind::PushButton, "Abbrechen", {306, y, 60, 14}});
  return controls;
}

}  // namespace

const std::vector<ControlTemplate>& PagesDialogTemplate() {
  static const std::vector<ControlTemplate> controls = BuildPagesTemplate();
  return controls;
}

}  // namespace torvane
