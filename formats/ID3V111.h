// The ID3v1.1 tag: the last 128 bytes of an MP3 file.
//
//   offset  width  content
//        0      3  "TAG"
//        3     30  title
//       33     30  artist
//       63     30  album
//       93      4  year
//       97     28  comment
//      125      1  0
//      126      1  track number
//      127      1  genre number (255: none)
//
// Texts are UTF-8 in the properties and ISO-8859-1 in the block ("?" for a character it
// cannot hold), written left-aligned, cut at the field width and padded
// with blanks. Each object serves one file operation and keeps no file open.
#pragma once
#include <cstdint>
#include <string>

#include "formats/FileIo.h"
#include "formats/ID3V111Genres.h"

namespace formats {

constexpr std::size_t ID3V111TagSize = 128;

class clsID3V111Reader {
 public:
  explicit clsID3V111Reader(FormatEnv env = {});

  // Reads the tag of the file into the properties. TagPresent tells whether a tag was
  // found. A file that cannot be read (missing, shorter than 128 bytes, a read error)
  // leaves the texts, Track and Genre as they were; a readable file without a tag
  // clears them. bolDetermineTagPresent does not change the reading.
  void ReadID3V111Tag(const std::string& strFileName, bool bolDetermineTagPresent = false);
  // The same on a file already open.
  void ReadFrom(InputFile& in);

  bool TagPresent() const { return tagPresent_; }
  std::string SongTitle() const { return songTitle_; }
  std::string Artist() const { return artist_; }
  std::string Album() const { return album_; }
  std::string Year() const { return year_; }
  std::string Comment() const { return comment_; }
  std::uint8_t Track() const { return track_; }
  std::string Genre() const { return genre_; }  // a table name, or empty

  void setTagPresent(bool value) { tagPresent_ = value; }
  void setSongTitle(const std::string& value) { songTitle_ = value; }
  void setArtist(const std::string& value) { artist_ = value; }
  void setAlbum(const std::string& value) { album_ = value; }
  void setYear(const std::string& value) { year_ = value; }
  void setComment(const std::string& value) { comment_ = value; }
  void setTrack(std::uint8_t value) { track_ = value; }
  void setGenre(const std::string& value) { genre_ = value; }

 private:
  FormatEnv env_;
  bool tagPresent_ = false;
  std::string songTitle_, artist_, album_, year_, comment_;
  std::uint8_t track_ = 0;
  std::string genre_;
};

// Whether `shown` is what a 30-character field of the block makes of `text` (UTF-8 both):
// "?" for each character ISO-8859-1 cannot hold, cut to 30. Such a text is the ID3v1.1
// copy of `text`: a merge of the two tags takes `text` then, even where the copy is as long.
bool IsID3V111FormOf(const std::string& shown, const std::string& text);

// The fields of an old block that a new block keeps byte for byte.
struct KeptID3V111Fields {
  bool title = false, artist = false, album = false, year = false, comment = false, track = false, genre = false;
};

class clsID3V111Writer {
 public:
  explicit clsID3V111Writer(FormatEnv env = {});

  // Writes the properties as the file's tag, replacing a tag that is there. A file with
  // a tag is rewritten once through a work file (file name + ".mp3") that replaces it
  // when complete; to a file without one the block is appended, and a failed append is
  // cut off again. Any failure leaves the file as it was. A Genre never assigned is
  // written as 255 (and Genre becomes 255). The status says why a file was not written.
  Status WriteID3V111Tag(const std::string& strFileName);
  // Shortens the file by its tag, through a work file (file name + ".mp3") that replaces
  // it when complete. A file that is nothing but a tag becomes empty; a file without a tag
  // is left as it is (and that is success).
  Status RemoveID3V111Tag(const std::string& strFileName);
  // The genre number of a name (letter case ignored); 255 when it is not in the table.
  std::uint8_t GetGenre(const std::string& strGenre) const { return GenreNumber(strGenre); }

  // The 128 bytes that WriteID3V111Tag writes for the current properties (with 255 as
  // the genre while Genre was never assigned).
  std::string BuildTagBlock() const;
  // Makes BuildTagBlock keep the `keep` fields of `oldBlock` (a 128-byte block that starts
  // with "TAG") byte for byte. The track of an ID3v1.0 block, whose comment runs over the
  // track bytes, is kept only together with the comment.
  void KeepFieldsOf(const std::string& oldBlock, const KeptID3V111Fields& keep);

  std::string SongTitle() const { return songTitle_; }
  std::string Artist() const { return artist_; }
  std::string Album() const { return album_; }
  std::string Year() const { return year_; }
  std::string Comment() const { return comment_; }
  std::uint8_t Track() const { return track_; }
  std::uint8_t Genre() const { return genre_; }
  bool GenreAssigned() const { return genreAssigned_; }

  void setSongTitle(const std::string& value) { songTitle_ = value; }
  void setArtist(const std::string& value) { artist_ = value; }
  void setAlbum(const std::string& value) { album_ = value; }
  void setYear(const std::string& value) { year_ = value; }
  void setComment(const std::string& value) { comment_ = value; }
  void setTrack(std::uint8_t value) { track_ = value; }
  void setGenre(std::uint8_t value) {
    genre_ = value;
    genreAssigned_ = true;
  }

 private:
  Status appendBlock(const std::string& path, std::uint64_t oldLength, const std::string& block);

  FormatEnv env_;
  std::string songTitle_, artist_, album_, year_, comment_;
  std::uint8_t track_ = 0;
  std::uint8_t genre_ = 0;
  bool genreAssigned_ = false;
  std::string oldBlock_;
  KeptID3V111Fields keep_;
};

// Whether the last 128 bytes of an opened file begin with "TAG" (case-sensitive);
// false for a file shorter than 128 bytes or on a read error.
bool HasID3V111Tag(InputFile& in);

}  // namespace formats
