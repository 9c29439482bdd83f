#pragma once

#include <string>

#include "config/set_in_use.h"
#include "platform/result.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"
#include "view/file_chooser.h"
#include "view/manual_log_state.h"
#include "view/station_view.h"

namespace torvane {

// The "Log" toggle, its "Open" button and the manual record file.
class ManualLogOperations {
 public:
  ManualLogOperations(StationView& view, ManualLogState& manualLog, const PageState& pages,
                      const ReaderState& reader, const SetInUse& setInUse,
                      const std::string& workingDirectory);

  // The toggle's image follows the state the click gave it.
  void OnLogToggle();
  // Asks for the manual record file; a dialog that ends without one leaves the default.
  void OnOpen(FileChooser& chooser);
  // Appends the record of the manual read or write just done. A failure is shown
  // to the operator at once and returned.
  Status WriteManualRecord(ManualRecordKind kind);

  // The file a manual record goes to: the chosen one, else the production default.
  std::string RecordPath() const;

 private:
  StationView& view_;
  ManualLogState& manualLog_;
  const PageState& pages_;
  const ReaderState& reader_;
  const SetInUse& setInUse_;
  const std::string& workingDirectory_;
};

}  // namespace torvane
