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
    const bool pass = owner_.countAndPass("write");
    const std::size_t room = pass ? owner_.diskRoom(n) : n / 2;
    if (pass && room == n) {
      broken_ = !inner_->write(data, n);
      if (!broken_) owner_.noteWritten(n);
      return !broken_;
    }
    broken_ = true;  // a failed write stores part of its bytes, as a short write does
    if (room > 0 && inner_->write(data, room)) owner_.noteWritten(room);
    if (pass) owner_.noteDiskFull();
    return false;
  }
  // The real file is closed in any case.
  bool finish() override { return done(owner_.countAndPass("finish"), inner_->finish()); }
  bool finishUnsynced() override { return done(owner_.countAndPass("finish"), inner_->finishUnsynced()); }

 private:
  bool done(bool pass, bool finished) const { return pass && finished && !broken_; }

  FailingFileSystem& owner_;
  std::unique_ptr<formats::OutputFile> inner_;
  bool broken_ = false;
};

}  // namespace

void FailingFileSystem::reset() {
  failAt_ = operations_ = 0, failError_ = EIO;
  beforeOperation_.clear(), failedOperation_.clear(), created_.clear();
  beforeAction_ = nullptr;
  failed_ = diskLimited_ = false;
  diskLimit_ = bytesWritten_ = largestRead_ = totalRead_ = largestWrite_ = 0;
}

bool FailingFileSystem::countAndPass(const char* operation) {
  if (before_) before_();
  if (beforeAction_ && beforeOperation_ == operation) std::exchange(beforeAction_, nullptr)();
  if (++operations_ != failAt_) return true;
  failed_ = true, failedOperation_ = operation, errno = failError_;
  return false;
}

std::size_t FailingFileSystem::diskRoom(std::size_t n) const {
  if (!diskLimited_) return n;
  return static_cast<std::size_t>(std::min<std::uint64_t>(n, diskLimit_ - std::min(diskLimit_, bytesWritten_)));
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
  return file ? std::make_unique<FailingOutputFile>(*this, std::move(file)) : nullptr;
}

std::unique_ptr<formats::InputFile> FailingFileSystem::openRead(const std::string& path) {
  auto file = countAndPass("openRead") ? inner_.openRead(path) : nullptr;
  return file ? std::make_unique<RecordingInputFile>(*this, std::move(file)) : nullptr;
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createNewLike(const std::string& path, const std::string& model) {
  if (!countAndPass("createNew")) return nullptr;
  created_.push_back(path);
  return wrap(model.empty() ? inner_.createNew(path) : inner_.createNewLike(path, model));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createWork(const std::string& path, const std::string& model) {
  if (!countAndPass("createNew")) return nullptr;
  created_.push_back(path);
  return wrap(inner_.createWork(path, model));
}


}  // namespace support
