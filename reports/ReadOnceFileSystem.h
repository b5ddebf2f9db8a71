// A file system for the readers of the tag list: the file in work is opened once, its
// head and its tail are read once, and the three readers' reads are served from them.
// Everything else goes to the file system beneath.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "formats/FileIo.h"

namespace reports {

class ReadOnceFileSystem final : public formats::FileSystem {
 public:
  explicit ReadOnceFileSystem(formats::FileSystem& inner);

  // Opens the file and reads its first bytes; false when it cannot be opened
  // (the readers then find nothing, as they would on their own).
  bool load(const std::string& path);
  // Closes the file loaded last.
  void release();
  // Whether `path` is the file loaded last and still open.
  bool holds(const std::string& path) const { return loaded_ != nullptr && path == path_; }

  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNew(const std::string& path) override { return inner_.createNew(path); }
  std::unique_ptr<formats::OutputFile> createNewLike(const std::string& path, const std::string& model) override {
    return inner_.createNewLike(path, model);
  }
  std::unique_ptr<formats::OutputFile> createWork(const std::string& path, const std::string& model) override {
    return inner_.createWork(path, model);
  }
  void removeLeftWorkFiles(const std::string& folder) override { inner_.removeLeftWorkFiles(folder); }
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& path) override { return inner_.openAppend(path); }
  bool replace(const std::string& from, const std::string& to) override { return inner_.replace(from, to); }
  bool renameNoReplace(const std::string& from, const std::string& to) override {
    return inner_.renameNoReplace(from, to);
  }
  bool remove(const std::string& path) override { return inner_.remove(path); }
  bool exists(const std::string& path) override { return inner_.exists(path); }
  bool truncate(const std::string& path, std::uint64_t length) override { return inner_.truncate(path, length); }

  struct Loaded;

 private:
  formats::FileSystem& inner_;
  std::string path_;
  std::shared_ptr<Loaded> loaded_;
  std::shared_ptr<Loaded> spare_;  // the buffers of a released file, for the next one
};

}  // namespace reports
