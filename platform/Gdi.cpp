#include <algorithm>
#include <unordered_map>

#include "platform/GdiInternal.h"

namespace {

std::unordered_map<const void*, GdiKind>& Live_Objects() {
    static std::unordered_map<const void*, GdiKind> objects;
    return objects;
}

// What a context holds before anything is selected into it: a bitmap with
// nothing to draw on and the default font (any face, the stock height).
HBITMAP__ stock_bitmap;
HFONT__ stock_font;

HDC Live_Dc(HDC dc) { return Gdi_Is(dc, GdiKind::Dc) ? dc : nullptr; }

void Forget_Font_In_Contexts(HFONT font) {
    for (auto& [object, kind] : Live_Objects()) {
        if (kind != GdiKind::Dc) continue;
        HDC dc = static_cast<HDC>(const_cast<void*>(object));
        if (dc->font == font) dc->font = nullptr;
    }
}

bool Bitmap_Selected_Somewhere(HBITMAP bitmap) {
    for (auto& [object, kind] : Live_Objects()) {
        if (kind == GdiKind::Dc && static_cast<const HDC__*>(object)->bitmap == bitmap) return true;
    }
    return false;
}

// A table from source pixel values 0..255 to destination pixel values.
void Index_Table(const Canvas& source, const Canvas& dest, DWORD table[256]) {
    for (int i = 0; i < 256; ++i) {
        if (dest.layout.bits == 8)
            table[i] = static_cast<DWORD>(i);
        else
            table[i] = Pixel_From_Colour(dest.layout, Colour_From_Pixel(source.layout, static_cast<DWORD>(i)));
    }
}

bool Same_Rgb_Layout(const PixelLayout& a, const PixelLayout& b) {
    return a.bits == 16 && b.bits == 16 && a.r_mask == b.r_mask && a.g_mask == b.g_mask && a.b_mask == b.b_mask;
}

}  // namespace

void Gdi_Register(void* object, GdiKind kind) { Live_Objects()[object] = kind; }

void Gdi_Unregister(void* object) { Live_Objects().erase(object); }

bool Gdi_Is(const void* object, GdiKind kind) {
    if (object == nullptr) return false;
    auto it = Live_Objects().find(object);
    return it != Live_Objects().end() && it->second == kind;
}

int Live_Gdi_Object_Count() { return static_cast<int>(Live_Objects().size()); }

bool Dc_Canvas(HDC dc, Canvas& out) {
    out = Canvas{};
    if (dc->surface != nullptr) {
        out.bits = dc->surface->Bits();
        out.width = dc->surface->Width();
        out.height = dc->surface->Height();
        out.pitch = dc->surface->Pitch();
        out.layout = dc->surface->Layout();
        out.surface = dc->surface;
        return true;
    }
    if (dc->bitmap == nullptr || dc->bitmap->pixels.empty()) return false;
    out.bits = dc->bitmap->pixels.data();
    out.width = dc->bitmap->width;
    out.height = dc->bitmap->height;
    out.pitch = dc->bitmap->pitch;
    out.layout.bits = 8;
    out.layout.palette = dc->bitmap->colours;
    return true;
}

DWORD Canvas_Get(const Canvas& c, int x, int y) {
    const std::uint8_t* row = c.bits + static_cast<std::size_t>(y) * c.pitch;
    return c.layout.bits == 8 ? row[x] : reinterpret_cast<const std::uint16_t*>(row)[x];
}

void Canvas_Put(const Canvas& c, int x, int y, DWORD pixel) {
    std::uint8_t* row = c.bits + static_cast<std::size_t>(y) * c.pitch;
    if (c.layout.bits == 8)
        row[x] = static_cast<std::uint8_t>(pixel);
    else
        reinterpret_cast<std::uint16_t*>(row)[x] = static_cast<std::uint16_t>(pixel);
}

HDC Gdi_Create_Surface_DC(IDirectDrawSurface* surface) {
    HDC dc = new HDC__();
    dc->surface = surface;
    Gdi_Register(dc, GdiKind::Dc);
    return dc;
}

void Gdi_Delete_Surface_DC(HDC dc) {
    if (!Gdi_Is(dc, GdiKind::Dc)) return;
    Gdi_Unregister(dc);
    delete dc;
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
    if (!Gdi_Is(object, GdiKind::Bitmap) || out == nullptr || size < static_cast<int>(sizeof(BITMAP))) return 0;
    auto* bitmap = static_cast<HBITMAP>(object);
    BITMAP info{};
    info.bmWidth = bitmap->width;
    info.bmHeight = bitmap->height;
    info.bmWidthBytes = bitmap->pitch;
    info.bmPlanes = 1;
    info.bmBitsPixel = 8;
    info.bmBits = bitmap->pixels.data();
    *static_cast<BITMAP*>(out) = info;
    return static_cast<int>(sizeof(BITMAP));
}

BOOL DeleteObject(HGDIOBJ object) {
    if (Gdi_Is(object, GdiKind::Bitmap)) {
        auto* bitmap = static_cast<HBITMAP>(object);
        if (Bitmap_Selected_Somewhere(bitmap)) return FALSE;
        Gdi_Unregister(bitmap);
        delete bitmap;
        return TRUE;
    }
    if (Gdi_Is(object, GdiKind::Font)) {
        auto* font = static_cast<HFONT>(object);
        Forget_Font_In_Contexts(font);
        Gdi_Unregister(font);
        delete font;
        return TRUE;
    }
    return FALSE;
}

HDC CreateCompatibleDC(HDC) {
    HDC dc = new HDC__();
    Gdi_Register(dc, GdiKind::Dc);
    return dc;
}

BOOL DeleteDC(HDC dc) {
    // A surface's context goes back through the surface's ReleaseDC.
    if (Live_Dc(dc) == nullptr || dc->surface != nullptr) return FALSE;
    Gdi_Unregister(dc);
    delete dc;
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (Live_Dc(dc) == nullptr) return nullptr;
    if (object == &stock_bitmap || Gdi_Is(object, GdiKind::Bitmap)) {
        if (dc->surface != nullptr) return nullptr;
        HGDIOBJ previous = dc->bitmap != nullptr ? static_cast<HGDIOBJ>(dc->bitmap) : &stock_bitmap;
        dc->bitmap = object == &stock_bitmap ? nullptr : static_cast<HBITMAP>(object);
        return previous;
    }
    if (object == &stock_font || Gdi_Is(object, GdiKind::Font)) {
        HGDIOBJ previous = dc->font != nullptr ? static_cast<HGDIOBJ>(dc->font) : &stock_font;
        dc->font = object == &stock_font ? nullptr : static_cast<HFONT>(object);
        return previous;
    }
    return nullptr;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int swidth, int sheight,
                DWORD rop) {
    if (Live_Dc(dest) == nullptr || Live_Dc(source) == nullptr || rop != SRCCOPY) return FALSE;
    if (width <= 0 || height <= 0 || swidth <= 0 || sheight <= 0) return FALSE;
    Canvas d, s;
    if (!Dc_Canvas(dest, d) || !Dc_Canvas(source, s)) return FALSE;

    DWORD table[256];
    bool indexed = s.layout.bits == 8;
    bool same = Same_Rgb_Layout(s.layout, d.layout);
    if (indexed) Index_Table(s, d, table);
    const int x0 = std::max(x, 0), x1 = std::min(x + width, d.width);
    const int y0 = std::max(y, 0), y1 = std::min(y + height, d.height);
    for (int dy = y0; dy < y1; ++dy) {
        long src_y = sy + static_cast<long>(dy - y) * sheight / height;
        if (src_y < 0 || src_y >= s.height) continue;
        for (int dx = x0; dx < x1; ++dx) {
            long src_x = sx + static_cast<long>(dx - x) * swidth / width;
            if (src_x < 0 || src_x >= s.width) continue;
            DWORD pixel = Canvas_Get(s, static_cast<int>(src_x), static_cast<int>(src_y));
            if (indexed)
                pixel = table[pixel & 0xFF];
            else if (!same)
                pixel = Pixel_From_Colour(d.layout, Colour_From_Pixel(s.layout, pixel));
            Canvas_Put(d, dx, dy, pixel);
        }
    }
    if (d.surface != nullptr) d.surface->Mark_Dirty({x0, y0, x1, y1});
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
    return StretchBlt(dest, x, y, width, height, source, sx, sy, width, height, rop);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    Canvas c;
    if (Live_Dc(dc) == nullptr || !Dc_Canvas(dc, c)) return CLR_INVALID;
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return CLR_INVALID;
    DWORD pixel = Pixel_From_Colour(c.layout, colour);
    Canvas_Put(c, x, y, pixel);
    if (c.surface != nullptr) c.surface->Mark_Dirty({x, y, x + 1, y + 1});
    return Colour_From_Pixel(c.layout, pixel);
}

COLORREF GetPixel(HDC dc, int x, int y) {
    Canvas c;
    if (Live_Dc(dc) == nullptr || !Dc_Canvas(dc, c)) return CLR_INVALID;
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return CLR_INVALID;
    return Colour_From_Pixel(c.layout, Canvas_Get(c, x, y));
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (Live_Dc(dc) == nullptr) return CLR_INVALID;
    COLORREF previous = dc->text_colour;
    dc->text_colour = colour;
    return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    if (Live_Dc(dc) == nullptr) return CLR_INVALID;
    COLORREF previous = dc->bk_colour;
    dc->bk_colour = colour;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    if (Live_Dc(dc) == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bk_mode;
    dc->bk_mode = mode;
    return previous;
}

UINT SetTextAlign(HDC dc, UINT align) {
    if (Live_Dc(dc) == nullptr) return 0xFFFFFFFF;
    UINT previous = dc->text_align;
    dc->text_align = align;
    return previous;
}
