#pragma once

#include <QComboBox>
#include <QTemporaryDir>
#include <string>

#include "config/dialog_window_fixture.h"
#include "config/set_file.h"
#include "view/config_dialog_ids.h"
#include "windows/configuration_dialog.h"

namespace torvane::test {

// The configuration dialog on set files in a scratch working directory.
class ConfigDialogTest : public DialogWindowTest {
 protected:
  // What the main window hands in for a set whose file holds `set`.
  ConfigDialogState StateWithFile(const std::string& name, ConfigurationSet set) {
    ConfigDialogState state;
    state.workingDirectory = folder_.path().toStdString();
    state.name = name;
    for (int i = 0; i < 136; ++i) {
      if (!set.byteHex[i].empty()) continue;
      set.byteHex[i] = "00";
      set.byteAscii[i] = "NUL";
    }
    if (set.counterPage.empty()) set.counterPage = "None";
    if (set.alignment.empty()) set.alignment = "None";
    EXPECT_TRUE(SaveSetFile(FilePath(name), set).ok());
    state.set = set;
    return state;
  }
  ConfigDialogState BlankState() { return StateWithFile("Blank", {}); }

  std::string FilePath(const std::string& name) const {
    return folder_.path().toStdString() + "/" + name + ".ini";
  }

  // Picks the name from the list as the operator does; the set loads 500 ms later.
  static void Pick(ConfigurationDialog& dialog, const QString& name) {
    auto* names = Find<QComboBox>(dialog, ids::configuration_dialog::kName);
    const int index = names->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    names->setCurrentIndex(index);
    emit names->activated(index);
  }

  QTemporaryDir folder_;
};

}  // namespace torvane::test
