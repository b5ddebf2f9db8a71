// The reader on byte fixtures: frames, header flags, QuickRead, damage, versions, pictures extracted.

#include "FormatsTest.h"

using support::Frame22, support::PlainFrame, support::kPackedTitle, support::kPackedArtist;

namespace {

class ID3V230ReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes (followed by audio) to a fresh file and reads it.
  clsID3V230Reader read(const std::string& tagBytes, bool quick = false, bool determineOnly = false) {
    WriteFileBytes(path, tagBytes + support::Audio());
    notices.clear(), fs.reset();
    yields = 0;
    const auto notice = [this](const std::string& text) { notices.push_back(text); };
    clsID3V230Reader reader({&fs, [this] { ++yields; }, notice}, dir.file("cover"));
    reader.setQuickRead(quick);
    reader.ReadID3V230Tag(path, false, determineOnly);
    return reader;
  }
  // A tag of these APIC bodies read, the one at `index` extracted with operation `failAt` failing (0: none).
  std::string extract(std::initializer_list<std::string> bodies, std::size_t index, int failAt = 0) {
    std::string frames;
    for (const auto& body : bodies) frames += Frame("APIC", body);
    auto reader = read(Tag({frames}));
    fs.failAt(failAt);
    start = std::stoll(SplitList(reader.GraphicStartPos()).at(index));
    size = std::stoll(SplitList(reader.GraphicSize()).at(index));
    return reader.ExtractGraphic(path, start, size, info, type);
  }

  TempDir dir;
  const std::string path = dir.file("song.mp3");
  support::FailingFileSystem fs;
  std::vector<std::string> notices;
  int yields = 0;
  std::string info, type;
  long long start = 0, size = 0;
};

// Each row's bytes read into the fields (ID=text), after "-" for no tag and "!" for a read problem. A foreign tag
// or an undecodable frame ends the read; damage is stepped over to the next frame header in the tag.
TEST_F(ID3V230ReaderTest, BytesReadIntoFields) {
  const std::string t = Frame("TIT2", Text("t")), album = Frame("TALB", Text("a")), flags = Bytes("\x00\x00");
  const auto track = [&](const std::string& text) { return Tag({t, Frame("TRCK", Text(text)), album}); };
  const auto lyrics = [&](const std::string& body) { return Tag({Frame("USLT", Text("eng" + body))}); };
  const std::string long300(300, 'x'), x127(127, 'x'), packed = Bytes("\x00\x80"), a = Frame("TPE1", Text("a"));
  const std::string itunes = "eng" "iTunNORM" + NUL + " 0000031C", y117(117, 'y'), inner = Frame("TALB", Text(y117));
  // 00 00 01 00: 256 plain, 128 as a 7-bit size, and a frame header after either.
  const std::string ambiguous = "TIT2" + Bytes("\x00\x00\x01\x00" "\x00\x00") + Text(x127) + inner + a;
  // Pictures' data is stepped over, not read; QuickRead decodes only the fields a file list shows.
  const std::string big(100000, 'x'), front = ApicBody("image/jpeg", 3, "front", big);
  const std::string pictures = Tag({t, Frame("APIC", front), Frame("APIC", ApicBody("image/png", 0x19, "", "PNG")), a,
                                    Frame("TCON", Text("Rock")), Frame("COMM", Text("eng" + NUL + "c")),
                                    Frame("USLT", Text("eng" + NUL + "l")), Frame("TPOS", Text("1"))});
  // CRC 133 in an extended header of an experimental tag.
  const std::string crc = SevenBit(10) + Bytes("\x80\x00") + SevenBit(0) + Bytes("\x00\x00\x01\x05");
  const std::string utf16Apic = Bytes("\x01" "image/png\x00\x03" "\xFF\xFE" "d\x00" "\x00\x00");  // then the data
  enum Mode { Full, Quick, HeaderOnly };
  const std::string ta = "TIT2=t;TALB=a;";
  const struct Row { std::string bytes, expected; Mode mode = Full; std::uint64_t readBelow = ~0ull; } rows[] = {
      {Tag({Frame("TIT2", Text("ab" + NUL)),                     // one NUL at the end ends the text
            Frame("TPE1", Text(" Artist "), Bytes("\xE0\x20")),  // flags other than these two do not matter
            Frame("TALB", Text("Album")), Frame("TYER", Text("1999")), Frame("TCON", Text("(17)Rock")),
            Frame("TENC", Text("Encoder")), Frame("TCOM", Text("Composer")), Frame("TOPE", Text("Original")),
            // compressed and encrypted frames are stepped over; an empty first address keeps its place
            Frame("TCOP", Text("(c) me")), Frame("TCOP", Text("packed"), Bytes("\x00\x80")),
            Frame("TIT3", Text("Sub")), Frame("TLAN", Text("deu")), Frame("COMM", Text("eng" + NUL + "Nice")),
            Frame("WXXX", Text(NUL)), Frame("WXXX", Text("home" + NUL + "x|y")),
            Frame("TPOS", Text("1/2")), Frame("TPOS", Text("secret"), Bytes("\x00\x40")),
            Frame("TXXX", Text("A" + NUL + "B"))}),
       "TIT2=ab;TPE1= Artist ;TALB=Album;TYER=1999;TCON=(17)Rock;TENC=Encoder;TCOM=Composer;TOPE=Original;"
       "TCOP=(c) me;TIT3=Sub;TLAN=deu;COMM=Nice;WXXX=|home->x|y;?=\"TPOS\"=1/2|\"TXXX\"=A B;"},
      // Track number and total: the title read before a failure is kept, the album behind it never reached.
      {track("7/12"), ta + "TRCK=7/12;"}, {track("ab/cd"), ta}, {track(" 7 / 12 "), ta + "TRCK=7/12;"},
      {track("/12"), ta + "TRCK=0/12;"}, {track("2.5"), ta + "TRCK=2/0;"}, {track("3.5"), ta + "TRCK=4/0;"},
      {track("256"), "-!TIT2=t;"}, {track("7/300"), "-!TIT2=t;TRCK=7/0;"}, {track("-3"), "-!TIT2=t;"},
      {track("7/256"), "-!TIT2=t;TRCK=7/0;"}, {track("255/255"), ta + "TRCK=255/255;"}, {track("0/-0.4"), ta},
      {track("1e1/+2E+0"), ta + "TRCK=10/2;"}, {track("3e/4"), ta + "TRCK=0/4;"},
      // Lyrics by the number of pieces; iTunes's data is no lyrics, a description is.
      {lyrics(NUL + "line"), "USLT=line;"}, {lyrics(NUL + "one" + NUL + "two"), "USLT=one\r\ntwo;"},
      {lyrics(NUL + "a" + NUL + "b" + NUL + "c"), ""}, {lyrics(""), ""}, {lyrics("iTunSMPB" + NUL + " 00000000"), ""},
      {lyrics("Words" + NUL + "y"), "USLT=y;"},
      // Foreign and damaged tags.
      {Tagged(t, 0, 5), "-!"}, {"id3" + TagHeader(11).substr(3) + t, "-"}, {"ID3\x03", "-!HDR=xe;"},
      {TagHeader(4) + "TPE1", "!"},                                                           // too short for a frame
      {Tag({t, "TPE1" + SevenBit(0) + flags, album}), "!" + ta},                               // size 0
      {TagHeader(30) + t + "TPE1" + SevenBit(500) + std::string(11, 'x'), "!TIT2=t;"},          // past the tag
      {TagHeader(static_cast<std::uint32_t>(t.size()) + 16) + t + "TPE1" + SevenBit(7) + flags + Text("artis"),
       "!TIT2=t;"},  // one byte past the tag, into the audio behind it
      // a size that runs into the next frame's header: the frame is dropped, the next read
      {Tag({t, "TPE1" + SevenBit(12) + flags + Text("artist"), album}), "!" + ta},
      // bytes that are no frame header between two frames, and a frame ID in lower case
      {Tag({t, "x\x01yz", Frame("TPE1", Text("b")), Frame("tALB", Text("n")), album}), "!TIT2=t;TPE1=b;TALB=a;"},
      // an extended header whose size runs past the tag; in ID3v2.4 one below the least it can be
      {Tagged(SevenBit(5000) + flags + SevenBit(0) + t + album, 0x40), "!" + ta + "HDR=x;"},
      {Tagged(SevenBit(2) + Bytes("\x01\x00") + t + album, 0x40, 4), "!" + ta + "HDR=x;"},
      // a frame with a sound size but nothing sound behind it keeps its place
      {Tag({t, Frame("TPE1", Text("b")), "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B"}), "!TIT2=t;TPE1=b;"},
      {Tag({t, Frame("COMM", Text("no separator")), album}), "-!TIT2=t;"},
      // padding ends the frames; digits are frame ID characters; an extended header up to the tag's end
      {Tag({t}, 300), "TIT2=t;"}, {TagHeader(0), ""}, {Tag({t, Frame("TPE1", Text(""))}), "TIT2=t;"},
      {Tag({t, Frame("ZZ00", Text("z")), album}), ta + "?=\"ZZ00\"=z;"},
      {Tagged(SevenBit(6) + flags + SevenBit(0), 0x40), "HDR=x;"},
      // a frame header at the end of the first piece searched behind damage
      {Tag({t, std::string(250, 'j'), Frame("TPE1", Text("b")), album}), "!TIT2=t;TPE1=b;TALB=a;"},
      // a size read plainly that leads to three ID characters and a fourth that is none: the 7-bit size is taken
      {Tag({"TIT2" + Bytes("\x00\x00\x01\x00\x00\x00") + Text(x127) + inner + "TPE\x01"}),
       "!TIT2=" + x127 + ";TALB=" + y117 + ";"},
      // Every version and text encoding; a picture's data starts right after its description's terminator.
      {Tagged(Frame22("TT2", Text("abc")) + Frame22("TP1", Text("Art")) + Frame22("TYE", Text("1999")) +
                  Frame22("COM", Text("eng" + NUL + "c")) + Frame22("PIC", Text("PNG\x03" "d" + NUL + "\x89P")), 0, 2),
       "TIT2=abc;TPE1=Art;TYER=1999;COMM=c;APIC=d;png:\x89P"},
      // UTF-16 LE, BE, a surrogate pair, above the surrogates
      {Tagged(Frame("TIT2", Bytes("\x01\xFF\xFE" "K\x00\xB1\x03" "\x00\x00"))), "TIT2=K\xCE\xB1;"},
      {Tagged(Frame("TIT2", Bytes("\x01\xFE\xFF" "\x00K\x03\xB1"))), "TIT2=K\xCE\xB1;"},
      {Tagged(Frame("TIT2", Bytes("\x01\xFE\xFF" "\xDB\xFF\xDF\xFF"))), "TIT2=\xF4\x8F\xBF\xBF;"},
      {Tagged(Frame("TIT2", Bytes("\x01\xFF\xFE" "\x01\xFB" "a\x00"))), "TIT2=\xEF\xAC\x81" "a;"},
      // an empty description; a terminator at the end; no byte order mark: big-endian
      {Tagged(Frame("COMM", Bytes("\x01" "eng" "\xFF\xFE" "\x00\x00" "\xFF\xFE" "x\x00"))), "COMM=x;"},
      {Tag({t, Frame("COMM", Bytes("\x01" "eng" "\xFF\xFE" "\x00\x00")), album}), ta},
      {Tagged(Frame("TIT2", Bytes("\x01" "\x00\xFE" "\x00" "a"))), "TIT2=\xC3\xBE" "a;"},
      // A comment with a description is other programs' data; the first one without is the comment.
      {Tagged(Frame("COMM", Text(itunes)) + Frame("COMM", Text("eng" "note" + NUL + "n"))), ""},
      {Tagged(Frame("COMM", Text(itunes)) + Frame("COMM", Text("eng" + NUL + "c")) +
                  Frame("COMM", Text("deu" + NUL + "d"))), "COMM=c;"},
      {Tagged(Frame("TPE1", Text("A")) + Frame("TPE1", Text("B"))), "TPE1=A / B;"},  // one text ID twice: joined
      // Compressed: alone, in a group, cut off, claiming 4 GiB (stepped over unread), in ID3v2.4 with its data length.
      {Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x0D") + kPackedTitle, packed)), "TIT2=Packed title;"},
      {Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x0D" "\x07") + kPackedTitle, Bytes("\x00\xA0"))), "TIT2=Packed title;"},
      {Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x0D") + kPackedTitle.substr(0, 12), packed)), ""},
      {Tagged(Frame("TIT2", Bytes("\xFF\xFF\xFF\xFF") + kPackedTitle, packed)), ""},
      {Tagged(Frame("TPE1", SevenBit(14) + kPackedArtist, Bytes("\x00\x09")), 0, 4), "TPE1=Packed artist;"},
      {Tagged(Frame("APIC", utf16Apic + "\x89PNG")), "APIC=d;png:\x89PNG"},
      {Tagged("TIT2" + SevenBit(4) + Bytes("\x00\x00" "\x00" "a\xFF\x00" "b"), 0x80), "TIT2=a\xC3\xBF" "b;"},  // unsync
      // ID3v2.4: UTF-8 (U+0800, one terminator), UTF-16BE, several values, a date, a long text; then a footer
      {Tagged(Frame("TIT2", Bytes("\x03" "\xE6\x9D\xB1" "\xE0\xA0\x80" "\x00")), 0, 4),
       "TIT2=\xE6\x9D\xB1\xE0\xA0\x80;"},
      {Tagged(Frame("TPE1", Bytes("\x02" "\x00" "A")), 0, 4), "TPE1=A;"},
      {Tagged(Frame("TPE1", Bytes("\x03" "A\x00" "B\x00")), 0, 4), "TPE1=A / B;"},
      {Tagged(Frame("TDRC", Bytes("\x00" "2004-05-06T07:08")), 0, 4), "TYER=2004;?=\"TDAT\"=0605|\"TIME\"=0708;"},
      {Tagged(Frame("TIT2", Bytes("\x00") + std::string(200, 'x')), 0, 4), "TIT2=" + std::string(200, 'x') + ";"},
      // ID3v2.4 frame unsynchronised with data length: two values "aÿ", "b"; 0x00 inserted after 0xFF.
      {Tagged(Frame("TIT2", Bytes("\x00\x00\x00\x04" "\x00" "a\xFF\x00\x00" "b"), Bytes("\x00\x03")), 0, 4),
       "TIT2=a\xC3\xBF / b;"},
      {Tagged(Frame("TIT2", Bytes("\x00" "t")), 0x10, 4) + "3DI" + TagHeader(12, 0x10, 4).substr(3), "TIT2=t;"},
      {Tagged(Frame22("PIC", Bytes("\x01" "PNG" "\x03" "\xFF\xFE" "d\x00" "\x00\x00" "P")), 0, 2), "APIC=d;png:P"},
      {Tagged(Frame("APIC", utf16Apic + "P"), 0, 4), "APIC=d;png:P"},
      {Tagged("APIC" + SevenBit(5015) + Bytes("\x00\x00" "\x03" "image/png\x00\x03" "\xC3\xA9\x00") +
                  std::string(5000, 'p'), 0, 4), "APIC=\xC3\xA9;png:" + std::string(5000, 'p')},
      {Tagged(Frame("APIC", Bytes("\x03" "image/jpeg\x00\x03" "\xC3\xA9\x00" "\x89PNG")), 0, 4),
       "APIC=\xC3\xA9;jpg:\x89PNG"},
      {TagHeader(256) + Frame("TIT2", Bytes("\x00" "t")) + std::string(256 - 12, '\0'), "TIT2=t;"},  // 00 00 02 00
      {Tagged(Frame("TIT2", Bytes("\x00" "a\xFF\x00" "b")), 0x80, 4), "TIT2=a\xC3\xBF" "b;"},  // v2.4 unsynchronised
      // A frame size is read the way that leads to the next frame header; where both do, the version's way.
      {Tag({Frame("TIT2", Text(long300)), a}), "TIT2=" + long300 + ";TPE1=a;"},
      {Tag({PlainFrame("TIT2", Text(long300)), a}), "TIT2=" + long300 + ";TPE1=a;"},
      {Tagged(PlainFrame("TIT2", Text(long300)) + a, 0, 4), "TIT2=" + long300 + ";TPE1=a;"},
      {Tagged(ambiguous), "TIT2=" + x127 + inner + ";TPE1=a;"},
      {Tagged(ambiguous, 0, 4), "TIT2=" + x127 + ";TPE1=a;TALB=" + y117 + ";"},
      {pictures, "TIT2=t;TPE1=a;TCON=Rock;COMM=c;USLT=l;?=\"TPOS\"=1;PICS=Front Cover|Other;APIC=front;jpg:" + big +
                     "APIC=;png:PNG", Full, 10000},
      {pictures, "TIT2=t;TPE1=a;COMM=c;APIC=;jpg:" + big + "APIC=;png:PNG", Quick, 300},
      // Header flags; a check of the header alone takes an unsynchronised tag as any other.
      {Tagged(crc + t, 0x60), "TIT2=t;HDR=xec133;"}, {Tagged(t, 0x80), "", HeaderOnly},
      {Tagged(t, 0, 4), "", HeaderOnly}, {Tagged(t, 0, 5), "-", HeaderOnly},
  };
  for (const Row& row : rows) {
    auto r = read(row.bytes, row.mode == Quick, row.mode == HeaderOnly);
    EXPECT_LT(fs.totalRead(), row.readBelow);
    std::string got = std::string(r.TagPresent() ? "" : "-") + (r.ReadProblem().empty() ? "" : "!");
    const std::string header = std::string(r.ExtendedHeader() ? "x" : "") + (r.ExperimentalTag() ? "e" : "") +
                               (r.CRC() ? "c" + std::to_string(static_cast<long long>(r.CRCValue())) : "");
    const std::pair<const char*, std::string> fields[] = {
        {"TIT2", r.SongTitle()}, {"TPE1", r.Artist()}, {"TALB", r.Album()}, {"TYER", r.Year()}, {"TCON", r.Genre()},
        {"TENC", r.EncodedBy()}, {"TCOM", r.Composer()}, {"TOPE", r.OriginalArtist()}, {"TCOP", r.Copyright()},
        {"TIT3", r.SubTitle()}, {"TLAN", r.Language()}, {"COMM", r.Comment()}, {"WXXX", r.URL()}, {"USLT", r.Lyrics()},
        {"TRCK", r.Track() + r.Tracks() ? std::to_string(r.Track()) + "/" + std::to_string(r.Tracks()) : ""},
        {"?", r.Unknown()}, {"PICS", r.GraphicExtended().find('|') == std::string::npos ? "" : r.GraphicExtended()},
        {"HDR", header}};
    for (const auto& [id, value] : fields) got += value.empty() ? "" : id + ("=" + value) + ";";
    const auto starts = SplitList(r.GraphicStartPos()), sizes = SplitList(r.GraphicSize());
    const auto titles = SplitList(r.GraphicTitle());
    for (std::size_t i = 0; !r.GraphicStartPos().empty() && i < starts.size(); ++i) {  // each as extension:data
      const std::string picture = r.ExtractGraphic(path, std::stoll(starts[i]), std::stoll(sizes.at(i)), info, type);
      const std::string title = i < titles.size() ? titles[i] : "";
      got += "APIC=" + title + ";" + picture.substr(picture.size() - 3) + ":" + ReadFileBytes(picture);
      std::remove(picture.c_str());
    }
    EXPECT_EQ(got, row.expected) << row.bytes.size() << " bytes: " << r.ReadProblem();
    EXPECT_TRUE(notices.empty());
    // The remover cuts exactly a sound tag, whatever its version (a footer included).
    if (got.empty() || (got[0] != '-' && got[0] != '!')) {
      ASSERT_TRUE(formats::clsID3V230Writer().RemoveID3V230Tag(path));
      EXPECT_EQ(ReadFileBytes(path), support::Audio()) << row.bytes.size();
    }
  }
  EXPECT_EQ(read(rows[0].bytes).Urls(), (std::vector<std::string>{"", "home->x|y"}));  // a "|" inside an address stays
  EXPECT_EQ(yields, 18);  // once per frame
  // A file without a tag keeps the header's facts, a tag without a CRC the CRC's; a file cut inside the tag keeps what
  // was read; behind damage at the file's end the search stops there; a file that cannot be opened changes nothing.
  auto reader = read(Tagged(crc + t, 0x60));
  const auto next = [&](const std::string& bytes, const std::string& file = "song.mp3") {
    if (!bytes.empty()) WriteFileBytes(path, bytes);
    reader.ReadID3V230Tag(dir.file(file));
    return std::to_string(reader.TagPresent()) + std::to_string(reader.ExtendedHeader()) +
           std::to_string(reader.ExperimentalTag()) + std::to_string(reader.CRC()) +
           std::to_string(static_cast<long long>(reader.CRCValue())) + reader.SongTitle() + reader.Artist();
  };
  EXPECT_EQ(next(support::Audio()), "0111133");
  EXPECT_EQ(next(Tag({t, Frame("TPE1", Text("artist"))}).substr(0, 36)), "0001133t");  // 3 bytes short
  EXPECT_EQ(next(Tag({t, "x\x01yz", Frame("TPE1", Text("b"))})), "1001133tb");
  EXPECT_EQ(next("", "absent.mp3"), "1001133tb");
}

// Each picture into a file of its own named by its subtype; none for a bad request or a failing step.
TEST_F(ID3V230ReaderTest, EachPictureGetsAFileOfItsOwnWithTheExtensionOfItsSubtype) {
  // The second one replaces no earlier picture file; a subtype cannot lead out of the folder.
  const struct { std::string mime, description, written, subtype; } cases[] = {
      {"image/jpeg", "desc", "cover-1.jpg", "jpeg"}, {"image/jpg", "", "cover-2.jpg", "jpg"},
      {"image/png", "d", "cover-1.png", "png"}, {"image/", "d", "cover-1.", ""},
      {"image/../../x", "d", "cover-1.....x", "....x"}};
  for (const auto& c : cases) {
    const std::string written = extract({ApicBody(c.mime, 3, c.description, "PICTURE")}, 0);
    EXPECT_EQ(written, dir.file(c.written));
    EXPECT_EQ(ReadFileBytes(written) + "," + info + "," + type, "PICTURE," + c.description + "," + c.subtype);
  }
  const std::string second = extract({ApicBody("image/png", 3, "", "1"), ApicBody("image/png", 4, "", "SECOND")}, 1);
  EXPECT_EQ(second + ReadFileBytes(second), dir.file("cover-2.png") + "SECOND");
  for (const auto& file : FolderEntries(dir.path())) std::remove(dir.file(file).c_str());
  extract({ApicBody("image/png", 3, "d", "P")}, 0);
  std::remove(dir.file("cover-1.png").c_str());
  const struct { std::string file; long long start, size; } bad[] = {  // the last: no NUL after a MIME type there
      {dir.file("absent.mp3"), start, size}, {path, start, 1000000}, {path, -1, size}, {path, start, -5},
      {path, start + 1, 3}};
  clsID3V230Reader reader(FormatEnv{}, dir.file("cover"));
  for (const auto& c : bad) {
    info = type = "kept";
    EXPECT_EQ(reader.ExtractGraphic(c.file, c.start, c.size, info, type) + info + type, "keptkept") << c.size;
  }
  EXPECT_EQ(clsID3V230Reader().ExtractGraphic(path, start, size, info, type), "");  // no cover base: nowhere to write
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
  for (int n = 2;; ++n) {
    const std::string written = extract({ApicBody("image/jpeg", 3, "d", std::string(5000, 'x'))}, 0, n);
    EXPECT_EQ(written.empty(), fs.failed()) << n;
    if (!fs.failed()) {
      EXPECT_EQ(ReadFileBytes(written), std::string(5000, 'x'));
      break;
    }
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"}) << n;
    ASSERT_LT(n, 100);
  }
  const std::string written = extract({ApicBody("image/png", 3, "", std::string(5 * 1000 * 1000, 'x'))}, 0);
  EXPECT_EQ(ReadFileBytes(written).size(), 5u * 1000 * 1000);
  EXPECT_EQ(yields, 1 + 3);  // one frame read, three pieces copied
}

}  // namespace
