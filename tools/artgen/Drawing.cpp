#include "tools/artgen/Drawing.h"

#include <algorithm>
#include <cmath>

namespace art {

Affine Affine::Rotate(double r) {
    double c = std::cos(r), s = std::sin(r);
    return {c, -s, s, c, 0, 0};
}

Affine Affine::Inverse() const {
    double det = a * d - b * c;
    if (det == 0) return {};
    double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(ia * e + ib * f), -(ic * e + id * f)};
}

Affine operator*(const Affine& l, const Affine& r) {
    return {l.a * r.a + l.b * r.c, l.a * r.b + l.b * r.d,       l.c * r.a + l.d * r.c,
            l.c * r.b + l.d * r.d, l.a * r.e + l.b * r.f + l.e, l.c * r.e + l.d * r.f + l.f};
}

double Bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}

uint8_t Dithered(Ramp r, double t, int px, int py) {
    RampRange rr = Ramp_Range(r);
    double pos = std::clamp(t, 0.0, 1.0) * (rr.count - 1) + Bayer(px, py) * 0.9;
    return Ramp_Index(r, static_cast<int>(std::lround(pos)));
}

Shader Flat(uint8_t index) {
    return [index](Vec2, int, int) { return index; };
}

Shader Linear(Ramp r, Vec2 p0, double t0, Vec2 p1, double t1) {
    Vec2 d = p1 - p0;
    double len2 = d.x * d.x + d.y * d.y;
    return [=](Vec2 p, int px, int py) {
        double u = len2 > 0 ? ((p.x - p0.x) * d.x + (p.y - p0.y) * d.y) / len2 : 0;
        return Dithered(r, t0 + (t1 - t0) * std::clamp(u, 0.0, 1.0), px, py);
    };
}

namespace {
double Lit(double nx, double ny, double nz) {
    const double lx = -0.48, ly = -0.56, lz = 0.67;  // from the upper left, toward the viewer
    return std::clamp(nx * lx + ny * ly + nz * lz, 0.0, 1.0);
}
}  // namespace

Shader Dome(Ramp r, Vec2 c, double rx, double ry, double lo, double hi) {
    return [=](Vec2 p, int px, int py) {
        double dx = (p.x - c.x) / rx, dy = (p.y - c.y) / ry;
        double nz = std::sqrt(std::max(0.0, 1 - dx * dx - dy * dy));
        return Dithered(r, lo + (hi - lo) * Lit(dx, dy, nz), px, py);
    };
}

Shader Cylinder(Ramp r, double cx, double w, double lo, double hi) {
    return [=](Vec2 p, int px, int py) {
        double u = std::clamp((p.x - cx) / w, -1.0, 1.0);
        double nz = std::sqrt(std::max(0.0, 1 - u * u));
        return Dithered(r, lo + (hi - lo) * Lit(u, -0.25, nz), px, py);
    };
}

void Painter::Polygon(const std::vector<Vec2>& local, const Shader& s) {
    if (local.size() < 3) return;
    std::vector<Vec2> pts;
    pts.reserve(local.size());
    double miny = 1e9, maxy = -1e9;
    for (Vec2 p : local) {
        Vec2 q = transform.Apply(p);
        pts.push_back(q);
        miny = std::min(miny, q.y);
        maxy = std::max(maxy, q.y);
    }
    Affine inv = transform.Inverse();
    int y0 = std::max(0, static_cast<int>(std::floor(miny)));
    int y1 = std::min(img_.height - 1, static_cast<int>(std::ceil(maxy)));
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        double yc = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            Vec2 p = pts[i], q = pts[(i + 1) % pts.size()];
            if ((p.y <= yc) != (q.y <= yc)) xs.push_back(p.x + (yc - p.y) * (q.x - p.x) / (q.y - p.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            int xa = std::max(0, static_cast<int>(std::ceil(xs[k] - 0.5)));
            int xb = std::min(img_.width - 1, static_cast<int>(std::ceil(xs[k + 1] - 0.5)) - 1);
            for (int x = xa; x <= xb; ++x) {
                uint8_t v = s(inv.Apply({x + 0.5, yc}), x, y);
                if (v != NO_PAINT) img_.Set(x, y, v);
            }
        }
    }
}

void Painter::Ellipse(Vec2 c, double rx, double ry, const Shader& s) {
    double scale = std::sqrt(std::abs(transform.a * transform.d - transform.b * transform.c));
    int n = std::clamp(static_cast<int>(std::max(rx, ry) * scale * 3), 16, 160);
    std::vector<Vec2> pts;
    for (int i = 0; i < n; ++i) {
        double t = 2 * M_PI * i / n;
        pts.push_back({c.x + rx * std::cos(t), c.y + ry * std::sin(t)});
    }
    Polygon(pts, s);
}

void Painter::Rect(double x0, double y0, double x1, double y1, const Shader& s) {
    Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, s);
}

void Painter::Capsule(Vec2 a, Vec2 b, double r, const Shader& s) {
    Vec2 d = b - a;
    double len = std::sqrt(d.x * d.x + d.y * d.y);
    double ang = len > 0 ? std::atan2(d.y, d.x) : 0;
    const int n = 12;
    std::vector<Vec2> pts;
    for (int i = 0; i <= n; ++i) {
        double t = ang + M_PI / 2 + M_PI * i / n;
        pts.push_back({a.x + r * std::cos(t), a.y + r * std::sin(t)});
    }
    for (int i = 0; i <= n; ++i) {
        double t = ang - M_PI / 2 + M_PI * i / n;
        pts.push_back({b.x + r * std::cos(t), b.y + r * std::sin(t)});
    }
    Polygon(pts, s);
}

void Fill_Rect(IndexedImage& img, int x0, int y0, int x1, int y1, uint8_t index) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) img.Set(x, y, index);
}

void Frame_Rect(IndexedImage& img, int x0, int y0, int x1, int y1, uint8_t index) {
    for (int x = x0; x < x1; ++x) img.Set(x, y0, index), img.Set(x, y1 - 1, index);
    for (int y = y0; y < y1; ++y) img.Set(x0, y, index), img.Set(x1 - 1, y, index);
}

void Bevel(IndexedImage& img, int x0, int y0, int x1, int y1, int width, uint8_t light, uint8_t dark) {
    for (int k = 0; k < width; ++k) {
        for (int x = x0 + k; x < x1 - k; ++x) img.Set(x, y0 + k, light), img.Set(x, y1 - 1 - k, dark);
        for (int y = y0 + k; y < y1 - k; ++y) img.Set(x0 + k, y, light), img.Set(x1 - 1 - k, y, dark);
    }
}

void Outline(IndexedImage& img, uint8_t key, uint8_t colour, bool diagonal) {
    IndexedImage src = img;
    auto solid = [&](int x, int y) { return src.Inside(x, y) && src.At(x, y) != key; };
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            if (src.At(x, y) != key) continue;
            bool near = solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1);
            if (!near && diagonal)
                near = solid(x - 1, y - 1) || solid(x + 1, y - 1) || solid(x - 1, y + 1) || solid(x + 1, y + 1);
            if (near) img.Set(x, y, colour);
        }
}

uint8_t Darker(uint8_t index, int steps) {
    if (index == WHITE) return Ramp_Index(Ramp::Grey, 15 - steps);
    Ramp r = Ramp_Of(index);
    if (r == Ramp::Count) return index;
    RampRange rr = Ramp_Range(r);
    return Ramp_Index(r, index - rr.first - steps);
}

uint8_t Lighter(uint8_t index, int steps) {
    if (index == WHITE) return index;
    Ramp r = Ramp_Of(index);
    if (r == Ramp::Count) return index;
    RampRange rr = Ramp_Range(r);
    return Ramp_Index(r, index - rr.first + steps);
}

void Rim_Shade(IndexedImage& img, uint8_t key, int steps) {
    IndexedImage src = img;
    auto clear = [&](int x, int y) { return !src.Inside(x, y) || src.At(x, y) == key; };
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            uint8_t v = src.At(x, y);
            if (v == key) continue;
            if (clear(x + 1, y) || clear(x, y + 1)) img.Set(x, y, Darker(v, steps));
        }
}

}  // namespace art
