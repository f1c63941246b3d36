// The application and its window: the start-up, the first paint, the game
// tick with its conditions and its dropping of queued ticks, the window size
// rule, the held keys, the orderly close, and start-ups that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "Objects/Char/CharSprites.h"
#include "Objects/Hooks.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/PathSearch.h"
#include "System/Fonts.h"
#include "datafiles/Hooks.h"
#include "datafiles/MapFile.h"
#include "platform/VirtualKeys.h"
#include "support/FileFaultBox.h"
#include "support/GameFolder.h"
#include "tests/frontend/GameFixture.h"

namespace {

namespace fs = std::filesystem;

using GameFrame = GameTest;

bool Same_Pictures(const IDirectDrawSurface& a, const IDirectDrawSurface& b) {
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        if (std::memcmp(a.Bits() + y * a.Pitch(), b.Bits() + y * b.Pitch(), SCREEN_WIDTH * 2) != 0) return false;
    return true;
}

TEST_F(GameFrame, StartsTheGameInAShownWindowWithItsTimer) {
    // The trace line; the map loader reports in a box that this folder has
    // no "start.map", and the game goes on on the empty map.
    EXPECT_EQ(trace, "CTheApp::InitInstance\n");
    ASSERT_EQ(startup_boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(startup_boxes[0], "Unable to open map file", "/start.map",
                                           "No such file or directory", false));
    EXPECT_EQ(startup_boxes[0].Buttons(), static_cast<UINT>(MB_OK));
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Get_Main_Window(), Window());
    const HeadlessWindow* w = backend().Window(Window());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title, "Orvex Divuruz");
    EXPECT_EQ(w->style, 0x81000000u);
    EXPECT_TRUE(w->shown);
    ASSERT_EQ(backend().timers.size(), 1u);
    EXPECT_EQ(backend().timers[0].id, 1106u);
    EXPECT_EQ(backend().timers[0].milliseconds, 62u);
    EXPECT_EQ(Frame()->Timer_Id(), 1106u);
    EXPECT_EQ(surfaces_ready, 1);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(turn_mode, 0u);
    EXPECT_EQ(game_clock, NEW_GAME_CLOCK);
    EXPECT_TRUE(backend().boxes.empty());
    // The title was shown for 2.5 seconds.
    EXPECT_EQ(backend().slept_ms, 2500u);
    // Both cursors loaded; the sword is the pointer.
    ASSERT_EQ(backend().cursors.size(), 2u);
    EXPECT_EQ(backend().shown_cursor, sword_cursor);
    EXPECT_EQ(backend().cursors[0].hot_x, 1);
    EXPECT_EQ(backend().cursors[1].hot_x, 16);
    // The window size rule ran when the window was made.
    EXPECT_EQ(window_width, 640u);
    EXPECT_EQ(window_height, 480u);
    // The first paint, once the start-up was done, showed the whole screen.
    EXPECT_EQ(Window_Needing_Paint(), nullptr);
    EXPECT_TRUE(Same_Pictures(*Display_Primary(), *BACK));
}

TEST_F(GameFrame, StartUpConnectsTheWorldAndTheFilesToTheFrontEnd) {
    std::int32_t w = 0, h = 0;
    ASSERT_TRUE(Hook_Map_View_Size(w, h));
    EXPECT_EQ(w, 459);
    EXPECT_EQ(h, 359);
    ScreenType = SCREEN_INVENTORY;
    EXPECT_FALSE(Hook_Map_View_Size(w, h)) << "no map view on the inventory";
    ScreenType = SCREEN_HEXAMAP;
    cursor_type = 3;
    EXPECT_EQ(Hook_Cursor_Type(), 3);
    Hook_Set_Cursor_Type(0);
    EXPECT_EQ(cursor_type, 0);
    EXPECT_NE(Objects_Hooks().tick_pressed_control, nullptr);
    EXPECT_NE(Objects_Hooks().open_screen, nullptr);
    EXPECT_NE(Datafiles_Hooks().load_map_artwork, nullptr);
    EXPECT_NE(Datafiles_Hooks().unmark_cursor_fields, nullptr);
}

TEST_F(GameFrame, PaintsNothingBeforeTheStartUpFinished) {
    RECT dirty;
    Display_Primary()->Take_Dirty_Rect(dirty);
    surfaces_ready = 0;
    const RECT part{10, 20, 110, 220};
    InvalidateRect(Window(), &part, FALSE);
    Pump();
    EXPECT_FALSE(Display_Primary()->Take_Dirty_Rect(dirty));
    EXPECT_EQ(Window_Needing_Paint(), Window()) << "an unpainted window stays invalid";

    surfaces_ready = 1;
    Pump();
    ASSERT_TRUE(Display_Primary()->Take_Dirty_Rect(dirty));
    EXPECT_EQ(dirty.left, 10);
    EXPECT_EQ(dirty.top, 20);
    EXPECT_EQ(dirty.right, 110);
    EXPECT_EQ(dirty.bottom, 220);
    EXPECT_EQ(Window_Needing_Paint(), nullptr);
}

struct tick_case {
    const char* what;
    int ready;
    std::uint32_t scrolled, busy, turns;
    WPARAM id;
    bool runs;
    bool clock_steps;  // by clock_step
};

TEST_F(GameFrame, TickRunsOnlyWhenStartedNotScrolledAndNotInTheEditor) {
    const tick_case cases[] = {
        {"real time", 1, 0, 0, 0, 1106, true, true},
        {"turn mode: rounds move the clock, not the tick", 1, 0, 0, 1, 1106, true, false},
        {"the view scrolled", 1, 1, 0, 0, 1106, false, false},
        {"the editor is open", 1, 0, 1, 0, 1106, false, false},
        {"before the start-up finished", 0, 0, 0, 0, 1106, false, false},
        {"another timer", 1, 0, 0, 0, 1107, false, false},
    };
    for (const tick_case& c : cases) {
        surfaces_ready = c.ready;
        view_scrolled = c.scrolled;
        editor_busy = c.busy;
        turn_mode = c.turns;
        // A step no number of rounds adds up to.
        clock_step = 5;
        redraw_request = 0;
        const std::uint32_t clock = game_clock;
        const std::uint8_t cycle = anim_cycle;
        Post(WM_TIMER, c.id);
        EXPECT_EQ(redraw_request, c.runs ? 1u : 0u) << c.what;
        EXPECT_EQ(anim_cycle != cycle, c.runs) << c.what << ": the animations";
        const std::uint32_t moved = game_clock - clock;
        if (c.clock_steps)
            EXPECT_EQ(moved, 5u) << c.what;
        else if (c.turns)
            EXPECT_EQ(moved % ROUND_TICKS, 0u) << c.what;
        else
            EXPECT_EQ(moved, 0u) << c.what;
    }
    surfaces_ready = 1;
    view_scrolled = editor_busy = turn_mode = 0;
    clock_step = 4;
}

TEST_F(GameFrame, TickDropsTheTicksQueuedBehindIt) {
    const std::uint32_t clock = game_clock;
    PostMessageA(Window(), WM_TIMER, 1106, 0);
    PostMessageA(Window(), WM_TIMER, 1106, 0);
    PostMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    PostMessageA(Window(), WM_TIMER, 1106, 0);
    Pump();
    EXPECT_EQ(game_clock - clock, 4u) << "one tick ran";
    EXPECT_EQ(mouse_x, 5) << "other messages stay queued";

    // A skipped tick drops the queued ones too; another timer's drops none.
    view_scrolled = 1;
    PostMessageA(Window(), WM_TIMER, 1106, 0);
    PostMessageA(Window(), WM_TIMER, 1106, 0);
    MSG first;
    ASSERT_TRUE(backend().Take(first));
    Frame()->OnTimer(first.wParam, 0);
    EXPECT_EQ(backend().Count_Posted(WM_TIMER), 0u);
    view_scrolled = 0;
    PostMessageA(Window(), WM_TIMER, 1106, 0);
    Frame()->OnTimer(7, 0);
    EXPECT_EQ(backend().Count_Posted(WM_TIMER), 1u);
    Pump();
    EXPECT_EQ(game_clock - clock, 8u);
}

TEST_F(GameFrame, WindowSizeRuleGivesA640x480ClientAreaCentred) {
    backend().screen_width = 800;
    backend().screen_height = 600;
    MINMAXINFO limits{};
    SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMaxSize.x, 640);
    EXPECT_EQ(limits.ptMaxSize.y, 480);
    EXPECT_EQ(limits.ptMinTrackSize.x, 640);
    EXPECT_EQ(limits.ptMaxTrackSize.y, 480);
    EXPECT_EQ(limits.ptMaxPosition.x, 80);
    EXPECT_EQ(limits.ptMaxPosition.y, 60);
}

TEST_F(GameFrame, MoveAndSizeResetTheScreenRect) {
    for (UINT message : {WM_MOVE, WM_SIZE}) {
        screen_rect = {5, 6, 7, 8};
        Post(message, 0, MAKELPARAM(3, 4));
        EXPECT_EQ(screen_rect.left, 0);
        EXPECT_EQ(screen_rect.top, 0);
        EXPECT_EQ(screen_rect.right, 640);
        EXPECT_EQ(screen_rect.bottom, 480);
    }
}

TEST_F(GameFrame, KeysHoldTheirBitsUntilReleasedOrTheFocusGoes) {
    struct key_case {
        UINT key;
        std::uint32_t bits;
    };
    const key_case cases[] = {
        {VK_CONTROL, 16}, {VK_UP, 1},       {VK_NUMPAD8, 1}, {VK_DOWN, 2},    {VK_NUMPAD2, 2},
        {VK_LEFT, 4},     {VK_NUMPAD4, 4},  {VK_RIGHT, 8},   {VK_NUMPAD6, 8}, {VK_HOME, 5},
        {VK_NUMPAD7, 5},  {VK_PRIOR, 9},    {VK_NUMPAD9, 9}, {VK_END, 6},     {VK_NUMPAD1, 6},
        {VK_NEXT, 10},    {VK_NUMPAD3, 10}, {'A', 0},        {VK_SHIFT, 0},   {VK_NUMPAD5, 0},
    };
    for (const key_case& c : cases) {
        Key_Down(c.key);
        EXPECT_EQ(key_flags, c.bits) << c.key;
        Key_Up(c.key);
        EXPECT_EQ(key_flags, 0u) << c.key;
    }
    Key_Down(VK_CONTROL);
    Key_Down(VK_HOME);
    Key_Down(VK_RIGHT);
    EXPECT_EQ(key_flags, 16u + 1 + 4 + 8);
    Key_Up(VK_LEFT);
    EXPECT_EQ(key_flags, 16u + 1 + 8) << "a key lets go of its own bits";
    Post(WM_KILLFOCUS);
    EXPECT_EQ(key_flags, 0u);
}

TEST_F(GameFrame, ClosesInOrderAndEndsThePump) {
    Sample_World(12, 12);
    ASSERT_FALSE(maparray.records.empty());
    Close();
    EXPECT_FALSE(running) << "the pump ended";
    EXPECT_EQ(theApp.ExitInstance(), 0);
    EXPECT_EQ(Program_Exit_Status(theApp.ExitInstance()), 0);
    EXPECT_TRUE(backend().timers.empty()) << "the timer was killed";
    EXPECT_EQ(surfaces_ready, 0);
    EXPECT_EQ(primary_surface, nullptr) << "the surfaces were released";
    EXPECT_EQ(BACK, nullptr);
    EXPECT_EQ(display_released, 1);
    EXPECT_EQ(direct_draw, nullptr);
    EXPECT_TRUE(maparray.records.empty()) << "the map was freed";
    EXPECT_EQ(small_font, nullptr) << "the fonts were removed";
    EXPECT_EQ(char_head_count, 0u) << "the portraits kept for the run went at its end";
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(Get_Main_Window(), nullptr);
    EXPECT_TRUE(backend().boxes.empty());
}

// The editor goes first, while the map and the surfaces it shows are there.
TEST_F(GameFrame, ClosingClosesTheEditorFirst) {
    static bool map_there = false;
    map_there = false;
    Sample_World(12, 12);
    Editor_Hooks().close_editor = [] { map_there = !maparray.records.empty() && surfaces_ready == 1; };
    Close();
    EXPECT_TRUE(map_there);
}

TEST_F(GameFrame, InitScreenTypeEntersTheScreenAgainAndForgetsThePressedButton) {
    pressed_control = &hexamap_controls[4];
    ScreenType = SCREEN_HEXAMAP;
    Init_ScreenType();
    EXPECT_EQ(pressed_control, nullptr);
    EXPECT_TRUE(backend().boxes.empty());

    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    pressed_control = &hexamap_controls[4];
    ScreenType = 9;
    Init_ScreenType();
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].caption, "Invalid ScreenType in Init_ScreenType");
    EXPECT_EQ(pressed_control, nullptr);
    ScreenType = SCREEN_HEXAMAP;
}

TEST_F(GameFrame, RestoreScreenBringsTheSurfacesAndTheScreenBack) {
    Release_Surfaces();
    ASSERT_EQ(surfaces_ready, 0);
    ASSERT_EQ(Restore_Screen(), 1);
    EXPECT_EQ(surfaces_ready, 1) << "the screen can be drawn again";
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_TRUE(Same_Pictures(*Display_Primary(), *BACK));
}

// The start-up on a folder with its "start.map".
class GameOnMap : public GameTest {
  protected:
    void SetUp() override {
        folder = fixture::Game_Folder();
        GameTest::SetUp();
    }
};

TEST_F(GameOnMap, StartsOnTheStartMapAndDrawsItAfterTheFirstTick) {
    EXPECT_EQ(trace, "CTheApp::InitInstance\n");
    EXPECT_TRUE(backend().boxes.empty());
    EXPECT_EQ(map_loaded, 1u);
    EXPECT_EQ(map_width, fixture::GAME_MAP_SIDE);
    EXPECT_EQ(map_levels, fixture::GAME_MAP_LEVELS);
    EXPECT_EQ(scroll_limits.bottom, static_cast<std::int32_t>((map_height - 1) * 21 + 6));
    EXPECT_EQ(path_nodes.size(), total_fields) << "the path arrays fit the map";
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_FALSE(last_drawn_scroll.valid) << "the map waits for the first tick";
    Tick();
    Idle();
    EXPECT_TRUE(last_drawn_scroll.valid);
    // The map view shows floors: not one colour.
    std::set<std::uint16_t> colours;
    for (int y = map_view.top; y < map_view.bottom; y += 7)
        for (int x = map_view.left; x < map_view.right; x += 7)
            colours.insert(reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x]);
    EXPECT_GT(colours.size(), 20u);
}

// A folder of its own for start-ups that fail.
class FailingStart : public GameTest {
  protected:
    void SetUp() override {}
    void Start_In(const fs::path& dir) {
        folder = dir;
        GameTest::SetUp();
    }
    void Start_Without_Cursor(const char* keep) {
        const fs::path dir = fs::temp_directory_path() / ("orvex-cursors-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "CURSOR");
        fs::create_directory_symlink(art / "ARTWORK", dir / "ARTWORK");
        if (keep != nullptr) fs::copy_file(art / "CURSOR" / keep, dir / "CURSOR" / keep);
        Start_In(dir);
    }
    void TearDown() override {
        GameTest::TearDown();
        if (!folder.empty() && folder != art) fs::remove_all(folder);
    }
};

TEST_F(FailingStart, DisplayThatCannotBeOpenedEndsThePumpWithFailure) {
    Display_Options().unsupported_mode = true;
    Start_In(art);
    ASSERT_EQ(startup_boxes.size(), 1u);
    EXPECT_EQ(startup_boxes[0].caption, "This application can't work in this resolution.");
    EXPECT_FALSE(running) << "the start-up posted the quit";
    EXPECT_EQ(surfaces_ready, 0);
    EXPECT_EQ(backend().timers.size(), 1u) << "the timer is set even so";
    EXPECT_EQ(Program_Exit_Status(theApp.ExitInstance()), 1);
}

TEST_F(FailingStart, MissingCursorFileIsFatalWithItsText) {
    struct cursor_case {
        const char* keep;
        const char* text;
    };
    for (const cursor_case& c : {cursor_case{nullptr, "Cant load swordcursor\nCURSOR\\SWORD.CUR"},
                                 cursor_case{"SWORD.CUR", "Cant load shieldcursor\nCURSOR\\SHIELD.CUR"}}) {
        Start_Without_Cursor(c.keep);
        ASSERT_EQ(startup_boxes.size(), 1u) << c.text;
        EXPECT_EQ(startup_boxes[0].caption, "Application error !");
        EXPECT_EQ(startup_boxes[0].text, c.text);
        EXPECT_EQ(surfaces_ready, 0) << "the start-up stopped";
        EXPECT_FALSE(running) << "the close was posted and ran";
        EXPECT_EQ(Program_Exit_Status(theApp.ExitInstance()), 1);
        TearDown();
    }
}

}  // namespace
