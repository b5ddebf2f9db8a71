#include "reports/ReadOnceFileSystem.h"

#include <algorithm>
#include <cstring>

namespace reports {

namespace {
// The head holds the ID3v2 tag of nearly every file (pictures aside) and the first audio
// frame behind it; the tail holds the ID3v1.1 block.
constexpr std::size_t HeadBytes = 65536;
constexpr std::size_t TailBytes = 128;
}  // namespace

struct ReadOnceFileSystem::Loaded {
  std::unique_ptr<formats::InputFile> file;
  std::uint64_t size = 0;
  std::vector<unsigned char> head;
  std::uint64_t tailStart = 0;
  std::vector<unsigned char> tail;
};

namespace {

class CachedInput final : public formats::InputFile {
 public:
  explicit CachedInput(std::shared_ptr<ReadOnceFileSystem::Loaded> loaded) : loaded_(std::move(loaded)) {}
  std::uint64_t size() const override { return loaded_->size; }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    const auto& l = *loaded_;
    if (offset > l.size || n > l.size - offset) return false;
    if (offset + n <= l.head.size()) {
      if (n > 0) std::memcpy(buffer, l.head.data() + offset, n);
      return true;
    }
    if (offset >= l.tailStart && offset + n <= l.tailStart + l.tail.size()) {
      std::memcpy(buffer, l.tail.data() + (offset - l.tailStart), n);
      return true;
    }
    return l.file->readAt(offset, buffer, n);
  }

 private:
  std::shared_ptr<ReadOnceFileSystem::Loaded> loaded_;
};

}  // namespace

ReadOnceFileSystem::ReadOnceFileSystem(formats::FileSystem& inner) : inner_(inner) {}

bool ReadOnceFileSystem::load(const std::string& path) {
  // The buffers of the last file are reused when no reader holds them any more: a fresh
  // 64 KiB buffer per file would be zero-filled each time.
  std::shared_ptr<Loaded> loaded = loaded_ && loaded_.use_count() == 1 ? loaded_ : std::make_shared<Loaded>();
  release();
  loaded->file = inner_.openRead(path);
  if (!loaded->file) return false;
  loaded->size = loaded->file->size();
  loaded->head.resize(static_cast<std::size_t>(std::min<std::uint64_t>(loaded->size, HeadBytes)));
  if (!loaded->head.empty() && !loaded->file->readAt(0, loaded->head.data(), loaded->head.size())) {
    loaded->head.clear();  // the readers will ask the file itself and meet the same failure
  }
  const auto tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(loaded->size, TailBytes));
  loaded->tailStart = loaded->size - tailSize;
  loaded->tail.resize(tailSize);
  if (tailSize > 0 && !loaded->file->readAt(loaded->tailStart, loaded->tail.data(), tailSize)) loaded->tail.clear();
  path_ = path;
  loaded_ = std::move(loaded);
  return true;
}

void ReadOnceFileSystem::release() {
  path_.clear();
  loaded_.reset();
}

std::unique_ptr<formats::InputFile> ReadOnceFileSystem::openRead(const std::string& path) {
  if (loaded_ && path == path_) return std::make_unique<CachedInput>(loaded_);
  return inner_.openRead(path);
}

}  // namespace reports
