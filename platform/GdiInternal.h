// Inside the drawing-context stand-in: the objects behind its handles.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gdi.h"

struct HBITMAP__ {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes per row, rows stored top-down
    PALETTEENTRY colours[256]{};
    std::vector<std::uint8_t> pixels;
};

struct HFONT__ {
    int height = 0;
    int weight = 0;
    bool italic = false;
    std::string face;
};

struct HDC__ {
    IDirectDrawSurface* surface = nullptr;  // a surface's context
    HBITMAP bitmap = nullptr;               // a memory context's bitmap (none: nothing to draw on)
    HFONT font = nullptr;
    COLORREF text_colour = RGB(0, 0, 0);
    COLORREF bk_colour = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    UINT text_align = TA_LEFT | TA_TOP;
};

// The pixels a context draws on.
struct Canvas {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    PixelLayout layout;
    IDirectDrawSurface* surface = nullptr;  // to mark the primary dirty
};

// False when the context has nothing to draw on.
bool Dc_Canvas(HDC dc, Canvas& out);
DWORD Canvas_Get(const Canvas& c, int x, int y);
void Canvas_Put(const Canvas& c, int x, int y, DWORD pixel);

// Registry of live objects: a handle is only used while it is live.
enum class GdiKind { Bitmap, Font, Dc };
void Gdi_Register(void* object, GdiKind kind);
void Gdi_Unregister(void* object);
bool Gdi_Is(const void* object, GdiKind kind);

// How many bitmap strikes AddFontResourceA takes from a font file's bytes
// (0: none it can read).
int Font_Strikes_In(const std::vector<std::uint8_t>& bytes);

// The bitmap of a BMP file's bytes, or null when they are not one (why then
// says what is wrong with them).
HBITMAP Bitmap_From_Bmp(const std::vector<std::uint8_t>& file, const char** why = nullptr);
