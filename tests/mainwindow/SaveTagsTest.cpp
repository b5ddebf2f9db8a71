// Saving: the Enter key that saves and moves on, the save button for one file and for
// the held fields of several, and saves that cannot write a file.
#include "TaggerFixture.h"
#include "mainwindow/EditCaptions.h"

namespace tagger_test {
namespace {

TEST_F(EditorTest, EnterSavesTheFileAndShowsTheNextOne) {
  threeSongs();
  // Enter with two selected does nothing.
  const auto before = contents();
  act({"#0", "@0,1", "txtTitle=Nicht gespeichert", "txtTitle!"});
  EXPECT_EQ(contents(), before);
  EXPECT_EQ(selected(), (Names{"song1.mp3", "song2.mp3"}));

  act({"#0", "txtTitle=Neuer Titel \xC3\xA4", "txtTitle!"});
  ReadBack first(paths[0]);
  EXPECT_EQ(first.v2.SongTitle(), "Neuer Titel \xC3\xA4");
  EXPECT_EQ(first.v2.Artist(), "Artist 1");
  EXPECT_FALSE(first.v2.GraphicSize().empty());
  EXPECT_EQ(first.v2.GraphicSize().find('|'), std::string::npos);  // the picture is still there, once
  EXPECT_EQ(selected(), Names{"song2.mp3"});
  EXPECT_EQ(text("txtTitle"), U("Title 2"));
  EXPECT_TRUE(dialogs.shown.empty());

  // Every other text field saves on Enter too.
  for (const std::string name : {"txtArtist", "txtAlbum", "txtComment", "txtYear"}) {
    act({"#0", name + "=1234", name + "!"});
    EXPECT_EQ(selected(), Names{"song2.mp3"}) << name;
  }
  const ReadBack all(paths[0]);
  EXPECT_EQ(all.v2.Artist() + all.v2.Album() + all.v2.Comment() + all.v2.Year(), "1234123412341234");

  // Enter on the last file saves it and keeps it.
  act({"#2", "txtTitle=Letzter", "txtTitle!"});
  EXPECT_EQ(ReadBack(paths[2]).v2.SongTitle(), "Letzter");
  EXPECT_EQ(selected(), Names{"song3.mp3"});
  EXPECT_EQ(text("txtTitle"), U("Letzter"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(EditorTest, HeldArtistGoesToEverySelectedFileWhichKeepsItsOwnFields) {
  threeSongs();
  const auto before = contents();
  for (const bool held : {false, true}) {  // with nothing held, or answered No, nothing changes
    act({"cmdAllFiles(0)"});
    for (int i = 0; i < 5; ++i) hold(i)->setChecked(held && i == 0);
    if (held) dialogs.setNextAnswer(core::Answer::No);
    act({"txtArtist=Niemand", "cmdSaveTag"});
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(dialogs.shown.size(), held ? 1u : 0u);
  }
  dialogs.shown.clear();
  hold(0)->setChecked(false);
  heldArtistOntoAll("Alle zusammen", "Yes");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, mainwindow::ApplyHeldQuestion());
  EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Question);
  for (int i = 0; i < 3; ++i) {
    ReadBack saved(paths[i]);
    EXPECT_EQ(saved.v2.Artist(), "Alle zusammen");
    EXPECT_EQ(saved.v2.SongTitle(), "Title " + std::to_string(i + 1));
    EXPECT_EQ(saved.v2.Track(), i + 1);
    EXPECT_FALSE(saved.v2.GraphicSize().empty()) << "the picture stays";
  }
  EXPECT_EQ(window->ListClickSuppressed(), 0);
}

// A file the save cannot or must not write is named in one message, left as it was, and
// stays on show with the typed text.
TEST_F(EditorTest, SavesTheWindowRefusesLeaveTheFileAndSaySo) {
  threeSongs();
  const support::ImmutableGuard immutable(paths[1]);
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    int row;  // the file that must not be written, and that is selected afterwards
  };
  const Case cases[] = {{"a track outside 0..255", {"#0", "txtTitle=Neu", "txtTrack=300", "cmdSaveTag"}, 0},
                        {"a file selected without being shown", {"#0", "txtTitle=Neu", "@2", "cmdSaveTag"}, 2},
                        {"a read-only file saved by Enter", {"#1", "txtTitle=Neu", "txtTitle!"}, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.row == 1 && !immutable.active()) continue;  // chattr +i is not available here
    dialogs.shown.clear();
    const std::string before = support::ReadFileBytes(paths[c.row]);
    act(c.steps);
    EXPECT_TRUE(failureMessage().contains(Q(paths[c.row])));
    EXPECT_EQ(support::ReadFileBytes(paths[c.row]), before);
    EXPECT_EQ(support::FolderEntries(music).size(), 3u) << "no work file is left";
    EXPECT_EQ(selected(), Names{"song" + std::to_string(c.row + 1) + ".mp3"});
    EXPECT_EQ(text("txtTitle"), U("Neu"));
  }
}

}  // namespace
}  // namespace tagger_test
