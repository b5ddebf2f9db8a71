#include "reports/ReadOnceFileSystem.h"

#include <algorithm>
#include <cstring>

namespace reports {

namespace {
// The head holds the ID3v2 tag of nearly every file without a picture (a few frames and the
// padding most writers add) and the first audio frame behind it: one read for what most
// files need. A larger head would cost every file the copy of bytes it does not need. A picture is never needed whole, so
// a tag holding one costs a second small read where its audio begins. The tail holds the
// ID3v1.1 block and is read only when asked for and not already in the head.
constexpr std::size_t HeadBytes = 8192;
constexpr std::size_t TailBytes = 128;
// Reads that miss head and tail fetch this much, so that the small reads that follow one
// (the frame headers behind a picture) need no call of their own; larger reads go straight
// to the file.
constexpr std::size_t WindowBytes = 4096;

// A piece of the file held in memory. Its store only grows, so that a buffer reused for
// the next file is not zero-filled again.
struct Piece {
  std::uint64_t start = 0;
  std::size_t length = 0;
  std::vector<unsigned char> store;
  bool serves(std::uint64_t offset, std::size_t n) const {
    return offset >= start && offset - start <= length && n <= length - (offset - start);
  }
  void copy(std::uint64_t offset, void* buffer, std::size_t n) const {
    if (n > 0) std::memcpy(buffer, store.data() + (offset - start), n);
  }
  // Reads `n` bytes at `at`; an empty piece when the file refuses.
  bool fill(formats::InputFile& file, std::uint64_t at, std::size_t n) {
    start = at;
    if (store.size() < n) store.resize(n);
    length = n == 0 || file.readAt(at, store.data(), n) ? n : 0;
    return length == n;
  }
  void clear() { length = 0; }
};

}  // namespace

struct ReadOnceFileSystem::Loaded {
  std::unique_ptr<formats::InputFile> file;
  std::uint64_t size = 0;
  Piece head, tail, window;
  bool tailRead = false;
};

namespace {

class CachedInput final : public formats::InputFile {
 public:
  explicit CachedInput(std::shared_ptr<ReadOnceFileSystem::Loaded> loaded) : loaded_(std::move(loaded)) {}
  std::uint64_t size() const override { return loaded_->size; }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    auto& l = *loaded_;
    if (offset > l.size || n > l.size - offset) return false;
    for (const Piece* piece : {&l.head, &l.tail, &l.window}) {
      if (piece->serves(offset, n)) {
        piece->copy(offset, buffer, n);
        return true;
      }
    }
    const std::uint64_t tailStart = l.size - std::min<std::uint64_t>(l.size, TailBytes);
    if (!l.tailRead && offset >= tailStart) {
      l.tailRead = true;
      if (l.tail.fill(*l.file, tailStart, static_cast<std::size_t>(l.size - tailStart))) {
        l.tail.copy(offset, buffer, n);
        return true;
      }
    }
    if (n >= WindowBytes) return l.file->readAt(offset, buffer, n);
    if (!l.window.fill(*l.file, offset, static_cast<std::size_t>(std::min<std::uint64_t>(l.size - offset, WindowBytes))))
      return l.file->readAt(offset, buffer, n);
    l.window.copy(offset, buffer, n);
    return true;
  }

 private:
  std::shared_ptr<ReadOnceFileSystem::Loaded> loaded_;
};

}  // namespace

ReadOnceFileSystem::ReadOnceFileSystem(formats::FileSystem& inner) : inner_(inner) {}

bool ReadOnceFileSystem::load(const std::string& path) {
  release();
  // The buffers of an earlier file are reused: fresh ones for every file would be
  // allocated and zero-filled each time.
  std::shared_ptr<Loaded> loaded = spare_ ? std::move(spare_) : std::make_shared<Loaded>();
  loaded->file = inner_.openRead(path);
  if (!loaded->file) {
    spare_ = std::move(loaded);
    return false;
  }
  loaded->size = loaded->file->size();
  loaded->tail.clear();
  loaded->window.clear();
  loaded->tailRead = false;
  // On a failed read the readers ask the file itself and meet the same failure.
  loaded->head.fill(*loaded->file, 0, static_cast<std::size_t>(std::min<std::uint64_t>(loaded->size, HeadBytes)));
  path_ = path;
  loaded_ = std::move(loaded);
  return true;
}

void ReadOnceFileSystem::release() {
  path_.clear();
  // A reader that still holds the file keeps it; otherwise it is closed now.
  if (loaded_ && loaded_.use_count() == 1) {
    loaded_->file.reset();
    spare_ = std::move(loaded_);
  }
  loaded_.reset();
}

std::unique_ptr<formats::InputFile> ReadOnceFileSystem::openRead(const std::string& path) {
  if (loaded_ && path == path_) return std::make_unique<CachedInput>(loaded_);
  return inner_.openRead(path);
}

}  // namespace reports
