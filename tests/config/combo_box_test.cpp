#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <memory>
#include <string>
#include <vector>

#include "config/config_dialog_fixture.h"
#include "windows/interface_dialog.h"

namespace torvane {
namespace {

using ComboBoxTest = test::ConfigDialogTest;

// Typing the beginning of an entry leaves exactly what was typed: no combo box
// of the station completes it inline into an entry the operator did not choose.
TEST_F(ComboBoxTest, NoComboBoxCompletesWhatIsTyped) {
  ConfigDialogState state = BlankState();
  state.setList = {"Line1", "Blank"};
  std::vector<std::unique_ptr<QDialog>> dialogs;
  dialogs.push_back(std::make_unique<ConfigurationDialog>(state));
  dialogs.push_back(std::make_unique<InterfaceDialog>(InterfaceTexts{"", "", "", "", "", ""},
                                                      std::vector<std::string>{"/dev/ttyS10"}));
  int checked = 0;
  for (const auto& dialog : dialogs) {
    Open(*dialog);
    for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
      if (!combo->isEditable()) continue;
      SCOPED_TRACE(combo->objectName().toStdString());
      ASSERT_GT(combo->count(), 0);
      const QString entry = combo->itemText(0);
      const QString typed = entry.left(entry.size() - 1);
      combo->lineEdit()->clear();
      combo->lineEdit()->setFocus();
      TypeKeys(combo->lineEdit(), typed);
      EXPECT_EQ(combo->currentText().toStdString(), typed.toStdString());
      ++checked;
    }
    Screenshot(*dialog, "typed-into-" + dialog->objectName().toStdString());
  }
  EXPECT_EQ(checked, 7);  // the set name and the six interface settings
}

}  // namespace
}  // namespace torvane
