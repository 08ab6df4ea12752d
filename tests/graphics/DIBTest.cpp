#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "graphics/BmpWriter.h"
#include "graphics/DIB.h"
#include "graphics/DIBPalette.h"
#include "tests/graphics/BmpBytes.h"
#include "tests/graphics/TestHost.h"

namespace testing_graphics {
namespace {

// Everything a reader could have changed: size, colour table and pixels.
struct Snapshot {
    int width, height;
    std::vector<uint8_t> table, pixels;
    explicit Snapshot(const CDIB& d)
        : width(d.GetWidth()),
          height(d.GetHeight()),
          table(reinterpret_cast<const uint8_t*>(d.GetColorTable()),
                reinterpret_cast<const uint8_t*>(d.GetColorTable()) + 1024),
          pixels(d.GetBits(), d.GetBits() + size_t(d.GetStride()) * size_t(d.GetHeight())) {}
    bool operator==(const Snapshot&) const = default;
};

// Pixels as the program sees them: top row first, via GetPixelAddress.
std::vector<uint8_t> TopDown(const CDIB& d) {
    std::vector<uint8_t> out;
    for (int y = 0; y < d.GetHeight(); ++y)
        for (int x = 0; x < d.GetWidth(); ++x) out.push_back(*d.GetPixelAddress(x, y));
    return out;
}

TEST(DIBRead, WriterOutputRoundTripsForWidthsThatNeedPadding) {
    TestHost host;
    for (int width : {1, 2, 3, 4, 5, 7, 9}) {
        gfx::IndexedImage image;
        image.width = width;
        image.height = 3;
        for (int i = 0; i < width * 3; ++i) image.pixels.push_back(uint8_t(i * 11 + 1));
        for (int i = 0; i < 40; ++i) image.palette.push_back(DefaultColour(i * 3));
        CDIB dib;
        ASSERT_EQ(dib.Read(gfx::EncodeBmp8(image)), 1) << width;
        EXPECT_EQ(dib.GetWidth(), width);
        EXPECT_EQ(dib.GetHeight(), 3);
        EXPECT_EQ(dib.GetStride(), (width + 3) / 4 * 4);
        EXPECT_EQ(TopDown(dib), image.pixels) << width;
        EXPECT_EQ(dib.GetPixelColor(0, 0), DefaultColour(3));           // index 1
        EXPECT_EQ(dib.GetPixelColor(width, 0), image.palette[0]);     // outside: index 0's colour
        EXPECT_EQ(dib.GetNumColors(), 256);
    }
    EXPECT_TRUE(host.dialogs.messages.empty());
}

TEST(DIBRead, Os2CoreHeaderWidensThreeByteColourEntries) {
    TestHost host;
    BmpSpec spec;
    spec.core = true;
    spec.width = 5;
    CDIB dib;
    ASSERT_EQ(dib.Read(BuildBmp(spec)), 1);
    EXPECT_EQ(dib.GetWidth(), 5);
    EXPECT_EQ(dib.GetHeight(), 2);
    for (int i : {0, 1, 14, 255}) {
        const RgbQuad q = dib.GetColorTable()[i];
        EXPECT_EQ((plat::Rgb{q.red, q.green, q.blue}), DefaultColour(i)) << i;
        EXPECT_EQ(q.reserved, 0);
    }
    EXPECT_EQ(*dib.GetPixelAddress(4, 1), 14);  // x + 10 * y
    EXPECT_EQ(dib.GetPixelColor(4, 1), DefaultColour(14));
}

struct Refusal {
    const char* name;
    std::function<std::vector<uint8_t>()> bytes;
};

// Every refusal leaves the picture exactly as it was and reads nothing
// outside the given bytes (the sanitizer build checks the latter).
TEST(DIBRead, BrokenAndLyingFilesAreRefusedAndLeaveThePictureUnchanged) {
    TestHost host;
    auto with = [](auto change) {
        return [change] {
            BmpSpec s;
            change(s);
            return BuildBmp(s);
        };
    };
    auto cut = [](size_t keep) {
        return [keep] {
            std::vector<uint8_t> b = BuildBmp(BmpSpec{});
            b.resize(std::min(keep, b.size()));
            return b;
        };
    };
    auto patch32 = [](size_t at, uint32_t v) {
        return [at, v] {
            std::vector<uint8_t> b = BuildBmp(BmpSpec{});
            for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
            return b;
        };
    };
    const Refusal cases[] = {
        {"empty", cut(0)},
        {"file header only", cut(14)},
        {"cut inside the information header", cut(40)},
        {"cut inside the colour table", cut(14 + 40 + 500)},
        {"cut inside the pixels", cut(14 + 40 + 1024 + 5)},
        {"not BM", [] { auto b = BuildBmp(BmpSpec{}); b[0] = 'X'; return b; }},
        {"header size 108", patch32(14, 108)},
        {"width 0", with([](BmpSpec& s) { s.width = 0; })},
        {"negative height", patch32(22, uint32_t(-2))},
        {"negative width", patch32(18, uint32_t(-3))},
        {"absurd size", [] {
             auto b = BuildBmp(BmpSpec{});
             for (size_t at : {18u, 22u}) { b[at] = 0; b[at + 1] = 0; b[at + 2] = 1; b[at + 3] = 0; }  // 65536 x 65536
             return b;
         }},
        {"24 bits per pixel", with([](BmpSpec& s) { s.bitCount = 24; })},
        {"more than 256 colours declared", with([](BmpSpec& s) { s.clrUsed = 300; })},
        {"data offset past the end", with([](BmpSpec& s) { s.offsetField = 1u << 30; })},
        {"file size field before the data offset", with([](BmpSpec& s) { s.fileSizeField = 20; })},
        {"file size field past the real end", with([](BmpSpec& s) { s.fileSizeField = 14 + 40 + 1024 + 8 + 1; })},
        {"more rows than data", patch32(22, 3)},
        {"huge file size field", with([](BmpSpec& s) { s.fileSizeField = 0xFFFFFFFFu; })},
    };
    for (const Refusal& c : cases) {
        CDIB dib;
        dib.Create(6, 5);
        const Snapshot before(dib);
        EXPECT_EQ(dib.Read(c.bytes()), 0) << c.name;
        EXPECT_TRUE(Snapshot(dib) == before) << c.name;
    }
    EXPECT_TRUE(host.dialogs.messages.empty()) << "refusals are silent in Read";
}

TEST(DIBLoad, CompressedFilesAreRefusedWithBothMessages) {
    TestHost host;
    BmpSpec spec;
    spec.compression = 1;  // 8-bit RLE
    host.files.files["C:\\img\\rle.bmp"] = BuildBmp(spec);
    CDIB dib;
    const Snapshot before(dib);
    EXPECT_EQ(dib.Load("C:\\img\\rle.bmp"), 0);
    EXPECT_EQ(host.dialogs.messages,
              (std::vector<std::string>{"Compressed (RLE) DIBs are not supported", "Failed to load file"}));
    EXPECT_TRUE(Snapshot(dib) == before);
}

TEST(DIBLoad, InstalledCopyWinsAndTheDiscIsTheFallback) {
    struct Case {
        const char* name;
        bool installed, installedBroken, onDisc;
        int result;
        std::vector<std::string> messages;
        int width;  // of the loaded picture; 16 = unchanged
    } cases[] = {
        {"installed", true, false, true, 1, {}, 3},
        {"disc only", false, false, true, 1, {}, 4},
        {"installed copy broken", true, true, true, 1, {"Failed to load file"}, 4},
        {"nowhere", false, false, false, 0, {"Failed to open file a.bmp"}, 16},
        {"broken and nothing else", true, true, false, 0, {"Failed to load file", "Failed to open file a.bmp"}, 16},
    };
    for (const Case& c : cases) {
        TestHost host;
        BmpSpec installed, disc;
        installed.width = 3;
        disc.width = 4;
        std::vector<uint8_t> installedBytes = BuildBmp(installed);
        if (c.installedBroken) installedBytes.resize(30);
        if (c.installed) host.files.files["C:\\home\\a.bmp"] = installedBytes;
        if (c.onDisc) host.files.files["D:\\disc\\a.bmp"] = BuildBmp(disc);
        CDIB dib;
        EXPECT_EQ(dib.Load("C:\\home\\", "D:\\disc\\", "a.bmp"), c.result) << c.name;
        EXPECT_EQ(host.dialogs.messages, c.messages) << c.name;
        EXPECT_EQ(dib.GetWidth(), c.width) << c.name;
    }
}

TEST(DIBLoad, EmptyPathAsksWithTheImageFilterAndCancelLoadsNothing) {
    TestHost host;
    host.files.files["C:\\pick.bmp"] = BuildBmp(BmpSpec{});
    CDIB dib;
    EXPECT_EQ(dib.Load(std::string()), 0);
    ASSERT_EQ(host.dialogs.fileDialogs.size(), 1u);
    EXPECT_FALSE(host.dialogs.fileDialogs[0].save);
    EXPECT_EQ(host.dialogs.fileDialogs[0].filterLabel, "Image files (*.DIB, *.BMP)");
    EXPECT_EQ(host.dialogs.fileDialogs[0].filterPattern, "*.DIB;*.BMP");
    host.dialogs.fileAnswer = "C:\\pick.bmp";
    EXPECT_EQ(dib.Load(std::string()), 1);
    EXPECT_EQ(dib.GetWidth(), 3);
    EXPECT_EQ(dib.Load("C:\\missing.bmp"), 0);  // unreadable: no message
    EXPECT_TRUE(host.dialogs.messages.empty());
}

TEST(DIB, NewAndCreatedPicturesAreGreyRamps) {
    CDIB dib;
    EXPECT_EQ(dib.GetRect(), (plat::Rect{0, 0, 16, 16}));
    for (int row = 0; row < 16; ++row) EXPECT_EQ(dib.GetBits()[row * 16 + 5], row * 16);
    EXPECT_EQ(dib.GetPixelColor(0, 0), (plat::Rgb{240, 240, 240}));  // top row = last stored row
    ASSERT_EQ(dib.Create(5, 3), 1);
    EXPECT_EQ(dib.GetStride(), 8);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(dib.GetBits()[row * 8 + 4], row * 256 / 3);
    for (auto [w, h] : {std::pair{0, 3}, {3, -1}, {1 << 20, 1 << 20}}) {
        EXPECT_EQ(dib.Create(w, h), 0);
        EXPECT_EQ(dib.GetWidth(), 5);
    }
}

TEST(DIB, PixelAddressesUseThePaddedStrideAndRefuseOutsidePoints) {
    CDIB dib;
    dib.Create(5, 3);
    EXPECT_EQ(dib.GetPixelAddress(0, 2), dib.GetBits());
    EXPECT_EQ(dib.GetPixelAddress(4, 0), dib.GetBits() + 2 * 8 + 4);
    for (auto [x, y] : {std::pair{5, 0}, {0, 3}, {-1, 0}, {0, -1}}) EXPECT_EQ(dib.GetPixelAddress(x, y), nullptr);
}

TEST(DIB, MapColorsToPaletteRemapsPixelsAndTakesThePalette) {
    TestHost host;
    BmpSpec spec;  // pixels x + 10y, colours (i, 255 - i, i / 2)
    CDIB dib;
    ASSERT_EQ(dib.Read(BuildBmp(spec)), 1);
    const plat::Palette target({{0, 255, 0}, {12, 243, 6}, {200, 0, 200}});
    ASSERT_EQ(dib.MapColorsToPalette(target), 1);
    // Colours 0..2 lie nearest entry 0, colours 10..12 nearest entry 1.
    EXPECT_EQ(TopDown(dib), (std::vector<uint8_t>{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(dib.GetPixelColor(1, 1), (plat::Rgb{12, 243, 6}));
    EXPECT_EQ(dib.MapColorsToPalette(plat::Palette()), 0);
}

TEST(DIB, CopyBitsSkipsTheTransparentIndexAndClipsToBothPictures) {
    struct Case {
        const char* name;
        int destX, destY, w, h, srcX, srcY, transparent;
        std::vector<uint8_t> expected;  // destination rows as stored (bottom row first), 4 x 2
    } cases[] = {
        {"whole", 0, 0, 4, 2, 0, 0, -1, {1, 2, 7, 4, 5, 6, 7, 8}},
        {"transparent 7 keeps the destination", 0, 0, 4, 2, 0, 0, 7, {1, 2, 9, 4, 5, 6, 9, 8}},
        {"negative destination", -1, -1, 4, 2, 0, 0, -1, {6, 7, 8, 9, 9, 9, 9, 9}},
        {"negative source", 0, 0, 4, 2, -2, 0, -1, {9, 9, 1, 2, 9, 9, 5, 6}},
        {"past the edges", 3, 1, 10, 10, 0, 0, -1, {9, 9, 9, 9, 9, 9, 9, 1}},
        {"zero width", 0, 0, 0, 2, 0, 0, -1, {9, 9, 9, 9, 9, 9, 9, 9}},
        {"huge", -2000000000, 0, 2000000000, 2, 0, 0, -1, {9, 9, 9, 9, 9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        CDIB src, dst;
        src.Create(4, 2);
        dst.Create(4, 2);
        const uint8_t srcPixels[] = {1, 2, 7, 4, 5, 6, 7, 8};
        std::memcpy(src.GetBits(), srcPixels, 8);
        std::memset(dst.GetBits(), 9, 8);
        src.CopyBits(dst, c.destX, c.destY, c.w, c.h, c.srcX, c.srcY, c.transparent);
        EXPECT_EQ(std::vector<uint8_t>(dst.GetBits(), dst.GetBits() + 8), c.expected) << c.name;
    }
}

TEST(DIBPalette, TakesTheDeclaredColoursOfThePicture) {
    TestHost host;
    CDIB dib;
    ASSERT_EQ(dib.Read(BuildBmp(BmpSpec{})), 1);
    CDIBPalette palette;
    ASSERT_EQ(palette.Create(dib), 1);
    ASSERT_EQ(palette.Size(), 256);
    EXPECT_EQ(palette.Entry(77), DefaultColour(77));
    EXPECT_EQ(dib.CreatePalette()->Entries(), palette.Entries());
}

}  // namespace
}  // namespace testing_graphics
