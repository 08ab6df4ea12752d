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

std::string Move(plat::Point p) { return "move " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }
std::string Click(plat::Point p) { return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }

std::string EnterWorld(int scene, int settleMs) {
    const HubDrive& d = HubDrive::Get();
    return "wait 10\n" + Click(d.PointIn(WorldMask(70 + 10 * scene))) + "wait 300\n" + Click(d.PointIn(GoMask())) +
           "wait " + std::to_string(settleMs) + "\n";
}

}  // namespace hubtest
