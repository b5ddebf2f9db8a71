#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace {

using formats::FileSystem;
using formats::WorkFile;
using support::FolderEntries;
using support::ReadFileBytes;
using support::TempDir;
using support::WriteFileBytes;

std::string Pattern(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 31 + 7) % 251);
  return bytes;
}

TEST(FileIo, OpenReadGivesSizeAndExactReads) {
  TempDir dir;
  WriteFileBytes(dir.file("a.bin"), "0123456789");
  auto in = FileSystem::standard().openRead(dir.file("a.bin"));
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->size(), 10u);
  char buffer[4] = {};
  ASSERT_TRUE(in->readAt(6, buffer, 4));
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_FALSE(in->readAt(7, buffer, 4));           // would run past the end
  EXPECT_FALSE(in->readAt(~0ull - 1, buffer, 4));   // offset + n overflows
  EXPECT_TRUE(in->readAt(10, buffer, 0));
}

TEST(FileIo, OpenReadRefusesMissingFilesAndFolders) {
  TempDir dir;
  EXPECT_EQ(FileSystem::standard().openRead(dir.file("missing")), nullptr);
  EXPECT_EQ(FileSystem::standard().openRead(dir.path()), nullptr);
}

TEST(FileIo, ANamedPipeIsRefusedWithoutBlocking) {
  TempDir dir;
  const std::string pipe = dir.file("song.mp3");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(FileSystem::standard().openRead(pipe), nullptr);
  EXPECT_EQ(FileSystem::standard().openAppend(pipe), nullptr);
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

TEST(FileIo, AppendAndTruncate) {
  TempDir dir;
  const std::string path = dir.file("a.bin");
  WriteFileBytes(path, "abc");
  {
    auto out = FileSystem::standard().openAppend(path);
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(out->write("def", 3));
    EXPECT_TRUE(out->finish());
  }
  EXPECT_EQ(ReadFileBytes(path), "abcdef");
  EXPECT_TRUE(FileSystem::standard().truncate(path, 2));
  EXPECT_EQ(ReadFileBytes(path), "ab");
  EXPECT_EQ(FileSystem::standard().openAppend(dir.file("missing")), nullptr);
  EXPECT_EQ(FileSystem::standard().openAppend(dir.path()), nullptr);
}

TEST(WorkFileTest, CommitReplacesTargetAndKeepsItsPermissions) {
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
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

TEST(WorkFileTest, DroppedWithoutCommitLeavesNothingBehind) {
  TempDir dir;
  const std::string target = dir.file("song.mp3");
  WriteFileBytes(target, "old");
  {
    WorkFile work(FileSystem::standard(), target, ".new");
    EXPECT_TRUE(work.write(std::string("partial")));
  }
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

TEST(WorkFileTest, AnExistingFileOfTheWorkNameIsNeitherUsedNorRemoved) {
  TempDir dir;
  const std::string target = dir.file("song.mp3");
  WriteFileBytes(target, "old");
  WriteFileBytes(target + ".mp3", "someone else's file");
  {
    WorkFile work(FileSystem::standard(), target, ".mp3");
    EXPECT_FALSE(work.ok());
    EXPECT_FALSE(work.write(std::string("x")));
    EXPECT_FALSE(work.commit());
  }
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(ReadFileBytes(target + ".mp3"), "someone else's file");
}

TEST(WorkFileTest, CommitAsGivesTheWorkFileANewName) {
  TempDir dir;
  WriteFileBytes(dir.file("a"), "a");
  {
    WorkFile work(FileSystem::standard(), dir.file("a"), ".tmp");
    work.write(std::string("b"));
    EXPECT_TRUE(work.commitAs(dir.file("b")));
  }
  EXPECT_EQ(ReadFileBytes(dir.file("a")), "a");
  EXPECT_EQ(ReadFileBytes(dir.file("b")), "b");
}

TEST(WorkFileTest, CopyFromGoesInPiecesAndYieldsAfterEach) {
  TempDir dir;
  const std::string source = Pattern(2 * formats::CopyPiece + 5);
  WriteFileBytes(dir.file("src"), source);
  auto in = FileSystem::standard().openRead(dir.file("src"));
  ASSERT_NE(in, nullptr);
  int yields = 0;
  {
    WorkFile work(FileSystem::standard(), dir.file("dst"), ".tmp");
    EXPECT_TRUE(work.copyFrom(*in, 3, source.size() - 3, [&] { ++yields; }));
    EXPECT_TRUE(work.commit());
  }
  EXPECT_EQ(yields, 3);
  EXPECT_TRUE(ReadFileBytes(dir.file("dst")) == source.substr(3));
}

TEST(WorkFileTest, CopyOfARangeBeyondTheInputFails) {
  TempDir dir;
  WriteFileBytes(dir.file("src"), "12345");
  auto in = FileSystem::standard().openRead(dir.file("src"));
  ASSERT_NE(in, nullptr);
  WorkFile work(FileSystem::standard(), dir.file("dst"), ".tmp");
  EXPECT_FALSE(work.copyFrom(*in, 2, 4, {}));
  EXPECT_FALSE(work.ok());
  EXPECT_FALSE(work.commit());
}

TEST(WorkFileTest, AFailureAtAnyStepLeavesTheTargetAndNoWorkFile) {
  TempDir dir;
  const std::string target = dir.file("song.mp3");
  const std::string original = Pattern(1000);
  int n = 1;
  for (;; ++n) {
    WriteFileBytes(target, original);
    support::FailingFileSystem fs;
    fs.failAt(n);
    bool committed = false;
    {
      WorkFile work(fs, target, ".mp3");
      work.write(std::string("head"));
      work.write(std::string("tail"));
      committed = work.commit();
    }
    if (!fs.failed()) {
      EXPECT_TRUE(committed);
      EXPECT_EQ(ReadFileBytes(target), "headtail");
      break;
    }
    EXPECT_FALSE(committed) << "failure at " << fs.failedOperation();
    EXPECT_TRUE(ReadFileBytes(target) == original) << "failure at " << fs.failedOperation();
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
  }
  EXPECT_EQ(n, 6);  // createNew, two writes, finish, replace, then no failure
}

TEST(WorkFileTest, AFullDiskLeavesTheTargetAndNoWorkFile) {
  TempDir dir;
  const std::string target = dir.file("song.mp3");
  WriteFileBytes(target, "old");
  support::FailingFileSystem fs;
  fs.diskFullAfter(5);
  {
    WorkFile work(fs, target, ".mp3");
    EXPECT_TRUE(work.write(std::string("head")));
    EXPECT_FALSE(work.write(std::string("tail")));
    EXPECT_FALSE(work.commit());
  }
  EXPECT_EQ(fs.bytesWritten(), 5u);
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

TEST(WorkFileTest, AnImmutableFolderRefusesTheWorkFile) {
  TempDir dir;
  const std::string target = dir.file("song.mp3");
  WriteFileBytes(target, "old");
  support::ImmutableGuard guard(dir.path());
  if (!guard.active()) GTEST_SKIP() << "chattr +i is not available here";
  WorkFile work(FileSystem::standard(), target, ".mp3");
  EXPECT_FALSE(work.ok());
  EXPECT_FALSE(work.commit());
  EXPECT_EQ(ReadFileBytes(target), "old");
}

}  // namespace
