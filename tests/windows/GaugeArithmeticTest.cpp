#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "windows/GaugeArithmetic.h"

namespace {

using windows::ColorFromBgr;
using windows::GaugeFillWidth;
using windows::GaugePercentText;
using windows::LayOutGauge;

struct FillCase {
  int backWidth;
  std::int32_t percent;
  int controlWidth;
  int twipsPerPixel;
  int expected;
};

TEST(GaugeFillWidth, EndsOnWholePixelsAndStopsSixtyTwipsShort) {
  const FillCase cases[] = {
      // A 3000-twip control: its back label is 2950 wide.
      {2950, 0, 3000, 15, 0},
      {2950, 1, 3000, 15, 15},      // 29.5 twips: one whole pixel
      {2950, 7, 3000, 15, 195},     // 206.5 twips: 13.77 pixels, rounded down to 13
      {2950, 50, 3000, 15, 1470},   // 1475: 98.33 pixels
      {2950, 99, 3000, 15, 2910},   // 2920.5: 194.7 pixels
      {2950, 100, 3000, 15, 2940},  // 196 whole pixels: 60 short of 3000
      // The back label snapped to whole pixels (197 of them) reaches past 2950 at 100.
      {2955, 100, 3000, 15, 2940},
      {2955, 99, 3000, 15, 2925},
      // Beyond 100 the fill still stops 60 short.
      {2950, 101, 3000, 15, 2940},
      {2950, 150, 3000, 15, 2940},
      {2950, INT_MAX, 3000, 15, 2940},
      // Below 0 the bar stays empty.
      {2950, -1, 3000, 15, 0},
      {2950, -50, 3000, 15, 0},
      {2950, INT_MIN, 3000, 15, 0},
      // At one twip per pixel nothing is rounded away.
      {950, 33, 1000, 1, 313},
      // A control narrower than 60 twips has no room for a fill.
      {0, 100, 30, 15, 0},
  };
  for (const FillCase& c : cases) {
    EXPECT_EQ(GaugeFillWidth(c.backWidth, c.percent, c.controlWidth, c.twipsPerPixel), c.expected)
        << "back " << c.backWidth << ", " << c.percent << " %, control " << c.controlWidth;
  }
}

TEST(GaugeFillWidth, IsAlwaysAWholeNumberOfPixels) {
  for (std::int32_t percent = 0; percent <= 100; ++percent) {
    EXPECT_EQ(GaugeFillWidth(4450, percent, 4500, 15) % 15, 0) << percent;
  }
}

TEST(GaugePercentText, IsTheNumberWithAPercentSign) {
  const struct {
    std::int32_t percent;
    const char* text;
  } cases[] = {{0, "0%"}, {1, "1%"}, {42, "42%"}, {99, "99%"}, {100, "100%"}, {150, "150%"}, {-5, "-5%"}};
  for (const auto& c : cases) EXPECT_EQ(GaugePercentText(c.percent), c.text);
}

void ExpectBox(const windows::TwipsBox& box, double left, double top, double width, double height, const char* part) {
  EXPECT_DOUBLE_EQ(box.left, left) << part;
  EXPECT_DOUBLE_EQ(box.top, top) << part;
  EXPECT_DOUBLE_EQ(box.width, width) << part;
  EXPECT_DOUBLE_EQ(box.height, height) << part;
}

TEST(LayOutGauge, PlacesThePartsForTheInnerSize) {
  const windows::GaugeLayout layout = LayOutGauge(3000, 250, 195);
  ExpectBox(layout.inside, 25, 25, 1500, 195, "inside");
  ExpectBox(layout.container, 0, 0, 3000, 250, "container");
  ExpectBox(layout.back, 65, 117.5, 2950, 195, "back");  // top 125 - 97.5 + 90
  ExpectBox(layout.front, 25, 87.5, 2950, 195, "front");
}

TEST(LayOutGauge, CentresTheBackLabelOnItsPreviousHeight) {
  const windows::GaugeLayout layout = LayOutGauge(4500, 450, 100);
  EXPECT_DOUBLE_EQ(layout.back.top, 225 - 50 + 90);
  EXPECT_DOUBLE_EQ(layout.back.height, 395);
  EXPECT_DOUBLE_EQ(layout.front.top, layout.back.top - 30);
}

TEST(ColorFromBgr, ReadsRedFromTheLowByte) {
  const struct {
    std::int32_t value;
    int red, green, blue;
  } cases[] = {{0xFF0000, 0, 0, 255},
               {0x0000FF, 255, 0, 0},
               {0x00FF00, 0, 255, 0},
               {0xFFFFFF, 255, 255, 255},
               {0x000000, 0, 0, 0},
               {0x123456, 0x56, 0x34, 0x12},
               {static_cast<std::int32_t>(0xFF804020u), 0x20, 0x40, 0x80}};  // the top byte is ignored
  for (const auto& c : cases) {
    const windows::RgbColor color = ColorFromBgr(c.value);
    EXPECT_EQ(color.red, c.red) << std::hex << c.value;
    EXPECT_EQ(color.green, c.green) << std::hex << c.value;
    EXPECT_EQ(color.blue, c.blue) << std::hex << c.value;
  }
}

}  // namespace
