// The rules behind the main window that need no window.
#include <gtest/gtest.h>

#include "mainwindow/BrowsingRules.h"
#include "mainwindow/LanguageCaptions.h"
#include "mainwindow/LayoutRules.h"
#include "mainwindow/Volumes.h"

namespace mainwindow {
namespace {

TEST(BrowsingRules, WindowTitleHasTwoBlanksAroundTheHyphen) {
  EXPECT_EQ(WindowTitle("Quillmere Tonewright", "/music/Album/"), "Quillmere Tonewright  -  /music/Album/");
  EXPECT_EQ(WindowTitle("Quillmere Tonewright", "/"), "Quillmere Tonewright  -  /");
}

TEST(BrowsingRules, SelectionCaptionsForOneOrSeveralFiles) {
  for (int count : {0, 1}) {
    const SelectionCaptions one = CaptionsForSelection(count);
    EXPECT_EQ(one.saveTag, QStringLiteral("TAG speichern"));
    EXPECT_EQ(one.removeTags, QStringLiteral("TAG entfernen"));
    EXPECT_TRUE(one.renameEnabled);
  }
  for (int count : {2, 40}) {
    const SelectionCaptions several = CaptionsForSelection(count);
    EXPECT_EQ(several.saveTag, QStringLiteral("TAGs bearbeiten"));
    EXPECT_EQ(several.removeTags, QStringLiteral("TAGs entfernen"));
    EXPECT_FALSE(several.renameEnabled);
  }
}

TEST(BrowsingRules, TheLastDroppedNameCounts) {
  EXPECT_EQ(LastDroppedName({"/a/1.mp3", "/a/2.mp3", "/b/3.mp3"}), std::optional<std::string>("/b/3.mp3"));
  EXPECT_EQ(LastDroppedName({"/a/1.mp3", ""}), std::optional<std::string>("/a/1.mp3"));
  EXPECT_EQ(LastDroppedName({}), std::nullopt);
}

TEST(BrowsingRules, DropTargets) {
  struct Row {
    const char* dropped;
    const char* folder;
    const char* entry;
  };
  const Row rows[] = {
      {"/music/Album/03 Track.mp3", "/music/Album/", "03 Track.mp3"},
      {"/music/Album", "/music/", "Album"},
      {"/music/Album/", "/music/", "Album"},
      {"/song.mp3", "/", "song.mp3"},
  };
  for (const Row& row : rows) {
    const DropTarget target = DropTargetOf(row.dropped);
    EXPECT_EQ(target.folder, row.folder) << row.dropped;
    EXPECT_EQ(target.entry, row.entry) << row.dropped;
  }
}

TEST(LanguageCaptions, BothLanguagesNameTheSameControlsInTheSameOrder) {
  const auto german = LanguageCaptions(0);
  const auto english = LanguageCaptions(1);
  ASSERT_EQ(german.size(), 25u);
  ASSERT_EQ(english.size(), german.size());
  for (std::size_t i = 0; i < german.size(); ++i) EXPECT_EQ(german[i].control, english[i].control);
  EXPECT_EQ(german.front().control, QStringLiteral("optTagEdit(0)"));
  EXPECT_EQ(german.back().control, QStringLiteral("cmdAllFiles(1)"));
}

TEST(LanguageCaptions, SelectedTexts) {
  auto text = [](int language, const char* control) {
    for (const Caption& caption : LanguageCaptions(language)) {
      if (caption.control == QLatin1String(control)) return caption.text;
    }
    return QStringLiteral("<missing>");
  };
  struct Row {
    const char* control;
    const char* german;
    const char* english;
  };
  const Row rows[] = {
      {"optTagEdit(1)", "Dateiname -> ID3-TAG", "Filename -> ID3-TAG"},
      {"lblSeparator", "Trennzeichen:", "Separator:"},
      {"cmdSaveTag", "TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file"},
      {"cmdNew", "< Neu   ", "< New   "},
      {"chkTagTab(1)", "mehr", "more"},
      {"cmdAllFiles(1)", "Alle Dateien", "Select all files"},
      {"chkDragDrop", "Reihenfolge per Drag && Drop \xC3\xA4ndern bzw. Playlist erstellen",
       "Change order via Drag && Drop and rename files"},
      {"chkIgnore", "Die ersten            Zeichen vom Dateinamen ignorieren",
       "Ignore first            characters from file name"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(text(0, row.control), QString::fromUtf8(row.german)) << row.control;
    EXPECT_EQ(text(1, row.control), QString::fromUtf8(row.english)) << row.control;
  }
  EXPECT_EQ(TotalTimeLabelFor(0), QStringLiteral("Gesamtspieldauer : "));
  EXPECT_EQ(TotalTimeLabelFor(1), QStringLiteral("Total running time : "));
}

TEST(BrowsingRules, TagCheckCaptions) {
  EXPECT_EQ(TagCheckCaption(true, false), QStringLiteral("S T A R T E N"));
  EXPECT_EQ(TagCheckCaption(true, true), QStringLiteral("S T A R T"));
  EXPECT_EQ(TagCheckCaption(false, false), QStringLiteral("TAGS einlesen"));
  EXPECT_EQ(TagCheckCaption(false, true), QStringLiteral("Re-read TAG list"));
}

double Value(const std::vector<Placement>& placements, const char* control, Edge edge, bool* found = nullptr) {
  for (const Placement& p : placements) {
    if (p.control == QLatin1String(control) && p.edge == edge) {
      if (found) *found = true;
      return p.twips;
    }
  }
  if (found) *found = false;
  return -1;
}

CurrentLayout Design() {
  CurrentLayout now;
  now.outerHeight = 8970;
  now.outerWidth = 16845;
  now.innerHeight = 8520;
  now.innerWidth = 16725;
  now.lstFilesHeight = 5090;
  now.lstFilesWidth = 4620;
  now.picTagsHeight = 2760;
  now.chkNoTagOnlyTop = 1200;
  return now;
}

TEST(ResizeLayout, DesignSize) {
  const auto out = ResizeLayout(Design());
  EXPECT_EQ(Value(out, "picDir", Edge::Height), 8390);
  EXPECT_EQ(Value(out, "dirListe", Edge::Height), 6070);
  EXPECT_EQ(Value(out, "picTagCheck", Edge::Top), 7390);
  EXPECT_EQ(Value(out, "chkMerge", Edge::Top), 1200);
  for (const char* view : {"chkView(0)", "chkView(1)", "chkView(2)"}) EXPECT_EQ(Value(out, view, Edge::Top), 6670);
  for (const char* view : {"chkView(3)", "chkView(4)", "chkView(5)"}) EXPECT_EQ(Value(out, view, Edge::Top), 7010);
  EXPECT_EQ(Value(out, "wb", Edge::Width), 8545);
  EXPECT_EQ(Value(out, "wb", Edge::Height), 8340);
  EXPECT_EQ(Value(out, "lstFiles", Edge::Left), 12005);
  EXPECT_EQ(Value(out, "lstFiles", Edge::Height), 5090);
  EXPECT_EQ(Value(out, "lstSortFiles", Edge::Left), 12005);
  EXPECT_EQ(Value(out, "picTags", Edge::Top), 5690);
  EXPECT_EQ(Value(out, "picBatch", Edge::Left), 12005);
  EXPECT_EQ(Value(out, "picOptions", Edge::Left), 12045);
}

TEST(ResizeLayout, A2000TwipsHighWindowKeepsTheTreeAndListHeights) {
  CurrentLayout low = Design();
  low.outerHeight = 2000;
  low.innerHeight = 1550;
  const auto out = ResizeLayout(low);
  bool found = true;
  Value(out, "dirListe", Edge::Height, &found);
  EXPECT_FALSE(found);
  Value(out, "lstFiles", Edge::Height, &found);
  EXPECT_FALSE(found);
  EXPECT_EQ(Value(out, "lstSortFiles", Edge::Height), 5090);  // the list's kept height
  EXPECT_EQ(Value(out, "picDir", Edge::Height), 1420);
  EXPECT_EQ(Value(out, "picTagCheck", Edge::Top), 420);
}

TEST(ResizeLayout, WideningBy1000MovesTheFileColumn) {
  CurrentLayout wide = Design();
  wide.outerWidth += 1000;
  wide.innerWidth += 1000;
  const auto before = ResizeLayout(Design());
  const auto after = ResizeLayout(wide);
  for (const char* control : {"lstFiles", "lstSortFiles", "picTags", "picBatch", "picOptions"}) {
    EXPECT_EQ(Value(after, control, Edge::Left) - Value(before, control, Edge::Left), 1000) << control;
  }
  EXPECT_EQ(Value(after, "wb", Edge::Width) - Value(before, "wb", Edge::Width), 1000);
}

TEST(Volumes, PseudoFileSystemsAreLeftOut) {
  struct Row {
    const char* type;
    const char* root;
    bool pseudo;
  };
  const Row rows[] = {
      {"ext4", "/", false},          {"xfs", "/home", false},      {"vfat", "/media/usb", false},
      {"overlay", "/", false},       {"proc", "/proc", true},      {"sysfs", "/sys", true},
      {"cgroup2", "/sys/fs/cgroup", true}, {"tmpfs", "/run/user/0", true}, {"ext4", "/dev/shm", true},
      {"ext4", "/running", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsPseudoFileSystem(row.type, row.root), row.pseudo) << row.type << " " << row.root;
}

TEST(Volumes, TheVolumeOfAPathIsTheLongestRootAtASeparator) {
  const std::vector<std::string> roots = {"/", "/media/usb", "/work"};
  EXPECT_EQ(VolumeOf("/media/usb/Music/", roots), "/media/usb");
  EXPECT_EQ(VolumeOf("/work", roots), "/work");
  EXPECT_EQ(VolumeOf("/workshop/a/", roots), "/");
  EXPECT_EQ(VolumeOf("/home/x/", roots), "/");
  EXPECT_EQ(VolumeOf("/home/x/", {"/work"}), "");
}

}  // namespace
}  // namespace mainwindow
