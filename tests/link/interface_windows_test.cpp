#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <string>
#include <vector>

#include "platform/port_discovery.h"
#include "res/interface_dialog_template.h"
#include "support/fake_device_tree.h"
#include "view/control_ids.h"
#include "windows/interface_dialog.h"
#include "windows/port_info_dialog.h"

namespace torvane::test {
namespace {

QStringList Entries(const QComboBox* combo) {
  QStringList entries;
  for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
  return entries;
}

const InterfaceTexts kTexts{"/dev/ttyUSB", "9600", "8", "None", "1", "No"};

TEST(InterfaceDialogTest, FixedListsAndThePortsPresent) {
  const std::vector<std::string> ports = {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0",
                                          "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
  InterfaceDialog dialog(kTexts, ports);
  EXPECT_EQ(dialog.objectName(), "143");
  EXPECT_EQ(dialog.windowTitle(), "Interface Settings");
  EXPECT_EQ(dialog.size(), QSize(240, 222));
  const std::pair<int, QStringList> lists[] = {
      {ids::kPortCombo,
       {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "/dev/ttyS0", "/dev/ttyUSB0",
        "/dev/ttyUSB1"}},
      {ids::kBaudRateCombo,
       {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000",
        "57600", "115200", "128000", "256000"}},
      {ids::kDataBitsCombo, {"4", "5", "6", "7", "8"}},
      {ids::kParityCombo, {"None", "Odd", "Even", "Mark", "Space"}},
      {ids::kStopBitsCombo, {"1", "1.5", "2"}},
      {ids::kFlowControlCombo, {"No", "Xon / Xoff", "Hardware"}},
  };
  for (const auto& [id, entries] : lists) {
    auto* combo = dialog.findChild<QComboBox*>(QString::number(id));
    ASSERT_NE(combo, nullptr) << id;
    EXPECT_TRUE(combo->isEditable()) << id;
    EXPECT_EQ(Entries(combo), entries) << id;
  }
  // The port is loaded before the list is there: it stays as it was, even where
  // it begins an entry.
  auto* port = dialog.findChild<QComboBox*>(QString::number(ids::kPortCombo));
  EXPECT_EQ(port->currentText(), "/dev/ttyUSB");
  EXPECT_EQ(port->currentIndex(), -1);
  for (int button : {ids::kOk, ids::kCancel}) {
    EXPECT_NE(dialog.findChild<QPushButton*>(QString::number(button)), nullptr) << button;
  }
}

TEST(InterfaceDialogTest, ATextSelectsTheFirstEntryItBeginsRegardlessOfCase) {
  struct Case {
    const char* parity;
    const char* baudRate;
    int parityEntry;
    int baudEntry;
    const char* shownParity;
    const char* shownBaud;
  };
  const Case cases[] = {
      {"Even", "1200", 2, 3, "Even", "1200"},
      {"mark", "11", 3, 0, "Mark", "110"},
      {"S", "5", 4, 10, "Space", "56000"},
      {"Evenly", "250000", -1, -1, "Evenly", "250000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parity);
    InterfaceDialog dialog({"ttyS0", c.baudRate, "8", c.parity, "1", "No"}, {});
    auto* parity = dialog.findChild<QComboBox*>(QString::number(ids::kParityCombo));
    auto* baud = dialog.findChild<QComboBox*>(QString::number(ids::kBaudRateCombo));
    EXPECT_EQ(parity->currentIndex(), c.parityEntry);
    EXPECT_EQ(parity->currentText(), c.shownParity);
    EXPECT_EQ(baud->currentIndex(), c.baudEntry);
    EXPECT_EQ(baud->currentText(), c.shownBaud);
  }
}

TEST(InterfaceDialogTest, EnterInAFieldIsOk) {
  InterfaceDialog dialog(kTexts, {});
  dialog.show();
  auto* baud = dialog.findChild<QComboBox*>(QString::number(ids::kBaudRateCombo));
  baud->setFocus();
  baud->lineEdit()->setText("57600");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(baud->lineEdit(), &enter);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.texts().baudRate, "57600");
  EXPECT_EQ(Entries(baud).size(), 15) << "a typed value never joins the list";
}

UserIdentity Stranger() {
  return {4242, 4242, {}};
}

TEST(PortInfoWindowTest, ShowsEachPortAndWhyItCannotBeOpened) {
  FakeDeviceTree tree;
  tree.AddSerialCorePort("ttyS0", 4);
  tree.AddSerialCorePort("ttyS1", 0);
  tree.AddUsbPort("ttyUSB0", "ftdi_sio", 2,
                  {"0403", "6001", "FTDI", "FT232R USB UART", "A10K1234"});
  tree.AddByIdName("usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0", "ttyUSB0");
  tree.AddUsbPort("ttyUSB1", "pl2303", 3, {"067b", "2303", "", "", ""});
  tree.SetNodeMode("ttyS0", 0666);
  const PortAccess access = CheckPortAccess(tree.root() + "/dev/ttyUSB0", Stranger());
  ASSERT_TRUE(access.joinGroupHelps);

  PortInfoDialog window(tree.root(), Stranger());
  EXPECT_EQ(window.windowTitle(), "Serial Ports");
  const std::string hint = access.Hint();
  // Each port a heading and a table of label and value; blocks apart by an empty line.
  const std::string expected =
      "/dev/ttyS0\nDriver:\nserial8250\nAccess:\nthis user may open it\n\n"
      "/dev/ttyUSB0\n"
      "Stable name:\n/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0\n"
      "Driver:\nftdi_sio\nUSB device:\nFTDI FT232R USB UART (0403:6001)\n"
      "Serial number:\nA10K1234\nAccess:\nthis user may not open it\n" +
      hint +
      "\n\n/dev/ttyUSB1\n"
      "Stable name:\nnone: the name may change when the adapter is plugged in again\n"
      "Driver:\npl2303\nUSB device:\n067b:2303\nAccess:\nthis user may not open it\n" +
      hint + "\n";
  EXPECT_EQ(window.shownText().toStdString(), expected);

  // It only shows: refreshing finds the adapter plugged in since, and one gone.
  tree.AddUsbPort("ttyACM0", "cdc_acm", 4, {"2341", "0043", "Arduino", "Uno", ""});
  tree.RemoveNode("ttyUSB1");
  window.findChild<QPushButton*>("refresh")->click();
  const std::string refreshed = window.shownText().toStdString();
  EXPECT_TRUE(refreshed.starts_with("/dev/ttyACM0\n")) << refreshed;
  EXPECT_NE(refreshed.find("USB device:\nArduino Uno (2341:0043)"), std::string::npos);
  EXPECT_EQ(refreshed.find("/dev/ttyUSB1"), std::string::npos);
}

TEST(PortInfoWindowTest, SaysSoWhenThereIsNoPort) {
  FakeDeviceTree tree;
  tree.AddSerialCorePort("ttyS0", 0);
  PortInfoDialog window(tree.root(), Stranger());
  EXPECT_EQ(window.shownText(), "No serial port was found on this system.");
}

}  // namespace
}  // namespace torvane::test
