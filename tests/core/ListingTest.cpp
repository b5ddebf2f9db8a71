#include "core/Paths.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using coretest::TempFolder;
using coretest::WriteFile;
using Names = std::vector<std::string>;

TEST(ListingTest, NameLessIgnoresCaseAndBreaksTiesByCase) {
  struct Case {
    const char* a;
    const char* b;
    bool less;
  };
  const Case cases[] = {
      {"apple.mp3", "Banana.mp3", true},
      {"Banana.mp3", "apple.mp3", false},
      {"SONG.MP3", "song.mp3", true},  // a tie without case: 'S' (0x53) before 's'
      {"song.mp3", "SONG.MP3", false},
      {"song.mp3", "song.mp3", false},
      {"a", "ab", true},
      {"Z.mp3", "Ä.mp3", true},  // non-ASCII bytes sort after ASCII letters
  };
  for (const auto& c : cases) EXPECT_EQ(core::NameLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

TEST(ListingTest, ListMp3FilesMatchesAnyCaseAndSortsByName) {
  TempFolder dir;
  for (const char* name : {"song.mp3", "SONG.MP3", "b.Mp3", "Über.mp3", "ärger.mp3", "notes.txt", "mp3",
                           "a.mp3.bak", "c.mp"}) {
    WriteFile(dir / name, "x");
  }
  ASSERT_EQ(mkdir((dir / "x.mp3").c_str(), 0755), 0);
  EXPECT_EQ(core::ListMp3Files(dir.path()), (Names{"b.Mp3", "SONG.MP3", "song.mp3", "Über.mp3", "ärger.mp3"}));
  // The folder may be named without the trailing separator too.
  EXPECT_EQ(core::ListMp3Files(core::RemoveBackslash(dir.path())).size(), 5u);
}

TEST(ListingTest, ListMp3FilesFollowsLinksToFilesOnly) {
  TempFolder dir;
  WriteFile(dir / "real.mp3", "x");
  ASSERT_EQ(symlink((dir / "real.mp3").c_str(), (dir / "link.mp3").c_str()), 0);
  ASSERT_EQ(symlink((dir / "gone.mp3").c_str(), (dir / "dangling.mp3").c_str()), 0);
  EXPECT_EQ(core::ListMp3Files(dir.path()), (Names{"link.mp3", "real.mp3"}));
}

TEST(ListingTest, AMissingOrUnreadableFolderGivesAnEmptyList) {
  TempFolder dir;
  WriteFile(dir / "file.mp3", "x");
  EXPECT_TRUE(core::ListMp3Files(dir / "missing/").empty());
  EXPECT_TRUE(core::ListMp3Files(dir / "file.mp3").empty());
  EXPECT_TRUE(core::ListMp3Files("").empty());
  EXPECT_TRUE(core::ListSubFolders(dir / "missing/").empty());
}

TEST(ListingTest, ListSubFoldersListsRealFoldersSorted) {
  TempFolder dir;
  for (const char* name : {"beta", "Alpha", "alpha", "Ölkanne", "x.mp3"}) {
    ASSERT_EQ(mkdir((dir / name).c_str(), 0755), 0) << name;
  }
  WriteFile(dir / "file", "x");
  // A link back up the tree would make a recursive walk endless: not listed.
  ASSERT_EQ(symlink(dir.path().c_str(), (dir / "loop").c_str()), 0);
  EXPECT_EQ(core::ListSubFolders(dir.path()), (Names{"Alpha", "alpha", "beta", "x.mp3", "Ölkanne"}));
  EXPECT_EQ(core::ListSubFolders(dir.path(), true), (Names{"Alpha", "alpha", "beta", "loop", "x.mp3", "Ölkanne"}));
}

}  // namespace
