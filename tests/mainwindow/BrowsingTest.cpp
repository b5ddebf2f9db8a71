// Folder changes, the file list, clicks and keys on it, as a user does them.
#include <QTreeWidget>
#include <cstdio>

#include "TaggerFixture.h"

namespace tagger_test {
namespace {

using Names = std::vector<std::string>;

TEST_F(TaggerTest, FolderChangeListsEveryMp3InTheSharedSortOrder) {
  const std::string album = folder("Album");
  for (const char* name : {"song.mp3", "SONG.MP3", "b.mp3", "a.Mp3", "notes.txt", "mp3"}) mp3(album, name);
  folder("Album/sub.mp3");  // a folder is no file
  open(album);

  const Names expected = {"a.Mp3", "b.mp3", "SONG.MP3", "song.mp3"};
  EXPECT_EQ(listed(files()), expected);
  EXPECT_EQ(listed(find<QListWidget>("lstSortFiles")), expected);
  EXPECT_EQ(values.FileCount, 4);
  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(values.CurrentDirName, "Album");
  EXPECT_EQ(window->windowTitle(), Q("Quillmere Tonewright  -  " + album));
  EXPECT_TRUE(item("mnuSaveList")->isEnabled());
  EXPECT_TRUE(item("mnuCollect")->isEnabled());
  for (const char* name : {"mnuDel", "mnuPlay", "mnuStop"}) EXPECT_FALSE(item(name)->isEnabled()) << name;
}

TEST_F(TaggerTest, FolderWithoutMp3sDisablesFolderAndFileMenus) {
  const std::string full = folder("Full");
  mp3(full, "one.mp3");
  open(full);
  click(0);
  const std::string empty = folder("Empty");
  mp3(empty, "not-audio.wav");
  open(empty);

  EXPECT_EQ(files()->count(), 0);
  EXPECT_EQ(find<QListWidget>("lstSortFiles")->count(), 0);
  EXPECT_EQ(values.FileCount, 0);
  for (const char* name : {"mnuSaveList", "mnuCollect", "mnuDel", "mnuPlay", "mnuStop"}) {
    EXPECT_FALSE(item(name)->isEnabled()) << name;
  }
}

TEST_F(TaggerTest, RootFolderIsNamedBySlash) {
  open("/");
  EXPECT_EQ(values.CurrentDir, "/");
  EXPECT_EQ(values.CurrentDirName, "/");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmere Tonewright  -  /"));
}

TEST_F(TaggerTest, FolderThatIsGoneChangesNothing) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  open(album);
  EXPECT_FALSE(window->SetFolder(temp.path() + "/Gone/", true));
  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(files()->count(), 1);
}

TEST_F(TaggerTest, ClickOnOneFileMakesItCurrentAndEnablesFileMenus) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  mp3(album, "b.mp3");
  open(album);
  click(1);

  EXPECT_EQ(values.CurrentFile, album + "b.mp3");
  EXPECT_EQ(media.commands, StopCommands());
  for (const char* name : {"mnuDel", "mnuPlay", "mnuStop", "mnuRename"}) EXPECT_TRUE(item(name)->isEnabled()) << name;
  EXPECT_EQ(find<QPushButton>("cmdSaveTag")->text(), QStringLiteral("TAG speichern"));
  EXPECT_EQ(find<QPushButton>("cmdRemoveTags")->text(), QStringLiteral("TAG entfernen"));
}

TEST_F(TaggerTest, TwoSelectedFilesDisableRenameByMouseOrKeyboard) {
  const std::string album = folder("Album");
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) mp3(album, name);
  open(album);

  click(0);
  click(2, Qt::ControlModifier);
  EXPECT_EQ(selected(), (Names{"a.mp3", "c.mp3"}));
  EXPECT_FALSE(item("mnuRename")->isEnabled());
  EXPECT_EQ(find<QPushButton>("cmdSaveTag")->text(), QStringLiteral("TAGs bearbeiten"));
  EXPECT_EQ(find<QPushButton>("cmdRemoveTags")->text(), QStringLiteral("TAGs entfernen"));

  click(1);
  EXPECT_TRUE(item("mnuRename")->isEnabled());
  QTest::keyClick(files(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(selected(), (Names{"b.mp3", "c.mp3"}));
  EXPECT_EQ(values.CurrentFile, album + "c.mp3");
  EXPECT_FALSE(item("mnuRename")->isEnabled());
}

TEST_F(TaggerTest, ClickOnVanishedFileLeavesMenusAsTheyWere) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  const std::string gone = mp3(album, "gone.mp3");
  open(album);
  std::remove(gone.c_str());
  click(1);

  EXPECT_EQ(values.CurrentFile, gone);
  for (const char* name : {"mnuDel", "mnuPlay", "mnuStop"}) EXPECT_FALSE(item(name)->isEnabled()) << name;
  EXPECT_EQ(find<QPushButton>("cmdSaveTag")->text(), QStringLiteral("TAG speichern"));
}

TEST_F(TaggerTest, SelectAllOnEmptyListChangesNothingAndLaterClicksWork) {
  open(folder("Empty"));
  QTest::keyClick(files(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window->ListClickSuppressed(), 0);
  EXPECT_EQ(find<QPushButton>("cmdSaveTag")->text(), QStringLiteral("TAG speichern"));

  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  open(album);
  click(0);
  EXPECT_EQ(values.CurrentFile, album + "a.mp3");
  EXPECT_TRUE(item("mnuPlay")->isEnabled());
}

TEST_F(TaggerTest, SelectAllOnFullListSelectsEveryEntryWithoutAClick) {
  const std::string album = folder("Album");
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) mp3(album, name);
  open(album);
  QTest::keyClick(files(), Qt::Key_A, Qt::ControlModifier);

  EXPECT_EQ(selected(), (Names{"a.mp3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(find<QPushButton>("cmdSaveTag")->text(), QStringLiteral("TAGs bearbeiten"));
  EXPECT_TRUE(media.commands.isEmpty());  // no file click ran
  EXPECT_TRUE(values.CurrentFile.empty());
  EXPECT_EQ(window->ListClickSuppressed(), 0);
}

TEST_F(TaggerTest, MenuEnablingTakesOnlyZeroAndOne) {
  window->EnableFileMenus(1);
  window->EnableFolderMenus(0);
  for (int other : {2, -1, 7}) {
    window->EnableFileMenus(other);
    window->EnableFolderMenus(other);
  }
  EXPECT_TRUE(item("mnuPlay")->isEnabled());
  EXPECT_FALSE(item("mnuCollect")->isEnabled());
}

TEST_F(TaggerTest, RefreshReadsNewFilesAndFolders) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  open(album);
  mp3(album, "b.mp3");
  folder("Album/Live");
  QTest::mouseClick(find<QPushButton>("cmdRefresh"), Qt::LeftButton);

  EXPECT_EQ(listed(files()), (Names{"a.mp3", "b.mp3"}));
  auto* tree = find<QTreeWidget>("dirListe");
  EXPECT_FALSE(tree->findItems(QStringLiteral("Live"), Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
}

TEST_F(TaggerTest, FolderTreeShowsTheChainAndOpensASubFolderOnClickAndEnter) {
  const std::string album = folder("Album");
  folder("Album/CD1");
  folder("Album/CD2");
  mp3(folder("Album/CD2"), "track.mp3");
  open(album);
  auto* tree = find<QTreeWidget>("dirListe");
  const auto found = tree->findItems(QStringLiteral("CD2"), Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(found.size(), 1);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.front()).center());
  EXPECT_EQ(values.CurrentDir, album + "CD2/");
  EXPECT_EQ(listed(files()), (Names{"track.mp3"}));

  // Up the chain with the keyboard: the entry above the current folder is its parent.
  QTest::keyClick(tree, Qt::Key_Up);
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_EQ(values.CurrentDir, album);
}

TEST_F(TaggerTest, NonAsciiNamesAreListedClickedAndPlayedUnchanged) {
  const std::string album = folder("M\xC3\xBCsik \xE2\x80\x93 Caf\xC3\xA9");
  const std::string name = "\xC3\x84pfel & Birnen \xC3\xB8.mp3";
  const std::string path = mp3(album, name);
  open(album);

  ASSERT_EQ(listed(files()), Names{name});
  EXPECT_EQ(files()->item(0)->text(), Q(name));
  click(0);
  EXPECT_EQ(values.CurrentFile, path);
  media.commands.clear();
  doubleClick(0);
  EXPECT_EQ(media.commands.mid(2), PlayCommands(path));
}

}  // namespace
}  // namespace tagger_test
