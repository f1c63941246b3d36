#include "tools/artgen/SystemSprites.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Effects.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Noise.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/Scene3D.h"

namespace art {
namespace {

// Draw layers of the system sprites (the loader sets the same values).
constexpr int LAYER_ARROWS = 37, LAYER_TARGET_BACK = 255, LAYER_DIGITS = 125, LAYER_ANIM = 126;
constexpr int LAYER_BLOOD_POOL = 128, LAYER_FLAMES = 125, LAYER_GAS = 126;

// ------------------------------------------------------------------ field marks

bool In_Floor(int x, int y) {
    const FloorMask& m = Floor_Mask();
    return x >= 0 && y >= 0 && x < FLOOR_WIDTH && y < FLOOR_HEIGHT && m[y][x];
}

// Distance (in rings) of a floor pixel from the floor's border, 0 on the border.
int Border_Ring(int x, int y) {
    for (int d = 0; d < 6; ++d)
        for (int dy = -d - 1; dy <= d + 1; ++dy)
            for (int dx = -d - 1; dx <= d + 1; ++dx)
                if (std::max(std::abs(dx), std::abs(dy)) == d + 1 && !In_Floor(x + dx, y + dy)) return d;
    return 6;
}

enum class Half { Back, Front, Both };

bool In_Half(int y, Half h) {
    const int split = FLOOR_HOT_Y - 4;
    return h == Half::Both || (h == Half::Front ? y >= split : y < split);
}

// The field's border, `rings` pixels wide, of one half.
IndexedImage Field_Border(Half half, int rings, Ramp ramp, int bright) {
    IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT, KEY);
    for (int y = 0; y < FLOOR_HEIGHT; ++y)
        for (int x = 0; x < FLOOR_WIDTH; ++x) {
            if (!In_Floor(x, y) || !In_Half(y, half)) continue;
            int r = Border_Ring(x, y);
            if (r < rings) img.Set(x, y, Ramp_Index(ramp, bright - r * 2));
        }
    return img;
}

DysFrame Field_Frame(const IndexedImage& img) {
    Box b = Opaque_Box(img, KEY);
    return {Crop(img, b.x, b.y, b.w, b.h, KEY), b.x - FLOOR_HOT_X, b.y - FLOOR_HOT_Y};
}

IndexedImage Target_Cross(IndexedImage img, bool area) {
    const int cx = 21, cy = 15;
    uint8_t c = Ramp_Index(Ramp::ClothRed, 8), d = Ramp_Index(Ramp::ClothRed, 4);
    if (!area) {
        for (int k = 3; k <= 7; ++k) {
            img.Set(cx - k, cy, c), img.Set(cx + k, cy, c);
            if (k <= 5) img.Set(cx, cy - k + 1, c), img.Set(cx, cy + k - 1, c);
        }
        img.Set(cx, cy, d);
    } else {
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            for (int r = 3; r <= 8; ++r)
                img.Set(cx + static_cast<int>(std::lround(std::cos(a) * r)),
                        cy + static_cast<int>(std::lround(std::sin(a) * r * 0.6)), r < 6 ? c : d);
        }
    }
    return img;
}

DysSprite Mark_Sprite(const char* path, std::vector<IndexedImage> frames) {
    std::vector<DysFrame> out;
    for (const IndexedImage& f : frames) out.push_back(Field_Frame(f));
    return Make_Dys(path, std::move(out));
}

// ------------------------------------------------------------------ arrows

IndexedImage Arrow(int d) {
    IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT, KEY);
    Painter p(img);
    GroundDir g = Direction_On_Ground(d);
    double ang = std::atan2(g.y, g.x);
    p.transform = Affine::Translate(21, 15) * Affine::Scale(1, GROUND_SQUASH) * Affine::Rotate(ang);
    Shader fill = Linear(Ramp::Gold, {-10, -6}, 0.95, {10, 6}, 0.45);
    p.Polygon({{-10, -2.4}, {3, -2.4}, {3, -6.5}, {12, 0}, {3, 6.5}, {3, 2.4}, {-10, 2.4}}, fill);
    Outline(img, KEY, Outline_Index(), true);
    return img;
}

IndexedImage Target_Marker() {
    IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT, KEY);
    Painter p(img);
    p.transform = Affine::Translate(21, 15) * Affine::Scale(1, GROUND_SQUASH);
    p.Ellipse({0, 0}, 11, 11, Flat(Ramp_Index(Ramp::Gold, 8)));
    p.Ellipse({0, 0}, 8, 8, Flat(KEY));
    p.Ellipse({0, 0}, 3, 3, Flat(Ramp_Index(Ramp::ClothRed, 7)));
    Outline(img, KEY, Outline_Index(), true);
    return img;
}

// ------------------------------------------------------------------ digits

BitmapSprite Digits() {
    struct Set {
        Ramp r;
        int i;
    };
    const Set sets[5] = {{Ramp::Gold, 9}, {Ramp::ClothGreen, 7}, {Ramp::Ice, 5}, {Ramp::ClothRed, 8}, {Ramp::Fire, 8}};
    std::vector<IndexedImage> frames;
    for (int f = 0; f < DIGIT_FRAMES; ++f) {
        IndexedImage img(DIGIT_W, DIGIT_H, KEY);
        const Set& s = sets[f / 10];
        Draw_Text(img, 1, 1, std::string(1, static_cast<char>('0' + f % 10)), Ramp_Index(s.r, s.i));
        // Shade the lower half of each glyph a step darker.
        for (int y = 5; y < DIGIT_H; ++y)
            for (int x = 0; x < DIGIT_W; ++x)
                if (img.At(x, y) != KEY) img.Set(x, y, Darker(img.At(x, y), 1));
        Outline(img, KEY, Outline_Index(), true);
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\SYSTEM\\DIGITS1", frames, DIGIT_HOT_X, DIGIT_HOT_Y, LAYER_DIGITS);
}

// ------------------------------------------------------------------ buttons

void Icon_Pixels(IndexedImage& img, int x, int y, const char* const* rows, int n, uint8_t c, uint8_t d) {
    for (int r = 0; r < n; ++r)
        for (int k = 0; rows[r][k]; ++k) {
            if (rows[r][k] == '#')
                img.Set(x + k, y + r, c);
            else if (rows[r][k] == '+')
                img.Set(x + k, y + r, d);
        }
}

void Draw_Icon(IndexedImage& img, const std::string& what, int w, int h) {
    const uint8_t c = Ramp_Index(Ramp::Gold, 9), d = Ramp_Index(Ramp::Gold, 5);
    auto centred = [&](const char* const* rows, int n) {
        int iw = static_cast<int>(std::string(rows[0]).size());
        Icon_Pixels(img, (w - iw) / 2, (h - n) / 2, rows, n, c, d);
    };
    if (what == "bag") {
        static const char* r[] = {"   ####   ", "  #    #  ", " ######## ", "#++++++++#", "#++####++#", "#++#  #++#",
                                  "#++####++#", "#++++++++#", "#++++++++#", "#++++++++#", "#++++++++#", " ######## "};
        centred(r, 12);
    } else if (what == "book") {
        static const char* r[] = {"###########", "#+++++#+++#", "#+++#+#+++#", "#++###++++#", "#+++#+#+++#",
                                  "#+++++#+++#", "#+++++#+++#", "#+++++#+++#", "#+++++#+++#", "###########"};
        centred(r, 10);
    } else if (what == "helm") {
        static const char* r[] = {"   #####   ", "  #+++++#  ", " #+++++++# ", "#+++++++++#", "#+++###+++#",
                                  "#++#   #++#", "#++#   #++#", "#+#     #+#", " #       # "};
        centred(r, 9);
    } else if (what == "hand") {
        static const char* r[] = {"   # # #   ", "  #+#+#+#  ", "  #+#+#+#  ", "  #+#+#+# #", "  #+#+#+##+",
                                  " ##+++++#+#", "#++++++++# ", "#+++++++#  ", " #+++++#   ", "  #####    "};
        centred(r, 10);
    } else if (what == "all") {
        static const char* r[] = {" ##   ##   ## ", "#++# #++# #++#", "#++# #++# #++#",
                                  " ##   ##   ## ", "####0####0####", "#++# #++# #++#"};
        centred(r, 6);
    } else if (what == "left" || what == "right") {
        static const char* l[] = {"   #    ", "  ##    ", " #+######", "#++++++#", " #+######", "  ##    ", "   #    "};
        static const char* rr[] = {"    #   ",  "    ##  ", "######+# ", "#++++++#",
                                   "######+# ", "    ##  ", "    #   "};
        centred(what == "left" ? l : rr, 7);
    } else if (what == "wait") {
        static const char* r[] = {"#########", " #+++++# ", "  #+++#  ", "   #+#   ", "    #    ",
                                  "   # #   ", "  # + #  ", " # +++ # ", "#########"};
        centred(r, 9);
    } else if (what == "repeat") {
        static const char* r[] = {"  ####   ", " #    #  ", "#      # ", "#     ###",
                                  "#      # ", "#        ", " #    #  ", "  ####   "};
        centred(r, 8);
    } else if (what == "guard") {
        static const char* r[] = {"#########", "#+++#+++#", "#+++#+++#", "#########",
                                  "#+++#+++#", " #++#++# ", "  #+#+#  ", "   ###   "};
        centred(r, 8);
    } else if (what == "up" || what == "down") {
        static const char* u[] = {"    #    ", "   #+#   ", "  #+++#  ", " #+++++# ", "#########"};
        static const char* dn[] = {"#########", " #+++++# ", "  #+++#  ", "   #+#   ", "    #    "};
        centred(what == "up" ? u : dn, 5);
    } else if (what == "plus" || what == "minus") {
        Draw_Text_Centred(img, w / 2, (h - GLYPH_HEIGHT) / 2, what == "plus" ? "+" : "-", c);
    } else if (what == "digits") {
        Draw_Text_Centred(img, w / 2, (h - GLYPH_HEIGHT) / 2, "123", c);
    } else if (what == "shields") {
        static const char* r[] = {"#######", "#+++++#", "#+#+#+#", "#+++++#", " #+#+# ", "  #+#  ", "   #   "};
        centred(r, 7);
    } else if (what == "quit") {
        Draw_Text_Centred(img, w / 2, (h - GLYPH_HEIGHT) / 2, "QUIT", c, 1, Ramp_Index(Ramp::Frame, 0));
    } else if (what == "mode") {
        Draw_Text_Centred(img, w / 2, (h - GLYPH_HEIGHT) / 2, "TURNS", c);
    }
}

BitmapSprite Buttons_Sprite(int n) {
    std::vector<IndexedImage> frames;
    for (int f = 0; f < BUTTON_FRAMES[n]; ++f) frames.push_back(IndexedImage(BUTTON_BOX_W[n], BUTTON_BOX_H[n], KEY));
    for (const ButtonPicture& b : Button_Pictures()) {
        if (b.sprite != n) continue;
        Blit(frames[b.frame], Button_Face(b, false), 0, 0, -1);
        Blit(frames[b.frame + 1], Button_Face(b, true), 0, 0, -1);
    }
    // Frames no button uses show a plain button of the full box.
    for (int f = 0; f < BUTTON_FRAMES[n]; ++f)
        if (Opaque_Box(frames[f], KEY).w == 0)
            Blit(frames[f], Button_Face({n, f & ~1, BUTTON_BOX_W[n], BUTTON_BOX_H[n], "blank"}, (f & 1) != 0), 0, 0,
                 -1);
    return Make_Bitmap("ARTWORK\\SYSTEM\\MAINBUT" + std::to_string(n), frames, 0, 0, 0);
}

// ------------------------------------------------------------------ bars

BitmapSprite Bar_Sprite(const char* path, int frames, int w, int h, int hot_y) {
    std::vector<IndexedImage> out;
    for (int f = 0; f < frames; ++f) {
        IndexedImage img(w, h, KEY);
        int k = frames - f;  // frame n - k shows k of n
        double level = static_cast<double>(k) / frames;
        int inner = h - 2, fill = std::max(1, static_cast<int>(std::lround(level * inner)));
        Ramp r = level > 0.6 ? Ramp::ClothGreen : level > 0.3 ? Ramp::Gold : Ramp::ClothRed;
        Frame_Rect(img, 0, 0, w, h, Outline_Index());
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x) {
                bool full = y >= h - 1 - fill;
                double t = 0.35 + 0.5 * (1 - std::abs(x - (w - 1) / 2.0) / ((w - 1) / 2.0));
                img.Set(
                    x, y,
                    full ? Ramp_At(r, r == Ramp::Gold ? t + 0.2 : t + 0.1) : Ramp_Index(Ramp::Shadow, 2 + (x == 1)));
            }
        out.push_back(img);
    }
    return Make_Bitmap(path, out, 0, hot_y, 0);
}

// ------------------------------------------------------------------ panel pieces

IndexedImage Hand_Picture(bool left) {
    IndexedImage img(MASKGOMB_W, MASKGOMB_H, KEY);
    Painter p(img);
    p.transform = Affine::Translate(16, 26) * Affine::Scale(left ? -1 : 1, 1);
    Shader skin = Dome(Ramp::Skin, {0, 2}, 9, 11, 0.25, 0.95);
    p.Ellipse({0, 4}, 7, 8, skin);
    const double fx[4] = {-5, -1.8, 1.6, 5};
    const double fl[4] = {9, 11, 10.5, 8};
    for (int i = 0; i < 4; ++i) p.Capsule({fx[i], 0}, {fx[i] * 1.15, -fl[i]}, 1.7, skin);
    p.Capsule({-6, 6}, {-11, -1}, 2.0, skin);  // thumb
    Outline(img, KEY, Ramp_Index(Ramp::Skin, 1), false);
    return img;
}

BitmapSprite Maskgomb() {
    // Slot sizes of the hand and quick-slot views, in slot order 59 .. 66.
    const int sw[8] = {32, 32, 16, 16, 16, 16, 16, 16};
    const int sh[8] = {48, 48, 32, 32, 16, 16, 16, 16};
    std::vector<IndexedImage> frames;
    for (int panel = 0; panel < 2; ++panel)
        for (int i = 0; i < 8; ++i) {
            IndexedImage img(MASKGOMB_W, MASKGOMB_H, KEY);
            Blit(img, Slot_Background(sw[i], sh[i]), MASKGOMB_HOT_X - sw[i] / 2, MASKGOMB_HOT_Y - sh[i] / 2, -1);
            frames.push_back(img);
        }
    frames.push_back(Hand_Picture(false));  // 16: the right hand (slot 60)
    frames.push_back(Hand_Picture(true));   // 17: the left hand (slot 59)
    return Make_Bitmap("ARTWORK\\SYSTEM\\MASKGOMB", frames, MASKGOMB_HOT_X, MASKGOMB_HOT_Y, 0);
}

// A portrait frame: a dark recess with a gold border and a faint bust.
void Portrait_Recess(IndexedImage& img, int x0, int y0, int x1, int y1) {
    Fill_Rect(img, x0, y0, x1, y1, Ramp_Index(Ramp::Frame, 1));
    for (int y = y0 + 2; y < y1 - 2; ++y)
        for (int x = x0 + 2; x < x1 - 2; ++x)
            img.Set(x, y, Dithered(Ramp::Shadow, 0.9 - 0.6 * (y - y0) / (y1 - y0), x, y));
    Painter p(img);
    double cx = (x0 + x1) / 2.0, w = x1 - x0, h = y1 - y0;
    p.Ellipse({cx, y0 + h * 0.42}, w * 0.18, h * 0.2, Flat(Ramp_Index(Ramp::Shadow, 3)));
    p.Ellipse({cx, y1 - 2 + h * 0.08}, w * 0.34, h * 0.28, Flat(Ramp_Index(Ramp::Shadow, 3)));
    Fill_Rect(img, x0, y1 - 2, x1, y1, Ramp_Index(Ramp::Frame, 1));
    Bevel(img, x0, y0, x1, y1, 1, Ramp_Index(Ramp::Gold, 8), Ramp_Index(Ramp::Gold, 3));
    Bevel(img, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 1, Ramp_Index(Ramp::Gold, 4), Ramp_Index(Ramp::Gold, 6));
}

BitmapSprite Maskabl() {
    std::vector<IndexedImage> frames;
    const int hx = MASKABL_HOT_X, hy = MASKABL_HOT_Y;
    for (int i = 0; i < 6; ++i) {  // strip portraits: (x - 2, y - 43) .. (x + 33, y + 2)
        IndexedImage img(MASKABL_W, MASKABL_H, KEY);
        Portrait_Recess(img, hx - 2, hy - 43, hx + 33, hy + 2);
        frames.push_back(img);
    }
    for (int i = 0; i < 2; ++i) {  // big portraits: (x - 4, y - 82) .. (x + 67, y + 2)
        IndexedImage img(MASKABL_W, MASKABL_H, KEY);
        Portrait_Recess(img, hx - 4, hy - 82, hx + 67, hy + 2);
        frames.push_back(img);
    }
    // Field view: (x, y - 91) .. (x + 54, y), a small lit stage for one field.
    IndexedImage img(MASKABL_W, MASKABL_H, KEY);
    int x0 = hx, y0 = hy - 91, x1 = hx + 54, y1 = hy;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            double dx = (x - (x0 + x1) / 2.0) / 30.0, dy = (y - (y1 - 12)) / 70.0;
            img.Set(x, y, Dithered(Ramp::Shadow, 1.0 - std::sqrt(dx * dx + dy * dy) * 0.9, x, y));
        }
    Bevel(img, x0, y0, x1, y1, 1, Ramp_Index(Ramp::Gold, 3), Ramp_Index(Ramp::Gold, 7));
    frames.push_back(img);
    return Make_Bitmap("ARTWORK\\SYSTEM\\MASKABL", frames, hx, hy, 0);
}

// Viewport ornaments: opaque only where the map view keeps a copy of the
// picture beneath them.
BitmapSprite Belog1() {
    std::vector<IndexedImage> frames;
    for (int mirror = 0; mirror < 2; ++mirror) {
        IndexedImage img(BELOG1_W, BELOG1_H, KEY);
        auto X = [mirror](int x) { return mirror ? BELOG1_W - 1 - x : x; };
        IndexedImage tmp(BELOG1_W, BELOG1_H, KEY);
        // Corner bracket 25 x 19 with a gem, a bar 5 wide down to row 76, a clasp at rows 181..199.
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 25; ++x) {
                bool arm = y < 5 || x < 5 || (x + y < 22);
                if (!arm) continue;
                double t = 0.45 + (x + y < 6 ? 0.3 : 0) + (Noise01(x, y, 1810) - 0.5) * 0.1;
                if (y == 0 || x == 0) t += 0.3;
                if ((x + y == 21) || (y == 4 && x >= 18) || (x == 4 && y >= 18)) t -= 0.35;
                tmp.Set(x, y, Dithered(Ramp::Gold, t, x, y));
            }
        Painter p(tmp);
        p.Ellipse({6.5, 6.5}, 3.2, 3.2, Dome(Ramp::ClothRed, {6.5, 6.5}, 3.2, 3.2, 0.3, 1.0));
        for (int y = 19; y < 76; ++y)
            for (int x = 0; x < 5; ++x) {
                double t = 0.5 + (x == 0 ? 0.3 : x == 4 ? -0.3 : 0) - (y - 19) / 140.0;
                if ((y - 19) % 14 == 13) t -= 0.3;
                tmp.Set(x, y, Dithered(Ramp::Gold, t, x, y));
            }
        for (int y = 181; y < 200; ++y)
            for (int x = 0; x < 4; ++x) {
                double t = 0.55 + (x == 0 ? 0.3 : x == 3 ? -0.3 : 0) + (y == 181 ? 0.3 : y == 199 ? -0.3 : 0);
                tmp.Set(x, y, Dithered(Ramp::Gold, t, x, y));
            }
        for (int y = 0; y < BELOG1_H; ++y)
            for (int x = 0; x < BELOG1_W; ++x)
                if (tmp.At(x, y) != KEY) img.Set(X(x), y, tmp.At(x, y));
        frames.push_back(img);
    }
    // Frames 2 and 3: slim pillars on the inner side of the big portraits
    // (frame 2 drawn at (555, 9) beside the right portrait, frame 3 at (61, 9)).
    for (int which = 0; which < 2; ++which) {
        IndexedImage img(BELOG1_W, BELOG1_H, KEY);
        int x0 = which == 0 ? 10 : 9;
        for (int y = 0; y < 84; ++y)
            for (int x = x0; x < x0 + 4; ++x) {
                double t = 0.5 + (x == x0 ? 0.3 : x == x0 + 3 ? -0.3 : 0) + 0.1 * std::sin(y * 0.5);
                if (y % 21 == 0) t += 0.25;
                img.Set(x, y, Dithered(Ramp::Gold, t, x, y));
            }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\SYSTEM\\BELOG1", frames, 0, 0, 0);
}

BitmapSprite Belog2() {
    IndexedImage img(BELOG2_W, BELOG2_H, KEY);
    for (int y = 0; y < BELOG2_H; ++y)
        for (int x = 0; x < BELOG2_W; ++x) {
            bool plaque = x >= 76 && x <= 122;
            if (!plaque && y > 8) continue;
            double t = 0.5 + (Noise01(x, y, 1820) - 0.5) * 0.08;
            if (!plaque) {
                int edge = x < 76 ? 8 - x / 10 : 8 - (198 - x) / 10;  // wings taper toward their ends
                if (y > std::max(3, edge)) continue;
                if (y == 0) t += 0.3;
                if (y == std::max(3, edge)) t -= 0.35;
                if (x % 19 == 9 && y == 2) t = 0.95;  // rivets
            } else {
                int px = x - 76;
                if (y == 0 || px == 0) t += 0.3;
                if (y == 18 || px == 46) t -= 0.35;
            }
            img.Set(x, y, Dithered(Ramp::Gold, t, x, y));
        }
    Painter p(img);
    p.Ellipse({99.5, 9}, 6.5, 5.5, Flat(Ramp_Index(Ramp::Gold, 2)));
    p.Ellipse({99.5, 9}, 5, 4.2, Dome(Ramp::Water, {99.5, 9}, 5, 4.2, 0.3, 1.0));
    return Make_Bitmap("ARTWORK\\SYSTEM\\BELOG2", {img}, 0, 0, 0);
}

// ------------------------------------------------------------------ animations

BitmapSprite Blood_Anim() {
    std::vector<IndexedImage> frames;
    Rng rng(1900);
    struct Drop {
        double dx, dy, speed;
    };
    std::vector<Drop> drops;
    for (int i = 0; i < 16; ++i) {
        double a = rng.Range(0, 2 * M_PI);
        drops.push_back({std::cos(a), std::sin(a) * 0.7 - 0.3, rng.Range(2.5, 4.5)});
    }
    for (int f = 0; f < 6; ++f) {
        IndexedImage img(36, 32, KEY);
        Painter p(img);
        double t = f + 1;
        if (f < 3) p.Ellipse({18, 16}, 3 + f * 1.5, 2.5 + f * 1.2, Dome(Ramp::Blood, {18, 16}, 6, 5, 0.3, 1.0));
        for (const Drop& d : drops) {
            double x = 18 + d.dx * d.speed * t, y = 16 + d.dy * d.speed * t + 0.35 * t * t;
            double r = std::max(0.6, 1.6 - f * 0.2);
            p.Ellipse({x, y}, r, r, Flat(Ramp_Index(Ramp::Blood, f < 3 ? 5 : 3)));
        }
        Outline(img, KEY, Ramp_Index(Ramp::Blood, 0), false);
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\ANIM\\BLOOD", frames, 18, 40, LAYER_ANIM);
}

BitmapSprite Spell_Anim() {
    std::vector<IndexedImage> frames;
    const int n = 8, w = 42, h = 64;
    for (int f = 0; f < n; ++f) {
        IndexedImage img(w, h, KEY);
        double k = static_cast<double>(f) / (n - 1);
        double grow = std::sin(k * M_PI);
        // A column of light.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double dx = (x - 21) / (4 + 8 * grow), v = (h - 1 - y) / static_cast<double>(h);
                double d = 1 - dx * dx - v * v * 0.8;
                if (d * grow > 0.25 + Bayer(x, y) * 0.5) img.Set(x, y, Dithered(Ramp::Magic, 0.4 + d * 0.6, x, y));
            }
        // Stars spiralling up.
        for (int i = 0; i < 10; ++i) {
            double a = i * 2.4 + k * 5, r = 6 + 10 * (i % 3) / 2.0 * grow;
            int x = static_cast<int>(21 + std::cos(a) * r),
                y = static_cast<int>(h - 8 - (k * 40 + i * 4) + std::sin(a) * 3);
            uint8_t c = Ramp_Index(Ramp::Magic, 7), d = Ramp_Index(Ramp::Ice, 5);
            img.Set(x, y, c);
            img.Set(x - 1, y, d), img.Set(x + 1, y, d), img.Set(x, y - 1, d), img.Set(x, y + 1, d);
        }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\ANIM\\VARAZSA", frames, 21, h - 8, LAYER_ANIM);
}

BitmapSprite Blade_Anim() {
    std::vector<IndexedImage> frames;
    for (int f = 0; f < 5; ++f) {
        IndexedImage img(40, 36, KEY);
        double a0 = -2.4 + f * 0.75, a1 = a0 + 1.3;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                double dx = x - 20, dy = (y - 18) * 1.4;
                double r = std::sqrt(dx * dx + dy * dy), a = std::atan2(dy, dx);
                if (a < a0 || a > a1 || r < 10 || r > 17) continue;
                double t = (a - a0) / (a1 - a0);
                double edge = 1 - std::abs(r - 14.5) / 3.5;
                if (edge * t < 0.1 + Bayer(x, y) * 0.3) continue;
                img.Set(x, y, Dithered(Ramp::Ice, 0.3 + 0.7 * t * edge, x, y));
            }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\ANIM\\PENGEKIS", frames, 20, 46, LAYER_ANIM);
}

// Flames over a field, `count` tongues spread over the floor shape.
IndexedImage Flames(int w, int h, int ground_y, int frame, int count, double height) {
    IndexedImage img(w, h, KEY);
    Rng rng(1950);
    struct Tongue {
        double x, y, hgt, phase;
    };
    std::vector<Tongue> t;
    for (int i = 0; i < count; ++i)
        t.push_back({rng.Range(8, w - 8), rng.Range(-9, 4), rng.Range(0.6, 1.0), rng.Unit()});
    std::sort(t.begin(), t.end(), [](const Tongue& a, const Tongue& b) { return a.y < b.y; });
    for (const Tongue& g : t) {
        double flick = 0.75 + 0.25 * std::sin((frame / 8.0 + g.phase) * 2 * M_PI);
        Draw_Flame(img, {g.x, ground_y + g.y}, height * g.hgt * flick, 9, frame * 7 + static_cast<int>(g.phase * 100));
    }
    return img;
}

BitmapSprite Fire_Anim() {
    std::vector<IndexedImage> frames;
    for (int f = 0; f < 8; ++f) frames.push_back(Flames(42, 50, 42, f, 6, 26));
    return Make_Bitmap("ARTWORK\\ANIM\\TUZANIM", frames, 21, 42 - 4, LAYER_ANIM);
}

BitmapSprite Fire_Wall() {
    std::vector<IndexedImage> frames;
    for (int f = 0; f < 8; ++f) frames.push_back(Flames(42, 56, 42, f, 9, 34));
    return Make_Bitmap("ARTWORK\\ANIM\\TUZFAL", frames, 21, 42 - 4 + 4, LAYER_FLAMES);
}

BitmapSprite Blood_Pool() {
    std::vector<IndexedImage> frames;
    for (int f = 0; f < 7; ++f) {
        IndexedImage img(FLOOR_WIDTH, FLOOR_HEIGHT, KEY);
        double r = 4 + f * 1.8;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                double dx = (x + 0.5 - 21) / r, dy = (y + 0.5 - 15) / (r * 0.6);
                double d = dx * dx + dy * dy + (Value_Noise(x, y, 3, 1960) - 0.5) * 0.8;
                if (d < 1 && In_Floor(x, y))
                    img.Set(x, y, Dithered(Ramp::Blood, 0.15 + 0.55 * (1 - d) + (d < 0.2 ? 0.2 : 0), x, y));
            }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\ANIM\\BLPOOL", frames, FLOOR_HOT_X, FLOOR_HOT_Y, LAYER_BLOOD_POOL);
}

BitmapSprite Gas_Cloud() {
    std::vector<IndexedImage> frames;
    for (int f = 0; f < 8; ++f) {
        IndexedImage img(46, 46, KEY);
        for (int i = 0; i < 5; ++i) {
            double a = i * 1.26 + f * 2 * M_PI / 8;
            Vec2 c{23 + std::cos(a) * 9, 28 + std::sin(a) * 4 - i * 3.0};
            Draw_Cloud(img, c, 10, 8, Ramp::Gas, 0.75, i * 13 + f);
        }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\ANIM\\GAS", frames, 23, 34, LAYER_GAS);
}

}  // namespace

const std::vector<ButtonPicture>& Button_Pictures() {
    static const std::vector<ButtonPicture> b = {
        {1, 0, 30, 30, "bag"},    {1, 2, 30, 30, "book"},  {1, 4, 30, 30, "helm"},    {1, 6, 30, 30, "hand"},
        {2, 0, 36, 22, "all"},    {2, 8, 31, 22, "left"},  {2, 10, 31, 22, "right"},  {3, 0, 20, 31, "wait"},
        {3, 2, 20, 31, "repeat"}, {3, 4, 20, 31, "guard"}, {3, 6, 21, 15, "down"},    {3, 8, 21, 15, "up"},
        {3, 10, 21, 15, "minus"}, {3, 12, 21, 15, "plus"}, {3, 16, 26, 24, "digits"}, {3, 18, 26, 24, "shields"},
        {4, 2, 62, 22, "quit"},   {4, 4, 51, 12, "mode"},
    };
    return b;
}

IndexedImage Button_Face(const ButtonPicture& b, bool pressed) {
    IndexedImage img(b.w, b.h, KEY);
    for (int y = 0; y < b.h; ++y)
        for (int x = 0; x < b.w; ++x) {
            double t = (pressed ? 0.35 : 0.55) - 0.25 * y / b.h + (Noise01(x, y, 1830) - 0.5) * 0.08;
            img.Set(x, y, Dithered(Ramp::Frame, t, x, y));
        }
    Frame_Rect(img, 0, 0, b.w, b.h, Outline_Index());
    if (pressed)
        Bevel(img, 1, 1, b.w - 1, b.h - 1, 1, Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Frame, 3));
    else
        Bevel(img, 1, 1, b.w - 1, b.h - 1, 1, Ramp_Index(Ramp::Frame, 5), Ramp_Index(Ramp::Frame, 1));
    IndexedImage icon(b.w, b.h, KEY);
    Draw_Icon(icon, b.what, b.w, b.h);
    Outline(icon, KEY, Ramp_Index(Ramp::Frame, 0), false);
    for (int y = 2; y < b.h - 2; ++y)
        for (int x = 2; x < b.w - 2; ++x) {
            int sx = pressed ? x - 1 : x, sy = pressed ? y - 1 : y;
            if (!icon.Inside(sx, sy) || icon.At(sx, sy) == KEY) continue;
            uint8_t v = icon.At(sx, sy);
            img.Set(x, y, pressed ? Darker(v, 2) : v);
        }
    return img;
}

IndexedImage Slot_Background(int w, int h) {
    IndexedImage img(w, h, KEY);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Set(x, y, Dithered(Ramp::Frame, 0.12 + 0.18 * y / h, x, y));
    Bevel(img, 0, 0, w, h, 1, Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Parchment, 9));
    return img;
}

std::vector<BitmapSprite> System_Bitmaps() {
    std::vector<BitmapSprite> out;
    std::vector<IndexedImage> arrows = {Target_Marker()};
    for (int d = 1; d <= 6; ++d) arrows.push_back(Arrow(d));
    out.push_back(Make_Bitmap("ARTWORK\\SYSTEM\\ARROWS", arrows, FLOOR_HOT_X, FLOOR_HOT_Y, LAYER_ARROWS));
    IndexedImage back = Field_Border(Half::Back, 2, Ramp::ClothRed, 9);
    IndexedImage area = Field_Border(Half::Both, 1, Ramp::ClothRed, 8);
    for (int y = 0; y < FLOOR_HEIGHT; ++y)
        for (int x = 0; x < FLOOR_WIDTH; ++x)
            if (In_Floor(x, y) && area.At(x, y) == KEY && ((x + y) % 2 == 0))
                area.Set(x, y, Ramp_Index(Ramp::ClothRed, 5));
    out.push_back(Make_Bitmap("ARTWORK\\SYSTEM\\TRGTBACK", {back, area}, FLOOR_HOT_X, FLOOR_HOT_Y, LAYER_TARGET_BACK));
    out.push_back(Digits());
    for (int n = 1; n <= 4; ++n) out.push_back(Buttons_Sprite(n));
    out.push_back(Blood_Anim());
    out.push_back(Spell_Anim());
    out.push_back(Blade_Anim());
    out.push_back(Fire_Anim());
    out.push_back(Blood_Pool());
    out.push_back(Fire_Wall());
    out.push_back(Gas_Cloud());
    out.push_back(Bar_Sprite("ARTWORK\\SYSTEM\\PAJZSK", PAJZSK_FRAMES, PAJZSK_W, PAJZSK_H, PAJZSK_HOT_Y));
    out.push_back(Bar_Sprite("ARTWORK\\SYSTEM\\PAJZSN", PAJZN_FRAMES, PAJZN_W, PAJZN_H, PAJZN_HOT_Y));
    out.push_back(Maskgomb());
    out.push_back(Maskabl());
    out.push_back(Belog1());
    out.push_back(Belog2());
    return out;
}

std::vector<CursorPicture> Cursor_Pictures() {
    IndexedImage sword(32, 32, KEY);
    {
        Painter p(sword);
        p.transform = Affine::Translate(2, 2) * Affine::Rotate(-M_PI / 4);
        p.Polygon({{0, 0}, {3, 4}, {3, 26}, {-3, 26}, {-3, 4}}, Cylinder(Ramp::Metal, 0, 3, 0.3, 1.0));
        p.Capsule({-7, 27}, {7, 27}, 1.8, Cylinder(Ramp::Gold, 0, 7, 0.3, 1.0));
        p.Rect(-1.5, 28, 1.5, 35, Flat(Ramp_Index(Ramp::Leather, 4)));
        p.Ellipse({0, 37}, 2.5, 2.5, Dome(Ramp::Gold, {0, 37}, 2.5, 2.5, 0.3, 1.0));
        Outline(sword, KEY, Outline_Index(), false);
    }
    IndexedImage shield(32, 32, KEY);
    {
        Painter p(shield);
        p.Polygon({{4, 3}, {28, 3}, {28, 15}, {16, 29}, {4, 15}}, Linear(Ramp::Metal, {4, 3}, 1.0, {28, 29}, 0.3));
        p.Polygon({{7, 6}, {25, 6}, {25, 15}, {16, 26}, {7, 15}}, Linear(Ramp::ClothBlue, {7, 6}, 0.9, {25, 26}, 0.3));
        p.Rect(14.5, 6, 17.5, 25, Flat(Ramp_Index(Ramp::Gold, 8)));
        Outline(shield, KEY, Outline_Index(), false);
    }
    return {{"CURSOR\\SWORD.CUR", sword, 1, 1}, {"CURSOR\\SHIELD.CUR", shield, 16, 16}};
}

std::vector<DysSprite> System_Dys() {
    std::vector<DysSprite> out;
    out.push_back(Mark_Sprite("ARTWORK\\SYSTEM\\CURFORE2", {Field_Border(Half::Front, 1, Ramp::Gold, 6)}));
    out.push_back(Mark_Sprite("ARTWORK\\SYSTEM\\CURBACK2", {Field_Border(Half::Both, 1, Ramp::Grey, 9)}));
    out.push_back(Mark_Sprite("ARTWORK\\SYSTEM\\CURFORE", {Field_Border(Half::Front, 2, Ramp::Gold, 9)}));
    out.push_back(Mark_Sprite("ARTWORK\\SYSTEM\\CURBACK", {Field_Border(Half::Back, 2, Ramp::Gold, 8)}));
    IndexedImage front = Field_Border(Half::Front, 2, Ramp::ClothRed, 9);
    out.push_back(Mark_Sprite("ARTWORK\\SYSTEM\\TRGTFORE", {Target_Cross(front, false), Target_Cross(front, true)}));
    return out;
}

}  // namespace art
