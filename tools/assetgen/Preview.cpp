#include "tools/assetgen/Preview.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "graphics/DIB.h"
#include "platform/fs/NoCase.h"
#include "platform/headless/PngWriter.h"
#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"

namespace ag {

namespace fs = std::filesystem;

namespace {

// The disc file a '/'-separated name denotes, each part matched without
// regard to case (another generator may have made a folder in other letters).
fs::path FindOnDisc(const fs::path& root, const std::string& relative) {
    fs::path at = root;
    size_t start = 0;
    while (start < relative.size()) {
        const size_t slash = std::min(relative.find('/', start), relative.size());
        const std::string part = relative.substr(start, slash - start);
        start = slash + 1;
        if (part.empty()) continue;
        std::error_code ec;
        fs::path next;
        for (const auto& entry : fs::directory_iterator(at, ec))
            if (plat::EqualNoCase(entry.path().filename().string(), part)) next = entry.path();
        if (next.empty()) return {};
        at = next;
    }
    return at;
}

CDIB ReadPicture(const fs::path& root, const std::string& relative) {
    const fs::path path = FindOnDisc(root, relative);
    if (path.empty()) throw std::runtime_error("no picture " + relative + " below " + root.string());
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CDIB dib;
    if (!dib.Read(bytes) || dib.GetBitCount() != 8) throw std::runtime_error("unreadable picture " + path.string());
    return dib;
}

bool SameColours(const CDIB& a, const CDIB& b) {
    return std::memcmp(a.GetColorTable(), b.GetColorTable(), CDIB::kColourTableSize) == 0;
}

// The colour-table index of the key colour RGB(0, 255, 255); -1 if absent.
int KeyIndex(const CDIB& dib) {
    const RgbQuad* table = dib.GetColorTable();
    for (int i = 0; i < 256; ++i)
        if (table[i].red == 0 && table[i].green == 255 && table[i].blue == 255) return i;
    return -1;
}

// Draws `picture` with its top-left corner at stage (x, y); CopyBits counts
// rows from the bottom, as the pixels are stored.
void Place(const CDIB& picture, CDIB& stage, int x, int y, int transparentIndex) {
    const int bottom = stage.GetHeight() - (y + picture.GetHeight());
    picture.CopyBits(stage, x, bottom, picture.GetWidth(), picture.GetHeight(), 0, 0, transparentIndex);
}

}  // namespace

PreviewImage ComposePreview(const fs::path& discRoot, const SceneLayout& scene, bool lit,
                            const std::vector<PlacedPicture>& extra) {
    if (scene.background.empty()) throw std::runtime_error("scene " + scene.name + " has no background");
    const CDIB background = ReadPicture(discRoot, scene.background);
    // The stage, grown if the background reaches past it, so nothing is cut.
    const int width = std::max(scene.stageWidth, scene.backgroundX + background.GetWidth());
    const int height = std::max(scene.stageHeight, scene.backgroundY + background.GetHeight());
    CDIB stage;
    if (!stage.Create(width, height)) throw std::runtime_error("scene " + scene.name + " is too large");
    std::memcpy(stage.GetColorTable(), background.GetColorTable(), CDIB::kColourTableSize);
    // Index 0 is black in every scene palette: the stage shows black where no picture lies.
    std::memset(stage.GetBits(), 0, static_cast<size_t>(stage.GetStride()) * static_cast<size_t>(height));

    auto draw = [&](const std::string& file, int x, int y, bool keyed) {
        const CDIB picture = file == scene.background ? background : ReadPicture(discRoot, file);
        if (!SameColours(picture, stage)) throw std::runtime_error(file + " does not use its scene's palette");
        Place(picture, stage, x, y, keyed ? KeyIndex(picture) : -1);
    };
    for (const PlacedPicture& p : extra) draw(p.file, p.x, p.y, false);
    draw(scene.background, scene.backgroundX, scene.backgroundY, false);
    if (lit)
        for (const HotspotLayout& h : scene.hotspots)
            if (!h.picture.empty()) draw(h.picture, h.x, h.y, true);

    PreviewImage out{width, height, {}};
    out.xrgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const plat::Rgb c = stage.GetPixelColor(x, y);
            out.xrgb.push_back(uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b));
        }
    return out;
}

std::vector<fs::path> WriteWorldPreviews(const fs::path& discRoot, const fs::path& outDir) {
    struct World {
        const char* name;
        SceneLayout layout;
        std::vector<PlacedPicture> extra;
    };
    // Day's background is only the tool panel; the empty board above it is a picture of its own.
    const World worlds[] = {
        {"troid", TroidLayout(), {}},
        {"kbot", KBotLayout(), {}},
        {"gama", GamaLayout(), {}},
        {"day", DayLayout(), {{dir::kDayImg + "Dagrid_1.bmp", 0, 0}}},
    };
    fs::create_directories(outDir);
    std::vector<fs::path> written;
    for (const World& w : worlds)
        for (const bool lit : {false, true}) {
            const PreviewImage image = ComposePreview(discRoot, w.layout, lit, w.extra);
            const fs::path file = outDir / (std::string(w.name) + (lit ? "-lit.png" : "-rest.png"));
            if (!plat::WritePng(file.string(), image.xrgb.data(), image.width, image.height))
                throw std::runtime_error("cannot write " + file.string());
            written.push_back(file);
        }
    return written;
}

}  // namespace ag
