// The rules behind the main window that need no window.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "mainwindow/BrowsingRules.h"
#include "mainwindow/LayoutRules.h"
#include "mainwindow/Volumes.h"

namespace mainwindow {
namespace {

TEST(BrowsingRules, TheLastDroppedNameDecidesFolderAndEntry) {
  EXPECT_EQ(LastDroppedName({"/a/1.mp3", "/a/2.mp3", "/b/3.mp3"}), std::optional<std::string>("/b/3.mp3"));
  EXPECT_EQ(LastDroppedName({"/a/1.mp3", ""}), std::optional<std::string>("/a/1.mp3"));
  EXPECT_EQ(LastDroppedName({}), std::nullopt);
  const char* rows[][3] = {  // dropped, folder, entry
      {"/music/Album/03 Track.mp3", "/music/Album/", "03 Track.mp3"},
      {"/music/Album/", "/music/", "Album"},
      {"/song.mp3", "/", "song.mp3"},
  };
  for (const auto& row : rows) {
    const DropTarget target = DropTargetOf(row[0]);
    EXPECT_EQ(target.folder, row[1]) << row[0];
    EXPECT_EQ(target.entry, row[2]) << row[0];
  }
}

TEST(ResizeLayout, LowAndWideWindows) {
  struct Row {
    const char* name;
    double outerHeight, widen;
    const char* control;
    Edge edge;
    double twips;  // -1: the control keeps what it has
  };
  const Row rows[] = {
      {"2000 twips high", 2000, 0, "picDir", Edge::Height, 1420},
      {"2000 twips high", 2000, 0, "dirListe", Edge::Height, -1},
      {"2000 twips high", 2000, 0, "lstFiles", Edge::Height, -1},
      {"2000 twips high", 2000, 0, "lstSortFiles", Edge::Height, 5090},
      {"widened by 1000", 8970, 1000, "lstFiles", Edge::Left, 13005},
      {"widened by 1000", 8970, 1000, "picOptions", Edge::Left, 13045},
      {"widened by 1000", 8970, 1000, "wb", Edge::Width, 9545},
  };
  for (const Row& row : rows) {
    CurrentLayout now;
    now.outerHeight = row.outerHeight;
    now.innerHeight = row.outerHeight - 450;
    now.outerWidth = 16845 + row.widen;
    now.innerWidth = 16725 + row.widen;
    now.lstFilesHeight = 5090;
    now.lstFilesWidth = 4620;
    now.picTagsHeight = 2760;
    now.chkNoTagOnlyTop = 1200;
    double twips = -1;
    for (const Placement& p : ResizeLayout(now)) {
      if (p.control == QLatin1String(row.control) && p.edge == row.edge) twips = p.twips;
    }
    EXPECT_EQ(twips, row.twips) << row.name << ": " << row.control;
  }
}

TEST(Volumes, PseudoFileSystemsAreLeftOutAndAPathFindsItsVolume) {
  const std::vector<std::tuple<const char*, const char*, bool>> rows = {
      {"ext4", "/", false},  {"vfat", "/media/usb", false}, {"overlay", "/", false},      {"proc", "/proc", true},
      {"sysfs", "/sys", true}, {"tmpfs", "/run/user/0", true}, {"ext4", "/dev/shm", true}, {"ext4", "/running", false},
  };
  for (const auto& [type, root, pseudo] : rows) EXPECT_EQ(IsPseudoFileSystem(type, root), pseudo) << type << " " << root;
  const std::vector<std::string> roots = {"/", "/media/usb", "/work"};
  EXPECT_EQ(VolumeOf("/media/usb/Music/", roots), "/media/usb");
  EXPECT_EQ(VolumeOf("/work", roots), "/work");
  EXPECT_EQ(VolumeOf("/workshop/a/", roots), "/");
  EXPECT_EQ(VolumeOf("/home/x/", {"/work"}), "");
}

}  // namespace
}  // namespace mainwindow
