#include "tools/artgen/Model.h"

#include <cmath>

namespace art {

void Draw_Model(Scene& s, const Model& m, const Place& place) {
    for (const Part& p : m.parts) {
        switch (p.kind) {
            case Part::Ball: s.Sphere(place(p.a), p.ra, p.m); break;
            case Part::Rod: s.Capsule(place(p.a), place(p.b), p.ra, p.rb, p.m); break;
            case Part::Plate: {
                std::vector<Vec3> w;
                for (const Vec3& q : p.pts) w.push_back(place(q));
                s.Face(w, p.m);
                break;
            }
        }
    }
}

Material Mat(Ramp r, double lo, double hi, double shine) {
    Material m;
    m.ramp = r;
    m.lo = lo;
    m.hi = hi;
    m.shine = shine;
    return m;
}

Material Glow(Ramp r, double t) {
    Material m;
    m.ramp = r;
    m.glow = true;
    m.hi = t;
    return m;
}

Vec3 Rot_Z(Vec3 p, double a) {
    double c = std::cos(a), s = std::sin(a);
    return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

Vec3 Pitch(Vec3 p, double a) {
    double c = std::cos(a), s = std::sin(a);
    return {p.x * c - p.z * s, p.y, p.x * s + p.z * c};
}

}  // namespace art
