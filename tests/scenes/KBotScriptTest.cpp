// kBot driven through the real program, entered from the hub as a user does;
// checked through the trace (docs/scripting.md lists the lines) and, for the
// stereo field, through the run's mix.

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "tests/scenes/MixFile.h"
#include "tests/scenes/WorldRun.h"

namespace hubtest {
namespace {

const std::string kKBot = "kbot";

plat::Point Spot(int id) { return SpotPoint(kKBot, id); }
plat::Point Empty() { return EmptyPoint(kKBot); }
plat::Point Nav(int id) { return NavPoint(kKBot, id); }

std::string KeyFile(int row, int column) {
    return "kb" + std::to_string(row) + "_" + std::to_string(column) + ".wav";
}
int KeyId(int row, int column) { return 300 + 10 * (row - 1) + 2 * (column - 1); }

// Right over left channel energy, in dB, of the first `ms` after frame `from`.
double Balance(const Mix& mix, size_t from, uint32_t ms) {
    const size_t to = from + mix.FrameAt(ms);
    return 10 * std::log10((Energy(mix, 1, from, to) + 1) / (Energy(mix, 0, from, to) + 1));
}

TEST(KBotScript, EnteringSweepsRowsOneAndFourAndTheRowsSpreadAcrossTheStereoField) {
    constexpr uint32_t kOnsetMs = 100;
    std::string script = EnterWorld(3);
    for (int column = 1; column <= 5; ++column) script += Move(Spot(KeyId(1, column))) + "wait 700\n";
    for (int column = 5; column >= 1; --column) script += Move(Spot(KeyId(2, column))) + "wait 700\n";
    const fs::path wav = RunDir("kbot-sweep") / "mix.wav";
    const std::vector<TraceLine> t = RunScript("kbot-sweep", script, "--audio-out '" + wav.string() + "'");

    // The intro: row 1, then row 4, 150 ms apart, then the default cursor.
    const int scene = FindLine(t, "scene 3");
    ASSERT_GE(scene, 0);
    int at = scene;
    for (int k = 0; k < 10; ++k) {
        const int play = FindSound(t, KeyFile(k < 5 ? 1 : 4, k % 5 + 1), at);
        ASSERT_GT(play, at) << k;
        EXPECT_EQ(Ms(t, play), Ms(t, scene) + 150u * static_cast<uint32_t>(k)) << k;
        at = play;
    }
    const int intro = FindLine(t, "cursor 1", at);
    ASSERT_GT(intro, at);
    EXPECT_EQ(Ms(t, intro), Ms(t, at) + 150);

    // The sweep: row 1 from the left, row 2 from the right.
    const Mix mix = ReadMix(wav);
    ASSERT_EQ(mix.format.channels, 2u);
    std::vector<double> row1, row2;
    for (int k = 0; k < 10; ++k) {
        const std::string file = k < 5 ? KeyFile(1, k + 1) : KeyFile(2, 10 - k);
        const int play = FindSound(t, file, at);
        ASSERT_GT(play, at) << file;
        (k < 5 ? row1 : row2).push_back(Balance(mix, mix.FrameAt(Ms(t, play)), kOnsetMs));
        at = play;
    }
    for (size_t i = 0; i < 5; ++i) {
        std::cout << "[ balance ] kb1_" << i + 1 << " " << row1[i] << " dB, kb2_" << 5 - i << " " << row2[i] << " dB\n";
        EXPECT_LT(row1[i], -20) << "kb1_" << i + 1 << " sounds in the left half";
        EXPECT_GT(row2[i], 20) << "kb2_" << 5 - i << " sounds in the right half";
    }
    // Row 1 moves rightward key by key; row 2, swept from its fifth key to
    // its first, moves on rightward: its first key sounds farthest right.
    for (size_t i = 0; i + 1 < 5; ++i) {
        EXPECT_LT(row1[i], row1[i + 1]) << "kb1_" << i + 1;
        EXPECT_LT(row2[i], row2[i + 1]) << "kb2_" << 5 - i;
    }
}

TEST(KBotScript, PadsBellsTheLoopSwitchAndThePictureAnswerThePointer) {
    const plat::Point e = Empty();
    const std::string script = EnterWorld(3) +
        // A kbt pad re-entered while it sounds gives its click version; so does a click.
        Move(Spot(200)) + "wait 100\n" + Move(e) + "wait 50\n" + Move(Spot(200)) + "wait 100\n" + Click(Spot(200)) +
        "wait 100\n" + Move(e) + "wait 2000\n" +
        // A bell flashes with a random sound; its click plays one too.
        Move(Spot(10)) + "wait 100\n" + Click(Spot(10)) + "wait 100\n" + Move(e) + "wait 100\n" +
        // The loop switch flashes too, with its own sound, and answers the pointer leaving.
        Move(Spot(50)) + "wait 300\n" + Move(e) + "wait 300\n" +
        // The picture's click.
        Click(e) + "wait 100\n" +
        // Ctrl held while leaving a key of row 4 sounds the key of row 1 below it.
        "keydown ctrl\n" + Move(Spot(KeyId(4, 2))) + "wait 100\n" + Move(e) + "wait 100\nkeyup ctrl\n";
    const std::vector<TraceLine> t = RunScript("kbot-rules", script);
    const int intro = FindLine(t, "cursor 1", FindLine(t, "scene 3"));
    ASSERT_GT(intro, 0);

    const int pad = FindLine(t, "play 200 kbt1.wav", intro);
    ASSERT_GT(pad, intro);
    const int reentered = FindSound(t, "Kbt1_c.wav", pad);
    ASSERT_GT(reentered, pad);
    EXPECT_EQ(Ms(t, reentered), Ms(t, pad) + 150);
    const int clicked = FindSound(t, "Kbt1_c.wav", reentered + 1);
    ASSERT_GT(clicked, reentered);
    EXPECT_EQ(Ms(t, clicked), Ms(t, reentered) + 100);

    auto isRandom = [&](int i) {
        const std::string file = i >= 0 ? SoundFile(t[static_cast<size_t>(i)]) : "";
        return file.size() == 8 && file.substr(0, 3) == "kbr" && file[3] >= '1' && file[3] <= '6';
    };
    const int bell = FindLine(t, "spot lit 10", clicked);
    ASSERT_GT(bell, clicked);
    const int bellSound = NextNotBusy(t, bell);
    EXPECT_TRUE(isRandom(bellSound)) << t[static_cast<size_t>(bellSound)].text;
    EXPECT_EQ(t[static_cast<size_t>(NextNotBusy(t, bellSound))].text, "spot unlit 10");
    EXPECT_EQ(Ms(t, NextNotBusy(t, bellSound)), Ms(t, bell));
    EXPECT_TRUE(isRandom(NextNotBusy(t, NextNotBusy(t, bellSound)))) << "the bell's click";

    const int loopSwitch = FindLine(t, "spot lit 50", bell);
    ASSERT_GT(loopSwitch, bell);
    std::vector<std::string> flash;
    for (int i = loopSwitch; i >= 0 && Ms(t, i) == Ms(t, loopSwitch); i = NextNotBusy(t, i))
        flash.push_back(isRandom(i) ? "random" : t[static_cast<size_t>(i)].text);
    EXPECT_EQ(flash, (std::vector<std::string>{"spot lit 50", "random", "spot unlit 50", "play 50 Kbb5.wav"}));
    EXPECT_EQ(FindLine(t, "cursor 3", bell), loopSwitch - 1);
    const int out = FindLine(t, "play 51 Kbb5_out.wav", loopSwitch);
    ASSERT_GT(out, loopSwitch);
    EXPECT_EQ(Ms(t, out), Ms(t, loopSwitch) + 300);

    const int picture = FindLine(t, "play 700 Kbmisc.wav", out);
    ASSERT_GT(picture, out);
    EXPECT_EQ(Ms(t, picture), Ms(t, out) + 300);

    const int row4 = FindSound(t, KeyFile(4, 2), picture);
    const int below = FindSound(t, KeyFile(1, 2), row4);
    ASSERT_GT(row4, picture);
    ASSERT_GT(below, row4);
    EXPECT_EQ(Ms(t, below), Ms(t, row4) + 100);
}

TEST(KBotScript, TheLoopSwitchStartsTheFirstLoopOrWithCtrlTheSeventh) {
    const plat::Point e = Empty(), loop = Spot(50);
    const std::string script = EnterWorld(3) + Move(loop) + "wait 100\n" + Click(loop) + "wait 100\n" + Move(e) +
                               "wait 100\n" + Move(loop) + "wait 100\n" + Click(loop) + "wait 100\n" +
                               ToHubByBar(kKBot) + EnterWorld(3) + "keydown ctrl\n" + Move(loop) + "wait 100\n" +
                               Click(loop) + "wait 100\nkeyup ctrl\n";
    const std::vector<TraceLine> t = RunScript("kbot-loops", script);
    const int scene = FindLine(t, "scene 3");
    ASSERT_GE(scene, 0);
    const int start = FindLine(t, "loop start 500 Kbloop_1.wav", scene);
    ASSERT_GT(start, scene);
    EXPECT_EQ(FindLine(t, "play 52 Kbb5_c.wav", scene), start - 1);
    const int stop = FindLine(t, "loop stop 500", start);
    ASSERT_GT(stop, start);
    EXPECT_EQ(FindLine(t, "play 60 Kbloop2.wav", stop), stop + 1);

    const int again = FindLine(t, "scene 3", stop);
    ASSERT_GT(again, FindLine(t, "scene 0", stop));
    EXPECT_GE(FindLine(t, "loop start 506 Kbloop_7.wav", again), 0);
    EXPECT_EQ(Find(t, "loop start 500", again), -1);
}

TEST(KBotScript, InAltModeAKeyStaysLitUntilItsSoundEnds) {
    const plat::Point e = Empty(), alt = Spot(410), key = Spot(KeyId(1, 1));
    const std::string script = EnterWorld(3) + Click(alt) + "wait 100\n" + Move(key) + "wait 200\n" + Move(e) +
                               "wait 200\n" + Move(key) + "wait 100\n" + Move(e) + "wait 3000\n" + Click(alt) +
                               "wait 100\n" + Move(Spot(KeyId(1, 2))) + "wait 200\n" + Move(e) + "wait 100\n";
    const std::vector<TraceLine> t = RunScript("kbot-alt", script);
    const int on = FindLine(t, "kbot alt on");
    ASSERT_GE(on, 0);
    const int lit = FindLine(t, "spot lit 300", on);
    const int unlit = FindLine(t, "spot unlit 300", on);
    ASSERT_GT(lit, on);
    ASSERT_GT(unlit, lit);
    const int second = Find(t, "play ", lit + 2);
    ASSERT_GT(second, lit);
    EXPECT_NE(t[static_cast<size_t>(second)].text.find("kb1_1.wav dup 300"), std::string::npos)
        << t[static_cast<size_t>(second)].text;
    EXPECT_EQ(Ms(t, second), Ms(t, lit) + 400) << "re-entered while it sounds: a second copy";
    EXPECT_LT(second, unlit);
    // Dark when kb1_1.wav has played, not when the pointer left.
    const Mix sound = ReadMix(fs::path(PLINKPAD_DISC_DIR) / "plinkpad/assets/kbot/kb_wav/kb1_1.wav");
    ASSERT_GT(sound.Frames(), 0u);
    const double lengthMs = 1000.0 * double(sound.Frames()) / sound.format.samplesPerSec;
    EXPECT_NEAR(double(Ms(t, unlit) - Ms(t, lit)), lengthMs, 11);

    const int off = FindLine(t, "kbot alt off", unlit);
    ASSERT_GT(off, unlit);
    const int lit302 = FindLine(t, "spot lit 302", off);
    const int unlit302 = FindLine(t, "spot unlit 302", off);
    ASSERT_GT(unlit302, lit302);
    EXPECT_EQ(Ms(t, unlit302), Ms(t, lit302) + 200) << "out of alt mode a key goes dark as the pointer leaves";
}

TEST(KBotScript, ACutRecordedInKBotIgnoresTheBarAndPlaysBackFromTheHub) {
    const plat::Point e = Empty(), toggle = Nav(0);
    const std::string script = EnterWorld(3) + kOpenPalette + kRecord +
        // While recording the bar neither lights nor opens: the click is one on the picture.
        Move(toggle) + "wait 100\n" + Click(toggle) + "wait 300\n" + Move(Spot(KeyId(3, 1))) + "wait 300\n" +
        Move(Spot(KeyId(3, 2))) + "wait 200\n" + Move(Spot(200)) + "wait 300\n" + Click(Spot(200)) + "wait 400\n" +
        Move(e) + "wait 200\n" + kStop + "key tab\nwait 300\n" +
        // Back to the hub with the bar, and play the cut there.
        ToHubByBar(kKBot) + kOpenPalette + kPlay + "wait 9000\n";
    const std::vector<TraceLine> t = RunScript("kbot-cut", script);
    const int recording = FindLine(t, "label kBot.1");
    const int stopped = FindLine(t, "play 1000 Restop_c.wav", recording);
    ASSERT_GT(recording, 0);
    ASSERT_GT(stopped, recording);
    EXPECT_EQ(Find(t, "nav ", recording), Find(t, "nav ", stopped)) << "no bar line while recording";

    const int hub = FindLine(t, "scene 0", stopped);
    const int back = FindLine(t, "scene 3", hub);
    ASSERT_GT(hub, stopped);
    ASSERT_GT(back, hub);
    const int resumed = FindLine(t, "palette 5 30", back);
    ASSERT_GT(resumed, back);
    const int ended = FindLine(t, "play 1003 Resmall.wav", resumed);
    ASSERT_GT(ended, resumed);
    EXPECT_EQ(Find(t, "nav ", resumed), Find(t, "nav ", ended)) << "no bar line while playing back";

    const std::vector<TimedSound> recorded = SoundsOf(t, "kb", recording, stopped);
    ASSERT_EQ(recorded.size(), 5u);  // Kbmisc, kb3_1, kb3_2, kbt1, Kbt1_c
    EXPECT_EQ(recorded[0].file, "Kbmisc.wav");
    ExpectReplayed(recorded, SoundsOf(t, "kb", resumed, ended));
}

}  // namespace
}  // namespace hubtest
