// The base of the window tests: a fresh temporary folder, recorded playback and scripted
// dialogs, and helpers that make folders and real MPEG files of silence in it.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace support {

using Names = std::vector<std::string>;

class WindowFixture : public ::testing::Test {
 protected:
  // A folder inside the temporary folder, with its closing "/".
  std::string folder(const std::string& relative) {
    const std::string path = temp.file(relative) + "/";
    ::mkdir(path.c_str(), 0755);
    return path;
  }
  std::string mp3(const std::string& inFolder, const std::string& name, int frames = 8) {
    WriteFileBytes(inFolder + name, formats::SilentMpegFrames(frames));
    return inFolder + name;
  }

  TempDir temp;
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
};

}  // namespace support
