#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QTest>

#include "core/toolkit/Window.h"
#include "windows/Gauge.h"
#include "windows/frmProgress.h"

namespace {

TEST(frmProgress, IsTopmostCentredAndItsValueDrivesTheGaugeNamedProgress) {
  int yields = 0;
  windows::frmProgress window([&yields] { ++yields; });
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);  // making it topmost lets pending events run
  ASSERT_EQ(window.findChildren<windows::Gauge*>(), QList<windows::Gauge*>{window.Progress()});
  EXPECT_EQ(window.Progress()->objectName(), QStringLiteral("Progress"));
  window.setValue(37);  // before the first show
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QRect expected = core::CenteredRect(core::ScreenSize(), window.frameGeometry().size());
  EXPECT_LE((window.frameGeometry().topLeft() - expected.topLeft()).manhattanLength(), 2);
  EXPECT_EQ(window.value(), 37);
  EXPECT_EQ(window.Progress()->findChild<QLabel*>(QStringLiteral("lblBack"))->text(), QStringLiteral("37%"));
  window.setValue(100);
  EXPECT_EQ(window.Progress()->findChild<QFrame*>(QStringLiteral("fInside"))->width(), window.Progress()->width() - 4);
}

}  // namespace
