#pragma once
// Pictures that share one 256-colour palette (one world, the hub, the shared
// masks, the start-up picture). Pictures are collected in RGB, then the album
// builds its palette (fixed entries, then a median cut of everything it holds)
// and writes every picture as an 8-bit BMP.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/Color.h"
#include "tools/assetgen/canvas/Canvas.h"

namespace ag {

// Fixed palette slots every album has.
inline constexpr int kBlackIndex = 0;
inline constexpr int kWhiteIndex = 9;
inline constexpr int kKeyIndex = 10;

class Album {
public:
    explicit Album(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }

    // `path` is disc-relative with '/' separators ("plinkpad/assets/...").
    void AddBackground(const std::string& path, const Canvas& c);
    // Pixels whose drawn coverage is below `threshold` become the key colour.
    void AddButton(const std::string& path, const Canvas& c, float threshold = 0.3f);
    // Black where `shape` covers at least half a pixel, white elsewhere, over
    // the w x h window whose top-left scene point is (x, y).
    void AddMask(const std::string& path, const Shape& shape, int x, int y, int w, int h);

    // Palette and files; returns the number of pictures written.
    size_t Write(const std::filesystem::path& discRoot) const;

    // The palette the album would use (exposed for the docs and tests).
    std::vector<plat::Rgb> BuildPalette() const;

private:
    struct Pic {
        std::string path;
        int w = 0, h = 0;
        std::vector<uint32_t> px;  // 0xRRGGBB, or kKey / kMaskBlack / kMaskWhite
        bool mask = false;
        bool dither = false;  // smooth gradients of whole pictures
    };
    static constexpr uint32_t kKey = 0x1000000u;
    static constexpr uint32_t kMaskBlack = 0x2000000u;
    static constexpr uint32_t kMaskWhite = 0x3000000u;
    std::string name_;
    std::vector<Pic> pics_;
};

// Creates the folders of a disc-relative path, reusing any existing folder
// whose name matches without regard to case (the program matches names that
// way, so the disc must hold one spelling per folder).
std::filesystem::path MakeDiscPath(const std::filesystem::path& discRoot, const std::string& relPath);

}  // namespace ag
