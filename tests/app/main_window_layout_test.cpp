#include <gtest/gtest.h>

#include <QGroupBox>
#include <set>
#include <string>
#include <vector>

#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "station_window_fixture.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

class MainWindowLayoutTest : public StationWindowTest {
 protected:
  QRect Frame(QWidget* control) const {
    return QRect(control->mapTo(window_.get(), QPoint(0, 0)), control->size());
  }
  std::vector<QWidget*> VisibleControls() const {
    std::vector<QWidget*> controls;
    for (QWidget* control : window_->findChildren<QWidget*>()) {
      if (control->objectName().toInt() > 0 && control->isVisible()) controls.push_back(control);
    }
    return controls;
  }
};

// Labels white on black, the data fields white, every check and radio button
// showing its image; without settings the window starts in Manual mode, where
// the production controls wait for Config mode.
TEST_F(MainWindowLayoutTest, StartStateOfTheControls) {
  Start();
  for (QWidget* control : window_->findChildren<QWidget*>()) {
    const std::string id = control->objectName().toStdString();
    if (auto* label = dynamic_cast<ColorLabel*>(control)) {
      EXPECT_EQ(label->colorStyle().textColour(), colour::kWhite) << id;
      EXPECT_EQ(label->colorStyle().backgroundColour(), colour::kBlack) << id;
    }
    if (auto* button = dynamic_cast<ImageButton*>(control)) {
      EXPECT_TRUE(button->showsAnImage()) << id;
    }
  }
  std::vector<int> fields(ids::kPageField.begin(), ids::kPageField.end());
  fields.insert(fields.end(), {ids::kCarrierIdOffsetField, ids::kCarrierIdLengthField,
                               ids::kCarrierIdField, ids::kUidField});
  for (int id : fields) {
    EXPECT_EQ(Control<EnterEdit>(id)->colorStyle().backgroundColour(), colour::kWhite) << id;
  }
  for (int id : {ids::kNextField, ids::kMaxField}) {
    EXPECT_EQ(Control<EnterEdit>(id)->colorStyle().backgroundColour(), colour::kGrey) << id;
  }
  EXPECT_TRUE(Control<ImageButton>(ids::kManualModeButton)->showsSetImage());
  EXPECT_FALSE(Control<ImageButton>(ids::kConfigModeButton)->showsSetImage());
  EXPECT_FALSE(Control(ids::kContButton)->isEnabled());
  EXPECT_FALSE(Control(ids::kOneButton)->isEnabled());
  EXPECT_TRUE(Control(ids::kLogOpenButton)->isEnabled());
  for (int hidden :
       {ids::kNextDataSetButton, ids::kCurrentDataSetProcessedButton, ids::kNextCompleteButton,
        ids::kNextCompleteProcessedButton, ids::kLastCarrierIdButton, ids::kOk, ids::kCancel,
        ids::kOneButton, ids::kContButton}) {
    EXPECT_FALSE(Control(hidden)->isVisible()) << hidden;
  }
}

// The main area fits the narrow window less a frame; the terminal pane lies to
// its right and "Show" toggles the width, keeping the window where it was.
TEST_F(MainWindowLayoutTest, TerminalPaneWidensTheWindowAndNoTwoControlsOverlap) {
  Start();
  window_->move(40, 30);
  QAction* show = Action(ids::kMenuTerminalShow);
  show->trigger();
  EXPECT_EQ(window_->size(), QSize(1120, 461));
  EXPECT_TRUE(show->isChecked());

  const std::set<int> terminalIds = {ids::kTerminalGroup, ids::kTerminalLabel, ids::kTerminalInput,
                                     ids::kTerminalSend, ids::kTerminalOutput};
  std::vector<QWidget*> controls;
  for (QWidget* control : VisibleControls()) {
    const QRect frame = Frame(control);
    const int id = control->objectName().toInt();
    EXPECT_GE(frame.top(), 0) << id;
    EXPECT_LE(frame.bottom(), window_->height()) << id;
    if (terminalIds.contains(id)) {
      EXPECT_GE(frame.left(), 799) << id;
      EXPECT_LE(frame.right(), 1120) << id;
    } else {
      EXPECT_LE(frame.right(), 799 - 16) << id;
    }
    // Group frames hold controls and carry their title controls on their edge.
    if (qobject_cast<QGroupBox*>(control) == nullptr) controls.push_back(control);
  }
  for (std::size_t a = 0; a < controls.size(); ++a) {
    for (std::size_t b = a + 1; b < controls.size(); ++b) {
      EXPECT_FALSE(Frame(controls[a]).intersects(Frame(controls[b])))
          << controls[a]->objectName().toStdString() << " and "
          << controls[b]->objectName().toStdString();
    }
  }

  show->trigger();
  EXPECT_EQ(window_->size(), QSize(799, 461));
  EXPECT_FALSE(show->isChecked());
  EXPECT_EQ(window_->pos(), QPoint(40, 30));
}

}  // namespace
}  // namespace torvane::test
