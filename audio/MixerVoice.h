#pragma once
// A voice of the Mixer: one sound's buffer with its own play cursor, volume,
// pan and looping, like a secondary buffer of the host's sound service.
// Window thread only. Destroying it silences it at once. The Mixer must
// outlive it.

#include <cstdint>
#include <memory>

#include "audio/SampleBuffer.h"

namespace audio {

class Mixer;

class MixerVoice {
public:
    ~MixerVoice();
    MixerVoice(const MixerVoice&) = delete;
    MixerVoice& operator=(const MixerVoice&) = delete;

    // Plays from the current cursor; a one-shot stops at its end with its
    // cursor back at 0, a looping voice wraps to the start without a gap.
    // Playing a voice that plays already only changes its looping.
    void Play(bool loop);
    // Stops where it is; the cursor stays.
    void Stop();

    // Hundredths of a decibel (see Gain.h); clamped to the valid range.
    void SetVolume(int volume);
    int Volume() const { return volume_; }
    void SetPan(int pan);
    int Pan() const { return pan_; }

    // The play cursor in the file's bytes as the device last mixed it; 0
    // before the first play and once a one-shot has played to its end.
    uint32_t PlayPosition() const;
    // Started and not yet at its end, or stopped with its cursor not at 0.
    // A start counts at once, before the device has mixed a frame of it (the
    // host's mixer takes a started buffer up at once too).
    bool IsPlaying() const;

    // A new stopped voice sharing this one's samples, with its volume and
    // pan. Null when the mixer has no free voice.
    std::unique_ptr<MixerVoice> Duplicate() const;

    const SampleBuffer& Buffer() const { return *buffer_; }

private:
    friend class Mixer;
    MixerVoice(Mixer& mixer, int slot, std::shared_ptr<const SampleBuffer> buffer);
    void SetControl(uint32_t flags);
    void PublishGains();

    Mixer& mixer_;
    int slot_;
    std::shared_ptr<const SampleBuffer> buffer_;
    int volume_ = 0;
    int pan_ = 0;
};

}  // namespace audio
