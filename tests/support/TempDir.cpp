#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace support {

TempDir::TempDir() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "tonewright-XXXXXX").string();  // honours TMPDIR
  if (::mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "mkdtemp failed for " << pattern;
    return;
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace support
