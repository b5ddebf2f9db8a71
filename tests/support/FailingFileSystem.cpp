#include "support/FailingFileSystem.h"

#include <algorithm>
#include <utility>

namespace support {

namespace {

class RecordingInputFile final : public formats::InputFile {
 public:
  RecordingInputFile(FailingFileSystem& owner, std::unique_ptr<formats::InputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  std::uint64_t size() const override { return inner_->size(); }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    owner_.noteRead(n);
    return inner_->readAt(offset, buffer, n);
  }

 private:
  FailingFileSystem& owner_;
  std::unique_ptr<formats::InputFile> inner_;
};

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
  bool finishUnsynced() override {
    const bool pass = owner_.countAndPass("finish");
    const bool finished = inner_->finishUnsynced();
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
  failAt_ = operations_ = 0;
  failed_ = diskLimited_ = false;
  failedOperation_.clear();
  diskLimit_ = bytesWritten_ = largestRead_ = totalRead_ = largestWrite_ = 0;
  created_.clear();
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

void FailingFileSystem::noteRead(std::size_t n) {
  totalRead_ += n;
  largestRead_ = std::max<std::uint64_t>(largestRead_, n);
}

void FailingFileSystem::noteWritten(std::size_t n) {
  bytesWritten_ += n;
  largestWrite_ = std::max<std::uint64_t>(largestWrite_, n);
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::wrap(std::unique_ptr<formats::OutputFile> file) {
  if (!file) return nullptr;
  return std::make_unique<FailingOutputFile>(*this, std::move(file));
}

std::unique_ptr<formats::InputFile> FailingFileSystem::openRead(const std::string& path) {
  if (!countAndPass("openRead")) return nullptr;
  auto file = inner_.openRead(path);
  if (!file) return nullptr;
  return std::make_unique<RecordingInputFile>(*this, std::move(file));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createNew(const std::string& path) {
  if (!countAndPass("createNew")) return nullptr;
  created_.push_back(path);
  return wrap(inner_.createNew(path));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createNewLike(const std::string& path,
                                                                      const std::string& model) {
  if (!countAndPass("createNew")) return nullptr;
  created_.push_back(path);
  return wrap(inner_.createNewLike(path, model));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::openAppend(const std::string& path) {
  if (!countAndPass("openAppend")) return nullptr;
  return wrap(inner_.openAppend(path));
}

bool FailingFileSystem::replace(const std::string& from, const std::string& to) {
  return countAndPass("replace") && inner_.replace(from, to);
}

bool FailingFileSystem::replaceUnsynced(const std::string& from, const std::string& to) {
  return countAndPass("replace") && inner_.replaceUnsynced(from, to);
}

bool FailingFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
  return countAndPass("renameNoReplace") && inner_.renameNoReplace(from, to);
}

bool FailingFileSystem::remove(const std::string& path) {
  return countAndPass("remove") && inner_.remove(path);
}

bool FailingFileSystem::truncate(const std::string& path, std::uint64_t length) {
  return countAndPass("truncate") && inner_.truncate(path, length);
}

}  // namespace support
