// A full repaint of a 640 x 480 stage as a scene's Paint does it: the
// background copied into the back buffer, 40 lit buttons of 60 x 60 drawn
// transparently into it, and the back buffer copied to the window surface.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "graphics/AppPalette.h"
#include "graphics/BmpWriter.h"
#include "graphics/SimpleButton.h"
#include "platform/Host.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Display.h"

namespace {

constexpr int kStageW = 640, kStageH = 480, kButtons = 40, kSize = 60;

std::vector<plat::Rgb> BenchPalette() {
    std::vector<plat::Rgb> colours(256);
    for (int i = 0; i < 256; ++i) colours[size_t(i)] = {uint8_t(i), uint8_t(i * 7), uint8_t(255 - i)};
    colours[1] = plat::kKeyColour;
    return colours;
}

// A 60 x 60 picture: a disc of colours on the key colour.
CDIB* ButtonPicture(int seed) {
    gfx::IndexedImage image{kSize, kSize, {}, BenchPalette()};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int dx = x - kSize / 2, dy = y - kSize / 2;
            image.pixels.push_back(dx * dx + dy * dy < 28 * 28 ? uint8_t(16 + (x + y + seed) % 200) : 1);
        }
    auto* dib = new CDIB;
    dib->Read(gfx::EncodeBmp8(image));
    return dib;
}

void BM_FullStageRepaint(benchmark::State& state) {
    plat::Display display(800, 600);
    plat::Host host;
    host.display = &display;
    plat::SetHost(&host);
    SetAppPalette(std::make_unique<plat::Palette>(BenchPalette()));

    plat::Bitmap background(kStageW, kStageH, 8), backBuffer(kStageW, kStageH, 8), surface(800, 600, 8);
    for (int y = 0; y < kStageH; ++y)
        for (int x = 0; x < kStageW; ++x) background.Set(x, y, uint8_t((x ^ y) & 0xFF));
    plat::DeviceContext backgroundDC(display), backDC(display);
    backgroundDC.SelectBitmap(&background);
    backDC.SelectBitmap(&backBuffer);
    plat::DeviceContext windowDC(display, &surface, {0, 0}, {});

    std::vector<std::unique_ptr<CSimpleButton>> buttons;
    for (int i = 0; i < kButtons; ++i) {
        const plat::Point at{(i % 8) * 76 + 10, (i / 8) * 90 + 15};
        auto button = std::make_unique<CSimpleButton>(&at, i);
        button->SetImage(ButtonPicture(i), 1);
        button->m_bLit = 1;
        buttons.push_back(std::move(button));
    }

    const plat::Point origin{(800 - kStageW) / 2, (600 - kStageH) / 2};
    for (auto _ : state) {
        backDC.BitBlt(0, 0, kStageW, kStageH, backgroundDC, 0, 0, plat::Rop::Copy);
        for (auto& b : buttons) b->Draw(backDC, 0);
        windowDC.BitBlt(origin.x, origin.y, kStageW, kStageH, backDC, 0, 0, plat::Rop::Copy);
        benchmark::DoNotOptimize(surface.Pixels());
    }
    SetAppPalette(nullptr);
    plat::SetHost(nullptr);
}
BENCHMARK(BM_FullStageRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
