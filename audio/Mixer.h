#pragma once
// Our stand-in for the host's mixing sound service. Voices (one per loaded
// sound or duplicate) are created and driven from the window thread through
// MixerVoice; the audio device pulls the mix through Render.
//
// The mix: every voice's frames, one for one at kMixRate (the buffers are
// kept at that rate), scaled by its gains and summed as floats; the sum
// converted once to the output rate (Resampler, band-limited) and brought
// under -1 dBFS by a look-ahead limiter (Limiter) instead of being clipped.
// What is heard lags the voices' cursors by LatencyFrames(), 2.4 ms at 48000 Hz.
//
// Handoff: a fixed table of kMaxVoices slots, each a VoiceSlot of atomics.
// The window thread publishes a voice's buffer pointer, requests (play, loop,
// stop) and gains; Render reads them with no lock, mixes, and publishes the
// play cursor back. Render never blocks, allocates or frees. A released
// voice's sample memory is freed on the window thread once no Render that may
// have seen it is still running (a render counter tells).

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/Limiter.h"
#include "audio/Resampler.h"
#include "audio/SampleBuffer.h"
#include "audio/VoiceSlot.h"
#include "platform/audio/AudioDevice.h"

namespace audio {

class MixerVoice;

class Mixer final : public plat::AudioSource {
public:
    static constexpr int kMaxVoices = 1024;
    static constexpr int kDefaultOutputRate = 48000;

    // Ready to render at `outputRate` frames per second.
    explicit Mixer(int outputRate = kDefaultOutputRate);
    // The device pulling from this mixer must be closed first, and every
    // MixerVoice released.
    ~Mixer() override;
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // A stopped voice over `buffer` at full volume, centred, cursor at 0.
    // Null when all kMaxVoices voices are in use or `buffer` is null. Window thread.
    std::unique_ptr<MixerVoice> CreateVoice(std::shared_ptr<const SampleBuffer> buffer);

    // Prepares the conversion to `rate` (allocates; window thread): Render
    // takes that rate from the next call on. Setting the current rate again
    // does nothing.
    void SetOutputRate(int rate);
    int OutputRate() const { return outputRate_; }
    // Output frames between a voice's cursor and the frame heard: the
    // converter's half filter and the limiter's look-ahead. Window thread.
    int LatencyFrames() const;

    // Sums every playing voice into `frames` interleaved stereo frames at
    // `sampleRate`, which must be the output rate set (any other rate gives
    // silence and leaves the voices where they are). Device thread (or the
    // window thread for headless devices); lock-free and allocation-free.
    void Render(int16_t* out, int frames, int sampleRate) override;

    // Voices started and not yet at their end, split by looping. Window thread.
    struct PlayingVoices {
        int oneShots = 0;
        int loops = 0;
    };
    PlayingVoices CountPlaying() const;
    // Scales every looping voice by `gain` (0..1, on top of its own volume)
    // from the next Render on, so a loop can be faded out while one-shots
    // ring out at their own level. 1 at start. Window thread.
    void SetLoopGain(double gain);

private:
    friend class MixerVoice;

    // Render's own state of a slot.
    struct Cursor {
        uint32_t generation = 0;
        uint32_t pos = 0;  // frame at kMixRate
    };
    // One voice taken up by the current Render.
    struct Active {
        int slot;
        const SampleBuffer* buffer;
        uint32_t control;
        float gainLeft;
        float gainRight;
        bool ended;
    };
    struct PendingRelease {
        int slot;
        std::shared_ptr<const SampleBuffer> buffer;
        uint64_t renderCount;
    };
    // The conversion to one output rate. Render's once published.
    struct Output {
        explicit Output(int rate);
        int rate;
        Resampler resampler;
        Limiter limiter;
        int latencyFrames;
    };
    // Render's feed of the converter: the taken-up voices summed at kMixRate.
    class Sum final : public Resampler::Source {
    public:
        Sum(Mixer& mixer, int activeCount) : mixer_(mixer), activeCount_(activeCount) {}
        void Pull(float* stereo, int frames) override;

    private:
        Mixer& mixer_;
        int activeCount_;
    };
    static constexpr int kChunkFrames = 512;

    // Window thread: stops the slot's voice at once; the slot and buffer are
    // reused or freed once Render cannot be using them.
    void Release(int slot, std::shared_ptr<const SampleBuffer> buffer);
    void CollectReleased();
    void Publish(Active& voice);

    std::array<VoiceSlot, kMaxVoices> slots_;
    std::atomic<int> slotsUsed_{0};          // one past the highest slot ever handed out
    std::atomic<uint64_t> renderCount_{0};   // odd while a Render runs
    std::atomic<int32_t> loopGain_{65536};   // Q16, applied to looping voices
    std::atomic<Output*> output_{nullptr};

    // Window thread only.
    std::vector<int> freeSlots_;
    std::vector<PendingRelease> pending_;
    int outputRate_ = 0;
    // Every output prepared, kept until the mixer goes: a Render may still be
    // using the one before the last.
    std::vector<std::unique_ptr<Output>> outputs_;

    // Render only.
    std::array<Cursor, kMaxVoices> cursors_{};
    std::array<Active, kMaxVoices> active_{};
    std::array<float, 2 * kChunkFrames> converted_{};
};

}  // namespace audio
