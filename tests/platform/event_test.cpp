#include "platform/event.h"

#include <gtest/gtest.h>

#include <thread>

namespace torvane {
namespace {

using std::chrono_literals::operator""ms;
constexpr std::chrono::milliseconds kGenerous{5000};

TEST(ManualResetEventTest, StaysSetReleasingEveryWaiterUntilReset) {
  ManualResetEvent event;
  EXPECT_FALSE(event.WaitFor(1ms));
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.emplace_back([&] { released += event.WaitFor(kGenerous) ? 1 : 0; });
  }
  event.Set();
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released, 3);
  EXPECT_TRUE(event.WaitFor(1ms)) << "a wait does not consume a manual-reset event";
  event.Reset();
  EXPECT_FALSE(event.IsSet());
  EXPECT_FALSE(event.WaitForThen(1ms, [] { FAIL() << "take must not run on a timeout"; }));
}

// A producer publishes numbered values as fast as it can while a consumer
// takes them: every take must see a whole, current value, and the last one
// published must not be lost to the consumer's reset.
TEST(ManualResetEventTest, TakeAndResetNeverLosesTheLastPublication) {
  constexpr int kValues = 2000;
  ManualResetEvent event;
  int published = 0;  // guarded by the event's lock
  std::thread producer([&] {
    for (int i = 1; i <= kValues; ++i) event.SetAfter([&] { published = i; });
  });
  int last = 0;
  while (last < kValues) {
    int taken = 0;
    ASSERT_TRUE(event.WaitForTakeAndReset(kGenerous, [&] { taken = published; }));
    ASSERT_GT(taken, last);
    last = taken;
  }
  producer.join();
  EXPECT_FALSE(event.IsSet());
}

}  // namespace
}  // namespace torvane
