// The tag list in the main window and the file commands of the context menu.

#include "TaggerFixture.h"
#include "mainwindow/FileCommandRules.h"
#include "windows/frmRename.h"

namespace tagger_test {
namespace {

class TagListTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    values.TempIndexFile = values.TempDir + "index.htm";
    values.IndexDir = values.AppPath + "Index/";
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
      paths.push_back(song(name, {}, [&](auto& t) { t.setArtist("Art"), t.setSongTitle(std::string("Song ") + name); }));
  }
  // Whether the page was written since the last call.
  bool built() {
    const bool there = support::FileExists(values.TempIndexFile);
    if (there) ::unlink(values.TempIndexFile.c_str());
    return there;
  }
  QString page() { return find<QTextBrowser>("wb")->toPlainText(); }
};

// Each row: what the user does, whether the list is built, and with it whether the album
// column is in the page written and in the page shown.
TEST_F(TagListTest, EveryTriggerBuildsTheListOnceWithTheColumnsTicked) {
  struct Case {
    const char* what;
    std::function<void()> act;
    bool builds, album;
  };
  const std::string other = folder("other");
  const Case cases[] = {
      {"cmdTagCheck on a folder without files", [&] { act({"cmdTagCheck"}); }, true, false},
      {"folder change with chkAuto", [&] { open(music); }, true, true},
      {"album unticked", [&] { act({"chkView(0)"}); }, true, false},
      {"album ticked", [&] { act({"chkView(0)"}); }, true, true},
      {"chkRecursive click", [&] { act({"chkRecursive"}); }, false, false},
      {"folder change while recursive", [&] { open(other); }, false, false},
      {"chkView click while recursive", [&] { act({"chkView(2)"}); }, false, false},
      {"recursive list by the button", [&] { act({"cmdTagCheck"}); }, true, false},
      {"chkAuto cleared", [&] { act({"chkRecursive"}), box("chkAuto")->setChecked(false); }, false, false},
      {"folder change without chkAuto", [&] { open(music); }, false, false},
      {"chkView click without chkAuto", [&] { act({"chkView(3)"}); }, false, false},
      {"held", [&] { window->setTagListHeld(true), act({"chkView(0)", "cmdTagCheck"}); }, false, false},
      {"released", [&] { window->setTagListHeld(false), window->BuildTagList(); }, true, false},
  };
  built();
  for (const Case& c : cases) {
    c.act();
    if (c.builds) {
      const std::string written = support::ReadFileBytes(values.TempIndexFile);
      EXPECT_EQ(written.find("<strong>Album<") != std::string::npos, c.album) << c.what;
      EXPECT_EQ(page().contains(QStringLiteral("Album")), c.album) << c.what;
    }
    EXPECT_EQ(built(), c.builds) << c.what;
  }
}

// A click of chkRecursive sets the caption; while the files are read the button is disabled
// with its working caption and the progress window is up; afterwards the caption follows the
// language and chkRecursive.
TEST_F(TagListTest, ButtonAndProgressWindowAroundTheBuild) {
  struct Case {
    int language;
    bool recursive;
    QString clicked, working, after, heading;
  };
  const Case cases[] = {
      {0, false, "TAGS einlesen", "in Arbeit...", "TAGS einlesen", "Gesamtspieldauer : 00:00:00"},
      {1, false, "Re-read TAG list", "working...", "Read TAG list", "Total playing time : 00:00:00"},
      {0, true, "S T A R T E N", "in Arbeit...", "S T A R T E N", "3 Dateien"},
      {1, true, "S T A R T", "working...", "S T A R T", "3 Files"},
  };
  open(music);
  for (const Case& c : cases) {
    window->mnuLanguage_Click(c.language);
    box("chkRecursive")->setChecked(!c.recursive);
    act({"chkRecursive"});
    EXPECT_EQ(caption("cmdTagCheck"), c.clicked);
    QStringList seen;
    const ShowWatch watch("frmProgress", [&] {
      seen << caption("cmdTagCheck") + (find<QPushButton>("cmdTagCheck")->isEnabled() ? " on" : " off");
    });
    act({"cmdTagCheck"});
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), c.working + " off");
    EXPECT_EQ(caption("cmdTagCheck"), c.after);
    EXPECT_TRUE(find<QPushButton>("cmdTagCheck")->isEnabled());
    EXPECT_TRUE(page().contains(c.heading)) << page().toStdString();
  }
  EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("frmProgress"))->isVisible());
}

TEST_F(TagListTest, DeleteAsksThenRemovesTheSelectedFilesAndRefreshes) {
  // What is selected (in play-order mode the play order's row 2, and lstFiles has another
  // selection that must not count), the answer, and the files left.
  const std::tuple<const char*, bool, std::vector<std::string>, Names> cases[] = {
      {"answered No", false, {"@0", "No"}, {"a.mp3", "b.mp3", "c.mp3"}},
      {"nothing selected", false, {"@", "Yes"}, {"a.mp3", "b.mp3", "c.mp3"}},
      {"play order on show", true, {"@0", "Yes"}, {"a.mp3", "b.mp3"}},
      {"all three, one shown", false, {"#0", "@0,1,2", "Yes"}, {}},
  };
  auto* mode = new QRadioButton(window.get());  // the batch panel's controls, as it names them
  mode->setObjectName(QStringLiteral("optTagEdit(2)"));
  auto* dragDrop = new QCheckBox(window.get());
  dragDrop->setObjectName(QStringLiteral("chkDragDrop"));
  open(music);
  for (const auto& [what, playOrder, steps, left] : cases) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) mp3(music, name);
    act({"cmdRefresh"});
    built();
    mode->setChecked(playOrder), dragDrop->setChecked(playOrder);
    find<QListWidget>("lstSortFiles")->item(2)->setSelected(playOrder);
    act(steps);
    // The files go to the trash of a data folder of this case, and Undo takes them back.
    const support::ScopedDataHome home;
    window->mnuDel_Click();
    EXPECT_EQ(dialogs.shown.back().text,
              U("Ausgew\xC3\xA4hlte Dateien wirklich in den Papierkorb verschieben ?   ")) << what;
    EXPECT_EQ(support::FolderEntries(music), left) << what;
    EXPECT_EQ(listed(files()), left) << what;
    EXPECT_EQ(built(), left.size() < 3) << what;  // the list is built again only after a delete
    const std::size_t trashed = 3 - left.size();
    EXPECT_EQ(support::FolderEntries(home / "Trash/files").size(), trashed) << what;
    if (left.size() < 3) {
      EXPECT_EQ(find<QLabel>("lblTime")->text(), QString()) << what << ": the view is cleared";
      window->mnuUndo_Click();
      EXPECT_EQ(support::FolderEntries(music), (Names{"a.mp3", "b.mp3", "c.mp3"})) << what << ": undone";
      EXPECT_EQ(support::FolderEntries(home / "Trash/info"), Names{}) << what << ": undone";
    }
  }
  window->mnuLanguage_Click(1);
  window->mnuDel_Click();
  EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Really move all selected files to the trash ?   "));
}

// The view shows the page written, non-Latin texts included; the list saved and the
// collection are copies of it.
TEST_F(TagListTest, ViewSaveListAndCollectionShowAndCopyTheWrittenPage) {
  song("d.mp3", {}, [](auto& t) { t.setArtist("Caf\xC3\xA9"), t.setSongTitle("<b>x</b>"); });
  open(music);
  EXPECT_TRUE(page().contains(U("Caf\xC3\xA9")) && page().contains(QStringLiteral("<b>x</b>"))) << page().toStdString();
  const std::string written = support::ReadFileBytes(values.TempIndexFile);
  EXPECT_NE(written.find("<h1>music</h1>"), std::string::npos);
  support::WriteFileBytes(music + "index.htm", "an older list");
  item("mnuSaveList")->trigger();
  EXPECT_EQ(support::ReadFileBytes(music + "index.htm"), written);
  item("mnuCollect")->trigger();  // the collection folder is made on the way
  EXPECT_EQ(support::ReadFileBytes(values.IndexDir + "music.htm"), written);
  open(folder("other"));
  window->mnuSaveList_Click();  // the menu is disabled then; the command itself does nothing either
  EXPECT_FALSE(support::FileExists(temp.file("other/index.htm")));
  const std::pair<std::string, std::string> names[] = {{"Best Of", "Best Of.htm"}, {"/", "Root.htm"}};
  for (const auto& [name, file] : names) EXPECT_EQ(mainwindow::CollectionFileName(name), file);
}

TEST_F(TagListTest, RenameOpensTheDialogWithTheNameAndRefreshesTheLists) {
  open(music);
  click(1);
  act({"cmdRefresh"});
  EXPECT_FALSE(item("mnuRename")->isEnabled()) << "no file is selected after a refresh";
  click(1);
  item("mnuRename")->trigger();
  auto* dialog = window->findChild<windows::frmRename*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("txtFileName"));
  EXPECT_EQ(name->text(), QStringLiteral("b"));
  auto* rename = dialog->findChild<QPushButton*>(QStringLiteral("cmdRename"));
  name->setText(QStringLiteral("a/b"));
  QTest::mouseClick(rename, Qt::LeftButton);
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().owner, dialog) << "the refusal opens in front of the dialog";
  QTest::keyClick(name, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible()) << "Escape cancels";
  item("mnuRename")->trigger();
  name->setText(QStringLiteral("best"));
  built();
  QTest::mouseClick(rename, Qt::LeftButton);
  EXPECT_EQ(listed(files()), (Names{"a.mp3", "best.mp3", "c.mp3"}));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(built()) << "the tag list is built again with the new name";
}

}  // namespace
}  // namespace tagger_test
