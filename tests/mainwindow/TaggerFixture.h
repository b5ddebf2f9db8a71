// The window tests: the main window (TaggerTest) or the whole program (ProgramTest) in a fresh temporary
// folder, with recorded playback and scripted dialogs, driven by control names.
#pragma once
#include <QTest>
#include <QtWidgets>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

#include "app/lib/Program.h"
#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "windows/frmCover.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { PrintTo(texts.join(" | "), out); }

namespace tagger_test {

// Runs the event loop until done() holds (false after `ms`), without QTest::qWaitFor's slow pauses.
inline bool RunUntil(const std::function<bool()>& done, int ms = 20000) {
  QEventLoop loop;
  QTimer poll;
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] { if (done() || clock.elapsed() > ms) loop.quit(); });
  poll.start(5);
  if (!done()) loop.exec();
  return done();
}

using Names = std::vector<std::string>;
inline QString Q(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
inline QString Joined(const Names& names) {
  QStringList texts;
  for (const std::string& name : names) texts << Q(name);
  return texts.join('|');
}

// Counts how often a window of this name comes up, and runs a check each time.
class ShowWatch : public QObject {
 public:
  explicit ShowWatch(const char* name, std::function<void()> check = {}) : name(name), check(std::move(check)) { qApp->installEventFilter(this); }
  ~ShowWatch() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && object->objectName() == QLatin1String(name) && ++shown && check) check();
    return false;
  }
  int shown = 0;
  const char* name;
  std::function<void()> check;
};

// One step of a row: a text that act() reads, or anything else done between two steps.
struct Step {
  Step(const char* text) : text(text) {}
  Step(std::string text) : text(std::move(text)) {}
  template <typename F, typename = std::enable_if_t<std::is_invocable_v<F&>>>
  Step(F call) : call(std::move(call)) {}
  std::string text;
  std::function<void()> call;
};
using Steps = std::vector<Step>;
inline Steps Then(Steps steps, const Steps& more) {
  steps.insert(steps.end(), more.begin(), more.end());
  return steps;
}

// A row of a window table: its start (the music folder is remembered byte for byte after it), the
// steps, and what holds: "probe=text", or "probe~text" for a text the probe's contains.
struct Row {
  const char* name;
  std::function<void()> start;
  Steps steps;
  std::vector<std::string> expect;
};

// Drives the controls of the main window by name; makes folders and MPEG files of silence.
class WindowTest : public ::testing::Test {
 protected:
  std::string folder(const std::string& relative) {  // with its closing "/"
    std::filesystem::create_directory(temp.file(relative));
    return temp.file(relative) + "/";
  }
  std::string mp3(const std::string& inFolder, const std::string& name, int frames = 8) {
    support::WriteFileBytes(inFolder + name, formats::SilentMpegFrames(frames));
    return inFolder + name;
  }
  virtual mainwindow::Tagger* tagger() = 0;
  // The pictures of the file on show (element 0 is never a picture).
  std::vector<core::PictureRecord>& pictureList() { return tagger()->editing().model().PictureList(); }
  template <typename T = QWidget>
  T* find(const QString& name) {
    T* found = tagger()->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
  QListWidget* files() { return find<QListWidget>("lstFiles"); }
  QListWidget* sortFiles() { return find<QListWidget>("lstSortFiles"); }
  QCheckBox* box(const QString& name) { return find<QCheckBox>(name); }
  QLineEdit* field(const std::string& name) { return find<QLineEdit>(QString::fromStdString(name)); }
  QPoint centreOf(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }
  void click(int row, Qt::KeyboardModifiers keys = {}) { QTest::mouseClick(files()->viewport(), Qt::LeftButton, keys, centreOf(files(), row)); }
  // The left button held from one entry of the play order to another, one entry at a time.
  void drag(int from, int to) {
    QWidget* view = sortFiles()->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, centreOf(sortFiles(), from));
    for (int row = from; row != to;) {
      row += to > from ? 1 : -1;
      const QPoint at = centreOf(sortFiles(), row);
      QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
      QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, centreOf(sortFiles(), to));
  }
  void drop(QWidget* target, const Names& paths) {  // paths from the temporary folder
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(Q(temp.file(path)));
    data.setUrls(urls);
    if (auto* view = qobject_cast<QAbstractItemView*>(target)) target = view->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
  }
  bool open(const std::string& path) { return tagger()->SetFolder(path, true); }
  // Steps: "#2" clicks file 2 ("^#2" with Ctrl, "##2" twice), "@0,2" selects files 0 and 2 without a
  // click, "drag:0>3" drags in the play order, "open:x" opens folder x, "txtTitle=x" types x (a list
  // box: chooses x), "+=" types on, "txtTitle!" presses Enter, "dbl:x" double-clicks x, "Yes"/"No"
  // answer the next question, "Del", "^A", "^Z" are keys of the file list; any other name clicks that
  // control or triggers that menu entry. A run a step started ends before the next (unless runsFinish is off).
  void act(const Steps& steps) {
    for (const Step& one : steps) {
      const std::string& step = one.text;
      const std::size_t equals = step.find('=');
      if (one.call) {
        one.call();
      } else if (step == "Del" || step == "^A" || step == "^Z") {
        const std::map<std::string, Qt::Key> keys = {{"Del", Qt::Key_Delete}, {"^A", Qt::Key_A}, {"^Z", Qt::Key_Z}};
        QTest::keyClick(files(), keys.at(step), step[0] == '^' ? Qt::ControlModifier : Qt::NoModifier);
      } else if (step == "Yes" || step == "No") {
        dialogs.setNextAnswer(step == "Yes" ? core::Answer::Yes : core::Answer::No);
      } else if (step.rfind("##", 0) == 0) {  // as the window system delivers it: press, release, double click, release
        click(std::stoi(step.substr(2)));
        QTest::mouseDClick(files()->viewport(), Qt::LeftButton, {}, centreOf(files(), std::stoi(step.substr(2))));
        QTest::mouseRelease(files()->viewport(), Qt::LeftButton, {}, centreOf(files(), std::stoi(step.substr(2))));
      } else if (step[0] == '#' || step.rfind("^#", 0) == 0) {
        click(std::stoi(step.substr(step.find('#') + 1)), step[0] == '^' ? Qt::ControlModifier : Qt::NoModifier);
      } else if (step[0] == '@') {
        files()->clearSelection();
        for (const QString& row : QString::fromStdString(step.substr(1)).split(',', Qt::SkipEmptyParts)) files()->item(row.toInt())->setSelected(true);
      } else if (step.rfind("drag:", 0) == 0) {
        drag(std::stoi(step.substr(5)), std::stoi(step.substr(step.find('>') + 1)));
      } else if (step.rfind("open:", 0) == 0) {
        open(temp.file(step.substr(5)) + "/");
      } else if (step.rfind("dbl:", 0) == 0) {
        QTest::mouseDClick(find<QWidget>(QString::fromStdString(step.substr(4))), Qt::LeftButton);
      } else if (equals != std::string::npos) {
        const bool on = step[equals - 1] == '+';
        const QString name = QString::fromStdString(step.substr(0, equals - (on ? 1 : 0)));
        const QString typed = QString::fromStdString(step.substr(equals + 1));
        if (auto* list = tagger()->findChild<QComboBox*>(name)) {
          list->setCurrentIndex(list->findText(typed));
          emit list->activated(list->currentIndex());
          continue;
        }
        QLineEdit* typedInto = find<QLineEdit>(name);
        if (!on) typedInto->clear();
        // QTest has keys for ASCII only: other text is pasted.
        typed.toUtf8().size() == typed.size() ? QTest::keyClicks(typedInto, typed) : typedInto->insert(typed);
      } else if (step.back() == '!') {
        QTest::keyClick(field(step.substr(0, step.size() - 1)), Qt::Key_Return);
      } else if (auto* action = tagger()->findChild<QAction*>(QString::fromStdString(step))) {
        action->trigger();
      } else {
        QTest::mouseClick(find<QWidget>(QString::fromStdString(step)), Qt::LeftButton, {}, QPoint(5, 5));
      }
      if (runsFinish) finishRuns();
    }
  }
  void finishRuns() { ASSERT_TRUE(RunUntil([&] { return !tagger()->runs().busy(); }, 60000)) << "the run did not end"; }
  bool runsFinish = true;
  Names listed(QListWidget* list, bool onlySelected = false) {
    Names names;
    for (int i = 0; i < list->count(); ++i) {
      const QListWidgetItem* entry = list->item(i);
      const QByteArray native = entry->data(Qt::UserRole).toByteArray();
      if (!onlySelected || entry->isSelected()) names.push_back(native.isEmpty() ? entry->text().toStdString() : native.toStdString());
    }
    return names;
  }
  Names selected() { return listed(files(), true); }
  void waitForTagList() { EXPECT_TRUE(RunUntil([&] { return !tagger()->tagList().isBuilding(); })); }
  std::map<std::string, std::string> musicBytes() {
    std::map<std::string, std::string> bytes;
    for (const std::string& name : support::FolderEntries(music))
      if (!std::filesystem::is_directory(music + name)) bytes[name] = support::ReadFileBytes(music + name);
    return bytes;
  }

  // Probes, paths from the temporary folder: "selected", "files" (of the music folder), "changed" (its
  // files made, changed or gone since the start), "asked" (boxes shown), "message" (the last), "messages",
  // "kinds" (4 question, 2 exclamation), "media", "current", "found" (ID3v1.1, ID3v2.3: 1 or 0), "folder",
  // "focus", "title", "suppressed"; "file:" a file's bytes, "v1:"/"v2:" its tags ("-" none); "shown:", "enabled:", "checked:"
  // names joined by commas (1 or 0 each); any other name: the text of that control (a list: its entries).
  QString probe(const std::string& key) {
    QString got;
    for (const auto& shown : dialogs.shown) EXPECT_EQ(shown.title, U("Quillmere Tonewright"));
    const std::size_t colon = key.find(':');
    const std::string rest = key.substr(colon + 1);
    if (key == "selected") {
      got = Joined(selected());
    } else if (key == "files") {
      got = Joined(support::FolderEntries(music));
    } else if (key == "changed") {
      Names changed;
      const auto now = musicBytes();
      auto all = now;
      all.insert(startBytes.begin(), startBytes.end());  // the names of either
      for (const auto& [name, bytes] : all)
        if (!now.count(name) || !startBytes.count(name) || now.at(name) != startBytes.at(name)) changed.push_back(name);
      got = Joined(changed);
    } else if (key == "asked") {
      got = QString::number(dialogs.shown.size());
    } else if (key == "message" || key == "messages" || key == "kinds") {
      for (std::size_t i = key == "message" && !dialogs.shown.empty() ? dialogs.shown.size() - 1 : 0; i < dialogs.shown.size(); ++i)
        got += key == "kinds" ? QString::number(int(dialogs.shown[i].kind)) : dialogs.shown[i].text + (key == "messages" ? "\n" : "");
    } else if (key == "media") {
      got = media.commands.join(" | ");
    } else if (key == "current" || key == "folder") {
      got = Q(key == "current" ? tagger()->values().CurrentFile : tagger()->values().CurrentDir);
    } else if (key == "found") {
      got = QString::number(tagger()->editing().tagFlags().ID3V111Found) + QString::number(tagger()->editing().tagFlags().ID3V230Found);
    } else if (key == "suppressed") {
      got = QString::number(tagger()->ListClickSuppressed());
    } else if (key == "focus") {
      got = tagger()->focusWidget() ? tagger()->focusWidget()->objectName() : QString();
    } else if (key == "title") {
      got = tagger()->windowTitle();
    } else if (key.rfind("file:", 0) == 0) {
      got = Q(support::ReadFileBytes(music + rest));
    } else if (key.rfind("v1:", 0) == 0) {
      formats::clsID3V111Reader v1;
      v1.ReadID3V111Tag(music + rest);
      got = !v1.TagPresent() ? "-" : Q(v1.SongTitle() + "|" + v1.Artist() + "|" + v1.Year());
    } else if (key.rfind("v2:", 0) == 0) {
      formats::clsID3V230Reader v2;
      v2.ReadID3V230Tag(music + rest);
      got = !v2.TagPresent() ? "-"
                             : Q(v2.SongTitle() + "|" + v2.Artist() + "|" + v2.Album() + "|" + v2.Year() + "|" + v2.Comment() + "|" +
                                 std::to_string(v2.Track()) + "|" + std::to_string(v2.Pictures().size()));
    } else if (colon != std::string::npos) {
      for (const QString& name : QString::fromStdString(rest).split(',')) {
        QObject* control = tagger()->findChild<QObject*>(name);
        auto* widget = qobject_cast<QWidget*>(control);
        auto* action = qobject_cast<QAction*>(control);
        auto* button = qobject_cast<QAbstractButton*>(control);
        EXPECT_TRUE(widget || action) << name.toStdString();
        const bool on = key[0] == 's'   ? widget && !widget->isHidden()
                        : key[0] == 'e' ? (action ? action->isEnabled() : widget && widget->isEnabled())
                                        : (action ? action->isChecked() : button && button->isChecked());
        got += on ? '1' : '0';
      }
    } else {
      QObject* control = tagger()->findChild<QObject*>(QString::fromStdString(key));
      EXPECT_NE(control, nullptr) << key;
      if (auto* list = qobject_cast<QListWidget*>(control))
        for (int i = 0; i < list->count(); ++i) got += (i ? "|" : "") + list->item(i)->text();
      for (const char* text : {"text", "plainText", "currentText", "title"})  // each control has one of them
        if (control && control->property(text).isValid()) got = control->property(text).toString();
    }
    return got.replace(Q(temp.folder()), QString());
  }
  void check(const std::string& expectation) {
    const std::size_t at = expectation.find_first_of("=~");
    ASSERT_NE(at, std::string::npos) << expectation;
    const QString got = probe(expectation.substr(0, at)), want = U(expectation.c_str() + at + 1);
    EXPECT_TRUE(expectation[at] == '~' ? got.contains(want) : got == want)
        << expectation.substr(0, at) << ":\n  got:    " << got.toStdString() << "\n  wanted: " << want.toStdString();
  }
  void table(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      restart();
      if (row.start) row.start();
      startBytes = musicBytes();
      act(row.steps);
      for (const std::string& expectation : row.expect) check(expectation);
    }
  }
  virtual void restart() = 0;  // a window as the program starts it, and an empty music folder

  support::TempDir temp;
  std::string music = folder("music");
  std::map<std::string, std::string> startBytes;
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
};

using V1 = std::function<void(formats::clsID3V111Writer&)>;
using V2 = std::function<void(formats::clsID3V230Writer&)>;

// The main window with its editor as the start-up leaves it, and real tagged MP3 files of silence.
class TaggerTest : public WindowTest {
 protected:
  void SetUp() override { restart(); }
  void TearDown() override { close(); }
  void close() { if (window) waitForTagList(), finishRuns(), window.reset(), cover.reset(); }
  void restart() override {
    close();
    home.reset(), home.emplace();  // a data folder of its own: trash and undo journal
    std::filesystem::remove_all(music), folder("music"), folder("pictures");
    dialogs.shown.clear(), dialogs.answers.clear(), media.commands.clear(), paths.clear();
    values = core::AppValues();
    values.AppPath = temp.folder(), values.TempDir = temp.file("pictures/"), values.TempCoverBase = values.TempDir + "cover";
    window = std::make_unique<mainwindow::Tagger>(values, dialogs, media, std::function<void()>());
    window->show();
    window->editing().FillGenres(), window->editing().FillPictureTypes(), window->editing().ClearFileInfo(), window->batchRun().FillFieldOrderLists(), window->batchRun().AlignDragDropOption();
    cover = std::make_unique<windows::frmCover>(values, dialogs, std::function<void()>());
    window->editing().setCoverWindow(cover.get());
  }
  mainwindow::Tagger* tagger() override { return window.get(); }
  // A file of silence in the music folder with the tags the setters give.
  std::string song(const std::string& name, const V1& v1, const V2& v2, int frames = 8) {
    const std::string path = mp3(music, name, frames);
    formats::clsID3V111Writer first;
    formats::clsID3V230Writer second;
    if (v1) v1(first), first.WriteID3V111Tag(path);
    if (v2) v2(second);
    EXPECT_TRUE(!v2 || second.WriteID3V230Tag(path)) << path;
    return path;
  }
  std::string picture(const std::string& name, Qt::GlobalColor colour) {
    QPixmap image(8, 8);
    image.fill(colour);
    EXPECT_TRUE(image.save(Q(temp.file(name)), "PNG"));
    return temp.file(name);
  }
  QCheckBox* hold(int index) { return box(QStringLiteral("chkHold(%1)").arg(index)); }
  // Three files, each with its own title, artist and track, and a cover picture.
  void threeSongs() {
    const std::string front = picture("front.png", Qt::red);
    for (int i = 1; i <= 3; ++i) {
      const std::string n = std::to_string(i);
      paths.push_back(song("song" + n + ".mp3", {}, [&](auto& t) {
        t.setSongTitle("Title " + n), t.setArtist("Artist " + n), t.setTrack(n), t.setGraphic(front), t.setGraphicType("3");
      }));
    }
    open(music);
  }

  std::optional<support::ScopedDataHome> home;
  support::FailingFileSystem failing;  // the window's file system where a test sets it
  core::AppValues values;
  std::unique_ptr<mainwindow::Tagger> window;
  std::unique_ptr<windows::frmCover> cover;
  Names paths;
};

// The whole program, started with its settings in the temporary folder.
class ProgramTest : public WindowTest {
 protected:
  mainwindow::Tagger* tagger() override { return program->tagger(); }
  void restart() override { program.reset(); }
  std::string appPath() const { return temp.folder(); }
  std::string ini() const { return appPath() + "tonewright.ini"; }
  void start(const std::string& commandLine = std::string(), const std::string& firstStartFolder = std::string()) {
    app::ProgramEnvironment environment;
    environment.programPath = appPath() + "tonewright", environment.settingsFolder = appPath();
    environment.commandLine = commandLine, environment.firstStartFolder = firstStartFolder;
    environment.dialogs = &dialogs, environment.media = &media;
    program.reset();  // the last program shuts down (and writes its settings) before the next starts
    program = std::make_unique<app::Program>(environment);
    program->Start();
  }

  std::unique_ptr<app::Program> program;
};

inline QStringList StopCommands() { return {"stop mpeg", "close mpeg"}; }
inline QStringList PlayCommands(const std::string& path) {  // a file's playback: stop, open, play
  return StopCommands() + QStringList{QStringLiteral("open \"%1\" type MPEGVideo Alias mpeg").arg(Q(path)), "play mpeg"};
}

}  // namespace tagger_test
