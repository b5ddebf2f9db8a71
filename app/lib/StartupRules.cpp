#include "app/lib/StartupRules.h"

#include <algorithm>

#include "core/Ini.h"
#include "core/Paths.h"

namespace app {

const std::array<const char*, 6> ViewKeys = {"Album", "Year", "Comment", "Time", "Bitrate", "Mode"};

std::string ChooseSettingsFolder(const std::string& programFolder, bool programFolderWritable,
                                 const std::string& configFolder) {
  std::string folder = programFolderWritable || configFolder.empty() ? programFolder : configFolder;
  return core::AddBackslash(folder);
}

std::string CommandLineFolder(const std::string& commandLine) {
  std::string text = core::LongPath(commandLine);
  if (!text.empty() && text.front() == '"') text.erase(0, 1);
  std::string folder = core::ParentFolder(text);
  return core::AddBackslash(folder);
}

std::string CommandLineFile(const std::string& commandLine) {
  std::string text = commandLine;
  if (!text.empty() && text.front() == '"') text.erase(0, 1);
  if (!text.empty() && text.back() == '"') text.pop_back();
  return core::LongPath(text);
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
  if (arguments.size() > 1 && (core::FileExists(arguments.front()) || core::FolderExists(arguments.front())))
    return arguments.front();
  std::string text;
  for (const std::string& argument : arguments) {
    if (!text.empty()) text += ' ';
    text += argument;
  }
  return text;
}

std::string FirstStartFolder(const std::string& programFolder, const std::string& buildTree,
                             const std::string& musicFolder, const std::string& homeFolder) {
  std::string program = programFolder;
  std::string tree = buildTree;
  core::AddBackslash(program);
  core::AddBackslash(tree);
  if (!buildTree.empty() && program.compare(0, tree.size(), tree) == 0) return std::string();
  std::string folder = musicFolder.empty() ? homeFolder : musicFolder;
  return folder.empty() ? folder : core::AddBackslash(folder);
}

QPoint KeepReachable(const QRect& window, const QRect& desktop, int grip) {
  const int leftMost = desktop.left() - window.width() + grip;
  const int rightMost = desktop.right() + 1 - grip;
  const int left = std::clamp(window.left(), std::min(leftMost, rightMost), rightMost);
  const int bottomMost = std::max(desktop.top(), desktop.bottom() + 1 - grip);
  const int top = std::clamp(window.top(), desktop.top(), bottomMost);
  return {left, top};
}

long long SettingNumber(const std::string& value) { return core::RoundHalfEven(core::LeadingNumber(value)); }

std::vector<SettingEntry> ShutdownSettings(const ShutdownState& state) {
  auto number = [](double value) { return core::FormatNumber(value); };
  std::vector<SettingEntry> entries = {
      {"Settings", "LastDir", state.lastDir},
      {"Settings", "Top", number(state.main.top)},
      {"Settings", "Left", number(state.main.left)},
      {"Settings", "Height", number(state.main.height)},
      {"Settings", "Width", number(state.main.width)},
  };
  for (std::size_t i = 0; i < ViewKeys.size(); ++i) {
    entries.push_back({"View", ViewKeys[i], std::to_string(state.view[i])});
  }
  entries.push_back({"Settings", "CoverTop", number(state.cover.top)});
  entries.push_back({"Settings", "CoverLeft", number(state.cover.left)});
  entries.push_back({"Settings", "CoverHeight", number(state.cover.height)});
  entries.push_back({"Settings", "CoverWidth", number(state.cover.width)});
  entries.push_back({"Settings", "Automatic", std::to_string(state.automatic)});
  entries.push_back({"Settings", "Language", std::to_string(state.language)});
  return entries;
}

}  // namespace app
