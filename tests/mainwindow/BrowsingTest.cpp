// Folder changes, the drive selector, the file list, clicks, keys and drops on it, playback, the context menu.
#include <cstdio>

#include "TaggerFixture.h"
#include "mainwindow/DriveBox.h"

namespace tagger_test {
namespace {

TEST_F(TaggerTest, BrowsingTable) {
  const auto in = [this](const std::string& where, Names names) {
    return [this, where, names] {
      for (const std::string& name : names) mp3(folder(where), name);
      open(temp.file(where) + "/");
    };
  };
  const auto abc = in("music", {"a.mp3", "b.mp3", "c.mp3"});
  const std::string other = "\xC3\x84pfel & Birnen \xC3\xB8.mp3", otherIn = "music/M\xC3\xBCsik \xE2\x80\x93 Caf\xC3\xA9";
  const auto key = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) { return [=] { QTest::keyClick(files(), key, modifiers); }; };
  const auto stop = StopCommands().join(" | ").toStdString(), playB = PlayCommands("music/b.mp3").join(" | ").toStdString();
  const std::string volume = temp.path() + "/Volume", gone = temp.path() + "/Gone";  // stand in for other volumes
  const auto volumes = [&] {  // the window started in the program's folder, on the volume "/"
    find<mainwindow::DriveBox>("drvDrives")->fill({"/", volume, gone});
    folder("Volume"), mp3(folder("Volume/Album"), "a.mp3"), open(temp.file("Volume/Album/"));
    EXPECT_EQ(find<mainwindow::DriveBox>("drvDrives")->drive(), volume);
  };
  const auto drive = [&](const std::string& to) {
    return [&, to] { find<QComboBox>("drvDrives")->setCurrentIndex(find<QComboBox>("drvDrives")->findText(Q(to))); };
  };
  std::vector<Row> rows = {
      {"every MP3 in the shared sort order", [&] { folder("music/sub.mp3"), in("music", {"song.mp3", "SONG.MP3", "b.mp3", "a.Mp3", "notes.txt", "mp3"})(); },
       {[&] { EXPECT_EQ(values.FileCount, 4); }},
       {"lstFiles=a.Mp3|b.mp3|SONG.MP3|song.mp3", "lstSortFiles=a.Mp3|b.mp3|SONG.MP3|song.mp3", "title=Quillmere Tonewright  -  music/",
        "enabled:mnuSaveList,mnuCollect,mnuDel,mnuPlay,mnuStop=11000"}},
      {"a folder that is gone is not opened", abc, {"open:Gone"}, {"folder=music/", "lstFiles=a.mp3|b.mp3|c.mp3"}},
      {"a folder without MP3s, Ctrl+A there", in("Empty", {"not-audio.wav"}), {"^A"},
       {"lstFiles=", "enabled:mnuSaveList,mnuCollect,mnuDel,mnuPlay,mnuStop=00000", "cmdSaveTag=TAG speichern", "suppressed=0"}},
      {"Ctrl+A selects all and runs no file click", abc, {"^A"},
       {"selected=a.mp3|b.mp3|c.mp3", "cmdSaveTag=TAGs bearbeiten", "media=", "current=", "suppressed=0"}},
      {"a click on a vanished file", abc, {[&] { std::remove((music + "c.mp3").c_str()); }, "#2"},
       {"current=music/c.mp3", "enabled:mnuDel,mnuPlay,mnuStop=000"}},
      {"a click on one file", abc, {"#1"},
       {"current=music/b.mp3", "media=" + stop, "enabled:mnuDel,mnuPlay,mnuStop,mnuRename=1111", "cmdRemoveTags=TAG entfernen", "cmdSaveTag=TAG speichern"}},
      {"Ctrl+click a second", abc, {"#1", "^#0"}, {"selected=a.mp3|b.mp3", "enabled:mnuRename=0", "cmdRemoveTags=TAGs entfernen"}},
      {"a letter finds the file; only Ctrl+A selects all", abc, {"#2", key(Qt::Key_A, {})}, {"selected=a.mp3", "current=music/a.mp3"}},
      {"Shift+Down", abc, {"#1", key(Qt::Key_Down, Qt::ShiftModifier)}, {"selected=b.mp3|c.mp3", "current=music/c.mp3", "enabled:mnuRename=0"}},
      {"non-ASCII names listed, clicked and played unchanged", in(otherIn, {other}), {"##0"},
       {"lstFiles=" + other, "selected=" + other, "current=" + otherIn + "/" + other,
        "media=" + stop + " | " + PlayCommands(otherIn + "/" + other).join(" | ").toStdString()}},
      {"play, stop, the middle button", in("music", {"a.mp3", "b.mp3"}),
       {"##1", "mnuPlay", "mnuStop", [&] { QTest::mousePress(find<QTreeWidget>("dirListe")->viewport(), Qt::MiddleButton, {}, QPoint(3, 3)); }},
       {"media=" + stop + " | " + playB + " | " + playB + " | " + stop + " | " + stop}},
      {"the context menu and the program information", abc,
       {"#1",
        [&] {
          auto* menu = find<QMenu>("mnuPop");
          QTest::mousePress(files()->viewport(), Qt::RightButton, {}, centreOf(files(), 0));
          EXPECT_TRUE(menu->isVisible());
          menu->hide();
          QStringList names;
          for (QAction* entry : menu->actions()) names << (entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
          EXPECT_EQ(names.join(' '), QStringLiteral("mnuSaveList mnuCollect - mnuDel mnuRename mnuUndo - mnuPlay mnuStop - "
                                                    "mnuLanguage(0) mnuLanguage(1) - mnuInfo"));
        },
        "mnuInfo",
        [&] {  // the program's name, a blank line, the German and the English text
          EXPECT_EQ(dialogs.shown.back().kind, core::MessageKind::Information);
          EXPECT_EQ(dialogs.shown.back().text.split(QStringLiteral("\r\n")).size(), 4);
        }},
       {"selected=b.mp3", "asked=1"}},
      // Back to a volume's last folder; a gone volume leaves the folder on show and its volume.
      {"the volume \"/\"", volumes, {drive("/")}, {"folder=", "lstFiles="}},
      {"back to the volume", volumes, {drive("/"), drive(volume)}, {"folder=Volume/Album/", "lstFiles=a.mp3"}},
      {"a gone volume", volumes, {drive(gone), [&] { EXPECT_EQ(find<mainwindow::DriveBox>("drvDrives")->drive(), volume); }},
       {"folder=Volume/Album/", "lstFiles=a.mp3"}},
  };
  // Drops behave the same on both lists: a folder opens the one above it, nothing selected;
  // of files the last is selected, letter case counting.
  for (const char* target : {"lstFiles", "dirListe"}) {
    const auto dropped = [this, target](Names paths) {
      return [this, target, paths] {
        Names full;
        for (const std::string& path : paths) full.push_back(temp.file(path));
        drop(find<QWidget>(target), full);
      };
    };
    const auto five = in("music", {"Album.mp3", "a.mp3", "b.mp3", "c.mp3", "c.MP3"});
    rows.push_back({target, [=] { five(), open(folder("music/Album")); }, {dropped({"music/Album"}), [&] { EXPECT_EQ(files()->count(), 5); }}, {"folder=music/", "selected="}});
    rows.push_back({target, five, {dropped({"music/c.mp3", "music/a.mp3", "music/b.mp3"})}, {"selected=b.mp3"}});
    rows.push_back({target, [=] { five(), open(folder("music/Album")); }, {dropped({"music/c.MP3"})}, {"folder=music/", "selected=c.MP3", "current=music/c.MP3"}});
  }
  table(rows);
}

}  // namespace
}  // namespace tagger_test
