#include "core/Ini.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using coretest::FolderEntries;
using coretest::ReadFile;
using coretest::TempFolder;
using coretest::WriteFile;
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

TEST(IniTest, ReadFindsNamesRegardlessOfCaseAndTrimsValues) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file, HandWritten);
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", file, "x"), "/home/anna/Musik/");
  EXPECT_EQ(core::ReadIni("SETTINGS", "width", file, "x"), "16845");
  EXPECT_EQ(core::ReadIni("view", "ALBUM", file, "x"), "1");
  EXPECT_EQ(core::ReadIni("Plugins", "visualiser", file, "x"), "off");
}

TEST(IniTest, MissingOrEmptyGivesTheDefault) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file,
            "Top=5\n"  // before any section: belongs to none
            "[Settings]\n"
            "Height=\n"
            "Blank=   \n"
            "; Top=7\n"
            "[View]\n"
            "Left=3\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Settings", "Height", "8970"},  // present with an empty value
      {"Settings", "Blank", "8970"},   // only blanks
      {"Settings", "Missing", "8970"},
      {"Settings", "Top", "8970"},     // only in a comment and before the first section
      {"Settings", "Left", "8970"},    // in another section
      {"Nowhere", "Height", "8970"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ReadIni(c.section, c.key, file, "8970"), c.expected) << c.key;
  EXPECT_EQ(core::ReadIni("Settings", "Height", file, 8970.0), "8970");
  EXPECT_EQ(core::ReadIni("Settings", "Height", file, 1234.5), "1234.5");
  EXPECT_EQ(core::ReadIni("Settings", "Height", dir / "missing.ini", "1"), "1");
  EXPECT_EQ(core::ReadIni("Settings", "Height", dir.path(), "1"), "1");  // a folder is no settings file
}

TEST(IniTest, TheFirstSectionAndKeyOfANameCount) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file,
            "[Settings]\n"
            "Top=1\n"
            "top=2\n"
            "[Settings]\n"
            "Left=3\n");
  EXPECT_EQ(core::ReadIni("Settings", "Top", file, "x"), "1");
  EXPECT_EQ(core::ReadIni("Settings", "Left", file, "x"), "x");
  ASSERT_TRUE(core::WriteIni("Settings", "TOP", "9", file));
  EXPECT_EQ(ReadFile(file),
            "[Settings]\n"
            "TOP=9\n"
            "top=2\n"
            "[Settings]\n"
            "Left=3\n");
}

TEST(IniTest, ValuesAreCutAt2047Characters) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  const std::string longValue(3000, 'v');
  ASSERT_TRUE(core::WriteIni("Settings", "LastDir", longValue, file));
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", file, "x"), std::string(2047, 'v'));
}

TEST(IniTest, ReadsCrLfFiles) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file,
            "[Settings]\r\n"
            "LastDir=C:\\Musik\\\r\n"
            "Height=8970\r\n");
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", file, "x"), "C:\\Musik\\");
  EXPECT_EQ(core::ReadIni("Settings", "Height", file, "x"), "8970");
}

TEST(IniTest, WriteKeepsEveryOtherLineByteForByte) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file, HandWritten);
  ASSERT_TRUE(core::WriteIni("Settings", "LastDir", "/srv/Grüße/", file));  // changed in place
  ASSERT_TRUE(core::WriteIni("Settings", "Height", "9000", file));          // empty value filled
  ASSERT_TRUE(core::WriteIni("Settings", "Top", "120", file));              // new key, end of section
  ASSERT_TRUE(core::WriteIni("View", "Year", "0", file));                   // new key, end of section
  ASSERT_TRUE(core::WriteIni("Extra", "Mode", "1", file));                  // new section at the end
  EXPECT_EQ(ReadFile(file),
            "; Tonewright settings\n"
            "# edited by hand\n"
            "[settings]\n"
            "LastDir=/srv/Grüße/\n"
            "Height=9000\n"
            "Unknown=keep me\n"
            "  WIDTH  =  16845  \n"
            "Top=120\n"
            "\n"
            "; the view switches follow\n"
            "[View]\n"
            "Album=1\n"
            "Year=0\n"
            "\n"
            "[Plugins]\n"
            "visualiser=off\n"
            "[Extra]\n"
            "Mode=1\n");
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", file, "x"), "/srv/Grüße/");
}

TEST(IniTest, NewLinesFollowTheFilesLineEnds) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file,
            "[Settings]\r\n"
            "Height=1\r\n"
            "[View]\r\n"
            "Album=1");  // no line end after the last line
  ASSERT_TRUE(core::WriteIni("Settings", "Width", "2", file));
  ASSERT_TRUE(core::WriteIni("View", "Album", "0", file));
  ASSERT_TRUE(core::WriteIni("View", "Year", "1", file));
  ASSERT_TRUE(core::WriteIni("More", "Key", "v", file));
  EXPECT_EQ(ReadFile(file),
            "[Settings]\r\n"
            "Height=1\r\n"
            "Width=2\r\n"
            "[View]\r\n"
            "Album=0\r\n"
            "Year=1\r\n"
            "[More]\r\n"
            "Key=v\r\n");
}

TEST(IniTest, TheFirstWriteCreatesTheFile) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  ASSERT_TRUE(core::WriteIni("Settings", "LastDir", "/home/anna/", file));
  ASSERT_TRUE(core::WriteIni("Settings", "Top", "0", file));
  ASSERT_TRUE(core::WriteIni("View", "Album", "1", file));
  EXPECT_EQ(ReadFile(file),
            "[Settings]\n"
            "LastDir=/home/anna/\n"
            "Top=0\n"
            "[View]\n"
            "Album=1\n");
  EXPECT_EQ(FolderEntries(dir.path()), Names{"tonewright.ini"});
}

TEST(IniTest, WriteKeepsPermissionsAndWritesThroughALink) {
  TempFolder dir;
  const std::string real = dir / "real.ini";
  const std::string link = dir / "tonewright.ini";
  WriteFile(real, "[Settings]\nTop=1\n");
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(core::WriteIni("Settings", "Top", "2", link));
  struct stat info {};
  ASSERT_EQ(lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(real), "[Settings]\nTop=2\n");
  EXPECT_EQ(FolderEntries(dir.path()), (Names{"real.ini", "tonewright.ini"}));
}

TEST(IniTest, TextsThatWouldBreakTheFileAreRefused) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  WriteFile(file, HandWritten);
  struct Case {
    std::string section, key, value;
  };
  const Case cases[] = {
      {"Settings", "LastDir", "/a\nLanguage=1"},
      {"Settings", "LastDir", "/a\r/"},
      {"Settings", "LastDir", std::string("/a\0b", 4)},
      {"Settings", "Last=Dir", "x"},
      {"Settings", "", "x"},
      {"Settings", ";LastDir", "x"},
      {"Set]tings", "LastDir", "x"},
      {"Settings\n[View", "LastDir", "x"},
      {" ", "LastDir", "x"},
  };
  for (const auto& c : cases) EXPECT_FALSE(core::WriteIni(c.section, c.key, c.value, file)) << c.key;
  EXPECT_EQ(ReadFile(file), HandWritten);
}

// Every failure of a write leaves the settings as they were, with no work file beside them.
class IniFailureTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(file, HandWritten); }
  void ExpectUntouched() {
    EXPECT_EQ(ReadFile(file), HandWritten);
    EXPECT_EQ(FolderEntries(dir.path()), Names{"tonewright.ini"});
  }
  TempFolder dir;
  std::string file = dir / "tonewright.ini";
};

TEST_F(IniFailureTest, FolderCannotTakeAWorkFile) {
  if (!dir.Lock(dir.path())) GTEST_SKIP() << "chattr +i not available here";
  EXPECT_FALSE(core::WriteIni("Settings", "Top", "1", file));
  TempFolder::Unlock(dir.path());
  ExpectUntouched();
}

TEST_F(IniFailureTest, FileCannotBeReplaced) {
  // The work file is written, but the rename over the immutable file fails.
  if (!dir.Lock(file)) GTEST_SKIP() << "chattr +i not available here";
  EXPECT_FALSE(core::WriteIni("Settings", "Top", "1", file));
  TempFolder::Unlock(file);
  ExpectUntouched();
}

TEST_F(IniFailureTest, DiskFullWhileWriting) {
  // A file size limit makes the write of the work file fail part way, as a full disk would.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
  rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight = old;
  tight.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  const bool written = core::WriteIni("Settings", "Top", "1", file);
  setrlimit(RLIMIT_FSIZE, &old);
  sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_FALSE(written);
  ExpectUntouched();
}

TEST(IniTest, AFolderWhereTheFileShouldBe) {
  TempFolder dir;
  const std::string file = dir / "tonewright.ini";
  ASSERT_EQ(mkdir(file.c_str(), 0755), 0);
  WriteFile(file + "/inside", "x");
  EXPECT_FALSE(core::WriteIni("Settings", "Top", "1", file));
  EXPECT_EQ(FolderEntries(dir.path()), Names{"tonewright.ini"});
  EXPECT_EQ(FolderEntries(file), Names{"inside"});
}

TEST(IniTest, AMissingFolderIsAFailedWrite) {
  TempFolder dir;
  EXPECT_FALSE(core::WriteIni("Settings", "Top", "1", dir / "gone/tonewright.ini"));
  EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(IniNumbersTest, LeadingNumber) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"12abc", 12},   {"  3.5x", 3.5}, {"abc", 0},     {"-2", -2},   {"", 0},
      {"8970", 8970},  {"+7", 7},       {".5", 0.5},    {"1.", 1},    {"-", 0},
      {"1e3", 1000},   {"2e", 2},       {"3e-1x", 0.3}, {"1,5", 1},   {"\t 42 ", 42},
      {"1e999", 1.7976931348623157e308}, {"1e-999", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(core::LeadingNumber(c.text), c.expected) << c.text;
}

TEST(IniNumbersTest, RoundHalfEven) {
  struct Case {
    double value;
    long long expected;
  };
  const Case cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {0.49, 0}, {0.51, 1}, {1, 1}, {-2.6, -3},
  };
  for (const auto& c : cases) EXPECT_EQ(core::RoundHalfEven(c.value), c.expected) << c.value;
  EXPECT_EQ(core::RoundHalfEven(std::nan("")), 0);
  EXPECT_GT(core::RoundHalfEven(1e300), 0);  // no overflow into a negative number
  EXPECT_LT(core::RoundHalfEven(-1e300), 0);
}

TEST(IniNumbersTest, FormatNumberGivesTheShortestDecimal) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {8970, "8970"}, {1234.5, "1234.5"}, {0, "0"}, {-0.0, "0"}, {-15, "-15"},
      {100000, "100000"}, {0.1, "0.1"}, {1e21, "1000000000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::FormatNumber(c.value), c.expected) << c.value;
  EXPECT_DOUBLE_EQ(core::LeadingNumber(core::FormatNumber(1.0 / 3)), 1.0 / 3);
}

}  // namespace
