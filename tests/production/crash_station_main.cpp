// A station without a window for the crash test: it runs production cycles
// on a reader until it is killed or has run the cycles it was asked for.
#include <cstdio>
#include <string>

#include "config/configuration_applier.h"
#include "config/set_in_use_load.h"
#include "production/production_cycle.h"
#include "support/fake_station_view.h"
#include "support/line_record_writer.h"

using namespace torvane;

// production_crash_station WORKING_DIRECTORY DEVICE SET_NAME CYCLES
int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s WORKING_DIRECTORY DEVICE SET_NAME CYCLES\n", argv[0]);
    return 2;
  }
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
  test::LineRecordWriter records(workingDirectory + "/records.txt");
  ProductionCycle cycle(context, manual, records);
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
