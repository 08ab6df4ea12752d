#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "audio/Random.h"
#include "audio/SoundEngine.h"

namespace {

using audiotest::ConstantWav;
using audiotest::Peak;
using Strings = std::vector<std::string>;
using Timer = std::pair<int, uint32_t>;
using Timers = std::vector<Timer>;

constexpr char kFolder[] = "D:\\plinkpad\\assets\\all\\";

class SoundEngineTest : public ::testing::Test {
protected:
    SoundEngineTest() {
        // 22050 frames of 16-bit mono at 22050 Hz: 1000 ms.
        host.files.files[std::string(kFolder) + "a.wav"] = ConstantWav(22050, 1000);
        host.files.files[std::string(kFolder) + "b.wav"] = ConstantWav(2205, 2000);
        engine.SetTimerTarget(&timers);
    }
    void CreateEngine() { ASSERT_EQ(engine.Create(), 1); }
    std::unique_ptr<CSound> Loaded(int id, const char* file) {
        auto sound = std::make_unique<CSound>(&engine, id);
        EXPECT_EQ(sound->Load(kFolder + std::string(file)), 1);
        return sound;
    }
    // `frames` frames heard once what was mixed before the call has come
    // out and settled: the converter and the limiter lag the voices, and a
    // start rings in the converter for about as long.
    std::vector<int16_t> Render(int frames) {
        const int settle = 2 * engine.Mixer().LatencyFrames();
        std::vector<int16_t> out = host.backend.Render(settle + frames);
        out.erase(out.begin(), out.begin() + 2 * settle);
        return out;
    }

    audiotest::FakeHost host;
    audiotest::FakeTimers timers;
    CSoundEngine engine{1};
};

TEST_F(SoundEngineTest, WithoutADeviceTheEngineIsNotReadyAndSoundsDoNotLoad) {
    host.backend.refuse = true;
    EXPECT_EQ(engine.Create(), 0);
    EXPECT_EQ(engine.IsReady(), 0);
    CSound sound(&engine, 1);
    EXPECT_EQ(sound.Load(kFolder + std::string("a.wav")), 0);
    EXPECT_EQ(sound.Play(1), 0);
    EXPECT_TRUE(timers.timers.empty());
    EXPECT_EQ(host.dialogs.messages, (Strings{"Unable to create Direct Sound Object",
                            "Error loading sound D:\\plinkpad\\assets\\all\\a.wav Unable to create Secondary Buffer"}));
}

TEST_F(SoundEngineTest, DeviceAsksForThePrimaryRateAndTheConfiguredBuffer) {
    engine.SetAudioConfig({22050, 1024});
    CreateEngine();
    EXPECT_EQ(host.backend.opened.sampleRate, 22050);
    EXPECT_EQ(host.backend.opened.bufferFrames, 1024);
}

TEST_F(SoundEngineTest, LoadFailuresShowTheirMessagesUnlessQuiet) {
    CreateEngine();
    std::vector<uint8_t> noData = ConstantWav(10, 1);
    noData[36] = 'x';
    std::vector<uint8_t> threeChannels = ConstantWav(10, 1);
    threeChannels[22] = 3;
    host.files.files["X:\\nodata.wav"] = noData;
    host.files.files["X:\\text.wav"] = {'h', 'e', 'l', 'l', 'o'};
    host.files.files["X:\\three.wav"] = threeChannels;
    struct Case {
        const char* path;
        const char* message;
    } cases[] = {
        {"X:\\missing.wav", "Error loading sound X:\\missing.wav Unable to load file."},
        {"X:\\text.wav", "Error loading sound X:\\text.wav Unable to load file."},
        {"X:\\nodata.wav", "Error loading sound X:\\nodata.wav "},
        {"X:\\three.wav", "Error loading sound X:\\three.wav Unable to create Secondary Buffer"},
        {"", "Error loading sound  "},
    };
    for (const Case& c : cases) {
        CSound sound(&engine, 1);
        host.dialogs.messages.clear();
        EXPECT_EQ(sound.Load(c.path, true), 0);
        EXPECT_TRUE(host.dialogs.messages.empty()) << c.path;
        EXPECT_EQ(sound.Load(c.path), 0);
        EXPECT_EQ(host.dialogs.messages, (Strings{c.message}));
        EXPECT_FALSE(sound.HasBuffer());
    }
}

TEST_F(SoundEngineTest, LoadFromTriesTheFirstFolderQuietlyThenTheSecondLoudly) {
    CreateEngine();
    CSound sound(&engine, 1);
    EXPECT_EQ(sound.LoadFrom("C:\\inst\\", kFolder, "a.wav"), 1);
    EXPECT_TRUE(host.dialogs.messages.empty());
    EXPECT_EQ(sound.Path(), kFolder + std::string("a.wav"));
    EXPECT_EQ(sound.LengthMs(), 1000);
    EXPECT_EQ(sound.LoadFrom("C:\\inst\\", "E:\\", "a.wav"), 0);
    EXPECT_EQ(host.dialogs.messages, (Strings{"Error loading sound E:\\a.wav Unable to load file."}));
    EXPECT_FALSE(sound.HasBuffer());
}

TEST_F(SoundEngineTest, QuickStartsPlayDuplicatesThatTheirTimersDelete) {
    CreateEngine();
    engine.AddSound(Loaded(5, "a.wav"));
    for (int i = 0; i < 3; ++i) engine.PlaySound(5, 1);
    EXPECT_EQ(timers.timers, (Timers{Timer{5, 1000}, Timer{10000, 1000}, Timer{10001, 1000}}));
    EXPECT_EQ(host.TraceText(), (Strings{"play 5 a.wav", "play 10000 a.wav dup 5", "play 10001 a.wav dup 5"}));
    EXPECT_EQ(Render(10)[0], 3000);  // three copies sum

    for (int id : {10000, 10001}) {
        ASSERT_NE(engine.FindSound(id), nullptr);
        engine.StopSound(id);
        EXPECT_EQ(engine.FindSound(id), nullptr);
    }
    engine.StopSound(5);  // a scene sound stays
    EXPECT_NE(engine.FindSound(5), nullptr);
    EXPECT_EQ(Render(10)[0], 1000);
}

TEST_F(SoundEngineTest, DuplicateIdsWrapFrom32000To10000) {
    CreateEngine();
    engine.AddSound(Loaded(5, "a.wav"));
    engine.PlaySound(5, 0);
    for (int expected = 10000; expected <= 32000; ++expected) {
        CSound* dup = engine.PlayDuplicate(*engine.FindSound(5));
        ASSERT_NE(dup, nullptr);
        ASSERT_EQ(dup->Id(), expected);
        engine.StopSound(expected);
    }
    EXPECT_EQ(engine.PlayDuplicate(*engine.FindSound(5))->Id(), 10000);
}

TEST_F(SoundEngineTest, SoundPlaysAgainAfterItsEndInsteadOfDuplicating) {
    CreateEngine();
    engine.AddSound(Loaded(6, "b.wav"));  // 100 ms: 4800 frames at the device rate
    engine.PlaySound(6, 0);
    Render(6000);
    EXPECT_EQ(engine.IsSoundPlaying(6), 0);
    engine.PlaySound(6, 0);
    EXPECT_EQ(engine.FindSound(10000), nullptr);
    EXPECT_EQ(engine.IsSoundPlaying(6), 1);
}

TEST_F(SoundEngineTest, TimerOnlyForSoundsPlayedWithOne) {
    CreateEngine();
    engine.AddSound(Loaded(5, "a.wav"));
    engine.AddSound(Loaded(6, "b.wav"));
    engine.PlaySound(6, 0);
    EXPECT_TRUE(timers.timers.empty());
    engine.PlaySound(5, 1);
    EXPECT_EQ(timers.timers, (Timers{Timer{5, 1000}}));
    engine.PlaySound(77, 1);  // no such sound
    EXPECT_EQ(timers.timers.size(), 1u);
}

TEST_F(SoundEngineTest, PlayingGeneralSoundIsNotStartedAgain) {
    CreateEngine();
    engine.AddGeneralSound(Loaded(30, "a.wav"));
    engine.PlayGeneralSound(30);
    engine.PlayGeneralSound(30);
    EXPECT_EQ(host.TraceText(), (Strings{"play 30 a.wav"}));
    EXPECT_EQ(Render(10)[0], 1000);
    engine.Clear();  // general sounds survive a scene switch
    EXPECT_EQ(Render(10)[0], 1000);
}

TEST_F(SoundEngineTest, MuteAndUnmuteRestoreTheEarlierLevel) {
    CreateEngine();
    engine.AddSound(Loaded(5, "a.wav"));
    engine.SetVolumeLevel(3);  // -5 dB
    engine.PlaySound(5, 0);
    EXPECT_NEAR(Render(10)[0], 562, 2);
    engine.ToggleMute();
    EXPECT_EQ(engine.VolumeLevel(), CSoundEngine::kMuted);
    EXPECT_EQ(Render(10)[0], 0);
    engine.ToggleMute();
    EXPECT_EQ(engine.VolumeLevel(), 3);
    EXPECT_NEAR(Render(10)[0], 562, 2);
    engine.SetVolumeLevel(3);  // the current level again: nothing
    engine.SetVolumeLevel(7);  // not a level
    EXPECT_EQ(host.TraceText(), (Strings{"volume 3", "play 5 a.wav", "volume 10", "volume 3"}));
}

TEST_F(SoundEngineTest, SoundsAndLoopsStartedWhileMutedStaySilentUntilUnmuted) {
    CreateEngine();
    engine.AddLoop(kFolder + std::string("a.wav"), 500, 0);
    engine.AddLoop(kFolder + std::string("b.wav"), 501, 0);
    engine.StartLoop(501);  // before muting: it keeps its level throughout
    engine.SetVolumeLevel(3);
    engine.ToggleMute();
    engine.AddSound(Loaded(5, "a.wav"));
    engine.PlaySound(5, 0);
    engine.StartLoop(500);
    EXPECT_EQ(Render(10)[0], 2000);
    engine.ToggleMute();
    EXPECT_NEAR(Render(10)[0], 2000 + 2 * 562, 4) << "both at the level before muting (-5 dB)";
}

TEST_F(SoundEngineTest, LoopsPlayWithTheirPanAndStopAtOnce) {
    CreateEngine();
    engine.AddLoop(kFolder + std::string("b.wav"), 500, -10000);
    engine.StartLoop(500);
    engine.StartLoop(500);  // already playing: not a second copy
    EXPECT_EQ(engine.IsLoopPlaying(500), 1);
    const auto out = Render(5000);  // longer than the file: it wraps
    EXPECT_EQ(out[2 * 4999], 2000);
    EXPECT_EQ(Peak(out, 1), 0);
    engine.StopLoop(500);
    EXPECT_EQ(engine.IsLoopPlaying(500), 0);
    EXPECT_EQ(Peak(Render(10), 0), 0);
    engine.StartLoop(501);  // unknown: nothing
    EXPECT_EQ(host.TraceText(), (Strings{"loop start 500 b.wav", "loop stop 500"}));
}

TEST_F(SoundEngineTest, LoopPathsKeep255Characters) {
    CreateEngine();
    const std::string path255 = "D:\\" + std::string(243, 'l') + "\\loop.wav";
    ASSERT_EQ(path255.size(), 255u);
    host.files.files[path255] = ConstantWav(100, 1);
    engine.AddLoop(path255, 500, 0);
    engine.AddLoop(path255 + "xyz", 501, 0);  // longer paths are cut to 255
    engine.StartLoop(500);
    engine.StartLoop(501);
    EXPECT_EQ(host.files.reads, (Strings{path255, path255}));
    EXPECT_EQ(engine.IsLoopPlaying(500), 1);
    EXPECT_EQ(engine.IsLoopPlaying(501), 1);
}

TEST_F(SoundEngineTest, ClearDropsSceneSoundsRandomSoundsAndLoops) {
    CreateEngine();
    engine.AddSound(Loaded(5, "a.wav"));
    engine.AddRandomSound(Loaded(7, "a.wav"));
    engine.AddLoop(kFolder + std::string("b.wav"), 500, 0);
    engine.PlaySound(5, 0);
    engine.PlayRandomMisc();
    engine.StartLoop(500);
    EXPECT_EQ(Render(10)[0], 4000);
    engine.Clear();
    EXPECT_EQ(Render(10)[0], 0);
    EXPECT_EQ(engine.FindSound(5), nullptr);
    EXPECT_EQ(engine.IsLoopPlaying(500), 0);
    engine.PlayRandomSound();  // empty lists: nothing
    engine.PlayRandomMisc();
    EXPECT_EQ(Render(10)[0], 0);
}

TEST_F(SoundEngineTest, RandomSoundIsChosenByTheProgramGenerator) {
    CreateEngine();
    for (int id = 1; id <= 3; ++id) engine.AddSound(Loaded(id, "a.wav"));
    audio::CRandom expected(1);  // the engine seeded the program's generator with 1
    const int first = expected.Next() % 3 + 1;
    engine.PlayRandomSound();
    EXPECT_EQ(engine.IsSoundPlaying(first), 1);
    EXPECT_TRUE(timers.timers.empty());
}

TEST(Random, FollowsTheProgramsGeneratorFormula) {
    audio::CRandom random(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    random.Seed(0xFFFFFFFFu);  // wraps modulo 2^32, stays in 0..32767
    for (int i = 0; i < 1000; ++i) {
        const int r = random.Next();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
    }
    EXPECT_EQ(random.Choose(0), 0);
}

}  // namespace
