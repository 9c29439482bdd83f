#pragma once

#include <gtest/gtest.h>

#include <string>

#include "config/set_in_use.h"
#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "production/manual_log_state.h"
#include "support/fake_station_view.h"
#include "transponder/carrier_id_fields.h"
#include "transponder/carrier_id_operations.h"
#include "transponder/manual_operations.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"

namespace torvane::test {

// The station's state around the reader operations, a recording view, and a
// serial link to whatever reader a test puts on a pseudo-terminal.
class OperationsFixture : public ::testing::Test {
 protected:
  void OpenPort(const std::string& devicePath) {
    ASSERT_TRUE(link.OpenComPort(devicePath, 115200, 8, 0, 0, 0)) << link.lastError();
  }
  void SelectPages(std::initializer_list<int> numbers) {
    for (int n : numbers) pages.pageSelected[n - 1] = 1;
  }

  SerialLink link;
  FakeStationView view;
  PageState pages;
  ReaderState reader;
  TerminalState terminal;
  SetInUse setInUse;
  ManualLogState manualLog;
  CarrierIdFields carrierId;
  ManualOperations manual{link, view, pages, reader, terminal, setInUse, manualLog};
  CarrierIdOperations carrier{link, view, pages, reader, terminal, carrierId};
};

}  // namespace torvane::test
