#pragma once
// The monkey's own random numbers: the same seed gives the same sequence on
// every machine and standard library (SplitMix64; no std distributions).

#include <cstdint>

namespace monkey {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0..n-1; 0 when n <= 0.
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    // lo..hi, both included.
    int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
    // True in `percent` of the calls.
    bool Chance(int percent) { return Below(100) < percent; }

private:
    uint64_t state_;
};

}  // namespace monkey
