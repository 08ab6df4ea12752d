#include "platform/text/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>

#include "platform/text/Utf8.h"

namespace plat {

namespace {

const char* FileFor(Font::Face face) {
    switch (face) {
        case Font::Face::SansBold: return "DejaVuSans-Bold.ttf";
        case Font::Face::Mono: return "DejaVuSansMono.ttf";
        case Font::Face::Sans: break;
    }
    return "DejaVuSans.ttf";
}

}  // namespace

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

std::string Font::FontDirectory() {
    if (const char* dir = std::getenv("PLINKPAD_FONT_DIR"); dir != nullptr && *dir != '\0') return dir;
    return PLINKPAD_FONT_DIR;
}

Font::Font(Face face, int pixelSize) : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        impl_->library = nullptr;
        return;
    }
    const std::string path = FontDirectory() + "/" + FileFor(face);
    if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0) {
        impl_->face = nullptr;
        return;
    }
    FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(std::max(1, pixelSize)));
}

Font::~Font() {
    if (impl_->face != nullptr) FT_Done_Face(impl_->face);
    if (impl_->library != nullptr) FT_Done_FreeType(impl_->library);
}

bool Font::Valid() const { return impl_->face != nullptr; }

int Font::Ascent() const { return Valid() ? static_cast<int>(impl_->face->size->metrics.ascender >> 6) : 0; }

int Font::LineHeight() const { return Valid() ? static_cast<int>(impl_->face->size->metrics.height >> 6) : 0; }

int Font::MeasureWidth(std::string_view utf8) const {
    if (!Valid()) return 0;
    long pen = 0;
    for (size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (FT_Load_Char(impl_->face, cp, FT_LOAD_DEFAULT) != 0) continue;
        pen += impl_->face->glyph->advance.x;
    }
    return static_cast<int>((pen + 63) >> 6);
}

GlyphCoverage Font::Render(std::string_view utf8) const {
    GlyphCoverage out;
    if (!Valid()) return out;
    const FT_Size_Metrics& m = impl_->face->size->metrics;
    out.baseline = static_cast<int>(m.ascender >> 6);
    out.height = std::max(1, static_cast<int>((m.ascender - m.descender) >> 6));
    out.width = std::max(1, MeasureWidth(utf8));
    out.alpha.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    long pen = 0;
    for (size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (FT_Load_Char(impl_->face, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = impl_->face->glyph;
        const int x0 = static_cast<int>(pen >> 6) + g->bitmap_left;
        const int y0 = out.baseline - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
            const int y = y0 + static_cast<int>(row);
            if (y < 0 || y >= out.height) continue;
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const int x = x0 + static_cast<int>(col);
                if (x < 0 || x >= out.width) continue;
                uint8_t& dst = out.alpha[static_cast<size_t>(y) * static_cast<size_t>(out.width) + static_cast<size_t>(x)];
                dst = std::max(dst, g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col]);
            }
        }
        pen += g->advance.x;
    }
    return out;
}

}  // namespace plat
