#include "core/Paths.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using coretest::TempFolder;
using coretest::WriteFile;

struct Case {
  const char* given;
  const char* expected;
};

TEST(PathsTest, AddBackslashChangesTheArgumentAndReturnsIt) {
  const Case cases[] = {
      {"/A/B", "/A/B/"},
      {"/A/B/", "/A/B/"},
      {"", "/"},
      {"/", "/"},
      {"name", "name/"},
  };
  for (const auto& c : cases) {
    std::string path = c.given;
    std::string& returned = core::AddBackslash(path);
    EXPECT_EQ(path, c.expected) << c.given;
    EXPECT_EQ(&returned, &path) << c.given;
  }
}

TEST(PathsTest, RemoveBackslashRemovesOneButKeepsTheRoot) {
  const Case cases[] = {
      {"/A/B/", "/A/B"},
      {"/A/B", "/A/B"},
      {"/A/B//", "/A/B/"},
      {"/", "/"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::RemoveBackslash(c.given), c.expected) << c.given;
}

TEST(PathsTest, ParentFolder) {
  const Case cases[] = {
      {"/A/B/", "/A/"},
      {"/A/B", "/A/"},
      {"/A/B.mp3", "/A/"},
      {"/A/", "/"},
      {"/a", "/"},
      {"/", "/"},               // the root is its own parent
      {"song.mp3", "song.mp3/"},  // no separator: kept whole, with one added
      {"", "/"},
      {"music/album/", "music/"},
      {"/Musik/Käse Ölig/01 Ä.mp3", "/Musik/Käse Ölig/"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ParentFolder(c.given), c.expected) << c.given;
}

TEST(PathsTest, FileNameOf) {
  const Case cases[] = {
      {"/A/song.mp3", "song.mp3"},
      {"/A/B/", "B"},
      {"song.mp3", "song.mp3"},
      {"/", "/"},
      {"/Musik/Grüße.mp3", "Grüße.mp3"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::FileNameOf(c.given), c.expected) << c.given;
}

TEST(PathsTest, AfterLast) {
  struct SearchCase {
    const char* given;
    char search;
    const char* expected;
  };
  const SearchCase cases[] = {
      {"/Music/Best Of/", '/', "Best Of"},
      {"/Music/Best Of", '/', "Best Of"},
      {"/", '/', "/"},  // the root folder's name
      {"01 - Artist - Title", '-', " Title"},
      {"no dash/", '-', "no dash"},
      {"a.b.c", '.', "c"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::AfterLast(c.given, c.search), c.expected) << c.given;
}

TEST(PathsTest, StripExtension) {
  const Case cases[] = {
      {"song.mp3", "song"},
      {"a.b.mp3", "a.b"},
      {"name.", "name."},
      {"name", "name"},
      {".mp3", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::StripExtension(c.given), c.expected) << c.given;
}

TEST(PathsTest, WordCapitals) {
  const Case cases[] = {
      {"d:/my music/best-of (live)/a_b.MP3", "D:/My Music/Best-Of (Live)/A_B.mp3"},
      {"d:\\my music\\a_b.MP3", "D:\\My Music\\A_B.mp3"},
      {"\xC9LAN \xE9T\xC9", "\xC9lan \xC9t\xE9"},  // ISO-8859-1 letters: ÉLAN éTÉ gives Élan Été
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::WordCapitals(c.given), c.expected) << c.given;
}

TEST(PathsTest, LongPathNormalisesAnExistingPath) {
  TempFolder dir;
  ASSERT_EQ(mkdir((dir / "Album").c_str(), 0755), 0);
  WriteFile(dir / "Album/01 Song.mp3", "x");
  const std::string root = dir.path();
  const Case cases[] = {
      {"Album//01 Song.mp3", "Album/01 Song.mp3"},
      {"Album/./../Album/01 Song.mp3", "Album/01 Song.mp3"},
      {"Album/", "Album/"},
      {"Album", "Album"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(core::LongPath(root + c.given), root + c.expected) << c.given;
  }
}

TEST(PathsTest, LongPathMakesARelativePathAbsolute) {
  TempFolder dir;
  WriteFile(dir / "song.mp3", "x");
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  const std::string relative = core::LongPath("./song.mp3");
  ASSERT_EQ(chdir(previous), 0);
  // The temporary folder itself may lie behind a link; the file name and the absolute
  // form are what count.
  EXPECT_EQ(relative.front(), '/');
  EXPECT_EQ(core::FileNameOf(relative), "song.mp3");
  EXPECT_TRUE(core::FileExists(relative));
}

TEST(PathsTest, LongPathKeepsSymbolicLinks) {
  TempFolder dir;
  ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
  ASSERT_EQ(symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);
  EXPECT_EQ(core::LongPath(dir / "link/"), dir / "link/");
}

TEST(PathsTest, LongPathReturnsAMissingPathUnchanged) {
  TempFolder dir;
  const std::string missing = dir / "my music/best-of (live)/a_b.MP3";
  EXPECT_EQ(core::LongPath(missing), missing);
  EXPECT_EQ(core::LongPath(""), "");
  EXPECT_EQ(core::LongPath("\"" + dir.path() + "\""), "\"" + dir.path() + "\"");
}

TEST(PathsTest, FileExistsOnlyForReadableFiles) {
  TempFolder dir;
  WriteFile(dir / "song.mp3", "x");
  ASSERT_EQ(mkdir((dir / "folder.mp3").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
  EXPECT_TRUE(core::FileExists(dir / "song.mp3"));
  EXPECT_FALSE(core::FileExists(dir / "missing.mp3"));
  EXPECT_FALSE(core::FileExists(dir / "folder.mp3"));
  EXPECT_FALSE(core::FileExists(dir / "pipe"));  // and does not hang on it
  EXPECT_FALSE(core::FileExists(""));
}

TEST(PathsTest, FolderExistsWithOrWithoutTrailingSeparator) {
  TempFolder dir;
  WriteFile(dir / "file", "x");
  EXPECT_TRUE(core::FolderExists(dir.path()));
  EXPECT_TRUE(core::FolderExists(core::RemoveBackslash(dir.path())));
  EXPECT_TRUE(core::FolderExists("/"));
  EXPECT_FALSE(core::FolderExists(dir / "file"));
  EXPECT_FALSE(core::FolderExists(dir / "missing"));
}

TEST(PathsTest, MakePathCreatesEveryMissingFolder) {
  TempFolder dir;
  ASSERT_EQ(mkdir((dir / "exists").c_str(), 0755), 0);
  std::string folder = dir / "exists/Cover Art/Grüße/deep";
  core::MakePath(folder);
  EXPECT_EQ(folder, dir / "exists/Cover Art/Grüße/deep/");
  EXPECT_TRUE(core::FolderExists(folder));
  core::MakePath(folder);  // everything there already: no error, nothing changes
  EXPECT_TRUE(core::FolderExists(folder));
}

TEST(PathsTest, MakePathStopsAtAFileInTheWay) {
  TempFolder dir;
  WriteFile(dir / "blocker", "x");
  std::string folder = dir / "blocker/inner";
  core::MakePath(folder);
  EXPECT_FALSE(core::FolderExists(folder));
  EXPECT_EQ(coretest::ReadFile(dir / "blocker"), "x");
}

}  // namespace
