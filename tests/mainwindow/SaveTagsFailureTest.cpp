// Saves that cannot write a file: the file stays byte for byte as it was, the run goes on
// with the next file, and one message at the end names every file not written.
#include <cstdio>

#include "EditorFixture.h"
#include "support/FailingFileSystem.h"
#include "support/ID3V230Bytes.h"

namespace editor_test {
namespace {

class SaveFailureTest : public SaveTest {
 protected:
  void saveByButton() { QTest::mouseClick(button(QStringLiteral("cmdSaveTag")), Qt::LeftButton); }
  std::vector<std::string> musicFolder() const { return support::FolderEntries(music); }
};

TEST_F(SaveFailureTest, EveryFailingStepOfASaveLeavesTheFileAsItWasAndSaysSo) {
  threeSongs();
  const std::string original = support::ReadFileBytes(paths[0]);
  const auto entries = musicFolder();
  support::FailingFileSystem failing;
  bool sawSuccess = false;
  for (int step = 1; step < 40 && !sawSuccess; ++step) {
    SCOPED_TRACE("failing step " + std::to_string(step));
    support::WriteFileBytes(paths[0], original);
    window->setFormatFileSystem(formats::FileSystem::standard());
    show(0);
    type("txtTitle", U("Neu"));
    failing.reset();
    failing.failAt(step);
    window->setFormatFileSystem(failing);
    dialogs.shown.clear();
    saveByButton();

    EXPECT_EQ(musicFolder(), entries) << "no work file is left";
    EXPECT_EQ(saveCaption(), U("TAG speichern"));
    if (dialogs.shown.empty()) {
      // The step was not needed (or its failure did not matter): the file is saved.
      EXPECT_EQ(ReadBack(paths[0]).v2.SongTitle(), "Neu");
      sawSuccess = !failing.failed();
    } else {
      EXPECT_TRUE(failing.failed());
      EXPECT_EQ(support::ReadFileBytes(paths[0]), original) << failing.failedOperation();
      EXPECT_TRUE(failureMessage().contains(tagger_test::Q(paths[0])));
    }
  }
  EXPECT_TRUE(sawSuccess);
}

TEST_F(SaveFailureTest, SingleSavesThatCannotWriteAreReportedNotShownAsDone) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool fileStays;
  };
  support::FailingFileSystem fullDisk;
  fullDisk.diskFullAfter(1000);
  const std::vector<Case> cases = {
      {"a full disk", [&] { window->setFormatFileSystem(fullDisk); }, true},
      {"a track outside 0..255", [this] { type("txtTrack", U("300")); }, true},
      {"a vanished file", [this] { std::remove(paths[0].c_str()); }, false},
      {"a folder in the file's place",
       [this] {
         std::remove(paths[0].c_str());
         ::mkdir(paths[0].c_str(), 0755);
       },
       false},
  };
  threeSongs();
  const std::string original = support::ReadFileBytes(paths[0]);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::rmdir(paths[0].c_str());
    support::WriteFileBytes(paths[0], original);
    window->setFormatFileSystem(formats::FileSystem::standard());
    dialogs.shown.clear();
    show(0);
    type("txtTitle", U("Neu"));
    c.arrange();
    saveByButton();
    EXPECT_TRUE(failureMessage().contains(tagger_test::Q(paths[0])));
    for (const std::string& entry : support::FolderEntries(music)) {
      EXPECT_EQ(entry.size(), std::string("song1.mp3").size()) << entry << ": no work file is left";
    }
    if (c.fileStays) {
      EXPECT_EQ(support::ReadFileBytes(paths[0]), original);
    }
    EXPECT_EQ(saveCaption(), U("TAG speichern"));
  }
}

TEST_F(SaveFailureTest, EnterThatCannotWriteKeepsTheFileOnShowWithTheTypedText) {
  threeSongs();
  show(0);
  support::ImmutableGuard immutable(paths[0]);
  if (!immutable.active()) GTEST_SKIP() << "chattr +i is not available here";
  const std::string original = support::ReadFileBytes(paths[0]);
  type("txtTitle", U("Neu"));
  enter("txtTitle");
  EXPECT_EQ(support::ReadFileBytes(paths[0]), original);
  EXPECT_TRUE(failureMessage().contains(tagger_test::Q(paths[0])));
  EXPECT_EQ(selected(), (std::vector<std::string>{"song1.mp3"}));
  EXPECT_EQ(text("txtTitle"), U("Neu"));
  EXPECT_EQ(saveCaption(), U("TAG speichern"));
}

TEST_F(SaveFailureTest, ReadOnlyFileInASeveralFileSaveIsNamedAndTheOthersAreSaved) {
  threeSongs();
  support::ImmutableGuard immutable(paths[1]);
  if (!immutable.active()) GTEST_SKIP() << "chattr +i is not available here";
  const std::string original = support::ReadFileBytes(paths[1]);
  heldArtistOntoAll(U("Alle"), core::Answer::Yes);

  EXPECT_EQ(ReadBack(paths[0]).v2.Artist(), "Alle");
  EXPECT_EQ(ReadBack(paths[2]).v2.Artist(), "Alle");
  EXPECT_EQ(support::ReadFileBytes(paths[1]), original);
  ASSERT_EQ(dialogs.shown.size(), 2u);  // the question, then the one message
  dialogs.shown.erase(dialogs.shown.begin());
  const QString message = failureMessage();
  EXPECT_TRUE(message.contains(tagger_test::Q(paths[1])));
  EXPECT_FALSE(message.contains(tagger_test::Q(paths[0])));
  EXPECT_FALSE(message.contains(tagger_test::Q(paths[2])));
}

TEST_F(SaveFailureTest, SeveralFileSaveSkipsFilesItCouldNotReadCompletely) {
  threeSongs();
  // song2 vanishes after the selection; song3 carries an ID3v2.4 tag the reader does not read.
  std::remove(paths[1].c_str());
  const std::string v24 = support::Tag({support::Frame("TIT2", support::Text("Vier"))}) + support::Audio();
  std::string bytes = v24;
  bytes[3] = 4;
  support::WriteFileBytes(paths[2], bytes);
  heldArtistOntoAll(U("Alle"), core::Answer::Yes);

  EXPECT_EQ(ReadBack(paths[0]).v2.Artist(), "Alle");
  EXPECT_FALSE(support::FileExists(paths[1]));
  EXPECT_EQ(support::ReadFileBytes(paths[2]), bytes);
  dialogs.shown.erase(dialogs.shown.begin());
  const QString message = failureMessage();
  EXPECT_TRUE(message.contains(tagger_test::Q(paths[1])));
  EXPECT_TRUE(message.contains(tagger_test::Q(paths[2])));
}

TEST_F(SaveFailureTest, PicturesThatCouldNotBeMadeReadyAreNotDroppedBySaving) {
  threeSongs();
  values.TempCoverBase = temp.path() + "/no such folder/cover";
  const std::string original = support::ReadFileBytes(paths[0]);
  show(0);
  ASSERT_EQ(pictureFiles(), (std::vector<std::string>{""}));
  type("txtTitle", U("Neu"));
  saveByButton();
  EXPECT_EQ(support::ReadFileBytes(paths[0]), original);
  EXPECT_TRUE(failureMessage().contains(tagger_test::Q(paths[0])));
}

TEST_F(SaveFailureTest, FieldsAndPicturesOfTheFileOnShowDoNotGoIntoAnotherFile) {
  threeSongs();
  show(0);
  // Selected without the click that shows it, as a drop onto the list does.
  selectRows({1});
  const std::string original = support::ReadFileBytes(paths[1]);
  saveByButton();
  EXPECT_EQ(support::ReadFileBytes(paths[1]), original);
  EXPECT_TRUE(failureMessage().contains(tagger_test::Q(paths[1])));
}

TEST_F(SaveFailureTest, TitleOfFortyCharactersIsCutOnlyInTheID3V111Tag) {
  threeSongs();
  show(0);
  const std::string forty = "Vierzig Zeichen sind zehn mehr als dreis";
  ASSERT_EQ(forty.size(), 40u);
  type("txtTitle", QString::fromLatin1(forty.c_str()));
  saveByButton();
  ReadBack saved(paths[0]);
  EXPECT_EQ(saved.v2.SongTitle(), forty);
  EXPECT_EQ(saved.v1.SongTitle(), forty.substr(0, 30));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(saveCaption(), U("TAG speichern"));
}

}  // namespace
}  // namespace editor_test
