// Playback commands, the context menu and drops from the desktop.
#include <QMenu>
#include <QTreeWidget>

#include "TaggerFixture.h"

namespace tagger_test {
namespace {

using Names = std::vector<std::string>;

TEST_F(TaggerTest, PlaybackCommandsOfDoubleClickMenuAndFolderPress) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  const std::string b = mp3(album, "b.mp3");
  open(album);

  doubleClick(1);
  QStringList expected = StopCommands() + PlayCommands(b);
  EXPECT_EQ(media.commands, expected);

  item("mnuPlay")->trigger();
  expected += PlayCommands(b);
  EXPECT_EQ(media.commands, expected);

  item("mnuStop")->trigger();
  expected += StopCommands();
  EXPECT_EQ(media.commands, expected);

  auto* tree = find<QTreeWidget>("dirListe");
  QTest::mousePress(tree->viewport(), Qt::MiddleButton, {}, QPoint(3, 3));
  expected += StopCommands();
  EXPECT_EQ(media.commands, expected);
}

TEST_F(TaggerTest, RightButtonShowsTheContextMenuWithoutChangingTheSelection) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  mp3(album, "b.mp3");
  open(album);
  click(0);
  auto* menu = find<QMenu>("mnuPop");

  QTest::mousePress(files()->viewport(), Qt::RightButton, {}, centreOf(1));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(selected(), Names{"a.mp3"});
  menu->hide();

  media.commands.clear();
  auto* tree = find<QTreeWidget>("dirListe");
  QTest::mousePress(tree->viewport(), Qt::RightButton, {}, QPoint(3, 3));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(media.commands, StopCommands());
  menu->hide();
}

TEST_F(TaggerTest, ContextMenuHoldsItsItemsInOrder) {
  QStringList names;
  QStringList captions;
  for (QAction* entry : find<QMenu>("mnuPop")->actions()) {
    names << entry->objectName();
    captions << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
  }
  EXPECT_EQ(names, (QStringList{"mnuSaveList", "mnuCollect", "mnuSep", "mnuDel", "mnuRename", "mnuLine", "mnuPlay",
                                "mnuStop", "mnuNix", "mnuLanguage(0)", "mnuLanguage(1)", "mnuNothing", "mnuInfo"}));
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Angezeigte Liste im aktuellen Pfad speichern"),
                                   QStringLiteral("Liste im Sammelordner sichern"), QStringLiteral("-"),
                                   QString::fromUtf8("Ausgew\xC3\xA4hlte Datei(en) l\xC3\xB6schen..."),
                                   QStringLiteral("Einzelne Datei umbenennen..."), QStringLiteral("-"),
                                   QStringLiteral("MP3 abspielen (Doppelklick)"), QStringLiteral("MP3 stoppen (Klick)"),
                                   QStringLiteral("-"), QStringLiteral("Deutsch"), QStringLiteral("Englisch"),
                                   QStringLiteral("-"), QStringLiteral("Info...")}));
}

// Drops behave the same on both lists.
class DropTest : public TaggerTest, public ::testing::WithParamInterface<const char*> {
 protected:
  QWidget* target() { return find<QWidget>(GetParam()); }
};

TEST_P(DropTest, OneFileOpensItsFolderAndSelectsExactlyThatEntry) {
  const std::string album = folder("Album");
  for (const char* name : {"01 Track.mp3", "03 Track.mp3", "03 track.mp3"}) mp3(album, name);
  open(folder("Elsewhere"));
  drop(target(), {album + "03 Track.mp3"});

  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(selected(), Names{"03 Track.mp3"});  // letter case counts
  EXPECT_EQ(values.CurrentFile, album + "03 Track.mp3");
}

TEST_P(DropTest, SeveralFilesSelectOnlyTheLastOne) {
  const std::string album = folder("Album");
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) mp3(album, name);
  drop(target(), {album + "c.mp3", album + "a.mp3", album + "b.mp3"});

  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_EQ(selected(), Names{"b.mp3"});
}

TEST_P(DropTest, AFolderOpensTheFolderAboveWithNothingSelected) {
  const std::string music = folder("Music");
  mp3(music, "Album.mp3");  // not the dropped folder, whatever its name
  mp3(music, "x.mp3");
  const std::string album = folder("Music/Album");
  drop(target(), {album.substr(0, album.size() - 1)});

  EXPECT_EQ(values.CurrentDir, music);
  EXPECT_EQ(files()->count(), 2);
  EXPECT_TRUE(selected().empty());
}

TEST_P(DropTest, AFileOfAVanishedFolderOpensNothing) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  open(album);
  drop(target(), {temp.path() + "/Gone/a.mp3"});

  EXPECT_EQ(values.CurrentDir, album);
  EXPECT_TRUE(selected().empty());
}

INSTANTIATE_TEST_SUITE_P(BothLists, DropTest, ::testing::Values("lstFiles", "dirListe"));

}  // namespace
}  // namespace tagger_test
