#pragma once
// A small rasteriser on indexed pictures: filled polygons, ellipses and thick
// lines in a local coordinate system mapped to pixels by an affine transform,
// coloured per pixel by a shader, plus outlines and ordered dithering.

#include <functional>
#include <vector>

#include "tools/artgen/IndexedImage.h"
#include "tools/artgen/Palette.h"

namespace art {

struct Vec2 {
    double x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }

// x' = a x + b y + e, y' = c x + d y + f
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    static Affine Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static Affine Rotate(double radians);
    Vec2 Apply(Vec2 p) const { return {a * p.x + b * p.y + e, c * p.x + d * p.y + f}; }
    Affine Inverse() const;
};
// (l * r) applies r first, then l.
Affine operator*(const Affine& l, const Affine& r);

// Colour of one pixel: its point in local coordinates and its pixel position.
// Returning NO_PAINT leaves the pixel as it is.
using Shader = std::function<uint8_t(Vec2 local, int px, int py)>;
constexpr uint8_t NO_PAINT = 0;

// Ordered dithering threshold of a pixel, in [-0.5, 0.5).
double Bayer(int x, int y);
// The ramp entry at t (0..1) with ordered dithering between neighbours.
uint8_t Dithered(Ramp r, double t, int px, int py);

Shader Flat(uint8_t index);
// Ramp position t0 at p0 rising linearly to t1 at p1 (local points).
Shader Linear(Ramp r, Vec2 p0, double t0, Vec2 p1, double t1);
// A lit dome: brightest toward the upper left of centre, darker at the rim.
Shader Dome(Ramp r, Vec2 centre, double rx, double ry, double lo, double hi);
// A lit cylinder along the local y axis of half width w around x = cx.
Shader Cylinder(Ramp r, double cx, double w, double lo, double hi);

class Painter {
  public:
    explicit Painter(IndexedImage& img) : img_(img) {}
    Affine transform;  // local -> pixel

    void Polygon(const std::vector<Vec2>& pts, const Shader& s);
    void Ellipse(Vec2 c, double rx, double ry, const Shader& s);
    void Rect(double x0, double y0, double x1, double y1, const Shader& s);
    // A thick line with round ends.
    void Capsule(Vec2 a, Vec2 b, double radius, const Shader& s);

  private:
    IndexedImage& img_;
};

// Pixel rectangles (no transform), right and bottom exclusive.
void Fill_Rect(IndexedImage& img, int x0, int y0, int x1, int y1, uint8_t index);
void Frame_Rect(IndexedImage& img, int x0, int y0, int x1, int y1, uint8_t index);
// A raised (or sunken) bevel: light top-left edges, dark bottom-right edges.
void Bevel(IndexedImage& img, int x0, int y0, int x1, int y1, int width, uint8_t light, uint8_t dark);

// Paints `colour` on every key pixel that touches a non-key pixel (4 neighbours,
// or 8 with diagonal), so that a sprite reads on any background.
void Outline(IndexedImage& img, uint8_t key, uint8_t colour, bool diagonal);
// Darkens the non-key pixels that touch a key pixel at their lower-right side.
void Rim_Shade(IndexedImage& img, uint8_t key, int steps);
// Moves a pixel one step darker (or lighter) inside its ramp.
uint8_t Darker(uint8_t index, int steps = 1);
uint8_t Lighter(uint8_t index, int steps = 1);

}  // namespace art
