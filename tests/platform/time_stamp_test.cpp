#include "platform/time_stamp.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace torvane {
namespace {

std::tm LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

TEST(TimeStampTest, EveryDayOfEveryMonthHasTwoDigitsEach) {
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= 31; ++day) {
      char expected[32];
      std::snprintf(expected, sizeof expected, "%02d/%02d/26;07:05:09", day, month);
      EXPECT_EQ(TimeStampOf(LocalTime(2026, month, day, 7, 5, 9)), expected);
    }
  }
}

TEST(TimeStampTest, TakesTheLastTwoDigitsOfTheYearAndTheWholeTime) {
  EXPECT_EQ(TimeStampOf(LocalTime(2031, 12, 6, 22, 33, 51)), "06/12/31;22:33:51");
  EXPECT_EQ(TimeStampOf(LocalTime(2000, 1, 31, 0, 0, 0)), "31/01/00;00:00:00");
}

TEST(TimeStampTest, OddTimeTexts) {
  struct Case {
    const char* text;
    const char* stamp;
  } cases[] = {
      {"Sun Dec 06 22:33:51 2026", "06/12/26;22:33:51"},
      {"Sun Xyz 06 22:33:51 2026", "06/00/26;22:33:51"},  // no month name
      {"Sun Dec  6 22:33:51 202", "_________________"},   // 23 characters
      {"", "_________________"},
  };
  for (const Case& c : cases) EXPECT_EQ(TimeStampFromCTimeText(c.text), c.stamp) << c.text;
}

TEST(TimeStampTest, CurrentStampHasTheForm) {
  const std::string stamp = CurrentTimeStamp();
  ASSERT_EQ(stamp.size(), kTimeStampLength);
  EXPECT_EQ(stamp[2], '/');
  EXPECT_EQ(stamp[5], '/');
  EXPECT_EQ(stamp[8], ';');
  EXPECT_EQ(stamp.substr(11, 1) + stamp.substr(14, 1), "::");
}

}  // namespace
}  // namespace torvane
