#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "production/production_record_file.h"
#include "production/record_file.h"
#include "production/record_paths.h"
#include "sample_record.h"
#include "support/scratch_directory.h"

namespace torvane {
namespace {

using test::ReadWholeFile;
using test::ScratchDirectory;

struct ChildLimits {
  rlim_t fileSize = RLIM_INFINITY;
  bool withoutRootRights = false;  // root writes read-only files all the same
  // Ended by the write over the limit, the way a power loss ends a write halfway.
  bool endedAtTheLimit = false;
};

// Runs `body` in a child process with the limits; returns its exit code.
int InChild(const ChildLimits& limits, const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    // Over the size limit a write fails with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, limits.endedAtTheLimit ? SIG_DFL : SIG_IGN);
    const rlimit size{limits.fileSize, limits.fileSize};
    if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(90);
    if (limits.withoutRootRights && getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(91);
    }
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class DurableAppendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The child may run as another user: it must reach the folder.
    std::filesystem::permissions(folder_.path(), std::filesystem::perms::all);
    bool headerPending = true;
    ASSERT_TRUE(
        ProductionRecordFile(folder_.path()).AppendProductionRecord(Record(), headerPending).ok());
    before_ = ReadWholeFile(path_);
  }

  ProductionRecord Record() const {
    ProductionRecord record = test::SampleRecord();
    record.set.logFile = path_;
    return record;
  }

  // In the child: the append must fail naming the reason and leave one record waiting.
  int FailingAppend(std::string_view reason) const {
    ProductionRecordFile file(folder_.path());
    bool headerPending = true;
    const Status status = file.AppendProductionRecord(Record(), headerPending);
    if (status.ok()) return 1;
    if (status.error.find(path_ + ": " + std::string(reason)) == std::string::npos) return 2;
    return file.waitingCount() == 1 ? 0 : 3;
  }

  // Back in the parent: the file takes the waiting record and the next one.
  void ExpectTheWaitingRecordFollows() {
    ProductionRecordFile file(folder_.path());
    bool headerPending = false;
    ASSERT_TRUE(file.AppendProductionRecord(Record(), headerPending).ok());
    const std::string after = ReadWholeFile(path_);
    const std::size_t tableEnd = before_.find("  </Table>");
    ASSERT_EQ(after.substr(0, tableEnd), before_.substr(0, tableEnd));
    std::size_t headers = 0;
    for (std::size_t at = after.find("Procedure:"); at != std::string::npos;
         at = after.find("Procedure:", at + 1)) {
      ++headers;
    }
    EXPECT_EQ(headers, 2u);  // the waiting record kept its header block
    EXPECT_EQ(file.waitingCount(), 0u);
  }

  ScratchDirectory folder_;
  std::string path_ = folder_.File("records.xml");
  std::string before_;
};

TEST_F(DurableAppendTest, AFullDiskLeavesTheFileAsItWasAndTheRecordWaiting) {
  // Room for part of the new rows only: the write starts and then fails.
  const ChildLimits limits{static_cast<rlim_t>(before_.size() + 500), false};
  EXPECT_EQ(InChild(limits, [this] { return FailingAppend("File too large"); }), 0);
  EXPECT_EQ(ReadWholeFile(path_), before_);
  EXPECT_TRUE(std::filesystem::exists(folder_.File(std::string(kWaitingRecordsFile))));
  ExpectTheWaitingRecordFollows();
}

TEST_F(DurableAppendTest, AReadOnlyFileIsLeftAsItWasAndTheRecordWaiting) {
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  EXPECT_EQ(InChild({RLIM_INFINITY, true}, [this] { return FailingAppend("Permission denied"); }),
            0);
  EXPECT_EQ(ReadWholeFile(path_), before_);
  ASSERT_EQ(chmod(path_.c_str(), 0644), 0);
  ExpectTheWaitingRecordFollows();
}

TEST_F(DurableAppendTest, AnAppendCutShortIsPutBackAtTheNextStart) {
  const ChildLimits limits{static_cast<rlim_t>(before_.size() + 500), false, true};
  EXPECT_EQ(InChild(limits, [this] { return FailingAppend("never returns"); }), 128 + SIGXFSZ);
  const std::string torn = ReadWholeFile(path_);
  ASSERT_EQ(torn.size(), before_.size() + 500);
  ASSERT_TRUE(std::filesystem::exists(folder_.File(std::string(kRecordAppendJournal))));

  // The next start finds its own append unfinished and puts the file back as it
  // was before it; the file then takes records as ever.
  const auto unfinished = FinishUnfinishedAppend(folder_.File(std::string(kRecordAppendJournal)));
  ASSERT_TRUE(unfinished.ok()) << unfinished.error;
  EXPECT_EQ(unfinished.value.path, path_);
  EXPECT_FALSE(unfinished.value.completed);
  EXPECT_EQ(ReadWholeFile(path_), before_);
  EXPECT_FALSE(std::filesystem::exists(folder_.File(std::string(kRecordAppendJournal))));
  bool headerPending = false;
  ASSERT_TRUE(
      ProductionRecordFile(folder_.path()).AppendProductionRecord(Record(), headerPending).ok());
  const auto rows = [](const std::string& text) {
    std::size_t count = 0;
    for (auto at = text.find("</Row>"); at != std::string::npos; at = text.find("</Row>", at + 1)) {
      ++count;
    }
    return count;
  };
  EXPECT_EQ(rows(ReadWholeFile(path_)), rows(before_) + 3);  // hex, ASCII and empty row
}

}  // namespace
}  // namespace torvane
