#include "formats/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <libgen.h>
#include <sys/file.h>
#include <sys/stat.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/syscall.h>
#endif
#include <unistd.h>
#include <utility>
#include <vector>

namespace formats {

namespace {

// open(2) again after an interrupting signal.
int openRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Opens an existing regular file. O_NONBLOCK keeps a named pipe or a device under the
// file's name from blocking the open; such a file is refused. `size` receives the file's
// length from the same status call.
int openRegular(const char* path, int flags, std::uint64_t* size = nullptr) {
  int fd = openRetrying(path, flags | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  const bool known = ::fstat(fd, &st) == 0;
  if (!known || !S_ISREG(st.st_mode)) {
    // A folder says so; a pipe or a device is no file to open here.
    const int error = !known ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    errno = error;
    return -1;
  }
  // O_NONBLOCK has no effect on a regular file's reads, so a file opened for reading keeps
  // it rather than pay one more call per file in a listing; writers clear it.
  if ((flags & O_ACCMODE) != O_RDONLY && ::fcntl(fd, F_SETFL, flags & ~O_ACCMODE) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  if (size != nullptr) *size = static_cast<std::uint64_t>(st.st_size);
  return fd;
}

// close(2) is not retried after EINTR: on Linux the descriptor is gone either way.
bool closeOnce(int& fd) {
  if (fd < 0) return true;
  const int result = ::close(fd);
  fd = -1;
  return result == 0 || errno == EINTR;
}

bool syncRetrying(int fd) {
  int result;
  do {
    result = ::fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

std::string folderOf(const std::string& path) {
  std::vector<char> copy(path.begin(), path.end());
  copy.push_back('\0');
  return std::string(::dirname(copy.data()));
}

// After a rename the folder entry itself must reach the disk; failing to sync the folder
// does not undo the rename, so it is done on a best-effort basis.
void syncFolderOf(const std::string& path) {
  int fd = openRetrying(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  syncRetrying(fd);
  closeOnce(fd);
}

// renameat2 with RENAME_NOREPLACE where the kernel and the file system have it; else a
// hard link to the new name (which fails on an existing name) and the old name removed.
bool renameNoReplaceCall(const std::string& from, const std::string& to) {
#if defined(SYS_renameat2) && defined(RENAME_NOREPLACE)
  if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != ENOSYS && errno != EINVAL) return false;
#endif
  struct stat st {};
  if (::lstat(from.c_str(), &st) != 0) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

class PosixInputFile final : public InputFile {
 public:
  PosixInputFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~PosixInputFile() override { closeOnce(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::uint64_t size() const override { return size_; }

  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    if (offset > size_ || n > size_ - offset) return false;
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
      const ssize_t got = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;  // an error, or the file shrank under us
      done += static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  int fd_;
  std::uint64_t size_;
};

// The lock that marks a work file as in use. flock's lock belongs to the open file, not to
// the process, so no other open of the file (in this process or another) can take it, and
// it goes with the last descriptor: a killed writer leaves none. False where the file
// system knows no locks; such a work file is never taken as left behind either.
bool LockWork(int fd, bool wait) {
  int result;
  do {
    result = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

// Whether the folder entry `name` (relative to dirFd, or a path with AT_FDCWD) is still the
// open file fd: a work file removed and made anew under its name is another file.
bool StillNamed(int fd, int dirFd, const char* name) {
  struct stat open {}, named {};
  return ::fstat(fd, &open) == 0 && ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(named.st_mode) && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

class PosixOutputFile final : public OutputFile {
 public:
  // A held file keeps its descriptor, and so its lock, from finish() to its destruction.
  explicit PosixOutputFile(int fd, bool held = false) : fd_(fd), held_(held) {}
  ~PosixOutputFile() override { closeOnce(fd_); }
  PosixOutputFile(const PosixOutputFile&) = delete;
  PosixOutputFile& operator=(const PosixOutputFile&) = delete;

  bool write(const void* data, std::size_t n) override {
    if (fd_ < 0 || failed_ || finished_) return false;
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < n) {
      const ssize_t put = ::write(fd_, in + done, n - done);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        if (put == 0) errno = ENOSPC;  // nothing taken: the disk has no room left
        failed_ = true;
        return false;
      }
      done += static_cast<std::size_t>(put);
    }
    return true;
  }

  bool finish() override {
    if (fd_ < 0 || finished_) return false;
    const bool synced = syncRetrying(fd_);
    finished_ = true;
    const bool closed = held_ || closeOnce(fd_);
    return synced && closed && !failed_;
  }

  bool finishUnsynced() override {
    if (fd_ < 0 || finished_) return false;
    finished_ = true;
    return (held_ || closeOnce(fd_)) && !failed_;
  }

 private:
  int fd_;
  bool held_;
  bool failed_ = false;
  bool finished_ = false;
};

class PosixFileSystem final : public FileSystem {
 private:
  // A new file with the permission bits (and, where allowed, the owner) of model; -1 on failure.
  static int createLike(const std::string& path, const std::string& model) {
    struct stat st {};
    if (model.empty() || ::stat(model.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
      return openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    const int fd = openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    // The owner first: changing it may clear set-id bits, which fchmod then restores.
    // Either may be refused (not the owner); the file is still a sound copy then.
    const bool owned = ::fchown(fd, st.st_uid, st.st_gid) == 0;
    const bool moded = ::fchmod(fd, st.st_mode & 07777) == 0;
    (void)owned;
    (void)moded;
    return fd;
  }

 public:
  std::unique_ptr<InputFile> openRead(const std::string& path) override {
    std::uint64_t size = 0;
    const int fd = openRegular(path.c_str(), O_RDONLY, &size);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixInputFile>(fd, size);
  }

  std::unique_ptr<OutputFile> createNew(const std::string& path) override {
    const int fd = openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutputFile>(fd);
  }

  std::unique_ptr<OutputFile> createNewLike(const std::string& path, const std::string& model) override {
    const int fd = createLike(path, model);
    return fd < 0 ? nullptr : std::make_unique<PosixOutputFile>(fd);
  }

  std::unique_ptr<OutputFile> createWork(const std::string& path, const std::string& model) override {
    // A cleanup may take a new file between its creation and its lock, and then removes
    // it: the name is made anew then.
    for (int attempt = 0; attempt < 3; ++attempt) {
      int fd = createLike(path, model);
      if (fd < 0) return nullptr;
      const bool locked = LockWork(fd, true);
      if (!locked && (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL))
        return std::make_unique<PosixOutputFile>(fd, true);  // no locks here: no cleanup either
      if (locked && StillNamed(fd, AT_FDCWD, path.c_str())) return std::make_unique<PosixOutputFile>(fd, true);
      closeOnce(fd);
    }
    return nullptr;
  }

  void removeLeftWorkFiles(const std::string& folder) override {
    int dirFd = openRetrying(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd < 0) return;
    DIR* dir = ::fdopendir(dirFd);
    if (dir == nullptr) {
      closeOnce(dirFd);
      return;
    }
    while (const dirent* entry = ::readdir(dir)) {
      if (!IsWorkFileName(entry->d_name)) continue;
      int fd;
      do {
        fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
      } while (fd < 0 && errno == EINTR);
      if (fd < 0) continue;
      // Only a file nobody holds, and only while it still is the file under that name.
      if (LockWork(fd, false) && StillNamed(fd, dirFd, entry->d_name)) ::unlinkat(dirFd, entry->d_name, 0);
      closeOnce(fd);
    }
    ::closedir(dir);
  }

  std::unique_ptr<OutputFile> openAppend(const std::string& path) override {
    const int fd = openRegular(path.c_str(), O_WRONLY | O_APPEND);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutputFile>(fd);
  }

  bool replace(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    syncFolderOf(to);
    return true;
  }

  bool replaceUnsynced(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool renameNoReplace(const std::string& from, const std::string& to) override {
    if (!renameNoReplaceCall(from, to)) return false;
    syncFolderOf(to);
    return true;
  }

  bool renameNoReplaceUnsynced(const std::string& from, const std::string& to) override {
    return renameNoReplaceCall(from, to);
  }

  void syncFolder(const std::string& path) override { syncFolderOf(path); }

  bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool exists(const std::string& path) override {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
  }

  bool truncate(const std::string& path, std::uint64_t length) override {
    int fd = openRegular(path.c_str(), O_WRONLY);
    if (fd < 0) return false;
    int result;
    do {
      result = ::ftruncate(fd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    const bool synced = result == 0 && syncRetrying(fd);
    const bool closed = closeOnce(fd);
    return result == 0 && synced && closed;
  }
};

}  // namespace

FileSystem& FileSystem::standard() {
  static PosixFileSystem instance;
  return instance;
}

bool CopyRange(InputFile& in, std::uint64_t offset, std::uint64_t length, OutputFile& out,
               const YieldHook& yield) {
  if (offset > in.size() || length > in.size() - offset) return false;
  // Left uninitialised: the read fills it, and zero-filling a piece of up to 2 MiB for every
  // file took a save longer than its copy.
  const std::unique_ptr<unsigned char[]> piece(
      new unsigned char[static_cast<std::size_t>(std::min<std::uint64_t>(length, CopyPiece))]);
  while (length > 0) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(length, CopyPiece));
    if (!in.readAt(offset, piece.get(), n) || !out.write(piece.get(), n)) return false;
    offset += n;
    length -= n;
    if (yield) yield();
  }
  return true;
}

std::unique_ptr<InputFile> OpenRead(FileSystem& fs, const std::string& path, Status& status) {
  errno = 0;
  auto file = fs.openRead(path);
  status = file ? Status::Ok() : Status::LastError(path);
  return file;
}

std::unique_ptr<OutputFile> CreateNew(FileSystem& fs, const std::string& path, Status& status) {
  errno = 0;
  auto file = fs.createNew(path);
  status = file ? Status::Ok() : Status::LastError(path);
  return file;
}

std::string WorkFilePath(const std::string& target, const std::string& suffix) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string stem = target.substr(folder.size()) + suffix;
  // 255 bytes is the longest name most file systems take.
  constexpr std::size_t LongestName = 255;
  const std::size_t room = LongestName - 1 - (sizeof WorkFileMark - 1);
  if (stem.size() > room) stem.resize(room);
  return folder + "." + stem + WorkFileMark;
}

bool IsWorkFileName(const std::string& name) {
  const std::size_t mark = sizeof WorkFileMark - 1;
  return name.size() > mark + 1 && name[0] == '.' && name.compare(name.size() - mark, mark, WorkFileMark) == 0;
}

WorkFile::WorkFile(FileSystem& fs, std::string target, const std::string& suffix)
    : fs_(fs), target_(std::move(target)), path_(WorkFilePath(target_, suffix)) {
  errno = 0;
  out_ = fs_.createWork(path_, target_);
  if (out_ == nullptr) status_ = Status::LastError(target_);  // before exists() sets errno anew
  if (out_ == nullptr && fs_.exists(path_)) {
    fs_.removeLeftWorkFiles(path_.substr(0, path_.rfind('/') + 1));
    errno = 0;
    out_ = fs_.createWork(path_, target_);
    status_ = out_ != nullptr ? Status::Ok() : Status::LastError(target_);
  }
}

WorkFile::~WorkFile() {
  // Removed while still held, so that no cleanup can meet it unheld first.
  if (!done_ && out_ != nullptr) fs_.remove(path_);
}

bool WorkFile::fail(int error) {
  if (status_) status_ = Status::Io(error, target_);
  ok_ = false;
  return false;
}

bool WorkFile::write(const void* data, std::size_t n) {
  if (!ok() || finished_) return false;
  if (!out_->write(data, n)) return fail(errno);
  return true;
}

bool WorkFile::copyFrom(InputFile& in, std::uint64_t offset, std::uint64_t length, const YieldHook& yield) {
  if (!ok() || finished_) return false;
  errno = 0;
  if (!CopyRange(in, offset, length, *out_, yield)) return fail(errno);
  return true;
}

Status WorkFile::commit() {
  // A work file only ever replaces its target: a target removed meanwhile stays removed.
  if (!fs_.exists(target_)) fail(ENOENT);
  return commitAs(target_);
}

Status WorkFile::commitAs(const std::string& newTarget) {
  if (commitTo(newTarget, true)) return Status::Ok();
  if (status_) fail(EIO);  // committed twice, or after the work file was given up
  return status_;
}

bool WorkFile::commitTemporaryAs(const std::string& newTarget) { return commitTo(newTarget, false); }

bool WorkFile::commitTo(const std::string& newTarget, bool durable) {
  if (!ok() || done_ || finished_) return false;
  finished_ = true;  // flushed (and held) until renamed or removed
  if (!(durable ? out_->finish() : out_->finishUnsynced())) return fail(errno);
  if (!(durable ? fs_.replace(path_, newTarget) : fs_.replaceUnsynced(path_, newTarget))) return fail(errno);
  done_ = true;
  out_.reset();
  return true;
}

bool WorkFile::commitAsNew(const std::string& newTarget) {
  if (done_ || out_ == nullptr) return false;
  if (!finished_) {
    if (!ok_) return false;
    finished_ = true;
    if (!out_->finish()) fail(errno);
  }
  if (!ok_ || !fs_.renameNoReplace(path_, newTarget)) return false;
  done_ = true;
  out_.reset();
  return true;
}

}  // namespace formats
