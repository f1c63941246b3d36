// The idle step: Ctrl with the direction keys scrolls the view 6 pixels a
// pass and holds the ticks back, the mouse on a screen edge scrolls toward
// it, the redraw a tick asked for happens in the next pass, and screens
// without a map view neither scroll nor redraw.
#include <gtest/gtest.h>

#include <vector>

#include "Objects/MapAnims.h"
#include "platform/VirtualKeys.h"
#include "tests/frontend/GameFixture.h"

namespace {

class IdleScroll : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Sample_World();
        // The view well inside the map, so no limit stops a scroll.
        backend().cursor_pos = {320, 240};
        Idle();
        redraw_request = 0;
    }
    void Hold(std::initializer_list<UINT> keys) {
        for (UINT k : keys) Key_Down(k);
    }
    void Let_Go(std::initializer_list<UINT> keys) {
        for (UINT k : keys) Key_Up(k);
    }
    struct moved {
        int dx, dy;
    };
    moved Pass() {
        const std::int32_t x = scroll_x, y = scroll_y;
        Idle();
        return {scroll_x - x, scroll_y - y};
    }
};

TEST_F(IdleScroll, CtrlWithArrowScrollsSixPixelsAPassAndHoldsTheTicksBack) {
    Hold({VK_CONTROL, VK_LEFT});
    for (int pass = 0; pass < 3; ++pass) {
        const moved m = Pass();
        EXPECT_EQ(m.dx, -6);
        EXPECT_EQ(m.dy, 0);
        EXPECT_EQ(view_scrolled, 1u);
    }
    const std::uint32_t clock = game_clock;
    Tick();
    EXPECT_EQ(game_clock, clock) << "no tick while the view scrolls";
    EXPECT_EQ(redraw_request, 0u);

    Let_Go({VK_LEFT, VK_CONTROL});
    const moved still = Pass();
    EXPECT_EQ(still.dx, 0);
    EXPECT_EQ(view_scrolled, 0u);
    Tick();
    EXPECT_EQ(game_clock - clock, clock_step) << "the next tick runs";
}

TEST_F(IdleScroll, KeyCombinationsScrollByTheirDirections) {
    struct key_case {
        const char* what;
        std::vector<UINT> keys;
        int dx, dy;
        bool scrolled;
    };
    const key_case cases[] = {
        {"Ctrl+Home: up and left", {VK_CONTROL, VK_HOME}, -6, -6, true},
        {"Ctrl+Page Down: down and right", {VK_CONTROL, VK_NEXT}, 6, 6, true},
        {"Ctrl+numeric 8: up", {VK_CONTROL, VK_NUMPAD8}, 0, -6, true},
        {"Ctrl+numeric 3: down and right", {VK_CONTROL, VK_NUMPAD3}, 6, 6, true},
        {"Ctrl+Right+Down", {VK_CONTROL, VK_RIGHT, VK_DOWN}, 6, 6, true},
        {"Ctrl+Up+Down: no move, still a scroll", {VK_CONTROL, VK_UP, VK_DOWN}, 0, 0, true},
        {"Ctrl alone", {VK_CONTROL}, 0, 0, false},
        {"an arrow without Ctrl", {VK_LEFT}, 0, 0, false},
    };
    for (const key_case& c : cases) {
        for (UINT k : c.keys) Key_Down(k);
        const moved m = Pass();
        EXPECT_EQ(m.dx, c.dx) << c.what;
        EXPECT_EQ(m.dy, c.dy) << c.what;
        EXPECT_EQ(view_scrolled, c.scrolled ? 1u : 0u) << c.what;
        for (UINT k : c.keys) Key_Up(k);
    }
}

TEST_F(IdleScroll, MouseOnAnEdgeOrCornerScrollsTowardIt) {
    struct edge_case {
        const char* what;
        POINT at;
        int dx, dy;
    };
    const edge_case cases[] = {
        {"left edge", {0, 240}, -6, 0},    {"right edge", {639, 240}, 6, 0},   {"top edge", {320, 0}, 0, -6},
        {"bottom edge", {320, 479}, 0, 6}, {"top left", {0, 0}, -6, -6},       {"top right", {639, 0}, 6, -6},
        {"bottom left", {0, 479}, -6, 6},  {"bottom right", {639, 479}, 6, 6}, {"one pixel in", {1, 478}, 0, 0},
        {"the middle", {320, 240}, 0, 0},
    };
    for (const edge_case& c : cases) {
        backend().cursor_pos = c.at;
        for (int pass = 0; pass < 2; ++pass) {
            const moved m = Pass();
            EXPECT_EQ(m.dx, c.dx) << c.what;
            EXPECT_EQ(m.dy, c.dy) << c.what;
            EXPECT_EQ(view_scrolled, c.dx != 0 || c.dy != 0 ? 1u : 0u) << c.what;
        }
    }

    // Ctrl alone leaves the edge to the mouse; Ctrl with a direction wins.
    backend().cursor_pos = {639, 240};
    Hold({VK_CONTROL});
    EXPECT_EQ(Pass().dx, 6);
    Hold({VK_LEFT});
    const moved keys = Pass();
    EXPECT_EQ(keys.dx, -6);
    EXPECT_EQ(keys.dy, 0);
}

TEST_F(IdleScroll, ThePassAfterATickRedrawsTheView) {
    Tick();
    ASSERT_EQ(redraw_request, 1u);
    const int blanks = backend().vertical_blanks;
    Idle();
    EXPECT_EQ(redraw_request, 0u);
    EXPECT_GT(backend().vertical_blanks, blanks) << "a redraw waits for the vertical blank";
    EXPECT_TRUE(last_drawn_scroll.valid);
}

TEST_F(IdleScroll, ScreensWithoutTheMapViewNeitherScrollNorRedraw) {
    for (std::uint32_t screen : {SCREEN_NONE, SCREEN_INVENTORY, SCREEN_CHAR_PAGE, SCREEN_SPELL_PAGE}) {
        ScreenType = screen;
        backend().cursor_pos = {0, 0};
        redraw_request = 1;
        view_scrolled = 1;
        const moved m = Pass();
        EXPECT_EQ(m.dx, 0) << screen;
        EXPECT_EQ(m.dy, 0) << screen;
        EXPECT_EQ(view_scrolled, 0u) << screen;
        EXPECT_EQ(redraw_request, 1u) << screen;
    }
    ScreenType = SCREEN_HEXAMAP;
    redraw_request = 0;
}

TEST_F(IdleScroll, WithTheEditorOpenTheTickStopsButTheViewStillScrolls) {
    ScreenType = SCREEN_EDITOR;
    Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom);
    editor_busy = 1;
    const std::uint32_t clock = game_clock;
    const std::uint8_t cycle = anim_cycle;
    Tick();
    EXPECT_EQ(game_clock, clock);
    EXPECT_EQ(anim_cycle, cycle);
    EXPECT_EQ(redraw_request, 0u);
    backend().cursor_pos = {0, 240};
    EXPECT_EQ(Pass().dx, -6);
    redraw_request = 1;
    Idle();
    EXPECT_EQ(redraw_request, 0u) << "the editor's map view is redrawn";
}

}  // namespace
