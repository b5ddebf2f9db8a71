// The rules of start-up and shutdown that need no window: where the settings live, the
// folder a command line opens, keeping a restored window reachable, and the settings
// written at shutdown in their order.
#pragma once
#include <QPoint>
#include <QRect>
#include <array>
#include <string>
#include <vector>

namespace app {

// The settings folder: the program's folder when it is writable, else the user's
// configuration folder. Both end with '/'.
std::string ChooseSettingsFolder(const std::string& programFolder, bool programFolderWritable,
                                 const std::string& configFolder);

// The folder that a command-line text opens: the long form of the text, a leading
// double quote removed, cut at its last separator, with a trailing separator. A file
// opens the folder that holds it, a folder the one above it.
std::string CommandLineFolder(const std::string& commandLine);
// The file or folder a command line names: without the double quotes around it, in its
// long form.
std::string CommandLineFile(const std::string& commandLine);

// The command-line text from the program's arguments. A desktop hands dropped files over
// one per argument: when the first names a file or folder that is there, it alone is the
// text (the others are in its folder, as a rule). Otherwise the arguments are joined by
// blanks, as one text: a path with blanks that was not quoted.
std::string CommandLineText(const std::vector<std::string>& arguments);

// The folder a start without a last folder opens. The program in its build tree opens its
// own folder (empty result: the settings' default). Installed, it opens the user's music
// folder, else the home folder; an empty argument is one that is not there.
std::string FirstStartFolder(const std::string& programFolder, const std::string& buildTree,
                             const std::string& musicFolder, const std::string& homeFolder);

// A window placed from the settings keeps its title bar reachable on the desktop:
// at least `grip` pixels of it stay inside horizontally, and its top stays between the
// desktop's top and `grip` pixels above its bottom. A window already reachable stays.
QPoint KeepReachable(const QRect& window, const QRect& desktop, int grip = 100);

// A settings value as a whole number: the leading-number rule, rounded half to even.
long long SettingNumber(const std::string& value);

// What shutdown writes, in its order.
struct WindowBounds {
  double top = 0, left = 0, height = 0, width = 0;  // twips, outer bounds
};
struct ShutdownState {
  std::string lastDir;
  WindowBounds main;
  std::array<int, 6> view{};
  WindowBounds cover;
  int automatic = 0;
  int language = 0;
};
struct SettingEntry {
  std::string section;
  std::string key;
  std::string value;
};
std::vector<SettingEntry> ShutdownSettings(const ShutdownState& state);

// The View keys of chkView(0) to chkView(5).
extern const std::array<const char*, 6> ViewKeys;

}  // namespace app
