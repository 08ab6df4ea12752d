#pragma once
// The program's one pseudo-random generator. Every random choice of the
// program (random sounds, the hub's flashing order and About music, the
// palette's random playback, ...) draws from ProgramRandom() and takes the
// result modulo the number of choices, so a seeded run makes the same
// choices again. The sound engine's constructor seeds it (with the current
// time in seconds unless it is given a seed). Window thread only.

#include <cstdint>

namespace audio {

class CRandom {
public:
    explicit CRandom(uint32_t seed = 0) : m_dwState(seed) {}
    void Seed(uint32_t seed) { m_dwState = seed; }
    // state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30: 0..32767.
    int Next();
    // Next() modulo `choices`; 0 when `choices` is not positive.
    int Choose(int choices);

private:
    uint32_t m_dwState;
};

// The one instance.
CRandom& ProgramRandom();

// Seconds since the epoch, truncated to 32 bits: the default seed.
uint32_t CurrentTimeSeconds();

}  // namespace audio
