#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/Display.h"

namespace plat {

namespace {

Rect BoundsOf(const Bitmap& b) { return {0, 0, b.Width(), b.Height()}; }

// Calls fn(y, x0, x1) for every run of pixels [x0, x1) of row y that lies in
// `area` and in the union of `clip` (all of `area` when `clip` is empty).
// Overlapping clip rectangles yield each pixel once, so XOR stays exact.
template <typename Fn>
void ForEachSpan(const Rect& area, const std::vector<Rect>& clip, Fn&& fn) {
    if (area.IsEmpty()) return;
    if (clip.empty()) {
        for (int y = area.top; y < area.bottom; ++y) fn(y, area.left, area.right);
        return;
    }
    std::vector<std::pair<int, int>> runs;
    for (int y = area.top; y < area.bottom; ++y) {
        runs.clear();
        for (const Rect& c : clip) {
            if (y < c.top || y >= c.bottom) continue;
            const int x0 = std::max(c.left, area.left), x1 = std::min(c.right, area.right);
            if (x0 < x1) runs.emplace_back(x0, x1);
        }
        if (runs.empty()) continue;
        std::sort(runs.begin(), runs.end());
        int start = runs[0].first, end = runs[0].second;
        for (size_t i = 1; i < runs.size(); ++i) {
            if (runs[i].first <= end) {
                end = std::max(end, runs[i].second);
            } else {
                fn(y, start, end);
                start = runs[i].first;
                end = runs[i].second;
            }
        }
        fn(y, start, end);
    }
}

// Coordinates this far out are nonsense; refusing them keeps the rectangle
// arithmetic below free of overflow.
bool Sane(int v) { return v > -(1 << 28) && v < (1 << 28); }

uint32_t Key(Rgb c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

bool InClip(const std::vector<Rect>& clip, Point p) {
    if (clip.empty()) return true;
    return std::any_of(clip.begin(), clip.end(), [&](const Rect& r) { return r.Contains(p); });
}

}  // namespace

DeviceContext::DeviceContext(Display& display) : display_(&display) {}

DeviceContext::DeviceContext(Display& display, Bitmap* target, Point origin, std::vector<Rect> clip)
    : display_(&display), target_(target), origin_(origin), clip_(std::move(clip)) {}

Bitmap* DeviceContext::SelectBitmap(Bitmap* bitmap) {
    Bitmap* old = target_;
    target_ = bitmap;
    return old;
}

const Palette* DeviceContext::SelectPalette(const Palette* palette) {
    const Palette* old = palette_;
    palette_ = palette;
    return old;
}

void DeviceContext::RealizePalette() {
    if (palette_ != nullptr) display_->Realize(*palette_);
}

void DeviceContext::BitBlt(int x, int y, int w, int h, const DeviceContext& src, int sx, int sy, Rop rop) {
    if (target_ == nullptr || src.target_ == nullptr || w <= 0 || h <= 0) return;
    if (!Sane(x) || !Sane(y) || !Sane(w) || !Sane(h) || !Sane(sx) || !Sane(sy)) return;
    const Bitmap& from = *src.target_;
    const Rect dest = Rect::FromSize(x + origin_.x, y + origin_.y, w, h);
    // Offset from a destination pixel to its source pixel, in bitmap coordinates.
    const int dx = sx + src.origin_.x - dest.left;
    const int dy = sy + src.origin_.y - dest.top;
    const Rect area = dest.Intersect(BoundsOf(*target_)).Intersect(BoundsOf(from).Offset(-dx, -dy));
    if (area.IsEmpty()) return;

    // How a source value becomes a destination value.
    std::array<uint8_t, 256> lut{};
    const bool convert = from.IsMonochrome() != target_->IsMonochrome();
    if (convert && target_->IsMonochrome()) {
        // The background colour as the display shows it: its nearest hardware
        // colour, so a key colour drawn through a palette still matches.
        const Rgb bk = src.display_->ColourOf(src.display_->NearestIndex(src.bk_));
        for (int i = 0; i < 256; ++i) lut[size_t(i)] = src.display_->ColourOf(uint8_t(i)) == bk ? 1 : 0;
    } else if (convert) {
        for (int i = 0; i < 256; ++i) lut[size_t(i)] = i == 0 ? 0x00 : 0xFF;
    }

    // A blit within one bitmap reads from a copy so overlapping areas work.
    std::vector<uint8_t> copy;
    const uint8_t* srcBase = nullptr;
    size_t srcStride = 0;
    if (&from == target_) {
        const int aw = area.Width();
        copy.resize(size_t(aw) * size_t(area.Height()));
        for (int row = area.top; row < area.bottom; ++row)
            std::memcpy(copy.data() + size_t(row - area.top) * size_t(aw), from.Row(row + dy) + area.left + dx, size_t(aw));
        srcBase = copy.data();
        srcStride = size_t(aw);
    }
    auto sourceAt = [&](int row, int col) -> const uint8_t* {
        if (srcBase != nullptr) return srcBase + size_t(row - area.top) * srcStride + size_t(col - area.left);
        return from.Row(row + dy) + col + dx;
    };

    ForEachSpan(area, clip_, [&](int row, int x0, int x1) {
        uint8_t* d = target_->Row(row) + x0;
        const uint8_t* s = sourceAt(row, x0);
        const int n = x1 - x0;
        if (!convert && rop == Rop::Copy) {
            std::memmove(d, s, size_t(n));
            return;
        }
        auto apply = [&](auto value) {
            switch (rop) {
                case Rop::Copy: for (int i = 0; i < n; ++i) d[i] = value(s[i]); break;
                case Rop::Xor: for (int i = 0; i < n; ++i) d[i] ^= value(s[i]); break;
                case Rop::And: for (int i = 0; i < n; ++i) d[i] &= value(s[i]); break;
            }
        };
        if (convert)
            apply([&](uint8_t v) { return lut[v]; });
        else
            apply([](uint8_t v) { return v; });
    });
}

std::optional<Rgb> DeviceContext::GetPixel(int x, int y) const {
    if (target_ == nullptr) return std::nullopt;
    const Point p{x + origin_.x, y + origin_.y};
    if (!target_->Contains(p.x, p.y) || !InClip(clip_, p)) return std::nullopt;
    const uint8_t v = target_->At(p.x, p.y);
    if (target_->IsMonochrome()) return v == 0 ? kBlack : kWhite;
    return display_->ColourOf(v);
}

void DeviceContext::DrawDib(int x, int y, const DibView& dib) {
    if (target_ == nullptr || dib.bits == nullptr || dib.colours == nullptr || dib.width <= 0 || dib.height <= 0 ||
        dib.stride < dib.width || !Sane(x) || !Sane(y) || !Sane(dib.width) || !Sane(dib.height))
        return;
    // Map the 256 colours once: to the selected palette (whose index i is
    // hardware index i once realised), to the hardware palette, or to black
    // and white on a monochrome target.
    std::array<uint8_t, 256> map{};
    const Palette mono({kBlack, kWhite});
    const bool selected = !target_->IsMonochrome() && palette_ != nullptr && palette_->Size() > 0;
    // A picture drawn through its own palette finds every colour exactly: the
    // first entry of each colour, found once, spares the nearest search.
    std::unordered_map<uint32_t, uint8_t> exact;
    if (selected) {
        exact.reserve(size_t(palette_->Size()));
        for (int i = palette_->Size() - 1; i >= 0; --i) exact[Key(palette_->Entry(i))] = uint8_t(i);
    }
    for (int i = 0; i < 256; ++i) {
        const Rgb c = dib.colours[i];
        if (target_->IsMonochrome()) {
            map[size_t(i)] = uint8_t(mono.NearestIndex(c));
        } else if (selected) {
            const auto hit = exact.find(Key(c));
            map[size_t(i)] = hit != exact.end() ? hit->second : uint8_t(palette_->NearestIndex(c));
        } else {
            map[size_t(i)] = display_->NearestIndex(c);
        }
    }
    const Rect dest = Rect::FromSize(x + origin_.x, y + origin_.y, dib.width, dib.height);
    const Rect area = dest.Intersect(BoundsOf(*target_));
    ForEachSpan(area, clip_, [&](int row, int x0, int x1) {
        const int dibRow = dib.height - 1 - (row - dest.top);  // stored bottom-up
        const uint8_t* s = dib.bits + size_t(dibRow) * size_t(dib.stride) + size_t(x0 - dest.left);
        uint8_t* d = target_->Row(row) + x0;
        for (int i = 0; i < x1 - x0; ++i) d[i] = map[s[i]];
    });
}

void DeviceContext::InvertFrame(const Rect& r) {
    if (target_ == nullptr || r.IsEmpty() || !Sane(r.left) || !Sane(r.top) || !Sane(r.right) || !Sane(r.bottom)) return;
    const Rect f = r.Offset(origin_.x, origin_.y);
    const uint8_t flip = target_->IsMonochrome() ? 1 : 0xFF;
    auto invert = [&](int px, int py) {
        if (target_->Contains(px, py) && InClip(clip_, {px, py})) target_->Row(py)[px] ^= flip;
    };
    // Each outline pixel exactly once, so a second call restores the picture.
    for (int px = f.left; px < f.right; ++px) {
        invert(px, f.top);
        if (f.bottom - 1 != f.top) invert(px, f.bottom - 1);
    }
    for (int py = f.top + 1; py < f.bottom - 1; ++py) {
        invert(f.left, py);
        if (f.right - 1 != f.left) invert(f.right - 1, py);
    }
}

void DeviceContext::FillRect(const Rect& r, uint8_t index) {
    if (target_ == nullptr || !Sane(r.left) || !Sane(r.top) || !Sane(r.right) || !Sane(r.bottom)) return;
    const uint8_t v = target_->IsMonochrome() ? (index != 0 ? 1 : 0) : index;
    const Rect area = r.Offset(origin_.x, origin_.y).Intersect(BoundsOf(*target_));
    ForEachSpan(area, clip_, [&](int row, int x0, int x1) { std::memset(target_->Row(row) + x0, v, size_t(x1 - x0)); });
}

}  // namespace plat
