// Failures while an ID3v1.1 tag is written or removed: whatever step fails, the file
// stays byte for byte as it was and no work file is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/SilentMpeg.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace {

using formats::clsID3V111Writer;
using support::FailingFileSystem;
using support::FolderEntries;
using support::ReadFileBytes;
using support::TempDir;
using support::WriteFileBytes;

std::string OldTag() {
  clsID3V111Writer writer;
  writer.setSongTitle("old title");
  writer.setGenre(3);
  return writer.BuildTagBlock();
}

clsID3V111Writer NewWriter(formats::FormatEnv env) {
  clsID3V111Writer writer(std::move(env));
  writer.setSongTitle("new title");
  writer.setTrack(12);
  writer.setGenre(42);
  return writer;
}

struct Scenario {
  const char* name;
  std::string before;
  std::string after;
  bool inPlace;  // appends to the file instead of replacing it through a work file
  std::function<void(formats::FormatEnv, const std::string&)> run;
};

std::vector<Scenario> Scenarios() {
  // Audio of more than one copy piece, so that failures can strike between pieces.
  const std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(150));
  const std::string newTag = NewWriter({}).BuildTagBlock();
  auto write = [](formats::FormatEnv env, const std::string& path) { NewWriter(std::move(env)).WriteID3V111Tag(path); };
  auto remove = [](formats::FormatEnv env, const std::string& path) { clsID3V111Writer(std::move(env)).RemoveID3V111Tag(path); };
  return {
      {"replace a tag", audio + OldTag(), audio + newTag, false, write},
      {"append a tag", audio, audio + newTag, true, write},
      {"remove a tag", audio + OldTag(), audio, false, remove},
      {"remove the only tag", OldTag(), "", false, remove},
  };
}

TEST(ID3V111Safety, AFailureAtAnyStepLeavesTheFileAsItWas) {
  for (const auto& scenario : Scenarios()) {
    int n = 1;
    for (;; ++n) {
      ASSERT_LT(n, 100) << scenario.name;
      TempDir dir;
      const std::string path = dir.file("song.mp3");
      WriteFileBytes(path, scenario.before);
      FailingFileSystem fs;
      fs.failAt(n);
      formats::FormatEnv env;
      env.fs = &fs;
      scenario.run(env, path);
      EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"}) << scenario.name << " " << n;
      if (!fs.failed()) {
        EXPECT_TRUE(ReadFileBytes(path) == scenario.after) << scenario.name;
        break;
      }
      EXPECT_TRUE(ReadFileBytes(path) == scenario.before)
          << scenario.name << ": failure of operation " << n << " (" << fs.failedOperation() << ")";
    }
    EXPECT_GT(n, 3) << scenario.name;  // several operations were each made to fail
  }
}

// How many bytes a successful run writes.
std::uint64_t BytesWritten(const Scenario& scenario) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, scenario.before);
  FailingFileSystem fs;
  formats::FormatEnv env;
  env.fs = &fs;
  scenario.run(env, path);
  return fs.bytesWritten();
}

TEST(ID3V111Safety, AFullDiskLeavesTheFileAsItWas) {
  for (const auto& scenario : Scenarios()) {
    const std::uint64_t total = BytesWritten(scenario);
    if (total == 0) continue;  // nothing to write, so nothing a full disk could stop
    for (std::uint64_t room : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{127},
                               std::uint64_t{formats::CopyPiece}, total / 2, total - 1}) {
      if (room >= total) continue;
      TempDir dir;
      const std::string path = dir.file("song.mp3");
      WriteFileBytes(path, scenario.before);
      FailingFileSystem fs;
      fs.diskFullAfter(room);
      formats::FormatEnv env;
      env.fs = &fs;
      scenario.run(env, path);
      EXPECT_TRUE(fs.failed()) << scenario.name << " " << room;
      EXPECT_TRUE(ReadFileBytes(path) == scenario.before) << scenario.name << ", disk full after " << room;
      EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"}) << scenario.name;
    }
  }
}

TEST(ID3V111Safety, AnImmutableFileOrFolderIsLeftAsItWas) {
  for (const auto& scenario : Scenarios()) {
    for (bool wholeFolder : {false, true}) {
      TempDir dir;
      const std::string path = dir.file("song.mp3");
      WriteFileBytes(path, scenario.before);
      {
        support::ImmutableGuard guard(wholeFolder ? dir.path() : path);
        if (!guard.active()) GTEST_SKIP() << "chattr +i is not available here";
        scenario.run({}, path);
      }
      // A folder that cannot change still lets its files grow in place.
      const std::string& expected = wholeFolder && scenario.inPlace ? scenario.after : scenario.before;
      EXPECT_TRUE(ReadFileBytes(path) == expected) << scenario.name << (wholeFolder ? " (folder)" : "");
      EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"}) << scenario.name;
    }
  }
}

TEST(ID3V111Safety, AVanishedFileOrAFolderInItsPlaceIsNotCreated) {
  for (const auto& scenario : Scenarios()) {
    TempDir dir;
    scenario.run({}, dir.file("gone.mp3"));
    EXPECT_TRUE(FolderEntries(dir.path()).empty()) << scenario.name;
  }
  TempDir dir;
  const std::string folder = dir.file("song.mp3");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  for (const auto& scenario : Scenarios()) scenario.run({}, folder);
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
  EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST(ID3V111Safety, AStaleWorkFileOfTheSameNameIsNeverOverwritten) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  const std::string before = formats::SilentMpegFrames(5) + OldTag();
  WriteFileBytes(path, before);
  WriteFileBytes(path + ".mp3", "another file");
  clsID3V111Writer().RemoveID3V111Tag(path);
  NewWriter({}).WriteID3V111Tag(path);
  EXPECT_TRUE(ReadFileBytes(path) == before);
  EXPECT_EQ(ReadFileBytes(path + ".mp3"), "another file");
}

}  // namespace
