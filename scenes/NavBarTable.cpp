#include "scenes/NavBarTable.h"

#include "scenes/NavBar.h"
#include "scenes/Scene.h"

namespace {

struct PlacedPicture {
    const char* file;
    int x, y;
};

struct NavBarSpec {
    PlacedPicture hub;
    const char* worldPicture;
    plat::Point worlds[5];  // Star, Day, kBot, Troid, Gama
    PlacedPicture panel;
    PlacedPicture toggle;
};

// Indexed by scene number; the hub (0) has no bar.
constexpr NavBarSpec kNavBars[6] = {
    {},
    {{"Stn1mk.bmp", 538, 410}, "Stn_up.bmp", {{539, 392}, {555, 405}, {550, 424}, {527, 424}, {522, 405}},
     {"Stnav.bmp", 517, 387}, {"Stzz.bmp", 578, 429}},
    {{"Dan1.bmp", 532, 407}, "Danx.bmp", {{533, 389}, {549, 402}, {544, 421}, {521, 421}, {516, 402}},
     {"Da_nav.bmp", 511, 384}, {"Dazz.bmp", 575, 401}},
    {{"Kbn1up.bmp", 546, 414}, "Kbnzup.bmp", {{546, 397}, {563, 410}, {558, 429}, {535, 429}, {530, 410}},
     {"Kbnav.bmp", 525, 392}, {"Kbzzup.bmp", 584, 435}},
    {{"Trn1up.bmp", 546, 415}, "Trnxup.bmp", {{547, 397}, {563, 410}, {558, 429}, {535, 429}, {530, 410}},
     {"Trnav.bmp", 525, 392}, {"trzxup.bmp", 585, 435}},
    {{"Gan1.bmp", 578, 430}, "Ganx.bmp", {{579, 412}, {595, 425}, {590, 444}, {567, 444}, {562, 425}},
     {"Ga_nav.bmp", 557, 407}, {"Gazz_up.bmp", 616, 459}},
};

}  // namespace

std::unique_ptr<CNavBar> MakeNavBar(CScene& world) {
    const int n = world.m_nScene;
    if (n < 1 || n > 5) return nullptr;
    const NavBarSpec& spec = kNavBars[n];
    auto bar = std::make_unique<CNavBar>(world.m_pView, n);
    bar->AddHubButton(spec.hub.x, spec.hub.y, world.LoadImage(spec.hub.file));
    bar->AddWorldButtons(spec.worlds, world.LoadImage(spec.worldPicture));
    bar->SetBar(spec.panel.x, spec.panel.y, world.LoadImage(spec.panel.file));
    bar->SetToggle(spec.toggle.x, spec.toggle.y, world.LoadImage(spec.toggle.file));
    return bar;
}
