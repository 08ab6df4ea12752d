#pragma once
// Each world's musical identity: key and scale, tempo, its signature
// instrument and the short motif the hub plays for it.

#include <vector>

#include "tools/soundgen/Instruments.h"
#include "tools/soundgen/synth/Scale.h"

namespace soundgen {

struct WorldStyle {
    const char* name;
    synth::Scale scale;
    double bpm;
    Instrument signature;            // the timbre of its hub motif
    std::vector<int> motif;          // scale degrees, one per eighth note
};

// Scene numbers: 0 hub, 1 Star, 2 Day, 3 kBot, 4 Troid, 5 Gama.
const WorldStyle& StyleOf(int scene);

}  // namespace soundgen
