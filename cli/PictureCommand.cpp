// picture extract: one picture of a file written out as a picture file, its bytes copied
// straight from the picture frame.
#include <cerrno>

#include "cli/BatchSupport.h"
#include "cli/Command.h"
#include "cli/TagFrames.h"
#include "core/Paths.h"

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

bool ReadPicture(formats::InputFile& in, const PictureBytes& picture, std::uint64_t limit, std::string& bytes) {
  bytes = picture.inMemory.substr(0, limit);
  const std::uint64_t more = std::min<std::uint64_t>(picture.fileLength, limit - bytes.size());
  const std::size_t at = bytes.size();
  bytes.resize(at + more);
  return more == 0 || in.readAt(picture.fileOffset, bytes.data() + at, more);
}

// The picture written through a work file beside the target, which takes the target's
// name only when complete: replacing a file of that name only when asked.
bool WritePicture(formats::FileSystem& fs, formats::InputFile& in, const PictureBytes& picture,
                  const std::string& target, bool replace, std::string& reason) {
  formats::WorkFile work(fs, target, ".part");
  const auto notWritten = [&](const formats::Status& status) {
    reason = Words().reason({target, tagging::Reason::NotWritable, {}, status});
    return false;
  };
  if (!work.ok() || !work.write(picture.inMemory) || !work.copyFrom(in, picture.fileOffset, picture.fileLength, {}))
    return notWritten(work.status());
  if (replace) {
    const formats::Status committed = work.commitAs(target);
    return committed ? true : notWritten(committed);
  }
  if (work.commitAsNew(target)) return true;
  const int error = errno;  // of the rename, when the work file itself is sound
  if (fs.exists(target)) {
    reason = "exists (--force replaces it)";
    return false;
  }
  return notWritten(work.status() ? formats::Status::Io(error, target) : work.status());
}

}  // namespace

int RunPictureExtract(const Invocation& call) {
  if (call.positional().size() != 1) return UsageError(call.io(), "picture extract: give exactly one FILE");
  const int type = call.isSet("type") ? PictureTypeOfText(call.value("type")) : 3;
  if (type < 0) return UsageError(call.io(), "picture extract: unknown picture type '" + OneLine(call.value("type")) + "'");
  const std::string path = call.positional().front();
  RunLog log(call.io(), 1);
  formats::Status opened;
  auto in = formats::OpenRead(*call.env().fs, path, opened);
  if (!in) {
    log.fail(path, UnreadableLine(opened));
    return log.status();
  }
  formats::clsID3V230Reader reader(call.env());
  reader.ReadFrom(*in);
  PictureBytes picture;
  bool found = false;
  for (const formats::StoredFrame& frame : reader.Frames()) {
    PictureBytes candidate;
    if (!found && LocatePicture(*in, frame, candidate) && candidate.header.type == type) {
      picture = candidate;
      found = true;
    }
  }
  if (!found) {
    log.fail(path, "has no picture of type " + std::to_string(type) + " (" + formats::PictureTypeName(type) + ")");
    return log.status();
  }
  std::string target = call.value("output");
  std::string bytes;
  if (!ReadPicture(*in, picture, target == "-" ? picture.size() : 8, bytes)) {
    log.fail(path, "its picture cannot be read");
    return log.status();
  }
  if (target == "-") {
    call.io().out << bytes << std::flush;
    return log.status();
  }
  if (target.empty()) target = core::StripExtension(path) + "." + PictureExtension(bytes, picture.header.mime);
  std::string reason;
  if (!WritePicture(*call.env().fs, *in, picture, target, call.isSet("force"), reason)) log.fail(target, reason);
  return log.status();
}

}  // namespace cli
