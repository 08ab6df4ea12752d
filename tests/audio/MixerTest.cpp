#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "AudioTestSupport.h"
#include "audio/Limiter.h"
#include "audio/Mixer.h"
#include "audio/MixerVoice.h"
#include "audio/SampleBuffer.h"

namespace audio {
namespace {

using audiotest::BufferOf;
using audiotest::ConstantWav;
using audiotest::MakeWav;
using audiotest::Peak;

std::vector<int16_t> RenderRaw(Mixer& mixer, int frames, int rate = kMixRate) {
    std::vector<int16_t> out(2 * static_cast<size_t>(frames), 12345);  // garbage the mix must overwrite
    mixer.Render(out.data(), frames, rate);
    return out;
}

// At the mixer's own rate nothing is converted: what is heard is the sum,
// behind the voices' cursors by the limiter's look-ahead.
class MixerTest : public ::testing::Test {
protected:
    std::unique_ptr<MixerVoice> Voice(const std::vector<uint8_t>& wav) {
        auto voice = mixer.CreateVoice(BufferOf(wav));
        EXPECT_NE(voice, nullptr);
        return voice;
    }
    // The next `frames` frames heard; the first call also takes up the
    // look-ahead, so that heard frame n is the frame the voices mixed n-th.
    std::vector<int16_t> Render(int frames) {
        const int skip = primed_ ? 0 : Lag();
        primed_ = true;
        std::vector<int16_t> out = RenderRaw(mixer, frames + skip);
        out.erase(out.begin(), out.begin() + 2 * skip);
        return out;
    }
    // Frames the voices' cursors are ahead of what has been heard.
    int Lag() const { return mixer.LatencyFrames(); }

    Mixer mixer{kMixRate};
    bool primed_ = false;
};

TEST_F(MixerTest, PanAttenuatesOneSideOnlyAndVolumeScalesBoth) {
    struct Case {
        int volume, pan;
        double left, right;  // expected gains
    } cases[] = {
        {0, 0, 1.0, 1.0},
        {0, -10000, 1.0, 0.0},   // right channel silent
        {0, 10000, 0.0, 1.0},    // left channel silent
        {-600, 0, 0.501, 0.501}, // -6 dB halves the amplitude
        {-600, 600, 0.251, 0.501},
        {-10000, 0, 0.0, 0.0},
    };
    auto voice = Voice(ConstantWav(4000, 20000));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        voice->SetVolume(c.volume);
        voice->SetPan(c.pan);
        voice->Stop();
        voice->Play(true);
        Render(Lag());  // the case before still sounds
        const auto out = Render(1000);
        EXPECT_NEAR(Peak(out, 0), 20000 * c.left, 20000 * c.left * 0.02 + 0.5);
        EXPECT_NEAR(Peak(out, 1), 20000 * c.right, 20000 * c.right * 0.02 + 0.5);
    }
}

TEST(MixerSum, VoicesSumInAnyOrderAndLoudSumsAreLimitedInsteadOfWrapping) {
    const int ceiling = static_cast<int>(Limiter::kCeiling * 32768);
    struct Case {
        int16_t a, b;
        int expected;  // once the limiter has settled
    } cases[] = {
        {1000, 2000, 3000},
        {-1200, 200, -1000},
        {30000, 30000, ceiling},  // would wrap negative in 16 bits
        {-30000, -30000, -ceiling},
    };
    for (const Case& c : cases) {
        std::vector<int16_t> outputs[2];
        for (int order = 0; order < 2; ++order) {
            Mixer mixer(kMixRate);
            auto first = mixer.CreateVoice(BufferOf(ConstantWav(2000, order == 0 ? c.a : c.b)));
            auto second = mixer.CreateVoice(BufferOf(ConstantWav(2000, order == 0 ? c.b : c.a)));
            first->Play(false);
            second->Play(false);
            outputs[order] = RenderRaw(mixer, 1000);
        }
        EXPECT_EQ(outputs[0], outputs[1]);
        for (size_t f = 100; f < 1000; ++f) ASSERT_NEAR(outputs[0][2 * f], c.expected, 1) << c.a << " + " << c.b;
    }
}

TEST_F(MixerTest, LoopWrapsWithoutAGapAcrossRenderCalls) {
    std::vector<int16_t> ramp;
    for (int i = 0; i < 97; ++i) ramp.push_back(static_cast<int16_t>(100 + 37 * i));
    auto voice = Voice(MakeWav({22050, 1, 16, ramp}));
    voice->Play(true);
    std::vector<int16_t> all;
    for (int call = 0; call < 7; ++call) {  // odd call sizes cross the loop point at varying offsets
        const auto out = Render(61 + call * 13);
        all.insert(all.end(), out.begin(), out.end());
    }
    for (size_t f = 0; f < all.size() / 2; ++f) ASSERT_EQ(all[2 * f], ramp[f % ramp.size()]) << "frame " << f;
    EXPECT_TRUE(voice->IsPlaying());
}

TEST_F(MixerTest, OneShotStopsAtItsEndWithPositionBackAtZero) {
    auto voice = Voice(ConstantWav(1000, 5000));  // 16-bit mono: 2 bytes a frame
    EXPECT_FALSE(voice->IsPlaying());
    voice->Play(false);
    EXPECT_TRUE(voice->IsPlaying()) << "a start counts before the device mixes it";
    Render(400);
    EXPECT_EQ(voice->PlayPosition(), 2u * (400 + Lag()));
    EXPECT_TRUE(voice->IsPlaying());
    const auto out = Render(700);
    for (int f = 0; f < 600; ++f) ASSERT_EQ(out[2 * f], 5000) << f;
    for (int f = 600; f < 700; ++f) ASSERT_EQ(out[2 * f], 0) << f;
    EXPECT_EQ(voice->PlayPosition(), 0u);
    EXPECT_FALSE(voice->IsPlaying());
    voice->Play(false);  // plays again from the start
    Render(10);
    EXPECT_EQ(voice->PlayPosition(), 20u);
}

TEST_F(MixerTest, StopKeepsTheCursorAndReleaseSilencesAtOnce) {
    auto voice = Voice(ConstantWav(5000, 7000));
    voice->Play(false);
    Render(100);
    voice->Stop();
    Render(Lag());  // what was mixed before the stop
    EXPECT_EQ(Peak(Render(100), 0), 0);
    EXPECT_EQ(voice->PlayPosition(), 2u * (100 + Lag()));
    voice->Play(false);
    Render(Lag());
    EXPECT_EQ(Peak(Render(100), 0), 7000);
    EXPECT_EQ(voice->PlayPosition(), 2u * (200 + 2 * Lag()));
    voice.reset();
    Render(Lag());
    EXPECT_EQ(Peak(Render(100), 0), 0);
}

TEST_F(MixerTest, LoopGainScalesLoopingVoicesOnlyAndPlayingVoicesAreCountedByKind) {
    auto loop = Voice(ConstantWav(100, 8000));
    auto shot = Voice(ConstantWav(300, 1000));
    auto stopped = Voice(ConstantWav(300, 1000));
    loop->Play(true);
    shot->Play(false);
    stopped->Play(false);
    stopped->Stop();
    EXPECT_EQ(mixer.CountPlaying().loops, 1);
    EXPECT_EQ(mixer.CountPlaying().oneShots, 1);
    mixer.SetLoopGain(0.25);
    EXPECT_EQ(Render(10)[0], 2000 + 1000);
    mixer.SetLoopGain(0);
    EXPECT_EQ(Render(Lag() + 10)[2 * Lag()], 1000);
    Render(300);  // the one-shot ends; the silenced loop goes on
    EXPECT_EQ(mixer.CountPlaying().oneShots, 0);
    EXPECT_EQ(mixer.CountPlaying().loops, 1);
}

TEST_F(MixerTest, DuplicateSharesSamplesWithItsOwnCursorAndTheOriginalsParameters) {
    auto voice = Voice(ConstantWav(1000, 10000));
    voice->SetVolume(-600);
    voice->SetPan(-10000);
    auto copy = voice->Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(&copy->Buffer(), &voice->Buffer());
    EXPECT_EQ(copy->Volume(), -600);
    EXPECT_EQ(copy->Pan(), -10000);
    voice->Play(false);
    Render(500);
    copy->Play(false);
    const auto out = Render(Lag() + 300);
    EXPECT_NEAR(out[2 * Lag()], 2 * 5012, 4);  // both play: 0.501 * 10000 each
    EXPECT_EQ(Peak(out, 1), 0);
    EXPECT_EQ(copy->PlayPosition(), 2u * (300 + Lag()));
    voice.reset();  // the copy keeps the shared samples alive
    EXPECT_NEAR(Render(Lag() + 10)[2 * Lag()], 5012, 2);
}

// Every supported format plays at its own rate: one at another rate than the
// mixer's is converted when loaded, band-limited, so a level stays that level
// (the filter rings only at the edges).
TEST(MixerFormats, FormatsAndRatesConvertToTheMixersRate) {
    for (uint16_t bits : {8, 16}) {
        for (uint16_t channels : {1, 2}) {
            for (uint32_t rate : {11025u, 22050u, 44100u}) {
                SCOPED_TRACE(testing::Message() << bits << " bit, " << channels << " ch, " << rate << " Hz");
                Mixer mixer(kMixRate);
                const int frames = static_cast<int>(rate / 10);  // 100 ms
                std::vector<int16_t> samples;
                for (int f = 0; f < frames; ++f) {
                    samples.push_back(8192);                      // left (or mono)
                    if (channels == 2) samples.push_back(-16384);  // right
                }
                auto voice = mixer.CreateVoice(BufferOf(MakeWav({rate, channels, bits, samples})));
                ASSERT_NE(voice, nullptr);
                voice->Play(false);
                const auto out = RenderRaw(mixer, kMixRate / 5);
                const int tolerance = rate == kMixRate ? 0 : 2;
                int sounding = 0, level = 0;
                for (size_t f = 0; f < out.size() / 2; ++f) {
                    if (std::abs(out[2 * f]) > 4096) ++sounding;  // above half the level
                    if (std::abs(out[2 * f] - 8192) > tolerance) continue;
                    ++level;
                    ASSERT_NEAR(out[2 * f + 1], channels == 2 ? -16384 : 8192, 3 * tolerance) << f;
                }
                EXPECT_NEAR(sounding, kMixRate / 10, 2);
                EXPECT_GT(level, kMixRate / 10 - 60);
                EXPECT_FALSE(voice->IsPlaying());
            }
        }
    }
}

// Converting costs in proportion to the result: absurd rates and results
// longer than ten minutes are refused instead.
TEST(MixerFormats, ConversionRefusesTinyRatesAndOverlongResults) {
    struct Case {
        uint32_t rate;
        int frames;
        uint32_t converted;  // 0: refused
    } cases[] = {
        {999, 100, 0},
        {1000, 100, 2205},
        {1000, 600 * 1000 + 1, 0},  // a frame more than ten minutes
        {384000, 384, 23},           // a millisecond, rounded up to whole frames
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.frames << " frames");
        const auto buffer = BufferOf(ConstantWav(c.frames, 100, c.rate, 1, 8));
        EXPECT_EQ(buffer ? buffer->Frames() : 0u, c.converted);
    }
}

TEST_F(MixerTest, VoiceTableRunsOutAndRefillsAfterRelease) {
    const auto samples = BufferOf(ConstantWav(10, 1));
    std::vector<std::unique_ptr<MixerVoice>> voices;
    for (int i = 0; i < Mixer::kMaxVoices; ++i) voices.push_back(mixer.CreateVoice(samples));
    EXPECT_EQ(mixer.CreateVoice(samples), nullptr);
    voices.pop_back();
    EXPECT_NE(mixer.CreateVoice(samples), nullptr);
}

// The window thread starts and releases voices while a device thread renders;
// under the sanitizers this catches a Render that reads freed samples.
TEST_F(MixerTest, VoicesComeAndGoWhileTheDeviceRenders) {
    std::atomic<bool> stop{false};
    std::atomic<int> renders{0};
    std::thread device([&] {
        std::vector<int16_t> out(2 * 256);
        while (!stop.load()) {
            mixer.Render(out.data(), 256, kMixRate);
            renders.fetch_add(1);
        }
    });
    std::vector<std::unique_ptr<MixerVoice>> live;
    for (int i = 0; i < 3000; ++i) {
        const auto samples = BufferOf(ConstantWav(50 + i % 200, 3000, 11025 * (1 + i % 4)));
        std::unique_ptr<MixerVoice> voice;
        // Released voices come back once the Render that may see them ends.
        while (!(voice = mixer.CreateVoice(samples))) std::this_thread::yield();
        voice->Play(i % 3 == 0);
        live.push_back(std::move(voice));
        if (live.size() > 40) live.erase(live.begin() + (i * 7) % 40);
    }
    while (renders.load() < 50) std::this_thread::yield();
    live.clear();
    stop = true;
    device.join();
    Render(Lag());
    EXPECT_EQ(Peak(Render(64), 0), 0);
}

}  // namespace
}  // namespace audio
