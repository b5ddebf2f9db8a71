#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/Texts.h"

#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Names = std::vector<std::string>;

// ISO-8859-1 letters are single bytes: é \xE9, É \xC9, ß \xDF, ÿ \xFF.
TEST(PathsTest, PathAndTextRoutines) {
  const std::string thirtyOne = "abcdefghijklmnopqrstuvwxyz01234";
  const std::map<std::string, std::function<std::string(std::string)>> routines = {
      {"AddBackslash", [](std::string p) { return core::AddBackslash(p), p; }},  // changes its argument
      {"RemoveBackslash", core::RemoveBackslash}, {"ParentFolder", core::ParentFolder}, {"FileNameOf", core::FileNameOf},
      {"AfterLast-", [](std::string t) { return core::AfterLast(t, '-'); }}, {"StripExtension", core::StripExtension},
      {"WordCapitals", core::WordCapitals}, {"Clean", [](std::string t) { return core::CleanFileName(t), t; }},
      {"DropUnicode", core::DropUnicodeText}, {"Limit30", [](std::string t) { return core::LimitText(t, 30); }},
      {"Limit0", [](std::string t) { return core::LimitText(t, 0); }}, {"Limit-1", [](std::string t) { return core::LimitText(t, -1); }},
      {"Trim", core::TrimBlanks}, {"Proper", [](std::string t) { return core::ProperCase(t), t; }},
      {"Lower", [](std::string t) { return core::LowerLatin1(t); }},
      {"Filter", [](std::string keys) {  // the characters FilterKey lets through, in order
         std::string passed;
         for (unsigned char c : keys) {
           int key = c;
           core::FilterKey(key);
           if (key != 0) passed += static_cast<char>(key);
         }
         return passed;
       }}};
  const struct { const char* routine; std::string given, expected; } cases[] = {
      {"AddBackslash", "/A/B", "/A/B/"}, {"AddBackslash", "/A/B/", "/A/B/"}, {"AddBackslash", "", "/"},
      {"RemoveBackslash", "/A/B//", "/A/B/"}, {"RemoveBackslash", "/", "/"},  // the root keeps it
      {"ParentFolder", "/A/B/", "/A/"}, {"ParentFolder", "/A/B", "/A/"}, {"ParentFolder", "/A/B.mp3", "/A/"},
      {"ParentFolder", "/", "/"}, {"ParentFolder", "song.mp3", "song.mp3/"},  // no separator: kept, one added
      {"FileNameOf", "/A/song.mp3", "song.mp3"}, {"FileNameOf", "/A/B/", "B"}, {"FileNameOf", "/", "/"},
      {"AfterLast-", "01 - Artist - Title", " Title"}, {"AfterLast-", "no dash/", "no dash"},
      {"StripExtension", "a.b.mp3", "a.b"}, {"StripExtension", "name.", "name."}, {"StripExtension", "name", "name"},
      {"StripExtension", ".mp3", ""}, {"WordCapitals", "\xC9LAN \xE9T\xC9", "\xC9lan \xC9t\xE9"},
      {"WordCapitals", "d:\\my music/best-of (live)/a_b.MP3", "D:\\My Music/Best-Of (Live)/A_B.mp3"},
      {"Clean", "a?\"b", "ab"}, {"Clean", "  Artist: Title, Live  ", "Artist Title Live"}, {"Clean", " ? ", ""},
      {"Clean", "keep/-_()'", "keep/-_()'"}, {"Trim", "  a b  ", "a b"}, {"Trim", "   ", ""}, {"Limit0", "a", ""},
      {"DropUnicode", "plain \xE9", "plain \xE9"}, {"DropUnicode", std::string("\xFF\xFE" "a\0b\0", 6), ""},
      {"DropUnicode", "x\xFE", ""}, {"Limit30", thirtyOne, thirtyOne.substr(0, 30)}, {"Limit30", "short", "short"},
      {"Limit-1", thirtyOne, ""}, {"Proper", "the best-of (live) a_b\\c", "The Best-Of (Live) A_B\\C"},
      {"Proper", "mIXed CASE", "MIXed CASE"}, {"Proper", "\xE9t\xE9 \xE9t\xE9", "\xC9t\xE9 \xC9t\xE9"},  // none lowered
      {"Proper", "a.b/c \xDF \xFF", "A.b/c \xDF \xFF"},  // '.' and '/' start no word; ß, ÿ have no capital
      {"Filter", "1984:.,\r\b\x03\x16", "1984:.,\r\b\x03\x16"},  // Enter, Backspace, copy, paste pass
      {"Filter", "aZ -/\x7F\xE9\x1B\n", ""}, {"Lower", "SETTINGS \xC4\xD6\xDC\xD7", "settings \xE4\xF6\xFC\xD7"},  // \xD7: no letter
  };
  for (const auto& c : cases) EXPECT_EQ(routines.at(c.routine)(c.given), c.expected) << c.routine << "(" << c.given << ")";
}

// LongPath normalises existing paths only; FileExists and FolderExists tell files, folders
// and pipes apart; MakePath makes every missing folder, but none through a file.
TEST(PathsTest, LongPathExistenceAndMakePath) {
  support::TempDir dir;
  const std::string song = dir / "Album/01 Song.mp3";
  ASSERT_EQ(mkdir((dir / "Album").c_str(), 0755) + symlink((dir / "Album").c_str(), (dir / "link").c_str()) +
                mkdir((dir / "folder.mp3").c_str(), 0755) + mkfifo((dir / "pipe").c_str(), 0644), 0);
  support::WriteFileBytes(song, "x");
  const std::pair<std::string, std::string> paths[] = {  // links are kept; a missing path comes back unchanged
      {"Album/./..//Album/01 Song.mp3", "Album/01 Song.mp3"}, {"link/", "link/"}, {"missing/a_b.MP3", "missing/a_b.MP3"}};
  for (const auto& [given, expected] : paths) EXPECT_EQ(core::LongPath(dir / given), dir / expected) << given;
  EXPECT_EQ(core::LongPath(""), "");
  char previous[4096];
  ASSERT_TRUE(getcwd(previous, sizeof previous) != nullptr && chdir((dir / "Album").c_str()) == 0);
  const std::string relative = core::LongPath("./01 Song.mp3");
  ASSERT_EQ(chdir(previous), 0);
  EXPECT_EQ(relative, song);

  EXPECT_TRUE(core::FileExists(song) && core::FolderExists(core::RemoveBackslash(dir.folder())));
  for (const char* name : {"missing.mp3", "folder.mp3", "pipe"}) EXPECT_FALSE(core::FileExists(dir / name)) << name;
  EXPECT_FALSE(core::FolderExists(song) || core::FolderExists(dir / "missing"));
  std::string folder = dir / "folder.mp3/Cover Art/Grüße", blocked = song + "/inner";  // a file in the way
  core::MakePath(folder);
  core::MakePath(blocked);
  EXPECT_TRUE(folder == dir / "folder.mp3/Cover Art/Grüße/" && core::FolderExists(folder));
  EXPECT_FALSE(core::FolderExists(blocked));
  EXPECT_EQ(support::ReadFileBytes(song), "x");
}

TEST(ListingTest, ListsMp3FilesAndFoldersSortedIgnoringCaseThenByCase) {
  EXPECT_FALSE(core::NameLess("song.mp3", "song.mp3"));
  support::TempDir dir;
  for (const char* name : {"song.mp3", "SONG.MP3", "b.Mp3", "Über.mp3", "ärger.mp3", "Z.mp3", "notes.txt", "a.mp3.bak", "mp3"})
    support::WriteFileBytes(dir / name, "x");
  for (const char* name : {"x.mp3", "beta", "Alpha"}) ASSERT_EQ(mkdir((dir / name).c_str(), 0755), 0);
  ASSERT_EQ(symlink((dir / "song.mp3").c_str(), (dir / "link.mp3").c_str()), 0);
  ASSERT_EQ(symlink((dir / "gone.mp3").c_str(), (dir / "dangling.mp3").c_str()), 0);
  ASSERT_EQ(symlink(dir.folder().c_str(), (dir / "loop").c_str()), 0);  // would make a walk endless
  // Non-ASCII after ASCII letters; SONG before song.
  const Names files{"b.Mp3", "link.mp3", "SONG.MP3", "song.mp3", "Z.mp3", "Über.mp3", "ärger.mp3"};
  EXPECT_EQ(core::ListMp3Files(core::RemoveBackslash(dir.folder())), files);
  EXPECT_EQ(core::ListSubFolders(dir.folder()), (Names{"Alpha", "beta", "x.mp3"}));
  EXPECT_EQ(core::ListSubFolders(dir.folder(), true), (Names{"Alpha", "beta", "loop", "x.mp3"}));
  for (const char* name : {"missing/", "song.mp3"})
    EXPECT_TRUE(core::ListMp3Files(dir / name).empty() && core::ListSubFolders(dir / name).empty()) << name;
}

// Sets an environment variable for the time of a test.
struct ScopedEnv {
  ScopedEnv(const char* name, const std::string& value) : name(name) {
    if (const char* before = std::getenv(name)) old = before;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
  const char* name;
  std::optional<std::string> old;
};

// Paths from the settings folder (or the program's own), temporary files from a private folder. Planted
// where it belongs: a wide mode (narrowed), another user's runtime folder (the system's temporary folder
// instead), a dangling link, a file, another user's folder (the last three refused).
TEST(AppValuesTest, PreparePathsAndAPrivateTempDirThatIsOwnAnd0700AndRefusesWhatIsNotSafe) {
  for (int planted = 0; planted < 5; ++planted) {
    support::TempDir runtime, tmp, elsewhere;
    ScopedEnv xdg("XDG_RUNTIME_DIR", core::RemoveBackslash(runtime.folder())), tmpdir("TMPDIR", tmp.folder());
    const std::string name = runtime / "tonewright";
    const std::string fallback = tmp / ("tonewright-" + std::to_string(geteuid()));
    int made = 0;
    if (planted == 0) made = mkdir(name.c_str(), 0777) + chmod(name.c_str(), 0777);
    if (planted == 1) made = chown(runtime.folder().c_str(), 12345, 12345);
    if (planted == 2) made = symlink((elsewhere / "gone").c_str(), name.c_str());
    if (planted == 3) support::WriteFileBytes(name, "x");
    if (planted == 4) made = mkdir(name.c_str(), 0700) + chown(name.c_str(), 12345, 12345);
    ASSERT_EQ(made, 0);
    const std::string expected = planted == 0 ? name : planted == 1 ? fallback : "";
    EXPECT_EQ(core::PrivateTempDir(), expected.empty() ? "" : expected + "/") << planted;
    struct stat info {};
    EXPECT_EQ(lstat(expected.c_str(), &info) == 0 ? info.st_mode & 07777 : 0, expected.empty() ? 0u : 0700u) << planted;
    EXPECT_FALSE(core::FolderExists(elsewhere / "gone")) << "nothing created through the link";
    core::AppValues values;
    core::PreparePaths(values, "/usr/bin/tonewright", "/home/anna/.config/tonewright");
    EXPECT_EQ(values.AppExeName + "|" + values.AppPath + "|" + values.IniFile + "|" + values.IndexDir + "|" +
                  values.CoverDir, "tonewright|/home/anna/.config/tonewright/|/home/anna/.config/tonewright/"
                  "tonewright.ini|/home/anna/.config/tonewright/Index/|/home/anna/.config/tonewright/Cover Art/");
    EXPECT_EQ(values.TempDir + "|" + values.TempIndexFile + "|" + values.TempCoverBase,
              expected.empty() ? "||" : expected + "/|" + expected + "/index.htm|" + expected + "/cover");
    core::PreparePaths(values, "/opt/tone/Tonewright.bin", "");  // no settings folder: the program's own
    EXPECT_EQ(values.IniFile, "/opt/tone/Tonewright.ini");
  }
}

TEST(AppValuesTest, DeleteTemporaryPicturesDeletesOnlyFlaggedFilesFromOneOn) {
  support::TempDir dir;
  for (const char* name : {"zero", "cover1.jpg", "kept.jpg"}) support::WriteFileBytes(dir / name, "x");
  std::vector<core::PictureRecord> pictures{{dir / "zero", 3, "", 0, 0, true},  // element 0 holds no picture
                                            {dir / "cover1.jpg", 3, "Front", 10, 1, true},
                                            {dir / "kept.jpg", 4, "", 0, 1, false},
                                            {dir / "already gone.jpg", 0, "", 0, 1, true}};
  core::DeleteTemporaryPictures(pictures);
  EXPECT_EQ(pictures.size(), 1u);
  EXPECT_EQ(support::FolderEntries(dir.folder()), (std::vector<std::string>{"kept.jpg", "zero"}));
}

}  // namespace
