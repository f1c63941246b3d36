#pragma once
// The world map program's pictures, painted in its own palette: the map
// (CMAP, 800 x 800, two by two pixels a terrain cell), the screen frame
// (KERET, 640 x 480, index 0 where the view shows through), the player's
// marker (PLAYER, 32 x 32), the torch flames (LANG, 26 frames of 20 x 36
// side by side), and the two cursors (CURSOR, URES).

#include "tools/artgen/IndexedImage.h"

namespace art::worldmap {

constexpr int MAP_PIXELS = 800;
constexpr int FLAME_FRAMES = 26;
constexpr int FLAME_WIDTH = 20, FLAME_HEIGHT = 36;

IndexedImage Map_Picture();
IndexedImage Frame_Picture();
IndexedImage Marker_Picture();
IndexedImage Flame_Picture();

struct Cursor {
    IndexedImage image;  // 32 x 32, index 0 transparent
    int hot_x = 0, hot_y = 0;
};
Cursor Normal_Cursor();
Cursor Wait_Cursor();

}  // namespace art::worldmap
