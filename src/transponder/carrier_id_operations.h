#pragma once

#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "transponder/carrier_id_fields.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"
#include "transponder/station_view.h"

namespace torvane {

// Reads and writes the carrier identifier alone, at an offset and length within
// the 16 bytes of pages 1 and 2.
class CarrierIdOperations {
 public:
  CarrierIdOperations(SerialLink& link, StationView& view, PageState& pages, ReaderState& reader,
                      TerminalState& terminal, CarrierIdFields& fields);

  void OnReadCarrierId();
  void OnWriteCarrierId();

 private:
  SerialLink& link_;
  StationView& view_;
  PageState& pages_;
  ReaderState& reader_;
  TerminalState& terminal_;
  CarrierIdFields& fields_;
};

}  // namespace torvane
