// The world map's pictures, taken from the program's resources: each an
// 8-bit bitmap selected into a memory context, with its bits and sizes, and
// the surfaces they are copied into.
#pragma once
#include <cstdint>

#include "platform/Gdi.h"

struct picture_record {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old_bitmap = nullptr;        // what the context held before
    const std::uint8_t* bits = nullptr;  // rows from the top, stride bytes apart
    int width = 0, height = 0, stride = 0, bits_per_pixel = 0;
};

// Each picture's resource name and size.
struct picture_kind {
    const char* name;
    int width, height;
};
constexpr picture_kind TERRAIN_KIND{"HMAP", 400, 400};
constexpr picture_kind MAP_KIND{"CMAP", 800, 800};
constexpr picture_kind FRAME_KIND{"KERET", 640, 480};
constexpr picture_kind MARKER_KIND{"PLAYER", 32, 32};
constexpr picture_kind FLAME_KIND{"LANG", 520, 36};
constexpr int FLAME_FRAME_WIDTH = 20;
constexpr int FLAME_FRAME_HEIGHT = 36;

extern picture_record terrain_picture;  // HMAP
extern picture_record map_picture;      // CMAP
extern picture_record frame_picture;    // KERET
extern picture_record marker_picture;   // PLAYER
extern picture_record flame_picture;    // LANG

// The bitmap resource in a memory context; a record without a bitmap when
// there is none.
picture_record Load_Bitmap_Resource(const char* name);
void Free_Picture(picture_record& picture);

// Loads every picture and checks its size and depth; false (after a message
// naming the picture) when one is missing or does not fit.
bool Load_Pictures();
// Makes the map surface (the map picture's rows, top row first) and the
// frame, marker and flame surfaces with their colour keys, and the view
// surface; false (after a message) when one cannot be made.
bool Make_Picture_Surfaces();
// Copies the frame, marker and flame pictures into their surfaces through
// the surfaces' contexts.
void Copy_Picture_Surfaces();
void Free_Pictures();
