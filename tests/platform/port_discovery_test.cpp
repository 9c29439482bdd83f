#include "platform/port_discovery.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/stable_device_name.h"
#include "support/fake_device_tree.h"

namespace torvane {
namespace {

using test::FakeDeviceTree;

// Someone who owns nothing in the tree and belongs to no group of it.
UserIdentity Stranger() {
  return {4242, 4242, {}};
}

// One line per port: path, driver, USB ids, names and serial number, by-id names.
std::vector<std::string> Described(const std::vector<PortInfo>& ports) {
  std::vector<std::string> lines;
  for (const PortInfo& port : ports) {
    std::string line = port.devicePath + " " + port.driver;
    if (port.onUsb) {
      const UsbDeviceInfo& usb = port.usb;
      line += " " + usb.vendorId + ":" + usb.productId + " " + usb.manufacturer + "|" +
              usb.product + "|" + usb.serialNumber;
    }
    for (const std::string& byId : port.byIdPaths) line += " " + byId;
    lines.push_back(line);
  }
  return lines;
}

TEST(PortDiscoveryTest, ListsRealPortsOnly) {
  FakeDeviceTree tree;
  tree.AddSerialCorePort("ttyS0", 4);
  tree.AddSerialCorePort("ttyS1", 0);
  tree.AddSerialCorePort("ttyS31", 0);
  tree.AddSerialCorePort("ttyS2", 4, false);  // laid out as before Linux 6.5
  tree.AddUsbPort("ttyUSB0", "ftdi_sio", 2,
                  {"0403", "6001", "FTDI", "FT232R USB UART", "A10K1234"});
  tree.AddByIdName("usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0", "ttyUSB0");
  tree.AddUsbPort("ttyUSB1", "pl2303", 3, {"067b", "2303", "", "", ""});
  tree.AddUsbPort("ttyACM0", "cdc_acm", 4, {"2341", "0043", "Arduino", "Uno", "7543"});
  tree.AddByIdName("usb-Arduino_Uno_7543-if00", "ttyACM0");
  tree.AddVirtualTty("tty0");
  tree.AddVirtualTty("ptmx");
  tree.AddUsbPort("ttyUSB7", "ftdi_sio", 5, {"0403", "6015", "", "", ""});
  tree.RemoveNode("ttyUSB7");  // in sysfs, but no node to open

  EXPECT_EQ(
      Described(DiscoverPorts(tree.root(), Stranger())),
      (std::vector<std::string>{"/dev/ttyACM0 cdc_acm 2341:0043 Arduino|Uno|7543 "
                                "/dev/serial/by-id/usb-Arduino_Uno_7543-if00",
                                "/dev/ttyS0 serial8250", "/dev/ttyS2 serial8250",
                                "/dev/ttyUSB0 ftdi_sio 0403:6001 FTDI|FT232R USB UART|A10K1234 "
                                "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0",
                                "/dev/ttyUSB1 pl2303 067b:2303 ||"}));
}

TEST(PortDiscoveryTest, NamesSortAsTextWithoutRegardToCase) {
  FakeDeviceTree tree;
  for (int slot : {1, 10, 2}) {
    tree.AddUsbPort("ttyUSB" + std::to_string(slot), "ch341", slot, {"1a86", "7523", "", "", ""});
  }
  tree.AddByIdName("usb-silabs_CP2102-if00-port0", "ttyUSB2");
  tree.AddByIdName("usb-FTDI_FT232R-if00-port0", "ttyUSB10");
  EXPECT_EQ(PortNames(DiscoverPorts(tree.root(), Stranger())),
            (std::vector<std::string>{"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0",
                                      "/dev/serial/by-id/usb-silabs_CP2102-if00-port0",
                                      "/dev/ttyUSB1", "/dev/ttyUSB10", "/dev/ttyUSB2"}));
}

TEST(PortDiscoveryTest, NoTreeNoPorts) {
  EXPECT_TRUE(DiscoverPorts("/torvane-no-such-root", Stranger()).empty());
}

// The node belongs to `owner` and `group`: as root the test hands it to a user
// and group that are not its own; otherwise it stays the test's.
class PortAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.AddUsbPort("ttyUSB0", "ftdi_sio", 1, {"0403", "6001", "", "", ""});
    node_ = tree_.root() + "/dev/ttyUSB0";
    if (geteuid() == 0) {
      ASSERT_EQ(chown(node_.c_str(), 4343, 4343), 0);
    }
    struct stat info {};
    ASSERT_EQ(stat(node_.c_str(), &info), 0);
    owner_ = info.st_uid;
    group_ = info.st_gid;
  }

  FakeDeviceTree tree_;
  std::string node_;
  uid_t owner_ = 0;
  gid_t group_ = 0;
};

TEST_F(PortAccessTest, ThePermissionBitsOfTheUsersClassDecide) {
  struct Case {
    const char* name;
    mode_t mode;
    UserIdentity user;
    bool mayOpen;
    bool joinGroupHelps;
  };
  const Case cases[] = {
      {"root passes any bits", 0000, {0, 0, {}}, true, false},
      {"owner with read and write", 0600, {owner_, 4242, {}}, true, false},
      {"owner bits win over group bits", 0060, {owner_, group_, {}}, false, false},
      {"owner may only read", 0460, {owner_, 4242, {}}, false, false},
      {"member through a supplementary group", 0660, {4242, 4242, {7, group_}}, true, false},
      {"member through the primary group", 0660, {4242, group_, {}}, true, false},
      {"stranger where the group may", 0660, Stranger(), false, true},
      {"stranger where everybody may", 0666, Stranger(), true, false},
      {"stranger where the group may only read", 0640, Stranger(), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tree_.SetNodeMode("ttyUSB0", c.mode);
    const PortAccess access = CheckPortAccess(node_, c.user);
    EXPECT_TRUE(access.nodeFound);
    EXPECT_EQ(access.mayOpen, c.mayOpen);
    EXPECT_EQ(access.joinGroupHelps, c.joinGroupHelps);
    EXPECT_EQ(access.Hint().find(" join the group " + access.groupName + " ") != std::string::npos,
              c.joinGroupHelps)
        << access.Hint();
  }
}

// A reader comes back by itself only as the same device: the same USB adapter
// under any node, never another one at the node it left.
TEST(DeviceIdentityTest, TellsTheSameAdapterFromAnotherAtTheSamePath) {
  FakeDeviceTree tree;
  tree.AddUsbPort("ttyUSB0", "ftdi_sio", 2, {"0403", "6001", "FTDI", "FT232R", "A10K1234"});
  tree.AddByIdName("usb-FTDI_FT232R_A10K1234-if00-port0", "ttyUSB0");
  const auto before = IdentityOf("/dev/ttyUSB0", tree.root());
  ASSERT_TRUE(before);
  EXPECT_EQ(before->usb, "0403:6001:A10K1234");
  EXPECT_EQ(before->byIdName, "/dev/serial/by-id/usb-FTDI_FT232R_A10K1234-if00-port0");
  const auto byId = IdentityOf(before->byIdName, tree.root());
  ASSERT_TRUE(byId);
  EXPECT_TRUE(SameDevice(*before, *byId));

  FakeDeviceTree later;  // unplugged; the same adapter at ttyUSB1, another at ttyUSB0
  later.AddUsbPort("ttyUSB0", "ftdi_sio", 3, {"0403", "6001", "FTDI", "FT232R", "B77"});
  later.AddUsbPort("ttyUSB1", "ftdi_sio", 2, {"0403", "6001", "FTDI", "FT232R", "A10K1234"});
  EXPECT_FALSE(SameDevice(*before, *IdentityOf("/dev/ttyUSB0", later.root())));
  EXPECT_TRUE(SameDevice(*before, *IdentityOf("/dev/ttyUSB1", later.root())));
  EXPECT_FALSE(IdentityOf("/dev/ttyUSB9", later.root()));
  // Devices without USB ids are told apart by their node's device number.
  EXPECT_TRUE(SameDevice({"", "", 0x8803}, {"", "", 0x8803}));
  EXPECT_FALSE(SameDevice({"", "", 0x8803}, {"", "", 0x8804}));
  EXPECT_FALSE(SameDevice({"", "", 0x8803}, *before));
}

TEST_F(PortAccessTest, MissingNodeSaysWhy) {
  tree_.RemoveNode("ttyUSB0");
  const PortAccess access = CheckPortAccess(node_, Stranger());
  EXPECT_FALSE(access.nodeFound);
  EXPECT_FALSE(access.mayOpen);
  EXPECT_EQ(access.error, "No such file or directory");
  EXPECT_EQ(access.Hint(), "");
}

}  // namespace
}  // namespace torvane
