// Saving: the Enter key that saves and moves on, the save button for one file and for
// the held fields of several, saves that cannot write a file, and saves that would drop
// part of a tag: they ask first, Yes writes, No leaves the file, and a run over several
// files asks once and lists the files answered No with the failures.
#include <QAction>

#include "TaggerFixture.h"
#include "mainwindow/EditCaptions.h"
#include "support/FailingFileSystem.h"
#include "support/ID3V230Bytes.h"

namespace tagger_test {
namespace {

TEST_F(EditorTest, EnterSavesTheFileAndShowsTheNextOne) {
  threeSongs();
  // Enter with two selected does nothing.
  const auto before = contents();
  act({"#0", "@0,1", "txtTitle=Nicht gespeichert", "txtTitle!"});
  EXPECT_EQ(contents(), before);
  EXPECT_EQ(window->editing().model().fields().title, "Nicht gespeichert");  // typed text reaches the model
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

  // Enter on the last file saves it and keeps it; its picture record names the picture
  // frame where the longer title has moved it.
  act({"#2", "txtTitle=Der letzte Titel", "txtTitle!"});
  const ReadBack last(paths[2]);
  EXPECT_EQ(last.v2.SongTitle(), "Der letzte Titel");
  EXPECT_EQ(selected(), Names{"song3.mp3"});
  EXPECT_EQ(text("txtTitle"), U("Der letzte Titel"));
  ASSERT_EQ(pictureList().size(), 2u);
  EXPECT_EQ(std::to_string(pictureList()[1].StartPos) + " " + std::to_string(pictureList()[1].Size),
            last.v2.GraphicStartPos() + " " + last.v2.GraphicSize());
  // A picture deleted in the cover window is gone from the file after the next save.
  ASSERT_TRUE(cover->hasPicture());
  cover->setSelectedType([] { return std::optional<int>(3); });  // front cover, as the program's own link gives it
  cover->findChild<QAction*>(QStringLiteral("mnuPicDel"))->trigger();
  act({"txtTitle!"});
  EXPECT_EQ(ReadBack(paths[2]).v2.GraphicSize(), "");
  EXPECT_EQ(ReadBack(paths[2]).v2.SongTitle(), "Der letzte Titel");
  // A field typed back to its text as first shown is a change against the save before.
  act({"txtTitle=Title 3", "txtTitle!"});
  EXPECT_EQ(ReadBack(paths[2]).v2.SongTitle(), "Title 3");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(EditorTest, HeldArtistGoesToEverySelectedFileWhichKeepsItsOwnFields) {
  threeSongs();
  // The second file's ID3v1.1 tag has a year its ID3v2.3 tag has not: the view shows it, and
  // as nobody changed it, each tag keeps its own.
  formats::clsID3V111Writer year;
  year.setSongTitle("Title 2"), year.setYear("1337"), year.WriteID3V111Tag(paths[1]);
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
  act({"cmdAllFiles(0)", "chkHold(0)", "txtArtist=Alle zusammen", "Yes", "cmdSaveTag"});
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, mainwindow::ApplyHeldQuestion());
  EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Question);
  for (int i = 0; i < 3; ++i) {
    ReadBack saved(paths[i]);
    EXPECT_EQ(saved.v2.Artist(), "Alle zusammen");
    EXPECT_EQ(saved.v2.SongTitle(), "Title " + std::to_string(i + 1));
    EXPECT_EQ(saved.v2.Track(), i + 1);
    EXPECT_EQ(saved.v2.Year() + "/" + saved.v1.Year(), i == 1 ? "/1337" : "/    ");
    EXPECT_FALSE(saved.v2.GraphicSize().empty()) << "the picture stays";
  }
  EXPECT_EQ(text("txtTitle"), U("Title 3"));  // the view shows the last file written
  EXPECT_EQ(window->ListClickSuppressed(), 0);
}

// A run over several files reads each file itself: no picture is copied out of a file for
// it, and the save carries each picture frame over as it is.
TEST_F(EditorTest, RunsOverSeveralFilesCopyNoPicture) {
  window->batchRun().FillFieldOrderLists();
  const std::vector<std::pair<const char*, std::vector<std::string>>> runs = {
      {"held fields", {"cmdAllFiles(0)", "chkHold(0)", "txtArtist=Alle", "Yes", "cmdSaveTag", "chkHold(0)"}},
      {"names to tags", {"optTagEdit(1)", "cmdAllFiles(1)", "cmdBatch", "optTagEdit(0)"}},
      {"tags to names", {"optTagEdit(2)", "cmdAllFiles(1)", "cmdBatch", "optTagEdit(0)"}},
  };
  for (const auto& [name, steps] : runs) {
    SCOPED_TRACE(name);
    paths.clear();
    for (const std::string& left : support::FolderEntries(music)) std::remove((music + left).c_str());
    threeSongs();
    act({"#0"});  // the file on show has its picture copied for the cover window
    ASSERT_EQ(support::FolderEntries(values.TempDir).size(), 1u);
    std::remove((values.TempDir + support::FolderEntries(values.TempDir)[0]).c_str());
    act(steps);
    // At most the copy for the file the view shows when the run has ended; a run that read
    // its files through the view would leave one copy per file.
    EXPECT_LE(support::FolderEntries(values.TempDir).size(), 1u);
    const std::string front = support::ReadFileBytes(temp.file("front.png"));
    for (const std::string& file : support::FolderEntries(music)) {
      formats::clsID3V230Reader reader;
      reader.ReadID3V230Tag(music + file);
      ASSERT_EQ(reader.Pictures().size(), 1u) << file;
      std::string info, subtype;
      formats::clsID3V230Reader extract(formats::FormatEnv{}, temp.file("check"));
      const std::string copy = extract.ExtractGraphic(music + file, reader.Pictures()[0].startPos, reader.Pictures()[0].size, info, subtype);
      EXPECT_EQ(support::ReadFileBytes(copy), front) << file;
    }
  }
}

// A file the save cannot or must not write is named in one message with the reason, left
// as it was, and stays on show with the typed text.
TEST_F(EditorTest, SavesTheWindowRefusesLeaveTheFileAndSaySo) {
  threeSongs();
  const support::ImmutableGuard immutable(paths[1]);
  const std::string intact = support::ReadFileBytes(paths[2]);
  // An old tag that claims more bytes than the file has: replacing it would take audio.
  const std::string damaged = support::TagHeader(100000) + support::Frame("TIT2", support::Text("x")) + support::Audio();
  support::WriteFileBytes(paths[2], damaged);
  support::FailingFileSystem failing;
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    std::function<void()> before;  // between the steps and the save
    const char* save;
    int row;  // the file that must not be written, and that is selected afterwards
    const char* reason;  // the reason the message gives ("": the system's own words)
  };
  const Case cases[] = {
      {"a track outside 0..255", {"#0", "txtTitle=Neu", "txtTrack=300"}, {}, "cmdSaveTag", 0,
       "Tracknummer au\xC3\x9F" "erhalb 0..255"},
      {"a file selected without being shown", {"#0", "txtTitle=Neu", "@2"}, {}, "cmdSaveTag", 2, ""},
      {"a read-only file saved by Enter", {"#1", "txtTitle=Neu"}, {}, "txtTitle!", 1, "schreibgesch\xC3\xBCtzt"},
      {"a full disk", {"#0", "txtTitle=Neu"}, [&] { failing.diskFullAfter(0); }, "cmdSaveTag", 0,
       "Datentr\xC3\xA4ger voll"},
      {"a damaged tag, its loss answered Yes", {"#2", "txtTitle=Neu", "Yes"}, {}, "cmdSaveTag", 2,
       "der Tag ist besch\xC3\xA4" "digt und w\xC3\xBC" "rde ersetzt"},
      {"a file that vanished", {"#0", "txtTitle=Neu"}, [&] { std::remove(paths[0].c_str()); }, "cmdSaveTag", 0,
       "die Datei ist verschwunden"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.row == 1 && !immutable.active()) continue;  // chattr +i is not available here
    dialogs.shown.clear();
    failing.reset();
    window->setFormatFileSystem(failing);
    const std::string before = support::ReadFileBytes(paths[c.row]);
    act(c.steps);
    if (c.before) c.before();
    act({c.save});
    EXPECT_TRUE(failureMessage().contains(Q(paths[c.row]) + QStringLiteral(": ") + U(c.reason))) << failureMessage().toStdString();
    const bool vanished = !support::FileExists(paths[c.row]);
    EXPECT_EQ(vanished ? before : support::ReadFileBytes(paths[c.row]), before);
    EXPECT_EQ(support::FolderEntries(music).size(), vanished ? 2u : 3u) << "no work file is left";
    EXPECT_EQ(selected(), Names{"song" + std::to_string(c.row + 1) + ".mp3"});
    EXPECT_EQ(text("txtTitle"), U("Neu"));
    if (vanished) support::WriteFileBytes(paths[c.row], before);
  }
  EXPECT_EQ(support::ReadFileBytes(paths[2]), damaged);
  support::WriteFileBytes(paths[2], intact);
}

// An ID3v2.4 tag with a compressed frame, which ID3v2.3 cannot hold.
std::string LossyFile() {
  return support::Bytes("ID3\x04\x00\x00\x00\x00\x00\x1b" "TIT2\x00\x00\x00\x03\x00\x00\x00" "ab"
                        "TXXX\x00\x00\x00\x04\x00\x08" "zzzz") + support::Audio();
}

TEST_F(EditorTest, LossIsAskedOnceAndNoLeavesTheFile) {
  threeSongs();
  for (const int row : {0, 2}) support::WriteFileBytes(paths[row], LossyFile());
  for (const std::string answer : {"No", "Yes"}) {
    SCOPED_TRACE(answer);
    const bool no = answer == "No";
    dialogs.shown.clear();
    act({"#0", "txtTitle=Neu \xE6\x9D\xB1", answer, "cmdSaveTag"});
    ASSERT_GE(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Question);
    EXPECT_TRUE(dialogs.shown[0].text.contains(Q(paths[0])));
    EXPECT_TRUE(dialogs.shown[0].text.contains(U("compressed ID3v2.4 frame TXXX")));
    EXPECT_EQ(support::ReadFileBytes(paths[0]) == LossyFile(), no);
    // No: the file is named with the failures; Yes: nothing more is shown.
    ASSERT_EQ(dialogs.shown.size(), no ? 2u : 1u);
    EXPECT_TRUE(dialogs.shown.back().text.contains(Q(paths[0])));
  }
  EXPECT_EQ(ReadBack(paths[0]).v2.SongTitle(), "Neu \xE6\x9D\xB1");  // typed non-Latin text kept

  // Several files: the held-fields question, one loss question for the run, the failures.
  support::WriteFileBytes(paths[0], LossyFile());
  dialogs.shown.clear();
  dialogs.setNextAnswer(core::Answer::Yes);
  act({"cmdAllFiles(0)", "chkHold(0)", "txtArtist=Alle", "No", "cmdSaveTag"});
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[1].kind, core::MessageKind::Question);
  const QString message = failureMessage();
  EXPECT_TRUE(message.contains(Q(paths[0])) && message.contains(Q(paths[2])));
  EXPECT_FALSE(message.contains(Q(paths[1])));
  EXPECT_EQ(support::ReadFileBytes(paths[2]), LossyFile());
  EXPECT_EQ(ReadBack(paths[1]).v2.Artist(), "Alle");

  // A tag that cannot be read at all is named in the view, never shown as no tag.
  support::WriteFileBytes(paths[1], support::Tagged(support::Frame("TIT2", support::Text("a")), 0, 5) + support::Audio());
  click(1);
  EXPECT_TRUE(find<QPlainTextEdit>("txtUnknown")->toPlainText().startsWith(U("ID3v2.5: ")));
  EXPECT_TRUE(window->editing().tagFlags().ID3V230Found);
}

// A batch run over files that would lose data asks once for the whole run.
TEST_F(EditorTest, BatchRunAsksOnceForTheFilesThatWouldLoseData) {
  window->batchRun().FillFieldOrderLists();
  for (const std::string answer : {"No", "Yes"}) {
    SCOPED_TRACE(answer);
    paths = {music + "01. Band - Song.mp3", music + "02. Band - Other.mp3", song("03. Band - Fine.mp3", {}, {})};
    for (const int row : {0, 1}) support::WriteFileBytes(paths[row], LossyFile());
    open(music);
    dialogs.shown.clear();
    act({"optTagEdit(1)", "chkIgnore", "txtIgnore=4", "cmdAllFiles(1)", answer, "cmdBatch"});
    ASSERT_GE(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(U("compressed ID3v2.4 frame TXXX")));
    EXPECT_EQ(ReadBack(paths[2]).v2.SongTitle(), "Fine");
    for (const int row : {0, 1}) EXPECT_EQ(support::ReadFileBytes(paths[row]) == LossyFile(), answer == "No") << row;
    // No: one question, then the two files named with the failures; Yes: the question only.
    ASSERT_EQ(dialogs.shown.size(), answer == "No" ? 2u : 1u);
    if (answer == "No") {
      EXPECT_TRUE(failureMessage().contains(Q(paths[0])) && failureMessage().contains(Q(paths[1])));
    }
    act({"optTagEdit(0)"});
  }
  EXPECT_EQ(ReadBack(paths[1]).v2.SongTitle(), "Other");
}

}  // namespace
}  // namespace tagger_test

namespace tagger_test {
namespace {

// Ctrl+Z takes back the last save, the window's menu entry being the same command; with
// nothing left it says so.
TEST_F(EditorTest, CtrlZTakesBackTheLastSave) {
  const support::ScopedDataHome home;
  threeSongs();
  const Names before = contents();
  act({"#0", "txtTitle=Neuer Titel", "txtTitle!"});
  ASSERT_TRUE(contents() != before);
  auto* files = find<QListWidget>("lstFiles");
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  files->setFocus();
  QTest::keyClick(files, Qt::Key_Z, Qt::ControlModifier);
  finishRuns();
  EXPECT_TRUE(contents() == before) << "Ctrl+Z in the file list undoes the save";
  EXPECT_TRUE(dialogs.shown.empty());
  find<QAction>("mnuUndo")->trigger();
  finishRuns();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, U("Es gibt nichts r\xC3\xBC" "ckg\xC3\xA4ngig zu machen."));
  // A file written by another program after the save is left as it is and named.
  act({"#1", "txtTitle=Noch einer", "txtTitle!"});
  support::WriteFileBytes(paths[1], support::ReadFileBytes(paths[1]) + "later");
  const std::string later = support::ReadFileBytes(paths[1]);
  find<QAction>("mnuUndo")->trigger();
  finishRuns();
  EXPECT_EQ(support::ReadFileBytes(paths[1]), later);
  EXPECT_NE(failureMessage().indexOf(QString::fromStdString(paths[1])), -1);
}

}  // namespace
}  // namespace tagger_test
