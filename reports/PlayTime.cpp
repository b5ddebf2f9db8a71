// The time routines of the tag list: the time column of a row and the total.
#include <cmath>
#include <cstdio>

#include "reports/TagListPage.h"

namespace reports {

MinutesSeconds SplitMinutes(std::int32_t seconds) { return {seconds / 60, seconds % 60}; }

std::string TimeColumn(std::int32_t seconds) {
  const MinutesSeconds split = SplitMinutes(seconds);
  // Built by hand: a formatted print for each of thousands of rows costs more than the rest
  // of the row. The seconds take two places at least, as "%02d" gives them.
  std::string text = std::to_string(split.minutes) + ':';
  if (split.seconds >= 0 && split.seconds < 10) text += '0';
  return text + std::to_string(split.seconds);
}

std::string FormatPlayTime(double seconds) {
  // A whole music collection may run for hundreds of hours: the hour count grows past two
  // digits instead of being capped, so the total is always the true one. The cap keeps the
  // conversion defined for absurd inputs (a million years is 3.2e13 s).
  constexpr double Largest = 1e15;
  const double whole = std::floor(seconds);
  if (!(whole >= 1)) return "00:00:00";
  const auto t = static_cast<long long>(whole < Largest ? whole : Largest);
  const long long hours = t / 3600;
  const long long minutes = (t - 3600 * hours) / 60;
  const long long rest = t - 60 * (t / 60);
  char text[64];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", hours, minutes, rest);
  return text;
}

}  // namespace reports
