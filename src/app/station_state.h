#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/set_in_use.h"
#include "config/set_list.h"
#include "ledger/ledger_settings.h"
#include "link/serial_settings.h"
#include "link/terminal_state.h"
#include "production/production_state.h"
#include "transponder/carrier_id_fields.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"
#include "view/manual_log_state.h"

namespace torvane {

// The state the main window owns, grouped by subsystem. Operations get only the
// parts they use.
struct StationState {
  std::string workingDirectory;
  std::string settingsPath;

  SerialSettings serial;
  LedgerSettings ledger;

  SetInUse setInUse;
  SetList setList;               // names of the configuration sets, at most kMaxSetListSize
  std::string carrierIdMaxText;  // the "max" field
  std::string csvDelimiter = ",";

  PageState pages;
  ReaderState reader;
  CarrierIdFields carrierId;
  ManualLogState manualLog;
  ProductionState production;
  TerminalState terminal;
};

}  // namespace torvane
