// The ID3v2.3 writer and remover never lose data: every failing step, a full disk, a
// vanished file, wrong picture lists and damaged old tags leave the file as it was and
// no work file behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ID3V230FaultRuns.h"
#include "formats/ID3V230Writer.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/ReadCountingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V230Writer;
using formats::FormatEnv;
using support::Frame;
using support::Text;

namespace {

class ID3V230SafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.file("song.mp3");
    picture = dir.file("cover.jpg");
    support::WriteFileBytes(picture, std::string(3000, 'j'));
  }

  clsID3V230Writer writer(formats::FileSystem& fs) {
    FormatEnv env;
    env.fs = &fs;
    clsID3V230Writer w(env);
    w.setSongTitle("new title");
    w.setLyrics("words");
    w.setGraphic(picture);
    w.setGraphicType("3");
    return w;
  }

  support::TempDir dir;
  std::string path, picture;
  const std::string audio = support::Audio(8) + support::ID3v1Block("v1");
  const std::string old = support::Tag({Frame("TIT2", Text("old"))}, 50);
};

TEST_F(ID3V230SafetyTest, EveryFailingStepOfAWriteLeavesTheFileOrTheWholeResult) {
  support::WriteFileBytes(path, old + audio);
  auto reference = writer(formats::FileSystem::standard());
  ASSERT_TRUE(reference.WriteID3V230Tag(path));
  const std::string after = support::ReadFileBytes(path);
  id3v230test::ExpectAllOrNothing(dir.path(), path, old + audio, after,
                                  [&](formats::FileSystem& fs) { return writer(fs).WriteID3V230Tag(path); });
}

TEST_F(ID3V230SafetyTest, EveryFailingStepOfARemovalLeavesTheFileOrTheWholeResult) {
  id3v230test::ExpectAllOrNothing(dir.path(), path, old + audio, audio, [&](formats::FileSystem& fs) {
    FormatEnv env;
    env.fs = &fs;
    return clsID3V230Writer(env).RemoveID3V230Tag(path);
  });
}

TEST_F(ID3V230SafetyTest, PictureListsThatDoNotFitAreRefusedBeforeAnyFileIsTouched) {
  struct Case {
    std::string graphic, types, titles;
  };
  const Case cases[] = {
      {picture + "|" + picture, "3", "a|b"},     // fewer types than pictures
      {picture + "|" + picture, "3|4", "a"},     // fewer titles than pictures
      {picture, "256", ""},                      // not an 8-bit number
      {picture, "x", ""},
      {picture, "", ""},
      {picture, "-1", ""},
      {picture, "3|4", ""},                      // one picture takes its type whole
      {"missing.jpg|" + picture, "front|3", "|"}, // checked even where the file is missing
  };
  for (const auto& c : cases) {
    support::WriteFileBytes(path, old + audio);
    support::ReadCountingFileSystem fs;
    FormatEnv env;
    env.fs = &fs;
    clsID3V230Writer w(env);
    w.setSongTitle("t");
    w.setGraphic(c.graphic);
    w.setGraphicType(c.types);
    w.setGraphicTitle(c.titles);
    SCOPED_TRACE(c.types + " / " + c.titles);
    EXPECT_FALSE(w.WriteID3V230Tag(path));
    EXPECT_EQ(fs.reads(), 0u);
    EXPECT_TRUE(fs.created().empty());
    EXPECT_EQ(support::ReadFileBytes(path), old + audio);
  }
}

TEST_F(ID3V230SafetyTest, ASinglePictureTakesItsTitleWhole) {
  support::WriteFileBytes(path, audio);
  clsID3V230Writer w;
  w.setGraphic(picture);
  w.setGraphicType("3");
  w.setGraphicTitle("a|b");
  ASSERT_TRUE(w.WriteID3V230Tag(path));
  EXPECT_NE(support::ReadFileBytes(path).find(std::string("\x03" "a|b", 4) + '\0'), std::string::npos);
}

TEST_F(ID3V230SafetyTest, AFileThatVanishesDuringTheCopyIsNotBroughtBack) {
  support::WriteFileBytes(path, old + std::string(5 * 1000 * 1000, 'a'));
  for (const bool removing : {false, true}) {
    support::WriteFileBytes(path, old + std::string(5 * 1000 * 1000, 'a'));
    FormatEnv env;
    env.yield = [this] { std::remove(path.c_str()); };
    clsID3V230Writer w(env);
    w.setSongTitle("t");
    EXPECT_FALSE(removing ? w.RemoveID3V230Tag(path) : w.WriteID3V230Tag(path));
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"cover.jpg"});
  }
}

TEST_F(ID3V230SafetyTest, MissingFilesAndFoldersAreLeftAlone) {
  clsID3V230Writer w;
  w.setSongTitle("t");
  EXPECT_FALSE(w.WriteID3V230Tag(dir.file("absent.mp3")));
  EXPECT_FALSE(w.RemoveID3V230Tag(dir.file("absent.mp3")));
  EXPECT_FALSE(w.WriteID3V230Tag(dir.path()));
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"cover.jpg"});
}

TEST_F(ID3V230SafetyTest, AnOldTagLongerThanTheFileIsNotCutAway) {
  // Cutting by this header would take the whole file: refused, the file stays.
  const std::string damaged = support::TagHeader(100000) + Frame("TIT2", Text("x")) + audio;
  for (const bool removing : {false, true}) {
    support::WriteFileBytes(path, damaged);
    clsID3V230Writer w;
    w.setSongTitle("t");
    EXPECT_FALSE(removing ? w.RemoveID3V230Tag(path) : w.WriteID3V230Tag(path));
    EXPECT_EQ(support::ReadFileBytes(path), damaged);
  }
  support::WriteFileBytes(path, "ID3\x03");  // a header cut short
  EXPECT_FALSE(clsID3V230Writer().RemoveID3V230Tag(path));
  EXPECT_EQ(support::ReadFileBytes(path), "ID3\x03");
}

TEST_F(ID3V230SafetyTest, AStaleWorkFileIsNeitherUsedNorRemoved) {
  support::WriteFileBytes(path, old + audio);
  support::WriteFileBytes(path + ".mp3", "someone else's");
  clsID3V230Writer w;
  w.setSongTitle("t");
  EXPECT_FALSE(w.WriteID3V230Tag(path));
  EXPECT_EQ(support::ReadFileBytes(path), old + audio);
  EXPECT_EQ(support::ReadFileBytes(path + ".mp3"), "someone else's");
}

TEST_F(ID3V230SafetyTest, AnUnreadablePictureStopsTheWriteInsteadOfDroppingIt) {
  support::WriteFileBytes(path, old + audio);
  clsID3V230Writer w;
  w.setSongTitle("t");
  w.setGraphic(dir.path());  // there, but not a file that can be read
  w.setGraphicType("3");
  EXPECT_FALSE(w.WriteID3V230Tag(path));
  EXPECT_EQ(support::ReadFileBytes(path), old + audio);
}

TEST_F(ID3V230SafetyTest, ATagTooLargeForItsSizeFieldIsRefused) {
  const std::string huge = dir.file("huge.png");
  ASSERT_TRUE(support::MakeSparseFile(huge, "PNG", std::uint64_t(1) << 28));
  support::WriteFileBytes(path, old + audio);
  clsID3V230Writer w;
  w.setGraphic(huge);
  w.setGraphicType("3");
  EXPECT_FALSE(w.WriteID3V230Tag(path));
  EXPECT_EQ(support::ReadFileBytes(path), old + audio);
  EXPECT_FALSE(support::FileExists(path + ".mp3"));
}

TEST_F(ID3V230SafetyTest, AFolderThatCannotBeWrittenLeavesTheFile) {
  support::WriteFileBytes(path, old + audio);
  support::ImmutableGuard guard(dir.path());
  if (!guard.active()) GTEST_SKIP() << "chattr +i is not supported here";
  clsID3V230Writer w;
  w.setSongTitle("t");
  EXPECT_FALSE(w.WriteID3V230Tag(path));
  EXPECT_FALSE(w.RemoveID3V230Tag(path));
  EXPECT_EQ(support::ReadFileBytes(path), old + audio);
}

}  // namespace
