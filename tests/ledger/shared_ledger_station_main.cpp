// A station without a window for the shared-ledger tests: continuous mode on
// one reader, the ledger on a PostgreSQL server. It prints a line per event on
// its standard output ("programmed N", "stopped: MESSAGE"; "refused: MESSAGE"
// when it may not start, in an occupied folder or under a name in use), and, after a run
// that stopped, waits for a line on its standard input before "Cont On" again,
// as an operator would after reading the message.
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "config/configuration_applier.h"
#include "ledger/station_ledger.h"
#include "platform/folder_lock.h"
#include "production/continuous_mode.h"
#include "production/production_cycle.h"
#include "production/set_in_use_load.h"
#include "support/fake_station_view.h"
#include "support/line_record_writer.h"
#include "transponder/transponder_read_back.h"

using namespace torvane;

namespace {
// How often the headless station asks the antenna; the window does it every 500 ms.
constexpr std::chrono::milliseconds kPollPause{2};
}  // namespace

// shared_ledger_station WORKING_DIRECTORY DEVICE SET_NAME LEDGER STATION TRANSPONDERS
int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr,
                 "usage: %s WORKING_DIRECTORY DEVICE SET_NAME LEDGER STATION TRANSPONDERS\n",
                 argv[0]);
    return 2;
  }
  const std::string workingDirectory = argv[1];
  const Result<FolderLock> folder = LockStationFolder(workingDirectory);
  if (!folder.ok()) {
    std::printf("refused: %s\n", folder.error.c_str());
    return 7;
  }
  const LedgerSettings ledgerSettings{argv[4], argv[5]};
  const int transponders = std::stoi(argv[6]);
  test::FakeStationView view;
  PageState pages;
  ReaderState reader;
  TerminalState terminal;
  SetInUse setInUse;
  ManualLogState manualLog;
  ProductionState production;
  std::string maxText = "99999999";
  const std::string delimiter = ";";
  setInUse.configMode = 1;
  setInUse.name = argv[3];
  if (!LoadSetInUse(workingDirectory, setInUse, pages, production).ok()) return 3;
  ConfigurationApplier(view, setInUse, pages, maxText).ApplyConfiguration();
  maxText = "99999999";

  SerialLink link;
  if (!link.OpenComPort(argv[2], 115200, 8, 0, 0, 0)) return 4;
  ManualOperations manual(link, view, pages, reader, terminal, setInUse, manualLog);
  ProductionContext context{view,       pages,   reader,    setInUse,
                            production, maxText, delimiter, workingDirectory};
  test::LineRecordWriter records(workingDirectory + "/records.txt");
  StationLedger ledger(ledgerSettings, workingDirectory);
  TransponderReadBack readBack(link, reader, terminal);
  ProductionCycle cycle(context, manual, records, ledger, readBack);
  AntennaPoll poll(link, reader);
  ContinuousMode continuous(view, production, setInUse, poll);
  if (const auto store = ledger.Store(); !store.ok()) {
    std::printf("refused: %s\n", store.error.c_str());
    return 7;
  }
  if (!cycle.Settle().ok()) return 5;

  int programmed = 0;
  std::size_t messagesShown = 0;
  continuous.OnContinuous();
  while (programmed < transponders) {
    if (continuous.OnPollTick(cycle.running())) {
      reader.errorCount = 0;
      const CycleOutcome outcome = cycle.ProgramOneTag();
      continuous.OnCycleEnded(outcome);
      if (!outcome.skippedNote.empty()) std::printf("status: %s\n", outcome.skippedNote.c_str());
      if (outcome.programmed) std::printf("programmed %d\n", ++programmed);
    }
    for (; messagesShown < view.messages.size(); ++messagesShown)
      std::printf("message: %s\n", view.messages[messagesShown].text.c_str());
    std::fflush(stdout);
    if (production.continuousMode == 0) {
      std::printf("stopped\n");
      std::fflush(stdout);
      std::string line;
      if (!std::getline(std::cin, line)) return 6;
      continuous.OnContinuous();
    }
    std::this_thread::sleep_for(kPollPause);
  }
  return 0;
}
