// Start-up and shutdown: defaults, the settings round trip, the command line and
// folders that are gone.
#include "core/Ini.h"
#include "core/toolkit/Window.h"
#include "mainwindow/TaggerFixture.h"

namespace tagger_test {
namespace {

TEST_F(ProgramTest, FirstStartGivesEveryDefaultAndShutdownWritesSeventeenKeys) {
  start();
  mainwindow::Tagger* window = program->tagger();
  EXPECT_EQ(program->values().CurrentDir, appPath());
  EXPECT_TRUE(item("mnuLanguage(0)")->isChecked());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(box(QStringLiteral("chkView(%1)").arg(i))->isChecked(), i < 2) << i;
  EXPECT_TRUE(box("chkAuto")->isChecked());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(core::OuterBoundsTwips(window).width, 16845);
  EXPECT_EQ(core::OuterBoundsTwips(window).height, 8970);
  EXPECT_NEAR(window->frameGeometry().center().x(), core::ScreenSize().width() / 2, 1);
  ASSERT_NE(program->cover(), nullptr);
  EXPECT_FALSE(program->cover()->isVisible());
  EXPECT_EQ(core::OuterBoundsTwips(program->cover()).height, 5250);

  // Shutdown deletes the temporary pictures, and only those.
  const std::string picture = appPath() + "cover1.jpg";
  const std::string kept = appPath() + "mine.jpg";
  support::WriteFileBytes(picture, "x");
  support::WriteFileBytes(kept, "y");
  program->values().PictureList.push_back({picture, 3, "", 0, 1, true});
  program->values().PictureList.push_back({kept, 3, "", 0, 1, false});
  window->close();
  EXPECT_FALSE(support::FileExists(picture));
  EXPECT_TRUE(support::FileExists(kept));

  // Each key goes to the end of its section, so the sections come in the order first written.
  QStringList lines;
  for (const QString& line : QString::fromStdString(support::ReadFileBytes(ini())).remove('\r').split('\n', Qt::SkipEmptyParts)) {
    const QString key = line.section('=', 0, 0);
    bool whole = false;  // positions depend on the screen: whole twips
    lines << (QStringList{"Top", "Left", "CoverTop", "CoverLeft"}.contains(key) && (line.section('=', 1).toInt(&whole), whole) ? key : line);
  }
  EXPECT_EQ(lines.join(' '), QString::fromStdString("[Settings] LastDir=" + appPath() +
                                                    " Top Left Height=8970 Width=16845 CoverTop CoverLeft CoverHeight=5250 CoverWidth=4620 "
                                                    "Automatic=1 Language=0 [View] Album=1 Year=1 Comment=0 Time=0 Bitrate=0 Mode=0"));
}

TEST_F(ProgramTest, SecondStartRestoresWhatTheFirstLeftByteForByte) {
  const std::string album = folder("M\xC3\xBCsik \xE2\x80\x93 \xC3\x89t\xC3\xA9");
  mp3(album, "a.mp3");
  start();
  mainwindow::Tagger* window = program->tagger();
  window->SetFolder(album, true);
  window->mnuLanguage_Click(1);
  act({"chkView(0)", "chkView(5)", "chkAuto"});
  core::SetOuterHeight(window, 6000);
  core::SetOuterWidth(window, 12000);
  window->move(30, 45);
  core::SetOuterHeight(program->cover(), 3000);
  program->cover()->move(60, 75);
  window->close();
  start();
  EXPECT_EQ(program->values().CurrentDir, album);
  EXPECT_EQ(files()->count(), 1);
  EXPECT_TRUE(item("mnuLanguage(1)")->isChecked());
  const bool views[] = {false, true, false, false, false, true};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(box(QStringLiteral("chkView(%1)").arg(i))->isChecked(), views[i]) << i;
  EXPECT_FALSE(box("chkAuto")->isChecked());
  EXPECT_EQ(program->tagger()->frameGeometry(), QRect(30, 45, 800, 400));
  EXPECT_EQ(program->cover()->frameGeometry().topLeft(), QPoint(60, 75));
  EXPECT_EQ(core::OuterBoundsTwips(program->cover()).height, 3000);
}

TEST_F(ProgramTest, HandWrittenSettingsAreReadAsNumbersAndEmptyAsMissing) {
  const std::string album = folder("Album");
  support::WriteFileBytes(ini(), "[settings]\nlastdir=" + album + "\nHeight=\nLanguage=1abc\n"
                                 "[VIEW]\nAlbum=0.5\nYear=7\nComment=0.6\n");
  start();
  EXPECT_EQ(program->values().CurrentDir, album);
  EXPECT_EQ(core::OuterBoundsTwips(program->tagger()).height, 8970);  // empty counts as missing
  EXPECT_EQ(program->values().LanguageIndex, 1);
  EXPECT_FALSE(box("chkView(0)")->isChecked());  // 0.5 rounds to 0
  EXPECT_TRUE(box("chkView(1)")->isChecked());   // 7 is no value: design kept
  EXPECT_TRUE(box("chkView(2)")->isChecked());   // 0.6 rounds to 1
  program->tagger()->close();
  EXPECT_EQ(core::ReadIni("Settings", "Height", ini(), ""), "8970");
}

TEST_F(ProgramTest, CommandLineOverridesTheLastFolderAndAGoneFolderFallsBack) {
  folder("Music");
  const std::string inner = folder("Music/Album");
  mp3(inner, "01 Song.mp3");
  core::WriteIni("Settings", "LastDir", folder("Elsewhere"), ini());
  const std::string commandLine = "\"" + inner + "01 Song.mp3\"";  // the folder rules are checked below the window
  start(commandLine);
  EXPECT_EQ(program->values().CurrentDir, inner);
  EXPECT_EQ(program->values().CommandLine, commandLine);

  mp3(appPath(), "here.mp3");
  for (const std::string& gone : {appPath() + "Gone/", inner + "01 Song.mp3/"}) {
    core::WriteIni("Settings", "LastDir", gone, ini());
    start();
    EXPECT_EQ(program->values().CurrentDir, appPath()) << gone;
    ASSERT_EQ(files()->count(), 1);
    files()->setCurrentRow(0);
    program->tagger()->lstFiles_Click();
    EXPECT_EQ(program->values().CurrentFile, appPath() + "here.mp3");
  }
}

}  // namespace
}  // namespace tagger_test
