#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Heads.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Items.h"
#include "tools/artgen/Pages.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/SystemSprites.h"
#include "tools/artgen/Terrain.h"
#include "tools/artgen/folder/ArtFiles.h"

namespace art {
namespace {

// Each test runs in its own process, so most of them make only the part of
// the artwork they look at.
const Artwork& The_Artwork() {
    static const Artwork a = Make_Artwork();
    return a;
}

const std::vector<BitmapSprite>& Bitmaps() {
    static const std::vector<BitmapSprite> all = [] {
        std::vector<BitmapSprite> v = Terrain_Sprites();
        for (auto* part : {System_Bitmaps, Head_Sprites, Page_Sprites})
            for (BitmapSprite& s : part()) v.push_back(std::move(s));
        v.push_back(Corpse_Sprite());
        return v;
    }();
    return all;
}

const BitmapSprite* Bitmap(const std::string& path) {
    for (const BitmapSprite& s : Bitmaps())
        if (s.path == path) return &s;
    return nullptr;
}

const DysSprite* Find_Dys(const std::vector<DysSprite>& all, const std::string& path) {
    for (const DysSprite& s : all)
        if (s.path == path) return &s;
    return nullptr;
}

const std::vector<DysSprite>& Small_Dys() {
    static const std::vector<DysSprite> all = [] {
        std::vector<DysSprite> v = System_Dys();
        for (DysSprite& s : Item_Sprites()) v.push_back(std::move(s));
        return v;
    }();
    return all;
}

const DysSprite* Dys(const std::string& path) { return Find_Dys(Small_Dys(), path); }

bool Opaque(const IndexedImage& img, int x, int y) { return img.Inside(x, y) && img.At(x, y) != KEY; }

// ------------------------------------------------------------------ palette

TEST(ArtPalette, OneMagentaKeyNoDuplicatesNoNearBlack) {
    const Palette& pal = Game_Palette();
    int magenta = 0;
    std::set<std::tuple<int, int, int>> seen;
    for (int i = 0; i < 256; ++i) {
        Rgb c = pal[i];
        if (c == Rgb{255, 0, 255}) {
            ++magenta;
            EXPECT_EQ(i, KEY);
        }
        EXPECT_TRUE(seen.insert({c.r, c.g, c.b}).second) << "duplicate colour at " << i;
        EXPECT_FALSE(c.r <= 8 && c.g <= 4 && c.b <= 8) << "entry " << i << " turns into the 16-bit key";
    }
    EXPECT_EQ(magenta, 1);
    EXPECT_FALSE(Is_System_Entry(KEY));
    EXPECT_EQ(pal[Ui_Background()], (Rgb{222, 182, 148}));
}

TEST(ArtPalette, RemapTablesStayOutsideSystemEntries) {
    const auto remap = Colour_Remap();
    const auto shades = Shade_Remaps();
    for (int i = 0; i < 256; ++i) {
        if (Is_System_Entry(i)) continue;
        EXPECT_FALSE(Is_System_Entry(remap[i])) << i;
        for (const auto& t : shades) EXPECT_FALSE(Is_System_Entry(t[i])) << i;
    }
    // Palette 1 gives other clothes: blue cloth turns red.
    EXPECT_EQ(Ramp_Of(remap[Ramp_Index(Ramp::ClothBlue, 5)]), Ramp::ClothRed);
    EXPECT_EQ(remap[Ramp_Index(Ramp::Skin, 5)], Ramp_Index(Ramp::Skin, 5));
}

// ------------------------------------------------------------------ every picture

void Expect_No_System_Entries(const IndexedImage& img, const std::string& what) {
    for (uint8_t v : img.pixels)
        if (Is_System_Entry(v)) {
            ADD_FAILURE() << what << " uses system entry " << int(v);
            return;
        }
}

TEST(ArtPictures, EveryPictureUsesOnlyUsableEntriesAndHasItsOwnPath) {
    const Artwork& a = The_Artwork();
    std::set<std::string> paths;
    for (const BitmapSprite& s : a.bitmaps) {
        Expect_No_System_Entries(s.image, s.path);
        EXPECT_TRUE(paths.insert(s.path).second) << s.path;
    }
    for (const DysSprite& s : a.dys) {
        for (const DysFrame& f : s.frames) Expect_No_System_Entries(f.image, s.path);
        EXPECT_TRUE(paths.insert(s.path).second) << s.path;
    }
    for (const Page& p : a.pages) Expect_No_System_Entries(p.image, p.path);
    for (const CursorPicture& c : a.cursors) {
        Expect_No_System_Entries(c.image, c.path);
        EXPECT_EQ(c.image.width, 32);
        EXPECT_EQ(c.image.height, 32);
    }
    for (const std::string& p : paths) {
        std::string name = p.substr(p.rfind('\\') + 1);
        EXPECT_LE(name.size(), 8u) << p;  // fixitem and body names are char[9]
    }
}

TEST(ArtPictures, PagesHaveNoKeyAndTheirScreenSizes) {
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"ARTWORK\\PAGES\\cimkep2.bmp", {640, 480}},  {"ARTWORK\\PAGES\\FOKEPJUJ.BMP", {640, 480}},
        {"ARTWORK\\PAGES\\TEXTBOX.BMP", {323, 130}},  {"ARTWORK\\ITEMS\\INVENTOR.BMP", {640, 480}},
        {"ARTWORK\\PAGES\\CHARPAGE.BMP", {640, 480}},
    };
    std::set<std::string> found;
    for (const Page& p : Page_Pictures()) {
        ASSERT_TRUE(sizes.count(p.path)) << p.path;
        found.insert(p.path);
        EXPECT_EQ(p.image.width, sizes.at(p.path).first) << p.path;
        EXPECT_EQ(p.image.height, sizes.at(p.path).second) << p.path;
        EXPECT_EQ(std::count(p.image.pixels.begin(), p.image.pixels.end(), KEY), 0) << p.path;
    }
    EXPECT_EQ(found.size(), sizes.size());
}

// ------------------------------------------------------------------ sprite table

struct Want {
    const char* path;
    int min_frames;
    int frame_w, frame_h;  // 0 = any
    int hot_x, hot_y;      // -1 = any
    int layer;             // -1 = any
};

TEST(ArtSprites, BitmapSpritesHaveTheFramesHotSpotsAndLayersTheGameExpects) {
    const Want wants[] = {
        {"ARTWORK\\SYSTEM\\ARROWS", 7, 0, 0, -1, -1, 37},
        {"ARTWORK\\SYSTEM\\TRGTBACK", 2, 0, 0, -1, -1, 255},
        {"ARTWORK\\SYSTEM\\DIGITS1", 50, 7, 0, -1, -1, 125},
        {"ARTWORK\\SYSTEM\\MAINBUT1", 8, 30, 30, 0, 0, -1},
        {"ARTWORK\\SYSTEM\\MAINBUT2", 12, 36, 22, 0, 0, -1},
        {"ARTWORK\\SYSTEM\\MAINBUT3", 20, 26, 31, 0, 0, -1},
        {"ARTWORK\\SYSTEM\\MAINBUT4", 6, 62, 22, 0, 0, -1},
        {"ARTWORK\\SYSTEM\\PAJZSK", 2, 0, 0, -1, -1, -1},
        {"ARTWORK\\SYSTEM\\PAJZSN", 2, 0, 0, -1, -1, -1},
        {"ARTWORK\\SYSTEM\\MASKGOMB", 18, 32, 48, 16, 24, -1},
        {"ARTWORK\\SYSTEM\\MASKABL", 9, 71, 93, 4, 91, -1},
        {"ARTWORK\\SYSTEM\\BELOG1", 4, 26, 200, 0, 0, -1},
        {"ARTWORK\\SYSTEM\\BELOG2", 1, 199, 19, 0, 0, -1},
        {"ARTWORK\\ANIM\\BLOOD", 2, 0, 0, -1, -1, 126},
        {"ARTWORK\\ANIM\\VARAZSA", 2, 0, 0, -1, -1, 126},
        {"ARTWORK\\ANIM\\PENGEKIS", 2, 0, 0, -1, -1, 126},
        {"ARTWORK\\ANIM\\TUZANIM", 2, 0, 0, -1, -1, 126},
        {"ARTWORK\\ANIM\\BLPOOL", 7, 0, 0, -1, -1, 128},
        {"ARTWORK\\ANIM\\TUZFAL", 2, 0, 0, -1, -1, 125},
        {"ARTWORK\\ANIM\\GAS", 2, 0, 0, -1, -1, 126},
        {"ARTWORK\\PAGES\\MANALINE", 13, 1, 0, 0, 0, -1},
        {"ARTWORK\\PAGES\\SPBUTTON", 2, 90, 50, 0, 0, -1},
        {"ARTWORK\\PAGES\\SPICONS", 20, 0, 0, 0, 0, -1},
        {"ARTWORK\\ITEMS\\HULLAK", static_cast<int>(Body_Kinds().size()), 0, 0, -1, -1, -1},
        {"ARTWORK\\GRASS", FLOOR_VARIANTS, 42, 30, 21, 19, 0},
        {"ARTWORK\\STONE", FLOOR_VARIANTS, 42, 30, 21, 19, 0},
        {"ARTWORK\\EARTH", FLOOR_VARIANTS, 42, 30, 21, 19, 0},
        {"ARTWORK\\WATER", FLOOR_VARIANTS, 42, 30, 21, 19, 0},
        {"ARTWORK\\WOOD", FLOOR_VARIANTS, 42, 30, 21, 19, 0},
        {"ARTWORK\\GRASSH", SLOPE_FRAMES, 42, 30 + SLOPE_HEADROOM, 21, 19 + SLOPE_HEADROOM, 0},
        {"ARTWORK\\EARTHH", SLOPE_FRAMES, 42, 30 + SLOPE_HEADROOM, 21, 19 + SLOPE_HEADROOM, 0},
        {"ARTWORK\\STONEH", SLOPE_FRAMES, 42, 30 + SLOPE_HEADROOM, 21, 19 + SLOPE_HEADROOM, 0},
        {"ARTWORK\\GRASSR", RAISED_FRAMES, 42, 30 + 77, 21, 19, 0},
        {"ARTWORK\\EARTHR", RAISED_FRAMES, 42, 30 + 77, 21, 19, 0},
        {"ARTWORK\\STONER", RAISED_FRAMES, 42, 30 + 77, 21, 19, 0},
        {"ARTWORK\\WOODR", RAISED_FRAMES, 42, 30 + 77, 21, 19, 0},
        {"ARTWORK\\DOOR", DOOR_FRAMES, 0, 0, -1, -1, -1},
        {"ARTWORK\\CHEST", CHEST_FRAMES, 0, 0, -1, -1, -1},
        {"ARTWORK\\Lampa1", 1, 0, 0, -1, -1, -1},
        {"ARTWORK\\Faklya", 1, 0, 0, -1, -1, -1},
        {"ARTWORK\\Gyertyat", 1, 0, 0, -1, -1, -1},
        {"ARTWORK\\WALL", 1, 0, 0, -1, -1, -1},
        {"ARTWORK\\HILL", 1, 0, 0, -1, -1, -1},
        {"ARTWORK\\STEPS", 6, 0, 0, -1, -1, -1},
        {"ARTWORK\\TELEPORT", 1, 0, 0, -1, -1, -1},
    };
    for (const Want& w : wants) {
        SCOPED_TRACE(w.path);
        const BitmapSprite* s = Bitmap(w.path);
        ASSERT_NE(s, nullptr);
        EXPECT_GE(s->frames, w.min_frames);
        EXPECT_EQ(s->image.width % s->frames, 0) << "frames must divide the width";
        if (w.frame_w) {
            EXPECT_EQ(s->Frame_Width(), w.frame_w);
        }
        if (w.frame_h) {
            EXPECT_EQ(s->image.height, w.frame_h);
        }
        if (w.hot_x >= 0) {
            EXPECT_EQ(s->hot_x, w.hot_x);
        }
        if (w.hot_y >= 0) {
            EXPECT_EQ(s->hot_y, w.hot_y);
        }
        if (w.layer >= 0) {
            EXPECT_EQ(s->layer, w.layer);
        }
    }
    EXPECT_LE(Bitmap("ARTWORK\\PAGES\\MANALINE")->image.height, 10);
    EXPECT_LE(Bitmap("ARTWORK\\PAGES\\SPICONS")->Frame_Width(), 48);
    EXPECT_LE(Bitmap("ARTWORK\\PAGES\\SPICONS")->image.height, 50);
}

TEST(ArtSprites, PortraitsOnePerHeadNumber) {
    for (int n = 1; n <= HEAD_COUNT; ++n) {
        char path[32];
        std::snprintf(path, sizeof path, "ARTWORK\\HEADS\\FEJ%03d", n);
        const BitmapSprite* s = Bitmap(path);
        ASSERT_NE(s, nullptr) << path;
        EXPECT_EQ(s->frames, 1);
        EXPECT_EQ(s->Frame_Width(), 64);
        EXPECT_EQ(s->image.height, 76);
        EXPECT_EQ(s->hot_x, 0);
        EXPECT_EQ(s->hot_y, 75);
        EXPECT_EQ(s->layer, 0);
    }
    EXPECT_EQ(Bitmap("ARTWORK\\HEADS\\FEJ024"), nullptr);
}

TEST(ArtSprites, RunLengthSpritesHaveTheirFrames) {
    const std::pair<const char*, int> wants[] = {
        {"ARTWORK\\SYSTEM\\CURFORE2", 1},        {"ARTWORK\\SYSTEM\\CURBACK2", 1},
        {"ARTWORK\\SYSTEM\\CURFORE", 1},         {"ARTWORK\\SYSTEM\\CURBACK", 1},
        {"ARTWORK\\SYSTEM\\TRGTFORE", 2},        {"ARTWORK\\ITEMS\\ITEMS", ITEM_FRAMES},
        {"ARTWORK\\ITEMS\\MITEMS", ITEM_FRAMES},
    };
    for (const auto& [path, frames] : wants) {
        const DysSprite* s = Dys(path);
        ASSERT_NE(s, nullptr) << path;
        EXPECT_GE(static_cast<int>(s->frames.size()), frames) << path;
        EXPECT_GT(s->frames[0].image.width + (frames > 2 ? 1 : 0), 0) << path;
    }
    EXPECT_GT(Dys("ARTWORK\\ITEMS\\ITEMS")->frames[DEAD_BODY_PICTURE].image.width, 0);
    EXPECT_GT(Dys("ARTWORK\\ITEMS\\MITEMS")->frames[DEAD_BODY_PICTURE].image.width, 0);
}

TEST(ArtSprites, BodiesHaveSixFacingGroupsWithStandIdleWalkAndAttackFrames) {
    ASSERT_FALSE(Body_Kinds().empty());
    const std::vector<DysSprite> bodies = Body_Sprites();
    for (const BodyKind& k : Body_Kinds()) {
        const DysSprite* s = Find_Dys(bodies, std::string("ARTWORK\\CHARS\\") + k.name);
        ASSERT_NE(s, nullptr) << k.name;
        ASSERT_EQ(s->frames.size(), 6u * k.group_frames) << k.name;
        // 0 stand, 1 and 3 idle, 4-11 walk, 13-16 a blow; people also the
        // weapon blows up to the bow shot at 29-31 (192 frames in all).
        EXPECT_GE(k.group_frames, 17) << k.name;
        if (!k.animal) {
            EXPECT_EQ(s->frames.size(), 192u) << k.name;
        }
        for (const DysFrame& f : s->frames) {
            EXPECT_GT(f.image.width, 0) << k.name;
            // Anchored at the field: the figure stands above the anchor, centred on it.
            EXPECT_LT(f.dy, -15) << k.name;
            EXPECT_GT(f.dy + f.image.height, -6) << k.name;
            EXPECT_LT(f.dx, 0) << k.name;
            EXPECT_GT(f.dx + f.image.width, 0) << k.name;
        }
        // Walking frames differ from standing.
        EXPECT_NE(s->frames[BODY_STAND].image, s->frames[BODY_WALK + 2].image) << k.name;
    }
}

TEST(ArtSprites, ItemPicturesFitTheirCellsCentredOnTheDrawingPoint) {
    const DysSprite* items = Dys("ARTWORK\\ITEMS\\ITEMS");
    ASSERT_NE(items, nullptr);
    for (const ItemArt& it : Item_Catalogue()) {
        SCOPED_TRACE(it.name);
        int w = it.size >> 4, h = it.size & 15;
        ASSERT_GE(w, 1);
        ASSERT_LE(w, 2);
        ASSERT_GE(h, 1);
        ASSERT_LE(h, 3);
        const DysFrame& f = items->frames[it.picture];
        ASSERT_GT(f.image.width, 0);
        EXPECT_GE(f.dx, -16 * w);
        EXPECT_GE(f.dy, -16 * h);
        EXPECT_LE(f.dx + f.image.width, 16 * w);
        EXPECT_LE(f.dy + f.image.height, 16 * h);
        const DysFrame& m = Dys("ARTWORK\\ITEMS\\MITEMS")->frames[it.picture];
        EXPECT_GT(m.image.width, 0);
        EXPECT_LE(m.image.width, 38);  // the ground strip's step
        EXPECT_LE(m.image.height, 26);
    }
    EXPECT_EQ(Item_Catalogue().back().picture, DEAD_BODY_PICTURE);
}

// ------------------------------------------------------------------ shapes that must match the screens

TEST(ArtFloors, PickingRuleGivesTheCellAndItsLowerNeighbours) {
    // The picking cell of field (0, 0) spans x -21..20 and y -10..10 around its anchor.
    EXPECT_EQ(Pick_Field(0, 0), (FieldPos{0, 0}));
    EXPECT_EQ(Pick_Field(-21, -10), (FieldPos{0, 0}));  // cell row 0
    EXPECT_EQ(Pick_Field(20, 1), (FieldPos{0, 0}));     // cell row 11
    EXPECT_EQ(Pick_Field(-21, 10), (FieldPos{-1, 1}));  // row 20, column 0: lower left
    EXPECT_EQ(Pick_Field(20, 10), (FieldPos{0, 1}));    // row 20, column 41: lower
    EXPECT_EQ(Pick_Field(0, 10), (FieldPos{0, 0}));
    EXPECT_EQ(Pick_Field(42, 0), (FieldPos{1, 0}));
    EXPECT_EQ(Pick_Field(21, 21), (FieldPos{0, 1}));
}

TEST(ArtFloors, LevelFloorsHaveExactlyTheShapeThePickingRuleGives) {
    const FloorMask& m = Floor_Mask();
    for (const char* name : {"ARTWORK\\GRASS", "ARTWORK\\STONE", "ARTWORK\\EARTH", "ARTWORK\\WATER", "ARTWORK\\WOOD"}) {
        const BitmapSprite* s = Bitmap(name);
        ASSERT_NE(s, nullptr);
        for (int v = 0; v < FLOOR_VARIANTS; ++v) {
            IndexedImage f = s->Frame(v);
            for (int y = 0; y < f.height; ++y)
                for (int x = 0; x < f.width; ++x) {
                    int ty = y - (s->hot_y - FLOOR_HOT_Y), tx = x - (s->hot_x - FLOOR_HOT_X);
                    bool in = tx >= 0 && ty >= 0 && tx < FLOOR_WIDTH && ty < FLOOR_HEIGHT && m[ty][tx];
                    ASSERT_EQ(Opaque(f, x, y), in) << name << " frame " << v << " at " << x << "," << y;
                }
        }
    }
}

TEST(ArtFloors, LevelFloorsTileTheMapWithoutGapsOrOverlaps) {
    const BitmapSprite* s = Bitmap("ARTWORK\\GRASS");
    ASSERT_NE(s, nullptr);
    IndexedImage f = s->Frame(0);
    const int W = 400, H = 300;
    std::vector<int> cover(W * H, 0);
    for (int r = -2; r < 18; ++r)
        for (int c = -8; c < 12; ++c) {
            int ax = Anchor_X(c, r) + 40, ay = Anchor_Y(r) + 20;
            for (int y = 0; y < f.height; ++y)
                for (int x = 0; x < f.width; ++x) {
                    int px = ax - s->hot_x + x, py = ay - s->hot_y + y;
                    if (Opaque(f, x, y) && px >= 0 && py >= 0 && px < W && py < H) ++cover[py * W + px];
                }
        }
    for (int y = 60; y < 240; ++y)
        for (int x = 120; x < 300; ++x) ASSERT_EQ(cover[y * W + x], 1) << x << "," << y;
}

TEST(ArtFloors, GroundShapesFollowTheHillRule) {
    // At the field's centre a character stands at a = 21, b = 10 (tile pixel (21, 19)).
    EXPECT_DOUBLE_EQ(Ground_Shape_Height(4, FLOOR_HOT_X, FLOOR_HOT_Y), 6.0);  // U
    EXPECT_DOUBLE_EQ(Ground_Shape_Height(13, FLOOR_HOT_X, FLOOR_HOT_Y), 24 - 6.0 - 10 * 12.0 / 21);
    EXPECT_DOUBLE_EQ(Ground_Shape_Height(20, FLOOR_HOT_X, FLOOR_HOT_Y), 0.0);
    // A sloped frame rises above the level floor; a raised floor reaches down to the ground.
    const BitmapSprite* level = Bitmap("ARTWORK\\GRASS");
    const BitmapSprite* slopes = Bitmap("ARTWORK\\GRASSH");
    const BitmapSprite* raised = Bitmap("ARTWORK\\GRASSR");
    ASSERT_TRUE(level && slopes && raised);
    Box lb = Opaque_Box(level->Frame(0), KEY), sb = Opaque_Box(slopes->Frame(13), KEY);
    EXPECT_LT(sb.y - slopes->hot_y, lb.y - level->hot_y - 10);
    for (int e = 1; e <= RAISED_FRAMES; ++e) {
        Box rb = Opaque_Box(raised->Frame(e - 1), KEY);
        EXPECT_EQ(rb.y + rb.h - raised->hot_y, lb.y + lb.h - level->hot_y + e * ELEVATION_STEP) << e;
    }
}

// Pixels outside `allowed` of a frame must be transparent.
void Expect_Opaque_Only_In(const IndexedImage& f, const std::vector<std::array<int, 4>>& allowed,
                           const std::string& what) {
    int stray = 0, inside = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            bool ok = false;
            for (const auto& r : allowed) ok = ok || (x >= r[0] && x < r[0] + r[2] && y >= r[1] && y < r[1] + r[3]);
            if (Opaque(f, x, y)) (ok ? inside : stray)++;
        }
    EXPECT_EQ(stray, 0) << what;
    EXPECT_GT(inside, 0) << what;
}

TEST(ArtPanel, OrnamentsAreOpaqueOnlyWhereTheViewKeepsACopy) {
    const BitmapSprite* b1 = Bitmap("ARTWORK\\SYSTEM\\BELOG1");
    const BitmapSprite* b2 = Bitmap("ARTWORK\\SYSTEM\\BELOG2");
    ASSERT_NE(b1, nullptr);
    ASSERT_NE(b2, nullptr);
    // Pieces relative to (90, 12) for frame 0 and (523, 12) for frame 1.
    Expect_Opaque_Only_In(b1->Frame(0), {{0, 0, 25, 19}, {0, 19, 5, 57}, {0, 181, 4, 19}}, "BELOG1 frame 0");
    Expect_Opaque_Only_In(b1->Frame(1), {{1, 0, 25, 19}, {21, 19, 5, 57}, {22, 181, 4, 19}}, "BELOG1 frame 1");
    Expect_Opaque_Only_In(b2->Frame(0), {{0, 0, 76, 9}, {76, 0, 47, 19}, {123, 0, 76, 9}}, "BELOG2");
}

TEST(ArtPanel, ButtonsAndSlotsAreOpaqueOnlyInTheirOwnArea) {
    for (const ButtonPicture& b : Button_Pictures()) {
        const BitmapSprite* s = Bitmap("ARTWORK\\SYSTEM\\MAINBUT" + std::to_string(b.sprite));
        ASSERT_NE(s, nullptr);
        for (int f : {b.frame, b.frame + 1})
            Expect_Opaque_Only_In(s->Frame(f), {{0, 0, b.w, b.h}}, std::string(b.what) + " frame " + std::to_string(f));
    }
    const BitmapSprite* g = Bitmap("ARTWORK\\SYSTEM\\MASKGOMB");
    ASSERT_NE(g, nullptr);
    const int sw[8] = {32, 32, 16, 16, 16, 16, 16, 16}, sh[8] = {48, 48, 32, 32, 16, 16, 16, 16};
    for (int f = 0; f < 16; ++f)
        Expect_Opaque_Only_In(g->Frame(f), {{16 - sw[f % 8] / 2, 24 - sh[f % 8] / 2, sw[f % 8], sh[f % 8]}},
                              "MASKGOMB frame " + std::to_string(f));
    // Portrait frames stay inside the areas their slots clip to.
    const BitmapSprite* a = Bitmap("ARTWORK\\SYSTEM\\MASKABL");
    ASSERT_NE(a, nullptr);
    for (int f = 0; f < 6; ++f) Expect_Opaque_Only_In(a->Frame(f), {{4 - 2, 91 - 43, 35, 45}}, "MASKABL strip");
    for (int f = 6; f < 8; ++f) Expect_Opaque_Only_In(a->Frame(f), {{0, 91 - 82, 71, 84}}, "MASKABL big");
    Expect_Opaque_Only_In(a->Frame(8), {{4, 0, 54, 91}}, "MASKABL field view");
}

// The hexamap screen's rows with a button picture, in table order: the
// rectangle (right and bottom inclusive), the sprite MAINBUT1..4 and the
// released frame.
struct ButtonRow {
    int left, top, right, bottom, sprite, frame;
};
const ButtonRow button_rows[] = {
    {13, 215, 42, 244, 1, 0},    {45, 215, 74, 244, 1, 2},    {563, 351, 624, 372, 4, 2},  {291, 371, 341, 382, 4, 4},
    {563, 319, 583, 333, 3, 8},  {563, 335, 583, 349, 3, 6},  {584, 319, 604, 333, 3, 12}, {584, 335, 604, 349, 3, 10},
    {13, 320, 32, 350, 3, 2},    {34, 320, 53, 350, 3, 0},    {55, 320, 74, 350, 3, 4},    {45, 250, 74, 279, 1, 6},
    {44, 431, 74, 452, 2, 8},    {238, 431, 268, 452, 2, 10}, {82, 431, 117, 452, 2, 0},   {421, 371, 446, 394, 3, 18},
    {397, 371, 422, 394, 3, 16},
};

TEST(ArtPanel, HexamapPageShowsEveryButtonUpFillingItsControlRow) {
    const std::vector<Page> pages = Page_Pictures();
    const Page* panel = nullptr;
    for (const Page& p : pages)
        if (p.path == "ARTWORK\\PAGES\\FOKEPJUJ.BMP") panel = &p;
    ASSERT_NE(panel, nullptr);
    for (const ButtonRow& row : button_rows) {
        const std::string what = "MAINBUT" + std::to_string(row.sprite) + " frame " + std::to_string(row.frame);
        const BitmapSprite* s = Bitmap("ARTWORK\\SYSTEM\\MAINBUT" + std::to_string(row.sprite));
        ASSERT_NE(s, nullptr);
        // The picture covers the clickable rectangle, no more and no less.
        const IndexedImage up = s->Frame(row.frame);
        const Box box = Opaque_Box(up, KEY);
        EXPECT_EQ(box.x, 0) << what;
        EXPECT_EQ(box.y, 0) << what;
        EXPECT_EQ(box.w, row.right - row.left + 1) << what;
        EXPECT_EQ(box.h, row.bottom - row.top + 1) << what;
        // The page shows it up at the row's corner, so that the pressed look
        // drawn there by the game replaces it exactly; where a later row's
        // rectangle overlaps it (the digits over the shields), the later
        // button is drawn over it, as the game redraws pressed rows in
        // table order.
        auto covered_later = [&](int px, int py) {
            for (const ButtonRow* later = &row + 1; later != std::end(button_rows); ++later)
                if (px >= later->left && px <= later->right && py >= later->top && py <= later->bottom) return true;
            return false;
        };
        int differ = 0;
        for (int y = 0; y < up.height; ++y)
            for (int x = 0; x < up.width; ++x) {
                const int px = row.left + x, py = row.top + y;
                if (Opaque(up, x, y) && !covered_later(px, py) && panel->image.At(px, py) != up.At(x, y)) ++differ;
            }
        EXPECT_EQ(differ, 0) << what;
    }
}

// ------------------------------------------------------------------ pages

bool Overlap(const PageRect& a, const PageRect& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }
bool Holds(const PageRect& outer, const PageRect& r) {
    return r.x0 >= outer.x0 && r.y0 >= outer.y0 && r.x1 <= outer.x1 && r.y1 <= outer.y1;
}

// Each body slot is named by its whole word: inside the slot when it fits,
// else on the panel where it covers no slot and no other word.
TEST(ArtPages, InventoryNamesEveryBodySlotByItsWholeWord) {
    const std::vector<SlotLabel> labels = Inventory_Slot_Labels();
    std::vector<std::string> words;
    for (const SlotLabel& l : labels) words.push_back(l.word);
    // Slots 48 to 66: the item classes they take, the hands and the quick slots.
    EXPECT_EQ(words, (std::vector<std::string>{"HELM", "ARMOR", "LEGGINGS", "BOOTS", "GLOVES", "BRACERS", "BELT",
                                               "NECKLACE", "RING", "RING", "CLOAK", "LEFT", "RIGHT", "QUICK", "QUICK",
                                               "RING", "RING", "RING", "RING"}));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const SlotLabel& l = labels[i];
        SCOPED_TRACE(std::string(l.word) + " " + std::to_string(i));
        EXPECT_GE(l.text.x1 - l.text.x0, Text_Width(l.word));
        if (l.inside) {
            EXPECT_TRUE(Holds(l.inner, l.text));
            continue;
        }
        EXPECT_TRUE(Holds(INVENTORY_SLOT_PANEL, l.text));
        for (std::size_t k = 0; k < labels.size(); ++k) {
            EXPECT_FALSE(Overlap(l.text, labels[k].slot)) << "covers slot " << k;
            if (k != i && !labels[k].inside) {
                EXPECT_FALSE(Overlap(l.text, labels[k].text)) << "covers word " << k;
            }
        }
    }
}

// ------------------------------------------------------------------ fonts

// Letters follow each other at one blank column, whatever the hinting left
// of a glyph's ink: no "Artw ork".
TEST(ArtFonts, EveryGlyphWithInkEndsAtMostOneBlankColumnAfterIt) {
    std::vector<FntStrike> strikes;
    ASSERT_TRUE(Render_Font_Strikes(strikes));
    ASSERT_EQ(strikes.size(), 3u);
    for (const FntStrike& strike : strikes) {
        for (std::size_t g = 0; g < strike.glyphs.size(); ++g) {
            const FntGlyph& glyph = strike.glyphs[g];
            int last_ink = -1;
            for (int y = 0; y < strike.pixel_height; ++y)
                for (int x = 0; x < glyph.width; ++x)
                    if (glyph.ink[static_cast<std::size_t>(y) * glyph.width + x]) last_ink = std::max(last_ink, x);
            if (last_ink < 0) continue;
            EXPECT_LE(glyph.width, last_ink + 2)
                << strike.face << " " << strike.pixel_height << " '" << static_cast<char>(strike.first_char + g) << "'";
        }
    }
}

// ------------------------------------------------------------------ determinism

TEST(ArtDeterminism, TwoGenerationsAreIdentical) {
    const Artwork& a = The_Artwork();
    Artwork b = Make_Artwork();
    EXPECT_EQ(a.palette, b.palette);
    EXPECT_EQ(a.colour_remap, b.colour_remap);
    EXPECT_EQ(a.shade_remaps, b.shade_remaps);
    ASSERT_EQ(a.bitmaps.size(), b.bitmaps.size());
    for (size_t i = 0; i < a.bitmaps.size(); ++i) {
        EXPECT_EQ(a.bitmaps[i].path, b.bitmaps[i].path);
        EXPECT_TRUE(a.bitmaps[i].image == b.bitmaps[i].image) << a.bitmaps[i].path;
        EXPECT_EQ(a.bitmaps[i].hot_x, b.bitmaps[i].hot_x);
        EXPECT_EQ(a.bitmaps[i].hot_y, b.bitmaps[i].hot_y);
    }
    ASSERT_EQ(a.dys.size(), b.dys.size());
    for (size_t i = 0; i < a.dys.size(); ++i) {
        ASSERT_EQ(a.dys[i].frames.size(), b.dys[i].frames.size());
        for (size_t k = 0; k < a.dys[i].frames.size(); ++k) {
            EXPECT_TRUE(a.dys[i].frames[k].image == b.dys[i].frames[k].image) << a.dys[i].path << " " << k;
            EXPECT_EQ(a.dys[i].frames[k].dx, b.dys[i].frames[k].dx);
            EXPECT_EQ(a.dys[i].frames[k].dy, b.dys[i].frames[k].dy);
        }
    }
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (size_t i = 0; i < a.pages.size(); ++i) EXPECT_TRUE(a.pages[i].image == b.pages[i].image) << a.pages[i].path;
}

}  // namespace
}  // namespace art
