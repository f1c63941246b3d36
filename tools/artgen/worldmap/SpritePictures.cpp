// The player's marker, the torch flames and the two cursors.
#include <algorithm>
#include <cmath>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Noise.h"
#include "tools/artgen/worldmap/WorldPalette.h"
#include "tools/artgen/worldmap/WorldPictures.h"

namespace art::worldmap {

namespace {

constexpr double PI = 3.14159265358979;
// The flames repeat every this many frames (the program shows 20 of them in
// turn).
constexpr int FLAME_PERIOD = 20;

// Every transparent pixel next to a drawn one becomes ink.
void Ink_Outline(IndexedImage& img) {
    IndexedImage out = img;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            if (img.At(x, y) != TRANSPARENT_INDEX) continue;
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
                if (img.Inside(x + dx, y + dy) && img.At(x + dx, y + dy) != TRANSPARENT_INDEX) {
                    out.Set(x, y, INK);
                    break;
                }
        }
    img = out;
}

IndexedImage Flame_Frame(int k) {
    IndexedImage img(FLAME_WIDTH, FLAME_HEIGHT, TRANSPARENT_INDEX);
    const double phase = 2 * PI * (k % FLAME_PERIOD) / FLAME_PERIOD;
    const double height = 29 + 3.5 * std::sin(phase) + 2 * std::sin(3 * phase + 1);
    const double sway = 2.2 * std::sin(2 * phase + 0.5);
    const double base_y = FLAME_HEIGHT - 1.5;
    for (int y = 0; y < FLAME_HEIGHT; ++y)
        for (int x = 0; x < FLAME_WIDTH; ++x) {
            const double up = (base_y - y) / height;  // 0 at the base, 1 at the tip
            if (up < 0 || up > 1) continue;
            const double centre = FLAME_WIDTH / 2.0 - 0.5 + sway * up * up;
            const double half = 8.8 * std::sqrt(std::max(0.0, 1 - up)) * std::min(1.0, 0.35 + 1.6 * up);
            const double d = std::abs(x - centre) / std::max(half, 0.01);
            if (d > 1) continue;
            const double heat = (1 - d) * (1.1 - up);
            uint8_t v;
            if (heat > 0.62)
                v = FIRE_STILL.At(15);
            else if (heat > 0.42)
                v = FIRE_CYCLE.At((x + y / 3 + k) % 4);
            else if (heat > 0.2)
                v = FIRE_STILL.At(9 + static_cast<int>(Noise01(x, y + k, 901) * 3));
            else
                v = FIRE_STILL.At(3 + static_cast<int>(heat * 20));
            img.Set(x, y, v);
        }
    return img;
}

IndexedImage Cursor_Picture(const std::vector<std::pair<int, int>>& outline, uint8_t fill, uint8_t light) {
    IndexedImage img(32, 32, TRANSPARENT_INDEX);
    Painter p(img);
    std::vector<Vec2> pts;
    for (auto [x, y] : outline) pts.push_back({static_cast<double>(x), static_cast<double>(y)});
    p.Polygon(pts, Flat(fill));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (img.At(x, y) == fill && (x + y) % 7 == 0) img.Set(x, y, light);
    Ink_Outline(img);
    return img;
}

}  // namespace

IndexedImage Marker_Picture() {
    IndexedImage img(32, 32, TRANSPARENT_INDEX);
    Painter p(img);
    const Vec2 c{15.5, 15.5};
    p.Ellipse({17, 18}, 9.5, 9.5, Flat(SHADOW.At(1)));
    p.Ellipse(c, 10, 10, Flat(GOLD.At(5)));
    p.Ellipse({c.x - 1, c.y - 1}, 8.5, 8.5, Flat(GOLD.At(12)));
    p.Ellipse(c, 7.5, 7.5, Flat(BANNER.At(3)));
    p.Ellipse({c.x - 1.5, c.y - 1.5}, 5, 5, Flat(BANNER.At(6)));
    // A white star in the middle.
    std::vector<Vec2> star;
    for (int i = 0; i < 10; ++i) {
        const double a = -PI / 2 + i * PI / 5, r = i % 2 == 0 ? 5.5 : 2.3;
        star.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    p.Polygon(star, Flat(226));
    Ink_Outline(img);
    return img;
}

IndexedImage Flame_Picture() {
    std::vector<IndexedImage> frames;
    for (int k = 0; k < FLAME_FRAMES; ++k) frames.push_back(Flame_Frame(k));
    return Join_Frames(frames, TRANSPARENT_INDEX);
}

Cursor Normal_Cursor() {
    // An arrow pointing to the upper left.
    return {
        Cursor_Picture({{1, 1}, {1, 20}, {6, 15}, {10, 24}, {14, 22}, {10, 14}, {17, 14}}, GOLD.At(11), GOLD.At(15)), 1,
        1};
}

Cursor Wait_Cursor() {
    // An hourglass.
    Cursor c{IndexedImage(32, 32, TRANSPARENT_INDEX), 15, 15};
    Painter p(c.image);
    p.Rect(6, 3, 26, 6, Flat(WOOD_SHADES.At(10)));
    p.Rect(6, 25, 26, 28, Flat(WOOD_SHADES.At(10)));
    p.Polygon({{9, 6}, {23, 6}, {17, 15.5}, {23, 25}, {9, 25}, {15, 15.5}}, Flat(STEEL.At(6)));
    p.Polygon({{11, 8}, {21, 8}, {16, 14}}, Flat(GOLD.At(12)));
    p.Polygon({{16, 17}, {21, 24}, {11, 24}}, Flat(GOLD.At(10)));
    Ink_Outline(c.image);
    return c;
}

}  // namespace art::worldmap
