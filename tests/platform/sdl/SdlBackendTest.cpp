// The SDL2 backend against a real X server (run under xvfb-run by ctest).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/audio/AudioDevice.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/window/Keys.h"

namespace plat {
namespace {

class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
};

TEST_F(SdlBackendTest, PresentsAFrameThatReadScreenShowsScaledAndCentred) {
    SdlOptions o;
    o.desktopWidth = 64;
    o.desktopHeight = 48;
    o.windowed = true;
    SdlBackend backend(o);
    ASSERT_TRUE(backend.Ok()) << backend.Error();
    std::vector<uint32_t> frame(64 * 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) frame[static_cast<size_t>(y * 64 + x)] = x < 32 ? 0xFF0000u : 0x0000FFu;
    std::vector<uint32_t> shown;
    int w = 0, h = 0;
    EXPECT_FALSE(backend.ReadScreen(shown, w, h));  // nothing presented yet
    backend.Present(frame.data(), 64, 48);
    ASSERT_TRUE(backend.ReadScreen(shown, w, h));
    ASSERT_EQ(shown.size(), static_cast<size_t>(w) * static_cast<size_t>(h));
    const int scale = std::min(w / 64, h / 48);
    ASSERT_GE(scale, 1);
    const int x0 = (w - 64 * scale) / 2, y0 = (h - 48 * scale) / 2;
    auto at = [&](int x, int y) { return shown[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)]; };
    EXPECT_EQ(at(x0 + 10 * scale, y0 + 20 * scale), 0xFF0000u);
    EXPECT_EQ(at(x0 + 50 * scale, y0 + 20 * scale), 0x0000FFu);
    EXPECT_EQ(at(x0 + 32 * scale - 1, y0), 0xFF0000u);  // nearest neighbour: no blended edge
    EXPECT_EQ(at(x0 + 32 * scale, y0), 0x0000FFu);
    if (x0 > 0) {
        EXPECT_EQ(at(x0 - 1, y0), 0u);  // black around
    }
}

TEST_F(SdlBackendTest, WarpedPointerComesBackAsAMoveAtTheSameDesktopPixel) {
    SdlOptions o;
    o.desktopWidth = 64;
    o.desktopHeight = 48;
    o.windowed = true;
    SdlBackend backend(o);
    ASSERT_TRUE(backend.Ok()) << backend.Error();
    std::vector<uint32_t> frame(64 * 48, 0);
    backend.Present(frame.data(), 64, 48);
    backend.WarpPointer({17, 29});
    std::vector<InputEvent> events;
    for (int i = 0; i < 50 && events.empty(); ++i) {
        backend.WaitInput(20);
        backend.PollInput(events);
        std::erase_if(events, [](const InputEvent& e) { return e.type != InputEvent::Type::MouseMove; });
    }
    if (events.empty()) GTEST_SKIP() << "the X server reported no pointer motion";
    EXPECT_EQ(events.back().pos, (Point{17, 29}));
}

TEST_F(SdlBackendTest, OpensTheDefaultOutputAndPullsFromTheSource) {
    SdlOptions o;
    o.windowed = true;
    SdlBackend backend(o);
    ASSERT_TRUE(backend.Ok()) << backend.Error();
    struct Source final : AudioSource {
        std::atomic<int> frames{0};
        void Render(int16_t* out, int n, int rate) override {
            std::fill(out, out + 2 * n, int16_t{0});
            if (rate == 48000) frames += n;
        }
    } source;
    auto device = backend.OpenAudio(source, AudioConfig{48000, 256});
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->SampleRate(), 48000);
    for (int i = 0; i < 100 && source.frames == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    device.reset();
    EXPECT_GT(source.frames.load(), 0);
}

TEST(SdlKeys, MapToTheProgramsVirtualKeys) {
    EXPECT_EQ(SdlBackend::VirtualKeyFor('a'), 'A');
    EXPECT_EQ(SdlBackend::VirtualKeyFor('z'), 'Z');
    EXPECT_EQ(SdlBackend::VirtualKeyFor('1'), '1');
    EXPECT_EQ(SdlBackend::VirtualKeyFor('\t'), vk::kTab);
    EXPECT_EQ(SdlBackend::VirtualKeyFor('\r'), vk::kReturn);
    EXPECT_EQ(SdlBackend::VirtualKeyFor('\x1B'), vk::kEscape);
    EXPECT_EQ(SdlBackend::VirtualKeyFor('\b'), vk::kBack);
    EXPECT_EQ(SdlBackend::VirtualKeyFor('\x7F'), vk::kDelete);
    EXPECT_EQ(SdlBackend::VirtualKeyFor('~'), 0);
}

}  // namespace
}  // namespace plat
