#include "res/config_dialog_template.h"

#include <string>

#include "res/main_window_template.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"
#include "view/control_style.h"

namespace torvane {

namespace {

namespace dlg = ids::configuration_dialog;

constexpr unsigned kLine = style::kSingleLineCentred;
constexpr unsigned kCentred = style::kSingleLineCentred | style::kCentre;
constexpr int kFlag = image::kCheckSet;

const char* const kByteNumbers[] = {"00", "01", "02", "03", "04", "05", "06", "07",
                                    "08", "09", "10", "11", "12", "13", "14", "15"};
constexpr const char* kCounterPages = "None\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17";
constexpr const char* kAlignments = "None\nLeft\nRight";

ControlTemplate Label(const char* caption, DialogRect rect, unsigned styleBits = kLine) {
  return {0, ControlKind::ColorLabel, caption, rect, styleBits};
}
ControlTemplate Flag(int id, int x, int y) {
  return {id, ControlKind::ImageButton, "", {x, y, 12, 12}, 0, 0, kFlag};
}
ControlTemplate Field(int id, DialogRect rect, int editNumber) {
  return {id, ControlKind::EnterEdit, "", rect, 0, editNumber};
}

void AddWorkOrder(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::GroupBox, "Work order Setup", {4, 20, 200, 72}});
  const char* captions[] = {"Operator badge ID#", "Part number", "Work order number", "Quantity"};
  const int fields[] = {dlg::kOperatorBadge, dlg::kPartNumber, dlg::kWorkOrderNumber,
                        dlg::kQuantity};
  for (int row = 0; row < 4; ++row) {
    const int y = 32 + row * 14;
    controls.push_back(Label(captions[row], {10, y, 84, 12}));
    controls.push_back(Field(fields[row], {96, y, 102, 12}, 25));
  }
}

void AddDataSource(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::GroupBox, "Data Source", {210, 20, 256, 72}});
  const char* captions[] = {"Decimal counter", ".csv file", ".csv file complete", "fix data"};
  const int buttons[] = {dlg::kSourceDecimalCounter, dlg::kSourceCsv, dlg::kSourceCsvComplete,
                         dlg::kSourceFixData};
  for (int row = 0; row < 4; ++row) {
    const int y = 32 + row * 14;
    controls.push_back(Flag(buttons[row], 216, y));
    controls.push_back(Label(captions[row], {230, y, 90, 12}));
  }
  controls.push_back({dlg::kSourceOpen, ControlKind::PushButton, "Open", {330, 31, 46, 14}});
  controls.push_back(Flag(dlg::kTypeTi, 330, 60));
  controls.push_back(Label("TI Multipage", {344, 60, 80, 12}));
  controls.push_back(Flag(dlg::kTypeQuorvi, 330, 74));
  controls.push_back(Label("Quorvi Multipage", {344, 74, 80, 12}));
  controls.push_back({dlg::kSourceFileName, ControlKind::StaticText, "", {6, 96, 460, 10}});
}

void AddCarrierIdSetup(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::GroupBox, "SEMI E99 Carrier ID Setup", {4, 110, 462, 62}});
  controls.push_back(Label("Total Tag Length", {10, 122, 70, 12}));
  controls.push_back(
      {dlg::kTotalTagLength, ControlKind::ColorLabel, "136", {82, 122, 30, 12}, kCentred});
  controls.push_back(Label("Maximum Byte of CID", {120, 122, 90, 12}));
  controls.push_back(
      {dlg::kMaximumCarrierIdBytes, ControlKind::ColorLabel, "16", {212, 122, 30, 12}, kCentred});
  controls.push_back(
      {dlg::kFill, ControlKind::PushButton, "Fill data acc. SEMI E99", {330, 121, 130, 14}});
  controls.push_back(Label("Carrier ID Offset", {10, 138, 70, 12}));
  controls.push_back(Field(dlg::kOffset, {82, 138, 30, 12}, 22));
  controls.push_back(Label("Carrier ID Length", {120, 138, 90, 12}));
  controls.push_back(Field(dlg::kLength, {212, 138, 30, 12}, 22));
  controls.push_back(Label("Carrier ID", {10, 154, 70, 12}));
  controls.push_back(Field(dlg::kCarrierId, {82, 154, 160, 12}, 22));
  controls.push_back(Label("Memory Page", {250, 138, 56, 12}));
  controls.push_back(Field(dlg::kMemoryPage, {308, 138, 18, 12}, 22));
  controls.push_back(Flag(dlg::kLockCarrierId, 330, 154));
  controls.push_back(Label("Lock Carrier ID", {344, 154, 70, 12}));
}

void AddPagesOneAndTwo(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::GroupBox, "Pages 1 - 2", {4, 176, 462, 88}});
  controls.push_back(Label("Page 1", {46, 186, 198, 10}, kCentred));
  controls.push_back(Label("Page 2", {256, 186, 198, 10}, kCentred));
  const char* rows[] = {"byte", "HEX", "ASCII", "fix data"};
  const int rowY[] = {197, 208, 222, 236};
  for (int row = 0; row < 4; ++row) controls.push_back(Label(rows[row], {8, rowY[row], 36, 12}));
  // Tab order: the HEX row, the ASCII row, then the fix flags.
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    const int x = (byte < 8 ? 46 : 256 - 8 * 25) + byte * 25;
    controls.push_back({0, ControlKind::StaticText, kByteNumbers[byte], {x + 6, 198, 16, 10}});
  }
  for (const auto* row : {&dlg::kHexByte, &dlg::kAsciiByte}) {
    const int y = row == &dlg::kHexByte ? 208 : 222;
    for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
      const int x = (byte < 8 ? 46 : 256 - 8 * 25) + byte * 25;
      controls.push_back(Field((*row)[byte], {x, y, 23, 12}, 23));
    }
  }
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    const int x = (byte < 8 ? 46 : 256 - 8 * 25) + byte * 25;
    controls.push_back(Flag(dlg::kFixByte[byte], x + 5, 236));
  }
  for (int page = 0; page < 2; ++page) {
    const int x = page == 0 ? 46 : 256;
    controls.push_back(Flag(dlg::kEditPage[page], x, 250));
    controls.push_back(Label("Edit", {x + 14, 250, 24, 12}));
    controls.push_back(Flag(dlg::kLockPage[page], x + 44, 250));
    controls.push_back(Label("Lock", {x + 58, 250, 24, 12}));
  }
}

void AddPagesThreeToSeventeen(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::GroupBox, "Pages 3 - 17", {4, 268, 462, 34}});
  controls.push_back(Flag(dlg::kWritePages3To17, 10, 282));
  controls.push_back(Label("Write Pages 3 - 17", {24, 282, 78, 12}));
  controls.push_back({dlg::kPagesEdit, ControlKind::PushButton, "Edit", {106, 281, 40, 14}});
  controls.push_back(Label("Decimal counter on Page", {152, 282, 106, 12}));
  controls.push_back({dlg::kCounterPage, ControlKind::ComboBox, kCounterPages, {260, 281, 40, 14}});
  controls.push_back(Label("Alignment serial number", {306, 282, 100, 12}));
  controls.push_back({dlg::kAlignment, ControlKind::ComboBox, kAlignments, {408, 281, 52, 14}});
}

void AddLog(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::GroupBox, "Production record", {4, 306, 462, 40}});
  controls.push_back(Label("Log", {10, 318, 24, 12}, kCentred));
  controls.push_back(Flag(dlg::kLog, 36, 318));
  controls.push_back({dlg::kLogOpen, ControlKind::PushButton, "Open", {54, 317, 46, 14}});
  controls.push_back({dlg::kLogFileName, ControlKind::StaticText, "", {6, 333, 460, 10}});
}

std::vector<ControlTemplate> BuildConfigTemplate() {
  std::vector<ControlTemplate> controls;
  controls.push_back(Label("Name", {4, 5, 30, 12}, kCentred));
  controls.push_back({dlg::kName, ControlKind::ComboBox, "", {36, 4, 150, 14}});
  controls.push_back({dlg::kSave, ControlKind::PushButton, "Save", {192, 3, 50, 14}});
  controls.push_back({dlg::kDelete, ControlKind::PushButton, "Delete", {246, 3, 50, 14}});
  AddWorkOrder(controls);
  AddDataSource(controls);
  AddCarrierIdSetup(controls);
  AddPagesOneAndTwo(controls);
  AddPagesThreeToSeventeen(controls);
  AddLog(controls);
  controls.push_back({ids::kOk, ControlKind::PushButton, "OK", {336, 352, 60, 14}});
  controls.push_back({ids::kCancel, ControlKind::PushButton, "Abbrechen", {404, 352, 60, 14}});
  return controls;
}

}  // namespace

const std::vector<ControlTemplate>& ConfigDialogTemplate() {
  static const std::vector<ControlTemplate> controls = BuildConfigTemplate();
  return controls;
}

}  // namespace torvane
