// A station without a window for the crash test: it runs production cycles
// on a reader until it is killed or has run the cycles it was asked for.
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "config/configuration_applier.h"
#include "production/production_cycle.h"
#include "production/production_record_file.h"
#include "production/set_in_use_load.h"
#include "support/fake_station_view.h"

using namespace torvane;

namespace {

long flushes = 0;
long killAtFlush = 0;  // 0: never

// Every disk flush of the process, the ledger's included, comes through here,
// so the station can be killed as it makes the n-th one durable.
void CountFlush() {
  if (++flushes == killAtFlush) raise(SIGKILL);
}

}  // namespace

extern "C" int fsync(int fd) {
  CountFlush();
  return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
  CountFlush();
  return static_cast<int>(syscall(SYS_fdatasync, fd));
}

// production_crash_station WORKING_DIRECTORY DEVICE SET_NAME CYCLES [KILL_AT_FLUSH]
int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: %s WORKING_DIRECTORY DEVICE SET_NAME CYCLES [KILL_AT_FLUSH]\n",
                 argv[0]);
    return 2;
  }
  if (argc == 6) killAtFlush = std::stol(argv[5]);
  const std::string workingDirectory = argv[1];
  const int cycles = std::stoi(argv[4]);
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
  ProductionRecordFile records(workingDirectory);
  const LedgerSettings ledgerSettings;
  StationLedger ledger(ledgerSettings, workingDirectory);
  TransponderReadBack readBack(link, reader, terminal);
  ProductionCycle cycle(context, manual, records, ledger, readBack);
  if (!cycle.Settle().ok()) return 5;
  for (int i = 0; i < cycles; ++i) {
    reader.errorCount = 0;
    if (!cycle.ProgramOneTag().programmed) {
      for (const auto& message : view.messages) std::fprintf(stderr, "%s\n", message.text.c_str());
      return 6;
    }
  }
  return 0;
}
