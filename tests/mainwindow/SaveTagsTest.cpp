// Saving: the Enter key that saves and moves on, the save button for one file and for
// the held fields of several, and saves that cannot write a file.
#include "TaggerFixture.h"
#include "support/Process.h"

namespace tagger_test {
namespace {

TEST_F(EditorTest, EnterSavesTheFileAndShowsTheNextOne) {
  threeSongs();
  // Enter with two selected does nothing.
  click(0);
  selectRows({0, 1});
  const auto before = contents();
  type("txtTitle", U("Nicht gespeichert"));
  enter("txtTitle");
  EXPECT_EQ(contents(), before);
  EXPECT_EQ(selected(), (Names{"song1.mp3", "song2.mp3"}));

  click(0);
  type("txtTitle", U("Neuer Titel \xC3\xA4"));
  enter("txtTitle");
  ReadBack first(paths[0]);
  EXPECT_EQ(tagging::TrimBlanks(first.v1.SongTitle()), "Neuer Titel \xC3\xA4");
  EXPECT_EQ(first.v2.SongTitle(), "Neuer Titel \xC3\xA4");
  EXPECT_EQ(first.v2.Artist(), "Artist 1");
  EXPECT_FALSE(first.v2.GraphicSize().empty());
  EXPECT_EQ(first.v2.GraphicSize().find('|'), std::string::npos);  // the picture is still there, once
  EXPECT_EQ(selected(), Names{"song2.mp3"});
  EXPECT_EQ(text("txtTitle"), U("Title 2"));
  EXPECT_TRUE(dialogs.shown.empty());

  // mutagen reads an ID3v2.3 tag with the new title, and an ID3v1 block.
  const std::string script = temp.file("check.py");
  support::WriteFileBytes(script,
                          "import sys\nfrom mutagen.id3 import ID3\nt = ID3(sys.argv[1])\n"
                          "print(t.version[:2], t['TIT2'].text[0].encode('latin-1').hex(), open(sys.argv[1],'rb').read()[-128:-125])\n");
  std::string output;
  ASSERT_EQ(support::RunCommand(support::SystemPython() + " " + support::ShellQuote(script) + " " + support::ShellQuote(paths[0]), output), 0);
  EXPECT_EQ(output, "(2, 3) 4e6575657220546974656c20e4 b'TAG'\n");

  // Every other text field saves on Enter too.
  for (const char* name : {"txtArtist", "txtAlbum", "txtComment", "txtYear"}) {
    click(0);
    type(name, U("1234"));
    enter(name);
    EXPECT_EQ(selected(), Names{"song2.mp3"}) << name;
  }
  const ReadBack all(paths[0]);
  EXPECT_EQ(all.v2.Artist() + all.v2.Album() + all.v2.Comment() + all.v2.Year(), "1234123412341234");

  // Enter on the last file saves it and keeps it; 40 characters are cut to 30 in ID3v1.1 only.
  const std::string forty = "Vierzig Zeichen sind zehn mehr als dreis";
  click(2);
  type("txtTitle", QString::fromLatin1(forty.c_str()));
  enter("txtTitle");
  const ReadBack last(paths[2]);
  EXPECT_EQ(last.v2.SongTitle(), forty);
  EXPECT_EQ(last.v1.SongTitle(), forty.substr(0, 30));
  EXPECT_EQ(selected(), Names{"song3.mp3"});
  EXPECT_EQ(text("txtTitle"), QString::fromLatin1(forty.c_str()));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(EditorTest, HeldArtistGoesToEverySelectedFileWhichKeepsItsOwnFields) {
  threeSongs();
  const auto before = contents();
  for (const bool held : {false, true}) {  // with nothing held, or answered No, nothing changes
    press("cmdAllFiles(0)");
    for (int i = 0; i < 5; ++i) hold(i)->setChecked(held && i == 0);
    if (held) dialogs.setNextAnswer(core::Answer::No);
    type("txtArtist", U("Niemand"));
    press("cmdSaveTag");
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(dialogs.shown.size(), held ? 1u : 0u);
  }
  dialogs.shown.clear();
  hold(0)->setChecked(false);
  heldArtistOntoAll(U("Alle zusammen"), core::Answer::Yes);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, U("Gehaltene Tags wirklich auf alle ausgew\xC3\xA4hlte Dateien anwenden ?   "));
  EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Question);
  for (int i = 0; i < 3; ++i) {
    ReadBack saved(paths[i]);
    EXPECT_EQ(saved.v2.Artist(), "Alle zusammen");
    EXPECT_EQ(tagging::TrimBlanks(saved.v1.Artist()), "Alle zusammen");
    EXPECT_EQ(saved.v2.SongTitle(), "Title " + std::to_string(i + 1));
    EXPECT_EQ(saved.v2.Track(), i + 1);
    EXPECT_FALSE(saved.v2.GraphicSize().empty()) << "the picture stays";
  }
  EXPECT_EQ(window->ListClickSuppressed(), 0);
}

TEST_F(EditorTest, ReadOnlyFileIsNamedAndTheOthersAreSaved) {
  threeSongs();
  support::ImmutableGuard immutable(paths[1]);
  if (!immutable.active()) GTEST_SKIP() << "chattr +i is not available here";
  const std::string original = support::ReadFileBytes(paths[1]);
  // Enter keeps the file on show, with the typed text.
  click(1);
  type("txtTitle", U("Neu"));
  enter("txtTitle");
  EXPECT_TRUE(failureMessage().contains(Q(paths[1])));
  EXPECT_EQ(selected(), Names{"song2.mp3"});
  EXPECT_EQ(text("txtTitle"), U("Neu"));

  dialogs.shown.clear();
  heldArtistOntoAll(U("Alle"), core::Answer::Yes);
  EXPECT_EQ(ReadBack(paths[0]).v2.Artist(), "Alle");
  EXPECT_EQ(ReadBack(paths[2]).v2.Artist(), "Alle");
  EXPECT_EQ(support::ReadFileBytes(paths[1]), original);
  ASSERT_EQ(dialogs.shown.size(), 2u);  // the question, then the one message
  const QString message = failureMessage();
  EXPECT_TRUE(message.contains(Q(paths[1])));
  EXPECT_FALSE(message.contains(Q(paths[0])) || message.contains(Q(paths[2])));
}

TEST_F(EditorTest, SavesTheWindowRefusesLeaveTheFileAndSaySo) {
  threeSongs();
  struct Case {
    const char* name;
    std::function<void()> arrange;
    int row;  // the file that must not be written
  };
  const Case cases[] = {{"a track outside 0..255", [this] { type("txtTrack", U("300")); }, 0},
                        {"a file selected without being shown", [this] { selectRows({1}); }, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.shown.clear();
    click(0);
    type("txtTitle", U("Neu"));
    c.arrange();
    const std::string before = support::ReadFileBytes(paths[c.row]);
    press("cmdSaveTag");
    EXPECT_TRUE(failureMessage().contains(Q(paths[c.row])));
    EXPECT_EQ(support::ReadFileBytes(paths[c.row]), before);
    EXPECT_EQ(support::FolderEntries(music).size(), 3u) << "no work file is left";
  }
}

}  // namespace
}  // namespace tagger_test
