#pragma once
// Pictures and a drawing surface for the image-button tests. Every picture is
// built on one palette, which is also the application palette, so indices
// drawn are the indices written.

#include <memory>
#include <vector>

#include "graphics/AppPalette.h"
#include "graphics/BmpWriter.h"
#include "graphics/DIB.h"
#include "graphics/StageOrigin.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "tests/graphics/TestHost.h"

namespace testing_graphics {

// Palette indices of the test pictures.
enum : uint8_t { kBlackIx = 0, kKeyIx = 1, kRedIx = 2, kBlueIx = 3, kGreenIx = 4, kWhiteIx = 5, kYellowIx = 6 };

inline std::vector<plat::Rgb> TestColours() {
    return {plat::kBlack, plat::kKeyColour, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}, plat::kWhite, {255, 255, 0}};
}

// A heap DIB (buttons take ownership) from top-down indices.
inline CDIB* MakeDib(int w, int h, std::vector<uint8_t> pixels) {
    gfx::IndexedImage image{w, h, std::move(pixels), TestColours()};
    auto* dib = new CDIB;
    if (!dib->Read(gfx::EncodeBmp8(image))) {
        delete dib;
        return nullptr;
    }
    return dib;
}
inline CDIB* SolidDib(int w, int h, uint8_t index) {
    return MakeDib(w, h, std::vector<uint8_t>(size_t(w) * size_t(h), index));
}

// The test host, the application palette and a stage origin, all undone at
// the end so that tests do not leak globals into each other.
struct ButtonWorld {
    explicit ButtonWorld(plat::Point origin = {10, 20}) {
        SetAppPalette(std::make_unique<plat::Palette>(TestColours()));
        TheStageOrigin() = {origin.x, origin.y};
    }
    ~ButtonWorld() {
        SetAppPalette(nullptr);
        TheStageOrigin() = {};
    }
    TestHost host;
};

// A memory surface filled with one index, and a context drawing on it.
struct Surface {
    Surface(plat::Display& display, int w, int h, uint8_t fill) : bitmap(w, h, 8), dc(display) {
        bitmap.Fill(fill);
        dc.SelectBitmap(&bitmap);
    }
    // The indices of row y, for compact expectations.
    std::vector<uint8_t> Row(int y) const { return {bitmap.Row(y), bitmap.Row(y) + bitmap.Width()}; }
    plat::Bitmap bitmap;
    plat::DeviceContext dc;
};

}  // namespace testing_graphics
