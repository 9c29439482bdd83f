#include "app/config_take_over.h"

#include <limits>

#include "config/data_source.h"
#include "platform/decimal_text.h"
#include "production/set_counters_file.h"

namespace torvane {

ConfigDialogState ConfigDialogHandOver(const StationState& state) {
  ConfigDialogState dialog;
  dialog.name = state.setInUse.name;
  dialog.setList = state.setList;
  dialog.workingDirectory = state.workingDirectory;
  dialog.displayForm = state.pages.displayForm;
  dialog.set = state.setInUse.set;
  dialog.set.carrierId = state.production.nextCarrierId;
  return dialog;
}

void TakeOverConfiguration(const ConfigDialogState& dialog, StationState& state,
                           DeferredRequests& requests) {
  SetInUse& inUse = state.setInUse;
  inUse.name = dialog.name;
  inUse.set = dialog.set;
  if (SourceOf(dialog.set) == DataSource::DecimalCounter) {
    inUse.set.carrierId =
        CounterTakenOver(dialog.set.carrierId, state.workingDirectory, dialog.name);
  }
  inUse.setTypeQuorvi = dialog.set.typeQuorvi ? 1 : 0;
  state.setList = dialog.setList;
  state.pages.displayForm = dialog.displayForm;
  state.pages.alignment = dialog.set.alignment;
  state.production.nextCarrierId = inUse.set.carrierId;
  if (dialog.saved) {
    state.carrierIdMaxText = LastCarrierIdOfWorkOrder(inUse.set.carrierId, dialog.set.quantity);
    state.production.producedCount = 0;
  }
  state.production.headerPending = true;
  for (int page = 0; page < kPageCount; ++page) {
    if (!dialog.set.editPage[page]) continue;
    requests.pageFocusRequest[page] = true;
    break;
  }
}

std::string CounterTakenOver(const std::string& running, const std::string& workingDirectory,
                             const std::string& setName) {
  const std::optional<std::uint64_t> number = ReadWholeDecimal(running);
  const Result<SetCounters> stored = ReadSetCounters(workingDirectory, setName);
  const std::optional<std::uint64_t> own =
      stored.ok() ? ReadWholeDecimal(stored.value.carrierId) : std::nullopt;
  if (number && (!own || *number >= *own)) return std::to_string(*number);
  if (own) return std::to_string(*own);
  return running;
}

std::string LastCarrierIdOfWorkOrder(const std::string& nextCarrierId,
                                     const std::string& quantity) {
  const std::uint64_t next = ReadDecimal(nextCarrierId);
  const std::uint64_t count = ReadDecimal(quantity);
  if (count == 0) return next == 0 ? std::string() : std::to_string(next - 1);
  const std::uint64_t room = std::numeric_limits<std::uint64_t>::max() - next;
  return std::to_string(count - 1 > room ? std::numeric_limits<std::uint64_t>::max()
                                         : next + count - 1);
}

}  // namespace torvane
