#include "tools/artgen/Pages.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/Drawing.h"
#include "tools/artgen/Effects.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Heads.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Noise.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/SystemSprites.h"
#include "tools/artgen/Terrain.h"

namespace art {
namespace {

using Rect = PageRect;
// A control row's rectangle (right and bottom inclusive) as a Rect.
Rect Inclusive(int l, int t, int r, int b) { return {l, t, r + 1, b + 1}; }

// ------------------------------------------------------------------ materials

void Wood(IndexedImage& img, Rect r, double base = 0.45) {
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            double grain = Value_Noise(x * 0.15, y * 1.0 + 8 * Value_Noise(x, y, 40, 2201), 3, 2200);
            double t = base + (grain - 0.5) * 0.35 + (Noise01(x, y, 2202) - 0.5) * 0.06;
            img.Set(x, y, Dithered(Ramp::Frame, t, x, y));
        }
}

// Parchment around the UI background colour, so that areas the game fills
// with that colour blend in.
void Parchment(IndexedImage& img, Rect r, bool plain = false) {
    uint8_t bg = Ui_Background();
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            double n = Fractal_Noise(x, y, 24, 2210);
            uint8_t c = bg;
            if (!plain) {
                if (n > 0.68)
                    c = Lighter(bg, 1);
                else if (n < 0.3 && Noise01(x, y, 2211) > 0.5)
                    c = Darker(bg, 1);
            }
            img.Set(x, y, c);
        }
}

void Dark_Inset(IndexedImage& img, Rect r) {
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            img.Set(x, y, Dithered(Ramp::Frame, 0.08 + 0.08 * (y - r.y0) / std::max(1, r.y1 - r.y0), x, y));
    Bevel(img, r.x0 - 1, r.y0 - 1, r.x1 + 1, r.y1 + 1, 1, Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Frame, 4));
}

void Raised_Gold(IndexedImage& img, Rect r, int w = 2) {
    Bevel(img, r.x0, r.y0, r.x1, r.y1, w, Ramp_Index(Ramp::Gold, 8), Ramp_Index(Ramp::Gold, 2));
}

void Caption(IndexedImage& img, int x, int y, const std::string& s, int scale = 1) {
    Draw_Text(img, x, y, s, Ramp_Index(Ramp::Gold, 8), scale, Ramp_Index(Ramp::Frame, 0));
}
void Caption_Centred(IndexedImage& img, int cx, int y, const std::string& s, int scale = 1) {
    Draw_Text_Centred(img, cx, y, s, Ramp_Index(Ramp::Gold, 8), scale, Ramp_Index(Ramp::Frame, 0));
}
void Caption_Right(IndexedImage& img, int right, int y, const std::string& s) {
    Caption(img, right - Text_Width(s), y, s);
}

void Put(IndexedImage& img, const BitmapSprite& s, int frame, int x, int y) {
    Blit(img, s.Frame(frame), x - s.hot_x, y - s.hot_y, KEY);
}

const BitmapSprite& Find(const std::vector<BitmapSprite>& all, const std::string& path) {
    for (const BitmapSprite& s : all)
        if (s.path == path) return s;
    static const BitmapSprite none;
    return none;
}

// A small square button drawn into a page (a control row without a picture).
void Page_Button(IndexedImage& img, Rect r, const char* icon) {
    IndexedImage face = Button_Face({0, 0, r.x1 - r.x0, r.y1 - r.y0, icon}, false);
    Blit(img, face, r.x0, r.y0, KEY);
}

// A map picture for a "back to map" button: a tiny hexagon.
void Map_Icon(IndexedImage& img, Rect r) {
    Page_Button(img, r, "blank");
    int cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
    uint8_t c = Ramp_Index(Ramp::Gold, 9), d = Ramp_Index(Ramp::Grass, 8);
    static const char* hex[] = {"   ###   ", " ##+++## ", "#+++++++#", "#+++++++#",
                                "#+++++++#", " ##+++## ", "   ###   "};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; hex[y][x]; ++x) {
            if (hex[y][x] == '#') img.Set(cx - 4 + x, cy - 3 + y, c);
            if (hex[y][x] == '+') img.Set(cx - 4 + x, cy - 3 + y, d);
        }
}

// ------------------------------------------------------------------ title

IndexedImage Title() {
    IndexedImage img(SCREEN_W, SCREEN_H, KEY);
    // Sky.
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            double t = y / 300.0;
            img.Set(x, y, t < 1 ? Dithered(Ramp::Sky, 0.2 + t * 0.9, x, y) : Ramp_Index(Ramp::Sky, 3));
        }
    Painter p(img);
    // Sun and clouds.
    p.Ellipse({500, 90}, 34, 34, Dome(Ramp::Gold, {500, 90}, 34, 34, 0.7, 1.0));
    for (int i = 0; i < 6; ++i) Draw_Cloud(img, {80.0 + i * 110, 60.0 + (i % 3) * 22}, 60, 14, Ramp::Grey, 0.7, 30 + i);
    // Mountains.
    for (int layer = 0; layer < 2; ++layer)
        for (int x = 0; x < SCREEN_W; ++x) {
            double hgt = 150 + 60 * Fractal_Noise(x, layer * 100, 90, 2300 + layer) + 40 * std::sin(x / 70.0 + layer);
            int top = static_cast<int>(310 - hgt + layer * 60);
            for (int y = top; y < 330; ++y) {
                double t = 0.5 - layer * 0.15 + (x % 97 < 48 ? 0.1 : -0.05) - (y - top) / 500.0;
                if (layer == 0 && y - top < 10 && hgt > 175) t = 0.9;  // snow caps
                img.Set(x, y, Dithered(Ramp::Stone, t, x, y));
            }
        }
    // A castle on the ridge.
    auto tower = [&](int x0, int w, int top) {
        p.Rect(x0, top, x0 + w, 330,
               Linear(Ramp::Stone, {static_cast<double>(x0), 0}, 0.7, {static_cast<double>(x0 + w), 0}, 0.3));
        for (int k = x0; k < x0 + w; k += 6) p.Rect(k, top - 5, k + 3, top, Flat(Ramp_Index(Ramp::Stone, 5)));
        p.Rect(x0 + w / 2 - 2, top + 14, x0 + w / 2 + 2, top + 24, Flat(Ramp_Index(Ramp::Gold, 8)));
    };
    tower(392, 26, 200);
    tower(470, 30, 186);
    p.Rect(410, 230, 480, 330, Linear(Ramp::Stone, {410, 0}, 0.6, {480, 0}, 0.35));
    for (int k = 410; k < 480; k += 7) p.Rect(k, 225, k + 4, 230, Flat(Ramp_Index(Ramp::Stone, 4)));
    p.Polygon({{440, 330}, {440, 296}, {447, 288}, {454, 296}, {454, 330}}, Flat(Ramp_Index(Ramp::Shadow, 1)));
    // Hexagon fields in the foreground.
    const BitmapSprite grass = Level_Floor_Sprite("GRASS");
    for (int r = 0; r < 9; ++r)
        for (int c = -2; c < 16; ++c) {
            int x = c * 42 + (r % 2) * 21 + 10, y = 318 + r * 21;
            Blit(img, grass.Frame((r + c + 8) % FLOOR_VARIANTS), x - grass.hot_x, y - grass.hot_y, KEY);
        }
    // Heroes.
    const int bodies[3] = {0, 3, 2};
    const int xs[3] = {170, 96, 250};
    for (int i = 0; i < 3; ++i) {
        IndexedImage fig = Body_Picture(bodies[i], 3, i == 0 ? 12 : 0, 2.6);
        Blit(img, fig, xs[i] - fig.width / 2, 440 - fig.height, KEY);
    }
    IndexedImage wolf = Body_Picture(8, 4, 13, 2.4);
    Blit(img, wolf, 520 - wolf.width / 2, 452 - wolf.height, KEY);
    // The name.
    const std::string name = "ORVEX";
    int scale = 11, w = Text_Width(name, scale), x0 = (SCREEN_W - w) / 2, y0 = 108;
    IndexedImage letters(SCREEN_W, SCREEN_H, KEY);
    Draw_Text(letters, x0, y0, name, 1, scale);
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            if (letters.At(x, y) == KEY) continue;
            int ly = (y - y0) % scale, lx = (x - x0) % scale;
            double t = 0.95 - (y - y0) / (7.0 * scale) * 0.6;
            if (ly == 0 || lx == 0) t += 0.15;
            if (ly == scale - 1 || lx == scale - 1) t -= 0.3;
            img.Set(x, y, Dithered(Ramp::Gold, t, x, y));
            for (int k = 1; k <= 4; ++k)
                if (img.Inside(x + k, y + k) && letters.At(x + k, y + k) == KEY)
                    img.Set(x + k, y + k, Ramp_Index(Ramp::Frame, 0));
        }
    Draw_Text_Centred(img, SCREEN_W / 2, y0 + 7 * scale + 14, "DIVURUZ", Ramp_Index(Ramp::Bone, 7), 3,
                      Ramp_Index(Ramp::Frame, 0));
    return img;
}

// ------------------------------------------------------------------ hexamap panel

IndexedImage Textbox() {
    IndexedImage img(TEXT_BOX_W, TEXT_BOX_H, KEY);
    Parchment(img, {0, 0, TEXT_BOX_W, TEXT_BOX_H}, true);
    for (int y = 0; y < TEXT_BOX_H; ++y) {
        img.Set(3, y, Ramp_Index(Ramp::Parchment, 5));
        img.Set(TEXT_BOX_W - 4, y, Ramp_Index(Ramp::Parchment, 5));
    }
    return img;
}

void Slot_At(IndexedImage& img, int x, int y, int w, int h) {
    Blit(img, Slot_Background(w, h), x - w / 2, y - h / 2, KEY);
}

IndexedImage Hexamap_Panel(const std::vector<BitmapSprite>& sys) {
    IndexedImage img(SCREEN_W, SCREEN_H, KEY);
    Wood(img, {0, 0, SCREEN_W, SCREEN_H});
    // The map view and its frame.
    Rect view{90, 12, 549, 371};
    Fill_Rect(img, view.x0, view.y0, view.x1, view.y1, Ramp_Index(Ramp::Shadow, 0));
    Raised_Gold(img, {view.x0 - 3, view.y0 - 3, view.x1 + 3, view.y1 + 3}, 2);
    Bevel(img, view.x0 - 1, view.y0 - 1, view.x1 + 1, view.y1 + 1, 1, Ramp_Index(Ramp::Frame, 0),
          Ramp_Index(Ramp::Frame, 0));
    Put(img, Find(sys, "ARTWORK\\SYSTEM\\BELOG2"), 0, 218, 12);
    Put(img, Find(sys, "ARTWORK\\SYSTEM\\BELOG1"), 0, 90, 12);
    Put(img, Find(sys, "ARTWORK\\SYSTEM\\BELOG1"), 1, 523, 12);
    // Big portraits and their panels.
    const BitmapSprite& maskabl = Find(sys, "ARTWORK\\SYSTEM\\MASKABL");
    Put(img, maskabl, 6, 6, 91);
    Put(img, maskabl, 7, 569, 91);
    Put(img, Find(sys, "ARTWORK\\SYSTEM\\BELOG1"), 3, 61, 9);
    Put(img, Find(sys, "ARTWORK\\SYSTEM\\BELOG1"), 2, 555, 9);
    // Hands and quick slots (slots 59..66).
    const int lx[8] = {62, 24, 70, 16, 52, 34, 52, 34}, rx[8] = {613, 575, 621, 567, 603, 585, 603, 585};
    const int sy[8] = {125, 125, 172, 172, 163, 163, 181, 181};
    const int sw[8] = {32, 32, 16, 16, 16, 16, 16, 16}, sh[8] = {48, 48, 32, 32, 16, 16, 16, 16};
    Dark_Inset(img, {6, 99, 81, 192});
    Dark_Inset(img, {556, 99, 631, 192});
    for (int i = 0; i < 8; ++i) {
        Slot_At(img, lx[i], sy[i], sw[i], sh[i]);
        Slot_At(img, rx[i], sy[i], sw[i], sh[i]);
    }
    // Field view.
    Put(img, maskabl, 8, 567, 310);
    Raised_Gold(img, {565, 217, 623, 312}, 1);
    Caption(img, 565, 311, "LVL");
    Caption(img, 586, 311, "SPD");
    Caption_Centred(img, 43, 304, "ORDERS");
    Caption_Centred(img, 43, 199, "ITEMS");
    // Portrait strip.
    Dark_Inset(img, {30, 381, 259, 430});
    for (int i = 0; i < 6; ++i) Put(img, maskabl, i, 45 + 38 * i, 426);
    // Message line.
    Dark_Inset(img, {34, 458, 278, 475});
    // Message log: parchment with its two scroll bars.
    Rect log{281, 397, 604, 463};
    Parchment(img, {278, 384, 606, 475}, true);
    Raised_Gold(img, {276, 382, 608, 477}, 2);
    for (int bar = 0; bar < 2; ++bar) {
        int top = bar == 0 ? 386 : 463;
        Fill_Rect(img, 280, top, 604, top + (bar == 0 ? 11 : 10), Ramp_Index(Ramp::Parchment, 6));
        Bevel(img, 280, top, 604, top + (bar == 0 ? 11 : 10), 1, Ramp_Index(Ramp::Parchment, 10),
              Ramp_Index(Ramp::Parchment, 3));
        for (int k = 0; k < 5; ++k)
            for (int a = -k; a <= k; ++a) {
                int y = bar == 0 ? top + 3 + k : top + 7 - k;
                img.Set(525 + a, y, Ramp_Index(Ramp::Frame, 1));
            }
    }
    Parchment(img, log, true);
    // Buttons: the up picture of every row that has one.
    const BitmapSprite* buttons[5] = {nullptr, &Find(sys, "ARTWORK\\SYSTEM\\MAINBUT1"),
                                      &Find(sys, "ARTWORK\\SYSTEM\\MAINBUT2"), &Find(sys, "ARTWORK\\SYSTEM\\MAINBUT3"),
                                      &Find(sys, "ARTWORK\\SYSTEM\\MAINBUT4")};
    struct Row {
        int x, y, sprite, frame;
    };
    const Row rows[] = {{13, 215, 1, 0},   {45, 215, 1, 2},   {563, 351, 4, 2},  {291, 371, 4, 4},  {563, 319, 3, 8},
                        {563, 335, 3, 6},  {584, 319, 3, 12}, {584, 335, 3, 10}, {13, 320, 3, 2},   {34, 320, 3, 0},
                        {55, 320, 3, 4},   {45, 250, 1, 6},   {44, 431, 2, 8},   {238, 431, 2, 10}, {82, 431, 2, 0},
                        {421, 371, 3, 18}, {397, 371, 3, 16}};
    for (const Row& r : rows) Blit(img, buttons[r.sprite]->Frame(r.frame), r.x, r.y, KEY);
    // Corner rivets on the wood.
    for (int x : {4, 84, 553, 634})
        for (int y : {4, 200, 376, 474}) {
            Painter p(img);
            p.Ellipse({x + 0.5, y + 0.5}, 2.2, 2.2, Dome(Ramp::Gold, {x + 0.5, y + 0.5}, 2.2, 2.2, 0.2, 1.0));
        }
    return img;
}

// ------------------------------------------------------------------ inventory

int Slot_Border(const Rect& r) {
    const int h = r.y1 - r.y0;
    return h >= 71 ? 7 : h >= 61 ? 5 : 4;
}

void Body_Slot(IndexedImage& img, Rect r) {
    const int border = Slot_Border(r);
    Fill_Rect(img, r.x0, r.y0, r.x1, r.y1, Ramp_Index(Ramp::Frame, 1));
    Raised_Gold(img, r, 1);
    Bevel(img, r.x0 + border - 1, r.y0 + border - 1, r.x1 - border + 1, r.y1 - border + 1, 1,
          Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Parchment, 10));
    Parchment(img, {r.x0 + border, r.y0 + border, r.x1 - border, r.y1 - border}, true);
}

}  // namespace

std::vector<SlotLabel> Inventory_Slot_Labels() {
    struct S {
        int l, t, r, b;
        const char* word;
        int dx;  // a word on the panel: its shift from ABOVE the slot's middle
    };
    // The body slots (rectangles of the inventory's control rows) and their names.
    const S slots[] = {
        {162, 54, 226, 118, "HELM", 0},  {232, 123, 296, 219, "ARMOR", 0},   {232, 322, 296, 418, "LEGGINGS", 0},
        {23, 356, 87, 420, "BOOTS", 0},  {57, 87, 89, 119, "GLOVES", 0},     {93, 54, 157, 118, "BRACERS", 0},
        {23, 321, 87, 353, "BELT", 0},   {231, 87, 263, 119, "NECKLACE", 8}, {196, 122, 228, 154, "RING", 0},
        {91, 122, 123, 154, "RING", 0},  {23, 123, 87, 219, "CLOAK", 0},     {232, 222, 296, 318, "LEFT", 0},
        {23, 222, 87, 318, "RIGHT", 0},  {195, 289, 227, 353, "QUICK", 0},   {92, 289, 124, 353, "QUICK", 0},
        {161, 289, 193, 321, "RING", 0}, {126, 289, 158, 321, "RING", 0},    {161, 321, 193, 353, "RING", 0},
        {126, 321, 158, 353, "RING", 0}};
    // A word on the panel ends this far ABOVE its slot.
    constexpr int ABOVE = 3;
    std::vector<SlotLabel> out;
    for (const S& d : slots) {
        SlotLabel l;
        l.slot = Inclusive(d.l, d.t, d.r, d.b);
        const int border = Slot_Border(l.slot);
        l.inner = {l.slot.x0 + border, l.slot.y0 + border, l.slot.x1 - border, l.slot.y1 - border};
        l.word = d.word;
        const int w = Text_Width(d.word);
        const int middle = (l.slot.x0 + l.slot.x1) / 2;
        l.inside = w <= l.inner.x1 - l.inner.x0 - 2;
        if (l.inside) {
            const int x = middle - w / 2, y = (l.slot.y0 + l.slot.y1) / 2 - 3;
            l.text = {x, y, x + w, y + GLYPH_HEIGHT};
        } else {
            const int x = middle + d.dx - w / 2, y = l.slot.y0 - ABOVE - GLYPH_HEIGHT - 1;
            l.text = {x, y, x + w + 1, y + GLYPH_HEIGHT + 1};
        }
        out.push_back(l);
    }
    return out;
}

namespace {

IndexedImage Inventory() {
    IndexedImage img(SCREEN_W, SCREEN_H, KEY);
    Wood(img, {0, 0, SCREEN_W, SCREEN_H});
    Caption_Centred(img, 320, 6, "INVENTORY", 2);
    Map_Icon(img, Inclusive(13, 2, 34, 21));
    Page_Button(img, Inclusive(605, 2, 626, 21), "helm");
    // The figure's place among its slots.
    Dark_Inset(img, {14, 44, 306, 430});
    {
        Painter p(img);
        Shader sil = Flat(Ramp_Index(Ramp::Frame, 2));
        p.Ellipse({160, 176}, 24, 20, sil);
        p.Polygon({{128, 196}, {192, 196}, {204, 276}, {116, 276}}, sil);
        p.Polygon({{124, 276}, {196, 276}, {188, 284}, {132, 284}}, sil);
        p.Rect(130, 356, 152, 420, sil);
        p.Rect(168, 356, 190, 420, sil);
    }
    for (const SlotLabel& l : Inventory_Slot_Labels()) {
        Body_Slot(img, l.slot);
        if (l.inside)
            Draw_Text(img, l.text.x0, l.text.y0, l.word, Ramp_Index(Ramp::Parchment, 6));
        else
            Caption(img, l.text.x0, l.text.y0, l.word);
    }
    // Backpack: 8 x 6 cells of 32 pixels from (351, 122).
    Caption_Centred(img, 479, 104, "BACKPACK", 2);
    Rect pack{351, 122, 351 + 8 * 32, 122 + 6 * 32};
    Fill_Rect(img, pack.x0 - 4, pack.y0 - 4, pack.x1 + 4, pack.y1 + 4, Ramp_Index(Ramp::Frame, 1));
    Raised_Gold(img, {pack.x0 - 4, pack.y0 - 4, pack.x1 + 4, pack.y1 + 4}, 2);
    Parchment(img, pack);
    for (int c = 0; c <= 8; ++c)
        for (int y = pack.y0; y < pack.y1; ++y) img.Set(pack.x0 + c * 32 - (c == 8), y, Ramp_Index(Ramp::Parchment, 5));
    for (int r = 0; r <= 6; ++r)
        for (int x = pack.x0; x < pack.x1; ++x) img.Set(x, pack.y0 + r * 32 - (r == 6), Ramp_Index(Ramp::Parchment, 5));
    // Pack the first ground item.
    Rect pk = Inclusive(341, 322, 400, 387);
    Page_Button(img, pk, "bag");
    Caption_Centred(img, (pk.x0 + pk.x1) / 2, pk.y1 - 12, "PACK");
    {
        static const char* up[] = {"   #   ", "  ###  ", " ##### ", "#######", "  ###  ", "  ###  "};
        for (int y = 0; y < 6; ++y)
            for (int x = 0; up[y][x]; ++x)
                if (up[y][x] == '#') img.Set(367 + x, pk.y0 + 6 + y, Ramp_Index(Ramp::Gold, 9));
    }
    // Message line.
    Dark_Inset(img, {347, 399, 636, 416});
    // Ground strip: 15 places 38 pixels apart from x 33, and its arrows.
    Caption(img, 36, 430, "ON THE GROUND");
    Dark_Inset(img, {33, 440, 604, 466});
    for (int k = 0; k < 15; ++k) {
        int x0 = 33 + 38 * k;
        Bevel(img, x0 + 1, 441, x0 + 37, 465, 1, Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Frame, 3));
    }
    Page_Button(img, Inclusive(13, 434, 30, 469), "left");
    Page_Button(img, Inclusive(608, 434, 625, 469), "right");
    return img;
}

// ------------------------------------------------------------------ character page

IndexedImage Character_Page() {
    IndexedImage img(SCREEN_W, SCREEN_H, KEY);
    Wood(img, {0, 0, SCREEN_W, SCREEN_H});
    Map_Icon(img, Inclusive(13, 2, 34, 21));
    Page_Button(img, Inclusive(605, 2, 626, 21), "bag");
    Caption_Centred(img, 320, 6, "CHARACTER", 2);
    // Portrait: the head is drawn at (127, 132), 64 x 76.
    Fill_Rect(img, 123, 53, 195, 137, Ramp_Index(Ramp::Frame, 1));
    Raised_Gold(img, {121, 51, 197, 139}, 2);
    Dark_Inset(img, {127, 57, 191, 133});
    // Name, race and profession.
    Dark_Inset(img, {24, 141, 200, 160});
    Dark_Inset(img, {205, 141, 330, 177});
    Caption(img, 26, 132, "NAME");
    Caption(img, 207, 132, "RACE, PROFESSION");
    // Bars: hit points, stamina and the four manas, each 132 pixels growing left from x 162.
    Dark_Inset(img, {24, 188, 330, 311});
    struct Bar {
        int y;
        const char* label;
    };
    const Bar bars[] = {{229, "HP"}, {242, "STAM"}, {268, "FIRE"}, {281, "WATER"}, {294, "AIR"}, {307, "EARTH"}};
    Caption(img, 30, 194, "CONDITION");
    for (const Bar& b : bars) {
        Rect t{30, b.y - 13, 163, b.y - 2};
        Fill_Rect(img, t.x0, t.y0, t.x1, t.y1, Ramp_Index(Ramp::Shadow, 1));
        Bevel(img, t.x0, t.y0, t.x1, t.y1, 1, Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Frame, 4));
        Caption(img, 166, b.y - 10, b.label);
    }
    // Attributes and protections: value / base at x 234.
    Dark_Inset(img, {140, 313, 330, 444});
    struct Pair {
        int y;
        const char* label;
    };
    const Pair pairs[] = {{331, "STRENGTH"}, {344, "DEXTERITY"}, {357, "SPIRIT"}, {370, "INTELLECT"},
                          {397, "FIRE"},     {410, "WATER"},     {423, "AIR"},    {436, "EARTH"}};
    for (const Pair& p : pairs) Caption_Right(img, 196, p.y - 10, p.label);
    Caption(img, 146, 376, "PROTECTION");
    // The figure's stand: the body is drawn at (80, 418) with its defence in six directions around it.
    Dark_Inset(img, {24, 313, 136, 444});
    {
        const BitmapSprite stone = Level_Floor_Sprite("STONE");
        Put(img, stone, 0, 80, 418);
        // On the rows of the attack and the damage, which the page prints
        // at (125, 329) and (125, 343): their letters end on the digits'
        // baseline.
        Caption(img, 28, 319, "ATT");
        Caption(img, 28, 333, "DMG");
        Caption(img, 30, 440 - 2, "DEFENCE");
    }
    // Spell grid (339, 122) .. (619, 337) and the description box (358, 352) .. (599, 457).
    Caption_Centred(img, 479, 104, "SPELLS", 2);
    Dark_Inset(img, {335, 118, 624, 342});
    for (int c = 0; c < 12; ++c) {
        int x = 339 + 95 * (c % 3), y = 122 + 55 * (c / 3);
        Bevel(img, x, y, x + SPELL_BUTTON_W, y + SPELL_BUTTON_H, 1, Ramp_Index(Ramp::Frame, 0),
              Ramp_Index(Ramp::Frame, 3));
    }
    Fill_Rect(img, 354, 348, 604, 462, Ramp_Index(Ramp::Frame, 1));
    Raised_Gold(img, {354, 348, 604, 462}, 2);
    Parchment(img, {358, 352, 600, 458}, true);
    // Message line.
    Dark_Inset(img, {27, 449, 333, 464});
    return img;
}

// ------------------------------------------------------------------ page sprites

BitmapSprite Mana_Line() {
    struct Col {
        Ramp r;
        double lo, hi;
    };
    const Col cols[5] = {{Ramp::Fire, 0.25, 0.8},
                         {Ramp::Water, 0.3, 0.95},
                         {Ramp::Ice, 0.35, 1.0},
                         {Ramp::Earth, 0.3, 0.85},
                         {Ramp::Gold, 0.35, 1.0}};
    std::vector<IndexedImage> frames;
    for (int f = 0; f < MANA_LINE_FRAMES; ++f) {
        IndexedImage img(1, MANA_LINE_HEIGHT, KEY);
        for (int y = 0; y < MANA_LINE_HEIGHT; ++y) {
            double v = 1 - std::abs(y - 3.0) / 6.0;  // lit from ABOVE
            if (f < 5) {
                img.Set(0, y, Ramp_At(cols[f].r, cols[f].lo + (cols[f].hi - cols[f].lo) * v));
            } else {
                double level = (f - 5) / 7.0;  // empty .. full
                Ramp r = level < 0.3 ? Ramp::ClothRed : level < 0.65 ? Ramp::Gold : Ramp::ClothGreen;
                img.Set(0, y, Ramp_At(r, 0.3 + 0.6 * v));
            }
        }
        frames.push_back(img);
    }
    return Make_Bitmap("ARTWORK\\PAGES\\MANALINE", frames, 0, 0, 0);
}

BitmapSprite Spell_Button() {
    IndexedImage up(SPELL_BUTTON_W, SPELL_BUTTON_H, KEY);
    Wood(up, {0, 0, SPELL_BUTTON_W, SPELL_BUTTON_H}, 0.5);
    Raised_Gold(up, {0, 0, SPELL_BUTTON_W, SPELL_BUTTON_H}, 1);
    for (int k = 0; k < 4; ++k) {
        int y = 5 + 11 * k;
        Fill_Rect(up, 3, y - 1, 40, y + MANA_LINE_HEIGHT + 1, Ramp_Index(Ramp::Shadow, 1));
        Bevel(up, 3, y - 1, 40, y + MANA_LINE_HEIGHT + 1, 1, Ramp_Index(Ramp::Frame, 0), Ramp_Index(Ramp::Frame, 4));
    }
    Dark_Inset(up, {43, 1, 89, 49});
    // Disabled: a veil drawn over the button and its icon.
    IndexedImage veil(SPELL_BUTTON_W, SPELL_BUTTON_H, KEY);
    for (int y = 0; y < SPELL_BUTTON_H; ++y)
        for (int x = 0; x < SPELL_BUTTON_W; ++x)
            if ((x + y) % 2 == 0) veil.Set(x, y, Ramp_Index(Ramp::Shadow, 2));
    return Make_Bitmap("ARTWORK\\PAGES\\SPBUTTON", {up, veil}, 0, 0, 0);
}

void Spell_Icon(IndexedImage& img, int icon) {
    Painter p(img);
    const double cx = 24, cy = 25;
    switch (icon) {
        case 0:  // Evil Fog: a green cloud with a skull
            Draw_Cloud(img, {cx, cy + 4}, 20, 14, Ramp::Gas, 0.9, 3);
            p.Ellipse({cx, cy - 2}, 7, 7, Dome(Ramp::Bone, {cx, cy - 2}, 7, 7, 0.3, 1.0));
            p.Ellipse({cx - 2.5, cy - 2}, 1.8, 2, Flat(Ramp_Index(Ramp::Shadow, 0)));
            p.Ellipse({cx + 2.5, cy - 2}, 1.8, 2, Flat(Ramp_Index(Ramp::Shadow, 0)));
            p.Rect(cx - 4, cy + 4, cx + 4, cy + 8, Flat(Ramp_Index(Ramp::Bone, 5)));
            break;
        case 1:  // Fire Wall
            for (int i = 0; i < 5; ++i) Draw_Flame(img, {8.0 + i * 8, 44}, 26 + (i % 2) * 8, 10, i * 5 + 1);
            p.Rect(3, 44, 45, 47, Flat(Ramp_Index(Ramp::Stone, 3)));
            break;
        case 2:  // Magic Armour: a glowing shield
            p.Ellipse({cx, cy}, 20, 20, Dome(Ramp::Magic, {cx, cy}, 20, 20, 0.2, 0.8));
            p.Polygon({{cx - 12, cy - 14}, {cx + 12, cy - 14}, {cx + 12, cy + 2}, {cx, cy + 16}, {cx - 12, cy + 2}},
                      Linear(Ramp::Metal, {cx - 12, cy - 14}, 1.0, {cx + 12, cy + 16}, 0.3));
            p.Rect(cx - 2, cy - 12, cx + 2, cy + 12, Flat(Ramp_Index(Ramp::Gold, 8)));
            break;
        case 3:  // Splinter Rain
            for (int i = 0; i < 9; ++i) {
                double x = 6 + (i * 17) % 38, y = 6 + (i * 11) % 30;
                p.Polygon({{x, y}, {x + 2, y + 2}, {x + 7, y + 13}, {x + 1, y + 3}},
                          Flat(Ramp_Index(Ramp::Ice, 5 - i % 2)));
            }
            p.Rect(4, 44, 44, 46, Flat(Ramp_Index(Ramp::Earth, 5)));
            break;
        case 4:  // Heal: a red cross in light
            p.Ellipse({cx, cy}, 19, 19, Dome(Ramp::Gold, {cx, cy}, 19, 19, 0.5, 1.0));
            p.Rect(cx - 4, cy - 14, cx + 4, cy + 14, Flat(Ramp_Index(Ramp::ClothRed, 6)));
            p.Rect(cx - 14, cy - 4, cx + 14, cy + 4, Flat(Ramp_Index(Ramp::ClothRed, 6)));
            break;
        case 5:  // Haste: a winged boot
            p.Polygon({{cx - 6, cy - 14},
                       {cx + 4, cy - 14},
                       {cx + 4, cy + 6},
                       {cx + 16, cy + 10},
                       {cx + 16, cy + 16},
                       {cx - 6, cy + 16}},
                      Linear(Ramp::Leather, {cx - 6, cy - 14}, 0.9, {cx + 16, cy + 16}, 0.3));
            for (int i = 0; i < 3; ++i)
                p.Polygon({{cx - 6, cy - 10 + i * 5.0}, {cx - 22, cy - 18 + i * 7.0}, {cx - 16, cy - 6 + i * 5.0}},
                          Flat(Ramp_Index(Ramp::Grey, 14 - i * 2)));
            break;
        case 6:  // other magic: a star
        {
            std::vector<Vec2> star;
            for (int i = 0; i < 10; ++i) {
                double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 8 : 19;
                star.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
            }
            p.Polygon(star, Linear(Ramp::Magic, {cx, cy - 19}, 1.0, {cx, cy + 19}, 0.4));
            break;
        }
        case 7:  // Living Torch: a figure in flames
            p.Ellipse({cx, cy - 10}, 5, 5, Flat(Ramp_Index(Ramp::Shadow, 2)));
            p.Polygon({{cx - 8, cy - 4}, {cx + 8, cy - 4}, {cx + 6, cy + 20}, {cx - 6, cy + 20}},
                      Flat(Ramp_Index(Ramp::Shadow, 2)));
            Draw_Flame(img, {cx - 8, cy + 20}, 36, 12, 2);
            Draw_Flame(img, {cx + 8, cy + 20}, 32, 12, 9);
            break;
        case 8:  // Life Steal: a heart losing drops
            p.Ellipse({cx - 7, cy - 6}, 9, 9, Dome(Ramp::ClothRed, {cx - 5, cy - 4}, 16, 16, 0.2, 1.0));
            p.Ellipse({cx + 7, cy - 6}, 9, 9, Dome(Ramp::ClothRed, {cx - 5, cy - 4}, 16, 16, 0.2, 1.0));
            p.Polygon({{cx - 16, cy - 3}, {cx + 16, cy - 3}, {cx, cy + 16}},
                      Dome(Ramp::ClothRed, {cx - 5, cy - 4}, 16, 16, 0.2, 1.0));
            for (int i = 0; i < 3; ++i)
                p.Ellipse({cx - 8 + i * 8.0, cy + 18 + (i % 2) * 3.0}, 1.6, 2.2, Flat(Ramp_Index(Ramp::Blood, 4)));
            break;
        case 9:  // Giant Strength: a fist
            p.Rect(cx - 10, cy - 8, cx + 10, cy + 10, Dome(Ramp::Skin, {cx, cy}, 14, 14, 0.2, 1.0));
            for (int i = 0; i < 4; ++i)
                p.Ellipse({cx - 7.5 + i * 5, cy - 9}, 3, 3.2,
                          Dome(Ramp::Skin, {cx - 7.5 + i * 5, cy - 9}, 3, 3, 0.3, 1.0));
            p.Rect(cx - 7, cy + 10, cx + 7, cy + 22, Cylinder(Ramp::Skin, cx, 7, 0.2, 0.9));
            p.Rect(cx - 8, cy + 14, cx + 8, cy + 17, Flat(Ramp_Index(Ramp::Gold, 7)));
            break;
    }
}

BitmapSprite Spell_Icons() {
    std::vector<IndexedImage> frames;
    for (int icon = 0; icon < SPELL_ICONS; ++icon) {
        IndexedImage lit(SPELL_ICON_W, SPELL_ICON_H, KEY);
        Spell_Icon(lit, icon);
        Outline(lit, KEY, Outline_Index(), false);
        IndexedImage unlit = lit;
        const Palette& pal = Game_Palette();
        for (uint8_t& v : unlit.pixels) {
            if (v == KEY) continue;
            Rgb c = pal[v];
            double lum = (0.3 * c.r + 0.59 * c.g + 0.11 * c.b) / 255.0;
            v = Ramp_At(Ramp::Grey, lum * 0.6);
        }
        frames.push_back(lit);
        frames.push_back(unlit);
    }
    return Make_Bitmap("ARTWORK\\PAGES\\SPICONS", frames, 0, 0, 0);
}

}  // namespace

std::vector<Page> Page_Pictures() {
    std::vector<BitmapSprite> sys = System_Bitmaps();
    return {
        {"ARTWORK\\PAGES\\cimkep2.bmp", Title()},           {"ARTWORK\\PAGES\\FOKEPJUJ.BMP", Hexamap_Panel(sys)},
        {"ARTWORK\\PAGES\\TEXTBOX.BMP", Textbox()},         {"ARTWORK\\ITEMS\\INVENTOR.BMP", Inventory()},
        {"ARTWORK\\PAGES\\CHARPAGE.BMP", Character_Page()},
    };
}

std::vector<BitmapSprite> Page_Sprites() { return {Mana_Line(), Spell_Button(), Spell_Icons()}; }

}  // namespace art
