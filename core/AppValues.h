// The application-wide values: prepared at start-up, shared by the main window and
// the secondary windows. One object, owned by the program and handed to who needs it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One picture of the file on show (the list of them belongs to the file on show, see
// tagging::ShownFile). FileName is the picture's file; Temporary is set when the program
// wrote that file and must delete it.
struct PictureRecord {
  std::string FileName;
  int PicType = 0;
  std::string Title;
  std::int64_t StartPos = 0;
  std::int64_t Size = 0;
  bool Temporary = false;
};

struct AppValues {
  std::string AppPath;      // folder of the settings and of Index/ and Cover Art/, ends with '/'
  std::string AppExeName;   // program file name without extension
  std::string AppTitle = "Quillmere Tonewright";
  std::string IniFile;
  std::string TempDir;      // private per-user work folder, ends with '/'
  std::string TempIndexFile;
  std::string TempCoverBase;
  std::string IndexDir;
  std::string CoverDir;
  std::string IndexFileName = "index.htm";
  std::string NoFilesText = "No MP3 Files - no TAGs";
  std::string NoTagText = "- NO TAG -";
  std::string TotalTimeLabel = "Gesamtspieldauer : ";
  std::string CrLf = "\r\n";
  std::string CommandLine;
  std::string CurrentDir;
  std::string CurrentDirName;
  std::string CurrentFile;
  std::int16_t FileCount = 0;
  std::int16_t LanguageIndex = 0;
  std::string RenameSource;
  // The picture selection dialog's outcome: 1 while it is open, 0 cancelled, 2 accepted;
  // ChosenPicture is the accepted file, and where the dialog starts the next time.
  std::int16_t PicSelectState = 0;
  std::string ChosenPicture;
};

// Step 1 and the path part of step 3 of the start-up: AppPath, AppExeName, IniFile,
// IndexDir, CoverDir, TempDir, TempIndexFile, TempCoverBase, from the program's own
// path. settingsFolder is where the settings live (the program's folder when it is
// writable, else the user's configuration folder), ending with '/'.
void PreparePaths(AppValues& values, const std::string& programPath, const std::string& settingsFolder);

// The private per-user work folder, created with mode 0700. Returns an empty text when
// it cannot be made safe (a symbolic link, or owned by another user).
std::string PrivateTempDir();

// Deletes the files of the pictures whose Temporary flag is set, from element 1 on,
// and empties the list to its element 0.
void DeleteTemporaryPictures(std::vector<PictureRecord>& pictures);

}  // namespace core
