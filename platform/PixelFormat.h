// What one pixel of a surface or bitmap holds, and conversions between GDI
// colours and pixel values. 16-bit pixels are RGB with channel masks (565 or
// 555); 8-bit pixels are palette indexes.
#pragma once
#include <cstdint>

#include "platform/Win32Types.h"

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct PixelLayout {
    int bits = 16;  // 8 or 16
    DWORD r_mask = 0, g_mask = 0, b_mask = 0;
    const PALETTEENTRY* palette = nullptr;  // 8-bit: 256 entries, or none
};

// The 565 and 555 channel masks.
constexpr DWORD RGB565_MASKS[3] = {0xF800, 0x07E0, 0x001F};
constexpr DWORD RGB555_MASKS[3] = {0x7C00, 0x03E0, 0x001F};

// Pixel value for a colour: channels cut to their bit counts for RGB, the
// nearest palette entry (the first of equals) for palette indexes; a
// PALETTEINDEX colour is that index on an 8-bit surface.
DWORD Pixel_From_Colour(const PixelLayout& layout, COLORREF colour);

// The colour a pixel value shows. An 8-bit pixel without a palette reads as
// a grey of its index.
COLORREF Colour_From_Pixel(const PixelLayout& layout, DWORD pixel);

// The nearest of 256 palette entries to a colour (squared distance, the
// lowest index among equals).
int Nearest_Palette_Index(const PALETTEENTRY* palette, COLORREF colour);
