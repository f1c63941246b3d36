#include "tools/writers/FntRender.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

constexpr int FIRST_RENDERED = 32;
constexpr int LAST_RENDERED = 255;

int Ceil_Pixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

// The largest pixel size whose ascender and descender fit in the cell.
int Fit_Pixel_Size(FT_Face face, int cell_height) {
    for (int size = cell_height; size > 1; --size) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) != 0) continue;
        int ascender = Ceil_Pixels(face->size->metrics.ascender);
        int descender = Ceil_Pixels(-face->size->metrics.descender);
        if (ascender + descender <= cell_height) return size;
    }
    FT_Set_Pixel_Sizes(face, 0, 1);
    return 1;
}

// Monochrome hinting can leave a glyph's ink narrower than its advance, so
// that a letter stands apart from the next ("Artw ork"): a glyph with ink
// keeps at most one blank column after it.
void Trim_Right_Bearing(FntGlyph& glyph, int cell_height) {
    int last_ink = -1;
    for (int y = 0; y < cell_height; ++y)
        for (int x = glyph.width - 1; x > last_ink; --x)
            if (glyph.ink[static_cast<std::size_t>(y) * glyph.width + x]) last_ink = x;
    const int width = last_ink + 2;
    if (last_ink < 0 || width >= glyph.width) return;
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * cell_height);
    for (int y = 0; y < cell_height; ++y)
        std::copy_n(glyph.ink.begin() + static_cast<std::ptrdiff_t>(y) * glyph.width, width,
                    ink.begin() + static_cast<std::ptrdiff_t>(y) * width);
    glyph.width = width;
    glyph.ink = std::move(ink);
}

FntGlyph Render_Glyph(FT_Face face, int code, int cell_height, int ascent) {
    FntGlyph glyph;
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    int left = std::max(slot->bitmap_left, 0);
    int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.width = std::clamp(std::max(advance, left + static_cast<int>(bitmap.width)), 1, 64);
    glyph.ink.assign(static_cast<std::size_t>(glyph.width) * cell_height, 0);
    int top = ascent - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        int y = top + static_cast<int>(row);
        if (y < 0 || y >= cell_height) continue;
        const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            int x = left + static_cast<int>(col);
            if (x >= glyph.width) continue;
            bool ink =
                bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (line[col >> 3] >> (7 - (col & 7))) & 1 : line[col] >= 128;
            if (ink) glyph.ink[static_cast<std::size_t>(y) * glyph.width + x] = 1;
        }
    }
    Trim_Right_Bearing(glyph, cell_height);
    return glyph;
}

}  // namespace

std::optional<FntStrike> Render_Fnt_Strike(const std::filesystem::path& scalable_font, const std::string& face_name,
                                           int cell_height, int weight) {
    if (cell_height < 4 || cell_height > 255) return std::nullopt;
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) return std::nullopt;
    FT_Face face;
    if (FT_New_Face(library, scalable_font.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        return std::nullopt;
    }
    FntStrike strike;
    strike.face = face_name;
    strike.pixel_height = cell_height;
    strike.weight = weight;
    int size = Fit_Pixel_Size(face, cell_height);
    int ascender = Ceil_Pixels(face->size->metrics.ascender);
    int descender = Ceil_Pixels(-face->size->metrics.descender);
    // Spare rows go above the ascender, as internal leading.
    strike.ascent = ascender + (cell_height - ascender - descender);
    strike.internal_leading = std::max(cell_height - size, 0);
    strike.point_size = (cell_height - strike.internal_leading) * 72 / 96;
    strike.first_char = FIRST_RENDERED;
    for (int code = FIRST_RENDERED; code <= LAST_RENDERED; ++code)
        strike.glyphs.push_back(Render_Glyph(face, code, cell_height, strike.ascent));
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return strike;
}
