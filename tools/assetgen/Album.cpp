#include "tools/assetgen/Album.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "graphics/BmpWriter.h"

namespace ag {

namespace {

uint32_t Pack(Col c) {
    auto q = [](float v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
    return q(c.r) << 16 | q(c.g) << 8 | q(c.b);
}

std::string Lower(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// One box of the median cut: histogram bins (15-bit colours) it holds.
struct CutBox {
    std::vector<uint16_t> bins;
    uint64_t count = 0;
    int Range(int axis, const std::vector<uint32_t>& hist) const {
        int lo = 31, hi = 0;
        for (uint16_t b : bins) {
            if (hist[b] == 0) continue;
            const int v = (b >> (10 - 5 * axis)) & 31;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        return hi >= lo ? hi - lo : 0;
    }
};

// A 4 x 4 ordered dither of +-4 levels, so large gradients do not band.
uint32_t Dither(uint32_t v, int x, int y) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int d = (kBayer[y & 3][x & 3] - 8) / 2;
    auto ch = [d](uint32_t c) { return static_cast<uint32_t>(std::clamp(static_cast<int>(c) + d, 0, 255)); };
    return ch(v >> 16) << 16 | ch((v >> 8) & 255) << 8 | ch(v & 255);
}

}  // namespace

void Album::AddBackground(const std::string& path, const Canvas& c) {
    Pic p{path, c.Width(), c.Height(), {}, false, true};
    p.px.reserve(static_cast<size_t>(p.w) * static_cast<size_t>(p.h));
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) p.px.push_back(Pack(c.At(x, y)));
    pics_.push_back(std::move(p));
}

void Album::AddButton(const std::string& path, const Canvas& c, float threshold) {
    Pic p{path, c.Width(), c.Height(), {}, false};
    p.px.reserve(static_cast<size_t>(p.w) * static_cast<size_t>(p.h));
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) p.px.push_back(c.AlphaAt(x, y) < threshold ? kKey : Pack(c.At(x, y)));
    pics_.push_back(std::move(p));
}

void Album::AddMask(const std::string& path, const Shape& shape, int x, int y, int w, int h) {
    Pic p{path, w, h, {}, true};
    p.px.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const float d = shape.sdf(static_cast<float>(x + px) + 0.5f, static_cast<float>(y + py) + 0.5f);
            p.px.push_back(d <= 0.0f ? kMaskBlack : kMaskWhite);
        }
    pics_.push_back(std::move(p));
}

std::vector<plat::Rgb> Album::BuildPalette() const {
    std::vector<plat::Rgb> pal(256);
    pal[kBlackIndex] = plat::kBlack;
    for (int i = 1; i <= 8; ++i) {
        const auto v = static_cast<uint8_t>(i * 255 / 9);
        pal[static_cast<size_t>(i)] = {v, v, v};
    }
    pal[kWhiteIndex] = plat::kWhite;
    pal[kKeyIndex] = plat::kKeyColour;

    // Histogram of every drawn colour (15 bits), with exact sums for the means.
    std::vector<uint32_t> hist(32768, 0);
    std::vector<std::array<uint64_t, 3>> sums(32768, {0, 0, 0});
    for (const Pic& p : pics_) {
        if (p.mask) continue;
        for (uint32_t v : p.px) {
            if (v >= kKey) continue;
            const uint32_t r = v >> 16, g = (v >> 8) & 255, b = v & 255;
            const auto bin = static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
            ++hist[bin];
            sums[bin][0] += r;
            sums[bin][1] += g;
            sums[bin][2] += b;
        }
    }
    std::vector<CutBox> boxes(1);
    for (uint32_t b = 0; b < 32768; ++b)
        if (hist[b]) {
            boxes[0].bins.push_back(static_cast<uint16_t>(b));
            boxes[0].count += hist[b];
        }
    const size_t want = 256 - (kKeyIndex + 1);
    if (boxes[0].bins.empty()) boxes.clear();
    while (boxes.size() < want) {
        // Split the box with the most pixels times its widest side.
        size_t best = boxes.size();
        double bestScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].bins.size() < 2) continue;
            int range = 0;
            for (int a = 0; a < 3; ++a) range = std::max(range, boxes[i].Range(a, hist));
            const double score = std::sqrt(static_cast<double>(boxes[i].count)) * range;
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best == boxes.size()) break;
        CutBox& box = boxes[best];
        int axis = 0, range = -1;
        for (int a = 0; a < 3; ++a)
            if (box.Range(a, hist) > range) {
                range = box.Range(a, hist);
                axis = a;
            }
        const int shift = 10 - 5 * axis;
        std::stable_sort(box.bins.begin(), box.bins.end(),
                         [shift](uint16_t l, uint16_t r) { return ((l >> shift) & 31) < ((r >> shift) & 31); });
        uint64_t acc = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.bins.size(); ++i) {
            acc += hist[box.bins[i]];
            cut = i + 1;
            if (acc * 2 >= box.count) break;
        }
        CutBox other;
        other.bins.assign(box.bins.begin() + static_cast<long>(cut), box.bins.end());
        box.bins.resize(cut);
        box.count = 0;
        for (uint16_t b : box.bins) box.count += hist[b];
        for (uint16_t b : other.bins) other.count += hist[b];
        boxes.push_back(std::move(other));
    }
    size_t slot = kKeyIndex + 1;
    for (const CutBox& box : boxes) {
        std::array<uint64_t, 3> s{0, 0, 0};
        for (uint16_t b : box.bins)
            for (int a = 0; a < 3; ++a) s[static_cast<size_t>(a)] += sums[b][static_cast<size_t>(a)];
        const uint64_t n = std::max<uint64_t>(box.count, 1);
        plat::Rgb c{static_cast<uint8_t>((s[0] + n / 2) / n), static_cast<uint8_t>((s[1] + n / 2) / n),
                    static_cast<uint8_t>((s[2] + n / 2) / n)};
        if (c == plat::kKeyColour) c.g = 254;  // only the key slot may hold the key colour
        pal[slot++] = c;
    }
    // Unused slots repeat black, so no stray colour can be chosen.
    return pal;
}

size_t Album::Write(const std::filesystem::path& discRoot) const {
    const std::vector<plat::Rgb> pal = BuildPalette();
    std::vector<int16_t> cache(1u << 24, -1);
    auto nearest = [&](uint32_t v) -> uint8_t {
        int16_t& c = cache[v];
        if (c >= 0) return static_cast<uint8_t>(c);
        const int r = static_cast<int>(v >> 16), g = static_cast<int>((v >> 8) & 255), b = static_cast<int>(v & 255);
        int best = 0;
        long bestD = -1;
        for (int i = 0; i < 256; ++i) {
            if (i == kKeyIndex) continue;
            const plat::Rgb& p = pal[static_cast<size_t>(i)];
            const long dr = r - p.r, dg = g - p.g, db = b - p.b;
            const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (bestD < 0 || d < bestD) {
                bestD = d;
                best = i;
            }
        }
        c = static_cast<int16_t>(best);
        return static_cast<uint8_t>(best);
    };
    for (const Pic& p : pics_) {
        gfx::IndexedImage img;
        img.width = p.w;
        img.height = p.h;
        img.palette = pal;
        img.pixels.reserve(p.px.size());
        for (size_t i = 0; i < p.px.size(); ++i) {
            uint32_t v = p.px[i];
            if (p.dither && v < kKey) v = Dither(v, static_cast<int>(i % static_cast<size_t>(p.w)), static_cast<int>(i / static_cast<size_t>(p.w)));
            if (v == kKey) img.pixels.push_back(kKeyIndex);
            else if (v == kMaskBlack) img.pixels.push_back(kBlackIndex);
            else if (v == kMaskWhite) img.pixels.push_back(kWhiteIndex);
            else img.pixels.push_back(nearest(v));
        }
        const std::vector<uint8_t> bytes = gfx::EncodeBmp8(img);
        const std::filesystem::path out = MakeDiscPath(discRoot, p.path);
        std::ofstream f(out, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!f) throw std::runtime_error("cannot write " + out.string());
    }
    return pics_.size();
}

std::filesystem::path MakeDiscPath(const std::filesystem::path& discRoot, const std::string& relPath) {
    std::filesystem::path at = discRoot;
    std::filesystem::create_directories(at);
    size_t start = 0;
    while (true) {
        const size_t slash = relPath.find('/', start);
        const std::string part = relPath.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (slash == std::string::npos) {
            // The file itself: reuse an existing spelling so a rewrite replaces it.
            for (const auto& e : std::filesystem::directory_iterator(at))
                if (Lower(e.path().filename().string()) == Lower(part)) return e.path();
            return at / part;
        }
        std::filesystem::path next;
        for (const auto& e : std::filesystem::directory_iterator(at))
            if (e.is_directory() && Lower(e.path().filename().string()) == Lower(part)) next = e.path();
        if (next.empty()) {
            next = at / part;
            std::filesystem::create_directory(next);
        }
        at = next;
        start = slash + 1;
    }
}

}  // namespace ag
