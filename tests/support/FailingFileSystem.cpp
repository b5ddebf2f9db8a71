#include "support/FailingFileSystem.h"

#include <algorithm>
#include <utility>

namespace support {

namespace {

// Passes reads on, noting their sizes.
struct RecordingInputFile final : formats::InputFile {
  RecordingInputFile(FailingFileSystem& o, std::unique_ptr<formats::InputFile> i) : owner(o), inner(std::move(i)) {}
  std::uint64_t size() const override { return inner->size(); }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    owner.noteRead(n);
    return inner->readAt(offset, buffer, n);
  }
  FailingFileSystem& owner;
  std::unique_ptr<formats::InputFile> inner;
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

bool FailingFileSystem::countAndPass(const char* operation) {
  if (before_) before_();
  if (s_.beforeAction && s_.beforeOperation == operation) std::exchange(s_.beforeAction, nullptr)();
  if (++s_.operations != s_.failAt) return true;
  s_.failed = true, s_.failedOperation = operation, errno = s_.failError;
  return false;
}

std::size_t FailingFileSystem::diskRoom(std::size_t n) const {
  if (!s_.diskLimited) return n;
  return static_cast<std::size_t>(std::min<std::uint64_t>(n, s_.diskLimit - std::min(s_.diskLimit, s_.bytesWritten)));
}

void FailingFileSystem::noteRead(std::size_t n) {
  s_.totalRead += n;
  s_.largestRead = std::max<std::uint64_t>(s_.largestRead, n);
}

void FailingFileSystem::noteWritten(std::size_t n) {
  s_.bytesWritten += n;
  s_.largestWrite = std::max<std::uint64_t>(s_.largestWrite, n);
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
  s_.created.push_back(path);
  return wrap(model.empty() ? inner_.createNew(path) : inner_.createNewLike(path, model));
}

std::unique_ptr<formats::OutputFile> FailingFileSystem::createWork(const std::string& path, const std::string& model) {
  if (!countAndPass("createNew")) return nullptr;
  s_.created.push_back(path);
  return wrap(inner_.createWork(path, model));
}

}  // namespace support
