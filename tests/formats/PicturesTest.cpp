// Attached pictures: type names both ways, the APIC body as written, and extracting a
// picture into a file of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/Pictures.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader, formats::clsID3V230Writer, formats::FormatEnv;
using support::Frame, support::Text;

namespace {

const std::string NUL(1, '\0');

TEST(PictureTypes, NamesAndNumbers) {
  // Past the list every number is "Other"; the names themselves are the program's list.
  for (unsigned number : {0u, 21u, 255u}) EXPECT_EQ(formats::PictureTypeName(number), "Other") << number;
  EXPECT_EQ(formats::PictureTypeName(17), "A Bright Colored Fish???");
  clsID3V230Writer writer;
  const std::pair<const char*, int> numbers[] = {
      {"FRONT COVER", 3}, {"publisher logo", 20}, {"A Bright Colored Fish", 17}, {"A Bright Colored Fish???", 0},
      {"Other", 0},       {" front cover", 0},    {"", 0}};
  for (const auto& [name, number] : numbers) EXPECT_EQ(writer.GetGraphicType(name), number) << name;
  for (unsigned n = 1; n <= 20; ++n)  // every reader name but 17's maps back to its number
    EXPECT_EQ(writer.GetGraphicType(formats::PictureTypeName(n)), n == 17 ? 0 : n);
}

TEST(Pictures, BodiesAsWritten) {
  support::TempDir dir;
  const std::string song = dir.file("song.mp3"), audio = support::Audio();
  for (const char* name : {"a.JPEG", "a.jpg", "noextension"}) support::WriteFileBytes(dir.file(name), "DATA");
  // The MIME type comes from the picture's first bytes; only a picture of no known kind
  // takes it from its name.
  const std::string jpeg = "\xFF\xD8\xFF\xE0", png = "\x89PNG\r\n\x1A\n", gif = "GIF89a", bmp = "BM6";
  support::WriteFileBytes(dir.file("jpeg.png"), jpeg), support::WriteFileBytes(dir.file("png.jpg"), png);
  support::WriteFileBytes(dir.file("gif"), gif), support::WriteFileBytes(dir.file("bmp.JPEG"), bmp);
  support::WriteFileBytes(dir.file("gif8.gif"), "GIF8"), support::WriteFileBytes(dir.file("short.png"), "\x89PNG");
  const struct {
    std::string graphic, type, title, frames;
  } cases[] = {
      {"jpeg.png", "3", "", Frame("APIC", Text("image/jpeg" + NUL + "\x03" + NUL + jpeg))},
      {"png.jpg", "3", "", Frame("APIC", Text("image/png" + NUL + "\x03" + NUL + png))},
      {"gif", "3", "", Frame("APIC", Text("image/gif" + NUL + "\x03" + NUL + gif))},
      {"bmp.JPEG", "3", "", Frame("APIC", Text("image/bmp" + NUL + "\x03" + NUL + bmp))},
      {"gif8.gif", "3", "", Frame("APIC", Text("image/" + NUL + "\x03" + NUL + "GIF8"))},  // no GIF version
      {"short.png", "3", "", Frame("APIC", Text("image/" + NUL + "\x03" + NUL + "\x89PNG"))},  // cut short
      {"a.JPEG", "4", "back", Frame("APIC", Text("image/jpg" + NUL + "\x04" "back" + NUL + "DATA"))},
      {"a.jpg", "4", "back", Frame("APIC", Text("image/jpg" + NUL + "\x04" "back" + NUL + "DATA"))},
      {"noextension", "0", "a|b", Frame("APIC", Text("image/" + NUL + NUL + "a|b" + NUL + "DATA"))},  // one title, whole
      // A missing picture file is left out; without any frame no tag is written.
      {"gone.jpg|a.jpg", "3|4", "a|b", Frame("APIC", Text("image/jpg" + NUL + "\x04" "b" + NUL + "DATA"))},
      {"gone.jpg", "3", "", ""}};
  for (const auto& c : cases) {
    support::WriteFileBytes(song, audio);
    clsID3V230Writer writer;
    std::string paths;
    for (const auto& name : formats::id3v230::SplitList(c.graphic)) paths += (paths.empty() ? "" : "|") + dir.file(name);
    writer.setGraphic(paths), writer.setGraphicType(c.type), writer.setGraphicTitle(c.title);
    EXPECT_TRUE(writer.WriteID3V230Tag(song));
    const std::string tag = c.frames.empty() ? "" : support::TagHeader(static_cast<std::uint32_t>(c.frames.size()));
    EXPECT_EQ(support::ReadFileBytes(song), tag + c.frames + audio) << c.graphic;
  }
}

class ExtractTest : public ::testing::Test {
 protected:
  // A tagged file with the given APIC bodies, read; the picture at `index` extracted.
  std::string extract(std::initializer_list<std::string> bodies, std::size_t index, FormatEnv env = {}) {
    std::string frames;
    for (const auto& body : bodies) frames += Frame("APIC", body);
    support::WriteFileBytes(song, support::Tag({frames}) + support::Audio());
    clsID3V230Reader reader(env, dir.file("cover"));
    reader.ReadID3V230Tag(song);
    start = std::stoll(formats::id3v230::SplitList(reader.GraphicStartPos()).at(index));
    size = std::stoll(formats::id3v230::SplitList(reader.GraphicSize()).at(index));
    return reader.ExtractGraphic(song, start, size, info, type);
  }

  support::TempDir dir;
  const std::string song = dir.file("song.mp3");
  std::string info, type;
  long long start = 0, size = 0;
};

TEST_F(ExtractTest, EachPictureGetsAFileOfItsOwnWithTheExtensionOfItsSubtype) {
  const struct {
    std::string mime, description, written, subtype;
  } cases[] = {
      {"image/jpeg", "desc", "cover-1.jpg", "jpeg"},
      {"image/jpg", "", "cover-2.jpg", "jpg"},  // no earlier picture file is replaced
      {"image/png", "d", "cover-1.png", "png"}, {"image/", "d", "cover-1.", ""},
      {"image/../../x", "d", "cover-1.....x", "....x"}};  // cannot lead out of the folder
  for (const auto& c : cases) {
    const std::string written = extract({Text(c.mime + NUL + "\x03" + c.description + NUL + "PICTURE")}, 0);
    EXPECT_EQ(written, dir.file(c.written));
    EXPECT_EQ(support::ReadFileBytes(written) + "," + info + "," + type, "PICTURE," + c.description + "," + c.subtype);
  }
  const std::string second = extract({Text("image/png" + NUL + "\x03" + NUL + "FIRST"),
                                      Text("image/png" + NUL + "\x04" + NUL + "SECOND")}, 1);
  EXPECT_EQ(second, dir.file("cover-2.png"));
  EXPECT_EQ(support::ReadFileBytes(second), "SECOND");
}

TEST_F(ExtractTest, BadRequestsReturnNothingAndKeepTheOutArguments) {
  std::remove(extract({Text("image/png" + NUL + "\x03" "d" + NUL + "P")}, 0).c_str());
  const struct {
    std::string file;
    long long start, size;
  } cases[] = {
      {dir.file("absent.mp3"), start, size}, {song, start, 1000000}, {song, -1, size},
      {song, start, -5},                     {song, start + 1, 3}};  // no NUL after a MIME type there
  clsID3V230Reader reader(FormatEnv{}, dir.file("cover"));
  for (const auto& c : cases) {
    info = type = "kept";
    EXPECT_EQ(reader.ExtractGraphic(c.file, c.start, c.size, info, type), "");
    EXPECT_EQ(info + type, "keptkept");
  }
  clsID3V230Reader noBase;  // without a cover base there is nowhere to write
  EXPECT_EQ(noBase.ExtractGraphic(song, start, size, info, type), "");
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

TEST_F(ExtractTest, EveryFailingStepLeavesNoPictureFile) {
  support::FailingFileSystem fs;
  FormatEnv env{&fs, {}, {}};
  for (int n = 1;; ++n) {
    fs.reset();
    fs.failAt(n + 1);  // the reader's own open is step 1
    const std::string written = extract({Text("image/jpeg" + NUL + "\x03" "d" + NUL + std::string(5000, 'x'))}, 0, env);
    EXPECT_EQ(written.empty(), fs.failed()) << n;
    if (!fs.failed()) {
      EXPECT_EQ(support::ReadFileBytes(written), std::string(5000, 'x'));
      break;
    }
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"}) << n;
    ASSERT_LT(n, 100);
  }
  // A large picture is copied in pieces, with a yield after each.
  int yields = 0;
  env = FormatEnv{&formats::FileSystem::standard(), [&yields] { ++yields; }, {}};
  const std::string big = Text("image/png" + NUL + "\x03" + NUL + std::string(5 * 1000 * 1000, 'x'));
  const std::string written = extract({big}, 0, env);
  EXPECT_EQ(support::ReadFileBytes(written).size(), 5u * 1000 * 1000);
  EXPECT_EQ(yields, 1 + 3);  // one frame read, three pieces copied
}

}  // namespace
