// The tag list built from real files: the order of the files, what the readers give, the
// page read back by an HTML parser, and the page file written safely.
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
#include "support/Process.h"
#include "support/TempDir.h"

namespace {

class TagListBuilderTest : public ::testing::Test {
 protected:
  std::string dir(const std::string& relative) {
    const std::string path = temp.path() + "/" + relative;
    ::mkdir(path.c_str(), 0755);
    return path + "/";
  }
  // A file of silence with the given ID3v2.3 artist and title (no tag when both are empty).
  std::string song(const std::string& path, const std::string& artist, const std::string& title, int frames = 40) {
    support::WriteFileBytes(path, formats::SilentMpegFrames(frames));
    if (!artist.empty() || !title.empty()) {
      formats::clsID3V230Writer v2;
      v2.setArtist(artist), v2.setSongTitle(title);
      EXPECT_TRUE(v2.WriteID3V230Tag(path));
    }
    return path;
  }
  support::TempDir temp;
};

TEST_F(TagListBuilderTest, FilesComeInReportOrder) {
  const std::string root = dir("m");
  for (const char* name : {"b.mp3", "A.MP3", "c.txt", "a.mp3"}) support::WriteFileBytes(root + name, "x");
  dir("m/x"), dir("m/Y"), dir("m/Y/z"), dir("m/folder.mp3");
  for (const char* name : {"x/1.mp3", "Y/2.mp3", "Y/z/3.mp3", "Y/z/4.mp3"}) support::WriteFileBytes(root + name, "x");
  using Paths = std::vector<std::string>;
  EXPECT_EQ(reports::CollectTagListFiles(root, false, {}), (Paths{root + "A.MP3", root + "a.mp3", root + "b.mp3"}));
  int folders = 0;
  // Sub-folders last to first, each walked whole, then the folder's own files.
  EXPECT_EQ(reports::CollectTagListFiles(root, true, [&] { ++folders; }),
            (Paths{root + "Y/z/3.mp3", root + "Y/z/4.mp3", root + "Y/2.mp3", root + "x/1.mp3", root + "A.MP3",
                   root + "a.mp3", root + "b.mp3"}));
  EXPECT_EQ(folders, 5);
}

// One file opened once serves all three readers with what each would read on its own, and
// the quick read of the list finds what a full read finds, whatever frames it leaves unread.
TEST_F(TagListBuilderTest, ReadOnceAndQuickReadFindWhatTheFullReadsFind) {
  using support::Frame, support::Frame22, support::Text;
  const std::string root = dir("m");
  const std::pair<const char*, std::string> made[] = {
      {"big picture.mp3", support::Tag({Frame("TPE1", Text("Far")),
                                        Frame("APIC", std::string(1, '\0') + "image/png" + std::string(3, '\0') +
                                                          std::string(90000, 'p')),
                                        Frame("TIT2", Text("Behind"))}) + support::Audio(30) + support::ID3v1Block("v1")},
      {"v22.mp3", support::Tagged(Frame22("TCO", Text("Pop")) + Frame22("TT2", Text("Twenty-two")) +
                                  Frame22("TP1", Text("Old")), 0, 2) + support::Audio(30)},
      {"v24.mp3", support::Tagged(Frame("TCON", Text("Pop")) + Frame("TDRC", "\x03" "2001-02-03") +
                                  Frame("TXXX", Text("k")) + Frame("TIT2", "\x03Gr\xC3\xBC\xC3\x9F" "e"), 0, 4) +
                      support::Audio(30)},
      {"v24 damage unread.mp3",
       support::Tagged(Frame("TIT2", Text("T")) + Frame("TCON", Text("P"), support::Bytes("\0\1")), 0, 4) + support::Audio(30)},
      {"tiny.mp3", "ID3\x03"}};
  std::vector<std::string> paths = {song(root + "plain.mp3", "A", "T"), song(root + "none.mp3", "", ""), root + "gone.mp3"};
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
    if (const auto in = once.openRead(path)) {
      EXPECT_FALSE(in->readAt(in->size() - 1, two, 2)) << path;  // past the end
    }
    once.release();
    EXPECT_EQ(all(got), all(expected)) << path;
    formats::clsID3V230Reader full;
    full.ReadID3V230Tag(path);
    ASSERT_EQ(got.v2Present, full.TagPresent()) << path;
    if (got.v2Present) {
      EXPECT_EQ(std::make_tuple(got.v2Artist, got.v2Title, got.v2Album, got.v2Year, got.v2Comment),
                std::make_tuple(full.Artist(), full.SongTitle(), full.Album(), full.Year(), full.Comment()))
          << path;
    }
  }
}

// The page of a real folder, read back with Python's HTML parser: every row and cell in
// place, texts with markup characters and non-Latin letters come back as written.
TEST_F(TagListBuilderTest, PageReadsBackThroughAnHtmlParser) {
  const std::string root = dir("R&B <mix>");
  song(root + "1.mp3", "Tom & Jerry", "<script>alert(1)</script>", 40);
  song(root + "2 \"quoted\".mp3", "", "");
  song(root + "3.mp3", "\xD0\x9C\xD0\xB8\xD1\x80", "Don\xE2\x80\x99t \"stop\"", 40);
  reports::PageOptions options;
  options.view = {true, true, true, true, true, true};
  std::vector<int> gauge;
  const reports::TagListResult result =
      reports::BuildTagListPage(root, options, {}, [&](int percent) { gauge.push_back(percent); });
  EXPECT_EQ(gauge, (std::vector<int>{33, 67, 100}));
  EXPECT_EQ(result.fileCount, 3u);
  // A cancel set while the second file is read stops the build before the third: no page.
  std::atomic<bool> cancel{false};
  gauge.clear();
  const reports::TagListResult cancelled = reports::BuildTagListPage(
      root, options, {}, [&](int percent) { gauge.push_back(percent), cancel = percent > 50; }, &cancel);
  EXPECT_EQ(std::make_tuple(cancelled.cancelled, cancelled.page, gauge), std::make_tuple(true, std::string(), std::vector<int>{33, 67}));
  const std::string page = temp.file("page.htm");
  ASSERT_TRUE(reports::WritePageFile(formats::FileSystem::standard(), page, result.page));

  const std::string script = R"(
import html.parser, sys
class Check(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.rows, self.text, self.errors = [], [], '', []
    def handle_starttag(self, tag, attrs):
        if tag in ('meta', 'br'): return
        if tag == 'tr': self.rows.append([])
        self.stack.append(tag); self.text = ''
    def handle_endtag(self, tag):
        if tag == 'td' and self.rows: self.rows[-1].append(self.text)
        # The layout leaves <strong> open in the header cells and closes a paragraph it
        # never opened; HTML's own rules end both, so they are not counted here.
        while self.stack and self.stack[-1] == 'strong' and tag != 'strong': self.stack.pop()
        if tag == 'p' and 'p' not in self.stack: return
        if not self.stack or self.stack.pop() != tag: self.errors.append(tag)
    def handle_startendtag(self, tag, attrs): pass
    def handle_data(self, data): self.text += data
c = Check()
c.feed(open(sys.argv[1], encoding='iso-8859-1').read()); c.close()
print('errors', c.errors, 'open', c.stack)
for row in c.rows: print('|'.join(row))
)";
  EXPECT_EQ(support::RunPython(script, {page}),
            "errors [] open []\n"
            "Track|Interpret|Titel|Album|Jahr|Laufzeit|kbps|Mode|Info\n"
            " 1|Tom & Jerry|<script>alert(1)</script>|||0:01|128|Joint Stereo|\n"
            " 2|2 \"quoted\".mp3|- NO TAG -|||0:01|128|Joint Stereo|\n"
            " 3|\xD0\x9C\xD0\xB8\xD1\x80|Don\xE2\x80\x99t \"stop\"|||0:01|128|Joint Stereo|\n");
}

// Every step of writing the page made to fail in turn: the old page stays, no work file.
TEST_F(TagListBuilderTest, PageFileIsReplacedWholeOrNotAtAll) {
  const std::string page = temp.file("index.htm");
  support::WriteFileBytes(page, "old page");
  support::FailingFileSystem fs;
  for (int step = 1;; ++step) {
    fs.reset();
    fs.failAt(step);
    const bool written = reports::WritePageFile(fs, page, "new page");
    if (!fs.failed()) {
      EXPECT_TRUE(written);
      break;
    }
    EXPECT_FALSE(written) << fs.failedOperation();
    EXPECT_EQ(support::ReadFileBytes(page), "old page") << fs.failedOperation();
    EXPECT_EQ(support::FolderEntries(temp.path()), std::vector<std::string>{"index.htm"}) << fs.failedOperation();
  }
  EXPECT_EQ(support::ReadFileBytes(page), "new page");
  support::WriteFileBytes(formats::WorkFilePath(page, ".work"), "left by a run cut off");
  EXPECT_TRUE(reports::WritePageFile(formats::FileSystem::standard(), page, "newer"));
  EXPECT_EQ(support::FolderEntries(temp.path()), std::vector<std::string>{"index.htm"});
}

}  // namespace
