// The hub driven through the real program: scripted headless runs, checked
// through the trace (docs/scripting.md and docs/hub.md list the lines).

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "tests/scenes/HubRun.h"

namespace hubtest {
namespace {

std::string At(const char* command, plat::Point p) {
    return std::string(command) + " " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}

// Start-up is over once the intro has run; the script's first step comes then.
const char* const kStart = "wait 10\n";

// How often each world flashed in trace[from, to).
std::map<std::string, int> Flashes(const std::vector<TraceLine>& trace, int from, int to) {
    std::map<std::string, int> seen;
    for (int i = from; i < to; ++i)
        if (trace[static_cast<size_t>(i)].text.rfind("hub flash ", 0) == 0) ++seen[trace[static_cast<size_t>(i)].text.substr(10)];
    return seen;
}

const std::map<std::string, int> kEachWorldOnce = {{"80", 1}, {"90", 1}, {"100", 1}, {"110", 1}, {"120", 1}};

// A point of the stage outside the halo and every hot-spot.
plat::Point Outside() {
    return {kHubOrigin.x + 600, kHubOrigin.y + 455};
}

TEST(HubScript, StartUpConfinesThePointerUntilTheIntroHasFlashedEveryWorldOnce) {
    const std::vector<TraceLine> t = RunScript("startup", kStart);
    const int scene = Find(t, "scene 0");
    ASSERT_GE(scene, 0);
    EXPECT_GE(t[static_cast<size_t>(scene)].ms, 2500u);
    const int clip = Find(t, "clip ", scene);
    ASSERT_GE(clip, 0);
    // 2 x 2 pixels at stage point (291, 408).
    EXPECT_EQ(t[static_cast<size_t>(clip)].text, "clip 306 415 308 417");
    const int released = Find(t, "clip off", clip);
    ASSERT_GT(released, clip);
    EXPECT_EQ(Flashes(t, clip, released), kEachWorldOnce);
    EXPECT_EQ(Find(t, "hub flash", released), -1);
    EXPECT_GE(Find(t, "cursor 1", released), 0);
}

TEST(HubScript, GoWithNoLitWorldRefusesAndFlashesEveryWorldOnce) {
    const plat::Point go = HubDrive::Get().PointIn(GoMask());
    const std::vector<TraceLine> t = RunScript("go-refused", std::string(kStart) + At("click", go) + "wait 2000\n");
    const int refused = Find(t, "play 12 Cea1_no.wav");
    ASSERT_GE(refused, 0);
    EXPECT_EQ(Flashes(t, refused, static_cast<int>(t.size())), kEachWorldOnce);
    EXPECT_EQ(Find(t, "scene ", refused), -1);
}

TEST(HubScript, WorldRollOverSoundsFollowTheChosenWorld) {
    const HubDrive& d = HubDrive::Get();
    const plat::Point w80 = d.PointIn(WorldMask(80)), w90 = d.PointIn(WorldMask(90)), w100 = d.PointIn(WorldMask(100));
    const std::vector<TraceLine> t = RunScript(
        "world-sounds", std::string(kStart) + At("move", w80) + "wait 300\n" + At("click", w90) + "wait 300\n" +
                            At("move", w80) + "wait 300\n" + At("move", w100) + "wait 300\n");
    const int first = Find(t, "play 81 cet16.wav");
    ASSERT_GE(first, 0) << "before a choice a world plays its \"6\" variant";
    const int chosen = Find(t, "hub choose 90", first);
    ASSERT_GE(chosen, 0);
    EXPECT_GE(Find(t, "loop start 92 cet27.wav", chosen), 0);
    // After choosing world 2 every world's "1" slot plays its "2" variant.
    const int after80 = Find(t, "play 80 cet12.wav", chosen);
    EXPECT_GE(after80, 0);
    EXPECT_GE(Find(t, "play 100 cet32.wav", after80), 0);
    EXPECT_EQ(Find(t, "play 81 ", chosen), -1);
}

TEST(HubScript, ClickingTheChosenWorldAgainStopsItsLoopAndSwapsItsPicturesBack) {
    const plat::Point w80 = HubDrive::Get().PointIn(WorldMask(80));
    const std::vector<TraceLine> t =
        RunScript("unchoose", std::string(kStart) + At("click", w80) + "wait 500\n" + At("click", w80) + "wait 500\n");
    const int swapped = Find(t, "hub swap 80");
    ASSERT_GE(swapped, 0);
    const int stopped = Find(t, "loop stop 82", swapped);
    ASSERT_GT(stopped, swapped);
    EXPECT_GE(Find(t, "hub restore 80", swapped), 0);
    EXPECT_EQ(Texts(t, "hub choose").size(), 1u);
    EXPECT_EQ(Texts(t, "loop start").size(), 1u);
}

TEST(HubScript, LeavingTheHaloUnlightsANonChosenWorld) {
    const plat::Point w110 = HubDrive::Get().PointIn(WorldMask(110));
    const std::vector<TraceLine> t =
        RunScript("leave-halo", std::string(kStart) + At("move", w110) + "wait 300\n" + At("move", Outside()) + "wait 300\n");
    const int lit = Find(t, "hub light 110");
    ASSERT_GE(lit, 0);
    const int unlit = Find(t, "hub unlight 110", lit);
    ASSERT_GT(unlit, lit);
    EXPECT_GE(Find(t, "play 210 Cehaloot.wav", unlit), 0);
}

TEST(HubScript, ReEnteringALitWorldShowsItsAlternatePictureAndStaysLit) {
    const HubDrive& d = HubDrive::Get();
    const plat::Point w110 = d.PointIn(WorldMask(110));
    const plat::Point ring = d.PointIn(HaloMask(), HotspotMasks());  // inside the halo, on no hot-spot
    const std::vector<TraceLine> t = RunScript(
        "re-enter", std::string(kStart) + At("move", w110) + "wait 300\n" + At("move", ring) + "wait 300\n" +
                        At("move", w110) + "wait 300\n");
    const int first = Find(t, "hub light 110");
    ASSERT_GE(first, 0);
    const int again = Find(t, "hub light 110", first + 1);
    ASSERT_GT(again, first);
    EXPECT_EQ(Find(t, "hub unlight 110", first), -1) << "it never went dark";
    // The roll-over sound, then 200 ms of the alternate picture before it is lit again.
    int sound = first + 1;  // sound 111 again, or a duplicate of it
    while (sound < again && t[static_cast<size_t>(sound)].text.find(" cet46.wav") == std::string::npos) ++sound;
    ASSERT_LT(sound, again);
    EXPECT_EQ(t[static_cast<size_t>(again)].ms - t[static_cast<size_t>(sound)].ms, 200u);
}

TEST(HubScript, HelpScreenRefusesTabPairsRegionsAndLeavesOnlyThroughGo) {
    const HubDrive& d = HubDrive::Get();
    const std::vector<MaskAt> regions = HelpMasks();
    auto region = [&](size_t n) {  // 1-based, as traced
        return d.PointIn(regions[n - 1], std::vector<MaskAt>(regions.begin(), regions.begin() + long(n - 1)));
    };
    const plat::Point help = d.PointIn(ControlMask(34), {GoMask(), ControlMask(30)});
    const std::string script = std::string(kStart) + At("click", help) + "wait 300\nkey tab\nwait 300\n" +
                               At("move", region(16)) + "wait 300\n" + At("move", region(17)) + "wait 300\n" +
                               At("move", region(1)) + "wait 1000\n" + At("down", region(1)) + At("up", region(1)) +
                               "wait 1000\n" + At("click", {3, 3}) + "wait 1000\n" + At("click", region(2)) +
                               "wait 300\n";
    const std::vector<TraceLine> t = RunScript("help", script);
    const int on = Find(t, "help on");
    ASSERT_GE(on, 0);
    const int refused = Find(t, "play 30 Nonono.wav", on);
    EXPECT_GT(refused, on) << "Tab in help plays the refusal sound";
    EXPECT_EQ(Find(t, "palette", on), -1);

    // Onto record region 1: both pictures; onto its partner: both hidden, both shown.
    std::vector<std::string> help16to17;
    for (size_t i = static_cast<size_t>(on); i < t.size(); ++i)
        if (t[i].text.rfind("help show", 0) == 0 || t[i].text.rfind("help hide", 0) == 0) help16to17.push_back(t[i].text);
    ASSERT_GE(help16to17.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(help16to17.begin(), help16to17.begin() + 6),
              (std::vector<std::string>{"help show 17", "help show 16", "help hide 17", "help hide 16",
                                        "help show 16", "help show 17"}));

    // The click on a plain region and the one outside every region: sound only.
    const int shown1 = FindLine(t, "help show 1", on);
    ASSERT_GE(shown1, 0);
    const uint32_t clicks = t[static_cast<size_t>(shown1)].ms + 1000;
    const int ontoGo = FindLine(t, "help show 2", shown1);
    const int off = FindLine(t, "help off", shown1);
    ASSERT_GT(ontoGo, shown1);
    ASSERT_GT(off, ontoGo);
    int sounds = 0;
    for (int i = shown1; i < ontoGo; ++i) {
        const TraceLine& l = t[static_cast<size_t>(i)];
        if (l.ms < clicks || l.text == "help hide 1") continue;  // the move off region 1
        EXPECT_EQ(l.text.rfind("play ", 0), 0u) << l.text;
        ++sounds;
    }
    EXPECT_GE(sounds, 2);
}

TEST(HubScript, VolumeListMarksTheCurrentLevel) {
    const HubDrive& d = HubDrive::Get();
    const plat::Point strip = MenuStripPoint(), volume = d.PointIn(MenuHeadingMask(2));
    const std::string script = std::string(kStart) + At("move", strip) + At("move", volume) + At("down", volume) +
                               At("move", MenuEntryPoint(2, 2)) + At("up", MenuEntryPoint(2, 2)) + "wait 100\n" +
                               At("move", strip) + At("move", volume) + At("down", volume) + At("up", volume) +
                               "wait 100\n";
    const std::vector<TraceLine> t = RunScript("menu-volume", script);
    const int opened = Find(t, "menu open");
    ASSERT_GE(opened, 0);
    const int mark1 = Find(t, "menu mark 1", opened);
    ASSERT_GE(mark1, 0);
    const int command = Find(t, "menu command 3", mark1);
    ASSERT_GE(command, 0);
    EXPECT_GE(Find(t, "volume 3", command), 0);
    EXPECT_GE(Find(t, "menu mark 3", command), 0);
    // The second press and release highlighted nothing: no command again.
    EXPECT_EQ(Texts(t, "menu command").size(), 1u);
}

TEST(HubScript, MovingOffAHighlightedEntryBeforeReleasingYieldsNoCommand) {
    const HubDrive& d = HubDrive::Get();
    const plat::Point strip = MenuStripPoint(), file = d.PointIn(MenuHeadingMask(1));
    const std::string script = std::string(kStart) + At("move", strip) + At("move", file) + At("down", file) +
                               At("move", MenuEntryPoint(1, 0)) + At("move", file) + At("up", file) + "wait 100\n";
    const std::vector<TraceLine> t = RunScript("menu-off", script);
    ASSERT_GE(Find(t, "menu open"), 0);
    EXPECT_GE(Find(t, "menu close"), 0);
    EXPECT_TRUE(Texts(t, "menu command").empty());
    EXPECT_TRUE(Texts(t, "scene ").size() == 1u) << "no session command ran";
}

TEST(HubScript, AClickInTheAboutBoxClosesItAndStopsTheTune) {
    const HubDrive& d = HubDrive::Get();
    const plat::Point strip = MenuStripPoint(), about = d.PointIn(MenuHeadingMask(0));
    const std::string script = std::string(kStart) + At("move", strip) + At("move", about) + At("down", about) +
                               At("move", MenuEntryPoint(0, 0)) + At("up", MenuEntryPoint(0, 0)) + "wait 500\n" +
                               At("click", {200, 200}) + "wait 100\n";
    const std::vector<TraceLine> t = RunScript("about", script);
    const int command = Find(t, "menu command 10");
    ASSERT_GE(command, 0);
    const int tune = Find(t, "loop start 21", command);
    ASSERT_GE(tune, 0);
    const std::string id = t[static_cast<size_t>(tune)].text.substr(11, 3);
    EXPECT_GE(std::stoi(id), 215);
    EXPECT_LE(std::stoi(id), 218);
    const int confined = Find(t, "clip 0 0 378 386", tune);
    ASSERT_GT(confined, tune);
    const int stopped = Find(t, "loop stop " + id, confined);
    ASSERT_GT(stopped, confined);
    EXPECT_GE(Find(t, "clip off", confined), 0);
    EXPECT_GT(t[static_cast<size_t>(stopped)].ms, t[static_cast<size_t>(confined)].ms) << "the box waited for the click";
}

TEST(HubScript, CompleteDiscShowsNoFailures) {
    if (!HubDrive::Get().Complete()) GTEST_SKIP() << "the generated disc has no hub pictures yet";
    const HubDrive& d = HubDrive::Get();
    std::string script = kStart;
    for (const MaskAt& m : HotspotMasks()) script += At("move", d.PointIn(m));
    script += At("move", MenuStripPoint()) + At("move", Outside());
    script += At("click", d.PointIn(ControlMask(34), {GoMask(), ControlMask(30)})) + "wait 300\n";
    const std::vector<TraceLine> t = RunScript("complete", script);
    EXPECT_TRUE(Texts(t, "message").empty()) << Texts(t, "message").front();
    EXPECT_GE(Find(t, "help on"), 0);
}

}  // namespace
}  // namespace hubtest
