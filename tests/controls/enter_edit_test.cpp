#include "controls/enter_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <vector>

#include "controls/message_map.h"
#include "controls/window_messages.h"
#include "support/qt_wait.h"

namespace torvane {
namespace {

constexpr int kIdBase = 1000;

// A dialog with a default button that records every registered message of the
// edit family.
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

// One case per member of the family, number 0 standing for the plain field.
class EnterEditTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    field_ = new EnterEdit(GetParam(), &window_);
    field_->setObjectName(QString::number(kIdBase + GetParam()));
    other_ = new QPushButton("other", &window_);
    other_->move(0, 40);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(test::WaitUntil([this] { return window_.isActiveWindow(); }));
    field_->setFocus();
    ASSERT_TRUE(test::WaitUntil([this] { return field_->hasFocus(); }));
    window_.received.clear();
  }

  RecordingWindow window_;
  EnterEdit* field_ = nullptr;
  QPushButton* other_ = nullptr;
};

TEST_P(EnterEditTest, ReportsEnterTabAndFocusLossAsItsMemberShould) {
  const int n = GetParam();
  const bool tabReported = n >= 22;
  const bool focusLossReported = n >= 18 && n <= 22;

  Press(field_, Qt::Key_A, "A");
  Press(field_, Qt::Key_Escape);
  Press(field_, Qt::Key_Return, "\r");
  Press(field_, Qt::Key_Tab, "\t");
  EXPECT_TRUE(field_->hasFocus()) << "Tab moves no focus";
  EXPECT_EQ(field_->text(), "A") << "Enter and Tab type nothing";
  EXPECT_EQ(window_.defaultPressed, 0);
  EXPECT_EQ(window_.rejected, 0);
  other_->setFocus();
  ASSERT_TRUE(test::WaitUntil([this] { return other_->hasFocus(); }));

  std::vector<unsigned> expected = {WindowMessages::EditComplete(n)};
  if (tabReported) expected.push_back(WindowMessages::EditTab(n));
  if (focusLossReported) expected.push_back(WindowMessages::EditComplete(n));
  std::vector<unsigned> messages;
  for (const auto& received : window_.received) {
    messages.push_back(received.message);
    EXPECT_EQ(received.wParam, kIdBase + n);
    EXPECT_EQ(received.lParam, field_);
  }
  EXPECT_EQ(messages, expected);
}

INSTANTIATE_TEST_SUITE_P(Family, EnterEditTest, ::testing::Range(0, 26),
                         [](const auto& info) { return "EnterEdit" + std::to_string(info.param); });

TEST(EnterEditWithoutWindowTest, EnterWithoutAReceivingWindowIsHarmless) {
  EnterEdit field(3, nullptr);
  field.setText("x");
  Press(&field, Qt::Key_Return, "\r");
  EXPECT_EQ(field.text(), "x");
}

}  // namespace
}  // namespace torvane
