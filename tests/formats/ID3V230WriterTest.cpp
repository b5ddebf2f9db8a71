// The ID3v2.3 writer: byte layout of every frame in its order, picture bodies, old tags,
// work files, and the one-pass save of both tags against the two writes one after the other.
#include <gtest/gtest.h>

#include "formats/ID3V111.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Writer.h"
#include "formats/Pictures.h"
#include "formats/TagSaver.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/FailingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V230Writer, formats::FormatEnv;
using support::Bytes, support::Frame, support::Text;

namespace {

const std::string NUL(1, '\0');

class ID3V230WriterTest : public ::testing::Test {
 protected:
  // Writes the tag over `before` through a counting file system; the file's new bytes.
  std::string write(clsID3V230Writer writer, const std::string& before, bool remove = false) {
    support::WriteFileBytes(path, before);
    fs.reset();
    const bool ok(remove ? writer.RemoveID3V230Tag(path) : writer.WriteID3V230Tag(path));
    EXPECT_TRUE(ok);
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});  // no work file left
    return support::ReadFileBytes(path);
  }
  clsID3V230Writer writer() { return clsID3V230Writer(env); }

  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  support::FailingFileSystem fs;
  FormatEnv env{&fs, {}, {}};
  const std::string audio = support::Audio();
};

TEST_F(ID3V230WriterTest, EveryFrameInItsFixedOrderWithItsIdSizeFlagsAndBody) {
  using W = clsID3V230Writer;
  const std::pair<void (W::*)(const std::string&), std::string> fields[] = {
      {&W::setSongTitle, std::string(200, 't')}, {&W::setArtist, std::string("ar\0", 3)}, {&W::setAlbum, "al"}, {&W::setYear, "1999"},
      {&W::setTrack, "3/12"}, {&W::setGenre, "Rock"}, {&W::setComment, "hi"}, {&W::setComposer, "c"},
      {&W::setOriginalArtist, "o"}, {&W::setLanguage, "de"}, {&W::setSubTitle, "s"}, {&W::setCopyright, "c"},
      {&W::setEncodedBy, "e"}, {&W::setURL, "home->x|y"}, {&W::setLyrics, std::string(200, 'l')},
      {&W::setGraphicTitle, "front|"}, {&W::setGraphicType, "3|4"}};
  // Every frame size is a plain number (201 is 00 00 00 C9), the tag size a 7-bit one.
  // A URL entry is written whole, description and all, as the address.
  const std::string frames =
      Bytes("TIT2" "\x00\x00\x00\xC9" "\x00\x00" "\x00") + std::string(200, 't') +
      // A text that ends in a NUL gets a terminator, which a reader takes off again.
      Bytes("TPE1" "\x00\x00\x00\x05" "\x00\x00" "\x00" "ar\x00\x00" "TALB" "\x00\x00\x00\x03" "\x00\x00" "\x00" "al") +
      Bytes("TYER" "\x00\x00\x00\x05" "\x00\x00" "\x00" "1999" "TRCK" "\x00\x00\x00\x05" "\x00\x00" "\x00" "3/12") +
      Bytes("TCON" "\x00\x00\x00\x05" "\x00\x00" "\x00" "Rock") +
      Bytes("COMM" "\x00\x00\x00\x07" "\x00\x00" "\x00" "eng" "\x00" "hi") +
      Bytes("TCOM" "\x00\x00\x00\x02" "\x00\x00" "\x00" "c" "TOPE" "\x00\x00\x00\x02" "\x00\x00" "\x00" "o") +
      Bytes("TLAN" "\x00\x00\x00\x03" "\x00\x00" "\x00" "de" "TIT3" "\x00\x00\x00\x02" "\x00\x00" "\x00" "s") +
      Bytes("TCOP" "\x00\x00\x00\x02" "\x00\x00" "\x00" "c" "TENC" "\x00\x00\x00\x02" "\x00\x00" "\x00" "e") +
      Bytes("WXXX" "\x00\x00\x00\x09" "\x00\x00" "\x00" "\x00" "home->x") +
      Bytes("WXXX" "\x00\x00\x00\x03" "\x00\x00" "\x00" "\x00" "y") +
      Bytes("USLT" "\x00\x00\x00\xCD" "\x00\x00" "\x00" "eng" "\x00") + std::string(200, 'l') +
      Bytes("APIC" "\x00\x00\x00\x16" "\x00\x00" "\x00" "image/jpg" "\x00" "\x03" "front" "\x00" "JPEG") +
      Bytes("APIC" "\x00\x00\x00\x0D" "\x00\x00" "\x00" "image/" "\x00" "\x04" "\x00" "PNG");
  support::TempDir other;
  support::WriteFileBytes(other.file("a.jpeg"), "JPEG");
  support::WriteFileBytes(other.file("b.png"), "PNG");
  auto w = writer();
  w.setGraphic(other.file("a.jpeg") + "|" + other.file("b.png"));
  for (auto f = std::rbegin(fields); f != std::rend(fields); ++f) (w.*(f->first))(f->second);
  // No padding between the frames and the audio.
  EXPECT_EQ(write(w, audio), support::TagHeader(static_cast<std::uint32_t>(frames.size())) + frames + audio);
  EXPECT_EQ(fs.created(), std::vector<std::string>{formats::WorkFilePath(path, ".mp3")});  // one pass, one work file
}

TEST_F(ID3V230WriterTest, CommentLanguageIsTheLanguageOnlyWhenItHasThreeCharacters) {
  for (const auto& [language, commLanguage] :
       std::vector<std::pair<std::string, std::string>>{{"", "eng"}, {"de", "eng"}, {"deu", "deu"}, {"deut", "eng"}}) {
    auto w = writer();
    w.setComment("x"), w.setLanguage(language);
    EXPECT_EQ(write(w, audio).substr(10, 14), Bytes("COMM" "\x00\x00\x00\x06" "\x00\x00" "\x00") + commLanguage)
        << language;
  }
}

TEST_F(ID3V230WriterTest, OldTagsOfAnyVersionAreReplacedOrRemoved) {
  const std::string v1 = support::ID3v1Block("old");
  // Only a title: the smallest tag.
  const std::string newTag = Bytes("ID3" "\x03\x00" "\x00" "\x00\x00\x00\x0E" "TIT2" "\x00\x00\x00\x04" "\x00\x00" "\x00" "new");
  const struct {
    std::string before, title, after;
    bool remove;
    std::string workSuffix;
  } cases[] = {
      {support::TagHeader(20, 0, 4) + std::string(20, 'x') + audio + v1, "new", newTag + audio + v1, false, ".mp3"},
      {support::Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 100) + audio + v1, "new",
       newTag + audio + v1, false, ".mp3"},
      {newTag + audio, "", audio, false, ".new"},  // no field: the old tag only goes away
      {audio, "", audio, false, ""}, {audio, "new", newTag + audio, false, ".mp3"},
      {support::Tag({Frame("TIT2", Text("x"))}, 10) + audio + v1, "", audio + v1, true, ".new"},
      {"id3" + audio, "", "id3" + audio, true, ""}};
  for (const auto& c : cases) {
    auto w = writer();
    w.setSongTitle(c.title);
    EXPECT_EQ(write(w, c.before, c.remove), c.after);
    EXPECT_EQ(fs.created(), std::vector<std::string>(c.workSuffix.empty() ? 0 : 1, formats::WorkFilePath(path, c.workSuffix)));
  }
}

TEST_F(ID3V230WriterTest, LargeCopiesGoInPiecesWithAYieldAfterEach) {
  const std::string big(5 * 1000 * 1000, 'a');
  support::WriteFileBytes(dir.file("p.jpg"), std::string(3 * 1000 * 1000, 'p'));
  int yields = 0;
  env.yield = [&yields] { ++yields; };
  auto w = writer();
  w.setGraphic(dir.file("p.jpg")), w.setGraphicType("3");
  support::WriteFileBytes(path, big);
  ASSERT_TRUE(w.WriteID3V230Tag(path));
  EXPECT_LE(fs.largestWrite(), formats::CopyPiece);
  EXPECT_LE(fs.largestRead(), formats::CopyPiece);
  EXPECT_EQ(yields, 3 + 2);  // 5 MB of audio in three pieces, 3 MB of picture in two
  const std::string bytes = support::ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(bytes.size() - big.size()), big);
}

TEST_F(ID3V230WriterTest, SavingBothTagsGivesTheBytesOfTheTwoWritesOneAfterTheOther) {
  support::WriteFileBytes(dir.file("cover.jpg"), std::string(700, 'j'));
  formats::clsID3V111Writer v1;
  v1.setSongTitle("A title longer than thirty characters");
  v1.setTrack(7);  // genre never assigned: 255
  auto v2 = writer();
  v2.setSongTitle("A title longer than thirty characters"), v2.setGraphic(dir.file("cover.jpg"));
  v2.setGraphicType("3");
  const std::string oldV1 = support::ID3v1Block("old");
  const std::string oldV2 = support::Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 20);
  // The last two: an old tag that reaches over the old ID3v1 block; "ID3", which with the
  // new ID3v1 block behind it makes a tag size far beyond the file, so that the ID3v2.3
  // step refuses and the one-pass save writes neither tag.
  const std::string starts[] = {
      audio, audio + oldV1, oldV2 + audio + oldV1, support::TagHeader(10, 0, 4) + std::string(10, 'x') + audio + oldV1,
      oldV1, "", support::TagHeader(static_cast<std::uint32_t>(audio.size() + 128)) + audio + oldV1, "ID3"};
  for (const bool emptyV2 : {false, true}) {
    for (const auto& start : starts) {
      SCOPED_TRACE(std::to_string(start.size()) + (emptyV2 ? " bytes, without ID3v2 fields" : " bytes"));
      const clsID3V230Writer second = emptyV2 ? writer() : v2;
      support::WriteFileBytes(path, start);
      formats::clsID3V111Writer(v1).WriteID3V111Tag(path);
      const bool twoStepsDone(clsID3V230Writer(second).WriteID3V230Tag(path));
      EXPECT_EQ(twoStepsDone, start != "ID3") << "the reference is the two writes";
      EXPECT_NE(support::ReadFileBytes(path), start);
      const std::string expected = twoStepsDone ? support::ReadFileBytes(path) : start;
      support::WriteFileBytes(path, start);
      fs.reset();
      EXPECT_EQ(bool(formats::TagSaver(env).SaveTags(path, v1, second)), twoStepsDone);
      EXPECT_EQ(support::ReadFileBytes(path), expected);
      EXPECT_EQ(fs.created(), std::vector<std::string>(twoStepsDone ? 1 : 0, formats::WorkFilePath(path, ".mp3")));  // one pass
      EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"cover.jpg", "song.mp3"}));
    }
  }
}

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

// The MIME type comes from the picture's first bytes; only a picture of no known kind takes
// it from its name. A missing picture file is left out; without any frame no tag is written.
TEST_F(ID3V230WriterTest, PictureBodiesAsWritten) {
  support::TempDir pics;
  const struct {
    std::string graphic, data, type, title, head;  // the data goes into the last file named
  } cases[] = {
      {"jpeg.png", "\xFF\xD8\xFF\xE0", "3", "", "image/jpeg" + NUL + "\x03" + NUL},
      {"png.jpg", "\x89PNG\r\n\x1A\n", "3", "", "image/png" + NUL + "\x03" + NUL},
      {"gif", "GIF89a", "3", "", "image/gif" + NUL + "\x03" + NUL},
      {"bmp.JPEG", "BM6", "3", "", "image/bmp" + NUL + "\x03" + NUL},
      {"gif8.gif", "GIF8", "3", "", "image/" + NUL + "\x03" + NUL},  // no GIF version
      {"short.png", "\x89PNG", "3", "", "image/" + NUL + "\x03" + NUL},  // cut short
      {"a.JPEG", "DATA", "4", "back", "image/jpg" + NUL + "\x04" "back" + NUL},
      {"a.jpg", "DATA", "4", "back", "image/jpg" + NUL + "\x04" "back" + NUL},
      {"noextension", "DATA", "0", "a|b", "image/" + NUL + NUL + "a|b" + NUL},  // one title, whole
      {"gone.jpg|a.jpg", "DATA", "3|4", "a|b", "image/jpg" + NUL + "\x04" "b" + NUL},
      {"gone.jpg", "", "3", "", ""}};
  for (const auto& c : cases) {
    auto w = writer();
    std::string paths;
    for (const auto& name : formats::id3v230::SplitList(c.graphic)) paths += (paths.empty() ? "" : "|") + pics.file(name);
    if (!c.data.empty()) support::WriteFileBytes(paths.substr(paths.rfind('|') + 1), c.data);
    w.setGraphic(paths), w.setGraphicType(c.type), w.setGraphicTitle(c.title);
    const std::string frame = c.head.empty() ? "" : Frame("APIC", Text(c.head + c.data));
    EXPECT_EQ(write(w, audio), (frame.empty() ? "" : support::Tagged(frame)) + audio) << c.graphic;
  }
}

}  // namespace
