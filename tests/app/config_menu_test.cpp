#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTimer>
#include <functional>
#include <string>

#include "config/set_file.h"
#include "controls/color_label.h"
#include "station_window_fixture.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

namespace dlg = ids::configuration_dialog;

class ConfigMenuTest : public StationWindowTest {
 protected:
  // Opens the configuration dialog from the menu and works in it as `operate` says.
  void RunConfigDialog(const std::function<void(QDialog&)>& operate) {
    bool operated = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      ASSERT_EQ(dialog->objectName(), "153");
      operate(*dialog);
      operated = true;
      // A dialog left open by a failed step must not hold the test.
      if (dialog->isVisible()) dialog->reject();
    });
    Action(ids::kMenuConfig)->trigger();
    EXPECT_TRUE(operated);
  }

  template <class T = QWidget>
  static T* In(QDialog& dialog, int id) {
    return dynamic_cast<T*>(dialog.findChild<QWidget*>(QString::number(id)));
  }
  static void Type(QDialog& dialog, int id, const QString& text) {
    In<QLineEdit>(dialog, id)->setText(text);
  }
  static void Press(QDialog& dialog, int id) { In<QAbstractButton>(dialog, id)->click(); }
  static void Name(QDialog& dialog, const QString& name) {
    In<QComboBox>(dialog, dlg::kName)->setEditText(name);
  }

  std::string SetFile(const std::string& name) const {
    QFile file(directory_.filePath(QString::fromStdString(name + ".ini")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
  }
};

TEST_F(ConfigMenuTest, ASavedSetIsTakenOverWithOk) {
  Start();
  RunConfigDialog([](QDialog& dialog) {
    Name(dialog, "Job 9");
    Type(dialog, dlg::kQuantity, "50");
    Press(dialog, dlg::kSourceDecimalCounter);
    Type(dialog, dlg::kOffset, "0");
    Type(dialog, dlg::kLength, "8");
    Type(dialog, dlg::kCarrierId, "1000");
    Press(dialog, dlg::kFill);
    Press(dialog, dlg::kEditPage[1]);
    EXPECT_FALSE(In(dialog, ids::kOk)->isEnabled());
    Press(dialog, dlg::kSave);
    ASSERT_TRUE(In(dialog, ids::kOk)->isEnabled());
    Press(dialog, ids::kOk);
  });

  const std::string file = SetFile("Job 9");
  EXPECT_NE(file.find("[Work order Setup]\r\n"), std::string::npos);
  EXPECT_NE(file.find("Quantity=50\r\n"), std::string::npos);
  EXPECT_NE(file.find("Decimal counter=1\r\n"), std::string::npos);
  EXPECT_NE(file.find("Carrier ID=1000\r\n"), std::string::npos);
  EXPECT_NE(file.find("HEX 04=31\r\n"), std::string::npos);
  EXPECT_NE(file.find("Edit Page 2=1\r\n"), std::string::npos);

  const StationState& state = window_->state();
  EXPECT_EQ(state.setInUse.name, "Job 9");
  EXPECT_EQ(state.setList, (SetList{"Job 9"}));
  EXPECT_EQ(state.setInUse.configMode, 1);
  EXPECT_EQ(state.production.nextCarrierId, "1000");
  EXPECT_EQ(state.carrierIdMaxText, "1049");
  EXPECT_EQ(Control<QLineEdit>(ids::kMaxField)->text(), "1049");
  EXPECT_EQ(Control<QLineEdit>(ids::kPageField[0])->text(), "30 30 30 30 31 30 30 30");
  EXPECT_TRUE(Control(ids::kPageField[1])->isEnabled());
  EXPECT_FALSE(Control(ids::kPageField[0])->isEnabled());
  EXPECT_FALSE(Control(ids::kReadButton)->isVisible());
  auto* setName = Control<ColorLabel>(ids::kConfigSetName);
  EXPECT_EQ(setName->text(), "Job 9");
  EXPECT_EQ(setName->colorStyle().backgroundColour(), colour::kWhite);
  EXPECT_EQ(setName->colorStyle().textColour(), colour::kBlack);
  EXPECT_TRUE(WaitUntil([&] { return window_->focusWidget() == Control(ids::kPageField[1]); }));
}

TEST_F(ConfigMenuTest, OkWithoutSaveKeepsTheWorkOrderLimit) {
  ASSERT_TRUE(SaveSetFile(directory_.filePath("On disk.ini").toStdString(), {}).ok());
  Start();
  window_->state().carrierIdMaxText = "77";
  window_->state().setInUse.name = "On disk";
  window_->ShowFieldValues();
  RunConfigDialog([](QDialog& dialog) { Press(dialog, ids::kOk); });
  EXPECT_EQ(window_->state().setInUse.name, "On disk");
  EXPECT_EQ(window_->state().carrierIdMaxText, "77");
  EXPECT_TRUE(window_->state().setList.empty());
}

TEST_F(ConfigMenuTest, CancelAfterSaveAndDeleteLeavesTheWindowAsItWas) {
  Start();
  const StationState before = window_->state();
  const QString pageText = Control<QLineEdit>(ids::kPageField[2])->text();
  RunConfigDialog([](QDialog& dialog) {
    Name(dialog, "Scratch");
    Press(dialog, dlg::kSourceFixData);
    Press(dialog, dlg::kSave);
    EXPECT_EQ(In<QComboBox>(dialog, dlg::kName)->count(), 1);
    Press(dialog, dlg::kDelete);
    EXPECT_EQ(In<QComboBox>(dialog, dlg::kName)->count(), 0);
    Press(dialog, ids::kCancel);
  });
  EXPECT_FALSE(SetFile("Scratch").empty());
  const StationState& after = window_->state();
  EXPECT_EQ(after.setInUse.name, before.setInUse.name);
  EXPECT_EQ(after.setList, before.setList);
  EXPECT_EQ(after.setInUse.configMode, before.setInUse.configMode);
  EXPECT_EQ(after.carrierIdMaxText, before.carrierIdMaxText);
  EXPECT_EQ(Control<QLineEdit>(ids::kPageField[2])->text(), pageText);
}

}  // namespace
}  // namespace torvane::test
