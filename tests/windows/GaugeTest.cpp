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

TEST(Gauge, FillAndTextFollowTheProgressPercent) {
  Gauge gauge;  // 3000 x 250 twips: 200 pixels wide, its back label 2950 twips (197 pixels)
  for (const char* name : {"lblContainer", "lblBack", "lblFront"}) ASSERT_NE(Label(gauge, name), nullptr) << name;
  ASSERT_NE(Inside(gauge), nullptr);
  EXPECT_EQ(Label(gauge, "lblFront")->parentWidget(), Inside(gauge));
  EXPECT_EQ(gauge.size(), QSize(200, 17));
  EXPECT_EQ(gauge.ProgressPercent(), 50);
  const struct {
    int percent, fillPixels;
    const char* text;
  } cases[] = {{0, 0, "0%"},      {1, 1, "1%"},       {50, 98, "50%"},  {99, 195, "99%"},
               {100, 196, "100%"},  // 200 pixels less 60 twips
               {150, 196, "150%"}, {-5, 0, "-5%"}};
  for (const auto& c : cases) {
    gauge.setProgressPercent(c.percent);
    EXPECT_EQ(gauge.ProgressPercent(), c.percent);
    EXPECT_EQ(Inside(gauge)->width(), c.fillPixels) << c.percent;
    EXPECT_EQ(Label(gauge, "lblBack")->text(), QString::fromLatin1(c.text));
    EXPECT_EQ(Label(gauge, "lblFront")->text(), QString::fromLatin1(c.text));
  }
  gauge.SetProgress(20);  // redraws without changing the property
  EXPECT_EQ(gauge.ProgressPercent(), -5);
  EXPECT_EQ(Label(gauge, "lblFront")->text(), QStringLiteral("20%"));
  EXPECT_EQ(Inside(gauge)->width(), 39);  // 2955 * 0.2 = 591 twips: 39.4 pixels
}

TEST(Gauge, TextIsLightOverTheFillAndDarkOverTheEmptyBar) {
  Gauge gauge;
  gauge.resize(300, 30);  // 4500 x 450 twips
  gauge.applyLayout();
  gauge.setColorDark(0x00FF00);       // green fill
  gauge.setColorLight(0xFFFFFF);      // white bar
  gauge.setTextColorLight(0x0000FF);  // red text over the fill
  gauge.setTextColorDark(0xFF0000);   // blue text over the bar
  gauge.setProgressPercent(0);
  EXPECT_EQ(CountPixels(gauge.grab().toImage(), 0, 300, IsGreen), 0);

  gauge.setProgressPercent(50);
  const int edge = Inside(gauge)->x() + Inside(gauge)->width();
  ASSERT_GT(edge, 100);
  ASSERT_LT(edge, 200);
  const QImage image = gauge.grab().toImage();
  EXPECT_TRUE(IsGreen(image.pixelColor(Inside(gauge)->x() + 3, 20)));
  EXPECT_EQ(image.pixelColor(295, 20), QColor(Qt::white));
  // "50%" is centred across the edge of the fill: part of it on either side.
  EXPECT_GT(CountPixels(image, 0, edge, IsRed), 0);
  EXPECT_EQ(CountPixels(image, 0, edge, IsBlue), 0);
  EXPECT_GT(CountPixels(image, edge, image.width(), IsBlue), 0);
  EXPECT_EQ(CountPixels(image, edge, image.width(), IsRed) + CountPixels(image, edge, image.width(), IsGreen), 0);

  gauge.setProgressPercent(100);
  EXPECT_EQ(Inside(gauge)->width(), 296);  // 4500 - 60 twips
  const QImage full = gauge.grab().toImage();
  EXPECT_TRUE(IsGreen(full.pixelColor(Inside(gauge)->x() + 295, 20)));
  EXPECT_EQ(full.pixelColor(299, 20), QColor(Qt::white));
}

TEST(Gauge, ColourSettersApplyAtOnceAndOnlyChangedValuesAreStored) {
  Gauge gauge;
  QSignalSpy spy(&gauge, &Gauge::propertyChanged);
  EXPECT_TRUE(gauge.writeProperties().isEmpty());
  gauge.setColorLight(0x0000FF);
  gauge.setTextColorDark(0x00FF00);
  gauge.setProgressPercent(50);  // the default: set, but not worth storing
  EXPECT_EQ(Label(gauge, "lblContainer")->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(Label(gauge, "lblBack")->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  ASSERT_GE(spy.count(), 2);
  EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("ColorLight"));
  EXPECT_EQ(spy.at(1).at(0).toString(), QStringLiteral("TextColorDark"));
  const QVariantMap stored = gauge.writeProperties();
  EXPECT_EQ(stored,
            (QVariantMap{{QStringLiteral("ColorLight"), 0x0000FF}, {QStringLiteral("TextColorDark"), 0x00FF00}}));

  Gauge restored;
  restored.setColorDark(0x123456);
  restored.readProperties(stored);
  EXPECT_EQ(restored.ColorLight(), 0x0000FF);
  EXPECT_EQ(restored.ColorDark(), Gauge::DefaultColorDark);  // missing: back to its default
  EXPECT_TRUE(restored.changedProperties().isEmpty());
  restored.readProperties({{QStringLiteral("ProgressPercent"), 100}});  // redraws the bar
  EXPECT_EQ(Inside(restored)->width(), 196);
  EXPECT_EQ(Label(restored, "lblFront")->text(), QStringLiteral("100%"));
}

TEST(Gauge, ResizeKeepsTheFrontTextOverTheBackTextAndHalvesTheFillUntilTheNextValue) {
  Gauge gauge;
  gauge.setProgressPercent(10);
  gauge.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
  gauge.resize(400, 30);
  QLabel* back = Label(gauge, "lblBack");
  QLabel* front = Label(gauge, "lblFront");
  EXPECT_EQ(Inside(gauge)->width(), 200);
  EXPECT_EQ(front->mapTo(&gauge, QPoint(0, 0)), back->pos());
  EXPECT_EQ(front->size(), back->size());
  gauge.setProgressPercent(10);
  EXPECT_EQ(Inside(gauge)->width(), 39);  // 5955 * 0.1 = 595.5 twips: 39.7 pixels
}

}  // namespace
