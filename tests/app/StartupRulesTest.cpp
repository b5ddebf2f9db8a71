// The start-up rules that need no window.
#include <gtest/gtest.h>

#include "app/lib/StartupRules.h"

namespace app {
namespace {

TEST(StartupRules, CommandLineFolderTakesWhatIsNotThereAsWritten) {
  const std::pair<const char*, const char*> rows[] = {
      {"/Music/Album/Gone.mp3", "/Music/Album/"}, {"\"/Music/Album\"", "/Music/"}, {"/", "/"}};
  for (const auto& [commandLine, folder] : rows) EXPECT_EQ(CommandLineFolder(commandLine), folder) << commandLine;
  EXPECT_EQ(CommandLineText({"/music/01", "Song.mp3"}), "/music/01 Song.mp3");
}

TEST(StartupRules, SettingsFolder) {
  EXPECT_EQ(ChooseSettingsFolder("/opt/tonewright", true, "/home/u/.config/tonewright"), "/opt/tonewright/");
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin", false, "/home/u/.config/tonewright/"), "/home/u/.config/tonewright/");
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin", false, ""), "/usr/bin/");
}

TEST(StartupRules, SettingNumbers) {
  const std::pair<const char*, long long> rows[] = {{"12abc", 12}, {"  1", 1}, {"abc", 0}, {"", 0},
                                                    {"1.5", 2},    {"2.5", 2}, {"0.6", 1}, {"-0.4", 0}};
  for (const auto& [value, number] : rows) EXPECT_EQ(SettingNumber(value), number) << value;
}

TEST(StartupRules, RestoredWindowStaysReachable) {
  const QRect desktop(0, 0, 1920, 1080);
  const std::pair<QRect, QPoint> rows[] = {
      {{100, 50, 800, 600}, {100, 50}},       // on screen: unchanged
      {{-161, 1, 1123, 598}, {-161, 1}},      // wider than the screen, still reachable
      {{5000, 3000, 800, 600}, {1820, 980}},  // from a larger desktop
      {{-2000, -50, 800, 600}, {-700, 0}},    // title bar above the screen
  };
  for (const auto& [window, placed] : rows) EXPECT_EQ(KeepReachable(window, desktop), placed) << window.x();
}

}  // namespace
}  // namespace app
