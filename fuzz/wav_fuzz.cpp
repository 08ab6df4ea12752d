// Feeds arbitrary bytes to the WAV reader and, when they make a playable
// sound, plays it through the mixer (looping, so short and odd-rate buffers
// wrap many times inside one render).
#include <cstddef>
#include <cstdint>
#include <span>

#include "audio/Mixer.h"
#include "audio/MixerVoice.h"
#include "audio/SampleBuffer.h"
#include "audio/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // One mixer for each of the output rates below.
    static audio::Mixer mixers[] = {audio::Mixer(8000), audio::Mixer(18000), audio::Mixer(28000),
                                    audio::Mixer(38000), audio::Mixer(48000)};
    audio::Mixer& mixer = mixers[size % 5];
    std::span<const uint8_t> file(bytes, size);
    audio::WavReader reader(file);
    audio::WavFormat format;
    if (reader.ReadFormat(format) != audio::kWavOk) return 0;
    std::span<const uint8_t> data;
    if (reader.FindData(data) != audio::kWavOk) return 0;
    (void)audio::WavLengthMs(format, data.size());
    auto samples = audio::SampleBuffer::Create(format, data);
    if (!samples) return 0;
    auto voice = mixer.CreateVoice(samples);
    if (!voice) return 0;
    voice->SetPan(static_cast<int>(size % 20001) - 10000);
    voice->Play(size % 2 == 0);
    int16_t out[2 * 300];
    mixer.Render(out, 300, mixer.OutputRate());
    (void)voice->PlayPosition();
    return 0;
}
