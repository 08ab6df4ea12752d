// Gama driven through the real program, entered from the hub as a user does;
// checked through the trace (docs/scripting.md lists the lines).

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "recording/codec/SessionFile.h"
#include "tests/scenes/WorldRun.h"

namespace hubtest {
namespace {

const std::string kGama = "gama";

plat::Point Spot(int id) { return SpotPoint(kGama, id); }
plat::Point Empty() { return EmptyPoint(kGama); }
plat::Point Nav(int id) { return NavPoint(kGama, id); }
std::string Down(plat::Point p) { return "down " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }
std::string Up(plat::Point p) { return "up " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }
std::string CtrlClick(plat::Point p) { return "keydown ctrl\n" + Click(p) + "wait 50\nkeyup ctrl\n"; }

// The texts of t[from, to) that start with `prefix`.
std::vector<std::string> Between(const std::vector<TraceLine>& t, const std::string& prefix, int from, int to) {
    std::vector<std::string> out;
    for (int i = std::max(from, 0); i < to && i < static_cast<int>(t.size()); ++i)
        if (t[static_cast<size_t>(i)].text.rfind(prefix, 0) == 0) out.push_back(t[static_cast<size_t>(i)].text);
    return out;
}

// Expects `looks` ("gama look ID MODE FILE" lines) to be `count` hot-spots
// of ids first..last, in rising order, each stepped to `mode` and the sound
// file of that look.
void ExpectQuarterStepped(const std::vector<std::string>& looks, int first, int last, int mode, size_t count) {
    EXPECT_EQ(looks.size(), count);
    int previous = first - 1;
    for (const std::string& line : looks) {
        std::istringstream words(line.substr(std::string("gama look ").size()));
        int id = 0, stepped = 0;
        std::string file;
        words >> id >> stepped >> file;
        EXPECT_TRUE(id > previous && id <= last && stepped == mode) << line;
        EXPECT_TRUE(file.ends_with(std::string(1, "abc"[mode - 1]) + ".wav")) << line;
        previous = id;
    }
}

// The first line after Gama has loaded (its default cursor back).
int Loaded(const std::vector<TraceLine>& t) { return FindLine(t, "cursor 1", FindLine(t, "scene 5")); }

TEST(GamaScript, ClicksStepLookAndSoundForwardAndWithCtrlBackward) {
    const plat::Point e = Empty(), gong = Spot(100), bar = Spot(110);
    const std::string script = EnterWorld(5) +
        // Three clicks take the gong round its looks; entering again plays look 1's sound.
        Move(gong) + "wait 100\n" + Click(gong) + "wait 100\n" + Click(gong) + "wait 100\n" + Click(gong) +
        "wait 100\n" + Move(e) + "wait 100\n" + Move(gong) + "wait 100\n" + Move(e) + "wait 100\n" +
        // Ctrl steps back from look 1 to 3.
        Move(bar) + "wait 100\n" + CtrlClick(bar) + "wait 100\n" + Move(e) + "wait 100\n" + Move(bar) + "wait 100\n" +
        // The gong's drum (600) steps the gong (300); the background has a click of its own.
        Move(Spot(600)) + "wait 100\n" + Click(Spot(600)) + "wait 100\n" + Move(Spot(300)) + "wait 100\n" + Click(e) +
        "wait 100\n";
    const std::vector<TraceLine> t = RunScript("gama-looks", script);
    const int start = Loaded(t);
    ASSERT_GT(start, 0);
    EXPECT_EQ(Between(t, "gama look", start, static_cast<int>(t.size())),
              (std::vector<std::string>{"gama look 100 2 Ga1_1b.wav", "gama look 100 3 Ga1_1c.wav",
                                        "gama look 100 1 Ga1_1a.wav", "gama look 110 3 Ga1_2c.wav",
                                        "gama look 300 2 Ga3_1ab.wav"}));
    const std::vector<std::string> plays = Between(t, "play ", start, static_cast<int>(t.size()));
    EXPECT_EQ(plays, (std::vector<std::string>{"play 100 Ga1_1a.wav", "play 100 Ga1_1a.wav", "play 110 Ga1_2a.wav",
                                               "play 110 Ga1_2c.wav", "play 600 Ga3_1ba.wav", "play 300 Ga3_1ab.wav",
                                               "play 950 Gamisc.wav"}))
        << "a click itself is silent";
}

TEST(GamaScript, ACentreButtonStepsItsQuarterOnlyAfterAButtonDownOnIt) {
    const plat::Point e = Empty();
    const std::string script = EnterWorld(5) +
        // Quarter 2 (top right) forward.
        Move(Spot(702)) + "wait 100\n" + Click(Spot(702)) + "wait 100\n" + Move(e) + "wait 100\n" +
        // Dragged in with the button down elsewhere: no step.
        Down(e) + "wait 50\n" + Move(Spot(700)) + "wait 50\n" + Up(Spot(700)) + "wait 100\n" + Move(e) + "wait 100\n" +
        // Quarter 4 (bottom right) backward, loop bells included.
        Move(Spot(706)) + "wait 100\n" + CtrlClick(Spot(706)) + "wait 100\n";
    const std::vector<TraceLine> t = RunScript("gama-centre", script);
    const int start = Loaded(t);
    ASSERT_GT(start, 0);
    const int entered = FindLine(t, "spot lit 702", start);
    ASSERT_GT(entered, start);
    EXPECT_EQ(t[static_cast<size_t>(entered + 1)].text, "play 345 Ga3_6a.wav");
    EXPECT_GE(FindLine(t, "cursor 7", start), 0);
    const int row = FindLine(t, "play 200 Ga2_1a.wav", entered);
    ASSERT_GT(row, entered);
    const int released = FindLine(t, "spot unlit 702", row);
    ASSERT_GT(released, row);
    ExpectQuarterStepped(Between(t, "gama look", row, released), 200, 270, 2, 8);
    const int left = FindSound(t, "Ga4_8a.wav", released);
    ASSERT_GT(left, released) << "leaving a centre button sounds";

    const int dragged = FindLine(t, "spot lit 700", left);
    ASSERT_GT(dragged, left);
    EXPECT_EQ(t[static_cast<size_t>(dragged + 1)].text, "play 375 Ga3_9a.wav");
    const int next = FindLine(t, "spot lit 706", dragged);
    ASSERT_GT(next, dragged);
    EXPECT_EQ(Between(t, "gama look", dragged, next), std::vector<std::string>{});
    EXPECT_EQ(Find(t, "play 100 ", dragged), -1);

    const int back = FindLine(t, "play 400 Ga4_1aa.wav", next);
    ASSERT_GT(back, next);
    ExpectQuarterStepped(Between(t, "gama look", back, static_cast<int>(t.size())), 400, 465, 3, 9);
}

TEST(GamaScript, ALoopBellStaysLitWhileItsLoopPlays) {
    const plat::Point e = Empty(), first = Spot(345), second = Spot(355);
    const std::string script = EnterWorld(5) +
        // Start the first bell's loop and leave the bell: it stays lit.
        Move(first) + "wait 100\n" + Click(first) + "wait 300\n" + Move(e) + "wait 100\n" +
        // Another bell only stops it.
        Move(second) + "wait 100\n" + Click(second) + "wait 300\n" +
        // The second bell's loop, stopped by the bell itself, then started again.
        Click(second) + "wait 300\n" + Click(second) + "wait 300\n" + Click(second) + "wait 300\n" + Move(e) +
        "wait 100\n" +
        // Another bell stops that loop; its next click starts its own, which
        // the palette stops as it turns compact: the bell goes dark.
        Move(Spot(445)) + "wait 100\n" + Click(Spot(445)) + "wait 300\n" + Click(Spot(445)) + "wait 300\n" + Move(e) +
        "wait 100\n" + kOpenPalette + kRecord + kStop;
    const std::vector<TraceLine> t = RunScript("gama-loops", script);
    const int start = Loaded(t);
    ASSERT_GT(start, 0);
    const int first0 = FindLine(t, "loop start 345 Galp1.wav", start);
    ASSERT_GT(first0, start);
    EXPECT_EQ(t[static_cast<size_t>(first0 - 1)].text, "play 952 Galoop_c.wav");
    EXPECT_GE(FindLine(t, "cursor 3", start), 0);
    const int stop0 = FindLine(t, "loop stop 345", first0);
    ASSERT_GT(stop0, first0);
    EXPECT_EQ(t[static_cast<size_t>(stop0 - 1)].text, "play 954 Galoop2.wav");
    EXPECT_EQ(FindLine(t, "spot unlit 345", first0), stop0 + 1) << "lit until its loop stops";
    EXPECT_EQ(Between(t, "gama look", first0, stop0 + 2), std::vector<std::string>{});

    const int second0 = FindLine(t, "loop start 355 Galp2.wav", stop0);
    ASSERT_GT(second0, stop0);
    EXPECT_EQ(Find(t, "loop start", stop0), second0) << "the click that stopped the first started nothing";
    const int stop1 = FindLine(t, "loop stop 355", second0);
    ASSERT_GT(stop1, second0);
    const int stepped = NextNotBusy(t, stop1);
    EXPECT_EQ(t[static_cast<size_t>(stepped)].text, "gama look 355 2 Ga3_7b.wav");
    EXPECT_EQ(t[static_cast<size_t>(NextNotBusy(t, stepped))].text, "spot unlit 355");
    const int second1 = FindLine(t, "loop start 355 Galp2.wav", stop1);
    ASSERT_GT(second1, stop1);
    EXPECT_EQ(FindLine(t, "spot lit 355", stop1), second1 + 1) << "lit again with its loop";
    const int stop2 = FindLine(t, "loop stop 355", second1);
    ASSERT_GT(stop2, second1);

    const int third = FindLine(t, "loop start 445 Galp6.wav", stop2);
    ASSERT_GT(third, stop2);
    const int compact = FindLine(t, "palette 5 30", third);
    ASSERT_GT(compact, third);
    const int stop3 = FindLine(t, "loop stop 445", third);
    ASSERT_GT(stop3, third);
    EXPECT_LT(stop3, compact);
    EXPECT_EQ(FindLine(t, "spot unlit 445", third), stop3 + 1);
}

TEST(GamaScript, TheMiddleColumnAndRowBelongToTheRightAndLowerQuarters) {
    // Bell 435 (bottom right) reaches left over the column x = 320; the long
    // bell 260 (top right) hangs down over the row y = 240. The stage fills
    // the screen, so stage and screen points are the same.
    ASSERT_EQ(WorldOrigin(kGama), (plat::Point{0, 0}));
    const HubDrive& d = HubDrive::Get();
    const plat::Point o{0, 0};
    plat::Point column{-1, -1}, row{-1, -1};
    for (int y = 415; y < 461 && column.x < 0; ++y)
        if (d.Accepts({SpotMask(kGama, 435)}, {318, y}, o) && d.Accepts({SpotMask(kGama, 435)}, {321, y}, o))
            column = {320, y};
    for (int x = 530; x < 550 && row.x < 0; ++x)
        if (d.Accepts({SpotMask(kGama, 260)}, {x, 238}, o) && d.Accepts({SpotMask(kGama, 260)}, {x, 241}, o))
            row = {x, 240};
    ASSERT_GE(column.x, 0);
    ASSERT_GE(row.x, 0);
    const std::string script = EnterWorld(5) + Move(column) + "wait 100\n" + Move({319, column.y}) + "wait 100\n" +
                               Move({row.x, 239}) + "wait 100\n" + Move(row) + "wait 100\n";
    const std::vector<TraceLine> t = RunScript("gama-quarters", script);
    const int start = Loaded(t);
    ASSERT_GT(start, 0);
    EXPECT_EQ(Between(t, "spot ", start, static_cast<int>(t.size())),
              (std::vector<std::string>{"spot lit 435", "spot unlit 435", "spot lit 260", "spot unlit 260"}));
}

TEST(GamaScript, TheBarAtTheStageEdgesTakesYouToTheHubAndTheOtherWorlds) {
    ASSERT_EQ(SpotMask("navbar gama", 0).at, (plat::Point{616, 459}));
    // To Troid and back, Gama's own button (the bar stays open), the hub.
    const std::string script = EnterWorld(5) + ThroughBar(kGama, 5, 5000) + ThroughBar("troid", 6, 1500) +
                               ThroughBar(kGama, 6, 1500) + Move(Nav(1)) + "wait 50\n" + Click(Nav(1)) + "wait 1500\n";
    const std::vector<TraceLine> t = RunScript("gama-navbar", script);
    const int start = Loaded(t);
    ASSERT_GT(start, 0);
    const int light = FindLine(t, "nav light", start);
    ASSERT_GT(light, start);
    EXPECT_EQ(t[static_cast<size_t>(light - 1)].text, "play 60 Navup.wav");
    EXPECT_GT(FindLine(t, "nav open", light), light);
    EXPECT_EQ(Texts(t, "scene "), (std::vector<std::string>{"scene 0", "scene 5", "scene 4", "scene 5", "scene 0"}));
    const int own = FindLine(t, "nav blink 6", FindLine(t, "scene 5", FindLine(t, "scene 4")));
    ASSERT_GT(own, 0);
    EXPECT_EQ(Find(t, "scene ", own), FindLine(t, "scene 0", own)) << "Gama's own button stays";

    // Star, Day and kBot, each from a run of its own.
    for (int button = 2; button <= 4; ++button) {
        const std::vector<TraceLine> w =
            RunScript("gama-navbar-" + std::to_string(button), EnterWorld(5) + ThroughBar(kGama, button, 1500));
        const int blink = FindLine(w, "nav blink " + std::to_string(button));
        ASSERT_GT(blink, 0) << button;
        const int scene = Find(w, "scene ", blink);
        ASSERT_GT(scene, blink) << button;
        const std::string text = w[static_cast<size_t>(scene)].text;
        EXPECT_EQ(text, "scene " + std::to_string(button - 1));
        EXPECT_EQ(Ms(w, scene), Ms(w, blink) + 900);
    }
}

TEST(GamaScript, ACutRecordedInGamaPlaysBackFromTheHub) {
    const plat::Point e = Empty(), bar = Spot(410), centre = Spot(704);
    const std::string script = EnterWorld(5) + kOpenPalette + kRecord +
        // A look stepped by a click, heard on the way back in.
        Move(bar) + "wait 300\n" + Click(bar) + "wait 200\n" + Move(e) + "wait 250\n" + Move(bar) + "wait 300\n" +
        // Quarter 3 stepped by its button; the quarter 1 button dragged into does nothing.
        Move(centre) + "wait 200\n" + Click(centre) + "wait 300\n" + Move(e) + "wait 200\n" + Down(e) + "wait 50\n" +
        Move(Spot(700)) + "wait 200\n" + Up(Spot(700)) + "wait 200\n" + Move(Spot(320)) + "wait 300\n" + Click(e) +
        "wait 300\n" + kStop + "key tab\nwait 300\n" +
        // Back to the hub with the bar, and play the cut there.
        ThroughBar(kGama, 1) + kOpenPalette + kPlay + "wait 9000\n" +
        // Saved, to read what was recorded.
        "file cut.sts\nkeydown ctrl\nkey s\nkeyup ctrl\nwait 300\n";
    const std::vector<TraceLine> t = RunScript("gama-cut", script);
    const CutTrace cut = FindCut(t, "Gama.1", 5);
    ASSERT_GT(cut.recording, 0);
    ASSERT_GT(cut.stopped, cut.recording);
    ASSERT_GT(cut.resumed, cut.stopped);
    ASSERT_GT(cut.ended, cut.resumed);

    const std::vector<TimedSound> recorded = SoundsOf(t, "ga", cut.recording, cut.stopped);
    // 410 (a, then b), 704 in, quarter 3's click, 704 out, 700 in and out, 320 (b), the background.
    ASSERT_EQ(recorded.size(), 9u);
    // A click that leaves a hot-spot is two events of one moment, after a
    // move that was two: a sound may come two ticks late.
    ExpectReplayed(recorded, SoundsOf(t, "ga", cut.resumed, cut.ended), 20);
    EXPECT_EQ(Between(t, "gama look", cut.resumed, cut.ended), Between(t, "gama look", cut.recording, cut.stopped));

    // The press on the quarter 3 button is recorded (2) before its click (3);
    // the quarter 1 button dragged into records only its roll-over and click.
    std::ifstream in(RunDir("gama-cut") / "home" / "cut.sts", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SessionTracks tracks;
    std::string error;
    ASSERT_TRUE(ReadSessionFile(bytes, tracks, error)) << error;
    ASSERT_TRUE(tracks[0]);
    std::string kinds;
    for (const SessionEvent& event : tracks[0]->events) kinds += std::to_string(event.kind);
    EXPECT_EQ(kinds, "131111231131113");
}

}  // namespace
}  // namespace hubtest
