#include "res/interface_dialog_template.h"

#include "view/control_ids.h"

namespace torvane {

namespace {

constexpr int kLabelX = 16;
constexpr int kComboX = 70;
constexpr int kComboWidth = 86;
constexpr int kFirstRow = 18;
constexpr int kRowPitch = 16;

constexpr DialogRect LabelRect(int row) {
  return {kLabelX, kFirstRow + 2 + row * kRowPitch, 52, 8};
}
constexpr DialogRect ComboRect(int row) {
  return {kComboX, kFirstRow + row * kRowPitch, kComboWidth, 12};
}

}  // namespace

const std::vector<ControlTemplate>& InterfaceDialogTemplate() {
  static const std::vector<ControlTemplate> controls = {
      {0, ControlKind::GroupBox, "", {7, 6, 158, 108}},
      {0, ControlKind::StaticText, "Com Port:", LabelRect(0)},
      {ids::kPortCombo, ControlKind::ComboBox, "", ComboRect(0)},
      {0, ControlKind::StaticText, "Baudrate:", LabelRect(1)},
      {ids::kBaudRateCombo, ControlKind::ComboBox,
       "110\n300\n600\n1200\n2400\n4800\n9600\n14400\n19200\n38400\n56000\n57600\n115200\n"
       "128000\n256000",
       ComboRect(1)},
      {0, ControlKind::StaticText, "Databits:", LabelRect(2)},
      {ids::kDataBitsCombo, ControlKind::ComboBox, "4\n5\n6\n7\n8", ComboRect(2)},
      {0, ControlKind::StaticText, "Parity:", LabelRect(3)},
      {ids::kParityCombo, ControlKind::ComboBox, "None\nOdd\nEven\nMark\nSpace", ComboRect(3)},
      {0, ControlKind::StaticText, "Stopbits:", LabelRect(4)},
      {ids::kStopBitsCombo, ControlKind::ComboBox, "1\n1.5\n2", ComboRect(4)},
      {0, ControlKind::StaticText, "Flowcontrol:", LabelRect(5)},
      {ids::kFlowControlCombo, ControlKind::ComboBox, "No\nXon / Xoff\nHardware", ComboRect(5)},
      {ids::kOk, ControlKind::PushButton, "OK", {24, 120, 54, 14}},
      {ids::kCancel, ControlKind::PushButton, "Cancel", {94, 120, 54, 14}},
  };
  return controls;
}

}  // namespace torvane
