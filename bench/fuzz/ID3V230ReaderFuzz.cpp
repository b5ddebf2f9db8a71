// libFuzzer target: any bytes as an MP3 file, read by the ID3v2 reader, every version (with and without
// QuickRead), its pictures extracted, its tag removed and replaced, all in memory.
// Built and run by run.sh beside this file (clang only); not part of the CMake build.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"

namespace {

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

// One file, "song.mp3", holding the fuzzer's bytes; everything written is dropped.
class MemoryFileSystem final : public formats::FileSystem {
 public:
  explicit MemoryFileSystem(std::string bytes) : bytes_(std::move(bytes)) {}
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

 private:
  std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFileSystem fs(std::string(reinterpret_cast<const char*>(data), size));
  formats::FormatEnv env;
  env.fs = &fs;
  for (const bool quick : {false, true}) {
    formats::clsID3V230Reader reader(env, "cover");
    reader.setQuickRead(quick);
    reader.ReadID3V230Tag("song.mp3");
    const auto starts = formats::id3v230::SplitList(reader.GraphicStartPos());
    const auto sizes = formats::id3v230::SplitList(reader.GraphicSize());
    for (std::size_t i = 0; i < starts.size() && i < sizes.size() && !sizes[i].empty(); ++i) {
      std::string info, type;
      reader.ExtractGraphic("song.mp3", std::stoll(starts[i]), std::stoll(sizes[i]), info, type);
    }
  }
  formats::clsID3V230Writer writer(env);
  writer.RemoveID3V230Tag("song.mp3");
  writer.setSongTitle("fuzz");
  writer.WriteID3V230Tag("song.mp3");
  return 0;
}
