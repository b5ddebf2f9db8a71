// The whole program for the window's benchmarks: settings in a scratch folder, scripted
// dialogs and recorded playback, so that nothing waits for a user or plays a sound.
#pragma once
#include <string>

#include "app/lib/Program.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"

namespace bench {

struct ProgramServices {
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
  app::ProgramEnvironment environment;

  // appPath ends with "/"; commandLine is what the program is started with.
  ProgramServices(const std::string& appPath, const std::string& commandLine) {
    environment.programPath = appPath + "tonewright";
    environment.settingsFolder = appPath;
    environment.commandLine = commandLine;
    environment.dialogs = &dialogs;
    environment.media = &media;
  }
};

}  // namespace bench
