// The demo folder: real MPEG files with both tags, made once.
#include <QRegularExpression>
#include <cstdio>

#include "mainwindow/TaggerFixture.h"
#include "app/lib/DemoFolder.h"
#include "formats/MP3HeadReader.h"

namespace tagger_test {
namespace {

TEST_F(ProgramTest, DemoFolderHoldsADozenTaggedSilentSongsMadeOnce) {
  const std::string demo = appPath() + "Demo/";
  const std::string first = app::PrepareDemoFolder(demo);
  EXPECT_EQ(first, demo + "01 - Anna Berg - Morgenlicht.mp3");
  const Names names = support::FolderEntries(demo);
  ASSERT_EQ(names.size(), 12u);
  const QRegularExpression pattern(QStringLiteral("^\\d\\d - ((?! - ).)+ - ((?! - ).)+\\.mp3$"));
  int untagged = 0;
  int nonAscii = 0;
  for (const std::string& name : names) {
    EXPECT_TRUE(pattern.match(QString::fromStdString(name)).hasMatch()) << name;
    nonAscii += QString::fromStdString(name).toLatin1().toStdString() != name ? 1 : 0;
    const std::string bytes = support::ReadFileBytes(demo + name);
    const bool v2 = bytes.compare(0, 3, "ID3") == 0;
    EXPECT_EQ(bytes.size() > 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0, v2) << name;
    untagged += v2 ? 0 : 1;
    formats::clsMP3HeadReader header;
    header.ReadMP3Header(demo + name);
    EXPECT_EQ(header.Layer(), 3) << name;
    EXPECT_GE(header.Length(), 2) << name;
  }
  EXPECT_EQ(untagged, 1);
  EXPECT_GE(nonAscii, 3);
  EXPECT_NE(support::ReadFileBytes(first).find("APIC"), std::string::npos);
  EXPECT_EQ(support::FolderEntries(appPath()), Names{"Demo"});  // no work folder left

  // A second call keeps the folder as the user left it.
  const std::string mine = mp3(demo, "my own.mp3");
  std::remove((demo + "03 - Jonas Falk - Nordwind.mp3").c_str());
  EXPECT_EQ(app::PrepareDemoFolder(demo), first);
  EXPECT_TRUE(support::FileExists(mine));
  EXPECT_FALSE(support::FileExists(demo + "03 - Jonas Falk - Nordwind.mp3"));
}

}  // namespace
}  // namespace tagger_test
