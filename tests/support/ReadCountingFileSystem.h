// A file system that passes everything on and records the reads and the work files
// made: the largest single read, the total read, the names created.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/FileIo.h"

namespace support {

class ReadCountingFileSystem final : public formats::FileSystem {
 public:
  explicit ReadCountingFileSystem(formats::FileSystem& inner = formats::FileSystem::standard());

  std::uint64_t largestRead() const { return largestRead_; }
  std::uint64_t totalRead() const { return totalRead_; }
  std::uint64_t reads() const { return reads_; }
  std::uint64_t largestWrite() const { return largestWrite_; }
  const std::vector<std::string>& created() const { return created_; }
  void reset();

  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNew(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNewLike(const std::string& path, const std::string& model) override;
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override { return inner_.replace(from, to); }
  bool remove(const std::string& path) override { return inner_.remove(path); }
  bool exists(const std::string& path) override { return inner_.exists(path); }
  bool truncate(const std::string& path, std::uint64_t length) override { return inner_.truncate(path, length); }

  void noteRead(std::size_t n);
  void noteWrite(std::size_t n);

 private:
  std::unique_ptr<formats::OutputFile> wrap(std::unique_ptr<formats::OutputFile> file);

  formats::FileSystem& inner_;
  std::uint64_t largestRead_ = 0;
  std::uint64_t totalRead_ = 0;
  std::uint64_t reads_ = 0;
  std::uint64_t largestWrite_ = 0;
  std::vector<std::string> created_;
};

}  // namespace support
