#pragma once
// A tiny depth-buffered renderer for figures and map objects, seen from above
// at the map's angle: x runs east (screen right), y south (toward the viewer,
// screen down), z up. A ground step of 36.4 south appears 21 pixels lower, as
// a row of hexagon fields does, and heights appear at 0.816 of their size.

#include <functional>
#include <vector>

#include "tools/artgen/IndexedImage.h"
#include "tools/artgen/Palette.h"

namespace art {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalised(Vec3 a);

// The view: screen y = y * GROUND_SQUASH - z * HEIGHT_SCALE.
constexpr double GROUND_SQUASH = 0.577;
constexpr double HEIGHT_SCALE = 0.816;

struct Material {
    Ramp ramp = Ramp::Grey;
    double lo = 0.1, hi = 0.95;  // ramp positions of darkest and brightest light
    double shine = 0;            // strength of a highlight
    bool glow = false;           // unlit: always `hi`
    // Optional change of the ramp position by the world point (texture).
    std::function<double(Vec3)> pattern;
};

class Scene {
  public:
    // A picture of w x h pixels; the world origin lands on pixel (ox, oy).
    // The view looks down at the map's angle, or at `squash` (the sine of
    // the angle from the horizon) when given.
    Scene(int w, int h, double ox, double oy, double squash = GROUND_SQUASH);

    void Sphere(Vec3 c, double r, const Material& m);
    // A rod from a (radius ra) to b (radius rb) with round ends.
    void Capsule(Vec3 a, Vec3 b, double ra, double rb, const Material& m);
    // A box: centre and three half-axes (perpendicular).
    void Box(Vec3 c, Vec3 ax, Vec3 ay, Vec3 az, const Material& m);
    // An upright box turned by yaw radians around the vertical.
    void Box(Vec3 c, double hx, double hy, double hz, double yaw, const Material& m);
    // A flat convex polygon, seen from both sides.
    void Face(const std::vector<Vec3>& pts, const Material& m);

    Vec3 Project(Vec3 p) const;  // pixel x, pixel y, depth
    // The picture: the key where nothing was drawn.
    IndexedImage Image() const { return img_; }
    IndexedImage& Pixels() { return img_; }

  private:
    void Plot(int x, int y, double depth, Vec3 normal, Vec3 world, const Material& m);
    void Fill_Screen_Polygon(const std::vector<Vec3>& screen, const std::vector<Vec3>& world, Vec3 normal,
                             const Material& m);

    IndexedImage img_;
    std::vector<double> depth_;
    double ox_, oy_;
    double squash_, height_;  // screen y = y * squash_ - z * height_
    Vec3 to_viewer_, screen_up_;
};

// The light of a surface turned toward n (0..1), shared with the flat drawings.
double Light_Of(Vec3 n);

}  // namespace art
