#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <functional>

#include "windows/Gauge.h"

namespace {

using windows::Gauge;

QFrame* Inside(const Gauge& gauge) { return gauge.findChild<QFrame*>(QStringLiteral("fInside")); }
QLabel* Label(const Gauge& gauge, const char* name) { return gauge.findChild<QLabel*>(QString::fromLatin1(name)); }

// Pixels of the image within columns [from, to) that satisfy the test.
int CountPixels(const QImage& image, int from, int to, const std::function<bool(QColor)>& test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = std::max(0, from); x < std::min(to, image.width()); ++x) count += test(image.pixelColor(x, y)) ? 1 : 0;
  return count;
}
bool IsRed(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool IsBlue(QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }
bool IsGreen(QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; }

TEST(Gauge, TextIsLightOverTheFillAndDarkOverTheEmptyBar) {
  Gauge gauge;
  gauge.resize(300, 30);  // 4500 x 450 twips
  gauge.applyLayout();
  gauge.setColorDark(0x00FF00);       // green fill
  gauge.setColorLight(0xFFFFFF);      // white bar
  gauge.setTextColorLight(0x0000FF);  // red text over the fill
  gauge.setTextColorDark(0xFF0000);   // blue text over the bar
  gauge.setProgressPercent(50);
  EXPECT_EQ(Label(gauge, "lblFront")->parentWidget(), Inside(gauge));  // the fill clips the light text
  EXPECT_EQ(Label(gauge, "lblFront")->mapTo(&gauge, QPoint(0, 0)), Label(gauge, "lblBack")->pos());
  const int edge = Inside(gauge)->x() + Inside(gauge)->width();
  ASSERT_TRUE(edge > 100 && edge < 200);
  const QImage image = gauge.grab().toImage();
  EXPECT_TRUE(IsGreen(image.pixelColor(Inside(gauge)->x() + 3, 20)));
  EXPECT_EQ(image.pixelColor(295, 20), QColor(Qt::white));
  // "50%" is centred across the edge of the fill: red on the fill, blue on the bar.
  EXPECT_GT(CountPixels(image, 0, edge, IsRed), 0);
  EXPECT_EQ(CountPixels(image, 0, edge, IsBlue), 0);
  EXPECT_GT(CountPixels(image, edge, image.width(), IsBlue), 0);
  EXPECT_EQ(CountPixels(image, edge, image.width(), IsRed) + CountPixels(image, edge, image.width(), IsGreen), 0);
}

TEST(Gauge, OnlyChangedPropertiesAreStoredAndReadBack) {
  Gauge gauge;
  gauge.setColorLight(0x0000FF);
  gauge.setProgressPercent(50);  // the default: set, but not worth storing
  EXPECT_EQ(Label(gauge, "lblContainer")->palette().color(QPalette::Window), QColor(255, 0, 0));  // at once
  const QVariantMap stored = gauge.writeProperties();
  EXPECT_EQ(stored, (QVariantMap{{QStringLiteral("ColorLight"), 0x0000FF}}));
  Gauge restored;
  restored.setColorDark(0x123456);
  restored.readProperties(stored);
  EXPECT_EQ(restored.ColorLight(), 0x0000FF);
  EXPECT_EQ(restored.ColorDark(), Gauge::DefaultColorDark);  // missing: back to its default
  EXPECT_TRUE(restored.changedProperties().isEmpty());
  // 3000 x 250 twips: 200 pixels wide, its back label 2950 twips (197 pixels).
  restored.SetProgress(20);  // redraws without changing the property
  EXPECT_EQ(restored.ProgressPercent(), Gauge::DefaultProgressPercent);
  EXPECT_EQ(Label(restored, "lblBack")->text() + Label(restored, "lblFront")->text(), QStringLiteral("20%20%"));
  EXPECT_EQ(Inside(restored)->width(), 39);  // 2955 * 0.2 = 591 twips: 39.4 pixels
}

}  // namespace
