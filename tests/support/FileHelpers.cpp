#include "support/FileHelpers.h"

#include "support/Process.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <system_error>
#include <utility>

namespace support {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) ADD_FAILURE() << "cannot write " << path;
  return !out.fail();
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool MakeSparseFile(const std::string& path, const std::string& head, std::uint64_t length) {
  if (!WriteFileBytes(path, head)) return false;
  std::error_code ec;
  std::filesystem::resize_file(path, length, ec);
  if (ec) ADD_FAILURE() << "cannot resize " << path << ": " << ec.message();
  return !ec;
}

ImmutableGuard::ImmutableGuard(std::string path)
    : path_(std::move(path)), active_(CommandSucceeds("chattr +i " + ShellQuote(path_))) {}

ImmutableGuard::~ImmutableGuard() {
  if (active_ && !CommandSucceeds("chattr -i " + ShellQuote(path_)))
    ADD_FAILURE() << "cannot clear the immutable flag of " << path_;
}

}  // namespace support
