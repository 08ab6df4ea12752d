#include "tests/scenes/WorldRun.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tools/assetgen/Layout.h"

namespace hubtest {

namespace {

const ag::SceneLayout& LayoutOf(const std::string& name) {
    static const std::vector<ag::SceneLayout> all = ag::AllLayouts();
    auto same = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    };
    for (const ag::SceneLayout& l : all)
        if (same(l.name, name)) return l;
    throw std::runtime_error("no layout " + name);
}

plat::Point PointAmong(const ag::SceneLayout& l, int id, plat::Point origin) {
    std::vector<MaskAt> before;
    for (const ag::HotspotLayout& h : l.hotspots) {
        if (h.id == id) return HubDrive::Get().PointIn({h.mask, {h.x, h.y}}, before, origin);
        before.push_back({h.mask, {h.x, h.y}});
    }
    throw std::runtime_error("no hot-spot " + std::to_string(id) + " in " + l.name);
}

}  // namespace

plat::Point WorldOrigin(const std::string& world) {
    const ag::SceneLayout& l = LayoutOf(world);
    return {(640 - l.stageWidth) / 2, (480 - l.stageHeight) / 2};
}

plat::Point SpotPoint(const std::string& world, int id) { return PointAmong(LayoutOf(world), id, WorldOrigin(world)); }

plat::Point NavPoint(const std::string& world, int id) {
    return PointAmong(LayoutOf("navbar " + world), id, WorldOrigin(world));
}

plat::Point EmptyPoint(const std::string& world) {
    const ag::SceneLayout& l = LayoutOf(world);
    std::vector<MaskAt> all;
    for (const ag::HotspotLayout& h : l.hotspots) all.push_back({h.mask, {h.x, h.y}});
    for (const ag::HotspotLayout& h : LayoutOf("navbar " + world).hotspots) all.push_back({h.mask, {h.x, h.y}});
    const plat::Point o = WorldOrigin(world);
    // Scan the middle row of the stage for a free stretch.
    for (int x = 40; x < l.stageWidth - 40; x += 7) {
        const plat::Point p{o.x + x, o.y + l.stageHeight / 2};
        if (!HubDrive::Get().Accepts(all, p, o)) return p;
    }
    throw std::runtime_error("no empty point in " + world);
}

std::vector<GapSound> SoundsWithGaps(const std::vector<TraceLine>& t, const std::string& prefix, int from, int to) {
    std::vector<GapSound> out;
    uint32_t last = 0;
    for (int i = std::max(from, 0); i < to && i < static_cast<int>(t.size()); ++i) {
        const std::string file = SoundFile(t[size_t(i)]);
        const bool match = file.size() >= prefix.size() &&
                           std::equal(prefix.begin(), prefix.end(), file.begin(), [](char a, char b) {
                               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                           });
        if (!match) continue;
        out.push_back({out.empty() ? 0 : t[size_t(i)].ms - last, file});
        last = t[size_t(i)].ms;
    }
    return out;
}

void ExpectSameSoundsAndGaps(const std::vector<GapSound>& recorded, const std::vector<GapSound>& replayed) {
    ASSERT_EQ(replayed.size(), recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i) {
        EXPECT_EQ(replayed[i].file, recorded[i].file) << i;
        EXPECT_GE(replayed[i].gap, recorded[i].gap) << i;
        EXPECT_LE(replayed[i].gap, recorded[i].gap + 10) << i;
    }
}

std::string PlayCutFromHub(const std::string& world, int waitMs) {
    return Move(NavPoint(world, 0)) + Click(NavPoint(world, 0)) + "wait 100\n" + Move(NavPoint(world, 1)) +
           "wait 50\n" + Click(NavPoint(world, 1)) + "wait 2500\n" + kOpenPalette + kPlay + "wait " +
           std::to_string(waitMs) + "\n";
}

CutRun FindCutRun(const std::vector<TraceLine>& t, const std::string& label, int scene) {
    CutRun run;
    run.recording = FindLine(t, "label " + label);
    EXPECT_GT(run.recording, 0) << label;
    run.stopped = FindLine(t, "play 1000 Restop_c.wav", run.recording);
    EXPECT_GT(run.stopped, run.recording);
    const int hub = FindLine(t, "scene 0", run.stopped);
    const int back = FindLine(t, "scene " + std::to_string(scene), hub);
    EXPECT_GT(hub, run.stopped);
    EXPECT_GT(back, hub);
    run.resumed = FindLine(t, "palette 5 30", back);
    EXPECT_GT(run.resumed, back);
    run.ended = FindLine(t, "play 1003 Resmall.wav", run.resumed);
    EXPECT_GT(run.ended, run.resumed);
    return run;
}

std::string Move(plat::Point p) { return "move " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }
std::string Click(plat::Point p) { return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }

std::string EnterWorld(int scene, int settleMs) {
    const HubDrive& d = HubDrive::Get();
    return "wait 10\n" + Click(d.PointIn(WorldMask(70 + 10 * scene))) + "wait 300\n" + Click(d.PointIn(GoMask())) +
           "wait " + std::to_string(settleMs) + "\n";
}

}  // namespace hubtest
