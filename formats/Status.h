// What became of a step that changes a file: done, or why not. A failure is one of three
// kinds: the system could not do it (Io, with the system's error number), it must not be
// done (a damaged tag would be replaced, a track number does not fit), or it was refused
// (the save would lose what `losses` lists, and the user or the policy said no). Codes and
// data only: the front ends turn a status into words in the user's language.
#pragma once
#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace formats {

enum class Failure : std::uint8_t {
  None,
  Io,          // a step of the file system failed; `error` tells why
  Damaged,     // the old tag is damaged: a save would replace it
  OutOfRange,  // the track number does not fit the ID3v1.1 tag (0..255)
  Refused,     // the save would lose `losses`, and that was refused
};

// One thing a save would drop, as data.
struct Loss {
  enum class Kind : std::uint8_t {
    UnreadableTag,  // the whole old tag (`version`), which cannot be read
    DamagedBytes,   // the damaged bytes of the old tag (`version`) a read stepped over
    Frame,          // a frame (`frame`) that ID3v2.3 cannot hold
  };
  Kind kind = Kind::Frame;
  int version = 0;     // the old tag's ID3v2 version
  std::string frame;   // the frame's ID, for Kind::Frame
  std::string detail;  // what the reader found, in its own words (diagnostic data)
  bool operator==(const Loss& other) const {
    return kind == other.kind && version == other.version && frame == other.frame && detail == other.detail;
  }
};

struct Status {
  Failure failure = Failure::None;
  int error = 0;      // the system's error number (errno) of an Io failure
  std::string file;   // the file the failure concerns
  std::vector<Loss> losses;  // what a refused save would have lost

  // True for success, so that `if (!status)` reads as it did with a bool.
  explicit operator bool() const { return failure == Failure::None; }

  static Status Ok() { return {}; }
  static Status Of(Failure failure, std::string file = {}) {
    Status status;
    status.failure = failure;
    status.file = std::move(file);
    return status;
  }
  // An Io failure with the error number; 0 (a failure that set none) counts as EIO.
  static Status Io(int error, std::string file = {}) {
    Status status = Of(Failure::Io, std::move(file));
    status.error = error != 0 ? error : EIO;
    return status;
  }
  // An Io failure with the error number the failed call has just left in errno.
  static Status LastError(std::string file = {}) { return Io(errno, std::move(file)); }
};

}  // namespace formats
