#include "tools/assetgen/Folders.h"

namespace ag::dir {

std::string RecPal(int world) {
    static const char* kWorld[] = {"center", "star", "day", "kbot", "troid", "GAMA"};
    return kAssets + kWorld[world] + "/recpal/";
}

std::string RecPalPrefix(int world) {
    static const char* kPrefix[] = {"Ce", "St", "Da", "Kb", "tr", "Ga"};
    return kPrefix[world];
}

}  // namespace ag::dir
