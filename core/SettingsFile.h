// Whole-file access for the settings file: a bounded read, and a replacement through
// a work file in the file's own folder.
#pragma once
#include <cstddef>
#include <string>

namespace core {

// A settings file larger than this is not one of ours: it is neither read nor replaced.
constexpr std::size_t MaxSettingsFileSize = 4 * 1024 * 1024;

enum class ReadResult { Ok, Missing, Failed };

// Missing only when there is no file of that name; a folder, an unreadable or an
// oversized file is Failed.
ReadResult ReadSettingsFile(const std::string& path, std::string& content);

// The file to replace: the path itself, or the file its symbolic link names (the link
// stays a link). Empty when a link leads nowhere.
std::string SettingsTarget(const std::string& path);

// Writes content to a fresh work file beside path (unique name, same folder), flushes
// it to the disk and renames it over path. The permission bits and owner of an existing
// file are kept. On any failure the work file is removed and path is left as it was.
bool ReplaceSettingsFile(const std::string& path, const std::string& content, bool existed);

}  // namespace core
