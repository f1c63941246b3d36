// Sprites: bitmap sprites (the frames of an 8-bit bitmap, side by side in
// one surface, with a hot spot and a draw layer from the file's "FIX" block)
// and run-length sprites (the frames of a DYS file). Both are drawn into a
// 16-bit surface 640 pixels wide through the shade table, clipped to the
// clip rect.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/DDraw.h"

class CDysFrame;

constexpr std::uint8_t SPRITE_BITMAP = 0;      // frames in a surface
constexpr std::uint8_t SPRITE_RUN_LENGTH = 1;  // frames of run-length data

// The sprite record. It lives only in memory (records stored in files name a
// sprite by a handle, see SpriteHandles.h), so it keeps the documented fields
// and their meaning but not the original's 28-byte layout.
struct sprite {
    std::uint8_t kind;
    std::int32_t width;  // one frame (bitmap: the bitmap's width / frames)
    std::int32_t height;
    std::int32_t hot_x;  // the point of a frame drawn at the given position
    std::int32_t hot_y;
    LPDIRECTDRAWSURFACE surface;  // bitmap: all frames side by side, 8-bit
    CDysFrame* frames_data;       // run-length: the frame table, frames long
    std::uint16_t frames;         // 0 only for a run-length sprite whose file failed
    std::uint8_t layer;           // draw layer on a field; 0 when the file gives none
};

// The message line's sprite: 320 x 20, hot spot (0, 20), on the MESSAGE surface.
extern sprite message_sprite;

// The "FIX" block of a bitmap file: "FIX" at byte 58, then five i16: hot x,
// hot y, frame count (0 means 1), a second count (unused) and a value whose
// low byte is the layer. A file without one gives hot spot (0, 0), 1 frame,
// layer 0.
struct fix_block {
    std::int16_t hot_x = 0;
    std::int16_t hot_y = 0;
    std::int16_t frames = 1;
    std::int16_t layer = 0;
};
constexpr std::size_t FIX_BLOCK_OFFSET = 58;
constexpr std::size_t FIX_BLOCK_END = FIX_BLOCK_OFFSET + 13;
// The block of a file's first size bytes.
fix_block Parse_Fix_Block(const std::uint8_t* file, std::size_t size);

// name + ".BMP" as a bitmap sprite; none when the bitmap cannot be loaded
// ("Can't load bitmap:", fatal).
sprite* LoadSprite(const char* name, int ignored);
// The same without a report: none when the bitmap cannot be loaded.
sprite* Try_Load_Sprite(const char* name);
// Frees a sprite of either kind (none: nothing) and forgets its handle.
void Release_Sprite(sprite* s);

// Draws frame of s with its hot spot at (x, y) into a 16-bit surface, pixel
// by pixel through shade_table[light]. Bitmap sprites skip their colour key;
// run-length sprites go through the run-length blitter with the remap
// palette - 1 (0: none, 1: the first remap table, beyond the tables: none),
// where a palette with bit 7 set counts as (palette without bit 7) + 32768,
// so that 129 to 255 draw nothing (132: the cursor's shadow).
void Put_Sprite(LPDIRECTDRAWSURFACE surface, int x, int y, const sprite* s, int frame, int palette, int light);
// The bitmap part of Put_Sprite, without testing the kind.
void Put_Bitmap_Sprite(LPDIRECTDRAWSURFACE surface, int x, int y, const sprite* s, int frame, int palette, int light);
// Blits a bitmap sprite's frame onto the primary surface with its colour key.
void Put_Direct_Sprite(int x, int y, const sprite* s, int frame);
