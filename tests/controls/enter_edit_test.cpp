#include "controls/enter_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <ostream>
#include <vector>

#include "controls/message_map.h"
#include "controls/window_messages.h"
#include "support/qt_wait.h"

namespace torvane {
namespace {

constexpr int kIdBase = 1000;

// A window with a default button that records every registered message of its
// fields.
class RecordingWindow : public QDialog, public MessageTarget {
 public:
  struct Received {
    unsigned message;
    int wParam;
    QWidget* lParam;
  };

  RecordingWindow() {
    for (int n = 0; n <= 25; ++n) Record(WindowMessages::EditComplete(n));
    for (int n = 22; n <= 25; ++n) Record(WindowMessages::EditTab(n));
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, [this] { ++defaultPressed; });
  }

  const MessageMap& messageMap() const override { return map_; }
  void reject() override { ++rejected; }

  std::vector<Received> received;
  int defaultPressed = 0;
  int rejected = 0;

 private:
  void Record(unsigned message) {
    map_.On(message, [this, message](int wParam, QWidget* lParam) {
      received.push_back({message, wParam, lParam});
      return 0L;
    });
  }

  MessageMap map_;
};

void Press(QWidget* target, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

// What each member of the family reports beside Enter.
struct Behaviour {
  int number;
  bool tabReported;
  bool focusLossReported;
};

void PrintTo(const Behaviour& behaviour, std::ostream* out) {
  *out << "CEnterEdit" << behaviour.number;
}

std::vector<Behaviour> Family() {
  std::vector<Behaviour> family;
  for (int n = 0; n <= 25; ++n) {
    family.push_back({n, n >= 22, n >= 18 && n <= 22});
  }
  return family;
}

class EnterEditTest : public ::testing::TestWithParam<Behaviour> {
 protected:
  void SetUp() override {
    field_ = new CEnterEdit(GetParam().number, &window_);
    field_->setObjectName(QString::number(kIdBase + GetParam().number));
    other_ = new QPushButton("other", &window_);
    other_->move(0, 40);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(test::WaitUntil([this] { return window_.isActiveWindow(); }));
    field_->setFocus();
    ASSERT_TRUE(test::WaitUntil([this] { return field_->hasFocus(); }));
    window_.received.clear();
  }

  unsigned Complete() const { return WindowMessages::EditComplete(GetParam().number); }

  RecordingWindow window_;
  CEnterEdit* field_ = nullptr;
  QPushButton* other_ = nullptr;
};

TEST_P(EnterEditTest, EnterSendsOneCompleteInsertsNothingAndSparesTheDefaultButton) {
  field_->setText("AB");
  Press(field_, Qt::Key_Return, "\r");
  ASSERT_EQ(window_.received.size(), 1u);
  EXPECT_EQ(window_.received[0].message, Complete());
  EXPECT_EQ(window_.received[0].wParam, kIdBase + GetParam().number);
  EXPECT_EQ(window_.received[0].lParam, field_);
  EXPECT_EQ(field_->text(), "AB");
  EXPECT_EQ(window_.defaultPressed, 0);
  EXPECT_TRUE(window_.isVisible());
}

TEST_P(EnterEditTest, TabKeepsTheFocusAndIsReportedOnlyByTheTabMembers) {
  Press(field_, Qt::Key_Tab, "\t");
  EXPECT_TRUE(field_->hasFocus());
  if (GetParam().tabReported) {
    ASSERT_EQ(window_.received.size(), 1u);
    EXPECT_EQ(window_.received[0].message, WindowMessages::EditTab(GetParam().number));
  } else {
    EXPECT_TRUE(window_.received.empty());
  }
  EXPECT_TRUE(field_->text().isEmpty());
}

TEST_P(EnterEditTest, LosingTheFocusReportsCompleteOnlyForTheFocusMembers) {
  other_->setFocus();
  ASSERT_TRUE(test::WaitUntil([this] { return other_->hasFocus(); }));
  if (GetParam().focusLossReported) {
    ASSERT_EQ(window_.received.size(), 1u);
    EXPECT_EQ(window_.received[0].message, Complete());
  } else {
    EXPECT_TRUE(window_.received.empty());
  }
}

TEST_P(EnterEditTest, EscapeStaysInTheFieldAndOtherKeysType) {
  Press(field_, Qt::Key_Escape);
  EXPECT_EQ(window_.rejected, 0);
  Press(field_, Qt::Key_A, "A");
  EXPECT_EQ(field_->text(), "A");
  EXPECT_TRUE(window_.received.empty());
}

INSTANTIATE_TEST_SUITE_P(Family, EnterEditTest, ::testing::ValuesIn(Family()),
                         [](const auto& info) {
                           return "CEnterEdit" + std::to_string(info.param.number);
                         });

TEST(EnterEditWithoutWindowTest, EnterWithoutAReceivingWindowIsHarmless) {
  CEnterEdit field(3, nullptr);
  field.setText("x");
  Press(&field, Qt::Key_Return, "\r");
  EXPECT_EQ(field.text(), "x");
}

}  // namespace
}  // namespace torvane
