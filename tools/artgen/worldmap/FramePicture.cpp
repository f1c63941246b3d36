// The screen frame: carved wood with gilt edges round the view, gold
// scallops hanging over the view's top edge, a stone parapet with two torch
// sconces over the bottom of the view, and a parchment panel below with the
// title. Index 0 wherever the view shows through.
#include <algorithm>
#include <cmath>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Noise.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/worldmap/WorldPalette.h"
#include "tools/artgen/worldmap/WorldPictures.h"
#include "worldmap/Drawing.h"
#include "worldmap/WorldMap.h"

namespace art::worldmap {

namespace {

bool In_View(int x, int y) { return x >= VIEW_LEFT && x < VIEW_RIGHT && y >= VIEW_TOP && y < VIEW_BOTTOM; }

// Wood grain: streaks along x, darker toward the edges of a board.
uint8_t Wood(int x, int y, int board_top, int board_height) {
    const double grain = Fractal_Noise(x * 0.25, y * 2.5, 6, 801);
    const double edge = std::min(y - board_top, board_top + board_height - 1 - y) / 4.0;
    const double t = std::clamp(0.25 + grain * 0.6 + std::min(edge, 1.0) * 0.2 + Bayer(x, y) * 0.08, 0.0, 1.0);
    return WOOD_SHADES.At(static_cast<int>(t * (WOOD_SHADES.count - 1)));
}

void Wood_Border(IndexedImage& img) {
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            if (!In_View(x, y))
                img.Set(x, y, Wood(x, y, y < VIEW_BOTTOM ? 0 : VIEW_BOTTOM, y < VIEW_BOTTOM ? SCREEN_HEIGHT : 90));
    // Gilt lines round the view and round the panel.
    Frame_Rect(img, VIEW_LEFT - 2, VIEW_TOP - 2, VIEW_RIGHT + 2, VIEW_BOTTOM + 2, GOLD.At(12));
    Frame_Rect(img, VIEW_LEFT - 1, VIEW_TOP - 1, VIEW_RIGHT + 1, VIEW_BOTTOM + 1, GOLD.At(5));
    Frame_Rect(img, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GOLD.At(4));
    Frame_Rect(img, 1, 1, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1, GOLD.At(10));
}

// Gold scallops over the top edge of the view, a crest in the middle.
void Top_Ornament(IndexedImage& img) {
    for (int x = VIEW_LEFT; x < VIEW_RIGHT; ++x) {
        const int phase = (x - VIEW_LEFT) % 26;
        const int depth = static_cast<int>(std::lround(6 * std::sin(phase * 3.14159265 / 26)));
        for (int y = VIEW_TOP; y <= VIEW_TOP + depth && y < TOP_STRIP_BOTTOM; ++y) {
            const bool rim = y == VIEW_TOP + depth;
            img.Set(x, y, rim ? GOLD.At(3) : GOLD.At(8 + (y - VIEW_TOP) % 4));
        }
    }
    Painter p(img);
    const Vec2 crest{320, 9};
    p.Ellipse(crest, 12, 6, Flat(GOLD.At(4)));
    p.Ellipse(crest, 10, 5, Flat(GOLD.At(11)));
    p.Ellipse(crest, 5, 3, Flat(BANNER.At(5)));
}

// A stone parapet along the bottom of the view, merlons under the torches.
void Bottom_Parapet(IndexedImage& img) {
    constexpr int WALL_TOP = 356, MERLON_TOP = 342, MERLON = 28, GAP = 18;
    auto stone = [](int x, int y) {
        const bool joint = (y - WALL_TOP) % 9 == 0 || (x + ((y - WALL_TOP) / 9 % 2) * 11) % 22 == 0;
        const double n = Noise01(x / 2, y / 2, 802);
        return joint ? STONE_SHADES.At(2) : STONE_SHADES.At(7 + static_cast<int>(n * 6));
    };
    for (int y = MERLON_TOP; y < VIEW_BOTTOM; ++y)
        for (int x = VIEW_LEFT; x < VIEW_RIGHT; ++x) {
            const int offset = (x - VIEW_LEFT + 4) % (MERLON + GAP);
            const bool in_merlon = offset < MERLON;
            if (y < WALL_TOP && !in_merlon) continue;
            uint8_t v = stone(x, y);
            if (y == MERLON_TOP || (y == WALL_TOP && !in_merlon)) v = STONE_SHADES.At(14);
            if (in_merlon && (offset == 0 || offset == MERLON - 1) && y < WALL_TOP) v = STONE_SHADES.At(3);
            img.Set(x, y, v);
        }
    // Iron sconces on which the flames stand.
    for (int fx : {LEFT_FLAME_X, RIGHT_FLAME_X}) {
        Painter p(img);
        p.Polygon({{fx + 1.0, 334.0}, {fx + 19.0, 334.0}, {fx + 14.0, 343.0}, {fx + 6.0, 343.0}}, Flat(STEEL.At(2)));
        p.Rect(fx + 3, 333, fx + 17, 335, Flat(STEEL.At(5)));
        p.Rect(fx + 8, 343, fx + 12, 356, Flat(STEEL.At(1)));
    }
}

void Panel(IndexedImage& img) {
    const int top = VIEW_BOTTOM + 8, bottom = SCREEN_HEIGHT - 8;
    for (int y = top; y < bottom; ++y)
        for (int x = 24; x < SCREEN_WIDTH - 24; ++x) {
            const double n = Fractal_Noise(x, y, 20, 803);
            img.Set(x, y, PARCHMENT.At(8 + static_cast<int>(n * 7)));
        }
    Frame_Rect(img, 23, top - 1, SCREEN_WIDTH - 23, bottom + 1, GOLD.At(6));
    Frame_Rect(img, 22, top - 2, SCREEN_WIDTH - 22, bottom + 2, WOOD_SHADES.At(2));
    Draw_Text_Centred(img, SCREEN_WIDTH / 2, top + 12, "THE WORLD MAP", WOOD_SHADES.At(3), 3, PARCHMENT.At(4));
    Draw_Text_Centred(img, SCREEN_WIDTH / 2, top + 46, "CLICK A PLACE TO TRAVEL THERE", INK, 1);
    Draw_Text_Centred(img, SCREEN_WIDTH / 2, top + 58, "ESC LEAVES", INK, 1);
    // A compass rose on the right.
    Painter p(img);
    const Vec2 c{560, (top + bottom) / 2.0};
    p.Polygon({{c.x, c.y - 26}, {c.x + 6, c.y}, {c.x, c.y + 26}, {c.x - 6, c.y}}, Flat(WOOD_SHADES.At(4)));
    p.Polygon({{c.x - 26, c.y}, {c.x, c.y - 6}, {c.x + 26, c.y}, {c.x, c.y + 6}}, Flat(WOOD_SHADES.At(8)));
    p.Polygon({{c.x, c.y - 26}, {c.x + 6, c.y}, {c.x, c.y}}, Flat(BANNER.At(4)));
    p.Ellipse(c, 4, 4, Flat(GOLD.At(10)));
    Draw_Text_Centred(img, static_cast<int>(c.x), static_cast<int>(c.y) - 36, "N", INK, 1);
}

}  // namespace

IndexedImage Frame_Picture() {
    IndexedImage img(SCREEN_WIDTH, SCREEN_HEIGHT, TRANSPARENT_INDEX);
    Wood_Border(img);
    Top_Ornament(img);
    Bottom_Parapet(img);
    Panel(img);
    // Between the strips the view shows through everywhere.
    for (int y = TOP_STRIP_BOTTOM; y < BOTTOM_STRIP_TOP; ++y)
        for (int x = VIEW_LEFT; x < VIEW_RIGHT; ++x) img.Set(x, y, TRANSPARENT_INDEX);
    return img;
}

}  // namespace art::worldmap
