#include "audio/MixerVoice.h"

#include <algorithm>

#include "audio/Gain.h"
#include "audio/Mixer.h"

namespace audio {

MixerVoice::MixerVoice(Mixer& mixer, int slot, std::shared_ptr<const SampleBuffer> buffer)
    : mixer_(mixer), slot_(slot), buffer_(std::move(buffer)) {}

MixerVoice::~MixerVoice() { mixer_.Release(slot_, std::move(buffer_)); }

void MixerVoice::SetControl(uint32_t flags) {
    std::atomic<uint32_t>& control = mixer_.slots_[slot_].control;
    uint32_t current = control.load(std::memory_order_relaxed);
    // Render may clear the play bit concurrently; the new sequence wins either way.
    while (!control.compare_exchange_weak(current, ((current & ~3u) + VoiceSlot::kSeqStep) | flags,
                                          std::memory_order_release, std::memory_order_relaxed)) {
    }
}

void MixerVoice::Play(bool loop) { SetControl(VoiceSlot::kPlay | (loop ? VoiceSlot::kLoop : 0u)); }

void MixerVoice::Stop() { SetControl(0); }

void MixerVoice::PublishGains() {
    const StereoGain g = GainsFor(volume_, pan_);
    mixer_.slots_[slot_].gains.store((static_cast<uint64_t>(static_cast<uint32_t>(g.left)) << 32) |
                                         static_cast<uint32_t>(g.right),
                                     std::memory_order_relaxed);
}

void MixerVoice::SetVolume(int volume) {
    volume_ = std::clamp(volume, kVolumeMin, kVolumeMax);
    PublishGains();
}

void MixerVoice::SetPan(int pan) {
    pan_ = std::clamp(pan, kPanLeft, kPanRight);
    PublishGains();
}

uint32_t MixerVoice::PlayPosition() const {
    return mixer_.slots_[slot_].position.load(std::memory_order_acquire);
}

bool MixerVoice::IsPlaying() const {
    const VoiceSlot& s = mixer_.slots_[slot_];
    // Render clears the play bit (release) after it has set the cursor to 0.
    if ((s.control.load(std::memory_order_acquire) & VoiceSlot::kPlay) != 0) return true;
    return s.position.load(std::memory_order_relaxed) != 0;
}

std::unique_ptr<MixerVoice> MixerVoice::Duplicate() const {
    std::unique_ptr<MixerVoice> copy = mixer_.CreateVoice(buffer_);
    if (copy) {
        copy->volume_ = volume_;
        copy->pan_ = pan_;
        copy->PublishGains();
    }
    return copy;
}

}  // namespace audio
