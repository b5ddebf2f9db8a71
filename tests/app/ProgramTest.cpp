// Start-up and shutdown: defaults, the settings round trip, the command line, folders
// that are gone, the tag list built once at the start, the demo folder, and the start-up
// rules that need no window.
#include <QRegularExpression>
#include <cstdio>

#include "app/lib/DemoFolder.h"
#include "app/lib/StartupRules.h"
#include "core/Ini.h"
#include "core/toolkit/Window.h"
#include "formats/MP3HeadReader.h"
#include "mainwindow/TaggerFixture.h"

namespace tagger_test {
namespace {

TEST_F(ProgramTest, FirstStartGivesEveryDefaultAndShutdownWritesSeventeenKeys) {
  start();
  mainwindow::Tagger* window = program->tagger();
  check("folder=");
  check("checked:mnuLanguage(0)=1");
  EXPECT_TRUE(window->isVisible());  // the sizes and the switches show in the settings written below
  EXPECT_NEAR(window->frameGeometry().center().x(), core::ScreenSize().width() / 2, 1);
  ASSERT_NE(program->cover(), nullptr);
  EXPECT_FALSE(program->cover()->isVisible());
  // The cover commands take the type chosen in the main window's picture-type list.
  ASSERT_TRUE(QPixmap(8, 8).save(Q(appPath() + "shown.png")) && program->cover()->showPicture(Q(appPath() + "shown.png")));
  pictureList() = {core::PictureRecord{}, {"mine.png", 4, "", 0, 0, false}};
  find<QComboBox>("cboPictureType")->setCurrentText(U("Back Cover"));
  program->cover()->findChild<QAction*>(QStringLiteral("mnuPicDel"))->trigger();
  EXPECT_EQ(pictureList()[1].FileName, "");
  // Shutdown deletes the temporary pictures, and only those.
  support::WriteFileBytes(appPath() + "cover1.jpg", "x");
  support::WriteFileBytes(appPath() + "mine.jpg", "y");
  pictureList().push_back({appPath() + "cover1.jpg", 3, "", 0, 1, true});
  pictureList().push_back({appPath() + "mine.jpg", 3, "", 0, 1, false});
  window->close();
  EXPECT_FALSE(support::FileExists(appPath() + "cover1.jpg"));
  EXPECT_TRUE(support::FileExists(appPath() + "mine.jpg"));
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
  open(album);
  act({"mnuLanguage(1)", "chkView(0)", "chkView(5)", "chkAuto"});
  core::SetOuterHeight(program->tagger(), 6000);
  core::SetOuterWidth(program->tagger(), 12000);
  program->tagger()->move(30, 45);
  core::SetOuterHeight(program->cover(), 3000);
  program->cover()->move(60, 75);
  program->tagger()->close();
  start();
  for (const std::string& expectation : {"folder=" + album.substr(appPath().size()), std::string("lstFiles=a.mp3"), std::string("checked:mnuLanguage(1)=1"),
                                        std::string("checked:chkView(0),chkView(1),chkView(2),chkView(3),chkView(4),chkView(5),chkAuto=0100010")})
    check(expectation);
  EXPECT_EQ(program->tagger()->frameGeometry(), QRect(30, 45, 800, 400));
  EXPECT_EQ(program->cover()->frameGeometry().topLeft(), QPoint(60, 75));
  EXPECT_EQ(core::OuterBoundsTwips(program->cover()).height, 3000);
}

// Each row: the settings file, the command line and the first-start folder main() names.
TEST_F(ProgramTest, StartTable) {
  const std::string album = folder("Album"), named = mp3(music, "a b.mp3"), gone = appPath() + "Gone/";
  mp3(album, "a.mp3"), mp3(appPath(), "here.mp3"), mp3(music, "b.mp3");
  formats::clsID3V230Writer tag;
  tag.setSongTitle("Named");
  ASSERT_TRUE(tag.WriteID3V230Tag(named));
  ShowWatch progress("frmProgress");  // it comes up once for every tag list built
  const auto with = [&](std::string settings, std::string commandLine = {}, std::string first = {}) {
    return [=, &progress] {
      settings.empty() ? (void)std::remove(ini().c_str()) : (void)support::WriteFileBytes(ini(), settings);
      progress.shown = 0, start(commandLine, first);
    };
  };
  // A gone last folder falls back to the program's folder, a language past the list to
  // German, a place off every screen to one within reach.
  const auto offScreen = [&] { EXPECT_TRUE(QRect(QPoint(0, 0), core::ScreenSize()).intersects(program->tagger()->frameGeometry())); };
  const std::string fallen = "[Settings]\nLanguage=7\nTop=-99999\nLeft=99999\nLastDir=";
  table({
      {"hand-written: numbers rounded, empty as missing",
       with("[settings]\nlastdir=" + album + "\nHeight=\nWidth=-100\nLanguage=1abc\n[VIEW]\nAlbum=0.5\nYear=7\nComment=0.6\n"),
       {[&] {
          EXPECT_EQ(core::OuterBoundsTwips(program->tagger()).height, 8970);  // empty counts as missing
          EXPECT_EQ(core::OuterBoundsTwips(program->tagger()).width, 16845);  // no size below one twip
          program->tagger()->close();
          EXPECT_EQ(core::ReadIni("Settings", "Height", ini(), ""), "8970");
        }},
       {"folder=Album/", "checked:mnuLanguage(1)=1", "checked:chkView(0),chkView(1),chkView(2)=011"}},  // 7 is no value: design kept
      {"a gone last folder", with(fallen + gone), {offScreen, "#0"}, {"folder=", "checked:mnuLanguage(0)=1", "current=here.mp3"}},
      {"a file as last folder", with(fallen + named + "/"), {offScreen, "#0"}, {"folder=", "checked:mnuLanguage(0)=1", "current=here.mp3"}},
      // A file named on the command line wins over the last folder and is shown; the tag list
      // is built once on the way, though view switches change as the folder does.
      {"a file on the command line", with("[Settings]\nLastDir=" + album + "\n[View]\nComment=1\nAlbum=0\n", "\"" + named + "\""),
       {[&] {
          waitForTagList();
          EXPECT_EQ(progress.shown, 1);
          EXPECT_EQ(program->values().CommandLine, "\"" + named + "\"");
        }},
       {"folder=music/", "current=music/a b.mp3", "selected=a b.mp3", "txtTitle=Named"}},
      // An installed program's first start opens the folder main() names; from then on the
      // settings name the last folder, and that one wins.
      {"the first start", with("", "", music), {}, {"folder=music/", "lstFiles=a b.mp3|b.mp3"}},
      {"a later start", with("[Settings]\nLastDir=" + appPath() + "\n", "", music), {}, {"folder=", "lstFiles=here.mp3"}},
  });
}

// The demo folder: real MPEG files with both tags, made once.
TEST_F(ProgramTest, DemoFolderHoldsADozenTaggedSilentSongsMadeOnce) {
  const std::string demo = appPath() + "Demo/";
  const std::string first = app::PrepareDemoFolder(demo);
  EXPECT_EQ(first, demo + "01 - Anna Berg - Morgenlicht.mp3");
  const Names names = support::FolderEntries(demo);
  ASSERT_EQ(names.size(), 12u);
  const QRegularExpression pattern(QStringLiteral("^\\d\\d - ((?! - ).)+ - ((?! - ).)+\\.mp3$"));
  int untagged = 0, nonAscii = 0;
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
  EXPECT_EQ(support::FolderEntries(appPath()), (Names{"Demo", "music"}));  // no work folder left
  // A second call keeps the folder as the user left it.
  const std::string mine = mp3(demo, "my own.mp3");
  std::remove((demo + "03 - Jonas Falk - Nordwind.mp3").c_str());
  EXPECT_EQ(app::PrepareDemoFolder(demo), first);
  EXPECT_EQ(app::PrepareDemoFolder(""), "");  // no folder: nothing made
  EXPECT_TRUE(support::FileExists(mine));
  EXPECT_FALSE(support::FileExists(demo + "03 - Jonas Falk - Nordwind.mp3"));
}

// The command line's folder takes what is not there as written; several arguments are
// files dropped on the launcher, or a path with blanks not quoted.
TEST(StartupRules, CommandLineFolderAndText) {
  const std::pair<const char*, const char*> folders[] = {
      {"/Music/Album/Gone.mp3", "/Music/Album/"}, {"\"/Music/Album\"", "/Music/"}, {"/", "/"}};
  for (const auto& [commandLine, folder] : folders) EXPECT_EQ(app::CommandLineFolder(commandLine), folder) << commandLine;
  support::TempDir dir;
  ASSERT_TRUE(support::WriteFileBytes(dir.file("01 Song.mp3"), "x") && support::WriteFileBytes(dir.file("b.mp3"), "x"));
  const std::pair<std::vector<std::string>, std::string> texts[] = {
      {{dir.file("01 Song.mp3"), dir.file("b.mp3")}, dir.file("01 Song.mp3")}, {{dir.path(), dir.file("b.mp3")}, dir.path()},
      {{dir.file("01"), "Song.mp3"}, dir.file("01 Song.mp3")}, {{"/music/01", "Song.mp3"}, "/music/01 Song.mp3"},
      {{dir.file("b.mp3")}, dir.file("b.mp3")}};
  for (const auto& [arguments, text] : texts) EXPECT_EQ(app::CommandLineText(arguments), text) << arguments.size();
}

TEST(StartupRules, FirstStartAndSettingsFolders) {
  const struct {
    const char *program, *buildTree, *music, *home, *folder;
  } rows[] = {
      {"/src/build/app", "/src/build", "/home/u/Musik", "/home/u", ""},  // in its build tree
      {"/src/build", "/src/build/", "/home/u/Musik", "/home/u", ""},
      {"/src/build2/app", "/src/build", "/home/u/Musik", "/home/u", "/home/u/Musik/"},
      {"/usr/bin", "/src/build", "", "/home/u", "/home/u/"},  // no music folder
      {"/usr/bin", "", "/home/u/Musik/", "/home/u", "/home/u/Musik/"}, {"/usr/bin", "", "", "", ""}};
  for (const auto& r : rows) EXPECT_EQ(app::FirstStartFolder(r.program, r.buildTree, r.music, r.home), r.folder) << r.program;
  const struct {
    const char* program;
    bool portable;
    const char *config, *folder;
  } settings[] = {{"/opt/tonewright", true, "/home/u/.config/tonewright", "/opt/tonewright/"},
                  {"/usr/bin", false, "/home/u/.config/tonewright/", "/home/u/.config/tonewright/"},
                  {"/usr/bin", false, "", "/usr/bin/"}};
  for (const auto& r : settings) EXPECT_EQ(app::ChooseSettingsFolder(r.program, r.portable, r.config), r.folder) << r.config;
}

// A setting value is its leading number rounded half to even (the number rules have their
// own table in the core tests); a restored window stays reachable.
TEST(StartupRules, SettingNumbersAndRestoredPlaces) {
  EXPECT_EQ(app::SettingNumber(" 2.5abc") * 10 + app::SettingNumber("0.6"), 21);
  const std::pair<QRect, QPoint> places[] = {
      {{100, 50, 800, 600}, {100, 50}},       // on screen: unchanged
      {{-161, 1, 1123, 598}, {-161, 1}},      // wider than the screen, still reachable
      {{5000, 3000, 800, 600}, {1820, 980}},  // from a larger desktop
      {{-2000, -50, 800, 600}, {-700, 0}}};   // title bar above the screen
  for (const auto& [window, placed] : places) EXPECT_EQ(app::KeepReachable(window, QRect(0, 0, 1920, 1080)), placed) << window.x();
}

}  // namespace
}  // namespace tagger_test
