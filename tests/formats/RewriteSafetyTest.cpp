// Every rewrite through one table of failures; the real file system and the work file; damaged files read.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <set>

#include "formats/TextCodec.h"
#include "FormatsTest.h"

using support::FileExists;

namespace {

enum class Op { V1Write, V1Remove, V2Write, V2Remove, SaveBoth };

struct Rewrite { const char* name; std::string before, workSuffix; Op op; };  // workSuffix "": an append in place

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
    const std::string both = oldV2 + audio + oldV1;
    return {{"ID3v1.1 replace", audio + oldV1, ".mp3", Op::V1Write}, {"ID3v1.1 append", audio, "", Op::V1Write},
            {"ID3v1.1 remove", audio + oldV1, ".mp3", Op::V1Remove}, {"only tag removed", oldV1, ".mp3", Op::V1Remove},
            {"ID3v2.3 write", both, ".mp3", Op::V2Write}, {"ID3v2.3 remove", both, ".new", Op::V2Remove},
            {"save both tags", both, ".mp3", Op::SaveBoth}};
  }

  // One run with fs: all or nothing, the failed step's error number as the reason; whether a failure struck.
  bool checkedRun(const Rewrite& r, support::FailingFileSystem& fs, const std::string& after, int error) {
    WriteFileBytes(path, r.before);
    const auto entries = FolderEntries(dir.path());
    const int given = ErrorOf(run(r, {&fs, {}, {}}, path));  // before fs.failed() is asked
    EXPECT_EQ(given, fs.failed() ? error : -1) << fs.failedOperation();
    EXPECT_TRUE(ReadFileBytes(path) == (fs.failed() ? r.before : after));
    EXPECT_EQ(FolderEntries(dir.path()), entries);
    return fs.failed();
  }

  TempDir dir;
  const std::string path = dir.file("song.mp3"), picture = dir.file("cover.jpg");
  // More than one copy piece, so that failures strike between pieces too.
  const std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(150));
  const std::string oldV1 = support::ID3v1Block("old"), oldV2 = Tag({Frame("TIT2", Text("old"))}, 50);
};

// Each I/O step failing in turn, a full disk, chattr +i on file or folder, a missing file, a folder in its place, a
// work file that another run holds, a file removed while the audio is copied: the file as it was, or the whole result.
TEST_F(RewriteSafetyTest, EveryFailureLeavesTheFileOrTheWholeResult) {
  const std::string folder = dir.file("folder.mp3");
  for (const auto& r : rewrites()) {
    SCOPED_TRACE(r.name);
    support::FailingFileSystem fs;
    WriteFileBytes(path, r.before);
    ASSERT_TRUE(run(r, {&fs, {}, {}}, path));
    const std::string after = ReadFileBytes(path);
    const std::uint64_t total = fs.bytesWritten();
    ASSERT_NE(after, r.before);
    int n = 1;
    for (;; ++n) {
      SCOPED_TRACE("failing step " + std::to_string(n));
      const int error = n % 3 == 0 ? EROFS : n % 3 == 1 ? EIO : EACCES;  // the reason each step gives must come back
      fs.reset();
      fs.failAt(n, error);
      if (!checkedRun(r, fs, after, error)) break;
      ASSERT_LT(n, 100);
    }
    EXPECT_GT(n, 3);
    for (std::uint64_t room : {std::uint64_t{0}, std::uint64_t{1}, total / 2, total - 1}) {
      if (total == 0) break;  // nothing written, nothing a full disk could stop
      SCOPED_TRACE("disk full after " + std::to_string(room));
      fs.reset();
      fs.diskFullAfter(room);
      EXPECT_TRUE(checkedRun(r, fs, after, ENOSPC));
    }
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

// Refused before the file is touched: picture lists that do not fit (without opening a file), a picture that
// cannot be read, a tag too large for its size field; an old tag longer than the file (a damaged tag).
TEST_F(RewriteSafetyTest, RefusedTagsLeaveTheFile) {
  const std::string huge = dir.file("huge.png"), twice = picture + "|" + picture, sound = oldV2 + audio;
  ASSERT_TRUE(support::MakeSparseFile(huge, "PNG", std::uint64_t(1) << 28));
  const std::string damaged = TagHeader(100000) + Frame("TIT2", Text("x")) + support::Audio();
  const struct { std::string before, graphic, types, titles; bool listFault; } cases[] = {
      {sound, twice, "3", "a|b", true}, {sound, twice, "3|4", "a", true},  // fewer types, fewer titles than pictures
      {sound, picture, "256", "", true}, {sound, picture, "x", "", true},  // no 8-bit number, or none at all
      {sound, picture, "", "", true}, {sound, picture, "3|4", "", true},   // one picture takes its type whole
      {sound, "missing.jpg|" + picture, "front|3", "|", true},            // checked where the file is missing
      {sound, dir.path(), "3", "", false},                                 // there, but not a readable file
      {sound, huge, "3", "", false},                                       // 256 MiB: its size cannot be written
      {damaged, "", "", "", false}, {"ID3\x03", "", "", "", false},  // an old tag longer than the file; one cut short
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
      const formats::Status status = operation == 0 ? w.WriteID3V230Tag(path)
                                     : operation == 1 ? formats::TagSaver(env).SaveTags(path, v1(env), w)
                                     : c.graphic.empty() ? w.RemoveID3V230Tag(path) : formats::Status::Of(failure);
      EXPECT_EQ(status.failure, failure) << operation;
      EXPECT_TRUE(!c.listFault || fs.operations() == 0) << operation;
      EXPECT_TRUE(ReadFileBytes(path) == c.before) << operation;
      EXPECT_EQ(FolderEntries(dir.path()), (Names{"cover.jpg", "huge.png", "song.mp3"}));
    }
  }
}

// A step a row, in a fresh folder holding a.bin ("0123456789", mode 0640), b.bin ("b"), a pipe p.mp3 and a link
// "link" to a missing file: what the step gives, and the folder's regular files after it with their bytes.
TEST(FileIo, EachStepOfTheRealFileSystemAndTheWorkFile) {
  FileSystem& fs = FileSystem::standard();
  char buffer[4];
  const auto readAt = [&](auto& in, auto at) { return in.readAt(at, buffer, 4) ? std::string(buffer, 4) : "-"; };
  const auto done = [](std::initializer_list<bool> steps) {  // each step's success (a braced list runs left to right)
    std::string said;
    for (bool s : steps) said += s ? "yes " : "no ";
    return said;
  };
  const auto denied = [&](const std::string& f) { return !fs.openRead(f) && !fs.openAppend(f) && !fs.truncate(f, 0); };
  using Step = std::function<std::string(const TempDir&)>;
  const struct { const char* what; Step step; std::string gives, after = "a.bin=0123456789 b.bin=b"; } rows[] = {
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
       [&](auto& d) { return done({denied(d / "missing"), denied(d.path()), denied(d / "p.mp3")}); }, "yes yes yes "},
      {"a new file replaces none, nor follows a link",
       [&](auto& d) { return done({bool(fs.createNew(d / "a.bin")), bool(fs.createNew(d / "link"))}); }, "no no "},
      {"a rename replaces nothing", [&](auto& d) {
         return done({fs.renameNoReplace(d / "a.bin", d / "b.bin"), fs.renameNoReplace(d / "gone", d / "c.bin"),
                      fs.renameNoReplace(d / "a.bin", d / "c.bin")});
       }, "no no yes ", "b.bin=b c.bin=0123456789"},
      {"a commit replaces the target, keeping its mode; the work file is hidden, and no \".mp3\" name", [&](auto& d) {
         WorkFile work(fs, d / "a.bin", ".mp3");
         const std::string said = done({work.write(std::string("new")), bool(work.commit())});
         struct stat st {};
         const auto mode = std::to_string(::stat((d / "a.bin").c_str(), &st) == 0 ? st.st_mode & 07777 : 0);
         return said + work.path().substr(d.path().size()) + " " + mode;
       }, "yes yes /.a.bin.mp3.tonewright 416", "a.bin=new b.bin=b"},
      {"a work file dropped, or given a copy past its input's end", [&](auto& d) {
         WorkFile dropped(fs, d / "a.bin", ".new");
         const bool written = dropped.write(std::string("partial"));
         return done({written, dropped.copyFrom(*fs.openRead(d / "b.bin"), 1, 3, {}), bool(dropped.commit())});
       }, "yes no no "},
      // flock's lock belongs to the open file: a killed run leaves none, and another process's is as this one's.
      {"the cleanup removes a work file nobody holds, never another name", [&](auto& d) {
         for (const char* name : {".b.bin", ".tonewright", "a.tonewright", "b.bin.mp3"}) WriteFileBytes(d / name, "x");
         WriteFileBytes(formats::WorkFilePath(d / "b.bin", ".mp3"), "left");
         fs.removeLeftWorkFiles(d.path() + "/");
         return "";
       }, "", ".b.bin=x .tonewright=x a.bin=0123456789 a.tonewright=x b.bin=b b.bin.mp3=x"},
      {"the cleanup keeps a work file that a run holds", [&](auto& d) {
         WorkFile held(fs, d / "a.bin", ".mp3");
         const bool written = held.write(std::string("partial"));
         fs.removeLeftWorkFiles(d.path());
         return done({written, FileExists(held.path())});
       }, "yes yes "},
      {"a copy takes only a free name", [&](auto& d) {
         WorkFile copy(fs, d / "a.bin", ".copy");
         return done({copy.write(std::string("copy")), copy.commitAsNew(d / "b.bin"), copy.commitAsNew(d / "c.mp3")});
       }, "yes no yes ", "a.bin=0123456789 b.bin=b c.mp3=copy"},
  };
  for (const auto& row : rows) {
    TempDir d;
    WriteFileBytes(d / "a.bin", "0123456789"), WriteFileBytes(d / "b.bin", "b");
    ASSERT_EQ(::chmod((d / "a.bin").c_str(), 0640) + ::mkfifo((d / "p.mp3").c_str(), 0600), 0);
    ASSERT_EQ(::symlink((d / "target").c_str(), (d / "link").c_str()), 0);
    EXPECT_EQ(row.step(d), row.gives) << row.what;
    std::string after;
    for (const std::string& name : FolderEntries(d.path()))
      if (std::filesystem::is_regular_file(std::filesystem::symlink_status(d / name)))
        after += name + "=" + ReadFileBytes(d / name) + " ";
    EXPECT_EQ(after, row.after + " ") << row.what;
  }
  // A name too long for a folder entry keeps the mark and gives up the end of its stem.
  EXPECT_EQ(formats::WorkFilePath("/m/" + std::string(250, 'a') + ".mp3", ".new"),
            "/m/." + std::string(243, 'a') + ".tonewright");
}

// Damaged files made from sound ones: no reader may crash, hang, read more than the file, or give odd values.
std::string SoundTag() {
  const std::string lyrics = Frame("USLT", Text("eng" + NUL + "lyrics" + NUL + "more"));
  return Tagged(SevenBit(10) + std::string(6, '\0') + SevenBit(77) + Frame("TIT2", Text("Title")) +
                    Frame("TRCK", Text("3/12")) + Frame("COMM", Text("eng" + NUL + "c")) +
                    Frame("WXXX", Text("d" + NUL + "http://x")) + lyrics + Frame("TPOS", Text("1/2")) +
                    Frame("APIC", ApicBody("image/jpeg", 3, "front", std::string(300, 'j'))) +
                    Frame("APIC", ApicBody("image/png", 4, "", std::string(200, 'p'))) + std::string(64, '\0'), 0x40);
}

std::string Damaged(const std::string& sound, unsigned seed) {
  std::mt19937 random(seed);
  auto below = [&random](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random() % n); };
  std::string bytes = sound;
  switch (seed % 4) {
    case 0: bytes.resize(below(bytes.size() + 1)); break;  // cut anywhere
    case 1:  // a few flipped bits
      for (int i = 0, flips = 1 + static_cast<int>(below(8)); i < flips; ++i)
        bytes[below(bytes.size())] ^= static_cast<char>(1u << below(8));
      break;
    case 2: {  // a size field set to a large or random value: the tag's, or one of a frame
      const std::size_t at = below(3) == 0 ? 6 : 10 + below(bytes.size() - 14);
      const unsigned char large[][4] = {{0xFF, 0xFF, 0xFF, 0xFF}, {0x7F, 0x7F, 0x7F, 0x7F}, {0x00, 0x10, 0x00, 0x00}};
      for (int i = 0; i < 4; ++i)
        bytes[at + i] = below(2) ? static_cast<char>(large[below(3)][i]) : static_cast<char>(random());
      break;
    }
    default:  // random bytes over a stretch
      for (std::size_t i = below(bytes.size()), n = below(40); n > 0 && i < bytes.size(); --n, ++i)
        bytes[i] = static_cast<char>(random());
      break;
  }
  return bytes;
}

bool EndsWithMarker(const std::string& bytes) {
  return bytes.size() >= 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0;
}

TEST(Robustness, DamagedFilesThroughEveryReader) {
  TempDir dir;
  const std::string path = dir.file("damaged.mp3");
  const std::set<std::string> genres(formats::GenreNames().begin(), formats::GenreNames().end());
  const std::set<int> rates = {0,   8,   16,  24,  32,  40,  48,  56,  64,  80,  96,  112,
                               128, 144, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
  const std::set<int> frequencies = {0, 16000, 22050, 24000, 32000, 44100, 48000};
  const std::string v1 = support::ID3v1Block("Robust"), silence = support::Audio(2);
  const std::string sounds[] = {SoundTag() + silence + v1, silence + v1, v1, std::string(300, '\xff')};
  // Crafted to make a careless reader allocate the claimed size or loop for ever.
  std::string manyFrames;
  for (int i = 0; i < 20000; ++i) manyFrames += Frame("TXXX", Text(""));
  const std::string hostile[] = {
      TagHeader(0x0FFFFFFF) + std::string(1000, '\xff'),                     // tag size of 256 MiB
      Bytes("ID3\x03\x00\x00\xFF\xFF\xFF\xFF") + std::string(1000, '\xff'),  // size bytes with top bits set
      TagHeader(100) + "APIC\xFF\xFF\xFF\xFF" + std::string(92, '\0'),        // a frame claiming 4 GiB
      TagHeader(30, 0x40) + "\x7F\x7F\x7F\x7F" + std::string(26, '\0'),       // extended header claiming 256 MiB
      Tag({Frame("APIC", Text(std::string(5000, 'm')))}),                    // no NUL after the MIME type
      TagHeader(static_cast<std::uint32_t>(manyFrames.size())) + manyFrames};
  int present = 0;
  for (unsigned seed = 0; seed < 4000 + std::size(hostile); ++seed) {
    const std::string& sound = sounds[seed % 16 == 0 ? (seed / 16) % 4 : 0];
    const std::string bytes = seed < 4000 ? Damaged(sound, seed) : hostile[seed - 4000];
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    SCOPED_TRACE("seed " + std::to_string(seed));
    support::FailingFileSystem fs;
    formats::FormatEnv env{&fs, {}, {}};
    for (const bool quick : {false, true}) {
      clsID3V230Reader reader(env, dir.file("cover"));
      reader.setQuickRead(quick);
      reader.ReadID3V230Tag(path);
      present += reader.TagPresent();
      // The crafted tags, all but the many frames: none reads as sound.
      EXPECT_TRUE(seed < 4000 || seed >= 4005 || quick || !reader.TagPresent() || !reader.ReadProblem().empty());
      // A header of 10 bytes is asked for even from a shorter file (that read just fails).
      EXPECT_LE(fs.largestRead(), std::max<std::size_t>(bytes.size(), 10));
      EXPECT_LE(fs.totalRead(), 4 * bytes.size() + 64);
      fs.reset();
      const auto starts = SplitList(reader.GraphicStartPos()), sizes = SplitList(reader.GraphicSize());
      for (std::size_t i = 0; i < starts.size() && i < sizes.size() && !sizes[i].empty(); ++i) {
        std::string info, type;
        const auto picture = reader.ExtractGraphic(path, std::stoll(starts[i]), std::stoll(sizes[i]), info, type);
        if (picture.empty()) continue;
        EXPECT_LT(ReadFileBytes(picture).size(), bytes.size());
        std::remove(picture.c_str());
      }
    }
    clsID3V111Reader tag(env);
    tag.ReadID3V111Tag(path);
    EXPECT_EQ(tag.TagPresent(), EndsWithMarker(bytes));
    using formats::Utf8Length;
    EXPECT_TRUE(Utf8Length(tag.SongTitle()) <= 30 && Utf8Length(tag.Year()) <= 4 && Utf8Length(tag.Comment()) <= 28);
    EXPECT_TRUE(tag.Genre().empty() || genres.count(tag.Genre()) == 1);
    clsMP3HeadReader header(env);
    header.ReadMP3Header(path);
    EXPECT_TRUE(header.Layer() <= 3 && rates.count(header.Bitrate()) == 1 &&
                frequencies.count(header.Frequency()) == 1 && header.Length() >= 0);
    EXPECT_TRUE((seed != 4000 && seed != 4001) || header.MPEG().empty());  // a tag claimed past the end: no header
    EXPECT_LE(fs.largestRead(), std::max<std::uint64_t>(bytes.size(), formats::CopyPiece));

    if (seed % 10 != 0) continue;  // each rewrite flushes a work file to the disk: a sample
    // Removing the ID3v2 tag cuts exactly a front of the file or leaves it.
    const bool removed(formats::clsID3V230Writer(env).RemoveID3V230Tag(path));
    const std::string cut = ReadFileBytes(path);
    EXPECT_TRUE(cut == bytes || (removed && bytes.size() >= cut.size() &&
                                 bytes.compare(bytes.size() - cut.size(), cut.size(), cut) == 0));
    // An ID3v1.1 write keeps what is before the old block.
    const std::size_t audio = cut.size() - (EndsWithMarker(cut) ? 128 : 0);
    formats::clsID3V111Writer().WriteID3V111Tag(path);
    const std::string written = ReadFileBytes(path);
    ASSERT_EQ(written.size(), audio + 128);
    EXPECT_TRUE(written.compare(0, audio, cut, 0, audio) == 0);
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"damaged.mp3"});
  }
  EXPECT_GT(present, 100);  // some variants stay readable (a flipped bit in a text)
}

}  // namespace
