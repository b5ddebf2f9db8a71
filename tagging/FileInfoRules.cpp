#include "tagging/FileInfoRules.h"

#include "core/Ini.h"
#include "core/Texts.h"
#include "formats/ID3V111.h"
#include "formats/Pictures.h"
#include "formats/TextCodec.h"

namespace tagging {

bool EditFields::operator==(const EditFields& o) const {
  return title == o.title && artist == o.artist && album == o.album && comment == o.comment &&
         year == o.year && genre == o.genre && track == o.track && originalArtist == o.originalArtist &&
         subTitle == o.subTitle && composer == o.composer && copyright == o.copyright &&
         encodedBy == o.encodedBy && language == o.language && urls == o.urls && unknown == o.unknown &&
         lyrics == o.lyrics;
}

HoldFlags HoldFlags::FromIndexed(const std::array<bool, 5>& checked) {
  HoldFlags holds;
  holds.artist = checked[0];
  holds.album = checked[1];
  holds.comment = checked[2];
  holds.year = checked[3];
  holds.genre = checked[4];
  return holds;
}


void ClearFields(EditFields& fields, const HoldFlags& holds) {
  if (!holds.artist) fields.artist.clear();
  if (!holds.album) fields.album.clear();
  if (!holds.comment) fields.comment.clear();
  if (!holds.year) fields.year.clear();
  fields.title.clear();
  fields.track.clear();
  if (!holds.genre) fields.genre.clear();

  fields.originalArtist.clear();
  fields.subTitle.clear();
  fields.composer.clear();
  fields.copyright.clear();
  fields.encodedBy.clear();
  fields.language.clear();
  fields.urls.clear();
  fields.unknown.clear();
  fields.lyrics.clear();
}

void CopyHeldFields(EditFields& to, const EditFields& from, const HoldFlags& holds) {
  if (holds.artist) to.artist = from.artist;
  if (holds.album) to.album = from.album;
  if (holds.comment) to.comment = from.comment;
  if (holds.year) to.year = from.year;
  if (holds.genre) to.genre = from.genre;
}

void MergeID3V111(EditFields& fields, const HoldFlags& holds, const ID3V111Values& tag, MergeOutcome& outcome) {
  if (!tag.TagPresent) return;
  outcome.flags.TagFound = true;
  outcome.flags.ID3V111Found = true;

  if (!holds.artist) fields.artist = TrimBlanks(tag.Artist);
  if (!holds.album) fields.album = TrimBlanks(tag.Album);
  fields.title = TrimBlanks(tag.SongTitle);
  if (tag.Track > 0) fields.track = std::to_string(tag.Track);
  // The number value of the year decides ("0000" and blanks do not count); the text
  // itself is taken as read.
  if (!holds.year && core::LeadingNumber(tag.Year) > 0) fields.year = tag.Year;
  if (!holds.comment) {
    fields.comment = TrimBlanks(tag.Comment);
    if (!fields.comment.empty()) outcome.commentText = fields.comment;
  }
  if (!holds.genre) fields.genre = tag.Genre;
}

namespace {

// The ID3v2.3 text as the view shows it: trimmed, and empty when it is undecoded UTF-16.
std::string Shown(const std::string& text) { return core::DropUnicodeText(TrimBlanks(text)); }

// Longer counts characters (the texts are UTF-8). A field that holds the ID3v1.1 form of
// the candidate ("?" for what ISO-8859-1 cannot hold, cut to 30) takes the candidate too:
// it is the same text, and keeping the "?" form would lose the rest on the next save.
void TakeWhenLonger(std::string& field, const std::string& candidate) {
  if (field == candidate) return;
  if (formats::Utf8Length(candidate) > formats::Utf8Length(field) || formats::IsID3V111FormOf(field, candidate))
    field = candidate;
}

}  // namespace

void MergeID3V230(EditFields& fields, const HoldFlags& holds, const ID3V230Values& tag, MergeOutcome& outcome) {
  if (!tag.TagPresent) return;
  outcome.flags.TagFound = true;
  outcome.flags.ID3V230Found = true;

  if (!holds.artist) TakeWhenLonger(fields.artist, Shown(tag.Artist));
  if (!holds.album) TakeWhenLonger(fields.album, Shown(tag.Album));
  TakeWhenLonger(fields.title, Shown(tag.SongTitle));
  if (!holds.year && fields.year.empty()) fields.year = tag.Year;
  if (tag.Track > 0) fields.track = std::to_string(tag.Track);
  if (!holds.comment) {
    const std::string comment = TrimBlanks(tag.Comment);
    if (formats::Utf8Length(comment) > formats::Utf8Length(fields.comment)) {
      fields.comment = comment;
      outcome.commentText = comment;
    }
  }
  if (fields.genre.empty()) fields.genre = core::DropUnicodeText(tag.Genre);

  fields.originalArtist = tag.OriginalArtist;
  fields.subTitle = tag.SubTitle;
  fields.composer = tag.Composer;
  fields.copyright = tag.Copyright;
  fields.encodedBy = tag.EncodedBy;
  fields.language = tag.Language;
  fields.urls.insert(fields.urls.end(), tag.Urls.begin(), tag.Urls.end());

  fields.unknown.clear();
  for (const char c : tag.Unknown) {
    if (c == '|')
      fields.unknown += "\r\n";
    else
      fields.unknown += c;
  }
  fields.lyrics = tag.Lyrics;
}

MergeOutcome FillFromTags(EditFields& fields, const HoldFlags& holds, const ID3V111Values& v1,
                          const ID3V230Values& v2) {
  MergeOutcome outcome;
  ClearFields(fields, holds);
  MergeID3V111(fields, holds, v1, outcome);
  MergeID3V230(fields, holds, v2, outcome);
  return outcome;
}

std::string TimeLabel(long long seconds) {
  if (seconds < 0) seconds = 0;
  const long long rest = seconds % 60;
  return std::to_string(seconds / 60) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

std::string BitrateLabel(long long kbps, long long hz) {
  return std::to_string(kbps) + " kbps / " + std::to_string(hz) + " Hz";
}

std::vector<core::PictureRecord> SplitPictures(const ID3V230Values& tag) {
  std::vector<core::PictureRecord> pictures;
  for (const formats::PictureRef& ref : tag.Pictures) {
    if (ref.size < 0 || ref.startPos < 0) continue;
    core::PictureRecord picture;
    picture.Size = ref.size;
    picture.StartPos = ref.startPos;
    picture.PicType = formats::PictureTypeNumber(ref.type);
    picture.Title = ref.title;
    pictures.push_back(picture);
  }
  return pictures;
}

}  // namespace tagging
