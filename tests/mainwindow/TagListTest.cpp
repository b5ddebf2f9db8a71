// The tag list in the main window and the file commands of the context menu.

#include <QSignalSpy>
#include <QThreadPool>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "TaggerFixture.h"
#include "mainwindow/FileCommandRules.h"
#include "windows/frmProgress.h"
#include "windows/frmRename.h"

namespace tagger_test {
namespace {

// The real file system, with a gate that holds every file the worker opens while it is
// closed (the window's own thread passes), and a count of the pages written.
class GateFileSystem final : public formats::FileSystem {
 public:
  void close() {
    const std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
  }
  void open() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      open_ = true;
    }
    opened_.notify_all();
  }
  int pagesWritten() const { return pages_; }
  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override {
    std::unique_lock<std::mutex> lock(mutex_);
    opened_.wait(lock, [&] { return open_ || std::this_thread::get_id() == window_; });
    return inner_.openRead(path);
  }
  std::unique_ptr<formats::OutputFile> createNew(const std::string& path) override { return inner_.createNew(path); }
  std::unique_ptr<formats::OutputFile> createWork(const std::string& path, const std::string& model) override {
    ++pages_;
    return inner_.createWork(path, model);
  }
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& path) override { return inner_.openAppend(path); }
  bool replace(const std::string& from, const std::string& to) override { return inner_.replace(from, to); }
  bool renameNoReplace(const std::string& from, const std::string& to) override { return inner_.renameNoReplace(from, to); }
  bool remove(const std::string& path) override { return inner_.remove(path); }
  bool exists(const std::string& path) override { return inner_.exists(path); }
  bool truncate(const std::string& path, std::uint64_t length) override { return inner_.truncate(path, length); }

 private:
  formats::FileSystem& inner_ = formats::FileSystem::standard();
  const std::thread::id window_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = true;
  std::atomic<int> pages_{0};
};

class TagListTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    values.TempIndexFile = values.TempDir + "index.htm";
    values.IndexDir = values.AppPath + "Index/";
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
      paths.push_back(song(name, {}, [&](auto& t) { t.setArtist("Art"), t.setSongTitle(std::string("Song ") + name); }));
  }
  // Whether the page was written since the last call, once the build under way has ended.
  bool built() {
    waitForTagList();
    const bool there = support::FileExists(values.TempIndexFile);
    if (there) ::unlink(values.TempIndexFile.c_str());
    return there;
  }
  std::string page() {
    waitForTagList();
    return support::ReadFileBytes(values.TempIndexFile);
  }
  QWebEngineView* view() { return find<QWebEngineView>("wb"); }
  windows::frmProgress* progress() { return window->findChild<windows::frmProgress*>(QStringLiteral("frmProgress")); }
};

// Each row: what the user does, whether the list is built, and with it whether the album
// column is in the page written.
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
      {"held", [&] { window->tagList().setHeld(true), act({"chkView(0)", "cmdTagCheck"}); }, false, false},
      {"released", [&] { window->tagList().setHeld(false), window->tagList().BuildTagList(); }, true, false},
  };
  built();
  for (const Case& c : cases) {
    c.act();
    if (c.builds) {
      EXPECT_EQ(page().find("<strong>Album<") != std::string::npos, c.album) << c.what;
    }
    EXPECT_EQ(built(), c.builds) << c.what;
  }
}

// A click of chkRecursive sets the caption; while the files are read the button shows its
// working caption (and stays usable: a click starts the list again) and the progress window
// is up, its gauge from 0; afterwards the caption follows the language and chkRecursive.
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
      seen << caption("cmdTagCheck") + (find<QPushButton>("cmdTagCheck")->isEnabled() ? " on " : " off ") +
                  QString::number(progress()->value());
    });
    act({"cmdTagCheck"});
    EXPECT_NE(page().find(c.heading.toStdString()), std::string::npos) << page();
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), c.working + " on 0");  // the gauge starts at 0, whatever the last list left
    EXPECT_EQ(caption("cmdTagCheck"), c.after);
  }
  EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("frmProgress"))->isVisible());
}

// A second request while the files are still read (held at a gate): the first build is
// dropped, and only the page of the second is written and shown.
TEST_F(TagListTest, SecondTriggerCancelsTheRunningBuild) {
  const std::pair<const char*, std::function<void()>> triggers[] = {
      {"folder change", [&] { open(folder("other")); }},
      {"cmdTagCheck", [&] { act({"cmdTagCheck"}); }},
      {"chkView(0)", [&] { act({"chkView(0)"}); }},
  };
  GateFileSystem gate;
  window->setFormatFileSystem(gate);
  for (const auto& [what, trigger] : triggers) {
    open(music);
    box("chkView(0)")->setChecked(false);
    waitForTagList();
    const int pages = gate.pagesWritten();
    const QSignalSpy loaded(&window->tagList(), &mainwindow::TagListController::pageLoaded);
    gate.close();
    act({"cmdTagCheck"});
    trigger();
    EXPECT_TRUE(window->tagList().isBuilding()) << what;
    gate.open();
    const std::string written = page();
    EXPECT_EQ(gate.pagesWritten(), pages + 1) << what;
    EXPECT_TRUE(RunUntil([&] { return !loaded.isEmpty(); })) << what;
    EXPECT_EQ(loaded.size(), 1) << what;
    EXPECT_EQ(view()->title(), Q(values.CurrentDirName)) << what;
    EXPECT_NE(written.find("<h1>" + values.CurrentDirName + "</h1>"), std::string::npos) << what;
    EXPECT_EQ(written.find("<strong>Album<") != std::string::npos, box("chkView(0)")->isChecked()) << what;
  }
}

// Cancel and Escape in the progress window stop the build, while a file is read or once the
// last one was read and the page is on its way: the page shown before stays, in the view
// and in the page file, and the button is ready again.
TEST_F(TagListTest, CancelInTheProgressWindowKeepsThePreviousPage) {
  const std::tuple<const char*, bool, std::function<void()>> cancels[] = {
      {"Cancel while reading", false, [&] { QTest::mouseClick(progress()->cmdCancel(), Qt::LeftButton); }},
      {"Escape while reading", false, [&] { QTest::keyClick(progress(), Qt::Key_Escape); }},
      {"Cancel after the last file", true, [&] { QTest::mouseClick(progress()->cmdCancel(), Qt::LeftButton); }},
  };
  GateFileSystem gate;
  window->setFormatFileSystem(gate);
  box("chkView(0)")->setChecked(false);
  const QSignalSpy loaded(&window->tagList(), &mainwindow::TagListController::pageLoaded);
  open(music);
  const std::string before = page();
  ASSERT_TRUE(RunUntil([&] { return !loaded.isEmpty(); }));
  for (const auto& [what, allRead, cancel] : cancels) {
    gate.close();
    act({"chkView(0)"});  // the album column would come
    EXPECT_TRUE(RunUntil([&] { return progress() && progress()->isVisible(); })) << what;
    if (allRead) gate.open(), QThreadPool::globalInstance()->waitForDone();
    const QSignalSpy ends(&window->tagList(), &mainwindow::TagListController::buildingChanged);
    cancel();
    EXPECT_FALSE(window->tagList().isBuilding()) << what;
    EXPECT_FALSE(progress()->isVisible()) << what;
    EXPECT_EQ(caption("cmdTagCheck"), QStringLiteral("TAGS einlesen")) << what;
    gate.open();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(ends.size(), 1) << what << ": the build ends once; what it still sent is dropped";
    EXPECT_EQ(page(), before) << what;
    EXPECT_EQ(loaded.size(), 1) << what;
    EXPECT_EQ(view()->title(), QStringLiteral("music")) << what;
  }
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
    act({"Del"});
    EXPECT_EQ(dialogs.shown.back().text,
              U("Ausgew\xC3\xA4hlte Dateien wirklich in den Papierkorb verschieben ?   ")) << what;
    EXPECT_EQ(support::FolderEntries(music), left) << what;
    EXPECT_EQ(listed(files()), left) << what;
    EXPECT_EQ(built(), left.size() < 3) << what;  // the list is built again only after a delete
    const std::size_t trashed = 3 - left.size();
    EXPECT_EQ(support::FolderEntries(home / "Trash/files").size(), trashed) << what;
    if (left.size() < 3) {
      EXPECT_EQ(find<QLabel>("lblTime")->text(), QString()) << what << ": the view is cleared";
      find<QAction>("mnuUndo")->trigger();
      finishRuns();
      EXPECT_EQ(support::FolderEntries(music), (Names{"a.mp3", "b.mp3", "c.mp3"})) << what << ": undone";
      EXPECT_EQ(support::FolderEntries(home / "Trash/info"), Names{}) << what << ": undone";
    }
  }
  window->mnuLanguage_Click(1);
  act({"Del"});
  EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Really move all selected files to the trash ?   "));
}

// The view shows the page written, non-Latin texts included; the list saved and the
// collection are copies of it.
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
  item("mnuSaveList")->trigger();
  EXPECT_EQ(support::ReadFileBytes(music + "index.htm"), written);
  item("mnuCollect")->trigger();  // the collection folder is made on the way
  EXPECT_EQ(support::ReadFileBytes(values.IndexDir + "music.htm"), written);
  open(folder("other"));
  window->fileCommands().mnuSaveList_Click();  // the menu is disabled then; the command itself does nothing either
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
