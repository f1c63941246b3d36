#include "tools/artgen/Palette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

struct Stop {
    double at;  // position in entries, 0 .. count-1
    Rgb c;
};
struct RampDef {
    Ramp ramp;
    int count;
    std::vector<Stop> stops;
};

// Ramps in palette order, from entry 11 to 244 (234 entries).
const std::vector<RampDef>& Ramp_Defs() {
    static const std::vector<RampDef> defs = {
        {Ramp::Shadow, 4, {{0, {24, 20, 30}}, {3, {58, 52, 66}}}},
        {Ramp::Grey, 16, {{0, {36, 36, 38}}, {15, {240, 240, 236}}}},
        {Ramp::Stone, 10, {{0, {44, 46, 58}}, {5, {110, 114, 128}}, {9, {196, 200, 212}}}},
        {Ramp::Grass, 12, {{0, {22, 46, 16}}, {6, {66, 118, 34}}, {11, {168, 214, 88}}}},
        {Ramp::Earth, 12, {{0, {50, 32, 20}}, {6, {128, 90, 54}}, {11, {214, 180, 124}}}},
        {Ramp::Water, 12, {{0, {16, 30, 74}}, {6, {34, 90, 162}}, {11, {150, 206, 240}}}},
        {Ramp::Wood, 12, {{0, {54, 30, 16}}, {6, {138, 84, 38}}, {11, {222, 170, 98}}}},
        {Ramp::Skin, 10, {{0, {86, 46, 32}}, {5, {194, 132, 98}}, {9, {252, 218, 186}}}},
        {Ramp::Hair, 6, {{0, {34, 24, 22}}, {5, {118, 84, 58}}}},
        {Ramp::ClothRed, 10, {{0, {64, 14, 16}}, {5, {176, 40, 36}}, {9, {250, 140, 116}}}},
        {Ramp::ClothBlue, 10, {{0, {18, 24, 74}}, {5, {52, 82, 186}}, {9, {156, 186, 252}}}},
        {Ramp::ClothGreen, 8, {{0, {18, 48, 26}}, {4, {52, 126, 62}}, {7, {156, 214, 146}}}},
        {Ramp::ClothPurple, 8, {{0, {46, 20, 62}}, {4, {114, 52, 156}}, {7, {206, 156, 236}}}},
        {Ramp::Leather, 8, {{0, {60, 36, 22}}, {4, {134, 86, 50}}, {7, {204, 156, 108}}}},
        {Ramp::Metal, 10, {{0, {38, 42, 54}}, {5, {112, 122, 140}}, {9, {236, 242, 252}}}},
        {Ramp::Gold, 10, {{0, {74, 46, 10}}, {5, {196, 142, 32}}, {9, {255, 242, 156}}}},
        {Ramp::Fire, 12, {{0, {96, 12, 6}}, {4, {222, 62, 12}}, {8, {255, 172, 32}}, {11, {255, 250, 206}}}},
        {Ramp::Blood, 6, {{0, {72, 8, 10}}, {5, {178, 20, 22}}}},
        {Ramp::Bone, 8, {{0, {84, 76, 62}}, {4, {182, 172, 142}}, {7, {246, 242, 222}}}},
        {Ramp::Parchment, 12, {{0, {96, 64, 42}}, {4, {170, 128, 92}}, {8, {222, 182, 148}}, {11, {250, 236, 212}}}},
        {Ramp::Frame, 6, {{0, {52, 24, 20}}, {5, {150, 86, 60}}}},
        {Ramp::Zombie, 8, {{0, {42, 56, 32}}, {4, {112, 140, 82}}, {7, {192, 212, 152}}}},
        {Ramp::Gas, 6, {{0, {64, 84, 22}}, {3, {150, 184, 54}}, {5, {222, 242, 142}}}},
        {Ramp::Magic, 8, {{0, {44, 22, 94}}, {4, {124, 84, 232}}, {7, {214, 206, 255}}}},
        {Ramp::Ice, 6, {{0, {22, 62, 74}}, {3, {84, 172, 184}}, {5, {196, 244, 244}}}},
        {Ramp::Sky, 4, {{0, {70, 110, 170}}, {3, {176, 206, 236}}}},
    };
    return defs;
}

constexpr int FIRST_RAMP_ENTRY = 11;

Rgb Lerp(Rgb a, Rgb b, double t) {
    auto mix = [t](int x, int y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Rgb Sample(const RampDef& d, int i) {
    const auto& s = d.stops;
    if (i <= s.front().at) return s.front().c;
    for (size_t k = 1; k < s.size(); ++k)
        if (i <= s[k].at) return Lerp(s[k - 1].c, s[k].c, (i - s[k - 1].at) / (s[k].at - s[k - 1].at));
    return s.back().c;
}

struct Tables {
    Palette pal{};
    std::array<RampRange, static_cast<size_t>(Ramp::Count)> ranges{};
    std::array<Ramp, 256> owner{};
};

bool Taken(const Palette& pal, int upto, Rgb c) {
    for (int i = 0; i < upto; ++i)
        if (pal[i] == c) return true;
    return false;
}

// Keeps every entry distinct: nudges blue (then green) by one until unique.
Rgb Unique(const Palette& pal, int upto, Rgb c) {
    for (int step = 0; Taken(pal, upto, c); ++step) {
        if (step % 2 == 0)
            c.b = static_cast<uint8_t>(c.b < 255 ? c.b + 1 : c.b - 1);
        else
            c.g = static_cast<uint8_t>(c.g < 255 ? c.g + 1 : c.g - 1);
    }
    return c;
}

Tables Build() {
    Tables t;
    t.owner.fill(Ramp::Count);
    int next = FIRST_RAMP_ENTRY;
    // The system entries first: neutral placeholders that the display replaces.
    Palette& pal = t.pal;
    pal[KEY] = {255, 0, 255};
    for (const RampDef& d : Ramp_Defs()) {
        t.ranges[static_cast<size_t>(d.ramp)] = {static_cast<uint8_t>(next), static_cast<uint8_t>(d.count)};
        for (int i = 0; i < d.count; ++i, ++next) {
            pal[next] = Sample(d, i);
            t.owner[next] = d.ramp;
        }
    }
    pal[WHITE] = {255, 255, 255};
    // Make the ramps unique in order, then give the system entries unused greys.
    Palette fixed{};
    int n = 0;
    std::vector<int> order;
    order.push_back(KEY);
    for (int i = FIRST_RAMP_ENTRY; i < next; ++i) order.push_back(i);
    order.push_back(WHITE);
    for (int i = 0; i < 256; ++i)
        if (Is_System_Entry(i)) order.push_back(i);
    for (int idx : order) {
        Rgb c = Is_System_Entry(idx) ? Rgb{static_cast<uint8_t>(64 + idx % 128), 96, 128} : pal[idx];
        c = Unique(fixed, n, c);
        fixed[n++] = c;
        pal[idx] = c;
    }
    return t;
}

const Tables& The_Tables() {
    static const Tables t = Build();
    return t;
}

int Dist2(Rgb a, Rgb b) {
    int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 2 * dr * dr + 4 * dg * dg + db * db;
}

}  // namespace

RampRange Ramp_Range(Ramp r) { return The_Tables().ranges[static_cast<size_t>(r)]; }

uint8_t Ramp_Index(Ramp r, int i) {
    RampRange rr = Ramp_Range(r);
    i = std::clamp(i, 0, rr.count - 1);
    return static_cast<uint8_t>(rr.first + i);
}

uint8_t Ramp_At(Ramp r, double t) {
    RampRange rr = Ramp_Range(r);
    return Ramp_Index(r, static_cast<int>(std::lround(t * (rr.count - 1))));
}

Ramp Ramp_Of(uint8_t index) { return The_Tables().owner[index]; }

const Palette& Game_Palette() { return The_Tables().pal; }

uint8_t Nearest_Index(Rgb c) {
    const Palette& pal = Game_Palette();
    int best = WHITE, best_d = Dist2(pal[WHITE], c);
    for (int i = FIRST_RAMP_ENTRY; i < SYSTEM_HIGH_FIRST; ++i) {
        int d = Dist2(pal[i], c);
        if (d < best_d) best = i, best_d = d;
    }
    return static_cast<uint8_t>(best);
}

uint8_t Ui_Background() { return Ramp_Index(Ramp::Parchment, 8); }
uint8_t Outline_Index() { return Ramp_Index(Ramp::Shadow, 0); }

std::array<uint8_t, 256> Colour_Remap() {
    std::array<uint8_t, 256> m{};
    for (int i = 0; i < 256; ++i) m[i] = static_cast<uint8_t>(i);
    auto swap_ramps = [&m](Ramp a, Ramp b) {
        RampRange ra = Ramp_Range(a), rb = Ramp_Range(b);
        for (int i = 0; i < ra.count; ++i) m[ra.first + i] = static_cast<uint8_t>(rb.first + i * rb.count / ra.count);
        for (int i = 0; i < rb.count; ++i) m[rb.first + i] = static_cast<uint8_t>(ra.first + i * ra.count / rb.count);
    };
    swap_ramps(Ramp::ClothBlue, Ramp::ClothRed);
    swap_ramps(Ramp::ClothGreen, Ramp::ClothPurple);
    RampRange hair = Ramp_Range(Ramp::Hair), gold = Ramp_Range(Ramp::Gold);
    for (int i = 0; i < hair.count; ++i)
        m[hair.first + i] = static_cast<uint8_t>(gold.first + 3 + i * (gold.count - 3) / hair.count);
    return m;
}

std::array<std::array<uint8_t, 256>, 4> Shade_Remaps() {
    std::array<std::array<uint8_t, 256>, 4> out{};
    const Palette& pal = Game_Palette();
    const double factor[4] = {0.8, 0.6, 0.4, 0.2};
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < 256; ++i) {
            if (Is_System_Entry(i) || i == KEY) {
                out[k][i] = static_cast<uint8_t>(i);
                continue;
            }
            Rgb c = pal[i];
            auto f = [&](uint8_t v) { return static_cast<uint8_t>(std::lround(v * factor[k])); };
            out[k][i] = Nearest_Index({f(c.r), f(c.g), f(c.b)});
        }
    return out;
}

}  // namespace art
