// Every operation that rewrites an MP3 file, run through one table: whatever step fails
// (each I/O step in turn, a full disk, chattr +i, a file that vanishes, a stale work
// file), the file holds either the complete new bytes or exactly the old ones, no work
// file is left behind, and the returned status names the system's reason. Below them,
// the real file system and the work file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

#include "formats/FileIo.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "formats/TagSaver.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"

using formats::clsID3V111Writer, formats::clsID3V230Writer, formats::FileSystem, formats::FormatEnv, formats::WorkFile;
using support::FileExists, support::FolderEntries, support::Frame, support::ReadFileBytes, support::Text, support::WriteFileBytes;
using Names = std::vector<std::string>;

namespace {

enum class Op { V1Write, V1Remove, V2Write, V2Remove, SaveBoth };

struct Rewrite {
  const char* name;
  std::string before;
  std::string workSuffix;  // "" for an append in place
  Op op;
};

// The reason a failed run gives: the system's error number, or -1 for success.
int ErrorOf(const formats::Status& status) {
  EXPECT_TRUE(status || status.failure == formats::Failure::Io);
  return status ? -1 : status.error;
}

class RewriteSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(picture, std::string(3000, 'j')); }

  clsID3V111Writer v1(FormatEnv env) const {
    clsID3V111Writer w(env);
    w.setSongTitle("new title"), w.setTrack(12), w.setGenre(42);
    return w;
  }
  clsID3V230Writer v2(FormatEnv env) const {
    clsID3V230Writer w(env);
    w.setSongTitle("new title"), w.setLyrics("words"), w.setGraphic(picture), w.setGraphicType("3");
    return w;
  }
  formats::Status run(const Rewrite& r, FormatEnv env, const std::string& p) const {
    switch (r.op) {
      case Op::V1Write: return v1(env).WriteID3V111Tag(p);
      case Op::V1Remove: return clsID3V111Writer(env).RemoveID3V111Tag(p);
      case Op::V2Write: return v2(env).WriteID3V230Tag(p);
      case Op::V2Remove: return clsID3V230Writer(env).RemoveID3V230Tag(p);
      case Op::SaveBoth: break;
    }
    return formats::TagSaver(env).SaveTags(p, v1(env), v2(env));
  }

  std::vector<Rewrite> rewrites() const {
    return {{"ID3v1.1 replace", audio + oldV1, ".mp3", Op::V1Write}, {"ID3v1.1 append", audio, "", Op::V1Write},
            {"ID3v1.1 remove", audio + oldV1, ".mp3", Op::V1Remove}, {"ID3v1.1 remove the only tag", oldV1, ".mp3", Op::V1Remove},
            {"ID3v2.3 write", oldV2 + audio + oldV1, ".mp3", Op::V2Write},
            {"ID3v2.3 remove", oldV2 + audio + oldV1, ".new", Op::V2Remove},
            {"save both tags", oldV2 + audio + oldV1, ".mp3", Op::SaveBoth}};
  }

  // The bytes a run on the real file system gives, and the bytes it writes.
  std::string reference(const Rewrite& r, std::uint64_t& written) {
    WriteFileBytes(path, r.before);
    support::FailingFileSystem fs;
    EXPECT_TRUE(run(r, {&fs, {}, {}}, path)) << r.name;
    written = fs.bytesWritten();
    return ReadFileBytes(path);
  }

  // One run with fs; checks the all-or-nothing outcome and the reason (the error number
  // of the failed step) and returns whether a failure struck.
  bool checkedRun(const Rewrite& r, support::FailingFileSystem& fs, const std::string& after, int error) {
    WriteFileBytes(path, r.before);
    const auto entries = FolderEntries(dir.path());
    const int given = ErrorOf(run(r, {&fs, {}, {}}, path));
    EXPECT_EQ(given, fs.failed() ? error : -1) << fs.failedOperation();
    EXPECT_TRUE(ReadFileBytes(path) == (fs.failed() ? r.before : after));
    EXPECT_EQ(FolderEntries(dir.path()), entries);
    return fs.failed();
  }

  support::TempDir dir;
  const std::string path = dir.file("song.mp3"), picture = dir.file("cover.jpg");
  // More than one copy piece, so that failures strike between pieces too.
  const std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(150));
  const std::string oldV1 = support::ID3v1Block("old"), oldV2 = support::Tag({Frame("TIT2", Text("old"))}, 50);
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
      const int error = n % 3 == 0 ? EROFS : n % 3 == 1 ? EIO : EACCES;  // the reason each step gives must come back
      fs.reset();
      fs.failAt(n, error);
      if (!checkedRun(r, fs, after, error)) break;
      ASSERT_LT(n, 100);
    }
    EXPECT_GT(n, 3) << r.name;
    for (std::uint64_t room : {std::uint64_t{0}, std::uint64_t{1}, total / 2, total - 1}) {
      if (total == 0) break;  // nothing written, nothing a full disk could stop
      SCOPED_TRACE(std::string(r.name) + ", disk full after " + std::to_string(room));
      fs.reset();
      fs.diskFullAfter(room);
      EXPECT_TRUE(checkedRun(r, fs, after, ENOSPC));
    }
  }
}

// chattr +i on the file or its folder, a missing file, a folder in its place, a work file
// of the same name that another run still writes, a file removed while the audio is copied:
// each is left as it is. A work file of that name that a killed run left goes.
TEST_F(RewriteSafetyTest, ImmutableMissingVanishingAndStaleFilesAreLeftAlone) {
  const std::string folder = dir.file("folder.mp3");
  for (const auto& r : rewrites()) {
    SCOPED_TRACE(r.name);
    std::uint64_t total = 0;
    const std::string after = reference(r, total);
    for (const bool wholeFolder : {false, true}) {
      WriteFileBytes(path, r.before);
      support::ImmutableGuard guard(wholeFolder ? dir.path() : path);
      if (!guard.active()) break;  // chattr +i is not available here
      const bool changes = wholeFolder && r.workSuffix.empty();  // a folder that cannot change lets its files grow
      EXPECT_EQ(ErrorOf(run(r, {}, path)), changes ? -1 : EPERM);
      EXPECT_TRUE(ReadFileBytes(path) == (changes ? after : r.before)) << wholeFolder;
      EXPECT_EQ(FolderEntries(dir.path()), (Names{"cover.jpg", "song.mp3"}));
    }
    std::remove(path.c_str());
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    EXPECT_EQ(ErrorOf(run(r, {}, dir.file("absent.mp3"))), ENOENT);
    EXPECT_EQ(ErrorOf(run(r, {}, folder)), EISDIR);
    EXPECT_EQ(FolderEntries(dir.path()), (Names{"cover.jpg", "folder.mp3"}));
    EXPECT_TRUE(FolderEntries(folder).empty());
    std::filesystem::remove(folder);
    const std::string work = formats::WorkFilePath(path, r.workSuffix);
    for (const bool held : {true, false}) {
      if (r.workSuffix.empty()) break;
      WriteFileBytes(path, r.before);
      std::optional<WorkFile> live;
      if (held) live.emplace(FileSystem::standard(), path, r.workSuffix);
      if (!held) WriteFileBytes(work, "left by a killed run");
      EXPECT_EQ(ErrorOf(run(r, {}, path)), held ? EEXIST : -1) << held;
      EXPECT_TRUE(ReadFileBytes(path) == (held ? r.before : after)) << held;
      EXPECT_EQ(FileExists(work), held);
    }
    WriteFileBytes(path, r.before);
    bool removed = false;
    const FormatEnv env{&FileSystem::standard(), [&] { removed = std::remove(path.c_str()) == 0 || removed; }, {}};
    const int given = ErrorOf(run(r, env, path));
    EXPECT_EQ(given, removed ? ENOENT : -1) << "the file vanished";
    EXPECT_TRUE(!removed || FolderEntries(dir.path()) == Names{"cover.jpg"});
    std::remove(path.c_str());
  }
}

// Refused before the file is touched: picture lists that do not fit together (checked
// without opening a file), a picture that cannot be read, a tag too large for its size
// field (these three as the system's failure), an old tag longer than the file (cutting by
// it would take the audio: a damaged tag, which is never replaced).
TEST_F(RewriteSafetyTest, RefusedTagsLeaveTheFile) {
  const std::string huge = dir.file("huge.png"), twice = picture + "|" + picture, sound = oldV2 + audio;
  ASSERT_TRUE(support::MakeSparseFile(huge, "PNG", std::uint64_t(1) << 28));
  const std::string damaged = support::TagHeader(100000) + Frame("TIT2", Text("x")) + support::Audio();
  const struct {
    std::string before, graphic, types, titles;
    bool listFault;
  } cases[] = {
      {sound, twice, "3", "a|b", true}, {sound, twice, "3|4", "a", true},  // fewer types, fewer titles than pictures
      {sound, picture, "256", "", true}, {sound, picture, "x", "", true}, {sound, picture, "", "", true},  // no 8-bit number
      {sound, picture, "3|4", "", true},                                   // one picture takes its type whole
      {sound, "missing.jpg|" + picture, "front|3", "|", true},            // checked where the file is missing
      {sound, dir.path(), "3", "", false},                                 // there, but not a readable file
      {sound, huge, "3", "", false},                                       // 256 MiB: its size cannot be written
      {damaged, "", "", "", false}, {"ID3\x03", "", "", "", false},        // an old tag longer than the file; one cut short
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.graphic + " / " + c.types + " / " + c.titles);
    const auto failure = c.before == sound ? formats::Failure::Io : formats::Failure::Damaged;
    for (int operation = 0; operation < 3; ++operation) {
      WriteFileBytes(path, c.before);
      support::FailingFileSystem fs;
      FormatEnv env{&fs, {}, {}};
      clsID3V230Writer w(env);
      w.setSongTitle("t"), w.setGraphic(c.graphic), w.setGraphicType(c.types), w.setGraphicTitle(c.titles);
      const formats::Status status = operation == 0        ? w.WriteID3V230Tag(path)
                                     : operation == 1      ? formats::TagSaver(env).SaveTags(path, v1(env), w)
                                     : c.graphic.empty()   ? w.RemoveID3V230Tag(path)
                                                           : formats::Status::Of(failure);
      EXPECT_EQ(status.failure, failure) << operation;
      EXPECT_TRUE(!c.listFault || fs.operations() == 0) << operation;
      EXPECT_TRUE(ReadFileBytes(path) == c.before) << operation;
      EXPECT_EQ(FolderEntries(dir.path()), (Names{"cover.jpg", "huge.png", "song.mp3"}));
    }
  }
}

// The real file system and the work file, a step a row, each in a fresh folder holding a.bin
// ("0123456789", mode 0640), b.bin ("b"), a pipe p.mp3 and a link "link" to a missing file: what
// the step gives, and the folder's entries after it (a regular file with its bytes).
TEST(FileIo, EachStepOfTheRealFileSystemAndTheWorkFile) {
  FileSystem& fs = FileSystem::standard();
  char buffer[4];
  const auto readAt = [&](formats::InputFile& in, std::uint64_t at) { return in.readAt(at, buffer, 4) ? std::string(buffer, 4) : "-"; };
  // Each step's success, in order (a braced list is evaluated left to right).
  const auto done = [](std::initializer_list<bool> steps) { std::string said; for (bool s : steps) said += s ? "yes " : "no "; return said; };
  const auto refused = [&](const std::string& path) { return !fs.openRead(path) && !fs.openAppend(path) && !fs.truncate(path, 0); };
  const struct { const char* what; std::function<std::string(const support::TempDir&)> step; std::string gives, after = "a.bin=0123456789 b.bin=b"; } rows[] = {
      {"reads within the file only; past its end, or where offset + n overflows, none", [&](auto& d) {
         auto in = fs.openRead(d / "a.bin");
         return std::to_string(in->size()) + readAt(*in, 6) + readAt(*in, 7) + readAt(*in, ~0ull - 1);
       }, "106789--"},
      {"a file that shrinks while open ends a read", [&](auto& d) {
         auto in = fs.openRead(d / "a.bin");
         std::filesystem::resize_file(d / "a.bin", 5);
         return readAt(*in, 6);
       }, "-", "a.bin=01234 b.bin=b"},
      {"missing files, folders and pipes are refused without blocking",
       [&](auto& d) { return done({refused(d / "missing"), refused(d.path()), refused(d / "p.mp3")}); }, "yes yes yes "},
      {"a new file replaces none, nor follows a link",
       [&](auto& d) { return done({fs.createNew(d / "a.bin") != nullptr, fs.createNew(d / "link") != nullptr}); }, "no no "},
      {"a rename replaces nothing", [&](auto& d) {
         return done({fs.renameNoReplace(d / "a.bin", d / "b.bin"), fs.renameNoReplace(d / "gone", d / "c.bin"),
                      fs.renameNoReplace(d / "a.bin", d / "c.bin")});
       }, "no no yes ", "b.bin=b c.bin=0123456789"},
      {"a commit replaces the target, keeping its mode; the work file is hidden, and no \".mp3\" name", [&](auto& d) {
         WorkFile work(fs, d / "a.bin", ".mp3");
         const std::string said = done({work.write(std::string("new")), bool(work.commit())}) + work.path().substr(d.path().size());
         struct stat st {};
         return said + " " + std::to_string(::stat((d / "a.bin").c_str(), &st) == 0 ? st.st_mode & 07777 : 0);
       }, "yes yes /.a.bin.mp3.tonewright 416", "a.bin=new b.bin=b"},
      {"a work file dropped, or given a copy past its input's end", [&](auto& d) {
         WorkFile dropped(fs, d / "a.bin", ".new");
         return done({dropped.write(std::string("partial")), dropped.copyFrom(*fs.openRead(d / "b.bin"), 1, 3, {}), bool(dropped.commit())});
       }, "yes no no "},
      {"a copy takes only a free name", [&](auto& d) {
         WorkFile copy(fs, d / "a.bin", ".copy");
         return done({copy.write(std::string("copy")), copy.commitAsNew(d / "b.bin"), copy.commitAsNew(d / "c.mp3")});
       }, "yes no yes ", "a.bin=0123456789 b.bin=b c.mp3=copy"},
  };
  for (const auto& row : rows) {
    support::TempDir d;
    WriteFileBytes(d / "a.bin", "0123456789"), WriteFileBytes(d / "b.bin", "b");
    ASSERT_EQ(::chmod((d / "a.bin").c_str(), 0640) + ::mkfifo((d / "p.mp3").c_str(), 0600) + ::symlink((d / "target").c_str(), (d / "link").c_str()), 0);
    EXPECT_EQ(row.step(d), row.gives) << row.what;
    std::string after;
    for (const std::string& name : FolderEntries(d.path()))
      if (std::filesystem::is_regular_file(std::filesystem::symlink_status(d / name))) after += name + "=" + ReadFileBytes(d / name) + " ";
    EXPECT_EQ(after, row.after + " ") << row.what;
  }
  // A name too long for a folder entry keeps the mark and gives up the end of its stem.
  EXPECT_EQ(formats::WorkFilePath("/m/" + std::string(250, 'a') + ".mp3", ".new"), "/m/." + std::string(243, 'a') + ".tonewright");
}

// The cleanup of a folder removes the work files that nobody holds any more, those of a
// killed process, and never one that a live process (or this one) still writes, nor a
// name that is no work file's.
TEST(WorkFileTest, TheCleanupRemovesOnlyWorkFilesNobodyHolds) {
  support::TempDir dir;
  FileSystem& fs = FileSystem::standard();
  const std::string target = dir.file("song.mp3"), work = formats::WorkFilePath(target, ".mp3");
  const Names others = {".song.mp3", ".tonewright", "a.tonewright", "song.mp3", "song.mp3.mp3"};  // sorted
  for (const std::string& name : others) WriteFileBytes(dir.file(name), "kept");
  enum class Holder { KilledProcess, LiveProcess, ThisProcess, Nobody };
  for (const auto holder : {Holder::KilledProcess, Holder::LiveProcess, Holder::ThisProcess, Holder::Nobody}) {
    SCOPED_TRACE(static_cast<int>(holder));
    std::optional<WorkFile> own;
    pid_t child = -1;
    if (holder == Holder::ThisProcess) own.emplace(fs, target, ".mp3");
    if (holder == Holder::Nobody) WriteFileBytes(work, "left");  // a plain file of a work file's name
    if (holder == Holder::KilledProcess || holder == Holder::LiveProcess) {
      int ready[2];
      ASSERT_EQ(::pipe(ready), 0);
      child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {  // holds a half-written work file until it is killed
        WorkFile held(fs, target, ".mp3");
        const char written = held.write(std::string("partial")) ? '1' : '0';
        (void)!::write(ready[1], &written, 1);
        for (;;) ::pause();
      }
      char written = 0;
      ASSERT_EQ(::read(ready[0], &written, 1), 1);
      ::close(ready[0]), ::close(ready[1]);
      ASSERT_EQ(written, '1');
      if (holder == Holder::KilledProcess) support::KillAndReap(child);
    }
    ASSERT_TRUE(FileExists(work));
    fs.removeLeftWorkFiles(dir.path() + "/");
    EXPECT_EQ(FileExists(work), holder == Holder::LiveProcess || holder == Holder::ThisProcess);
    if (holder == Holder::LiveProcess) support::KillAndReap(child);
    own.reset();
    fs.removeLeftWorkFiles(dir.path());
    EXPECT_EQ(FolderEntries(dir.path()), others);
  }
}

}  // namespace
