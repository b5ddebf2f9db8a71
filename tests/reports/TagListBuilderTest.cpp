// The tag list from real files: the files' order, what the readers give, the rows, the page file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "reports/ReadOnceFileSystem.h"
#include "reports/TagListBuilder.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

namespace {

using Paths = std::vector<std::string>;

class TagListBuilderTest : public ::testing::Test {
 protected:
  std::string dir(const std::string& relative) {
    ::mkdir(temp.file(relative).c_str(), 0755);
    return temp.file(relative) + "/";
  }
  // A file of silence with the given ID3v2.3 artist and title (no tag when both are empty).
  std::string song(const std::string& path, const std::string& artist, const std::string& title) {
    support::WriteFileBytes(path, formats::SilentMpegFrames(40));
    formats::clsID3V230Writer v2;
    v2.setArtist(artist), v2.setSongTitle(title);
    EXPECT_TRUE((artist + title).empty() || v2.WriteID3V230Tag(path));
    return path;
  }
  support::TempDir temp;
};

TEST_F(TagListBuilderTest, FilesComeInReportOrder) {
  const std::string root = dir("m");
  dir("m/x"), dir("m/Y"), dir("m/Y/z"), dir("m/folder.mp3");
  for (const char* name : {"b.mp3", "A.MP3", "c.txt", "a.mp3", "x/1.mp3", "Y/2.mp3", "Y/z/3.mp3", "Y/z/4.mp3"})
    support::WriteFileBytes(root + name, "x");
  EXPECT_EQ(reports::CollectTagListFiles(root, false, {}), (Paths{root + "A.MP3", root + "a.mp3", root + "b.mp3"}));
  int folders = 0;
  // Sub-folders last to first, each walked whole, then the folder's own files.
  EXPECT_EQ(reports::CollectTagListFiles(root, true, [&] { ++folders; }),
            (Paths{root + "Y/z/3.mp3", root + "Y/z/4.mp3", root + "Y/2.mp3", root + "x/1.mp3", root + "A.MP3",
                   root + "a.mp3", root + "b.mp3"}));
  EXPECT_EQ(folders, 5);
}

// One open file serves all three readers; the quick read finds what a full read finds.
TEST_F(TagListBuilderTest, ReadOnceAndQuickReadFindWhatTheFullReadsFind) {
  using support::Frame, support::Frame22, support::Text, support::Tagged, support::Audio;
  const std::string root = dir("m");
  const std::string picture = std::string(1, '\0') + "image/png" + std::string(3, '\0') + std::string(90000, 'p');
  const std::pair<const char*, std::string> made[] = {
      {"big picture.mp3", support::Tag({Frame("TPE1", Text("Far")), Frame("APIC", picture), Frame("TIT2", Text("Behind"))}) +
                              Audio(30) + support::ID3v1Block("v1")},
      {"v22.mp3", Tagged(Frame22("TCO", Text("Pop")) + Frame22("TT2", Text("Twenty-two")) + Frame22("TP1", Text("Old")), 0, 2) +
                      Audio(30)},
      {"v24.mp3", Tagged(Frame("TCON", Text("Pop")) + Frame("TDRC", "\x03" "2001-02-03") + Frame("TXXX", Text("k")) +
                             Frame("TIT2", "\x03Gr\xC3\xBC\xC3\x9F" "e"), 0, 4) + Audio(30)},
      {"v24 damage unread.mp3", Tagged(Frame("TIT2", Text("T")) + Frame("TCON", Text("P"), support::Bytes("\0\1")), 0, 4) + Audio(30)},
      {"tiny.mp3", "ID3\x03"}};
  Paths paths = {song(root + "plain.mp3", "A", "T"), song(root + "none.mp3", "", ""), root + "gone.mp3"};
  for (const auto& [name, bytes] : made) paths.push_back(root + name), support::WriteFileBytes(paths.back(), bytes);
  formats::FormatEnv plain, cached;
  reports::ReadOnceFileSystem once(formats::FileSystem::standard());
  cached.fs = &once;
  const auto all = [](const reports::FileFacts& f) {
    return std::tie(f.length, f.bitrate, f.mode, f.v1Present, f.v1Artist, f.v1Title, f.v1Album, f.v1Year, f.v1Comment,
                    f.v2Present, f.v2Artist, f.v2Title, f.v2Album, f.v2Year, f.v2Comment);
  };
  for (const std::string& path : paths) {
    const reports::FileFacts expected = reports::ReadFileFacts(path, plain);
    once.load(path);
    const reports::FileFacts got = reports::ReadFileFacts(path, cached);
    char two[2];
    if (const auto in = once.openRead(path)) { EXPECT_FALSE(in->readAt(in->size() - 1, two, 2)) << path; }  // past the end
    once.release();
    EXPECT_EQ(all(got), all(expected)) << path;
    formats::clsID3V230Reader full;
    full.ReadID3V230Tag(path);
    EXPECT_EQ(std::tie(got.v2Present, got.v2Artist, got.v2Title, got.v2Album, got.v2Year, got.v2Comment),
              std::make_tuple(full.TagPresent(), full.Artist(), full.SongTitle(), full.Album(), full.Year(), full.Comment()))
        << path;
  }
  // Head and tail are read once each; the buffers kept for the next file serve none of its reads.
  support::FailingFileSystem counted;
  reports::ReadOnceFileSystem reused(counted);
  for (const char fill : {'a', 'b'}) {
    const std::string path = root + fill;
    support::WriteFileBytes(path, std::string(10000, fill));
    counted.reset();
    reused.load(path);
    char tail[2] = {};
    EXPECT_TRUE(reused.openRead(path)->readAt(9872, tail, 1) && reused.openRead(path)->readAt(9872, tail + 1, 1));
    EXPECT_EQ(std::string(tail, 2), std::string(2, fill));
    EXPECT_EQ(counted.totalRead(), 8192u + 128u);
    reused.release();
  }
}

// A row per file in the order read, texts escaped; a cancel during the second file stops before
// the third, with no page.
TEST_F(TagListBuilderTest, PageOfAFolderHasARowPerFileWithItsTextsEscaped) {
  const std::string root = dir("R&B <mix>");
  const struct { const char *name, *artist, *title, *row; } files[] = {
      {"1.mp3", "Tom & Jerry", "<script>alert(1)</script>", "<tr><td> 1</td><td>Tom &amp; Jerry</td><td>&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"2 \"quoted\".mp3", "", "", "<tr BGCOLOR=\"#AA0000\"><td> 2</td><td>2 &quot;quoted&quot;.mp3</td><td>- NO TAG -"},
      {"3.mp3", "\xD0\x9C\xD0\xB8\xD1\x80", "Don\xE2\x80\x99t \"stop\"",
       "<tr BGCOLOR=\"#0057B8\"><td> 3</td><td>&#1052;&#1080;&#1088;</td><td>Don&#8217;t &quot;stop&quot;"}};
  for (const auto& f : files) song(root + f.name, f.artist, f.title);
  reports::PageOptions options;
  options.view = {true, true, true, true, true, true};
  std::vector<int> gauge;
  const reports::TagListResult result = reports::BuildTagListPage(root, options, {}, [&](int percent) { gauge.push_back(percent); });
  EXPECT_TRUE(gauge == (std::vector<int>{33, 67, 100}) && result.fileCount == 3u && !result.cancelled);
  EXPECT_NE(result.page.find("<title>R&amp;B &lt;mix&gt;</title>"), std::string::npos);
  for (const auto& f : files) {
    EXPECT_NE(result.page.find(f.row + std::string("</td><td></td><td></td><td>0:01</td><td>128</td><td>Joint Stereo</td><td></td></tr>")),
              std::string::npos) << f.row;
  }
  std::atomic<bool> cancel{false};
  gauge.clear();
  const reports::TagListResult cancelled = reports::BuildTagListPage(
      root, options, {}, [&](int percent) { gauge.push_back(percent), cancel = percent > 50; }, &cancel);
  EXPECT_EQ(std::tie(cancelled.cancelled, cancelled.page, gauge), std::make_tuple(true, std::string(), std::vector<int>{33, 67}));
}

// Every step of writing the page made to fail in turn: the old page stays, no work file.
TEST_F(TagListBuilderTest, PageFileIsReplacedWholeOrNotAtAll) {
  const std::string page = temp.file("index.htm");
  support::WriteFileBytes(page, "old page");
  support::FailingFileSystem fs;
  for (int step = 1; step == 1 || fs.failed(); ++step) {
    fs.reset();
    fs.failAt(step);
    const bool written = reports::WritePageFile(fs, page, "new page");
    EXPECT_EQ(written, !fs.failed()) << fs.failedOperation();
    EXPECT_EQ(support::ReadFileBytes(page), fs.failed() ? "old page" : "new page") << fs.failedOperation();
    EXPECT_EQ(support::FolderEntries(temp.path()), Paths{"index.htm"}) << fs.failedOperation();
  }
  support::WriteFileBytes(formats::WorkFilePath(page, ".work"), "left by a run cut off");
  EXPECT_TRUE(reports::WritePageFile(formats::FileSystem::standard(), page, "newer"));
  EXPECT_EQ(support::FolderEntries(temp.path()), Paths{"index.htm"});
}

}  // namespace
