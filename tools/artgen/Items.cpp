#include "tools/artgen/Items.h"

#include <cmath>
#include <functional>
#include <string>

#include "Objects/Item/Items.h"
#include "tools/artgen/Drawing.h"
#include "tools/artgen/Effects.h"
#include "tools/artgen/Noise.h"

namespace art {
namespace {

// Every picture is drawn in its own coordinates: the origin at the centre of
// its 32w x 32h box, y downward.
using Drawing = std::function<void(Painter&)>;

struct ItemDef {
    ItemArt art;
    Drawing draw;
};

Shader Steel_V(double cx, double w) { return Cylinder(Ramp::Metal, cx, w, 0.25, 1.0); }
Shader Wood_V(double cx, double w) { return Cylinder(Ramp::Wood, cx, w, 0.15, 0.85); }
Shader Gold_Dome(Vec2 c, double r) { return Dome(Ramp::Gold, c, r, r, 0.25, 1.0); }
Shader Leather_Flat(double t) {
    return [t](Vec2 p, int px, int py) {
        double n = (Noise01(static_cast<int>(p.x), static_cast<int>(p.y), 2000) - 0.5) * 0.12;
        return Dithered(Ramp::Leather, t + n - p.y / 400, px, py);
    };
}

void Sword(Painter& p, double blade_top, double width) {
    p.Polygon({{-width, 16}, {-width, blade_top + 6}, {0, blade_top}, {width, blade_top + 6}, {width, 16}},
              Steel_V(0, width));
    p.Rect(-0.8, blade_top + 7, 0.8, 14, Flat(Ramp_Index(Ramp::Metal, 9)));  // fuller
    p.Capsule({-11, 19}, {11, 19}, 2.2, Cylinder(Ramp::Gold, 0, 11, 0.3, 1.0));
    p.Rect(-2.6, 21, 2.6, 36, [](Vec2 q, int px, int py) {
        return Dithered(Ramp::Leather, (static_cast<int>(std::floor(q.y)) % 3 == 0) ? 0.2 : 0.55, px, py);
    });
    p.Ellipse({0, 39}, 3.8, 3.8, Gold_Dome({0, 39}, 3.8));
}

void Axe_Head(Painter& p, double cx, double cy, double dir, double size) {
    std::vector<Vec2> blade = {{cx, cy - 5 * size},
                               {cx + dir * 8 * size, cy - 11 * size},
                               {cx + dir * 13 * size, cy - 2 * size},
                               {cx + dir * 13 * size, cy + 3 * size},
                               {cx + dir * 8 * size, cy + 11 * size},
                               {cx, cy + 5 * size}};
    p.Polygon(blade, Linear(Ramp::Metal, {cx, cy}, 0.35, {cx + dir * 13 * size, cy}, 1.0));
}

void Shield_Round(Painter& p) {
    p.Ellipse({0, 0}, 29, 29, Dome(Ramp::Metal, {0, 0}, 29, 29, 0.15, 0.9));
    p.Ellipse({0, 0}, 25, 25, [](Vec2 q, int px, int py) {
        int plank = static_cast<int>(std::floor((q.x + 25) / 8.4));
        double t = 0.45 + (Noise01(plank, 0, 2010) - 0.5) * 0.15 - (q.x + q.y) / 120;
        if (std::fmod(q.x + 25, 8.4) < 0.9) t = 0.15;
        return Dithered(Ramp::Wood, t, px, py);
    });
    p.Polygon({{-4, -22},
               {4, -22},
               {4, -4},
               {22, -4},
               {22, 4},
               {4, 4},
               {4, 22},
               {-4, 22},
               {-4, 4},
               {-22, 4},
               {-22, -4},
               {-4, -4}},
              Linear(Ramp::ClothRed, {-20, -20}, 0.8, {20, 20}, 0.35));
    p.Ellipse({0, 0}, 6.5, 6.5, Dome(Ramp::Metal, {0, 0}, 6.5, 6.5, 0.2, 1.0));
}

void Shield_Tower(Painter& p) {
    auto outline = [](double m) {
        std::vector<Vec2> pts = {{-26 + m, -44 + m}, {26 - m, -44 + m}, {26 - m, 10}};
        for (int i = 0; i <= 12; ++i) {
            double a = i * M_PI / 12;
            pts.push_back({(26 - m) * std::cos(a), 10 + (34 - m) * std::sin(a)});
        }
        pts.push_back({-26 + m, 10});
        return pts;
    };
    p.Polygon(outline(0), Linear(Ramp::Metal, {-26, -44}, 0.95, {26, 44}, 0.25));
    p.Polygon(outline(4), Linear(Ramp::ClothBlue, {-20, -40}, 0.85, {20, 40}, 0.3));
    p.Rect(-3.5, -40, 3.5, 40, Linear(Ramp::Gold, {0, -40}, 1.0, {0, 40}, 0.45));
    p.Rect(-22, -20, 22, -13, Linear(Ramp::Gold, {-22, 0}, 1.0, {22, 0}, 0.45));
}

void Helmet(Painter& p, bool iron) {
    Ramp r = iron ? Ramp::Metal : Ramp::Leather;
    p.Ellipse({0, 4}, 24, 24, Dome(r, {0, 2}, 24, 24, 0.2, 1.0));
    p.Rect(-25, 4, 25, 28, Flat(KEY));
    p.Rect(-25, 2, 25, 9, Cylinder(iron ? Ramp::Gold : Ramp::Leather, 0, 25, 0.2, 0.8));
    if (iron) {
        p.Rect(-3, 6, 3, 24, Steel_V(0, 3));
        p.Polygon({{-24, 8}, {-14, 8}, {-16, 22}, {-22, 24}}, Linear(Ramp::Metal, {-24, 8}, 0.8, {-14, 24}, 0.3));
        p.Polygon({{24, 8}, {14, 8}, {16, 22}, {22, 24}}, Linear(Ramp::Metal, {24, 8}, 0.5, {14, 24}, 0.2));
        p.Capsule({0, -20}, {0, -27}, 2.4, Cylinder(Ramp::Gold, 0, 2.4, 0.3, 1.0));
    } else {
        for (int i = -2; i <= 2; ++i)
            p.Capsule({i * 8.0, -15 + std::abs(i) * 2.5}, {i * 9.0, 2}, 0.5, Flat(Ramp_Index(Ramp::Leather, 1)));
    }
}

// A torso shape; `kind` 0 leather, 1 chain, 2 plate.
void Armour(Painter& p, int kind) {
    std::vector<Vec2> body = {{-12, -44}, {12, -44}, {26, -38},  {30, -18},  {22, -14},
                              {20, 40},   {-20, 40}, {-22, -14}, {-30, -18}, {-26, -38}};
    Shader s;
    if (kind == 0)
        s = Leather_Flat(0.55);
    else if (kind == 1)
        s = [](Vec2 q, int px, int py) {
            int rx = static_cast<int>(std::floor(q.x / 2.5)), ry = static_cast<int>(std::floor(q.y / 2.2));
            double t = 0.55 + ((rx + ry) % 2 ? 0.18 : -0.1) - q.x / 90 - q.y / 200;
            return Dithered(Ramp::Metal, t, px, py);
        };
    else
        s = Linear(Ramp::Metal, {-26, -40}, 1.0, {24, 40}, 0.25);
    p.Polygon(body, s);
    p.Polygon({{-8, -44}, {8, -44}, {0, -34}}, Flat(KEY));  // neck
    if (kind == 0) {
        for (int y = -30; y <= 30; y += 12) p.Rect(-19, y, 19, y + 1, Flat(Ramp_Index(Ramp::Leather, 1)));
        p.Rect(-20, 24, 20, 30, Flat(Ramp_Index(Ramp::Leather, 2)));
    } else if (kind == 2) {
        p.Rect(-1, -34, 1, 38, Flat(Ramp_Index(Ramp::Metal, 2)));
        p.Rect(-21, 8, 21, 10, Flat(Ramp_Index(Ramp::Gold, 7)));
        p.Polygon({{-26, -38}, {-12, -44}, {-12, -38}, {-24, -30}}, Flat(Ramp_Index(Ramp::Gold, 8)));
        p.Polygon({{26, -38}, {12, -44}, {12, -38}, {24, -30}}, Flat(Ramp_Index(Ramp::Gold, 6)));
    } else {
        p.Rect(-20, 34, 20, 40, Flat(Ramp_Index(Ramp::Metal, 3)));
    }
}

void Leggings(Painter& p) {
    Shader cloth = Linear(Ramp::ClothBlue, {-20, -40}, 0.7, {20, 40}, 0.2);
    p.Polygon(
        {{-22, -44}, {22, -44}, {24, -30}, {18, 44}, {4, 44}, {1, -18}, {-1, -18}, {-4, 44}, {-18, 44}, {-24, -30}},
        cloth);
    p.Rect(-22, -44, 22, -38, Leather_Flat(0.35));
    p.Rect(-18, 38, -4, 44, Flat(Ramp_Index(Ramp::ClothBlue, 1)));
    p.Rect(4, 38, 18, 44, Flat(Ramp_Index(Ramp::ClothBlue, 1)));
}

void Boot(Painter& p, double cx, bool right) {
    double d = right ? 1 : -1;
    p.Polygon({{cx - 7, -24},
               {cx + 7, -24},
               {cx + 7, 12},
               {cx + d * 14, 16},
               {cx + d * 14, 24},
               {cx - 8 * d, 24},
               {cx - 7 * d, 10}},
              Linear(Ramp::Leather, {cx - 7, -24}, 0.75, {cx + 7, 24}, 0.2));
    p.Rect(cx - 8, -26, cx + 8, -20, Flat(Ramp_Index(Ramp::Leather, 6)));
}

void Potion(Painter& p, Ramp liquid) {
    p.Rect(-3, -14, 3, -8, Flat(Ramp_Index(Ramp::Wood, 6)));
    p.Rect(-3.5, -9, 3.5, -4, Cylinder(Ramp::Ice, 0, 3.5, 0.4, 1.0));
    p.Ellipse({0, 5}, 10, 10, Dome(Ramp::Ice, {0, 5}, 10, 10, 0.3, 1.0));
    p.Ellipse({0, 6.5}, 8.2, 8.2, Dome(liquid, {0, 5}, 9, 9, 0.15, 1.0));
    p.Ellipse({-3.2, 2.5}, 1.6, 2.4, Flat(WHITE));
}

void Ring(Painter& p, Ramp gem) {
    p.Ellipse({0, 3}, 10, 8, Dome(Ramp::Gold, {0, 3}, 10, 8, 0.2, 1.0));
    p.Ellipse({0, 4}, 6.5, 4.8, Flat(KEY));
    if (gem != Ramp::Gold) {
        p.Ellipse({0, -6}, 4.6, 4.6, Gold_Dome({0, -6}, 4.6));
        p.Ellipse({0, -6}, 3.3, 3.3, Dome(gem, {0, -6}, 3.3, 3.3, 0.3, 1.0));
    }
}

void Scroll(Painter& p, bool sealed) {
    p.Rect(-9, -22, 9, 22, Linear(Ramp::Parchment, {-9, 0}, 0.95, {9, 0}, 0.55));
    for (int y = -16; y <= 14; y += 5) p.Rect(-6, y, 5, y + 1, Flat(Ramp_Index(Ramp::Parchment, 3)));
    p.Capsule({-11, -24}, {11, -24}, 3.2, Cylinder(Ramp::Parchment, 0, 3, 0.5, 1.0));
    p.Capsule({-11, 24}, {11, 24}, 3.2, Cylinder(Ramp::Parchment, 0, 3, 0.4, 0.9));
    if (sealed) {
        p.Rect(-9, 4, 9, 7, Flat(Ramp_Index(Ramp::ClothRed, 5)));
        p.Ellipse({0, 6}, 4.5, 4.5, Dome(Ramp::ClothRed, {0, 6}, 4.5, 4.5, 0.2, 0.9));
    }
}

void Key(Painter& p, Ramp metal) {
    p.transform = p.transform * Affine::Rotate(-M_PI / 4);
    p.Ellipse({0, -8}, 6, 6, Dome(metal, {0, -8}, 6, 6, 0.2, 1.0));
    p.Ellipse({0, -8}, 3, 3, Flat(KEY));
    p.Rect(-1.6, -3, 1.6, 14, Cylinder(metal, 0, 1.6, 0.3, 1.0));
    p.Rect(1.6, 8, 6, 10, Flat(Ramp_Index(metal, 6)));
    p.Rect(1.6, 12, 5, 14, Flat(Ramp_Index(metal, 5)));
}

void Arrow_Shaft(Painter& p, double x, double top) {
    p.Rect(x - 1, top + 8, x + 1, 42, Wood_V(x, 1));
    p.Polygon({{x - 3, top + 8}, {x, top}, {x + 3, top + 8}}, Steel_V(x, 3));
    p.Polygon({{x - 1, 32}, {x - 4, 36}, {x - 4, 46}, {x - 1, 42}}, Flat(Ramp_Index(Ramp::ClothRed, 6)));
    p.Polygon({{x + 1, 32}, {x + 4, 36}, {x + 4, 46}, {x + 1, 42}}, Flat(Ramp_Index(Ramp::ClothRed, 4)));
}

void Bow(Painter& p, double half, double bulge, bool long_bow) {
    Shader wood = Linear(Ramp::Wood, {-10, 0}, 0.9, {10, 0}, 0.3);
    Vec2 prev{};
    for (int i = 0; i <= 24; ++i) {
        double t = -1 + i / 12.0;
        Vec2 q{-bulge * 0.3 + bulge * (1 - t * t), half * t};
        if (i > 0) p.Capsule(prev, q, long_bow ? 2.2 : 1.8, wood);
        prev = q;
    }
    p.Rect(-bulge * 0.3 - 0.5, -half, -bulge * 0.3 + 0.5, half, Flat(Ramp_Index(Ramp::Bone, 6)));
    p.Rect(bulge * 0.7 - 2, -5, bulge * 0.7 + 2.5, 5, Leather_Flat(0.3));
}

void Dead_Body(Painter& p) {
    Shader shroud = [](Vec2 q, int px, int py) {
        double fold = 0.08 * std::sin(q.x * 0.8 + q.y * 0.15);
        return Dithered(Ramp::Bone, 0.55 + fold - q.x / 120 - q.y / 300, px, py);
    };
    p.Ellipse({0, -34}, 10, 11, shroud);  // head
    p.Polygon({{-11, -24}, {11, -24}, {19, -16}, {17, 10}, {11, 44}, {-11, 44}, {-17, 10}, {-19, -16}}, shroud);
    for (double y : {-26.0, -4.0, 18.0, 38.0}) {
        double w = y < 0 ? 17 : 13;
        p.Rect(-w, y, w, y + 2.2, Flat(Ramp_Index(Ramp::Leather, 3)));
    }
}

std::vector<ItemDef> Item_Defs() {
    std::vector<ItemDef> d;
    auto add = [&d](int pic, const char* name, uint8_t size, uint8_t cls, Drawing f) {
        d.push_back({{pic, name, size, cls}, std::move(f)});
    };
    add(1, "Short sword", 0x13, CLASS_SWORD, [](Painter& p) { Sword(p, -30, 4.2); });
    add(2, "Long sword", 0x13, CLASS_SWORD, [](Painter& p) { Sword(p, -46, 4.8); });
    add(3, "Mace", 0x13, CLASS_MACE, [](Painter& p) {
        p.Rect(-2.2, -16, 2.2, 44, Wood_V(0, 2.2));
        p.Rect(-3, 30, 3, 44, Leather_Flat(0.3));
        for (int i = 0; i < 6; ++i) {
            double a = i * M_PI / 3;
            Vec2 c{std::cos(a) * 9, -28 + std::sin(a) * 9};
            p.Polygon({{c.x * 0.6, -28 + (c.y + 28) * 0.6},
                       c + Vec2{std::cos(a) * 5, std::sin(a) * 5},
                       {c.x * 0.3, -28 + (c.y + 28) * 0.3}},
                      Flat(Ramp_Index(Ramp::Metal, 4)));
        }
        p.Ellipse({0, -28}, 9, 9, Dome(Ramp::Metal, {0, -28}, 9, 9, 0.2, 1.0));
    });
    add(4, "Hand axe", 0x13, CLASS_AXE, [](Painter& p) {
        p.Rect(-2, -40, 2, 44, Wood_V(0, 2));
        Axe_Head(p, -1, -30, -1, 1.05);
        p.Rect(-3, -38, 4, -22, Steel_V(0, 4));
    });
    add(5, "Battle axe", 0x23, CLASS_AXE, [](Painter& p) {
        p.Rect(-2.4, -44, 2.4, 46, Wood_V(0, 2.4));
        Axe_Head(p, -2, -28, -1, 1.7);
        Axe_Head(p, 2, -28, 1, 1.7);
        p.Rect(-4, -40, 4, -16, Steel_V(0, 4));
        p.Ellipse({0, -44}, 3, 3, Dome(Ramp::Metal, {0, -44}, 3, 3, 0.2, 1.0));
    });
    add(6, "Spear", 0x13, CLASS_PIKE, [](Painter& p) {
        p.Rect(-1.6, -22, 1.6, 46, Wood_V(0, 1.6));
        p.Polygon({{0, -47}, {5, -32}, {2, -22}, {-2, -22}, {-5, -32}}, Steel_V(0, 5));
        p.Rect(-2.6, -24, 2.6, -20, Flat(Ramp_Index(Ramp::Gold, 6)));
    });
    add(7, "Dagger", 0x12, CLASS_KNIFE, [](Painter& p) {
        p.Polygon({{-3.5, 4}, {-3.5, -20}, {0, -29}, {3.5, -20}, {3.5, 4}}, Steel_V(0, 3.5));
        p.Capsule({-8, 6}, {8, 6}, 1.8, Cylinder(Ramp::Metal, 0, 8, 0.2, 0.8));
        p.Rect(-2.2, 8, 2.2, 22, Leather_Flat(0.4));
        p.Ellipse({0, 25}, 3, 3, Dome(Ramp::Metal, {0, 25}, 3, 3, 0.2, 1.0));
    });
    add(8, "Kris", 0x12, CLASS_ASSASSIN, [](Painter& p) {
        std::vector<Vec2> blade;
        for (int i = 0; i <= 10; ++i) blade.push_back({-3 + 2 * std::sin(i * 1.3), 4 - i * 3.0});
        blade.push_back({0, -30});
        for (int i = 10; i >= 0; --i) blade.push_back({3 + 2 * std::sin(i * 1.3), 4 - i * 3.0});
        p.Polygon(blade, Cylinder(Ramp::Ice, 0, 5, 0.2, 1.0));
        p.Capsule({-7, 6}, {7, 6}, 1.8, Cylinder(Ramp::Gold, 0, 7, 0.3, 1.0));
        p.Rect(-2.4, 8, 2.4, 24, Flat(Ramp_Index(Ramp::Shadow, 3)));
        p.Ellipse({0, 16}, 1.8, 1.8, Flat(Ramp_Index(Ramp::ClothRed, 8)));
    });
    add(9, "Short bow", 0x13, CLASS_BOW, [](Painter& p) { Bow(p, 38, 14, false); });
    add(10, "Long bow", 0x23, CLASS_BOW, [](Painter& p) { Bow(p, 45, 26, true); });
    add(11, "Round shield", 0x22, CLASS_SHIELD, Shield_Round);
    add(12, "Tower shield", 0x23, CLASS_SHIELD, Shield_Tower);
    add(13, "Leather cap", 0x22, CLASS_HELM, [](Painter& p) { Helmet(p, false); });
    add(14, "Iron helm", 0x22, CLASS_HELM, [](Painter& p) { Helmet(p, true); });
    add(15, "Leather armour", 0x23, CLASS_ARMOR, [](Painter& p) { Armour(p, 0); });
    add(16, "Chain mail", 0x23, CLASS_ARMOR, [](Painter& p) { Armour(p, 1); });
    add(17, "Plate armour", 0x23, CLASS_ARMOR, [](Painter& p) { Armour(p, 2); });
    add(18, "Leggings", 0x23, CLASS_LEGGINGS, Leggings);
    add(19, "Belt", 0x21, CLASS_BELT, [](Painter& p) {
        p.Rect(-31, -5, 31, 5, Linear(Ramp::Leather, {0, -5}, 0.75, {0, 5}, 0.25));
        for (int x = -26; x <= 26; x += 8)
            p.Ellipse({static_cast<double>(x), 0}, 1, 1, Flat(Ramp_Index(Ramp::Gold, 7)));
        p.Rect(-7, -8, 7, 8, Flat(Ramp_Index(Ramp::Gold, 7)));
        p.Rect(-4, -5, 4, 5, Flat(KEY));
        p.Rect(-1, -2, 6, 2, Flat(Ramp_Index(Ramp::Gold, 4)));
    });
    add(20, "Bracers", 0x22, CLASS_BRACERS, [](Painter& p) {
        for (double cx : {-13.0, 13.0}) {
            p.Polygon({{cx - 9, -24}, {cx + 9, -24}, {cx + 7, 24}, {cx - 7, 24}},
                      Cylinder(Ramp::Leather, cx, 9, 0.2, 0.9));
            for (double y : {-16.0, 0.0, 16.0}) p.Rect(cx - 8, y, cx + 8, y + 3, Flat(Ramp_Index(Ramp::Metal, 6)));
        }
    });
    add(21, "Gloves", 0x11, CLASS_GLOVES, [](Painter& p) {
        Shader s = Leather_Flat(0.5);
        p.Ellipse({0, 2}, 8, 9, s);
        for (int i = 0; i < 4; ++i)
            p.Capsule({-5.5 + i * 3.6, -2}, {-6.5 + i * 4.2, -12 + std::abs(i - 1.5) * 1.5}, 1.7, s);
        p.Capsule({-7, 4}, {-12, -3}, 2, s);
        p.Rect(-8, 9, 8, 14, Flat(Ramp_Index(Ramp::Leather, 2)));
    });
    add(22, "Boots", 0x22, CLASS_BOOTS, [](Painter& p) {
        Boot(p, -12, false);
        Boot(p, 12, true);
    });
    add(23, "Cloak", 0x23, CLASS_CLOAK, [](Painter& p) {
        Shader cloth = [](Vec2 q, int px, int py) {
            double fold = 0.12 * std::sin(q.x * 0.45) - q.x / 140;
            return Dithered(Ramp::ClothGreen, 0.55 + fold - q.y / 200, px, py);
        };
        p.Polygon({{-12, -36}, {12, -36}, {28, 44}, {-28, 44}}, cloth);
        p.Ellipse({0, -34}, 13, 11, cloth);
        p.Ellipse({0, -33}, 8, 7, Flat(Ramp_Index(Ramp::ClothGreen, 0)));
        p.Ellipse({0, -22}, 3, 3, Gold_Dome({0, -22}, 3));
    });
    add(24, "Amulet", 0x11, CLASS_NECKLACE, [](Painter& p) {
        for (int i = 0; i < 14; ++i) {
            double a = M_PI * (0.1 + 0.8 * i / 13.0) + M_PI;
            Vec2 c{std::cos(a) * 11, -2 + std::sin(a) * 11};
            p.Ellipse(c, 1.2, 1.2, Flat(Ramp_Index(Ramp::Gold, 7)));
        }
        p.Polygon({{0, 0}, {6, 7}, {0, 15}, {-6, 7}}, Gold_Dome({0, 7}, 7));
        p.Ellipse({0, 7}, 3, 3, Dome(Ramp::Water, {0, 7}, 3, 3, 0.3, 1.0));
    });
    add(25, "Gold ring", 0x11, CLASS_RING, [](Painter& p) { Ring(p, Ramp::Gold); });
    add(26, "Ruby ring", 0x11, CLASS_RING, [](Painter& p) { Ring(p, Ramp::ClothRed); });
    add(27, "Sapphire ring", 0x11, CLASS_RING, [](Painter& p) { Ring(p, Ramp::ClothBlue); });
    add(28, "Scroll", 0x12, CLASS_SCROLL, [](Painter& p) { Scroll(p, false); });
    add(29, "Sealed scroll", 0x12, CLASS_SCROLL, [](Painter& p) { Scroll(p, true); });
    add(30, "Iron key", 0x11, CLASS_KEY, [](Painter& p) { Key(p, Ramp::Metal); });
    add(31, "Gold key", 0x11, CLASS_KEY, [](Painter& p) { Key(p, Ramp::Gold); });
    add(32, "Healing potion", 0x11, CLASS_POTION, [](Painter& p) { Potion(p, Ramp::ClothRed); });
    add(33, "Mana potion", 0x11, CLASS_POTION, [](Painter& p) { Potion(p, Ramp::ClothBlue); });
    add(34, "Antidote", 0x11, CLASS_POTION, [](Painter& p) { Potion(p, Ramp::ClothGreen); });
    add(35, "Strength potion", 0x11, CLASS_POTION, [](Painter& p) { Potion(p, Ramp::Gold); });
    add(36, "Arrows", 0x13, CLASS_ARROW, [](Painter& p) {
        Arrow_Shaft(p, -6, -44);
        Arrow_Shaft(p, 6, -40);
        Arrow_Shaft(p, 0, -46);
        p.Rect(-9, 8, 9, 12, Leather_Flat(0.3));
    });
    add(37, "Bread", 0x11, CLASS_OTHER, [](Painter& p) {
        p.Ellipse({0, 2}, 13, 8, Dome(Ramp::Wood, {0, 2}, 13, 8, 0.4, 1.0));
        for (int i = -1; i <= 1; ++i)
            p.Capsule({i * 6.0 - 2, -2}, {i * 6.0 + 2, 3}, 0.7, Flat(Ramp_Index(Ramp::Wood, 4)));
    });
    add(38, "Gem", 0x11, CLASS_OTHER, [](Painter& p) {
        p.Polygon({{-10, -3}, {-5, -9}, {5, -9}, {10, -3}, {0, 11}},
                  Linear(Ramp::ClothGreen, {-10, -9}, 1.0, {10, 11}, 0.2));
        p.Polygon({{-10, -3}, {10, -3}, {0, 11}}, Linear(Ramp::ClothGreen, {-10, -3}, 0.7, {10, 11}, 0.1));
        p.Ellipse({-4, -5}, 1.5, 1.2, Flat(WHITE));
    });
    add(39, "Torch", 0x12, CLASS_OTHER, [](Painter& p) {
        p.Rect(-2, -16, 2, 28, Wood_V(0, 2));
        p.Capsule({0, -24}, {0, -14}, 4.2, Leather_Flat(0.25));
    });
    add(40, "Gold coins", 0x11, CLASS_OTHER, [](Painter& p) {
        const Vec2 at[5] = {{-5, 6}, {4, 7}, {0, 2}, {-2, -3}, {3, -7}};
        for (Vec2 c : at) {
            p.Ellipse(c + Vec2{0, 1.5}, 6, 3, Flat(Ramp_Index(Ramp::Gold, 2)));
            p.Ellipse(c, 6, 3, Dome(Ramp::Gold, c, 6, 3, 0.4, 1.0));
        }
    });
    add(41, "Spell book", 0x22, CLASS_OTHER, [](Painter& p) {
        p.Rect(-22, -26, 24, 28, Flat(Ramp_Index(Ramp::Parchment, 9)));
        p.Rect(-24, -28, 20, 26, Linear(Ramp::ClothPurple, {-24, -28}, 0.8, {20, 26}, 0.25));
        p.Rect(-24, -28, -18, 26, Flat(Ramp_Index(Ramp::ClothPurple, 1)));
        p.Polygon({{-2, -14}, {3, -3}, {14, -2}, {5, 5}, {8, 16}, {-2, 10}, {-12, 16}, {-9, 5}, {-18, -2}, {-7, -3}},
                  Linear(Ramp::Gold, {-18, -14}, 1.0, {14, 16}, 0.4));
    });
    add(42, "Bone", 0x12, CLASS_OTHER, [](Painter& p) {
        Shader b = Cylinder(Ramp::Bone, 0, 4, 0.3, 1.0);
        p.Rect(-2.6, -20, 2.6, 20, b);
        for (double y : {-22.0, 22.0})
            for (double x : {-3.0, 3.0}) p.Ellipse({x, y}, 4, 4, Dome(Ramp::Bone, {x, y}, 4, 4, 0.3, 1.0));
    });
    add(DEAD_BODY_PICTURE, "Dead body", 0x23, CLASS_CORPSE, Dead_Body);
    return d;
}

const std::vector<ItemDef>& Defs() {
    static const std::vector<ItemDef> d = Item_Defs();
    return d;
}

// The large picture: the 32w x 32h box centred on the drawing point.
DysFrame Large(const ItemDef& def) {
    int w = (def.art.size >> 4) * 32, h = (def.art.size & 15) * 32;
    IndexedImage img(w, h, KEY);
    Painter p(img);
    p.transform = Affine::Translate(w / 2.0, h / 2.0);
    def.draw(p);
    Outline(img, KEY, Outline_Index(), false);
    Box b = Opaque_Box(img, KEY);
    return {Crop(img, b.x, b.y, b.w, b.h, KEY), b.x - w / 2, b.y - h / 2};
}

// The small picture lying on the ground: long things lie across, everything
// is seen flattened from above.
DysFrame Small(const ItemDef& def) {
    int cw = def.art.size >> 4, ch = def.art.size & 15;
    const int canvas = 64;
    IndexedImage img(canvas, canvas, KEY);
    Painter p(img);
    double extent = 16.0 * std::max(cw, ch);
    double scale = std::min(0.62, 15.0 / extent);
    double turn = ch >= 2 * cw ? -M_PI / 3 : 0;
    if (def.art.item_class == CLASS_CORPSE) turn = -M_PI / 2, scale = 0.38;
    p.transform = Affine::Translate(canvas / 2.0, canvas / 2.0) * Affine::Scale(1, 0.7) * Affine::Scale(scale, scale) *
                  Affine::Rotate(turn);
    def.draw(p);
    Outline(img, KEY, Outline_Index(), false);
    Box b = Opaque_Box(img, KEY);
    return {Crop(img, b.x, b.y, b.w, b.h, KEY), b.x - canvas / 2, b.y - canvas / 2 - 4};
}

}  // namespace

const std::vector<ItemArt>& Item_Catalogue() {
    static const std::vector<ItemArt> c = [] {
        std::vector<ItemArt> out;
        for (const ItemDef& d : Defs()) out.push_back(d.art);
        return out;
    }();
    return c;
}

std::vector<DysSprite> Item_Sprites() {
    std::vector<DysFrame> large(ITEM_FRAMES), small(ITEM_FRAMES);
    for (const ItemDef& d : Defs()) {
        large[d.art.picture] = Large(d);
        small[d.art.picture] = Small(d);
    }
    std::vector<DysSprite> out;
    out.push_back(Make_Dys("ARTWORK\\ITEMS\\ITEMS", std::move(large)));
    out.push_back(Make_Dys("ARTWORK\\ITEMS\\MITEMS", std::move(small)));
    return out;
}

}  // namespace art
