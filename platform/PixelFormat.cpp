#include "platform/PixelFormat.h"

#include <bit>

namespace {

// A channel value 0..255 placed into a mask: the top bits that fit.
DWORD Put_Channel(unsigned value, DWORD mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    return (static_cast<DWORD>(value >> (8 - bits)) << shift) & mask;
}

// A channel read back from a mask, spread over 0..255.
unsigned Get_Channel(DWORD pixel, DWORD mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    DWORD max = mask >> shift;
    DWORD v = (pixel & mask) >> shift;
    return static_cast<unsigned>((v * 255 + max / 2) / max);
}

}  // namespace

int Nearest_Palette_Index(const PALETTEENTRY* palette, COLORREF colour) {
    int r = static_cast<int>(GetRValue(colour));
    int g = static_cast<int>(GetGValue(colour));
    int b = static_cast<int>(GetBValue(colour));
    int best = 0;
    long best_distance = -1;
    for (int i = 0; i < 256; ++i) {
        long dr = palette[i].peRed - r, dg = palette[i].peGreen - g, db = palette[i].peBlue - b;
        long distance = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || distance < best_distance) {
            best = i;
            best_distance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}

DWORD Pixel_From_Colour(const PixelLayout& layout, COLORREF colour) {
    if (layout.bits == 8) {
        if (Is_Palette_Index(colour)) return colour & 0xFF;
        if (layout.palette == nullptr) {
            return (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
        }
        return static_cast<DWORD>(Nearest_Palette_Index(layout.palette, colour));
    }
    return Put_Channel(GetRValue(colour), layout.r_mask) | Put_Channel(GetGValue(colour), layout.g_mask) |
           Put_Channel(GetBValue(colour), layout.b_mask);
}

COLORREF Colour_From_Pixel(const PixelLayout& layout, DWORD pixel) {
    if (layout.bits == 8) {
        unsigned index = pixel & 0xFF;
        if (layout.palette == nullptr) return RGB(index, index, index);
        const PALETTEENTRY& e = layout.palette[index];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    return RGB(Get_Channel(pixel, layout.r_mask), Get_Channel(pixel, layout.g_mask), Get_Channel(pixel, layout.b_mask));
}
