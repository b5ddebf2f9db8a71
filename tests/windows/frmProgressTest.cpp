#include <gtest/gtest.h>

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QTest>

#include "windows/Gauge.h"
#include "windows/frmProgress.h"

namespace {

TEST(frmProgress, IsTopmostCentredAndItsValueDrivesTheGaugeNamedProgress) {
  int yields = 0;
  windows::frmProgress window([&yields] { ++yields; });
  EXPECT_TRUE((window.windowFlags() & Qt::WindowStaysOnTopHint) && yields > 0);  // topmost lets events run
  // Centred across, and in the upper 95 % of the screen's height (room for a task bar).
  const QSize screen = QGuiApplication::primaryScreen()->size(), size = window.frameGeometry().size();
  const QPoint expected(screen.width() / 2 - size.width() / 2, qRound(screen.height() * 0.95) / 2 - size.height() / 2);
  EXPECT_LE((window.frameGeometry().topLeft() - expected).manhattanLength(), 2);
  ASSERT_EQ(window.findChildren<windows::Gauge*>(), QList<windows::Gauge*>{window.Progress()});
  EXPECT_EQ(window.Progress()->objectName(), QStringLiteral("Progress"));
  window.setValue(37);  // before the first show
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.value() == 37 && window.Progress()->findChild<QLabel*>(QStringLiteral("lblBack"))->text() == "37%");
  window.setValue(100);
  EXPECT_EQ(window.Progress()->findChild<QFrame*>(QStringLiteral("fInside"))->width(), window.Progress()->width() - 4);
}

}  // namespace
