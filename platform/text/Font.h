#pragma once
// Text rendering with a real font (FreeType and a DejaVu face from Debian's
// fonts-dejavu-core) for the program's own widgets and for the asset
// generator's pictures. Not thread-safe; one per thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace plat {

// Coverage of rendered text: 0 (none) .. 255 (full), row-major.
struct GlyphCoverage {
    int width = 0;
    int height = 0;
    int baseline = 0;  // rows from the top to the baseline
    std::vector<uint8_t> alpha;
};

class Font {
public:
    enum class Face { Sans, SansBold, Mono };
    // Loads the face at `pixelSize`; Valid() tells whether it worked.
    Font(Face face, int pixelSize);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool Valid() const;
    int LineHeight() const;
    int Ascent() const;
    int MeasureWidth(std::string_view utf8) const;
    GlyphCoverage Render(std::string_view utf8) const;

    // Directory holding the DejaVu faces (overridable with PLINKPAD_FONT_DIR).
    static std::string FontDirectory();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace plat
