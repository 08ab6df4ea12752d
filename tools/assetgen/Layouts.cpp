#include "tools/assetgen/Layout.h"

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"

namespace ag {

std::vector<SceneLayout> AllLayouts() {
    std::vector<SceneLayout> all = {CenterLayout(), HelpLayout(), MenuLayout(), TroidLayout(),
                                    StarLayout(),   KBotLayout(), GamaLayout(), DayLayout()};
    for (SceneLayout& l : NavBarLayouts()) all.push_back(std::move(l));
    for (SceneLayout& l : RecPalLayouts()) all.push_back(std::move(l));
    return all;
}

std::vector<PaletteGroup> PaletteGroups() {
    return {
        {"center", {dir::kCenter}},
        {"star", {dir::kAssets + "star/St_bmp/", dir::kAssets + "star/Stmk_bmp/", dir::RecPal(1)}},
        {"day", {dir::kAssets + "day/da_bmp/", dir::kAssets + "day/da_masks/", dir::RecPal(2)}},
        {"kbot", {dir::kAssets + "kbot/kb_bmp/", dir::kAssets + "kbot/kb_masks/", dir::RecPal(3)}},
        {"troid", {dir::kAssets + "troid/Image/", dir::kAssets + "troid/Masks/", dir::RecPal(4)}},
        {"gama", {dir::kAssets + "GAMA/ga_bmp/", dir::kAssets + "GAMA/ga_masks/", dir::RecPal(5)}},
        {"shared masks", {dir::kAll + "masks/"}},
    };
}

}  // namespace ag
