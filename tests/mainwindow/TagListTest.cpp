// The tag list in the main window and the file commands of the context menu.
#include <QSignalSpy>
#include <QThreadPool>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>
#include <thread>

#include "TaggerFixture.h"
#include "mainwindow/FileCommandRules.h"
#include "windows/frmProgress.h"
#include "windows/frmRename.h"

namespace tagger_test {
namespace {

class TagListTest : public TaggerTest {
 protected:
  void restart() override {
    TaggerTest::restart();
    values.TempIndexFile = values.TempDir + "index.htm", values.IndexDir = values.AppPath + "Index/";
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
      paths.push_back(song(name, {}, [&](auto& t) { t.setArtist("Art"), t.setSongTitle(std::string("Song ") + name); }));
  }
  // Whether the page was written since the last call, once the build under way has ended.
  bool built() { return waitForTagList(), ::unlink(values.TempIndexFile.c_str()) == 0; }
  std::string page() { return waitForTagList(), support::ReadFileBytes(values.TempIndexFile); }
  QWebEngineView* view() { return find<QWebEngineView>("wb"); }
  windows::frmProgress* progress() { return window->findChild<windows::frmProgress*>(QStringLiteral("frmProgress")); }
  // A gate that holds every file operation of the workers while it is closed (the window's own thread passes).
  void useGate() {
    failing.beforeOperation([this, window = std::this_thread::get_id()] {
      while (!gateOpen && std::this_thread::get_id() != window) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    this->window->setFormatFileSystem(failing);
  }
  void TearDown() override { gateOpen = true, TaggerTest::TearDown(); }
  std::atomic<bool> gateOpen{true};
};

// Rows in sequence: the user's steps, whether the list is built, a text in the page ("!": not), the button
// when the progress window comes up (its gauge from 0, whatever the last list left), the button after.
TEST_F(TagListTest, EveryTriggerBuildsTheListOnceAndTheButtonShowsTheBuild) {
  const std::string other = folder("other"), album = "<strong>Album<", noAlbum = "!<strong>Album<";
  const auto recursive = [&](bool on) { return [=] { box("chkRecursive")->setChecked(on); }; };
  const std::tuple<const char*, Steps, bool, std::string, const char*, const char*> rows[] = {
      {"cmdTagCheck on a folder without files", {"cmdTagCheck"}, true, noAlbum, "", "TAGS einlesen"},
      {"folder change with chkAuto", {"open:music"}, true, album, "in Arbeit...10", ""},
      {"album unticked", {"chkView(0)"}, true, noAlbum, "", ""}, {"album ticked", {"chkView(0)"}, true, album, "", ""},
      {"chkRecursive click", {"chkRecursive"}, false, "", "", "S T A R T E N"},
      {"folder change while recursive", {"open:other"}, false, "", "", ""}, {"a view click", {"chkView(2)"}, false, "", "", ""},
      {"recursive list by the button", {"cmdTagCheck"}, true, noAlbum, "", "S T A R T E N"},
      {"chkAuto cleared", {"chkRecursive", [&] { box("chkAuto")->setChecked(false); }}, false, "", "", ""},
      {"folder change without chkAuto", {"open:music"}, false, "", "", ""}, {"a view click", {"chkView(3)"}, false, "", "", ""},
      {"held", {[&] { window->tagList().setHeld(true); }, "chkView(0)", "cmdTagCheck"}, false, "", "", ""},
      {"released", {[&] { window->tagList().setHeld(false), window->tagList().BuildTagList(); }}, true, noAlbum, "", ""},
      {"German", {"mnuLanguage(0)", recursive(true), "chkRecursive"}, false, "", "", "TAGS einlesen"},
      {"its list", {"cmdTagCheck"}, true, "Gesamtspieldauer : 00:00:00", "in Arbeit...10", "TAGS einlesen"},
      {"English", {"mnuLanguage(1)", recursive(true), "chkRecursive"}, false, "", "", "Re-read TAG list"},
      {"its list", {"cmdTagCheck"}, true, "Total playing time : 00:00:00", "working...10", "Read TAG list"},
      {"German, recursive", {"mnuLanguage(0)", recursive(false), "chkRecursive"}, false, "", "", "S T A R T E N"},
      {"its list", {"cmdTagCheck"}, true, "3 Dateien", "in Arbeit...10", "S T A R T E N"},
      {"English, recursive", {"mnuLanguage(1)", recursive(false), "chkRecursive"}, false, "", "", "S T A R T"},
      {"its list", {"cmdTagCheck"}, true, "3 Files", "working...10", "S T A R T"}};
  QString seen;
  const ShowWatch watch("frmProgress", [&] {
    if (seen.isEmpty()) seen = probe("cmdTagCheck") + probe("enabled:cmdTagCheck") + QString::number(progress()->value());
  });
  built();
  for (const auto& [what, steps, builds, has, during, after] : rows) {
    SCOPED_TRACE(what);
    seen.clear(), act(steps);
    const bool absent = !has.empty() && has[0] == '!';
    EXPECT_TRUE(has.empty() || (page().find(has.substr(absent)) == std::string::npos) == absent) << page();
    EXPECT_EQ(built(), builds);
    EXPECT_TRUE(!*during || seen == U(during)) << seen.toStdString();
    if (*after) check(std::string("cmdTagCheck=") + after);
  }
  EXPECT_FALSE(progress()->isVisible());
}

// While a build is held at the gate (or its page is on its way), a second request drops it and only its own
// page is written and shown; Cancel and Escape stop it, the page before stays, the button is ready again.
TEST_F(TagListTest, WhatComesWhileABuildRuns) {
  const auto cancel = [&] { QTest::mouseClick(progress()->cmdCancel(), Qt::LeftButton); };
  const std::tuple<const char*, Steps, bool, bool> rows[] = {  // what comes, all files read before, a cancel
      {"a folder change", {"open:other"}, false, false}, {"the button", {"cmdTagCheck"}, false, false},
      {"a column", {"chkView(0)"}, false, false}, {"Cancel while reading", {cancel}, false, true},
      {"Escape while reading", {[&] { QTest::keyClick(progress(), Qt::Key_Escape); }}, false, true},
      {"Cancel after the last file", {cancel}, true, true}};
  for (const auto& [what, during, allRead, cancelled] : rows) {
    SCOPED_TRACE(what);
    restart(), useGate(), folder("other");
    box("chkView(0)")->setChecked(false);
    QSignalSpy loaded(&window->tagList(), &mainwindow::TagListController::pageLoaded);
    open(music);
    const std::string before = page();
    ASSERT_TRUE(RunUntil([&] { return !loaded.isEmpty(); }));
    const std::size_t pages = failing.created().size();
    loaded.clear(), gateOpen = false;
    act({cancelled ? "chkView(0)" : "cmdTagCheck"});  // a cancel's build would bring the album column
    EXPECT_TRUE(RunUntil([&] { return progress() && progress()->isVisible(); }));
    if (allRead) gateOpen = true, QThreadPool::globalInstance()->waitForDone();
    const QSignalSpy ends(&window->tagList(), &mainwindow::TagListController::buildingChanged);
    act(during);
    EXPECT_EQ(window->tagList().isBuilding(), !cancelled);
    gateOpen = true;
    const std::string written = page();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(cancelled || RunUntil([&] { return !loaded.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(loaded.size(), cancelled ? 0 : 1);
    EXPECT_EQ(view()->title(), Q(values.CurrentDirName));
    if (cancelled) {
      check("cmdTagCheck=TAGS einlesen");
      EXPECT_TRUE(!progress()->isVisible() && written == before);
      EXPECT_EQ(ends.size(), 1) << "the build ends once; what it still sent is dropped";
    } else {
      EXPECT_EQ(failing.created().size(), pages + 1);
      EXPECT_NE(written.find("<h1>" + values.CurrentDirName + "</h1>"), std::string::npos);
      EXPECT_EQ(written.find("<strong>Album<") != std::string::npos, box("chkView(0)")->isChecked());
    }
  }
}

// Delete asks, moves the selected files (of the play order when on show) to the trash; Undo takes them back.
TEST_F(TagListTest, DeleteTable) {
  const auto opened = [this] { open(music), built(); };
  const auto trashed = [this](std::size_t count, bool rebuilt) {
    return [=] {
      EXPECT_EQ(support::FolderEntries(*home / "Trash/files").size(), count);
      EXPECT_EQ(built(), rebuilt) << "the list is built again only after a delete";
    };
  };
  const Steps playOrder = {"optTagEdit(2)", "chkDragDrop", [&] { sortFiles()->item(2)->setSelected(true); }, "@0"};
  const std::string question = "message=Ausgew\xC3\xA4hlte Dateien wirklich in den Papierkorb verschieben ?   ";
  table({
      {"answered No", opened, {"@0", "No", "Del", trashed(0, false)}, {question, "files=a.mp3|b.mp3|c.mp3", "lstFiles=a.mp3|b.mp3|c.mp3"}},
      {"nothing selected", opened, {"@", "Yes", "Del", trashed(0, false)}, {question, "files=a.mp3|b.mp3|c.mp3"}},
      {"play order on show", opened, Then(playOrder, {"Yes", "Del", trashed(1, true)}),
       {question, "files=a.mp3|b.mp3", "lstFiles=a.mp3|b.mp3"}},
      {"all three, one shown", opened, {"#0", "@0,1,2", "Yes", "Del", trashed(3, true)}, {question, "files=", "lstFiles=", "lblTime="}},
      {"undone", opened, {"#0", "@0,1,2", "Yes", "Del", "mnuUndo", [&] { EXPECT_EQ(support::FolderEntries(*home / "Trash/info"), Names{}); }},
       {"files=a.mp3|b.mp3|c.mp3"}},
      {"in English", opened, {"mnuLanguage(1)", "Del"}, {"message=Really move all selected files to the trash ?   "}}});
}

// The view shows the page written, non-Latin texts included; the list saved and the collection copy it.
TEST_F(TagListTest, ViewSaveListAndCollectionShowAndCopyTheWrittenPage) {
  song("d.mp3", {}, [](auto& t) { t.setArtist("Caf\xC3\xA9"), t.setSongTitle("<b>x</b>"); });
  const QSignalSpy loaded(&window->tagList(), &mainwindow::TagListController::pageLoaded);
  open(music);
  ASSERT_TRUE(RunUntil([&] { return !loaded.isEmpty(); }));
  EXPECT_EQ(view()->title(), QStringLiteral("music"));
  for (const QString& text : {U("Caf\xC3\xA9"), QStringLiteral("<b>x</b>")}) {
    int matches = -1;
    view()->findText(text, {}, [&](const QWebEngineFindTextResult& found) { matches = found.numberOfMatches(); });
    EXPECT_TRUE(RunUntil([&] { return matches >= 0; }));
    EXPECT_EQ(matches, 1) << text.toStdString();
  }
  const std::string written = page();
  EXPECT_NE(written.find("<h1>music</h1>"), std::string::npos);
  support::WriteFileBytes(music + "index.htm", "an older list");
  act({"mnuSaveList", "mnuCollect"});  // the collection folder is made on the way
  EXPECT_EQ(support::ReadFileBytes(music + "index.htm") + support::ReadFileBytes(values.IndexDir + "music.htm"), written + written);
  open(folder("other"));
  window->fileCommands().mnuSaveList_Click();  // the menu is disabled then; the command itself does nothing either
  EXPECT_FALSE(support::FileExists(temp.file("other/index.htm")));
  EXPECT_EQ(mainwindow::CollectionFileName("Best Of") + mainwindow::CollectionFileName("/"), "Best Of.htmRoot.htm");
}

TEST_F(TagListTest, RenameOpensTheDialogWithTheNameAndRefreshesTheLists) {
  act({"open:music", "#1", "cmdRefresh"});
  check("enabled:mnuRename=0");  // no file is selected after a refresh
  act({"#1", "mnuRename"});
  auto* dialog = window->findChild<windows::frmRename*>();
  ASSERT_TRUE(dialog && dialog->isVisible());
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("txtFileName"));
  auto* rename = dialog->findChild<QPushButton*>(QStringLiteral("cmdRename"));
  EXPECT_EQ(name->text(), QStringLiteral("b"));
  name->setText(QStringLiteral("a/b"));
  QTest::mouseClick(rename, Qt::LeftButton);
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().owner, dialog) << "the refusal opens in front of the dialog";
  QTest::keyClick(name, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible()) << "Escape cancels";
  act({"mnuRename"});
  name->setText(QStringLiteral("best"));
  built();
  QTest::mouseClick(rename, Qt::LeftButton);
  check("lstFiles=a.mp3|best.mp3|c.mp3");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(built()) << "the tag list is built again with the new name";
}

}  // namespace
}  // namespace tagger_test
