// The real file system and the work file. (Failures while a work file is written are
// injected for every operation that uses one in RewriteSafetyTest.)
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
using support::FolderEntries;
using support::ReadFileBytes;
using support::TempDir;
using support::WriteFileBytes;

TEST(FileIo, ReadsAreExactAndBounded) {
  TempDir dir;
  WriteFileBytes(dir.file("a.bin"), "0123456789");
  auto in = FileSystem::standard().openRead(dir.file("a.bin"));
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->size(), 10u);
  char buffer[4] = {};
  ASSERT_TRUE(in->readAt(6, buffer, 4));
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_FALSE(in->readAt(7, buffer, 4));          // would run past the end
  EXPECT_FALSE(in->readAt(~0ull - 1, buffer, 4));  // offset + n overflows
  EXPECT_TRUE(in->readAt(10, buffer, 0));
}

TEST(FileIo, MissingFilesFoldersAndPipesAreRefusedWithoutBlocking) {
  TempDir dir;
  const std::string pipe = dir.file("pipe.mp3");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {dir.file("missing"), dir.path(), pipe}) {
    EXPECT_EQ(FileSystem::standard().openRead(path), nullptr) << path;
    EXPECT_EQ(FileSystem::standard().openAppend(path), nullptr) << path;
  }
  EXPECT_FALSE(FileSystem::standard().truncate(pipe, 0));
}

TEST(FileIo, CreateNewNeverReplacesOrFollowsALink) {
  TempDir dir;
  WriteFileBytes(dir.file("there"), "keep");
  ASSERT_EQ(::symlink(dir.file("target").c_str(), dir.file("link").c_str()), 0);
  EXPECT_EQ(FileSystem::standard().createNew(dir.file("there")), nullptr);
  EXPECT_EQ(FileSystem::standard().createNew(dir.file("link")), nullptr);
  EXPECT_FALSE(support::FileExists(dir.file("target")));
  EXPECT_EQ(ReadFileBytes(dir.file("there")), "keep");
}

TEST(WorkFileTest, CommitReplacesTheTargetKeepingItsPermissions) {
  TempDir dir;
  const std::string target = dir.file("song.mp3");
  WriteFileBytes(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  {
    WorkFile work(FileSystem::standard(), target, ".mp3");
    ASSERT_TRUE(work.ok());
    EXPECT_EQ(work.path(), target + ".mp3");
    EXPECT_TRUE(work.write(std::string("new")));
    EXPECT_TRUE(work.commit());
  }
  EXPECT_EQ(ReadFileBytes(target), "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  {
    WorkFile work(FileSystem::standard(), target, ".tmp");
    work.write(std::string("b"));
    EXPECT_TRUE(work.commitAs(dir.file("b")));
  }
  EXPECT_EQ(ReadFileBytes(dir.file("b")), "b");
  {
    WorkFile dropped(FileSystem::standard(), target, ".new");
    EXPECT_TRUE(dropped.write(std::string("partial")));
  }
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"b", "song.mp3"}));
}

TEST(WorkFileTest, CopyFromGoesInPiecesAndFailsPastTheInput) {
  TempDir dir;
  std::string source(2 * formats::CopyPiece + 5, '\0');
  for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<char>((i * 31 + 7) % 251);
  WriteFileBytes(dir.file("src"), source);
  auto in = FileSystem::standard().openRead(dir.file("src"));
  ASSERT_NE(in, nullptr);
  int yields = 0;
  {
    WorkFile work(FileSystem::standard(), dir.file("dst"), ".tmp");
    EXPECT_TRUE(work.copyFrom(*in, 3, source.size() - 3, [&] { ++yields; }));
    EXPECT_TRUE(work.commitAs(dir.file("dst")));  // commit() only replaces a file that is there
  }
  EXPECT_EQ(yields, 3);
  EXPECT_TRUE(ReadFileBytes(dir.file("dst")) == source.substr(3));
  WorkFile work(FileSystem::standard(), dir.file("dst"), ".tmp");
  EXPECT_FALSE(work.copyFrom(*in, 2, source.size(), {}));
  EXPECT_FALSE(work.ok());
  EXPECT_FALSE(work.commit());
}

}  // namespace
