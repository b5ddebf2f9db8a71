// The reader on byte fixtures: frame handlers, header flags, QuickRead, damage, other
// versions, and pictures extracted into files of their own.
#include <gtest/gtest.h>

#include <cstdio>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/FailingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader, formats::FormatEnv;
using support::Bytes, support::Frame, support::Frame22, support::PlainFrame, support::Tag, support::TagHeader, support::Tagged;
using support::Text;

namespace {

const std::string NUL(1, '\0');
// zlib data of the text frame bodies "\0Packed title" (13 bytes) and "\0Packed artist" (14).
const std::string kPackedTitle = Bytes("\x78\x9C\x63\x08\x48\x4C\xCE\x4E\x4D\x51\x28\xC9\x2C\xC9\x49\x05\x00\x1C\xBE\x04\x8B");
const std::string kPackedArtist = Bytes("\x78\x9C\x63\x08\x48\x4C\xCE\x4E\x4D\x51\x48\x2C\x2A\xC9\x2C\x2E\x01\x00\x21\x8B\x05\x00");

class ID3V230ReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes (followed by audio) to a fresh file and reads it.
  clsID3V230Reader read(const std::string& tagBytes, bool quick = false, bool determineOnly = false) {
    support::WriteFileBytes(path, tagBytes + support::Audio());
    notices.clear();
    yields = 0;
    fs.reset();
    FormatEnv env{&fs, [this] { ++yields; }, [this](const std::string& text) { notices.push_back(text); }};
    clsID3V230Reader reader(env, dir.file("cover"));
    reader.setQuickRead(quick);
    reader.ReadID3V230Tag(path, false, determineOnly);
    return reader;
  }
  // A tag of pictures with these APIC bodies, read; the one at `index` extracted, with
  // operation `failAt` of the file system failing (0: none; the read's open is 1).
  std::string extract(std::initializer_list<std::string> bodies, std::size_t index, int failAt = 0) {
    std::string frames;
    for (const auto& body : bodies) frames += Frame("APIC", body);
    auto reader = read(Tag({frames}));
    fs.failAt(failAt);
    start = std::stoll(formats::id3v230::SplitList(reader.GraphicStartPos()).at(index));
    size = std::stoll(formats::id3v230::SplitList(reader.GraphicSize()).at(index));
    return reader.ExtractGraphic(path, start, size, info, type);
  }

  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  support::FailingFileSystem fs;
  std::vector<std::string> notices;
  int yields = 0;
  std::string info, type;
  long long start = 0, size = 0;
};

TEST_F(ID3V230ReaderTest, ReadsEveryFrameIntoItsProperty) {
  const auto r = read(Tag({
      Frame("TIT2", Text("ab" + NUL)),                       // one NUL at the end ends the text
      Frame("TPE1", Text(" Artist "), Bytes("\xE0\x20")),  // flags other than these two do not matter
      Frame("TALB", Text("Album")), Frame("TYER", Text("1999")), Frame("TCON", Text("(17)Rock")),
      Frame("TENC", Text("Encoder")), Frame("TCOM", Text("Composer")), Frame("TOPE", Text("Original")),
      Frame("TCOP", Text("(c) me")), Frame("TCOP", Text("packed"), Bytes("\x00\x80")),  // compressed: stepped over
      Frame("TIT3", Text("Sub")), Frame("TLAN", Text("deu")), Frame("COMM", Text("eng" + NUL + "Nice")),
      Frame("WXXX", Text(NUL)),  // an empty first entry keeps its place
      Frame("WXXX", Text("home" + NUL + "x|y")), Frame("TPOS", Text("1/2")),
      Frame("TPOS", Text("secret"), Bytes("\x00\x40")),  // encrypted: stepped over
      Frame("TXXX", Text("A" + NUL + "B"))}));
  EXPECT_TRUE(r.TagPresent());
  const std::vector<std::string> got = {r.SongTitle(), r.Artist(), r.Album(), r.Year(), r.Genre(), r.EncodedBy(),
                                        r.Composer(), r.OriginalArtist(), r.Copyright(), r.SubTitle(), r.Language(),
                                        r.Comment(), r.URL(), r.Unknown()};
  EXPECT_EQ(got, (std::vector<std::string>{"ab", " Artist ", "Album", "1999", "(17)Rock", "Encoder", "Composer",
                                           "Original", "(c) me", "Sub", "deu", "Nice", "|home->x|y",
                                           "\"TPOS\"=1/2|\"TXXX\"=A B"}));
  EXPECT_EQ(r.Urls(), (std::vector<std::string>{"", "home->x|y"}));  // a "|" inside an address stays in it
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(yields, 18);  // once per frame
}

TEST_F(ID3V230ReaderTest, TrackNumberAndTotalAndLyrics) {
  const struct {
    std::string text;
    int track, tracks;
    bool present;
  } cases[] = {
      {"7/12", 7, 12, true}, {"ab/cd", 0, 0, true}, {" 7 / 12 ", 7, 12, true}, {"/12", 0, 12, true},
      {"2.5", 2, 0, true},   {"3.5", 4, 0, true},   {"256", 0, 0, false},      {"7/300", 7, 0, false},
      {"-3", 0, 0, false},   {"255/255", 255, 255, true}, {"0/-0.4", 0, 0, true}, {"7/256", 7, 0, false},
      {"1e1/+2E+0", 10, 2, true}, {"3e/4", 0, 4, true}};  // an exponent needs its digits
  for (const auto& c : cases) {
    const auto r = read(Tag({Frame("TIT2", Text("t")), Frame("TRCK", Text(c.text)), Frame("TALB", Text("a"))}));
    SCOPED_TRACE(c.text);
    EXPECT_EQ(r.Track(), c.track);
    EXPECT_EQ(r.Tracks(), c.tracks);
    EXPECT_EQ(r.TagPresent(), c.present);
    EXPECT_EQ(r.SongTitle(), "t");               // read before the failure: kept
    EXPECT_EQ(r.Album(), c.present ? "a" : "");  // after it: never reached
  }
  // Lyrics by the number of pieces.
  for (const auto& [body, lyrics] : std::vector<std::pair<std::string, std::string>>{
           {"eng" + NUL + "line", "line"}, {"eng" + NUL + "one" + NUL + "two", "one\r\ntwo"},
           {"eng" + NUL + "a" + NUL + "b" + NUL + "c", ""}, {"eng", ""},
           {"engiTunSMPB" + NUL + " 00000000", ""}, {"engWords" + NUL + "y", "y"}}) {  // iTunes's data is no lyrics; a description is
    EXPECT_EQ(read(Tag({Frame("USLT", Text(body))})).Lyrics(), lyrics);
  }
}

// Pictures give parallel lists; their data is stepped over, not read. QuickRead decodes
// only the fields a file list shows.
TEST_F(ID3V230ReaderTest, PictureFramesGiveParallelListsAndQuickReadSkipsTheRest) {
  const std::string first = Text("image/jpeg" + NUL + "\x03" "front" + NUL + std::string(100000, 'x'));
  const std::string second = Text("image/" + NUL + "\x19" + NUL + "PNG");
  const std::string title = Frame("TIT2", Text("t"));
  const std::string tag = Tag({title, Frame("APIC", first), Frame("APIC", second), Frame("TPE1", Text("after")),
                               Frame("TCON", Text("Rock")), Frame("COMM", Text("eng" + NUL + "c")),
                               Frame("USLT", Text("eng" + NUL + "l")), Frame("TPOS", Text("1"))});
  const auto firstAt = 10 + title.size();
  const auto secondAt = firstAt + 10 + first.size();
  for (const bool quick : {false, true}) {
    const auto r = read(tag, quick);
    EXPECT_TRUE(r.TagPresent());
    EXPECT_EQ(r.SongTitle() + r.Artist() + r.Comment(), "tafterc");
    EXPECT_EQ(r.GraphicStartPos(), std::to_string(firstAt) + "|" + std::to_string(secondAt));
    EXPECT_EQ(r.GraphicSize(), std::to_string(first.size()) + "|" + std::to_string(second.size()));
    EXPECT_EQ(r.GraphicExtended() + r.GraphicTitle() + r.Genre() + r.Lyrics() + r.Unknown(),
              quick ? "" : "Front Cover|Otherfront|Rockl\"TPOS\"=1");
    EXPECT_LT(fs.totalRead(), quick ? 300u : 10000u);  // of 100,000 picture bytes
  }
}

// A read without a tag clears the fields and keeps the header facts; the next tag sets
// the header flags again, and the CRC facts stay.
TEST_F(ID3V230ReaderTest, HeaderFlagsExtendedHeaderAndUnsynchronisation) {
  // Tag present, extended header, experimental, CRC, CRC value, the texts.
  const auto facts = [](const clsID3V230Reader& r) {
    return std::to_string(r.TagPresent()) + std::to_string(r.ExtendedHeader()) + std::to_string(r.ExperimentalTag()) +
           std::to_string(r.CRC()) + " " + std::to_string(r.CRCValue()) + " " + r.SongTitle() + r.Artist();
  };
  const std::string frames = Frame("TIT2", Text("t"));
  const std::string extended = support::SevenBit(10) + Bytes("\x80\x00") + support::SevenBit(0) +
                               Bytes("\x00\x00\x01\x05");  // CRC as a 7-bit size: 133
  auto r = read(Tagged(extended + frames, 0x60));
  EXPECT_EQ(facts(r), "1111 133.000000 t");
  support::WriteFileBytes(path, support::Audio());
  r.ReadID3V230Tag(path);
  EXPECT_EQ(facts(r), "0111 133.000000 ");
  support::WriteFileBytes(path, Tag({Frame("TPE1", Text("three"))}));
  r.ReadID3V230Tag(path);
  EXPECT_EQ(facts(r), "1001 133.000000 three");

  const std::string unsynchronised = Tagged(frames, 0x80);
  EXPECT_TRUE(read(unsynchronised, false, true).TagPresent());  // only the header is checked
  EXPECT_TRUE(read(Tagged(frames, 0, 4), false, true).TagPresent() && !read(Tagged(frames, 0, 5), false, true).TagPresent());
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(facts(read(unsynchronised)), "1000 0.000000 t");  // an unsynchronised tag is read like any other
  EXPECT_TRUE(notices.empty());
}

// A foreign tag, or a frame that cannot be decoded, ends the read quietly: TagPresent
// false, fields read before kept. Damaged bytes (a size that does not fit, bytes that are
// no frame header, an extended header whose size does not fit) are stepped over to the
// next frame header within the tag: every frame around them is read, the tag is there,
// and the damage is the read problem.
TEST_F(ID3V230ReaderTest, DamageIsSteppedOverAndForeignTagsEndTheRead) {
  const std::string title = Frame("TIT2", Text("t")), album = Frame("TALB", Text("a"));
  const std::string full = Tag({title, Frame("TPE1", Text("artist"))});
  const struct {
    std::string bytes;
    bool present;
    std::string fields;  // title, artist and album
    bool damaged;        // a read problem named
  } cases[] = {
      {Tagged(title, 0, 5), false, "", true},  // ID3v2.5
      {"id3" + TagHeader(11).substr(3) + title, false, "", false},
      {"ID3\x03", false, "", true},
      {TagHeader(4) + "TPE1", true, "", true},  // too short for a frame
      {Tag({title, "TPE1" + support::SevenBit(0) + Bytes("\x00\x00"), album}), true, "ta", true},  // size 0
      {TagHeader(30) + title + "TPE1" + support::SevenBit(500) + std::string(11, 'x'), true, "t", true},  // past the tag
      // one byte past the tag, into the audio behind it
      {TagHeader(static_cast<std::uint32_t>(title.size()) + 16) + title + "TPE1" + support::SevenBit(7) + Bytes("\x00\x00") +
           Text("artis"), true, "t", true},
      // a size that runs into the next frame's header: the frame is dropped, the next read
      {Tag({title, "TPE1" + support::SevenBit(12) + Bytes("\x00\x00") + Text("artist"), album}), true, "ta", true},
      // bytes that are no frame header between two frames, and a frame ID in lower case
      {Tag({title, "x\x01yz", Frame("TPE1", Text("b")), Frame("tALB", Text("n")), album}), true, "tba", true},
      // an extended header whose size runs past the tag
      {Tagged(support::SevenBit(5000) + Bytes("\x00\x00") + support::SevenBit(0) + title + album, 0x40), true, "ta", true},
      // the same in ID3v2.4, with a size below the least it can be
      {Tagged(support::SevenBit(2) + Bytes("\x01\x00") + title + album, 0x40, 4), true, "ta", true},
      // a frame with a sound size but nothing sound behind it keeps its place
      {Tag({title, Frame("TPE1", Text("b")), "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B"}), true, "tb", true},
      {Tag({title, Frame("COMM", Text("no separator")), album}), false, "t", true},
      {Tag({title}, 300), true, "t", false},  // padding ends the frames, no damage
      {TagHeader(0), true, "", false}, {Tag({title, Frame("TPE1", Text(""))}), true, "t", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    const auto r = read(c.bytes);
    EXPECT_EQ(r.TagPresent(), c.present) << r.ReadProblem();
    EXPECT_EQ(r.SongTitle() + r.Artist() + r.Album(), c.fields);
    EXPECT_EQ(!r.ReadProblem().empty(), c.damaged) << r.ReadProblem();
  }
  // A file cut inside the tag keeps what was read; a file that cannot be opened changes nothing.
  support::WriteFileBytes(path, full.substr(0, full.size() - 3));
  clsID3V230Reader reader;
  reader.ReadID3V230Tag(path);
  EXPECT_EQ(std::to_string(reader.TagPresent()) + reader.SongTitle(), "0t");
  reader.setTagPresent(true);
  reader.ReadID3V230Tag(dir.file("absent.mp3"));
  EXPECT_EQ(std::to_string(reader.TagPresent()) + reader.SongTitle(), "1t");
}

// Tags of every version and text encoding, byte for byte: ID3v2.2 frames, ID3v2.4 7-bit
// frame sizes, frame unsynchronisation with a data-length indicator, the footer, whole-tag
// unsynchronisation, UTF-16 and UTF-8 texts, the 7-bit size that adds its groups; the
// picture data starts right after the description's terminator.
TEST(ID3V2Versions, EveryVersionAndEncodingReadsIntoUtf8Fields) {
  const std::string utf16le = Bytes("\x01\xFF\xFE" "K\x00\xB1\x03" "\x00\x00");  // "K" + Greek alpha, terminated
  const std::string unsyncBody = Bytes("\x00" "a\xFF\x00\x00" "b");  // two values "aÿ", "b"; 0x00 inserted after 0xFF
  const std::string long300(300, 'x');
  // 00 00 01 00: 256 plain, 128 as a 7-bit size, and a frame header after either.
  const std::string inner = Frame("TALB", Text(std::string(117, 'y')));
  const std::string ambiguous = "TIT2" + Bytes("\x00\x00\x01\x00" "\x00\x00") + Text(std::string(127, 'x')) + inner +
                                Frame("TPE1", Text("a"));
  const std::string ambiguousTitle = std::string(127, 'x') + inner;
  const struct {
    const char* name;
    // Title|artist|year|comment|picture title|extension:data of the first picture, or the
    // undecoded frames.
    std::string bytes, fields;
  } cases[] = {
      {"v2.2 frames as their v2.3 counterparts",
       Tagged(Frame22("TT2", Text("abc")) + Frame22("TP1", Text("Art")) + Frame22("TYE", Text("1999")) +
                  Frame22("COM", Text("eng" + NUL + "c")) + Frame22("PIC", Text("PNG\x03" "d" + NUL + "\x89P")), 0, 2),
       "abc|Art|1999|c|d|png:\x89P"},
      {"v2.3 UTF-16, byte-order mark little-endian", Tagged(Frame("TIT2", utf16le)), "K\xCE\xB1|||||"},
      {"v2.3 UTF-16 surrogate pair for U+10FFFF", Tagged(Frame("TIT2", Bytes("\x01\xFE\xFF" "\xDB\xFF\xDF\xFF"))),
       "\xF4\x8F\xBF\xBF|||||"},
      {"v2.3 UTF-16, big-endian mark", Tagged(Frame("TIT2", Bytes("\x01\xFE\xFF" "\x00K\x03\xB1"))), "K\xCE\xB1|||||"},
      {"v2.3 UTF-16 above the surrogates, then a letter", Tagged(Frame("TIT2", Bytes("\x01\xFF\xFE" "\x01\xFB" "a\x00"))),
       "\xEF\xAC\x81" "a|||||"},
      {"v2.3 UTF-16 comment, its empty description terminated",
       Tagged(Frame("COMM", Bytes("\x01" "eng" "\xFF\xFE" "\x00\x00" "\xFF\xFE" "x\x00"))), "|||x||"},
      {"v2.3 comments with a description are other programs' data, never the comment",
       Tagged(Frame("COMM", Text("eng" "iTunNORM" + NUL + " 0000031C")) + Frame("COMM", Text("eng" "note" + NUL + "n"))),
       "|||||"},
      {"v2.3 the first comment without a description is the comment",
       Tagged(Frame("COMM", Text("eng" "iTunNORM" + NUL + " 0000031C")) + Frame("COMM", Text("eng" + NUL + "c")) +
              Frame("COMM", Text("deu" + NUL + "d"))),
       "|||c||"},
      {"v2.3 two frames of one text ID, joined", Tagged(Frame("TPE1", Text("A")) + Frame("TPE1", Text("B"))), "|A / B||||"},
      {"v2.3 compressed frame, decompressed",
       Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x0D") + kPackedTitle, Bytes("\x00\x80"))), "Packed title|||||"},
      {"v2.3 compressed frame in a group",
       Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x0D" "\x07") + kPackedTitle, Bytes("\x00\xA0"))), "Packed title|||||"},
      {"v2.3 compressed frame cut off, stepped over",
       Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x0D") + kPackedTitle.substr(0, 12), Bytes("\x00\x80"))), "|||||"},
      {"v2.3 compressed frame claiming 4 GiB, stepped over unread",
       Tagged(Frame("TIT2", Bytes("\xFF\xFF\xFF\xFF") + kPackedTitle, Bytes("\x00\x80"))), "|||||"},
      {"v2.4 compressed frame with its data length",
       Tagged(Frame("TPE1", support::SevenBit(14) + kPackedArtist, Bytes("\x00\x09")), 0, 4), "|Packed artist||||"},
      {"v2.3 UTF-16 picture description",
       Tagged(Frame("APIC", Bytes("\x01" "image/png\x00\x03" "\xFF\xFE" "d\x00" "\x00\x00" "\x89PNG"))),
       "||||d|png:\x89PNG"},
      {"v2.3 whole tag unsynchronised",
       Tagged("TIT2" + support::SevenBit(4) + Bytes("\x00\x00" "\x00" "a\xFF\x00" "b"), 0x80), "a\xC3\xBF" "b|||||"},
      {"v2.4 UTF-8, one terminator ends the text", Tagged(Frame("TIT2", Bytes("\x03" "\xE6\x9D\xB1" "\x00")), 0, 4),
       "\xE6\x9D\xB1|||||"},
      {"v2.4 UTF-16BE", Tagged(Frame("TPE1", Bytes("\x02" "\x00" "A")), 0, 4), "|A||||"},
      {"v2.4 several values", Tagged(Frame("TPE1", Bytes("\x03" "A\x00" "B\x00")), 0, 4), "|A / B||||"},
      {"v2.4 recording time gives year, date and time", Tagged(Frame("TDRC", Bytes("\x00" "2004-05-06T07:08")), 0, 4),
       "||2004|||\"TDAT\"=0605|\"TIME\"=0708"},
      {"v2.4 7-bit frame size above 127", Tagged(Frame("TIT2", Bytes("\x00") + std::string(200, 'x')), 0, 4),
       std::string(200, 'x') + "|||||"},
      {"v2.4 frame unsynchronised with data length",
       Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x04") + unsyncBody, Bytes("\x00\x03")), 0, 4), "a\xC3\xBF / b|||||"},
      {"v2.4 footer", Tagged(Frame("TIT2", Bytes("\x00" "t")), 0x10, 4) + "3DI" + TagHeader(12, 0x10, 4).substr(3), "t|||||"},
      {"v2.2 UTF-16 picture description", Tagged(Frame22("PIC", Bytes("\x01" "PNG" "\x03" "\xFF\xFE" "d\x00" "\x00\x00" "P")), 0, 2),
       "||||d|png:P"},
      {"v2.4 UTF-16 picture description",
       Tagged(Frame("APIC", Bytes("\x01" "image/png\x00\x03" "\xFF\xFE" "d\x00" "\x00\x00" "P")), 0, 4), "||||d|png:P"},
      {"v2.4 UTF-8 description of a picture that stays in the file",
       Tagged("APIC" + support::SevenBit(5015) + Bytes("\x00\x00" "\x03" "image/png\x00\x03" "\xC3\xA9\x00") +
                  std::string(5000, 'p'), 0, 4),
       "||||\xC3\xA9|png:" + std::string(5000, 'p')},
      {"v2.4 UTF-8 picture description",
       Tagged(Frame("APIC", Bytes("\x03" "image/jpeg\x00\x03" "\xC3\xA9\x00" "\x89PNG")), 0, 4), "||||\xC3\xA9|jpg:\x89PNG"},
      {"size 00 00 01 80 is 256", TagHeader(256) + Frame("TIT2", Bytes("\x00" "t")) + std::string(256 - 12, '\0'),
       "t|||||"},
      {"v2.4 tag unsynchronised", Tagged(Frame("TIT2", Bytes("\x00" "a\xFF\x00" "b")), 0x80, 4), "a\xC3\xBF" "b|||||"},
      // A frame size is read the way after which the next frame header lies where it should;
      // where both ways lead to one, the way of the version: plain in ID3v2.3, 7-bit in ID3v2.4.
      {"v2.3 7-bit size of the earlier writer", Tag({Frame("TIT2", Text(long300)), Frame("TPE1", Text("a"))}),
       long300 + "|a||||"},
      {"v2.3 plain size as mutagen writes it", Tag({PlainFrame("TIT2", Text(long300)), Frame("TPE1", Text("a"))}),
       long300 + "|a||||"},
      {"v2.3 both sizes lead to a frame: plain", Tagged(ambiguous), ambiguousTitle + "|a||||"},
      {"v2.4 plain size as some programs write it", Tagged(PlainFrame("TIT2", Text(long300)) + Frame("TPE1", Text("a")), 0, 4),
       long300 + "|a||||"},
      {"v2.4 both sizes lead to a frame: 7-bit", Tagged(ambiguous, 0, 4), std::string(127, 'x') + "|a||||"},
  };
  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(support::WriteFileBytes(path, c.bytes + support::Audio()));
    clsID3V230Reader reader(FormatEnv{}, dir.file("cover"));
    reader.ReadID3V230Tag(path);
    EXPECT_TRUE(reader.TagPresent()) << reader.ReadProblem();
    std::string got = reader.SongTitle() + "|" + reader.Artist() + "|" + reader.Year() + "|" + reader.Comment() +
                      "|" + reader.GraphicTitle() + "|";
    if (!reader.Unknown().empty()) got += reader.Unknown();
    if (!reader.GraphicStartPos().empty()) {
      std::string info, type;
      const std::string picture = reader.ExtractGraphic(path, std::stoll(reader.GraphicStartPos()),
                                                        std::stoll(reader.GraphicSize()), info, type);
      got += picture.substr(picture.size() - 3) + ":" + support::ReadFileBytes(picture);
      std::remove(picture.c_str());
    }
    EXPECT_EQ(got, c.fields);
    // The remover cuts exactly the tag (footer included), whatever its version.
    ASSERT_TRUE(formats::clsID3V230Writer().RemoveID3V230Tag(path));
    EXPECT_EQ(support::ReadFileBytes(path), support::Audio());
  }
}

// Each picture goes into a file of its own, named by its subtype; a bad request gives none.
TEST_F(ID3V230ReaderTest, EachPictureGetsAFileOfItsOwnWithTheExtensionOfItsSubtype) {
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
  EXPECT_EQ(second + support::ReadFileBytes(second), dir.file("cover-2.png") + "SECOND");
  for (const auto& file : support::FolderEntries(dir.path())) std::remove(dir.file(file).c_str());
  extract({Text("image/png" + NUL + "\x03" "d" + NUL + "P")}, 0);
  std::remove(dir.file("cover-1.png").c_str());
  const struct {
    std::string file;
    long long start, size;
  } bad[] = {{dir.file("absent.mp3"), start, size}, {path, start, 1000000}, {path, -1, size},
             {path, start, -5}, {path, start + 1, 3}};  // no NUL after a MIME type there
  clsID3V230Reader reader(FormatEnv{}, dir.file("cover"));
  for (const auto& c : bad) {
    info = type = "kept";
    EXPECT_EQ(reader.ExtractGraphic(c.file, c.start, c.size, info, type) + info + type, "keptkept") << c.size;
  }
  EXPECT_EQ(clsID3V230Reader().ExtractGraphic(path, start, size, info, type), "");  // no cover base: nowhere to write
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

// Every failing step leaves no picture file; a large picture is copied in pieces.
TEST_F(ID3V230ReaderTest, EveryFailingStepLeavesNoPictureFile) {
  for (int n = 2;; ++n) {
    const std::string written = extract({Text("image/jpeg" + NUL + "\x03" "d" + NUL + std::string(5000, 'x'))}, 0, n);
    EXPECT_EQ(written.empty(), fs.failed()) << n;
    if (!fs.failed()) {
      EXPECT_EQ(support::ReadFileBytes(written), std::string(5000, 'x'));
      break;
    }
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"}) << n;
    ASSERT_LT(n, 100);
  }
  const std::string written = extract({Text("image/png" + NUL + "\x03" + NUL + std::string(5 * 1000 * 1000, 'x'))}, 0);
  EXPECT_EQ(support::ReadFileBytes(written).size(), 5u * 1000 * 1000);
  EXPECT_EQ(yields, 1 + 3);  // one frame read, three pieces copied
}

}  // namespace
