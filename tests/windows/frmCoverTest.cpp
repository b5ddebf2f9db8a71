#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "core/AppValues.h"
#include "core/toolkit/Window.h"
#include "windows/frmCover.h"

namespace {

using windows::frmCover;

class CoverWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid() && picCover() != nullptr && lblInfo() != nullptr); }

  // A 60 x 40 picture in one colour, written by Qt in the given format.
  QString writePicture(const QString& name, const char* format, QColor color) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(color);
    EXPECT_TRUE(image.save(folder.filePath(name), format));
    return folder.filePath(name);
  }
  QString writeBytes(const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
  }
  QWidget* picCover() { return window.findChild<QWidget*>(QStringLiteral("picCover")); }
  QLabel* lblInfo() { return window.findChild<QLabel*>(QStringLiteral("lblInfo")); }
  void showWindow() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QTemporaryDir folder;
  core::AppValues values;
  int yields = 0;
  frmCover window{values, [this] { ++yields; }};
};

// A PNG chunk: length, type and data, CRC-32 of type and data.
QByteArray PngChunk(const QByteArray& typeAndData) {
  quint32 crc = 0xFFFFFFFFu;
  for (const char byte : typeAndData) {
    crc ^= static_cast<quint8>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  QByteArray length(4, '\0'), check(4, '\0');
  qToBigEndian(quint32(typeAndData.size() - 4), length.data());
  qToBigEndian(~crc, check.data());
  return length + typeAndData + check;
}

TEST_F(CoverWindow, ShowsRealPicturesAndNoCoverImageForWhatCannotBeShown) {
  const QString picture = writePicture(QStringLiteral("ok.png"), "PNG", Qt::blue);
  QFile file(picture);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray png = file.readAll();
  ASSERT_EQ(png.mid(12, 4), QByteArray("IHDR"));
  // The same PNG with a header claiming 60000 x 60000 pixels (14 GB as RGBA).
  const QByteArray huge = png.left(8) +
                          PngChunk(QByteArray("IHDR") +
                                   QByteArray::fromHex("0000EA60") +  // width
                                   QByteArray::fromHex("0000EA60") +  // height
                                   png.mid(24, 5)) +  // depth, colour type, compression, filter, interlace
                          png.mid(33);
  const std::pair<QString, bool> cases[] = {
      {writePicture(QStringLiteral("cover.jpg"), "JPEG", Qt::red), true},
      {writePicture(QStringLiteral("png-named.jpg"), "PNG", Qt::red), true},  // read by its content
      {folder.filePath(QStringLiteral("missing.jpg")), false},
      {writeBytes(QStringLiteral("garbage.jpg"), QByteArray("not a picture at all")), false},
      {writeBytes(QStringLiteral("huge.png"), huge), false},
  };
  showWindow();
  for (const auto& [path, shown] : cases) {
    ASSERT_TRUE(window.showPicture(picture));  // whatever was shown before goes
    EXPECT_EQ(window.showPicture(path), shown) << path.toStdString();
    EXPECT_EQ(window.picturePath(), shown ? path : QString());
    EXPECT_EQ(lblInfo()->isVisible(), !shown) << path.toStdString();
    // The red picture covers the window, or the text on its background shows.
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2 - 30).green() < 60, shown) << path.toStdString();
  }
  window.clearPicture();
  EXPECT_TRUE(!window.hasPicture() && lblInfo()->isVisible() && lblInfo()->text() == QStringLiteral("No Cover Image"));
}

TEST_F(CoverWindow, StartsHiddenAndTopmostOpensItsMenuOnRightClicksAndClosingOnlyHidesIt) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Cover Art"));
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE((window.windowFlags() & Qt::WindowStaysOnTopHint) && yields > 0);
  EXPECT_NEAR(core::OuterBoundsTwips(&window).width, 4620, core::TwipsPerPixel);
  const QString path = writePicture(QStringLiteral("keep.jpg"), "JPEG", Qt::green);
  ASSERT_TRUE(window.showPicture(path));
  window.clearPicture();  // the text shows; clicks go through it to the picture display
  showWindow();
  QTest::mouseClick(picCover(), Qt::LeftButton, {}, picCover()->rect().center());
  EXPECT_FALSE(window.mnuPop()->isVisible());
  const QPoint centre = lblInfo()->geometry().center();
  ASSERT_EQ(window.childAt(centre), picCover());
  QTest::mouseClick(picCover(), Qt::RightButton, {}, picCover()->mapFrom(&window, centre));
  EXPECT_TRUE(window.mnuPop()->isVisible() && window.mnuPop()->actions().size() == 4);
  window.mnuPop()->hide();
  ASSERT_TRUE(window.showPicture(path));
  QSignalSpy hidden(&window, &frmCover::hiddenByUser);
  EXPECT_FALSE(window.close());  // the close request is refused
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(hidden.count(), 1);
  showWindow();
  EXPECT_EQ(window.picturePath(), path);
}

}  // namespace
