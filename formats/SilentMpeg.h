// Real MPEG-1 Layer III frames that decode to silence: valid frame headers, side
// information of zeros and no main data. For the demo folder, tests and benchmarks.
#pragma once
#include <string>

namespace formats {

enum class ChannelMode { Stereo = 0, JointStereo = 1, DualChannel = 2, Mono = 3 };

// `frames` consecutive frames at the given bit rate (kbit/s, an MPEG-1 Layer III rate
// from 32 to 320) and sampling frequency (44100, 48000 or 32000). An unsupported rate
// or frequency gives an empty text.
std::string SilentMpegFrames(int frames, int kbps = 128, int frequency = 44100,
                             ChannelMode mode = ChannelMode::JointStereo);

// How many frames last at least `seconds` at the given frequency (1152 samples a frame).
int FramesForSeconds(double seconds, int frequency = 44100);

}  // namespace formats
