#include "production/set_in_use_load.h"

#include "config/set_file.h"

namespace torvane {

Status LoadSetInUse(std::string_view workingDirectory, SetInUse& setInUse, PageState& pages,
                    ProductionState& production) {
  ConfigurationSet& set = setInUse.set;
  Status status = Status::Success();
  if (setInUse.name.empty()) {
    set = ConfigurationSet{};
  } else {
    status = LoadConfigurationSet(workingDirectory, setInUse.name, SetLoad::MainWindow, set);
  }
  production.nextCarrierId = set.carrierId;
  setInUse.setTypeQuorvi = set.typeQuorvi ? 1 : 0;
  pages.alignment = set.alignment;
  return status;
}

}  // namespace torvane
