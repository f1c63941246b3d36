#include "tools/artgen/Heads.h"

#include <cmath>
#include <cstdio>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Model.h"
#include "tools/artgen/Noise.h"

namespace art {
namespace {

enum class Hair { None, Short, Long, Bun, Mohawk };
enum class Beard { None, Stubble, Short, Long };
enum class Hat { None, Helm, Hood, Crown, Cap, Bandana };
enum class Kind { Person, Skeleton, Zombie, Troll, Orc, Wolf, Bear, Spider };

struct HeadDef {
    const char* what;
    Kind kind = Kind::Person;
    Ramp skin = Ramp::Skin;
    double skin_lo = 0.15, skin_hi = 0.95;
    Ramp hair = Ramp::Hair;
    double hair_lo = 0.05, hair_hi = 0.8;
    Hair hair_style = Hair::Short;
    Beard beard = Beard::None;
    Hat hat = Hat::None;
    Ramp hat_ramp = Ramp::Metal;
    Ramp shirt = Ramp::ClothBlue;
    Ramp eyes = Ramp::Water;
    Ramp back = Ramp::ClothBlue;  // background
    bool elf = false, female = false, old = false;
};

std::vector<HeadDef> Defs() {
    std::vector<HeadDef> d;
    auto add = [&d](HeadDef h) { d.push_back(h); };
    {
        HeadDef h{"warrior: brown hair, blue tunic"};
        h.back = Ramp::ClothBlue;
        add(h);
    }
    {
        HeadDef h{"ranger: long auburn hair, green"};
        h.female = true;
        h.hair_style = Hair::Long;
        h.hair = Ramp::Wood;
        h.hair_lo = 0.3;
        h.hair_hi = 0.95;
        h.shirt = Ramp::ClothGreen;
        h.eyes = Ramp::ClothGreen;
        h.back = Ramp::Grass;
        add(h);
    }
    {
        HeadDef h{"mage: white beard, purple hood"};
        h.old = true;
        h.beard = Beard::Long;
        h.hair = Ramp::Grey;
        h.hair_lo = 0.5;
        h.hair_hi = 1.0;
        h.hat = Hat::Hood;
        h.hat_ramp = Ramp::ClothPurple;
        h.shirt = Ramp::ClothPurple;
        h.back = Ramp::Magic;
        add(h);
    }
    {
        HeadDef h{"dwarf: red beard, iron helm"};
        h.beard = Beard::Long;
        h.hair = Ramp::Fire;
        h.hair_lo = 0.05;
        h.hair_hi = 0.6;
        h.hat = Hat::Helm;
        h.shirt = Ramp::ClothRed;
        h.back = Ramp::Stone;
        add(h);
    }
    {
        HeadDef h{"thief: leather hood"};
        h.hat = Hat::Hood;
        h.hat_ramp = Ramp::Leather;
        h.shirt = Ramp::Leather;
        h.beard = Beard::Stubble;
        h.eyes = Ramp::Grey;
        h.back = Ramp::Shadow;
        add(h);
    }
    {
        HeadDef h{"young man: fair hair, red shirt"};
        h.hair = Ramp::Gold;
        h.hair_lo = 0.35;
        h.hair_hi = 1.0;
        h.shirt = Ramp::ClothRed;
        h.back = Ramp::Sky;
        add(h);
    }
    {
        HeadDef h{"woman: black hair in a bun, red dress"};
        h.female = true;
        h.hair_style = Hair::Bun;
        h.hair = Ramp::Shadow;
        h.hair_lo = 0.1;
        h.hair_hi = 1.0;
        h.shirt = Ramp::ClothRed;
        h.eyes = Ramp::Wood;
        h.back = Ramp::ClothPurple;
        add(h);
    }
    {
        HeadDef h{"monk: bald, brown robe"};
        h.hair_style = Hair::None;
        h.shirt = Ramp::Earth;
        h.skin_lo = 0.05;
        h.skin_hi = 0.75;
        h.eyes = Ramp::Wood;
        h.back = Ramp::Earth;
        add(h);
    }
    {
        HeadDef h{"elf: long fair hair, pointed ears"};
        h.elf = true;
        h.hair_style = Hair::Long;
        h.hair = Ramp::Gold;
        h.hair_lo = 0.45;
        h.hair_hi = 1.0;
        h.shirt = Ramp::ClothGreen;
        h.eyes = Ramp::Ice;
        h.back = Ramp::ClothGreen;
        add(h);
    }
    {
        HeadDef h{"elf woman: silver hair"};
        h.elf = true;
        h.female = true;
        h.hair_style = Hair::Long;
        h.hair = Ramp::Grey;
        h.hair_lo = 0.55;
        h.hair_hi = 1.0;
        h.shirt = Ramp::ClothBlue;
        h.eyes = Ramp::Magic;
        h.back = Ramp::Ice;
        add(h);
    }
    {
        HeadDef h{"knight: iron helm, blue"};
        h.hat = Hat::Helm;
        h.beard = Beard::Short;
        h.shirt = Ramp::Metal;
        h.back = Ramp::Water;
        add(h);
    }
    {
        HeadDef h{"priest: grey hair and beard"};
        h.old = true;
        h.hair = Ramp::Grey;
        h.hair_lo = 0.35;
        h.hair_hi = 0.9;
        h.beard = Beard::Short;
        h.shirt = Ramp::Bone;
        h.back = Ramp::Gold;
        add(h);
    }
    {
        HeadDef h{"mercenary: black beard, bandana"};
        h.beard = Beard::Short;
        h.hat = Hat::Bandana;
        h.hat_ramp = Ramp::ClothRed;
        h.hair = Ramp::Shadow;
        h.hair_lo = 0.1;
        h.hair_hi = 1.0;
        h.skin_lo = 0.05;
        h.skin_hi = 0.8;
        h.shirt = Ramp::Leather;
        h.eyes = Ramp::Wood;
        h.back = Ramp::ClothRed;
        add(h);
    }
    {
        HeadDef h{"noble lady: golden hair, crown"};
        h.female = true;
        h.hair_style = Hair::Long;
        h.hair = Ramp::Gold;
        h.hair_lo = 0.25;
        h.hair_hi = 0.9;
        h.hat = Hat::Crown;
        h.hat_ramp = Ramp::Gold;
        h.shirt = Ramp::ClothPurple;
        h.back = Ramp::ClothRed;
        add(h);
    }
    {
        HeadDef h{"woodsman: red hair, green cap"};
        h.hair = Ramp::Fire;
        h.hair_lo = 0.1;
        h.hair_hi = 0.55;
        h.beard = Beard::Stubble;
        h.hat = Hat::Cap;
        h.hat_ramp = Ramp::ClothGreen;
        h.shirt = Ramp::Leather;
        h.back = Ramp::Wood;
        add(h);
    }
    {
        HeadDef h{"skeleton"};
        h.kind = Kind::Skeleton;
        h.back = Ramp::Shadow;
        h.shirt = Ramp::Grey;
        add(h);
    }
    {
        HeadDef h{"zombie"};
        h.kind = Kind::Zombie;
        h.skin = Ramp::Zombie;
        h.hair_style = Hair::None;
        h.shirt = Ramp::Grey;
        h.eyes = Ramp::Gold;
        h.back = Ramp::Gas;
        add(h);
    }
    {
        HeadDef h{"troll"};
        h.kind = Kind::Troll;
        h.skin = Ramp::Stone;
        h.hair_style = Hair::None;
        h.shirt = Ramp::Leather;
        h.eyes = Ramp::Gold;
        h.back = Ramp::Earth;
        add(h);
    }
    {
        HeadDef h{"wolf"};
        h.kind = Kind::Wolf;
        h.skin = Ramp::Grey;
        h.eyes = Ramp::Gold;
        h.back = Ramp::Water;
        add(h);
    }
    {
        HeadDef h{"bear"};
        h.kind = Kind::Bear;
        h.skin = Ramp::Wood;
        h.eyes = Ramp::Shadow;
        h.back = Ramp::Grass;
        add(h);
    }
    {
        HeadDef h{"giant spider"};
        h.kind = Kind::Spider;
        h.skin = Ramp::Shadow;
        h.eyes = Ramp::ClothRed;
        h.back = Ramp::ClothPurple;
        add(h);
    }
    {
        HeadDef h{"orc: green skin, tusks, mohawk"};
        h.kind = Kind::Orc;
        h.skin = Ramp::Grass;
        h.skin_lo = 0.05;
        h.skin_hi = 0.7;
        h.hair_style = Hair::Mohawk;
        h.shirt = Ramp::Leather;
        h.eyes = Ramp::ClothRed;
        h.back = Ramp::Fire;
        add(h);
    }
    {
        HeadDef h{"warrior woman: short dark hair"};
        h.female = true;
        h.skin = Ramp::Wood;
        h.skin_lo = 0.15;
        h.skin_hi = 0.85;
        h.hair_style = Hair::Short;
        h.hair = Ramp::Shadow;
        h.hair_lo = 0.1;
        h.hair_hi = 0.9;
        h.shirt = Ramp::ClothRed;
        h.eyes = Ramp::Wood;
        h.back = Ramp::Sky;
        add(h);
    }
    return d;
}

// Looks at the head from a little above; head centre at (32, 30).
constexpr double SQUASH = 0.17;
constexpr double CX = 32, CY = 31;

void Background(IndexedImage& img, const HeadDef& h) {
    for (int y = 0; y < HEAD_H; ++y)
        for (int x = 0; x < HEAD_W; ++x) {
            double dx = (x - 30) / 40.0, dy = (y - 24) / 50.0;
            double t = 0.75 - std::sqrt(dx * dx + dy * dy) * 0.9;
            img.Set(x, y, Dithered(h.back, t, x, y));
        }
}

void Person(Model& m, const HeadDef& h) {
    Material skin = Mat(h.skin, h.skin_lo, h.skin_hi), hair = Mat(h.hair, h.hair_lo, h.hair_hi);
    Material shirt = Mat(h.shirt, 0.05, 0.85);
    const double r = h.female ? 17 : 18;
    bool orc = h.kind == Kind::Orc, troll = h.kind == Kind::Troll, zombie = h.kind == Kind::Zombie;
    double jaw = troll ? 1.25 : orc ? 1.15 : 1.0;
    // Shoulders and neck.
    m.Rod({-30, -4, -40}, {30, -4, -40}, 15, 15, shirt);
    m.Rod({0, 0, -12}, {0, 0, -28}, h.female ? 7 : 8.5, 9.5, skin);
    if (h.shirt != Ramp::Metal)
        m.Rod({-8, 6, -27}, {8, 6, -27}, 2, 2, Mat(h.shirt, 0.0, 0.4));
    else
        m.Rod({-18, 2, -26}, {18, 2, -26}, 4, 4, Mat(Ramp::Metal, 0.1, 0.9, 0.5));
    // Head.
    m.Ball({0, 0, 0}, r, skin);
    m.Rod({0, 2, -4}, {0, 4, -13 * jaw}, r * 0.72 * jaw, r * 0.45 * jaw, skin);  // jaw
    // Ears.
    for (double s : {-1.0, 1.0}) {
        if (h.elf)
            m.Rod({s * (r - 1), -1, -1}, {s * (r + 7), -4, 10}, 3.2, 0.8, skin);
        else
            m.Ball({s * (r - 0.5), -1, -1}, troll ? 5.5 : 3.6, skin);
    }
    // Eyes, brows, nose, mouth.
    double ey = r * 0.85, ex = r * 0.4;
    Material white = Mat(Ramp::Bone, 0.5, 1.0);
    Material iris = Mat(h.eyes, 0.3, 0.9), pupil = Mat(Ramp::Shadow, 0.0, 0.2);
    for (double s : {-1.0, 1.0}) {
        if (zombie) {
            m.Ball({s * ex, ey, 3}, 3.0, Glow(Ramp::Gold, 0.8));
        } else {
            m.Ball({s * ex, ey - 1.0, 3}, 3.0, white);
            m.Ball({s * ex, ey + 1.0, 3}, 1.8, iris);
            m.Ball({s * ex, ey + 2.0, 3}, 0.9, pupil);
        }
        Material brow = Mat(h.hair_style == Hair::None && h.beard == Beard::None ? h.skin : h.hair, 0.0, 0.5);
        double lift = h.old ? 7.0 : 6.2;
        m.Rod({s * (ex - 3.5), ey + 0.5, lift + (troll ? -1.5 : 0)},
              {s * (ex + 3.5), ey - 0.5, lift + (h.female ? 1.2 : 0.4)}, h.female ? 0.7 : 1.1, h.female ? 0.5 : 1.0,
              brow);
    }
    m.Rod({0, r * 0.9, 1.5}, {0, r + (troll ? 6 : 3.5), -4.5}, troll ? 3.4 : 2.0, troll ? 4.0 : 2.6, skin);
    m.Rod({-4.5 * jaw, r * 0.86, -9.5}, {4.5 * jaw, r * 0.86, -9.5}, 1.2, 1.2, Mat(Ramp::Blood, 0.1, 0.6));
    if (h.female && !zombie) {
        m.Ball({-ex - 2, ey - 1, -4}, 2.5, Mat(Ramp::ClothRed, 0.5, 0.8));
        m.Ball({ex + 2, ey - 1, -4}, 2.5, Mat(Ramp::ClothRed, 0.5, 0.8));
    }
    if (orc)
        for (double s : {-1.0, 1.0})
            m.Rod({s * 4.5, r * 0.9, -10}, {s * 5.5, r * 0.95, -4}, 1.4, 0.5, Mat(Ramp::Bone, 0.4, 1.0));
    if (zombie) {
        m.Rod({-5, r * 0.84, -9}, {5, r * 0.84, -11}, 1.4, 1.4, Mat(Ramp::Shadow, 0, 0.3));
        m.Ball({7, r * 0.6, 8}, 3.5, Mat(Ramp::Blood, 0.1, 0.5));  // a wound
    }
    if (h.old)
        for (double s : {-1.0, 1.0})
            m.Rod({s * (ex + 4), ey - 2, 1}, {s * (ex + 6), ey - 3.5, -2}, 0.5, 0.5, Mat(h.skin, 0.0, 0.5));
    // Hair.
    switch (h.hair_style) {
        case Hair::Short: m.Ball({0, -3, 4}, r + 1, hair); break;
        case Hair::Long:
            m.Ball({0, -3, 4}, r + 1.2, hair);
            for (double s : {-1.0, 1.0}) m.Rod({s * (r - 3), -2, 2}, {s * (r + 1), -4, -30}, 6, 5, hair);
            m.Rod({0, -8, 0}, {0, -8, -30}, r * 0.9, r * 0.9, hair);
            break;
        case Hair::Bun:
            m.Ball({0, -3, 4}, r + 0.8, hair);
            m.Ball({0, -9, 15}, 7, hair);
            break;
        case Hair::Mohawk:
            for (int i = 0; i < 7; ++i) m.Ball({0, -12.0 + i * 3.5, 12 + std::sin(i * 0.5) * 3}, 3.6, hair);
            break;
        case Hair::None: break;
    }
    // Beard.
    switch (h.beard) {
        case Beard::Stubble:
            m.Rod({0, 5, -7}, {0, 5, -12}, r * 0.72, r * 0.5, Mat(h.skin, h.skin_lo * 0.5, h.skin_hi * 0.7));
            m.Rod({-4.5, r * 0.86, -9.5}, {4.5, r * 0.86, -9.5}, 1.2, 1.2, Mat(Ramp::Blood, 0.1, 0.6));
            break;
        case Beard::Short:
            m.Rod({0, 4, -7}, {0, 6, -15}, r * 0.78, r * 0.5, hair);
            m.Rod({-6, r * 0.92, -6}, {6, r * 0.92, -6}, 2, 2, hair);  // moustache
            m.Rod({-3.5, r * 0.96, -10.5}, {3.5, r * 0.96, -10.5}, 1.1, 1.1, Mat(Ramp::Blood, 0.1, 0.6));
            break;
        case Beard::Long: {
            Material strands = hair;
            strands.pattern = [](Vec3 p) { return std::fmod(std::abs(p.x) + 40, 3.0) < 1.0 ? -0.15 : 0.05; };
            m.Ball({0, 5, -9}, r * 0.8, strands);
            m.Rod({0, 7, -14}, {0, 9, -34}, r * 0.65, r * 0.25, strands);
            for (double s : {-1.0, 1.0}) m.Rod({s * 2, r * 0.95, -5.5}, {s * 9, r * 0.85, -8.5}, 2.4, 1.6, hair);
            m.Rod({-3, r * 1.0, -10}, {3, r * 1.0, -10}, 1.0, 1.0, Mat(Ramp::Blood, 0.1, 0.5));
            break;
        }
        case Beard::None: break;
    }
    // Headgear.
    Material hat = Mat(h.hat_ramp, 0.05, 0.9, h.hat_ramp == Ramp::Metal || h.hat_ramp == Ramp::Gold ? 0.5 : 0);
    switch (h.hat) {
        case Hat::Helm:
            m.Ball({0, -3, 9}, r, hat);
            m.Rod({-r + 1, 0, 6}, {r - 1, 0, 6}, 2.2, 2.2, Mat(h.hat_ramp, 0.1, 0.7, 0.3));
            m.Ball({0, r - 1.5, 6.5}, 2.3, Mat(h.hat_ramp, 0.1, 0.8, 0.3));
            m.Rod({0, r + 0.5, 6}, {0, r + 2.0, -3}, 1.5, 1.2, hat);
            for (double s : {-1.0, 1.0}) m.Rod({s * (r - 1), 2, 4}, {s * (r - 2), 5, -8}, 2.6, 2.0, hat);
            break;
        case Hat::Hood:
            m.Ball({0, -7, 5}, r + 3, hat);
            for (double s : {-1.0, 1.0}) m.Rod({s * (r + 0.5), -2, 2}, {s * (r + 2), -3, -26}, 5, 8, hat);
            m.Rod({-r, 4, 12}, {r, 4, 12}, 3, 3, hat);
            break;
        case Hat::Crown: {
            Material gold = Mat(Ramp::Gold, 0.2, 1.0, 0.5);
            for (int i = 0; i < 9; ++i) {
                double a = M_PI * (0.05 + 0.9 * i / 8);
                Vec3 p{std::cos(a) * (r - 1), std::sin(a) * (r - 1), 11};
                m.Ball(p, 2.2, gold);
                if (i % 2 == 0) m.Rod(p, p + Vec3{0, 0, 5}, 1.5, 0.6, gold);
            }
            m.Ball({0, r - 1, 13}, 1.8, Mat(Ramp::ClothRed, 0.4, 1.0, 0.4));
            break;
        }
        case Hat::Cap:
            m.Ball({0, -2, 8}, r + 0.5, hat);
            m.Rod({-6, r * 0.5, 8}, {6, r * 0.5 + 4, 7}, 3, 3, hat);
            m.Rod({0, -6, 16}, {3, -14, 22}, 0.8, 0.4, Mat(Ramp::ClothRed, 0.4, 1.0));
            break;
        case Hat::Bandana:
            m.Ball({0, -2, 6}, r + 0.7, hat);
            m.Rod({r - 3, -10, 0}, {r + 2, -16, -10}, 2, 1.2, hat);
            break;
        case Hat::None: break;
    }
}

void Skull(Model& m) {
    Material bone = Mat(Ramp::Bone, 0.1, 0.95);
    Material hole = Mat(Ramp::Shadow, 0.0, 0.15);
    m.Rod({-30, -4, -40}, {30, -4, -40}, 9, 9, Mat(Ramp::Grey, 0.05, 0.4));              // a dark collar
    for (double s : {-1.0, 1.0}) m.Rod({s * 22, -2, -34}, {s * 4, 4, -30}, 3, 3, bone);  // collar bones
    m.Rod({0, -2, -14}, {0, -2, -30}, 3, 3, bone);
    m.Ball({0, 0, 2}, 16, bone);
    m.Rod({0, 4, -4}, {0, 6, -14}, 10, 8, bone);
    for (double s : {-1.0, 1.0}) m.Ball({s * 6.5, 13.5, 1}, 4.6, hole);
    m.Rod({-1.2, 16, -4}, {1.2, 16, -4}, 1.5, 1.5, hole);
    for (int i = -3; i <= 3; ++i)
        m.Rod({i * 2.2, 11.5, -11.5}, {i * 2.2, 11.5, -14.5}, 0.8, 0.8, Mat(Ramp::Bone, 0.5, 1.0));
    m.Rod({-7, 11.5, -13}, {7, 11.5, -13}, 0.5, 0.5, hole);
}

void Beast_Head(Model& m, const HeadDef& h) {
    Material fur = Mat(h.skin, h.kind == Kind::Bear ? 0.0 : 0.1, h.kind == Kind::Bear ? 0.6 : 0.85);
    fur.pattern = [](Vec3 p) { return (Noise01(static_cast<int>(p.x), static_cast<int>(p.z), 2100) - 0.5) * 0.15; };
    Material nose = Mat(Ramp::Shadow, 0.1, 0.4);
    Material eye = Glow(h.eyes, h.kind == Kind::Bear ? 0.2 : 0.8);
    if (h.kind == Kind::Spider) {
        Material shell = Mat(Ramp::Shadow, 0.25, 1.0, 0.3);
        m.Ball({0, -6, -2}, 24, shell);
        for (int i = 0; i < 8; ++i) {
            double x = (i % 4 - 1.5) * 7, z = i < 4 ? 6 : 0;
            double rr = i < 4 ? 3.2 : 2.2;
            m.Ball({x * (i < 4 ? 1.0 : 1.3), 16.5, z}, rr, Glow(Ramp::ClothRed, i < 4 ? 0.9 : 0.7));
        }
        for (double s : {-1.0, 1.0}) m.Rod({s * 6, 16, -10}, {s * 3, 22, -26}, 3, 0.8, Mat(Ramp::Bone, 0.2, 0.8));
        for (double s : {-1.0, 1.0}) m.Rod({s * 14, 8, -8}, {s * 30, 14, -30}, 3, 2, Mat(Ramp::Hair, 0.0, 0.6));
        return;
    }
    bool wolf = h.kind == Kind::Wolf;
    m.Rod({-30, -8, -42}, {30, -8, -42}, 16, 16, fur);
    m.Rod({0, -4, -10}, {0, -6, -34}, 12, 15, fur);
    m.Ball({0, 0, 2}, wolf ? 14 : 17, fur);
    Vec3 snout_end = wolf ? Vec3{0, 26, -7} : Vec3{0, 19, -6};
    m.Rod({0, 6, -3}, snout_end, wolf ? 7 : 8.5, wolf ? 4.5 : 7, fur);
    m.Ball(snout_end + Vec3{0, 2, 2}, wolf ? 3 : 3.6, nose);
    if (wolf) m.Rod({-4, 22, -11}, {4, 22, -11}, 1.0, 1.0, Mat(Ramp::Bone, 0.5, 1.0));
    for (double s : {-1.0, 1.0}) {
        m.Ball({s * 6.5, 11.5, 5}, wolf ? 2.6 : 2.2, eye);
        if (wolf)
            m.Rod({s * 8, -2, 10}, {s * 12, -3, 26}, 5, 0.8, fur);
        else
            m.Ball({s * 13, -3, 13}, 5.5, fur);
    }
}

IndexedImage Draw_Head(const HeadDef& h) {
    IndexedImage img(HEAD_W, HEAD_H, KEY);
    Background(img, h);
    Model m;
    switch (h.kind) {
        case Kind::Skeleton: Skull(m); break;
        case Kind::Wolf:
        case Kind::Bear:
        case Kind::Spider: Beast_Head(m, h); break;
        default: Person(m, h); break;
    }
    Scene s(HEAD_W, HEAD_H, CX, CY, SQUASH);
    Draw_Model(s, m, [](Vec3 p) { return p; });
    IndexedImage fig = s.Image();
    Outline(fig, KEY, Outline_Index(), false);
    Blit(img, fig, 0, 0, KEY);
    Bevel(img, 0, 0, HEAD_W, HEAD_H, 1, Lighter(Ramp_Index(h.back, 5), 3), Ramp_Index(h.back, 0));
    return img;
}

}  // namespace

const std::vector<const char*>& Head_Descriptions() {
    static const std::vector<const char*> d = [] {
        std::vector<const char*> out;
        for (const HeadDef& h : Defs()) out.push_back(h.what);
        return out;
    }();
    return d;
}

std::vector<BitmapSprite> Head_Sprites() {
    std::vector<BitmapSprite> out;
    int n = 1;
    for (const HeadDef& h : Defs()) {
        char path[32];
        std::snprintf(path, sizeof path, "ARTWORK\\HEADS\\FEJ%03d", n++);
        out.push_back(Make_Bitmap(path, {Draw_Head(h)}, HEAD_HOT_X, HEAD_HOT_Y, 0));
    }
    return out;
}

}  // namespace art
