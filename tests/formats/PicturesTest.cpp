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

using formats::clsID3V230Reader;
using formats::clsID3V230Writer;
using formats::FormatEnv;
using support::Frame;
using support::Text;

namespace {

const std::string NUL(1, '\0');

TEST(PictureTypes, ReaderNamesByNumber) {
  const std::pair<unsigned, const char*> cases[] = {
      {0, "Other"},          {1, "32x32 Icon"},    {3, "Front Cover"},     {4, "Back Cover"},
      {13, "Recording Location"}, {17, "A Bright Colored Fish???"}, {20, "Publisher Logo"},
      {21, "Other"},         {25, "Other"},        {255, "Other"}};
  for (const auto& [number, name] : cases) EXPECT_EQ(formats::PictureTypeName(number), name) << number;
}

TEST(PictureTypes, WriterNumbersByNameInAnyCase) {
  clsID3V230Writer writer;
  const std::pair<const char*, int> cases[] = {
      {"front cover", 3},      {"FRONT COVER", 3},         {"Front Cover", 3}, {"32x32 icon", 1},
      {"A Bright Colored Fish", 17}, {"A Bright Colored Fish???", 0}, {"Other", 0},  {"publisher logo", 20},
      {" front cover", 0},     {"", 0}};
  for (const auto& [name, number] : cases) EXPECT_EQ(writer.GetGraphicType(name), number) << name;
  // Every reader name but 17's maps back to its number.
  for (unsigned n = 1; n <= 20; ++n) {
    if (n == 17) continue;
    EXPECT_EQ(writer.GetGraphicType(formats::PictureTypeName(n)), n);
  }
}

class PicturesTest : public ::testing::Test {
 protected:
  std::string tagged(const std::string& picturePath, const std::string& type, const std::string& title) {
    const std::string path = dir.file("song.mp3");
    support::WriteFileBytes(path, audio);
    clsID3V230Writer writer;
    writer.setGraphic(picturePath);
    writer.setGraphicType(type);
    writer.setGraphicTitle(title);
    EXPECT_TRUE(writer.WriteID3V230Tag(path));
    return support::ReadFileBytes(path);
  }

  support::TempDir dir;
  const std::string audio = support::Audio();
};

TEST_F(PicturesTest, BodyAsWrittenWithItsMimeType) {
  struct Case {
    std::string name, mime;
  };
  for (const Case& c : {Case{"a.JPEG", "image/jpg"}, Case{"a.jpg", "image/jpg"}, Case{"a.png", "image/"},
                        Case{"noextension", "image/"}}) {
    const std::string picture = dir.file(c.name);
    support::WriteFileBytes(picture, "DATA");
    const std::string body = Text(c.mime + NUL + "\x04" "back" + NUL + "DATA");
    EXPECT_EQ(tagged(picture, "4", "back"), support::Tag({Frame("APIC", body)}) + audio) << c.name;
  }
}

TEST_F(PicturesTest, AnEmptyDescriptionFollowsTheTypeByte) {
  const std::string picture = dir.file("p.gif");
  support::WriteFileBytes(picture, "GIF");
  const std::string body = Text("image/" + NUL + "\x05" + NUL + "GIF");
  EXPECT_EQ(tagged(picture, "5", ""), support::Tag({Frame("APIC", body)}) + audio);
}

TEST_F(PicturesTest, MissingPictureFilesAreLeftOut) {
  const std::string picture = dir.file("p.jpg");
  support::WriteFileBytes(picture, "J");
  const std::string bytes = tagged(dir.file("gone.jpg") + "|" + picture, "3|4", "a|b");
  const std::string body = Text("image/jpg" + NUL + "\x04" "b" + NUL + "J");
  EXPECT_EQ(bytes, support::Tag({Frame("APIC", body)}) + audio);
  EXPECT_EQ(tagged(dir.file("gone.jpg"), "3", ""), audio);  // no frame at all: no tag
}

class ExtractTest : public PicturesTest {
 protected:
  // A tagged file with the given APIC bodies; the reader has read it.
  clsID3V230Reader readPictures(std::initializer_list<std::string> bodies, FormatEnv env = {}) {
    std::string frames;
    for (const auto& body : bodies) frames += Frame("APIC", body);
    support::WriteFileBytes(dir.file("song.mp3"),
                            support::TagHeader(static_cast<std::uint32_t>(frames.size())) + frames + audio);
    clsID3V230Reader reader(env, dir.file("cover"));
    reader.ReadID3V230Tag(dir.file("song.mp3"));
    return reader;
  }

  std::string extract(clsID3V230Reader& reader, std::size_t index, std::string& info, std::string& type) {
    const auto starts = formats::id3v230::SplitList(reader.GraphicStartPos());
    const auto sizes = formats::id3v230::SplitList(reader.GraphicSize());
    return reader.ExtractGraphic(dir.file("song.mp3"), std::stoll(starts.at(index)), std::stoll(sizes.at(index)),
                                 info, type);
  }
};

TEST_F(ExtractTest, FinalExtensionFromTheSubtype) {
  struct Case {
    std::string mime, extension, subtype;
  };
  const Case cases[] = {
      {"image/jpeg", "jpg", "jpeg"},
      {"image/jpg", "jpg", "jpg"},
      {"image/png", "png", "png"},
      {"image/", "", ""},
      {"image/../../x", "....x", "....x"},  // cannot lead out of the folder
  };
  for (const auto& c : cases) {
    auto reader = readPictures({Text(c.mime + NUL + "\x03" "desc" + NUL + "PICTURE")});
    std::string info, type;
    const std::string written = extract(reader, 0, info, type);
    SCOPED_TRACE(c.mime);
    EXPECT_EQ(written, dir.file("cover-1." + c.extension));
    EXPECT_EQ(support::ReadFileBytes(written), "PICTURE");
    EXPECT_EQ(info, "desc");
    EXPECT_EQ(type, c.subtype);
    EXPECT_FALSE(support::FileExists(dir.file("cover-1.pic")));
    std::remove(written.c_str());
  }
}

TEST_F(ExtractTest, EachPictureGetsAFileOfItsOwn) {
  auto reader = readPictures({Text("image/jpeg" + NUL + "\x03" + NUL + "FIRST"),
                              Text("image/jpeg" + NUL + "\x04" + NUL + "SECOND")});
  std::string info, type;
  const std::string first = extract(reader, 0, info, type);
  const std::string second = extract(reader, 1, info, type);
  const std::string again = extract(reader, 0, info, type);
  EXPECT_EQ(first, dir.file("cover-1.jpg"));
  EXPECT_EQ(second, dir.file("cover-2.jpg"));
  EXPECT_EQ(again, dir.file("cover-3.jpg"));
  EXPECT_EQ(support::ReadFileBytes(first), "FIRST");
  EXPECT_EQ(support::ReadFileBytes(second), "SECOND");
  EXPECT_EQ(support::ReadFileBytes(again), "FIRST");
  EXPECT_EQ(info, "");
}

TEST_F(ExtractTest, BadRequestsReturnNothingAndKeepTheOutArguments) {
  auto reader = readPictures({Text("image/png" + NUL + "\x03" "d" + NUL + "P")});
  const auto start = std::stoll(reader.GraphicStartPos());
  const auto size = std::stoll(reader.GraphicSize());
  struct Case {
    std::string file;
    long long start, size;
  };
  const Case cases[] = {
      {dir.file("absent.mp3"), start, size}, {dir.file("song.mp3"), start, 1000000},
      {dir.file("song.mp3"), -1, size},      {dir.file("song.mp3"), start, -5},
      {dir.file("song.mp3"), start + 1, 3},  // no NUL after a MIME type there
  };
  for (const auto& c : cases) {
    std::string info = "kept", type = "kept";
    EXPECT_EQ(reader.ExtractGraphic(c.file, c.start, c.size, info, type), "");
    EXPECT_EQ(info, "kept");
    EXPECT_EQ(type, "kept");
  }
  clsID3V230Reader noBase;  // without a cover base there is nowhere to write
  std::string info, type;
  EXPECT_EQ(noBase.ExtractGraphic(dir.file("song.mp3"), start, size, info, type), "");
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

TEST_F(ExtractTest, EveryFailingStepLeavesNoPictureFile) {
  auto reader = readPictures({Text("image/jpeg" + NUL + "\x03" "d" + NUL + std::string(5000, 'x'))});
  const auto start = std::stoll(reader.GraphicStartPos());
  const auto size = std::stoll(reader.GraphicSize());
  const std::string song = dir.file("song.mp3");
  const std::string before = support::ReadFileBytes(song);
  support::FailingFileSystem fs;
  for (int n = 1;; ++n) {
    fs.reset();
    fs.failAt(n);
    FormatEnv env;
    env.fs = &fs;
    clsID3V230Reader failing(env, dir.file("cover"));
    std::string info, type;
    const std::string written = failing.ExtractGraphic(song, start, size, info, type);
    SCOPED_TRACE(n);
    EXPECT_EQ(written.empty(), fs.failed());
    EXPECT_EQ(support::ReadFileBytes(song), before);
    const auto entries = support::FolderEntries(dir.path());
    if (!fs.failed()) {
      EXPECT_EQ(entries, (std::vector<std::string>{"cover-1.jpg", "song.mp3"}));
      EXPECT_EQ(support::ReadFileBytes(written), std::string(5000, 'x'));
      break;
    }
    EXPECT_EQ(entries, std::vector<std::string>{"song.mp3"});
    ASSERT_LT(n, 100);
  }
}

TEST_F(ExtractTest, ALargePictureIsCopiedInPiecesWithYields) {
  int yields = 0;
  FormatEnv env;
  env.yield = [&yields] { ++yields; };
  auto reader = readPictures({Text("image/png" + NUL + "\x03" + NUL + std::string(5 * 1000 * 1000, 'x'))}, env);
  const int afterRead = yields;
  std::string info, type;
  const std::string written = extract(reader, 0, info, type);
  EXPECT_EQ(yields - afterRead, 3);
  EXPECT_EQ(support::ReadFileBytes(written).size(), 5u * 1000 * 1000);
}

}  // namespace
