// The working modes, the batch panel, the play order and the removal panel, driven
// through their widgets.

#include <QSemaphore>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdio>

#include "TaggerFixture.h"
#include "support/FailingFileSystem.h"
#include "mainwindow/RunController.h"
#include "tagging/Playlist.h"

namespace tagger_test {
namespace {

class BatchTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    window->batchRun().FillFieldOrderLists();
    window->batchRun().AlignDragDropOption();
  }
  bool shown(const char* name) { return !find<QWidget>(name)->isHidden(); }
  QListWidget* sortFiles() { return find<QListWidget>("lstSortFiles"); }
  // The left button held from one entry of the play order to another, one entry at a time.
  void drag(int from, int to) {
    QWidget* view = sortFiles()->viewport();
    const auto at = [&](int row) { return sortFiles()->visualItemRect(sortFiles()->item(row)).center(); };
    QTest::mousePress(view, Qt::LeftButton, {}, at(from));
    for (int row = from; row != to;) {
      row += to > from ? 1 : -1;
      QMouseEvent move(QEvent::MouseMove, at(row), view->mapToGlobal(at(row)), Qt::NoButton, Qt::LeftButton, {});
      QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(to));
  }
};

TEST_F(BatchTest, EachModeShowsItsPanelsAndFocus) {
  struct Case {
    int mode;
    std::vector<bool> visible;  // picBatch, lstFiles, chkNoTagOnly, chkMerge, chkDragDrop, lblDetect(1), lblDetect(2), cmdAllFiles(1), picRemoveTags
    const char* focus;
  };
  const std::vector<Case> cases = {
      {1, {true, true, true, false, false, true, false, true, false}, "txtSeparator"},
      {2, {true, true, false, true, true, false, true, false, false}, "txtSeparator"},
      {0, {false, true, false, true, true, false, true, false, false}, "txtTitle"},  // mode 0 leaves the batch options alone
  };
  find<QLineEdit>("txtSeparator")->setText("_");
  for (const Case& c : cases) {
    act({"optTagEdit(" + std::to_string(c.mode) + ")"});
    std::vector<bool> visible;
    for (const char* name : {"picBatch", "lstFiles", "chkNoTagOnly", "chkMerge", "chkDragDrop", "lblDetect(1)", "lblDetect(2)", "cmdAllFiles(1)", "picRemoveTags"})
      visible.push_back(shown(name));
    EXPECT_EQ(visible, c.visible) << c.mode;
    EXPECT_EQ(window->focusWidget()->objectName(), QString::fromLatin1(c.focus)) << c.mode;
  }
  EXPECT_EQ(find<QLineEdit>("txtSeparator")->text(), U(" - "));  // set by mode 2

  // The "X" boxes open and close the removal panel and return to rest.
  act({"chkRemoveTag(0)"});
  EXPECT_TRUE(shown("picRemoveTags"));
  EXPECT_FALSE(shown("picTags"));
  EXPECT_EQ(find<QWidget>("picRemoveTags")->pos(), find<QWidget>("picTags")->pos());
  act({"chkRemoveTag(1)"});
  EXPECT_FALSE(shown("picRemoveTags"));
  EXPECT_TRUE(shown("picTags"));
  EXPECT_FALSE(find<QCheckBox>("chkRemoveTag(0)")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("chkRemoveTag(1)")->isChecked());

}

TEST_F(BatchTest, DetectionListsTakeFourWordsAndShowTheirPattern) {
  act({"optTagEdit(1)", "cmdNew"});
  EXPECT_EQ(find<QLabel>("lblDetect(1)")->text(), U("  .mp3  "));
  act({"chkDetect(3)", "chkDetect(0)", "chkDetect(1)", "chkDetect(2)", "chkDetect(0)"});
  EXPECT_EQ(find<QListWidget>("lstDetect(1)")->count(), 4);
  EXPECT_EQ(find<QLabel>("lblDetect(1)")->text(), U("  Nr - Interpret - Titel - Album.mp3  "));
  act({"txtSeparator=_"});
  EXPECT_EQ(find<QLabel>("lblDetect(1)")->text(), U("  Nr_Interpret_Titel_Album.mp3  "));
  EXPECT_EQ(find<QLabel>("lblDetect(2)")->text(), U("  Nr_Interpret_Titel.mp3  "));
  QTest::mouseDClick(field("txtSeparator"), Qt::LeftButton);
  EXPECT_EQ(text("txtSeparator"), U(" - "));
  // The skip count takes digits only.
  QTest::keyClicks(field("txtIgnore"), "4x");
  EXPECT_EQ(text("txtIgnore"), U("4"));
}

TEST_F(BatchTest, FileNamesBecomeTagsOfTheSelectedFiles) {
  paths = {song("01. Some Band - First Song.mp3", {}, {}), song("02. Other - Second.mp3", {}, {})};
  open(music);
  // A held field asks first; No changes nothing.
  act({"optTagEdit(1)", "chkIgnore", "txtIgnore=4", "cmdAllFiles(1)", "chkHold(2)", "txtComment=held", "No"});
  const auto before = contents();
  act({"cmdBatch"});
  EXPECT_EQ(contents(), before);
  act({"Yes", "cmdBatch"});
  const ReadBack second(paths[1]);
  EXPECT_EQ(second.v2.Artist() + "|" + second.v2.SongTitle() + "|" + second.v2.Comment(), "Other|Second|held");
  EXPECT_EQ(caption("cmdBatch"), U("S T A R T"));
  EXPECT_TRUE(find<QPushButton>("cmdBatch")->isEnabled());
}

TEST_F(BatchTest, DraggedOrderIsRenumberedAndATakenNameIsReported) {
  const support::ScopedDataHome home;
  for (const std::string title : {"a", "b", "c", "d"}) paths.push_back(song(title + ".mp3", {}, [&](auto& t) { t.setArtist("X"), t.setSongTitle(title); }));
  open(music);
  act({"optTagEdit(2)", "chkDragDrop"});
  EXPECT_TRUE(sortFiles()->isVisible());
  EXPECT_FALSE(files()->isVisible());
  EXPECT_EQ(sortFiles()->palette().color(QPalette::Base), QColor(30, 30, 30));
  drag(0, 3);
  EXPECT_EQ(listed(sortFiles()), (Names{"b.mp3", "c.mp3", "d.mp3", "a.mp3"}));
  const auto before = contents();
  act({"cmdBatch"});
  EXPECT_EQ(listed(files()), (Names{"1 - X - b.mp3", "2 - X - c.mp3", "3 - X - d.mp3", "4 - X - a.mp3"}));
  EXPECT_EQ(support::ReadFileBytes(music + "4 - X - a.mp3"), before[0]);
  EXPECT_TRUE(dialogs.shown.empty());
  // The order is also the folder's playlist; Undo takes back the names and the playlist.
  const std::string playlist = tagging::PlaylistPath(music);
  const std::string text = support::ReadFileBytes(playlist);
  EXPECT_LT(text.find("\n1 - X - b.mp3\n"), text.find("\n4 - X - a.mp3\n"));
  EXPECT_EQ(text.compare(0, 26, "#EXTM3U\n#EXTINF:0,X - b\n1 "), 0) << text;
  find<QAction>("mnuUndo")->trigger();
  finishRuns();
  EXPECT_EQ(listed(files()), (Names{"a.mp3", "b.mp3", "c.mp3", "d.mp3"}));
  EXPECT_FALSE(support::FileExists(playlist));
  EXPECT_TRUE(contents() == before);
  EXPECT_TRUE(dialogs.shown.empty());
  drag(0, 3);
  act({"cmdBatch"});

  // Without the play order only the selected file is renamed; its name is taken.
  act({"chkDragDrop"});
  const Names order = listed(sortFiles());
  drag(0, 2);
  EXPECT_EQ(listed(sortFiles()), order) << "without the option the play order does not follow the mouse";
  song("e.mp3", {}, [](auto& t) { t.setArtist("X"), t.setSongTitle("b"); });
  window->FillFileList();
  act({"@4", "cmdBatch"});
  EXPECT_TRUE(support::FileExists(music + "e.mp3"));
  EXPECT_NE(failureMessage().indexOf(U("e.mp3: Zieldatei existiert bereits")), -1);
}

TEST_F(BatchTest, RemovalTakesWhatEachSelectedFileHas) {
  paths = {song("one.mp3", [](auto& t) { t.setSongTitle("v1"); }, [](auto& t) { t.setSongTitle("v2"); }),
           song("two.mp3", {}, [](auto& t) { t.setSongTitle("v2"); })};
  open(music);
  // The file on show has no ID3v1.1 tag; the other selected file's own tag still goes.
  act({"chkRemoveTag(0)", "#1", "@0,1", "optRem(0)", "No"});
  const auto before = contents();
  act({"cmdRemoveTags"});
  EXPECT_EQ(contents(), before);
  act({"Yes", "cmdRemoveTags"});
  EXPECT_FALSE(ReadBack(paths[0]).v1.TagPresent());
  EXPECT_TRUE(ReadBack(paths[0]).v2.TagPresent());
  // One file: no question.
  EXPECT_EQ(dialogs.shown.size(), 2u);
  act({"#1", "optRem(2)", "cmdRemoveTags"});
  EXPECT_FALSE(ReadBack(paths[1]).v2.TagPresent());
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(BatchTest, MergeJoinsThePlayOrderIntoAnAlbumFile) {
  for (const std::string title : {"a", "b", "c"}) paths.push_back(song(title + ".mp3", {}, [&](auto& t) { t.setArtist("Night Ferry"), t.setSongTitle(title); }));
  open(music);
  act({"optTagEdit(2)", "chkMerge"});
  EXPECT_TRUE(sortFiles()->isVisible());
  drag(2, 0);
  act({"cmdBatch"});
  EXPECT_EQ(listed(files()), (Names{"a.mp3", "b.mp3", "c.mp3", "Night Ferry - merged.mp3"}));
  EXPECT_EQ(text("txtTitle"), U("merged"));
  EXPECT_EQ(text("txtComment"), U("merged by Quillmere Tonewright"));
  EXPECT_EQ(ReadBack(music + "Night Ferry - merged.mp3").v2.Artist(), "Night Ferry");
  // The audio of all three, between the new tags.
  const std::size_t audio = formats::SilentMpegFrames(8).size(), album = support::ReadFileBytes(music + "Night Ferry - merged.mp3").size();
  EXPECT_TRUE(album > 3 * audio && album < 4 * audio) << album;
  EXPECT_TRUE(dialogs.shown.empty());
}

// Every run goes through the same steps: started with the real controls, held on its
// worker at its first file operation while the user tries other things (and maybe Cancel),
// then let go. Its files must end as the same run alone leaves them (done) or untouched
// (not done), and the end message must name the files a cancel left.
TEST_F(BatchTest, OneRunAtATimeAndCancelStopsBetweenTwoFiles) {
  struct Row {
    const char* name;
    std::vector<std::string> start;   // the steps that start the run
    std::vector<std::string> during;  // what the user does while the run is held
    std::vector<bool> done;           // per file: as the run alone leaves it, else untouched
  };
  const std::vector<std::string> heldSave = {"optTagEdit(0)", "cmdAllFiles(0)", "cmdHold(0)", "txtArtist=Alle", "Yes", "cmdSaveTag"};
  const std::vector<std::string> tryOthers = {"chkRemoveTag(0)", "cmdRemoveTags", "chkRemoveTag(1)", "txtTitle!", "^A", "#1", "Del", "cmdBatch", "cmdRefresh"};
  const Row rows[] = {
      {"a held-field save, other runs tried", heldSave, tryOthers, {true, true, true}},
      {"the save of the file on show, other runs tried", {"optTagEdit(0)", "cmdHold(0)", "#0", "txtTitle=Neu", "txtTitle!"},
       tryOthers, {true, false, false}},
      {"a held-field save cancelled", heldSave, {"cmdCancel"}, {true, false, false}},
      {"names to tags cancelled", {"cmdHold(1)", "optTagEdit(1)", "cmdAllFiles(1)", "cmdBatch"}, {"cmdCancel"}, {true, false, false}},
      {"tags to names cancelled", {"cmdHold(1)", "optTagEdit(2)", "cmdAllFiles(0)", "cmdBatch", "optTagEdit(0)"}, {"cmdCancel"}, {true, false, false}},
      {"a removal cancelled", {"optTagEdit(0)", "cmdHold(1)", "chkRemoveTag(0)", "optRem(1)", "cmdAllFiles(2)", "Yes", "cmdRemoveTags", "chkRemoveTag(1)"}, {"cmdCancel"}, {true, false, false}},
      {"a delete cancelled", {"optTagEdit(0)", "cmdAllFiles(0)", "Yes", "Del"}, {"cmdCancel"}, {true, false, false}},
  };
  support::FailingFileSystem fs;
  window->setFormatFileSystem(fs);
  threeSongs();
  const Names original = contents();
  const auto contentsNow = [&] {  // a deleted file reads as no bytes
    Names bytes;
    for (const std::string& path : paths) bytes.push_back(support::FileExists(path) ? support::ReadFileBytes(path) : "");
    return bytes;
  };
  const auto restore = [&] {  // the three files as they were, and no other
    for (const std::string& name : support::FolderEntries(music)) std::remove((music + name).c_str());
    for (std::size_t i = 0; i < paths.size(); ++i) support::WriteFileBytes(paths[i], original[i]);
    act({"cmdRefresh"});
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    restore();
    dialogs.shown.clear();
    act(row.start);
    const Names alone = contentsNow();
    const std::size_t messagesAlone = dialogs.shown.size();
    restore();
    dialogs.shown.clear();

    // The worker waits at its first file operation until the user has done what the row says.
    QSemaphore reached, go;
    std::atomic<bool> held{false};
    fs.beforeOperation([&] {
      if (QThread::currentThread()->objectName() == QLatin1String(mainwindow::WorkerName) && !held.exchange(true))
        reached.release(), go.acquire();
    });
    runsFinish = false;
    act(row.start);
    QDeadlineTimer deadline(60000);
    while (!reached.tryAcquire() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(window->runs().busy());
    act(row.during);
    go.release();
    runsFinish = true;
    finishRuns();
    fs.beforeOperation({});

    const Names now = contentsNow();
    // The files a cancel left; a run that never had them (the save of one file) names none.
    const bool cancelled = std::find(row.during.begin(), row.during.end(), "cmdCancel") != row.during.end();
    Names notDone;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      EXPECT_TRUE(now[i] == (row.done[i] ? alone[i] : original[i])) << i;
      if (!row.done[i] && cancelled) notDone.push_back(paths[i]);
    }
    // Nothing else started: no question beyond the run's own; a cancel adds its end message.
    ASSERT_EQ(dialogs.shown.size(), messagesAlone + (notDone.empty() ? 0 : 1));
    for (const std::string& path : notDone)
      EXPECT_TRUE(failureMessage().contains(Q(path) + U(": nicht bearbeitet: abgebrochen"))) << failureMessage().toStdString();
    if (!notDone.empty()) {
      EXPECT_FALSE(failureMessage().contains(Q(paths[0]) + U(":")));
    }
  }
}

}  // namespace
}  // namespace tagger_test
