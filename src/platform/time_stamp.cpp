#include "platform/time_stamp.h"

#include <locale.h>
#include <array>
#include <clocale>

namespace torvane {

namespace {

constexpr std::size_t kShortestCTimeText = 24;

std::string MonthNumber(std::string_view name) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (kMonths[i] == name) return std::string{char('0' + (i + 1) / 10), char('0' + (i + 1) % 10)};
  }
  return "00";
}

// The window library switches the process to the operator's locale; "%c" must
// stay in the C form.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

}  // namespace

std::string TimeStampFromCTimeText(std::string_view text) {
  if (text.size() < kShortestCTimeText) return std::string(kTimeStampLength, '_');
  std::string day(text.substr(8, 2));
  // "%c" pads a one-digit day with a blank.
  if (day[0] == ' ') day[0] = '0';
  std::string stamp = day + "/" + MonthNumber(text.substr(4, 3)) + "/";
  stamp += text.substr(22, 2);
  stamp += ";";
  stamp += text.substr(11, 8);
  return stamp;
}

std::string TimeStampOf(const std::tm& localTime) {
  std::array<char, 64> text{};
  const std::size_t length = strftime_l(text.data(), text.size(), "%c", &localTime, CLocale());
  return TimeStampFromCTimeText(std::string_view(text.data(), length));
}

std::string CurrentTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return TimeStampOf(local);
}

}  // namespace torvane
