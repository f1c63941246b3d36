// Drawing sprites: bitmap sprites pixel by pixel through the shade table,
// run-length sprites through the run-length blitter.
#include <algorithm>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Dys.h"
#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SurfaceLock.h"

namespace {

// A palette argument with bit 7 set becomes (palette without bit 7) + 32768
// before it selects a remap table: such as 132, the cursor's shadow, then
// lies beyond the largest remap the blitter takes and draws nothing.
constexpr int PALETTE_HIGH_BIT = 0x80;
constexpr long long PALETTE_HIGH_OFFSET = 32768;

RECT Intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// Where frame f of s lands with its hot spot at (x, y), cut to the clip
// rect, to the destination (width, height) and to the sprite's surface.
// source_x, source_y: the sprite surface's pixel at cut's top-left.
struct frame_cut {
    RECT cut;
    int source_x, source_y;
};
frame_cut Cut_Frame(int x, int y, const sprite* s, int frame, int dest_width, int dest_height) {
    const RECT placed{x - s->hot_x, y - s->hot_y, x - s->hot_x + s->width, y - s->hot_y + s->height};
    const LONG frame_left = static_cast<LONG>(frame) * s->width;
    // The sprite surface's extent, in destination coordinates.
    const RECT source{placed.left - frame_left, placed.top, placed.left - frame_left + s->surface->Width(),
                      placed.top + s->surface->Height()};
    RECT cut = Intersect(Intersect(placed, clip_rect), Intersect(source, {0, 0, dest_width, dest_height}));
    return {cut, static_cast<int>(cut.left - source.left), static_cast<int>(cut.top - source.top)};
}

void Put_Run_Length_Sprite(LPDIRECTDRAWSURFACE surface, int x, int y, const sprite* s, int frame, int palette,
                           int light) {
    if (s->frames_data == nullptr) return;
    long long remap = palette;
    if (palette & PALETTE_HIGH_BIT) remap = (remap & ~static_cast<long long>(PALETTE_HIGH_BIT)) + PALETTE_HIGH_OFFSET;
    remap -= 1;
    // Out of the blitter's range: nothing (decided here, before the remap is narrowed to an int).
    if (remap < -1 || remap > DYS_LARGEST_REMAP) return;
    const CDysFrame& f = s->frames_data[frame];
    const bool lock_here = !lock_state.locked;
    if (lock_here) {
        Lock_Surface(surface);
        if (!lock_state.locked) return;
    }
    Draw_DYS_Frame(x + f.x, y + f.y, f.data, f.length, static_cast<int>(remap), light);
    if (lock_here) Unlock_Surface(surface);
}

}  // namespace

void Put_Bitmap_Sprite(LPDIRECTDRAWSURFACE surface, int x, int y, const sprite* s, int frame, int, int light) {
    if (surface == nullptr || s == nullptr || s->surface == nullptr) return;
    if (frame < 0 || frame >= s->frames) return;
    const frame_cut fc = Cut_Frame(x, y, s, frame, surface->Width(), surface->Height());
    if (Empty(fc.cut)) return;
    int transparent = -1;
    DDCOLORKEY key{};
    if (s->surface->GetColorKey(DDCKEY_SRCBLT, &key) == DD_OK)
        transparent = static_cast<int>(key.dwColorSpaceLowValue & 0xFF);

    DDSURFACEDESC dest_desc, source_desc;
    void* dest = Lock_Sprite_Surface(surface, &dest_desc);
    void* source = Lock_Sprite_Surface(s->surface, &source_desc);
    if (dest != nullptr && source != nullptr && dest_desc.ddpfPixelFormat.dwRGBBitCount == 16 &&
        source_desc.ddpfPixelFormat.dwRGBBitCount == 8) {
        const std::uint16_t* shade = shade_table[std::clamp(light, 0, LIGHT_LEVELS - 1)];
        const int width = fc.cut.right - fc.cut.left;
        for (LONG row = fc.cut.top; row < fc.cut.bottom; ++row) {
            const std::uint8_t* from = static_cast<const std::uint8_t*>(source) +
                                       (fc.source_y + row - fc.cut.top) * source_desc.lPitch + fc.source_x;
            std::uint16_t* to =
                reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(dest) + row * dest_desc.lPitch) +
                fc.cut.left;
            for (int i = 0; i < width; ++i) {
                const std::uint8_t index = from[i];
                if (index != transparent) to[i] = shade[index];
            }
        }
    }
    Unlock_Sprite_Surface(s->surface, source);
    Unlock_Sprite_Surface(surface, dest);
}

void Put_Sprite(LPDIRECTDRAWSURFACE surface, int x, int y, const sprite* s, int frame, int palette, int light) {
    if (s == nullptr || frame < 0 || frame >= s->frames) return;
    if (s->kind == SPRITE_BITMAP)
        Put_Bitmap_Sprite(surface, x, y, s, frame, palette, light);
    else
        Put_Run_Length_Sprite(surface, x, y, s, frame, palette, light);
}

void Put_Direct_Sprite(int x, int y, const sprite* s, int frame) {
    if (s == nullptr || s->surface == nullptr || primary_surface == nullptr) return;
    if (frame < 0 || frame >= s->frames) return;
    const frame_cut fc = Cut_Frame(x, y, s, frame, primary_surface->Width(), primary_surface->Height());
    if (Empty(fc.cut)) return;
    RECT source{fc.source_x, fc.source_y, fc.source_x + (fc.cut.right - fc.cut.left),
                fc.source_y + (fc.cut.bottom - fc.cut.top)};
    DD_Error("Put direct sprite",
             primary_surface->Blt(&fc.cut, s->surface, &source, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}
