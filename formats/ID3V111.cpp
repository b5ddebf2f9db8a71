#include "formats/ID3V111.h"

#include "formats/TextCodec.h"

#include <cstring>
#include <utility>

namespace formats {

namespace {

struct Field {
  std::size_t offset;
  std::size_t width;
};
constexpr Field TitleField{3, 30};
constexpr Field ArtistField{33, 30};
constexpr Field AlbumField{63, 30};
constexpr Field YearField{93, 4};
constexpr Field CommentField{97, 28};
constexpr std::size_t ZeroOffset = 125;
constexpr std::size_t TrackOffset = 126;
constexpr std::size_t GenreOffset = 127;
constexpr char WorkSuffix[] = ".mp3";

// A text field up to its first NUL; without a NUL the whole width, blanks included.
std::string fieldText(const unsigned char* block, Field field) {
  const char* start = reinterpret_cast<const char*>(block + field.offset);
  const void* nul = std::memchr(start, 0, field.width);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : field.width;
  return Latin1ToUtf8(start, length);
}

void putField(std::string& block, Field field, const std::string& utf8) {
  // The block holds ISO-8859-1: a character it cannot hold becomes "?".
  const std::string text = Utf8ToLatin1Lossy(utf8);
  const std::size_t n = text.size() < field.width ? text.size() : field.width;
  block.replace(field.offset, n, text, 0, n);  // the rest stays blank
}

// The block at the end of the file; false when the file is too short or unreadable.
bool readLastBlock(InputFile& in, unsigned char* block) {
  const std::uint64_t length = in.size();
  return length >= ID3V111TagSize && in.readAt(length - ID3V111TagSize, block, ID3V111TagSize);
}

bool startsWithMarker(const unsigned char* block) { return std::memcmp(block, "TAG", 3) == 0; }

}  // namespace

bool HasID3V111Tag(InputFile& in) {
  unsigned char block[ID3V111TagSize];
  return readLastBlock(in, block) && startsWithMarker(block);
}

clsID3V111Reader::clsID3V111Reader(FormatEnv env) : env_(std::move(env)) {}

void clsID3V111Reader::ReadID3V111Tag(const std::string& strFileName, bool bolDetermineTagPresent) {
  (void)bolDetermineTagPresent;  // kept for the callers; the reading is the same either way
  // A file that cannot be opened is left alone: the read has no effect at all.
  auto in = env_.fs->openRead(strFileName);
  if (in) ReadFrom(*in);
}

void clsID3V111Reader::ReadFrom(InputFile& in) {
  unsigned char block[ID3V111TagSize];
  if (!readLastBlock(in, block)) {
    tagPresent_ = false;
    return;
  }
  songTitle_.clear();
  artist_.clear();
  album_.clear();
  year_.clear();
  comment_.clear();
  genre_.clear();
  track_ = 0;
  // Without the marker the fields stay empty; TagPresent keeps what it held (False on
  // the fresh object every caller uses).
  if (!startsWithMarker(block)) return;
  songTitle_ = fieldText(block, TitleField);
  artist_ = fieldText(block, ArtistField);
  album_ = fieldText(block, AlbumField);
  year_ = fieldText(block, YearField);
  comment_ = fieldText(block, CommentField);
  // The byte before the track number is not examined: in an ID3v1.0 tag it is the 29th
  // comment character, and the 30th then reads as the track.
  track_ = block[TrackOffset];
  genre_ = GenreName(block[GenreOffset]);
  tagPresent_ = true;
}

clsID3V111Writer::clsID3V111Writer(FormatEnv env) : env_(std::move(env)) {}

std::string clsID3V111Writer::BuildTagBlock() const {
  std::string block(ID3V111TagSize, ' ');
  block.replace(0, 3, "TAG");
  putField(block, TitleField, songTitle_);
  putField(block, ArtistField, artist_);
  putField(block, AlbumField, album_);
  putField(block, YearField, year_);
  putField(block, CommentField, comment_);
  block[ZeroOffset] = '\0';
  block[TrackOffset] = static_cast<char>(track_);
  block[GenreOffset] = static_cast<char>(genreAssigned_ ? genre_ : 255);
  if (oldBlock_.size() != ID3V111TagSize) return block;
  const auto keepField = [&](bool kept, std::size_t offset, std::size_t width) {
    if (kept) block.replace(offset, width, oldBlock_, offset, width);
  };
  keepField(keep_.title, TitleField.offset, TitleField.width);
  keepField(keep_.artist, ArtistField.offset, ArtistField.width);
  keepField(keep_.album, AlbumField.offset, AlbumField.width);
  keepField(keep_.year, YearField.offset, YearField.width);
  keepField(keep_.comment, CommentField.offset, CommentField.width);
  // In an ID3v1.0 block (no NUL before the track byte) the two bytes are comment text.
  const bool version10 = oldBlock_[ZeroOffset] != '\0';
  keepField(keep_.track && (!version10 || keep_.comment), ZeroOffset, 2);
  keepField(keep_.genre, GenreOffset, 1);
  return block;
}

void clsID3V111Writer::KeepFieldsOf(const std::string& oldBlock, const KeptID3V111Fields& keep) {
  oldBlock_ = oldBlock.size() == ID3V111TagSize && oldBlock.compare(0, 3, "TAG") == 0 ? oldBlock : std::string();
  keep_ = keep;
}

Status clsID3V111Writer::WriteID3V111Tag(const std::string& strFileName) {
  Status status;
  auto in = OpenRead(*env_.fs, strFileName, status);
  if (!in) return status;
  if (!genreAssigned_) genre_ = 255;  // the mark stays clear
  const std::string block = BuildTagBlock();
  const std::uint64_t length = in->size();

  if (HasID3V111Tag(*in)) {
    // The old tag is replaced in one pass: the audio data and the new block go into a
    // work file, which takes the file's place only when complete.
    WorkFile work(*env_.fs, strFileName, WorkSuffix);
    if (!work.copyFrom(*in, 0, length - ID3V111TagSize, env_.yield) || !work.write(block)) return work.status();
    in.reset();
    return work.commit();
  }
  in.reset();
  return appendBlock(strFileName, length, block);
}

Status clsID3V111Writer::appendBlock(const std::string& path, std::uint64_t oldLength, const std::string& block) {
  errno = 0;
  auto out = env_.fs->openAppend(path);
  if (!out) return Status::LastError(path);
  const bool written = out->write(block.data(), block.size());
  const Status failure = written ? Status::Ok() : Status::LastError(path);
  errno = 0;
  const bool finished = out->finish();
  const Status status = !failure ? failure : finished ? Status::Ok() : Status::LastError(path);
  out.reset();
  // A part of the block may have reached the file: cut it back to what it was.
  if (!status) env_.fs->truncate(path, oldLength);
  return status;
}

Status clsID3V111Writer::RemoveID3V111Tag(const std::string& strFileName) {
  Status status;
  auto in = OpenRead(*env_.fs, strFileName, status);
  if (!in || !HasID3V111Tag(*in)) return status;
  WorkFile work(*env_.fs, strFileName, WorkSuffix);
  if (!work.copyFrom(*in, 0, in->size() - ID3V111TagSize, env_.yield)) return work.status();
  in.reset();
  return work.commit();
}

bool IsID3V111FormOf(const std::string& shown, const std::string& text) {
  return shown == Latin1ToUtf8(Utf8ToLatin1Lossy(Utf8Prefix(text, 30)));
}

}  // namespace formats
