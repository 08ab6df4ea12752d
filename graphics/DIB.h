#pragma once
// CDIB: one 8-bit device-independent bitmap read from a Windows BMP file.
// Scenes load every background, hot-spot image and mask through it.
//
// The picture is one block laid out as the host keeps a DIB in memory:
//   bytes 0..39     the 40-byte information header (little-endian Windows layout),
//   bytes 40..1063  a colour table of 256 entries (blue, green, red, 0),
//   bytes 1064..    the pixel rows, bottom row first, one byte per pixel, each
//                   row padded to a multiple of 4 bytes (GetStride()).
// The block always holds at least GetStride() x GetHeight() pixel bytes, so
// every pixel address inside the picture is valid.
//
// Failures leave the picture unchanged. Window thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Palette.h"

// One colour-table entry as stored in the block.
struct RgbQuad {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};
static_assert(sizeof(RgbQuad) == 4);

class CDIB {
public:
    static constexpr size_t kHeaderSize = 40;
    static constexpr size_t kColourTableSize = 256 * 4;
    static constexpr size_t kBitsOffset = kHeaderSize + kColourTableSize;  // 1064
    // Larger pictures, or pixel data, are refused when read or created.
    static constexpr size_t kMaxBytes = 64u << 20;

    // A 16 x 16 grey ramp, so a DIB is never empty.
    CDIB();
    virtual ~CDIB() = default;
    CDIB(const CDIB&) = default;
    CDIB& operator=(const CDIB&) = default;

    virtual int GetWidth() const;
    virtual int GetHeight() const;
    // Colour-table colour of the pixel at (x, y), y counted from the top;
    // index 0's colour outside the picture.
    virtual plat::Rgb GetPixelColor(int x, int y) const;
    // (0, 0, width, height).
    virtual plat::Rect GetRect() const;
    // Replaces the picture by a width x height grey ramp, storage row y filled
    // with index y * 256 / height. 0 (unchanged) for sizes out of range.
    virtual int Create(int width, int height);
    // Loads firstFolder + fileName, else secondFolder + fileName; when both
    // fail shows "Failed to open file " + fileName. Folders end with a backslash.
    virtual int Load(const std::string& firstFolder, const std::string& secondFolder, const std::string& fileName);
    // Loads a host path; an empty path asks the user with the open-file dialog
    // (cancel: 0). A file that cannot be read gives 0 without a message; one
    // that is not a readable BMP shows "Failed to load file".
    virtual int Load(const std::string& path);
    // Parses a BMP file's bytes (Windows 40-byte or OS/2 12-byte header).
    // Run-length compressed files show "Compressed (RLE) DIBs are not
    // supported"; every other refusal is silent. 1 on success, else 0 and the
    // picture unchanged.
    virtual int Read(std::span<const uint8_t> bytes);
    // Remaps every pixel to the nearest entry of `palette` and takes the
    // palette's entries as the colour table. 0 for an empty palette.
    virtual int MapColorsToPalette(const plat::Palette& palette);
    // Draws the whole picture unscaled at (x, y) through dc's palette.
    virtual void Draw(plat::DeviceContext& dc, int x, int y) const;
    // Copies width x height pixels from (srcX, srcY) here to (destX, destY) of
    // `dest`, rows counted bottom-up as stored; pixels equal to the low byte
    // of transparentIndex are skipped (-1: copy all). Clipped to both pictures.
    virtual void CopyBits(CDIB& dest, int destX, int destY, int width, int height, int srcX, int srcY,
                          int transparentIndex) const;

    // A 256-entry palette of the colour table; the caller owns it.
    std::unique_ptr<plat::Palette> CreatePalette() const;
    uint8_t* GetBits() { return m_block.data() + kBitsOffset; }
    const uint8_t* GetBits() const { return m_block.data() + kBitsOffset; }
    int GetStride() const { return (GetWidth() + 3) & ~3; }
    // The pixel at column x of row y counted from the top; null outside.
    uint8_t* GetPixelAddress(int x, int y);
    const uint8_t* GetPixelAddress(int x, int y) const;
    RgbQuad* GetColorTable() { return reinterpret_cast<RgbQuad*>(m_block.data() + kHeaderSize); }
    const RgbQuad* GetColorTable() const { return reinterpret_cast<const RgbQuad*>(m_block.data() + kHeaderSize); }
    // Colours the header declares: colours-used if set, else 2, 16 or 256 for
    // 1, 4 or 8 bits per pixel, else 0.
    int GetNumColors() const;
    int GetBitCount() const;
    int GetCompression() const;
    // The picture as the drawing layer reads it, with the colour table
    // converted into `colours`; valid while the DIB and `colours` are unchanged.
    plat::DibView View(std::array<plat::Rgb, 256>& colours) const;

private:
    std::vector<uint8_t> m_block;
};
