#include "audio/Gain.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

int32_t GainQ16(int attenuation) {
    if (attenuation >= -kVolumeMin) return 0;
    return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, -attenuation / 2000.0)));
}

}  // namespace

StereoGain GainsFor(int volume, int pan) {
    volume = std::clamp(volume, kVolumeMin, kVolumeMax);
    pan = std::clamp(pan, kPanLeft, kPanRight);
    return {GainQ16(std::max(pan, 0) - volume), GainQ16(-std::min(pan, 0) - volume)};
}

}  // namespace audio
