#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "production/in_flight_file.h"
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
    // Ended as a signal ends it, and started again once there is room.
    bool restarted;
  };
  for (const Case& c : {Case{8 * 1024, true, true}, Case{16 * 1024, false, false}}) {
    const off_t freeBytes = c.freeBytes;
    const std::string name = std::to_string(freeBytes) + " bytes free";
    std::filesystem::remove(setInUse.set.logFile);
    std::optional<ProductionRecordFile> recordFile(std::in_place, workingDirectory);
    std::optional<ProductionCycle> run(std::in_place, context, manual, *recordFile, ledger,
                                       readBack);
    const int first = std::stoi(setInUse.set.carrierId);
    LeaveFree(freeBytes);

    int programmed = 0;
    bool held = false;
    for (int i = 0; i < 30; ++i) {
      const std::vector<std::string> heldBefore = recordFile->RecordsOnlyInMemory();
      simulator->PlaceBlankTransponder();
      NewCommands();
      programmed += run->ProgramOneTag().programmed ? 1 : 0;
      const std::vector<std::string> sent = NewCommands();
      const bool written = std::any_of(sent.begin(), sent.end(),
                                       [](const std::string& c) { return c.starts_with("WD"); });
      const std::vector<std::string> heldAfter = recordFile->RecordsOnlyInMemory();
      EXPECT_LE(heldAfter.size(), 1u) << name;
      held = held || !heldAfter.empty();
      for (const std::string& label : heldBefore) {
        const bool stillHeld = std::count(heldAfter.begin(), heldAfter.end(), label) != 0;
        EXPECT_FALSE(written && stillHeld) << name << ": " << label;
      }
    }
    EXPECT_TRUE(held || !c.recordHeldInMemory) << name;

    if (c.restarted) {
      // The record held in memory is already in the in-flight entry: ending
      // needs no room, and says where it stays.
      ASSERT_FALSE(recordFile->RecordsOnlyInMemory().empty()) << name;
      EXPECT_NE(run->OnStationEnd().find(InFlightFile::kFileName), std::string::npos) << name;
      std::filesystem::remove(Filler());
      run.reset();
      recordFile.emplace(workingDirectory);
      run.emplace(context, manual, *recordFile, ledger, readBack);
      ASSERT_TRUE(run->Settle().ok()) << name;
      EXPECT_EQ(run->stopFinding(), ProductionCycle::StopFinding::Recovered) << name;
      const std::string records = ReadWholeFile(setInUse.set.logFile);
      EXPECT_EQ(records.find(HexOf(first + programmed)), std::string::npos) << name;
      const std::size_t last = records.rfind(HexOf(first + programmed - 1));
      ASSERT_NE(last, std::string::npos) << name;
      EXPECT_NE(records.find("recovered:", last), std::string::npos) << name;
    }

    // Room again: production goes on, and every transponder is recorded on disk.
    std::filesystem::remove(Filler());
    view.messages.clear();
    simulator->PlaceBlankTransponder();
    EXPECT_TRUE(run->ProgramOneTag().programmed) << name;
    ++programmed;
    EXPECT_TRUE(recordFile->RecordsOnlyInMemory().empty()) << name;
    EXPECT_EQ(recordFile->waitingCount(), 0u) << name;
    const std::string records = ReadWholeFile(setInUse.set.logFile);
    for (int id = first; id < first + programmed; ++id) {
      const std::size_t at = records.find(HexOf(id));
      EXPECT_NE(at, std::string::npos) << name << ": carrier ID " << id;
      EXPECT_EQ(records.find(HexOf(id), at + 1), std::string::npos)
          << name << ": carrier ID " << id;
    }
    EXPECT_EQ(records.find(HexOf(first + programmed)), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace torvane::test
