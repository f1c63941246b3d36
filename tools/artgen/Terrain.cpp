#include "tools/artgen/Terrain.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Effects.h"
#include "tools/artgen/HeightField.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Model.h"
#include "tools/artgen/Noise.h"
#include "tools/artgen/Scene3D.h"

namespace art {
namespace {

constexpr int LAYER_GROUND = 0;
// Visual centre of a field: 4 pixels above its anchor (7 ground units north).
constexpr double CENTRE_Y = -7;

double Clamp(double v, double lo, double hi) { return std::min(std::max(v, lo), hi); }

// ---------------------------------------------------------------- textures

using TopTexture = std::function<uint8_t(int tx, int ty, double light, int edge, int px, int py)>;
using SideTexture = std::function<uint8_t(int tx, int depth, int rise, double light, int px, int py)>;

double Edge_Shift(int edge) { return edge > 0 ? 0.12 : edge < 0 ? -0.14 : 0.0; }

TopTexture Grass_Top(int variant) {
    uint32_t seed = 100 + variant;
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        double n = Fractal_Noise(tx + variant * 57, ty * 1.7, 9, seed);
        double t = 0.5 + (n - 0.5) * 0.55 + light * 1.2 + Edge_Shift(edge);
        double blade = Noise01(tx, ty, seed + 7), below = Noise01(tx, ty - 1, seed + 7);
        if (blade > 0.86)
            t += 0.2;
        else if (below > 0.86)
            t -= 0.16;
        if ((variant == 1 || variant == 3) && edge == 0 && Noise01(tx, ty, seed + 11) > 0.985)
            return Noise01(tx, ty, seed + 12) > 0.5 ? Ramp_Index(Ramp::Gold, 8) : Ramp_Index(Ramp::Grey, 14);
        return Dithered(Ramp::Grass, t, px, py);
    };
}

TopTexture Earth_Top(int variant) {
    uint32_t seed = 200 + variant;
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        double n = Fractal_Noise(tx + variant * 31, ty * 1.7, 8, seed);
        double t = 0.5 + (n - 0.5) * 0.5 + light * 1.2 + Edge_Shift(edge);
        if (Noise01(tx, ty, seed + 3) > 0.95) t += 0.22;
        if (Noise01(tx - 1, ty - 1, seed + 3) > 0.95) t -= 0.2;
        double crack = std::abs(Value_Noise(tx, ty * 1.7, 11, seed + 9) - 0.5);
        if (crack < 0.018) t -= 0.18;
        return Dithered(Ramp::Earth, t, px, py);
    };
}

// Flagstones: each pixel belongs to the nearest of a few stone centres.
TopTexture Stone_Top(int variant) {
    struct P {
        double x, y, shade;
    };
    std::vector<P> seeds;
    Rng rng(300 + variant);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            seeds.push_back(
                {3 + i * 12 + rng.Range(-3, 3) + (j % 2) * 6, 3 + j * 10 + rng.Range(-2, 2), rng.Range(-0.12, 0.12)});
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        double d1 = 1e9, d2 = 1e9;
        const P* best = &seeds[0];
        for (const P& s : seeds) {
            double dx = tx - s.x, dy = (ty - s.y) * 1.7;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d < d1)
                d2 = d1, d1 = d, best = &s;
            else if (d < d2)
                d2 = d;
        }
        double t = 0.52 + best->shade + light * 1.2 + Edge_Shift(edge);
        t += (Noise01(tx, ty, 333) - 0.5) * 0.12;
        if (d2 - d1 < 1.3)
            t = 0.18 + light;
        else if (d2 - d1 < 2.4)
            t -= 0.08;
        return Dithered(Ramp::Stone, t, px, py);
    };
}

TopTexture Water_Top(int variant) {
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        double n = Value_Noise(tx, ty * 2, 7, 400 + variant);
        double w = std::sin(tx * 0.33 + ty * 1.25 + variant * 1.6 + n * 4);
        double t = 0.5 + w * 0.12 + light + Edge_Shift(edge) * 0.6;
        if (w > 0.9 && Noise01(tx, ty, 401 + variant) > 0.4) t = 0.92;
        return Dithered(Ramp::Water, t, px, py);
    };
}

TopTexture Wood_Top(int variant) {
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        int plank = (ty + 1) / 5;
        int in = (ty + 1) % 5;
        double t = 0.52 + (Noise01(plank, 0, 500 + variant) - 0.5) * 0.2 + light * 1.2 + Edge_Shift(edge);
        t += 0.08 * std::sin(tx * 0.45 + plank * 2.3 + Value_Noise(tx, plank, 6, 501) * 5);
        if (in == 0) t = 0.16;
        int seam = (plank * 17 + variant * 9) % 38 + 2;
        if (tx == seam) t -= 0.25;
        if ((tx == seam + 2 || tx == seam - 2) && in == 2) t = 0.2;  // nails
        return Dithered(Ramp::Wood, t, px, py);
    };
}

// Tilled soil: dark earth in furrows, a clod here and there.
TopTexture Soil_Top(int variant) {
    uint32_t seed = 700 + variant;
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        double n = Fractal_Noise(tx + variant * 23, ty * 1.7, 6, seed);
        double t = 0.4 + (n - 0.5) * 0.45 + light * 1.2 + Edge_Shift(edge);
        if ((tx + 2 * ty + variant) % 7 == 0) t -= 0.16;
        if (Noise01(tx, ty, seed + 5) > 0.96) t += 0.2;
        return Dithered(Ramp::Earth, t, px, py);
    };
}

SideTexture Earth_Side(bool grass_fringe) {
    return [=](int tx, int depth, int rise, double light, int px, int py) -> uint8_t {
        if (grass_fringe && depth <= 2 && Noise01(tx, depth, 601) > 0.25)
            return Dithered(Ramp::Grass, 0.15 + light * 0.5, px, py);
        double t = 0.1 + light * 0.6 + (Value_Noise(tx, rise * 3, 4, 602) - 0.5) * 0.25;
        if (Noise01(tx, rise, 603) > 0.93) t += 0.15;
        return Dithered(Ramp::Earth, t, px, py);
    };
}

// Ashlar blocks: courses of `course` pixels, joints staggered.
SideTexture Brick_Side(Ramp ramp, int course, int brick, uint32_t seed) {
    return [=](int tx, int depth, int rise, double light, int px, int py) -> uint8_t {
        (void)depth;
        int row = rise / course;
        int off = (row % 2) * (brick / 2);
        int col = (tx + off) / brick;
        bool joint = rise % course == 0 || (tx + off) % brick == 0;
        double t = 0.08 + light * 0.62 + (Noise01(col, row, seed) - 0.5) * 0.16;
        t += (Noise01(tx, rise, seed + 1) - 0.5) * 0.08;
        if (joint)
            t -= 0.2;
        else if (rise % course == course - 1)
            t += 0.06;
        return Dithered(ramp, t, px, py);
    };
}

SideTexture Beam_Side() {
    return [](int tx, int depth, int rise, double light, int px, int py) -> uint8_t {
        (void)depth;
        double t = 0.08 + light * 0.6 + 0.06 * std::sin(rise * 0.9 + tx * 0.2);
        if (rise % 11 == 0) t -= 0.15;
        return Dithered(Ramp::Wood, t, px, py);
    };
}

struct Terrain {
    const char* name;
    std::function<TopTexture(int)> top;
    SideTexture side;
};

// ---------------------------------------------------------------- floors

// Level floors: the floor shape and nothing else.
BitmapSprite Level_Floor(const Terrain& t) {
    std::vector<IndexedImage> frames;
    for (int v = 0; v < FLOOR_VARIANTS; ++v) {
        IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT, KEY);
        HeightField hf;
        hf.height = [](int, int) { return 0.0; };
        hf.top = t.top(v);
        hf.side = t.side;
        Draw_Height_Field(img, 0, 0, hf, 0);
        frames.push_back(img);
    }
    return Make_Bitmap(std::string("ARTWORK\\") + t.name, frames, FLOOR_HOT_X, FLOOR_HOT_Y, LAYER_GROUND);
}

BitmapSprite Sloped_Floor(const Terrain& t) {
    std::vector<IndexedImage> frames;
    for (int shape = 0; shape < SLOPE_FRAMES; ++shape) {
        IndexedImage img(FLOOR_WIDTH, SLOPE_HEADROOM + FLOOR_HEIGHT, KEY);
        HeightField hf;
        hf.height = [shape](int tx, int ty) { return Ground_Shape_Height(shape, tx, ty); };
        hf.top = t.top(shape % FLOOR_VARIANTS);
        hf.side = t.side;
        Draw_Height_Field(img, 0, SLOPE_HEADROOM, hf, 0);
        frames.push_back(img);
    }
    return Make_Bitmap(std::string("ARTWORK\\") + t.name + "H", frames, FLOOR_HOT_X, FLOOR_HOT_Y + SLOPE_HEADROOM,
                       LAYER_GROUND);
}

BitmapSprite Raised_Floor(const Terrain& t) {
    std::vector<IndexedImage> frames;
    for (int e = 1; e <= RAISED_FRAMES; ++e) {
        IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT + RAISED_FRAMES * ELEVATION_STEP, KEY);
        HeightField hf;
        hf.height = [](int, int) { return 0.0; };
        hf.top = t.top(e % FLOOR_VARIANTS);
        hf.side = t.side;
        Draw_Height_Field(img, 0, 0, hf, e * ELEVATION_STEP);
        frames.push_back(img);
    }
    return Make_Bitmap(std::string("ARTWORK\\") + t.name + "R", frames, FLOOR_HOT_X, FLOOR_HOT_Y, LAYER_GROUND);
}

// ---------------------------------------------------------------- blocks

// A field-shaped block `height` pixels tall with its top at the given texture.
IndexedImage Block(int box_h, int height, const TopTexture& top, const SideTexture& side,
                   std::function<double(int, int)> shape = nullptr) {
    IndexedImage img(FLOOR_WIDTH, box_h, KEY);
    HeightField hf;
    if (shape)
        hf.height = shape;
    else
        hf.height = [height](int, int) { return static_cast<double>(height); };
    hf.top = top;
    hf.side = side;
    Draw_Height_Field(img, 0, box_h - FLOOR_HEIGHT, hf, 0);
    return img;
}

TopTexture Cap_Top(Ramp ramp, uint32_t seed) {
    return [=](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
        double t = 0.62 + light + Edge_Shift(edge) * 1.5 + (Fractal_Noise(tx, ty * 1.7, 6, seed) - 0.5) * 0.25;
        return Dithered(ramp, t, px, py);
    };
}

BitmapSprite Wall_Sprite() {
    const int box_h = FLOOR_HEIGHT + WALL_HEIGHT;
    SideTexture bricks = Brick_Side(Ramp::Stone, 7, 12, 700);
    IndexedImage whole = Block(box_h, WALL_HEIGHT, Cap_Top(Ramp::Stone, 701), bricks);
    // A damaged wall: a broken, lower top.
    IndexedImage broken = Block(box_h, WALL_HEIGHT, Cap_Top(Ramp::Stone, 702), bricks, [](int tx, int ty) {
        return 26 + 14 * Value_Noise(tx, ty, 7, 703) + 4 * Noise01(tx / 3, 0, 704);
    });
    Rim_Shade(whole, KEY, 1);
    Rim_Shade(broken, KEY, 1);
    return Make_Bitmap("ARTWORK\\WALL", {whole, broken}, FLOOR_HOT_X, box_h - FLOOR_HEIGHT + FLOOR_HOT_Y, 0);
}

BitmapSprite Palisade_Sprite() {
    const int box_h = FLOOR_HEIGHT + 46;
    IndexedImage img = Block(
        box_h, 40,
        [](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
            (void)ty;
            double t = 0.5 + light + Edge_Shift(edge) + ((tx % 6) == 0 ? -0.2 : 0);
            return Dithered(Ramp::Wood, t, px, py);
        },
        [](int tx, int depth, int rise, double light, int px, int py) -> uint8_t {
            (void)depth;
            int post = tx / 6, in = tx % 6;
            if (in == 0) return Dithered(Ramp::Wood, 0.05 + light * 0.2, px, py);
            double t = 0.1 + light * 0.55 +
                       (in == 1   ? 0.1
                        : in == 5 ? -0.1
                                  : 0) +
                       0.05 * std::sin(rise * 0.7 + post * 2.0);
            if (rise == 12 || rise == 30) t = 0.1 + light * 0.3;  // cross beams
            return Dithered(Ramp::Wood, t, px, py);
        },
        [](int tx, int) { return 40.0 + ((tx % 6) < 3 ? 3 : 5) - std::abs((tx % 6) - 3); });
    Rim_Shade(img, KEY, 1);
    return Make_Bitmap("ARTWORK\\PALISADE", {img}, FLOOR_HOT_X, box_h - FLOOR_HEIGHT + FLOOR_HOT_Y, 0);
}

BitmapSprite Hill_Sprite() {
    const int box_h = FLOOR_HEIGHT + HILL_HEIGHTS[3];
    std::vector<IndexedImage> frames;
    for (int h : HILL_HEIGHTS) frames.push_back(Block(box_h, h, Grass_Top(2), Earth_Side(true)));
    return Make_Bitmap("ARTWORK\\HILL", frames, FLOOR_HOT_X, box_h - FLOOR_HEIGHT + FLOOR_HOT_Y, 0);
}

BitmapSprite Steps_Sprite() {
    const int box_h = FLOOR_HEIGHT + STEPS_HEIGHT;
    const int steps = 7;
    std::vector<IndexedImage> frames;
    for (int d = 1; d <= 6; ++d) {
        GroundDir dir = Direction_On_Ground(d);
        auto band = [dir](int tx, int ty) {
            double gx = tx - FLOOR_HOT_X, gy = (ty - FLOOR_HOT_Y + 4) / GROUND_SQUASH;
            double u = (gx * dir.x + gy * dir.y) / 21.0;  // about -1 .. 1 across the field
            return std::clamp(static_cast<int>(std::floor((u + 1) / 2 * steps)), 0, steps - 1);
        };
        auto height = [band](int tx, int ty) { return (band(tx, ty) + 1.0) * STEPS_HEIGHT / steps; };
        TopTexture top = [band](int tx, int ty, double light, int edge, int px, int py) -> uint8_t {
            int b = band(tx, ty);
            bool nose = band(tx, ty + 1) != b || band(tx + 1, ty) != b || band(tx - 1, ty) != b;
            double t =
                0.66 + light * 0.5 + Edge_Shift(edge) + (nose ? 0.18 : 0) + (Noise01(tx, ty, 800 + b) - 0.5) * 0.1;
            return Dithered(Ramp::Stone, t, px, py);
        };
        frames.push_back(Block(box_h, 0, top, Brick_Side(Ramp::Stone, 11, 14, 801), height));
        Rim_Shade(frames.back(), KEY, 1);
    }
    return Make_Bitmap("ARTWORK\\STEPS", frames, FLOOR_HOT_X, box_h - FLOOR_HEIGHT + FLOOR_HOT_Y, 0);
}

// ---------------------------------------------------------------- door

BitmapSprite Door_Sprite() {
    const int box_h = FLOOR_HEIGHT + WALL_HEIGHT;
    const int base = box_h - FLOOR_HEIGHT;  // image row of floor row 0
    const int left = 11, right = 31;        // opening, floor columns
    const int opening = 36;                 // height of the opening
    std::vector<IndexedImage> frames;
    for (int f = 0; f < DOOR_FRAMES; ++f) {
        IndexedImage img = Block(box_h, WALL_HEIGHT, Cap_Top(Ramp::Stone, 900), Brick_Side(Ramp::Stone, 7, 12, 700));
        Rim_Shade(img, KEY, 1);
        // The opening through the front faces, with a lintel above it.
        IndexedImage cut(img.width, img.height, 0);
        for (int tx = left; tx < right; ++tx) {
            int ground = base + Floor_Bottom(tx);
            for (int y = ground - opening; y <= ground; ++y) {
                img.Set(tx, y, KEY);
                cut.Set(tx, y, 1);
            }
            img.Set(tx, ground - opening - 1, Ramp_Index(Ramp::Stone, 2));
        }
        for (int y = 0; y < img.height; ++y) {
            if (cut.At(left, y)) img.Set(left - 1, y, Ramp_Index(Ramp::Stone, 1));
            if (cut.At(right - 1, y)) img.Set(right, y, Ramp_Index(Ramp::Stone, 1));
        }
        // The leaf hangs on the left jamb in the wall's middle plane and turns inward.
        double angle = (DOOR_FRAMES - 1 - f) * (M_PI / 2) / (DOOR_FRAMES - 1);
        double hinge_x = left, hinge_y = base + FLOOR_HOT_Y - 3;
        double width = right - left;
        double end_x = hinge_x + width * std::cos(angle), end_y = hinge_y - width * std::sin(angle) * GROUND_SQUASH;
        IndexedImage leaf(img.width, img.height, KEY);
        Painter p(leaf);
        std::vector<Vec2> quad = {
            {hinge_x, hinge_y}, {end_x, end_y}, {end_x, end_y - opening}, {hinge_x, hinge_y - opening}};
        double shade = 0.35 + 0.4 * std::cos(angle);
        p.Polygon(quad, [=](Vec2 q, int px, int py) -> uint8_t {
            double u = (q.x - hinge_x) / std::max(1.0, std::abs(end_x - hinge_x));
            int plank = static_cast<int>(u * 4);
            double t = shade + (Noise01(plank, 0, 901) - 0.5) * 0.12;
            if (std::abs(u * 4 - std::round(u * 4)) < 0.07) t -= 0.2;
            double v = hinge_y - q.y;
            if (std::abs(v - 8) < 1.2 || std::abs(v - 26) < 1.2) return Dithered(Ramp::Metal, shade, px, py);
            return Dithered(Ramp::Wood, t, px, py);
        });
        if (f == DOOR_FRAMES - 1) {  // a ring handle on the closed leaf
            leaf.Set(right - 5, static_cast<int>(hinge_y) - 17, Ramp_Index(Ramp::Gold, 7));
            leaf.Set(right - 6, static_cast<int>(hinge_y) - 16, Ramp_Index(Ramp::Gold, 5));
            leaf.Set(right - 4, static_cast<int>(hinge_y) - 16, Ramp_Index(Ramp::Gold, 5));
            leaf.Set(right - 5, static_cast<int>(hinge_y) - 15, Ramp_Index(Ramp::Gold, 4));
        }
        // Behind the leaf: the dark passage beyond the doorway.
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                if (!cut.At(x, y)) continue;
                if (leaf.At(x, y) != KEY)
                    img.Set(x, y, leaf.At(x, y));
                else if (y < hinge_y)
                    img.Set(x, y, Dithered(Ramp::Shadow, 0.6 - (hinge_y - y) / 80.0, x, y));
            }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\DOOR", frames, FLOOR_HOT_X, base + FLOOR_HOT_Y, 0);
}

// ---------------------------------------------------------------- objects

BitmapSprite Finish_Objects(const char* name, std::vector<IndexedImage> frames, int hot_x, int hot_y) {
    for (IndexedImage& f : frames) Outline(f, KEY, Outline_Index(), false);
    return Make_Bitmap(std::string("ARTWORK\\") + name, frames, hot_x, hot_y, 0);
}

BitmapSprite Chest_Sprite() {
    const int w = FLOOR_WIDTH, h = 52, ox = 21, oy = 44;
    std::vector<IndexedImage> frames;
    for (int f = 0; f < CHEST_FRAMES; ++f) {
        Scene s(w, h, ox, oy);
        Vec3 c{0, CENTRE_Y, 0};
        Material wood = Mat(Ramp::Wood, 0.05, 0.85);
        wood.pattern = [](Vec3 p) {
            return 0.06 * std::sin(p.x * 0.9 + p.z * 0.3) + (std::fmod(p.z + 40, 5) < 0.7 ? -0.15 : 0);
        };
        Material iron = Mat(Ramp::Metal, 0.05, 0.8);
        iron.shine = 0.3;
        const double hx = 13, hy = 8, hz = 6;
        s.Box(c + Vec3{0, 0, hz}, hx, hy, hz, 0, wood);
        s.Box(c + Vec3{-9, 0, hz}, 1.2, hy + 0.3, hz + 0.3, 0, iron);
        s.Box(c + Vec3{9, 0, hz}, 1.2, hy + 0.3, hz + 0.3, 0, iron);
        // The lid turns about its back edge.
        double open = f <= 1 ? 0 : f == 2 ? 0.55 : 1.75;
        Vec3 hinge = c + Vec3{0, -hy, 2 * hz};
        Vec3 ay{0, std::cos(open) * hy, std::sin(open) * hy};
        Vec3 az{0, -std::sin(open) * 2.5, std::cos(open) * 2.5};
        Vec3 lid_c = hinge + ay + az;
        if (open > 0) {
            Material gold = Mat(Ramp::Gold, 0.3, 1.0);
            gold.shine = 0.4;
            gold.pattern = [](Vec3 p) {
                return (Noise01(static_cast<int>(p.x * 2), static_cast<int>(p.y * 2), 910) - 0.5) * 0.5;
            };
            s.Box(c + Vec3{0, 0, 2 * hz + 0.2}, hx - 1.5, hy - 1.5, 0.8, 0, gold);
            s.Sphere(c + Vec3{-4, 1, 2 * hz + 1.2}, 1.6, gold);
            s.Sphere(c + Vec3{3, -2, 2 * hz + 1.4}, 1.8, gold);
            s.Sphere(c + Vec3{6, 3, 2 * hz + 0.9}, 1.3, Mat(Ramp::ClothRed, 0.3, 1.0, 0.5));
        }
        s.Box(lid_c, Vec3{hx, 0, 0}, ay, az, wood);
        s.Box(lid_c + Vec3{-9, 0, 0}, Vec3{1.2, 0, 0}, ay * 1.03, az * 1.15, iron);
        s.Box(lid_c + Vec3{9, 0, 0}, Vec3{1.2, 0, 0}, ay * 1.03, az * 1.15, iron);
        if (f == 0) {  // the padlock
            Material lock = Mat(Ramp::Gold, 0.2, 0.95);
            lock.shine = 0.5;
            s.Box(c + Vec3{0, hy + 1, 2 * hz - 3}, 2.2, 1, 2.2, 0, lock);
            s.Capsule(c + Vec3{-1.3, hy + 1, 2 * hz - 0.5}, c + Vec3{1.3, hy + 1, 2 * hz - 0.5}, 0.7, 0.7, lock);
        } else {
            s.Box(c + Vec3{0, hy + 0.5, 2 * hz - 3}, 1.5, 0.6, 1.5, 0, iron);
        }
        frames.push_back(s.Image());
    }
    return Finish_Objects("CHEST", frames, ox, oy);
}

BitmapSprite Barrel_Sprite() {
    const int w = FLOOR_WIDTH, h = 44, ox = 21, oy = 36;
    Scene s(w, h, ox, oy);
    Material wood = Mat(Ramp::Wood, 0.1, 0.85);
    Material iron = Mat(Ramp::Metal, 0.05, 0.7);
    Vec3 c{0, CENTRE_Y, 0};
    for (int i = 0; i <= 20; ++i) {
        double z = i * 1.0;
        double r = 8 + 1.6 * std::sin(M_PI * z / 20);
        bool hoop = i == 3 || i == 17;
        s.Capsule(c + Vec3{0, 0, z}, c + Vec3{0, 0, z + 1}, hoop ? r + 0.4 : r, hoop ? r + 0.4 : r, hoop ? iron : wood);
    }
    Material top = Mat(Ramp::Wood, 0.3, 0.8);
    top.pattern = [](Vec3 p) { return std::fmod(p.x + 40, 4) < 0.8 ? -0.2 : 0; };
    s.Face({c + Vec3{-7.5, -7.5, 21}, c + Vec3{7.5, -7.5, 21}, c + Vec3{7.5, 7.5, 21}, c + Vec3{-7.5, 7.5, 21}}, top);
    IndexedImage img = s.Image();
    // Keep the round top inside the staves.
    return Finish_Objects("BARREL", {img}, ox, oy);
}

BitmapSprite Rock_Sprite() {
    const int w = FLOOR_WIDTH, h = 40, ox = 21, oy = 32;
    Scene s(w, h, ox, oy);
    Material rock = Mat(Ramp::Stone, 0.05, 0.9);
    rock.pattern = [](Vec3 p) { return (Value_Noise(p.x * 3, p.z * 3 + p.y, 3, 920) - 0.5) * 0.35; };
    Vec3 c{0, CENTRE_Y, 0};
    s.Sphere(c + Vec3{-3, 0, 7}, 9, rock);
    s.Sphere(c + Vec3{5, 2, 5}, 7, rock);
    s.Sphere(c + Vec3{1, -3, 12}, 6, rock);
    Material moss = Mat(Ramp::Grass, 0.1, 0.7);
    s.Sphere(c + Vec3{-6, -1, 13}, 3, moss);
    return Finish_Objects("ROCK", {s.Image()}, ox, oy);
}

BitmapSprite Tree_Sprite() {
    const int w = 56, h = 96, ox = 28, oy = 88;
    Scene s(w, h, ox, oy);
    Material bark = Mat(Ramp::Wood, 0.05, 0.6);
    bark.pattern = [](Vec3 p) { return std::fmod(std::abs(p.x * 3 + p.z * 0.3), 3) < 1 ? -0.12 : 0; };
    Vec3 c{0, CENTRE_Y, 0};
    s.Capsule(c, c + Vec3{0, 0, 55}, 4, 2.5, bark);
    s.Capsule(c + Vec3{0, 0, 38}, c + Vec3{-9, 2, 52}, 1.8, 1.2, bark);
    s.Capsule(c + Vec3{0, 0, 44}, c + Vec3{9, -1, 58}, 1.8, 1.2, bark);
    Material leaves = Mat(Ramp::Grass, 0.05, 0.95);
    leaves.pattern = [](Vec3 p) {
        return (Noise01(static_cast<int>(std::floor(p.x * 1.3)), static_cast<int>(std::floor(p.z * 1.3 + p.y)), 930) -
                0.5) *
               0.45;
    };
    const Vec3 blobs[] = {{0, 0, 72}, {-12, 3, 64}, {12, 2, 66},   {-6, 8, 58},
                          {7, 9, 57}, {0, -6, 80},  {-10, -4, 76}, {10, -3, 78}};
    const double radii[] = {14, 10, 10, 9, 9, 10, 7, 7};
    for (int i = 0; i < 8; ++i) s.Sphere(c + blobs[i], radii[i], leaves);
    return Finish_Objects("TREE", {s.Image()}, ox, oy);
}

// A light on a post or stand; its flame flickers through the frames.
BitmapSprite Lamp_Sprite(const char* name, int kind) {
    const int w = 30, h = 72, ox = 15, oy = 66;
    std::vector<IndexedImage> frames;
    for (int f = 0; f < LAMP_FRAMES; ++f) {
        Scene s(w, h, ox, oy);
        Vec3 c{0, CENTRE_Y, 0};
        Material iron = Mat(Ramp::Metal, 0.05, 0.75);
        iron.shine = 0.3;
        Material wood = Mat(Ramp::Wood, 0.05, 0.75);
        Vec2 flame{};  // flame base in pixels
        double flame_h = 0;
        if (kind == 0) {  // Lampa1: a lantern on an iron post
            s.Box(c + Vec3{0, 0, 1.5}, 5, 5, 1.5, 0, Mat(Ramp::Stone, 0.1, 0.8));
            s.Capsule(c + Vec3{0, 0, 2}, c + Vec3{0, 0, 52}, 1.6, 1.3, iron);
            s.Box(c + Vec3{0, 0, 53}, 4.5, 4.5, 1, 0.5, iron);
            Material glass = Mat(Ramp::Gold, 0.6, 1.0);
            glass.glow = true;
            glass.hi = 0.75 + 0.1 * (f % 2);
            s.Box(c + Vec3{0, 0, 59}, 3.4, 3.4, 5, 0.5, glass);
            s.Capsule(c + Vec3{-3.6, 0, 54}, c + Vec3{-3.6, 0, 64}, 0.7, 0.7, iron);
            s.Capsule(c + Vec3{3.6, 0, 54}, c + Vec3{3.6, 0, 64}, 0.7, 0.7, iron);
            s.Capsule(c + Vec3{0, 0, 65}, c + Vec3{0, 0, 68}, 2.8, 0.8, iron);
            Vec3 p = s.Project(c + Vec3{0, 0, 56});
            flame = {p.x, p.y};
            flame_h = 7;
        } else if (kind == 1) {  // Faklya: a torch in a tripod stand
            for (int i = 0; i < 3; ++i) {
                double a = i * 2 * M_PI / 3 + 0.3;
                s.Capsule(c + Vec3{std::cos(a) * 7, std::sin(a) * 7, 0}, c + Vec3{0, 0, 30}, 1, 1, wood);
            }
            s.Capsule(c + Vec3{0, 0, 24}, c + Vec3{0, 0, 46}, 1.8, 2.2, wood);
            Material rag = Mat(Ramp::Leather, 0.05, 0.5);
            s.Capsule(c + Vec3{0, 0, 44}, c + Vec3{0, 0, 49}, 2.8, 2.8, rag);
            Vec3 p = s.Project(c + Vec3{0, 0, 50});
            flame = {p.x, p.y};
            flame_h = 16;
        } else {  // Gyertyat: three candles on a candlestick
            Material brass = Mat(Ramp::Gold, 0.1, 0.85);
            brass.shine = 0.4;
            s.Capsule(c + Vec3{0, 0, 0.5}, c + Vec3{0, 0, 1.5}, 6, 5, brass);
            s.Capsule(c + Vec3{0, 0, 1}, c + Vec3{0, 0, 26}, 1.4, 1.2, brass);
            s.Capsule(c + Vec3{-8, 0, 28}, c + Vec3{8, 0, 28}, 1.1, 1.1, brass);
            s.Capsule(c + Vec3{-8, 0, 27}, c + Vec3{-8, 0, 30}, 1.8, 1.8, brass);
            s.Capsule(c + Vec3{8, 0, 27}, c + Vec3{8, 0, 30}, 1.8, 1.8, brass);
            Material wax = Mat(Ramp::Bone, 0.3, 1.0);
            for (int i = -1; i <= 1; ++i)
                s.Capsule(c + Vec3{i * 8.0, 0, 30}, c + Vec3{i * 8.0, 0, i == 0 ? 42.0 : 38.0}, 1.5, 1.5, wax);
            for (int i = -1; i <= 1; ++i) {
                Vec3 p = s.Project(c + Vec3{i * 8.0, 0, i == 0 ? 43.5 : 39.5});
                if (i != 0)
                    Draw_Flame(s.Pixels(), {p.x, p.y}, 6, 2.6, f * 3 + i + 5);
                else
                    flame = {p.x, p.y};
            }
            flame_h = 7;
        }
        IndexedImage img = s.Image();
        Outline(img, KEY, Outline_Index(), false);
        Draw_Flame(img, flame, flame_h, kind == 1 ? 6 : 3.2, f * 3 + kind);
        frames.push_back(img);
    }
    return Make_Bitmap(std::string("ARTWORK\\") + name, frames, ox, oy, 0);
}

BitmapSprite Teleport_Sprite() {
    std::vector<IndexedImage> frames;
    const FloorMask& m = Floor_Mask();
    for (int f = 0; f < 4; ++f) {
        IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT + 20, KEY);
        const int top = 20;
        for (int ty = 0; ty < FLOOR_HEIGHT; ++ty)
            for (int tx = 0; tx < FLOOR_WIDTH; ++tx) {
                if (!m[ty][tx]) continue;
                double dx = (tx - 21) / 17.0, dy = (ty - 15) / 10.0;
                double r = std::sqrt(dx * dx + dy * dy);
                double ang = std::atan2(dy, dx);
                bool ring = std::abs(r - 1) < 0.09 || std::abs(r - 0.72) < 0.07;
                bool rune = r > 0.74 && r < 0.98 && std::fmod(ang * 6 / M_PI + f * 0.5 + 12, 2) < 0.35;
                bool star = r < 0.66 && std::abs(std::sin(ang * 3 + f * 0.4)) * r > 0.55;
                if (ring)
                    img.Set(tx, ty + top, Ramp_Index(Ramp::Magic, 6 + (f + tx) % 2));
                else if (rune)
                    img.Set(tx, ty + top, Ramp_Index(Ramp::Magic, 5));
                else if (star)
                    img.Set(tx, ty + top, Ramp_Index(Ramp::Magic, 4));
            }
        // Rising sparks.
        Rng rng(950);
        for (int i = 0; i < 14; ++i) {
            double x = rng.Range(9, 33), phase = rng.Unit();
            double rise = std::fmod(phase + f * 0.25, 1.0);
            int y = static_cast<int>(top + 22 - rise * 34);
            uint8_t c = Ramp_Index(Ramp::Magic, 7 - static_cast<int>(rise * 4));
            img.Set(static_cast<int>(x), y, c);
            if (rise < 0.5) img.Set(static_cast<int>(x), y + 1, Ramp_Index(Ramp::Magic, 4));
        }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\TELEPORT", frames, FLOOR_HOT_X, 20 + FLOOR_HOT_Y, 0);
}

}  // namespace

double Ground_Shape_Height(int shape, int tx, int ty) {
    double sub_x = tx - FLOOR_HOT_X, sub_y = ty - FLOOR_HOT_Y;
    double a = Clamp(sub_x - sub_y + 21, 0, 42), b = Clamp(sub_y + 10, 0, 20);
    double U = a * 12 / 42, V = b * 12 / 21;
    switch (shape) {
        case 0: return a <= 2 * b ? U : V;
        case 1: return a < 42 - 2 * b ? V : 12 - U;
        case 2: return a < 42 - 2 * b ? U : 12 - U;
        case 3: return a <= 2 * b ? 12 - V : 12 - U;
        case 4: return U;
        case 5: return V;
        case 6: return 12 - U;
        case 7: return 12 - V;
        case 8: return std::max(U + V - 12, 0.0);
        case 9: return std::max(V - U, 0.0);
        case 10: return std::max(12 - U - V, 0.0);
        case 11: return std::max(U - V, 0.0);
        case 12: return 12 - V + U;
        case 13: return 24 - U - V;
        case 14: return U + V;
        case 15: return 12 - U + V;
        case 16: return std::min(12 - V + U, 12.0);
        case 17: return std::min(24 - U - V, 12.0);
        case 18: return std::min(U + V, 12.0);
        case 19: return std::min(12 - U + V, 12.0);
        default: return 0;
    }
}

namespace {
const std::vector<Terrain>& Terrains() {
    static const std::vector<Terrain> t = {
        {"GRASS", Grass_Top, Earth_Side(true)},
        {"EARTH", Earth_Top, Earth_Side(false)},
        {"STONE", Stone_Top, Brick_Side(Ramp::Stone, 6, 10, 710)},
        {"WATER", Water_Top, Brick_Side(Ramp::Stone, 6, 10, 711)},
        {"WOOD", Wood_Top, Beam_Side()},
    };
    return t;
}
}  // namespace

BitmapSprite Level_Floor_Sprite(const std::string& name) {
    for (const Terrain& t : Terrains())
        if (name == t.name) return Level_Floor(t);
    return {};
}

std::vector<BitmapSprite> Terrain_Sprites() {
    const std::vector<Terrain>& terrains = Terrains();
    std::vector<BitmapSprite> out;
    for (const Terrain& t : terrains) out.push_back(Level_Floor(t));
    for (const Terrain& t : terrains)
        if (std::string(t.name) != "WATER" && std::string(t.name) != "WOOD") out.push_back(Sloped_Floor(t));
    for (const Terrain& t : terrains)
        if (std::string(t.name) != "WATER") out.push_back(Raised_Floor(t));
    out.push_back(Wall_Sprite());
    out.push_back(Palisade_Sprite());
    out.push_back(Door_Sprite());
    out.push_back(Chest_Sprite());
    out.push_back(Hill_Sprite());
    out.push_back(Steps_Sprite());
    out.push_back(Teleport_Sprite());
    out.push_back(Lamp_Sprite("Lampa1", 0));
    out.push_back(Lamp_Sprite("Faklya", 1));
    out.push_back(Lamp_Sprite("Gyertyat", 2));
    out.push_back(Tree_Sprite());
    out.push_back(Rock_Sprite());
    out.push_back(Barrel_Sprite());
    // The picture a new fixitem type starts with.
    out.push_back(Level_Floor({"talaj01", Soil_Top, Earth_Side(false)}));
    return out;
}

}  // namespace art
