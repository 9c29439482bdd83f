#include <gtest/gtest.h>

#include <QGroupBox>
#include <algorithm>
#include <vector>

#include "res/control_ids.h"
#include "station_window_fixture.h"

namespace torvane::test {
namespace {

// The narrow window less a window frame: the main area must fit in it.
constexpr int kMainAreaRight = 799 - 16;

class MainWindowLayoutTest : public StationWindowTest {
 protected:
  QRect Frame(QWidget* control) const {
    return QRect(control->mapTo(window_.get(), QPoint(0, 0)), control->size());
  }
  std::vector<QWidget*> VisibleControls() const {
    std::vector<QWidget*> controls;
    for (QWidget* control : window_->findChildren<QWidget*>()) {
      bool isControl = !control->objectName().isEmpty() && control->objectName().toInt() > 0;
      if (isControl && control->isVisible()) controls.push_back(control);
    }
    return controls;
  }
};

TEST_F(MainWindowLayoutTest, StartStateOfTheButtons) {
  Start();
  EXPECT_FALSE(Control(ids::kContButton)->isEnabled());
  EXPECT_FALSE(Control(ids::kLogOpenButton)->isEnabled());
  for (int hidden :
       {ids::kNextDataSetButton, ids::kCurrentDataSetProcessedButton, ids::kNextCompleteButton,
        ids::kNextCompleteProcessedButton, ids::kLastCarrierIdButton, ids::kOk, ids::kCancel}) {
    EXPECT_FALSE(Control(hidden)->isVisible()) << hidden;
  }
}

TEST_F(MainWindowLayoutTest, MainAreaFitsTheNarrowWindowAndTheTerminalLiesRightOfIt) {
  Start();
  Action(ids::kMenuTerminalShow)->trigger();
  const int terminalIds[] = {ids::kTerminalGroup, ids::kTerminalLabel, ids::kTerminalInput,
                             ids::kTerminalSend, ids::kTerminalOutput};
  for (QWidget* control : VisibleControls()) {
    QRect frame = Frame(control);
    int id = control->objectName().toInt();
    bool terminal =
        std::find(std::begin(terminalIds), std::end(terminalIds), id) != std::end(terminalIds);
    EXPECT_GE(frame.top(), 0) << id;
    EXPECT_LE(frame.bottom(), window_->height()) << id;
    if (terminal) {
      EXPECT_GE(frame.left(), 799) << id;
      EXPECT_LE(frame.right(), 1120) << id;
    } else {
      EXPECT_LE(frame.right(), kMainAreaRight) << id;
    }
  }
}

TEST_F(MainWindowLayoutTest, NoTwoControlsOverlap) {
  Start();
  Action(ids::kMenuTerminalShow)->trigger();
  std::vector<QWidget*> controls;
  for (QWidget* control : VisibleControls()) {
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
}

}  // namespace
}  // namespace torvane::test
