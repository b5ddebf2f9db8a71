#include "formats/SilentMpeg.h"

#include <cmath>

namespace formats {

namespace {
const int kMpeg1Layer3Rates[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

int rateIndex(int kbps) {
  for (int i = 1; i < 15; ++i)
    if (kMpeg1Layer3Rates[i] == kbps) return i;
  return -1;
}

int frequencyIndex(int frequency) {
  switch (frequency) {
    case 44100: return 0;
    case 48000: return 1;
    case 32000: return 2;
    default: return -1;
  }
}
}  // namespace

std::string SilentMpegFrames(int frames, int kbps, int frequency, ChannelMode mode) {
  const int rate = rateIndex(kbps);
  const int freq = frequencyIndex(frequency);
  if (rate < 0 || freq < 0 || frames <= 0) return {};

  // 1152 samples a frame: 144 * bit rate / frequency bytes, the fraction carried by
  // the padding bit of some frames so that the stream keeps its nominal rate.
  const long long bitsPerSecond = kbps * 1000LL;
  std::string out;
  long long owed = 0;  // in units of 1/frequency bytes
  for (int i = 0; i < frames; ++i) {
    const long long whole = 144 * bitsPerSecond / frequency;
    owed += 144 * bitsPerSecond % frequency;
    int padding = 0;
    if (owed >= frequency) {
      owed -= frequency;
      padding = 1;
    }
    const std::size_t length = static_cast<std::size_t>(whole + padding);
    std::string frame(length, '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xFB);  // MPEG-1, Layer III, no CRC
    frame[2] = static_cast<char>((rate << 4) | (freq << 2) | (padding << 1));
    frame[3] = static_cast<char>((static_cast<int>(mode) << 6) | 0x04);  // original
    out += frame;
  }
  return out;
}

int FramesForSeconds(double seconds, int frequency) {
  return static_cast<int>(std::ceil(seconds * frequency / 1152.0));
}

}  // namespace formats
