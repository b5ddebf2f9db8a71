#include "core/Ini.h"

#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Names = std::vector<std::string>;

// A settings file as a user may have edited it: comments of both kinds, keys the program
// does not know, a section of its own, odd spacing and letter case.
const std::string HandWritten =
    "; Tonewright settings\n"
    "# edited by hand\n"
    "[settings]\n"
    "lastdir = /home/anna/Musik/ \n"
    "Height=\n"
    "Unknown=keep me\n"
    "  WIDTH  =  16845  \n"
    "\n"
    "; the view switches follow\n"
    "[View]\n"
    "Album=1\n"
    "\n"
    "[Plugins]\n"
    "visualiser=off\n";

TEST(IniTest, ReadIgnoresCaseTrimsAndTakesEmptyAsMissing) {
  support::TempDir dir;
  const std::string file = dir / "tonewright.ini";
  support::WriteFileBytes(file, "Top=5\n[Empty]\n[Other]\nLastDir=/x/\n" + HandWritten + "[settings]\nLeft=3\nLastDir=/other/\n");
  const struct { const char *section, *key, *expected; } cases[] = {
      {"Settings", "LastDir", "/home/anna/Musik/"},  // the first section of a name counts
      {"SETTINGS", "width", "16845"}, {"view", "ALBUM", "1"},
      {"Settings", "Height", "dflt"},  // present with an empty value
      {"Settings", "Top", "dflt"},     // before the first section: belongs to none
      {"Settings", "Album", "dflt"},   // in another section
      {"Empty", "LastDir", "dflt"}};  // an empty section ends at the next header
  for (const auto& c : cases) EXPECT_EQ(core::ReadIni(c.section, c.key, file, "dflt"), c.expected) << c.key;
  EXPECT_EQ(core::ReadIni("Settings", "Height", file, 1234.5), "1234.5");
  EXPECT_EQ(core::ReadIni("Settings", "Height", dir.folder(), "1"), "1");  // a folder is no settings file
  support::WriteFileBytes(file, "[Settings]\r\nLastDir=C:\\Musik\\");  // new lines follow the file's line ends
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", file, "x"), "C:\\Musik\\");
  ASSERT_TRUE(core::WriteIni("Settings", "Width", "2", file));
  EXPECT_EQ(support::ReadFileBytes(file), "[Settings]\r\nLastDir=C:\\Musik\\\r\nWidth=2\r\n");
  ASSERT_TRUE(core::WriteIni("Settings", "LastDir", std::string(3000, 'v'), file));
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", file, "x"), std::string(2047, 'v'));
  // A key read before and since removed from the last section is gone (no search past the last line).
  for (const char* ending : {"Width=3\n", ""}) {
    support::WriteFileBytes(file, std::string("[Settings]\nA=1\nB=2\n") + ending);
    EXPECT_EQ(core::ReadIni("Settings", "Width", file, "x"), *ending ? "3" : "x");
  }
}

TEST(IniTest, WriteKeepsEveryOtherLineByteForByteAndTheFilesModeAndLink) {
  support::TempDir dir;
  const std::string real = dir / "real.ini", file = dir / "tonewright.ini";
  support::WriteFileBytes(real, HandWritten);
  ASSERT_EQ(chmod(real.c_str(), 0640) + symlink(real.c_str(), file.c_str()), 0);
  ASSERT_TRUE(core::WriteIni("Settings", "LastDir", "/srv/Grüße/", file));  // changed in place
  ASSERT_TRUE(core::WriteIni("Settings", "Height", "9000", file));          // empty value filled
  ASSERT_TRUE(core::WriteIni("Settings", "Top", "120", file));              // new key, end of section
  ASSERT_TRUE(core::WriteIni("View", "Year", "0", file));
  ASSERT_TRUE(core::WriteIni("Extra", "Mode", "1", file));  // new section at the end
  struct stat info {};
  EXPECT_TRUE(lstat(file.c_str(), &info) == 0 && S_ISLNK(info.st_mode));
  EXPECT_TRUE(stat(real.c_str(), &info) == 0 && (info.st_mode & 07777) == 0640);
  ASSERT_TRUE(core::WriteIni("Settings", "Width", "2", dir / "new.ini"));  // created on the first write
  EXPECT_EQ(support::ReadFileBytes(dir / "new.ini"), "[Settings]\nWidth=2\n");
  EXPECT_EQ(support::FolderEntries(dir.folder()), (Names{"new.ini", "real.ini", "tonewright.ini"}));
  // Only the written lines differ from the hand-written file.
  std::string expected = HandWritten + "[Extra]\nMode=1\n";
  for (const auto& [from, to] : std::initializer_list<std::pair<std::string, std::string>>{
           {"lastdir = /home/anna/Musik/ \n", "LastDir=/srv/Grüße/\n"}, {"Height=\n", "Height=9000\n"},
           {"16845  \n", "16845  \nTop=120\n"}, {"Album=1\n", "Album=1\nYear=0\n"}})
    expected.replace(expected.find(from), from.size(), to);
  EXPECT_EQ(support::ReadFileBytes(real), expected);
}

// Runs a write with a file size limit: the work file fails part way, as on a full disk.
bool WriteOnAFullDisk(const std::string& file) {
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  rlimit old {};
  if (sigaction(SIGXFSZ, &ignore, &previous) != 0 || getrlimit(RLIMIT_FSIZE, &old) != 0) return true;
  rlimit tight = old;
  tight.rlim_cur = 64;
  const bool written = setrlimit(RLIMIT_FSIZE, &tight) == 0 && core::WriteIni("Settings", "Top", "1", file);
  setrlimit(RLIMIT_FSIZE, &old);
  sigaction(SIGXFSZ, &previous, nullptr);
  return written;
}

// Every failed write leaves the settings as they were, with no work file beside them.
TEST(IniTest, AFailedWriteLeavesTheOldFileAndNoWorkFile) {
  support::TempDir dir;
  const std::string file = dir / "tonewright.ini", none;
  support::WriteFileBytes(file, HandWritten);
  ASSERT_EQ(mkdir((dir / "folder.ini").c_str(), 0755), 0);  // a folder where the file belongs
  // locked: made immutable (chattr +i) for the row
  const struct { const char* what; std::string section, key, value, path, locked; } cases[] = {
      {"value with a line", "Settings", "LastDir", "/a\nLanguage=1", file, none},
      {"value with a NUL", "Settings", "LastDir", std::string("/a\0b", 4), file, none},
      {"key with '='", "Settings", "Last=Dir", "x", file, none}, {"empty key", "Settings", "", "x", file, none},
      {"comment key", "Settings", ";LastDir", "x", file, none}, {"section with ']'", "Set]tings", "LastDir", "x", file, none},
      {"blank section", " ", "LastDir", "x", file, none}, {"full disk", "", "", "", file, none},
      {"missing folder", "Settings", "Top", "1", dir / "gone/tonewright.ini", none},
      {"a folder", "Settings", "Top", "1", dir / "folder.ini", none},
      {"locked folder", "Settings", "Top", "1", file, dir.path()}, {"locked file", "Settings", "Top", "1", file, file}};
  for (const auto& c : cases) {
    const support::ImmutableGuard guard(c.locked.empty() ? dir / "none" : c.locked);
    if (!c.locked.empty() && !guard.active()) continue;  // chattr +i is not available on this file system
    EXPECT_FALSE(c.section.empty() ? WriteOnAFullDisk(file) : core::WriteIni(c.section, c.key, c.value, c.path)) << c.what;
    EXPECT_EQ(support::ReadFileBytes(file), HandWritten) << c.what;
    EXPECT_EQ(support::FolderEntries(dir.folder()), (Names{"folder.ini", "tonewright.ini"})) << c.what;
  }
  EXPECT_TRUE(support::FolderEntries(dir / "folder.ini").empty());
}

// RoundHalfEven and FormatNumber take what LeadingNumber read.
TEST(IniNumbersTest, LeadingNumberRoundHalfEvenFormatNumber) {
  const struct { const char* text; double number; long long even; const char* formatted; } cases[] = {
      {"abc", 0, 0, "0"},     {"-0", -0.0, 0, "0"},      {"+7", 7, 7, "7"},         {"\t 42 ", 42, 42, "42"},
      {"1,5", 1, 1, "1"},     {".5", 0.5, 0, "0.5"},     {"1.5", 1.5, 2, "1.5"},    {"  2.5x", 2.5, 2, "2.5"},
      {"-0.5", -0.5, 0, "-0.5"}, {"-1.5", -1.5, -2, "-1.5"}, {"0.51", 0.51, 1, "0.51"}, {"1.", 1, 1, "1"},
      {"2e", 2, 2, "2"},      {"3e-1x", 0.3, 0, "0.3"},  {"1e-999", 0, 0, "0"},   {" \r\n", 0, 0, "0"}};
  for (const auto& c : cases) {
    const double read = core::LeadingNumber(c.text);
    EXPECT_DOUBLE_EQ(read, c.number) << c.text;
    EXPECT_EQ(core::RoundHalfEven(read), c.even) << c.text;
    EXPECT_EQ(core::FormatNumber(read), c.formatted) << c.text;
  }
  EXPECT_DOUBLE_EQ(core::LeadingNumber("1e999"), 1.7976931348623157e308);
  EXPECT_EQ(core::FormatNumber(1e21), "1000000000000000000000");
  EXPECT_DOUBLE_EQ(core::LeadingNumber(core::FormatNumber(1.0 / 3)), 1.0 / 3);
  EXPECT_EQ(core::RoundHalfEven(std::nan("")), 0);
  EXPECT_TRUE(core::RoundHalfEven(1e300) > 0 && core::RoundHalfEven(-1e300) < 0);  // no overflow
}

}  // namespace
