#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ledger/sqlite_ledger.h"
#include "production/ledger_messages.h"
#include "production/production_cycle.h"
#include "support/scratch_directory.h"
#include "transponder/operations_fixture.h"

namespace torvane::test {

// Takes every record; fails each append while `failure` holds a message.
class FakeRecordWriter : public ProductionRecordWriter {
 public:
  Status AppendProductionRecord(const ProductionRecord& record, bool& headerPending) override {
    if (!failure.empty()) return Status::Failure(failure);
    records.push_back(record);
    headers.push_back(headerPending);
    headerPending = false;
    return Status::Success();
  }

  std::vector<ProductionRecord> records;
  std::vector<bool> headers;
  std::string failure;
};

// A configuration set in use in a scratch working directory, a production
// cycle over the station's reader operations, and the reader simulator.
class ProductionTest : public OperationsFixture {
 protected:
  static constexpr const char* kSetName = "job";

  void SetUp() override {
    OperationsFixture::SetUp();
    ASSERT_TRUE(directory.valid());
    workingDirectory = directory.path();
    setInUse.configMode = 1;
    setInUse.name = kSetName;
    ConfigurationSet& set = setInUse.set;
    set.byteHex.fill("00");
    set.byteAscii.fill("NUL");
    set.carrierIdOffset = "0";
    set.carrierIdLength = "8";
    set.memoryPage = "1";
    set.counterPage = "None";
    set.log = true;
    SelectPages({1, 2});
    WriteSetFile("1", "0");
  }

  // A set file that holds the two values production moves on.
  void WriteSetFile(const std::string& carrierId, const std::string& counterValue) const {
    directory.Write(std::string(kSetName) + ".ini",
                    "[SEMI E99 Carrier ID Setup]\r\nCarrier ID=" + carrierId +
                        "\r\n[Pages 3-17]\r\nCounter Value=" + counterValue + "\r\n");
  }
  std::string SetFile() const { return directory.Read(std::string(kSetName) + ".ini"); }

  void UseDecimalCounter(const std::string& next, const std::string& length,
                         const std::string& max) {
    setInUse.set.sourceDecimalCounter = true;
    setInUse.set.carrierId = next;
    setInUse.set.carrierIdLength = length;
    maxText = max;
  }
  void UseCsv(const std::string& content, bool complete = false) {
    directory.Write("ids.csv", content);
    setInUse.set.sourceFile = directory.File("ids.csv");
    setInUse.set.sourceCsv = !complete;
    setInUse.set.sourceCsvComplete = complete;
  }
  std::string Csv() const { return directory.Read("ids.csv"); }

  // The page's 8 bytes on the transponder on the antenna as characters.
  std::string PageChars(int page) const {
    const sim::Page bytes = OnAntenna().pages[page - 1];
    return std::string(bytes.begin(), bytes.end());
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : view.messages) texts.push_back(message.text);
    return texts;
  }
  // The first line of each message: the station's own text, before the cause
  // and the next step.
  std::vector<std::string> MessageHeads() const {
    std::vector<std::string> heads;
    for (const auto& message : view.messages) {
      heads.push_back(message.text.substr(0, message.text.find("\r\n")));
    }
    return heads;
  }

  ScratchDirectory directory;
  std::string workingDirectory;
  std::string maxText;
  std::string delimiter = ";";
  ProductionState production;
  ProductionContext context{view,       pages,   reader,    setInUse,
                            production, maxText, delimiter, workingDirectory};
  FakeRecordWriter records;
  StationLedger ledger{SqliteLedger::Open(":memory:").value, "bay-1"};
  TransponderReadBack readBack{link, reader, terminal};
  ProductionCycle cycle{context, manual, records, ledger, readBack};
};

}  // namespace torvane::test
