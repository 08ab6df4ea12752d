#pragma once
// A logical palette: up to 256 colours. Selecting one into a context and
// realising it loads its entries into the display's hardware palette in order
// (foreground realisation), so index i of the palette is hardware index i.

#include <cstddef>
#include <vector>

#include "platform/gdi/Color.h"

namespace plat {

class Palette {
public:
    Palette() = default;
    explicit Palette(std::vector<Rgb> entries) : entries_(std::move(entries)) {
        if (entries_.size() > 256) entries_.resize(256);
    }
    int Size() const { return static_cast<int>(entries_.size()); }
    const Rgb& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }
    const std::vector<Rgb>& Entries() const { return entries_; }

    // The entry with the smallest squared distance in red, green and blue;
    // the lower index wins a tie. 0 for an empty palette.
    int NearestIndex(Rgb c) const {
        int best = 0;
        long bestD = -1;
        for (int i = 0; i < Size(); ++i) {
            const Rgb& e = entries_[static_cast<size_t>(i)];
            long dr = long(e.r) - c.r, dg = long(e.g) - c.g, db = long(e.b) - c.b;
            long d = dr * dr + dg * dg + db * db;
            if (bestD < 0 || d < bestD) {
                best = i;
                bestD = d;
                if (d == 0) break;
            }
        }
        return best;
    }

private:
    std::vector<Rgb> entries_;
};

}  // namespace plat
