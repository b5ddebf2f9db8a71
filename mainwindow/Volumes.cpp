#include "mainwindow/Volumes.h"

#include <QStorageInfo>
#include <algorithm>
#include <array>

#include "core/Paths.h"
#include "mainwindow/NativeNames.h"

namespace mainwindow {

namespace {

bool IsUnder(const std::string& path, const std::string& root) {
  if (root.empty()) return false;
  if (root == "/") return !path.empty() && path.front() == '/';
  if (path.compare(0, root.size(), root) != 0) return false;
  return path.size() == root.size() || path[root.size()] == '/';
}

}  // namespace

bool IsPseudoFileSystem(const std::string& type, const std::string& root) {
  static const std::array<const char*, 24> pseudoTypes = {
      "proc",     "sysfs",    "devpts",     "devtmpfs",   "cgroup",  "cgroup2",  "mqueue",    "securityfs",
      "debugfs",  "tracefs",  "pstore",     "bpf",        "configfs", "fusectl", "hugetlbfs", "autofs",
      "binfmt_misc", "efivarfs", "nsfs",    "rpc_pipefs", "nfsd",    "ramfs",    "squashfs",  "tmpfs"};
  for (const char* pseudo : pseudoTypes) {
    if (type == pseudo) return true;
  }
  for (const char* system : {"/proc", "/sys", "/dev", "/run"}) {
    if (IsUnder(root, system)) return true;
  }
  return false;
}

std::vector<std::string> RealVolumeRoots() {
  std::vector<std::string> roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const std::string root = ToNative(volume.rootPath());
    if (IsPseudoFileSystem(volume.fileSystemType().toStdString(), root)) continue;
    if (!core::FolderExists(root)) continue;  // a single file mounted in place (/etc/hosts)
    roots.push_back(root);
  }
  std::sort(roots.begin(), roots.end());
  roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
  return roots;
}

std::string VolumeOf(const std::string& path, const std::vector<std::string>& roots) {
  std::string best;
  for (const std::string& root : roots) {
    if (IsUnder(path, root) && root.size() > best.size()) best = root;
  }
  return best;
}

}  // namespace mainwindow
