#include "formats/ID3V230Rewrite.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "formats/ID3V230Layout.h"

namespace formats::id3v230 {

void SourceBytes::addRange(InputFile& file, std::uint64_t offset, std::uint64_t length) {
  if (length == 0) return;
  Part part;
  part.file = &file;
  part.offset = offset;
  part.length = length;
  parts_.push_back(std::move(part));
  size_ += length;
}

void SourceBytes::addBlock(std::string bytes) {
  if (bytes.empty()) return;
  size_ += bytes.size();
  Part part;
  part.length = bytes.size();
  part.block = std::move(bytes);
  parts_.push_back(std::move(part));
}

bool SourceBytes::readAt(std::uint64_t offset, void* buffer, std::size_t n) const {
  if (offset > size_ || n > size_ - offset) return false;
  auto* out = static_cast<unsigned char*>(buffer);
  std::uint64_t partStart = 0;
  for (const Part& part : parts_) {
    const std::uint64_t partEnd = partStart + part.length;
    if (n > 0 && offset < partEnd) {
      const std::uint64_t within = offset - partStart;
      const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(n, part.length - within));
      if (part.file) {
        if (!part.file->readAt(part.offset + within, out, take)) return false;
      } else {
        std::memcpy(out, part.block.data() + within, take);
      }
      out += take;
      offset += take;
      n -= take;
    }
    partStart = partEnd;
  }
  return n == 0;
}

bool SourceBytes::copyTo(WorkFile& work, std::uint64_t offset, const YieldHook& yield) const {
  std::uint64_t partStart = 0;
  for (const Part& part : parts_) {
    const std::uint64_t partEnd = partStart + part.length;
    if (offset < partEnd) {
      const std::uint64_t within = offset > partStart ? offset - partStart : 0;
      const bool copied = part.file ? work.copyFrom(*part.file, part.offset + within, part.length - within, yield)
                                    : work.write(part.block.data() + within, part.block.size() - within);
      if (!copied) return false;
    }
    partStart = partEnd;
  }
  return true;
}

OldTag FindOldTag(const SourceBytes& source, std::uint64_t& length) {
  length = 0;
  unsigned char header[HeaderLength];
  if (!source.readAt(0, header, 3) || std::memcmp(header, "ID3", 3) != 0) return OldTag::None;
  if (!source.readAt(0, header, sizeof header)) return OldTag::Damaged;
  length = SevenBitValue(header + 6) + HeaderLength;
  // An ID3v2.4 tag may end in a footer, a copy of the header, that goes with it.
  if (header[3] == 4 && (header[5] & 0x10) != 0) length += HeaderLength;
  return length <= source.size() ? OldTag::Found : OldTag::Damaged;
}

void PreparedTag::addFrame(const std::string& id, const std::string& body) {
  Part part;
  part.bytes = id + PlainBytes(static_cast<std::uint32_t>(body.size()));
  part.bytes += std::string(2, '\0');  // flags
  part.bytes += body;
  framesSize_ += part.bytes.size();
  parts_.push_back(std::move(part));
}

void PreparedTag::addPicture(const std::string& bodyFront, std::unique_ptr<InputFile> picture) {
  const std::uint64_t bodySize = bodyFront.size() + picture->size();
  Part part;
  part.bytes = "APIC" + PlainBytes(static_cast<std::uint32_t>(bodySize)) + std::string(2, '\0') + bodyFront;
  framesSize_ += FrameHeaderLength + bodySize;
  part.picture = std::move(picture);
  parts_.push_back(std::move(part));
}

void PreparedTag::addStoredFrame(const StoredFrame& frame, InputFile* source) {
  const std::uint64_t bodySize = frame.bodySize();
  Part part;
  part.bytes = frame.id + PlainBytes(static_cast<std::uint32_t>(bodySize));
  part.bytes += static_cast<char>(frame.flags[0]);
  part.bytes += static_cast<char>(frame.flags[1]);
  part.bytes += frame.head;
  if (frame.tailSize > 0) {
    part.source = source;
    part.offset = frame.tailOffset;
    part.length = frame.tailSize;
  }
  framesSize_ += FrameHeaderLength + bodySize;
  parts_.push_back(std::move(part));
}

bool PreparedTag::writeTo(WorkFile& work, const YieldHook& yield) const {
  if (framesSize_ == 0) return true;
  // "ID3", version 3, revision 0, no flags, the size of all frames; no padding follows.
  std::string header("ID3\x03\x00\x00", 6);
  header += SevenBitBytes(framesSize_);
  if (!work.write(header)) return false;
  for (const Part& part : parts_) {
    if (!work.write(part.bytes)) return false;
    if (part.picture && !work.copyFrom(*part.picture, 0, part.picture->size(), yield)) return false;
    if (part.length > 0 && (part.source == nullptr || !work.copyFrom(*part.source, part.offset, part.length, yield)))
      return false;
  }
  return true;
}

Status RewriteFile(const FormatEnv& env, const std::string& path, const PreparedTag& tag,
                   const SourceBytes& source, std::uint64_t skip, const std::string& suffix) {
  if (skip > source.size()) return Status::Of(Failure::Damaged, path);
  WorkFile work(*env.fs, path, suffix);
  if (!work.ok()) return work.status();
  // A write that failed has its reason in the work file; a failed read of the source
  // (the file shrank under the save) has none there.
  errno = 0;
  if (!tag.writeTo(work, env.yield) || !source.copyTo(work, skip, env.yield))
    return work.ok() ? Status::LastError(path) : work.status();
  return work.commit();  // a file that vanished meanwhile is not brought back
}

}  // namespace formats::id3v230
