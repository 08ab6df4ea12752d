// Fuzzes the BMP reader and what the program does next with a picture it
// accepted: drawing it, making its palette and remapping it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "graphics/DIB.h"
#include "graphics/DIBPalette.h"
#include "platform/Host.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Display.h"

namespace {

class SilentDialogs : public plat::Dialogs {
public:
    plat::MessageBoxAnswer MessageBox(const std::string&, plat::MessageBoxButtons) override {
        return plat::MessageBoxAnswer::Ok;
    }
    std::optional<std::string> FileDialog(const plat::FileDialogOptions&) override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentDialogs dialogs;
    static plat::Display display(640, 480);
    static plat::Host host = [] {
        plat::Host h;
        h.dialogs = &dialogs;
        h.display = &display;
        return h;
    }();
    plat::SetHost(&host);

    CDIB dib;
    if (!dib.Read(std::span<const uint8_t>(data, size))) return 0;
    const int w = dib.GetWidth(), h = dib.GetHeight();
    (void)dib.GetPixelColor(w - 1, h - 1);
    (void)dib.GetPixelColor(0, 0);

    plat::Bitmap target(64, 64, 8);
    plat::DeviceContext dc(display);
    dc.SelectBitmap(&target);
    CDIBPalette palette;
    if (palette.Create(dib)) dc.SelectPalette(&palette);
    dib.Draw(dc, 64 - w, 64 - h);  // its bottom-right corner lands in the target

    dib.MapColorsToPalette(*dib.CreatePalette());
    CDIB other;
    dib.CopyBits(other, 0, 0, w, h, 0, 0, 0);
    return 0;
}
