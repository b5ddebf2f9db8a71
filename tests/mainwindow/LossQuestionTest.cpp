// A save that would drop part of a tag asks first: Yes writes, No leaves the file, and a
// run over several files asks once and lists the files answered No with the failures.
#include "TaggerFixture.h"
#include "support/ID3V230Bytes.h"

namespace tagger_test {
namespace {

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
  heldArtistOntoAll("Alle", "No");
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
  EXPECT_TRUE(window->tagFlags().ID3V230Found);
}

// A batch run over files that would lose data asks once for the whole run.
TEST_F(EditorTest, BatchRunAsksOnceForTheFilesThatWouldLoseData) {
  window->FillFieldOrderLists();
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
