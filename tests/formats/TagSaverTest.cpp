// The one-pass save of both tags gives exactly the bytes of the ID3v1.1 write followed
// by the ID3v2.3 write, and leaves the file as it was when anything fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "ID3V230FaultRuns.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/TagSaver.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/ReadCountingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V111Writer;
using formats::clsID3V230Writer;
using formats::FormatEnv;
using formats::TagSaver;
using support::Frame;
using support::Text;

namespace {

class TagSaverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    picture = dir.file("cover.jpg");
    support::WriteFileBytes(picture, std::string(700, 'j'));
  }

  clsID3V111Writer v1(FormatEnv env = {}) const {
    clsID3V111Writer w(env);
    w.setSongTitle("A title longer than thirty characters");
    w.setArtist("Artist");
    w.setTrack(7);
    return w;  // genre never assigned: 255
  }
  clsID3V230Writer v2(FormatEnv env = {}) const {
    clsID3V230Writer w(env);
    w.setSongTitle("A title longer than thirty characters");
    w.setArtist("Artist");
    w.setTrack("7/9");
    w.setComment("comment");
    w.setGraphic(picture);
    w.setGraphicType("3");
    return w;
  }

  // The bytes the two writers give one after the other; secondDone tells whether the
  // ID3v2.3 write went through.
  std::string twoSteps(const std::string& before, const clsID3V111Writer& first, const clsID3V230Writer& second,
                       bool* secondDone = nullptr) {
    const std::string path = dir.file("two.mp3");
    support::WriteFileBytes(path, before);
    clsID3V111Writer a = first;
    clsID3V230Writer b = second;
    a.WriteID3V111Tag(path);
    const bool done = b.WriteID3V230Tag(path);
    if (secondDone) *secondDone = done;
    const std::string after = support::ReadFileBytes(path);
    std::remove(path.c_str());
    return after;
  }

  support::TempDir dir;
  std::string picture;
  const std::string audio = support::Audio(6);
};

TEST_F(TagSaverTest, GivesTheBytesOfTheTwoWritesOneAfterTheOther) {
  const std::string oldV1 = support::ID3v1Block("old");
  const std::string oldV2 = support::Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 20);
  const std::string wholeFileTag = support::TagHeader(static_cast<std::uint32_t>(audio.size() + 128)) + audio + oldV1;
  const std::string starts[] = {
      audio,
      audio + oldV1,
      oldV2 + audio,
      oldV2 + audio + oldV1,
      support::TagHeader(10, 0, 4) + std::string(10, 'x') + audio + oldV1,
      oldV1,
      "",
      "ab",
      oldV2 + oldV1,
      wholeFileTag,  // an old tag that reaches over the old ID3v1 block
  };
  const std::string path = dir.file("one.mp3");
  for (const bool emptyV2 : {false, true}) {
    for (std::size_t i = 0; i < std::size(starts); ++i) {
      const auto first = v1();
      const auto second = emptyV2 ? clsID3V230Writer() : v2();
      const std::string expected = twoSteps(starts[i], first, second);
      support::WriteFileBytes(path, starts[i]);
      SCOPED_TRACE("start " + std::to_string(i) + (emptyV2 ? " without ID3v2 fields" : ""));
      support::ReadCountingFileSystem fs;
      FormatEnv env;
      env.fs = &fs;
      EXPECT_TRUE(TagSaver(env).SaveTags(path, first, second));
      EXPECT_EQ(support::ReadFileBytes(path), expected);
      EXPECT_EQ(fs.created(), std::vector<std::string>{path + ".mp3"});  // one work file, one pass
      EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "one.mp3"}));
    }
  }
}

TEST_F(TagSaverTest, WhereTheSecondWriteWouldFailNothingIsWritten) {
  // "ID3" and then the new ID3v1 block: its bytes make a tag size far beyond the file,
  // so the ID3v2.3 step refuses; the one-pass save then writes neither tag.
  bool secondDone = true;
  const std::string twoStepResult = twoSteps("ID3", v1(), v2(), &secondDone);
  EXPECT_FALSE(secondDone);
  EXPECT_EQ(twoStepResult.size(), 3u + 128u);
  const std::string path = dir.file("short.mp3");
  support::WriteFileBytes(path, "ID3");
  EXPECT_FALSE(TagSaver().SaveTags(path, v1(), v2()));
  EXPECT_EQ(support::ReadFileBytes(path), "ID3");
}

TEST_F(TagSaverTest, EveryFailingStepLeavesTheFileOrTheWholeResult) {
  const std::string before = support::Tag({Frame("TIT2", Text("old"))}) + audio + support::ID3v1Block("old");
  const std::string path = dir.file("song.mp3");
  const std::string after = twoSteps(before, v1(), v2());
  id3v230test::ExpectAllOrNothing(dir.path(), path, before, after, [&](formats::FileSystem& fs) {
    FormatEnv env;
    env.fs = &fs;
    return TagSaver(env).SaveTags(path, v1(env), v2(env));
  });
}

TEST_F(TagSaverTest, FailuresReportedWithoutTouchingTheFile) {
  const std::string path = dir.file("song.mp3");
  const std::string before = audio + support::ID3v1Block("old");
  support::WriteFileBytes(path, before);
  auto mismatched = v2();
  mismatched.setGraphic(picture + "|" + picture);  // one type for two pictures
  EXPECT_FALSE(TagSaver().SaveTags(path, v1(), mismatched));
  EXPECT_FALSE(TagSaver().SaveTags(dir.file("absent.mp3"), v1(), v2()));
  const std::string damaged = support::TagHeader(100000) + audio;
  support::WriteFileBytes(dir.file("damaged.mp3"), damaged);
  EXPECT_FALSE(TagSaver().SaveTags(dir.file("damaged.mp3"), v1(), v2()));
  EXPECT_EQ(support::ReadFileBytes(path), before);
  EXPECT_EQ(support::ReadFileBytes(dir.file("damaged.mp3")), damaged);
  EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "damaged.mp3", "song.mp3"}));
}

}  // namespace
