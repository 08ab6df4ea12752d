#include "tools/soundgen/synth/Rng.h"

namespace synth {

Rng Rng::FromName(std::string_view name) {
    uint64_t h = 1469598103934665603ull;
    for (char c : name) {
        h ^= uint8_t(c);
        h *= 1099511628211ull;
    }
    return Rng(h);
}

uint64_t Rng::Next() {
    // splitmix64: good enough mixing for audio noise and musical choices.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

}  // namespace synth
