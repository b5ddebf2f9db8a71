// Quillmere Tonewright: an editor for the tags of MP3 files.
//   tonewright                 opens the folder shown last
//   tonewright <file|folder>   a file opens its folder, a folder the one above it
//   tonewright --demo          opens the demo folder, made on first use
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <string>
#include <vector>

#include "app/lib/DemoFolder.h"
#include "app/lib/Program.h"
#include "app/lib/StartupRules.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "core/toolkit/Window.h"
#include "mainwindow/Tagger.h"

namespace {

bool DisplayAvailable() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::string Native(const QString& text) { return QFile::encodeName(text).toStdString(); }

std::string SettingsFolder() {
  const QString programFolder = QCoreApplication::applicationDirPath();
  const bool writable = QFileInfo(programFolder).isWritable();
  QString config;
  if (!writable) {
    config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!config.isEmpty()) QDir().mkpath(config);
  }
  return app::ChooseSettingsFolder(Native(programFolder), writable, Native(config));
}

}  // namespace

int main(int argc, char** argv) {
  if (!DisplayAvailable()) {
    std::fprintf(stderr,
                 "tonewright: no display available (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "start it from a desktop session.\n");
    return 1;
  }
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tonewright"));

  // QApplication has taken its own options out of argv; the rest are ours, as bytes.
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool demo = !arguments.empty() && arguments.front() == "--demo";

  app::ProgramEnvironment environment;
  environment.programPath = Native(QCoreApplication::applicationFilePath());
  environment.settingsFolder = SettingsFolder();
  if (demo) {
    const std::string first = app::PrepareDemoFolder(environment.settingsFolder + "Demo/");
    if (first.empty()) std::fprintf(stderr, "tonewright: the demo folder could not be made.\n");
    environment.commandLine = first;
  } else {
    environment.commandLine = app::CommandLineText(arguments);
  }

  core::QtDialogService dialogs;
  core::QtMediaControl media;
  environment.dialogs = &dialogs;
  environment.media = &media;
  environment.yield = core::ProcessEventsHook();

  app::Program program(environment);
  program.Start();
  dialogs.setParent(program.tagger());
  return application.exec();
}
