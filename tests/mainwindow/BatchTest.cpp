// The working modes, the batch panel, the play order and the removal panel, driven
// through their widgets.

#include "TaggerFixture.h"
#include "tagging/Playlist.h"

namespace tagger_test {
namespace {

class BatchTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    window->FillFieldOrderLists();
    window->AlignDragDropOption();
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
  window->mnuUndo_Click();
  EXPECT_EQ(listed(files()), (Names{"a.mp3", "b.mp3", "c.mp3", "d.mp3"}));
  EXPECT_FALSE(support::FileExists(playlist));
  EXPECT_TRUE(contents() == before);
  EXPECT_TRUE(dialogs.shown.empty());
  drag(0, 3);
  act({"cmdBatch"});

  // Without the play order only the selected file is renamed; its name is taken.
  act({"chkDragDrop"});
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
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace tagger_test
