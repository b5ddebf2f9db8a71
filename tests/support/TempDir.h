// A fresh temporary folder for one test, removed with everything in it at the end.
#pragma once
#include <string>

namespace support {

class TempDir {
 public:
  TempDir();  // mkdtemp under $TMPDIR (or /tmp)
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string folder() const { return path_ + "/"; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  std::string operator/(const std::string& name) const { return file(name); }

 private:
  std::string path_;
};

// A fresh XDG_DATA_HOME (the undo journal, the trash) while the object lives.
class ScopedDataHome {
 public:
  ScopedDataHome();
  ~ScopedDataHome();
  ScopedDataHome(const ScopedDataHome&) = delete;
  ScopedDataHome& operator=(const ScopedDataHome&) = delete;
  const TempDir& dir() const { return dir_; }
  std::string operator/(const std::string& name) const { return dir_.file(name); }

 private:
  TempDir dir_;
  bool had_ = false;
  std::string before_;
};

}  // namespace support
