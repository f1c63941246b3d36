// The real program on the X display: it starts in a generated working
// folder, shows the hexamap screen scaled to the screen, answers the mouse
// (a control's text on the message line, a click on the quit control) and
// the keys (Esc asks to quit), and closes through the quit path with exit
// status 0; a start-up that fails shows its message and exits with 1.
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
    void Press(int key) {
        wxUIActionSimulator input;
        input.Char(key);
    }

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
    Press(WXK_ESCAPE);
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Box_Shown(s); }, 10s)) << "no quit box on Esc";
    input.MouseMove(wxPoint(fit.window_width / 2, fit.window_height / 2));
    const std::optional<int> status = Wait_Exit(game, 20s, [&] { Press(WXK_RETURN); });
    ASSERT_TRUE(status) << "the game did not close";
    EXPECT_EQ(*status, 0) << game.Log();
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
