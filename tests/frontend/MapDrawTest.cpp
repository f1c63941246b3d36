// Drawing the map view: level offsets, painter's order, items and their
// lift, foot marks, damage digits, objects of a bad kind, the pulse of the
// active character, the shields and the editor's hexagon grid.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/MapAnims.h"
#include "frontend/SystemSprites.h"
#include "tests/frontend/MapViewFixture.h"
#include "tools/artgen/Hex.h"

namespace {

struct box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive; empty when left == right
    bool operator==(const box&) const = default;
};

std::ostream& operator<<(std::ostream& os, const box& b) {
    return os << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

class MapDrawing : public MapViewTest {
  protected:
    // The editor's view: no ornaments and no panel over the picture.
    void Editor_View() {
        ScreenType = SCREEN_EDITOR;
        Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom);
        scroll_limits = {-10000, -10000, 10000, 10000};
        scroll_x = scroll_y = 0;
    }
    std::vector<std::uint16_t> Draw() {
        Redraw_Map();
        return Snapshot();
    }
    // The bounding box of the pixels that differ from black, in view
    // coordinates.
    static box Drawn_Box() {
        box b{1 << 20, 1 << 20, -1, -1};
        for (int y = map_view.top; y < map_view.bottom; ++y)
            for (int x = map_view.left; x < map_view.right; ++x)
                if (Pixel(x, y) != 0) {
                    b.left = std::min(b.left, x - map_view.left);
                    b.top = std::min(b.top, y - map_view.top);
                    b.right = std::max(b.right, x - map_view.left + 1);
                    b.bottom = std::max(b.bottom, y - map_view.top + 1);
                }
        return b.right < 0 ? box{} : b;
    }
    static int Differing(const std::vector<std::uint16_t>& a, const std::vector<std::uint16_t>& b) {
        int n = 0;
        for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
        return n;
    }
};

// The test floor's box around its anchor (21, 19 in the sprite).
box Floor_Box_At(int ax, int ay) {
    const art::FloorMask& mask = art::Floor_Mask();
    box b{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < art::FLOOR_HEIGHT; ++y)
        for (int x = 0; x < art::FLOOR_WIDTH; ++x)
            if (mask[y][x]) {
                b.left = std::min(b.left, ax - art::FLOOR_HOT_X + x);
                b.top = std::min(b.top, ay - art::FLOOR_HOT_Y + y);
                b.right = std::max(b.right, ax - art::FLOOR_HOT_X + x + 1);
                b.bottom = std::max(b.bottom, ay - art::FLOOR_HOT_Y + y + 1);
            }
    return b;
}

TEST_F(MapDrawing, EachLevelLies77PixelsAboveTheOneBelow) {
    struct level_case {
        std::uint32_t levels, shown, level;
        int lower_by;
    };
    const level_case cases[] = {
        {3, 2, 0, 154}, {3, 2, 1, 77}, {3, 2, 2, 0}, {3, 1, 0, 77}, {3, 1, 2, -1}, {1, 0, 0, 0},
    };
    for (const level_case& c : cases) {
        New_World(3, 3, c.levels);
        Use_Slot(1, "TESTFLR0");
        Set_Floor(Field_Index(1, 1, c.level), 1);
        Load_Map_Artwork();
        Editor_View();
        shown_level = c.shown;
        Draw();
        // Field (1, 1) is anchored at (63, 21) on the shown level.
        const box want = c.lower_by < 0 ? box{} : Floor_Box_At(63, 21 + c.lower_by);
        EXPECT_EQ(Drawn_Box(), want) << c.levels << " levels, " << c.shown << " shown, level " << c.level;
        Free_Map_Artwork();
    }
}

TEST_F(MapDrawing, NearerThingsCoverFartherOnes) {
    New_World(4, 4, 2);
    Use_Slot(1, "TESTFLR1");
    Use_Slot(2, "TREE");
    Load_Map_Artwork();
    Editor_View();
    shown_level = 1;
    light.assign(total_fields, 26);
    // Trees on level 0 at (1, 1), its left neighbour's right (2, 1) and the
    // row below (1, 2), each in its own light.
    const std::uint16_t mid = Field_Index(1, 1, 0), right = Field_Index(2, 1, 0), below = Field_Index(1, 2, 0);
    light[mid] = 40;
    light[right] = 20;
    light[below] = 60;
    auto alone = [&](std::uint16_t field) {
        const std::uint16_t f = fixture::Place_Fixitem(field, 2);
        const std::vector<std::uint16_t> picture = Draw();
        Remove_Object(Make_Obj(OBJ_FIXITEM, f));
        return picture;
    };
    const std::vector<std::uint16_t> mid_only = alone(mid), right_only = alone(right), below_only = alone(below);
    for (std::uint16_t f : {mid, right, below}) fixture::Place_Fixitem(f, 2);
    const std::vector<std::uint16_t> all = Draw();
    // Columns are drawn right to left, rows top to bottom: where they
    // overlap, the left tree covers the right one and the lower the upper.
    int covered = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (below_only[i] != 0) {
            ASSERT_EQ(all[i], below_only[i]) << i;
            ++covered;
        } else if (mid_only[i] != 0) {
            ASSERT_EQ(all[i], mid_only[i]) << i;
            if (right_only[i] != 0) ++covered;
        }
    }
    EXPECT_GT(covered, 0);
    // Level 1 is drawn after all of level 0: its floor covers the trees.
    Set_Floor(Field_Index(1, 1, 1), 1);
    Draw();
    const int ax = map_view.left + 63, ay = map_view.top + 21;  // (1, 1) on the shown level 1
    EXPECT_NE(mid_only[ay * SCREEN_WIDTH + ax], 0);
    EXPECT_EQ(Pixel(ax, ay), Shade(fixture::test_floor_colours[1], Field_Light(Field_Index(1, 1, 1))));
}

TEST_F(MapDrawing, ItemsLieOffTheAnchorByTheirIndexAndOnTopOfFixitems) {
    New_World(5, 5, 1);
    Use_Slot(1, "ROCK", 30);
    Load_Map_Artwork();
    fixitem_types[1].sprite = 0;  // a fixitem that only lifts
    Editor_View();
    const std::uint16_t field = Field_Index(2, 2, 0);
    const std::uint16_t type = fixture::Add_Item_Type("Sword", CLASS_SWORD);
    item_types[type].picture = 3;
    auto item_box = [&](bool on_rock) {
        const std::uint16_t rock = on_rock ? fixture::Place_Fixitem(field, 1) : NO_INDEX;
        const std::uint16_t i = fixture::Place_Item(field, type);
        Draw();
        const box b = Drawn_Box();
        Remove_Object(Make_Obj(OBJ_ITEM, i));
        if (rock != NO_INDEX) Remove_Object(Make_Obj(OBJ_FIXITEM, rock));
        return std::pair{b, static_cast<int>(3 + field + i)};
    };
    const auto [first, j1] = item_box(false);
    const auto [second, j2] = item_box(false);
    ASSERT_NE(first, box{});
    const int dx = (j2 & 7) - (j1 & 7), dy = ((j2 >> 3) & 3) - ((j1 >> 3) & 3);
    EXPECT_NE(first, second);
    EXPECT_EQ(second, (box{first.left + dx, first.top + dy, first.right + dx, first.bottom + dy}));
    const auto [lifted, j3] = item_box(true);
    const int lx = (j3 & 7) - (j1 & 7), ly = ((j3 >> 3) & 3) - ((j1 >> 3) & 3) - 30;
    EXPECT_EQ(lifted, (box{first.left + lx, first.top + ly, first.right + lx, first.bottom + ly}));
}

TEST_F(MapDrawing, AFootMarkShowsOnlyUnderALift) {
    New_World(5, 5, 1);
    Use_Slot(1, "GRASS");
    Use_Slot(2, "GRASSR");
    for (std::uint16_t f = 0; f < total_fields; ++f) Set_Floor(f, 1);
    const std::uint16_t flat = Field_Index(1, 1, 0), raised = Field_Index(3, 2, 0);
    Set_Floor(raised, 2, 1, 2);
    Load_Map_Artwork();
    Editor_View();
    const std::vector<std::uint16_t> plain = Draw();
    Put_MapAnim(flat, ANIM_CURSOR_FOOT_FRONT, 0);
    EXPECT_EQ(Differing(Draw(), plain), 0);
    Put_MapAnim(raised, ANIM_CURSOR_FOOT_FRONT, 0);
    EXPECT_GT(Differing(Draw(), plain), 0);
}

// The digit rows 11 and 12 carry bit 0x10 as part of their drift: on a
// flat field every digit of a number still shows.
TEST_F(MapDrawing, EveryDigitOfADamageNumberShows) {
    for (int n : {7, 42, 105, 999}) {
        New_World(8, 10, 1);
        Use_Slot(1, "EARTH");
        for (std::uint16_t f = 0; f < total_fields; ++f) Set_Floor(f, 1);
        const std::uint16_t c = fixture::Place_Char(Field_Index(2, 7, 0), "Victim", 3);
        std::strncpy(chararray.records[c].body_name, "WARRIOR", 8);
        Load_Map_Artwork();
        Editor_View();
        Show_Damage_Digits(fixture::Char_Ref(c), n, 0);
        do_anim();
        std::vector<std::uint16_t> digits;
        for (std::uint16_t m = 0; m < mapanim.Capacity(); ++m)
            if (mapanim.records[m].type >= ANIM_DIGITS_FIRST && mapanim.records[m].type <= ANIM_DIGITS_LAST)
                digits.push_back(m);
        ASSERT_EQ(digits.size(), n < 10 ? 1u : n < 100 ? 2u : 3u) << n;
        const std::vector<std::uint16_t> all = Draw();
        for (std::uint16_t m : digits) {
            const std::uint8_t frame = mapanim.records[m].frame;
            mapanim.records[m].frame = MAPANIM_NOT_STARTED;  // drawn as nothing
            EXPECT_GT(Differing(Draw(), all), 0) << n << ": the digit of row " << int(mapanim.records[m].type);
            mapanim.records[m].frame = frame;
        }
        Free_Map_Artwork();
    }
}

TEST_F(MapDrawing, AnObjectOfABadKindIsReportedAndDrawingGoesOn) {
    New_World(4, 4, 1);
    Use_Slot(1, "TESTFLR2");
    Set_Floor(Field_Index(3, 3, 0), 1);
    maparray.records[Field_Index(1, 1, 0)].link = Make_Obj(OBJ_INVALID, 0);
    Load_Map_Artwork();
    Editor_View();
    Draw();
    bool reported = false;
    for (const MessageBoxCall& box : backend().boxes) reported |= box.caption == "Invalid obj type in put-field";
    EXPECT_TRUE(reported);
    EXPECT_EQ(Pixel(map_view.left + 3 * 42 + 3 * 21, map_view.top + 3 * 21),
              Shade(fixture::test_floor_colours[2], Field_Light(0)));
}

// The active player character pulses: it is drawn as in the light
// |cycle| * 10 + 32, shield and all.
TEST_F(MapDrawing, TheActivePlayerCharacterPulsesWithTheCycle) {
    New_World(8, 10, 1);
    Use_Slot(1, "STONE");
    const std::uint16_t field = Field_Index(2, 7, 0);
    // Floors all round; the character's own field has none, so only the
    // character is drawn in its light.
    for (std::uint16_t f = 0; f < total_fields; ++f)
        if (f != field) Set_Floor(f, 1);
    const std::uint16_t c = fixture::Place_Char(field, "Leader", 0);
    std::strncpy(chararray.records[c].body_name, "MAGE", 8);
    chararray.records[c].hp = 9;
    Load_Map_Artwork();
    Editor_View();
    for (std::uint8_t cycle : {253, 255, 0, 2}) {
        anim_cycle = cycle;
        light.assign(total_fields, 26);
        selected[0] = c;
        selected_count = 1;
        current_object = fixture::Char_Ref(c);
        ASSERT_TRUE(Is_Active_Player_Char(current_object));
        const std::vector<std::uint16_t> pulsing = Draw();
        selected_count = 0;
        light[field] = static_cast<std::uint8_t>(std::abs(static_cast<std::int8_t>(cycle)) * 10 + 32);
        const std::vector<std::uint16_t> lit = Draw();
        light[field] = 26;
        EXPECT_EQ(First_Difference(pulsing, lit), "") << int(cycle);
        EXPECT_GT(Differing(lit, Draw()), 0);
    }
}

TEST_F(MapDrawing, ShieldsAndTheHexagonGridFollowTheirSwitches) {
    New_World(8, 10, 1);
    Use_Slot(1, "GRASS");
    for (std::uint16_t f = 0; f < total_fields; ++f) Set_Floor(f, 1);
    const std::uint16_t c = fixture::Place_Char(Field_Index(2, 7, 0), "Guard", 2);
    std::strncpy(chararray.records[c].body_name, "DWARF", 8);
    Load_Map_Artwork();
    Editor_View();
    const std::vector<std::uint16_t> shields = Draw();
    shields_shown = 0;
    const std::vector<std::uint16_t> none = Draw();
    EXPECT_GT(Differing(shields, none), 0);
    hex_grid = 1;
    const std::vector<std::uint16_t> grid = Draw();
    EXPECT_GT(Differing(grid, none), 0);
    // Only the editor shows the grid.
    ScreenType = SCREEN_HEXAMAP;
    const std::vector<std::uint16_t> game = Draw();
    hex_grid = 0;
    EXPECT_EQ(First_Difference(game, Draw()), "");
}

// The hit-point shield stands on top of the figure, whatever its height: a
// person's, a troll's and a giant spider's alike.
TEST_F(MapDrawing, TheShieldStandsOnTopOfTheFigureOfAnyHeight) {
    std::map<std::string, int> gaps;
    for (const char* body : {"MAGE", "TROLL", "SPIDER", "WOLF"}) {
        New_World(8, 10, 1);
        const std::uint16_t c = fixture::Place_Char(Field_Index(2, 7, 0), "Figure", 2);
        std::strncpy(chararray.records[c].body_name, body, 8);
        Load_Map_Artwork();
        Editor_View();
        shields_shown = 0;
        const std::vector<std::uint16_t> figure_only = Draw();
        const box figure = Drawn_Box();
        shields_shown = 1;
        const std::vector<std::uint16_t> with_shield = Draw();
        box shield{1 << 20, 1 << 20, -1, -1};
        for (std::size_t i = 0; i < with_shield.size(); ++i) {
            if (with_shield[i] == figure_only[i]) continue;
            const int x = static_cast<int>(i % SCREEN_WIDTH) - map_view.left;
            const int y = static_cast<int>(i / SCREEN_WIDTH) - map_view.top;
            shield = {std::min(shield.left, x), std::min(shield.top, y), std::max(shield.right, x + 1),
                      std::max(shield.bottom, y + 1)};
        }
        ASSERT_GE(shield.right, 0) << body << ": no shield";
        gaps[body] = figure.top - shield.bottom;
        Free_Map_Artwork();
    }
    // The same place on each, a few pixels from the figure's top.
    for (const auto& [body, gap] : gaps) {
        EXPECT_EQ(gap, gaps["MAGE"]) << body;
        EXPECT_LE(std::abs(gap), 8) << body;
    }
}

}  // namespace
