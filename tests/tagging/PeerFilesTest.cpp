// Our saves as other programs read them; files tagged by other programs read, edited and saved.
#include "tagging/TaggingTest.h"

#include <cctype>

#include "formats/FrameBodies.h"
#include "formats/MP3HeadReader.h"
#include "support/Peers.h"

namespace tagging {
namespace {

using namespace support;

// mutagen copies one file's tag into another in its own bytes; arguments: from, encoding, to.
const char* const kCopyWithMutagen = R"PY(
import sys
from mutagen.id3 import ID3
for k in range(1, len(sys.argv), 3):
    t = ID3(sys.argv[k], translate=False, load_v1=False)
    for f in t.values():
        if hasattr(f, 'encoding'): f.encoding = int(sys.argv[k + 1])
    t.save(sys.argv[k + 2], v2_version=3, v1=0)
)PY";

// n characters for field k: the first tells the fields apart; Greek letters need UTF-16.
std::string TextOf(int k, std::size_t n, bool utf16) {
  std::string text = utf16 ? std::string{'\xCE', static_cast<char>(0x91 + k)} : std::string(1, static_cast<char>('A' + k));
  const char* const filler[] = {"a", "\xC3\xA9", "b", "c"};
  const char* const greek[] = {"\xCE\xB1", "\xCE\xB2", "x", "\xC3\xA9"};
  for (std::size_t i = 1; i < n; ++i) text += (utf16 ? greek : filler)[i % 4];
  return text;
}

// The pictures of a reading after the empty first record the save expects.
std::vector<core::PictureRecord> PicturesOf(const FileReading& reading) {
  std::vector<core::PictureRecord> pictures(1);
  pictures.insert(pictures.end(), reading.pictures.begin(), reading.pictures.end());
  return pictures;
}

// A fields-only read (one open, no pictures, no losses) gives the full read's fields, flags and labels.
void ExpectFieldsOnlyReadAlike(const std::string& path, const FileReading& full) {
  const FileReading quick = ReadFileIntoFields(path, {}, {}, {}, ReadScope::FieldsOnly);
  EXPECT_TRUE(quick.fields == full.fields && quick.pictures.empty() && quick.losses.empty());
  FailingFileSystem counting;
  EXPECT_TRUE(ReadFileIntoFields(path, {}, {}, {&counting, {}, {}}).fields == full.fields && counting.operations() == 1);
  const auto facts = [](const FileReading& r) {
    return std::tie(r.outcome.flags.TagFound, r.outcome.flags.ID3V111Found, r.outcome.flags.ID3V230Found, r.outcome.commentText,
                    r.timeLabel, r.bitrateLabel, r.modeLabel, r.version, r.readProblem);
  };
  EXPECT_EQ(facts(quick), facts(full));
}

// The fields and their frames, as mutagen, TagLib and id3v2 name them.
const std::pair<std::string EditFields::*, const char*> kFields[] = {
    {&EditFields::title, "TIT2"},    {&EditFields::artist, "TPE1"},         {&EditFields::album, "TALB"},     {&EditFields::year, "TYER"},
    {&EditFields::genre, "TCON"},    {&EditFields::comment, "COMM:"},       {&EditFields::composer, "TCOM"},  {&EditFields::language, "TLAN"},
    {&EditFields::subTitle, "TIT3"}, {&EditFields::originalArtist, "TOPE"}, {&EditFields::copyright, "TCOP"}, {&EditFields::encodedBy, "TENC"},
    {&EditFields::lyrics, "USLT:"}};
// ffprobe's names for the frames (none for addresses, which it does not show).
const std::map<std::string, std::string> kFfprobeNames = {
    {"TIT2", "title"}, {"TPE1", "artist"}, {"TALB", "album"}, {"TYER", "TYER"}, {"TCON", "genre"}, {"COMM:", "comment"},
    {"TCOM", "composer"}, {"TLAN", "language"}, {"TIT3", "TIT3"}, {"TOPE", "TOPE"}, {"TCOP", "copyright"},
    {"TENC", "encoded_by"}, {"USLT:", "lyrics-eng"}, {"TRCK", "track"}, {"TXXX:k", "k"}, {"PRIV:o", "id3v2_priv.o"},
    {"APIC:back", "APIC:back"}, {"APIC:front", "APIC:front"}};

TEST(PeerTable, EveryFrameSizeReadsAlikeBothWays) {
  TempDir dir;
  const std::string jpeg = dir.file("front.jpg"), png = dir.file("back.png");
  for (const auto& [file, colour] : {std::pair{jpeg, "blue"}, std::pair{png, "red"}})
    ASSERT_TRUE(CommandSucceeds("ffmpeg -v error -y -f lavfi -i color=c=" + std::string(colour) + ":s=16x16 -frames:v 1 " +
                                ShellQuote(file)));
  const std::string audio = formats::SilentMpegFrames(40);
  std::vector<std::string> ours, theirs, mutagenArguments;
  std::vector<PeerFrames> expected;
  std::vector<EditFields> allFields;
  for (const bool utf16 : {false, true}) {
    for (const std::size_t n : {1, 127, 128, 255, 256, 1000, 70000}) {
      const std::string name = std::to_string(n) + (utf16 ? "-utf16" : "-latin1");
      SCOPED_TRACE(name);
      PeerFrames frames{{"TRCK", "7"}, {"TXXX:k", TextOf(20, n, utf16)}, {"PRIV:o", std::string(n, 'p')},
                    {"APIC:back", ReadFileBytes(png)}, {"APIC:front", ReadFileBytes(jpeg)}};
      EditFields fields;
      for (int k = 0; k < static_cast<int>(std::size(kFields)); ++k) frames[kFields[k].second] = fields.*kFields[k].first = TextOf(k, n, utf16);
      fields.track = "7";
      fields.urls = {frames["WXXX:"] = "http://" + std::string(n, 'u')};
      expected.push_back(frames);
      allFields.push_back(fields);

      // Ours: a TXXX, PRIV and PNG picture the save carries, every field and a JPEG file; theirs: mutagen's.
      const std::string path = dir.file(name + "-ours.mp3");
      ASSERT_TRUE(WriteFileBytes(path, Tag({PlainFrame("TXXX", formats::bodies::UserText("k", frames["TXXX:k"])),
                                            PlainFrame("PRIV", "o" + std::string(1, '\0') + frames["PRIV:o"]),
                                            PlainFrame("APIC", formats::bodies::PictureFront("image/png", 4, "back") + frames["APIC:back"])}) +
                                           audio));
      const FileReading before = ReadFileIntoFields(path, {}, {});
      ASSERT_EQ(before.pictures.size(), 1u);
      ASSERT_TRUE(SaveTagsToFile(path, fields, {{}, before.pictures[0], {jpeg, 3, "front"}}));
      ours.push_back(path);

      theirs.push_back(dir.file(name + "-mutagen.mp3"));
      ASSERT_TRUE(WriteFileBytes(theirs.back(), audio));
      mutagenArguments.insert(mutagenArguments.end(), {path, utf16 ? "1" : "0", theirs.back()});
    }
  }
  RunPython(kCopyWithMutagen, mutagenArguments);
  for (std::size_t n = 0; n < theirs.size(); ++n) {
    SCOPED_TRACE(theirs[n]);
    const FileReading reading = ReadFileIntoFields(theirs[n], {}, {});
    EditFields want = allFields[n];
    want.unknown = reading.fields.unknown;  // the TXXX and PRIV frames
    EXPECT_TRUE(reading.losses.empty() && reading.fields == want && reading.pictures.size() == 2u);
    ASSERT_TRUE(SaveTagsToFile(theirs[n], reading.fields, PicturesOf(reading)));
  }
  // id3v2 (id3lib) crashes on UTF-16 texts of more than ~32,000 characters: not asked about them.
  // mutagen finds exactly the frames it wrote after our save.
  const std::vector<std::tuple<std::string, std::vector<std::string>, bool>> reads = {
      {"mutagen", ours, false}, {"ffprobe", ours, false}, {"taglib", ours, false},
      {"id3v2", std::vector<std::string>(ours.begin(), ours.end() - 1), false}, {"mutagen", theirs, true}};
  for (const auto& [peer, files, exactly] : reads) {
    const std::vector<PeerFrames> seen = PeerRead(peer, files);
    for (std::size_t n = 0; n < files.size() && (peer != "taglib" || TagLibBuilt()); ++n) {
      SCOPED_TRACE(peer + " " + files[n]);
      std::size_t found = 0;
      for (const auto& [expectedKey, expectedValue] : expected[n]) {
        std::string key = expectedKey, value = expectedValue;
        if (peer == "ffprobe" && !kFfprobeNames.count(key)) continue;
        if (peer == "ffprobe") key = kFfprobeNames.at(key);
        if (peer == "id3v2" && key == "PRIV:o") continue;
        if (peer == "id3v2" && key.rfind("APIC:", 0) == 0) value = std::to_string(value.size());
        const auto got = seen[n].find(key);
        found += got != seen[n].end();
        EXPECT_TRUE(got != seen[n].end() && got->second == value) << key << ": " << (got == seen[n].end() ? "missing" : "differs");
      }
      if (exactly) { EXPECT_EQ(found + 2, seen[n].size()) << "frames besides those written, \"length\" and \"version\""; }
    }
  }
}

// One field changed and saved: mutagen finds every other frame as before; the audio is untouched.
TEST(RealWorldFiles, OneFieldChangedTheRestKeptAsThePeerSeesIt) {
  TempDir dir;
  const std::string mutagen = SystemPython() + " -c " + ShellQuote(kTagWithMutagen) + " %s ";
  const struct { const char* name; std::string tagCommand; } files[] = {  // "%s": the file
      {"mutagen v2.3 ISO-8859-1", mutagen + "3 0"}, {"mutagen v2.3 UTF-16", mutagen + "3 1"},
      {"mutagen v2.4 UTF-8", mutagen + "4 3"},
      {"id3v2 v2.3 and v1", "id3v2 -t Title -a Artist -A Album -y 2001 -T 7/9 -c Comment -g 17 %s"},
      {"ffmpeg v2.4", "ffmpeg -v error -y -i %s.src -c copy -metadata title=Title -metadata artist=Artist "
                      "-metadata album_artist=Band -metadata disc=1/2 -metadata track=3/9 %s"}};
  const std::string edited = "Edited \xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7 \xE6\x9D\xB1";  // non-Latin text typed
  const auto audioOf = [](const std::string& bytes) {
    const std::size_t start = formats::ID3V2TagSize(reinterpret_cast<const unsigned char*>(bytes.data()));
    return bytes.substr(start, bytes.size() - start - (bytes.compare(bytes.size() - 128, 3, "TAG") == 0 ? 128 : 0));
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = dir.file(std::string(file.name) + ".mp3");
    ASSERT_TRUE(WriteFileBytes(path, formats::SilentMpegFrames(40)) && WriteFileBytes(path + ".src", formats::SilentMpegFrames(40)));
    std::string command = file.tagCommand;
    for (auto at = command.find("%s"); at != std::string::npos; at = command.find("%s")) command.replace(at, 2, ShellQuote(path));
    ASSERT_TRUE(CommandSucceeds(command)) << command;
    const std::string before = ReadFileBytes(path);
    PeerFrames expected = PeerRead("mutagen-v24", path);
    ASSERT_GT(expected.size(), 4u);

    const FileReading reading = ReadFileIntoFields(path, {}, {});
    EXPECT_TRUE(reading.v2.TagPresent && reading.losses.empty());
    ExpectFieldsOnlyReadAlike(path, reading);
    EditFields fields = reading.fields;
    fields.title = edited;
    ASSERT_TRUE(SaveTagsToFile(path, fields, PicturesOf(reading)));
    expected["TIT2"] = edited;
    EXPECT_EQ(PeerRead("mutagen-v24", path), expected);
    EXPECT_EQ(audioOf(ReadFileBytes(path)), audioOf(before));
  }
}

// A changed comment writes only the comment, other frames in their ID3v2.3 form. A save that would
// drop something asks: No leaves the file, Yes keeps the rest; a damaged tag shows the frames around.
TEST(RealWorldFiles, ASaveWritesOnlyWhatChangedAndAsksBeforeALoss) {
  std::string v1 = ID3v1Block("A song");
  v1.replace(93, 4, "1337");
  const std::string title = Frame("TIT2", Text("A song   ")), year = Frame("TYER", Text("2004"));
  const std::string itunes = Frame("COMM", Text("eng" "iTunNORM" + NUL + " 0000031C 00000000"));
  const std::string packedTitle = Frame("TIT2", Bytes("\x00\x00\x00\x0D") + kPackedTitle, Bytes("\x00\x80"));
  const std::string sealedPicture = Frame("APIC", Bytes("\x00\x00\x00\x09" "zlibbytes"), Bytes("\x00\x80"));
  const std::string tit2 = Frame("TIT2", Text("Title")), tpe1 = Frame("TPE1", Text("Artist")), talb = Frame("TALB", Text("Album"));
  const std::string popm = Bytes("me@example.invalid\x00" "\xC4" "\x00\x00\x00\x03");
  const std::vector<std::string> three = {"TALB=Album", "TIT2=Title", "TPE1=Artist"};
  // shown: the fields title|artist|album|year|comment as read; lost: what a save would lose of it; texts: mutagen's
  // frames after the save, the comment's aside; keptBytes: found unchanged in the saved file.
  const struct { const char* name; std::string bytes, shown; const char* lost; std::vector<std::string> texts, keptBytes; } cases[] = {
      {"an untouched year and title keep each tag's own", Tag({title, year}) + Audio() + v1, "A song|||1337|", "",
       {"TIT2=A song   ", "TYER=2004"}, {title, year, v1.substr(0, 97)}},
      {"iTunes's volume data is no comment and stays", Tag({itunes}) + Audio(), "||||", "", {"COMM:iTunNORM= 0000031C 00000000"}, {itunes}},
      {"iTunes's ID3v2.2 frames",
       Tagged(Frame22("TT2", Text("t")) + Frame22("TCP", Text("1")) + Frame22("TST", Text("Song, The")) +
                  Frame22("TSP", Text("Band, The")) + Frame22("TSA", Text("Album, The")) + Frame22("TS2", Text("Artists, The")) +
                  Frame22("TSC", Text("Composer, The")), 0, 2) + Audio(),
       "t||||", "", {"TCMP=1", "TIT2=t", "TSO2=Artists, The", "TSOA=Album, The", "TSOC=Composer, The", "TSOP=Band, The", "TSOT=Song, The"}, {}},
      {"two artist frames, joined into one", Tag({Frame("TPE1", Text("A")), Frame("TPE1", Text("B"))}) + Audio(), "|A / B|||", "",
       {"TPE1=A / B"}, {}},
      // "/" parts a track from its total: joined, "3" and "1e9" would read as track 3 of 1e9
      {"two track frames stay as they were", Tag({Frame("TRCK", Text("3")), Frame("TRCK", Text("1e9"))}) + Audio(), "||||", "",
       {"TRCK=3|1e9"}, {Frame("TRCK", Text("3")) + Frame("TRCK", Text("1e9"))}},
      {"a compressed frame, read and carried", Tag({packedTitle}) + Audio(), "Packed title||||", "", {"TIT2=Packed title"}, {packedTitle}},
      {"a compressed ID3v2.4 frame, carried in its ID3v2.3 form",
       Tagged(Frame("TPE1", SevenBit(14) + kPackedArtist, Bytes("\x00\x09")), 0, 4) + Audio(), "|Packed artist|||", "",
       {"TPE1=Packed artist"}, {Bytes("TPE1" "\x00\x00\x00\x1A" "\x00\x80" "\x00\x00\x00\x0E") + kPackedArtist}},
      {"a compressed picture frame, carried as it is", Tag({Frame("TIT2", Text("t")), sealedPicture}) + Audio(), "t||||", "",
       {"TIT2=t"}, {sealedPicture}},
      {"an ID3v1.1 tag only", Audio(40) + ID3v1Block("v1 title"), "v1 title||||", "", {"TCON=Pop", "TIT2=v1 title", "TRCK=1"}, {}},
      {"every kind of frame, the comment behind a large picture",
       Tag({Frame("TIT2", Text("Title")), Frame("TRCK", Text("3/9")), Frame("USLT", Bytes("\0eng\0") + "words"),
            Frame("WXXX", Bytes("\0d\0http://u")), Frame("TXXX", Bytes("\0k\0v")),
            Frame("APIC", Bytes("\0image/png\0\3\0") + std::string(30000, 'p')),
            Frame("COMM", Bytes("\0eng\0") + "behind the picture")}) + Audio(40) + ID3v1Block("v1"),
       "Title||||behind the picture", "",
       {"APIC:=" + std::string(30000, 'p'), "TIT2=Title", "TRCK=3/9", "TXXX:k=v", "USLT:=words", "WXXX:d=http://u"}, {}},
      {"a compressed ID3v2.4 TXXX", Bytes("ID3\x04\x00\x00\x00\x00\x00\x1b" "TIT2\x00\x00\x00\x03\x00\x00\x00" "ab"
                                          "TXXX\x00\x00\x00\x04\x00\x08" "zzzz") + Audio(),
       "ab||||", "compressed ID3v2.4 frame TXXX", {"TIT2=ab"}, {}},
      {"a compressed ID3v2.4 frame whose data length claims 256 MiB",
       Tagged(Frame("TPE1", Bytes("\x7F\x7F\x7F\x7F" "\x78\x9C\x03\x00\x00\x00\x00\x01"), Bytes("\x00\x09")), 0, 4) + Audio(),
       "||||", "compressed ID3v2.4 frame TPE1, whose data cannot be decompressed", {}, {}},
      {"an ID3v2.5 tag", TagHeader(12, 0, 5) + Frame("TIT2", Text("a")) + Audio(), "||||", "ID3v2.5 tag", {}, {}},
      {"a POPM whose size runs past the tag", Tag({tit2, "POPM" + Bytes("\x00\x00\x00\xC8" "\x00\x00") + popm, tpe1, talb}) + Audio(),
       "Title|Artist|Album||", "damaged bytes", three, {}},
      {"a TENC whose size runs into the next frame", Tag({tit2, "TENC" + SevenBit(12) + Bytes("\x00\x00") + Text("enc"), tpe1, talb}) + Audio(),
       "Title|Artist|Album||", "damaged bytes", three, {}},
      {"an extended header with a wrong size",
       Tagged(Bytes("\x7F\x7F\x7F\x7F" "\x00\x00") + SevenBit(0) + tit2 + tpe1 + talb, 0x40) + Audio(), "Title|Artist|Album||",
       "damaged bytes", three, {}},
      {"a frame in the middle with a bad size", Tag({tit2, tpe1, "TCON" + Bytes("\xFF\xFF\xFF\xFF" "\x00\x00") + Text("Rock"), talb}) + Audio(),
       "Title|Artist|Album||", "damaged bytes", three, {}}};
  const auto said = [](const formats::Loss& loss) {
    using Kind = formats::Loss::Kind;
    return loss.kind == Kind::UnreadableTag  ? "ID3v2." + std::to_string(loss.version) + " tag: " + loss.detail
           : loss.kind == Kind::DamagedBytes ? "damaged bytes: " + loss.detail : loss.detail;
  };
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  for (const auto& c : cases) {
    for (const bool yes : {false, true}) {
      if (!yes && !*c.lost) continue;  // nothing to lose: nothing to ask
      SCOPED_TRACE(std::string(c.name) + (yes ? "" : ", No"));
      ASSERT_TRUE(WriteFileBytes(path, c.bytes));
      const FileReading reading = ReadFileIntoFields(path, {}, {});
      const EditFields& f = reading.fields;
      EXPECT_EQ(f.title + "|" + f.artist + "|" + f.album + "|" + f.year + "|" + f.comment, c.shown);
      EXPECT_EQ(reading.outcome.flags.ID3V230Found, c.bytes.rfind("ID3", 0) == 0);  // a damaged tag is never "no tag"
      ASSERT_EQ(reading.losses.size(), *c.lost ? 1u : 0u);
      if (*c.lost) { EXPECT_NE(said(reading.losses[0]).find(c.lost), std::string::npos) << said(reading.losses[0]); }
      if (std::string(c.lost) == "damaged bytes") { EXPECT_EQ(f.unknown.rfind("ID3v2.3: ", 0), 0u) << f.unknown; }  // named where undecoded frames are
      ExpectFieldsOnlyReadAlike(path, reading);
      SavePolicy policy;
      policy.mode = SavePolicy::Mode::Ask;
      std::vector<std::string> asked;
      policy.ask = [&](const SaveLoss& loss) {
        asked.push_back(loss.file + ":" + said(loss.what.at(0)));
        return yes;
      };
      EditFields fields = f;
      fields.comment = "New";
      const formats::Status saved = SaveTagsToFile(path, fields, PicturesOf(reading), {}, policy, &reading.own);
      EXPECT_EQ(asked, *c.lost ? std::vector<std::string>{path + ":" + said(reading.losses[0])} : std::vector<std::string>{});
      EXPECT_EQ(saved.failure, yes ? formats::Failure::None : formats::Failure::Refused);
      if (!yes) {
        EXPECT_EQ(saved.losses, reading.losses) << "a refusal names what it kept";
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
        continue;
      }
      std::vector<std::string> texts;
      for (const auto& [key, value] : PeerRead("mutagen", path))
        if (key != "COMM:" && std::isupper(key[0])) texts.push_back(key + "=" + value);
      EXPECT_EQ(texts, c.texts);
      const std::string bytes = ReadFileBytes(path);
      EXPECT_NE(bytes.find(Bytes("COMM" "\x00\x00\x00\x08" "\x00\x00" "\x00" "eng" "\x00" "New")), std::string::npos);
      for (const std::string& kept : c.keptBytes) EXPECT_NE(bytes.find(kept), std::string::npos) << testing::PrintToString(kept);
      EXPECT_EQ(bytes.substr(bytes.size() - 128, 3) + bytes.substr(bytes.size() - 31, 3), "TAGNew");
    }
  }
}

// Our own ISO-8859-1 files save to exactly the bytes the writers give the same fields.
TEST(RealWorldFiles, OwnFilesSaveToTheBytesTheWritersGive) {
  TempDir dir;
  const std::string picture = dir.file("front.jpg"), ours = dir.file("ours.mp3"), fresh = dir.file("fresh.mp3");
  ASSERT_TRUE(WriteFileBytes(picture, "\xFF\xD8JPEG") && WriteFileBytes(ours, Audio()) && WriteFileBytes(fresh, Audio()));
  formats::clsID3V230Writer v2;
  v2.setSongTitle("Caf\xC3\xA9"), v2.setComment("c"), v2.setLanguage("deu"), v2.setLyrics("l"), v2.setURL("u1|u2");
  v2.setTrack("3"), v2.setGraphic(picture), v2.setGraphicType("3"), v2.setGraphicTitle("front");
  ASSERT_TRUE(v2.WriteID3V230Tag(ours));
  const FileReading reading = ReadFileIntoFields(ours, {}, {});
  std::vector<core::PictureRecord> pictures = PicturesOf(reading);
  ASSERT_TRUE(SaveTagsToFile(ours, reading.fields, pictures));
  pictures[1].FileName = picture;  // the same picture, from its file
  pictures[1].StartPos = pictures[1].Size = 0;
  ASSERT_TRUE(SaveTagsToFile(fresh, reading.fields, pictures));
  EXPECT_EQ(ReadFileBytes(ours), ReadFileBytes(fresh));
}

// LAME's Info frames count their own file's frames: the album keeps none and lasts as long as all.
TEST(RealWorldFiles, AMergeOfLameFilesLastsAsLongAsAllItsSources) {
  TempDir dir;
  std::vector<std::string> names, paths;
  for (const auto& [name, seconds] : {std::pair{"a.mp3", 3}, {"b.mp3", 5}, {"c.mp3", 4}}) {  // seconds of silence
    ASSERT_TRUE(CommandSucceeds("head -c " + std::to_string(44100 * 4 * seconds) +
                                " /dev/zero | lame --quiet -r -s 44.1 --bitwidth 16 -b 128 - " + ShellQuote(dir.file(name))));
    names.push_back(name), paths.push_back(dir.file(name));
  }
  double total = 0;
  for (const PeerFrames& source : PeerRead("mutagen", paths)) total += std::stod(source.at("length"));
  const MergeResult result = MergeAlbum(PlanMerge(dir.folder(), names, " - ", {}, FileViewReader({}, {}, {})), {});
  ASSERT_FALSE(result.album.empty());
  formats::clsMP3HeadReader header;
  header.ReadMP3Header(result.album);
  EXPECT_EQ(header.VbrKind(), "");
  EXPECT_NEAR(header.Length(), total, 0.5);
  EXPECT_NEAR(std::stod(PeerRead("mutagen", result.album)["length"]), total, 0.5);
  EXPECT_NEAR(std::stod(PeerRead("ffprobe", result.album)["duration"]), total, 0.5);
  EXPECT_EQ(PeerRead("mutagen", result.album)["version"], "2.3");
}

}  // namespace
}  // namespace tagging
