#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "production/production_fixture.h"
#include "production/production_record_file.h"
#include "production/record_paths.h"

namespace torvane::test {
namespace {

// Production on a small file system of its own that fills up during the run.
class FullDiskTest : public ProductionTest {
 protected:
  void SetUp() override {
    ProductionTest::SetUp();
    disk_ = directory.File("disk");
    std::filesystem::create_directory(disk_);
    if (mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=256k") != 0) {
      GTEST_SKIP() << "no tmpfs may be mounted here; the injected failure covers the case";
    }
    mounted_ = true;
    workingDirectory = disk_;
    WriteSetFile("1", "0");
    UseDecimalCounter("1", "8", "");
    maxText = "99999999";
    setInUse.set.logFile = disk_ + "/records.xml";
  }
  void TearDown() override {
    if (mounted_) umount2(disk_.c_str(), MNT_DETACH);
    ProductionTest::TearDown();
  }

  void WriteSetFile(const std::string& carrierId, const std::string& counterValue) const {
    WriteWholeFile(disk_ + "/" + kSetName + ".ini",
                   "[SEMI E99 Carrier ID Setup]\r\nCarrier ID=" + carrierId +
                       "\r\n[Pages 3-17]\r\nCounter Value=" + counterValue + "\r\n");
  }

  // Fills the disk, then leaves `freeBytes` of it.
  void LeaveFree(off_t freeBytes) const {
    const int fd = open(Filler().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'f');
    off_t size = 0;
    for (ssize_t put; (put = write(fd, block.data(), block.size())) > 0;) size += put;
    EXPECT_EQ(ftruncate(fd, std::max<off_t>(0, size - freeBytes)), 0);
    close(fd);
  }
  std::string Filler() const { return disk_ + "/filler"; }

  // The page 1 and 2 text of the counter's carrier ID, as the record holds it.
  static std::string HexOf(int carrierId) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08d", carrierId);
    std::string hex;
    for (const char c : std::string(digits)) {
      char pair[4];
      std::snprintf(pair, sizeof pair, "%02X ", static_cast<unsigned char>(c));
      hex += pair;
    }
    return hex.substr(0, hex.size() - 1);
  }

  std::string disk_;
  bool mounted_ = false;
};

TEST_F(FullDiskTest, NoTransponderIsProgrammedWhileARecordIsHeldOnlyInMemory) {
  struct Case {
    off_t freeBytes;
    // With 8 KiB free the in-flight and set files still fit, the record and the
    // waiting records no longer do; with more, other files fail first.
    bool recordHeldInMemory;
  };
  for (const Case& c : {Case{8 * 1024, true}, Case{16 * 1024, false}}) {
    const off_t freeBytes = c.freeBytes;
    const std::string name = std::to_string(freeBytes) + " bytes free";
    std::filesystem::remove(setInUse.set.logFile);
    ProductionRecordFile recordFile(workingDirectory);
    ProductionCycle run(context, manual, recordFile, ledger, readBack);
    const int first = std::stoi(setInUse.set.carrierId);
    LeaveFree(freeBytes);

    int programmed = 0;
    bool held = false;
    for (int i = 0; i < 30; ++i) {
      const std::vector<std::string> heldBefore = recordFile.RecordsOnlyInMemory();
      simulator->PlaceBlankTransponder();
      NewCommands();
      programmed += run.ProgramOneTag().programmed ? 1 : 0;
      const std::vector<std::string> sent = NewCommands();
      const bool written = std::any_of(sent.begin(), sent.end(),
                                       [](const std::string& c) { return c.starts_with("WD"); });
      const std::vector<std::string> heldAfter = recordFile.RecordsOnlyInMemory();
      EXPECT_LE(heldAfter.size(), 1u) << name;
      held = held || !heldAfter.empty();
      for (const std::string& label : heldBefore) {
        const bool stillHeld = std::count(heldAfter.begin(), heldAfter.end(), label) != 0;
        EXPECT_FALSE(written && stillHeld) << name << ": " << label;
      }
    }
    EXPECT_TRUE(held || !c.recordHeldInMemory) << name;

    // Room again: production goes on, and every transponder is recorded on disk.
    std::filesystem::remove(Filler());
    view.messages.clear();
    simulator->PlaceBlankTransponder();
    EXPECT_TRUE(run.ProgramOneTag().programmed) << name;
    ++programmed;
    EXPECT_TRUE(recordFile.RecordsOnlyInMemory().empty()) << name;
    EXPECT_EQ(recordFile.waitingCount(), 0u) << name;
    const std::string records = ReadWholeFile(setInUse.set.logFile);
    for (int id = first; id < first + programmed; ++id) {
      EXPECT_NE(records.find(HexOf(id)), std::string::npos) << name << ": carrier ID " << id;
    }
    EXPECT_EQ(records.find(HexOf(first + programmed)), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace torvane::test
