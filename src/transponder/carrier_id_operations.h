#pragma once

#include <cstdint>
#include <string>

#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "transponder/carrier_id_fields.h"
#include "transponder/carrier_id_write_gate.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"
#include "view/station_view.h"

namespace torvane {

class CarrierIdPlace;
class ReaderExchange;

// Reads and writes the carrier identifier alone, at an offset and length within
// the 16 bytes of pages 1 and 2.
class CarrierIdOperations {
 public:
  CarrierIdOperations(SerialLink& link, StationView& view, PageState& pages, ReaderState& reader,
                      TerminalState& terminal, CarrierIdFields& fields, CarrierIdWriteGate& gate);

  void OnReadCarrierId();
  void OnWriteCarrierId();

 private:
  void ReadIdentifier(ReaderExchange& exchange, const CarrierIdPlace& place);
  // False when the input or the transponder was refused and nothing was written.
  bool WriteIdentifier(ReaderExchange& exchange, const CarrierIdPlace& place);
  // True when both pages were acknowledged.
  bool WritePages(ReaderExchange& exchange, const std::string& data1, const std::string& data2);
  bool Refuse(const std::string& message, MessageIcon icon);
  void SetCarrierFields(std::uint32_t background);

  SerialLink& link_;
  StationView& view_;
  PageState& pages_;
  ReaderState& reader_;
  TerminalState& terminal_;
  CarrierIdFields& fields_;
  CarrierIdWriteGate& gate_;
};

}  // namespace torvane
