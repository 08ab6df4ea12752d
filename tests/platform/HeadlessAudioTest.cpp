#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/headless/HeadlessAudioDevice.h"
#include "platform/headless/HeadlessBackend.h"

namespace plat {
namespace {

// Numbers every frame it renders, so lost or doubled frames show.
class CountingSource final : public AudioSource {
public:
    void Render(int16_t* out, int frames, int sampleRate) override {
        EXPECT_EQ(sampleRate, 48000);
        for (int i = 0; i < frames; ++i) {
            out[2 * i] = static_cast<int16_t>(next_ & 0x7FFF);
            out[2 * i + 1] = static_cast<int16_t>(-(next_ & 0x7FFF));
            ++next_;
        }
        ++calls;
        maxFrames = std::max(maxFrames, frames);
    }
    int calls = 0;
    int maxFrames = 0;

private:
    int64_t next_ = 0;
};

TEST(HeadlessAudio, RendersExactlyTheFramesOfTheElapsedTimeOverManySmallAdvances) {
    ManualClock clock;
    CountingSource source;
    HeadlessBackend backend(clock);
    std::unique_ptr<AudioDevice> device = backend.OpenAudio(source, AudioConfig{48000, 256});
    auto* headless = dynamic_cast<HeadlessAudioDevice*>(device.get());
    ASSERT_NE(headless, nullptr);
    // 1000 ms in uneven steps, including zero-length ones.
    uint32_t total = 0;
    for (uint32_t step : {0u, 1u, 3u, 7u, 16u, 0u, 33u}) {
        for (int i = 0; i < 10; ++i) {
            clock.Advance(step);
            total += step;
        }
    }
    clock.Advance(1000 - total);
    EXPECT_EQ(headless->FramesRendered(), 48000u);
    ASSERT_EQ(headless->Mixed().size(), 96000u);
    for (size_t i = 0; i < 48000; i += 997) EXPECT_EQ(headless->Mixed()[2 * i], static_cast<int16_t>(i & 0x7FFF));
    EXPECT_LE(source.maxFrames, 256);  // never more than a buffer at a time
    device.reset();
    clock.Advance(10);  // the device is gone: nothing renders, nothing crashes
    EXPECT_EQ(source.calls > 0, true);
}

TEST(HeadlessAudio, CarriesFractionalFramesAtRatesThatDoNotDivideEvenly) {
    ManualClock clock;
    struct Silent final : AudioSource {
        void Render(int16_t* out, int frames, int) override { std::fill(out, out + 2 * frames, int16_t{0}); }
    } source;
    HeadlessAudioDevice device(clock, source, AudioConfig{44100, 512});
    for (int i = 0; i < 300; ++i) clock.Advance(7);  // 2100 ms
    EXPECT_EQ(device.FramesRendered(), 2100u * 44100u / 1000u);
}

TEST(HeadlessAudio, WritesAWavFileWithItsSizesFilledIn) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("plinkpad-audio-" + std::to_string(::getpid()) + ".wav")).string();
    {
        ManualClock clock;
        CountingSource source;
        HeadlessAudioDevice device(clock, source, AudioConfig{48000, 512}, path, false);
        ASSERT_TRUE(device.WavOpen());
        clock.Advance(10);  // 480 frames
        EXPECT_TRUE(device.Mixed().empty());
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), 44u + 480u * 4u);
    auto u32 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(u32(4), 36u + 1920u);
    EXPECT_EQ(u32(24), 48000u);
    EXPECT_EQ(u32(40), 1920u);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace plat
