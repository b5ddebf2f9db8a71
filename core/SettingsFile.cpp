#include "core/SettingsFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace core {

namespace {

// Closes the descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto last = path.rfind('/');
  return last == std::string::npos ? std::string(".") : path.substr(0, last + 1);
}

// Makes the rename itself durable; a failure here loses nothing, so it is not reported.
void SyncFolder(const std::string& folder) {
  Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// The mark that ends the name of every work file of the program (the format classes use
// the same): a cleanup of the folder removes such a file once no process holds its lock.
constexpr char WorkMark[] = ".tonewright";

// A new, hidden work file beside path (".<name>.XXXXXX.tonewright"), locked; -1 on failure.
// A cleanup may take the file between its creation and its lock: it is made anew then.
int CreateLockedWorkFile(const std::string& path, std::string& workPath) {
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::string pattern = folder + "." + path.substr(folder.size()) + ".XXXXXX" + WorkMark;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemps(name.data(), static_cast<int>(std::strlen(WorkMark)), O_CLOEXEC);
    if (fd < 0) return -1;
    workPath.assign(name.data());
    struct stat open {}, named {};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &open) == 0 && ::lstat(workPath.c_str(), &named) == 0 &&
        open.st_ino == named.st_ino && open.st_dev == named.st_dev)
      return fd;
    ::close(fd);
  }
  return -1;
}

}  // namespace

ReadResult ReadSettingsFile(const std::string& path, std::string& content) {
  content.clear();
  if (path.empty()) return ReadResult::Failed;
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadResult::Failed;
  // The size is only a hint: read until the end, but never past the limit.
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ReadResult::Failed;
    if (n == 0) break;
    content.append(buffer.data(), static_cast<std::size_t>(n));
    if (content.size() > MaxSettingsFileSize) {
      content.clear();
      return ReadResult::Failed;
    }
  }
  return ReadResult::Ok;
}

std::string SettingsTarget(const std::string& path) {
  struct stat info {};
  if (path.empty()) return std::string();
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::vector<char> resolved(PATH_MAX + 1);
  if (::realpath(path.c_str(), resolved.data()) == nullptr) return std::string();
  return std::string(resolved.data());
}

bool ReplaceSettingsFile(const std::string& path, const std::string& content, bool existed) {
  std::string workPath;
  Descriptor work(CreateLockedWorkFile(path, workPath));
  if (work.get() < 0) return false;

  bool ok = true;
  if (existed) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
      ok = ::fchmod(work.get(), info.st_mode & 07777) == 0;
      // Only a privileged process can give the file back to its owner; otherwise it is
      // ours already.
      if (ok && info.st_uid != ::geteuid()) (void)!::fchown(work.get(), info.st_uid, info.st_gid);
    }
  }
  ok = ok && WriteAll(work.get(), content) && ::fsync(work.get()) == 0;
  // Renamed while still locked, and removed while still locked on failure.
  ok = ok && ::rename(workPath.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(workPath.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

}  // namespace core
