#include "tests/scenes/WorldRun.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "tools/assetgen/Layout.h"

namespace hubtest {

namespace {

const ag::SceneLayout* FindLayout(const std::string& name) {
    static const std::vector<ag::SceneLayout> all = ag::AllLayouts();
    auto same = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    };
    for (const ag::SceneLayout& l : all)
        if (same(l.name, name)) return &l;
    return nullptr;
}

const ag::SceneLayout& LayoutOf(const std::string& name) {
    if (const ag::SceneLayout* l = FindLayout(name)) return *l;
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

MaskAt SpotMask(const std::string& world, int id) {
    for (const ag::HotspotLayout& h : LayoutOf(world).hotspots)
        if (h.id == id) return {h.mask, {h.x, h.y}};
    throw std::runtime_error("no hot-spot " + std::to_string(id) + " in " + world);
}

plat::Point SpotPoint(const std::string& world, int id) { return PointAmong(LayoutOf(world), id, WorldOrigin(world)); }

plat::Point NavPoint(const std::string& world, int id) {
    return PointAmong(LayoutOf("navbar " + world), id, WorldOrigin(world));
}

plat::Point EmptyPoint(const std::string& world) {
    const ag::SceneLayout& l = LayoutOf(world);
    std::vector<MaskAt> all;
    for (const ag::HotspotLayout& h : l.hotspots) all.push_back({h.mask, {h.x, h.y}});
    if (const ag::SceneLayout* bar = FindLayout("navbar " + world))  // the hub has none
        for (const ag::HotspotLayout& h : bar->hotspots) all.push_back({h.mask, {h.x, h.y}});
    const plat::Point o = WorldOrigin(world);
    // Scan the middle row of the stage for a free stretch.
    for (int x = 40; x < l.stageWidth - 40; x += 7) {
        const plat::Point p{o.x + x, o.y + l.stageHeight / 2};
        if (!HubDrive::Get().Accepts(all, p, o)) return p;
    }
    throw std::runtime_error("no empty point in " + world);
}

std::string PlayCutFromHub(const std::string& world, int waitMs) {
    return ToHubByBar(world) + kOpenPalette + kPlay + "wait " + std::to_string(waitMs) + "\n";
}

std::string Move(plat::Point p) { return "move " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }
std::string Click(plat::Point p) { return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }

std::string ThroughBar(const std::string& world, int id, int settleMs) {
    const plat::Point toggle = NavPoint(world, 0), button = NavPoint(world, id);
    return Move(toggle) + "wait 50\n" + Click(toggle) + "wait 100\n" + Move(button) + "wait 50\n" + Click(button) +
           "wait " + std::to_string(settleMs) + "\n";
}

CutTrace FindCut(const std::vector<TraceLine>& t, const std::string& label, int world) {
    CutTrace c;
    c.recording = FindLine(t, "label " + label);
    if (c.recording < 0) return c;
    c.stopped = FindLine(t, "play 1000 Restop_c.wav", c.recording);
    if (c.stopped < 0) return c;
    const int back = FindLine(t, "scene " + std::to_string(world), FindLine(t, "scene 0", c.stopped));
    if (back < 0) return c;
    c.resumed = FindLine(t, "palette 5 30", back);
    if (c.resumed >= 0) c.ended = FindLine(t, "play 1003 Resmall.wav", c.resumed);
    return c;
}

std::string EnterWorld(int scene, int settleMs) {
    const HubDrive& d = HubDrive::Get();
    return "wait 10\n" + Click(d.PointIn(WorldMask(70 + 10 * scene))) + "wait 300\n" + Click(d.PointIn(GoMask())) +
           "wait " + std::to_string(settleMs) + "\n";
}

uint32_t Ms(const std::vector<TraceLine>& t, int i) { return t[static_cast<size_t>(i)].ms; }

int Count(const std::vector<TraceLine>& t, const std::string& text, int from, int to) {
    int n = 0;
    for (int i = std::max(from, 0); i < to && i < static_cast<int>(t.size()); ++i)
        n += t[static_cast<size_t>(i)].text == text;
    return n;
}

int NextNotBusy(const std::vector<TraceLine>& t, int from) {
    for (int i = from + 1; i < static_cast<int>(t.size()); ++i)
        if (t[static_cast<size_t>(i)].text != "cursor 4" && t[static_cast<size_t>(i)].text != "cursor 5") return i;
    return -1;
}

std::vector<TimedSound> SoundsOf(const std::vector<TraceLine>& t, const std::string& prefix, int from, int to) {
    std::vector<TimedSound> out;
    uint32_t last = 0;
    for (int i = std::max(from, 0); i < to && i < static_cast<int>(t.size()); ++i) {
        const std::string file = SoundFile(t[static_cast<size_t>(i)]);
        if (file.size() < prefix.size() ||
            !std::equal(prefix.begin(), prefix.end(), file.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            continue;
        out.push_back({out.empty() ? 0 : Ms(t, i) - last, file});
        last = Ms(t, i);
    }
    return out;
}


}  // namespace hubtest
