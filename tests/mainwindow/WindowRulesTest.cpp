// The rules behind the main window that need no window.
#include <gtest/gtest.h>

#include "core/toolkit/Translation.h"
#include "mainwindow/BrowsingRules.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/FileCommandRules.h"
#include "mainwindow/LayoutRules.h"
#include "mainwindow/Volumes.h"

namespace mainwindow {
namespace {

TEST(BrowsingRules, TheLastDroppedNameDecidesFolderAndEntry) {
  EXPECT_EQ(LastDroppedName({"/a/1.mp3", "/a/2.mp3", "/b/3.mp3"}), std::optional<std::string>("/b/3.mp3"));
  EXPECT_EQ(LastDroppedName({"/a/1.mp3", ""}), std::optional<std::string>("/a/1.mp3"));
  EXPECT_EQ(LastDroppedName({}), std::nullopt);
  const char* rows[][3] = {  // dropped, folder, entry
      {"/music/Album/03 Track.mp3", "/music/Album/", "03 Track.mp3"}, {"/music/Album/", "/music/", "Album"},
      {"/song.mp3", "/", "song.mp3"}};
  for (const auto& [dropped, folder, entry] : rows)
    EXPECT_EQ(DropTargetOf(dropped).folder + "|" + DropTargetOf(dropped).entry, std::string(folder) + "|" + entry);
}

TEST(ResizeLayout, LowAndWideWindows) {
  struct Row {  // twips -1: the control keeps what it has; column: the width of the file column
    double outerHeight, widen;
    const char* control;
    Edge edge;
    double twips, column = 4620;
  };
  const Row rows[] = {
      {2000, 0, "picDir", Edge::Height, 1420},       {2000, 0, "dirListe", Edge::Height, -1},
      {2000, 0, "lstFiles", Edge::Height, -1},       {2000, 0, "lstSortFiles", Edge::Height, 5090},
      {2900, 0, "dirListe", Edge::Height, 0},        {3880, 0, "lstSortFiles", Edge::Height, 0},  // a height 0 it takes
      {8970, 1000, "lstFiles", Edge::Left, 13005},   {8970, 1000, "picOptions", Edge::Left, 13045},
      {8970, 1000, "wb", Edge::Width, 9545},         {8970, 1000, "picRemoveTags", Edge::Left, 13005},
      {8970, 0, "picTags2", Edge::Top, 5690},        {8970, 0, "wb", Edge::Width, 7545, 5620},
      {8970, 0, "picTags2", Edge::Left, 11005, 5620}};
  for (const Row& row : rows) {
    CurrentLayout now;
    now.outerHeight = row.outerHeight, now.innerHeight = row.outerHeight - 450;
    now.outerWidth = 16845 + row.widen, now.innerWidth = 16725 + row.widen;
    now.lstFilesHeight = 5090, now.lstFilesWidth = row.column, now.picTagsHeight = 2760, now.chkNoTagOnlyTop = 1200;
    double twips = -1;
    for (const Placement& p : ResizeLayout(now)) twips = p.control == QLatin1String(row.control) && p.edge == row.edge ? p.twips : twips;
    EXPECT_EQ(twips, row.twips) << row.outerHeight << " " << row.widen << " " << row.column << ": " << row.control;
  }
}

TEST(Volumes, PseudoFileSystemsAreLeftOutAndAPathFindsItsVolume) {
  const std::vector<std::tuple<const char*, const char*, bool>> rows = {
      {"ext4", "/", false}, {"vfat", "/media/usb", false}, {"overlay", "/", false}, {"proc", "/proc", true},
      {"sysfs", "/sys", true}, {"tmpfs", "/run/user/0", true}, {"ext4", "/dev/shm", true}, {"ext4", "/running", false}};
  for (const auto& [type, root, pseudo] : rows) EXPECT_EQ(IsPseudoFileSystem(type, root), pseudo) << type << " " << root;
  const char* volumes[][2] = {{"/media/usb/Music/", "/media/usb"}, {"/work", "/work"}, {"/workshop/a/", "/"}};
  for (const auto& [path, volume] : volumes) EXPECT_EQ(VolumeOf(path, {"/", "/media/usb", "/work"}), volume) << path;
  EXPECT_EQ(VolumeOf("/home/x/", {"/work"}), "");
}

TEST(LanguageTexts, GermanSourcesAndTheirEnglish) {
  using Kind = formats::Loss::Kind;
  const std::vector<std::pair<std::function<QString()>, std::array<const char*, 2>>> cases = {
      // The save button's captions while a save runs (the others are checked on the window).
      {[] { return SaveTagCaption(SaveCaption::SavingOne) + SaveTagCaption(SaveCaption::SavingSeveral); },
       {"TAG schreiben...TAGs bearbeiten...", "Writing TAG...Editing TAGs..."}},
      {[] { return SaveTagCaption(SaveCaption::EnterSaving); }, {"TAG Schreiben...", "Writing TAG..."}},
      {[] { return LossQuestion({"/m/a.mp3", {{Kind::Frame, 4, "TXXX", "encrypted ID3v2.4 frame TXXX"},
                                              {Kind::DamagedBytes, 3, "", "a frame runs past the tag"}}}); },
       {"/m/a.mp3\nBeim Speichern ginge verloren:\n  der Rahmen TXXX: encrypted ID3v2.4 frame TXXX\n"
        "  die besch\xC3\xA4" "digten Bytes des ID3v2.3-Tags: a frame runs past the tag\nTrotzdem speichern?",
        "/m/a.mp3\nSaving would lose:\n  encrypted ID3v2.4 frame TXXX\n  the damaged bytes of the ID3v2.3 tag: a frame runs past the tag\nSave anyway?"}},
      {[] {
         formats::Status refused = formats::Status::Of(formats::Failure::Refused, "/m/e.mp3");
         refused.losses = {{Kind::UnreadableTag, 4, "", "the tag header is cut off"}};
         return SaveFailureMessage({formats::Status::Io(ENOSPC, "/m/B\xC3\xA4r.mp3"), formats::Status::Io(EROFS, "/m/b.mp3"),
                                    formats::Status::Io(ENOENT, "/m/c.mp3"), formats::Status::Of(formats::Failure::Damaged, "/m/d.mp3"), refused,
                                    formats::Status::Of(formats::Failure::OutOfRange, "/m/f.mp3"), formats::Status::Io(EACCES, "/m/g.mp3")}, 6);
       },
       {"Diese Dateien konnten nicht geschrieben werden, ihre Tags sind unver\xC3\xA4ndert:\n/m/B\xC3\xA4r.mp3: Datentr\xC3\xA4ger voll\n"
        "/m/b.mp3: schreibgesch\xC3\xBCtzt\n/m/c.mp3: die Datei ist verschwunden\n/m/d.mp3: der Tag ist besch\xC3\xA4" "digt und w\xC3\xBC" "rde ersetzt\n"
        "/m/e.mp3: Speichern abgelehnt: ginge verloren: der ID3v2.4-Tag, der nicht lesbar ist: the tag header is cut off\n"
        "/m/f.mp3: Tracknummer au\xC3\x9F" "erhalb 0..255\n... und 1 weitere",
        "These files could not be written; their tags are unchanged:\n/m/B\xC3\xA4r.mp3: disk full\n/m/b.mp3: read-only\n"
        "/m/c.mp3: the file vanished\n/m/d.mp3: the tag is damaged and would be replaced\n"
        "/m/e.mp3: a save was refused: it would lose the ID3v2.4 tag, which cannot be read: the tag header is cut off\n"
        "/m/f.mp3: track number out of range\n... and 1 more"}},
      {[] {
         using tagging::Reason;
         return QString::fromStdString(RunWords().failureMessage({{"/m/a.mp3", Reason::NotWritable, {}, formats::Status::Io(EPERM)},
             {"/m/b.mp3", Reason::Done}, {"/m/c.mp3", Reason::LeftOut}, {"/m/d.mp3", Reason::Cancelled}, {"/m/e.mp3", Reason::TargetExists}}, 3));
       },
       {"Diese Dateien konnten nicht ge\xC3\xA4ndert werden:\n/m/a.mp3: kann nicht geschrieben werden: schreibgesch\xC3\xBCtzt\n"
        "/m/c.mp3: nicht aufgenommen (mehr als 101 Dateien)\n/m/d.mp3: nicht bearbeitet: abgebrochen\n... und 1 weitere",
        "These files could not be changed:\n/m/a.mp3: cannot be written: read-only\n/m/c.mp3: left out (more than 101 files)\n"
        "/m/d.mp3: not done: cancelled\n... and 1 more"}},
      {[] {
         tagging::MergePlan plan;
         plan.target = "/m/Album.mp3";
         tagging::MergeResult result;
         result.album = "/m/merged.mp3";
         return QString::fromStdString(RunWords().mergeNotice(plan, result));
       },
       {"Eine Datei namens /m/Album.mp3 existiert bereits.\nDas Album liegt unter /m/merged.mp3; keine andere Datei wurde "
        "ge\xC3\xA4ndert.\nDas Album konnte keine Tags erhalten.",
        "A file named /m/Album.mp3 exists already.\nThe album is kept as /m/merged.mp3; no other file was changed.\nThe album could not be tagged."}},
  };
  for (const int language : {1, 0}) {
    ASSERT_TRUE(core::SetInterfaceLanguage(language));
    for (const auto& [text, expected] : cases) EXPECT_EQ(text(), QString::fromUtf8(expected[language]));
  }
}

// No failure, no message; as many files as shown: no "more" line.
TEST(SaveReports, FailuresEmptyOrExactlyAsManyAsShownAndProgressPercent) {
  EXPECT_TRUE(SaveFailureMessage({}).isEmpty());
  const std::vector<formats::Status> files(25, formats::Status::Io(ENOSPC, "/m/a.mp3"));
  EXPECT_EQ(SaveFailureMessage(files, 25).split(QLatin1Char('\n')).size(), 26);
  EXPECT_EQ(SaveFailureMessage(files, 20).split(QLatin1Char('\n')).size(), 22);
  // The save's progress in percent rounds half to even and ends at 100.
  const std::vector<std::array<int, 3>> cases = {  // count, index, percent
      {1, 0, 100}, {3, 0, 33}, {3, 1, 67}, {8, 0, 12}, {8, 2, 38}, {8, 4, 62}, {8, 7, 100}, {0, 0, 0}, {3, 5, 100}};
  for (const auto& [count, index, percent] : cases) EXPECT_EQ(SaveProgressPercent(count, index), percent) << count << " " << index;
}

}  // namespace
}  // namespace mainwindow
