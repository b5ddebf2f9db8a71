// Start-up and shutdown: defaults, the settings round trip, the command line and
// folders that are gone.
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "ProgramFixture.h"
#include "core/Ini.h"
#include "core/toolkit/Window.h"
#include "windows/frmCover.h"

namespace program_test {
namespace {

QSize Screen() { return core::ScreenSize(); }

TEST_F(ProgramTest, FirstStartWithoutSettingsGivesEveryDefault) {
  auto program = start();
  const mainwindow::Tagger* window = program->tagger();

  EXPECT_EQ(program->values().CurrentDir, appPath());
  EXPECT_EQ(program->values().LanguageIndex, 0);
  EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("mnuLanguage(0)"))->isChecked());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(box(*program, QStringLiteral("chkView(%1)").arg(i))->isChecked(), i < 2) << i;
  EXPECT_TRUE(box(*program, QStringLiteral("chkAuto"))->isChecked());
  EXPECT_TRUE(window->isVisible());

  const core::TwipsRect bounds = core::OuterBoundsTwips(window);
  EXPECT_EQ(bounds.width, 16845);
  EXPECT_EQ(bounds.height, 8970);
  const QRect frame = window->frameGeometry();
  EXPECT_NEAR(frame.center().x(), Screen().width() / 2, 1);
  EXPECT_NEAR(frame.center().y(), Screen().height() / 2, 1);

  const QWidget* cover = program->cover();
  ASSERT_NE(cover, nullptr);
  EXPECT_FALSE(cover->isVisible());
  const core::TwipsRect coverBounds = core::OuterBoundsTwips(cover);
  EXPECT_EQ(coverBounds.width, 4620);
  EXPECT_EQ(coverBounds.height, 5250);
  EXPECT_NEAR(cover->frameGeometry().left(), Screen().width() / 2 - 308 / 2, 1);
  EXPECT_NEAR(cover->frameGeometry().top(), Screen().height() / 2 - 350 / 2, 1);
}

TEST_F(ProgramTest, ShutdownWritesAllSeventeenKeys) {
  auto program = start();
  program->tagger()->close();

  const std::vector<std::string> lines = settingsLines();
  std::vector<std::string> keys;
  for (const std::string& line : lines) keys.push_back(line.substr(0, line.find('=')));
  // Each key goes to the end of its section, so the file shows the sections in the
  // order they were first written.
  const std::vector<std::string> expected = {
      "[Settings]", "LastDir",  "Top",  "Left",    "Height",    "Width",       "CoverTop",   "CoverLeft", "CoverHeight",
      "CoverWidth", "Automatic", "Language", "[View]", "Album", "Year", "Comment", "Time", "Bitrate", "Mode"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", ini(), ""), appPath());
  EXPECT_EQ(core::ReadIni("Settings", "Height", ini(), ""), "8970");
  EXPECT_EQ(core::ReadIni("Settings", "Width", ini(), ""), "16845");
  EXPECT_EQ(core::ReadIni("Settings", "CoverHeight", ini(), ""), "5250");
  EXPECT_EQ(core::ReadIni("Settings", "CoverWidth", ini(), ""), "4620");
  EXPECT_EQ(core::ReadIni("Settings", "Automatic", ini(), ""), "1");
  EXPECT_EQ(core::ReadIni("Settings", "Language", ini(), ""), "0");
  const std::vector<std::pair<const char*, const char*>> views = {{"Album", "1"}, {"Year", "1"}, {"Comment", "0"},
                                                                   {"Time", "0"},  {"Bitrate", "0"}, {"Mode", "0"}};
  for (const auto& [key, value] : views) EXPECT_EQ(core::ReadIni("View", key, ini(), ""), value) << key;
  for (const char* key : {"Top", "Left", "CoverTop", "CoverLeft"}) {
    const std::string value = core::ReadIni("Settings", key, ini(), "");
    EXPECT_FALSE(value.empty()) << key;
    EXPECT_EQ(value.find('.'), std::string::npos) << key << "=" << value;  // whole twips
  }
}

TEST_F(ProgramTest, SecondStartRestoresWhatTheFirstLeft) {
  const std::string album = folder("Album");
  mp3(album, "a.mp3");
  {
    auto first = start();
    mainwindow::Tagger* window = first->tagger();
    window->SetFolder(album, true);
    window->mnuLanguage_Click(1);
    box(*first, QStringLiteral("chkView(0)"))->setChecked(false);
    box(*first, QStringLiteral("chkView(5)"))->setChecked(true);
    box(*first, QStringLiteral("chkAuto"))->setChecked(false);
    core::SetOuterHeight(window, 6000);
    core::SetOuterWidth(window, 12000);
    window->move(30, 45);
    core::SetOuterHeight(first->cover(), 3000);
    first->cover()->move(60, 75);
    window->close();
  }
  auto second = start();
  const mainwindow::Tagger* window = second->tagger();
  EXPECT_EQ(second->values().CurrentDir, album);
  EXPECT_EQ(files(*second)->count(), 1);
  EXPECT_EQ(second->values().LanguageIndex, 1);
  EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("mnuLanguage(1)"))->isChecked());
  const bool expectedViews[] = {false, true, false, false, false, true};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(box(*second, QStringLiteral("chkView(%1)").arg(i))->isChecked(), expectedViews[i]) << i;
  EXPECT_FALSE(box(*second, QStringLiteral("chkAuto"))->isChecked());
  EXPECT_EQ(window->frameGeometry(), QRect(30, 45, 800, 400));
  EXPECT_EQ(second->cover()->frameGeometry().topLeft(), QPoint(60, 75));
  EXPECT_EQ(core::OuterBoundsTwips(second->cover()).height, 3000);
}

TEST_F(ProgramTest, HandWrittenSettingsAreReadAndTheirOtherLinesSurvive) {
  const std::string album = folder("Album");
  support::WriteFileBytes(ini(),
                          "; written by hand\n"
                          "[Other]\n"
                          "foo=bar\n"
                          "\n"
                          "[settings]\n"
                          "lastdir=" + album + "\n"
                          "Unknown=keep me\n"
                          "Height=\n"
                          "Language=1abc\n"
                          "[VIEW]\n"
                          "Album=0.5\n"
                          "Year=7\n"
                          "Comment=0.6\n");
  auto program = start();
  EXPECT_EQ(program->values().CurrentDir, album);
  EXPECT_EQ(core::OuterBoundsTwips(program->tagger()).height, 8970);  // empty counts as missing
  EXPECT_EQ(program->values().LanguageIndex, 1);
  EXPECT_FALSE(box(*program, QStringLiteral("chkView(0)"))->isChecked());  // 0.5 rounds to 0
  EXPECT_TRUE(box(*program, QStringLiteral("chkView(1)"))->isChecked());   // 7 is no value: design kept
  EXPECT_TRUE(box(*program, QStringLiteral("chkView(2)"))->isChecked());   // 0.6 rounds to 1
  program->tagger()->close();

  const std::string text = support::ReadFileBytes(ini());
  for (const char* kept : {"; written by hand\n", "[Other]\nfoo=bar\n", "Unknown=keep me\n"}) {
    EXPECT_NE(text.find(kept), std::string::npos) << kept;
  }
  const std::vector<std::string> lines = settingsLines();
  const auto lastDirs = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("lastdir=", 0) == 0 || line.rfind("LastDir=", 0) == 0;
  });
  EXPECT_EQ(lastDirs, 1);
  EXPECT_EQ(core::ReadIni("Settings", "Height", ini(), ""), "8970");
}

TEST_F(ProgramTest, CommandLineOverridesTheLastFolder) {
  const std::string album = folder("Music");
  folder("Music/Album");
  const std::string inner = appPath() + "Music/Album/";
  mp3(inner, "01 Song.mp3");
  core::WriteIni("Settings", "LastDir", folder("Elsewhere"), ini());
  struct Row {
    std::string commandLine;
    std::string opened;
  };
  const Row rows[] = {
      {"\"" + inner + "01 Song.mp3\"", inner},
      {inner + "01 Song.mp3", inner},
      {inner.substr(0, inner.size() - 1), album},
      {"\"" + inner.substr(0, inner.size() - 1) + "\"", album},
  };
  for (const Row& row : rows) {
    auto program = start(row.commandLine);
    EXPECT_EQ(program->values().CurrentDir, row.opened) << row.commandLine;
    EXPECT_EQ(program->values().CommandLine, row.commandLine);
  }
}

TEST_F(ProgramTest, LastFolderThatIsGoneLeavesTheProgramFolderUsable) {
  mp3(appPath(), "here.mp3");
  const std::string file = mp3(folder("Album"), "a.mp3");
  for (const std::string& gone : {appPath() + "Gone/", file + "/", std::string("/nonexistent-volume/Music/")}) {
    core::WriteIni("Settings", "LastDir", gone, ini());
    auto program = start();
    EXPECT_EQ(program->values().CurrentDir, appPath()) << gone;
    ASSERT_EQ(files(*program)->count(), 1);
    files(*program)->setCurrentRow(0);
    program->tagger()->lstFiles_Click();
    EXPECT_EQ(program->values().CurrentFile, appPath() + "here.mp3");
    program->tagger()->close();
  }
}

TEST_F(ProgramTest, NonAsciiFolderNameIsKeptByteForByte) {
  const std::string album = folder("M\xC3\xBCsik \xE2\x80\x93 \xC3\x89t\xC3\xA9");
  mp3(album, "\xC3\x84pfel.mp3");
  {
    auto first = start(album + "\xC3\x84pfel.mp3");
    EXPECT_EQ(first->values().CurrentDir, album);
    first->tagger()->close();
  }
  EXPECT_EQ(core::ReadIni("Settings", "LastDir", ini(), ""), album);
  auto second = start();
  EXPECT_EQ(second->values().CurrentDir, album);
  EXPECT_EQ(files(*second)->count(), 1);
}

TEST_F(ProgramTest, SettingsFileThatIsAFolderGivesDefaultsAndAQuietShutdown) {
  ::mkdir(ini().c_str(), 0755);
  auto program = start();
  EXPECT_EQ(program->values().CurrentDir, appPath());
  EXPECT_EQ(core::OuterBoundsTwips(program->tagger()).height, 8970);
  program->tagger()->close();
  EXPECT_TRUE(support::FolderEntries(ini()).empty());
  EXPECT_FALSE(program->tagger()->isVisible());
}

TEST_F(ProgramTest, ShutdownDeletesTheTemporaryPictures) {
  auto program = start();
  const std::string picture = appPath() + "cover1.jpg";
  const std::string kept = appPath() + "mine.jpg";
  support::WriteFileBytes(picture, "x");
  support::WriteFileBytes(kept, "y");
  auto& pictures = program->values().PictureList;
  pictures.push_back({picture, 3, "", 0, 1, true});
  pictures.push_back({kept, 3, "", 0, 1, false});
  program->tagger()->close();

  EXPECT_FALSE(support::FileExists(picture));
  EXPECT_TRUE(support::FileExists(kept));
}

// The cover window loaded at start-up is the one the editor's Cover button shows.
TEST_F(ProgramTest, CoverButtonShowsTheStartUpCoverWindow) {
  auto program = start();
  auto* button = program->tagger()->findChild<QPushButton*>(QStringLiteral("cmdCover"));
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(program->cover()->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(program->cover()->isVisible());
}

}  // namespace
}  // namespace program_test
