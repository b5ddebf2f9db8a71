// The one-pass save of both tags gives exactly the bytes of the ID3v1.1 write followed
// by the ID3v2.3 write, through one work file. (Its failures: RewriteSafetyTest.)
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

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
using support::Frame;
using support::Text;

namespace {

TEST(TagSaver, GivesTheBytesOfTheTwoWritesOneAfterTheOther) {
  support::TempDir dir;
  const std::string picture = dir.file("cover.jpg");
  support::WriteFileBytes(picture, std::string(700, 'j'));
  clsID3V111Writer v1;
  v1.setSongTitle("A title longer than thirty characters");
  v1.setArtist("Artist");
  v1.setTrack(7);  // genre never assigned: 255
  clsID3V230Writer v2;
  v2.setSongTitle("A title longer than thirty characters");
  v2.setTrack("7/9");
  v2.setGraphic(picture);
  v2.setGraphicType("3");

  const std::string audio = support::Audio(6);
  const std::string oldV1 = support::ID3v1Block("old");
  const std::string oldV2 = support::Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 20);
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
      // an old tag that reaches over the old ID3v1 block
      support::TagHeader(static_cast<std::uint32_t>(audio.size() + 128)) + audio + oldV1,
      // "ID3" and then the new ID3v1 block make a tag size far beyond the file: the
      // ID3v2.3 step refuses, and the one-pass save writes neither tag
      "ID3",
  };
  const std::string one = dir.file("one.mp3"), two = dir.file("two.mp3");
  for (const bool emptyV2 : {false, true}) {
    for (std::size_t i = 0; i < std::size(starts); ++i) {
      SCOPED_TRACE("start " + std::to_string(i) + (emptyV2 ? " without ID3v2 fields" : ""));
      const clsID3V230Writer second = emptyV2 ? clsID3V230Writer() : v2;
      support::WriteFileBytes(two, starts[i]);
      clsID3V111Writer a = v1;
      clsID3V230Writer b = second;
      a.WriteID3V111Tag(two);
      const bool twoStepsDone = b.WriteID3V230Tag(two);
      const std::string expected = twoStepsDone ? support::ReadFileBytes(two) : starts[i];
      std::remove(two.c_str());

      support::WriteFileBytes(one, starts[i]);
      support::ReadCountingFileSystem fs;
      FormatEnv env;
      env.fs = &fs;
      EXPECT_EQ(formats::TagSaver(env).SaveTags(one, v1, second), twoStepsDone);
      EXPECT_EQ(support::ReadFileBytes(one), expected);
      if (twoStepsDone) {
        EXPECT_EQ(fs.created(), std::vector<std::string>{one + ".mp3"});  // one pass
      }
      EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "one.mp3"}));
    }
  }
}

}  // namespace
