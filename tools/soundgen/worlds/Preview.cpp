#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

synth::Stereo WorldPreview(int scene, synth::Rng& rng) {
    // Each world's most characteristic loop stands for it in the hub.
    switch (scene) {
    case 1:
        return StarLoop(0, 1, rng);
    case 2:
        return DayLoop(2, rng);
    case 3:
        return KBotLoop(1, rng);
    case 4:
        return TroidLoop(1, rng);
    default:
        return GamaLoop(0, rng);
    }
}

}  // namespace soundgen
