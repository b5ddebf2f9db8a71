#include "support/FailingFileSystem.h"

#include <algorithm>
#include <utility>

namespace support {

namespace {

class FailingOutputFile final : public formats::OutputFile {
 public:
  FailingOutputFile(FailingFileSystem& owner, std::unique_ptr<formats::OutputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}

  bool write(const void* data, std::size_t n) override {
    if (broken_) return false;
    if (!owner_.countAndPass("write")) {
      partial(data, n / 2);
      return false;
    }
    const std::size_t room = owner_.diskRoom(n);
    if (room < n) {
      partial(data, room);
      owner_.noteDiskFull();
      return false;
    }
    if (!inner_->write(data, n)) {
      broken_ = true;
      return false;
    }
    owner_.noteWritten(n);
    return true;
  }

  bool finish() override {
    const bool pass = owner_.countAndPass("finish");
    const bool finished = inner_->finish();  // closes the real file in any case
    return pass && finished && !broken_;
  }

 private:
  void partial(const void* data, std::size_t n) {
    broken_ = true;
    if (n > 0 && inner_->write(data, n)) owner_.noteWritten(n);
  }

  FailingFileSystem& owner_;
  std::unique_ptr<formats::OutputFile> inner_;
  bool broken_ = false;
};

}  // namespace

FailingFileSystem::FailingFileSystem(formats::FileSystem& inner) : inner_(inner) {}

void FailingFileSystem::reset() {
  failAt_ = 0;
  operations_ = 0;
  failed_ = false;
  failedOperation_.clear();
  diskLimited_ = false;
  diskLimit_ = 0;
  bytesWritten_ = 0;
}

bool FailingFileSystem::countAndPass(const char* operation) {
  ++operations_;
  if (operations_ != failAt_) return true;
  failed_ = true;
  failedOperation_ = operation;
  return false;
}

std::size_t FailingFileSystem::diskRoom(std::size_t n) const {
  if (!diskLimited_) return n;
  if (bytesWritten_ >= diskLimit_) return 0;
  return static_cast<std::size_t>(std::min<std::uint64_t>(n, diskLimit_ - bytesWritten_));
}

std::unique_ptr<formats::InputFile> FailingFileSystem::openRead(const std::string& path) {
  if (!countAndPass("openRead")) return nullptr;
  return inner_.openRead(path);
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createNew(const std::string& path) {
  if (!countAndPass("createNew")) return nullptr;
  auto file = inner_.createNew(path);
  if (!file) return nullptr;
  return std::make_unique<FailingOutputFile>(*this, std::move(file));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createNewLike(const std::string& path,
                                                                      const std::string& model) {
  if (!countAndPass("createNew")) return nullptr;
  auto file = inner_.createNewLike(path, model);
  if (!file) return nullptr;
  return std::make_unique<FailingOutputFile>(*this, std::move(file));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::openAppend(const std::string& path) {
  if (!countAndPass("openAppend")) return nullptr;
  auto file = inner_.openAppend(path);
  if (!file) return nullptr;
  return std::make_unique<FailingOutputFile>(*this, std::move(file));
}

bool FailingFileSystem::replace(const std::string& from, const std::string& to) {
  return countAndPass("replace") && inner_.replace(from, to);
}

bool FailingFileSystem::remove(const std::string& path) {
  return countAndPass("remove") && inner_.remove(path);
}

bool FailingFileSystem::exists(const std::string& path) { return inner_.exists(path); }

bool FailingFileSystem::truncate(const std::string& path, std::uint64_t length) {
  return countAndPass("truncate") && inner_.truncate(path, length);
}

}  // namespace support
