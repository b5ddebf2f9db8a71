// Renews the README's pictures: the main window on the demo folder, its tag list and the
// fourth file shown, in German (de, the default) or English (en).
//   QT_QPA_PLATFORM=offscreen build/bench/screenshot docs/screenshot.png
//   QT_QPA_PLATFORM=offscreen build/bench/screenshot docs/screenshot-en.png en
// The program runs in a scratch folder (settings and demo files), so nothing of the
// user's is read or changed; the picture is a grab of the window's widgets.
#include <QApplication>
#include <QListWidget>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "BenchSupport.h"
#include "ProgramBench.h"
#include "app/lib/DemoFolder.h"
#include "app/lib/Program.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"

namespace {

// Runs the event loop until the tag list's page is laid out in the view (at most 30 s).
void WaitForTagList(mainwindow::Tagger& window) {
  QEventLoop loop;
  QObject::connect(&window.tagList(), &mainwindow::TagListController::pageLoaded, &loop, &QEventLoop::quit);
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  loop.exec();
  // The view's first frame of the page follows the load.
  QTimer::singleShot(1000, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string language = argc == 3 ? argv[2] : "de";
  if ((argc != 2 && argc != 3) || (language != "de" && language != "en")) {
    std::fprintf(stderr, "usage: screenshot <picture.png> [de|en]\n");
    return 2;
  }
  // The tag list's web view will not start its sandbox for root; without a graphics
  // card (offscreen) it draws through Qt Quick's software renderer, which a grab sees.
  if (::geteuid() == 0 && qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").isEmpty())
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
  if (qgetenv("QT_QUICK_BACKEND").isEmpty()) qputenv("QT_QUICK_BACKEND", "software");
  QApplication application(argc, argv);
  bench::ScratchFolder scratch;
  if (!scratch.ok()) return 1;
  const std::string appPath = scratch.path() + "/";

  bench::ProgramServices services(appPath, app::PrepareDemoFolder(appPath + "Demo/"));
  app::Program program(services.environment);
  program.Start();
  WaitForTagList(*program.tagger());

  auto* files = program.tagger()->findChild<QListWidget*>(QStringLiteral("lstFiles"));
  if (files == nullptr || files->count() < 4) {
    std::fprintf(stderr, "screenshot: the demo folder was not listed\n");
    return 1;
  }
  if (language == "en") {
    // As the user switches: the captions at once, the tag list with its English headings.
    program.tagger()->mnuLanguage_Click(1);
    program.tagger()->tagList().BuildTagList();
    WaitForTagList(*program.tagger());
  }
  files->setCurrentRow(3);
  program.tagger()->lstFiles_Click();
  if (!program.tagger()->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "screenshot: %s could not be written\n", argv[1]);
    return 1;
  }
  return 0;
}
