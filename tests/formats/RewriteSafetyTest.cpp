// Every operation that rewrites an MP3 file, run through one table: whatever step fails
// (each I/O step in turn, a full disk, chattr +i, a file that vanishes, a stale work
// file), the file holds either the complete new bytes or exactly the old ones, and no
// work file is left behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "formats/TagSaver.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/FailingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V111Writer;
using formats::clsID3V230Writer;
using formats::FormatEnv;
using support::FolderEntries;
using support::Frame;
using support::ReadFileBytes;
using support::Text;
using support::WriteFileBytes;

namespace {

struct Rewrite {
  const char* name;
  std::string before;
  std::string workSuffix;  // "" for an append in place
  bool reports;            // returns whether it succeeded (the ID3v1.1 calls return nothing)
  std::function<bool(FormatEnv, const std::string&)> run;
};

class RewriteSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.file("song.mp3");
    picture = dir.file("cover.jpg");
    WriteFileBytes(picture, std::string(3000, 'j'));
  }

  clsID3V111Writer v1(FormatEnv env) const {
    clsID3V111Writer w(env);
    w.setSongTitle("new title");
    w.setTrack(12);
    w.setGenre(42);
    return w;
  }
  clsID3V230Writer v2(FormatEnv env) const {
    clsID3V230Writer w(env);
    w.setSongTitle("new title");
    w.setLyrics("words");
    w.setGraphic(picture);
    w.setGraphicType("3");
    return w;
  }

  std::vector<Rewrite> rewrites() const {
    return {
        {"ID3v1.1 replace", audio + oldV1, ".mp3", false,
         [this](FormatEnv env, const std::string& p) { v1(env).WriteID3V111Tag(p); return true; }},
        {"ID3v1.1 append", audio, "", false,
         [this](FormatEnv env, const std::string& p) { v1(env).WriteID3V111Tag(p); return true; }},
        {"ID3v1.1 remove", audio + oldV1, ".mp3", false,
         [](FormatEnv env, const std::string& p) { clsID3V111Writer(env).RemoveID3V111Tag(p); return true; }},
        {"ID3v1.1 remove the only tag", oldV1, ".mp3", false,
         [](FormatEnv env, const std::string& p) { clsID3V111Writer(env).RemoveID3V111Tag(p); return true; }},
        {"ID3v2.3 write", oldV2 + audio + oldV1, ".mp3", true,
         [this](FormatEnv env, const std::string& p) { return v2(env).WriteID3V230Tag(p); }},
        {"ID3v2.3 remove", oldV2 + audio + oldV1, ".new", true,
         [](FormatEnv env, const std::string& p) { return clsID3V230Writer(env).RemoveID3V230Tag(p); }},
        {"save both tags", oldV2 + audio + oldV1, ".mp3", true,
         [this](FormatEnv env, const std::string& p) { return formats::TagSaver(env).SaveTags(p, v1(env), v2(env)); }},
    };
  }

  // The bytes a run on the real file system gives, and the bytes it writes.
  std::string reference(const Rewrite& r, std::uint64_t& written) {
    WriteFileBytes(path, r.before);
    support::FailingFileSystem fs;
    FormatEnv env;
    env.fs = &fs;
    EXPECT_TRUE(r.run(env, path)) << r.name;
    written = fs.bytesWritten();
    return ReadFileBytes(path);
  }

  // One run with fs; checks the all-or-nothing outcome and returns whether a failure struck.
  bool checkedRun(const Rewrite& r, support::FailingFileSystem& fs, const std::string& after) {
    WriteFileBytes(path, r.before);
    const auto entries = FolderEntries(dir.path());
    FormatEnv env;
    env.fs = &fs;
    const bool ok = r.run(env, path);
    if (r.reports) {
      EXPECT_EQ(ok, !fs.failed());
    }
    EXPECT_TRUE(ReadFileBytes(path) == (fs.failed() ? r.before : after));
    EXPECT_EQ(FolderEntries(dir.path()), entries);
    return fs.failed();
  }

  support::TempDir dir;
  std::string path, picture;
  // More than one copy piece, so that failures strike between pieces too.
  const std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(150));
  const std::string oldV1 = support::ID3v1Block("old");
  const std::string oldV2 = support::Tag({Frame("TIT2", Text("old"))}, 50);
};

TEST_F(RewriteSafetyTest, EveryFailingStepAndAFullDiskLeaveTheFileOrTheWholeResult) {
  for (const auto& r : rewrites()) {
    std::uint64_t total = 0;
    const std::string after = reference(r, total);
    ASSERT_NE(after, r.before) << r.name;
    support::FailingFileSystem fs;
    int n = 1;
    for (;; ++n) {
      SCOPED_TRACE(std::string(r.name) + ", failing step " + std::to_string(n));
      fs.reset();
      fs.failAt(n);
      if (!checkedRun(r, fs, after)) break;
      ASSERT_LT(n, 100);
    }
    EXPECT_GT(n, 3) << r.name;
    if (total == 0) continue;  // nothing written, nothing a full disk could stop
    for (std::uint64_t room : {std::uint64_t{0}, std::uint64_t{1}, total / 2, total - 1}) {
      SCOPED_TRACE(std::string(r.name) + ", disk full after " + std::to_string(room));
      fs.reset();
      fs.diskFullAfter(room);
      EXPECT_TRUE(checkedRun(r, fs, after));
    }
  }
}

TEST_F(RewriteSafetyTest, AnImmutableFileOrFolderIsLeftAsItWas) {
  for (const auto& r : rewrites()) {
    std::uint64_t total = 0;
    const std::string after = reference(r, total);
    for (const bool wholeFolder : {false, true}) {
      WriteFileBytes(path, r.before);
      bool ok = false;
      {
        support::ImmutableGuard guard(wholeFolder ? dir.path() : path);
        if (!guard.active()) GTEST_SKIP() << "chattr +i is not available here";
        ok = r.run({}, path);
      }
      // A folder that cannot change still lets its files grow in place.
      const bool changes = wholeFolder && r.workSuffix.empty();
      SCOPED_TRACE(std::string(r.name) + (wholeFolder ? " (folder)" : ""));
      EXPECT_TRUE(ReadFileBytes(path) == (changes ? after : r.before));
      if (r.reports) {
        EXPECT_FALSE(ok);
      }
      EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "song.mp3"}));
    }
  }
}

TEST_F(RewriteSafetyTest, MissingVanishingAndStaleFilesAreLeftAlone) {
  const std::string folder = dir.file("folder.mp3");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  for (const auto& r : rewrites()) {
    SCOPED_TRACE(r.name);
    // The ID3v1.1 calls report nothing: what they leave is checked instead.
    const auto refused = [&r](bool ok) {
      if (r.reports) {
        EXPECT_FALSE(ok);
      }
    };
    refused(r.run({}, dir.file("absent.mp3")));
    refused(r.run({}, folder));
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "folder.mp3"}));
    EXPECT_TRUE(FolderEntries(folder).empty());
    if (r.workSuffix.empty()) continue;
    // A stale file of the work file's name is neither used nor removed.
    WriteFileBytes(path, r.before);
    WriteFileBytes(path + r.workSuffix, "someone else's");
    refused(r.run({}, path));
    EXPECT_TRUE(ReadFileBytes(path) == r.before);
    EXPECT_EQ(ReadFileBytes(path + r.workSuffix), "someone else's");
    std::remove((path + r.workSuffix).c_str());
    // A file removed while the audio is copied is not brought back.
    WriteFileBytes(path, r.before);
    FormatEnv env;
    bool removed = false;
    env.yield = [&] { removed = std::remove(path.c_str()) == 0 || removed; };
    refused(r.run(env, path));
    if (removed) {
      EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "folder.mp3"}));
    }
    std::remove(path.c_str());
  }
}

// Refused before the file is touched: picture lists that do not fit together (checked
// without opening a file), a picture that cannot be read, a tag too large for its size
// field, an old tag longer than the file (cutting by it would take the audio).
TEST_F(RewriteSafetyTest, RefusedTagsLeaveTheFile) {
  const std::string huge = dir.file("huge.png");
  ASSERT_TRUE(support::MakeSparseFile(huge, "PNG", std::uint64_t(1) << 28));
  const std::string sound = oldV2 + audio;
  const std::string damaged = support::TagHeader(100000) + Frame("TIT2", Text("x")) + support::Audio();
  const struct {
    std::string before, graphic, types, titles;
    bool listFault;
  } cases[] = {
      {sound, picture + "|" + picture, "3", "a|b", true},  // fewer types than pictures
      {sound, picture + "|" + picture, "3|4", "a", true},  // fewer titles than pictures
      {sound, picture, "256", "", true},                   // not an 8-bit number
      {sound, picture, "x", "", true},
      {sound, picture, "", "", true},
      {sound, picture, "3|4", "", true},                   // one picture takes its type whole
      {sound, "missing.jpg|" + picture, "front|3", "|", true},  // checked where the file is missing
      {sound, dir.path(), "3", "", false},                 // there, but not a readable file
      {sound, huge, "3", "", false},                       // 256 MiB: its size cannot be written
      {damaged, "", "", "", false},
      {"ID3\x03", "", "", "", false},                      // a header cut short
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.graphic + " / " + c.types + " / " + c.titles);
    for (int operation = 0; operation < 3; ++operation) {
      WriteFileBytes(path, c.before);
      support::FailingFileSystem fs;
      FormatEnv env;
      env.fs = &fs;
      clsID3V230Writer w(env);
      w.setSongTitle("t");
      w.setGraphic(c.graphic);
      w.setGraphicType(c.types);
      w.setGraphicTitle(c.titles);
      const bool ok = operation == 0   ? w.WriteID3V230Tag(path)
                      : operation == 1 ? formats::TagSaver(env).SaveTags(path, v1(env), w)
                                       : (c.graphic.empty() && w.RemoveID3V230Tag(path));
      EXPECT_FALSE(ok) << operation;
      if (c.listFault) {
        EXPECT_EQ(fs.operations(), 0) << operation;
      }
      EXPECT_TRUE(ReadFileBytes(path) == c.before) << operation;
      EXPECT_FALSE(support::FileExists(path + ".mp3"));
      EXPECT_FALSE(support::FileExists(path + ".new"));
    }
  }
}

}  // namespace
