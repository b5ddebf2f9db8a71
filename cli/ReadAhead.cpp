#include "cli/ReadAhead.h"

#include <algorithm>
#include <cstring>

namespace cli {

namespace {

constexpr std::uint64_t FrontBytes = 64 * 1024;
constexpr std::uint64_t BackBytes = 128;

}  // namespace

struct ReadAheadFileSystem::Held {
  std::string path;
  std::unique_ptr<formats::InputFile> file;
  std::uint64_t size = 0;
  std::string front;  // bytes 0 .. front.size()
  std::string back;   // the last back.size() bytes
};

namespace {

class HeldView : public formats::InputFile {
 public:
  explicit HeldView(std::shared_ptr<ReadAheadFileSystem::Held> held) : held_(std::move(held)) {}
  std::uint64_t size() const override { return held_->size; }
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    const auto& h = *held_;
    if (offset <= h.front.size() && n <= h.front.size() - offset) {
      std::memcpy(buffer, h.front.data() + offset, n);
      return true;
    }
    const std::uint64_t backStart = h.size - h.back.size();
    if (offset >= backStart && offset <= h.size && n <= h.size - offset) {
      std::memcpy(buffer, h.back.data() + (offset - backStart), n);
      return true;
    }
    return h.file->readAt(offset, buffer, n);
  }

 private:
  std::shared_ptr<ReadAheadFileSystem::Held> held_;
};

}  // namespace

bool ReadAheadFileSystem::hold(const std::string& path) {
  release();
  auto held = std::make_shared<Held>();
  held->path = path;
  held->file = base_.openRead(path);
  if (!held->file) return false;
  held->size = held->file->size();
  held->front.resize(std::min(held->size, FrontBytes));
  const std::uint64_t backLength = std::min(held->size - held->front.size(), BackBytes);
  held->back.resize(backLength);
  if (!held->file->readAt(0, held->front.data(), held->front.size()) ||
      !held->file->readAt(held->size - backLength, held->back.data(), held->back.size()))
    return false;
  held_ = std::move(held);
  return true;
}

std::unique_ptr<formats::InputFile> ReadAheadFileSystem::openRead(const std::string& path) {
  if (held_ && held_->path == path) return std::make_unique<HeldView>(held_);
  return base_.openRead(path);
}

// Whatever changes a file ends the view of it: the readers must see what is on disk.
std::unique_ptr<formats::OutputFile> ReadAheadFileSystem::createNew(const std::string& path) {
  release();
  return base_.createNew(path);
}
std::unique_ptr<formats::OutputFile> ReadAheadFileSystem::createNewLike(const std::string& path,
                                                                       const std::string& model) {
  release();
  return base_.createNewLike(path, model);
}
std::unique_ptr<formats::OutputFile> ReadAheadFileSystem::openAppend(const std::string& path) {
  release();
  return base_.openAppend(path);
}
bool ReadAheadFileSystem::replace(const std::string& from, const std::string& to) {
  release();
  return base_.replace(from, to);
}
bool ReadAheadFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
  release();
  return base_.renameNoReplace(from, to);
}
bool ReadAheadFileSystem::remove(const std::string& path) {
  release();
  return base_.remove(path);
}
bool ReadAheadFileSystem::truncate(const std::string& path, std::uint64_t length) {
  release();
  return base_.truncate(path, length);
}

}  // namespace cli
