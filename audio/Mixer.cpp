#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/MixerVoice.h"

namespace audio {

namespace {

// Adds `n` frames of one voice to `acc` (stereo, full scale 1), frame for
// frame from `pos`, each channel scaled by its gain (which includes the
// 1 / 32768 of the 16-bit samples, so full level stays exact). A looping
// voice wraps to its first frame; returns true when a one-shot reaches its
// end (the rest of `acc` is left untouched).
template <int Channels>
bool MixVoice(const SampleBuffer& buffer, uint32_t& pos, bool loop, float gl, float gr, float* acc, int n) {
    const int16_t* data = buffer.Samples();
    const uint32_t frames = buffer.Frames();
    int i = 0;
    while (i < n) {
        if (pos >= frames) {
            if (!loop) return true;
            pos = 0;
        }
        const int m = static_cast<int>(std::min<uint32_t>(frames - pos, static_cast<uint32_t>(n - i)));
        const int16_t* s = data + static_cast<size_t>(pos) * Channels;
        float* a = acc + 2 * i;
        for (int j = 0; j < m; ++j) {
            if constexpr (Channels == 1) {
                a[2 * j] += static_cast<float>(s[j]) * gl;
                a[2 * j + 1] += static_cast<float>(s[j]) * gr;
            } else {
                a[2 * j] += static_cast<float>(s[2 * j]) * gl;
                a[2 * j + 1] += static_cast<float>(s[2 * j + 1]) * gr;
            }
        }
        pos += static_cast<uint32_t>(m);
        i += m;
    }
    return pos >= frames && !loop;
}

}  // namespace

Mixer::Output::Output(int outputRate)
    : rate(outputRate),
      resampler(kMixRate, outputRate),
      limiter(outputRate),
      latencyFrames(static_cast<int>((static_cast<int64_t>(resampler.DelayFrames()) * outputRate + kMixRate - 1) /
                                     kMixRate) +
                    limiter.LookAheadFrames()) {}

Mixer::Mixer(int outputRate) {
    freeSlots_.reserve(kMaxVoices);
    for (int i = kMaxVoices - 1; i >= 0; --i) freeSlots_.push_back(i);  // lowest slots first
    pending_.reserve(kMaxVoices);
    SetOutputRate(outputRate);
}

Mixer::~Mixer() = default;

std::unique_ptr<MixerVoice> Mixer::CreateVoice(std::shared_ptr<const SampleBuffer> buffer) {
    if (!buffer) return nullptr;
    CollectReleased();
    if (freeSlots_.empty()) return nullptr;
    const int index = freeSlots_.back();
    freeSlots_.pop_back();

    // No Render looks at a free slot, so plain resets are safe until the
    // buffer pointer is published.
    VoiceSlot& slot = slots_[index];
    slot.control.store(0, std::memory_order_relaxed);
    slot.position.store(0, std::memory_order_relaxed);
    slot.gains.store((uint64_t{65536} << 32) | 65536u, std::memory_order_relaxed);
    slot.generation.fetch_add(1, std::memory_order_relaxed);
    slot.buffer.store(buffer.get(), std::memory_order_release);
    if (index >= slotsUsed_.load(std::memory_order_relaxed)) slotsUsed_.store(index + 1, std::memory_order_release);

    return std::unique_ptr<MixerVoice>(new MixerVoice(*this, index, std::move(buffer)));
}

void Mixer::SetOutputRate(int rate) {
    if (rate <= 0 || rate == outputRate_) return;
    outputs_.push_back(std::make_unique<Output>(rate));
    output_.store(outputs_.back().get(), std::memory_order_release);
    outputRate_ = rate;
}

int Mixer::LatencyFrames() const { return outputs_.empty() ? 0 : outputs_.back()->latencyFrames; }

void Mixer::Release(int index, std::shared_ptr<const SampleBuffer> buffer) {
    slots_[index].buffer.store(nullptr, std::memory_order_seq_cst);
    // If no Render runs now, every later one sees the null pointer; otherwise
    // the one running may still read the samples until it finishes.
    const uint64_t renders = renderCount_.load(std::memory_order_seq_cst);
    if (renders % 2 == 0) {
        freeSlots_.push_back(index);
        return;  // `buffer` is dropped here, on the window thread
    }
    pending_.push_back({index, std::move(buffer), renders});
}

void Mixer::CollectReleased() {
    if (pending_.empty()) return;
    const uint64_t renders = renderCount_.load(std::memory_order_seq_cst);
    std::erase_if(pending_, [&](PendingRelease& p) {
        if (p.renderCount == renders) return false;
        freeSlots_.push_back(p.slot);
        return true;
    });
}

Mixer::PlayingVoices Mixer::CountPlaying() const {
    PlayingVoices count;
    const int used = slotsUsed_.load(std::memory_order_acquire);
    for (int s = 0; s < used; ++s) {
        const VoiceSlot& slot = slots_[s];
        if (slot.buffer.load(std::memory_order_relaxed) == nullptr) continue;
        const uint32_t control = slot.control.load(std::memory_order_acquire);
        if ((control & VoiceSlot::kPlay) == 0) continue;
        ++((control & VoiceSlot::kLoop) != 0 ? count.loops : count.oneShots);
    }
    return count;
}

void Mixer::SetLoopGain(double gain) {
    loopGain_.store(static_cast<int32_t>(std::lround(std::clamp(gain, 0.0, 1.0) * 65536)), std::memory_order_relaxed);
}

void Mixer::Render(int16_t* out, int frames, int sampleRate) {
    renderCount_.fetch_add(1, std::memory_order_seq_cst);
    Output* output = output_.load(std::memory_order_acquire);
    if (output == nullptr || output->rate != sampleRate) {
        std::memset(out, 0, sizeof(int16_t) * 2 * static_cast<size_t>(std::max(frames, 0)));
        renderCount_.fetch_add(1, std::memory_order_seq_cst);
        return;
    }
    const int64_t loopGain = loopGain_.load(std::memory_order_relaxed);
    // Q16 gains to floats that also take 16-bit samples to full scale 1.
    auto scaled = [loopGain](uint32_t control, int32_t gain) {
        if ((control & VoiceSlot::kLoop) != 0) gain = static_cast<int32_t>((gain * loopGain) >> 16);
        return static_cast<float>(gain) * (1.0f / 65536.0f / 32768.0f);
    };

    // Take up the playing voices once for the whole call.
    int activeCount = 0;
    const int used = slotsUsed_.load(std::memory_order_acquire);
    for (int s = 0; s < used; ++s) {
        VoiceSlot& slot = slots_[s];
        const SampleBuffer* buffer = slot.buffer.load(std::memory_order_seq_cst);
        if (buffer == nullptr) continue;
        Cursor& cursor = cursors_[s];
        const uint32_t generation = slot.generation.load(std::memory_order_relaxed);
        if (cursor.generation != generation) cursor = {generation, 0};
        const uint32_t control = slot.control.load(std::memory_order_acquire);
        if ((control & VoiceSlot::kPlay) == 0) continue;
        const uint64_t gains = slot.gains.load(std::memory_order_relaxed);
        active_[activeCount++] = {s,
                                  buffer,
                                  control,
                                  scaled(control, static_cast<int32_t>(gains >> 32)),
                                  scaled(control, static_cast<int32_t>(gains & 0xFFFFFFFFu)),
                                  false};
    }

    Sum sum(*this, activeCount);
    for (int done = 0; done < frames;) {
        const int n = std::min(kChunkFrames, frames - done);
        output->resampler.Process(converted_.data(), n, sum);
        output->limiter.Process(converted_.data(), out + 2 * static_cast<size_t>(done), n);
        done += n;
    }

    for (int v = 0; v < activeCount; ++v) Publish(active_[v]);
    renderCount_.fetch_add(1, std::memory_order_seq_cst);
}

void Mixer::Sum::Pull(float* stereo, int frames) {
    std::memset(stereo, 0, sizeof(float) * 2 * static_cast<size_t>(frames));
    for (int v = 0; v < activeCount_; ++v) {
        Active& a = mixer_.active_[v];
        if (a.ended) continue;
        const bool loop = (a.control & VoiceSlot::kLoop) != 0;
        uint32_t& pos = mixer_.cursors_[a.slot].pos;
        a.ended = a.buffer->Channels() == 1
                      ? MixVoice<1>(*a.buffer, pos, loop, a.gainLeft, a.gainRight, stereo, frames)
                      : MixVoice<2>(*a.buffer, pos, loop, a.gainLeft, a.gainRight, stereo, frames);
    }
}

void Mixer::Publish(Active& a) {
    VoiceSlot& slot = slots_[a.slot];
    Cursor& cursor = cursors_[a.slot];
    if (a.ended) {
        cursor.pos = 0;
        slot.position.store(0, std::memory_order_relaxed);
        uint32_t expected = a.control;
        // Fails harmlessly when the window thread has made a newer request.
        slot.control.compare_exchange_strong(expected, a.control & ~VoiceSlot::kPlay, std::memory_order_release,
                                             std::memory_order_relaxed);
    } else {
        slot.position.store(a.buffer->FileBytesAt(cursor.pos), std::memory_order_relaxed);
    }
}

}  // namespace audio
