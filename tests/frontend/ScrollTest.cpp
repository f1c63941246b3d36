// The scroll position's limits, the strip redraw after a scroll and its
// fallback to a full redraw, the full redraw's screens, and centring.
#include <gtest/gtest.h>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "frontend/MapView.h"
#include "frontend/Picking.h"
#include "support/SampleMap.h"
#include "tests/frontend/MapViewFixture.h"

namespace {

struct clamp_case {
    const char* what;
    std::uint32_t width, height;
    std::int32_t x, y;
    std::int32_t want_x, want_y;
};

// A 20 x 20 map: limits top -106, bottom 405, left -21, right 819; the
// hexamap view is 459 x 359.
TEST(ClampScroll, KeepsThePositionInsideEachLimit) {
    Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    const clamp_case cases[] = {
        {"inside", 20, 20, 300, 20, 300, 20},
        {"far above and left: top, then left", 20, 20, -5000, -5000, -21, -106},
        {"far below and right", 20, 20, 5000, 5000, 871, 46},
        {"left of the top row", 20, 20, -500, -106, -21, -106},
        {"left, lower down: the limit moves right", 20, 20, -500, 0, 85, 0},
        {"right of the top row", 20, 20, 5000, -106, 719, -106},
        {"right, lower down", 20, 20, 5000, 0, 825, 0},
        {"a map smaller than the view: the bottom limit wins", 3, 3, 0, 0, -200, -311},
    };
    for (const clamp_case& c : cases) {
        Set_Map_Geometry(c.width, c.height, 1);
        Set_Scroll_Limits();
        scroll_x = c.x;
        scroll_y = c.y;
        Clamp_Scroll();
        EXPECT_EQ(scroll_x, c.want_x) << c.what;
        EXPECT_EQ(scroll_y, c.want_y) << c.what;
    }
}

class Scrolling : public MapViewTest {
  protected:
    void Sample_Map(std::uint32_t w, std::uint32_t h, std::uint32_t levels) {
        fixture::Build_Sample_Map(w, h, levels);
        ASSERT_TRUE(backend().boxes.empty()) << backend().boxes[0].caption;
    }
    // What a full redraw at the present position gives.
    std::vector<std::uint16_t> Fresh_Redraw() {
        Forget_Drawn_Map();
        Redraw_Map();
        return Snapshot();
    }
};

// After any sequence of shifts the back buffer holds exactly what a full
// redraw at the same position draws: strips join without seams, nothing
// reaching into a strip from outside it is lost, and the ornaments leave
// no trail.
TEST_F(Scrolling, AfterAnyShiftsTheBufferEqualsAFreshRedraw) {
    Sample_Map(24, 24, 3);
    scroll_x = 300;
    scroll_y = 120;
    Redraw_Map();
    // Sweeps of single scroll steps carry every strip edge over the map.
    std::vector<std::pair<int, int>> shifts;
    for (auto [dx, dy] : {std::pair{0, -6}, {-6, 0}, {0, 6}, {6, 0}})
        for (int step = 0; step < 24; ++step) shifts.push_back({dx, dy});
    const std::pair<int, int> jumps[] = {
        {6, 0},    {6, 0},   {0, 6},    {-6, 0},    {0, -6},    {6, 6},   {-6, -6},     {6, -6},   {-6, 6},
        {1, 0},    {0, 1},   {-13, 7},  {37, -5},   {0, 0},     {90, 60}, {-200, 3},    {5, -150}, {458, 0},
        {-458, 0}, {0, 358}, {0, -358}, {-3000, 0}, {0, -3000}, {6, 6},   {3000, 3000}, {-6, -6},
    };
    shifts.insert(shifts.end(), std::begin(jumps), std::end(jumps));
    for (auto [dx, dy] : shifts) {
        scroll_x += dx;
        scroll_y += dy;
        Scroll_Map();
        const std::vector<std::uint16_t> shifted = Snapshot();
        const std::int32_t at_x = scroll_x, at_y = scroll_y;
        const std::vector<std::uint16_t> fresh = Fresh_Redraw();
        ASSERT_EQ(First_Difference(shifted, fresh), "")
            << "after the shift " << dx << ", " << dy << " to " << at_x << ", " << at_y;
    }
    // The same on each level shown, and in the editor's view without ornaments.
    ScreenType = SCREEN_EDITOR;
    Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom);
    for (std::uint32_t level = 0; level < 3; ++level) {
        shown_level = level;
        Redraw_Map();
        for (auto [dx, dy] : {std::pair{6, 0}, {0, -6}, {-17, 11}}) {
            scroll_x += dx;
            scroll_y += dy;
            Scroll_Map();
            const std::vector<std::uint16_t> shifted = Snapshot();
            ASSERT_EQ(First_Difference(shifted, Fresh_Redraw()), "") << "level " << level;
        }
    }
}

struct strip_case {
    const char* what;
    int move_x, move_y;            // how the scroll position moves
    int left, top, right, bottom;  // the strip redrawn, relative to the view
};

// A scroll copies the old picture and draws only the uncovered strip: a
// mark put into the old picture moves with it, the strip is drawn anew.
TEST_F(Scrolling, OnlyTheUncoveredStripIsDrawn) {
    Sample_Map(24, 24, 2);
    ScreenType = SCREEN_EDITOR;
    Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom);
    const int w = map_view_width, h = map_view_height;
    const strip_case cases[] = {
        {"view moves left: a column at the left", -6, 0, 0, 0, 6, h},
        {"view moves right: a column at the right", 6, 0, w - 6, 0, w, h},
        {"view moves up: a row at the top", 0, -6, 0, 0, w, 6},
        {"view moves down: a row at the bottom", 0, 6, 0, h - 6, w, h},
    };
    for (const strip_case& c : cases) {
        scroll_x = 250;
        scroll_y = 100;
        Redraw_Map();
        // A pattern no drawing makes, over the whole old picture.
        for (int y = map_view.top; y < map_view.bottom; ++y)
            for (int x = map_view.left; x < map_view.right; ++x)
                Set_Pixel(x, y, static_cast<std::uint16_t>(x * 31 + y * 7));
        scroll_x += c.move_x;
        scroll_y += c.move_y;
        Scroll_Map();
        const std::vector<std::uint16_t> shifted = Snapshot();
        const std::vector<std::uint16_t> fresh = Fresh_Redraw();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int sx = map_view.left + x, sy = map_view.top + y;
                const std::size_t at = static_cast<std::size_t>(sy) * SCREEN_WIDTH + sx;
                const bool in_strip = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                const auto moved = static_cast<std::uint16_t>((sx + c.move_x) * 31 + (sy + c.move_y) * 7);
                ASSERT_EQ(shifted[at], in_strip ? fresh[at] : moved) << c.what << " at " << x << ", " << y;
            }
    }
}

struct fallback_case {
    const char* what;
    void (*before)();
    int move_x, move_y;
};

// Where the buffer cannot be shifted, a scroll is a full redraw.
TEST_F(Scrolling, FallsBackToAFullRedrawWhenTheBufferCannotBeShifted) {
    Sample_Map(40, 40, 2);
    const fallback_case cases[] = {
        {"before the first redraw", [] { Forget_Drawn_Map(); }, 6, 0},
        {"after the map's artwork was loaded",
         [] {
             Free_Map_Artwork();
             Load_Map_Artwork();
         },
         0, 6},
        {"a shift as wide as the view", [] {}, 459, 0},
        {"a shift as high as the view", [] {}, 0, -359},
        {"another level shown", [] { shown_level = 0; }, 6, 6},
        {"the other level again", [] { shown_level = 1; }, -6, 6},
    };
    for (const fallback_case& c : cases) {
        scroll_x = 600;
        scroll_y = 300;
        Redraw_Map();
        Fill_Surface_Rect(BACK, map_view, 0x1234);  // what a shift would move
        c.before();
        scroll_x += c.move_x;
        scroll_y += c.move_y;
        Scroll_Map();
        const std::vector<std::uint16_t> shifted = Snapshot();
        ASSERT_EQ(First_Difference(shifted, Fresh_Redraw()), "") << c.what;
    }
}

TEST_F(Scrolling, TheFullRedrawDrawsOnlyOnTheMapScreens) {
    Sample_Map(10, 10, 1);
    for (std::uint32_t screen : {SCREEN_NONE, SCREEN_INVENTORY, SCREEN_CHAR_PAGE, SCREEN_SPELL_PAGE}) {
        ScreenType = screen;
        Fill_Surface_Rect(BACK, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0x0F0F);
        Redraw_Map();
        Scroll_Map();
        for (int y = 0; y < SCREEN_HEIGHT; y += 7)
            for (int x = 0; x < SCREEN_WIDTH; x += 7) ASSERT_EQ(Pixel(x, y), 0x0F0F) << screen;
    }
    // The hexamap screen draws the ornaments over the view, the editor none.
    ScreenType = SCREEN_HEXAMAP;
    scroll_x = 100;
    scroll_y = 50;
    Redraw_Map();
    const std::vector<std::uint16_t> with_ornaments = Snapshot();
    ScreenType = SCREEN_EDITOR;
    Redraw_Map();
    EXPECT_NE(First_Difference(with_ornaments, Snapshot()), "");
}

TEST_F(Scrolling, CentringShowsTheObjectsLevelAroundItsField) {
    Sample_Map(30, 30, 2);
    const std::uint16_t c = fixture::Place_Char(Field_Index(12, 9, 1), "Centre");
    shown_level = 0;
    Objects_Hooks().center_on_object(fixture::Char_Ref(c));  // the game world's way
    EXPECT_EQ(shown_level, 1u);
    EXPECT_EQ(scroll_y, 9 * 21 - 179);
    EXPECT_EQ(scroll_x, 12 * 42 + 9 * 21 - 229);
    // The field is then under the view's centre.
    EXPECT_EQ(Field_Under_Point(map_view.left + 229, map_view.top + 179), Field_Index(12, 9, 1));
    EXPECT_TRUE(last_drawn_scroll.valid);
    // Near the map's corner the redraw clamps.
    Center_On_Object(Make_Obj(OBJ_FIXITEM, Field_Index(0, 0, 0)));
    EXPECT_EQ(shown_level, 0u);
    EXPECT_EQ(scroll_y, -106);
    EXPECT_EQ(scroll_x, -21);
}

TEST_F(Scrolling, FreeingTheMapReleasesEveryArray) {
    Sample_Map(10, 10, 2);
    Redraw_Map();
    Free_Map();
    EXPECT_TRUE(maparray.records.empty());
    EXPECT_TRUE(chararray.records.empty());
    EXPECT_TRUE(itemarray.records.empty());
    EXPECT_TRUE(item_types.empty());
    EXPECT_TRUE(mapanim.records.empty());
    EXPECT_TRUE(animated_fixitems.records.empty());
    EXPECT_TRUE(global_modifiers.empty());
    EXPECT_FALSE(last_drawn_scroll.valid);
}

}  // namespace
