#pragma once
// Volume and pan as the host's sound service gives them: attenuations in
// hundredths of a decibel. Volume 0 is full level and -10000 silence; pan
// -10000 silences the right channel and 10000 the left, 0 leaves both at full
// level (a balance control, not constant power).

#include <cstdint>

namespace audio {

inline constexpr int kVolumeMax = 0;
inline constexpr int kVolumeMin = -10000;
inline constexpr int kPanLeft = -10000;
inline constexpr int kPanRight = 10000;

// Linear gains in Q16 fixed point (65536 = 1.0).
struct StereoGain {
    int32_t left = 0;
    int32_t right = 0;
};

// left = 10^((volume - max(pan, 0)) / 2000), right = 10^((volume + min(pan, 0)) / 2000);
// volume is clamped to -10000..0 and pan to -10000..10000, and an attenuation
// of 100 dB or more is silence.
StereoGain GainsFor(int volume, int pan);

}  // namespace audio
