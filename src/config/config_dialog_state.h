#pragma once

#include <string>
#include <vector>

#include "config/configuration_set.h"
#include "transponder/page_codec.h"

namespace torvane {

// What the configuration dialog works on: a copy that its opener hands in and
// takes back only when the dialog ends with "OK".
struct ConfigDialogState {
  std::string name;                  // the "Name" box
  std::vector<std::string> setList;  // the set names, in slot order
  std::string workingDirectory;      // where the set files lie
  PageForm displayForm = PageForm::Hex;
  bool saved = false;  // a "Save" succeeded while the dialog was open
  ConfigurationSet set;
};

}  // namespace torvane
