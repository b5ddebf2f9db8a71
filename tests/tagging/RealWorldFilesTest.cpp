// Files tagged by other programs (mutagen in ID3v2.3 ISO-8859-1, ID3v2.3 UTF-16 and
// ID3v2.4 UTF-8; the id3v2 tool; ffmpeg): opened, one field changed, saved, and compared
// by mutagen's own dump before and after. A fields-only read (one open for all readers, no
// pictures, no loss list) gives exactly the fields, flags and labels of the full read.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "formats/ID3V230Writer.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "tagging/FileReading.h"
#include "tagging/TagSaveRules.h"

namespace {

using support::ShellQuote;

// mutagen's view of the tag: one line per frame, its values without the text encoding.
const char* const kDump = R"PY(
import sys, hashlib
from mutagen.id3 import ID3
t = ID3(sys.argv[1], load_v1=False)  # the ID3v1.1 block the program always writes is not compared
for key in sorted(t.keys()):
    f = t[key]
    values = []
    for name, value in sorted(vars(f).items()):
        if name == "encoding": continue
        if isinstance(value, bytes): value = hashlib.md5(value).hexdigest()
        values.append("%s=%s" % (name, [str(v) for v in value] if isinstance(value, list) else str(value)))
    print(key.encode("unicode_escape").decode(), " ".join(values).encode("unicode_escape").decode())
)PY";

std::map<std::string, std::string> Dump(const std::string& path) {
  std::map<std::string, std::string> frames;
  std::istringstream lines(support::RunPython(kDump, {path}));
  for (std::string line; std::getline(lines, line);) {
    const auto blank = line.find(' ');
    frames[line.substr(0, blank)] = line.substr(blank + 1);
  }
  return frames;
}

// The audio: what lies between the ID3v2 tag and an ID3v1 block.
std::string AudioOf(const std::string& bytes) {
  const std::size_t start = bytes.size() < 10 ? 0 : formats::ID3V2TagSize(reinterpret_cast<const unsigned char*>(bytes.data()));
  const std::size_t end = bytes.size() - (bytes.size() >= 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0 ? 128 : 0);
  return start <= end ? bytes.substr(start, end - start) : std::string();
}

TEST(RealWorldFiles, OneFieldChangedTheRestKeptAsThePeerSeesIt) {
  support::TempDir dir;
  const std::string mutagen = support::SystemPython() + " -c " + ShellQuote(support::kTagWithMutagen) + " %s ";
  const struct {
    const char* name;
    std::string tagCommand;  // run on the file named by the last argument
  } files[] = {
      {"mutagen v2.3 ISO-8859-1", mutagen + "3 0"},
      {"mutagen v2.3 UTF-16", mutagen + "3 1"},
      {"mutagen v2.4 UTF-8", mutagen + "4 3"},
      {"id3v2 v2.3 and v1", "id3v2 -t Title -a Artist -A Album -y 2001 -T 7/9 -c Comment -g 17 %s"},
      {"ffmpeg v2.4", "ffmpeg -v error -y -i %s.src -c copy -metadata title=Title -metadata artist=Artist "
                      "-metadata album_artist=Band -metadata disc=1/2 -metadata track=3/9 %s"},
  };
  const std::string edited = "Edited \xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7 \xE6\x9D\xB1";  // non-Latin text typed
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = dir.file(std::string(file.name) + ".mp3");
    ASSERT_TRUE(support::WriteFileBytes(path, formats::SilentMpegFrames(40)));
    ASSERT_TRUE(support::WriteFileBytes(path + ".src", formats::SilentMpegFrames(40)));
    std::string command = file.tagCommand;
    for (auto at = command.find("%s"); at != std::string::npos; at = command.find("%s"))
      command.replace(at, 2, ShellQuote(path));
    ASSERT_TRUE(support::CommandSucceeds(command)) << command;
    const std::string before = support::ReadFileBytes(path);
    auto expected = Dump(path);
    ASSERT_GT(expected.size(), 2u);

    const tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {});
    EXPECT_TRUE(reading.v2.TagPresent);
    EXPECT_TRUE(reading.losses.empty());
    tagging::EditFields fields = reading.fields;
    fields.title = edited;
    std::vector<core::PictureRecord> pictures(1);
    pictures.insert(pictures.end(), reading.pictures.begin(), reading.pictures.end());
    ASSERT_TRUE(tagging::SaveTagsToFile(path, fields, pictures));

    auto got = Dump(path);
    EXPECT_EQ(got["TIT2"], "text=['" + std::string("Edited \\u039a\\u03b1\\u03bb\\u03b7 \\u6771") + "']");
    got.erase("TIT2");
    expected.erase("TIT2");
    EXPECT_EQ(got, expected);
    EXPECT_EQ(AudioOf(support::ReadFileBytes(path)), AudioOf(before));
  }
}

// mutagen's texts of each frame, "KEY=value|value".
const char* const kTexts = R"PY(
import sys
from mutagen.id3 import ID3
t = ID3(sys.argv[1], load_v1=False)
for key in sorted(t.keys()):
    print("%s=%s" % (key, "|".join(str(v) for v in getattr(t[key], "text", []))))
)PY";

// A save of a changed comment (as set --comment does) writes only the comment: every other
// field keeps each tag's own bytes, what other programs keep in comment frames stays theirs,
// and frames other programs write (iTunes's ID3v2.2 frames, two frames of one text ID, a
// compressed frame) are saved in their ID3v2.3 form, as mutagen then reads them.
TEST(RealWorldFiles, ASaveWritesOnlyWhatChanged) {
  using support::Bytes, support::Frame, support::Frame22, support::Text;
  const std::string nul(1, '\0');
  std::string v1 = support::ID3v1Block("A song");
  v1.replace(93, 4, "1337");
  const std::string title = Frame("TIT2", Text("A song   ")), year = Frame("TYER", Text("2004"));
  const std::string itunes = Frame("COMM", Text("eng" "iTunNORM" + nul + " 0000031C 00000000"));
  const std::string packedTitle =
      Frame("TIT2", Bytes("\x00\x00\x00\x0D" "\x78\x9C\x63\x08\x48\x4C\xCE\x4E\x4D\x51\x28\xC9\x2C\xC9\x49\x05\x00\x1C\xBE\x04\x8B"),
            Bytes("\x00\x80"));
  const std::string packedArtist = Bytes("\x78\x9C\x63\x08\x48\x4C\xCE\x4E\x4D\x51\x48\x2C\x2A\xC9\x2C\x2E\x01\x00\x21\x8B\x05\x00");
  const struct {
    const char* name;
    std::string bytes;
    std::string shown;                   // the fields title|artist|year|comment as the view shows them
    std::vector<std::string> texts;      // mutagen's texts afterwards, the comment's aside
    std::vector<std::string> keptBytes;  // found unchanged in the saved file
  } cases[] = {
      {"an untouched year and title keep each tag's own", support::Tag({title, year}) + support::Audio() + v1,
       "A song||1337|", {"TDRC=2004", "TIT2=A song   "}, {title, year, v1.substr(0, 97)}},
      {"iTunes's volume data is no comment and stays", support::Tag({itunes}) + support::Audio(), "|||",
       {"COMM:iTunNORM:eng= 0000031C 00000000"}, {itunes}},
      {"iTunes's ID3v2.2 frames",
       support::Tagged(Frame22("TT2", Text("t")) + Frame22("TCP", Text("1")) + Frame22("TST", Text("Song, The")) +
                           Frame22("TSP", Text("Band, The")) + Frame22("TSA", Text("Album, The")) +
                           Frame22("TS2", Text("Artists, The")) + Frame22("TSC", Text("Composer, The")),
                       0, 2) + support::Audio(),
       "t|||", {"TCMP=1", "TIT2=t", "TSO2=Artists, The", "TSOA=Album, The", "TSOC=Composer, The", "TSOP=Band, The",
                "TSOT=Song, The"}, {}},
      {"two artist frames, joined into one",
       support::Tag({Frame("TPE1", Text("A")), Frame("TPE1", Text("B"))}) + support::Audio(), "|A / B||",
       {"TPE1=A / B"}, {}},
      // "/" parts a track from its total: joined, "3" and "1e9" would read as track 3 of 1e9
      {"two track frames stay as they were", support::Tag({Frame("TRCK", Text("3")), Frame("TRCK", Text("1e9"))}) + support::Audio(),
       "|||", {"TRCK=3|1e9"}, {Frame("TRCK", Text("3")) + Frame("TRCK", Text("1e9"))}},
      {"a compressed frame, read and carried", support::Tag({packedTitle}) + support::Audio(), "Packed title|||",
       {"TIT2=Packed title"}, {packedTitle}},
      {"a compressed ID3v2.4 frame, carried in its ID3v2.3 form",
       support::Tagged(Frame("TPE1", support::SevenBit(14) + packedArtist, Bytes("\x00\x09")), 0, 4) + support::Audio(),
       "|Packed artist||", {"TPE1=Packed artist"},
       {Bytes("TPE1" "\x00\x00\x00\x1A" "\x00\x80" "\x00\x00\x00\x0E") + packedArtist}},
  };
  support::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.file("song.mp3");
    ASSERT_TRUE(support::WriteFileBytes(path, c.bytes));
    const tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {});
    const tagging::EditFields& f = reading.fields;
    EXPECT_EQ(f.title + "|" + f.artist + "|" + f.year + "|" + f.comment, c.shown);
    tagging::EditFields fields = f;
    fields.comment = "New";
    ASSERT_TRUE(tagging::SaveTagsToFile(path, fields, {core::PictureRecord{}}, {}, {}, &reading.own));

    std::istringstream lines(support::RunPython(kTexts, {path}));
    std::vector<std::string> texts;
    for (std::string line; std::getline(lines, line);)
      if (line != "COMM::eng=New") texts.push_back(line);
    EXPECT_EQ(texts, c.texts);
    const std::string saved = support::ReadFileBytes(path);
    EXPECT_NE(saved.find(Bytes("COMM" "\x00\x00\x00\x08" "\x00\x00" "\x00" "eng" "\x00" "New")), std::string::npos);
    for (const std::string& kept : c.keptBytes) EXPECT_NE(saved.find(kept), std::string::npos) << ::testing::PrintToString(kept);
    EXPECT_EQ(saved.compare(saved.size() - 128, 3, "TAG"), 0);
    EXPECT_EQ(saved.substr(saved.size() - 31, 3), std::string("New"));
  }
}

// A save that would drop something asks first; No leaves the file as it was, Yes drops
// it and keeps the rest, as mutagen sees it afterwards. Tags with damaged bytes show every
// frame around the damage.
TEST(RealWorldFiles, LossIsAskedAndNoLeavesTheFile) {
  using support::Bytes, support::Frame, support::PlainFrame, support::SevenBit, support::Text;
  support::TempDir dir;
  const std::string title = Frame("TIT2", Text("Title")), artist = Frame("TPE1", Text("Artist")),
                    album = Frame("TALB", Text("Album"));
  const std::string popm = Bytes("me@example.invalid\x00" "\xC4" "\x00\x00\x00\x03");
  const struct {
    std::string tag;
    const char* lost;  // what a save would lose of it
    std::string shown;  // title, artist and album as read
    std::string kept;   // the frames mutagen finds after Yes
  } cases[] = {
      {Bytes("ID3\x04\x00\x00\x00\x00\x00\x1b" "TIT2\x00\x00\x00\x03\x00\x00\x00" "ab"
             "TXXX\x00\x00\x00\x04\x00\x08" "zzzz"), "compressed ID3v2.4 frame TXXX", "ab||", "TIT2"},
      {support::Tagged(Frame("TPE1", Bytes("\x7F\x7F\x7F\x7F" "\x78\x9C\x03\x00\x00\x00\x00\x01"), Bytes("\x00\x09")), 0, 4),
       "compressed ID3v2.4 frame TPE1, whose data cannot be decompressed", "||", "TIT2"},  // its data length claims 256 MiB
      {support::TagHeader(12, 0, 5) + Frame("TIT2", Text("a")), "ID3v2.5 tag", "||", "TIT2"},
      // a POPM whose size runs past the tag
      {support::Tag({title, "POPM" + Bytes("\x00\x00\x00\xC8" "\x00\x00") + popm, artist, album}), "damaged bytes",
       "Title|Artist|Album", "TALB TIT2 TPE1"},
      // a TENC whose size runs into the header of the next frame
      {support::Tag({title, "TENC" + SevenBit(12) + Bytes("\x00\x00") + Text("enc"), artist, album}), "damaged bytes",
       "Title|Artist|Album", "TALB TIT2 TPE1"},
      // an extended header with a wrong size
      {support::Tagged(Bytes("\x7F\x7F\x7F\x7F" "\x00\x00") + SevenBit(0) + title + artist + album, 0x40),
       "damaged bytes", "Title|Artist|Album", "TALB TIT2 TPE1"},
      // a frame in the middle with a bad size
      {support::Tag({title, artist, "TCON" + Bytes("\xFF\xFF\xFF\xFF" "\x00\x00") + Text("Rock"), album}),
       "damaged bytes", "Title|Artist|Album", "TALB TIT2 TPE1"}};
  // A loss as data, in words enough to tell the rows apart.
  const auto said = [](const formats::Loss& loss) {
    switch (loss.kind) {
      case formats::Loss::Kind::UnreadableTag: return "ID3v2." + std::to_string(loss.version) + " tag: " + loss.detail;
      case formats::Loss::Kind::DamagedBytes: return "damaged bytes: " + loss.detail;
      case formats::Loss::Kind::Frame: break;
    }
    return loss.detail;
  };
  for (const auto& c : cases) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(std::string(c.lost) + (yes ? " yes" : " no"));
      const std::string path = dir.file("loss.mp3");
      const std::string bytes = c.tag + support::Audio();
      ASSERT_TRUE(support::WriteFileBytes(path, bytes));
      const auto reading = tagging::ReadFileIntoFields(path, {}, {});
      ASSERT_EQ(reading.losses.size(), 1u);
      EXPECT_NE(said(reading.losses[0]).find(c.lost), std::string::npos) << said(reading.losses[0]);
      EXPECT_TRUE(reading.outcome.flags.ID3V230Found);  // never "no tag"
      EXPECT_EQ(reading.fields.title + "|" + reading.fields.artist + "|" + reading.fields.album, c.shown);
      if (std::string(c.lost) == "damaged bytes") {  // the damage is named where the view shows undecoded frames
        EXPECT_EQ(reading.fields.unknown.rfind("ID3v2.3: ", 0), 0u) << reading.fields.unknown;
      }
      tagging::SavePolicy policy;
      policy.mode = tagging::SavePolicy::Mode::Ask;
      std::vector<std::string> asked;
      policy.ask = [&](const tagging::SaveLoss& loss) {
        asked.push_back(loss.file + ":" + said(loss.what.at(0)));
        return yes;
      };
      tagging::EditFields fields = reading.fields;
      fields.title = "New";
      const formats::Status saved = tagging::SaveTagsToFile(path, fields, {core::PictureRecord{}}, {}, policy);
      EXPECT_EQ(saved.failure, yes ? formats::Failure::None : formats::Failure::Refused);
      EXPECT_EQ(saved.losses, yes ? std::vector<formats::Loss>{} : reading.losses) << "a refusal names what it kept";
      EXPECT_EQ(asked, std::vector<std::string>{path + ":" + said(reading.losses[0])});
      EXPECT_EQ(support::ReadFileBytes(path) == bytes, !yes);
      if (!yes) continue;
      std::string kept;
      const auto frames = Dump(path);
      for (const auto& frame : frames) kept += (kept.empty() ? "" : " ") + frame.first;
      EXPECT_EQ(kept, c.kept);
      EXPECT_EQ(frames.count("TIT2") ? frames.at("TIT2") : "", "text=['New']");
    }
  }
}

// The program's own ISO-8859-1 ID3v2.3 files, which hold only frames of fields, save to
// exactly the bytes the writers give the same fields and pictures.
TEST(RealWorldFiles, OwnFilesSaveToTheBytesTheWritersGive) {
  support::TempDir dir;
  const std::string picture = dir.file("front.jpg"), ours = dir.file("ours.mp3"), fresh = dir.file("fresh.mp3");
  ASSERT_TRUE(support::WriteFileBytes(picture, "\xFF\xD8JPEG"));
  for (const std::string& path : {ours, fresh}) ASSERT_TRUE(support::WriteFileBytes(path, support::Audio()));
  formats::clsID3V230Writer v2;
  v2.setSongTitle("Caf\xC3\xA9"), v2.setComment("c"), v2.setLanguage("deu"), v2.setLyrics("l"), v2.setURL("u1|u2");
  v2.setTrack("3"), v2.setGraphic(picture), v2.setGraphicType("3"), v2.setGraphicTitle("front");
  ASSERT_TRUE(v2.WriteID3V230Tag(ours));

  const tagging::FileReading reading = tagging::ReadFileIntoFields(ours, {}, {});
  std::vector<core::PictureRecord> pictures(1);
  pictures.insert(pictures.end(), reading.pictures.begin(), reading.pictures.end());
  ASSERT_TRUE(tagging::SaveTagsToFile(ours, reading.fields, pictures));
  pictures[1].FileName = picture;  // the same picture, from its file
  pictures[1].StartPos = pictures[1].Size = 0;
  ASSERT_TRUE(tagging::SaveTagsToFile(fresh, reading.fields, pictures));
  EXPECT_EQ(support::ReadFileBytes(ours), support::ReadFileBytes(fresh));
}

// A compressed picture frame cannot be decoded, but is kept byte for byte.
TEST(RealWorldFiles, SealedPictureFrameIsCarriedAsItIs) {
  support::TempDir dir;
  const std::string path = dir.file("sealed.mp3");
  const std::string picture = support::Frame("APIC", support::Bytes("\x00\x00\x00\x09" "zlibbytes"), support::Bytes("\x00\x80"));
  ASSERT_TRUE(support::WriteFileBytes(path, support::Tag({support::Frame("TIT2", support::Text("t")), picture}) +
                                                support::Audio()));
  const tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {});
  ASSERT_EQ(reading.pictures.size(), 1u);
  std::vector<core::PictureRecord> pictures{core::PictureRecord{}, reading.pictures[0]};
  ASSERT_TRUE(tagging::SaveTagsToFile(path, reading.fields, pictures));
  EXPECT_NE(support::ReadFileBytes(path).find(picture), std::string::npos);
}

TEST(FieldsOnlyRead, GivesTheFieldsOfTheFullRead) {
  support::TempDir dir;
  const std::string nonLatin = "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xE6\x9D\xB1\xE4\xBA\xAC";
  const struct {
    const char* name;
    std::string bytes, mutagen, title;  // mutagen: the ID3 version and text encoding it tags with, if any
  } files[] = {
      {"v1 only", support::Audio(40) + support::ID3v1Block("v1 title"), "", "v1 title"},
      {"v2.3 every kind of frame",
       support::Tag({support::Frame("TIT2", support::Text("Title")), support::Frame("TRCK", support::Text("3/9")),
                     support::Frame("USLT", support::Bytes("\0eng\0") + "words"), support::Frame("WXXX", support::Bytes("\0d\0http://u")),
                     support::Frame("TXXX", support::Bytes("\0k\0v")),
                     support::Frame("APIC", support::Bytes("\0image/png\0\3\0") + std::string(30000, 'p')),
                     support::Frame("COMM", support::Bytes("\0eng\0") + "behind the picture")}) +
           support::Audio(40) + support::ID3v1Block("v1"),
       "", "Title"},
      {"damaged tag", support::Tag({support::Frame("TIT2", support::Text("T"))}).substr(0, 16) + support::Audio(40), "", ""},
      {"mutagen v2.4 UTF-8", support::Audio(40), "43", nonLatin},
      {"mutagen v2.3 UTF-16", support::Audio(40), "31", nonLatin},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = dir.file(std::string(file.name) + ".mp3");
    ASSERT_TRUE(support::WriteFileBytes(path, file.bytes));
    if (!file.mutagen.empty())
      support::RunPython(support::kTagWithMutagen, {path, file.mutagen.substr(0, 1), file.mutagen.substr(1)});
    const tagging::FileReading full = tagging::ReadFileIntoFields(path, {}, {});
    const tagging::FileReading quick = tagging::ReadFileIntoFields(path, {}, {}, {}, tagging::ReadScope::FieldsOnly);
    EXPECT_EQ(quick.fields.title, file.title);
    EXPECT_TRUE(quick.fields == full.fields);
    support::FailingFileSystem counting;  // both reads go through the given file system, one open for all readers
    EXPECT_TRUE(tagging::ReadFileIntoFields(path, {}, {}, {&counting, {}, {}}).fields == full.fields && counting.operations() == 1);
    const auto facts = [](const tagging::FileReading& r) {
      return std::tie(r.outcome.flags.TagFound, r.outcome.flags.ID3V111Found, r.outcome.flags.ID3V230Found,
                      r.outcome.commentText, r.timeLabel, r.bitrateLabel, r.modeLabel, r.version, r.readProblem);
    };
    EXPECT_EQ(facts(quick), facts(full));
    EXPECT_TRUE(quick.pictures.empty() && quick.losses.empty());
  }
}

}  // namespace
