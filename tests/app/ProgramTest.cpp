// Start-up and shutdown, the settings round trip, the command line, the demo folder, the start-up rules.
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
  check("folder=");  // the view switches and sizes: in the settings written below
  check("checked:mnuLanguage(0)=1");
  EXPECT_TRUE(window->isVisible() && !program->cover()->isVisible());
  EXPECT_NEAR(window->frameGeometry().center().x(), core::ScreenSize().width() / 2, 1);
  // The cover commands take the type chosen in the main window's picture-type list.
  ASSERT_TRUE(QPixmap(8, 8).save(Q(appPath() + "shown.png")) && program->cover()->showPicture(Q(appPath() + "shown.png")));
  pictureList() = {core::PictureRecord{}, {"mine.png", 4, "", 0, 0, false}};
  find<QComboBox>("cboPictureType")->setCurrentText(U("Back Cover"));
  program->cover()->findChild<QAction*>(QStringLiteral("mnuPicDel"))->trigger();
  EXPECT_EQ(pictureList()[1].FileName, "");
  // Shutdown deletes the temporary pictures, and only those.
  ASSERT_TRUE(support::WriteFileBytes(appPath() + "cover1.jpg", "x") && support::WriteFileBytes(appPath() + "mine.jpg", "y"));
  pictureList().push_back({appPath() + "cover1.jpg", 3, "", 0, 1, true});
  pictureList().push_back({appPath() + "mine.jpg", 3, "", 0, 1, false});
  window->close();
  EXPECT_TRUE(!support::FileExists(appPath() + "cover1.jpg") && support::FileExists(appPath() + "mine.jpg"));
  // Each key goes to the end of its section, so the sections come in the order first written; positions
  // depend on the screen: whole twips.
  const QString written = QString::fromStdString(support::ReadFileBytes(ini())).remove('\r').replace(QRegularExpression("(Top|Left)=-?\\d+\n"), "\\1 ");
  EXPECT_EQ(written, QString::fromStdString("[Settings]\nLastDir=" + appPath() + "\nTop Left Height=8970\nWidth=16845\nCoverTop CoverLeft CoverHeight=5250\n"
                                            "CoverWidth=4620\nAutomatic=1\nLanguage=0\n[View]\nAlbum=1\nYear=1\nComment=0\nTime=0\nBitrate=0\nMode=0\n"));
}

// Each row: the settings file, the command line and the first-start folder main() names.
TEST_F(ProgramTest, StartTable) {
  const std::string album = folder("Album"), named = mp3(music, "a b.mp3"), gone = appPath() + "Gone/", demo = appPath() + "Demo/";
  const std::string left = "M\xC3\xBCsik \xE2\x80\x93 \xC3\x89t\xC3\xA9";
  mp3(album, "a.mp3"), mp3(appPath(), "here.mp3"), mp3(music, "b.mp3"), mp3(folder(left), "a.mp3");
  formats::clsID3V230Writer tag;
  ASSERT_TRUE((tag.setSongTitle("Named"), tag.WriteID3V230Tag(named)));
  ShowWatch progress("frmProgress");  // it comes up once for every tag list built
  const auto with = [&](std::string settings, std::string commandLine = {}, std::string first = {}) {
    return [=, &progress] {
      settings.empty() ? (void)std::remove(ini().c_str()) : (void)support::WriteFileBytes(ini(), settings);
      progress.shown = 0, start(commandLine, first);
    };
  };
  // A gone last folder falls back to the program's folder, a language past the list to German, a place
  // off every screen to one within reach.
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
      // A file on the command line wins over the last folder and is shown; the tag list is built once.
      {"a file on the command line", with("[Settings]\nLastDir=" + album + "\n[View]\nComment=1\nAlbum=0\n", "\"" + named + "\""),
       {[&] {
          waitForTagList();
          EXPECT_EQ(progress.shown, 1);
          EXPECT_EQ(program->values().CommandLine, "\"" + named + "\"");
        }},
       {"folder=music/", "current=music/a b.mp3", "selected=a b.mp3", "txtTitle=Named"}},
      // An installed program's first start opens the folder main() names; later the last folder wins.
      {"the first start", with("", "", music), {}, {"folder=music/", "lstFiles=a b.mp3|b.mp3"}},
      {"a later start", with("[Settings]\nLastDir=" + appPath() + "\n", "", music), {}, {"folder=", "lstFiles=here.mp3"}},
      // The next start restores what the last one left.
      {"the second start", with(""),
       {"open:" + left, "mnuLanguage(1)", "chkView(0)", "chkView(5)", "chkAuto", [&] {
          core::SetOuterHeight(program->tagger(), 6000), core::SetOuterWidth(program->tagger(), 12000), program->tagger()->move(30, 45);
          core::SetOuterHeight(program->cover(), 3000), program->cover()->move(60, 75), program->tagger()->close();
          start();
          EXPECT_EQ(program->tagger()->frameGeometry(), QRect(30, 45, 800, 400));
          EXPECT_EQ(program->cover()->frameGeometry().topLeft(), QPoint(60, 75));
          EXPECT_EQ(core::OuterBoundsTwips(program->cover()).height, 3000);
        }},
       {"folder=" + left + "/", "lstFiles=a.mp3",
        "checked:mnuLanguage(1),chkView(0),chkView(1),chkView(2),chkView(3),chkView(4),chkView(5),chkAuto=10100010"}},
      // The demo folder (the start with --demo): MPEG files, all but one with both tags, made once, no work
      // folder left; a second call keeps it as the user left it.
      {"the demo folder", [&] { with("", app::PrepareDemoFolder(demo))(); }, {[&] {
          int untagged = 0;
          EXPECT_EQ(support::FolderEntries(appPath()), (Names{"Album", "Demo", left, "here.mp3", "music"}));
          for (const std::string& name : support::FolderEntries(demo)) {
            const std::string bytes = support::ReadFileBytes(demo + name);
            untagged += bytes.compare(0, 3, "ID3") == 0 ? 0 : 1;
            EXPECT_EQ(bytes.size() > 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0, bytes.compare(0, 3, "ID3") == 0) << name;
            formats::clsMP3HeadReader header;
            header.ReadMP3Header(demo + name);
            EXPECT_TRUE(header.Layer() == 3 && header.Length() >= 2) << name;
          }
          EXPECT_EQ(untagged, 1);
          const std::string mine = mp3(demo, "my own.mp3"), gone = demo + "03 - Jonas Falk - Nordwind.mp3";
          std::remove(gone.c_str());
          EXPECT_EQ(app::PrepareDemoFolder(demo), demo + "01 - Anna Berg - Morgenlicht.mp3");
          EXPECT_EQ(app::PrepareDemoFolder(""), "");  // no folder: nothing made
          EXPECT_TRUE(support::FileExists(mine) && !support::FileExists(gone));
        }},
       {"folder=Demo/", "current=Demo/01 - Anna Berg - Morgenlicht.mp3",
        "v2:../Demo/01 - Anna Berg - Morgenlicht.mp3=Morgenlicht|Anna Berg|Stille Wege|2021|Tonewright Demo|1|1",
        "lstFiles=01 - Anna Berg - Morgenlicht.mp3|02 - Anna Berg - \xC3\x9C" "ber den D\xC3\xA4" "chern.mp3|03 - Jonas Falk - Nordwind.mp3|"
        "04 - Jonas Falk - Caf\xC3\xA9 am Fluss.mp3|05 - Mira Sol - Sommerregen.mp3|06 - Mira Sol - Blaue Stunde.mp3|"
        "07 - Lena Str\xC3\xB8m - Fjordlicht.mp3|08 - Lena Str\xC3\xB8m - Himmelsleiter.mp3|09 - Th\xC3\xA9o Martin - Chanson d'\xC3\xA9t\xC3\xA9.mp3|"
        "10 - Th\xC3\xA9o Martin - Le Dernier Train.mp3|11 - Kai Winter - Schneelicht.mp3|12 - Kai Winter - Ausklang.mp3"}}});
}

// The command line's folder takes what is not there as written; several arguments are files dropped on
// the launcher, or a path with blanks not quoted.
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

TEST(StartupRules, FoldersSettingNumbersAndRestoredPlaces) {
  const char* rows[][5] = {  // program, build tree, music, home, folder
      {"/src/build/app", "/src/build", "/home/u/Musik", "/home/u", ""}, {"/src/build", "/src/build/", "/home/u/Musik", "/home/u", ""},
      {"/src/build2/app", "/src/build", "/home/u/Musik", "/home/u", "/home/u/Musik/"},
      {"/usr/bin", "/src/build", "", "/home/u", "/home/u/"},  // no music folder
      {"/usr/bin", "", "/home/u/Musik/", "/home/u", "/home/u/Musik/"}, {"/usr/bin", "", "", "", ""}};
  for (const auto& [program, tree, music, home, folder] : rows) EXPECT_EQ(app::FirstStartFolder(program, tree, music, home), folder) << program;
  const std::tuple<const char*, bool, const char*, const char*> settings[] = {  // program, portable, config, folder
      {"/opt/tonewright", true, "/home/u/.config/tonewright", "/opt/tonewright/"},
      {"/usr/bin", false, "/home/u/.config/tonewright/", "/home/u/.config/tonewright/"}, {"/usr/bin", false, "", "/usr/bin/"}};
  for (const auto& [program, portable, config, folder] : settings) EXPECT_EQ(app::ChooseSettingsFolder(program, portable, config), folder) << config;
  // A setting value is its leading number rounded half to even; a restored window stays reachable: on
  // screen unchanged, wider than the screen, from a larger desktop, its title bar above the screen.
  EXPECT_EQ(app::SettingNumber(" 2.5abc") * 10 + app::SettingNumber("0.6"), 21);
  const std::pair<QRect, QPoint> places[] = {{{100, 50, 800, 600}, {100, 50}}, {{-161, 1, 1123, 598}, {-161, 1}},
                                             {{5000, 3000, 800, 600}, {1820, 980}}, {{-2000, -50, 800, 600}, {-700, 0}}};
  for (const auto& [window, placed] : places) EXPECT_EQ(app::KeepReachable(window, QRect(0, 0, 1920, 1080)), placed) << window.x();
}

}  // namespace
}  // namespace tagger_test
