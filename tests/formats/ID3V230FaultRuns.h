// Runs a file operation once for every I/O step that can fail, and once with a full disk
// at several points: after each run the file holds either the complete new bytes (the
// operation reported success) or exactly the old ones, and the folder holds no new file.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"

namespace id3v230test {

using Operation = std::function<bool(formats::FileSystem&)>;

inline void ExpectAllOrNothing(const std::string& folder, const std::string& path, const std::string& before,
                               const std::string& after, const Operation& operation) {
  support::FailingFileSystem fs;
  // Every single failing step, until a run meets no failure at all.
  for (int n = 1;; ++n) {
    ASSERT_TRUE(support::WriteFileBytes(path, before));
    const auto entries = support::FolderEntries(folder);
    fs.reset();
    fs.failAt(n);
    const bool ok = operation(fs);
    SCOPED_TRACE("failing step " + std::to_string(n) + " (" + fs.failedOperation() + ")");
    EXPECT_EQ(ok, !fs.failed());
    EXPECT_EQ(support::ReadFileBytes(path), ok ? after : before);
    EXPECT_EQ(support::FolderEntries(folder), entries);
    if (!fs.failed()) break;
    ASSERT_LT(n, 1000) << "the operation never gets through";
  }
  // A disk that fills up at several points of the work file.
  for (std::uint64_t room : std::vector<std::uint64_t>{0, 1, 10, after.size() / 2, after.size() - 1}) {
    ASSERT_TRUE(support::WriteFileBytes(path, before));
    const auto entries = support::FolderEntries(folder);
    fs.reset();
    fs.diskFullAfter(room);
    SCOPED_TRACE("disk full after " + std::to_string(room) + " bytes");
    EXPECT_FALSE(operation(fs));
    EXPECT_EQ(support::ReadFileBytes(path), before);
    EXPECT_EQ(support::FolderEntries(folder), entries);
  }
}

}  // namespace id3v230test
