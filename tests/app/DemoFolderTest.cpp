// The demo folder: real MPEG files with both tags, made once.
#include <QImage>
#include <QPixmap>
#include <cctype>
#include <cstdlib>

#include "ProgramFixture.h"
#include "app/lib/DemoFolder.h"
#include "formats/MP3HeadReader.h"

namespace program_test {
namespace {

// "Nr - Interpret - Titel.mp3": two digits, then two more parts joined by " - ".
bool FollowsTheDemoPattern(const std::string& name) {
  const std::string extension = ".mp3";
  if (name.size() < 2 + 3 + 1 + 3 + 1 + extension.size()) return false;
  if (!std::isdigit(static_cast<unsigned char>(name[0])) || !std::isdigit(static_cast<unsigned char>(name[1]))) return false;
  if (name.compare(2, 3, " - ") != 0 || name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
    return false;
  }
  const auto second = name.find(" - ", 5);
  return second != std::string::npos && second > 5 && second + 3 < name.size() - extension.size() &&
         name.find(" - ", second + 3) == std::string::npos;
}

bool HasNonAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

TEST_F(ProgramTest, DemoFolderHoldsADozenTaggedSilentSongs) {
  const std::string demo = appPath() + "Demo/";
  const std::string first = app::PrepareDemoFolder(demo);
  EXPECT_EQ(first, demo + "01 - Anna Berg - Morgenlicht.mp3");

  const std::vector<std::string> names = support::FolderEntries(demo);
  ASSERT_EQ(names.size(), 12u);
  int untagged = 0;
  int nonAscii = 0;
  for (const std::string& name : names) {
    EXPECT_TRUE(FollowsTheDemoPattern(name)) << name;
    nonAscii += HasNonAscii(name) ? 1 : 0;
    const std::string bytes = support::ReadFileBytes(demo + name);
    const bool v2 = bytes.compare(0, 3, "ID3") == 0;
    const bool v1 = bytes.size() > 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0;
    EXPECT_EQ(v1, v2) << name;
    untagged += v2 ? 0 : 1;
    formats::clsMP3HeadReader header;
    header.ReadMP3Header(demo + name);
    EXPECT_EQ(header.Layer(), 3) << name;
    EXPECT_GE(header.Length(), 2) << name;
    EXPECT_LE(header.Length(), 4) << name;
  }
  EXPECT_EQ(untagged, 1);
  EXPECT_GE(nonAscii, 3);
  EXPECT_NE(support::ReadFileBytes(first).find("APIC"), std::string::npos);
  EXPECT_EQ(support::FolderEntries(appPath()), std::vector<std::string>{"Demo"});  // no work folder left
}

TEST_F(ProgramTest, DemoFolderIsMadeOnlyOnce) {
  const std::string demo = appPath() + "Demo/";
  app::PrepareDemoFolder(demo);
  const std::string mine = mp3(demo, "my own.mp3");
  std::remove((demo + "03 - Jonas Falk - Nordwind.mp3").c_str());

  EXPECT_EQ(app::PrepareDemoFolder(demo), demo + "01 - Anna Berg - Morgenlicht.mp3");
  EXPECT_TRUE(support::FileExists(mine));
  EXPECT_FALSE(support::FileExists(demo + "03 - Jonas Falk - Nordwind.mp3"));
}

TEST_F(ProgramTest, DemoStartOpensTheDemoFolder) {
  const std::string first = app::PrepareDemoFolder(appPath() + "Demo/");
  auto program = start(first);
  EXPECT_EQ(program->values().CurrentDir, appPath() + "Demo/");
  EXPECT_EQ(files(*program)->count(), 12);
}

// Run by hand to renew docs/screenshot.png (one command line):
//   TONEWRIGHT_SCREENSHOT=docs/screenshot.png test_app --gtest_also_run_disabled_tests
//   --gtest_filter='*SaveScreenshot*'
TEST_F(ProgramTest, DISABLED_SaveScreenshotOfTheDemoFolder) {
  const char* target = std::getenv("TONEWRIGHT_SCREENSHOT");
  ASSERT_NE(target, nullptr) << "TONEWRIGHT_SCREENSHOT names the picture to write";
  auto program = start(app::PrepareDemoFolder(appPath() + "Demo/"));
  files(*program)->setCurrentRow(3);
  program->tagger()->lstFiles_Click();
  ASSERT_TRUE(program->tagger()->grab().save(QString::fromLocal8Bit(target), "PNG"));
}

}  // namespace
}  // namespace program_test
