#pragma once
// Fakes and helpers for the audio tests: in-memory WAV files, a host with
// fake dialogs, files, backend and sound timers, and a device whose mix the
// test renders by hand.

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "audio/SampleBuffer.h"
#include "audio/SoundTimers.h"
#include "audio/WavReader.h"
#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/Host.h"
#include "platform/Trace.h"
#include "platform/audio/AudioDevice.h"
#include "tests/support/HostFakes.h"

namespace audiotest {

using FakeDialogs = testsupport::RecordingDialogs;
using FakeFiles = testsupport::MemoryFiles;

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
inline void PutTag(std::vector<uint8_t>& v, const char* tag) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(tag[i]));
}

struct WavSpec {
    uint32_t rate = 22050;
    uint16_t channels = 1;
    uint16_t bits = 16;
    // Interleaved samples in 16-bit terms; 8-bit files store them as x / 256 + 128.
    std::vector<int16_t> samples;
};

// The bytes of a PCM WAV file: RIFF header, "fmt " and "data".
inline std::vector<uint8_t> MakeWav(const WavSpec& s) {
    std::vector<uint8_t> data;
    for (int16_t x : s.samples) {
        if (s.bits == 8)
            data.push_back(static_cast<uint8_t>(x / 256 + 128));
        else
            Put16(data, static_cast<uint16_t>(x));
    }
    const uint16_t block = static_cast<uint16_t>(s.channels * s.bits / 8);
    std::vector<uint8_t> w;
    PutTag(w, "RIFF");
    Put32(w, static_cast<uint32_t>(4 + 8 + 16 + 8 + data.size()));
    PutTag(w, "WAVE");
    PutTag(w, "fmt ");
    Put32(w, 16);
    Put16(w, 1);
    Put16(w, s.channels);
    Put32(w, s.rate);
    Put32(w, s.rate * block);
    Put16(w, block);
    Put16(w, s.bits);
    PutTag(w, "data");
    Put32(w, static_cast<uint32_t>(data.size()));
    w.insert(w.end(), data.begin(), data.end());
    return w;
}

// `frames` frames of a constant level on every channel.
inline std::vector<uint8_t> ConstantWav(int frames, int16_t level, uint32_t rate = 22050, uint16_t channels = 1,
                                        uint16_t bits = 16) {
    return MakeWav({rate, channels, bits, std::vector<int16_t>(static_cast<size_t>(frames) * channels, level)});
}

// The mixer's buffer of a WAV file's bytes; null when they do not play.
inline std::shared_ptr<const audio::SampleBuffer> BufferOf(const std::vector<uint8_t>& wav) {
    audio::WavReader reader(wav);
    audio::WavFormat format;
    std::span<const uint8_t> data;
    if (reader.ReadFormat(format) != audio::kWavOk || reader.FindData(data) != audio::kWavOk) return nullptr;
    return audio::SampleBuffer::Create(format, data);
}

class FakeDevice : public plat::AudioDevice {
public:
    explicit FakeDevice(const plat::AudioConfig& c) : config(c) {}
    int SampleRate() const override { return config.sampleRate; }
    int BufferFrames() const override { return config.bufferFrames; }
    plat::AudioConfig config;
};

class FakeBackend : public plat::Backend {
public:
    void Present(const uint32_t*, int, int) override {}
    void PollInput(std::vector<plat::InputEvent>&) override {}
    void WaitInput(uint32_t) override {}
    bool ReadScreen(std::vector<uint32_t>&, int&, int&) override { return false; }
    std::unique_ptr<plat::AudioDevice> OpenAudio(plat::AudioSource& s, const plat::AudioConfig& config) override {
        if (refuse) return nullptr;
        source = &s;
        opened = config;
        return std::make_unique<FakeDevice>(config);
    }
    // Renders `frames` stereo frames from the opened source at the opened rate.
    std::vector<int16_t> Render(int frames) {
        std::vector<int16_t> out(2 * static_cast<size_t>(frames));
        source->Render(out.data(), frames, opened.sampleRate);
        return out;
    }
    bool refuse = false;
    plat::AudioSource* source = nullptr;
    plat::AudioConfig opened;
};

class FakeTimers : public SoundTimers {
public:
    void SetSoundTimer(int id, uint32_t periodMs) override { timers.emplace_back(id, periodMs); }
    std::vector<std::pair<int, uint32_t>> timers;
};

// A host made of the fakes above, set as the current host for its lifetime.
struct FakeHost {
    FakeHost() {
        host.dialogs = &dialogs;
        host.files = &files;
        host.clock = &clock;
        host.backend = &backend;
        host.trace = &trace;
        plat::SetHost(&host);
    }
    ~FakeHost() { plat::SetHost(nullptr); }
    // Trace lines without their time stamps.
    std::vector<std::string> TraceText() const {
        std::vector<std::string> out;
        for (const std::string& line : trace.Lines()) out.push_back(line.substr(line.find(' ') + 1));
        return out;
    }

    FakeDialogs dialogs;
    FakeFiles files;
    plat::ManualClock clock;
    FakeBackend backend;
    plat::Trace trace{clock};
    plat::Host host;
};

// Largest absolute sample of one channel (0 left, 1 right) of interleaved stereo.
inline int Peak(const std::vector<int16_t>& stereo, int channel) {
    int peak = 0;
    for (size_t i = static_cast<size_t>(channel); i < stereo.size(); i += 2)
        peak = std::max(peak, std::abs(int(stereo[i])));
    return peak;
}

}  // namespace audiotest
