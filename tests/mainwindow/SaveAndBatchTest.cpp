// Saving (Enter, the save button for one file and for held fields, refused saves, losses, Undo), the
// working modes, the batch panel, the play order, the removal panel, and one run at a time.
#include <atomic>

#include "TaggerFixture.h"
#include "mainwindow/RunController.h"
#include "support/ID3V230Bytes.h"

namespace tagger_test {
namespace {

// An ID3v2.4 tag with a compressed frame, which ID3v2.3 cannot hold.
std::string LossyFile() {
  return support::Bytes("ID3\x04\x00\x00\x00\x00\x00\x1b" "TIT2\x00\x00\x00\x03\x00\x00\x00" "ab"
                        "TXXX\x00\x00\x00\x04\x00\x08" "zzzz") + support::Audio();
}

TEST_F(TaggerTest, SaveAndBatchTable) {
  const std::string panels = "shown:picBatch,lstFiles,chkNoTagOnly,chkMerge,chkDragDrop,lblDetect(1),lblDetect(2),cmdAllFiles(1),picRemoveTags=";
  const Steps detect = {"optTagEdit(1)", "cmdNew", "chkDetect(3)", "chkDetect(0)", "chkDetect(1)", "chkDetect(2)", "chkDetect(0)"};
  const auto named = [this] { song("01. Some Band - First Song.mp3", {}, {}), song("02. Other - Second.mp3", {}, {}), open(music); };
  const Steps namesToTags = {"optTagEdit(1)", "chkIgnore", "txtIgnore=4", "cmdAllFiles(1)", "chkHold(2)", "txtComment=held"};
  const auto songs = [this](const std::string& artist, Names titles) {
    return [this, artist, titles] {
      for (const std::string& title : titles) song(title + ".mp3", {}, [&](auto& t) { t.setArtist(artist), t.setSongTitle(title); });
      open(music);
    };
  };
  const auto abcd = songs("X", {"a", "b", "c", "d"});
  const auto removal = [this] {
    song("one.mp3", [](auto& t) { t.setSongTitle("v1"); }, [](auto& t) { t.setSongTitle("v2"); });
    song("two.mp3", {}, [](auto& t) { t.setSongTitle("v2"); }), open(music);
  };
  const std::string renamed = "lstFiles=1 - X - b.mp3|2 - X - c.mp3|3 - X - d.mp3|4 - X - a.mp3";
  const std::string playlist = "file:music.m3u8=#EXTM3U\n#EXTINF:0,X - b\n1 - X - b.mp3\n#EXTINF:0,X - c\n2 - X - c.mp3\n"
                               "#EXTINF:0,X - d\n3 - X - d.mp3\n#EXTINF:0,X - a\n4 - X - a.mp3\n";
  const Steps renumbered = {"optTagEdit(2)", "chkDragDrop", "drag:0>3", "cmdBatch"};
  const auto three = [this] { threeSongs(); };
  const auto lossy = [this] {  // the first and the last file would lose a frame
    threeSongs();
    for (const int row : {0, 2}) support::WriteFileBytes(paths[row], LossyFile());
  };
  const auto noHolds = [this] { for (int i = 0; i < 5; ++i) hold(i)->setChecked(false); };
  const auto lost = [](const char* name) {
    return std::string("music/") + name + ".mp3: Speichern abgelehnt: ginge verloren: der Rahmen TXXX: compressed ID3v2.4 frame TXXX, whose data cannot be decompressed";
  };
  const Steps last = {"#2", "txtTitle=Der letzte Titel", "txtTitle!"};
  const auto band = [this] {
    for (const char* name : {"01. Band - Song.mp3", "02. Band - Other.mp3"}) support::WriteFileBytes(music + name, LossyFile());
    song("03. Band - Fine.mp3", {}, {}), open(music);
  };
  const auto onePictureEach = [&] {  // runs over several files read each file itself and copy no picture out
    EXPECT_LE(support::FolderEntries(values.TempDir).size(), 1u);
    const std::string front = support::ReadFileBytes(temp.file("front.png"));
    for (const std::string& file : support::FolderEntries(music)) {
      formats::clsID3V230Reader reader;
      reader.ReadID3V230Tag(music + file);
      ASSERT_EQ(reader.Pictures().size(), 1u) << file;
      std::string info, subtype;
      formats::clsID3V230Reader extract(formats::FormatEnv{}, temp.file("check"));
      EXPECT_EQ(support::ReadFileBytes(extract.ExtractGraphic(music + file, reader.Pictures()[0].startPos, reader.Pictures()[0].size, info, subtype)),
                front) << file;
    }
  };
  const auto shown = [&] {  // the file on show has its picture copied for the cover window
    threeSongs(), act({"#0"});
    ASSERT_EQ(support::FolderEntries(values.TempDir).size(), 1u);
    std::remove((values.TempDir + support::FolderEntries(values.TempDir)[0]).c_str());
  };
  table({
      {"Enter with two selected saves nothing", three,
       {"#0", "@0,1", "txtTitle=Nicht gespeichert", "txtTitle!",
        [&] { EXPECT_EQ(window->editing().model().fields().title, "Nicht gespeichert"); }},  // typed text reaches the model
       {"changed=", "selected=song1.mp3|song2.mp3"}},
      {"Enter saves the file, picture kept once, and shows the next", three, {"#0", "txtTitle=Neuer Titel \xC3\xA4", "txtTitle!"},
       {"v2:song1.mp3=Neuer Titel \xC3\xA4|Artist 1||||1|1", "changed=song1.mp3", "selected=song2.mp3", "txtTitle=Title 2", "asked=0"}},
      {"every text field saves on Enter", three,
       {"#0", "txtArtist=1234", "txtArtist!", "#0", "txtAlbum=1234", "txtAlbum!", "#0", "txtComment=1234", "txtComment!", "#0", "txtYear=1234", "txtYear!"},
       {"v2:song1.mp3=Title 1|1234|1234|1234|1234|1|1", "selected=song2.mp3"}},
      {"Enter on the last file keeps it; its record names the moved picture frame", three, Then(last, {[&] {
          formats::clsID3V230Reader saved;
          saved.ReadID3V230Tag(paths[2]);
          ASSERT_EQ(pictureList().size(), 2u);
          EXPECT_EQ(std::to_string(pictureList()[1].StartPos) + " " + std::to_string(pictureList()[1].Size),
                    saved.GraphicStartPos() + " " + saved.GraphicSize());
        }}),
       {"v2:song3.mp3=Der letzte Titel|Artist 3||||3|1", "selected=song3.mp3", "txtTitle=Der letzte Titel"}},
      {"a picture deleted in the cover window is gone after the next save", three, Then(last, {[&] {
          cover->setSelectedType([] { return std::optional<int>(3); });  // front cover, as the program's own link gives it
          cover->findChild<QAction*>(QStringLiteral("mnuPicDel"))->trigger();
        }, "txtTitle!"}),
       {"v2:song3.mp3=Der letzte Titel|Artist 3||||3|0"}},
      {"a field typed back to its first text is a change against the save before", three,
       Then(last, {"txtTitle=Title 3", "txtTitle!"}), {"v2:song3.mp3=Title 3|Artist 3||||3|1", "asked=0"}},
      // The held fields go to every selected file, which keeps its own other fields (the ID3v1.1 year too).
      {"nothing held", three, {"cmdAllFiles(0)", noHolds, "txtArtist=Niemand", "cmdSaveTag"}, {"changed=", "asked=0"}},
      {"held, no file selected", three, {"@", noHolds, "chkHold(0)", "txtArtist=Niemand", "cmdSaveTag"}, {"changed=", "asked=0"}},
      {"held, answered No", three, {"cmdAllFiles(0)", noHolds, "chkHold(0)", "txtArtist=Niemand", "No", "cmdSaveTag"}, {"changed=", "asked=1"}},
      {"held, answered Yes", [&] {
         threeSongs();
         formats::clsID3V111Writer year;
         year.setSongTitle("Title 2"), year.setYear("1337"), year.WriteID3V111Tag(paths[1]);
       },
       {"cmdAllFiles(0)", noHolds, "chkHold(0)", "txtArtist=Alle zusammen", "Yes", "cmdSaveTag"},
       {"kinds=4", "message=Gehaltene Tags wirklich auf alle ausgew\xC3\xA4hlte Dateien anwenden ?   ", "v2:song1.mp3=Title 1|Alle zusammen||||1|1",
        "v2:song2.mp3=Title 2|Alle zusammen||||2|1", "v1:song2.mp3~|1337", "v2:song3.mp3=Title 3|Alle zusammen||||3|1",
        "txtTitle=Title 3", "suppressed=0"}},
      {"a loss answered No", lossy, {"#0", "txtTitle=Neu \xE6\x9D\xB1", "No", "cmdSaveTag"},
       {"kinds=42", "messages~music/song1.mp3", "messages~compressed ID3v2.4 frame TXXX", "message~music/song1.mp3", "changed="}},
      {"a loss answered Yes", lossy, {"#0", "txtTitle=Neu \xE6\x9D\xB1", "Yes", "cmdSaveTag"},
       {"kinds=4", "messages~compressed ID3v2.4 frame TXXX", "changed=song1.mp3", "v2:song1.mp3~Neu \xE6\x9D\xB1|"}},
      {"several files: the held question, one loss question, the failures", lossy,
       {"cmdAllFiles(0)", noHolds, "chkHold(0)", "txtArtist=Alle", "Yes", "No", "cmdSaveTag"},
       {"kinds=442", "message=Diese Dateien konnten nicht ge\xC3\xA4ndert werden:\n" + lost("song1") + "\n" + lost("song3"), "changed=song2.mp3", "v2:song2.mp3=Title 2|Alle||||2|1"}},
      {"a tag that cannot be read is named in the view, never shown as no tag", [&] {
         threeSongs();
         support::WriteFileBytes(paths[1], support::Tagged(support::Frame("TIT2", support::Text("a")), 0, 5) + support::Audio());
       },
       {"#1", [&] { EXPECT_TRUE(window->editing().tagFlags().ID3V230Found); }}, {"txtUnknown~ID3v2.5: "}},
      // A batch run over files that would lose data asks once for the whole run.
      {"names to tags, a loss answered No", band, {"optTagEdit(1)", "chkIgnore", "txtIgnore=4", "cmdAllFiles(1)", "No", "cmdBatch"},
       {"kinds=42", "messages~compressed ID3v2.4 frame TXXX", "message~music/01. Band - Song.mp3", "message~music/02. Band - Other.mp3",
        "changed=03. Band - Fine.mp3", "v2:03. Band - Fine.mp3~Fine|"}},
      {"names to tags, a loss answered Yes", band, {"optTagEdit(1)", "chkIgnore", "txtIgnore=4", "cmdAllFiles(1)", "Yes", "cmdBatch"},
       {"kinds=4", "v2:02. Band - Other.mp3~Other|", "v2:03. Band - Fine.mp3~Fine|"}},
      // Ctrl+Z (and mnuUndo) takes back the last save; with nothing left it says so; a file written since is named.
      {"Ctrl+Z", three,
       {"#0", "txtTitle=Neuer Titel", "txtTitle!",
        [&] { window->activateWindow(); ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())); files()->setFocus(); }, "^Z"},
       {"changed=", "asked=0"}},
      {"nothing to undo", three, {"mnuUndo"}, {"message=Es gibt nichts r\xC3\xBC" "ckg\xC3\xA4ngig zu machen."}},
      {"a file changed since", three,
       {"#1", "txtTitle=Noch einer", "txtTitle!", [&] { support::WriteFileBytes(paths[1], support::ReadFileBytes(paths[1]) + "later"); }, "mnuUndo"},
       {"kinds=2", "message~music/song2.mp3", "file:song2.mp3~later"}},
      {"held fields, one picture each", shown, {"cmdAllFiles(0)", "chkHold(0)", "txtArtist=Alle", "Yes", "cmdSaveTag", onePictureEach}, {"v2:song2.mp3~Alle"}},
      {"names to tags, one picture each", shown, {"optTagEdit(1)", "cmdAllFiles(1)", "cmdBatch", onePictureEach}, {"v2:song2.mp3~song2|"}},
      {"tags to names, one picture each", shown, {"optTagEdit(2)", "cmdAllFiles(1)", "cmdBatch", onePictureEach}, {"changed~Artist 2 - Title 2.mp3"}},
      // Each mode shows its panels and focus; mode 0 leaves the batch options alone.
      {"mode 1", {}, {"txtSeparator=_", "optTagEdit(1)"}, {panels + "111001010", "focus=txtSeparator", "txtSeparator=_"}},
      {"mode 2", {}, {"txtSeparator=_", "optTagEdit(1)", "optTagEdit(2)"}, {panels + "110110100", "focus=txtSeparator", "txtSeparator= - "}},
      {"mode 0", {}, {"optTagEdit(1)", "optTagEdit(2)", "optTagEdit(0)"}, {panels + "010110100", "focus=txtTitle"}},
      {"removal panel", {}, {"chkRemoveTag(0)", [&] { EXPECT_EQ(find<QWidget>("picRemoveTags")->pos(), find<QWidget>("picTags")->pos()); }},
       {"shown:picRemoveTags,picTags=10"}},
      {"removal panel closed", {}, {"chkRemoveTag(0)", "chkRemoveTag(1)"}, {"shown:picRemoveTags,picTags=01", "checked:chkRemoveTag(0),chkRemoveTag(1)=01"}},
      {"no words", {}, {"optTagEdit(1)", "cmdNew"}, {"lblDetect(1)=  .mp3  "}},
      {"four words", {}, detect, {"lstDetect(1)=Nr|Interpret|Titel|Album", "lblDetect(1)=  Nr - Interpret - Titel - Album.mp3  "}},
      {"another separator", {}, Then(detect, {"txtSeparator=_"}),
       {"lblDetect(1)=  Nr_Interpret_Titel_Album.mp3  ", "lblDetect(2)=  Nr_Interpret_Titel.mp3  "}},
      {"the separator double-clicked", {}, Then(detect, {"txtSeparator=_", "dbl:txtSeparator"}), {"txtSeparator= - "}},
      {"the skip count", {}, {"txtIgnore+=4x"}, {"txtIgnore=4"}},
      {"names to tags answered No", named, Then(namesToTags, {"No", "cmdBatch"}), {"changed="}},
      {"names to tags", named, Then(namesToTags, {"Yes", "cmdBatch"}),
       {"v2:02. Other - Second.mp3~Second|Other|||held|", "cmdBatch=S T A R T", "enabled:cmdBatch=1"}},
      // Files are renamed in the play order, which the folder's playlist keeps; Undo takes both back.
      {"the play order dragged", abcd, {"optTagEdit(2)", "chkDragDrop", "drag:0>3"},
       {"shown:lstSortFiles,lstFiles=10", "lstSortFiles=b.mp3|c.mp3|d.mp3|a.mp3"}},
      {"the play order renumbered", abcd, Then(renumbered, {[&] {
              EXPECT_EQ(sortFiles()->palette().color(QPalette::Base), QColor(30, 30, 30));
              EXPECT_EQ(support::ReadFileBytes(music + "4 - X - a.mp3"), startBytes["a.mp3"]);
            }}), {renamed, playlist, "asked=0"}},
      {"renumbered again", abcd, Then(renumbered, {"Yes", "cmdBatch"}), {renamed, playlist, "asked=1"}},
      {"a name taken by a file that keeps its own", [&] { mp3(music, "2 - X - a.mp3"), songs("X", {"a", "b"})(); },
       {"optTagEdit(2)", "chkDragDrop", "cmdBatch"},
       {"files=2 - X - a.mp3|3 - X - b.mp3|a.mp3|music.m3u8", "message~music/a.mp3: Zieldatei existiert bereits",
        "file:music.m3u8=#EXTM3U\n#EXTINF:0,2 - X - a\n2 - X - a.mp3\n#EXTINF:0,X - a\na.mp3\n#EXTINF:0,X - b\n3 - X - b.mp3\n"}},
      {"the play order undone", abcd, Then(renumbered, {"mnuUndo"}), {"lstFiles=a.mp3|b.mp3|c.mp3|d.mp3", "changed=", "files=a.mp3|b.mp3|c.mp3|d.mp3", "asked=0"}},
      // Without the play order only the selected file is renamed; its name is taken.
      {"a taken name", abcd, Then(renumbered, {"chkDragDrop", [&] {
          const Names order = listed(sortFiles());
          drag(0, 2);
          EXPECT_EQ(listed(sortFiles()), order) << "without the option the play order does not follow the mouse";
          song("e.mp3", {}, [](auto& t) { t.setArtist("X"), t.setSongTitle("b"); });
          window->FillFileList();
        }, "@4", "cmdBatch"}),
       {"files~e.mp3", "message~music/e.mp3: Zieldatei existiert bereits", "kinds=2"}},
      // The removal takes each selected file's own tags (the file on show has no ID3v1.1 tag).
      {"removal answered No", removal, {"chkRemoveTag(0)", "#1", "@0,1", "optRem(0)", "No", "cmdRemoveTags"}, {"changed=", "asked=1"}},
      {"removal", removal, {"chkRemoveTag(0)", "#1", "@0,1", "optRem(0)", "Yes", "cmdRemoveTags"}, {"v1:one.mp3=-", "v2:one.mp3~v2|", "changed=one.mp3", "asked=1"}},
      {"removal of one file", removal, {"chkRemoveTag(0)", "#1", "optRem(2)", "cmdRemoveTags"}, {"v2:two.mp3=-", "changed=two.mp3", "asked=0"}},
      // The merge joins the play order into an album file: the audio of all three between new tags.
      {"merge", songs("Night Ferry", {"a", "b", "c"}),
       {"optTagEdit(2)", "chkMerge", "drag:2>0", "cmdBatch", [&] {
          const std::size_t audio = formats::SilentMpegFrames(8).size(), album = support::ReadFileBytes(music + "Night Ferry - merged.mp3").size();
          EXPECT_TRUE(album > 3 * audio && album < 4 * audio) << album;
        }},
       {"shown:lstSortFiles=1", "lstFiles=a.mp3|b.mp3|c.mp3|Night Ferry - merged.mp3", "txtTitle=merged", "txtComment=merged by Quillmere Tonewright",
        "v2:Night Ferry - merged.mp3~merged|Night Ferry|", "asked=0"}}});
}

// A file the save cannot or must not write is named with the reason, left as it was, and stays on show.
TEST_F(TaggerTest, SavesTheWindowRefusesLeaveTheFileAndSaySo) {
  std::optional<support::ImmutableGuard> immutable;
  const auto start = [&] {
    failing.reset();
    window->setFormatFileSystem(failing);
    threeSongs();
    // An old tag that claims more bytes than the file has: replacing it would take audio.
    support::WriteFileBytes(paths[2], support::TagHeader(100000) + support::Frame("TIT2", support::Text("x")) + support::Audio());
    open(music);
  };
  const std::string all = "files=song1.mp3|song2.mp3|song3.mp3";  // and no work file
  std::vector<Row> rows = {
      {"a track outside 0..255", start, {"#0", "txtTitle=Neu", "txtTrack=300", "cmdSaveTag"},
       {"message~music/song1.mp3: Tracknummer au\xC3\x9F" "erhalb 0..255", "selected=song1.mp3", all, "changed="}},
      {"a file selected without being shown", start, {"#0", "txtTitle=Neu", "@2", "cmdSaveTag"}, {"message~music/song3.mp3: ", "selected=song3.mp3", all, "changed="}},
      {"a full disk", start, {"#0", "txtTitle=Neu", [&] { failing.diskFullAfter(0); }, "cmdSaveTag"},
       {"message~music/song1.mp3: Datentr\xC3\xA4ger voll", "selected=song1.mp3", all, "changed="}},
      {"a damaged tag, its loss answered Yes", start, {"#2", "txtTitle=Neu", "Yes", "cmdSaveTag"},
       {"message~music/song3.mp3: der Tag ist besch\xC3\xA4" "digt und w\xC3\xBC" "rde ersetzt", "selected=song3.mp3", all, "changed="}},
      {"a file that vanished", start, {"#0", "txtTitle=Neu", [&] { std::remove(paths[0].c_str()); }, "cmdSaveTag"},
       {"message~music/song1.mp3: die Datei ist verschwunden", "selected=song1.mp3", "files=song2.mp3|song3.mp3", "changed=song1.mp3"}}};
  support::WriteFileBytes(temp.file("probe"), "");
  if (support::ImmutableGuard(temp.file("probe")).active()) {  // chattr +i is not available everywhere
    rows.push_back({"a read-only file saved by Enter", [&] { start(), immutable.emplace(paths[1]); }, {"#1", "txtTitle=Neu", "txtTitle!"},
                    {"message~music/song2.mp3: schreibgesch\xC3\xBCtzt", "selected=song2.mp3", all, "changed="}});
  }
  for (Row& row : rows) {
    row.expect.insert(row.expect.end(), {"txtTitle=Neu", "kinds~2"});
    row.steps.push_back([&] { immutable.reset(); });
  }
  table(rows);
}


// A run held at its first file operation while the user tries other runs (none starts) or cancels.
TEST_F(TaggerTest, OneRunAtATimeAndCancelStopsBetweenTwoFiles) {
  QSemaphore go;
  std::atomic<bool> held{false}, waiting{false};
  const auto heldRun = [&](const Steps& start, const Steps& during) {
    const Step hold = [&] {
      held = waiting = runsFinish = false;
      failing.beforeOperation([&] {
        if (QThread::currentThread()->objectName() == QLatin1String(mainwindow::WorkerName) && !held.exchange(true))
          waiting = true, go.acquire();
      });
    };
    const Step atWorker = [&] { ASSERT_TRUE(RunUntil([&] { return waiting.load(); }) && window->runs().busy()); };
    const Step letGo = [&] { go.release(), runsFinish = true, finishRuns(), failing.beforeOperation({}); };
    return Then(Then(Then(Then({hold}, start), {atWorker}), during), {letGo});
  };
  const auto three = [this] { window->setFormatFileSystem(failing), threeSongs(), dialogs.shown.clear(); };
  const Steps heldSave = {"optTagEdit(0)", "cmdAllFiles(0)", "cmdHold(0)", "txtArtist=Alle", "Yes", "cmdSaveTag"};
  const Steps others = {"chkRemoveTag(0)", "cmdRemoveTags", "chkRemoveTag(1)", "txtTitle!", "^A", "#1", "Del", "cmdBatch", "cmdRefresh"};
  const std::string all = "files=song1.mp3|song2.mp3|song3.mp3";
  const std::string cancelled = "message=Abgebrochen: 1 von 3 Dateien bearbeitet, die \xC3\xBC" "brigen sind unver\xC3\xA4ndert.\n\n"
                                "Diese Dateien konnten nicht ge\xC3\xA4ndert werden:\nmusic/song2.mp3: nicht bearbeitet: abgebrochen\n"
                                "music/song3.mp3: nicht bearbeitet: abgebrochen";
  table({
      {"a held-field save, other runs tried", three, heldRun(heldSave, others),
       {all, "changed=song1.mp3|song2.mp3|song3.mp3", "v2:song1.mp3=Title 1|Alle||||1|1", "v2:song2.mp3=Title 2|Alle||||2|1", "v2:song3.mp3=Title 3|Alle||||3|1",
        "asked=1"}},
      {"the save of the file on show, other runs tried", three, heldRun({"optTagEdit(0)", "cmdHold(0)", "#0", "txtTitle=Neu", "txtTitle!"}, others),
       {all, "changed=song1.mp3", "v2:song1.mp3=Neu|||||1|1", "asked=0"}},
      {"a held-field save cancelled", three, heldRun(heldSave, {"cmdCancel"}),
       {all, "changed=song1.mp3", "v2:song1.mp3=Title 1|Alle||||1|1", "kinds=42", cancelled}},
      {"names to tags cancelled", three, heldRun({"cmdHold(1)", "optTagEdit(1)", "cmdAllFiles(1)", "cmdBatch"}, {"cmdCancel"}),
       {all, "changed=song1.mp3", "v2:song1.mp3=|song1||||1|1", "kinds=2", cancelled}},
      {"tags to names cancelled", three, heldRun({"cmdHold(1)", "optTagEdit(2)", "cmdAllFiles(0)", "cmdBatch", "optTagEdit(0)"}, {"cmdCancel"}),
       {"files=1 - Artist 1 - Title 1.mp3|song2.mp3|song3.mp3", "kinds=2", cancelled}},
      {"a removal cancelled", three,
       heldRun({"optTagEdit(0)", "cmdHold(1)", "chkRemoveTag(0)", "optRem(1)", "cmdAllFiles(2)", "Yes", "cmdRemoveTags", "chkRemoveTag(1)"}, {"cmdCancel"}),
       {all, "changed=song1.mp3", "v2:song1.mp3=-", "kinds=42", cancelled}},
      {"a delete cancelled", three, heldRun({"optTagEdit(0)", "cmdAllFiles(0)", "Yes", "Del"}, {"cmdCancel"}),
       {"files=song2.mp3|song3.mp3", "kinds=42", cancelled}}});
}

}  // namespace
}  // namespace tagger_test
