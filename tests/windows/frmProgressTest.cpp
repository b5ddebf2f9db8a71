#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QTest>

#include "core/toolkit/Window.h"
#include "windows/Gauge.h"
#include "windows/frmProgress.h"

namespace {

using windows::frmProgress;
using windows::Gauge;

TEST(frmProgress, HoldsOneGaugeNamedProgress) {
  int yields = 0;
  frmProgress window([&yields] { ++yields; });
  EXPECT_EQ(window.objectName(), QStringLiteral("frmProgress"));
  const QList<Gauge*> gauges = window.findChildren<Gauge*>();
  ASSERT_EQ(gauges.size(), 1);
  EXPECT_EQ(gauges.front(), window.Progress());
  EXPECT_EQ(window.Progress()->objectName(), QStringLiteral("Progress"));
  EXPECT_TRUE(window.rect().contains(window.Progress()->geometry()));
  // The percentage sits in the middle of the bar: 120 twips from the top of a
  // 450-twip gauge whose fill runs from 25 to 420.
  EXPECT_EQ(window.Progress()->height(), 30);
  EXPECT_EQ(window.Progress()->findChild<QLabel*>(QStringLiteral("lblBack"))->y(), 8);
}

TEST(frmProgress, IsTopmostAndCentredWhenLoaded) {
  int yields = 0;
  frmProgress window([&yields] { ++yields; });
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);  // making it topmost lets pending events run
  const QRect expected = core::CenteredRect(core::ScreenSize(), window.frameGeometry().size());
  EXPECT_NEAR(window.frameGeometry().x(), expected.x(), 1);
  EXPECT_NEAR(window.frameGeometry().y(), expected.y(), 1);
}

TEST(frmProgress, SetValueDrivesTheGauge) {
  frmProgress window({});
  const struct {
    int percent;
    const char* text;
  } cases[] = {{0, "0%"}, {37, "37%"}, {100, "100%"}};
  for (const auto& c : cases) {
    window.setValue(c.percent);
    EXPECT_EQ(window.value(), c.percent);
    EXPECT_EQ(window.Progress()->ProgressPercent(), c.percent);
    EXPECT_EQ(window.Progress()->findChild<QLabel*>(QStringLiteral("lblBack"))->text(), QString::fromLatin1(c.text));
  }
  window.setCaption(QStringLiteral("Bitte warten"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Bitte warten"));
}

TEST(frmProgress, AValueSetBeforeTheFirstShowIsStillShownAfterIt) {
  frmProgress window({});
  window.setValue(0);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QFrame* inside = window.Progress()->findChild<QFrame*>(QStringLiteral("fInside"));
  EXPECT_EQ(inside->width(), 0);
  window.setValue(100);
  EXPECT_EQ(inside->width(), window.Progress()->width() - 4);  // 60 twips short
}

}  // namespace
