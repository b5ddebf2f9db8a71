// The commands on generated folders: usage, output and the files they leave, refused and
// failing saves, dry runs and undo; frames read back by mutagen; Ctrl+C between two files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <functional>
#include <locale>
#include <memory>
#include <sstream>

#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "reports/TagListBuilder.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "tagging/FileReading.h"
#include "tagging/TagSaveRules.h"

namespace cli::test {
namespace {

using Words = std::vector<std::string>;
struct Outcome { int status = -1; std::string out, err; };

Outcome RunHere(const Words& arguments, formats::FileSystem* fs = nullptr) {
  std::ostringstream out, err;
  CliIo io{out, err, false, fs != nullptr ? fs : &formats::FileSystem::standard()};
  return {RunCli(arguments, io), out.str(), err.str()};  // a braced list runs from left to right
}

// The program as ctest names it, or as run by hand, beside the test in the build tree.
std::string Program() {
  const char* named = std::getenv("TONEWRIGHT_CLI");
  const auto tests = std::filesystem::canonical("/proc/self/exe").parent_path();
  return named != nullptr ? named : tests.string() + "/../cli/tonewright-cli";
}

// The same through the program, run in `folder`, each argument handed over as its bytes.
Outcome RunProgram(const Words& arguments, const std::string& folder) {
  std::string command = "cd " + support::ShellQuote(folder) + " && " + support::ShellQuote(Program());
  for (const std::string& argument : arguments) command += " " + support::ShellQuote(argument);
  support::TempDir errors;
  Outcome run;
  run.status = support::RunCommand(command + " 2>" + support::ShellQuote(errors.file("stderr")), run.out);
  run.err = support::ReadFileBytes(errors.file("stderr"));
  return run;
}

struct Tags { std::string title, artist, album, year, comment, track; };

// Silent audio with both tags written by our writers.
void MakeMp3(const std::string& path, const Tags& tags, int frames = 20) {
  ASSERT_TRUE(support::WriteFileBytes(path, formats::SilentMpegFrames(frames)));
  formats::clsID3V111Writer v1;
  formats::clsID3V230Writer v2;
  v1.setSongTitle(tags.title), v2.setSongTitle(tags.title);
  v1.setArtist(tags.artist), v2.setArtist(tags.artist);
  v1.setAlbum(tags.album), v2.setAlbum(tags.album);
  v1.setYear(tags.year), v2.setYear(tags.year);
  v1.setComment(tags.comment), v2.setComment(tags.comment);
  v2.setTrack(tags.track);
  v1.WriteID3V111Tag(path);
  ASSERT_TRUE(v2.WriteID3V230Tag(path));
}

// Every name in the folder with its bytes ("/" for a folder).
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& name : support::FolderEntries(folder))
    files.emplace_back(name, std::filesystem::is_directory(folder + "/" + name) ? "/" : support::ReadFileBytes(folder + "/" + name));
  return files;
}

// The text with each "%" replaced by the folder.
std::string In(std::string text, const std::string& folder) {
  for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + folder.size()))
    text.replace(at, 1, folder);
  return text;
}

const std::string Jpeg = support::Bytes("\xFF\xD8\xFF\xE0" "jpeg body");
const std::string Png = support::Bytes("\x89PNG\r\n\x1A\n") + std::string(5000, 'P');  // read from the file, not memory

// A line per name: an MP3 file's fields as info --fields gives them (the empty ones at the
// end left out), any other file's size or the name of the picture it holds, "/" for a folder.
std::string Listing(const std::string& folder) {
  std::string listing;
  for (const auto& [name, bytes] : Snapshot(folder)) {
    std::string line = bytes == "/" ? "\t/" : bytes == Jpeg ? "\tJpeg" : bytes == Png ? "\tPng" : "\t" + std::to_string(bytes.size());
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mp3") == 0)
      line = RunHere({"info", "--fields", folder + "/" + name}).out;
    listing += name + line.substr(line.find('\t'), line.find_last_not_of("\t\n") + 1 - line.find('\t')) + "\n";
  }
  return listing;
}

// A row of a command table: command lines divided by ";" ("%" in a word stands for the row's
// folder), the exit status of the last, a text their output and one their errors hold, the
// folder afterwards ("=": byte for byte as before, else the new lines of its Listing), and a
// `start` whose state is held until the row ends (none: the row does not apply here).
struct Row {
  Words line;
  int status;
  std::string out, err, after = "=";
  std::function<std::shared_ptr<void>(const std::string& folder)> start = nullptr;
};

// Each row on a fresh folder that `make` fills, with a journal of its own; run in this
// process (through `fs` when given), or with `program` by the program in that folder.
void RunRows(const std::vector<Row>& rows, const std::function<void(const support::TempDir&)>& make,
                    bool program = false, formats::FileSystem* fs = nullptr) {
  for (const Row& row : rows) {
    const support::ScopedDataHome home;
    const support::TempDir dir;
    make(dir);
    const std::shared_ptr<void> held = row.start ? row.start(dir.path()) : nullptr;
    if (row.start && !held) continue;
    const auto before = Snapshot(dir.path());
    const std::string listed = Listing(dir.path());
    SCOPED_TRACE(::testing::PrintToString(row.line));
    std::vector<Words> lines(1);
    for (const std::string& word : row.line) {
      if (word == ";") lines.emplace_back();
      else lines.back().push_back(In(word, dir.path()));
    }
    Outcome all;
    for (const Words& line : lines) {
      const Outcome run = program ? RunProgram(line, dir.path()) : RunHere(line, fs);
      all = {run.status, all.out + run.out, all.err + run.err};
    }
    EXPECT_EQ(all.status, row.status) << all.err;
    EXPECT_NE(all.out.find(In(row.out, dir.path())), std::string::npos) << all.out;
    EXPECT_NE(all.err.find(In(row.err, dir.path())), std::string::npos) << all.err;
    EXPECT_EQ(Snapshot(dir.path()) == before, row.after == "=");
    if (row.after == "=") continue;
    std::istringstream after(Listing(dir.path()));
    std::string added;
    for (std::string line; std::getline(after, line);)
      if (listed.find(line + "\n") != 0 && listed.find("\n" + line + "\n") == std::string::npos) added += line + "\n";
    EXPECT_EQ(added, In(row.after, dir.path()));
  }
}

using support::Frame, support::Text;

// An APIC body as other programs write it: encoding, MIME type, type, description.
std::string Apic(const std::string& mime, char type, const std::string& data, const std::string& description = "desc") {
  return std::string(1, '\0') + mime + '\0' + type + description + '\0' + data;
}

QJsonArray InfoFiles(const Words& arguments) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(RunHere(arguments).out))["files"].toArray();
}

// The text of the first frame of an ID that mutagen reads (that of a comment or lyrics), or "-".
std::string Fact(const std::map<std::string, std::string>& facts, const std::string& id) {
  const auto it = facts.lower_bound(id);
  if (it == facts.end() || it->first.compare(0, id.size(), id) != 0) return "-";
  return id == "COMM" || id == "USLT" ? it->second.substr(it->second.find('|', 4) + 1) : it->second;
}

// A frame of info's listing as MutagenFacts names it (nothing for frames without text, nor
// for the two ID3v2.3 frames that info makes of an ID3v2.4 date).
std::pair<std::string, std::string> AsMutagen(const QJsonValue& frame) {
  const auto get = [&](const char* key) { return frame[key].toString().toStdString(); };
  const std::string id = get("id"), text = get("text"), description = get("description"), lang = get("language");
  if (id == "APIC") return {id + ":" + description, get("mime") + " " + std::to_string(frame["pictureType"].toInt()) + " " + description};
  if (frame["text"].isUndefined() || id == "TYER" || id == "TDAT") return {};
  if (!lang.empty()) return {id + ":" + description + ":" + lang, lang + "|" + description + "|" + text};
  return {frame["description"].isUndefined() ? id : id + ":" + description, text};
}

// The window's save of a file, its fields changed by `edit`.
void SaveAsTheWindow(const std::string& path, const std::function<void(tagging::EditFields&)>& edit) {
  tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {});
  edit(reading.fields);
  reading.pictures.insert(reading.pictures.begin(), core::PictureRecord{});
  ASSERT_TRUE(tagging::SaveTagsToFile(path, reading.fields, reading.pictures));
}

// Two files tagged by our writers, one with two pictures only, one whose save would lose an
// encrypted frame, a picture and two texts for --lyrics.
void MakeFolder(const support::TempDir& dir) {
  MakeMp3(dir.file("01. 3_Band_Song_LP.mp3"), Tags{"Old", "Kept", "", "", "", ""}, 3);
  MakeMp3(dir.file("1 - a.mp3"), Tags{"Song", "Band", "", "", "", ""}, 3);
  const std::string pictures = support::Tag({Frame("APIC", Apic("image/", 4, Png)), Frame("APIC", Apic("image/jpeg", 3, Jpeg))});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3 - c.mp3"), pictures + formats::SilentMpegFrames(2, 192)));
  const std::string lossy = support::Tagged(Frame("TIT2", Text("Song")) +
                                                Frame("TXXX", support::Bytes("zzzz"), support::Bytes("\x00\x04")) +  // encrypted
                                                Frame("APIC", support::Bytes("\0image/\0\x03" "d\0" "png")),
                                            0, 4);
  ASSERT_TRUE(support::WriteFileBytes(dir.file("A.mp3"), lossy + support::Audio() + support::ID3v1Block("Song")));
  ASSERT_TRUE(support::WriteFileBytes(dir.file("cover.jpg"), Jpeg));
  ASSERT_TRUE(support::MakeSparseFile(dir.file("words.txt"), "Zeile eins\nZeile zwei", 1024 * 1024));
  ASSERT_TRUE(support::MakeSparseFile(dir.file("big.txt"), "", 1024 * 1024 + 1));
}

// Each command line on that folder. No question is asked: a save that would lose tag data is
// refused and named with what it would lose, unless --force is given; remove --v1 is no save.
// A save that cannot be written names its reason, in English or as the locale asks, and
// leaves the file as it was. A dry run changes no byte and no name; undo takes a run back.
TEST(Commands, OutputAndFilesOfEachCommandLine) {
  support::FailingFileSystem failing;
  const auto held = [] { return std::make_shared<bool>(); };
  const auto damage = [&](const std::string& folder) {
    return support::WriteFileBytes(folder + "/A.mp3", support::TagHeader(100000) + Frame("TIT2", Text("x")) + support::Audio()),
           held();
  };
  const auto vanish = [&](const char* step) {
    return [&, step](const std::string& folder) {
      return failing.before(step, [=] { std::remove((folder + "/A.mp3").c_str()); }), held();
    };
  };
  const Words save = {"set", "--force", "--title", "New", "%/A.mp3"};
  const std::string refused = "A.mp3: a save was refused: it would lose encrypted ID3v2.4 frame TXXX (--force saves anyway)";
  const std::string written = "%/A.mp3: cannot be written: ", unchanged = "; the file is unchanged\n";
  std::vector<Row> rows = {
      {{"--help"}, ExitDone, "  picture extract  ", ""}, {{"--version"}, ExitDone, "tonewright-cli 0.", ""},
      {{"--help"}, ExitDone, "Examples:\n  tonewright-cli set --track 3/12 ", ""},
      {{"help", "remove"}, ExitDone, "Usage: tonewright-cli remove [options] FILE...", ""},
      {{}, ExitUsage, "", "no command given"}, {{"bogus"}, ExitUsage, "", "unknown command 'bogus'"},
      {{"info"}, ExitUsage, "", "no FILE given"}, {{"info", "--bogus", "x.mp3"}, ExitUsage, "", "bogus"},
      {{"remove", "x.mp3"}, ExitUsage, "", "exactly one of"}, {{"remove", "--v1", "--both", "x.mp3"}, ExitUsage, "", "exactly one of"},
      {{"remove", "--picture", "fish", "x.mp3"}, ExitUsage, "", "unknown picture type 'fish'"},
      {{"remove", "--picture", "256", "x.mp3"}, ExitUsage, "", "unknown picture type '256'"},
      {{"picture", "extract", "--type", "255", "x.mp3"}, ExitSomeFailed, "", "x.mp3: cannot be read: the file vanished"},
      {{"set", "x.mp3"}, ExitUsage, "", "nothing to set"}, {{"set", "--track", "256", "x.mp3"}, ExitUsage, "", "0 to 255"},
      {{"set", "--track", "256/300", "x.mp3"}, ExitUsage, "", "0 to 255"},
      {{"set", "--lyrics", "@/no/such.txt", "x.mp3"}, ExitUsage, "", "'/no/such.txt' cannot be read"},
      {{"set", "--picture", "cover=a.jpg", "x.mp3"}, ExitUsage, "", "TYPE=IMAGE"},
      {{"set", "--picture", "3=/no/such.jpg", "x.mp3"}, ExitUsage, "", "cannot be read"},
      {{"picture", "x.mp3"}, ExitUsage, "", "'extract' is missing"},
      {{"picture", "extract", "a.mp3", "b.mp3"}, ExitUsage, "", "exactly one FILE"},
      {{"fill", "--pattern", "Nr - Genre", "x.mp3"}, ExitUsage, "", "'Genre' is none of"},
      {{"fill", "--pattern", "Nr - Nr - Nr - Nr - Nr", "x.mp3"}, ExitUsage, "", "one to four words"},
      {{"taglist", "--view", "album,bpm", "%"}, ExitUsage, "", "unknown --view column 'bpm'"},
      {{"taglist", "--lang", "fr", "%"}, ExitUsage, "", "--lang is de or en"},
      {{"taglist", "--output=", "%", "--lang=en"}, ExitDone, "</html>", ""},  // an empty value is a value
      {{"info", "--fields=yes", "%"}, ExitUsage, "", "info: Unexpected value after '--fields'."},
      {{"set", "%", "--title"}, ExitUsage, "", "set: Missing value after '--title'."},
      {{"info", "--fields", "-", "--", "--fields"}, ExitSomeFailed, "", "-: no such file or folder\ntonewright-cli: --fields: no such"},
      {{"fill", "--pattern", "Nr - Titel", "%/1 - a.mp3", "%/3 - c.mp3"}, ExitDone, "", "",
       "1 - a.mp3\ta\tBand\t\t\t1\n3 - c.mp3\tc\t\t\t\t3\n"},
      {{"fill", "--pattern", "track_artist_title_album", "--separator", "_", "--skip", "4", "%/01. 3_Band_Song_LP.mp3"},
       ExitDone, "", "", "01. 3_Band_Song_LP.mp3\tSong\tBand\tLP\t\t3\n"},
      {{"fill", "--pattern", "Interpret - Titel", "--untagged-only", "%/1 - a.mp3"}, ExitDone, "", ""},
      {{"remove", "--both", "%/1 - a.mp3"}, ExitDone, "", "", "1 - a.mp3\n"},
      {{"merge", "-o", "01. 3_Band_Song_LP.mp3", "%/3 - c.mp3", "%/1 - a.mp3"}, ExitSomeFailed, "%/_merged.mp3\n",
       "%/01. 3_Band_Song_LP.mp3 exists already", "_merged.mp3\tmerged\t\tmerged\t\t\t\tmerged by Quillmere Tonewright\n"},
      {{"picture", "extract", "%/3 - c.mp3"}, ExitDone, "", "", "3 - c.jpg\tJpeg\n"},
      {{"picture", "extract", "--type", "back-cover", "%/3 - c.mp3"}, ExitDone, "", "", "3 - c.png\tPng\n"},
      {{"picture", "extract", "--type", "7", "%/3 - c.mp3"}, ExitSomeFailed, "", "has no picture of type 7"},
      {{"picture", "extract", "--type", "4", "-o", "%/cover.jpg", "%/3 - c.mp3"}, ExitSomeFailed, "", "exists (--force replaces it)"},
      {{"picture", "extract", "--type", "4", "-o", "%/cover.jpg", "--force", "%/3 - c.mp3"}, ExitDone, "", "", "cover.jpg\tPng\n"},
      {{"picture", "extract", "--force", "-o", "%", "%/3 - c.mp3"}, ExitSomeFailed, "", ": cannot be written: "},
      {{"picture", "extract", "--type", "4", "-o", "-", "%/3 - c.mp3"}, ExitDone, Png, ""},
      {{"set", "--title", "New", "%/A.mp3"}, ExitSomeFailed, "", refused},
      {{"fill", "--pattern", "Titel", "%/A.mp3"}, ExitSomeFailed, "", refused},
      {{"remove", "--picture", "3", "%/A.mp3"}, ExitSomeFailed, "", refused},
      {{"remove", "--v1", "%/A.mp3"}, ExitDone, "", "", "A.mp3\tSong\n"},
      {save, ExitDone, "", "", "A.mp3\tNew\t\t\t\t1\tPop\n"},
      {{"fill", "--force", "--pattern", "Titel", "%/A.mp3"}, ExitDone, "", "", "A.mp3\tA\t\t\t\t1\tPop\n"},
      {{"remove", "--force", "--picture", "3", "%/A.mp3"}, ExitDone, "", "", ""},
      {save, ExitSomeFailed, "", written + "disk full" + unchanged, "=", [&](auto&) { return failing.diskFullAfter(0), held(); }},
      {save, ExitSomeFailed, "", written + "read-only" + unchanged, "=", [&](const std::string& folder) {
         auto guard = std::make_shared<support::ImmutableGuard>(folder + "/A.mp3");
         return guard->active() ? guard : nullptr;  // not on every file system
       }},
      {save, ExitSomeFailed, "", written + "the file vanished" + unchanged, "", vanish("createNew")},
      {save, ExitSomeFailed, "", "%/A.mp3: cannot be read: the file vanished\n", "", vanish("openRead")},
      {save, ExitSomeFailed, "", written + "the tag is damaged and would be replaced" + unchanged, "=", damage},
      {save, ExitSomeFailed, "", "%/A.mp3: kann nicht geschrieben werden: der Tag ist besch\xC3\xA4" "digt und w\xC3\xBC" "rde ersetzt; "
       "die Datei ist unver\xC3\xA4ndert\n", "=", [&](const std::string& folder) {
         static char name[] = "LC_ALL";
         return damage(folder), setenv(name, "de_DE.UTF-8", 1), std::shared_ptr<char>(name, unsetenv);
       }},
      {{"set", "-n", "--title", "New", "%"}, ExitSomeFailed, "%/1 - a.mp3\n  title: New\n", "A.mp3: a save was refused"},
      {{"set", "-n", "--lyrics", "@%/words.txt", "%/1 - a.mp3"}, ExitDone, "  lyrics: Zeile eins\\n", ""},
      {{"set", "-n", "--lyrics", "@@home", "%/1 - a.mp3"}, ExitDone, "  lyrics: @home\n", ""},
      {{"set", "-n", "--lyrics", "@%/big.txt", "%/1 - a.mp3"}, ExitUsage, "", "larger than 1 MB"},
      {{"remove", "--dry-run", "--both", "%"}, ExitDone, "%/3 - c.mp3: remove the ID3v2 tag\n", ""},
      {{"remove", "-n", "--picture", "3", "%/3 - c.mp3"}, ExitDone, "3 - c.mp3: remove its first picture of type 3\n", ""},
      {{"set", "-n", "--remove-picture", "other", "%/3 - c.mp3"}, ExitDone, "", ""},
      {{"fill", "-n", "--pattern", "Nr - Titel", "%/3 - c.mp3"}, ExitDone, "  Titel: c\n", ""},
      {{"rename", "-n", "--pattern", "Nr - Interpret", "%/1 - a.mp3"}, ExitDone, "%/1 - a.mp3 -> %/1 - Band.mp3\n", ""},
      {{"merge", "-n", "%/1 - a.mp3", "%/3 - c.mp3"}, ExitDone, "album: %/Band - merged.mp3\n", ""},
      {{"rename", "--pattern", "Titel", "%/1 - a.mp3", "%/A.mp3"}, ExitSomeFailed, "", "given to another file too; no file renamed\n"},
      // undo gives every file its bytes and name again, and moves what the run made to the trash
      {{"set", "--comment", "neu", "%/1 - a.mp3", "%/3 - c.mp3", ";", "undo", "--list", ";", "undo", "--dry-run"}, ExitDone,
       "  2 files\nwould undo: set\n  would restore: %/3 - c.mp3\n", "", "1 - a.mp3\tSong\tBand\t\t\t\t\tneu\n3 - c.mp3\t\t\t\t\t\t\tneu\n"},
      {{"set", "--comment", "neu", "--year", "2001", "%/1 - a.mp3", ";", "undo", ";", "undo"}, ExitSomeFailed, "undone: set\n",
       "undo: no run to undo"},
      {{"remove", "--both", "%/1 - a.mp3", "%/3 - c.mp3", ";", "undo"}, ExitDone,
       "undone: remove\n  restored: %/3 - c.mp3\n  restored: %/1 - a.mp3\n", ""},
      {{"fill", "--pattern", "Titel", "%/1 - a.mp3", ";", "undo"}, ExitDone, "undone: fill\n", ""},
      {{"rename", "--pattern", "Interpret - Titel", "--playlist", "%/1 - a.mp3", ";", "undo"}, ExitDone, "  moved to the trash: %/", ""},
      {{"merge", "%/1 - a.mp3", "%/3 - c.mp3", ";", "undo"}, ExitDone, "  moved to the trash: %/Band - merged.mp3", ""},
  };
  for (const CommandSpec& command : Commands()) {  // each command's help ends with an example of it
    const std::string name = command.name;
    Words help = {name.substr(0, name.find(' ')), "--help"};
    if (name.find(' ') != std::string::npos) help.insert(help.begin() + 1, name.substr(name.find(' ') + 1));
    rows.push_back({help, ExitDone, "Example:\n  tonewright-cli " + name + " ", ""});
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(name);  // English where nothing is set
  RunRows(rows, [&](const support::TempDir& dir) { failing.reset(), MakeFolder(dir); }, false, &failing);
}

// Names that start with "-", hold non-ASCII characters or bytes that are no UTF-8; a folder's
// MP3 files in the tag list's order (with -r its sub-folders' first), and a file named as it is.
TEST(Commands, ProgramStatusesAndFileNames) {
  const std::string latin = "\xE9t\xE9 latin.mp3", more(13, '\t');
  const std::vector<Row> rows = {
      {{"set", "--title", "Dash", "-lead.mp3"}, ExitUsage, "", "Unknown option 'lead.mp3'"},
      {{"set", "--title", "Dash", "--", "-lead.mp3"}, ExitDone, "", "", "-lead.mp3\tDash\tBand\n"},
      {{"set", "--title", "Καλημέρα 東京", "Grüße ünï.mp3"}, ExitDone, "", "", "Grüße ünï.mp3\tΚαλημέρα 東京\tBand\n"},
      {{"set", "--title", "é", latin, "missing.mp3"}, ExitSomeFailed, "", "tonewright-cli: missing.mp3: no such file or folder\n",
       latin + "\té\tBand\n"},
      {{"info", "--fields", "missing.mp3", "./-lead.mp3"}, ExitSomeFailed, "./-lead.mp3\tOld\tBand\t", "missing.mp3"},
      {{"info", "--fields", ".", "notes.txt"}, ExitDone, "\n./" + latin + "\tOld\tBand" + more + "\nnotes.txt\t\t" + more + "\n", ""},
      {{"info", "--fields", "-r", "."}, ExitDone, "./sub/w.mp3\t\t" + more + "\n./a/x.mp3\t\t" + more + "\n./-lead.mp3\tOld", ""},
  };
  RunRows(rows, [&](const support::TempDir& dir) {
    for (const std::string& name : {std::string("-lead.mp3"), std::string("Grüße ünï.mp3"), latin})
      MakeMp3(dir.file(name), Tags{"Old", "Band", "", "", "", ""});
    for (const char* name : {"a", "sub"}) std::filesystem::create_directory(dir.file(name));
    for (const char* name : {"a/x.mp3", "sub/w.mp3", "notes.txt"}) support::WriteFileBytes(dir.file(name), formats::SilentMpegFrames(2));
  }, true);
}

// Every frame of files mutagen tagged, the VBR facts of a file lame encoded, our own tags, the
// fields as the window shows them; a number reads the same under a German locale (a comma).
TEST(Info, FramesVbrFactsTagsAndFieldsOfEachFile) {
  std::locale::global(std::locale("de_DE.UTF-8"));  // the C locale too, as QApplication does
  support::TempDir dir;
  const char* const tracks[] = {"2.6", "2,6", "2.5/12", " 1e1 "};
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(support::WriteFileBytes(dir / ("t" + std::to_string(i) + ".mp3"),
                                        support::Tag({Frame("TRCK", Text(tracks[i]))}) + support::Audio()));
  MakeMp3(dir.file("1.mp3"), Tags{"Title One", "Band", "Album", "1981", "Note", "7"});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("2.mp3"), support::Audio()));
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3.mp3"), support::Tag({Frame("TIT2", Text("First")), Frame("TIT2", Text("Tab\there")),
                                                                        Frame("PCNT", support::Bytes("\0\0\0\x07"))}) + support::Audio()));
  for (const char* version : {"3", "4"}) {
    const std::string file = dir.file("v2" + std::string(version) + ".mp3");
    ASSERT_TRUE(support::WriteFileBytes(file, support::Audio()));
    support::RunPython(support::kTagWithMutagen, {file, version, *version == '3' ? "1" : "3"});
  }
  ASSERT_TRUE(support::CommandSucceeds("ffmpeg -v error -f lavfi -i sine=frequency=440:duration=5.04 -f wav - | lame --quiet -V 2 - " +
                                       support::ShellQuote(dir.file("vbr.mp3"))));
  const QJsonArray files = InfoFiles({"info", dir.path()});  // 1, 2, 3, t0-t3, v23, v24, vbr
  ASSERT_EQ(files.size(), 10);
  for (int i = 7; i < 9; ++i) {
    std::map<std::string, std::string> facts = support::MutagenFacts(files[i]["path"].toString().toStdString());
    EXPECT_EQ(files[i]["id3v2"]["version"].toString().toStdString(), facts["version"]);
    const QJsonArray frames = files[i]["id3v2"]["frames"].toArray();
    EXPECT_EQ(frames.size() + 3, facts.size() + (facts["version"] == "2.4")) << "besides version, bitrate, rate; TDRC is TYER+TDAT";
    for (const QJsonValue frame : frames)
      if (const auto [key, fact] = AsMutagen(frame); !key.empty()) {
        EXPECT_EQ(fact, facts[key]) << key;
      }
  }
  const QJsonObject vbr = files[9]["mpeg"].toObject();  // 5.04 s of sound
  EXPECT_EQ(vbr["vbr"]["kind"].toString() + QString::number(vbr["length"].toInt()), "Xing5");
  EXPECT_NEAR(vbr["vbr"]["frames"].toDouble() * 1152 / 44100, 5.04, 0.1);
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
  const std::string listed = "1.mp3\tTitle One\tBand\tAlbum\t1981\t7\t\tNote\n2.mp3\n3.mp3\tFirst / Tab\\there\n"
                             "t0.mp3\t\t\t\t\t3\nt1.mp3\nt2.mp3\t\t\t\t\t2\nt3.mp3\t\t\t\t\t10\n";
  EXPECT_EQ(Listing(dir.path()).substr(0, listed.size()), listed);
  std::locale::global(std::locale::classic());
}

// Every field the window edits; mutagen reads the frames back (the track with its total, the
// ID3v1.1 track byte), info lists them under its header.
TEST(Set, EveryFieldOptionWrittenAndItsEmptyValueRemovesIt) {
  support::TempDir dir;
  const std::string song = dir.file("song.mp3");
  MakeMp3(song, Tags{"Old", "Band", "Album", "1981", "Note", "7"});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("words.txt"), "Zeile eins\nZeile zwei \xC3\xA4"));
  struct Row {
    std::string option, value;
    const char* frame;
    std::string text = "", column = "";  // as mutagen reads it and in info --fields, when not the value
  };
  const std::vector<Row> rows = {
      {"title", "Neu", "TIT2"}, {"artist", "Ada", "TPE1"}, {"album", "Lichter", "TALB"}, {"year", "1999", "TYER"},
      {"track", "3/12", "TRCK", "", "3"}, {"genre", "Jazz", "TCON"}, {"comment", "Notiz", "COMM"},
      {"composer", "Ada Brandt", "TCOM"}, {"original-artist", "Orig", "TOPE"}, {"subtitle", "Teil 2", "TIT3"},
      {"copyright", "2001 Ada", "TCOP"}, {"encoded-by", "lame", "TENC"}, {"language", "deu", "TLAN"},
      // mutagen keeps one of two WXXX frames without a description: the last.
      {"url", "https://a.example/", "WXXX", "", "https://b.example/|https://a.example/"},
      {"lyrics", "@" + dir.file("words.txt"), "USLT", "Zeile eins\nZeile zwei \xC3\xA4", "Zeile eins\\nZeile zwei \xC3\xA4"},
  };
  Words set = {"set", "--url=https://b.example/"}, empty = {"set"};
  std::string line = song;
  for (const Row& row : rows) {
    set.insert(set.end(), {"--" + row.option, row.value});
    empty.push_back("--" + row.option + "=");
    line += "\t" + (row.column.empty() ? row.value : row.column);
  }
  set.push_back(song);
  empty.push_back(song);
  EXPECT_EQ(RunHere(set).status, ExitDone);
  const auto written = support::MutagenFacts(song);
  for (const Row& row : rows) EXPECT_EQ(Fact(written, row.frame), row.text.empty() ? row.value : row.text) << row.option;
  EXPECT_EQ(support::ReadFileBytes(song).end()[-2], 3) << "the ID3v1.1 track";
  EXPECT_EQ(RunHere({"info", "--fields", "--header", song}).out,
            "path\ttitle\tartist\talbum\tyear\ttrack\tgenre\tcomment\tcomposer\toriginal-artist\tsubtitle\t"
            "copyright\tencoded-by\tlanguage\turl\tlyrics\n" + line + "\n");
  EXPECT_EQ(QJsonValue(InfoFiles({"info", song})[0])["fields"]["lyrics"].toString().toStdString(), rows.back().text);
  EXPECT_EQ(RunHere(empty).status, ExitDone);
  const auto read = support::MutagenFacts(song);
  for (const Row& row : rows) EXPECT_EQ(Fact(read, row.frame), "-") << row.option;
  EXPECT_EQ(Listing(dir.path()), "song.mp3\nwords.txt\t24\n");
}

// Pictures are replaced, added and removed by type; a URL and a picture description that hold
// "|" stay whole through every save, set's and the window's alike.
TEST(Set, SameBytesAsTheWindowsSavePicturesByTypeAndBarsKept) {
  support::TempDir dir;
  ASSERT_TRUE(support::WriteFileBytes(dir.file("new.jpg"), Jpeg));
  const std::string file = support::Tag({Frame("TIT2", Text("Song")), Frame("WXXX", Text(std::string(1, '\0') + "http://x/?a=1|2")),
                                         Frame("APIC", Apic("image/", 3, Png, "front|back")),
                                         Frame("APIC", Apic("image/", 4, Png))}) + support::Audio();
  ASSERT_TRUE(support::WriteFileBytes(dir.file("window.mp3"), file));
  SaveAsTheWindow(dir.file("window.mp3"), [](tagging::EditFields& fields) { fields.album = "Lights"; });
  const std::string f = dir.file("f.mp3");
  const std::tuple<std::string, std::string, std::vector<int>> cases[] = {  // an option, its value, the picture types afterwards
      {"--album", "Lights", {3, 4}},
      {"--picture", "front-cover=" + dir.file("new.jpg"), {3, 4}},
      {"--picture", "5=" + dir.file("new.jpg"), {3, 4, 5}},
      {"-picture=other=" + dir.file("new.jpg"), "--year=", {3, 4, 0}},
      {"--remove-picture", "Back Cover", {3}},
  };
  for (const auto& [option, value, types] : cases) {
    SCOPED_TRACE(option + value);
    ASSERT_TRUE(support::WriteFileBytes(f, file));
    EXPECT_EQ(RunHere({"set", option, value, f}).status, ExitDone);
    const std::string after = support::ReadFileBytes(f);
    EXPECT_TRUE(option != "--album" || after == support::ReadFileBytes(dir.file("window.mp3")));
    EXPECT_EQ(after.find(Jpeg) != std::string::npos, option.find("-picture") <= 1);
    SaveAsTheWindow(f, [](tagging::EditFields& fields) { fields.title = "Window"; });
    EXPECT_EQ(RunHere({"set", "--title", "Song", f}).status, ExitDone);
    std::vector<int> seen;
    for (const QJsonValue frame : QJsonValue(InfoFiles({"info", f})[0])["id3v2"]["frames"].toArray())
      if (frame["id"] == "APIC") seen.push_back(frame["pictureType"].toInt());
    EXPECT_EQ(seen, types);
    const auto read = support::MutagenFacts(f);
    EXPECT_EQ(Fact(read, "WXXX"), "http://x/?a=1|2");
    EXPECT_EQ(read.count("APIC:front|back"), 1u);
  }
}

// The page is the one the window builds for the same folder and switches, written out or to -o.
TEST(TagList, SameBytesAsTheWindowsPage) {
  support::TempDir dir;
  ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0700), 0);
  MakeMp3(dir.file("1.mp3"), Tags{"Tom & <Jerry>", "Band", "Album", "1981", "", ""});
  MakeMp3(dir.file("sub/2.mp3"), Tags{"Καλημέρα", "", "", "", "", ""});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3.mp3"), support::Audio()));
  const std::tuple<Words, reports::ViewSwitches, bool, bool> cases[] = {  // options, view, recursive, English
      {{}, {true, true}, false, false},
      {{"--view", "", "--lang", "en"}, {}, false, true},
      {{"-r", "--view", "mode,kbps,time,comment"}, {false, false, true, true, true, true}, true, false},
  };
  for (const auto& [options, view, recursive, english] : cases) {
    reports::PageOptions page;
    page.view = view, page.recursive = recursive, page.english = english;
    const std::string expected = reports::BuildTagListPage(dir.folder(), page, {}).page;
    Words line = {"taglist", dir.path()};
    line.insert(line.end(), options.begin(), options.end());
    EXPECT_TRUE(RunHere(line).out == expected) << ::testing::PrintToString(options);
    line.insert(line.end(), {"--output", dir.file("index.htm")});
    EXPECT_EQ(RunHere(line).status, ExitDone);
    EXPECT_TRUE(support::ReadFileBytes(dir.file("index.htm")) == expected) << ::testing::PrintToString(options);
  }
  EXPECT_EQ(RunHere({"taglist", dir.file("1.mp3")}).status, ExitSomeFailed);
}

TEST(RunLog, ProgressOnlyOnATerminalAndOverAHundredFiles) {
  for (const auto& [files, terminal, progress] :
       {std::tuple<std::size_t, bool, bool>{101, true, true}, {100, true, false}, {101, false, false}}) {
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

TEST(Json, WritesIndentedUtf8WithEscapes) {
  Json list = Json::Array();
  list.append("a\"b\\c\n\t\x01");
  list.append(std::string("caf\xE9 \xCE\xBA"));  // a Latin-1 byte, then Greek kappa
  list.append(Json());
  Json doc = Json::Object({{"n", -3}, {"size", std::uint64_t{5000000000}}, {"ok", false}, {"list", list}});
  doc["empty"] = Json::Object();
  doc["n"] = true;  // replaces the member, keeps its place
  EXPECT_EQ(doc.text(),
            "{\n    \"n\": true,\n    \"size\": 5000000000,\n    \"ok\": false,\n    \"list\": [\n"
            "        \"a\\\"b\\\\c\\n\\t\\u0001\",\n        \"caf\xEF\xBF\xBD \xCE\xBA\",\n        null\n"
            "    ],\n    \"empty\": {}\n}\n");
}

// SIGINT stops `set` after the file it is on: the files not done listed, none half-done; undo
// from another folder takes back what was done on a relative path, as it does a rename.
TEST(Signals, SigintStopsSetBetweenTwoFiles) {
  const support::ScopedDataHome home;
  support::TempDir temp, logs;
  constexpr int Count = 400;
  for (int i = 0; i < Count; ++i) MakeMp3(temp.file(std::to_string(1000 + i) + ".mp3"), {"t", "a", "", "", "", ""}, 2);
  const auto before = Snapshot(temp.path());
  // The first file saved shows that the run has begun (and the handlers are in place).
  const std::string script = "cd " + support::ShellQuote(temp.path()) + " && " + support::ShellQuote(Program()) +
                             " set --comment 'a comment long enough to grow the tag' . 2>" + support::ShellQuote(logs.file("e")) +
                             " & while [ $(stat -c %s " + support::ShellQuote(temp.file("1000.mp3")) + ") = " +
                             std::to_string(before.front().second.size()) + " ]; do sleep 0.002; done; kill -INT $!; wait $!";
  std::string out;
  EXPECT_EQ(support::RunCommand(script, out), ExitSomeFailed) << "not ended by the signal itself, nor before it";
  const std::string err = support::ReadFileBytes(logs.file("e"));
  const auto after = Snapshot(temp.path());
  ASSERT_EQ(after.size(), before.size());
  std::size_t done = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool changed = after[i].second != before[i].second;
    done += changed ? 1 : 0;
    EXPECT_EQ(err.find("./" + after[i].first + ": not done: cancelled\n") != std::string::npos, !changed) << after[i].first;
  }
  EXPECT_TRUE(done >= 1 && done < std::size_t(Count)) << done << ": the run ended before the signal came";
  EXPECT_EQ(RunHere({"undo"}).status, ExitDone);
  EXPECT_TRUE(Snapshot(temp.path()) == before);
  EXPECT_EQ(RunProgram({"rename", "--pattern", "Titel", "1000.mp3"}, temp.path()).status, ExitDone);
  EXPECT_EQ(RunHere({"undo"}).status, ExitDone);
  EXPECT_TRUE(Snapshot(temp.path()) == before);
}

}  // namespace
}  // namespace cli::test
