// The file system of the fuzz targets: one file, "song.mp3", holding the fuzzer's bytes;
// everything written is dropped, every rename and removal succeeds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "formats/FileIo.h"

namespace fuzz {

class MemoryInput final : public formats::InputFile {
 public:
  explicit MemoryInput(const std::string& bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    if (offset > bytes_.size() || n > bytes_.size() - offset) return false;
    if (n > 0) std::memcpy(buffer, bytes_.data() + offset, n);
    return true;
  }

 private:
  const std::string& bytes_;
};

class DiscardingOutput final : public formats::OutputFile {
 public:
  bool write(const void*, std::size_t) override { return true; }
  bool finish() override { return true; }
};

class MemoryFileSystem final : public formats::FileSystem {
 public:
  MemoryFileSystem(const std::uint8_t* data, std::size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}
  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override {
    if (path != "song.mp3") return nullptr;
    return std::make_unique<MemoryInput>(bytes_);
  }
  std::unique_ptr<formats::OutputFile> createNew(const std::string&) override {
    return std::make_unique<DiscardingOutput>();
  }
  std::unique_ptr<formats::OutputFile> openAppend(const std::string&) override {
    return std::make_unique<DiscardingOutput>();
  }
  bool replace(const std::string&, const std::string&) override { return true; }
  bool renameNoReplace(const std::string&, const std::string&) override { return true; }
  bool remove(const std::string&) override { return true; }
  bool exists(const std::string& path) override { return path == "song.mp3"; }
  bool truncate(const std::string&, std::uint64_t) override { return true; }

  // The environment that reads and writes through this file system.
  formats::FormatEnv env() {
    formats::FormatEnv e;
    e.fs = this;
    return e;
  }

 private:
  std::string bytes_;
};

}  // namespace fuzz
