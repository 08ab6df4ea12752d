// The sound engine and mixer with a real audio thread, built with
// ThreadSanitizer (tests/audio/extra.cmake): the window thread loads, plays,
// duplicates, stops, loops, turns down and releases sounds while a device
// thread keeps pulling the mix, as SDL's audio callback does. A race or a
// lock-order problem is a sanitizer report, which fails the run; so does a
// device thread that never got to render while the sounds changed.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/SoundEngine.h"
#include "tests/audio/AudioTestSupport.h"

namespace {

// Pulls the mix on its own thread from opening to closing.
class ThreadDevice final : public plat::AudioDevice {
public:
    ThreadDevice(plat::AudioSource& source, const plat::AudioConfig& config, std::atomic<long>& renders)
        : config_(config), thread_([this, &source, &renders] {
              std::vector<int16_t> buffer(2 * static_cast<size_t>(config_.bufferFrames));
              while (!stop_.load(std::memory_order_acquire)) {
                  source.Render(buffer.data(), config_.bufferFrames, config_.sampleRate);
                  renders.fetch_add(1, std::memory_order_relaxed);
                  std::this_thread::yield();
              }
          }) {}
    ~ThreadDevice() override {
        stop_.store(true, std::memory_order_release);
        thread_.join();
    }
    int SampleRate() const override { return config_.sampleRate; }
    int BufferFrames() const override { return config_.bufferFrames; }

private:
    plat::AudioConfig config_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class ThreadBackend final : public audiotest::FakeBackend {
public:
    std::unique_ptr<plat::AudioDevice> OpenAudio(plat::AudioSource& s, const plat::AudioConfig& config) override {
        return std::make_unique<ThreadDevice>(s, config, renders);
    }
    std::atomic<long> renders{0};
};

int Fail(const char* why) {
    std::fprintf(stderr, "audio threads: %s\n", why);
    return 1;
}

}  // namespace

int main() {
    audiotest::FakeHost fake;
    ThreadBackend backend;
    fake.host.backend = &backend;
    fake.host.trace = nullptr;
    for (int id = 1; id <= 8; ++id)  // 5 ms to 40 ms, so plays end while others start
        fake.files.files["s" + std::to_string(id) + ".wav"] = audiotest::ConstantWav(110 * id, static_cast<int16_t>(900 * id));
    fake.files.files["loop.wav"] = audiotest::ConstantWav(2205, 3000, 22050, 2);

    long rendersDuringRounds = 0;
    {
        CSoundEngine engine(7);
        engine.SetAudioConfig({48000, 128});
        if (!engine.Create()) return Fail("no device");
        const long before = backend.renders.load();
        for (int round = 0; round < 400; ++round) {
            for (int id = 1; id <= 8; ++id) {
                auto sound = std::make_unique<CSound>(&engine, id);
                if (!sound->Load("s" + std::to_string(id) + ".wav")) return Fail("a sound did not load");
                sound->SetPan((id - 4) * 1000);
                engine.AddSound(std::move(sound));
            }
            engine.AddLoop("loop.wav", 500, -2000);
            engine.StartLoop(500);
            std::vector<int> duplicates;
            for (int id = 1; id <= 8; ++id) {
                engine.PlaySound(id, 0);
                if (CSound* dup = engine.PlayDuplicate(*engine.FindSound(id))) duplicates.push_back(dup->Id());
            }
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            engine.SetVolumeLevel(round % 5 + 1);
            for (int dup : duplicates) engine.StopSound(dup);  // deletes the duplicate
            engine.RemoveSound(round % 8 + 1);
            engine.PlayRandomSound();
            if (round % 3 == 0) engine.StopLoop(500);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            engine.Clear();  // every scene sound and loop released while the device renders
        }
        rendersDuringRounds = backend.renders.load() - before;
    }  // the device closes before the mixer goes
    if (rendersDuringRounds < 100) return Fail("the device thread hardly rendered while the sounds changed");
    std::printf("audio threads: %ld renders while 400 rounds of sounds came and went\n", rendersDuringRounds);
    return 0;
}
