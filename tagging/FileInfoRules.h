// The rules of the file view without its widgets: which edit fields a new file clears,
// how the ID3v1.1 and the ID3v2.3 tag of one file are merged into one set of fields,
// the time and bit-rate labels, and the picture facts of the ID3v2.3 tag.
//
// Texts are UTF-8, as the tag readers give them; "longer" compares characters, not bytes.
// The window converts with QString::fromStdString / toStdString.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "core/Texts.h"
#include "formats/ID3V230Reader.h"

namespace formats {
class clsID3V111Reader;
}  // namespace formats

namespace tagging {

// The edit fields of the main window, one member per control.
struct EditFields {
  std::string title;           // txtTitle
  std::string artist;          // txtArtist
  std::string album;           // txtAlbum
  std::string comment;         // txtComment
  std::string year;            // txtYear
  std::string genre;           // cboGenre (its editable text)
  std::string track;           // txtTrack
  std::string originalArtist;  // txtOriginalArtist
  std::string subTitle;        // txtSubtitle
  std::string composer;        // txtComposer
  std::string copyright;       // txtCopyright
  std::string encodedBy;       // txtEncodedBy
  std::string language;        // txtLanguage
  std::vector<std::string> urls;  // lstURL, one entry per address
  std::string unknown;         // txtUnknown, one undecoded frame per line
  std::string lyrics;          // txtLyrics

  bool operator==(const EditFields& other) const;
  bool operator!=(const EditFields& other) const { return !(*this == other); }
};

// The hold switches chkHold(0..4): a held field keeps its text across files.
struct HoldFlags {
  bool artist = false;   // chkHold(0)
  bool album = false;    // chkHold(1)
  bool comment = false;  // chkHold(2)
  bool year = false;     // chkHold(3)
  bool genre = false;    // chkHold(4)

  // From the check boxes in their index order 0..4.
  static HoldFlags FromIndexed(const std::array<bool, 5>& checked);
  bool any() const { return artist || album || comment || year || genre; }
};

// What the ID3v1.1 reader reports, as plain values.
struct ID3V111Values {
  bool TagPresent = false;
  std::string SongTitle;
  std::string Artist;
  std::string Album;
  std::string Year;
  std::string Comment;
  int Track = 0;
  std::string Genre;  // the genre name, empty for none
};

// What the ID3v2.3 reader reports, as plain values (URLs and pictures as lists).
struct ID3V230Values {
  bool TagPresent = false;
  std::string SongTitle;
  std::string Artist;
  std::string Album;
  std::string Year;
  std::string Comment;
  std::string Genre;
  int Track = 0;
  std::string OriginalArtist;
  std::string SubTitle;
  std::string Composer;
  std::string Copyright;
  std::string EncodedBy;
  std::string Language;
  std::vector<std::string> Urls;
  std::string Unknown;
  std::string Lyrics;
  std::vector<formats::PictureRef> Pictures;
};

// The values of readers that have read a file.
ID3V111Values ValuesOf(const formats::clsID3V111Reader& reader);
ID3V230Values ValuesOf(const formats::clsID3V230Reader& reader);

// The tag flags of the file on show.
struct TagFlags {
  bool TagFound = false;      // at least one tag
  bool ID3V111Found = false;
  bool ID3V230Found = false;
};

struct MergeOutcome {
  TagFlags flags;
  // The comment that goes to the text window's txtText, when one does; the last
  // tag that sets it wins. Empty optional: txtText is left as it is.
  std::optional<std::string> commentText;
};

// Empties the fields as a new file needs them: artist, album, comment, year and genre
// unless held; title, track and every ID3v2.3-only field always.
void ClearFields(EditFields& fields, const HoldFlags& holds);

// Copies the held fields of `from` into `to`.
void CopyHeldFields(EditFields& to, const EditFields& from, const HoldFlags& holds);

// Fills the fields from the ID3v1.1 tag (when present): trimmed texts, the track when
// above 0, the year as read when its number value is above 0, the comment, the genre
// name. Held fields are left alone.
void MergeID3V111(EditFields& fields, const HoldFlags& holds, const ID3V111Values& tag, MergeOutcome& outcome);

// Lays the ID3v2.3 tag (when present) over what the ID3v1.1 tag filled: a text replaces
// the field only when it is longer (title, artist, album, comment); a text holding the
// bytes 254 or 255 (undecoded UTF-16) counts as empty; the year only fills an empty
// field; a track above 0 replaces; the genre only fills an empty field; the
// ID3v2.3-only fields are taken as read, the URLs one entry each, the undecoded
// frames one per line.
void MergeID3V230(EditFields& fields, const HoldFlags& holds, const ID3V230Values& tag, MergeOutcome& outcome);

// ClearFields, then both tags in their order.
MergeOutcome FillFromTags(EditFields& fields, const HoldFlags& holds, const ID3V111Values& v1,
                          const ID3V230Values& v2);

// Playing time as minutes:seconds, seconds with two digits: 185 gives "3:05".
// A negative length shows as 0:00.
std::string TimeLabel(long long seconds);
// "128 kbps / 44100 Hz".
std::string BitrateLabel(long long kbps, long long hz);

// The pictures of an ID3v2.3 tag, one record per picture in tag order. FileName stays
// empty and Temporary false: the caller extracts each picture and fills them in. A picture
// whose front was not read gives type 0 and an empty title; one whose size or position is
// negative is left out, since it cannot be located in the file.
std::vector<core::PictureRecord> SplitPictures(const ID3V230Values& tag);

using core::TrimBlanks;

}  // namespace tagging
