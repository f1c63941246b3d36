#include "tools/artgen/Figures.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Model.h"
#include "tools/artgen/Noise.h"
#include "tools/artgen/Scene3D.h"

namespace art {
namespace {

// ------------------------------------------------------------------ humanoids

enum class Weapon { None, Sword, Axe, Bow, Staff, Club, Dagger };

struct Look {
    double scale = 1.2, girth = 1.0, limb = 1.0, leg = 1.0;
    Ramp skin = Ramp::Skin, shirt = Ramp::ClothBlue, pants = Ramp::Leather, boots = Ramp::Leather;
    Ramp hair = Ramp::Hair;
    double hair_lo = 0.05, hair_hi = 0.8;
    bool long_hair = false, beard = false, helmet = false, hood = false, robe = false;
    bool skeleton = false, zombie = false, hunch = false, bald = false;
    Weapon weapon = Weapon::None;
    bool shield = false;
    Ramp shield_face = Ramp::ClothRed;
};

struct Pose {
    double hip[2] = {0, 0}, knee[2] = {0.1, 0.1};
    double shoulder[2] = {0.1, 0.1}, elbow[2] = {0.3, 0.3}, spread[2] = {0.12, 0.12};
    double lean = 0, twist = 0, head_yaw = 0, head_pitch = 0, sway = 0;
    double stance = 1;          // half the distance between the feet, sideways
    double weapon_pitch = 1.5;  // weapon angle up from the forearm
    bool lying = false;
};

struct Joints {
    Vec3 pelvis, chest, neck, head;
    Vec3 hip[2], knee[2], ankle[2], toe[2];
    Vec3 shoulder[2], elbow[2], hand[2];
    Vec3 fore_dir[2];
};

constexpr double SIDE[2] = {-1, 1};  // left, right

Joints Solve(const Look& k, const Pose& p) {
    const double s = k.scale;
    const double thigh = 12.5 * s * k.leg, shin = 12.5 * s * k.leg, hipw = 3.4 * s * k.girth;
    const double torso = 14.5 * s, shw = 6.8 * s * k.girth, upper = 9.5 * s, fore = 9 * s;
    Joints j;
    j.pelvis = {0, p.sway, 0};
    for (int i = 0; i < 2; ++i) {
        j.hip[i] = j.pelvis + Vec3{0, SIDE[i] * hipw, 0};
        Vec3 d1{std::sin(p.hip[i]), SIDE[i] * (p.stance - 1) * 0.08, -std::cos(p.hip[i])};
        j.knee[i] = j.hip[i] + d1 * thigh;
        double a2 = p.hip[i] - p.knee[i];
        j.ankle[i] = j.knee[i] + Vec3{std::sin(a2), 0, -std::cos(a2)} * shin;
        j.toe[i] = j.ankle[i] + Vec3{3.4 * s, 0, -0.6 * s};
    }
    // Stand on the lower foot.
    double low = std::min(j.ankle[0].z, j.ankle[1].z) - 1.6 * s;
    auto lift = [low](Vec3& v) { v.z -= low; };
    lift(j.pelvis);
    for (int i = 0; i < 2; ++i) lift(j.hip[i]), lift(j.knee[i]), lift(j.ankle[i]), lift(j.toe[i]);
    double lean = p.lean + (k.hunch ? 0.35 : 0);
    j.chest = j.pelvis + Vec3{std::sin(lean), 0, std::cos(lean)} * torso;
    j.neck = j.chest + Vec3{std::sin(lean) * 2.2 * s, 0, 2.6 * s};
    j.head = j.neck + Vec3{std::sin(lean * 0.5 + p.head_pitch) * 4.6 * s, 0, 5.0 * s};
    for (int i = 0; i < 2; ++i) {
        j.shoulder[i] = j.chest + Rot_Z({0, SIDE[i] * shw, 0}, p.twist) + Vec3{0, 0, -0.6 * s};
        double g = p.shoulder[i], sp = p.spread[i];
        Vec3 d1{std::sin(g) * std::cos(sp), SIDE[i] * std::sin(sp), -std::cos(g) * std::cos(sp)};
        j.elbow[i] = j.shoulder[i] + d1 * upper;
        double g2 = g + p.elbow[i];
        Vec3 d2{std::sin(g2) * std::cos(sp), SIDE[i] * std::sin(sp) * 0.4, -std::cos(g2) * std::cos(sp)};
        j.hand[i] = j.elbow[i] + d2 * fore;
        j.fore_dir[i] = d2;
    }
    return j;
}

void Add_Weapon(Model& m, const Look& k, const Joints& j, const Pose& p) {
    const double s = k.scale;
    Vec3 hand = j.hand[1];
    Vec3 w = Normalised(Pitch(j.fore_dir[1], p.weapon_pitch));
    Vec3 perp = Normalised(Pitch(w, -M_PI / 2));
    Material steel = Mat(Ramp::Metal, 0.2, 0.95, 0.5), wood = Mat(Ramp::Wood, 0.1, 0.8);
    Material gold = Mat(Ramp::Gold, 0.2, 0.95, 0.4);
    switch (k.weapon) {
        case Weapon::Sword:
            m.Rod(hand - w * (1.5 * s), hand + w * (1.6 * s), 0.7 * s, 0.7 * s, Mat(Ramp::Leather, 0.1, 0.7));
            m.Rod(hand + w * (1.7 * s) + Vec3{0, -2.6 * s, 0}, hand + w * (1.7 * s) + Vec3{0, 2.6 * s, 0}, 0.65 * s,
                  0.65 * s, gold);
            m.Rod(hand + w * (2.2 * s), hand + w * (17 * s), 1.05 * s, 0.55 * s, steel);
            break;
        case Weapon::Dagger:
            m.Rod(hand - w * (1.2 * s), hand + w * (1.2 * s), 0.6 * s, 0.6 * s, Mat(Ramp::Leather, 0.1, 0.7));
            m.Rod(hand + w * (1.4 * s), hand + w * (7 * s), 0.7 * s, 0.35 * s, steel);
            break;
        case Weapon::Axe: {
            m.Rod(hand - w * (3 * s), hand + w * (13 * s), 0.75 * s, 0.75 * s, wood);
            Vec3 head = hand + w * (11.5 * s) + perp * (2.4 * s);
            Vec3 corner[4] = {head + w * (3 * s) + perp * (2.6 * s), head - w * (3 * s) + perp * (2.6 * s),
                              head - w * (1.2 * s) - perp * (2.4 * s), head + w * (1.2 * s) - perp * (2.4 * s)};
            for (double off : {-0.5 * s, 0.5 * s}) {
                Vec3 o{0, off, 0};
                m.Plate({corner[0] + o, corner[1] + o, corner[2] + o, corner[3] + o}, steel);
            }
            break;
        }
        case Weapon::Club:
            m.Rod(hand - w * (2 * s), hand + w * (13 * s), 1.1 * s, 2.6 * s, Mat(Ramp::Wood, 0.05, 0.7));
            for (int i = 0; i < 3; ++i)
                m.Ball(hand + w * ((8 + i * 2.2) * s) + Rot_Z(perp, i * 2.1) * (2.2 * s), 0.7 * s, steel);
            break;
        case Weapon::Staff: {
            Vec3 up{0, 0, 1};
            m.Rod(hand - up * (15 * s) + Vec3{1.0, 0, 0}, hand + up * (14 * s), 0.7 * s, 0.8 * s, wood);
            m.Ball(hand + up * (15.5 * s), 1.8 * s, Glow(Ramp::Magic, 0.85));
            m.Ball(hand + up * (15.5 * s) + Vec3{-0.5, 0, 0.6}, 0.8 * s, Glow(Ramp::Magic, 1.0));
            break;
        }
        case Weapon::Bow: {
            Vec3 h = j.hand[0];
            Vec3 prev{};
            for (int i = 0; i <= 12; ++i) {
                double t = -1 + i / 6.0;
                Vec3 q = h + Vec3{3.6 * s * (1 - t * t), 0, 14 * s * t};
                if (i > 0) m.Rod(prev, q, 0.85 * s, 0.85 * s, wood);
                prev = q;
            }
            m.Rod(h + Vec3{0, 0, -14 * s}, h + Vec3{0, 0, 14 * s}, 0.3 * s, 0.3 * s, Mat(Ramp::Bone, 0.3, 0.9));
            break;
        }
        case Weapon::None: break;
    }
}

void Add_Shield(Model& m, const Look& k, const Joints& j) {
    const double s = k.scale;
    Vec3 c = (j.elbow[0] + j.hand[0]) * 0.5 + Vec3{1.2 * s, -2.2 * s, 0};
    Vec3 n{0.25, -1, 0};
    n = Normalised(n);
    Vec3 a = Normalised(Cross(n, {0, 0, 1})), b{0, 0, 1};
    std::vector<Vec3> disc, rim;
    for (int i = 0; i < 16; ++i) {
        double t = 2 * M_PI * i / 16;
        disc.push_back(c + a * (std::cos(t) * 5.2 * s) + b * (std::sin(t) * 6.2 * s));
        rim.push_back(c - n * 0.3 + a * (std::cos(t) * 6.1 * s) + b * (std::sin(t) * 7.1 * s));
    }
    Material face = Mat(k.shield_face, 0.15, 0.9);
    face.pattern = [c, s](Vec3 p) { return std::abs(p.z - c.z) < 1.0 * s ? 0.3 : 0.0; };
    m.Plate(rim, Mat(Ramp::Metal, 0.1, 0.8, 0.4));
    m.Plate(disc, face);
    m.Ball(c + n * 0.2, 1.4 * s, Mat(Ramp::Gold, 0.2, 0.95, 0.5));
}

Model Build_Humanoid(const Look& k, const Pose& p) {
    Joints j = Solve(k, p);
    const double s = k.scale, L = k.limb;
    Model m;
    Material skin = Mat(k.skin, 0.15, 0.95), shirt = Mat(k.shirt, 0.08, 0.9), pants = Mat(k.pants, 0.08, 0.85);
    Material boots = Mat(k.boots, 0.05, 0.75), hair = Mat(k.hair, k.hair_lo, k.hair_hi);
    if (k.skeleton) {
        Material bone = Mat(Ramp::Bone, 0.1, 0.95);
        skin = shirt = pants = boots = bone;
    }
    const double thick = k.skeleton ? 0.55 : 1.0;
    // Legs.
    for (int i = 0; i < 2; ++i) {
        m.Rod(j.hip[i], j.knee[i], 2.5 * s * L * thick, 2.1 * s * L * thick, pants);
        m.Rod(j.knee[i], j.ankle[i], 2.1 * s * L * thick, 1.7 * s * L * thick, k.zombie ? skin : pants);
        if (!k.skeleton)
            m.Rod(j.knee[i] + (j.ankle[i] - j.knee[i]) * 0.55, j.ankle[i], 1.9 * s * L, 1.9 * s * L, boots);
        m.Rod(j.ankle[i], j.toe[i], 1.7 * s * L * thick, 1.5 * s * L * thick, boots);
    }
    // Body.
    double g = k.girth;
    if (k.skeleton) {
        Material bone = Mat(Ramp::Bone, 0.1, 0.95);
        m.Rod(j.pelvis, j.neck, 1.1 * s, 1.1 * s, bone);
        m.Rod(j.hip[0], j.hip[1], 1.6 * s, 1.6 * s, bone);
        for (int r = 0; r < 4; ++r) {
            Vec3 c = j.pelvis + (j.chest - j.pelvis) * (0.45 + r * 0.16);
            m.Rod(c + Vec3{1.5 * s, -3.6 * s, 0}, c + Vec3{1.5 * s, 3.6 * s, 0}, 0.9 * s, 0.9 * s, bone);
        }
        m.Rod(j.shoulder[0], j.shoulder[1], 1.1 * s, 1.1 * s, bone);
    } else {
        m.Ball(j.pelvis + Vec3{0, 0, 1.5 * s}, 4.3 * s * g, pants);
        m.Rod(j.pelvis + Vec3{0, 0, 2 * s}, j.chest, 4.6 * s * g, 5.4 * s * g, shirt);
        m.Rod(j.shoulder[0], j.shoulder[1], 2.6 * s * g, 2.6 * s * g, shirt);
        m.Rod(j.pelvis + Vec3{0, -0.2, 3.2 * s}, j.pelvis + Vec3{0, 0.2, 3.2 * s}, 4.9 * s * g, 4.9 * s * g,
              Mat(Ramp::Leather, 0.05, 0.6));
        m.Ball(j.pelvis + Vec3{4.6 * s * g, 0, 3.2 * s}, 0.9 * s, Mat(Ramp::Gold, 0.3, 0.95, 0.4));
        if (k.robe) {
            Vec3 hem = j.pelvis;
            hem.z = 2.5 * s;
            Vec3 knees = (j.knee[0] + j.knee[1]) * 0.5;
            hem.x = knees.x * 0.8;
            m.Rod(j.pelvis + Vec3{0, 0, 2 * s}, hem, 4.8 * s * g, 7.2 * s * g, shirt);
        }
        if (k.zombie) {  // torn rags
            m.Rod(j.pelvis + Vec3{0, 0, -0.5 * s}, j.pelvis + Vec3{0.6 * s, 0, -5 * s}, 4.6 * s, 3.0 * s, pants);
        }
    }
    m.Ball(j.neck, 1.9 * s * thick, skin);
    // Arms.
    for (int i = 0; i < 2; ++i) {
        Material sleeve = k.zombie || k.skeleton ? skin : shirt;
        m.Rod(j.shoulder[i], j.elbow[i], 2.0 * s * L * thick, 1.7 * s * L * thick, sleeve);
        m.Rod(j.elbow[i], j.hand[i], 1.7 * s * L * thick, 1.5 * s * L * thick,
              k.robe ? shirt : (k.shield && i == 0 ? Mat(Ramp::Leather, 0.05, 0.7) : skin));
        m.Ball(j.hand[i], 1.8 * s * L * (k.skeleton ? 0.7 : 1), skin);
    }
    // Head.
    Vec3 h = j.head;
    double hy = p.head_yaw;
    auto face_pt = [&](double u, double v, double z) { return h + Rot_Z({u * s, v * s, z * s}, hy); };
    m.Ball(h, 5.3 * s, skin);
    Material eye = k.skeleton ? Mat(Ramp::Shadow, 0.0, 0.2) : Mat(Ramp::Shadow, 0.0, 0.25);
    if (k.zombie) eye = Glow(Ramp::Gold, 0.9);
    double er = k.skeleton ? 1.3 : 0.75;
    m.Ball(face_pt(4.7, -1.8, 0.6), er * s, eye);
    m.Ball(face_pt(4.7, 1.8, 0.6), er * s, eye);
    if (!k.skeleton) m.Ball(face_pt(5.3, 0, -0.6), 0.9 * s, skin);  // nose
    if (k.skeleton)
        m.Rod(face_pt(3.2, -1.8, -3.4), face_pt(3.2, 1.8, -3.4), 1.0 * s, 1.0 * s, Mat(Ramp::Bone, 0.1, 0.7));
    if (!k.bald && !k.helmet && !k.hood && !k.skeleton) {
        m.Ball(face_pt(-1.2, 0, 1.3), 5.4 * s, hair);
        if (k.long_hair) m.Rod(face_pt(-2.5, 0, 0), face_pt(-3.6, 0, -7.5), 4.3 * s, 3.2 * s, hair);
    }
    if (k.beard) {
        m.Ball(face_pt(3.4, 0, -2.8), 3.6 * s, hair);
        m.Rod(face_pt(3.8, 0, -3.5), face_pt(4.4, 0, -9.5), 3.2 * s, 1.3 * s, hair);
    }
    if (k.helmet) {
        Material steel = Mat(Ramp::Metal, 0.05, 0.75, 0.3);
        m.Ball(face_pt(-0.6, 0, 2.6), 5.4 * s, steel);
        m.Rod(face_pt(5.2, 0, 2.8), face_pt(5.8, 0, -0.6), 0.7 * s, 0.6 * s, steel);
        m.Rod(face_pt(0, 0, 7.6), face_pt(-1, 0, 9.0), 0.8 * s, 0.5 * s, Mat(Ramp::Gold, 0.2, 0.9, 0.4));
    }
    if (k.hood) {
        Material cloth = Mat(k.shirt, 0.05, 0.8);
        m.Ball(face_pt(-1.2, 0, 1.4), 5.8 * s, cloth);
        m.Rod(face_pt(-1.4, 0, 2.5), face_pt(-5.5, 0, -1.0), 3.5 * s, 2.0 * s, cloth);
    }
    if (!p.lying) Add_Weapon(m, k, j, p);
    if (k.shield) Add_Shield(m, k, j);
    return m;
}

// ------------------------------------------------------------------ poses

// The fallen pose of a corpse.
constexpr int DEAD_POSE = -1;

// The bow shots show a bow whatever the body carries.
Look Frame_Look(Look k, int frame) {
    if (frame >= BODY_SHOOT && frame < BODY_SHOOT + 3) {
        k.weapon = Weapon::Bow;
        k.shield = false;
    }
    return k;
}

Pose Humanoid_Pose(int frame, const Look& k) {
    Pose p;
    if (frame == DEAD_POSE) {
        p.shoulder[0] = p.shoulder[1] = 0.3;
        p.spread[0] = p.spread[1] = 0.9;
        p.elbow[0] = p.elbow[1] = 0.4;
        p.hip[0] = p.hip[1] = 0.05;
        p.stance = 3;
        p.lying = true;
        return p;
    }
    p.shoulder[0] = 0.12;
    p.shoulder[1] = 0.25;
    p.elbow[0] = 0.35;
    p.elbow[1] = 0.75;
    p.spread[1] = k.weapon == Weapon::None ? 0.12 : 0.38;
    p.weapon_pitch = k.weapon == Weapon::Sword || k.weapon == Weapon::Axe || k.weapon == Weapon::Club ? 1.15 : 1.5;
    if (k.weapon == Weapon::Bow) p.shoulder[0] = 0.4, p.elbow[0] = 0.6, p.elbow[1] = 0.4;
    if (k.weapon == Weapon::Staff) p.shoulder[1] = 0.25, p.elbow[1] = 1.2;
    if (k.shield) p.shoulder[0] = 0.5, p.elbow[0] = 1.0, p.spread[0] = 0.25;
    if (k.zombie) {
        p.shoulder[0] = p.shoulder[1] = 1.35;
        p.elbow[0] = p.elbow[1] = 0.1;
        p.spread[0] = p.spread[1] = 0.05;
        p.head_pitch = -0.3;
    }
    p.hip[0] = 0.05;
    p.hip[1] = -0.05;
    switch (frame) {
        case BODY_IDLE_A:
            p.head_yaw = 0.45;
            p.shoulder[0] += 0.08;
            break;
        case 2: p.head_yaw = -0.15; break;
        case BODY_IDLE_B:
            p.head_yaw = -0.5;
            p.sway = 0.8;
            p.hip[0] = 0.12;
            if (!k.zombie) p.shoulder[1] += 0.25, p.elbow[1] += 0.2;
            break;
        case BODY_GUARD:
            p.hip[0] = 0.3, p.hip[1] = -0.25, p.knee[0] = p.knee[1] = 0.35;
            p.shoulder[1] = 0.9, p.elbow[1] = 1.1, p.weapon_pitch = 0.9;
            if (k.shield) p.shoulder[0] = 1.1, p.elbow[0] = 0.6;
            break;
        default: break;
    }
    if (frame >= BODY_WALK && frame < BODY_WALK + BODY_WALK_FRAMES) {
        double th = 2 * M_PI * (frame - BODY_WALK) / BODY_WALK_FRAMES;
        double amp = k.zombie ? 0.3 : 0.5;
        for (int i = 0; i < 2; ++i) {
            double ph = th + (i == 0 ? 0 : M_PI);
            p.hip[i] = amp * std::sin(ph);
            p.knee[i] = 0.15 + 0.75 * std::max(0.0, std::cos(ph)) * amp * 2;
        }
        if (!k.zombie) {
            p.shoulder[0] += (k.shield ? 0.1 : 0.4) * -std::sin(th);
            p.shoulder[1] += (k.weapon == Weapon::None ? 0.4 : 0.2) * std::sin(th);
        }
        p.lean = 0.06;
        p.twist = 0.08 * std::sin(th);
    }
    auto in = [frame](int first, int n) { return frame >= first && frame < first + n; };
    auto lunge = [&p](int a) {
        p.hip[0] = a >= 2 ? 0.35 : 0.1, p.hip[1] = a >= 2 ? -0.2 : -0.05, p.knee[0] = a >= 2 ? 0.4 : 0.1;
    };
    if (in(BODY_THRUST, 4)) {
        int a = frame - BODY_THRUST;
        const double sh[4] = {0.7, 1.2, 1.55, 1.0}, el[4] = {1.6, 0.8, 0.05, 0.5}, wp[4] = {1.55, 1.55, 1.5, 1.3};
        const double lean[4] = {-0.05, 0.1, 0.3, 0.1}, tw[4] = {0.45, 0.1, -0.3, -0.1};
        p.shoulder[1] = sh[a], p.elbow[1] = el[a], p.weapon_pitch = wp[a], p.spread[1] = 0.15;
        p.lean = lean[a], p.twist = tw[a];
        lunge(a);
    }
    if (in(BODY_CHOP, 4)) {
        int a = frame - BODY_CHOP;
        const double sh[4] = {3.0, 2.2, 1.0, 0.55}, el[4] = {0.5, 0.2, 0.1, 0.25}, wp[4] = {0.5, 1.2, 1.7, 1.8};
        const double lean[4] = {-0.15, 0.0, 0.3, 0.35};
        p.shoulder[1] = sh[a], p.elbow[1] = el[a], p.weapon_pitch = wp[a], p.spread[1] = 0.1;
        p.lean = lean[a];
        lunge(a);
    }
    if (in(BODY_CAST, 4)) {
        int a = frame - BODY_CAST;
        const double sh[4] = {1.2, 2.2, 2.8, 1.5}, sp[4] = {0.4, 0.55, 0.7, 0.5};
        for (int i = 0; i < 2; ++i) p.shoulder[i] = sh[a], p.spread[i] = sp[a], p.elbow[i] = 0.3;
        p.head_pitch = 0.2;
        p.weapon_pitch = 0.3;
    }
    if (in(BODY_SHOOT, 3)) {
        const double draw[3] = {1.0, 1.6, 0.4};
        p.shoulder[0] = 1.5, p.elbow[0] = 0.05, p.spread[0] = 0.1;
        p.shoulder[1] = 1.5, p.elbow[1] = draw[frame - BODY_SHOOT], p.spread[1] = 0.2;
        p.twist = -0.3;
    }
    if (in(BODY_BLOW, 4)) {
        int a = frame - BODY_BLOW;
        if (k.weapon == Weapon::Bow) {
            const double draw[4] = {0.6, 1.0, 1.0, 0.5};
            p.shoulder[0] = 1.5, p.elbow[0] = 0.05;
            p.shoulder[1] = 1.5, p.elbow[1] = draw[a] * 1.6, p.spread[1] = 0.2;
            p.twist = -0.3;
        } else if (k.weapon == Weapon::Staff) {
            const double raise[4] = {1.0, 2.0, 2.5, 1.2};
            p.shoulder[1] = raise[a], p.elbow[1] = 0.3;
            p.shoulder[0] = raise[a] * 0.6, p.elbow[0] = 0.3, p.spread[0] = 0.5;
            p.head_pitch = 0.15;
        } else {
            const double sh[4] = {2.6, 2.0, 0.9, 0.4}, el[4] = {0.9, 0.3, 0.1, 0.6}, wp[4] = {0.8, 1.3, 1.6, 1.4};
            const double lean[4] = {-0.1, 0.05, 0.25, 0.1}, tw[4] = {0.45, 0.2, -0.35, -0.1};
            p.shoulder[1] = sh[a], p.elbow[1] = el[a], p.weapon_pitch = wp[a];
            p.lean = lean[a], p.twist = tw[a];
            lunge(a);
            if (k.zombie) p.shoulder[0] = sh[a], p.elbow[0] = el[a];
        }
    }
    return p;
}

// ------------------------------------------------------------------ animals

struct Beast {
    double length = 18, height = 15, body_r = 5.5, leg_r = 1.6, head_r = 4.2, scale = 1.0;
    Ramp fur = Ramp::Grey;
    double fur_lo = 0.1, fur_hi = 0.8;
    bool snout_long = true, tail = true, big_ears = false;
};

Model Build_Beast(const Beast& b, int frame) {
    Model m;
    const double s = b.scale;
    Material fur = Mat(b.fur, b.fur_lo, b.fur_hi);
    Material dark = Mat(b.fur, 0.0, b.fur_lo + 0.25);
    fur.pattern = [](Vec3 p) {
        return (Noise01(static_cast<int>(p.x * 1.5), static_cast<int>(p.z * 1.5 + p.y), 1500) - 0.5) * 0.18;
    };
    double phase = 0, bob = 0, head_dx = 0, head_dz = 0, tail_swing = 0, lunge = 0;
    bool walking = frame >= BODY_WALK && frame < BODY_WALK + BODY_WALK_FRAMES;
    if (walking) phase = 2 * M_PI * (frame - BODY_WALK) / BODY_WALK_FRAMES, bob = 0.6 * std::abs(std::sin(phase));
    if (frame == BODY_IDLE_A) head_dz = -2.5, tail_swing = 0.6;
    if (frame == BODY_IDLE_B) head_dx = 1, head_dz = 1.5, tail_swing = -0.6;
    if (frame == BODY_GUARD) head_dz = -1.5, lunge = -1.5;
    if (frame >= BODY_BLOW && frame < BODY_BLOW + 4) {
        const double l[4] = {-2, 1, 4, 1.5}, hz[4] = {2, 0, -1.5, 0};
        lunge = l[frame - BODY_BLOW];
        head_dz = hz[frame - BODY_BLOW];
    }
    double half = b.length / 2 * s, hz = b.height * s + bob;
    Vec3 back{-half + lunge * 0.5, 0, hz}, front{half * 0.8 + lunge, 0, hz + 1.2 * s};
    m.Rod(back, front, b.body_r * s, b.body_r * 1.1 * s, fur);
    // Legs: front-left with back-right, front-right with back-left.
    for (int leg = 0; leg < 4; ++leg) {
        bool fore = leg < 2;
        double side = (leg % 2 == 0 ? -1 : 1) * b.body_r * 0.55 * s;
        double ph = phase + ((leg == 0 || leg == 3) ? 0 : M_PI);
        double swing = walking ? 0.45 * std::sin(ph) : (frame == BODY_IDLE_B && leg == 1 ? 0.2 : 0);
        Vec3 top = (fore ? front : back) + Vec3{fore ? -1.0 * s : 1.0 * s, side, -b.body_r * 0.3 * s};
        double lh = top.z;
        Vec3 knee = top + Vec3{std::sin(swing) * lh * 0.5, 0, -lh * 0.5};
        double lift = walking ? std::max(0.0, std::cos(ph)) * 2.0 * s : 0;
        Vec3 foot{knee.x + std::sin(swing) * lh * 0.45 + (fore ? 0.6 : -0.8), side, 1.2 * s + lift};
        m.Rod(top, knee, b.leg_r * 1.4 * s, b.leg_r * s, fur);
        m.Rod(knee, foot, b.leg_r * s, b.leg_r * 0.9 * s, fur);
        m.Ball(foot + Vec3{0.8 * s, 0, -0.2 * s}, b.leg_r * 1.05 * s, dark);
    }
    // Neck and head.
    Vec3 head = front + Vec3{(b.head_r * 1.3 + head_dx) * s, 0, (b.head_r * 0.9 + head_dz) * s};
    m.Rod(front, head, b.body_r * 0.75 * s, b.head_r * 0.8 * s, fur);
    m.Ball(head, b.head_r * s, fur);
    Vec3 snout_end = head + Vec3{(b.snout_long ? 6.0 : 3.2) * s, 0, -1.6 * s};
    m.Rod(head + Vec3{1.5 * s, 0, -0.8 * s}, snout_end, b.head_r * 0.55 * s, b.head_r * 0.38 * s, fur);
    m.Ball(snout_end + Vec3{0.5 * s, 0, 0.3 * s}, 0.9 * s, Mat(Ramp::Shadow, 0, 0.3));
    if (frame >= BODY_BLOW + 1 && frame <= BODY_BLOW + 2)  // open jaws with teeth
        m.Rod(head + Vec3{1.5 * s, 0, -2.8 * s}, snout_end + Vec3{-0.5 * s, 0, -2.2 * s}, 0.8 * s, 0.6 * s,
              Mat(Ramp::Bone, 0.4, 1.0));
    for (double side : {-1.0, 1.0}) {
        m.Ball(head + Vec3{2.6 * s, side * 1.9 * s, 1.0 * s}, 0.7 * s, Glow(Ramp::Gold, 0.75));
        double er = b.big_ears ? 1.6 : 1.1;
        m.Rod(head + Vec3{-0.8 * s, side * 2.2 * s, 2.8 * s},
              head + Vec3{-1.4 * s, side * 2.6 * s, (b.big_ears ? 4.2 : 6.2) * s}, er * s, 0.3 * s, fur);
    }
    if (b.tail) {
        Vec3 t1 = back + Vec3{-2 * s, 0, 0.5 * s};
        Vec3 t2 = t1 + Vec3{-5 * s, tail_swing * 3 * s + (walking ? std::sin(phase) * 1.5 : 0), -4 * s};
        m.Rod(t1, t2, 1.8 * s, 1.0 * s, fur);
    }
    return m;
}

Model Build_Spider(int frame) {
    Model m;
    Material shell = Mat(Ramp::Shadow, 0.2, 1.0);
    shell.pattern = [](Vec3 p) {
        return (Noise01(static_cast<int>(p.x), static_cast<int>(p.y + p.z), 1600) - 0.5) * 0.2;
    };
    Material legm = Mat(Ramp::Hair, 0.0, 0.7);
    double phase = 0, lunge = 0, rear = 0;
    bool walking = frame >= BODY_WALK && frame < BODY_WALK + BODY_WALK_FRAMES;
    if (walking) phase = 2 * M_PI * (frame - BODY_WALK) / BODY_WALK_FRAMES;
    if (frame >= BODY_BLOW && frame < BODY_BLOW + 4) {
        const double l[4] = {-2, 0, 3, 1}, r[4] = {3, 5, 1, 0};
        lunge = l[frame - BODY_BLOW], rear = r[frame - BODY_BLOW];
    }
    if (frame == BODY_IDLE_A) rear = 1.5;
    Vec3 thorax{3 + lunge, 0, 8 + rear * 0.4}, abdomen{-8 + lunge * 0.5, 0, 10};
    m.Ball(abdomen, 8, shell);
    m.Ball(abdomen + Vec3{-1, 0, 6.5}, 2.4, Mat(Ramp::ClothRed, 0.2, 0.9));  // the red mark
    m.Ball(thorax, 5, shell);
    m.Ball(thorax + Vec3{4, 0, 1 + rear * 0.3}, 3.4, shell);
    for (double side : {-1.0, 1.0}) {
        m.Ball(thorax + Vec3{6.6, side * 1.4, 2.6 + rear * 0.3}, 0.9, Glow(Ramp::ClothRed, 0.85));
        m.Ball(thorax + Vec3{6.2, side * 2.6, 2.0 + rear * 0.3}, 0.7, Glow(Ramp::ClothRed, 0.7));
        m.Rod(thorax + Vec3{6.5, side * 1.2, -0.5}, thorax + Vec3{8.5 + rear * 0.4, side * 0.8, -3.0 + rear}, 0.9, 0.5,
              Mat(Ramp::Bone, 0.2, 0.7));
    }
    for (int i = 0; i < 4; ++i)
        for (double side : {-1.0, 1.0}) {
            double a = (-0.9 + i * 0.6);  // from forward to backward
            double ph = phase + (i % 2 == (side > 0 ? 0 : 1) ? 0 : M_PI);
            double swing = walking ? 0.25 * std::sin(ph) : 0;
            double lift = walking ? std::max(0.0, std::cos(ph)) * 2.5 : 0;
            if (i == 0 && rear > 0) lift += rear * 1.5;
            Vec3 dir{std::cos(a + swing) * (i == 0 ? 1 : 1), side * std::sin(std::abs(a) + 0.9), 0};
            dir = Normalised(dir);
            if (i >= 2) dir.x = -std::abs(dir.x);
            Vec3 hip = thorax + Vec3{0, side * 2.5, 0};
            Vec3 knee = hip + dir * 8 + Vec3{0, 0, 7 + lift * 0.5};
            Vec3 foot = hip + dir * 17 + Vec3{0, 0, -thorax.z + 1 + lift};
            m.Rod(hip, knee, 1.3, 1.0, legm);
            m.Rod(knee, foot, 1.0, 0.5, legm);
        }
    return m;
}

// A beetle as big as a dog: a green shell over a dark body, six short legs
// and two feelers; it snaps with its mandibles.
Model Build_Bug(int frame) {
    Model m;
    Material shell = Mat(Ramp::ClothGreen, 0.15, 0.95);
    shell.pattern = [](Vec3 p) {
        return (Noise01(static_cast<int>(p.x * 2), static_cast<int>(p.y * 2), 1700) - 0.5) * 0.15;
    };
    Material under = Mat(Ramp::Shadow, 0.1, 0.7);
    double phase = 0, lunge = 0, rear = 0;
    bool walking = frame >= BODY_WALK && frame < BODY_WALK + BODY_WALK_FRAMES;
    if (walking) phase = 2 * M_PI * (frame - BODY_WALK) / BODY_WALK_FRAMES;
    if (frame >= BODY_BLOW && frame < BODY_BLOW + 4) {
        const double l[4] = {-1.5, 0.5, 3, 1}, r[4] = {1.5, 2.5, 0.5, 0};
        lunge = l[frame - BODY_BLOW], rear = r[frame - BODY_BLOW];
    }
    if (frame == BODY_IDLE_A) rear = 1;
    Vec3 body{-1 + lunge * 0.3, 0, 6 + rear * 0.3}, head{7 + lunge, 0, 5 + rear * 0.6};
    m.Ball(body, 6.5, shell);
    m.Ball(body + Vec3{-2.5, 0, 0.5}, 5.5, shell);
    m.Ball(body + Vec3{0, 0, -2.5}, 5, under);
    m.Ball(head, 3.2, under);
    for (double side : {-1.0, 1.0}) {
        m.Ball(head + Vec3{1.8, side * 1.9, 1.2}, 0.7, Glow(Ramp::Gold, 0.8));
        const double open = frame == BODY_BLOW + 1 || frame == BODY_BLOW + 2 ? 1.2 : 0.4;
        m.Rod(head + Vec3{2.5, side * 1.2, -1}, head + Vec3{4.5, side * (0.4 + open), -1.5}, 0.8, 0.4,
              Mat(Ramp::Wood, 0.1, 0.6));
        m.Rod(head + Vec3{2, side * 1.2, 2}, head + Vec3{6 + rear, side * 3.5, 6 + rear}, 0.4, 0.25, under);
    }
    for (int i = 0; i < 3; ++i)
        for (double side : {-1.0, 1.0}) {
            const double ph = phase + (i % 2 == (side > 0 ? 0 : 1) ? 0 : M_PI);
            const double swing = walking ? 0.3 * std::sin(ph) : 0;
            const double lift = walking ? std::max(0.0, std::cos(ph)) * 1.5 : 0;
            Vec3 hip = body + Vec3{3 - i * 3.0, side * 3, -3};
            Vec3 knee = hip + Vec3{2 * std::sin(swing) + (1 - i) * 1.5, side * 4, 1.5 + lift * 0.5};
            Vec3 foot = knee + Vec3{(1 - i) * 1.5, side * 2.5, -knee.z + 0.8 + lift};
            m.Rod(hip, knee, 1.0, 0.8, under);
            m.Rod(knee, foot, 0.8, 0.4, under);
        }
    return m;
}

// ------------------------------------------------------------------ bodies

struct BodyDef {
    BodyKind kind;
    std::function<Model(int frame)> build;
    double shadow;  // shadow radius
};

const std::vector<BodyDef>& Body_Defs() {
    static const std::vector<BodyDef> defs = [] {
        std::vector<BodyDef> d;
        auto human = [&d](const char* name, const char* what, Look k, double shadow = 10) {
            d.push_back({{name, what, false, PERSON_GROUP_FRAMES},
                         [k](int f) {
                             Look fk = Frame_Look(k, f);
                             return Build_Humanoid(fk, Humanoid_Pose(f, fk));
                         },
                         shadow});
        };
        Look warrior;
        warrior.weapon = Weapon::Sword;
        warrior.shield = true;
        warrior.shirt = Ramp::ClothBlue;
        warrior.pants = Ramp::Leather;
        human("WARRIOR", "human warrior, blue tunic, sword and shield", warrior);

        Look ranger;
        ranger.weapon = Weapon::Bow;
        ranger.shirt = Ramp::ClothGreen;
        ranger.pants = Ramp::Leather;
        ranger.long_hair = true;
        ranger.hair = Ramp::Wood;
        ranger.hair_lo = 0.3;
        ranger.hair_hi = 0.95;
        ranger.girth = 0.88;
        ranger.limb = 0.9;
        human("RANGER", "human ranger, green, long hair, bow", ranger);

        Look mage;
        mage.weapon = Weapon::Staff;
        mage.shirt = Ramp::ClothPurple;
        mage.pants = Ramp::ClothPurple;
        mage.robe = true;
        mage.beard = true;
        mage.hair = Ramp::Grey;
        mage.hair_lo = 0.45;
        mage.hair_hi = 1.0;
        mage.hood = true;
        human("MAGE", "mage in a purple robe, hood, white beard, staff", mage);

        Look dwarf;
        dwarf.weapon = Weapon::Axe;
        dwarf.scale = 1.0;
        dwarf.leg = 0.72;
        dwarf.girth = 1.3;
        dwarf.limb = 1.2;
        dwarf.shirt = Ramp::ClothRed;
        dwarf.pants = Ramp::Leather;
        dwarf.beard = true;
        dwarf.hair = Ramp::Wood;
        dwarf.hair_lo = 0.25;
        dwarf.hair_hi = 0.95;
        dwarf.helmet = true;
        human("DWARF", "dwarf, red, helmet, long beard, axe", dwarf, 11);

        Look thief;
        thief.weapon = Weapon::Dagger;
        thief.shirt = Ramp::Leather;
        thief.pants = Ramp::Shadow;
        thief.boots = Ramp::Shadow;
        thief.hood = true;
        thief.girth = 0.9;
        human("THIEF", "thief in leather and a hood, dagger", thief);

        Look skeleton;
        skeleton.skeleton = true;
        skeleton.weapon = Weapon::Sword;
        skeleton.shield = true;
        skeleton.shield_face = Ramp::Wood;
        human("SKELETON", "skeleton with a rusty sword and a shield", skeleton);

        Look zombie;
        zombie.zombie = true;
        zombie.skin = Ramp::Zombie;
        zombie.shirt = Ramp::Grey;
        zombie.pants = Ramp::Earth;
        zombie.boots = Ramp::Zombie;
        zombie.bald = true;
        zombie.hunch = true;
        human("ZOMBIE", "zombie, grey-green, arms forward", zombie);

        Look troll;
        troll.scale = 1.5;
        troll.girth = 1.25;
        troll.limb = 1.35;
        troll.hunch = true;
        troll.skin = Ramp::Stone;
        troll.shirt = Ramp::Stone;
        troll.pants = Ramp::Leather;
        troll.boots = Ramp::Stone;
        troll.bald = true;
        troll.weapon = Weapon::Club;
        human("TROLL", "stone-grey troll with a club", troll, 14);

        Beast wolf;
        wolf.fur_lo = 0.05;
        wolf.fur_hi = 0.62;
        d.push_back(
            {{"WOLF", "grey wolf", true, BEAST_GROUP_FRAMES}, [wolf](int f) { return Build_Beast(wolf, f); }, 12});
        Beast bear;
        bear.length = 20;
        bear.height = 17;
        bear.body_r = 8.5;
        bear.leg_r = 2.8;
        bear.head_r = 5.5;
        bear.fur = Ramp::Wood;
        bear.fur_lo = 0.0;
        bear.fur_hi = 0.55;
        bear.snout_long = false;
        bear.tail = false;
        bear.big_ears = true;
        d.push_back(
            {{"BEAR", "brown bear", true, BEAST_GROUP_FRAMES}, [bear](int f) { return Build_Beast(bear, f); }, 15});
        d.push_back({{"SPIDER", "giant spider", true, BEAST_GROUP_FRAMES}, [](int f) { return Build_Spider(f); }, 16});
        // The body a new character type starts with.
        d.push_back({{"bug", "green beetle", true, BEAST_GROUP_FRAMES}, [](int f) { return Build_Bug(f); }, 9});
        return d;
    }();
    return defs;
}

// Where the figure stands: the field's visual centre, 4 pixels above its anchor.
constexpr double STAND_Y = -7;
constexpr int CANVAS_W = 110, CANVAS_H = 110, ORIGIN_X = 55, ORIGIN_Y = 86;

void Draw_Shadow(IndexedImage& img, double r) {
    int cx = ORIGIN_X, cy = ORIGIN_Y - 4;
    for (int y = cy - 5; y <= cy + 5; ++y)
        for (int x = cx - static_cast<int>(r) - 1; x <= cx + static_cast<int>(r) + 1; ++x) {
            double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / (r * 0.45);
            if (dx * dx + dy * dy <= 1 && ((x + y) & 1) == 0 && img.At(x, y) == KEY)
                img.Set(x, y, Ramp_Index(Ramp::Shadow, 1));
        }
}

DysFrame Render_Frame(const BodyDef& def, int facing, int frame) {
    Model m = def.build(frame);
    GroundDir g = Direction_On_Ground(facing);
    double yaw = std::atan2(g.y, g.x);
    Scene s(CANVAS_W, CANVAS_H, ORIGIN_X, ORIGIN_Y);
    Draw_Model(s, m, [yaw](Vec3 p) { return Rot_Z(p, yaw) + Vec3{0, STAND_Y, 0}; });
    IndexedImage img = s.Image();
    Outline(img, KEY, Outline_Index(), false);
    Draw_Shadow(img, def.shadow);
    Box b = Opaque_Box(img, KEY);
    return {Crop(img, b.x, b.y, b.w, b.h, KEY), b.x - ORIGIN_X, b.y - ORIGIN_Y};
}

}  // namespace

const std::vector<BodyKind>& Body_Kinds() {
    static const std::vector<BodyKind> kinds = [] {
        std::vector<BodyKind> k;
        for (const BodyDef& d : Body_Defs()) k.push_back(d.kind);
        return k;
    }();
    return kinds;
}

std::vector<DysSprite> Body_Sprites() {
    std::vector<DysSprite> out;
    for (const BodyDef& def : Body_Defs()) {
        std::vector<DysFrame> frames;
        for (int facing = 1; facing <= 6; ++facing)
            for (int f = 0; f < def.kind.group_frames; ++f) frames.push_back(Render_Frame(def, facing, f));
        out.push_back(Make_Dys(std::string("ARTWORK\\CHARS\\") + def.kind.name, std::move(frames)));
    }
    return out;
}

IndexedImage Body_Picture(int body, int facing, int frame, double zoom) {
    const BodyDef& def = Body_Defs().at(static_cast<size_t>(body));
    Model m = def.build(frame);
    GroundDir g = Direction_On_Ground(facing);
    double yaw = std::atan2(g.y, g.x);
    int w = static_cast<int>(CANVAS_W * zoom), h = static_cast<int>(CANVAS_H * zoom);
    Scene s(w, h, ORIGIN_X * zoom, ORIGIN_Y * zoom);
    for (Part& p : m.parts) p.ra *= zoom, p.rb *= zoom;
    Draw_Model(s, m, [yaw, zoom](Vec3 p) { return (Rot_Z(p, yaw) + Vec3{0, STAND_Y, 0}) * zoom; });
    IndexedImage img = s.Image();
    Outline(img, KEY, Outline_Index(), false);
    Box b = Opaque_Box(img, KEY);
    return Crop(img, b.x, b.y, b.w, b.h, KEY);
}

BitmapSprite Corpse_Sprite() {
    const int w = 48, h = 40, hx = 24, hy = 26;
    std::vector<IndexedImage> frames;
    for (const BodyDef& def : Body_Defs()) {
        Model m = def.build(def.kind.animal ? BODY_STAND : DEAD_POSE);
        GroundDir g = Direction_On_Ground(2);
        double yaw = std::atan2(g.y, g.x);
        bool animal = def.kind.animal;
        double scale = def.shadow / 10.0;
        Scene s(w, h, hx, hy);
        // Lying on the back (a person) or on the side (an animal), centred on the field.
        Place place = [=](Vec3 p) {
            Vec3 q = animal ? Vec3{p.x, p.z - 2, -p.y + 4} : Vec3{-p.z + 28 * scale, p.y, p.x + 3.5};
            if (!animal) q.x *= 0.92;
            return Rot_Z(q, yaw) + Vec3{0, STAND_Y, 0};
        };
        // Pool of blood beneath.
        IndexedImage& img = s.Pixels();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double dx = (x + 0.5 - hx) / 15.0, dy = (y + 0.5 - (hy - 4)) / 7.0;
                double r = dx * dx + dy * dy + (Value_Noise(x, y, 4, 1700) - 0.5) * 0.6;
                if (r < 1) img.Set(x, y, Dithered(Ramp::Blood, 0.2 + 0.4 * (1 - r), x, y));
            }
        Scene body(w, h, hx, hy);
        Draw_Model(body, m, place);
        IndexedImage fig = body.Image();
        Outline(fig, KEY, Outline_Index(), false);
        Blit(img, fig, 0, 0, KEY);
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\ITEMS\\HULLAK", frames, hx, hy, 0);
}

}  // namespace art
