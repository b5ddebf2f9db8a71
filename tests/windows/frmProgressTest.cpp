#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QTest>

#include "core/toolkit/Window.h"
#include "windows/Gauge.h"
#include "windows/frmProgress.h"

namespace {

TEST(frmProgress, IsTopmostCentredAndHoldsOneGaugeNamedProgress) {
  int yields = 0;
  windows::frmProgress window([&yields] { ++yields; });
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);  // making it topmost lets pending events run
  const QRect expected = core::CenteredRect(core::ScreenSize(), window.frameGeometry().size());
  EXPECT_NEAR(window.frameGeometry().x(), expected.x(), 1);
  EXPECT_NEAR(window.frameGeometry().y(), expected.y(), 1);
  ASSERT_EQ(window.findChildren<windows::Gauge*>(), QList<windows::Gauge*>{window.Progress()});
  EXPECT_EQ(window.Progress()->objectName(), QStringLiteral("Progress"));
  EXPECT_TRUE(window.rect().contains(window.Progress()->geometry()));
}

TEST(frmProgress, SetValueDrivesTheGaugeAlsoBeforeTheFirstShow) {
  windows::frmProgress window({});
  window.setValue(0);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QFrame* inside = window.Progress()->findChild<QFrame*>(QStringLiteral("fInside"));
  EXPECT_EQ(inside->width(), 0);
  for (int percent : {37, 100}) {
    window.setValue(percent);
    EXPECT_EQ(window.value(), percent);
    EXPECT_EQ(window.Progress()->findChild<QLabel*>(QStringLiteral("lblBack"))->text(),
              QStringLiteral("%1%").arg(percent));
  }
  EXPECT_EQ(inside->width(), window.Progress()->width() - 4);  // 60 twips short
}

}  // namespace
