// The real file system and the work file. (Failures while a work file is written are
// injected for every operation that uses one in RewriteSafetyTest; copies in pieces with
// a yield after each are counted in the ID3v1.1 and ID3v2.3 writer tests.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace {

using formats::FileSystem;
using formats::WorkFile;
using support::ReadFileBytes;
using support::WriteFileBytes;

TEST(FileIo, ReadsAreExactAndBoundedAndOnlyRegularFilesOpen) {
  support::TempDir dir;
  WriteFileBytes(dir.file("a.bin"), "0123456789");
  auto in = FileSystem::standard().openRead(dir.file("a.bin"));
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->size(), 10u);
  char buffer[4] = {};
  ASSERT_TRUE(in->readAt(6, buffer, 4));
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_FALSE(in->readAt(7, buffer, 4));          // would run past the end
  EXPECT_FALSE(in->readAt(~0ull - 1, buffer, 4));  // offset + n overflows
  // Missing files, folders and pipes are refused without blocking.
  const std::string pipe = dir.file("pipe.mp3");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {dir.file("missing"), dir.path(), pipe}) {
    EXPECT_EQ(FileSystem::standard().openRead(path), nullptr) << path;
    EXPECT_EQ(FileSystem::standard().openAppend(path), nullptr) << path;
  }
  EXPECT_FALSE(FileSystem::standard().truncate(pipe, 0));
  // A new file never replaces one nor follows a link.
  ASSERT_EQ(::symlink(dir.file("target").c_str(), dir.file("link").c_str()), 0);
  EXPECT_EQ(FileSystem::standard().createNew(dir.file("a.bin")), nullptr);
  EXPECT_EQ(FileSystem::standard().createNew(dir.file("link")), nullptr);
  EXPECT_FALSE(support::FileExists(dir.file("target")));
  EXPECT_EQ(ReadFileBytes(dir.file("a.bin")), "0123456789");
}

TEST(FileIo, RenameNoReplaceNeverReplacesAnExistingName) {
  support::TempDir dir;
  WriteFileBytes(dir.file("a.mp3"), "a");
  WriteFileBytes(dir.file("b.mp3"), "b");
  EXPECT_FALSE(FileSystem::standard().renameNoReplace(dir.file("a.mp3"), dir.file("b.mp3")));
  EXPECT_FALSE(FileSystem::standard().renameNoReplace(dir.file("gone.mp3"), dir.file("c.mp3")));
  EXPECT_EQ(ReadFileBytes(dir.file("a.mp3")), "a");
  EXPECT_EQ(ReadFileBytes(dir.file("b.mp3")), "b");
  EXPECT_TRUE(FileSystem::standard().renameNoReplace(dir.file("a.mp3"), dir.file("c.mp3")));
  EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"b.mp3", "c.mp3"}));
}

TEST(WorkFileTest, CommitReplacesTheTargetKeepingItsPermissions) {
  support::TempDir dir;
  const std::string target = dir.file("song.mp3");
  WriteFileBytes(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  {
    WorkFile work(FileSystem::standard(), target, ".mp3");
    EXPECT_EQ(work.path(), target + ".mp3");
    EXPECT_TRUE(work.write(std::string("new")));
    EXPECT_TRUE(work.commit());
  }
  EXPECT_EQ(ReadFileBytes(target), "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  {
    WorkFile dropped(FileSystem::standard(), target, ".new");
    EXPECT_TRUE(dropped.write(std::string("partial")));
    auto in = FileSystem::standard().openRead(target);
    EXPECT_FALSE(dropped.copyFrom(*in, 1, 3, {}));  // past the end of the input
    EXPECT_FALSE(dropped.commit());
  }
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

}  // namespace
