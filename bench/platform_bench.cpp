// The per-frame cost of showing the desktop: composing the windows' surfaces
// and converting the 8-bit picture through the hardware palette to XRGB with
// the pointer drawn on top, at the default 640 x 480.
#include <benchmark/benchmark.h>

#include "platform/headless/HeadlessHost.h"
#include "platform/window/DesktopConverter.h"

namespace {

plat::Cursor ArrowCursor() {
    plat::Cursor c;
    c.width = 32;
    c.height = 32;
    c.rgba.resize(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) c.rgba[static_cast<size_t>(y * 32 + x)] = x <= y ? 0xFF000000u | uint32_t(x * 8) : 0x80FFFFFFu;
    return c;
}

void BM_ConvertDesktop640x480(benchmark::State& state) {
    plat::Bitmap desk(640, 480, 8);
    for (int i = 0; i < 640 * 480; ++i) desk.Pixels()[i] = static_cast<uint8_t>(i * 7);
    std::array<plat::Rgb, 256> pal{};
    for (int i = 0; i < 256; ++i) pal[static_cast<size_t>(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
    const plat::Cursor cursor = ArrowCursor();
    plat::DesktopConverter conv;
    std::vector<uint32_t> out;
    for (auto _ : state) {
        conv.Convert(desk, pal, &cursor, {320, 240}, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_ConvertDesktop640x480);

// The whole frame as Present builds it: the full-screen view and the
// palette's tool window composed, then converted.
void BM_RenderFrame640x480(benchmark::State& state) {
    plat::HeadlessHost h;
    plat::Window view(h.windows), tool(h.windows);
    plat::WindowParams p;
    p.rect = {0, 0, 640, 480};
    view.Create(p);
    p.style = plat::WindowStyle::ToolCaption;
    p.rect = plat::Rect::FromSize(500, 10, 130, 178);
    p.title = "   Record/Play Palette";
    p.topmost = true;
    tool.Create(p);
    const plat::Cursor cursor = ArrowCursor();
    h.windows.SetCursor(&cursor);
    std::vector<uint32_t> out;
    for (auto _ : state) {
        h.windows.RenderFrame(out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_RenderFrame640x480);

}  // namespace
