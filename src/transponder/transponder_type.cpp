#include "transponder/transponder_type.h"

#include "view/control_ids.h"

namespace torvane {

namespace {

void ShowType(StationView& view, bool quorvi) {
  view.SetButtonImage(ids::kQuorviButton, quorvi);
  view.SetButtonImage(ids::kTiButton, !quorvi);
}

}  // namespace

void OnTiType(StationView& view, ReaderState& reader) {
  view.TakeFieldValues();
  const bool ti = reader.tiSelected == 1;
  ShowType(view, !ti);
  reader.quorviSelected = ti ? 0 : 1;
  view.ShowFieldValues();
}

void OnQuorviType(StationView& view, ReaderState& reader) {
  view.TakeFieldValues();
  const bool quorvi = reader.quorviSelected == 1;
  ShowType(view, quorvi);
  reader.tiSelected = quorvi ? 0 : 1;
  view.ShowFieldValues();
}

}  // namespace torvane
