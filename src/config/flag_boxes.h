#pragma once

#include "config/configuration_set.h"
#include "view/config_dialog_ids.h"

namespace torvane {

// Calls visit(controlId, flag) for every check box of the configuration dialog
// and the set's flag behind it; Set is ConfigurationSet, const or not.
template <typename Set, typename Visit>
void ForEachFlagBox(Set& set, Visit&& visit) {
  namespace dlg = ids::configuration_dialog;
  visit(dlg::kSourceDecimalCounter, set.sourceDecimalCounter);
  visit(dlg::kSourceCsv, set.sourceCsv);
  visit(dlg::kSourceCsvComplete, set.sourceCsvComplete);
  visit(dlg::kSourceFixData, set.sourceFixData);
  visit(dlg::kTypeTi, set.typeTi);
  visit(dlg::kTypeQuorvi, set.typeQuorvi);
  visit(dlg::kLockCarrierId, set.lockCarrierId);
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte)
    visit(dlg::kFixByte[byte], set.fixByte[byte]);
  for (int page = 0; page < 2; ++page) {
    visit(dlg::kEditPage[page], set.editPage[page]);
    visit(dlg::kLockPage[page], set.lockPage[page]);
  }
  visit(dlg::kWritePages3To17, set.writePages3To17);
  visit(dlg::kLog, set.log);
}

}  // namespace torvane
