#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
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
    const QString path = folder.filePath(name);
    EXPECT_TRUE(image.save(path, format));
    return path;
  }
  QString writeBytes(const QString& name, const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
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

// CRC-32 as PNG chunks carry it.
quint32 Crc32(const QByteArray& bytes) {
  quint32 crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc ^= static_cast<quint8>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

QByteArray BigEndian32(quint32 value) {
  QByteArray bytes(4, '\0');
  qToBigEndian(value, bytes.data());
  return bytes;
}

TEST_F(CoverWindow, ShowsRealPicturesAndNoCoverImageForWhatCannotBeShown) {
  const QString picture = writePicture(QStringLiteral("ok.png"), "PNG", Qt::blue);
  QFile file(picture);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray png = file.readAll();
  // The same PNG with a header claiming 60000 x 60000 pixels (14 GB as RGBA) and a valid CRC.
  const QByteArray header = QByteArray("IHDR") +
                            BigEndian32(60000) +  // width
                            BigEndian32(60000) +  // height
                            png.mid(24, 5);       // depth, colour type, compression, filter, interlace
  ASSERT_EQ(png.mid(12, 4), QByteArray("IHDR"));
  const QByteArray huge = png.left(12) + header + BigEndian32(Crc32(header)) + png.mid(33);
  const std::pair<QString, bool> cases[] = {
      {writePicture(QStringLiteral("cover.jpg"), "JPEG", Qt::red), true},
      {writePicture(QStringLiteral("cover.bmp"), "BMP", Qt::red), true},
      {writePicture(QStringLiteral("png-named.jpg"), "PNG", Qt::red), true},
      {QString(), false},
      {folder.filePath(QStringLiteral("missing.jpg")), false},
      {folder.path(), false},
      {writeBytes(QStringLiteral("garbage.jpg"), QByteArray("not a picture at all")), false},
      // A placeable metafile header: Qt has no reader for it.
      {writeBytes(QStringLiteral("logo.wmf"), QByteArray("\xD7\xCD\xC6\x9A\x00\x00", 6) + QByteArray(40, '\0')), false},
      {writeBytes(QStringLiteral("empty.png"), QByteArray()), false},
      {writePicture(QStringLiteral("other.ppm"), "PPM", Qt::red), false},  // not one of the four formats
      {writeBytes(QStringLiteral("cut.png"), png.left(30)), false},
      {writeBytes(QStringLiteral("huge.png"), huge), false},
  };
  showWindow();
  for (const auto& [path, shown] : cases) {
    window.clearPicture();
    ASSERT_TRUE(window.showPicture(picture));  // whatever was shown before goes
    EXPECT_EQ(window.showPicture(path), shown) << path.toStdString();
    EXPECT_EQ(window.hasPicture(), shown);
    EXPECT_EQ(window.picturePath(), shown ? path : QString());
    EXPECT_EQ(lblInfo()->isVisible(), !shown) << path.toStdString();
    // The red picture covers the window, or the text on its background shows.
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2 - 30).green() < 60, shown) << path.toStdString();
  }
  window.clearPicture();
  EXPECT_FALSE(window.hasPicture());
  EXPECT_TRUE(lblInfo()->isVisible());
}

TEST_F(CoverWindow, StartsHiddenTopmostAndEmptyAndClosingOnlyHidesIt) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Cover Art"));
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);
  EXPECT_EQ(lblInfo()->text(), QStringLiteral("No Cover Image"));
  const core::TwipsRect bounds = core::OuterBoundsTwips(&window);
  EXPECT_NEAR(bounds.width, 4620, core::TwipsPerPixel);
  EXPECT_NEAR(bounds.height, 5250, core::TwipsPerPixel);

  QSignalSpy hidden(&window, &frmCover::hiddenByUser);
  const QString path = writePicture(QStringLiteral("keep.jpg"), "JPEG", Qt::green);
  ASSERT_TRUE(window.showPicture(path));
  showWindow();
  EXPECT_FALSE(window.close());  // the close request is refused
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(hidden.count(), 1);
  showWindow();
  EXPECT_EQ(window.picturePath(), path);
}

TEST_F(CoverWindow, TheTextStaysCentredAndTheContextMenuOpensOnRightClicksOnly) {
  window.resize(300, 300);
  showWindow();
  EXPECT_EQ(picCover()->geometry(), window.rect());
  EXPECT_EQ(lblInfo()->geometry().center().y(), window.rect().center().y());
  QMenu* menu = window.findChild<QMenu*>(QStringLiteral("mnuPop"));
  ASSERT_EQ(menu, window.mnuPop());
  EXPECT_FALSE(menu->menuAction()->isVisible());  // no menu bar entry
  QStringList entries;
  for (const QAction* action : menu->actions()) entries << action->objectName() + QLatin1Char('=') + action->text();
  EXPECT_EQ(
      entries,
      (QStringList{QStringLiteral("mnuPicLoad=Bild laden..."), QStringLiteral("mnuPicDel=Bild löschen..."),
                   QStringLiteral("mnuExport=Bild exportieren"), QStringLiteral("mnuDirCover=Bild als Ordner-Icon")}));
  QTest::mouseClick(picCover(), Qt::LeftButton, {}, QPoint(150, 150));
  EXPECT_FALSE(menu->isVisible());
  // Over the "No Cover Image" text too: the widget under the pointer is the picture display.
  const QPoint centre = lblInfo()->geometry().center();
  ASSERT_EQ(window.childAt(centre), picCover());
  QTest::mouseClick(picCover(), Qt::RightButton, {}, picCover()->mapFrom(&window, centre));
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
}

}  // namespace
