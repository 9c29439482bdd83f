#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "reader_simulator.h"
#include "transponder/operations_fixture.h"

namespace torvane::test {

// The operations against the reader simulator on its pseudo-terminal.
class SimFixture : public OperationsFixture {
 protected:
  void SetUp() override {
    sim::SimOptions options;
    // Waits of a few hundred milliseconds: quick, yet far above a loaded
    // machine's round trip.
    options.timingValue = 4;
    auto started = sim::ReaderSimulator::Start(options);
    ASSERT_TRUE(started.ok()) << started.error;
    simulator = std::move(started.value);
    OpenPort(simulator->devicePath());
  }
  void TearDown() override { link.CloseComPort(); }

  sim::Transponder OnAntenna() const { return simulator->OnAntenna().value_or(sim::Transponder{}); }
  void PutPages(const sim::Page& page1, const sim::Page& page2) {
    sim::Transponder transponder = OnAntenna();
    transponder.pages[0] = page1;
    transponder.pages[1] = page2;
    simulator->SetTransponder(transponder);
  }
  // The commands received since the last call.
  std::vector<std::string> NewCommands() {
    std::vector<std::string> all = simulator->ReceivedCommands();
    std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

  std::unique_ptr<sim::ReaderSimulator> simulator;

 private:
  std::size_t seen_ = 0;
};

}  // namespace torvane::test
