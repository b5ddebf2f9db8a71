// The commands on generated folders: their output, and the files they leave; the refused
// lossy saves, and --dry-run of every changing command.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <unistd.h>

#include <locale>
#include <stdexcept>

#include "cli/CliFixture.h"
#include "cli/FileArgs.h"
#include "reports/TagListBuilder.h"
#include "support/FailingFileSystem.h"
#include "support/ID3V230Bytes.h"
#include "tagging/FileReading.h"
#include "tagging/TagSaveRules.h"

namespace cli::test {
namespace {

const std::string Jpeg = support::Bytes("\xFF\xD8\xFF\xE0" "jpeg body");
const std::string Png = support::Bytes("\x89PNG\r\n\x1A\n") + std::string(5000, 'P');  // read from the file, not memory

// An APIC body as other programs write it: encoding, MIME type, type, description.
std::string Apic(const std::string& mime, char type, const std::string& data) {
  return std::string(1, '\0') + mime + '\0' + type + "desc" + '\0' + data;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

QJsonArray InfoFiles(const std::vector<std::string>& arguments) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(RunHere(arguments).out))["files"].toArray();
}

// mutagen tags two files (ID3v2.3 in UTF-16, ID3v2.4 in UTF-8), lame makes a VBR file, and
// mutagen prints what it reads from them in the shape info gives.
const char* const kPeerFiles = R"PY(
import sys, json, math, struct, subprocess
from mutagen.id3 import ID3, TIT2, TPE1, TXXX, COMM, WXXX, PRIV, APIC
from mutagen.mp3 import MP3
folder, seen = sys.argv[1], {}
for version, enc in ((3, 1), (4, 3)):
    path = "%s/v2%d.mp3" % (folder, version)
    open(path, "wb").write((b"\xff\xfb\x90\x44" + bytes(413)) * 20)  # silent MPEG-1 layer III frames
    t = ID3()
    for f in [TIT2(encoding=enc, text="Καλημέρα 東京"), TPE1(encoding=enc, text=["One", "Two"] if version == 4 else "One / Two"),
              TXXX(encoding=enc, desc="gain", text="-6.5 dB"), COMM(encoding=enc, lang="deu", desc="note", text="Zweite"),
              WXXX(encoding=enc, desc="home", url="http://home.invalid/"), PRIV(owner="priv.invalid", data=b"\0\1"),
              APIC(encoding=enc, mime="image/png", type=4, desc="back", data=b"\x89PNG\r\n\x1a\n" + b"P" * 5000)]:
        t.add(f)
    t.save(path, v2_version=version)
    frames = []
    for f in ID3(path).values():
        d = {"id": f.FrameID}
        if f.FrameID == "APIC": d.update(pictureType=int(f.type), mime=f.mime, description=f.desc, pictureSize=len(f.data))
        elif f.FrameID == "PRIV": d["description"] = f.owner
        elif f.FrameID == "WXXX": d.update(description=f.desc, text=f.url)
        else: d["text"] = " / ".join(str(x) for x in f.text)
        if f.FrameID in ("TXXX", "COMM"): d["description"] = f.desc
        if f.FrameID == "COMM": d["language"] = f.lang
        frames.append(d)
    seen[path] = frames
pcm = b"".join(struct.pack("<h", int(9000 * math.sin(i * 0.0627 * (1 + i / 90000)))) for i in range(232000))
open(folder + "/tone.raw", "wb").write(pcm)
subprocess.run(["lame", "--quiet", "-r", "-s", "44.1", "-m", "m", "-V", "2", folder + "/tone.raw", folder + "/vbr.mp3"],
               check=True, stderr=subprocess.DEVNULL)
seen["length"] = MP3(folder + "/vbr.mp3").info.length
print(json.dumps(seen))
)PY";

// Every frame as mutagen reads it, the VBR facts of a lame file, the tags of our own files,
// and the fields as the window shows them.
TEST(Info, FramesVbrFactsTagsAndFieldsOfEachFile) {
  support::TempDir dir;
  std::string printed;
  const std::string python = support::SystemPython() + " -c " + support::ShellQuote(kPeerFiles);
  ASSERT_EQ(support::RunCommand(python + " " + support::ShellQuote(dir.path()), printed), 0);
  const QJsonObject peer = QJsonDocument::fromJson(QByteArray::fromStdString(printed)).object();
  MakeMp3(dir.file("1.mp3"), Tags{"Title One", "Band", "Album", "1981", "Note", "7"});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("2.mp3"), support::Audio()));
  ASSERT_TRUE(support::WriteFileBytes(
      dir.file("3.mp3"), support::Tag({support::Frame("TIT2", support::Text("First")),
                                       support::Frame("TIT2", support::Text("Tab\there")),
                                       support::Frame("PCNT", support::Bytes("\0\0\0\x07"))}) + support::Audio()));
  const QJsonArray files = InfoFiles({"info", dir.path()});  // 1, 2, 3, v23, v24, vbr
  ASSERT_EQ(files.size(), 6);
  for (int i = 3; i < 5; ++i) {
    const QJsonObject tag = files[i]["id3v2"].toObject();
    EXPECT_EQ(tag["version"].toString(), i == 3 ? "2.3" : "2.4");
    const QJsonArray ours = tag["frames"].toArray();
    const QJsonArray expected = peer[files[i]["path"].toString()].toArray();
    ASSERT_EQ(ours.size(), expected.size()) << i;
    for (const QJsonValue frame : expected) {
      QJsonObject match;
      for (const QJsonValue candidate : ours)
        if (candidate["id"] == frame["id"]) match = candidate.toObject();
      for (const QString& key : frame.toObject().keys())
        EXPECT_EQ(match[key], frame[key]) << i << " " << key.toStdString() << " of " << frame["id"].toString().toStdString();
    }
  }
  const QJsonObject vbr = files[5]["mpeg"].toObject();
  EXPECT_EQ(vbr["vbr"]["kind"].toString(), "Xing");
  EXPECT_EQ(vbr["length"].toInt(), std::lround(peer["length"].toDouble()));
  EXPECT_NEAR(vbr["vbr"]["frames"].toDouble() * 1152 / 44100, peer["length"].toDouble(), 0.1);

  const QJsonObject one = files[0].toObject();
  EXPECT_TRUE(one["mpeg"]["vbr"].isUndefined());
  EXPECT_EQ(one["mpeg"]["bitrate"].toInt() * 100000 + one["mpeg"]["frequency"].toInt(), 12844100);
  EXPECT_EQ(one["id3v1"]["title"].toString() + one["fields"]["track"].toString() + one["fields"]["comment"].toString(),
            "Title One7Note");
  EXPECT_TRUE(files[1]["id3v1"].isNull() && files[1]["id3v2"].isNull());
  QStringList roles;
  for (const QJsonValue frame : files[2]["id3v2"]["frames"].toArray()) roles << frame["role"].toString();
  EXPECT_EQ(roles, QStringList({"field", "field", "carried"}));  // two titles are one field
  EXPECT_TRUE(files[2]["id3v2"]["losses"].toArray().isEmpty());

  const Outcome lines = RunHere({"info", "--fields", dir.file("1.mp3"), dir.file("2.mp3"), dir.file("3.mp3")});
  const std::string more(8, '\t');  // the fields no file here has
  EXPECT_EQ(lines.out, dir.file("1.mp3") + "\tTitle One\tBand\tAlbum\t1981\t7\t\tNote" + more + "\n" + dir.file("2.mp3") +
                           "\t\t\t\t\t\t\t" + more + "\n" + dir.file("3.mp3") + "\tFirst / Tab\\there\t\t\t\t\t\t" + more + "\n");
}

TEST(FileArgs, FoldersInTheListingOrder) {
  support::TempDir dir;
  for (const char* folder : {"/a", "/B", "/B/deep"}) ASSERT_EQ(::mkdir((dir.path() + folder).c_str(), 0700), 0);
  for (const char* file : {"/z.mp3", "/Y.MP3", "/notes.txt", "/a/x.mp3", "/B/w.mp3", "/B/deep/v.mp3"})
    ASSERT_TRUE(support::WriteFileBytes(dir.path() + file, "x"));
  const std::string d = dir.path();
  EXPECT_EQ(ExpandFileArgs({d}, false).files, (std::vector<std::string>{d + "/Y.MP3", d + "/z.mp3"}));
  EXPECT_EQ(ExpandFileArgs({d + "/", d + "/notes.txt"}, true).files,
            (std::vector<std::string>{d + "/B/deep/v.mp3", d + "/B/w.mp3", d + "/a/x.mp3", d + "/Y.MP3",
                                      d + "/z.mp3", d + "/notes.txt"}));
  EXPECT_EQ(ExpandFileArgs({d + "/gone"}, false).missing.size(), 1u);
}

// set gives a file exactly the bytes the window's reading and save give it for the same
// fields; pictures are replaced, added and removed by type.
TEST(Set, SameBytesAsTheWindowsSaveAndPicturesByType) {
  support::TempDir dir;
  ASSERT_TRUE(support::WriteFileBytes(dir.file("new.jpg"), Jpeg));
  const std::string file = support::Tag({support::Frame("TIT2", support::Text("Song")),
                                         support::Frame("APIC", Apic("image/", 3, Png)),
                                         support::Frame("APIC", Apic("image/", 4, Png))}) + support::Audio();
  ASSERT_TRUE(support::WriteFileBytes(dir.file("window.mp3"), file));
  tagging::FileReading reading = tagging::ReadFileIntoFields(dir.file("window.mp3"), {}, {});
  reading.fields.album = "Lights";
  reading.pictures.insert(reading.pictures.begin(), core::PictureRecord{});
  ASSERT_TRUE(tagging::SaveTagsToFile(dir.file("window.mp3"), reading.fields, reading.pictures));
  struct Case {
    std::vector<std::string> options;
    std::vector<int> types;  // picture types afterwards
    bool newPicture;         // the new picture is in the file
  };
  const std::vector<Case> cases = {
      {{"--album", "Lights"}, {3, 4}, false},
      {{"--picture", "front-cover=" + dir.file("new.jpg")}, {3, 4}, true},
      {{"--picture", "5=" + dir.file("new.jpg")}, {3, 4, 5}, true},
      {{"--remove-picture", "Back Cover"}, {3}, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(support::WriteFileBytes(dir.file("f.mp3"), file));
    RunRow({"set"}, c.options, dir.file("f.mp3"), ExitDone);
    const std::string line = ::testing::PrintToString(c.options);
    const std::string after = support::ReadFileBytes(dir.file("f.mp3"));
    EXPECT_TRUE(c.options[0] != "--album" || after == support::ReadFileBytes(dir.file("window.mp3")));
    std::vector<int> types;
    const QJsonValue info = InfoFiles({"info", dir.file("f.mp3")})[0];
    for (const QJsonValue frame : info["id3v2"]["frames"].toArray())
      if (frame["id"] == "APIC") types.push_back(frame["pictureType"].toInt());
    EXPECT_EQ(types, c.types) << line;
    EXPECT_EQ(after.find(Jpeg) != std::string::npos, c.newPicture) << line;
  }
}

// Every field the window edits, given once each; mutagen reads the frames back (the track
// with its total, the ID3v1.1 track byte), info lists them under its header; then the empty
// value of each option removes its field.
const char* const kFramesOfFile = R"PY(
import sys, json
from mutagen.id3 import ID3
path = sys.argv[1]
tag, frames = ID3(path, translate=False), {}
for f in tag.values():
    frames.setdefault(f.FrameID, []).append(f.url if f.FrameID == "WXXX" else f.desc if f.FrameID == "APIC" else
                                            f.text if f.FrameID == "USLT" else " / ".join(str(x) for x in f.text))
frames["v1track"] = [str(open(path, "rb").read()[-2])]
print(json.dumps(frames))
)PY";

TEST(Set, EveryFieldOptionWrittenAndItsEmptyValueRemovesIt) {
  support::TempDir dir;
  const std::string song = dir.file("song.mp3");
  MakeMp3(song, Tags{"Old", "Band", "Album", "1981", "Note", "7"});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("words.txt"), "Zeile eins\nZeile zwei \xC3\xA4"));
  struct Row {
    std::string option, value;
    std::string frame, text;  // as mutagen reads it
    std::string column;       // in info --fields
  };
  const std::vector<Row> rows = {
      {"title", "Neu", "TIT2", "Neu", "Neu"},
      {"artist", "Ada", "TPE1", "Ada", "Ada"},
      {"album", "Lichter", "TALB", "Lichter", "Lichter"},
      {"year", "1999", "TYER", "1999", "1999"},
      {"track", "3/12", "TRCK", "3/12", "3"},
      {"genre", "Jazz", "TCON", "Jazz", "Jazz"},
      {"comment", "Notiz", "COMM", "Notiz", "Notiz"},
      {"composer", "Ada Brandt", "TCOM", "Ada Brandt", "Ada Brandt"},
      {"original-artist", "Orig", "TOPE", "Orig", "Orig"},
      {"subtitle", "Teil 2", "TIT3", "Teil 2", "Teil 2"},
      {"copyright", "2001 Ada", "TCOP", "2001 Ada", "2001 Ada"},
      {"encoded-by", "lame", "TENC", "lame", "lame"},
      {"language", "deu", "TLAN", "deu", "deu"},
      // mutagen keeps one of two WXXX frames without a description: the last.
      {"url", "https://a.example/", "WXXX", "https://a.example/", "https://b.example/|https://a.example/"},
      {"lyrics", "@" + dir.file("words.txt"), "USLT", "Zeile eins\nZeile zwei \xC3\xA4",
       "Zeile eins\\nZeile zwei \xC3\xA4"},
  };
  Words set = {"set", "--url=https://b.example/"};
  Words empty = {"set"};
  std::string line = song;
  for (const Row& row : rows) {
    set.insert(set.end(), {"--" + row.option, row.value});
    empty.push_back("--" + row.option + "=");
    line += "\t" + row.column;
  }
  RunRow(set, {}, song, ExitDone);
  QJsonObject frames = QJsonDocument::fromJson(QByteArray::fromStdString(support::RunPython(kFramesOfFile, {song}))).object();
  for (const Row& row : rows) EXPECT_EQ(frames[Q(row.frame)].toArray().first().toString(), Q(row.text)) << row.option;
  EXPECT_EQ(frames["v1track"].toArray().first().toString(), "3");
  const Outcome info = RunRow({"info", "--fields", "--header"}, {}, song, ExitDone);
  EXPECT_EQ(info.out, "path\ttitle\tartist\talbum\tyear\ttrack\tgenre\tcomment\tcomposer\toriginal-artist\tsubtitle\t"
                      "copyright\tencoded-by\tlanguage\turl\tlyrics\n" + line + "\n");
  const QJsonValue json = InfoFiles({"info", song})[0];
  EXPECT_EQ(json["fields"]["lyrics"].toString(), Q(rows.back().text));

  // "@@" stands for a text that starts with "@"; a lyrics file over 1 MB is refused.
  ASSERT_EQ(::truncate(dir.file("words.txt").c_str(), 1024 * 1024), 0);
  EXPECT_NE(RunRow({"set", "-n", "--lyrics", "@" + dir.file("words.txt")}, {}, song, ExitDone).out.find("  lyrics: Zeile eins\\n"),
            std::string::npos);
  ASSERT_EQ(::truncate(dir.file("words.txt").c_str(), 1024 * 1024 + 1), 0);
  EXPECT_NE(RunRow({"set", "--lyrics", "@" + dir.file("words.txt")}, {}, song, ExitUsage).err.find("larger than 1 MB"),
            std::string::npos);
  EXPECT_NE(RunRow({"set", "-n", "--lyrics", "@@home"}, {}, song, ExitDone).out.find("  lyrics: @home\n"),
            std::string::npos);

  RunRow(empty, {}, song, ExitDone);
  frames = QJsonDocument::fromJson(QByteArray::fromStdString(support::RunPython(kFramesOfFile, {song}))).object();
  for (const Row& row : rows) EXPECT_FALSE(frames.contains(Q(row.frame))) << row.option;
  EXPECT_EQ(RunHere({"info", "--fields", song}).out, song + std::string(15, '\t') + "\n");
}

// A URL and a picture description that hold "|" stay whole through every save, set's and
// the window's alike; mutagen reads the URL back as it was.
TEST(Set, AUrlAndADescriptionWithABarSurviveEverySave) {
  support::TempDir dir;
  const std::string song = dir.file("bar.mp3"), url = "http://x/?a=1|2";
  ASSERT_TRUE(support::WriteFileBytes(
      song, support::Tag({support::Frame("TIT2", support::Text("Song")),
                          support::Frame("WXXX", support::Text(std::string(1, '\0') + url)),
                          support::Frame("APIC", std::string(1, '\0') + "image/" + '\0' + '\x03' + "front|back" + '\0' + Png)}) +
                support::Audio()));
  RunRow({"set", "--title", "Set"}, {}, song, ExitDone);
  tagging::FileReading reading = tagging::ReadFileIntoFields(song, {}, {});
  reading.fields.title = "Window";
  reading.pictures.insert(reading.pictures.begin(), core::PictureRecord{});
  ASSERT_TRUE(tagging::SaveTagsToFile(song, reading.fields, reading.pictures));
  RunRow({"set", "--url", url}, {}, song, ExitDone);
  const QJsonObject frames =
      QJsonDocument::fromJson(QByteArray::fromStdString(support::RunPython(kFramesOfFile, {song}))).object();
  EXPECT_EQ(frames["WXXX"].toArray(), QJsonArray({Q(url)}));
  EXPECT_EQ(frames["APIC"].toArray(), QJsonArray({"front|back"}));
  EXPECT_EQ(frames["TIT2"].toArray(), QJsonArray({"Window"}));
}

// A number in a tag reads the same under every locale: a German one, whose decimal point is
// a comma, changes neither the window's reading nor the command line's.
TEST(Info, ATrackNumberReadsTheSameUnderAGermanLocale) {
  struct German {
    bool ok = true;
    German() {
      try {
        std::locale::global(std::locale("de_DE.UTF-8"));  // the C locale too, as QApplication does
      } catch (const std::runtime_error&) {
        ok = false;
      }
    }
    ~German() { std::locale::global(std::locale::classic()); }
  } german;
  if (!german.ok) GTEST_SKIP() << "no de_DE.UTF-8 locale here (scripts/setup.sh makes one)";
  support::TempDir dir;
  const std::pair<std::string, std::string> rows[] = {{"2.6", "3"}, {"2,6", ""}, {"2.5/12", "2"}, {" 1e1 ", "10"}};
  for (const auto& [text, track] : rows) {
    const std::string song = dir.file("track.mp3");
    ASSERT_TRUE(support::WriteFileBytes(song, support::Tag({support::Frame("TRCK", support::Text(text))}) + support::Audio()));
    EXPECT_EQ(tagging::ReadFileIntoFields(song, {}, {}).fields.track, track) << text;
    EXPECT_EQ(RunHere({"info", "--fields", song}).out, song + std::string(5, '\t') + track + std::string(10, '\t') + "\n")
        << text;
  }
}

TEST(PictureExtract, WritesThePictureAndNeverReplacesUnasked) {
  support::TempDir dir;
  ASSERT_TRUE(support::WriteFileBytes(
      dir.file("s.mp3"), support::Tag({support::Frame("APIC", Apic("image/", 4, Png)),
                                       support::Frame("APIC", Apic("image/jpeg", 3, Jpeg))}) + support::Audio()));
  struct Case {
    std::vector<std::string> options;
    int status;
    std::string file, bytes;  // the file then holding bytes
  };
  const std::vector<Case> cases = {
      {{}, ExitDone, "s.jpg", Jpeg},
      {{"--type", "back-cover"}, ExitDone, "s.png", Png},
      {{"--type", "4"}, ExitSomeFailed, "s.png", Png},
      {{"--type", "4", "-o", dir.file("s.jpg")}, ExitSomeFailed, "s.jpg", Jpeg},
      {{"--type", "4", "-o", dir.file("s.jpg"), "--force"}, ExitDone, "s.jpg", Png},
      {{"--type", "7"}, ExitSomeFailed, "s.jpg", Png},
  };
  for (const Case& c : cases) {
    RunRow({"picture", "extract"}, c.options, dir.file("s.mp3"), c.status);
    EXPECT_TRUE(support::ReadFileBytes(dir.file(c.file)) == c.bytes) << ::testing::PrintToString(c.options);
  }
  EXPECT_TRUE(RunHere({"picture", "extract", "--type", "4", "-o", "-", dir.file("s.mp3")}).out == Png);
  EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"s.jpg", "s.mp3", "s.png"}));
}

TEST(RunLog, ProgressOnlyOnATerminalAndOverAHundredFiles) {
  for (const auto& [files, terminal, progress] : std::vector<std::tuple<std::size_t, bool, bool>>{
           {101, true, true}, {100, true, false}, {101, false, false}}) {
    std::ostringstream out, err;
    CliIo io{out, err, terminal};
    {
      RunLog log(io, files);
      for (std::size_t i = 0; i < files; ++i) log.step("f\n.mp3");
      log.fail("bad\n.mp3", "reason");
    }
    EXPECT_EQ(err.str().find("[101/101] f\\n.mp3") != std::string::npos, progress) << files;
    EXPECT_NE(err.str().find("tonewright-cli: bad\\n.mp3: reason\n"), std::string::npos);
  }
}

// The page is the one the window builds for the same folder and switches.
TEST(TagList, SameBytesAsTheWindowsPage) {
  support::TempDir dir;
  ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0700), 0);
  MakeMp3(dir.file("1.mp3"), Tags{"Tom & <Jerry>", "Band", "Album", "1981", "", ""});
  MakeMp3(dir.file("sub/2.mp3"), Tags{"Καλημέρα", "", "", "", "", ""});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3.mp3"), support::Audio()));
  struct Case {
    std::vector<std::string> options;
    reports::ViewSwitches view;
    bool recursive, english;
  };
  const std::vector<Case> cases = {
      {{}, {true, true}, false, false},
      {{"--view", "", "--lang", "en"}, {}, false, true},
      {{"-r", "--view", "mode,kbps,time,comment"}, {false, false, true, true, true, true}, true, false},
  };
  for (const Case& c : cases) {
    reports::PageOptions options;
    options.view = c.view;
    options.recursive = c.recursive;
    options.english = c.english;
    const std::string page = reports::BuildTagListPage(dir.path() + "/", options, {}).page;
    EXPECT_TRUE(RunRow({"taglist"}, c.options, dir.path(), ExitDone).out == page) << ::testing::PrintToString(c.options);
    RunRow({"taglist", "--output", dir.file("index.htm")}, c.options, dir.path(), ExitDone);
    EXPECT_TRUE(support::ReadFileBytes(dir.file("index.htm")) == page) << ::testing::PrintToString(c.options);
  }
  EXPECT_EQ(RunHere({"taglist", dir.path(), "--view", "album,bpm"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"taglist", dir.path(), "--lang", "fr"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"taglist", dir.file("1.mp3")}).status, ExitSomeFailed);
}

TEST(Fill, TagsFromTheNames) {
  struct Case {
    std::vector<std::string> options;
    std::string name;
    std::string fields;  // its info --fields line afterwards, after the name
  };
  const std::vector<Case> cases = {
      {{"--pattern", "track_artist_title_album", "--separator", "_", "--skip", "4"}, "01. 3_Band_Song_LP.mp3",
       "Song\tBand\tLP\t\t3\t\t"},
      {{"--pattern", "Interpret - Titel", "--untagged-only"}, "A - B.mp3", "Old\tKept\t\t\t\t\t"},
  };
  for (const Case& c : cases) {
    support::TempDir dir;
    MakeMp3(dir.file(c.name), Tags{"Old", "Kept", "", "", "", ""});
    RunRow({"fill"}, c.options, dir.path(), ExitDone);
    EXPECT_EQ(RunHere({"info", "--fields", dir.path()}).out, dir.file(c.name) + "\t" + c.fields + std::string(8, '\t') + "\n")
        << c.name;
  }
  EXPECT_EQ(RunHere({"fill", "--pattern", "Nr - Genre", "x.mp3"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"fill", "--pattern", "Nr - Nr - Nr - Nr - Nr", "x.mp3"}).status, ExitUsage);
}

// The album of the files in the order given (the merge itself is tested with the batch
// jobs); its name taken, the album keeps the intermediate name and the run says so.
TEST(Merge, AlbumInTheOrderGivenAndATakenNameReported) {
  support::TempDir dir;
  MakeMp3(dir.file("1.mp3"), Tags{"", "Night Ferry", "Harbour Lights", "1981", "", ""}, 3);
  ASSERT_TRUE(support::WriteFileBytes(dir.file("2.mp3"), formats::SilentMpegFrames(2, 192)));
  ASSERT_TRUE(support::WriteFileBytes(dir.file("taken.mp3"), "taken"));
  const Outcome run = RunHere({"merge", "-o", "taken.mp3", dir.file("2.mp3"), dir.file("1.mp3")});
  EXPECT_EQ(run.status, ExitSomeFailed);
  EXPECT_NE(run.err.find("exists already"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, dir.file("_merged.mp3\n"));
  EXPECT_NE(support::ReadFileBytes(dir.file("_merged.mp3")).find(formats::SilentMpegFrames(2, 192) +
                                                                  formats::SilentMpegFrames(3)), std::string::npos);
}

// No question is asked: a save that would lose tag data is refused and named with what it
// would lose, unless --force is given; remove --v1 is no save.
TEST(Force, LossySavesRefusedAndListedUnlessForced) {
  support::TempDir dir;
  const std::string lossy =
      support::Tagged(support::Frame("TIT2", support::Text("Song")) +
                          support::Frame("TXXX", support::Bytes("zzzz"), support::Bytes("\x00\x04")) +  // encrypted
                          support::Frame("APIC", support::Bytes("\0image/\0\x03" "d\0" "png")),
                      0, 4) + support::Audio() + support::ID3v1Block("Song");
  const std::vector<std::vector<std::string>> commands = {
      {"set", "--title", "New"}, {"fill", "--pattern", "Titel"}, {"remove", "--picture", "3"}, {"remove", "--v1"}};
  for (const bool force : {false, true}) {
    for (const std::vector<std::string>& command : commands) {
      ASSERT_TRUE(support::WriteFileBytes(dir.file("A.mp3"), lossy));
      const bool refused = !force && command[1] != "--v1";
      const Outcome run = RunRow(command, force ? Words{"--force"} : Words{}, dir.file("A.mp3"), refused ? ExitSomeFailed : ExitDone);
      EXPECT_EQ(run.err.find(": a save was refused: it would lose encrypted ID3v2.4 frame TXXX (--force saves anyway)") !=
                    std::string::npos, refused) << command[0] << run.err;
      EXPECT_EQ(support::ReadFileBytes(dir.file("A.mp3")) == lossy, refused) << command[0];
    }
  }
}

// A save that cannot or must not write its file names the reason on its error line, in
// English, or in German where the locale asks for it; the file stays as it was.
TEST(Set, EachFailureNamesItsReason) {
  support::TempDir dir;
  const std::string song = dir.file("A.mp3");
  support::FailingFileSystem failing;
  const std::string damaged = support::TagHeader(100000) + support::Frame("TIT2", support::Text("x")) + support::Audio();
  const struct {
    const char* name;
    std::function<bool()> prepare;  // false: the row cannot run here
    const char* german;             // the locale's language, or null
    const char* reason;
  } rows[] = {
      {"a full disk", [&] { return failing.diskFullAfter(0), true; }, nullptr, "cannot be written: disk full; the file is unchanged"},
      {"chattr +i", [] { return true; }, nullptr, "cannot be written: read-only; the file is unchanged"},
      {"a file that vanished", [&] { return failing.before("createNew", [&] { std::remove(song.c_str()); }), true; }, nullptr,
       "cannot be written: the file vanished; the file is unchanged"},
      {"a file gone before it was read", [&] { return failing.before("openRead", [&] { std::remove(song.c_str()); }), true; },
       nullptr, "cannot be read: the file vanished"},
      {"a damaged tag", [&] { return support::WriteFileBytes(song, damaged); }, nullptr,
       "cannot be written: the tag is damaged and would be replaced; the file is unchanged"},
      {"a damaged tag, German", [&] { return support::WriteFileBytes(song, damaged); }, "de_DE.UTF-8",
       "kann nicht geschrieben werden: der Tag ist besch\xC3\xA4" "digt und w\xC3\xBC" "rde ersetzt; die Datei ist unver\xC3\xA4ndert"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MakeMp3(song, Tags{"Song", "Band", "", "", "", ""});
    failing.reset();
    ASSERT_TRUE(row.prepare());
    const std::string before = support::ReadFileBytes(song);
    const support::ImmutableGuard immutable(std::string(row.name) == "chattr +i" ? song : dir.file("none"));
    if (std::string(row.name) == "chattr +i" && !immutable.active()) {
      std::fprintf(stderr, "row skipped: chattr +i is not available on %s\n", dir.path().c_str());
      continue;
    }
    if (row.german != nullptr) setenv("LC_ALL", row.german, 1);
    std::ostringstream out, err;
    CliIo io{out, err, false, &failing};
    const int status = RunCli({"set", "--force", "--title", "New", song}, io);
    if (row.german != nullptr) unsetenv("LC_ALL");
    EXPECT_EQ(status, ExitSomeFailed);
    EXPECT_EQ(err.str(), "tonewright-cli: " + song + ": " + row.reason + "\n");
    EXPECT_EQ(support::FileExists(song) ? support::ReadFileBytes(song) : before, before);
    EXPECT_EQ(support::FolderEntries(dir.path()).size(), support::FileExists(song) ? 1u : 0u) << "no work file is left";
  }
}

// A dry run, and a rename run of which two files would get one name, change nothing.
TEST(DryRun, ChangesNoByteAndNoName) {
  support::TempDir dir;
  for (const char* name : {"1 - a.mp3", "2 - b.mp3"}) MakeMp3(dir.file(name), Tags{"Song", "Band", "", "", "", ""});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3 - c.mp3"), support::Tag({support::Frame(
                                          "APIC", support::Bytes("\0image/\0\x03" "d\0" "png"))}) + support::Audio()));
  const auto before = Snapshot(dir.path());
  struct Case {
    std::vector<std::string> command;
    std::string printed;  // a line the plan shows, or the error
    int status = ExitDone;
  };
  const std::vector<Case> cases = {
      {{"set", "-n", "--title", "New"}, "  title: New\n"},
      {{"remove", "--dry-run", "--both"}, "3 - c.mp3: remove the ID3v2 tag\n"},
      {{"remove", "-n", "--picture", "3"}, "3 - c.mp3: remove its first picture of type 3\n"},
      {{"fill", "-n", "--pattern", "Nr - Titel"}, "  Titel: c\n"},
      {{"rename", "-n", "--pattern", "Nr - Interpret"}, "/2 - b.mp3 -> " + dir.file("2 - Band.mp3") + "\n"},
      {{"merge", "-n"}, "album: " + dir.file("Band - merged.mp3") + "\n"},
      {{"rename", "--pattern", "Interpret"}, "given to another file too; no file renamed\n", ExitSomeFailed},
  };
  for (const Case& c : cases) {
    const Outcome run = RunRow(c.command, {}, dir.path(), c.status);
    EXPECT_NE((run.out + run.err).find(c.printed), std::string::npos) << run.out;
    EXPECT_EQ(Snapshot(dir.path()), before) << c.command[0];
  }
}

}  // namespace
}  // namespace cli::test
