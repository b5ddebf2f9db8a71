// The start-up builds the tag list once, and a file named on the command line is shown.
#include "core/Ini.h"
#include "mainwindow/TaggerFixture.h"

namespace tagger_test {
namespace {

TEST_F(ProgramTest, StartBuildsTheTagListOnceAndShowsTheFileNamed) {
  const std::string music = folder("music");
  const std::string named = mp3(music, "a.mp3");  // the first row: the search starts there
  mp3(music, "b.mp3");
  formats::clsID3V230Writer tag;
  tag.setSongTitle("Named");
  ASSERT_TRUE(tag.WriteID3V230Tag(named));
  // View switches that differ from the design values change on the way, as the folder does.
  core::WriteIni("View", "Comment", "1", ini());
  core::WriteIni("View", "Album", "0", ini());
  ShowWatch progress("frmProgress");  // it comes up once for every tag list built
  start("\"" + named + "\"");
  EXPECT_EQ(progress.shown, 1);
  EXPECT_EQ(program->values().CurrentFile, named);
  EXPECT_EQ(selected(), Names{"a.mp3"});
  EXPECT_EQ(text("txtTitle"), QStringLiteral("Named"));
}

}  // namespace
}  // namespace tagger_test
