// Starts the program in a fresh temporary folder that holds its settings, with
// recorded playback and scripted dialogs.
#pragma once
#include <QCheckBox>
#include <QListWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "app/lib/Program.h"
#include "mainwindow/Tagger.h"
#include "support/WindowFixture.h"

namespace program_test {

using support::Names;

class ProgramTest : public support::WindowFixture {
 protected:
  std::string appPath() const { return temp.folder(); }
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
  static QCheckBox* box(const app::Program& program, const QString& name) {
    return program.tagger()->findChild<QCheckBox*>(name);
  }
  static QListWidget* files(const app::Program& program) {
    return program.tagger()->findChild<QListWidget*>(QStringLiteral("lstFiles"));
  }
};

}  // namespace program_test
