// Folder changes, the drive selector, the file list, clicks, keys and drops on it, playback
// and the context menu.
#include <cstdio>

#include "TaggerFixture.h"
#include "mainwindow/DriveBox.h"

namespace tagger_test {
namespace {

TEST_F(TaggerTest, FolderChangeListsEveryMp3InTheSharedSortOrder) {
  const std::string album = folder("Album");
  for (const char* name : {"song.mp3", "SONG.MP3", "b.mp3", "a.Mp3", "notes.txt", "mp3"}) mp3(album, name);
  folder("Album/sub.mp3");  // a folder is no file
  open(album);

  const Names expected = {"a.Mp3", "b.mp3", "SONG.MP3", "song.mp3"};
  EXPECT_EQ(listed(files()), expected);
  EXPECT_EQ(listed(find<QListWidget>("lstSortFiles")), expected);
  EXPECT_EQ(values.FileCount, 4);
  EXPECT_EQ(window->windowTitle(), Q("Quillmere Tonewright  -  " + album));
  for (const char* name : {"mnuSaveList", "mnuCollect", "mnuDel", "mnuPlay", "mnuStop"})
    EXPECT_EQ(item(name)->isEnabled(), std::string(name) == "mnuSaveList" || std::string(name) == "mnuCollect") << name;
  EXPECT_FALSE(window->SetFolder(temp.file("Gone/"), true));
  EXPECT_EQ(values.CurrentDir, album);

  click(0);
  const std::string empty = folder("Empty");
  mp3(empty, "not-audio.wav");
  open(empty);
  EXPECT_EQ(files()->count(), 0);
  for (const char* name : {"mnuSaveList", "mnuCollect", "mnuDel", "mnuPlay", "mnuStop"}) EXPECT_FALSE(item(name)->isEnabled()) << name;
  find<QPushButton>("cmdSaveTag")->setText(U("before"));
  QTest::keyClick(files(), Qt::Key_A, Qt::ControlModifier);  // Ctrl+A on the empty list changes nothing
  EXPECT_EQ(caption("cmdSaveTag"), U("before"));
  EXPECT_EQ(window->ListClickSuppressed(), 0);
}

TEST_F(TaggerTest, SelectAllAndClicksOnAVanishedFileOneFileAndTwoFiles) {
  const std::string album = folder("Album");
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) mp3(album, name);
  const std::string gone = mp3(album, "gone.mp3");
  open(album);
  QTest::keyClick(files(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(selected(), (Names{"a.mp3", "b.mp3", "c.mp3", "gone.mp3"}));
  EXPECT_EQ(caption("cmdSaveTag"), U("TAGs bearbeiten"));
  EXPECT_TRUE(media.commands.isEmpty() && values.CurrentFile.empty());  // no file click ran
  EXPECT_EQ(window->ListClickSuppressed(), 0);
  std::remove(gone.c_str());
  click(3);
  EXPECT_EQ(values.CurrentFile, gone);
  for (const char* name : {"mnuDel", "mnuPlay", "mnuStop"}) EXPECT_FALSE(item(name)->isEnabled()) << name;

  media.commands.clear();
  click(1);
  EXPECT_EQ(values.CurrentFile, album + "b.mp3");
  EXPECT_EQ(media.commands, StopCommands());
  for (const char* name : {"mnuDel", "mnuPlay", "mnuStop", "mnuRename"}) EXPECT_TRUE(item(name)->isEnabled()) << name;
  EXPECT_EQ(caption("cmdRemoveTags") + " / " + caption("cmdSaveTag"), U("TAG entfernen / TAG speichern"));
  click(0, Qt::ControlModifier);
  EXPECT_EQ(selected(), (Names{"a.mp3", "b.mp3"}));
  EXPECT_FALSE(item("mnuRename")->isEnabled());
  EXPECT_EQ(caption("cmdRemoveTags"), U("TAGs entfernen"));
  click(1);
  QTest::keyClick(files(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(selected(), (Names{"b.mp3", "c.mp3"}));
  EXPECT_EQ(values.CurrentFile, album + "c.mp3");
  EXPECT_FALSE(item("mnuRename")->isEnabled());
}

TEST_F(TaggerTest, NonAsciiNamesAreListedClickedAndPlayedUnchanged) {
  const std::string album = folder("M\xC3\xBCsik \xE2\x80\x93 Caf\xC3\xA9");
  const std::string name = "\xC3\x84pfel & Birnen \xC3\xB8.mp3";
  const std::string path = mp3(album, name);
  open(album);
  ASSERT_EQ(listed(files()), Names{name});
  EXPECT_EQ(files()->item(0)->text(), Q(name));
  doubleClick(0);
  EXPECT_EQ(values.CurrentFile, path);
  EXPECT_EQ(media.commands, StopCommands() + PlayCommands(path));
}

TEST_F(TaggerTest, PlaybackCommandsAndTheContextMenu) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  const std::string b = mp3(album, "b.mp3");
  open(album);
  doubleClick(1);
  item("mnuPlay")->trigger();
  item("mnuStop")->trigger();
  auto* tree = find<QTreeWidget>("dirListe");
  QTest::mousePress(tree->viewport(), Qt::MiddleButton, {}, QPoint(3, 3));
  EXPECT_EQ(media.commands, StopCommands() + PlayCommands(b) + PlayCommands(b) + StopCommands() + StopCommands());

  auto* menu = find<QMenu>("mnuPop");
  QTest::mousePress(files()->viewport(), Qt::RightButton, {}, centreOf(0));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(selected(), Names{"b.mp3"});
  menu->hide();
  QStringList names;
  for (QAction* entry : menu->actions()) names << (entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
  EXPECT_EQ(names.join(' '), QStringLiteral("mnuSaveList mnuCollect - mnuDel mnuRename mnuUndo - mnuPlay mnuStop - "
                                            "mnuLanguage(0) mnuLanguage(1) - mnuInfo"));
  item("mnuInfo")->trigger();  // the program's name, a blank line, the German and the English text
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Information);
  EXPECT_EQ(dialogs.shown[0].text.split(QStringLiteral("\r\n")).size(), 4);
}

// Back to a volume's last folder, and a volume that is gone.
TEST_F(TaggerTest, DriveChangeReturnsToTheVolumesLastFolderAndSurvivesAGoneVolume) {
  auto* drives = find<mainwindow::DriveBox>("drvDrives");
  const std::string volume = temp.path() + "/Volume";  // stands in for a second volume
  const std::string gone = temp.path() + "/Gone";
  drives->fill({"/", volume, gone});
  folder("Volume");
  const std::string album = folder("Volume/Album");
  mp3(album, "a.mp3");
  open(album);
  EXPECT_EQ(drives->drive(), volume);

  // The window started in the program's folder, on the volume "/".
  drives->setCurrentIndex(drives->findText(QStringLiteral("/")));
  EXPECT_EQ(values.CurrentDir, values.AppPath);
  EXPECT_EQ(files()->count(), 0);

  drives->setCurrentIndex(drives->findText(Q(volume)));
  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(files()->count(), 1);

  drives->setCurrentIndex(drives->findText(Q(gone)));
  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(drives->drive(), volume);  // back on the volume of the folder on show
  EXPECT_EQ(files()->count(), 1);
}

// Drops behave the same on both lists.
class DropTest : public TaggerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DropTest, FilesAndFoldersDroppedOpenTheirFolder) {
  const std::string music = folder("Music");
  for (const char* name : {"Album.mp3", "a.mp3", "b.mp3", "c.mp3", "c.MP3"}) mp3(music, name);
  const std::string album = folder("Music/Album");
  QWidget* target = find<QWidget>(GetParam());

  drop(target, {album.substr(0, album.size() - 1)});  // a folder: the one above, nothing selected
  EXPECT_EQ(values.CurrentDir, music);
  EXPECT_EQ(files()->count(), 5);
  EXPECT_TRUE(selected().empty());
  drop(target, {music + "c.mp3", music + "a.mp3", music + "b.mp3"});
  EXPECT_EQ(selected(), Names{"b.mp3"});
  open(album);
  drop(target, {music + "c.MP3"});
  EXPECT_EQ(values.CurrentDir, music);
  EXPECT_EQ(selected(), Names{"c.MP3"});  // letter case counts
  EXPECT_EQ(values.CurrentFile, music + "c.MP3");
}

INSTANTIATE_TEST_SUITE_P(BothLists, DropTest, ::testing::Values("lstFiles", "dirListe"));

}  // namespace
}  // namespace tagger_test
