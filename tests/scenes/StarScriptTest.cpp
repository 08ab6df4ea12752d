// Star driven through the real program, entered from the hub as a user does;
// checked through the trace (docs/scripting.md lists the lines).

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/scenes/WorldRun.h"

namespace hubtest {
namespace {

const std::string kStar = "star";

plat::Point Spot(int id) { return SpotPoint(kStar, id); }
plat::Point Empty() { return EmptyPoint(kStar); }
plat::Point Nav(int id) { return NavPoint(kStar, id); }

// The strips lit, in order, at the moment of line i (what one step of the
// script did).
std::vector<int> StripsAt(const std::vector<TraceLine>& t, int i) {
    std::vector<int> out;
    const std::string lit = "star strip lit ";
    for (const TraceLine& l : t)
        if (l.ms == t[size_t(i)].ms && l.text.rfind(lit, 0) == 0) out.push_back(std::stoi(l.text.substr(lit.size())));
    return out;
}

// Index of the first sound at or after `from` whose file starts with
// `prefix`; -1 when none.
int FindSoundOf(const std::vector<TraceLine>& t, const std::string& prefix, int from) {
    for (int i = std::max(from, 0); i < static_cast<int>(t.size()); ++i)
        if (SoundFile(t[size_t(i)]).rfind(prefix, 0) == 0) return i;
    return -1;
}

std::vector<int> AllStripsBut(int a, int b) {
    std::vector<int> out;
    for (int i = 0; i < 18; ++i)
        if (i != a && i != b) out.push_back(i);
    return out;
}

// Index of the line after the intro (the default cursor coming back).
int AfterIntro(const std::vector<TraceLine>& t) { return FindLine(t, "cursor 1", FindLine(t, "scene 1")); }

TEST(StarScript, EnteringLightsEveryStripThenDarkensEvery50MsApart) {
    const std::vector<TraceLine> t = RunScript("star-enter", EnterWorld(1));
    const int scene = FindLine(t, "scene 1");
    ASSERT_GE(scene, 0);
    const int out = FindLine(t, "play 141 sta5_out.wav", scene);
    ASSERT_GT(out, scene);
    EXPECT_EQ(Ms(t, out), Ms(t, scene));

    std::vector<std::string> lit, unlit;
    int last = out;
    for (int i = out; i < static_cast<int>(t.size()); ++i) {
        const std::string& text = t[size_t(i)].text;
        if (text.rfind("star strip ", 0) != 0) continue;
        // Lit at 0, 50, ... 850 ms; dark at 950, 1000, ... 1800 ms.
        const uint32_t step = static_cast<uint32_t>(lit.size() + unlit.size());
        const bool lights = text.rfind("star strip lit ", 0) == 0;
        EXPECT_EQ(lights, step < 18) << text;
        EXPECT_EQ(Ms(t, i) - Ms(t, scene), step * 50 + (step >= 18 ? 50 : 0)) << text;
        (lights ? lit : unlit).push_back(text.substr(text.rfind(' ') + 1));
        last = i;
    }
    ASSERT_EQ(lit.size(), 18u);
    ASSERT_EQ(unlit.size(), 18u);
    EXPECT_EQ(std::set<std::string>(lit.begin(), lit.end()).size(), 18u);
    EXPECT_EQ(std::set<std::string>(unlit.begin(), unlit.end()).size(), 18u);
    EXPECT_NE(lit, unlit) << "two random orders";
    EXPECT_EQ(FindLine(t, "cursor 1", last), last + 1);
}

TEST(StarScript, TheLastMoonEnteredSwapsEachStarsTwoSoundsAndSetsItsStripPattern) {
    const plat::Point e = Empty();
    const std::string rest = "wait 3100\n";  // every sound before has ended
    const std::string sta1 = Move(Spot(100)) + "wait 100\n" + Click(Spot(100)) + "wait 100\n" + Move(e) + rest;
    const std::string script = EnterWorld(1) + sta1 +                     // mode 0
                               Move(Spot(310)) + "wait 100\n" + Move(e) + rest + sta1 +  // mode 1
                               Move(Spot(310)) + "wait 100\n" + Move(e) + rest +        // stc2 again
                               Move(Spot(300)) + "wait 100\n" + Move(e) + rest + sta1;   // mode 0
    const std::vector<TraceLine> t = RunScript("star-mode", script);
    const int start = AfterIntro(t);
    ASSERT_GT(start, 0);

    // Mode 0: "sta1.wav" on roll-over with its entry strips, "sta1_c.wav"
    // on click with the entry strips and two more.
    const int over0 = FindSound(t, "sta1.wav", start);
    const int click0 = FindSound(t, "sta1_c.wav", start);
    ASSERT_GT(over0, start);
    ASSERT_GT(click0, over0);
    EXPECT_EQ(StripsAt(t, over0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(StripsAt(t, click0), (std::vector<int>{0, 1, 2, 5, 15}));

    // stc2 from mode 0: every strip but 13 and 16.
    const int mode1 = FindLine(t, "star mode 1", click0);
    const int stc2 = FindLine(t, "play 310 Stc2.wav", mode1);
    ASSERT_GT(mode1, click0);
    ASSERT_GT(stc2, mode1);
    EXPECT_EQ(StripsAt(t, stc2), AllStripsBut(13, 16));

    // Mode 1: the two sounds swap.
    const int over1 = FindSoundOf(t, "sta1", stc2);
    ASSERT_GT(over1, stc2);
    EXPECT_EQ(SoundFile(t[size_t(over1)]), "sta1_c.wav");
    const int click1 = FindSound(t, "sta1.wav", over1);
    ASSERT_GT(click1, over1);
    EXPECT_EQ(Ms(t, click1), Ms(t, over1) + 100);

    // stc2 again, the mode unchanged: only strips 4 and 7.
    const int again = FindLine(t, "play 310 Stc2.wav", click1);
    ASSERT_GT(again, click1);
    EXPECT_EQ(StripsAt(t, again), (std::vector<int>{4, 7}));
    EXPECT_EQ(Find(t, "star mode", click1), FindLine(t, "star mode 0", again));

    const int mode0 = FindLine(t, "star mode 0", again);
    ASSERT_GT(mode0, again);
    const int over2 = FindSoundOf(t, "sta1", mode0);
    ASSERT_GT(over2, mode0);
    EXPECT_EQ(SoundFile(t[size_t(over2)]), "sta1.wav");
}

TEST(StarScript, AStarStillSoundingAnswersWithItsOtherSoundAndTheSkyWithAMiscClick) {
    const plat::Point e = Empty();
    std::string clicks;
    for (int i = 0; i < 6; ++i) clicks += Click(e) + "wait 100\n";
    const std::string script = EnterWorld(1) +
        // Left and entered again while "sta3.wav" plays.
        Move(Spot(120)) + "wait 100\n" + Move(e) + "wait 100\n" + Move(Spot(120)) + "wait 100\n" + Move(e) +
        "wait 3000\n" + clicks +
        // Ctrl held while leaving stb2 sounds its other sound.
        "keydown ctrl\n" + Move(Spot(200)) + "wait 100\n" + Move(e) + "wait 100\nkeyup ctrl\n";
    const std::vector<TraceLine> t = RunScript("star-sounding", script);
    const int start = AfterIntro(t);
    ASSERT_GT(start, 0);

    const int first = FindLine(t, "play 120 sta3.wav", start);
    ASSERT_GT(first, start);
    EXPECT_EQ(StripsAt(t, first), (std::vector<int>{9, 10, 11}));
    const int left = FindLine(t, "spot unlit 120", first);
    ASSERT_GT(left, first);
    EXPECT_EQ(StripsAt(t, left), (std::vector<int>{10})) << "the exit flash";
    const int second = FindLine(t, "play 121 sta3_c.wav", left);
    ASSERT_GT(second, left);
    EXPECT_EQ(Ms(t, second), Ms(t, first) + 200);
    EXPECT_EQ(StripsAt(t, second), (std::vector<int>{9, 11})) << "the alternate set";

    int misc = 0;
    for (int i = second; i < static_cast<int>(t.size()); ++i) {
        const std::string file = SoundFile(t[size_t(i)]);
        if (file.rfind("Stmisc", 0) != 0) continue;
        EXPECT_TRUE(file == "Stmisc_c.wav" || file == "Stmisc2c.wav") << file;
        ++misc;
    }
    EXPECT_EQ(misc, 6);

    const int stb2 = FindLine(t, "play 200 stb2a.wav", second);
    const int unlit = FindLine(t, "spot unlit 200", stb2);
    ASSERT_GT(stb2, second);
    ASSERT_GT(unlit, stb2);
    EXPECT_EQ(FindSound(t, "stb2b.wav", unlit), unlit + 1);
}

TEST(StarScript, Sta5LoopsExcludeTheMoonsLoopsWhileTheTwoMoonsLoopsPlayTogether) {
    const std::string script = EnterWorld(1) + Click(Spot(310)) + "wait 100\n" + Click(Spot(300)) + "wait 100\n" +
                               Click(Spot(140)) + "wait 100\n" + Click(Spot(300)) + "wait 100\n" + Click(Spot(300)) +
                               "wait 100\n" + Click(Spot(140)) + "wait 100\n" + Click(Spot(140)) + "wait 100\n" +
                               "keydown ctrl\n" + Click(Spot(310)) + "wait 100\nkeyup ctrl\n";
    const std::vector<TraceLine> t = RunScript("star-loops", script);
    const int start = AfterIntro(t);
    ASSERT_GT(start, 0);
    std::vector<std::string> loops;
    for (int i = start; i < static_cast<int>(t.size()); ++i) {
        const std::string& text = t[size_t(i)].text;
        if (text.rfind("loop ", 0) == 0) loops.push_back(text);
    }
    EXPECT_EQ(loops, (std::vector<std::string>{
                         // stc2, then stc1: both play.
                         "loop start 700 Stc2_1.wav", "loop start 600 Stc1_1.wav",
                         // sta5 stops both first.
                         "loop stop 600", "loop stop 700", "loop start 500 Sta1_1.wav",
                         // stc1 stops sta5's loop and starts its next; again, it stops it.
                         "loop stop 500", "loop start 601 Stc1_2.wav", "loop stop 601",
                         // sta5 starts its next loop and stops it.
                         "loop start 501 Sta1_2.wav", "loop stop 501",
                         // Ctrl steps stc2 back from its first loop to its last.
                         "loop start 704 Stc2_5.wav"}));
    // Stopping a moon's loop flashes its exit strips.
    const int stop601 = FindLine(t, "loop stop 601", start);
    EXPECT_EQ(StripsAt(t, stop601), (std::vector<int>{14, 15}));
}

TEST(StarScript, TheNavigationBarTakesStarToTheHubAndToEachWorld) {
    // Bar buttons 1 (the hub) and 2..6 (Star, Day, kBot, Troid, Gama).
    for (int button = 1; button <= 6; ++button) {
        SCOPED_TRACE(button);
        const std::string script = EnterWorld(1) + Move(Nav(0)) + Click(Nav(0)) + "wait 100\n" + Move(Nav(button)) +
                                   "wait 50\n" + Click(Nav(button)) + "wait 1500\n";
        const std::vector<TraceLine> t = RunScript("star-nav-" + std::to_string(button), script);
        const int blink = FindLine(t, "nav blink " + std::to_string(button), AfterIntro(t));
        ASSERT_GT(blink, 0);
        const int next = Find(t, "scene ", blink);
        if (button == 2) {
            EXPECT_EQ(next, -1) << "Star's own button blinks and stays";
            continue;
        }
        ASSERT_GT(next, blink);
        EXPECT_EQ(Ms(t, next), Ms(t, blink) + 900);
        EXPECT_EQ(t[size_t(next)].text, "scene " + std::to_string(button - 1));
    }
}

TEST(StarScript, ACutRecordedInStarPlaysBackFromTheHubWithTheSameSoundsAndGaps) {
    const plat::Point e = Empty();
    const std::string script = EnterWorld(1) + kOpenPalette + kRecord +
        // sta1 in mode 0, then stc2 sets mode 1, then sta1 again.
        Move(Spot(100)) + "wait 300\n" + Click(Spot(100)) + "wait 300\n" + Move(Spot(310)) + "wait 3000\n" +
        Move(Spot(100)) + "wait 300\n" + Click(Spot(100)) + "wait 500\n" + Move(e) + "wait 200\n" + kStop +
        "key tab\nwait 300\n" + PlayCutFromHub(kStar, 12000);
    const std::vector<TraceLine> t = RunScript("star-cut", script);
    const CutTrace cut = FindCut(t, "Star.1", 1);
    ASSERT_GT(cut.ended, cut.resumed);
    ASSERT_GT(cut.resumed, cut.stopped);

    // Leaving a moon sounds a random noise: any of them will do.
    auto sounds = [&](int from, int to) {
        std::vector<TimedSound> out = SoundsOf(t, "st", from, to);
        for (TimedSound& s : out)
            if (s.file.rfind("Stnoiz_", 0) == 0) s.file = "Stnoiz_";
        return out;
    };
    const std::vector<TimedSound> recorded = sounds(cut.recording, cut.stopped);
    std::vector<std::string> files;
    for (const TimedSound& s : recorded) files.push_back(s.file);
    EXPECT_EQ(files, (std::vector<std::string>{"sta1.wav", "sta1_c.wav", "Stc2.wav", "Stnoiz_", "sta1_c.wav",
                                               "sta1.wav"}));
    ExpectReplayed(recorded, sounds(cut.resumed, cut.ended));
}

}  // namespace
}  // namespace hubtest
