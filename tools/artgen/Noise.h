#pragma once
// Deterministic noise: the same arguments give the same values on every run.

#include <cstdint>

namespace art {

uint32_t Hash(int x, int y, uint32_t seed);
// A value in [0, 1) fixed for each pixel and seed.
double Noise01(int x, int y, uint32_t seed);
// Smooth noise in [0, 1): bilinear between grid points `cell` pixels apart.
double Value_Noise(double x, double y, double cell, uint32_t seed);
// Three octaves of Value_Noise, in [0, 1).
double Fractal_Noise(double x, double y, double cell, uint32_t seed);

// A small fixed-seed generator (xorshift32).
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    double Unit() { return (Next() >> 8) / 16777216.0; }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

  private:
    uint32_t state_;
};

}  // namespace art
