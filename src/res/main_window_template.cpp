#include "res/main_window_template.h"

#include "view/control_ids.h"
#include "view/control_style.h"

namespace torvane {

namespace {

constexpr unsigned kLine = style::kSingleLineCentred;
constexpr unsigned kCentredLine = style::kSingleLineCentred | style::kCentre;

constexpr int kFirstPageRow = 17;
constexpr int kPageRowPitch = 15;

const char* const kPageCaptions[kPageCount] = {"P1",  "P2",  "P3",  "P4",  "P5",  "P6",
                                               "P7",  "P8",  "P9",  "P10", "P11", "P12",
                                               "P13", "P14", "P15", "P16", "P17"};

const ControlTemplate kPageHeader[] = {
    {ids::kAllPagesCheck, ControlKind::ImageButton, "", {4, 3, 12, 12}, 0, 0, image::kPageCheckSet},
    {ids::kAllPagesLabel, ControlKind::ColorLabel, "all", {18, 3, 18, 12}, kCentredLine},
    {ids::kHexLabel, ControlKind::ColorLabel, "HEX", {60, 3, 24, 12}, kCentredLine},
    {ids::kHexButton, ControlKind::ImageButton, "", {86, 3, 12, 12}, 0, 0, image::kRadioSet},
    {ids::kAsciiLabel, ControlKind::ColorLabel, "ASCII", {104, 3, 30, 12}, kCentredLine},
    {ids::kAsciiButton, ControlKind::ImageButton, "", {136, 3, 12, 12}, 0, 0, image::kRadioSet},
    {0, ControlKind::Picture, "", {205, 1, 56, 14}, 0, 0, image::kTopLeftPicture},
};

// The page rows lie between the header and these; they are generated below.
const ControlTemplate kGroups[] = {
    // Config group
    {ids::kConfigGroup, ControlKind::GroupBox, "", {268, 5, 290, 64}},
    {ids::kConfigModeButton,
     ControlKind::ImageButton,
     "",
     {274, 0, 12, 10},
     0,
     0,
     image::kRadioSet},
    {ids::kConfigModeLabel, ControlKind::ColorLabel, "Config", {288, 0, 34, 10}, kCentredLine},
    {ids::kConfigSetName, ControlKind::ColorLabel, "", {274, 14, 278, 12}, kLine},
    {ids::kCarrierIdCounterLabel,
     ControlKind::ColorLabel,
     "Carrier ID",
     {274, 31, 50, 12},
     kCentredLine},
    {ids::kNextLabel, ControlKind::ColorLabel, "next", {328, 31, 22, 12}, kCentredLine},
    {ids::kNextField, ControlKind::EnterEdit, "", {352, 31, 100, 12}, 0, 21},
    {ids::kNextSpin, ControlKind::SpinButton, "", {452, 31, 9, 12}},
    {ids::kMaxLabel, ControlKind::ColorLabel, "max", {328, 49, 22, 12}, kCentredLine},
    {ids::kMaxField, ControlKind::EnterEdit, "", {352, 49, 100, 12}, 0, 21},
    {ids::kMaxSpin, ControlKind::SpinButton, "", {452, 49, 9, 12}},
    {ids::kOneButton, ControlKind::PushButton, "  One", {468, 30, 84, 14}},
    {ids::kContButton, ControlKind::PushButton, "  Cont On", {468, 48, 84, 14}, style::kDisabled},
    {ids::kNextDataSetButton, ControlKind::PushButton, "NextDataSet", {0, 0, 1, 1}, style::kHidden},
    {ids::kCurrentDataSetProcessedButton,
     ControlKind::PushButton,
     "CurrentDataSetProcessed",
     {0, 0, 1, 1},
     style::kHidden},
    {ids::kNextCompleteButton,
     ControlKind::PushButton,
     "NextComplete",
     {0, 0, 1, 1},
     style::kHidden},
    {ids::kNextCompleteProcessedButton,
     ControlKind::PushButton,
     "NextCompleteProcessed",
     {0, 0, 1, 1},
     style::kHidden},

    // Manual group
    {ids::kManualGroup, ControlKind::GroupBox, "", {268, 78, 290, 154}},
    {ids::kManualModeButton,
     ControlKind::ImageButton,
     "",
     {274, 73, 12, 10},
     0,
     0,
     image::kRadioSet},
    {ids::kManualModeLabel, ControlKind::ColorLabel, "Manual", {288, 73, 38, 10}, kCentredLine},
    {ids::kReadUidButton, ControlKind::PushButton, "  read UID", {274, 87, 74, 14}},
    {ids::kUidField, ControlKind::EnterEdit, "", {352, 88, 200, 12}, 0, 21},
    {ids::kReadButton, ControlKind::PushButton, "  read", {274, 103, 60, 14}},
    {ids::kWriteButton, ControlKind::PushButton, "  write", {338, 103, 60, 14}},
    {ids::kLockButton, ControlKind::PushButton, "  lock", {402, 103, 60, 14}},
    {ids::kDefaultContentButton,
     ControlKind::PushButton,
     "  default memory content",
     {274, 119, 124, 14}},
    {ids::kCarrierIdOffsetLabel,
     ControlKind::ColorLabel,
     "  Carrier ID Offset",
     {274, 136, 86, 12},
     kLine},
    {ids::kCarrierIdOffsetField, ControlKind::EnterEdit, "", {362, 136, 34, 12}, 0, 18},
    {ids::kCarrierIdLengthLabel,
     ControlKind::ColorLabel,
     "  Carrier ID Length",
     {400, 136, 86, 12},
     kLine},
    {ids::kCarrierIdLengthField, ControlKind::EnterEdit, "", {488, 136, 34, 12}, 0, 19},
    {ids::kCarrierIdLabel, ControlKind::ColorLabel, "  Carrier ID", {274, 151, 86, 12}, kLine},
    {ids::kCarrierIdField, ControlKind::EnterEdit, "", {362, 151, 190, 12}, 0, 20},
    {ids::kReadCarrierIdButton, ControlKind::PushButton, "  read carrier ID", {274, 166, 96, 14}},
    {ids::kWriteCarrierIdButton, ControlKind::PushButton, "  write carrier ID", {374, 166, 96, 14}},
    {ids::kTransponderTypeLabel,
     ControlKind::ColorLabel,
     " Transponder type",
     {274, 183, 86, 12},
     kLine},
    {ids::kTiLabel, ControlKind::ColorLabel, "  TI Multipage", {362, 183, 68, 12}, kLine},
    {ids::kTiButton, ControlKind::ImageButton, "", {432, 183, 12, 12}, 0, 0, image::kCheckSet},
    {ids::kQuorviLabel, ControlKind::ColorLabel, "  Quorvi Multipage", {448, 183, 86, 12}, kLine},
    {ids::kQuorviButton, ControlKind::ImageButton, "", {536, 183, 12, 12}, 0, 0, image::kCheckSet},
    {ids::kLogLabel, ControlKind::ColorLabel, "Log", {274, 199, 22, 12}, kCentredLine},
    {ids::kLogCheck, ControlKind::ImageButton, "", {298, 199, 12, 12}, 0, 0, image::kCheckSet},
    {ids::kLogOpenButton, ControlKind::PushButton, "Open", {314, 198, 46, 14}, style::kDisabled},
    // A whole row: the name may be "..." and 51 more characters.
    {ids::kLogFileName, ControlKind::StaticText, "", {274, 215, 278, 12}},
    {ids::kLastCarrierIdButton,
     ControlKind::PushButton,
     "LastCarrierID",
     {0, 0, 1, 1},
     style::kHidden},
    {0, ControlKind::Picture, "", {348, 236, 130, 34}, 0, 0, image::kLowerPicture},

    // Terminal group, right of the main area: seen only in the wide window
    {ids::kTerminalGroup, ControlKind::GroupBox, "", {572, 5, 220, 264}},
    {ids::kTerminalLabel, ControlKind::ColorLabel, "Terminal", {578, 0, 40, 10}, kCentredLine},
    {ids::kTerminalInput, ControlKind::EnterEdit, "", {578, 15, 168, 12}, 0, 0},
    {ids::kTerminalSend, ControlKind::PushButton, "Send", {750, 14, 36, 14}},
    {ids::kTerminalOutput, ControlKind::MultiLineEdit, "", {578, 32, 208, 232}},

    // Window
    {ids::kOk, ControlKind::PushButton, "OK", {0, 0, 1, 1}, style::kHidden},
    {ids::kCancel, ControlKind::PushButton, "Abbrechen", {0, 0, 1, 1}, style::kHidden},
};

std::vector<ControlTemplate> BuildTemplate() {
  std::vector<ControlTemplate> controls(std::begin(kPageHeader), std::end(kPageHeader));
  for (int i = 0; i < kPageCount; ++i) {
    int y = kFirstPageRow + i * kPageRowPitch;
    const char* role = i == 0 ? "Carrier ID 1" : i == 1 ? "Carrier ID 2" : "user free";
    controls.push_back({ids::kPageCheck[i],
                        ControlKind::ImageButton,
                        "",
                        {4, y, 12, 12},
                        0,
                        0,
                        image::kPageCheckSet});
    controls.push_back({ids::kFirstPageCheckLabel + i,
                        ControlKind::ColorLabel,
                        kPageCaptions[i],
                        {18, y, 18, 12},
                        kCentredLine});
    controls.push_back(
        {ids::kPageField[i], ControlKind::EnterEdit, "", {38, y, 164, 12}, 0, i + 1});
    controls.push_back(
        {ids::kFirstPageRoleLabel + i, ControlKind::ColorLabel, role, {205, y, 56, 12}, kLine});
  }
  controls.insert(controls.end(), std::begin(kGroups), std::end(kGroups));
  return controls;
}

}  // namespace

const std::vector<ControlTemplate>& MainWindowTemplate() {
  static const std::vector<ControlTemplate> controls = BuildTemplate();
  return controls;
}

}  // namespace torvane
