// Mixing cost and start latency of the sound engine's mixer.
//
// BM_MixOneSecond/N: one second of output at 48000 Hz (94 device callbacks of
// 512 frames) with N looping voices of mixed formats and rates (those not at
// 22050 Hz are converted when their buffers are made, before the timing, as
// loading does). The time per iteration is the cost of a second of sound,
// conversion to 48000 Hz and limiting included; 1 s divided by it is the
// factor faster than real time.
//
// BM_StartLatency: a device thread pulls 512-frame buffers at the real pace of
// 48000 Hz; the program thread calls PlaySound at a random moment, noting the
// frames handed out so far, and the device reports the index of the first
// non-silent frame. The counters give the median and the maximum in frames.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "audio/Mixer.h"
#include "audio/MixerVoice.h"
#include "audio/SampleBuffer.h"
#include "audio/SoundEngine.h"
#include "tests/audio/AudioTestSupport.h"

namespace {

constexpr int kRate = 48000;
constexpr int kBufferFrames = 512;

std::shared_ptr<const audio::SampleBuffer> NoiseBuffer(uint32_t rate, uint16_t channels, uint16_t bits, int frames,
                                                       std::mt19937& rng) {
    std::uniform_int_distribution<int> sample(-20000, 20000);
    audiotest::WavSpec spec{rate, channels, bits, {}};
    for (int i = 0; i < frames * channels; ++i) spec.samples.push_back(static_cast<int16_t>(sample(rng)));
    return audiotest::BufferOf(audiotest::MakeWav(spec));
}

void BM_MixOneSecond(benchmark::State& state) {
    const int voiceCount = static_cast<int>(state.range(0));
    std::mt19937 rng(7);
    const uint32_t rates[] = {11025, 22050, 44100, 48000};
    audio::Mixer mixer;
    std::vector<std::unique_ptr<audio::MixerVoice>> voices;
    for (int i = 0; i < voiceCount; ++i) {
        const uint32_t rate = rates[i % 4];
        auto voice = mixer.CreateVoice(NoiseBuffer(rate, static_cast<uint16_t>(1 + i % 2), i % 3 == 0 ? 8 : 16,
                                                   static_cast<int>(rate / 3), rng));
        voice->SetPan((i * 1237) % 20001 - 10000);
        voice->SetVolume(-(i % 5) * 250);
        voice->Play(true);
        voices.push_back(std::move(voice));
    }
    std::vector<int16_t> out(2 * kBufferFrames);
    for (auto _ : state) {
        for (int done = 0; done < kRate; done += kBufferFrames) mixer.Render(out.data(), kBufferFrames, kRate);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["x_realtime"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MixOneSecond)->Arg(1)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_StartLatency(benchmark::State& state) {
    audiotest::FakeHost host;
    host.files.files["D:\\click.wav"] = audiotest::ConstantWav(200, 9000, 22050);
    CSoundEngine engine(1);
    engine.SetAudioConfig({kRate, kBufferFrames});
    engine.Create();
    auto sound = std::make_unique<CSound>(&engine, 5);
    sound->Load("D:\\click.wav");
    engine.AddSound(std::move(sound));

    std::atomic<bool> stop{false};
    std::atomic<int64_t> handedOut{0};       // frames the device has handed out
    std::atomic<int64_t> firstSounding{-1};  // index of the first non-silent frame, once seen
    std::atomic<bool> armed{false};
    std::thread device([&] {
        std::vector<int16_t> out(2 * kBufferFrames);
        const auto period = std::chrono::nanoseconds(1'000'000'000LL * kBufferFrames / kRate);
        auto next = std::chrono::steady_clock::now();
        while (!stop.load()) {
            host.backend.source->Render(out.data(), kBufferFrames, kRate);
            const int64_t base = handedOut.load();
            if (armed.load() && firstSounding.load() < 0) {
                for (int f = 0; f < kBufferFrames; ++f) {
                    if (out[2 * f] != 0) {
                        firstSounding.store(base + f);
                        break;
                    }
                }
            }
            handedOut.store(base + kBufferFrames);
            next += period;
            std::this_thread::sleep_until(next);
        }
    });

    std::mt19937 rng(3);
    std::uniform_int_distribution<int> waitUs(0, 1'000'000 * kBufferFrames / kRate);
    std::vector<int64_t> latencies;
    for (auto _ : state) {
        while (engine.IsSoundPlaying(5)) std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::microseconds(waitUs(rng)));
        firstSounding.store(-1);
        armed.store(true);
        const int64_t known = handedOut.load();
        engine.PlaySound(5, 0);
        while (firstSounding.load() < 0) std::this_thread::sleep_for(std::chrono::microseconds(50));
        armed.store(false);
        latencies.push_back(firstSounding.load() - known);
    }
    stop = true;
    device.join();
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_frames"] = static_cast<double>(latencies[latencies.size() / 2]);
    state.counters["max_frames"] = static_cast<double>(latencies.back());
    state.counters["buffer_frames"] = kBufferFrames;
}
BENCHMARK(BM_StartLatency)->Iterations(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
