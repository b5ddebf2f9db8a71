// The commands on generated folders: their output, and the files they leave.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliFixture.h"
#include "cli/FileArgs.h"
#include "formats/ID3V230Reader.h"
#include "reports/TagListBuilder.h"
#include "support/ID3V230Bytes.h"
#include "mainwindow/tagging/TagSaveRules.h"

namespace cli::test {
namespace {

const std::string Jpeg = support::Bytes("\xFF\xD8\xFF\xE0" "jpeg body");
const std::string Png = support::Bytes("\x89PNG\r\n\x1A\n" "png body");

// An APIC body as other programs write it: encoding, MIME type, type, description.
std::string Apic(const std::string& mime, char type, const std::string& data) {
  return std::string(1, '\0') + mime + '\0' + type + "desc" + '\0' + data;
}

TEST(Info, JsonAndFieldLinesOfAFolder) {
  support::TempDir dir;
  MakeMp3(dir.file("1.mp3"), Tags{"Title One", "Band", "Album", "1981", "Note", "7"});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("2.mp3"), support::Audio()));
  ASSERT_TRUE(support::WriteFileBytes(
      dir.file("3.mp3"), support::Tag({support::Frame("TIT2", support::Text("Tab\there")),
                                       support::Frame("APIC", Apic("image/", 3, Png))}) + support::Audio()));
  const Outcome json = RunHere({"info", dir.path()});
  ASSERT_EQ(json.status, ExitDone) << json.err;
  const QJsonArray files = QJsonDocument::fromJson(QByteArray::fromStdString(json.out))["files"].toArray();
  ASSERT_EQ(files.size(), 3);
  const QJsonObject one = files[0].toObject();
  EXPECT_EQ(one["path"].toString().toStdString(), dir.file("1.mp3"));
  EXPECT_EQ(one["mpeg"]["bitrate"].toInt(), 128);
  EXPECT_EQ(one["mpeg"]["frequency"].toInt(), 44100);
  EXPECT_EQ(one["id3v1"]["title"].toString(), "Title One");
  EXPECT_EQ(one["id3v2"]["version"].toString(), "2.3.0");
  EXPECT_EQ(one["fields"]["track"].toString(), "7");
  EXPECT_EQ(one["fields"]["comment"].toString(), "Note");
  EXPECT_TRUE(files[1]["id3v1"].isNull() && files[1]["id3v2"].isNull());
  const QJsonObject picture = files[2]["id3v2"]["pictures"][0].toObject();
  EXPECT_EQ(picture["type"].toInt(), 3);
  EXPECT_EQ(picture["mime"].toString(), "image/");
  EXPECT_EQ(picture["description"].toString(), "desc");
  EXPECT_EQ(picture["size"].toInt(), int(Png.size()));

  const Outcome lines = RunHere({"info", "--fields", dir.path()});
  EXPECT_EQ(lines.out, dir.file("1.mp3") + "\tTitle One\tBand\tAlbum\t1981\t7\t\tNote\n" + dir.file("2.mp3") +
                           "\t\t\t\t\t\t\t\n" + dir.file("3.mp3") + "\tTab\\there\t\t\t\t\t\t\n");
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

// set gives a file exactly the bytes the window's save gives it for the same fields.
TEST(Set, SameBytesAsTheWindowsSave) {
  support::TempDir dir;
  const std::string tag = support::Tag({support::Frame("TIT2", support::Text("Song")),
                                        support::Frame("TPE1", support::Text("Band")),
                                        support::Frame("APIC", Apic("image/jpeg", 3, Jpeg))});
  for (const char* name : {"window.mp3", "cli.mp3"})
    ASSERT_TRUE(support::WriteFileBytes(dir.file(name), tag + support::Audio() + support::ID3v1Block("Song")));

  // What the window does: read the file into the fields, change one, save with the
  // file's own pictures.
  formats::clsID3V111Reader v1;
  v1.ReadID3V111Tag(dir.file("window.mp3"));
  formats::clsID3V230Reader reader({}, dir.file("cover"));
  reader.ReadID3V230Tag(dir.file("window.mp3"));
  tagging::EditFields fields;
  tagging::FillFromTags(fields, {}, tagging::ValuesOf(v1), tagging::ValuesOf(reader));
  fields.album = "Lights";
  std::vector<core::PictureRecord> pictures = {{}};
  for (core::PictureRecord picture : tagging::SplitPictures(tagging::ValuesOf(reader))) {
    std::string description, subtype;
    picture.FileName = reader.ExtractGraphic(dir.file("window.mp3"), picture.StartPos, picture.Size, description, subtype);
    pictures.push_back(picture);
  }
  ASSERT_TRUE(tagging::SaveTagsToFile(dir.file("window.mp3"), fields, pictures));

  const Outcome run = RunHere({"set", "--album", "Lights", dir.file("cli.mp3")});
  EXPECT_EQ(run.status, ExitDone) << run.err;
  EXPECT_EQ(support::ReadFileBytes(dir.file("cli.mp3")), support::ReadFileBytes(dir.file("window.mp3")));
}

TEST(Set, PicturesAndTheRefusedSave) {
  support::TempDir dir;
  ASSERT_TRUE(support::WriteFileBytes(dir.file("new.jpg"), Jpeg));
  const std::string audio = support::Audio();
  const std::string lossy = support::Tag({support::Frame("TIT2", support::Text("Song")),
                                          support::Frame("TXXX", support::Bytes("\0gain\0-3 dB"))}) + audio;
  struct Case {
    std::vector<std::string> options;
    std::string start;  // the file before
    int status;
    std::vector<int> types;  // picture types afterwards; empty: not checked
    bool newPicture;         // the new picture is in the file
  };
  const std::string twoPictures = support::Tag({support::Frame("APIC", Apic("image/", 3, Png)),
                                                support::Frame("APIC", Apic("image/", 4, Png))}) + audio;
  const std::vector<Case> cases = {
      {{"--picture", "front-cover=" + dir.file("new.jpg")}, twoPictures, ExitDone, {3, 4}, true},
      {{"--picture", "5=" + dir.file("new.jpg")}, twoPictures, ExitDone, {3, 4, 5}, true},
      {{"--remove-picture", "Back Cover"}, twoPictures, ExitDone, {3}, false},
      {{"--title", "New"}, lossy, ExitSomeFailed, {}, false},
      {{"--title", "New", "--force"}, lossy, ExitDone, {}, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(support::WriteFileBytes(dir.file("f.mp3"), c.start));
    std::vector<std::string> arguments = {"set"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(dir.file("f.mp3"));
    const Outcome run = RunHere(arguments);
    const std::string line = ::testing::PrintToString(c.options);
    EXPECT_EQ(run.status, c.status) << line << run.err;
    const std::string after = support::ReadFileBytes(dir.file("f.mp3"));
    EXPECT_EQ(after == c.start, c.status != ExitDone) << line;
    const QJsonObject tag = QJsonDocument::fromJson(QByteArray::fromStdString(
        RunHere({"info", dir.file("f.mp3")}).out))["files"][0]["id3v2"].toObject();
    if (c.types.empty()) continue;
    std::vector<int> types;
    for (const QJsonValue& picture : tag["pictures"].toArray()) types.push_back(picture["type"].toInt());
    EXPECT_EQ(types, c.types) << line;
    EXPECT_EQ(after.find(Jpeg) != std::string::npos, c.newPicture) << line;
  }
}

TEST(Remove, EachChoiceOnEachKindOfFile) {
  support::TempDir dir;
  const std::string v2 = support::Tag({support::Frame("TIT2", support::Text("Song"))});
  const std::string audio = support::Audio();
  const std::string v1 = support::ID3v1Block("Song");
  struct Case {
    const char* option;
    std::string before, after;
  };
  const std::vector<Case> cases = {
      {"--v1", v2 + audio + v1, v2 + audio}, {"--v1", audio, audio},
      {"--v2", v2 + audio + v1, audio + v1}, {"--both", v2 + audio + v1, audio},
      {"--both", audio + v1, audio},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(support::WriteFileBytes(dir.file("f.mp3"), c.before));
    const Outcome run = RunHere({"remove", c.option, dir.file("f.mp3")});
    EXPECT_EQ(run.status, ExitDone) << c.option << run.err;
    EXPECT_TRUE(support::ReadFileBytes(dir.file("f.mp3")) == c.after) << c.option;
  }
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"f.mp3"});
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
    std::vector<std::string> arguments = {"picture", "extract", dir.file("s.mp3")};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const Outcome run = RunHere(arguments);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.options) << run.err;
    EXPECT_TRUE(support::ReadFileBytes(dir.file(c.file)) == c.bytes) << ::testing::PrintToString(c.options);
  }
  EXPECT_TRUE(RunHere({"picture", "extract", "-o", "-", dir.file("s.mp3")}).out == Jpeg);
  EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"s.jpg", "s.mp3", "s.png"}));
}

TEST(RunLog, ProgressOnlyOnATerminalAndOverAHundredFiles) {
  struct Case {
    std::size_t files;
    bool terminal;
    bool progress;
  };
  for (const Case& c : std::vector<Case>{{101, true, true}, {100, true, false}, {101, false, false}}) {
    std::ostringstream out, err;
    CliIo io{out, err, c.terminal};
    {
      RunLog log(io, c.files);
      for (std::size_t i = 0; i < c.files; ++i) log.step("f\n.mp3");
      log.fail("bad\n.mp3", "reason");
    }
    EXPECT_EQ(err.str().find("[101/101] f\\n.mp3") != std::string::npos, c.progress) << c.files;
    EXPECT_NE(err.str().find("tonewright-cli: bad\\n.mp3: reason\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace cli::test

namespace cli::test {
namespace {

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
    std::vector<std::string> arguments = {"taglist", dir.path()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const Outcome run = RunHere(arguments);
    EXPECT_EQ(run.status, ExitDone) << run.err;
    EXPECT_TRUE(run.out == page) << ::testing::PrintToString(c.options) << run.out;
    arguments.insert(arguments.end(), {"--output", dir.file("index.htm")});
    EXPECT_EQ(RunHere(arguments).status, ExitDone);
    EXPECT_TRUE(support::ReadFileBytes(dir.file("index.htm")) == page);
  }
  EXPECT_EQ(RunHere({"taglist", dir.path(), "--view", "album,bpm"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"taglist", dir.path(), "--lang", "fr"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"taglist", dir.file("1.mp3")}).status, ExitSomeFailed);
}

}  // namespace
}  // namespace cli::test
