// How the window answers while it starts on a large folder, changes folder and builds the
// tag list again: the time from the program's start to the shown list, the longest gap of
// its event loop (a timer every 10 ms, and how late it comes), the peak memory of the
// window's process and of the web view's processes.
//
//   window_start make <folder> <count>   makes <count> small tagged MP3 files in <folder>
//   window_start run <folder>            starts the window on it (QT_QPA_PLATFORM=offscreen)
//
// bench/window_start.sh runs both for 3,000 and 30,000 files, beside tonewright-cli taglist.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "BenchSupport.h"
#include "ProgramBench.h"
#include "app/lib/Program.h"
#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "core/toolkit/Window.h"
#include "formats/ID3V111.h"
#include "formats/SilentMpeg.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"

namespace {

const auto ProcessStart = std::chrono::steady_clock::now();

double Seconds() { return bench::SecondsSince(ProcessStart); }

// An ID3v2.3 text frame in ISO-8859-1: id, size, flags, encoding 0, the text.
std::string TextFrame(const char* id, const std::string& text) {
  const std::size_t size = text.size() + 1;
  std::string frame(id, 4);
  for (int shift = 24; shift >= 0; shift -= 8) frame += static_cast<char>((size >> shift) & 0xFF);
  return frame + std::string(2, '\0') + '\0' + text;
}

// The files are written whole, not through the tag writers: 30,000 rewrites would take
// longer than the measurement.
int Make(const std::string& folder, int count) {
  const std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(1.0));
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    const std::string frames = TextFrame("TIT2", "Title " + n) + TextFrame("TPE1", "Artist") +
                               TextFrame("TALB", "Album") + TextFrame("TYER", "2024");
    std::string tag = std::string("ID3\x03\x00\x00", 6);
    for (int shift = 21; shift >= 0; shift -= 7) tag += static_cast<char>((frames.size() >> shift) & 0x7F);  // 7 bits a byte
    formats::clsID3V111Writer v1;
    v1.setSongTitle("Title " + n), v1.setArtist("Artist"), v1.setAlbum("Album"), v1.setYear("2024");
    if (!bench::WriteBytes(folder + "/track " + n + ".mp3", tag + frames + audio + v1.BuildTagBlock())) return 1;
  }
  return 0;
}

// The peak resident size (VmHWM) of a process, in MB; 0 when it cannot be read.
double PeakMegabytes(const std::string& pid) {
  std::ifstream status("/proc/" + pid + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// The web view's processes: every descendant of this process.
std::vector<std::string> Descendants() {
  std::vector<std::string> found{std::to_string(::getpid())}, children;
  for (std::size_t i = 0; i < found.size(); ++i) {
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
      bool pid = false;
      entry.toInt(&pid);
      if (!pid) continue;
      std::ifstream stat("/proc/" + entry.toStdString() + "/stat");
      std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
      const std::size_t close = text.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream fields(text.substr(close + 2));
      std::string state, parent;
      fields >> state >> parent;
      if (parent == found[i]) found.push_back(entry.toStdString()), children.push_back(entry.toStdString());
    }
  }
  return children;
}

// The longest time the event loop did not run a 10 ms timer, beyond its 10 ms.
class GapMeter : public QObject {
 public:
  GapMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
  }
  void start() {
    clock_.start();
    last_ = 0;
    timer_.start(10);
  }
  double longestMs() const { return longest_; }
  double longestAt() const { return longestAt_; }

 private:
  void tick() {
    const qint64 now = clock_.nsecsElapsed();
    const double gap = static_cast<double>(now - last_) / 1e6 - 10;
    if (gap > longest_) longest_ = gap, longestAt_ = Seconds();
    last_ = now;
  }
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  double longest_ = 0, longestAt_ = 0;
};

// Calls back when the main window is shown.
class MapWatch : public QObject {
 public:
  explicit MapWatch(std::function<void()> shown) : shown_(std::move(shown)) { qApp->installEventFilter(this); }
  ~MapWatch() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && object->objectName() == QLatin1String("Tagger")) shown_();
    return false;
  }

 private:
  std::function<void()> shown_;
};

// Runs the event loop until the tag list is built and its page laid out in the view.
double WaitForList(mainwindow::Tagger& window, double timeout) {
  mainwindow::TagListController& list = window.tagList();
  QEventLoop loop;
  bool loaded = false;
  const auto connection = QObject::connect(&list, &mainwindow::TagListController::pageLoaded, &loop, [&] {
    loaded = true;
    loop.quit();
  });
  QTimer::singleShot(static_cast<int>(timeout * 1000), &loop, &QEventLoop::quit);
  if (!loaded) loop.exec();
  QObject::disconnect(connection);
  return loaded ? Seconds() : -1;
}

int Run(const std::string& folder) {
  bench::ScratchFolder scratch;
  if (!scratch.ok()) return 1;
  const std::string appPath = scratch.path() + "/";
  bench::ProgramServices services(appPath, folder + "/track 0.mp3");  // a file opens its own folder
  app::ProgramEnvironment& environment = services.environment;
  environment.yield = core::ProcessEventsHook();

  // The window maps inside Start(): the time from then until the loop runs is a gap too.
  double mapped = -1;
  MapWatch watch([&] {
    if (mapped < 0) mapped = Seconds();
  });
  GapMeter gaps;
  app::Program program(environment);
  const double started = Seconds();
  program.Start();  // the window maps inside, at its end
  const double startReturned = Seconds();
  gaps.start();
  mainwindow::Tagger& window = *program.tagger();
  const int files = window.findChild<QListWidget*>(QStringLiteral("lstFiles"))->count();
  const double shown = WaitForList(window, 120);
  const double startGap = std::max(gaps.longestMs(), (startReturned - mapped) * 1000);

  // A rebuild by the button, then a folder change away and back (the list is built anew).
  const double rebuildStart = Seconds();
  window.findChild<QPushButton*>(QStringLiteral("cmdTagCheck"))->click();
  const double rebuilt = WaitForList(window, 120);
  const double changeStart = Seconds();
  window.SetFolder(scratch.path(), true);
  WaitForList(window, 30);
  window.SetFolder(folder, true);
  const double changed = WaitForList(window, 120);

  double webPeak = 0, largest = 0;
  for (const std::string& pid : Descendants()) {
    const double peak = PeakMegabytes(pid);
    webPeak += peak;
    largest = std::max(largest, peak);
  }
  std::printf("files listed            %d\n", files);
  std::printf("Start() (window mapped) %.2f s (from process start %.2f s)\n", startReturned - started, startReturned);
  std::printf("start to list shown     %.2f s\n", shown);
  std::printf("rebuild (cmdTagCheck)   %.2f s\n", rebuilt < 0 ? -1 : rebuilt - rebuildStart);
  std::printf("folder change and back  %.2f s\n", changed < 0 ? -1 : changed - changeStart);
  std::printf("window mapped to loop    %.0f ms\n", (startReturned - mapped) * 1000);
  std::printf("longest event-loop gap  %.0f ms from the map until the list was shown, %.0f ms in all (at %.2f s)\n",
              startGap, std::max(startGap, gaps.longestMs()), gaps.longestAt());
  std::printf("peak RSS                %.0f MB window process; web view processes %.0f MB the largest, %.0f MB the sum\n",
              PeakMegabytes(std::to_string(::getpid())), largest, webPeak);
  return shown < 0 || rebuilt < 0 || changed < 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "make" && argc == 4) return Make(argv[2], std::atoi(argv[3]));
  if (mode != "run" || argc != 3) {
    std::fprintf(stderr, "usage: window_start make <folder> <count> | window_start run <folder>\n");
    return 2;
  }
  if (::geteuid() == 0 && qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").isEmpty())
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
  QApplication application(argc, argv);
  return Run(argv[2]);
}
