#include "tools/artgen/Noise.h"

#include <cmath>

namespace art {

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double Noise01(int x, int y, uint32_t seed) { return (Hash(x, y, seed) >> 8) / 16777216.0; }

double Value_Noise(double x, double y, double cell, uint32_t seed) {
    double fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = Noise01(ix, iy, seed), b = Noise01(ix + 1, iy, seed);
    double c = Noise01(ix, iy + 1, seed), d = Noise01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double Fractal_Noise(double x, double y, double cell, uint32_t seed) {
    return 0.55 * Value_Noise(x, y, cell, seed) + 0.3 * Value_Noise(x, y, cell / 2, seed + 1) +
           0.15 * Value_Noise(x, y, cell / 4, seed + 2);
}

uint32_t Rng::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

}  // namespace art
