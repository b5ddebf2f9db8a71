// The first MPEG audio frame header of an MP3 file, behind an ID3v2 tag if there is one,
// and the playing time: from the frame count of a VBR frame (Xing, Info, VBRI) when the
// first frame is one, else estimated from the file size and the first frame's bit rate.
#pragma once
#include <cstdint>
#include <string>

#include "formats/FileIo.h"

namespace formats {

class clsMP3HeadReader {
 public:
  explicit clsMP3HeadReader(FormatEnv env = {});

  // Fills the properties from the first byte 0xFF at or after the end of the ID3v2 tag
  // and the three bytes after it. Without such a header (a missing file, nothing after
  // the tag) the properties keep their values. When that frame is a VBR frame with a
  // believable frame count, Length and Bitrate (the average) come from the count.
  void ReadMP3Header(const std::string& strFileName);

  std::string MPEG() const { return mpeg_; }  // "MPEG-1" or "MPEG-2"
  std::uint8_t Layer() const { return layer_; }  // 1, 2, 3; 0 for the reserved code
  bool IsProtected() const { return isProtected_; }
  std::int32_t Bitrate() const { return bitrate_; }      // kbit/s, 0 when unknown
  std::int32_t Frequency() const { return frequency_; }  // Hz, 0 when unknown
  bool IsPrivate() const { return isPrivate_; }
  std::string Mode() const { return mode_; }
  bool IsCopyright() const { return isCopyright_; }
  std::int32_t Length() const { return length_; }  // whole seconds
  // The frame count of the first frame's VBR frame; 0 when there is none (Length is the
  // estimate then). VbrKind is its tag: "Xing", "Info" (constant bit rate) or "VBRI".
  std::uint32_t VbrFrames() const { return vbrFrames_; }
  std::string VbrKind() const { return vbrKind_; }

  void setMPEG(const std::string& value) { mpeg_ = value; }
  void setLayer(std::uint8_t value) { layer_ = value; }
  void setIsProtected(bool value) { isProtected_ = value; }
  void setBitrate(std::int32_t value) { bitrate_ = value; }
  void setFrequency(std::int32_t value) { frequency_ = value; }
  void setIsPrivate(bool value) { isPrivate_ = value; }
  void setMode(const std::string& value) { mode_ = value; }
  void setIsCopyright(bool value) { isCopyright_ = value; }
  void setLength(std::int32_t value) { length_ = value; }
  void setVbrFrames(std::uint32_t value) { vbrFrames_ = value; }
  void setVbrKind(const std::string& value) { vbrKind_ = value; }

 private:
  void decode(const unsigned char* frame, std::size_t frameBytes, std::uint64_t fileSize, std::uint64_t audioStart,
              std::uint64_t headerAt);

  FormatEnv env_;
  std::string mpeg_;
  std::uint8_t layer_ = 0;
  bool isProtected_ = false;
  std::int32_t bitrate_ = 0;
  std::int32_t frequency_ = 0;
  bool isPrivate_ = false;
  std::string mode_;
  bool isCopyright_ = false;
  std::int32_t length_ = 0;
  std::uint32_t vbrFrames_ = 0;
  std::string vbrKind_;
};

// The size of an ID3v2 tag from its ten header bytes: S1 * 2^21 + S2 * 2^14 + S3 * 2^7
// + S4 + 10 for the size bytes S1 to S4 at offsets 6 to 9, taken whole (their top bits
// are not masked); 0 when the bytes do not begin with "ID3".
std::uint64_t ID3V2TagSize(const unsigned char* header10);

// Seconds of audio: bytes * 8 / (kbps * 1000), rounded to the nearest whole number with
// a half going to the even neighbour, in 64-bit arithmetic; capped at the largest 32-bit
// value. 0 for a bit rate of 0 or less.
std::int32_t PlayingSeconds(std::uint64_t audioBytes, std::int32_t kbps);

}  // namespace formats
