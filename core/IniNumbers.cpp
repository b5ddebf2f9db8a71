// Numbers in settings values: read with the leading-number rule (formats/Numbers.h),
// written in their shortest decimal form. Independent of the user's locale (the decimal point is '.').
#include "core/Ini.h"

#include <charconv>
#include <cmath>

namespace core {

std::string FormatNumber(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  // Fixed notation, shortest digits that read back as the same number: 100000, not 1e+05.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

}  // namespace core
