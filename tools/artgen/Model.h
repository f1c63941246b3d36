#pragma once
// A figure or object built from round parts in its own frame, turned into
// place and drawn by the depth-buffered scene.

#include <functional>
#include <vector>

#include "tools/artgen/Scene3D.h"

namespace art {

struct Part {
    enum Kind { Ball, Rod, Plate } kind;
    Vec3 a, b;
    double ra = 0, rb = 0;
    std::vector<Vec3> pts;
    Material m;
};

class Model {
  public:
    void Ball(Vec3 c, double r, const Material& m) { parts.push_back({Part::Ball, c, c, r, r, {}, m}); }
    void Rod(Vec3 a, Vec3 b, double ra, double rb, const Material& m) {
        parts.push_back({Part::Rod, a, b, ra, rb, {}, m});
    }
    void Plate(std::vector<Vec3> pts, const Material& m) {
        parts.push_back({Part::Plate, {}, {}, 0, 0, std::move(pts), m});
    }
    std::vector<Part> parts;
};

// Where a point of the model lies in the scene.
using Place = std::function<Vec3(Vec3)>;
void Draw_Model(Scene& s, const Model& m, const Place& place);

Material Mat(Ramp r, double lo, double hi, double shine = 0);
Material Glow(Ramp r, double t);

Vec3 Rot_Z(Vec3 p, double a);
// Turns a point in the forward-up plane toward up by a around the sideways axis.
Vec3 Pitch(Vec3 p, double a);

}  // namespace art
