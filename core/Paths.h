// Path, file and folder routines. Paths are native byte strings (UTF-8 on disk on
// Debian) with '/' as separator; a folder text ends with '/'.
#pragma once
#include <string>
#include <vector>

namespace core {

constexpr char Separator = '/';

// Appends a separator when the last character is not one; the argument is changed too.
std::string& AddBackslash(std::string& path);
std::string RemoveBackslash(const std::string& path);
// /A/B/, /A/B and /A/B.mp3 all give /A/. The root is its own parent.
std::string ParentFolder(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string AfterLast(const std::string& text, char search);
std::string StripExtension(const std::string& text);
// The absolute, normalised form of an existing path (symbolic links kept);
// a path that does not exist comes back unchanged.
std::string LongPath(const std::string& path);
// The word-capitals rule: first character and every one after blank, '-', '(', '_'
// or a separator upper-cased, all others lower-cased (ISO-8859-1 letters).
std::string WordCapitals(const std::string& text);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Creates every missing folder of the path; existing folders are no error.
void MakePath(std::string& folder);

// The one sort rule for names: case-insensitive, ties broken case-sensitively.
bool NameLess(const std::string& a, const std::string& b);
// The files of a folder whose names end in ".mp3" in any letter case, sorted by NameLess;
// names only, no folder. An unreadable or missing folder gives an empty list.
std::vector<std::string> ListMp3Files(const std::string& folder);
// The sub-folders of a folder, sorted by NameLess; names only. Symbolic links to folders
// are left out, so that a recursive walk can never run in a circle.
std::vector<std::string> ListSubFolders(const std::string& folder);
// The same, but a symbolic link to a folder is listed like a folder when followLinks is
// set (for a view that goes one level at a time, such as the folder tree).
std::vector<std::string> ListSubFolders(const std::string& folder, bool followLinks);

}  // namespace core
