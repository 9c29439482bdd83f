#include "app/station_production.h"

#include "production/ledger_consent.h"
#include "production/production_messages.h"

namespace torvane {

StationProduction::StationProduction(StationView& view, StationState& state, SerialLink& link,
                                     ManualOperations& manual, ProductionRecordWriter& records)
    : view_(view),
      context_{view,
               state.pages,
               state.reader,
               state.setInUse,
               state.production,
               state.carrierIdMaxText,
               state.csvDelimiter,
               state.workingDirectory},
      ledger_(state.ledger, state.workingDirectory, AskOperatorAboutLedger(view)),
      readBack_(link, state.reader, state.terminal),
      cycle_(context_, manual, records, ledger_, readBack_),
      spins_(context_),
      poll_(link, state.reader),
      continuous_(view, state.production, state.setInUse, poll_) {}

void StationProduction::SettleAtStart() {
  const auto settled = cycle_.Settle();
  if (!settled.ok()) {
    view_.ShowMessage(settled.error, text::kCaption, MessageIcon::Error, MessageButtons::Ok);
  } else if (cycle_.stopFinding() == ProductionCycle::StopFinding::Recovered) {
    const auto entry = cycle_.settlement().Read();
    if (entry.ok() && entry.value) {
      view_.ShowMessage(InFlightSettlement::RecoveredMessage(*entry.value), text::kCaption,
                        MessageIcon::Information, MessageButtons::Ok);
    }
  } else if (settled.value && cycle_.stopFinding() == ProductionCycle::StopFinding::Unknown) {
    view_.ShowMessage(InFlightSettlement::RestartMessage(*settled.value), text::kCaption,
                      MessageIcon::Warning, MessageButtons::Ok);
  }
}

}  // namespace torvane
