// Numbers in settings values: read with the leading-number rule, written in their
// shortest decimal form. Independent of the user's locale (the decimal point is '.').
#include "core/Ini.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace core {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double LeadingNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t\r\n");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  // The longest prefix of the form digits [. digits] [e [sign] digits].
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  bool negativeExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool minus = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
      negativeExponent = minus;
    }
  }
  double value = 0;
  const auto result = std::from_chars(text.data() + start, text.data() + i, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: the nearest one that is.
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::max();
  } else if (result.ec != std::errc()) {
    return 0;
  }
  return negative ? -value : value;
}

long long RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double limit = 9.2e18;  // inside the range of long long, with room to spare
  if (value >= limit) return static_cast<long long>(limit);
  if (value <= -limit) return -static_cast<long long>(limit);
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double rounded = lower;
  if (fraction > 0.5) {
    rounded = lower + 1;
  } else if (fraction == 0.5) {
    rounded = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  }
  return static_cast<long long>(rounded);
}

std::string FormatNumber(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  // Fixed notation, shortest digits that read back as the same number: 100000, not 1e+05.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

}  // namespace core
