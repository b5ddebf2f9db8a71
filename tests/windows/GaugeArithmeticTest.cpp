#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
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
      {2950, 50, 3000, 15, 1470},   // 1475: 98.33 pixels
      {2950, 99, 3000, 15, 2910},   // 2920.5: 194.7 pixels
      {2950, 100, 3000, 15, 2940},  // 196 whole pixels: 60 short of 3000
      {2955, 100, 3000, 15, 2940},  // a back label snapped to 197 pixels would reach past 2950
      {2950, INT_MAX, 3000, 15, 2940},  // beyond 100 the fill still stops 60 short
      {2950, INT_MIN, 3000, 15, 0},     // below 0 the bar stays empty
      {950, 33, 1000, 1, 313},          // at one twip per pixel nothing is rounded away
      {0, 100, 30, 15, 0},              // narrower than 60 twips: no room for a fill
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows::GaugeFillWidth(c.backWidth, c.percent, c.controlWidth, c.twipsPerPixel), c.expected)
        << "back " << c.backWidth << ", " << c.percent << " %, control " << c.controlWidth;
  }
  for (std::int32_t percent = 0; percent <= 100; ++percent)
    EXPECT_EQ(windows::GaugeFillWidth(4450, percent, 4500, 15) % 15, 0) << percent;
}

TEST(GaugeText, ShowsAnyNumberAsItIs) {
  EXPECT_EQ(windows::GaugePercentText(0) + windows::GaugePercentText(-5) + windows::GaugePercentText(150), "0%-5%150%");
}

TEST(ColorFromBgr, ReadsRedFromTheLowByteAndIgnoresTheTopByte) {
  const windows::RgbColor color = windows::ColorFromBgr(static_cast<std::int32_t>(0xFF804020u));
  EXPECT_EQ((std::vector<int>{color.red, color.green, color.blue}), (std::vector<int>{0x20, 0x40, 0x80}));
}

}  // namespace
