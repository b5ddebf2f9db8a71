#include "core/AppValues.h"

#include "core/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

const char* const DefaultExeName = "tonewright";

// A folder of ours that we may create entries in.
bool OwnWritableFolder(const char* path) {
  struct stat info {};
  return path != nullptr && path[0] == Separator && stat(path, &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == geteuid() && access(path, W_OK | X_OK) == 0;
}

std::string SystemTempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  struct stat info {};
  if (tmpdir != nullptr && tmpdir[0] == Separator && stat(tmpdir, &info) == 0 && S_ISDIR(info.st_mode) &&
      access(tmpdir, W_OK | X_OK) == 0) {
    return tmpdir;
  }
  return "/tmp";
}

// Creates the folder with mode 0700, or accepts it when it is already there, is a real
// folder (not a link), and belongs to us; a wider mode is narrowed to 0700. The checks
// run on the opened folder itself, so nobody can swap it for a link in between.
bool MakePrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;  // a symbolic link (ELOOP), a file (ENOTDIR) or no access
  struct stat info {};
  bool ok = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
  if (ok && (info.st_mode & 07777) != 0700) ok = fchmod(fd, 0700) == 0;
  close(fd);
  return ok;
}

}  // namespace

std::string PrivateTempDir() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder;
  if (OwnWritableFolder(runtime)) {
    folder = runtime;
    AddBackslash(folder) += "tonewright";
  } else {
    folder = SystemTempFolder();
    AddBackslash(folder) += "tonewright-" + std::to_string(geteuid());
  }
  if (!MakePrivateFolder(folder)) return std::string();
  return AddBackslash(folder);
}

void PreparePaths(AppValues& values, const std::string& programPath, const std::string& settingsFolder) {
  values.AppExeName = StripExtension(FileNameOf(programPath));
  if (values.AppExeName.empty() || values.AppExeName == "/") values.AppExeName = DefaultExeName;
  values.AppPath = settingsFolder.empty() ? ParentFolder(programPath) : settingsFolder;
  AddBackslash(values.AppPath);
  values.IniFile = values.AppPath + values.AppExeName + ".ini";
  values.IndexDir = values.AppPath + "Index/";
  values.CoverDir = values.AppPath + "Cover Art/";
  values.TempDir = PrivateTempDir();
  // Without a safe work folder the temporary files have no name at all: writing them
  // fails, rather than landing in the working folder.
  values.TempIndexFile = values.TempDir.empty() ? std::string() : values.TempDir + values.IndexFileName;
  values.TempCoverBase = values.TempDir.empty() ? std::string() : values.TempDir + "cover";
}

void DeleteTemporaryPictures(std::vector<PictureRecord>& pictures) {
  for (std::size_t i = 1; i < pictures.size(); ++i) {
    // A file that cannot be deleted is left; shutdown goes on.
    if (pictures[i].Temporary && !pictures[i].FileName.empty()) unlink(pictures[i].FileName.c_str());
  }
  pictures.resize(1);
}

}  // namespace core
