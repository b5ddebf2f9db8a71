#include "formats/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace formats {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipDigits(const std::string& text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

std::size_t ScanNumber(const std::string& text, std::size_t at, double& value, bool infinite) {
  std::size_t i = at;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t mantissa = i;
  i = SkipDigits(text, i);
  std::size_t digits = i - mantissa;
  if (i < text.size() && text[i] == '.') {
    const std::size_t afterFraction = SkipDigits(text, i + 1);
    digits += afterFraction - (i + 1);
    i = afterFraction;
  }
  if (digits == 0) return at;
  bool negativeExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    const bool minus = e < text.size() && text[e] == '-';
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    const std::size_t afterExponent = SkipDigits(text, e);
    if (afterExponent > e) {  // "1e" is the number 1 followed by an "e"
      i = afterExponent;
      negativeExponent = minus;
    }
  }
  // from_chars reads without the locale; it takes no leading '+', so the sign stays outside.
  double parsed = 0;
  const auto result = std::from_chars(text.data() + mantissa, text.data() + i, parsed);
  if (result.ec == std::errc::result_out_of_range) {
    const double huge = infinite ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::max();
    parsed = negativeExponent ? 0.0 : huge;
  } else if (result.ec != std::errc() || result.ptr != text.data() + i) {
    return at;
  }
  value = negative ? -parsed : parsed;
  return i;
}

bool ReadNumber(const std::string& text, double& value) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  double parsed = 0;
  const std::size_t after = ScanNumber(text, begin, parsed, true);
  if (after == begin || after != end) return false;
  value = parsed;
  return true;
}

double LeadingNumber(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return 0;
  double value = 0;
  return ScanNumber(text, start, value) == start ? 0 : value;
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

}  // namespace formats
