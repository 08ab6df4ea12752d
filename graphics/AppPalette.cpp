#include "graphics/AppPalette.h"

namespace {
std::unique_ptr<plat::Palette>& Slot() {
    static std::unique_ptr<plat::Palette> palette;
    return palette;
}
}  // namespace

const plat::Palette* TheAppPalette() { return Slot().get(); }

void SetAppPalette(std::unique_ptr<plat::Palette> palette) { Slot() = std::move(palette); }
