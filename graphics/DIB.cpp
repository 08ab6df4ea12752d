#include "graphics/DIB.h"

#include <algorithm>
#include <cstring>

#include "platform/Host.h"

namespace {

// Header field offsets inside the 40-byte information header.
constexpr size_t kSize = 0, kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14, kCompression = 16,
                 kClrUsed = 32;
constexpr size_t kFileHeaderSize = 14;

uint32_t Get16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Get32(const uint8_t* p) { return Get16(p) | Get16(p + 2) << 16; }
void Put16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

// Colours a header declares (colours-used, else by depth).
int DeclaredColours(uint32_t clrUsed, uint32_t bitCount) {
    if (clrUsed != 0) return clrUsed > 0x7FFFFFFF ? 0x7FFFFFFF : int(clrUsed);
    switch (bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

size_t StrideOf(int width) { return (size_t(width) + 3) & ~size_t(3); }

// A fresh 8-bit grey-ramp block of width x height (sizes already checked).
std::vector<uint8_t> GreyRamp(int width, int height) {
    const size_t stride = StrideOf(width);
    std::vector<uint8_t> block(CDIB::kBitsOffset + stride * size_t(height), 0);
    uint8_t* h = block.data();
    Put32(h + kSize, 40);
    Put32(h + kWidth, uint32_t(width));
    Put32(h + kHeight, uint32_t(height));
    Put16(h + kPlanes, 1);
    Put16(h + kBitCount, 8);
    Put32(h + kClrUsed, 256);
    for (int i = 0; i < 256; ++i) {
        uint8_t* e = h + CDIB::kHeaderSize + size_t(i) * 4;
        e[0] = e[1] = e[2] = uint8_t(i);
    }
    for (int y = 0; y < height; ++y)
        std::memset(h + CDIB::kBitsOffset + size_t(y) * stride, y * 256 / height, size_t(width));
    return block;
}

bool SizeAllowed(int width, int height) {
    return width > 0 && height > 0 && StrideOf(width) * size_t(height) <= CDIB::kMaxBytes;
}

}  // namespace

CDIB::CDIB() : m_block(GreyRamp(16, 16)) {}

int CDIB::GetWidth() const { return int(Get32(m_block.data() + kWidth)); }
int CDIB::GetHeight() const { return int(Get32(m_block.data() + kHeight)); }
int CDIB::GetBitCount() const { return int(Get16(m_block.data() + kBitCount)); }
int CDIB::GetCompression() const { return int(Get32(m_block.data() + kCompression)); }
int CDIB::GetNumColors() const {
    return DeclaredColours(Get32(m_block.data() + kClrUsed), Get16(m_block.data() + kBitCount));
}

plat::Rgb CDIB::GetPixelColor(int x, int y) const {
    const uint8_t* p = GetPixelAddress(x, y);
    const RgbQuad& q = GetColorTable()[p != nullptr ? *p : 0];
    return {q.red, q.green, q.blue};
}

plat::Rect CDIB::GetRect() const { return {0, 0, GetWidth(), GetHeight()}; }

int CDIB::Create(int width, int height) {
    if (!SizeAllowed(width, height)) return 0;
    m_block = GreyRamp(width, height);
    return 1;
}

int CDIB::Load(const std::string& firstFolder, const std::string& secondFolder, const std::string& fileName) {
    // An empty name would open the file dialog; it names no file here.
    const std::string first = firstFolder + fileName, second = secondFolder + fileName;
    if (!first.empty() && Load(first)) return 1;
    if (!second.empty() && Load(second)) return 1;
    plat::GetHost().dialogs->MessageBox("Failed to open file " + fileName);
    return 0;
}

int CDIB::Load(const std::string& path) {
    plat::Host& host = plat::GetHost();
    std::string file = path;
    if (file.empty()) {
        plat::FileDialogOptions options;
        options.title = "Open";
        options.filterLabel = "Image files (*.DIB, *.BMP)";
        options.filterPattern = "*.DIB;*.BMP";
        std::optional<std::string> chosen = host.dialogs->FileDialog(options);
        if (!chosen) return 0;
        file = *chosen;
    }
    const std::optional<std::vector<uint8_t>> bytes = host.files->ReadFile(file);
    if (!bytes) return 0;
    if (!Read(*bytes)) {
        host.dialogs->MessageBox("Failed to load file");
        return 0;
    }
    return 1;
}

int CDIB::Read(std::span<const uint8_t> bytes) {
    // File header: "BM", file size at 2, pixel-data offset at 10.
    if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return 0;
    const uint32_t fileSize = Get32(&bytes[2]);
    const uint32_t dataOffset = Get32(&bytes[10]);

    // Information header: Windows (40 bytes) or OS/2 core (12 bytes, 16-bit
    // fields, 3-byte colour entries), rebuilt as a Windows header.
    if (bytes.size() < kFileHeaderSize + kHeaderSize) return 0;
    uint8_t header[kHeaderSize] = {};
    const uint8_t* h = &bytes[kFileHeaderSize];
    size_t pos = kFileHeaderSize;
    bool core = false;
    if (Get32(h) == 40) {
        std::memcpy(header, h, kHeaderSize);
        pos += 40;
    } else if (Get32(h) == 12) {
        Put32(header + kSize, 40);
        Put32(header + kWidth, Get16(h + 4));
        Put32(header + kHeight, Get16(h + 6));
        Put16(header + kPlanes, Get16(h + 8));
        Put16(header + kBitCount, Get16(h + 10));
        pos += 12;
        core = true;
    } else {
        return 0;
    }

    // Refuse what the 8-bit drawing cannot hold: no picture, more than 8 bits
    // per pixel, or a size beyond any asset.
    const int width = int(Get32(header + kWidth));
    const int height = int(Get32(header + kHeight));
    const uint32_t bitCount = Get16(header + kBitCount);
    if (!SizeAllowed(width, height) || bitCount > 8) return 0;
    const int colours = DeclaredColours(Get32(header + kClrUsed), bitCount);
    if (colours > 256) return 0;
    Put32(header + kClrUsed, 256);

    // Pixel data: from the data offset to the declared end of the file, all of
    // it inside the bytes we were given.
    if (dataOffset > fileSize) return 0;
    const size_t dataSize = fileSize - dataOffset;
    if (dataSize > kMaxBytes || dataOffset > bytes.size() || dataSize > bytes.size() - dataOffset) return 0;

    std::vector<uint8_t> block(kBitsOffset + dataSize, 0);
    std::memcpy(block.data(), header, kHeaderSize);
    const size_t entrySize = core ? 3 : 4;
    if (size_t(colours) * entrySize > bytes.size() - pos) return 0;
    for (int i = 0; i < colours; ++i, pos += entrySize)
        std::memcpy(block.data() + kHeaderSize + size_t(i) * 4, &bytes[pos], 3);
    if (dataSize > 0) std::memcpy(block.data() + kBitsOffset, &bytes[dataOffset], dataSize);

    if (Get32(header + kCompression) != 0) {
        plat::GetHost().dialogs->MessageBox("Compressed (RLE) DIBs are not supported");
        return 0;
    }
    // A header that claims more rows than the data holds would send drawing
    // past the block.
    if (dataSize < StrideOf(width) * size_t(height)) return 0;

    m_block.swap(block);
    return 1;
}

int CDIB::MapColorsToPalette(const plat::Palette& palette) {
    if (palette.Size() == 0) return 0;
    uint8_t map[256];
    RgbQuad* table = GetColorTable();
    for (int i = 0; i < 256; ++i) map[i] = uint8_t(palette.NearestIndex({table[i].red, table[i].green, table[i].blue}));
    const int width = GetWidth(), height = GetHeight();
    for (int y = 0; y < height; ++y) {
        uint8_t* row = GetBits() + size_t(y) * size_t(GetStride());
        for (int x = 0; x < width; ++x) row[x] = map[row[x]];
    }
    for (int i = 0; i < palette.Size(); ++i) {
        const plat::Rgb& c = palette.Entry(i);
        table[i] = {c.b, c.g, c.r, 0};
    }
    return 1;
}

plat::DibView CDIB::View(std::array<plat::Rgb, 256>& colours) const {
    const RgbQuad* table = GetColorTable();
    for (size_t i = 0; i < 256; ++i) colours[i] = {table[i].red, table[i].green, table[i].blue};
    return {GetWidth(), GetHeight(), GetStride(), GetBits(), colours.data()};
}

void CDIB::Draw(plat::DeviceContext& dc, int x, int y) const {
    std::array<plat::Rgb, 256> colours;
    dc.DrawDib(x, y, View(colours));
}

void CDIB::CopyBits(CDIB& dest, int destX, int destY, int width, int height, int srcX, int srcY,
                    int transparentIndex) const {
    if (&dest == this) {  // overlapping rows read from a copy
        const CDIB source(*this);
        source.CopyBits(dest, destX, destY, width, height, srcX, srcY, transparentIndex);
        return;
    }
    // Clip the rectangle to both pictures (64-bit arithmetic: no overflow).
    long long sx = srcX, sy = srcY, dx = destX, dy = destY, w = width, h = height;
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, GetWidth() - sx, dest.GetWidth() - dx});
    h = std::min({h, GetHeight() - sy, dest.GetHeight() - dy});
    if (w <= 0 || h <= 0) return;

    const uint8_t key = uint8_t(transparentIndex);
    for (long long row = 0; row < h; ++row) {
        const uint8_t* s = GetBits() + size_t(sy + row) * size_t(GetStride()) + size_t(sx);
        uint8_t* d = dest.GetBits() + size_t(dy + row) * size_t(dest.GetStride()) + size_t(dx);
        if (transparentIndex == -1) {
            std::memcpy(d, s, size_t(w));
        } else {
            for (long long i = 0; i < w; ++i)
                if (s[i] != key) d[i] = s[i];
        }
    }
}

std::unique_ptr<plat::Palette> CDIB::CreatePalette() const {
    std::vector<plat::Rgb> entries(256);
    const RgbQuad* table = GetColorTable();
    for (size_t i = 0; i < 256; ++i) entries[i] = {table[i].red, table[i].green, table[i].blue};
    return std::make_unique<plat::Palette>(std::move(entries));
}

uint8_t* CDIB::GetPixelAddress(int x, int y) {
    return const_cast<uint8_t*>(static_cast<const CDIB*>(this)->GetPixelAddress(x, y));
}

const uint8_t* CDIB::GetPixelAddress(int x, int y) const {
    if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return nullptr;
    return GetBits() + size_t(GetHeight() - y - 1) * size_t(GetStride()) + size_t(x);
}
