#include "tools/artgen/Effects.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/Noise.h"

namespace art {

void Draw_Flame(IndexedImage& img, Vec2 base, double height, double width, int seed) {
    int x0 = static_cast<int>(std::floor(base.x - width)), x1 = static_cast<int>(std::ceil(base.x + width));
    int y0 = static_cast<int>(std::floor(base.y - height - 2)), y1 = static_cast<int>(std::ceil(base.y + 1));
    double sway = (Noise01(seed, 0, 1200) - 0.5) * 0.8;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double v = (base.y - (y + 0.5)) / height;  // 0 at the base, 1 at the tip
            if (v < -0.12 || v > 1) continue;
            double vv = std::max(v, 0.0);
            double centre = sway * vv * vv + 0.18 * std::sin(vv * 6 + seed) * vv;
            double half = std::pow(std::sin(M_PI * std::min(1.0, vv * 0.8 + 0.2)), 0.9) * (1 - vv * 0.55);
            double u = ((x + 0.5) - base.x) / (width / 2) - centre;
            if (std::abs(u) > half) continue;
            double core = 1 - std::abs(u) / std::max(half, 0.05);
            double t = 0.25 + core * 0.7 - vv * 0.45 + (Noise01(x, y, 1201 + seed) - 0.5) * 0.15;
            img.Set(x, y, Dithered(Ramp::Fire, t, x, y));
        }
}

void Draw_Cloud(IndexedImage& img, Vec2 c, double rx, double ry, Ramp ramp, double density, int seed) {
    int x0 = static_cast<int>(std::floor(c.x - rx)), x1 = static_cast<int>(std::ceil(c.x + rx));
    int y0 = static_cast<int>(std::floor(c.y - ry)), y1 = static_cast<int>(std::ceil(c.y + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - c.x) / rx, dy = (y + 0.5 - c.y) / ry;
            double r = std::sqrt(dx * dx + dy * dy);
            double n = Value_Noise(x, y, 4, 1300 + seed);
            double d = (1 - r) * 1.6 + (n - 0.5) * 0.9;
            if (d <= 0) continue;
            if (std::min(1.0, d) * density < Bayer(x, y) + 0.5) continue;
            double t = 0.35 + 0.5 * std::min(1.0, d) - dy * 0.2;
            img.Set(x, y, Dithered(ramp, t, x, y));
        }
}

}  // namespace art
