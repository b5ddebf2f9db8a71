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

#include "core/AppValues.h"
#include "core/toolkit/Window.h"
#include "windows/frmCover.h"

namespace {

using windows::frmCover;

class CoverWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }

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
  QMenu* mnuPop() { return window.findChild<QMenu*>(QStringLiteral("mnuPop")); }
  void showWindow() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QTemporaryDir folder;
  core::AppValues values;
  int yields = 0;
  frmCover window{values, [this] { ++yields; }};
};

TEST_F(CoverWindow, StartsHiddenTopmostAndEmpty) {
  EXPECT_EQ(window.objectName(), QStringLiteral("frmCover"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Cover Art"));
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);
  ASSERT_NE(picCover(), nullptr);
  ASSERT_NE(lblInfo(), nullptr);
  EXPECT_EQ(lblInfo()->text(), QStringLiteral("No Cover Image"));
  EXPECT_FALSE(lblInfo()->isHidden());
  EXPECT_FALSE(window.hasPicture());
}

TEST_F(CoverWindow, FirstOuterSizeIs4620By5250Twips) {
  const core::TwipsRect bounds = core::OuterBoundsTwips(&window);
  EXPECT_NEAR(bounds.width, 4620, core::TwipsPerPixel);
  EXPECT_NEAR(bounds.height, 5250, core::TwipsPerPixel);
}

TEST_F(CoverWindow, ShowsPicturesOfTheDisplayedFormats) {
  const struct {
    const char* name;
    const char* format;
  } cases[] = {{"cover.jpg", "JPEG"}, {"cover.png", "PNG"}, {"cover.bmp", "BMP"}, {"png-named.jpg", "PNG"}};
  showWindow();
  for (const auto& c : cases) {
    const QString path = writePicture(QString::fromLatin1(c.name), c.format, QColor(220, 0, 0));
    EXPECT_TRUE(window.showPicture(path)) << c.name;
    EXPECT_TRUE(window.hasPicture());
    EXPECT_EQ(window.picturePath(), path);
    EXPECT_TRUE(lblInfo()->isHidden());
    const QImage shown = window.grab().toImage();
    const QColor centre = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    EXPECT_GT(centre.red(), 180) << c.name;
    EXPECT_LT(centre.green(), 60) << c.name;
    window.clearPicture();
  }
}

TEST_F(CoverWindow, ShowsNoCoverImageForWhatCannotBeShown) {
  const QString picture = writePicture(QStringLiteral("ok.png"), "PNG", Qt::red);
  const QString garbage = writeBytes(QStringLiteral("garbage.jpg"), QByteArray("not a picture at all", 20));
  // A placeable metafile header: Qt has no reader for it.
  const QString metafile = writeBytes(QStringLiteral("logo.wmf"), QByteArray("\xD7\xCD\xC6\x9A\x00\x00", 6) +
                                                                      QByteArray(40, '\0'));
  const QString empty = writeBytes(QStringLiteral("empty.png"), QByteArray());
  const QString portable = writePicture(QStringLiteral("other.ppm"), "PPM", Qt::red);  // not one of the four
  const QString truncated = writeBytes(QStringLiteral("cut.png"), [&] {
    QFile file(picture);
    file.open(QIODevice::ReadOnly);
    return file.read(30);
  }());
  const QString paths[] = {QString(), folder.filePath(QStringLiteral("missing.jpg")), folder.path(), garbage,
                           metafile, empty, portable, truncated};
  showWindow();
  for (const QString& path : paths) {
    ASSERT_TRUE(window.showPicture(picture));
    EXPECT_FALSE(window.showPicture(path)) << path.toStdString();
    EXPECT_FALSE(window.hasPicture());
    EXPECT_TRUE(window.picturePath().isEmpty());
    EXPECT_TRUE(lblInfo()->isVisible()) << path.toStdString();
  }
}

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
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFFu);
  return bytes;
}

TEST_F(CoverWindow, APictureClaimingHugeDimensionsIsNotShown) {
  // A real PNG whose header is rewritten to claim 60000 x 60000 pixels (14 GB as RGBA).
  const QString real = writePicture(QStringLiteral("small.png"), "PNG", Qt::red);
  QFile file(real);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray png = file.readAll();
  const QByteArray header = QByteArray("IHDR") +
                            BigEndian32(60000) +  // width
                            BigEndian32(60000) +  // height
                            png.mid(24, 5);       // depth, colour type, compression, filter, interlace
  ASSERT_EQ(png.mid(12, 4), QByteArray("IHDR"));
  png.replace(12, 17, header);
  png.replace(29, 4, BigEndian32(Crc32(header)));
  const QString huge = writeBytes(QStringLiteral("huge.png"), png);
  showWindow();
  EXPECT_FALSE(window.showPicture(huge));
  EXPECT_TRUE(lblInfo()->isVisible());
}

TEST_F(CoverWindow, ClearPictureShowsTheTextAgain) {
  showWindow();
  ASSERT_TRUE(window.showPicture(writePicture(QStringLiteral("c.png"), "PNG", Qt::blue)));
  window.clearPicture();
  EXPECT_FALSE(window.hasPicture());
  EXPECT_TRUE(lblInfo()->isVisible());
  const QImage shown = window.grab().toImage();
  EXPECT_NE(shown.pixelColor(5, 5), QColor(Qt::blue));
}

TEST_F(CoverWindow, ClosingOnlyHidesAndKeepsThePicture) {
  QSignalSpy hidden(&window, &frmCover::hiddenByUser);
  const QString path = writePicture(QStringLiteral("keep.jpg"), "JPEG", Qt::green);
  ASSERT_TRUE(window.showPicture(path));
  showWindow();
  EXPECT_FALSE(window.close());  // the close request is refused
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(hidden.count(), 1);
  showWindow();
  EXPECT_TRUE(window.hasPicture());
  EXPECT_EQ(window.picturePath(), path);
}

TEST_F(CoverWindow, ResizeKeepsThePictureOverTheClientAreaAndTheTextCentred) {
  showWindow();
  for (const QSize size : {QSize(400, 300), QSize(150, 420), QSize(321, 99)}) {
    window.resize(size);
    EXPECT_EQ(picCover()->geometry(), QRect(QPoint(0, 0), size));
    EXPECT_EQ(lblInfo()->x(), 0);
    EXPECT_EQ(lblInfo()->width(), size.width());
    EXPECT_EQ(lblInfo()->y(), size.height() / 2 - lblInfo()->height() / 2);
    EXPECT_GT(lblInfo()->height(), 0);
  }
}

TEST_F(CoverWindow, ContextMenuHasTheFourEntriesAndNoMenuBarEntry) {
  QMenu* menu = mnuPop();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu, window.mnuPop());
  EXPECT_EQ(menu->title(), QStringLiteral("Options"));
  EXPECT_FALSE(menu->menuAction()->isVisible());
  const QList<QAction*> entries = menu->actions();
  const char* names[] = {"mnuPicLoad", "mnuPicDel", "mnuExport", "mnuDirCover"};
  const QString captions[] = {QStringLiteral("Bild laden..."), QStringLiteral("Bild löschen..."),
                              QStringLiteral("Bild exportieren"), QStringLiteral("Bild als Ordner-Icon")};
  ASSERT_EQ(entries.size(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(entries[i]->objectName(), QString::fromLatin1(names[i]));
    EXPECT_EQ(entries[i]->text(), captions[i]);
  }
}

TEST_F(CoverWindow, RightClickOpensTheContextMenuAndLeftClickDoesNothing) {
  window.resize(300, 300);
  showWindow();
  QTest::mouseClick(picCover(), Qt::LeftButton, {}, QPoint(150, 150));
  EXPECT_FALSE(mnuPop()->isVisible());
  // Over the "No Cover Image" text too: the widget under the pointer is the picture display.
  const QPoint centre = lblInfo()->geometry().center();
  QWidget* under = window.childAt(centre);
  ASSERT_EQ(under, picCover());
  QTest::mouseClick(under, Qt::RightButton, {}, under->mapFrom(&window, centre));
  EXPECT_TRUE(mnuPop()->isVisible());
  mnuPop()->hide();
}

}  // namespace
