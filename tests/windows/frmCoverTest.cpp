// The cover window: showing pictures, its menu, and its picture commands with the picture
// selection dialog, driven through their real widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <sys/stat.h>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Window.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "tagging/ShownFile.h"
#include "windows/frmCover.h"
#include "windows/frmPicSelect.h"

namespace {

using Names = std::vector<std::string>;
using Records = std::vector<std::pair<int, std::string>>;  // type and file name, from element 1
using windows::frmPicSelect;

class CoverWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    values.AppPath = temp.folder();
    values.CoverDir = values.AppPath + "Cover Art/";
    ::mkdir(pictures.c_str(), 0755);
    cover.setSelectedType([this]() -> std::optional<int> { return type; });
    cover.setShownFile(&shown);
  }
  // A 60 x 40 picture in one colour, written by Qt in the given format.
  std::string picture(const std::string& name, const char* format, Qt::GlobalColor colour) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(QString::fromStdString(pictures + name), format));
    return pictures + name;
  }
  QWidget* picCover() { return cover.findChild<QWidget*>(QStringLiteral("picCover")); }
  QLabel* lblInfo() { return cover.findChild<QLabel*>(QStringLiteral("lblInfo")); }
  void showWindow() {
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
  }
  void command(const char* name) { cover.findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
  // Runs the load command; `inDialog` acts on the dialog once it is up (by default: picks
  // chosen.png from the pictures' folder).
  void load(const std::function<void(frmPicSelect&)>& inDialog = {}) {
    QTimer poll;  // looks for the dialog until it is up
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<frmPicSelect*>(top);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        poll.stop();
        if (!inDialog) dialog->setFolder(pictures);
        inDialog ? inDialog(*dialog) : pick(*dialog, "chosen.png", "Command1");
        dialog->close();  // a test that left it open must not wait forever
        return;
      }
    });
    poll.start(10);
    command("mnuPicLoad");
  }
  static QListWidget* files(frmPicSelect& dialog) { return dialog.findChild<QListWidget*>(QStringLiteral("File1")); }
  static void pick(frmPicSelect& dialog, const std::string& name, const char* button) {
    const auto found = files(dialog)->findItems(QString::fromStdString(name), Qt::MatchExactly);
    if (!found.isEmpty()) files(dialog)->setCurrentItem(found.first());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  }

  support::TempDir temp;
  core::AppValues values;
  tagging::ShownFile shown;
  const std::string pictures = temp / "pics/";
  std::optional<int> type = 3;
  int yields = 0;
  core::ScriptedDialogService dialogs;
  windows::frmCover cover{values, dialogs, [this] { ++yields; }};
};

// The window starts hidden and topmost; it shows real pictures and "No Cover Image" for
// what it cannot show, opens its menu on right clicks, and closing it only hides it.
TEST_F(CoverWindow, ShowsRealPicturesOrNoCoverImageOpensItsMenuOnRightClicksAndClosingOnlyHidesIt) {
  EXPECT_TRUE(cover.windowTitle() == "Cover Art" && !cover.isVisible());
  EXPECT_TRUE((cover.windowFlags() & Qt::WindowStaysOnTopHint) && yields > 0);
  EXPECT_NEAR(core::OuterBoundsTwips(&cover).width, 4620, core::TwipsPerPixel);
  const QString first = QString::fromStdString(picture("ok.png", "PNG", Qt::blue));
  const std::string huge = picture("huge.bmp", "BMP", Qt::red);  // claiming 16000 x 16000 pixels (1 GB as RGB32)
  ASSERT_TRUE(support::WriteFileBytes(huge, support::ReadFileBytes(huge).replace(18, 8, "\x80\x3E\0\0\x80\x3E\0\0", 8)));
  ASSERT_EQ(QImageReader(QString::fromStdString(huge)).size(), QSize(16000, 16000));  // a BMP that only its size spoils
  ASSERT_TRUE(support::WriteFileBytes(pictures + "garbage.jpg", "not a picture at all"));
  const std::pair<std::string, bool> cases[] = {
      {picture("cover.jpg", "JPEG", Qt::red), true},
      {picture("png-named.jpg", "PNG", Qt::red), true},  // read by its content
      {pictures + "missing.jpg", false}, {pictures + "garbage.jpg", false}, {huge, false},
  };
  showWindow();
  for (const auto& [file, shown] : cases) {
    const QString path = QString::fromStdString(file);
    ASSERT_TRUE(cover.showPicture(first));  // whatever was shown before goes
    EXPECT_EQ(cover.showPicture(path), shown) << file;
    EXPECT_TRUE(cover.picturePath() == (shown ? path : QString()) && lblInfo()->isVisible() == !shown) << file;
    // The red picture covers the window, or the text on its background shows.
    const QImage image = cover.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2 - 30).green() < 60, shown) << file;
  }
  cover.clearPicture();  // the text shows; clicks go through it to the picture display
  EXPECT_TRUE(!cover.hasPicture() && lblInfo()->isVisible() && lblInfo()->text() == QStringLiteral("No Cover Image"));
  EXPECT_EQ(picCover()->geometry(), cover.rect());  // the picture display fills the window
  QTest::mouseClick(picCover(), Qt::LeftButton, {}, picCover()->rect().center());
  EXPECT_FALSE(cover.mnuPop()->isVisible());
  const QPoint centre = lblInfo()->geometry().center();
  ASSERT_EQ(cover.childAt(centre), picCover());
  QTest::mouseClick(picCover(), Qt::RightButton, {}, picCover()->mapFrom(&cover, centre));
  EXPECT_TRUE(cover.mnuPop()->isVisible() && cover.mnuPop()->actions().size() == 4);
  cover.mnuPop()->hide();
  ASSERT_TRUE(cover.showPicture(first));
  QSignalSpy hidden(&cover, &windows::frmCover::hiddenByUser);
  EXPECT_FALSE(cover.close());  // the close request is refused
  EXPECT_TRUE(!cover.isVisible() && hidden.count() == 1);
  showWindow();
  EXPECT_EQ(cover.picturePath(), first);
}

TEST_F(CoverWindow, TheDialogListsPicturesAndCopiesTheChoiceIntoCoverDir) {
  const std::string red = picture("red.JPG", "JPEG", Qt::red);
  picture("chosen.png", "PNG", Qt::blue);
  support::WriteFileBytes(pictures + "notes.txt", "x");
  values.CoverDir = pictures;  // the dialog starts in CoverDir when it exists
  load([&](frmPicSelect& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bild / Cover Art auswählen"));
    Names seen;
    for (int i = 0; i < files(dialog)->count(); ++i) seen.push_back(files(dialog)->item(i)->text().toStdString());
    EXPECT_EQ(seen, (Names{"chosen.png", "red.JPG"}));
    pick(dialog, "", "Command1");  // nothing chosen: the dialog stays open
    EXPECT_TRUE(dialog.isVisible());
    pick(dialog, "red.JPG", "Command1");
  });
  EXPECT_TRUE(values.PicSelectState == 2 && values.ChosenPicture == red && cover.picturePath().toStdString() == red);
  // The next time it starts in AppPath (CoverDir is not there yet); the accepted picture is
  // copied into CoverDir, where a copy already there stays.
  values.CoverDir = values.AppPath + "Cover Art/";
  load([&](frmPicSelect& dialog) {
    EXPECT_EQ(dialog.folder(), values.AppPath);
    dialog.setFolder(pictures);
    pick(dialog, "chosen.png", "Command1");
  });
  support::WriteFileBytes(values.CoverDir + "red.JPG", "older copy");
  values.ChosenPicture = red;
  frmPicSelect again(values, {});  // starts beside the picture chosen before, with it selected
  EXPECT_TRUE(again.folder() == pictures && files(again)->currentItem()->text() == QStringLiteral("red.JPG"));
  again.show();
  pick(again, "red.JPG", "Command1");
  values.ChosenPicture = pictures + "notes.txt";  // a file the list does not hold: nothing selected
  frmPicSelect unlisted(values, {});
  EXPECT_EQ(files(unlisted)->currentItem(), nullptr);
  EXPECT_EQ(support::FolderEntries(values.CoverDir), (Names{"chosen.png", "red.JPG"}));
  EXPECT_EQ(support::ReadFileBytes(values.CoverDir + "red.JPG"), "older copy");
  values.PicSelectState = 0;
  load([&](frmPicSelect& dialog) { pick(dialog, "red.JPG", "Command2"); });
  EXPECT_EQ(values.PicSelectState, 0);
  load([&](frmPicSelect& dialog) { dialog.close(); });  // the close box cancels
  EXPECT_EQ(values.PicSelectState, 0);
  EXPECT_EQ(shown.PictureList().size(), 2u);  // the first load added a record, the second replaced it
  EXPECT_EQ(shown.PictureList()[1].FileName, pictures + "chosen.png");
}

// Load and delete work on the first record of the chosen type only. A file with four front
// covers was on show before each row: its records are gone, and a lookup that ran past the
// end of the list would meet them.
TEST_F(CoverWindow, LoadAndDeleteChangeTheFirstRecordOfTheChosenType) {
  picture("chosen.png", "PNG", Qt::red);
  const Records three{{4, "back"}, {3, "extracted.png"}, {3, "second"}};  // the extracted picture is temporary
  const struct {
    const char* name;
    bool load;
    std::optional<int> type;
    Records before, after;
    bool shown, extractedKept;
  } rows[] = {
      {"load, none of the type: one added", true, 3, {{4, "back"}}, {{4, "back"}, {3, "chosen.png"}}, true, true},
      {"load replaces the first", true, 3, three, {{4, "back"}, {3, "chosen.png"}, {3, "second"}}, true, false},
      {"load without a type", true, std::nullopt, three, three, true, true},
      {"delete empties the first", false, 3, three, {{4, "back"}, {3, ""}, {3, "second"}}, false, false},
      {"delete, none of the type", false, 3, {{4, "back"}}, {{4, "back"}}, false, true},
      {"delete without a type", false, std::nullopt, three, three, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    shown.PictureList().assign(5, core::PictureRecord{"", 3, "", 0, 0, false});
    core::DeleteTemporaryPictures(shown.PictureList());
    const std::string extracted = picture("extracted.png", "PNG", Qt::green);
    for (const auto& [picType, name] : row.before)
      shown.PictureList().push_back({pictures + name, picType, "", 40, 7, name == "extracted.png"});
    cover.showPicture(QString::fromStdString(extracted));
    type = row.type;
    row.load ? load() : command("mnuPicDel");
    Records after;
    for (std::size_t i = 1; i < shown.PictureList().size(); ++i) {
      const core::PictureRecord& record = shown.PictureList()[i];
      after.emplace_back(record.PicType, record.FileName.substr(std::min(pictures.size(), record.FileName.size())));
      // A deleted picture's record names no frame any more, which a save would keep.
      if (!row.load) {
        EXPECT_EQ(record.StartPos + record.Size, record.FileName.empty() ? 0 : 47) << i;
      }
    }
    EXPECT_EQ(after, row.after);
    EXPECT_EQ(cover.hasPicture(), row.shown);
    EXPECT_EQ(support::FileExists(extracted), row.extractedKept);  // it goes with its record
  }
}

// The export writes what the window shows, named after the picture's format, and never
// replaces a file: a picture of the file as the file holds it at the time of the export
// (another program may have changed it since it was shown), a picture the user loaded (in
// place of one of the file, or added) as its own file's bytes.
TEST_F(CoverWindow, ExportWritesThePictureShownAsItsSourceHoldsItNow) {
  const std::string song = values.AppPath + "song.mp3";
  const std::string jpeg = picture("front.jpg", "JPEG", Qt::red), png = picture("back.png", "PNG", Qt::blue);
  const std::string chosen = picture("chosen.png", "PNG", Qt::green), older = pictures + "older.bin";
  support::WriteFileBytes(older, "an export made before");
  const auto tag = [&](const std::string& files, const std::string& types) {  // another program writes the pictures
    formats::clsID3V230Writer writer;
    writer.setGraphic(files), writer.setGraphicType(types), writer.setGraphicTitle(types.size() > 1 ? "|" : "");
    ASSERT_TRUE(writer.WriteID3V230Tag(song));
  };
  support::WriteFileBytes(song, formats::SilentMpegFrames(4));
  tag(jpeg + "|" + png, "3|4");
  shown.read(song, {}, {});
  ASSERT_EQ(shown.PictureList().size(), 3u);
  showWindow();
  cover.showPicture(QString::fromStdString(jpeg));
  const struct {
    const char* name;
    std::function<void()> before;
    int type;
    std::string exported, sameAs;  // the export's name, and the file whose bytes it holds
    bool message = false;
  } rows[] = {
      {"the file's front cover", {}, 3, "song.jpg", jpeg},
      {"the file's back cover", {}, 4, "song.png", png},
      {"an earlier export stays", [&] { support::WriteFileBytes(values.CoverDir + "song.jpg", "an export made before"); }, 3, "song.jpg", older},
      {"changed by another program", [&] { tag(png + "|" + jpeg, "3|4"); }, 3, "song.png", png},
      {"loaded in place of the file's", [&] { type = 3, load(); }, 3, "song.png", chosen},
      {"loaded as a new picture", [&] { type = 5, load(); }, 5, "song.png", chosen},
      {"a frame the file lost", [&] { tag(png, "3"); }, 4, "", "", true},
      {"no picture shown", [&] { cover.clearPicture(); }, 3, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    for (const char* name : {"song.jpg", "song.png", "chosen.png"}) std::remove((values.CoverDir + name).c_str());
    if (row.before) row.before();
    std::remove((values.CoverDir + "chosen.png").c_str());  // the dialog's copy
    const std::size_t messages = dialogs.shown.size();
    cover.activateWindow();  // the dialog of a load was in front
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cover));
    type = row.type;
    command("mnuExport");
    EXPECT_EQ(support::FolderEntries(values.CoverDir), row.exported.empty() ? Names{} : Names{row.exported});
    if (!row.exported.empty()) {
      EXPECT_EQ(support::ReadFileBytes(values.CoverDir + row.exported), support::ReadFileBytes(row.sameAs));
    }
    ASSERT_EQ(dialogs.shown.size(), messages + row.message);  // never nothing without a word, in front of the window
    if (row.message) {
      EXPECT_TRUE(dialogs.shown.back().text == "Das Bild ist nicht mehr vorhanden." && dialogs.shown.back().owner == &cover);
    }
  }
}

}  // namespace
