// The real program on the X display: it starts in a generated working
// folder, shows the hexamap screen scaled to the screen, answers the mouse
// (a control's text on the message line, a click on the quit control) and
// the keys (Esc asks to quit), and closes through the quit path with exit
// status 0; a start-up that fails shows its message and exits with 1. Left
// alone it plays on, and the mouse moved onto a screen edge scrolls the map
// at once and until it leaves the edge (the steps' grabs are kept for
// review).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/uiaction.h>

#undef TRUE
#undef FALSE

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

#include "support/GameFolder.h"
#include "tests/gui/Program.h"
#include "tests/gui/ScreenTest.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool Light(std::uint32_t c) { return (c >> 16 & 0xFF) > 200 && (c >> 8 & 0xFF) > 200 && (c & 0xFF) > 200; }
bool Yellow(std::uint32_t c) { return (c >> 16 & 0xFF) > 200 && (c >> 8 & 0xFF) > 200 && (c & 0xFF) < 90; }
// The panel's wood: reddish brown.
bool Wood(std::uint32_t c) {
    const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
    return r > 50 && r > g && g > b;
}

class GameWindow : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        logs = fs::temp_directory_path() / ("orvex-gui-" + std::to_string(::getpid()));
        fs::create_directories(logs);
    }
    void TearDown() override { Keep_Failure_Screen(logs); }

    // Waits until the screen shows what test asks for.
    bool Wait_For(const std::function<bool(const screen_picture&)>& test, std::chrono::seconds limit) const {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            if (const std::optional<screen_picture> s = Grab_Screen(); s && test(*s)) return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }
    static std::optional<int> Wait_Exit(Program& program, std::chrono::seconds limit,
                                        const std::function<void()>& meanwhile = {}) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            if (std::optional<int> status = program.Status()) return status;
            if (meanwhile) meanwhile();
            std::this_thread::sleep_for(200ms);
        }
        return program.Status();
    }
    // Colours seen on a grid over the map view.
    std::size_t Map_Colours(const screen_picture& s) const {
        std::set<std::uint32_t> colours;
        for (int y = 20; y < 360; y += 9)
            for (int x = 100; x < 540; x += 9) colours.insert(Picture_Pixel(s, x, y));
        return colours.size();
    }
    // A message box lies over the middle of the screen.
    bool Box_Shown(const screen_picture& s) const { return Light(s.At(s.width / 2, s.height / 2)); }
    // Yellow text on the message line of the hexamap screen.
    int Message_Line_Ink(const screen_picture& s) const {
        int ink = 0;
        for (int y = 460; y < 472; ++y)
            for (int x = 36; x < 200; ++x) ink += Yellow(Picture_Pixel(s, x, y));
        return ink;
    }
    // Esc asks to quit; Enter answers Yes and the game closes in order.
    void Quit_With_Esc(Program& game) {
        Press(WXK_ESCAPE);
        ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Box_Shown(s); }, 10s)) << "no quit box on Esc";
        wxUIActionSimulator input;
        input.MouseMove(wxPoint(fit.window_width / 2, fit.window_height / 2));
        const std::optional<int> status = Wait_Exit(game, 20s, [&] { Press(WXK_RETURN); });
        ASSERT_TRUE(status) << "the game did not close";
        EXPECT_EQ(*status, 0) << game.Log();
    }
    void Press(int key) {
        wxUIActionSimulator input;
        input.Char(key);
    }
    static fs::path Shots() { return Shots_Folder("game"); }
    static screen_picture Shot(const std::string& name) {
        std::optional<screen_picture> s = Grab_Screen();
        if (!s) return {};
        Save_Screen(*s, (Shots() / (name + ".png")).string());
        return *s;
    }
    // The share of the map view's pixels of a that b shows dx pixels further
    // left (the view scrolled right by dx), on a grid below the ornaments.
    double Shifted_Match(const screen_picture& a, const screen_picture& b, int dx) const {
        int same = 0, all = 0;
        for (int y = 40; y < MAP_VIEW_BOTTOM; y += 5)
            for (int x = MAP_VIEW_LEFT + dx; x < MAP_VIEW_RIGHT; x += 3) {
                same += Picture_Pixel(a, x, y) == Picture_Pixel(b, x - dx, y);
                ++all;
            }
        return all == 0 ? 0.0 : static_cast<double>(same) / all;
    }
    // How far the view scrolled right from a to b, in whole scroll steps
    // (the shift that matches best; the characters and flames move between
    // ticks): 0 when it stood, -1 when b is no shifted copy of a.
    int Scrolled_Right(const screen_picture& a, const screen_picture& b) const {
        int best = -1;
        double best_match = 0.75;
        for (int dx = 0; dx <= MAX_SHIFT; dx += SCROLL_STEP)
            if (const double match = Shifted_Match(a, b, dx); match > best_match) {
                best = dx;
                best_match = match;
            }
        return best;
    }
    // Grabs the map view for a while: how many times it looked different
    // from the grab before.
    int Map_Changes(int grabs) const {
        std::optional<screen_picture> before = Grab_Screen();
        int changes = 0;
        for (int i = 0; i < grabs && before; ++i) {
            std::this_thread::sleep_for(400ms);
            std::optional<screen_picture> now = Grab_Screen();
            if (!now) break;
            changes += Shifted_Match(*before, *now, 0) < 1.0;
            before = std::move(now);
        }
        return changes;
    }

    // The hexamap screen's map view (right and bottom exclusive) and the step
    // of a scroll, in picture pixels; the largest shift looked for.
    static constexpr int MAP_VIEW_LEFT = 92, MAP_VIEW_RIGHT = 547, MAP_VIEW_BOTTOM = 369;
    static constexpr int SCROLL_STEP = 6, MAX_SHIFT = 360;

    fs::path logs;
};

TEST_F(GameWindow, PlaysAndClosesThroughTheQuitControl) {
    Program game(fixture::Game_Folder(), logs / "game.log");
    ASSERT_TRUE(game.Started());
    // The hexamap screen, scaled: its panel left of the map view, and the
    // start map in the view.
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Wood(Picture_Pixel(s, 20, 300)); }, 60s))
        << "no hexamap screen; log: " << game.Log();
    EXPECT_TRUE(Wait_For([&](const screen_picture& s) { return Map_Colours(s) > 20; }, 20s)) << "no map";
    EXPECT_EQ(game.Log(), "CTheApp::InitInstance\n");
    // The window covers the screen exactly, no pixel beyond it.
    const std::optional<window_box> window = Window_Box("Orvex Divuruz");
    ASSERT_TRUE(window);
    EXPECT_EQ(window->x, 0);
    EXPECT_EQ(window->y, 0);
    EXPECT_EQ(window->width, fit.window_width);
    EXPECT_EQ(window->height, fit.window_height);

    wxUIActionSimulator input;
    // The mouse over the quit control shows its text on the message line.
    input.MouseMove(Screen_Point(593, 361));
    EXPECT_TRUE(Wait_For([&](const screen_picture& s) { return Message_Line_Ink(s) > 20; }, 10s))
        << "no \"Quit\" on the message line";

    // A click on it asks; Esc answers the box without quitting.
    input.MouseClick(wxMOUSE_BTN_LEFT);
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Box_Shown(s); }, 10s)) << "no quit box";
    input.MouseMove(wxPoint(fit.window_width / 2, fit.window_height / 2));
    Press(WXK_ESCAPE);
    EXPECT_TRUE(Wait_For([&](const screen_picture& s) { return !Box_Shown(s); }, 10s)) << "the box stayed";
    EXPECT_FALSE(game.Status()) << "the game ended on No";

    // The Esc key asks again; Enter answers Yes and the game closes in order.
    input.MouseMove(Screen_Point(300, 200));
    Quit_With_Esc(game);
}

TEST_F(GameWindow, FailedStartShowsItsMessageAndExitsWithFailure) {
    const fs::path empty = logs / "empty";
    fs::create_directories(empty);
    Program game(empty, logs / "failed.log");
    ASSERT_TRUE(game.Started());
    // Without the palette the start-up asks whether to quit; OK quits.
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Box_Shown(s); }, 60s)) << game.Log();
    wxUIActionSimulator input;
    input.MouseMove(wxPoint(fit.window_width / 2, fit.window_height / 2));
    const std::optional<int> status = Wait_Exit(game, 30s, [&] { Press(WXK_RETURN); });
    ASSERT_TRUE(status) << "the game did not end";
    EXPECT_EQ(*status, 1);
}

// A folder without "start.map": the start-up shows why in a box; after OK
// the game goes on on the empty map and quits in order.
TEST_F(GameWindow, MissingStartMapIsShownAndTheGameGoesOnOnTheEmptyMap) {
    const fs::path folder = logs / "no-map";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* linked : {"ARTWORK", "CURSOR"})
        fs::create_directory_symlink(fixture::Game_Folder() / linked, folder / linked);
    fs::copy_file(fixture::Game_Folder() / "item.dat", folder / "item.dat");
    Program game(folder, logs / "no-map.log");
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Box_Shown(s); }, 60s)) << game.Log();
    if (const std::optional<screen_picture> screen = Grab_Screen())
        Save_Screen(*screen, (logs / "no-map-box.png").string());
    wxUIActionSimulator input;
    input.MouseMove(wxPoint(fit.window_width / 2, fit.window_height / 2));
    Press(WXK_RETURN);
    ASSERT_TRUE(
        Wait_For([&](const screen_picture& s) { return !Box_Shown(s) && Wood(Picture_Pixel(s, 20, 300)); }, 20s))
        << "no hexamap screen after OK; log: " << game.Log();
    EXPECT_LE(Map_Colours(*Grab_Screen()), 3u) << "the map view is empty";
    EXPECT_FALSE(game.Status()) << "the game goes on";
    input.MouseMove(Screen_Point(300, 200));
    Press(WXK_ESCAPE);
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Box_Shown(s); }, 10s)) << "no quit box on Esc";
    input.MouseMove(wxPoint(fit.window_width / 2, fit.window_height / 2));
    const std::optional<int> status = Wait_Exit(game, 20s, [&] { Press(WXK_RETURN); });
    ASSERT_TRUE(status) << "the game did not close";
    EXPECT_EQ(*status, 0) << game.Log();
    EXPECT_EQ(game.Log().rfind("CTheApp::InitInstance\n", 0), 0u) << game.Log();
    EXPECT_EQ(game.Log().find("ERROR"), std::string::npos) << "no leak: " << game.Log();
}

// The start map's view can scroll right a long way and its selected main
// character pulses with every tick. Left alone (the pointer never moved
// over the window) the game goes on drawing ticks; the pointer moved onto
// the right edge scrolls the view from the next pass, a step per refresh,
// until it moves off the edge; then the view stands and the ticks go on.
TEST_F(GameWindow, LeftAloneItPlaysOnAndThePointerOnAnEdgeScrollsAtOnce) {
    wxUIActionSimulator input;
    const wxPoint middle = Screen_Point(320, 200);
    input.MouseMove(middle);
    Program game(fixture::Game_Folder(), logs / "idle.log");
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(
        Wait_For([&](const screen_picture& s) { return Wood(Picture_Pixel(s, 20, 300)) && Map_Colours(s) > 20; }, 60s))
        << "no hexamap screen; log: " << game.Log();
    Shot("idle-1-started");

    // Left alone, the ticks keep redrawing the view.
    EXPECT_GE(Map_Changes(5), 4) << "the game stood still while left alone";
    const screen_picture resting = Shot("idle-2-left-alone");

    // Onto the right edge: the view scrolls at once and goes on scrolling.
    const auto moved = std::chrono::steady_clock::now();
    input.MouseMove(wxPoint(fit.window_width - 1, middle.y));
    screen_picture before = resting;
    int first = 0;
    while (first <= 0 && std::chrono::steady_clock::now() - moved < 2s) {
        std::optional<screen_picture> now = Grab_Screen();
        ASSERT_TRUE(now);
        first = Scrolled_Right(before, *now);
        before = std::move(*now);
    }
    const auto started = std::chrono::steady_clock::now() - moved;
    EXPECT_GT(first, 0) << "the pointer on the edge did not scroll the view";
    EXPECT_LT(started, 1s) << "the scroll did not start at once";
    std::this_thread::sleep_for(200ms);
    const screen_picture scrolled = Shot("idle-3-on-the-edge");
    // A step per refresh: over 200 ms a dozen.
    EXPECT_GE(Scrolled_Right(before, scrolled), 5 * SCROLL_STEP)
        << "the view stopped or slowed while the pointer rests on the edge";

    // Off the edge the view stands, and the game plays on.
    input.MouseMove(middle);
    std::this_thread::sleep_for(300ms);
    const screen_picture off = Shot("idle-4-off-the-edge");
    std::this_thread::sleep_for(400ms);
    const std::optional<screen_picture> later = Grab_Screen();
    ASSERT_TRUE(later);
    EXPECT_EQ(Scrolled_Right(off, *later), 0) << "the view went on scrolling off the edge";
    EXPECT_GE(Map_Changes(5), 4) << "the game stood still after the scroll";
    Shot("idle-5-playing-on");

    Quit_With_Esc(game);
}

// The backend's message box is modal for the game too: while it is open no
// tick, key or idle pass reaches the program (a probe on the backend).
TEST_F(GameWindow, MessageBoxHoldsTicksKeysAndIdlePassesBack) {
    Program probe(logs, logs / "probe.log", MODAL_PROBE);
    ASSERT_TRUE(probe.Started());
    const std::optional<int> status = Wait_Exit(probe, 60s);
    ASSERT_TRUE(status) << "the probe did not end";
    EXPECT_EQ(*status, 0) << probe.Log();
}

}  // namespace
