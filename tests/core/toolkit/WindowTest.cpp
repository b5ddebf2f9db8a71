#include "core/toolkit/Window.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <tuple>

#include <gtest/gtest.h>

namespace {

TEST(WindowTest, CenteredRectArithmetic) {
  const struct {
    QSize screen, window;
    QPoint topLeft;
  }  // top = round(height * 0.95) \ 2 - window height \ 2; left = width \ 2 - window width \ 2; never below 0
  cases[] = {
      {{1920, 1080}, {800, 600}, {560, 213}},  // 513 - 300
      {{1024, 768}, {1123, 598}, {0, 66}},     // round(729.6) = 730: 365 - 299; 512 - 561 < 0
      {{1023, 767}, {101, 51}, {461, 339}},    // round(728.65) = 729: 364 - 25; 511 - 50
  };
  for (const auto& c : cases) {
    const QRect rect = core::CenteredRect(c.screen, c.window);
    EXPECT_EQ(rect.topLeft(), c.topLeft) << c.screen.width() << "x" << c.screen.height();
    EXPECT_EQ(rect.size(), c.window);
  }
}

TEST(WindowTest, TwipsAndPixels) {
  const std::pair<double, int> cases[] = {{8970, 598}, {-150, -10}, {7.5, 0}, {22.5, 2}, {14, 1}};
  for (const auto& [twips, pixels] : cases) EXPECT_EQ(core::TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(core::PixelsToTwips(598), 8970.0);
  EXPECT_EQ(core::TwipsToPixels(1e30), INT_MAX);  // a wild settings value does not overflow
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

TEST(WindowTest, SetOnTopAndKeepOnTopKeepVisibilityPlaceAndYield) {
  // shown, on top before, flag (2: KeepOnTop), on top after
  const std::tuple<bool, bool, int, bool> cases[] = {
      {false, false, -1, true}, {true, true, 0, false}, {true, false, 1, false}, {true, false, 2, true}};
  for (const auto& [shown, before, flag, after] : cases) {
    QWidget window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, before);
    window.resize(200, 100);
    window.setVisible(shown);
    const QPoint place = window.pos();
    int yields = 0;
    const auto yield = [&yields] { ++yields; };
    flag == 2 ? core::KeepOnTop(&window, yield) : core::SetOnTop(&window, flag, yield);
    EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), after) << flag;
    EXPECT_EQ(window.isVisible(), shown) << flag;
    EXPECT_EQ(window.pos(), place) << flag;
    EXPECT_EQ(yields, 1);
  }
  core::KeepOnTop(nullptr, {});  // neither a window nor a hook: nothing happens
}

TEST(WindowTest, ProcessEventsHookRunsPendingEvents) {
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  core::ProcessEventsHook()();
  EXPECT_TRUE(ran);
}

}  // namespace
