// The readers' properties copied into the plain values of the file view.
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "tagging/FileInfoRules.h"

namespace tagging {

ID3V111Values ValuesOf(const formats::clsID3V111Reader& reader) {
  ID3V111Values v;
  v.TagPresent = reader.TagPresent();
  v.SongTitle = reader.SongTitle();
  v.Artist = reader.Artist();
  v.Album = reader.Album();
  v.Year = reader.Year();
  v.Comment = reader.Comment();
  v.Track = reader.Track();
  v.Genre = reader.Genre();
  return v;
}

ID3V230Values ValuesOf(const formats::clsID3V230Reader& reader) {
  ID3V230Values v;
  v.TagPresent = reader.TagPresent();
  v.SongTitle = reader.SongTitle();
  v.Artist = reader.Artist();
  v.Album = reader.Album();
  v.Year = reader.Year();
  v.Comment = reader.Comment();
  v.Genre = reader.Genre();
  v.Track = reader.Track();
  v.OriginalArtist = reader.OriginalArtist();
  v.SubTitle = reader.SubTitle();
  v.Composer = reader.Composer();
  v.Copyright = reader.Copyright();
  v.EncodedBy = reader.EncodedBy();
  v.Language = reader.Language();
  v.Urls = reader.Urls();
  v.Unknown = reader.Unknown();
  v.Lyrics = reader.Lyrics();
  v.Pictures = reader.Pictures();
  return v;
}

}  // namespace tagging
