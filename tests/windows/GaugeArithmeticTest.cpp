#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "windows/GaugeArithmetic.h"

namespace {

TEST(GaugeFillWidth, EndsOnWholePixelsAndStopsSixtyTwipsShort) {
  const struct {
    int backWidth;
    std::int32_t percent;
    int controlWidth, twipsPerPixel, expected;
  } cases[] = {
      // A 3000-twip control: its back label is 2950 wide.
      {2950, 0, 3000, 15, 0},
      {2950, 1, 3000, 15, 15},      // 29.5 twips: one whole pixel
      {2950, 7, 3000, 15, 195},     // 206.5 twips: 13.77 pixels, rounded down to 13
      {2950, 50, 3000, 15, 1470},   // 1475: 98.33 pixels
      {2950, 99, 3000, 15, 2910},   // 2920.5: 194.7 pixels
      {2950, 100, 3000, 15, 2940},  // 196 whole pixels: 60 short of 3000
      {2955, 100, 3000, 15, 2940},  // a back label snapped to 197 pixels reaches past 2950
      {2955, 99, 3000, 15, 2925},
      {2950, 101, 3000, 15, 2940},  // beyond 100 the fill still stops 60 short
      {2950, INT_MAX, 3000, 15, 2940},
      {2950, -1, 3000, 15, 0},      // below 0 the bar stays empty
      {2950, INT_MIN, 3000, 15, 0},
      {950, 33, 1000, 1, 313},      // at one twip per pixel nothing is rounded away
      {0, 100, 30, 15, 0},          // narrower than 60 twips: no room for a fill
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows::GaugeFillWidth(c.backWidth, c.percent, c.controlWidth, c.twipsPerPixel), c.expected)
        << "back " << c.backWidth << ", " << c.percent << " %, control " << c.controlWidth;
  }
  for (std::int32_t percent = 0; percent <= 100; ++percent) {
    EXPECT_EQ(windows::GaugeFillWidth(4450, percent, 4500, 15) % 15, 0) << percent;
  }
}

TEST(LayOutGauge, CentresTheBackLabelOnItsPreviousHeight) {
  // inside: 25, 25, width / 2, height - 55; back: 65, height / 2 - previous / 2 + 90, width - 50;
  // front: 30 above the back label, 40 further left.
  const windows::GaugeLayout layout = windows::LayOutGauge(4500, 450, 100);
  const windows::TwipsBox* boxes[] = {&layout.inside, &layout.container, &layout.back, &layout.front};
  const double expected[][4] = {{25, 25, 2250, 395}, {0, 0, 4500, 450}, {65, 265, 4450, 395}, {25, 235, 4450, 395}};
  for (int i = 0; i < 4; ++i) {
    const windows::TwipsBox& box = *boxes[i];
    EXPECT_EQ((std::vector<double>{box.left, box.top, box.width, box.height}),
              std::vector<double>(expected[i], expected[i] + 4))
        << i;
  }
}

TEST(ColorFromBgr, ReadsRedFromTheLowByte) {
  const std::pair<std::int32_t, std::vector<int>> cases[] = {
      {0xFF0000, {0, 0, 255}},
      {0x0000FF, {255, 0, 0}},
      {0x123456, {0x56, 0x34, 0x12}},
      {static_cast<std::int32_t>(0xFF804020u), {0x20, 0x40, 0x80}},  // the top byte is ignored
  };
  for (const auto& [value, rgb] : cases) {
    const windows::RgbColor color = windows::ColorFromBgr(value);
    EXPECT_EQ((std::vector<int>{color.red, color.green, color.blue}), rgb) << std::hex << value;
  }
}

}  // namespace
