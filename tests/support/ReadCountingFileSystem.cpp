#include "support/ReadCountingFileSystem.h"

#include <algorithm>
#include <utility>

namespace support {

namespace {

class CountingInput final : public formats::InputFile {
 public:
  CountingInput(ReadCountingFileSystem& owner, std::unique_ptr<formats::InputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  std::uint64_t size() const override { return inner_->size(); }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    owner_.noteRead(n);
    return inner_->readAt(offset, buffer, n);
  }

 private:
  ReadCountingFileSystem& owner_;
  std::unique_ptr<formats::InputFile> inner_;
};

class CountingOutput final : public formats::OutputFile {
 public:
  CountingOutput(ReadCountingFileSystem& owner, std::unique_ptr<formats::OutputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  bool write(const void* data, std::size_t n) override {
    owner_.noteWrite(n);
    return inner_->write(data, n);
  }
  bool finish() override { return inner_->finish(); }

 private:
  ReadCountingFileSystem& owner_;
  std::unique_ptr<formats::OutputFile> inner_;
};

}  // namespace

ReadCountingFileSystem::ReadCountingFileSystem(formats::FileSystem& inner) : inner_(inner) {}

void ReadCountingFileSystem::reset() {
  largestRead_ = totalRead_ = reads_ = largestWrite_ = 0;
  created_.clear();
}

void ReadCountingFileSystem::noteRead(std::size_t n) {
  ++reads_;
  totalRead_ += n;
  largestRead_ = std::max<std::uint64_t>(largestRead_, n);
}

void ReadCountingFileSystem::noteWrite(std::size_t n) { largestWrite_ = std::max<std::uint64_t>(largestWrite_, n); }

std::unique_ptr<formats::OutputFile> ReadCountingFileSystem::wrap(std::unique_ptr<formats::OutputFile> file) {
  if (!file) return nullptr;
  return std::make_unique<CountingOutput>(*this, std::move(file));
}

std::unique_ptr<formats::InputFile> ReadCountingFileSystem::openRead(const std::string& path) {
  auto file = inner_.openRead(path);
  if (!file) return nullptr;
  return std::make_unique<CountingInput>(*this, std::move(file));
}

std::unique_ptr<formats::OutputFile> ReadCountingFileSystem::createNew(const std::string& path) {
  created_.push_back(path);
  return wrap(inner_.createNew(path));
}

std::unique_ptr<formats::OutputFile> ReadCountingFileSystem::createNewLike(const std::string& path,
                                                                           const std::string& model) {
  created_.push_back(path);
  return wrap(inner_.createNewLike(path, model));
}

std::unique_ptr<formats::OutputFile> ReadCountingFileSystem::openAppend(const std::string& path) {
  return wrap(inner_.openAppend(path));
}

}  // namespace support
