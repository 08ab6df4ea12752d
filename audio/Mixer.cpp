#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/MixerVoice.h"

namespace audio {

namespace {

constexpr int32_t Interpolate(int32_t s0, int32_t s1, uint32_t frac15) {
    return s0 + (((s1 - s0) * static_cast<int32_t>(frac15)) >> 15);
}
constexpr int32_t Scale(int32_t sample, int32_t gainQ16) { return (sample * gainQ16 + 32768) >> 16; }

// Adds `n` output frames of one voice to `acc`, stepping `pos` (32.32 source
// frames) by `step`. Linear interpolation; at the last frame a looping voice
// interpolates towards its first frame, a one-shot holds. Returns true when a
// one-shot reaches its end (the rest of `acc` is left untouched).
template <int Channels>
bool MixVoice(const SampleBuffer& buffer, uint64_t& pos, uint64_t step, bool loop, int32_t gl, int32_t gr,
              int32_t* acc, int n) {
    const int16_t* data = buffer.Samples();
    const uint32_t frames = buffer.Frames();
    const uint64_t end = static_cast<uint64_t>(frames) << 32;
    const uint64_t lastFrame = static_cast<uint64_t>(frames - 1) << 32;  // below it, frame idx + 1 exists
    int i = 0;
    while (i < n) {
        if (pos >= end) {
            if (!loop) return true;
            pos %= end;
        }
        if (pos < lastFrame) {
            const uint64_t stepsToLast = (lastFrame - pos + step - 1) / step;
            const int m = static_cast<int>(std::min<uint64_t>(stepsToLast, static_cast<uint64_t>(n - i)));
            int32_t* a = acc + 2 * i;
            for (int j = 0; j < m; ++j) {
                const size_t idx = static_cast<size_t>(pos >> 32) * Channels;
                const uint32_t frac = static_cast<uint32_t>(pos) >> 17;
                if constexpr (Channels == 1) {
                    const int32_t s = Interpolate(data[idx], data[idx + 1], frac);
                    a[2 * j] += Scale(s, gl);
                    a[2 * j + 1] += Scale(s, gr);
                } else {
                    a[2 * j] += Scale(Interpolate(data[idx], data[idx + 2], frac), gl);
                    a[2 * j + 1] += Scale(Interpolate(data[idx + 1], data[idx + 3], frac), gr);
                }
                pos += step;
            }
            i += m;
        } else {
            const size_t idx = static_cast<size_t>(frames - 1) * Channels;
            const size_t next = loop ? 0 : idx;
            const uint32_t frac = static_cast<uint32_t>(pos) >> 17;
            const int32_t left = Interpolate(data[idx], data[next], frac);
            const int32_t right = Channels == 1 ? left : Interpolate(data[idx + 1], data[next + 1], frac);
            acc[2 * i] += Scale(left, gl);
            acc[2 * i + 1] += Scale(right, gr);
            pos += step;
            ++i;
        }
    }
    if (pos >= end && !loop) return true;
    return false;
}

}  // namespace

Mixer::Mixer() {
    freeSlots_.reserve(kMaxVoices);
    for (int i = kMaxVoices - 1; i >= 0; --i) freeSlots_.push_back(i);  // lowest slots first
    pending_.reserve(kMaxVoices);
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
    const int64_t loopGain = loopGain_.load(std::memory_order_relaxed);
    auto scaled = [loopGain](uint32_t control, int32_t gain) {
        return (control & VoiceSlot::kLoop) != 0 ? static_cast<int32_t>((gain * loopGain) >> 16) : gain;
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
        if ((control & VoiceSlot::kPlay) == 0 || sampleRate <= 0) continue;
        const uint64_t gains = slot.gains.load(std::memory_order_relaxed);
        const uint64_t step = (static_cast<uint64_t>(buffer->SampleRate()) << 32) / static_cast<uint32_t>(sampleRate);
        active_[activeCount++] = {s,
                                  buffer,
                                  control,
                                  std::max<uint64_t>(step, 1),
                                  scaled(control, static_cast<int32_t>(gains >> 32)),
                                  scaled(control, static_cast<int32_t>(gains & 0xFFFFFFFFu)),
                                  false};
    }

    for (int done = 0; done < frames;) {
        const int n = std::min(kChunkFrames, frames - done);
        std::memset(accumulator_.data(), 0, sizeof(int32_t) * 2 * static_cast<size_t>(n));
        for (int v = 0; v < activeCount; ++v) {
            Active& a = active_[v];
            if (a.ended) continue;
            const bool loop = (a.control & VoiceSlot::kLoop) != 0;
            uint64_t& pos = cursors_[a.slot].pos;
            a.ended = a.buffer->Channels() == 1
                          ? MixVoice<1>(*a.buffer, pos, a.step, loop, a.gainLeft, a.gainRight, accumulator_.data(), n)
                          : MixVoice<2>(*a.buffer, pos, a.step, loop, a.gainLeft, a.gainRight, accumulator_.data(), n);
        }
        int16_t* o = out + 2 * static_cast<size_t>(done);
        for (int i = 0; i < 2 * n; ++i) o[i] = static_cast<int16_t>(std::clamp(accumulator_[i], -32768, 32767));
        done += n;
    }

    for (int v = 0; v < activeCount; ++v) Publish(active_[v]);
    renderCount_.fetch_add(1, std::memory_order_seq_cst);
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
        const uint64_t frame = cursor.pos >> 32;
        slot.position.store(static_cast<uint32_t>(frame * a.buffer->BytesPerFrame()), std::memory_order_relaxed);
    }
}

}  // namespace audio
