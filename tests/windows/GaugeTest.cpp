// The gauge: its arithmetic, the widget's drawing and stored properties, and the progress
// window that hosts it.
#include <gtest/gtest.h>

#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <climits>
#include <functional>

#include "windows/Gauge.h"
#include "windows/GaugeArithmetic.h"
#include "windows/frmProgress.h"

namespace {

TEST(GaugeArithmetic, FillEndsOnWholePixelsSixtyTwipsShortTextAndColours) {
  const struct {
    int backWidth;
    std::int32_t percent;
    int controlWidth, twipsPerPixel, expected;
  } cases[] = {
      // A 3000-twip control: its back label is 2950 wide.
      {2950, 0, 3000, 15, 0},
      {2950, 1, 3000, 15, 15},      // 29.5 twips: one whole pixel
      {2950, 50, 3000, 15, 1470},   // 1475: 98.33 pixels
      {2950, 99, 3000, 15, 2910},   // 2920.5: 194.7 pixels
      {2950, 100, 3000, 15, 2940},  // 196 whole pixels: 60 short of 3000
      {2955, 100, 3000, 15, 2940},  // a back label snapped to 197 pixels would reach past 2950
      {2950, INT_MAX, 3000, 15, 2940},  // beyond 100 the fill still stops 60 short
      {2950, INT_MIN, 3000, 15, 0},     // below 0 the bar stays empty
      {950, 33, 1000, 1, 313},          // at one twip per pixel nothing is rounded away
      {0, 100, 30, 15, 0},              // narrower than 60 twips: no room for a fill
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows::GaugeFillWidth(c.backWidth, c.percent, c.controlWidth, c.twipsPerPixel), c.expected)
        << "back " << c.backWidth << ", " << c.percent << " %, control " << c.controlWidth;
  }
  // The text shows any number as it is; a colour has red in its low byte and no top byte.
  EXPECT_EQ(windows::GaugePercentText(0) + windows::GaugePercentText(-5) + windows::GaugePercentText(150), "0%-5%150%");
  const windows::RgbColor color = windows::ColorFromBgr(static_cast<std::int32_t>(0xFF804020u));
  EXPECT_EQ((std::vector<int>{color.red, color.green, color.blue}), (std::vector<int>{0x20, 0x40, 0x80}));
}


using windows::Gauge;

QFrame* Inside(const Gauge& gauge) { return gauge.findChild<QFrame*>(QStringLiteral("fInside")); }
QLabel* Label(const Gauge& gauge, const char* name) { return gauge.findChild<QLabel*>(QString::fromLatin1(name)); }

// Pixels of the image within columns [from, to) near the pure colour given (Qt::red, ...).
int CountPixels(const QImage& image, int from, int to, QColor pure) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = std::max(0, from); x < std::min(to, image.width()); ++x) {
      const QColor c = image.pixelColor(x, y);
      count += std::abs(c.red() - pure.red()) < 60 && std::abs(c.green() - pure.green()) < 60 &&
               std::abs(c.blue() - pure.blue()) < 60;
    }
  return count;
}

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
  EXPECT_GT(CountPixels(image, Inside(gauge)->x() + 3, Inside(gauge)->x() + 4, Qt::green), 0);
  EXPECT_EQ(image.pixelColor(295, 20), QColor(Qt::white));
  // "50%" is centred across the edge of the fill: red on the fill, blue on the bar.
  EXPECT_TRUE(CountPixels(image, 0, edge, Qt::red) > 0 && CountPixels(image, edge, image.width(), Qt::blue) > 0);
  EXPECT_EQ(CountPixels(image, 0, edge, Qt::blue) + CountPixels(image, edge, image.width(), Qt::red) +
                CountPixels(image, edge, image.width(), Qt::green), 0);
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
