#pragma once

#include <cstdint>
#include <string>

#include "line_assembler.h"
#include "line_pacer.h"
#include "pty_endpoint.h"
#include "simulator_core.h"

namespace torvane::sim {

// The serving loop of the reader: takes the station's bytes off the line,
// cuts them into commands, and sends each answer when it is due, paced at the
// line's speed in both directions.
class LineServer {
 public:
  LineServer(PtyEndpoint& endpoint, SimulatorCore& core, std::uint32_t baud)
      : endpoint_(endpoint), core_(core), received_(baud), sent_(baud) {}

  // Serves until the endpoint is woken.
  void Run();

 private:
  // False when woken meanwhile.
  bool Serve(const std::string& bytes);
  bool Answer(const std::string& line);
  bool SendPaced(const std::string& bytes);

  PtyEndpoint& endpoint_;
  SimulatorCore& core_;
  LineAssembler assembler_;
  LinePacer received_;
  LinePacer sent_;
};

}  // namespace torvane::sim
