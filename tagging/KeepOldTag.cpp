#include "tagging/KeepOldTag.h"

#include <string_view>

#include "formats/FrameBodies.h"
#include "formats/Pictures.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

using formats::clsID3V230Reader;
using formats::StoredFrame;

std::vector<formats::Loss> LossesOf(const clsID3V230Reader& old) {
  using Kind = formats::Loss::Kind;
  std::vector<formats::Loss> losses;
  if (old.Version() == 0) return losses;
  if (!old.TagPresent()) {
    losses.push_back({Kind::UnreadableTag, old.Version(), {}, old.ReadProblem()});
    return losses;
  }
  // Damaged bytes the read stepped over: the save carries the frames around them, not them.
  if (!old.ReadProblem().empty()) losses.push_back({Kind::DamagedBytes, old.Version(), {}, old.ReadProblem()});
  const auto& frames = old.Frames();
  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (old.FrameRoles()[i] == clsID3V230Reader::FrameRole::Carried && !frames[i].carriable)
      losses.push_back({Kind::Frame, old.Version(), frames[i].sourceId.empty() ? frames[i].id : frames[i].sourceId,
                        frames[i].problem});
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

// A field and the frames that stand for it.
struct FieldSlot {
  const char* id;
  std::string EditFields::*field;
  std::string (clsID3V230Reader::*read)() const;
  void (formats::clsID3V230Writer::*write)(const std::string&);
};

using W = formats::clsID3V230Writer;
using R = clsID3V230Reader;
const FieldSlot FieldSlots[] = {
    {"TIT2", &EditFields::title, &R::SongTitle, &W::setSongTitle},
    {"TPE1", &EditFields::artist, &R::Artist, &W::setArtist},
    {"TALB", &EditFields::album, &R::Album, &W::setAlbum},
    {"TYER", &EditFields::year, &R::Year, &W::setYear},
    {"TRCK", &EditFields::track, &R::TrackText, &W::setTrack},
    {"TCON", &EditFields::genre, &R::Genre, &W::setGenre},
    {"COMM", &EditFields::comment, &R::Comment, &W::setComment},
    {"TCOM", &EditFields::composer, &R::Composer, &W::setComposer},
    {"TOPE", &EditFields::originalArtist, &R::OriginalArtist, &W::setOriginalArtist},
    {"TLAN", &EditFields::language, &R::Language, &W::setLanguage},
    {"TIT3", &EditFields::subTitle, &R::SubTitle, &W::setSubTitle},
    {"TCOP", &EditFields::copyright, &R::Copyright, &W::setCopyright},
    {"TENC", &EditFields::encodedBy, &R::EncodedBy, &W::setEncodedBy},
    {"USLT", &EditFields::lyrics, &R::Lyrics, &W::setLyrics},
};

// The frames of the old tag that the field of `slot` shows.
std::vector<const StoredFrame*> FramesOfField(const clsID3V230Reader& old, const FieldSlot& slot) {
  const auto& frames = old.Frames();
  std::vector<const StoredFrame*> shown;
  const std::string id = slot.id;
  const int chosen = id == "COMM" ? old.CommentFrameIndex() : id == "USLT" ? old.LyricsFrameIndex() : -2;
  if (chosen >= 0) shown.push_back(&frames[static_cast<std::size_t>(chosen)]);
  if (chosen != -2) return shown;  // one comment and one lyrics frame at most
  for (std::size_t i = 0; i < frames.size(); ++i)
    if (frames[i].id == id && old.FrameRoles()[i] == clsID3V230Reader::FrameRole::Field) shown.push_back(&frames[i]);
  return shown;
}

}  // namespace

bool PlanKeeping(const clsID3V230Reader& old, formats::InputFile& source, const EditFields& fields,
                 const EditFields& shown, const std::vector<core::PictureRecord>& pictureList,
                 formats::FileSystem& fs, formats::clsID3V230Writer& v2, KeepPlan& plan) {
  using Role = clsID3V230Reader::FrameRole;
  formats::KeptFrames& kept = plan.kept;
  kept.source = &source;
  const bool readable = old.TagPresent();
  const auto& frames = old.Frames();
  if (readable) {
    for (std::size_t i = 0; i < frames.size(); ++i)
      if (old.FrameRoles()[i] == Role::Carried && frames[i].carriable) kept.carried.push_back(&frames[i]);
    // A field the user did not change keeps its frame as it is, or stays without one. Several
    // frames of one ID become one frame of their joined text, as the field shows them; not
    // several track frames: "/" parts a track from its total, so their joined text would read
    // as another number. They stay as they are.
    for (const FieldSlot& slot : FieldSlots) {
      if (fields.*slot.field != shown.*slot.field) continue;
      std::vector<const StoredFrame*> own = FramesOfField(old, slot);
      if (own.size() > 1 && std::string_view(slot.id) != "TRCK")
        (v2.*slot.write)((old.*slot.read)());
      else
        kept.inPlace[slot.id] = std::move(own);
    }
    std::vector<const StoredFrame*> oldUrls;
    for (std::size_t i = 0; i < frames.size(); ++i)
      if (frames[i].id == "WXXX" && old.FrameRoles()[i] == Role::Field) oldUrls.push_back(&frames[i]);
    const auto& oldEntries = old.Urls();
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
  std::vector<formats::PictureFile> pictureFiles;
  if (!JoinPictures(files, fs, pictureFiles)) return false;
  v2.setPictures(std::move(pictureFiles));
  return true;
}

}  // namespace tagging
