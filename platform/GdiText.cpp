// Bitmap fonts and text output. A .FON file is read once through FreeType
// when it is added: every strike's 256 glyphs are copied into a mask of
// cell height, so drawing needs FreeType no more.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/GdiInternal.h"
#include "platform/PathResolver.h"

namespace {

constexpr int STOCK_HEIGHT = 16;
// A font file larger than this is not read.
constexpr std::uint64_t MAX_FONT_FILE = 16u << 20;

struct Glyph {
    int width = 0;
    std::vector<std::uint8_t> mask;  // width x cell height, 1 = ink
};

struct Strike {
    std::string face;
    int pixel_height = 0;
    int ascent = 0;
    int internal_leading = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    Glyph glyphs[256];
};

struct FontResource {
    std::string path;
    int adds = 0;
    std::vector<Strike> strikes;
};

std::vector<FontResource>& Resources() {
    static std::vector<FontResource> resources;
    return resources;
}

bool Same_Ignoring_Case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void Copy_Glyph(FT_GlyphSlot slot, const Strike& strike, Glyph& out) {
    const FT_Bitmap& bitmap = slot->bitmap;
    out.width = std::clamp(static_cast<int>(slot->advance.x >> 6), 0, 255);
    out.mask.assign(static_cast<std::size_t>(out.width) * strike.pixel_height, 0);
    int top = strike.ascent - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        int y = top + static_cast<int>(row);
        if (y < 0 || y >= strike.pixel_height) continue;
        const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            int x = slot->bitmap_left + static_cast<int>(col);
            if (x < 0 || x >= out.width) continue;
            bool ink =
                bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (line[col >> 3] >> (7 - (col & 7))) & 1 : line[col] >= 128;
            if (ink) out.mask[static_cast<std::size_t>(y) * out.width + x] = 1;
        }
    }
}

bool Load_Strike(FT_Face face, Strike& strike) {
    if (face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0) return false;
    strike.face = face->family_name != nullptr ? face->family_name : "";
    FT_WinFNT_HeaderRec header;
    if (FT_Get_WinFNT_Header(face, &header) == 0) {
        strike.pixel_height = header.pixel_height;
        strike.ascent = header.ascent;
        strike.internal_leading = header.internal_leading;
        strike.weight = header.weight;
        strike.italic = header.italic != 0;
    } else {
        strike.pixel_height = face->available_sizes[0].height;
        strike.ascent = static_cast<int>(face->size->metrics.ascender >> 6);
        strike.weight = (face->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD : FW_NORMAL;
        strike.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    }
    if (strike.pixel_height <= 0 || strike.pixel_height > 255) return false;
    strike.ascent = std::clamp(strike.ascent, 0, strike.pixel_height);
    for (int code = 0; code < 256; ++code) {
        FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
        if (index == 0) continue;
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
        if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP) FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO);
        Copy_Glyph(face->glyph, strike, strike.glyphs[code]);
    }
    return true;
}

// Every strike of a font file's bytes; empty when FreeType cannot read them.
std::vector<Strike> Read_Font_Bytes(const std::vector<std::uint8_t>& bytes) {
    std::vector<Strike> strikes;
    if (bytes.empty()) return strikes;
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) return strikes;
    const auto* data = reinterpret_cast<const FT_Byte*>(bytes.data());
    const auto size = static_cast<FT_Long>(bytes.size());
    FT_Face face;
    if (FT_New_Memory_Face(library, data, size, -1, &face) == 0) {
        long faces = face->num_faces;
        FT_Done_Face(face);
        for (long i = 0; i < faces && i < 64; ++i) {
            if (FT_New_Memory_Face(library, data, size, i, &face) != 0) continue;
            Strike strike;
            if (Load_Strike(face, strike)) strikes.push_back(std::move(strike));
            FT_Done_Face(face);
        }
    }
    FT_Done_FreeType(library);
    return strikes;
}

// The strike a font draws with now, or null when no font file is added.
const Strike* Choose_Strike(HFONT font) {
    std::string face = font != nullptr ? font->face : "";
    int height = font != nullptr ? font->height : 0;
    int weight = font != nullptr && font->weight != FW_DONTCARE ? font->weight : FW_NORMAL;
    bool any_face = true;
    for (const FontResource& r : Resources())
        for (const Strike& s : r.strikes)
            if (Same_Ignoring_Case(s.face, face)) any_face = false;
    const Strike* best = nullptr;
    long best_height = 0, best_weight = 0;
    for (const FontResource& r : Resources()) {
        for (const Strike& s : r.strikes) {
            if (!any_face && !Same_Ignoring_Case(s.face, face)) continue;
            long size = height < 0 ? s.pixel_height - s.internal_leading : s.pixel_height;
            long want = height == 0 ? STOCK_HEIGHT : std::labs(height);
            long dh = std::labs(size - want) * 2 + (size > want ? 1 : 0);  // ties: the smaller
            long dw = std::labs(s.weight - weight);
            if (best == nullptr || dh < best_height || (dh == best_height && dw < best_weight)) {
                best = &s;
                best_height = dh;
                best_weight = dw;
            }
        }
    }
    return best;
}

int Glyph_Width(const Strike* strike, unsigned char c) { return strike != nullptr ? strike->glyphs[c].width : 0; }

int Run_Width(const Strike* strike, const char* text, int from, int to) {
    int width = 0;
    for (int i = from; i < to; ++i) width += Glyph_Width(strike, static_cast<unsigned char>(text[i]));
    return width;
}

// Draws text[from, to) with its cells' top-left at (x, top), inside clip.
void Draw_Run(const Canvas& canvas, const Strike& strike, HDC dc, const char* text, int from, int to, int x, int top,
              RECT clip) {
    clip = {std::max<LONG>(clip.left, 0), std::max<LONG>(clip.top, 0), std::min<LONG>(clip.right, canvas.width),
            std::min<LONG>(clip.bottom, canvas.height)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    DWORD ink = Pixel_From_Colour(canvas.layout, dc->text_colour);
    DWORD paper = Pixel_From_Colour(canvas.layout, dc->bk_colour);
    int start_x = x;
    for (int i = from; i < to; ++i) {
        const Glyph& g = strike.glyphs[static_cast<unsigned char>(text[i])];
        for (int row = 0; row < strike.pixel_height; ++row) {
            int y = top + row;
            if (y < clip.top || y >= clip.bottom) continue;
            for (int col = 0; col < g.width; ++col) {
                int px = x + col;
                if (px < clip.left || px >= clip.right) continue;
                if (g.mask[static_cast<std::size_t>(row) * g.width + col])
                    Canvas_Put(canvas, px, y, ink);
                else if (dc->bk_mode == OPAQUE)
                    Canvas_Put(canvas, px, y, paper);
            }
        }
        x += g.width;
    }
    if (canvas.surface != nullptr) canvas.surface->Mark_Dirty({start_x, top, x, top + strike.pixel_height});
}

struct LineBreak {
    int draw_end;  // characters [start, draw_end) are drawn
    int next;      // the next line starts here
};

// One line from start: as many whole words as fit in max_width, the spaces
// after the last of them consumed; a word wider than the line is broken
// where it overflows. A newline ends a line ("\r\n" as one).
LineBreak Break_Line(const Strike* strike, const char* text, int length, int start, int max_width, bool word_break) {
    int width = 0;
    int i = start;
    LineBreak last_space{-1, -1};
    while (i < length) {
        char c = text[i];
        if (c == '\n' || (c == '\r' && i + 1 < length && text[i + 1] == '\n')) {
            int next = c == '\r' ? i + 2 : i + 1;
            return {i, next};
        }
        if (word_break && c == ' ') {
            int j = i;
            while (j < length && text[j] == ' ') ++j;
            last_space = {i, j};
            width += Run_Width(strike, text, i, j);
            i = j;
            continue;
        }
        int w = Glyph_Width(strike, static_cast<unsigned char>(c));
        if (word_break && width + w > max_width && i > start) {
            if (last_space.draw_end >= 0) return last_space;
            return {i, i};
        }
        width += w;
        ++i;
    }
    return {length, length};
}

}  // namespace

int AddFontResourceA(const char* name) {
    if (name == nullptr) return 0;
    std::optional<std::filesystem::path> path = Resolve_Readable_File(name);
    if (!path) return 0;
    std::string key = path->string();
    for (FontResource& r : Resources()) {
        if (r.path == key) {
            ++r.adds;
            return static_cast<int>(r.strikes.size());
        }
    }
    std::vector<std::uint8_t> bytes;
    if (!Read_Game_File(name, MAX_FONT_FILE, bytes)) return 0;
    std::vector<Strike> strikes = Read_Font_Bytes(bytes);
    if (strikes.empty()) return 0;
    Resources().push_back({key, 1, std::move(strikes)});
    return static_cast<int>(Resources().back().strikes.size());
}

BOOL RemoveFontResourceA(const char* name) {
    if (name == nullptr) return FALSE;
    std::optional<std::filesystem::path> path = Resolve_Path(name);
    if (!path) return FALSE;
    auto& resources = Resources();
    for (auto it = resources.begin(); it != resources.end(); ++it) {
        if (it->path != path->string()) continue;
        if (--it->adds == 0) resources.erase(it);
        return TRUE;
    }
    return FALSE;
}

HFONT CreateFontA(int height, int, int, int, int weight, DWORD italic, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  const char* face) {
    auto* font = new HFONT__();
    font->height = height;
    font->weight = weight;
    font->italic = italic != 0;
    font->face = face != nullptr ? face : "";
    Gdi_Register(font, GdiKind::Font);
    return font;
}

int Font_Strikes_In(const std::vector<std::uint8_t>& bytes) { return static_cast<int>(Read_Font_Bytes(bytes).size()); }

BOOL TextOutA(HDC dc, int x, int y, const char* text, int length) {
    if (!Gdi_Is(dc, GdiKind::Dc) || text == nullptr || length < 0) return FALSE;
    Canvas canvas;
    if (!Dc_Canvas(dc, canvas)) return FALSE;
    const Strike* strike = Choose_Strike(dc->font);
    if (strike == nullptr) return TRUE;
    int width = Run_Width(strike, text, 0, length);
    UINT align = dc->text_align;
    if ((align & TA_CENTER) == TA_CENTER)
        x -= width / 2;
    else if (align & TA_RIGHT)
        x -= width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - strike->ascent;
    else if (align & TA_BOTTOM)
        top = y - strike->pixel_height;
    Draw_Run(canvas, *strike, dc, text, 0, length, x, top, {0, 0, canvas.width, canvas.height});
    return TRUE;
}

int DrawTextExA(HDC dc, const char* text, int length, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
    if (!Gdi_Is(dc, GdiKind::Dc) || text == nullptr || rect == nullptr) return 0;
    if (length < 0) length = static_cast<int>(std::strlen(text));
    Canvas canvas;
    bool can_draw = Dc_Canvas(dc, canvas);
    const Strike* strike = Choose_Strike(dc->font);
    const int line_height = strike != nullptr ? strike->pixel_height : 0;
    RECT box = *rect;
    if (params != nullptr) {
        box.left += params->iLeftMargin;
        box.right -= params->iRightMargin;
    }
    const bool measure = (format & DT_CALCRECT) != 0;
    const bool clip = !(format & DT_NOCLIP);
    const bool word_break = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    const int box_width = box.right - box.left;

    int pos = 0, lines = 0, widest = 0;
    while (pos < length) {
        int top = box.top + lines * line_height;
        if (clip && lines > 0 && top >= box.bottom) break;
        LineBreak line = (format & DT_SINGLELINE) ? LineBreak{length, length}
                                                  : Break_Line(strike, text, length, pos, box_width, word_break);
        int width = Run_Width(strike, text, pos, line.draw_end);
        widest = std::max(widest, width);
        if (!measure && can_draw && strike != nullptr) {
            int x = box.left;
            if (format & DT_CENTER)
                x = box.left + (box_width - width) / 2;
            else if (format & DT_RIGHT)
                x = box.right - width;
            RECT area = clip ? box : RECT{0, 0, canvas.width, canvas.height};
            Draw_Run(canvas, *strike, dc, text, pos, line.draw_end, x, top, area);
        }
        pos = line.next;
        ++lines;
    }
    if (params != nullptr) params->uiLengthDrawn = static_cast<UINT>(pos);
    if (measure) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + lines * line_height;
    }
    return lines * line_height;
}
