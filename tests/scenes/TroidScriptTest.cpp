// Troid driven through the real program, entered from the hub as a user
// does; checked through the trace (docs/scripting.md lists the lines).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenes/WorldRun.h"

namespace hubtest {
namespace {

const std::string kTroid = "troid";

plat::Point Spot(int id) { return SpotPoint(kTroid, id); }
plat::Point Empty() { return EmptyPoint(kTroid); }
plat::Point Nav(int id) { return NavPoint(kTroid, id); }
plat::Point Beside(plat::Point p) { return {p.x + 1, p.y}; }

TEST(TroidScript, EnteringSweepsTheTwelveRocks200MsApartThenGivesTheDefaultCursor) {
    const std::vector<TraceLine> t = RunScript("troid-enter", EnterWorld(4));
    const int scene = FindLine(t, "scene 4");
    ASSERT_GE(scene, 0);
    int at = scene;
    for (int k = 1; k <= 12; ++k) {
        const std::string file = std::string("trs") + (k < 10 ? "0" : "") + std::to_string(k) + ".wav";
        const int play = FindSound(t, file, at);
        ASSERT_GT(play, at) << file;
        EXPECT_EQ(Ms(t, play), Ms(t, scene) + 200u * static_cast<uint32_t>(k - 1)) << file;
        at = play;
    }
    const int arrow = FindLine(t, "cursor 1", at);
    ASSERT_GT(arrow, at);
    EXPECT_EQ(Ms(t, arrow), Ms(t, at) + 200);
}

TEST(TroidScript, RollOverAndClickRulesFollowTheHotspotKinds) {
    const plat::Point e = Empty();
    const std::string script = EnterWorld(4) +
        // A rock sounds on entry; leaving it without Ctrl is silent.
        Move(Spot(90)) + "wait 300\n" + Move(e) + "wait 300\n" +
        // A crystal re-entered while it sounds gives its click version; so does a click.
        Move(Spot(50)) + "wait 100\n" + Move(e) + "wait 50\n" + Move(Spot(50)) + "wait 100\n" + Click(Spot(50)) +
        "wait 100\n" + Move(e) + "wait 2500\n" +
        // A satellite flashes with a random sound; its click is silent.
        Move(Spot(10)) + "wait 100\n" + Click(Spot(10)) + "wait 100\n" +
        // The background's click.
        Click(e) + "wait 100\n" +
        // Ctrl held while leaving sounds the hot-spot again.
        "keydown ctrl\n" + Move(Spot(110)) + "wait 100\n" + Move(e) + "wait 100\nkeyup ctrl\n";
    const std::vector<TraceLine> t = RunScript("troid-rules", script);
    const int scene = FindLine(t, "scene 4");
    const int intro = FindLine(t, "cursor 1", scene);
    ASSERT_GT(intro, scene);

    const int rock = FindSound(t, "trs01.wav", intro);
    ASSERT_GT(rock, intro);
    const int crystal = FindSound(t, "trd1.wav", rock);
    ASSERT_GT(crystal, rock);
    EXPECT_EQ(FindSound(t, "trs01.wav", rock + 1), -1) << "leaving without Ctrl is silent";
    const int reentered = FindSound(t, "Trd1_c.wav", crystal);
    ASSERT_GT(reentered, crystal);
    EXPECT_EQ(Ms(t, reentered), Ms(t, crystal) + 150);
    const int clicked = FindSound(t, "Trd1_c.wav", reentered + 1);
    ASSERT_GT(clicked, reentered);
    EXPECT_EQ(Ms(t, clicked), Ms(t, reentered) + 100);

    const int flash = FindLine(t, "spot lit 10", clicked);
    ASSERT_GT(flash, clicked);
    const int randomSound = NextNotBusy(t, flash);
    const std::string file = SoundFile(t[static_cast<size_t>(randomSound)]);
    ASSERT_EQ(file.size(), 8u) << t[static_cast<size_t>(randomSound)].text;
    EXPECT_EQ(file.substr(0, 3), "trr");
    EXPECT_TRUE(file[3] >= '1' && file[3] <= '6');
    EXPECT_EQ(t[static_cast<size_t>(NextNotBusy(t, randomSound))].text, "spot unlit 10");
    EXPECT_EQ(Ms(t, NextNotBusy(t, randomSound)), Ms(t, flash));

    const int background = FindLine(t, "play 400 Trmisc_c.wav", flash);
    ASSERT_GT(background, flash);
    EXPECT_EQ(Ms(t, background), Ms(t, flash) + 200) << "the satellite's click in between is silent";

    const int entered = FindSound(t, "trs03.wav", background);
    const int exited = FindSound(t, "trs03.wav", entered + 1);
    ASSERT_GT(entered, background);
    ASSERT_GT(exited, entered);
    EXPECT_EQ(Ms(t, exited), Ms(t, entered) + 100);
}

TEST(TroidScript, SustainKeepsARockLitUntilItsSoundEnds) {
    const plat::Point e = Empty();
    const std::string script = EnterWorld(4) + "wait 3000\n" + Click(Spot(270)) + "wait 100\n" + Move(Spot(120)) +
                               "wait 300\n" + Move(e) + "wait 3000\n" + Click(Spot(270)) + "wait 100\n" + Move(Spot(130)) +
                               "wait 300\n" + Move(e) + "wait 100\n";
    const std::vector<TraceLine> t = RunScript("troid-sustain", script);
    const int on = FindLine(t, "troid sustain on");
    ASSERT_GE(on, 0);
    const int lit = FindLine(t, "spot lit 120", on);
    const int unlit = FindLine(t, "spot unlit 120", on);
    ASSERT_GT(lit, on);
    ASSERT_GT(unlit, lit);
    // Lit while the pointer has gone, until trs04.wav (2.65 s) has played.
    EXPECT_GE(Ms(t, unlit), Ms(t, lit) + 2600);
    EXPECT_LE(Ms(t, unlit), Ms(t, lit) + 2700);

    const int off = FindLine(t, "troid sustain off", unlit);
    ASSERT_GT(off, unlit);
    const int lit130 = FindLine(t, "spot lit 130", off);
    const int unlit130 = FindLine(t, "spot unlit 130", off);
    ASSERT_GT(unlit130, lit130);
    EXPECT_EQ(Ms(t, unlit130), Ms(t, lit130) + 300) << "without sustain the rock goes dark as the pointer leaves";
}

TEST(TroidScript, TheLoopSwitchStepsForwardOrWithCtrlBackwardFromTheLastLoop) {
    const plat::Point e = Empty(), loop = Spot(40);
    const std::string toHub = ToHubByBar(kTroid);
    const std::string script = EnterWorld(4) + Move(loop) + "wait 100\n" + Click(loop) + "wait 100\n" + Move(e) +
                               "wait 100\n" + Move(loop) + "wait 100\n" + Click(loop) + "wait 100\n" + toHub +
                               EnterWorld(4) + "keydown ctrl\n" + Move(loop) + "wait 100\n" + Click(loop) +
                               "wait 100\nkeyup ctrl\n";
    const std::vector<TraceLine> t = RunScript("troid-loops", script);
    const int scene = FindLine(t, "scene 4");
    const int in = FindSound(t, "Trc1in.wav", scene);
    ASSERT_GT(in, scene);
    EXPECT_EQ(t[static_cast<size_t>(in)].text, "play 40 Trc1in.wav");
    EXPECT_GE(FindLine(t, "cursor 3", scene), 0);
    const int start = FindLine(t, "loop start 500 trloop_1.wav", in);
    ASSERT_GT(start, in);
    EXPECT_GT(FindLine(t, "play 42 Trloop_c.wav", in), in);
    const int out = FindSound(t, "Trc1out.wav", start);
    ASSERT_GT(out, start);
    const int stop = FindLine(t, "loop stop 500", out);
    ASSERT_GT(stop, out);
    EXPECT_GT(FindLine(t, "play 43 Trloop2.wav", out), out);

    const int again = FindLine(t, "scene 4", stop);
    ASSERT_GT(again, stop);
    EXPECT_GE(FindLine(t, "loop start 506 trloop_7.wav", again), 0);
    EXPECT_EQ(Find(t, "loop start 500", again), -1);
}

TEST(TroidScript, TheNavigationBarLightsOpensHoversBlinksAndSwitches) {
    const plat::Point e = Empty(), toggle = Nav(0);
    const std::string script = EnterWorld(4) +
        // Lit by the pointer on the toggle, once; dark again off it.
        Move(toggle) + "wait 50\n" + Move(Beside(toggle)) + "wait 50\n" + Move(e) + "wait 100\n" +
        // Open: it stays, and takes the pointer (a rock under the pointer stays silent).
        Move(toggle) + "wait 50\n" + Click(toggle) + "wait 50\n" + Move(e) + "wait 50\n" + Move(Spot(90)) + "wait 50\n" +
        // The current world's button stays lit; from Star straight onto Day only unlights Star.
        Move(Nav(5)) + "wait 50\n" + Move(e) + "wait 50\n" + Move(Nav(2)) + "wait 50\n" + Move(Nav(3)) + "wait 50\n" +
        Move(Beside(Nav(3))) + "wait 50\n" +
        // Troid's own button blinks and stays; the hub's blinks and switches.
        Click(Nav(5)) + "wait 500\n" + Click(Nav(1)) + "wait 1500\n";
    const std::vector<TraceLine> t = RunScript("troid-navbar", script);
    const int intro = FindLine(t, "cursor 1", FindLine(t, "scene 4"));
    ASSERT_GT(intro, 0);
    const int light = FindLine(t, "nav light", intro);
    const int unlight = FindLine(t, "nav unlight", light);
    ASSERT_GT(light, intro);
    ASSERT_GT(unlight, light);
    EXPECT_EQ(Count(t, "play 60 Navup.wav", intro, unlight), 1);
    EXPECT_EQ(Count(t, "nav light", intro, unlight), 1);

    const int open = FindLine(t, "nav open", unlight);
    ASSERT_GT(open, unlight);
    const int blink5 = FindLine(t, "nav blink 5", open);
    ASSERT_GT(blink5, open);
    EXPECT_EQ(Find(t, "nav unlight", open), -1);
    EXPECT_EQ(FindSound(t, "trs01.wav", open), -1);
    EXPECT_EQ(FindLine(t, "nav unlit 5", open), blink5 + 1) << "Troid's button stays lit until its own blink";
    const int lit2 = FindLine(t, "nav lit 2", open);
    const int unlit2 = FindLine(t, "nav unlit 2", open);
    const int lit3 = FindLine(t, "nav lit 3", open);
    ASSERT_GT(lit2, open);
    ASSERT_GT(unlit2, lit2);
    ASSERT_GT(lit3, unlit2);
    EXPECT_EQ(Ms(t, lit3), Ms(t, unlit2) + 50) << "the next button lights on the next move";

    // Six steps of 150 ms; Troid's button ends lit and no switch follows.
    std::vector<std::string> blink;
    for (int i = blink5 + 1; i < static_cast<int>(t.size()) && Ms(t, i) < Ms(t, blink5) + 900; ++i)
        blink.push_back(std::to_string(Ms(t, i) - Ms(t, blink5)) + " " + t[static_cast<size_t>(i)].text);
    EXPECT_EQ(blink, (std::vector<std::string>{"0 nav unlit 5", "150 nav lit 5", "300 nav unlit 5", "450 nav lit 5",
                                               "600 nav unlit 5", "750 nav lit 5"}));
    const int blink1 = FindLine(t, "nav blink 1", blink5);
    ASSERT_GT(blink1, blink5);
    EXPECT_EQ(Find(t, "scene ", blink5), FindLine(t, "scene 0", blink1));
    EXPECT_EQ(Ms(t, FindLine(t, "scene 0", blink1)), Ms(t, blink1) + 900);
}

TEST(TroidScript, ACutRecordedInTroidIgnoresTheBarAndPlaysBackFromTheHub) {
    const plat::Point e = Empty(), toggle = Nav(0);
    const std::string script = EnterWorld(4) + kOpenPalette + kRecord +
        // While recording the bar neither lights nor opens; the click reaches the stage.
        Move(toggle) + "wait 100\n" + Click(toggle) + "wait 300\n" +
        Move(Spot(90)) + "wait 400\n" + Move(Spot(50)) + "wait 300\n" + Click(Spot(50)) + "wait 500\n" + Move(e) +
        "wait 200\n" + kStop + "key tab\nwait 300\n" +
        // Back to the hub with the bar, and play the cut there.
        ToHubByBar(kTroid) + kOpenPalette + kPlay + "wait 9000\n";
    const std::vector<TraceLine> t = RunScript("troid-cut", script);
    const CutTrace cut = FindCut(t, "Troid.1", 4);
    ASSERT_GT(cut.recording, 0);
    ASSERT_GT(cut.stopped, cut.recording);
    EXPECT_EQ(Find(t, "nav ", cut.recording), Find(t, "nav ", cut.stopped)) << "no bar line while recording";
    EXPECT_GT(FindLine(t, "play 400 Trmisc_c.wav", cut.recording), cut.recording);
    ASSERT_GT(cut.resumed, cut.stopped);
    ASSERT_GT(cut.ended, cut.resumed);

    const std::vector<TimedSound> recorded = SoundsOf(t, "tr", cut.recording, cut.stopped);
    ASSERT_EQ(recorded.size(), 4u);  // Trmisc_c, trs01, trd1, Trd1_c
    ExpectReplayed(recorded, SoundsOf(t, "tr", cut.resumed, cut.ended));
}

}  // namespace
}  // namespace hubtest
