// The sound output going away while the program plays, on a port that the
// test opens, closes and refuses by hand, with the real mixer behind it.
#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "audio/Mixer.h"
#include "audio/MixerVoice.h"
#include "platform/audio/ReopeningAudioDevice.h"

namespace {

using plat::ReopeningAudioDevice;

// A host output that the test controls; Render runs only when the test says.
class FakePort final : public plat::AudioPort {
public:
    struct State {
        bool refuse = false;
        bool open = false;
        int opens = 0;
        int closes = 0;
        plat::AudioSource* source = nullptr;
    };
    explicit FakePort(State& s) : s_(s) {}
    int Open(plat::AudioSource& source, const plat::AudioConfig& config) override {
        ++s_.opens;
        if (s_.refuse) return 0;
        s_.open = true;
        s_.source = &source;
        return config.bufferFrames;
    }
    void Close() override {
        if (!s_.open) return;
        s_.open = false;
        ++s_.closes;
    }

private:
    State& s_;
};

// Unplugged while a sound plays: no hang, the sound still ends on time in
// silence, and retries (on the host's word or every kRetryMs) bring the
// default output back without a second renderer.
TEST(DeviceLossTest, PlaysOnSilentlyAndReopensWhenAnOutputIsBack) {
    audio::Mixer mixer(48000);
    plat::ManualClock clock;
    FakePort::State port;
    ReopeningAudioDevice device(std::make_unique<FakePort>(port), mixer, {48000, 480}, clock);
    ASSERT_TRUE(device.Ok());
    EXPECT_EQ(port.opens, 1);

    auto voice = mixer.CreateVoice(audiotest::BufferOf(audiotest::ConstantWav(22050 / 2, 8000)));  // 500 ms
    voice->Play(false);
    std::vector<int16_t> out(2 * 480);
    for (int i = 0; i < 10; ++i) port.source->Render(out.data(), 480, 48000);  // 100 ms on the host's thread
    EXPECT_TRUE(voice->IsPlaying());

    device.OnRemoved();
    EXPECT_FALSE(port.open) << "closed before the window thread renders";
    EXPECT_EQ(port.closes, 1);
    port.refuse = true;
    clock.Advance(300);
    device.Poll();
    EXPECT_TRUE(voice->IsPlaying()) << "400 ms of 500 played";
    clock.Advance(200);
    device.Poll();
    EXPECT_FALSE(voice->IsPlaying()) << "ended in silence after its length";
    EXPECT_EQ(port.opens, 1) << "no retry before kRetryMs";

    device.OnAdded();  // the host reports an output, which refuses still
    EXPECT_EQ(port.opens, 2);
    clock.Advance(ReopeningAudioDevice::kRetryMs);
    device.Poll();
    EXPECT_EQ(port.opens, 3);
    EXPECT_FALSE(device.Ok());

    // Played while lost: it runs its length too.
    voice->Play(false);
    clock.Advance(250);
    device.Poll();
    EXPECT_TRUE(voice->IsPlaying());
    port.refuse = false;
    clock.Advance(ReopeningAudioDevice::kRetryMs);
    device.Poll();
    EXPECT_TRUE(device.Ok());
    EXPECT_TRUE(port.open);
    EXPECT_EQ(port.opens, 4);
    EXPECT_FALSE(voice->IsPlaying());

    // Back on the host's thread; the window thread renders no more.
    voice->Play(false);
    clock.Advance(ReopeningAudioDevice::kRetryMs);
    device.Poll();
    EXPECT_TRUE(voice->IsPlaying());
    port.source->Render(out.data(), 480, 48000);
    EXPECT_GT(audiotest::Peak(out, 0), 0);

    device.OnRemoved();
    device.OnRemoved();  // a second report of the same loss
    EXPECT_EQ(port.closes, 2);
    port.refuse = false;
    device.OnAdded();
    EXPECT_TRUE(device.Ok());
    EXPECT_EQ(port.opens, 5);
}

// A stall (a suspended machine) catches up by at most kMaxCatchUpMs at once.
TEST(DeviceLossTest, ALongStallRendersABoundedCatchUp) {
    struct Counter final : plat::AudioSource {
        void Render(int16_t*, int n, int) override { frames += n; }
        long frames = 0;
    } source;
    plat::ManualClock clock;
    FakePort::State port;
    ReopeningAudioDevice device(std::make_unique<FakePort>(port), source, {22050, 256}, clock);
    device.OnRemoved();
    port.refuse = true;
    clock.Advance(3 * 3600 * 1000);
    device.Poll();
    EXPECT_EQ(source.frames, 22050L * ReopeningAudioDevice::kMaxCatchUpMs / 1000);
    clock.Advance(7);
    device.Poll();
    clock.Advance(3);
    device.Poll();
    EXPECT_EQ(source.frames, 22050L * ReopeningAudioDevice::kMaxCatchUpMs / 1000 + 220);
}

}  // namespace
