#pragma once
// The state one voice shares between the window thread and the mixer's
// Render. Each field has one writer, except `control`, which Render may only
// change by compare-and-swap to clear the play bit when a one-shot ends (the
// window thread bumps the sequence on every change, so a swap against a newer
// request fails). Internal to the mixer.

#include <atomic>
#include <cstdint>

#include "audio/SampleBuffer.h"

namespace audio {

struct alignas(64) VoiceSlot {
    static constexpr uint32_t kPlay = 1;       // control: play (else stopped, cursor kept)
    static constexpr uint32_t kLoop = 2;       // control: wrap at the end instead of stopping
    static constexpr uint32_t kSeqStep = 4;    // control: bits 2.. count the window's requests

    // Window thread writes; Render reads. Null while the slot is free or released.
    std::atomic<const SampleBuffer*> buffer{nullptr};
    std::atomic<uint32_t> generation{0};  // bumped each time the slot gets a new voice
    std::atomic<uint32_t> control{0};
    std::atomic<uint64_t> gains{0};       // left Q16 << 32 | right Q16

    // Render writes; the window thread reads.
    std::atomic<uint32_t> position{0};  // play cursor in the file's bytes; 0 after a one-shot's end
};

}  // namespace audio
