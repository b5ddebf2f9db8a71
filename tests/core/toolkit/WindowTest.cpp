#include "core/toolkit/Window.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WindowTest, CenteredRectAndTwipsArithmetic) {
  // top = round(height * 0.95) \ 2 - window height \ 2; left = width \ 2 - window width \ 2; never below 0
  const struct {
    QSize screen, window;
    QPoint topLeft;
  } cases[] = {
      {{1920, 1080}, {800, 600}, {560, 213}},  // 513 - 300
      {{1024, 768}, {1123, 598}, {0, 66}},     // round(729.6) = 730: 365 - 299; 512 - 561 < 0
      {{1023, 767}, {101, 51}, {461, 339}},    // round(728.65) = 729: 364 - 25; 511 - 50
  };
  for (const auto& c : cases) EXPECT_EQ(core::CenteredRect(c.screen, c.window), QRect(c.topLeft, c.window)) << c.screen.width();
  const std::pair<double, int> conversions[] = {{8970, 598}, {-150, -10}, {7.5, 0}, {22.5, 2}, {14, 1}, {1e30, INT_MAX}};
  for (const auto& [twips, pixels] : conversions) EXPECT_EQ(core::TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(core::PixelsToTwips(598), 8970.0);
}

TEST(WindowTest, OuterBoundsRoundTripInTwipsAndHoldFromBeforeTheFirstShow) {
  for (const bool shownFirst : {true, false}) {
    QWidget window;
    if (shownFirst) window.show();
    core::SetOuterHeight(&window, 5250);
    core::SetOuterWidth(&window, 4620);
    core::SetOuterTop(&window, 1500);
    core::SetOuterLeft(&window, 3000);
    window.show();
    QCoreApplication::processEvents();
    const core::TwipsRect bounds = core::OuterBoundsTwips(&window);
    EXPECT_EQ(std::vector<double>({bounds.left, bounds.top, bounds.width, bounds.height}),
              std::vector<double>({3000, 1500, 4620, 5250}));
    EXPECT_EQ(window.frameGeometry(), QRect(200, 100, 308, 350)) << shownFirst;
  }
}

TEST(WindowTest, SetOnTopKeepsPlaceAndVisibilityAndYields) {
  const struct {
    bool shown, before;
    int flag;  // 2: KeepOnTop
    bool after;
  } cases[] = {{false, false, -1, true}, {true, true, 0, false}, {true, false, 1, false}, {true, false, 2, true}};
  for (const auto& c : cases) {
    QWidget window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, c.before);
    window.setVisible(c.shown);
    const QPoint place = window.pos();
    int yields = 0;
    const auto yield = [&yields] { ++yields; };
    c.flag == 2 ? core::KeepOnTop(&window, yield) : core::SetOnTop(&window, c.flag, yield);
    EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.after) << c.flag;
    EXPECT_TRUE(window.isVisible() == c.shown && window.pos() == place && yields == 1) << c.flag;
  }
}

}  // namespace
