// Writes the tag record as a new ID3v2.3 tag in front of the audio data of an MP3 file,
// and removes an ID3v2 tag.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "formats/ID3V230Rewrite.h"
#include "formats/ID3V2Tag.h"

namespace formats {

// Frames of a file's old tag that a new tag keeps, as pointers into the old tag's frames.
struct KeptFrames {
  InputFile* source = nullptr;             // the file the old frames' bodies are read from
  // Per frame ID of a text property (TIT2 ... TENC, COMM, USLT): the old frames written in
  // place of the frame the property would give, none when the list is empty. An ID not
  // listed is written from its property.
  std::map<std::string, std::vector<const StoredFrame*>> inPlace;
  std::vector<const StoredFrame*> urls;    // per URL entry: the old WXXX written in its place, or null
  std::vector<const StoredFrame*> carried; // written after the lyrics, in this order
  // The pictures in their order: an old frame, or entry `entry` of the Graphic lists.
  struct Picture {
    const StoredFrame* frame = nullptr;
    std::size_t entry = 0;
  };
  std::vector<Picture> pictures;
};

// A picture to write from a file: its path, picture type and description.
struct PictureFile {
  std::string path;
  std::uint8_t type = 0;
  std::string title;
};

class clsID3V230Writer {
 public:
  explicit clsID3V230Writer(FormatEnv env = {});

  // Replaces any ID3v2 tag of the file by a tag built from the properties, in one pass
  // through the work file path + ".mp3" (path + ".new" when no frame is to be written and
  // an old tag only goes away). On any failure the file stays byte for byte as it was and
  // no work file remains. True when the file now holds what was asked.
  Status WriteID3V230Tag(const std::string& strFileName);
  // Cuts the ID3v2 tag (any major version) from the front of the file, through the work
  // file path + ".new". True when the file has no ID3v2 tag afterwards.
  Status RemoveID3V230Tag(const std::string& strFileName);
  // The picture-type number of a name, compared in lower case; 0 for an unknown name.
  std::uint8_t GetGraphicType(const std::string& strType) const;

  // Builds the tag that WriteID3V230Tag would write, opening the picture files. False when
  // the picture lists do not fit together, a type is not a whole number from 0 to 255, a
  // picture file that exists cannot be read, or the tag would reach 256 MiB (its size
  // could not be written).
  // With `kept`, the frames it names take their places (see KeptFrames).
  bool PrepareTag(id3v230::PreparedTag& tag, const KeptFrames* kept = nullptr) const;
  // The picture lists alone, without opening any file (same rules as above).
  bool PictureListsValid() const;

  // Properties: UTF-8 texts, each written in ISO-8859-1 when that holds it and as UTF-16
  // otherwise; URL, Graphic, GraphicType and GraphicTitle are lists joined by "|".
  std::string SongTitle() const { return songTitle_; }
  void setSongTitle(const std::string& value) { songTitle_ = value; }
  std::string Artist() const { return artist_; }
  void setArtist(const std::string& value) { artist_ = value; }
  std::string Album() const { return album_; }
  void setAlbum(const std::string& value) { album_ = value; }
  std::string Year() const { return year_; }
  void setYear(const std::string& value) { year_ = value; }
  std::string Track() const { return track_; }
  void setTrack(const std::string& value) { track_ = value; }
  std::string Genre() const { return genre_; }
  void setGenre(const std::string& value) { genre_ = value; }
  std::string Comment() const { return comment_; }
  void setComment(const std::string& value) { comment_ = value; }
  std::string Composer() const { return composer_; }
  void setComposer(const std::string& value) { composer_ = value; }
  std::string OriginalArtist() const { return originalArtist_; }
  void setOriginalArtist(const std::string& value) { originalArtist_ = value; }
  std::string Language() const { return language_; }
  void setLanguage(const std::string& value) { language_ = value; }
  std::string SubTitle() const { return subTitle_; }
  void setSubTitle(const std::string& value) { subTitle_ = value; }
  std::string Copyright() const { return copyright_; }
  void setCopyright(const std::string& value) { copyright_ = value; }
  std::string EncodedBy() const { return encodedBy_; }
  void setEncodedBy(const std::string& value) { encodedBy_ = value; }
  // The URL entries, one WXXX frame each (an entry may hold "|"); URL() joins them with
  // "|", and setURL takes such a joined text apart.
  const std::vector<std::string>& Urls() const { return urls_; }
  void setUrls(std::vector<std::string> urls) { urls_ = std::move(urls); }
  std::string URL() const;
  void setURL(const std::string& value);
  std::string Lyrics() const { return lyrics_; }
  void setLyrics(const std::string& value) { lyrics_ = value; }
  // The pictures as a typed list: replaces what the three Graphic lists say (a path or a
  // description may then hold "|"); setting one of the three lists again replaces it.
  void setPictures(std::vector<PictureFile> pictures);
  std::string Graphic() const { return graphic_; }
  void setGraphic(const std::string& value) { graphic_ = value, typedPictures_ = false; }
  std::string GraphicType() const { return graphicType_; }
  void setGraphicType(const std::string& value) { graphicType_ = value, typedPictures_ = false; }
  std::string GraphicTitle() const { return graphicTitle_; }
  void setGraphicTitle(const std::string& value) { graphicTitle_ = value, typedPictures_ = false; }

 private:
  using PictureEntry = PictureFile;
  bool pictureEntries(std::vector<PictureEntry>& entries) const;

  FormatEnv env_;
  std::string songTitle_, artist_, album_, year_, track_, genre_, comment_, composer_;
  std::string originalArtist_, language_, subTitle_, copyright_, encodedBy_, lyrics_;
  std::vector<std::string> urls_;
  std::string graphic_, graphicType_, graphicTitle_;
  std::vector<PictureFile> pictures_;  // used while typedPictures_
  bool typedPictures_ = false;
};

}  // namespace formats
