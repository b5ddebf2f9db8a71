#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace support {

TempDir::TempDir() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "tonewright-XXXXXX").string();  // honours TMPDIR
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  if (path_.empty()) ADD_FAILURE() << "mkdtemp failed for " << pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

ScopedDataHome::ScopedDataHome() : had_(std::getenv("XDG_DATA_HOME") != nullptr) {
  if (had_) before_ = std::getenv("XDG_DATA_HOME");
  ::setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
}

ScopedDataHome::~ScopedDataHome() {
  if (!had_) ::unsetenv("XDG_DATA_HOME");
  if (had_) ::setenv("XDG_DATA_HOME", before_.c_str(), 1);
}

}  // namespace support
