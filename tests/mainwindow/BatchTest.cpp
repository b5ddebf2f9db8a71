// The working modes, the batch panel, the play order, the removal panel, and one run at a time.
#include <atomic>

#include "TaggerFixture.h"
#include "mainwindow/RunController.h"

namespace tagger_test {
namespace {

TEST_F(TaggerTest, BatchTable) {
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
  table({
      // Each mode shows its panels and focus; mode 0 leaves the batch options alone.
      {"mode 1", {}, {"txtSeparator=_", "optTagEdit(1)"}, {panels + "111001010", "focus=txtSeparator", "txtSeparator=_"}},
      {"mode 2", {}, {"txtSeparator=_", "optTagEdit(1)", "optTagEdit(2)"}, {panels + "110110100", "focus=txtSeparator", "txtSeparator= - "}},
      {"mode 0", {}, {"optTagEdit(1)", "optTagEdit(2)", "optTagEdit(0)"}, {panels + "010110100", "focus=txtTitle"}},
      // The "X" boxes open and close the removal panel in the place of the tags and return to rest.
      {"removal panel", {}, {"chkRemoveTag(0)", [&] { EXPECT_EQ(find<QWidget>("picRemoveTags")->pos(), find<QWidget>("picTags")->pos()); }},
       {"shown:picRemoveTags,picTags=10"}},
      {"removal panel closed", {}, {"chkRemoveTag(0)", "chkRemoveTag(1)"}, {"shown:picRemoveTags,picTags=01", "checked:chkRemoveTag(0),chkRemoveTag(1)=01"}},
      // The detection lists take four words and show their pattern; the skip count takes digits.
      {"no words", {}, {"optTagEdit(1)", "cmdNew"}, {"lblDetect(1)=  .mp3  "}},
      {"four words", {}, detect, {"lstDetect(1)=Nr|Interpret|Titel|Album", "lblDetect(1)=  Nr - Interpret - Titel - Album.mp3  "}},
      {"another separator", {}, Then(detect, {"txtSeparator=_"}),
       {"lblDetect(1)=  Nr_Interpret_Titel_Album.mp3  ", "lblDetect(2)=  Nr_Interpret_Titel.mp3  "}},
      {"the separator double-clicked", {}, Then(detect, {"txtSeparator=_", "dbl:txtSeparator"}), {"txtSeparator= - "}},
      {"the skip count", {}, {"txtIgnore+=4x"}, {"txtIgnore=4"}},
      // File names become tags of the selected files; a held field asks first.
      {"names to tags answered No", named, Then(namesToTags, {"No", "cmdBatch"}), {"changed="}},
      {"names to tags", named, Then(namesToTags, {"Yes", "cmdBatch"}),
       {"v2:02. Other - Second.mp3~Second|Other|||held|", "cmdBatch=S T A R T", "enabled:cmdBatch=1"}},
      // The play order follows the mouse; the files are renamed in its order, which is also the folder's
      // playlist (naming every file, renamed or not); Undo takes back the names and the playlist.
      {"the play order dragged", abcd, {"optTagEdit(2)", "chkDragDrop", "drag:0>3"},
       {"shown:lstSortFiles,lstFiles=10", "lstSortFiles=b.mp3|c.mp3|d.mp3|a.mp3"}},
      {"the play order renumbered", abcd,
       Then(renumbered, {[&] {
              EXPECT_EQ(sortFiles()->palette().color(QPalette::Base), QColor(30, 30, 30));
              EXPECT_EQ(support::ReadFileBytes(music + "4 - X - a.mp3"), startBytes["a.mp3"]);
            }}),
       {renamed, playlist, "asked=0"}},
      {"renumbered again", abcd, Then(renumbered, {"Yes", "cmdBatch"}), {renamed, playlist, "asked=1"}},
      {"a name taken by a file that keeps its own", [&] { mp3(music, "2 - X - a.mp3"), songs("X", {"a", "b"})(); },
       {"optTagEdit(2)", "chkDragDrop", "cmdBatch"},
       {"files=2 - X - a.mp3|3 - X - b.mp3|a.mp3|music.m3u8", "message~music/a.mp3: Zieldatei existiert bereits",
        "file:music.m3u8=#EXTM3U\n#EXTINF:0,2 - X - a\n2 - X - a.mp3\n#EXTINF:0,X - a\na.mp3\n#EXTINF:0,X - b\n3 - X - b.mp3\n"}},
      {"the play order undone", abcd, Then(renumbered, {"mnuUndo"}), {"lstFiles=a.mp3|b.mp3|c.mp3|d.mp3", "changed=", "files=a.mp3|b.mp3|c.mp3|d.mp3", "asked=0"}},
      // Without the play order only the selected file is renamed; its name is taken.
      {"a taken name", abcd,
       Then(renumbered, {"chkDragDrop", [&] {
                           const Names order = listed(sortFiles());
                           drag(0, 2);
                           EXPECT_EQ(listed(sortFiles()), order) << "without the option the play order does not follow the mouse";
                           song("e.mp3", {}, [](auto& t) { t.setArtist("X"), t.setSongTitle("b"); });
                           window->FillFileList();
                         },
                         "@4", "cmdBatch"}),
       {"files~e.mp3", "message~music/e.mp3: Zieldatei existiert bereits", "kinds=2"}},
      // The removal takes what each selected file has: the file on show has no ID3v1.1 tag,
      // the other's own still goes; one file is not asked.
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
        "v2:Night Ferry - merged.mp3~merged|Night Ferry|", "asked=0"}},
  });
}

// Each run is started with the real controls and held on its worker at its first file operation
// while the user tries other runs (none starts) or cancels (the files not reached are named).
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
       {all, "changed=song1.mp3|song2.mp3|song3.mp3", "v2:song1.mp3=Title 1|Alle||||1|1", "v2:song3.mp3=Title 3|Alle||||3|1", "asked=1"}},
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
       {"files=song2.mp3|song3.mp3", "kinds=42", cancelled}},
  });
}

}  // namespace
}  // namespace tagger_test
