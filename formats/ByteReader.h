// Bounds-checked reading from a byte buffer: a read past the end fails explicitly
// instead of giving silent zeros.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace formats {

class ByteReader {
 public:
  ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  explicit ByteReader(const std::string& bytes)
      : data_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()) {}

  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return size_ - pos_; }
  bool atEnd() const { return pos_ >= size_; }

  bool skip(std::size_t n) {
    if (n > remaining()) return false;
    pos_ += n;
    return true;
  }
  bool byte(std::uint8_t& out) {
    if (remaining() < 1) return false;
    out = data_[pos_++];
    return true;
  }
  bool bytes(std::size_t n, std::string& out) {
    if (n > remaining()) return false;
    out.assign(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return true;
  }
  // Big-endian 32-bit value.
  bool u32(std::uint32_t& out) {
    if (remaining() < 4) return false;
    out = (std::uint32_t(data_[pos_]) << 24) | (std::uint32_t(data_[pos_ + 1]) << 16) |
          (std::uint32_t(data_[pos_ + 2]) << 8) | std::uint32_t(data_[pos_ + 3]);
    pos_ += 4;
    return true;
  }
  // Up to (not including) the next NUL, which is stepped over; false when there is none.
  bool untilNul(std::string& out) {
    for (std::size_t i = pos_; i < size_; ++i) {
      if (data_[i] == 0) {
        out.assign(reinterpret_cast<const char*>(data_ + pos_), i - pos_);
        pos_ = i + 1;
        return true;
      }
    }
    return false;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace formats
