#include "windows/GaugeArithmetic.h"

#include <cmath>

namespace windows {

int GaugeFillWidth(int backWidth, std::int32_t percent, int controlWidth, int twipsPerPixel) {
  if (twipsPerPixel <= 0) twipsPerPixel = 1;
  // In floating point: a large percentage times the width does not fit 32 bits.
  const double pixels = std::floor(static_cast<double>(backWidth) * percent / 100.0 / twipsPerPixel);
  const double fill = pixels * twipsPerPixel;
  if (fill > controlWidth - 50.0) return controlWidth - 60 > 0 ? controlWidth - 60 : 0;
  if (fill < 0) return 0;
  return static_cast<int>(fill);
}

std::string GaugePercentText(std::int32_t percent) {
  return std::to_string(percent) + "%";
}

GaugeLayout LayOutGauge(double width, double height, double backHeight) {
  GaugeLayout layout;
  layout.inside = {25, 25, width / 2, height - 55};
  layout.container = {0, 0, width, height};
  layout.back = {layout.inside.left + 40, height / 2 - backHeight / 2 + 90, width - 50, layout.inside.height};
  layout.front = {25, layout.back.top - 30, width - 50, layout.back.height};
  return layout;
}

RgbColor ColorFromBgr(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return {static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu), static_cast<int>((v >> 16) & 0xFFu)};
}

}  // namespace windows
