// Browsing (folders, drives, the file list, clicks, keys, drops, playback, the context menu) and the editor:
// its controls and pages, its buttons, the year filter, the pictures, the comment and cover windows.
#include "TaggerFixture.h"
#include "mainwindow/DriveBox.h"

namespace tagger_test {
namespace {

TEST_F(TaggerTest, ControlsSitOnTheirPages) {
  const QString first = QStringLiteral(
      "txtTitle txtArtist txtAlbum txtComment txtYear txtTrack cboGenre cboPictureType chkHold(0) chkHold(3) "
      "cmdHold(0) cmdHold(1) cmdText(0) cmdText(1) cmdAllFiles(0) cmdSaveTag cmdCover chkTagTab(0) lblTime lblBitrate lblMode");
  const QString second = QStringLiteral(
      "txtOriginalArtist txtSubtitle txtComposer txtCopyright txtEncodedBy txtLanguage lstURL txtUnknown txtLyrics chkTagTab(1)");
  for (const auto& [page, names] : {std::pair{"picTags", first}, std::pair{"picTags2", second}})
    for (const QString& name : names.split(' ')) EXPECT_EQ(find<QWidget>(name) ? find<QWidget>(name)->parentWidget()->objectName() : "", U(page));
  EXPECT_EQ(hold(0)->toolTip() + "|" + hold(4)->toolTip() + "|" + find<QWidget>("cmdText(0)")->toolTip(),
            U("Halten|Alles halten + Nummerieren|Unterstriche durch Spaces ersetzen"));
  EXPECT_EQ(find<QComboBox>("cboGenre")->count(), 149);
  EXPECT_EQ(find<QComboBox>("cboGenre")->itemText(0), QString());
  EXPECT_EQ(find<QComboBox>("cboPictureType")->count(), 21);
  window->editing().FillPictureTypes();
  EXPECT_EQ(find<QComboBox>("cboPictureType")->currentIndex(), 17);
  // The more/back boxes swap the pages in one place and return to rest.
  auto* tags = find<QWidget>("picTags");
  tags->move(tags->pos() + QPoint(7, 3));
  for (const char* tab : {"chkTagTab(0)", "chkTagTab(1)", "chkTagTab(0)"}) {
    act({tab});
    check(std::string("shown:picTags,picTags2=") + (tab[10] == '0' ? "01" : "10"));
    check("checked:chkTagTab(0),chkTagTab(1)=01");
    EXPECT_EQ(find<QWidget>("picTags2")->pos(), tags->pos());
  }
}


TEST_F(TaggerTest, BrowsingAndEditorTable) {
  const auto three = [this] { threeSongs(); };
  const auto typed = [this](const char* text) {
    return [=] { for (const char* name : {"txtArtist", "txtTitle", "txtAlbum", "txtComment", "txtYear"}) field(name)->setText(U(text)); };
  };
  const auto key = [this](const char* to, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    return [=] { QTest::keyClick(find<QWidget>(to), key, modifiers); };
  };
  const auto heldSongs = [this] {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
      song(name, [name](auto& t) { t.setSongTitle(name), t.setArtist(std::string("Artist of ") + name), t.setGenre(t.GetGenre("Rock")); }, {});
    open(music);
  };
  const Steps held = {"#0", "chkHold(0)", "chkHold(4)", "txtArtist=Held Artist", "cboGenre=Jazz"};
  const auto pictures = [this] {
    song("pictures.mp3", {}, [&](auto& t) {
      t.setGraphic(picture("back.png", Qt::green) + "|" + picture("front.png", Qt::red) + "|" + picture("band.png", Qt::blue));
      t.setGraphicType("4|3|1"), t.setGraphicTitle("Back|Front|Icon");
    });
    song("plain.mp3", {}, [](auto& t) { t.setSongTitle("Plain"); }), open(music);
  };
  const auto covered = [this](std::size_t shown) {  // the cover window shows that picture of the file on show (0: none)
    return [=] { EXPECT_EQ(cover->hasPicture() ? cover->picturePath() : "", shown ? Q(pictureList().at(shown).FileName) : ""); };
  };
  const auto coverShown = [this](bool shown) {
    return [=] { EXPECT_EQ(window->editing().coverShown(), shown); EXPECT_EQ(cover->isVisible(), shown); };
  };
  const auto textWindow = [this] { return window->findChild<QMainWindow*>(QStringLiteral("frmText")); };
  const auto kinds = [this] {  // ID3v1.1 only, ID3v2.3 only, both, neither
    const V1 v1 = [](auto& t) {
      t.setSongTitle("Ein Titel von genau dreissig Z"), t.setArtist("Anna Berg"), t.setYear("2021"), t.setGenre(t.GetGenre("Ambient"));
    };
    const V2 v2 = [](auto& t) {
      t.setSongTitle("Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9"), t.setGenre("Chanson"), t.setComposer("Comp");
      t.setArtist("Anna");  // shorter: the ID3v1.1 artist stays
      t.setURL("http://a|http://b|http://c"), t.setLyrics("Zeile 1\r\nZeile 2");
    };
    const int frames = formats::FramesForSeconds(65);
    song("1.mp3", v1, {}, frames), song("2.mp3", {}, v2, frames), song("3.mp3", v1, v2, frames), song("4.mp3", {}, {}, frames);
    open(music);
  };
  const std::string title = "txtTitle=Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9", lyrics = "txtLyrics=Zeile 1\nZeile 2";
  const std::string empty[] = {"txtComposer=", "txtLyrics=", "lstURL="}, urls = "lstURL=http://a|http://b|http://c";
  const auto in = [this](const std::string& where, Names names) {
    return [this, where, names] {
      for (const std::string& name : names) mp3(folder(where), name);
      open(temp.file(where) + "/");
    };
  };
  const auto abc = in("music", {"a.mp3", "b.mp3", "c.mp3"});
  const std::string other = "\xC3\x84pfel & Birnen \xC3\xB8.mp3", otherIn = "music/M\xC3\xBCsik \xE2\x80\x93 Caf\xC3\xA9";
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
      {"Ctrl+click a second", abc, {"#1", "^#0"}, {"selected=a.mp3|b.mp3", "enabled:mnuRename=0", "cmdRemoveTags=TAGs entfernen", "cmdSaveTag=TAGs bearbeiten"}},
      {"a letter finds the file; only Ctrl+A selects all", abc, {"#2", key("lstFiles", Qt::Key_A)}, {"selected=a.mp3", "current=music/a.mp3"}},
      {"Shift+Down", abc, {"#1", key("lstFiles", Qt::Key_Down, Qt::ShiftModifier)}, {"selected=b.mp3|c.mp3", "current=music/c.mp3", "enabled:mnuRename=0"}},
      {"non-ASCII names listed, clicked and played unchanged", in(otherIn, {other}), {"##0"},
       {"lstFiles=" + other, "selected=" + other, "current=" + otherIn + "/" + other,
        "media=" + stop + " | " + PlayCommands(otherIn + "/" + other).join(" | ").toStdString()}},
      {"play, stop, the middle button", in("music", {"a.mp3", "b.mp3"}),
       {"##1", "mnuPlay", "mnuStop", [&] { QTest::mousePress(find<QTreeWidget>("dirListe")->viewport(), Qt::MiddleButton, {}, QPoint(3, 3)); }},
       {"media=" + stop + " | " + playB + " | " + playB + " | " + stop + " | " + stop}},
      {"the context menu and the program information", abc,
       {"#1", [&] {
          auto* menu = find<QMenu>("mnuPop");
          QTest::mousePress(files()->viewport(), Qt::RightButton, {}, centreOf(files(), 0));
          EXPECT_TRUE(menu->isVisible());
          menu->hide();
          QStringList names;
          for (QAction* entry : menu->actions()) names << (entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
          EXPECT_EQ(names.join(' '), QStringLiteral("mnuSaveList mnuCollect - mnuDel mnuRename mnuUndo - mnuPlay mnuStop - "
                                                    "mnuLanguage(0) mnuLanguage(1) - mnuInfo"));
        }, "mnuInfo", [&] {  // the program's name, a blank line, the German and the English text
          EXPECT_EQ(dialogs.shown.back().kind, core::MessageKind::Information);
          EXPECT_EQ(dialogs.shown.back().text.split(QStringLiteral("\r\n")).size(), 4);
        }},
       {"selected=b.mp3", "asked=1"}},
      // Back to a volume's last folder; a gone volume leaves the folder on show and its volume.
      {"the volume \"/\"", volumes, {drive("/")}, {"folder=", "lstFiles="}},
      {"back to the volume", volumes, {drive("/"), drive(volume)}, {"folder=Volume/Album/", "lstFiles=a.mp3"}},
      {"a gone volume", volumes, {drive(gone), [&] { EXPECT_EQ(find<mainwindow::DriveBox>("drvDrives")->drive(), volume); }},
       {"folder=Volume/Album/", "lstFiles=a.mp3"}},
      {"an Enter save", three, {"#0", "txtTitle!"}, {"cmdSaveTag=TAG \xC3\x9C" "bernehmen"}},
      {"a held save", three, {"cmdAllFiles(0)", "chkHold(0)", "txtArtist=A", "Yes", "cmdSaveTag"}, {"cmdSaveTag=TAG speichern"}},
      {"all files", three, {"cmdAllFiles(0)"}, {"cmdSaveTag=TAGs \xC3\x9C" "bernehmen"}},
      // The text buttons work on the four text fields (the year is no text).
      {"hold all", {}, {[&] { hold(4)->setChecked(false); }, "cmdHold(0)"}, {"checked:chkHold(0),chkHold(1),chkHold(2),chkHold(3),chkHold(4)=11110"}},
      {"hold none", {}, {[&] { hold(4)->setChecked(true); }, "cmdHold(1)"}, {"checked:chkHold(0),chkHold(1),chkHold(2),chkHold(3),chkHold(4)=00001"}},
      {"underscores to blanks", {}, {typed("die_\xC3\xA4rzte-live (best_of)"), "cmdText(0)"},
       {"txtArtist=die \xC3\xA4rzte-live (best of)", "txtTitle=die \xC3\xA4rzte-live (best of)", "txtAlbum=die \xC3\xA4rzte-live (best of)",
        "txtComment=die \xC3\xA4rzte-live (best of)", "txtYear=die_\xC3\xA4rzte-live (best_of)"}},
      {"capitals", {}, {typed("die \xC3\xA4rzte-live (best of)"), "cmdText(1)"},
       {"txtArtist=Die \xC3\x84rzte-Live (Best Of)", "txtTitle=Die \xC3\x84rzte-Live (Best Of)", "txtAlbum=Die \xC3\x84rzte-Live (Best Of)",
        "txtComment=Die \xC3\x84rzte-Live (Best Of)"}},
      // The year takes digits and its punctuation only; Ctrl+A is no key it takes.
      {"the year's keys", {}, {"txtYear+=19a9-x ,.:8"}, {"txtYear=199,.:8"}},
      {"the year's keys", {},
       {"txtYear+=199,.:8", key("txtYear", Qt::Key_Backspace), key("txtYear", Qt::Key_Left), key("txtYear", Qt::Key_A, Qt::ControlModifier), "txtYear+=0"},
       {"txtYear=199,.0:"}},
      // Held fields stay from file to file; all files selects every entry (no click) and clears the rest.
      {"held, on b", heldSongs, Then(held, {"#1"}), {"txtArtist=Held Artist", "cboGenre=Jazz", "txtTitle=b.mp3"}},
      {"held, back on a", heldSongs, Then(held, {"#2", "#0"}), {"txtArtist=Held Artist", "cboGenre=Jazz", "txtTitle=a.mp3"}},
      {"held, all files", heldSongs, Then(held, {[&] { media.commands.clear(); }, "cmdAllFiles(0)"}),
       {"selected=a.mp3|b.mp3|c.mp3", "txtArtist=Held Artist", "txtTitle=", "media="}},
      // Pictures become temporary files until the next click; the cover window shows the type chosen.
      {"pictures", pictures, {"#0", covered(2), [&] {
          ASSERT_EQ(pictureList().size(), 4u);
          for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(pictureList()[i].FileName.rfind(values.TempCoverBase, 0), 0u);
          EXPECT_EQ(support::ReadFileBytes(pictureList()[2].FileName), support::ReadFileBytes(temp.file("front.png")));
          EXPECT_EQ(pictureList()[3].Title, "Icon");
        }}, {"cboPictureType=Front Cover"}},
      {"the back cover", pictures, {"#0", "cboPictureType=Back Cover", covered(1)}, {}},
      {"the icon", pictures, {"#0", "cboPictureType=32x32 Icon", covered(3)}, {}},
      {"a type the file has not", pictures, {"#0", "cboPictureType=Band Logo", covered(0)}, {}},
      {"the next click", pictures, {"#0", "#1", covered(0), [&] {
          EXPECT_EQ(pictureList().size(), 1u); EXPECT_EQ(support::FolderEntries(values.TempDir), Names{});
        }}, {}},
      // An empty comment opens no comment window; closing the cover window only hides it.
      {"the comment window", {}, {"txtComment=Kurz", "dbl:txtComment", [&] {
          ASSERT_TRUE(textWindow() && textWindow()->isVisible());
          EXPECT_EQ(textWindow()->windowTitle(), U("Kommentar"));
          auto* edit = textWindow()->findChild<QPlainTextEdit*>(QStringLiteral("txtText"));
          EXPECT_EQ(edit->toPlainText(), U("Kurz"));
          edit->moveCursor(QTextCursor::End), QTest::keyClicks(edit, U(" und lang")), textWindow()->close();
          check("txtComment=Kurz und lang");
        }, "txtComment=", "dbl:txtComment", [&] { EXPECT_FALSE(textWindow()->isVisible()); }}, {}},
      {"the cover window", {}, {"cmdCover", coverShown(true), "cmdCover", coverShown(false), "cmdCover", [&] { cover->close(); },
                                coverShown(false), "cmdCover", coverShown(true)}, {}},
      // A click shows the tags of each kind of file, after a file with other tags.
      {"ID3v1.1 only", kinds, {"#3", "#0"}, {"txtTitle=Ein Titel von genau dreissig Z", "txtArtist=Anna Berg", "txtYear=2021", "cboGenre=Ambient",
       empty[0], empty[1], empty[2], "found=10", "lblTime=1:05", "lblBitrate=128 kbps / 44100 Hz"}},
      {"ID3v2.3 only", kinds, {"#0", "#1"}, {title, "txtArtist=Anna", "txtYear=", "cboGenre=Chanson", "txtComposer=Comp", lyrics, urls, "found=01"}},
      {"both", kinds, {"#3", "#2"}, {title, "txtArtist=Anna Berg", "txtYear=2021", "cboGenre=Ambient", "txtComposer=Comp", lyrics, urls, "found=11"}},
      {"neither", kinds, {"#2", "#3"}, {"txtTitle=", "txtArtist=", "txtYear=", "cboGenre=", empty[0], empty[1], empty[2], "found=00", "lblTime=1:05"}},
  };
  // Drops on both lists: a folder opens the one above it; of files the last is selected, letter case counting.
  for (const char* target : {"lstFiles", "dirListe"}) {
    const auto dropped = [this, target](Names paths) { return [=] { drop(find<QWidget>(target), paths); }; };
    const auto five = in("music", {"Album.mp3", "a.mp3", "b.mp3", "c.mp3", "c.MP3"});
    rows.push_back({target, [=] { five(), open(folder("music/Album")); }, {dropped({"music/Album"}), [&] { EXPECT_EQ(files()->count(), 5); }}, {"folder=music/", "selected="}});
    rows.push_back({target, five, {dropped({"music/c.mp3", "music/a.mp3", "music/b.mp3"})}, {"selected=b.mp3"}});
    rows.push_back({target, [=] { five(), open(folder("music/Album")); }, {dropped({"music/c.MP3"})}, {"folder=music/", "selected=c.MP3", "current=music/c.MP3"}});
  }
  table(rows);
}

}  // namespace
}  // namespace tagger_test
