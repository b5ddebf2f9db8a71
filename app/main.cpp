// Quillmere Tonewright: an editor for the tags of MP3 files.
//   tonewright                 opens the folder shown last
//   tonewright <file|folder>   a file opens its folder, a folder the one above it
//   tonewright --demo          opens the demo folder, made on first use
//   tonewright --help | --version
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <unistd.h>
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

#ifndef TONEWRIGHT_VERSION
#define TONEWRIGHT_VERSION "0"
#endif
#ifndef TONEWRIGHT_BUILD_TREE
#define TONEWRIGHT_BUILD_TREE ""
#endif

// Answers --help and --version, which need no display; false for any other command line.
bool AnsweredWithoutWindow(int argc, char** argv) {
  if (argc != 2) return false;
  const std::string option = argv[1];
  if (option == "--version") {
    std::printf("tonewright %s\n", TONEWRIGHT_VERSION);
    return true;
  }
  if (option != "--help" && option != "-h") return false;
  std::printf(
      "Usage: tonewright [FILE|FOLDER...]\n"
      "Quillmere Tonewright, an editor for the tags (ID3v1.1, ID3v2.3) of MP3 files.\n\n"
      "  FILE       open the folder that holds the file and show the file\n"
      "  FOLDER     open the folder above it\n"
      "  --demo     open a demo folder of tagged MP3 files (made on first use)\n"
      "  --help     show this help\n"
      "  --version  show the version\n\n"
      "Without an argument the program opens the folder shown last; on its very first start\n"
      "the music folder (XDG_MUSIC_DIR), else the home folder. Of several files the first\n"
      "counts. The settings live in tonewright.ini beside the program when that folder is\n"
      "writable, else in the user's configuration folder (~/.config/tonewright/).\n"
      "tonewright-cli does the same jobs from the command line.\n");
  return true;
}

// The folder of the very first start: the music folder of an installed program.
std::string FirstStartFolder() {
  const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
  const bool musicThere = !music.isEmpty() && QFileInfo(music).isDir();
  return app::FirstStartFolder(Native(QCoreApplication::applicationDirPath()), TONEWRIGHT_BUILD_TREE,
                               musicThere ? Native(music) : std::string(), Native(QDir::homePath()));
}

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

// The tag list's web view will not start its sandbox for root. Only then, and only for
// this process, it runs without one: the view loads nothing but the local page and runs
// no script. Any other user keeps the sandbox.
void AllowWebViewAsRoot() {
  if (::geteuid() != 0) return;
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (flags.contains("--no-sandbox")) return;
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
  std::fprintf(stderr, "tonewright: running as root, the tag list's web view runs without its sandbox.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredWithoutWindow(argc, argv)) return 0;
  if (!DisplayAvailable()) {
    std::fprintf(stderr,
                 "tonewright: no display available (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "start it from a desktop session.\n");
    return 1;
  }
  AllowWebViewAsRoot();
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tonewright"));

  // QApplication has taken its own options out of argv; the rest are ours, as bytes.
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool demo = !arguments.empty() && arguments.front() == "--demo";

  app::ProgramEnvironment environment;
  environment.programPath = Native(QCoreApplication::applicationFilePath());
  environment.settingsFolder = SettingsFolder();
  environment.firstStartFolder = FirstStartFolder();
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
