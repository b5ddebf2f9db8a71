// Renews the README's picture: the main window on the demo folder, the fourth file shown.
//   QT_QPA_PLATFORM=offscreen build/bench/screenshot docs/screenshot.png
// The program runs in a scratch folder (settings and demo files), so nothing of the
// user's is read or changed; the picture is a grab of the window's widgets.
#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <cstdio>

#include "BenchSupport.h"
#include "app/lib/DemoFolder.h"
#include "app/lib/Program.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "mainwindow/Tagger.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot <picture.png>\n");
    return 2;
  }
  QApplication application(argc, argv);
  bench::ScratchFolder scratch;
  if (!scratch.ok()) return 1;
  const std::string appPath = scratch.path() + "/";

  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
  app::ProgramEnvironment environment;
  environment.programPath = appPath + "tonewright";
  environment.settingsFolder = appPath;
  environment.commandLine = app::PrepareDemoFolder(appPath + "Demo/");
  environment.dialogs = &dialogs;
  environment.media = &media;
  app::Program program(environment);
  program.Start();

  auto* files = program.tagger()->findChild<QListWidget*>(QStringLiteral("lstFiles"));
  if (files == nullptr || files->count() < 4) {
    std::fprintf(stderr, "screenshot: the demo folder was not listed\n");
    return 1;
  }
  files->setCurrentRow(3);
  program.tagger()->lstFiles_Click();
  if (!program.tagger()->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "screenshot: %s could not be written\n", argv[1]);
    return 1;
  }
  return 0;
}
