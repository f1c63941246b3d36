#include "tools/artgen/Scene3D.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/Drawing.h"

namespace art {
namespace {
const Vec3 LIGHT = Normalised({-0.5, 0.35, 0.8});
}  // namespace

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

Vec3 Normalised(Vec3 a) {
    double l = std::sqrt(Dot(a, a));
    return l > 0 ? a * (1 / l) : Vec3{0, 0, 1};
}

double Light_Of(Vec3 n) { return 0.3 + 0.7 * std::max(0.0, Dot(Normalised(n), LIGHT)); }

Scene::Scene(int w, int h, double ox, double oy, double squash)
    : img_(w, h, KEY),
      depth_(static_cast<size_t>(w) * h, -1e18),
      ox_(ox),
      oy_(oy),
      squash_(squash),
      height_(std::sqrt(1 - squash * squash)),
      to_viewer_{0, height_, squash_},
      screen_up_{0, -squash_, height_} {}

Vec3 Scene::Project(Vec3 p) const { return {ox_ + p.x, oy_ + p.y * squash_ - p.z * height_, Dot(p, to_viewer_)}; }

void Scene::Plot(int x, int y, double depth, Vec3 n, Vec3 world, const Material& m) {
    if (!img_.Inside(x, y)) return;
    double& d = depth_[static_cast<size_t>(y) * img_.width + x];
    if (depth <= d) return;
    d = depth;
    double t;
    if (m.glow) {
        t = m.hi;
    } else {
        n = Normalised(n);
        double lit = Light_Of(n);
        t = m.lo + (m.hi - m.lo) * lit;
        if (m.shine > 0) {
            Vec3 h = Normalised(LIGHT + to_viewer_);
            t += m.shine * std::pow(std::max(0.0, Dot(n, h)), 12);
        }
    }
    if (m.pattern) t += m.pattern(world);
    img_.Set(x, y, Dithered(m.ramp, t, x, y));
}

void Scene::Sphere(Vec3 c, double r, const Material& m) {
    Vec3 s = Project(c);
    int x0 = static_cast<int>(std::floor(s.x - r)), x1 = static_cast<int>(std::ceil(s.x + r));
    int y0 = static_cast<int>(std::floor(s.y - r)), y1 = static_cast<int>(std::ceil(s.y + r));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = x + 0.5 - s.x, dy = y + 0.5 - s.y;
            double d2 = dx * dx + dy * dy;
            if (d2 > r * r) continue;
            double dz = std::sqrt(r * r - d2);
            Vec3 n = Vec3{dx, 0, 0} + screen_up_ * (-dy) + to_viewer_ * dz;
            Plot(x, y, s.z + dz, n, c + n, m);
        }
}

void Scene::Capsule(Vec3 a, Vec3 b, double ra, double rb, const Material& m) {
    // Per pixel: the sphere centred on the axis point nearest to the pixel on
    // screen, or an end sphere where that lies nearer the viewer.
    Vec3 pa = Project(a), pb = Project(b);
    double r_max = std::max(ra, rb);
    int x0 = static_cast<int>(std::floor(std::min(pa.x, pb.x) - r_max)),
        x1 = static_cast<int>(std::ceil(std::max(pa.x, pb.x) + r_max));
    int y0 = static_cast<int>(std::floor(std::min(pa.y, pb.y) - r_max)),
        y1 = static_cast<int>(std::ceil(std::max(pa.y, pb.y) + r_max));
    double vx = pb.x - pa.x, vy = pb.y - pa.y, len2 = vx * vx + vy * vy;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double mid = len2 > 0 ? std::clamp(((px - pa.x) * vx + (py - pa.y) * vy) / len2, 0.0, 1.0) : 0.0;
            double best = -1e18;
            Vec3 best_n{}, best_c{};
            for (double t : {mid, 0.0, 1.0}) {
                double r = ra + (rb - ra) * t;
                double dx = px - (pa.x + vx * t), dy = py - (pa.y + vy * t);
                double d2 = dx * dx + dy * dy;
                if (d2 > r * r) continue;
                double dz = std::sqrt(r * r - d2);
                double depth = pa.z + (pb.z - pa.z) * t + dz;
                if (depth <= best) continue;
                best = depth;
                best_n = Vec3{dx, 0, 0} + screen_up_ * (-dy) + to_viewer_ * dz;
                best_c = a + (b - a) * t;
            }
            if (best > -1e18) Plot(x, y, best, best_n, best_c + best_n, m);
        }
}

void Scene::Fill_Screen_Polygon(const std::vector<Vec3>& sp, const std::vector<Vec3>& wp, Vec3 normal,
                                const Material& m) {
    // Depth and world point are affine in the screen position over a flat face.
    Vec3 e1 = sp[1] - sp[0], e2 = sp[2] - sp[0];
    double det = e1.x * e2.y - e1.y * e2.x;
    if (std::abs(det) < 1e-9) return;
    double miny = 1e9, maxy = -1e9;
    for (const Vec3& p : sp) miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
    int y0 = static_cast<int>(std::floor(miny)), y1 = static_cast<int>(std::ceil(maxy));
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        double yc = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < sp.size(); ++i) {
            Vec3 p = sp[i], q = sp[(i + 1) % sp.size()];
            if ((p.y <= yc) != (q.y <= yc)) xs.push_back(p.x + (yc - p.y) * (q.x - p.x) / (q.y - p.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            int xa = static_cast<int>(std::ceil(xs[k] - 0.5));
            int xb = static_cast<int>(std::ceil(xs[k + 1] - 0.5)) - 1;
            for (int x = xa; x <= xb; ++x) {
                double px = x + 0.5 - sp[0].x, py = yc - sp[0].y;
                double u = (px * e2.y - py * e2.x) / det, v = (e1.x * py - e1.y * px) / det;
                double depth = sp[0].z + u * e1.z + v * e2.z;
                Vec3 w = wp[0] + (wp[1] - wp[0]) * u + (wp[2] - wp[0]) * v;
                Plot(x, y, depth, normal, w, m);
            }
        }
    }
}

void Scene::Face(const std::vector<Vec3>& pts, const Material& m) {
    if (pts.size() < 3) return;
    Vec3 n = Normalised(Cross(pts[1] - pts[0], pts[2] - pts[0]));
    if (Dot(n, to_viewer_) < 0) n = n * -1;
    std::vector<Vec3> sp;
    for (const Vec3& p : pts) sp.push_back(Project(p));
    Fill_Screen_Polygon(sp, pts, n, m);
}

void Scene::Box(Vec3 c, Vec3 ax, Vec3 ay, Vec3 az, const Material& m) {
    const Vec3 axes[3] = {ax, ay, az};
    for (int i = 0; i < 3; ++i)
        for (int sign = -1; sign <= 1; sign += 2) {
            Vec3 n = axes[i] * sign;
            if (Dot(n, to_viewer_) <= 1e-9) continue;  // faces away
            Vec3 u = axes[(i + 1) % 3], v = axes[(i + 2) % 3];
            Vec3 fc = c + n;
            Face({fc - u - v, fc + u - v, fc + u + v, fc - u + v}, m);
        }
}

void Scene::Box(Vec3 c, double hx, double hy, double hz, double yaw, const Material& m) {
    double cs = std::cos(yaw), sn = std::sin(yaw);
    Box(c, Vec3{cs, sn, 0} * hx, Vec3{-sn, cs, 0} * hy, Vec3{0, 0, 1} * hz, m);
}

}  // namespace art
