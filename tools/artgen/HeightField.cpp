#include "tools/artgen/HeightField.h"

#include <cmath>

#include "tools/artgen/Hex.h"
#include "tools/artgen/Scene3D.h"

namespace art {

int Floor_Bottom(int tx) {
    const FloorMask& m = Floor_Mask();
    if (tx < 0 || tx >= FLOOR_WIDTH) return -1;
    for (int ty = FLOOR_HEIGHT - 1; ty >= 0; --ty)
        if (m[ty][tx]) return ty;
    return -1;
}

double Upright_Light(double slope) {
    // Outward normal on the ground of a border running (1, slope / squash).
    Vec3 n{-slope / GROUND_SQUASH, 1, 0};
    return Light_Of(n);
}

namespace {

bool In_Mask(int x, int y) {
    const FloorMask& m = Floor_Mask();
    return x >= 0 && y >= 0 && x < FLOOR_WIDTH && y < FLOOR_HEIGHT && m[y][x];
}

double Front_Slope(int tx) {
    int a = Floor_Bottom(tx - 2), b = Floor_Bottom(tx + 2);
    if (a < 0) a = Floor_Bottom(tx);
    if (b < 0) b = Floor_Bottom(tx);
    return (b - a) / 4.0;
}

}  // namespace

void Draw_Height_Field(IndexedImage& img, int x0, int y0, const HeightField& f, int skirt) {
    const double flat = Light_Of({0, 0, 1});
    for (int tx = 0; tx < FLOOR_WIDTH; ++tx) {
        int bottom = Floor_Bottom(tx);
        if (bottom < 0) continue;
        double front_light = Upright_Light(Front_Slope(tx));
        for (int ty = 0; ty <= bottom; ++ty) {
            if (!In_Mask(tx, ty)) continue;
            double h = f.height(tx, ty);
            int sy = static_cast<int>(std::lround(ty - h));
            double dzdx = (f.height(tx + 1, ty) - f.height(tx - 1, ty)) / 2 / HEIGHT_SCALE;
            double dzdy = (f.height(tx, ty + 1) - f.height(tx, ty - 1)) / 2 * GROUND_SQUASH / HEIGHT_SCALE;
            double light = Light_Of({-dzdx, -dzdy, 1}) - flat;
            int edge = 0;
            if (!In_Mask(tx - 1, ty) || !In_Mask(tx, ty - 1)) edge = 1;
            if (!In_Mask(tx + 1, ty) || !In_Mask(tx, ty + 1)) edge = -1;
            img.Set(x0 + tx, y0 + sy, f.top(tx, ty, light, edge, x0 + tx, y0 + sy));
            // What lies between this surface pixel and the next row's: the
            // surface stretched by a slope, or an upright riser.
            int next_sy;
            bool last = ty == bottom;
            if (!last) {
                double hn = f.height(tx, ty + 1);
                next_sy = static_cast<int>(std::lround(ty + 1 - hn));
                bool riser = h - hn > 2.5;
                for (int y = sy + 1; y < next_sy; ++y) {
                    uint8_t c = riser ? f.side(tx, y - sy, static_cast<int>(std::lround(h)) - (y - sy),
                                               Upright_Light(0), x0 + tx, y0 + y)
                                      : f.top(tx, ty, light, edge, x0 + tx, y0 + y);
                    img.Set(x0 + tx, y0 + y, c);
                }
            } else {
                int ground = ty + skirt;
                for (int y = sy + 1; y <= ground; ++y)
                    img.Set(x0 + tx, y0 + y, f.side(tx, y - sy, ground - y, front_light, x0 + tx, y0 + y));
            }
        }
    }
}

}  // namespace art
