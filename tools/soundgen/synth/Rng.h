#pragma once
// Deterministic pseudo-random numbers for the generator: the same seed gives
// the same sounds on every machine and run (no clock, no global state).

#include <cstdint>
#include <string_view>

namespace synth {

class Rng {
public:
    explicit Rng(uint64_t seed) : m_state(seed ^ 0x9E3779B97F4A7C15ull) {}
    // Seeded from a name (FNV-1a), so each file has its own stream.
    static Rng FromName(std::string_view name);

    uint64_t Next();
    // Uniform in [0, 1).
    double Unit();
    // Uniform in [-1, 1).
    float Bipolar() { return float(Unit() * 2.0 - 1.0); }
    // Uniform integer in [0, n) for n > 0.
    int Below(int n) { return int(Unit() * n); }

private:
    uint64_t m_state;
};

}  // namespace synth
