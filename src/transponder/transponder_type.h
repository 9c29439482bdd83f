#pragma once

#include "transponder/reader_state.h"
#include "view/station_view.h"

namespace torvane {

// The "TI Multipage" / "Quorvi Multipage" pair, exactly one of which is on. The
// window has already flipped the pressed button's flag when it took the field values.
void OnTiType(StationView& view, ReaderState& reader);
void OnQuorviType(StationView& view, ReaderState& reader);

}  // namespace torvane
