// The file system of the fuzz targets: the file "song.mp3" holds the fuzzer's bytes. By
// default everything written is dropped and every rename and removal succeeds; with
// `keep`, written files are kept in memory and renames and removals act on them, so that
// a save can be read back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "formats/FileIo.h"

namespace fuzz {

using Bytes = std::shared_ptr<std::string>;

class MemoryInput final : public formats::InputFile {
 public:
  // The bytes stay alive while the input is open, also when their name is replaced.
  explicit MemoryInput(Bytes bytes) : bytes_(std::move(bytes)) {}
  std::uint64_t size() const override { return bytes_->size(); }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    if (offset > bytes_->size() || n > bytes_->size() - offset) return false;
    if (n > 0) std::memcpy(buffer, bytes_->data() + offset, n);
    return true;
  }

 private:
  Bytes bytes_;
};

class MemoryOutput final : public formats::OutputFile {
 public:
  explicit MemoryOutput(Bytes bytes) : bytes_(std::move(bytes)) {}
  bool write(const void* data, std::size_t n) override {
    if (bytes_) bytes_->append(static_cast<const char*>(data), n);
    return true;
  }
  bool finish() override { return true; }

 private:
  Bytes bytes_;  // null: dropped
};

class MemoryFileSystem final : public formats::FileSystem {
 public:
  MemoryFileSystem(const std::uint8_t* data, std::size_t size, bool keep = false) : keep_(keep) {
    files_["song.mp3"] = std::make_shared<std::string>(reinterpret_cast<const char*>(data), size);
  }
  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override {
    const auto found = files_.find(path);
    if (found == files_.end()) return nullptr;
    return std::make_unique<MemoryInput>(found->second);
  }
  std::unique_ptr<formats::OutputFile> createNew(const std::string& path) override {
    if (!keep_) return std::make_unique<MemoryOutput>(nullptr);
    if (files_.count(path) != 0) return nullptr;
    auto bytes = std::make_shared<std::string>();
    files_[path] = bytes;
    return std::make_unique<MemoryOutput>(bytes);
  }
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& path) override {
    if (!keep_) return std::make_unique<MemoryOutput>(nullptr);
    const auto found = files_.find(path);
    return found == files_.end() ? nullptr : std::make_unique<MemoryOutput>(found->second);
  }
  bool replace(const std::string& from, const std::string& to) override {
    if (!keep_) return true;
    const auto found = files_.find(from);
    if (found == files_.end()) return false;
    Bytes bytes = found->second;
    files_.erase(found);
    files_[to] = std::move(bytes);
    return true;
  }
  bool renameNoReplace(const std::string& from, const std::string& to) override {
    if (keep_ && files_.count(to) != 0) return false;
    return replace(from, to);
  }
  bool remove(const std::string& path) override {
    if (keep_) files_.erase(path);
    return true;
  }
  bool exists(const std::string& path) override { return files_.count(path) != 0; }
  bool truncate(const std::string& path, std::uint64_t length) override {
    const auto found = files_.find(path);
    if (keep_ && found != files_.end() && length < found->second->size()) {
      found->second = std::make_shared<std::string>(found->second->substr(0, static_cast<std::size_t>(length)));
    }
    return true;
  }

  // The environment that reads and writes through this file system.
  formats::FormatEnv env() {
    formats::FormatEnv e;
    e.fs = this;
    return e;
  }

 private:
  bool keep_;
  std::map<std::string, Bytes> files_;
};

}  // namespace fuzz
