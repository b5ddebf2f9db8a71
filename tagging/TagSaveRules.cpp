#include "tagging/TagSaveRules.h"


#include "core/Ini.h"
#include "core/Texts.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/Numbers.h"
#include "formats/TagSaver.h"
#include "formats/TextCodec.h"
#include "formats/ID3V230Reader.h"
#include "tagging/KeepOldTag.h"

namespace tagging {

namespace {

constexpr std::size_t ID3V111TextLimit = 30;

}  // namespace

TrackNumber ID3V111TrackNumber(const std::string& text) {
  TrackNumber track;
  if (text.empty()) return track;
  double value = 0;
  // "3/12" is the track and the total: the ID3v1.1 tag holds the track.
  if (!formats::ReadNumber(text.substr(0, text.find('/')), value)) {
    track.verdict = TrackVerdict::Assign;
    return track;
  }
  // Anything beyond this bound is out of range whatever the rounding.
  if (!(value > -1.0 && value < 256.0)) {
    track.verdict = TrackVerdict::Refuse;
    return track;
  }
  const long long rounded = core::RoundHalfEven(value);
  if (rounded < 0 || rounded > 255) {
    track.verdict = TrackVerdict::Refuse;
    return track;
  }
  track.verdict = TrackVerdict::Assign;
  track.value = static_cast<std::uint8_t>(rounded);
  return track;
}

std::uint8_t ID3V111GenreNumber(const std::string& genre) {
  if (genre.empty()) return 255;
  return formats::GenreNumber(genre);
}

bool JoinPictures(const std::vector<core::PictureRecord>& pictureList, formats::FileSystem& fs,
                  std::vector<formats::PictureFile>& pictures) {
  pictures.clear();
  for (std::size_t i = 1; i < pictureList.size(); ++i) {
    const auto& picture = pictureList[i];
    if (picture.FileName.empty() || !fs.exists(picture.FileName)) continue;
    // A picture file that is there but cannot be read must stop the save: leaving it
    // out would remove the picture from the file.
    if (!fs.openRead(picture.FileName)) return false;
    if (picture.PicType < 0 || picture.PicType > 255) return false;
    pictures.push_back({picture.FileName, static_cast<std::uint8_t>(picture.PicType), picture.Title});
  }
  return true;
}

bool ConfigureWriters(const EditFields& fields, const std::vector<core::PictureRecord>& pictureList,
                      formats::FileSystem& fs, formats::clsID3V111Writer& v1, formats::clsID3V230Writer& v2) {
  // Texts are UTF-8: the limit counts characters.
  v1.setArtist(formats::Utf8Prefix(fields.artist, ID3V111TextLimit));
  v1.setAlbum(formats::Utf8Prefix(fields.album, ID3V111TextLimit));
  v1.setSongTitle(formats::Utf8Prefix(fields.title, ID3V111TextLimit));
  const TrackNumber track = ID3V111TrackNumber(fields.track);
  if (track.verdict == TrackVerdict::Refuse) return false;
  if (track.verdict == TrackVerdict::Assign) v1.setTrack(track.value);
  v1.setYear(fields.year);
  v1.setGenre(ID3V111GenreNumber(fields.genre));
  v1.setComment(fields.comment);

  v2.setArtist(fields.artist);
  v2.setAlbum(fields.album);
  v2.setSongTitle(fields.title);
  v2.setTrack(fields.track);
  v2.setYear(fields.year);
  v2.setGenre(fields.genre);
  v2.setComment(fields.comment);
  v2.setOriginalArtist(fields.originalArtist);
  v2.setSubTitle(fields.subTitle);
  v2.setComposer(fields.composer);
  v2.setCopyright(fields.copyright);
  v2.setEncodedBy(fields.encodedBy);
  v2.setLanguage(fields.language);
  v2.setUrls(fields.urls);
  v2.setLyrics(fields.lyrics);

  std::vector<formats::PictureFile> pictures;
  if (!JoinPictures(pictureList, fs, pictures)) return false;
  v2.setPictures(std::move(pictures));
  return true;
}

namespace {

// The ID3v1.1 fields whose text is still the one shown: the new block keeps their old bytes.
formats::KeptID3V111Fields UnchangedID3V111Fields(const EditFields& fields, const EditFields& shown) {
  formats::KeptID3V111Fields keep;
  keep.title = fields.title == shown.title;
  keep.artist = fields.artist == shown.artist;
  keep.album = fields.album == shown.album;
  keep.year = fields.year == shown.year;
  keep.comment = fields.comment == shown.comment;
  keep.track = fields.track == shown.track;
  keep.genre = fields.genre == shown.genre;
  return keep;
}

}  // namespace

formats::Status SaveTagsToFile(const std::string& path, const EditFields& fields,
                               const std::vector<core::PictureRecord>& pictureList, const formats::FormatEnv& env,
                               const SavePolicy& policy, const EditFields* shown) {
  using formats::Failure;
  using formats::Status;
  formats::FormatEnv usedEnv = env;
  if (usedEnv.fs == nullptr) usedEnv.fs = &formats::FileSystem::standard();
  formats::clsID3V111Writer v1(usedEnv);
  formats::clsID3V230Writer v2(usedEnv);
  // The pictures are planned with the old tag in hand: those from the file are written from
  // its own bytes, so only the others count here.
  if (!ConfigureWriters(fields, std::vector<core::PictureRecord>(1), *usedEnv.fs, v1, v2))
    return Status::Of(Failure::OutOfRange, path);  // the track: no picture is asked for yet
  formats::TagSaver saver(usedEnv);
  // The saver builds the ID3v1.1 block from v1 after this builder has run, so the builder
  // tells v1 which old field bytes to keep.
  return saver.SaveTagsWith(path, v1, [&](formats::InputFile& in, formats::id3v230::PreparedTag& tag) {
    formats::clsID3V230Reader old(usedEnv);
    old.ReadFrom(in);
    formats::clsID3V111Reader oldV1(usedEnv);
    oldV1.ReadFrom(in);
    SaveLoss loss{path, LossesOf(old)};
    if (!loss.what.empty()) {
      const bool go = policy.mode == SavePolicy::Mode::Force ||
                      (policy.mode == SavePolicy::Mode::Ask && policy.ask && policy.ask(loss));
      if (!go) {
        Status refused = Status::Of(Failure::Refused, path);
        refused.losses = std::move(loss.what);
        return refused;
      }
    }
    EditFields ownFields;
    if (shown == nullptr) FillFromTags(ownFields, HoldFlags{}, ValuesOf(oldV1), ValuesOf(old));
    const EditFields& before = shown != nullptr ? *shown : ownFields;
    if (oldV1.TagPresent()) {
      std::string block(formats::ID3V111TagSize, '\0');
      errno = 0;
      if (!in.readAt(in.size() - formats::ID3V111TagSize, block.data(), block.size())) return Status::LastError(path);
      v1.KeepFieldsOf(block, UnchangedID3V111Fields(fields, before));
    }
    // A picture that cannot be read or does not fit: the reason is the picture file's.
    KeepPlan plan;
    errno = 0;
    if (!PlanKeeping(old, in, fields, before, pictureList, *usedEnv.fs, v2, plan) || !v2.PictureListsValid() ||
        !v2.PrepareTag(tag, &plan.kept))
      return Status::LastError(path);
    return Status::Ok();
  });
}

}  // namespace tagging
