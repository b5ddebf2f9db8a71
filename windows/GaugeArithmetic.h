// The arithmetic of the progress gauge: fill width, percentage text, the layout of
// its parts and its colour values. No widgets here; lengths are in twips.
#pragma once
#include <cstdint>
#include <string>

namespace windows {

// Width of the filled part for `percent`. The fill ends on a whole pixel:
// floor(backWidth * percent / 100 / twipsPerPixel) * twipsPerPixel. A fill that
// would reach past controlWidth - 50 stops at controlWidth - 60, which is where
// 100 % ends. A negative percentage gives an empty fill rather than a negative width.
int GaugeFillWidth(int backWidth, std::int32_t percent, int controlWidth, int twipsPerPixel);

// "42%", "0%", "100%": the number followed by a percent sign. Values outside 0 to
// 100 are shown as they are.
std::string GaugePercentText(std::int32_t percent);

struct TwipsBox {
  double left = 0, top = 0, width = 0, height = 0;
};

// Where the parts of the gauge go when the control's inner size is width x height.
// backHeight is the back label's height before this layout: its top is centred
// on that height. inside.width is half the control until the next fill.
struct GaugeLayout {
  TwipsBox inside;     // the filled part, which clips the front label
  TwipsBox container;  // the empty bar
  TwipsBox back;       // text over the empty part
  TwipsBox front;      // text over the filled part, relative to `inside`
};
GaugeLayout LayOutGauge(double width, double height, double backHeight);

// A colour value 0x00BBGGRR split into its components.
struct RgbColor {
  int red = 0, green = 0, blue = 0;
};
RgbColor ColorFromBgr(std::int32_t value);

}  // namespace windows
