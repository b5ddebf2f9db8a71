// The program's spine: the start-up that prepares the shared values, loads the main
// window and restores the last state from the settings file, and the shutdown that
// writes that state back. Everything it needs from outside is handed in, so that a
// test can start the program in a temporary folder and answer its dialogs.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/AppValues.h"

namespace core {
class DialogService;
class MediaControl;
}  // namespace core
namespace mainwindow {
class Tagger;
}
namespace windows {
class frmCover;
}

namespace app {

struct ProgramEnvironment {
  std::string programPath;     // the program file
  std::string settingsFolder;  // where the settings live, ending with '/'
  std::string commandLine;     // the command-line text, as given; may be empty
  std::string firstStartFolder;  // opened when the settings name no last folder; empty: AppPath
  core::DialogService* dialogs = nullptr;
  core::MediaControl* media = nullptr;
  std::function<void()> yield;  // lets pending events run; may be empty
  std::function<void()> ended;  // runs after the shutdown (ends the process); may be empty
};

class Program {
 public:
  explicit Program(ProgramEnvironment environment);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start-up: every step runs; a step that cannot be applied is skipped.
  void Start();
  // Runs when the main window closes: deletes the temporary pictures, writes the
  // settings and hides the other windows.
  void Shutdown();

  core::AppValues& values() { return values_; }
  mainwindow::Tagger* tagger() const { return tagger_.get(); }
  windows::frmCover* cover() const { return cover_.get(); }

 private:
  void loadMainWindow();
  void applyCommandLine();
  void restoreLanguageAndOptions();
  void restoreMainWindowBounds();
  void loadCoverWindow();
  double readNumber(const char* section, const char* key, double defaultValue) const;
  std::string readText(const char* section, const char* key, const std::string& defaultValue) const;

  ProgramEnvironment environment_;
  core::AppValues values_;
  std::unique_ptr<mainwindow::Tagger> tagger_;
  std::unique_ptr<windows::frmCover> cover_;
};

}  // namespace app
