#pragma once

#include <string>
#include <string_view>

#include "config/configuration_set.h"
#include "config/set_list.h"
#include "view/operator_messages.h"

namespace torvane {

enum class SaveSetOutcome {
  Saved,     // the file holds the set
  Declined,  // the operator kept the existing file
  Refused,   // the name is unusable or the list is full; nothing written
  Failed,    // the file could not be written; nothing changed
};

struct SaveSetResult {
  SaveSetOutcome outcome;
  bool nameAdded = false;  // the name went into the list; its owner refills what shows it
};

// Saves the set under `name` in the working directory, asking before an
// existing file is overwritten, and adds a new name to the first empty slot of
// the list. Every problem is told to the operator.
SaveSetResult SaveSet(OperatorMessages& operatorMessages, std::string_view workingDirectory,
                      const std::string& name, const ConfigurationSet& set, SetList& setList);

}  // namespace torvane
