// The drives of the drive selector: the mounted volumes that hold real file systems,
// each shown by its root path.
#pragma once
#include <string>
#include <vector>

namespace mainwindow {

// Kernel and virtual file systems (proc, sysfs, cgroup ...) and mounts under /proc,
// /sys, /dev and /run hold no user files.
bool IsPseudoFileSystem(const std::string& type, const std::string& root);

// The root paths of the real volumes, sorted, each once.
std::vector<std::string> RealVolumeRoots();

// The volume of a path: the root that is the longest prefix of it at a separator
// boundary; empty when none is.
std::string VolumeOf(const std::string& path, const std::vector<std::string>& roots);

}  // namespace mainwindow
