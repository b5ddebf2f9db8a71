// The window tests: a main window (TaggerTest) or the whole program (ProgramTest) in a fresh
// temporary folder, with recorded playback and scripted dialogs, driven by control names.
// EditorTest adds the editor as the start-up leaves it and real tagged MP3 files of silence.
#pragma once
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "windows/frmCover.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { PrintTo(texts.join(" | "), out); }

namespace tagger_test {

// Runs the event loop until the condition holds (false after `ms`). The web view's engine
// posts its work through the loop step by step: QTest::qWaitFor's pauses between the steps
// would make a page load take seconds.
inline bool RunUntil(const std::function<bool()>& done, int ms = 20000) {
  QEventLoop loop;
  QTimer poll;
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done() || clock.elapsed() > ms) loop.quit();
  });
  poll.start(5);
  if (!done()) loop.exec();
  return done();
}

using Names = std::vector<std::string>;
inline QString Q(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Counts how often a window of this name comes up, and runs a check each time.
class ShowWatch : public QObject {
 public:
  explicit ShowWatch(const char* name, std::function<void()> check = {}) : name_(name), check_(std::move(check)) { qApp->installEventFilter(this); }
  ~ShowWatch() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && object->objectName() == QLatin1String(name_) && ++shown && check_) check_();
    return false;
  }
  int shown = 0;

 private:
  const char* name_;
  std::function<void()> check_;
};

// Finds the controls of the main window by name and drives them; makes folders and real
// MPEG files of silence in its temporary folder.
class WindowTest : public ::testing::Test {
 protected:
  // A folder inside the temporary folder, with its closing "/".
  std::string folder(const std::string& relative) {
    const std::string path = temp.file(relative) + "/";
    ::mkdir(path.c_str(), 0755);
    return path;
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
  QAction* item(const char* name) { return find<QAction>(name); }
  QCheckBox* box(const QString& name) { return find<QCheckBox>(name); }
  QString caption(const char* button) { return find<QPushButton>(button)->text(); }
  QLineEdit* field(const std::string& name) { return find<QLineEdit>(QString::fromStdString(name)); }
  QString text(const char* name) { return field(name)->text(); }
  QPoint centreOf(int row) { return files()->visualItemRect(files()->item(row)).center(); }
  void click(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(files()->viewport(), Qt::LeftButton, modifiers, centreOf(row));
  }
  // One step per text: "#2" clicks row 2 of the file list ("^#2" with Ctrl held), "@0,2" selects
  // rows 0 and 2 without a click (as a drop leaves them), "txtTitle=x" types x into that field,
  // "txtTitle!" presses Enter in it, "Yes" and "No" answer the next question, and any other
  // name clicks that control ("Del" presses Delete in the file list, "^A" Ctrl+A there). After
  // each step a run it started is let finish, unless runsFinish is off.
  void act(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
      const std::size_t equals = step.find('=');
      if (step == "Del" || step == "^A") {
        QTest::keyClick(files(), step == "Del" ? Qt::Key_Delete : Qt::Key_A, step == "Del" ? Qt::NoModifier : Qt::ControlModifier);
      } else if (step == "Yes" || step == "No") {
        dialogs.setNextAnswer(step == "Yes" ? core::Answer::Yes : core::Answer::No);
      } else if (step[0] == '#' || step.rfind("^#", 0) == 0) {
        click(std::stoi(step.substr(step.find('#') + 1)), step[0] == '^' ? Qt::ControlModifier : Qt::NoModifier);
      } else if (step[0] == '@') {
        files()->clearSelection();
        for (const QString& row : QString::fromStdString(step.substr(1)).split(',', Qt::SkipEmptyParts)) files()->item(row.toInt())->setSelected(true);
      } else if (equals != std::string::npos) {  // QTest has keys for ASCII only: other text is pasted
        QLineEdit* typedInto = field(step.substr(0, equals));
        const QString typed = QString::fromStdString(step.substr(equals + 1));
        typedInto->clear();
        typed.toUtf8().size() == typed.size() ? QTest::keyClicks(typedInto, typed) : typedInto->insert(typed);
      } else if (step.back() == '!') {
        QTest::keyClick(field(step.substr(0, step.size() - 1)), Qt::Key_Return);
      } else {
        QTest::mouseClick(find<QWidget>(QString::fromStdString(step)), Qt::LeftButton, {}, QPoint(5, 5));
      }
      if (runsFinish) finishRuns();
    }
  }
  // Lets the run under way end: its worker, and the results it hands to the window.
  void finishRuns() {
    QDeadlineTimer deadline(60000);
    while (tagger()->runs().busy() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_FALSE(tagger()->runs().busy()) << "the run did not end";
  }
  bool runsFinish = true;
  Names listed(QListWidget* list, bool onlySelected = false) {
    Names names;
    for (int i = 0; i < list->count(); ++i)
      if (!onlySelected || list->item(i)->isSelected()) names.push_back(list->item(i)->data(Qt::UserRole).toByteArray().toStdString());
    return names;
  }
  Names selected() { return listed(files(), true); }
  // Lets the tag list build under way end: its files are read on a worker.
  void waitForTagList() {
    EXPECT_TRUE(RunUntil([&] { return !tagger()->tagList().isBuilding(); }));
  }

  support::TempDir temp;
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
};

class TaggerTest : public WindowTest {
 protected:
  void SetUp() override {
    values.AppPath = temp.folder();
    window = std::make_unique<mainwindow::Tagger>(values, dialogs, media, std::function<void()>());
    window->show();
  }
  mainwindow::Tagger* tagger() override { return window.get(); }
  void open(const std::string& path) { ASSERT_TRUE(window->SetFolder(path, true)) << path; }
  // As the window system delivers it: press, release, double click, release.
  void doubleClick(int row) {
    click(row);
    QTest::mouseDClick(files()->viewport(), Qt::LeftButton, {}, centreOf(row));
    QTest::mouseRelease(files()->viewport(), Qt::LeftButton, {}, centreOf(row));
  }
  void drop(QWidget* target, const Names& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(Q(path));
    data.setUrls(urls);
    if (auto* view = qobject_cast<QAbstractItemView*>(target)) target = view->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
  }

  core::AppValues values;
  std::unique_ptr<mainwindow::Tagger> window;
};

// The whole program, started with its settings in the temporary folder.
class ProgramTest : public WindowTest {
 protected:
  mainwindow::Tagger* tagger() override { return program->tagger(); }
  std::string appPath() const { return temp.folder(); }
  std::string ini() const { return appPath() + "tonewright.ini"; }
  app::Program& start(const std::string& commandLine = std::string()) {
    app::ProgramEnvironment environment;
    environment.programPath = appPath() + "tonewright";
    environment.settingsFolder = appPath();
    environment.commandLine = commandLine;
    environment.dialogs = &dialogs;
    environment.media = &media;
    program.reset();
    program = std::make_unique<app::Program>(environment);
    program->Start();
    return *program;
  }

  std::unique_ptr<app::Program> program;
};

inline QStringList StopCommands() { return {"stop mpeg", "close mpeg"}; }
inline QStringList PlayCommands(const std::string& path) {
  return StopCommands() + QStringList{QStringLiteral("open \"%1\" type MPEGVideo Alias mpeg").arg(Q(path)), "play mpeg"};
}

using V1 = std::function<void(formats::clsID3V111Writer&)>;
using V2 = std::function<void(formats::clsID3V230Writer&)>;

// What the format readers find in a file.
struct ReadBack {
  formats::clsID3V111Reader v1;
  formats::clsID3V230Reader v2;
  explicit ReadBack(const std::string& path) {
    v1.ReadID3V111Tag(path);
    v2.ReadID3V230Tag(path);
  }
};

class EditorTest : public TaggerTest {
 protected:
  void SetUp() override {
    TaggerTest::SetUp();
    values.TempDir = folder("pictures");
    values.TempCoverBase = values.TempDir + "cover";
    window->editing().FillGenres();
    window->editing().FillPictureTypes();
    window->editing().ClearFileInfo();
    cover = std::make_unique<windows::frmCover>(values, dialogs, std::function<void()>());
    window->editing().setCoverWindow(cover.get());
    music = folder("music");
  }
  // A file of silence in the music folder with the tags the setters give (none when empty).
  std::string song(const std::string& name, const V1& v1, const V2& v2, int frames = 8) {
    const std::string path = mp3(music, name, frames);
    formats::clsID3V111Writer first;
    formats::clsID3V230Writer second;
    if (v1) v1(first), first.WriteID3V111Tag(path);
    if (v2) v2(second);
    EXPECT_TRUE(!v2 || second.WriteID3V230Tag(path)) << path;
    return path;
  }
  // A small picture of one colour.
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
  Names contents() const {
    Names bytes;
    for (const std::string& path : paths) bytes.push_back(support::ReadFileBytes(path));
    return bytes;
  }
  // The last message shown, which must be an exclamation.
  QString failureMessage() {
    if (dialogs.shown.empty()) return {};
    EXPECT_EQ(dialogs.shown.back().kind, core::MessageKind::Exclamation);
    EXPECT_EQ(dialogs.shown.back().title, U("Quillmere Tonewright"));
    return dialogs.shown.back().text;
  }

  std::string music;
  Names paths;
  std::unique_ptr<windows::frmCover> cover;
};

}  // namespace tagger_test
