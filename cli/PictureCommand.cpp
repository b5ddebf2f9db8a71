// picture extract: one picture of a file written out as a picture file.
#include "cli/Command.h"
#include "cli/FileFacts.h"
#include "core/Paths.h"
#include "formats/Pictures.h"

namespace cli {

namespace {

// The extension of a picture file: from its first bytes where they say what it is (many
// programs write the MIME type "image/" alone), else from its MIME type.
std::string PictureExtension(const std::string& firstBytes, const std::string& mime) {
  static const std::pair<const char*, const char*> Signatures[] = {
      {"\xFF\xD8\xFF", "jpg"}, {"\x89PNG", "png"}, {"GIF8", "gif"}, {"BM", "bmp"}};
  for (const auto& [signature, extension] : Signatures)
    if (firstBytes.compare(0, std::string(signature).size(), signature) == 0) return extension;
  const std::string extension = formats::ExtractedPictureExtension(formats::PictureSubtypeOfMime(mime));
  return extension.empty() ? "bin" : extension;
}

bool ReadRange(formats::InputFile& in, std::uint64_t offset, std::uint64_t length, std::string& bytes) {
  bytes.resize(length);
  return length == 0 || in.readAt(offset, bytes.data(), bytes.size());
}

// Copies the range into a new file; without replace an existing file of that name is an
// error, and a file left half-written by a failure is removed again.
bool WritePicture(formats::FileSystem& fs, formats::InputFile& in, std::uint64_t offset, std::uint64_t length,
                  const std::string& target, bool replace, std::string& reason) {
  if (replace) {
    formats::WorkFile work(fs, target, ".tonewright-part");
    if (work.copyFrom(in, offset, length, {}) && work.commitAs(target)) return true;
    reason = "cannot be written";
    return false;
  }
  auto out = fs.createNew(target);
  if (!out) {
    reason = fs.exists(target) ? "exists (--force replaces it)" : "cannot be created";
    return false;
  }
  if (formats::CopyRange(in, offset, length, *out, {}) && out->finish()) return true;
  out.reset();
  fs.remove(target);
  reason = "cannot be written";
  return false;
}

}  // namespace

int RunPictureExtract(const Invocation& call) {
  if (call.positional().size() != 1) return UsageError(call.io(), "picture extract: give exactly one FILE");
  const int type = call.isSet("type") ? PictureTypeOfText(call.value("type")) : 3;
  if (type < 0) return UsageError(call.io(), "picture extract: unknown picture type '" + OneLine(call.value("type")) + "'");
  const std::string path = call.positional().front();
  RunLog log(call.io(), 1);
  FileFacts facts;
  std::string reason;
  if (!ReadFileFacts(path, call.env(), ReadOptions{}, facts, reason)) {
    log.fail(path, reason);
    return log.status();
  }
  const PictureFacts* picture = nullptr;
  for (const PictureFacts& candidate : facts.pictures)
    if (candidate.type == type && picture == nullptr) picture = &candidate;
  auto in = call.env().fs->openRead(path);
  if (picture == nullptr || !in) {
    log.fail(path, "has no picture of type " + std::to_string(type) + " (" + formats::PictureTypeName(type) + ")");
    return log.status();
  }
  const std::uint64_t offset = std::uint64_t(picture->frameOffset) + 10 + std::uint64_t(picture->frameSize - picture->dataSize);
  const std::uint64_t length = std::uint64_t(picture->dataSize);
  std::string head;
  if (!ReadRange(*in, offset, std::min<std::uint64_t>(length, 8), head)) {
    log.fail(path, "its picture cannot be read");
    return log.status();
  }
  std::string target = call.value("output");
  if (target == "-") {
    std::string bytes;
    if (!ReadRange(*in, offset, length, bytes)) {
      log.fail(path, "its picture cannot be read");
      return log.status();
    }
    call.io().out << bytes << std::flush;
    return log.status();
  }
  if (target.empty()) target = core::StripExtension(path) + "." + PictureExtension(head, picture->mime);
  if (!WritePicture(*call.env().fs, *in, offset, length, target, call.isSet("force"), reason)) log.fail(target, reason);
  return log.status();
}

}  // namespace cli
