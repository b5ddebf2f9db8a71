// The cover window's picture commands and the picture selection dialog, driven through
// their real widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "core/AppValues.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "windows/frmCover.h"
#include "windows/frmPicSelect.h"

namespace {

using Names = std::vector<std::string>;

class PictureCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    values.AppPath = temp.path() + "/";
    values.CoverDir = values.AppPath + "Cover Art/";
    pictures = values.AppPath + "pics/";
    ::mkdir(pictures.c_str(), 0755);
    cover.setSelectedType([this]() -> std::optional<int> { return type; });
  }
  std::string picture(const std::string& name, const char* format, Qt::GlobalColor colour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(QString::fromStdString(pictures + name), format));
    return pictures + name;
  }
  // Runs a cover command that opens the dialog; `inDialog` acts on it once it is up.
  void withDialog(const char* command, const std::function<void(windows::frmPicSelect&)>& inDialog) {
    QTimer poll;  // looks for the dialog until it is up
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<windows::frmPicSelect*>(top);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        poll.stop();
        inDialog(*dialog);
        dialog->close();  // a test that left it open must not wait forever
        return;
      }
    });
    poll.start(10);
    cover.findChild<QAction*>(QString::fromLatin1(command))->trigger();
  }
  static Names listed(windows::frmPicSelect& dialog, const char* list) {
    Names names;
    auto* box = dialog.findChild<QListWidget*>(QString::fromLatin1(list));
    for (int i = 0; i < box->count(); ++i) names.push_back(box->item(i)->text().toStdString());
    return names;
  }
  static void pick(windows::frmPicSelect& dialog, const std::string& name, const char* button) {
    auto* files = dialog.findChild<QListWidget*>(QStringLiteral("File1"));
    const auto found = files->findItems(QString::fromStdString(name), Qt::MatchExactly);
    if (!found.isEmpty()) files->setCurrentItem(found.first());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  }
  core::PictureRecord record(int picType, const std::string& file) {
    core::PictureRecord r;
    r.PicType = picType, r.FileName = file;
    return r;
  }

  support::TempDir temp;
  core::AppValues values;
  std::string pictures;
  std::optional<int> type = 3;
  windows::frmCover cover{values, {}};
};

TEST_F(PictureCommands, LoadListsPicturesCopiesTheChoiceAndFillsThePictureList) {
  const std::string red = picture("red.JPG", "JPEG", Qt::red);
  picture("blue.png", "PNG", Qt::blue);
  support::WriteFileBytes(pictures + "notes.txt", "x");
  values.PictureList.push_back(record(4, "back.jpg"));
  values.CoverDir = pictures;  // the dialog starts in CoverDir when it exists
  Names seen;
  withDialog("mnuPicLoad", [&](windows::frmPicSelect& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bild / Cover Art auswählen"));
    seen = listed(dialog, "File1");
    pick(dialog, "", "Command1");  // nothing chosen: the dialog stays open
    EXPECT_TRUE(dialog.isVisible());
    pick(dialog, "red.JPG", "Command1");
  });
  EXPECT_EQ(seen, (Names{"blue.png", "red.JPG"}));
  EXPECT_EQ(values.PicSelectState, 2);
  EXPECT_EQ(values.ChosenPicture, red);
  EXPECT_TRUE(cover.hasPicture());
  ASSERT_EQ(values.PictureList.size(), 3u);  // no record of type 3 yet: one added
  EXPECT_EQ(values.PictureList[2].FileName, red);
  EXPECT_EQ(values.PictureList[2].PicType, 3);

  // The second time it starts beside the picture chosen before, with it selected; the
  // accepted picture is copied into CoverDir, and a copy already there stays.
  values.CoverDir = values.AppPath + "Cover Art/";
  const std::string blue = pictures + "blue.png";
  withDialog("mnuPicLoad", [&](windows::frmPicSelect& dialog) {
    EXPECT_EQ(dialog.folder(), values.AppPath);  // CoverDir is not there yet
    dialog.setFolder(pictures);
    pick(dialog, "blue.png", "Command1");
  });
  support::WriteFileBytes(values.CoverDir + "red.JPG", "older copy");
  values.ChosenPicture = red;
  windows::frmPicSelect again(values, {});
  EXPECT_EQ(again.folder(), pictures);
  EXPECT_EQ(again.findChild<QListWidget*>(QStringLiteral("File1"))->currentItem()->text(), QStringLiteral("red.JPG"));
  again.show();
  pick(again, "red.JPG", "Command1");
  EXPECT_EQ(support::FolderEntries(values.CoverDir), (Names{"blue.png", "red.JPG"}));
  EXPECT_EQ(support::ReadFileBytes(values.CoverDir + "red.JPG"), "older copy");
  EXPECT_EQ(values.PictureList[2].FileName, blue);  // the first record of the type replaced
  EXPECT_EQ(values.PictureList.size(), 3u);

  values.PicSelectState = 0;
  withDialog("mnuPicLoad", [&](windows::frmPicSelect& dialog) { pick(dialog, "red.JPG", "Command2"); });
  EXPECT_EQ(values.PicSelectState, 0);
  EXPECT_EQ(values.PictureList[2].FileName, blue);
  withDialog("mnuPicLoad", [&](windows::frmPicSelect& dialog) { dialog.close(); });  // the close box cancels
  EXPECT_EQ(values.PicSelectState, 0);
}

TEST_F(PictureCommands, DeleteEmptiesOnlyTheFirstRecordOfTheType) {
  const std::string temporary = picture("extracted.png", "PNG", Qt::green);
  values.PictureList.push_back(record(4, "back.jpg"));
  values.PictureList.push_back(record(3, temporary));
  values.PictureList.back().Temporary = true;
  values.PictureList.push_back(record(3, "second.jpg"));
  cover.showPicture(QString::fromStdString(temporary));
  type.reset();  // no type chosen: nothing happens
  cover.findChild<QAction*>(QStringLiteral("mnuPicDel"))->trigger();
  EXPECT_EQ(values.PictureList[2].FileName, temporary);
  type = 3;
  cover.findChild<QAction*>(QStringLiteral("mnuPicDel"))->trigger();
  EXPECT_EQ(values.PictureList[1].FileName, "back.jpg");
  EXPECT_EQ(values.PictureList[2].FileName, "");
  EXPECT_EQ(values.PictureList[3].FileName, "second.jpg");
  EXPECT_FALSE(cover.hasPicture());
  EXPECT_FALSE(support::FileExists(temporary));  // the extracted copy went with its record
}

// The export is named after the picture's format and never replaces a file.
TEST_F(PictureCommands, ExportNamesThePictureAfterItsFormat) {
  const std::string song = values.AppPath + "song.mp3";
  support::WriteFileBytes(song, formats::SilentMpegFrames(4));
  const std::string jpeg = picture("front.jpg", "JPEG", Qt::red), png = picture("back.png", "PNG", Qt::blue);
  formats::clsID3V230Writer writer;
  writer.setGraphic(jpeg + "|" + png);
  writer.setGraphicType("3|4");
  writer.setGraphicTitle("|");
  ASSERT_TRUE(writer.WriteID3V230Tag(song));
  formats::clsID3V230Reader reader;
  reader.ReadID3V230Tag(song);
  const auto split = [](const std::string& text) {
    const auto bar = text.find('|');
    return std::make_pair(std::stoll(text.substr(0, bar)), std::stoll(text.substr(bar + 1)));
  };
  const auto [start3, start4] = split(reader.GraphicStartPos());
  const auto [size3, size4] = split(reader.GraphicSize());
  values.CurrentFile = song;
  values.PictureList.push_back({jpeg, 3, "", start3, size3, false});
  values.PictureList.push_back({png, 4, "", start4, size4, false});
  cover.showPicture(QString::fromStdString(jpeg));
  const struct {
    int type;
    Names expected;
  } cases[] = {{3, {"song.jpg"}}, {4, {"song.jpg", "song.png"}}, {4, {"song.jpg", "song.png"}}};
  for (const auto& c : cases) {
    type = c.type;
    cover.findChild<QAction*>(QStringLiteral("mnuExport"))->trigger();
    EXPECT_EQ(support::FolderEntries(values.CoverDir), c.expected) << c.type;
  }
  EXPECT_EQ(support::ReadFileBytes(values.CoverDir + "song.jpg"), support::ReadFileBytes(jpeg));
  EXPECT_EQ(support::ReadFileBytes(values.CoverDir + "song.png"), support::ReadFileBytes(png));
}

}  // namespace
