#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
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
    for (int x = std::max(0, from); x < std::min(to, image.width()); ++x)
      if (test(image.pixelColor(x, y))) ++count;
  return count;
}

bool IsRed(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool IsBlue(QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }
bool IsGreen(QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; }

// A gauge 300 x 30 pixels (4500 x 450 twips), laid out for that size.
void MakeLarge(Gauge& gauge) {
  gauge.resize(300, 30);
  gauge.applyLayout();
}

TEST(Gauge, PartsCarryTheirNamesAndTheGaugeStartsAt3000By250Twips) {
  Gauge gauge;
  EXPECT_EQ(gauge.objectName(), QStringLiteral("Gauge"));
  EXPECT_EQ(gauge.size(), QSize(200, 17));
  for (const char* name : {"lblContainer", "lblBack", "lblFront"}) EXPECT_NE(Label(gauge, name), nullptr) << name;
  ASSERT_NE(Inside(gauge), nullptr);
  EXPECT_EQ(Label(gauge, "lblFront")->parentWidget(), Inside(gauge));
  EXPECT_EQ(gauge.ProgressPercent(), 50);
  EXPECT_EQ(Label(gauge, "lblBack")->text(), QStringLiteral("50%"));
}

TEST(Gauge, FillAndTextFollowTheProgressPercent) {
  // The default gauge is 200 pixels wide; its back label 2950 twips, 197 pixels.
  const struct {
    int percent;
    int fillPixels;
    const char* text;
  } cases[] = {
      {0, 0, "0%"},        {1, 1, "1%"},          {50, 98, "50%"},  {99, 195, "99%"},
      {100, 196, "100%"},  // 200 pixels less 60 twips
      {150, 196, "150%"},  {-5, 0, "-5%"},
  };
  Gauge gauge;
  for (const auto& c : cases) {
    gauge.setProgressPercent(c.percent);
    EXPECT_EQ(gauge.ProgressPercent(), c.percent);
    EXPECT_EQ(Inside(gauge)->width(), c.fillPixels) << c.percent;
    EXPECT_EQ(Label(gauge, "lblBack")->text(), QString::fromLatin1(c.text));
    EXPECT_EQ(Label(gauge, "lblFront")->text(), QString::fromLatin1(c.text));
  }
}

TEST(Gauge, SetProgressRedrawsWithoutChangingTheProperty) {
  Gauge gauge;
  gauge.SetProgress(20);
  EXPECT_EQ(gauge.ProgressPercent(), 50);
  EXPECT_EQ(Label(gauge, "lblFront")->text(), QStringLiteral("20%"));
  EXPECT_EQ(Inside(gauge)->width(), 39);  // 2955 * 0.2 = 591 twips: 39.4 pixels
}

TEST(Gauge, TextIsLightOverTheFillAndDarkOverTheEmptyBar) {
  Gauge gauge;
  MakeLarge(gauge);
  gauge.setColorDark(0x00FF00);       // green fill
  gauge.setColorLight(0xFFFFFF);      // white bar
  gauge.setTextColorLight(0x0000FF);  // red text over the fill
  gauge.setTextColorDark(0xFF0000);   // blue text over the bar
  gauge.setProgressPercent(50);
  const QFrame* inside = Inside(gauge);
  const int edge = inside->x() + inside->width();
  ASSERT_GT(edge, 100);
  ASSERT_LT(edge, 200);

  const QImage image = gauge.grab().toImage();
  EXPECT_TRUE(IsGreen(image.pixelColor(inside->x() + 3, 20)));
  EXPECT_EQ(image.pixelColor(295, 20), QColor(Qt::white));
  // "50%" is centred across the edge of the fill: part of it on either side.
  EXPECT_GT(CountPixels(image, 0, edge, IsRed), 0);
  EXPECT_EQ(CountPixels(image, 0, edge, IsBlue), 0);
  EXPECT_GT(CountPixels(image, edge, image.width(), IsBlue), 0);
  EXPECT_EQ(CountPixels(image, edge, image.width(), IsRed), 0);
  EXPECT_EQ(CountPixels(image, edge, image.width(), IsGreen), 0);
}

TEST(Gauge, ZeroShowsNoFillAndHundredStopsShortOfTheRightEdge) {
  Gauge gauge;
  MakeLarge(gauge);
  gauge.setColorDark(0x00FF00);
  gauge.setProgressPercent(0);
  EXPECT_EQ(CountPixels(gauge.grab().toImage(), 0, 300, IsGreen), 0);

  gauge.setProgressPercent(100);
  EXPECT_EQ(Inside(gauge)->width(), 296);  // 4500 - 60 twips
  const QImage full = gauge.grab().toImage();
  EXPECT_TRUE(IsGreen(full.pixelColor(Inside(gauge)->x() + 295, 20)));
  EXPECT_EQ(full.pixelColor(299, 20), QColor(Qt::white));
}

TEST(Gauge, ChangingTheLightTextColourChangesOnlyTheTextOverTheFill) {
  Gauge gauge;
  MakeLarge(gauge);
  gauge.setProgressPercent(50);
  const int edge = Inside(gauge)->x() + Inside(gauge)->width();
  const QImage before = gauge.grab().toImage();
  gauge.setTextColorLight(0x0000FF);
  const QImage after = gauge.grab().toImage();
  ASSERT_EQ(before.size(), after.size());
  int changedInside = 0, changedOutside = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) ++(x < edge ? changedInside : changedOutside);
  EXPECT_GT(changedInside, 0);
  EXPECT_EQ(changedOutside, 0);
}

TEST(Gauge, ColourSettersApplyAtOnceAndMarkThePropertyChanged) {
  Gauge gauge;
  QSignalSpy spy(&gauge, &Gauge::propertyChanged);
  gauge.setColorLight(0x0000FF);
  gauge.setTextColorDark(0x00FF00);
  EXPECT_EQ(gauge.ColorLight(), 0x0000FF);
  EXPECT_EQ(Label(gauge, "lblContainer")->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(Label(gauge, "lblBack")->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("ColorLight"));
  EXPECT_EQ(spy.at(1).at(0).toString(), QStringLiteral("TextColorDark"));
  EXPECT_TRUE(gauge.changedProperties().contains(QStringLiteral("ColorLight")));
  EXPECT_FALSE(gauge.changedProperties().contains(QStringLiteral("ColorDark")));
}

TEST(Gauge, StoresOnlyValuesThatDifferFromTheirDefaults) {
  Gauge gauge;
  EXPECT_TRUE(gauge.writeProperties().isEmpty());
  gauge.setColorDark(0x123456);
  gauge.setProgressPercent(50);  // the default: set, but not worth storing
  gauge.setTextColorLight(0);
  const QVariantMap stored = gauge.writeProperties();
  EXPECT_EQ(stored.size(), 2);
  EXPECT_EQ(stored.value(QStringLiteral("ColorDark")).toInt(), 0x123456);
  EXPECT_EQ(stored.value(QStringLiteral("TextColorLight")).toInt(), 0);

  Gauge restored;
  restored.setColorLight(0x00FF00);
  restored.readProperties(stored);
  EXPECT_EQ(restored.ColorDark(), 0x123456);
  EXPECT_EQ(restored.TextColorLight(), 0);
  EXPECT_EQ(restored.ColorLight(), Gauge::DefaultColorLight);  // missing: back to its default
  EXPECT_EQ(restored.ProgressPercent(), 50);
  EXPECT_TRUE(restored.changedProperties().isEmpty());

  restored.readProperties({{QStringLiteral("ProgressPercent"), 100}});  // redraws the bar
  EXPECT_EQ(Inside(restored)->width(), 196);
  EXPECT_EQ(Label(restored, "lblFront")->text(), QStringLiteral("100%"));
}

TEST(Gauge, ResizeLaysThePartsOutAndHalvesTheFillUntilTheNextValue) {
  Gauge gauge;
  gauge.setProgressPercent(10);
  gauge.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
  gauge.resize(400, 30);
  QLabel* container = Label(gauge, "lblContainer");
  QLabel* back = Label(gauge, "lblBack");
  QLabel* front = Label(gauge, "lblFront");
  EXPECT_EQ(container->geometry(), QRect(0, 0, 400, 30));
  EXPECT_EQ(Inside(gauge)->geometry(), QRect(2, 2, 200, 26));  // 25, 25, W / 2, H - 55 twips
  EXPECT_EQ(back->x(), 4);                                      // 65 twips
  EXPECT_EQ(back->width(), 397);                                // 5950 twips
  EXPECT_EQ(back->height(), Inside(gauge)->height());
  EXPECT_EQ(front->x(), 2);
  EXPECT_EQ(front->width(), back->width());
  EXPECT_EQ(front->height(), back->height());
  // Inside the fill the front text stands where the back text stands in the gauge.
  EXPECT_EQ(front->mapTo(&gauge, QPoint(0, 0)), back->pos());
  EXPECT_EQ(back->text(), QStringLiteral("10%"));

  gauge.setProgressPercent(10);
  EXPECT_EQ(Inside(gauge)->width(), 39);  // 5955 * 0.1 = 595.5 twips: 39.7 pixels
}

}  // namespace
