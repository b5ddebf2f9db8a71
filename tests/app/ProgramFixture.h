// Starts the program in a fresh temporary folder that holds its settings, with
// recorded playback and scripted dialogs.
#pragma once
#include <QCheckBox>
#include <QListWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "app/lib/Program.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "formats/SilentMpeg.h"
#include "mainwindow/Tagger.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace program_test {

using Names = std::vector<std::string>;

class ProgramTest : public ::testing::Test {
 protected:
  std::string appPath() const { return temp.path() + "/"; }
  std::string ini() const { return appPath() + "tonewright.ini"; }

  std::unique_ptr<app::Program> start(const std::string& commandLine = std::string()) {
    app::ProgramEnvironment environment;
    environment.programPath = appPath() + "tonewright";
    environment.settingsFolder = appPath();
    environment.commandLine = commandLine;
    environment.dialogs = &dialogs;
    environment.media = &media;
    auto program = std::make_unique<app::Program>(environment);
    program->Start();
    return program;
  }
  std::string folder(const std::string& relative) {
    ::mkdir((appPath() + relative).c_str(), 0755);
    return appPath() + relative + "/";
  }
  std::string mp3(const std::string& inFolder, const std::string& name) {
    support::WriteFileBytes(inFolder + name, formats::SilentMpegFrames(8));
    return inFolder + name;
  }
  static QCheckBox* box(const app::Program& program, const QString& name) {
    return program.tagger()->findChild<QCheckBox*>(name);
  }
  static QListWidget* files(const app::Program& program) {
    return program.tagger()->findChild<QListWidget*>(QStringLiteral("lstFiles"));
  }

  support::TempDir temp;
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
};

}  // namespace program_test
