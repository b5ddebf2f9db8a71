// The start-up rules that need no window.
#include <gtest/gtest.h>

#include "app/lib/StartupRules.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace app {
namespace {

TEST(StartupRules, CommandLineFolder) {
  support::TempDir temp;
  const std::string song = temp.path() + "/01 Song.mp3";
  support::WriteFileBytes(song, "x");
  struct Row {
    std::string commandLine;
    std::string folder;
  };
  const Row rows[] = {
      {"\"" + song + "\"", temp.path() + "/"},        // a quoted file
      {song, temp.path() + "/"},                      // the same without quotes
      {temp.path(), temp.path().substr(0, temp.path().rfind('/') + 1)},  // a folder: the one above
      {"/Music/Album/Gone.mp3", "/Music/Album/"},      // not there: taken as written
      {"\"/Music/Album\"", "/Music/"},
      {"/", "/"},
  };
  for (const Row& row : rows) EXPECT_EQ(CommandLineFolder(row.commandLine), row.folder) << row.commandLine;
}

TEST(StartupRules, CommandLineTextJoinsTheArguments) {
  EXPECT_EQ(CommandLineText({}), "");
  EXPECT_EQ(CommandLineText({"/music/01 Song.mp3"}), "/music/01 Song.mp3");
  EXPECT_EQ(CommandLineText({"/music/01", "Song.mp3"}), "/music/01 Song.mp3");
}

TEST(StartupRules, SettingsFolder) {
  EXPECT_EQ(ChooseSettingsFolder("/opt/tonewright", true, "/home/u/.config/tonewright"), "/opt/tonewright/");
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin", false, "/home/u/.config/tonewright/"), "/home/u/.config/tonewright/");
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin", false, ""), "/usr/bin/");
}

TEST(StartupRules, SettingNumbers) {
  struct Row {
    const char* value;
    long long number;
  };
  const Row rows[] = {{"1", 1}, {"0", 0}, {"12abc", 12}, {"  1", 1}, {"abc", 0}, {"", 0},
                      {"0.5", 0}, {"1.5", 2}, {"2.5", 2}, {"0.6", 1}, {"-0.4", 0}};
  for (const Row& row : rows) EXPECT_EQ(SettingNumber(row.value), row.number) << row.value;
}

TEST(StartupRules, RestoredWindowStaysReachable) {
  const QRect desktop(0, 0, 1920, 1080);
  struct Row {
    QRect window;
    QPoint placed;
  };
  const Row rows[] = {
      {{100, 50, 800, 600}, {100, 50}},       // on screen: unchanged
      {{-161, 1, 1123, 598}, {-161, 1}},      // wider than the screen, still reachable
      {{5000, 3000, 800, 600}, {1820, 980}},  // from a larger desktop
      {{-2000, -50, 800, 600}, {-700, 0}},    // title bar above the screen
  };
  for (const Row& row : rows) EXPECT_EQ(KeepReachable(row.window, desktop), row.placed) << row.window.x();
}

TEST(StartupRules, ShutdownSettingsInTheirOrder) {
  ShutdownState state;
  state.lastDir = "/music/";
  state.main = {15, -30, 8970, 16845};
  state.view = {1, 1, 0, 0, 1, 0};
  state.cover = {1875, 3690, 5250, 4620};
  state.automatic = 1;
  state.language = 1;
  const std::vector<SettingEntry> entries = ShutdownSettings(state);
  std::vector<std::string> written;
  for (const SettingEntry& entry : entries) written.push_back(entry.section + "/" + entry.key + "=" + entry.value);
  const std::vector<std::string> expected = {
      "Settings/LastDir=/music/", "Settings/Top=15",          "Settings/Left=-30",        "Settings/Height=8970",
      "Settings/Width=16845",     "View/Album=1",             "View/Year=1",              "View/Comment=0",
      "View/Time=0",              "View/Bitrate=1",           "View/Mode=0",              "Settings/CoverTop=1875",
      "Settings/CoverLeft=3690",  "Settings/CoverHeight=5250", "Settings/CoverWidth=4620", "Settings/Automatic=1",
      "Settings/Language=1"};
  EXPECT_EQ(written, expected);
}

}  // namespace
}  // namespace app
