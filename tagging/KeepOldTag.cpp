#include "tagging/KeepOldTag.h"

#include "formats/FrameBodies.h"
#include "formats/Pictures.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

using formats::clsID3V230Reader;
using formats::StoredFrame;

std::vector<std::string> LossesOf(const clsID3V230Reader& old) {
  std::vector<std::string> losses;
  if (old.Version() == 0) return losses;
  if (!old.TagPresent()) {
    losses.push_back("the ID3v2." + std::to_string(old.Version()) + " tag, which cannot be read: " + old.ReadProblem());
    return losses;
  }
  // Damaged bytes the read stepped over: the save carries the frames around them, not them.
  if (!old.ReadProblem().empty())
    losses.push_back("the damaged bytes of the ID3v2." + std::to_string(old.Version()) + " tag: " + old.ReadProblem());
  const auto& frames = old.Frames();
  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (old.FrameRoles()[i] == clsID3V230Reader::FrameRole::Duplicate)
      losses.push_back("a second " + frames[i].id + " frame");
    else if (old.FrameRoles()[i] == clsID3V230Reader::FrameRole::Carried && !frames[i].carriable)
      losses.push_back(frames[i].problem);
  }
  return losses;
}

namespace {

// The picture frame of the old tag that a record stands for, or null.
const StoredFrame* OldPicture(const clsID3V230Reader& old, const core::PictureRecord& picture) {
  if (!picture.FileName.empty() && !picture.Temporary) return nullptr;  // a replacement
  for (const StoredFrame& frame : old.Frames())
    if (frame.id == "APIC" && static_cast<std::int64_t>(frame.offset) == picture.StartPos &&
        static_cast<std::int64_t>(frame.bodySize()) == picture.Size)
      return &frame;
  return nullptr;
}

// The kept picture with the record's type and title: a new front, the same picture data.
StoredFrame WithNewFront(const StoredFrame& frame, const formats::PictureHeader& header,
                         const core::PictureRecord& picture) {
  StoredFrame out = frame;
  out.verbatim = false;
  const std::string front =
      formats::bodies::PictureFront(header.mime, static_cast<std::uint8_t>(picture.PicType), picture.Title);
  if (header.dataOffset >= frame.head.size()) {
    // The data lies in the file after whatever of the front is in memory.
    const std::uint64_t skip = header.dataOffset - frame.head.size();
    out.head = front;
    out.tailOffset = frame.tailOffset + skip;
    out.tailSize = frame.tailSize - skip;
  } else {
    out.head = front + frame.head.substr(header.dataOffset);
  }
  return out;
}

// Whether the writer builds this COMM or USLT frame again as it is: the writer's language,
// an empty description, ISO-8859-1. Such a frame is written anew, as before; any other is
// kept as it is.
bool WrittenAlike(formats::InputFile& source, const StoredFrame& frame, const std::string& language) {
  std::string body;
  formats::bodies::Described described;
  return formats::LoadBody(source, frame, body) && formats::bodies::ReadDescribed(body, true, described) &&
         described.encoding == 0 && described.description.empty() && described.language == language;
}

}  // namespace

bool PlanKeeping(const clsID3V230Reader& old, formats::InputFile& source, const EditFields& fields,
                 const std::vector<core::PictureRecord>& pictureList, formats::FileSystem& fs,
                 formats::clsID3V230Writer& v2, KeepPlan& plan) {
  using Role = clsID3V230Reader::FrameRole;
  formats::KeptFrames& kept = plan.kept;
  kept.source = &source;
  const bool readable = old.TagPresent();
  const auto& frames = old.Frames();
  if (readable) {
    for (std::size_t i = 0; i < frames.size(); ++i)
      if (old.FrameRoles()[i] == Role::Carried && frames[i].carriable) kept.carried.push_back(&frames[i]);
    // A field that still shows what its frame held keeps that frame as it is (language,
    // description and encoding included) where the writer would build it otherwise.
    const int comment = old.CommentFrameIndex(), lyrics = old.LyricsFrameIndex();
    if (comment >= 0 && fields.comment == TrimBlanks(old.Comment()) &&
        !WrittenAlike(source, frames[static_cast<std::size_t>(comment)],
                      fields.language.size() == 3 ? fields.language : "eng"))
      kept.comment = &frames[static_cast<std::size_t>(comment)];
    if (lyrics >= 0 && fields.lyrics == old.Lyrics() && !WrittenAlike(source, frames[static_cast<std::size_t>(lyrics)], "eng"))
      kept.lyrics = &frames[static_cast<std::size_t>(lyrics)];
    if (old.Track() > 0 && fields.track == std::to_string(old.Track())) v2.setTrack(old.TrackText());
    std::vector<const StoredFrame*> oldUrls;
    for (std::size_t i = 0; i < frames.size(); ++i)
      if (frames[i].id == "WXXX" && old.FrameRoles()[i] == Role::Field) oldUrls.push_back(&frames[i]);
    const auto oldEntries = SplitList(old.URL());
    for (const std::string& url : fields.urls) {
      const StoredFrame* same = nullptr;
      for (std::size_t k = 0; k < oldEntries.size() && k < oldUrls.size(); ++k) {
        if (oldUrls[k] != nullptr && oldEntries[k] == url) {
          same = oldUrls[k];
          oldUrls[k] = nullptr;  // each old frame once
          break;
        }
      }
      kept.urls.push_back(same);
    }
  }

  std::vector<core::PictureRecord> files(1);
  for (std::size_t i = 1; i < pictureList.size(); ++i) {
    const core::PictureRecord& picture = pictureList[i];
    const StoredFrame* frame = readable ? OldPicture(old, picture) : nullptr;
    formats::KeptFrames::Picture slot;
    if (frame != nullptr && frame->sealed()) {
      slot.frame = frame;  // compressed or encrypted: carried as it is
    } else if (frame != nullptr) {
      formats::PictureHeader header;
      if (!formats::PictureHeaderOf(source, *frame, header)) return false;
      if (header.type == picture.PicType && header.description == picture.Title) {
        slot.frame = frame;  // byte for byte
      } else {
        plan.changedPictures.push_back(WithNewFront(*frame, header, picture));
        slot.frame = &plan.changedPictures.back();
      }
    } else {
      if (picture.FileName.empty() || !fs.exists(picture.FileName)) continue;  // left out, as always
      slot.entry = files.size() - 1;
      files.push_back(picture);
    }
    kept.pictures.push_back(slot);
  }
  PictureLists lists;
  if (!JoinPictures(files, fs, lists)) return false;
  v2.setGraphic(lists.Graphic);
  v2.setGraphicType(lists.GraphicType);
  v2.setGraphicTitle(lists.GraphicTitle);
  return true;
}

}  // namespace tagging
