// One open and two reads per file while a file is read by several readers in turn.
//
// The MPEG header reader and the two tag readers each open the file and read it in small
// pieces: a dozen system calls for what one open and two reads of its front and its end
// give. A ReadAheadFileSystem holds one file open with its first 64 KiB and its last
// 128 bytes (the ID3v1.1 block) in memory and hands the readers views of it; every other
// read and every write passes through to the file system below.
#pragma once
#include <memory>
#include <string>

#include "formats/FileIo.h"

namespace cli {

class ReadAheadFileSystem : public formats::FileSystem {
 public:
  explicit ReadAheadFileSystem(formats::FileSystem& base) : base_(base) {}

  // Opens path and reads its front and its end; false when it cannot be opened or read.
  // Until release(), openRead(path) gives views of this one open file.
  bool hold(const std::string& path);
  void release() { held_.reset(); }

  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNew(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNewLike(const std::string& path, const std::string& model) override;
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override;
  bool renameNoReplace(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;
  bool exists(const std::string& path) override { return base_.exists(path); }
  bool truncate(const std::string& path, std::uint64_t length) override;

  struct Held;

 private:
  formats::FileSystem& base_;
  std::shared_ptr<Held> held_;
};

}  // namespace cli
