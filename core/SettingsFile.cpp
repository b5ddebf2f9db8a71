#include "core/SettingsFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
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
  // Closes now, reporting a failure (a late write error shows up here).
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

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
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  Descriptor work(::mkostemp(name.data(), O_CLOEXEC));
  if (work.get() < 0) return false;
  const std::string workPath(name.data());

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
  ok = work.close() && ok;
  ok = ok && ::rename(workPath.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(workPath.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

}  // namespace core
