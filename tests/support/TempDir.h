// A fresh temporary folder for one test, removed with everything in it at the end.
#pragma once
#include <string>

namespace support {

class TempDir {
 public:
  // Made with mkdtemp under $TMPDIR (or /tmp); a failure is reported to GoogleTest.
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path with a closing "/", as the program keeps folder names.
  std::string folder() const { return path_ + "/"; }
  // The path of `name` inside the folder (not created).
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  std::string operator/(const std::string& name) const { return file(name); }

 private:
  std::string path_;
};

// A fresh XDG_DATA_HOME (the undo journal, the trash) while the object lives; the value
// before comes back at its end.
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
