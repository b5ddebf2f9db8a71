// Reads the ID3v2 tag (major version 2, 3 or 4) at the start of an MP3 file into text
// properties, and copies an attached picture out of the file. Texts are UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "formats/ID3V2Tag.h"

namespace formats {

// A picture frame of the tag as the reader found it: where its header lies, the size of its
// body, and (once its front was read) its type name and description.
struct PictureRef {
  std::int64_t startPos = 0;
  std::int64_t size = 0;
  bool described = false;  // type and title were read
  std::string type;        // the type name (PictureTypeName)
  std::string title;
};

class clsID3V230Reader {
 public:
  // coverBase: the path stem of extracted picture files (the program passes TempCoverBase).
  explicit clsID3V230Reader(FormatEnv env = {}, std::string coverBase = {});

  // Reads the tag into the properties. bolAutoReadUnknown is accepted and treated as false.
  // With bolDetermineTagPresent only the header is checked. Never changes the file.
  void ReadID3V230Tag(const std::string& strFileName, bool bolAutoReadUnknown = false,
                      bool bolDetermineTagPresent = false);
  // The same on a file already open.
  void ReadFrom(InputFile& in);

  // What a frame of Frames() is to the fields: one that a field stands for (the save writes
  // the field in its place; several frames of one text ID are one field, their texts joined
  // with " / "), or one that no field stands for and a save carries over.
  enum class FrameRole { Field, Carried };
  // Every frame of the tag in its ID3v2.3 form, in tag order, with its role.
  const std::vector<StoredFrame>& Frames() const { return tag_.frames; }
  const std::vector<FrameRole>& FrameRoles() const { return roles_; }
  // The major version of the tag (2, 3, 4, or another number that cannot be read); 0 when
  // the file has no ID3v2 tag.
  int Version() const { return tag_.version; }
  // Why a tag that is there could not be read (completely); empty when it could.
  std::string ReadProblem() const { return problem_; }
  // The text of the TRCK frame the track number came from, total included ("7/9").
  std::string TrackText() const { return trackText_; }
  // The index in Frames() of the COMM and USLT frame the comment and the lyrics came from; -1 for none.
  int CommentFrameIndex() const { return commentFrame_; }
  int LyricsFrameIndex() const { return lyricsFrame_; }

  // Copies the picture of the APIC frame whose header lies at lngStartPosition (body of
  // lngSize bytes) into a picture file of its own beside the cover base: base + "-<n>" +
  // "." + extension, n chosen so that no earlier picture file is replaced. Returns the
  // path written, or "" on any failure (then the out arguments are unchanged and no file
  // is left behind). strGraphicInfo receives the description, strGraphicType the subtype.
  std::string ExtractGraphic(const std::string& strFileName, std::int64_t lngStartPosition,
                             std::int64_t lngSize, std::string& strGraphicInfo,
                             std::string& strGraphicType);

  // Properties.
  bool TagPresent() const { return tagPresent_; }
  void setTagPresent(bool value) { tagPresent_ = value; }
  std::string SongTitle() const { return songTitle_; }
  void setSongTitle(const std::string& value) { songTitle_ = value; }
  std::string Artist() const { return artist_; }
  void setArtist(const std::string& value) { artist_ = value; }
  std::string Album() const { return album_; }
  void setAlbum(const std::string& value) { album_ = value; }
  std::string Year() const { return year_; }
  void setYear(const std::string& value) { year_ = value; }
  std::string Comment() const { return comment_; }
  void setComment(const std::string& value) { comment_ = value; }
  std::string Genre() const { return genre_; }
  void setGenre(const std::string& value) { genre_ = value; }
  std::uint8_t Track() const { return track_; }
  void setTrack(std::uint8_t value) { track_ = value; }
  std::uint8_t Tracks() const { return tracks_; }
  void setTracks(std::uint8_t value) { tracks_ = value; }
  std::string Composer() const { return composer_; }
  void setComposer(const std::string& value) { composer_ = value; }
  std::string OriginalArtist() const { return originalArtist_; }
  void setOriginalArtist(const std::string& value) { originalArtist_ = value; }
  std::string Copyright() const { return copyright_; }
  void setCopyright(const std::string& value) { copyright_ = value; }
  std::string EncodedBy() const { return encodedBy_; }
  void setEncodedBy(const std::string& value) { encodedBy_ = value; }
  std::string SubTitle() const { return subTitle_; }
  void setSubTitle(const std::string& value) { subTitle_ = value; }
  std::string Language() const { return language_; }
  void setLanguage(const std::string& value) { language_ = value; }
  // The URL entries, one per WXXX frame in tag order: "description->address", or the
  // address alone when there is no description. URL() is the list joined by "|".
  const std::vector<std::string>& Urls() const { return urls_; }
  std::string URL() const;
  void setURL(const std::string& value);
  std::string Lyrics() const { return lyrics_; }
  void setLyrics(const std::string& value) { lyrics_ = value; }
  // The picture frames in tag order. The Graphic* properties are their fields joined by
  // "|" (GraphicExtended and GraphicTitle over the pictures whose front was read).
  const std::vector<PictureRef>& Pictures() const { return pictures_; }
  std::string GraphicStartPos() const;
  std::string GraphicSize() const;
  std::string GraphicExtended() const;
  std::string GraphicTitle() const;
  std::string Unknown() const { return unknown_; }
  void setUnknown(const std::string& value) { unknown_ = value; }
  bool ExtendedHeader() const { return extendedHeader_; }
  void setExtendedHeader(bool value) { extendedHeader_ = value; }
  bool ExperimentalTag() const { return experimentalTag_; }
  void setExperimentalTag(bool value) { experimentalTag_ = value; }
  bool CRC() const { return crc_; }
  void setCRC(bool value) { crc_ = value; }
  double CRCValue() const { return crcValue_; }
  void setCRCValue(double value) { crcValue_ = value; }
  // While on, only title, artist, album, year and comment are decoded; picture frames are
  // still recorded (GraphicStartPos, GraphicSize) but their bodies are not read.
  bool QuickRead() const { return quickRead_; }
  void setQuickRead(bool value) { quickRead_ = value; }
  std::string CoverBase() const { return coverBase_; }
  void setCoverBase(const std::string& value) { coverBase_ = value; }

  // The exact text of the notice for an unsynchronised tag.
  static const char* const UnsynchronisedNotice;

 private:
  void clearFields();
  bool decodeFrames(InputFile& in);
  bool handleFrame(InputFile& in, std::size_t index);
  bool handleText(std::size_t index, const std::string& body);
  bool handleTrack(const std::string& text);
  bool handlePicture(InputFile& in, const StoredFrame& frame, PictureRef& picture);
  void addUnknown(const std::string& id, const std::string& body);
  // Marks the frame as a field's; true when an earlier frame of its ID is one too.
  bool markField(std::size_t index);

  FormatEnv env_;
  std::string coverBase_;
  bool quickRead_ = false;

  bool tagPresent_ = false;
  std::string songTitle_, artist_, album_, year_, comment_, genre_;
  std::uint8_t track_ = 0, tracks_ = 0;
  std::string composer_, originalArtist_, copyright_, encodedBy_, subTitle_, language_;
  std::string lyrics_, unknown_;
  std::vector<std::string> urls_;
  std::vector<PictureRef> pictures_;
  // Entries in the Unknown list read so far (an empty first entry still takes its place).
  std::size_t unknownCount_ = 0;
  bool extendedHeader_ = false, experimentalTag_ = false, crc_ = false;
  double crcValue_ = 0;

  ID3V2Tag tag_;
  std::vector<FrameRole> roles_;
  std::string problem_, trackText_;
  int commentFrame_ = -1, lyricsFrame_ = -1;  // the frame each field came from
  bool commentDescribed_ = false, lyricsDescribed_ = false;
};

}  // namespace formats
