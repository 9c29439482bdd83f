#include "controls/window_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "controls/message_map.h"

namespace torvane {
namespace {

// A receiver that registers a name itself gets the sender's id; every message of
// the edit family has an id of its own.
TEST(WindowMessagesTest, NamesCarryTheCommonSuffixAndGiveOneIdEach) {
  const std::string suffix = "-{165BBEA0-C1A8-11d5-A04D-006067718D04}";
  EXPECT_EQ(WindowMessages::EditCompleteName(0), "UWM_EDIT_COMPLETE" + suffix);
  EXPECT_EQ(WindowMessages::EditCompleteName(17), "UWM_EDIT17_COMPLETE" + suffix);
  EXPECT_EQ(WindowMessages::EditTabName(23), "UWM_EDIT23_TAB" + suffix);
  EXPECT_EQ(WindowMessages::Register("UWM_EDIT5_COMPLETE" + suffix),
            WindowMessages::EditComplete(5));
  EXPECT_NE(WindowMessages::Register("UWM_TEST_TWO"), WindowMessages::Register("UWM_TEST_ONE"));

  std::set<unsigned> ids;
  for (int n = 0; n <= 25; ++n) ids.insert(WindowMessages::EditComplete(n));
  for (int n = 22; n <= 25; ++n) ids.insert(WindowMessages::EditTab(n));
  EXPECT_EQ(ids.size(), 26u + 4u);
}

TEST(MessageMapTest, SendReachesTheHandlerOnlyForItsMessage) {
  MessageMap map;
  int calls = 0;
  map.On(7, [&](int wParam, QWidget*) {
    ++calls;
    return static_cast<long>(wParam * 2);
  });
  long result = 0;
  EXPECT_TRUE(map.Send(7, 21, nullptr, &result));
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(map.Send(8, 21, nullptr, &result));
  EXPECT_EQ(calls, 1);
}

TEST(MessageMapTest, HandlerMayReplaceItselfWhileRunning) {
  MessageMap map;
  int replacedCalls = 0;
  map.On(1, [&](int, QWidget*) {
    map.On(1, [&](int, QWidget*) { return static_cast<long>(++replacedCalls); });
    return 0L;
  });
  EXPECT_TRUE(map.Send(1, 0, nullptr));
  EXPECT_TRUE(map.Send(1, 0, nullptr));
  EXPECT_EQ(replacedCalls, 1);
}

}  // namespace
}  // namespace torvane
