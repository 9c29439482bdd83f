#pragma once

#include <optional>
#include <string>

#include "ledger/station_ledger.h"
#include "production/carrier_id_guard.h"
#include "production/complete_csv_source.h"
#include "production/csv_carrier_id_source.h"
#include "production/decimal_counter_source.h"
#include "production/fix_data_source.h"
#include "production/in_flight_settlement.h"
#include "production/manual_operations.h"
#include "production/production_context.h"
#include "production/production_record.h"

namespace torvane {

// How a cycle ended, for what the window does after it.
struct CycleOutcome {
  bool programmed = false;       // written, locked, counted and recorded as far as possible
  bool stopped = false;          // ended with something the operator must see: a run stops
  std::optional<int> focusPage;  // index of the page field that gets the focus next
  bool attempted = false;        // the programming of a transponder began
  std::string carrierId;         // of the cycle's data set, where its source has one
  std::string reason;            // one line on what went wrong; empty when nothing did
  std::string skippedNote;       // for the status line: what was passed over
};

// One transponder: the next data set from the set's source, the page write and
// lock, then the source, the page counter and their file, and the record.
// Nothing is advanced or recorded for a transponder that was not programmed.
class ProductionCycle {
 public:
  ProductionCycle(ProductionContext& context, ManualOperations& manual,
                  ProductionRecordWriter& records, StationLedger& ledger,
                  TransponderReadBack& readBack);

  CycleOutcome ProgramOneTag();
  bool running() const { return running_; }

  // Settles a carrier ID that a stopped station left in flight: the ledger's
  // state, the record of a transponder it had programmed where none is on disk,
  // then the source (see InFlightSettlement::Settle); every cycle does so until
  // it has succeeded. A failure carries the operator's message.
  Result<std::optional<InFlightEntry>> Settle();
  // What the last Settle found of the cycle a stop interrupted.
  enum class StopFinding { Unknown, Recorded, Recovered };
  StopFinding stopFinding() const { return stopFinding_; }
  // At a regular end: nothing is in flight, so a next start finds nothing to
  // check, even with other CSV files by then. A record held only in memory stays
  // in flight for the next start; the text says so, empty when none is held.
  std::string OnStationEnd();

  CsvCarrierIdSource& csvSource() { return csv_; }
  CompleteCsvSource& completeSource() { return complete_; }
  const InFlightSettlement& settlement() const { return settlement_; }
  // The ledger's side of every carrier-ID write, manual ones included.
  CarrierIdGuard& guard() { return guard_; }

 private:
  // Saves the done marks that the CSV sources other than `except` hold.
  Status SaveCsvMarks(const CarrierIdSource* except);
  CarrierIdSource& ChosenSource();
  // Nothing is written while a record of an earlier transponder is on no disk,
  // or while the set in use cannot be used as it stands; the operator is told.
  bool MayStart();
  // Reads the UID of the transponder on the antenna before anything is
  // claimed or written; false, the operator told, when nothing may be written.
  bool Identify();
  // The next data set whose carrier ID the ledger has given this cycle, kept
  // in flight; false when the cycle ends before any write.
  bool PrepareAndClaim(CarrierIdSource& source);
  // Past a carrier ID that is spent; false when the source could not move.
  bool MovePast(CarrierIdSource& source);
  // On a transponder that a failed cycle left half done, the pages that already
  // hold their data: they are not written again, as a locked one would refuse it.
  PageSet PagesAlreadyWritten();
  // Steps after a good write and lock; false when something could not be saved.
  bool CountTransponder(CarrierIdSource& source, CycleOutcome& outcome);
  // A state the ledger did not take goes with the carrier ID in flight.
  void KeepUnmarked(LedgerState state);
  // False when the record file failed (protocolFailure tells the window).
  bool AppendRecord();
  ProductionRecord CurrentRecord() const;
  // The record of a transponder programmed before a stop, where it is on no disk.
  Status RecoverRecord();
  // The message box; its first line is the cycle's reason unless one was given.
  void Report(const std::string& message, MessageIcon icon);
  void Finish(CycleOutcome& outcome);

  ProductionContext& context_;
  ManualOperations& manual_;
  ProductionRecordWriter& records_;
  TransponderReadBack& readBack_;
  DecimalCounterSource counter_;
  CsvCarrierIdSource csv_;
  CompleteCsvSource complete_;
  FixDataSource fixData_;
  InFlightSettlement settlement_;
  CarrierIdGuard guard_;
  bool running_ = false;
  std::string reason_;
  // A continuous run passed over a transponder that holds a carrier ID.
  bool passedOver_ = false;
  // Of the transponder this cycle writes, read before its first write; empty
  // where the reader gave none.
  std::string uid_;
  // Until the first cycle has settled what a stopped station may have left.
  bool settlePending_ = true;
  // The entry on disk of the last cycle that claimed a carrier ID.
  std::optional<InFlightEntry> inFlight_;
  // Whether that entry is settled: a regular end may then drop it.
  bool inFlightSettled_ = true;
  StopFinding stopFinding_ = StopFinding::Unknown;
  // The in-flight entry holds the record of the last cycle.
  bool recordInFlight_ = false;
};

}  // namespace torvane
