#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "production/manual_operations.h"
#include "reader_simulator.h"
#include "support/fake_station_view.h"
#include "transponder/carrier_id_operations.h"

namespace torvane::test {

// Lets every carrier ID through: the ledger's checks have tests of their own.
class OpenCarrierIdGate : public CarrierIdWriteGate {
 public:
  bool Admit(const std::string&) override { return true; }
  void OnWritten(const std::string&, bool) override {}
};

// The station's state around the reader operations, a recording view, and a
// serial link to the reader simulator (or to another reader a test opens).
class OperationsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::SimOptions options;
    options.timingValue = 4;  // waits of a few hundred milliseconds: quick, yet safe
    auto started = sim::ReaderSimulator::Start(options);
    ASSERT_TRUE(started.ok()) << started.error;
    simulator = std::move(started.value);
    OpenPort(simulator->devicePath());
  }
  void TearDown() override { link.CloseComPort(); }

  void OpenPort(const std::string& devicePath) {
    ASSERT_TRUE(link.OpenComPort(devicePath, 115200, 8, 0, 0, 0)) << link.lastError();
  }
  void SelectPages(std::initializer_list<int> numbers) {
    for (int n : numbers) pages.pageSelected[n - 1] = 1;
  }
  sim::Transponder OnAntenna() const { return simulator->OnAntenna().value_or(sim::Transponder{}); }
  void PutPages(const sim::Page& page1, const sim::Page& page2) {
    sim::Transponder transponder = OnAntenna();
    transponder.pages[0] = page1;
    transponder.pages[1] = page2;
    simulator->SetTransponder(transponder);
  }
  // The commands the simulator received since the last call.
  std::vector<std::string> NewCommands() {
    std::vector<std::string> all = simulator->ReceivedCommands();
    std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

  std::unique_ptr<sim::ReaderSimulator> simulator;
  SerialLink link;
  FakeStationView view;
  PageState pages;
  ReaderState reader;
  TerminalState terminal;
  SetInUse setInUse;
  ManualLogState manualLog;
  CarrierIdFields carrierId;
  ManualOperations manual{link, view, pages, reader, terminal, setInUse, manualLog};
  OpenCarrierIdGate openGate;
  CarrierIdOperations carrier{link, view, pages, reader, terminal, carrierId, openGate};

 private:
  std::size_t seen_ = 0;
};

}  // namespace torvane::test
