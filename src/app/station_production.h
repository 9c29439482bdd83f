#pragma once

#include "app/station_state.h"
#include "ledger/station_ledger.h"
#include "link/serial_link.h"
#include "production/antenna_poll.h"
#include "production/carrier_id_spins.h"
#include "production/continuous_mode.h"
#include "production/manual_operations.h"
#include "production/outcome_tally.h"
#include "production/production_context.h"
#include "production/production_cycle.h"
#include "production/production_record.h"
#include "transponder/transponder_read_back.h"
#include "view/station_view.h"

namespace torvane {

// Production as the main window runs it: the cycle and its sources, the spins
// and continuous mode, all on the station's state.
class StationProduction {
 public:
  StationProduction(StationView& view, StationState& state, SerialLink& link,
                    ManualOperations& manual, ProductionRecordWriter& records);

  ProductionCycle& cycle() { return cycle_; }
  StationLedger& ledger() { return ledger_; }
  CarrierIdSpins& spins() { return spins_; }
  ContinuousMode& continuous() { return continuous_; }
  OutcomeTally& tally() { return tally_; }
  // What the set in use may still make; nothing for a CSV source.
  std::optional<std::uint64_t> Remaining() const { return RemainingCount(context_); }

  // At start-up, after the set in use is read: a carrier ID that a stopped
  // station left in flight is settled, and the operator is told.
  void SettleAtStart();

 private:
  StationView& view_;
  ProductionContext context_;
  StationLedger ledger_;
  TransponderReadBack readBack_;
  ProductionCycle cycle_;
  CarrierIdSpins spins_;
  AntennaPoll poll_;
  ContinuousMode continuous_;
  OutcomeTally tally_;
};

}  // namespace torvane
