// The real world map program on the X display: its screen shows the same
// picture as the headless runner's shot (so the palette reaches the
// window), Escape ends it with status 0, and so does a close from outside
// (what a window manager sends). The grab is kept for review.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/uiaction.h>

#undef TRUE
#undef FALSE

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "platform/ScreenFit.h"
#include "support/PngRead.h"
#include "tests/gui/Program.h"
#include "tests/gui/XScreen.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class WorldMapWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY") == nullptr) return;
        static int argc = 1;
        static char name[] = "test_gui";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp());
        wx_ready = wxEntryStart(argc, argv);
    }
    static void TearDownTestSuite() {
        if (wx_ready) wxEntryCleanup();
        wx_ready = false;
    }
    void SetUp() override {
        if (!wx_ready) GTEST_SKIP() << "no X display";
        const std::optional<screen_picture> screen = Grab_Screen();
        ASSERT_TRUE(screen);
        fit = Fit_Picture(screen->width, screen->height);
        dir = fs::temp_directory_path() / ("worldmap-gui-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (HasFailure())
            if (const std::optional<screen_picture> s = Grab_Screen())
                Save_Screen(*s, (Shots() / "failure.png").string());
        fs::remove_all(dir);
    }
    static fs::path Shots() {
        const fs::path shots = fs::canonical("/proc/self/exe").parent_path() / "test_gui-worldmap-shots";
        fs::create_directories(shots);
        return shots;
    }
    std::uint32_t Picture_Pixel(const screen_picture& s, int x, int y) const {
        return s.At(fit.left + x * fit.scale + fit.scale / 2, fit.top + y * fit.scale + fit.scale / 2);
    }
    // The headless runner's shot of the screen after the start-up.
    bool Headless_Shot(fixture::png_picture& out) {
        std::ofstream(dir / "script.txt") << "shot start\n";
        const std::string command = std::string(WORLDMAP_RUNNER) + " '" + dir.string() + "' '" +
                                    (dir / "script.txt").string() + "' '" + dir.string() + "' > /dev/null";
        return std::system(command.c_str()) == 0 && fixture::Read_Png(dir / "start.png", out);
    }
    // Pixels of every fourth row and column that differ from the picture.
    int Differences(const screen_picture& s, const fixture::png_picture& p) const {
        int wrong = 0;
        for (int y = 0; y < p.height; y += 4)
            for (int x = 0; x < p.width; x += 4) wrong += Picture_Pixel(s, x, y) != p.rgb[y * p.width + x];
        return wrong;
    }
    bool Wait_For(const std::function<bool(const screen_picture&)>& test, std::chrono::seconds limit,
                  std::optional<screen_picture>* last = nullptr) const {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            std::optional<screen_picture> s = Grab_Screen();
            if (s && test(*s)) {
                if (last != nullptr) *last = std::move(s);
                return true;
            }
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }
    static std::optional<int> Wait_Exit(Program& program, std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            if (std::optional<int> status = program.Status()) return status;
            std::this_thread::sleep_for(50ms);
        }
        return program.Status();
    }

    static inline bool wx_ready = false;
    screen_fit fit;
    fs::path dir;
};

TEST_F(WorldMapWindow, ShowsTheHeadlessPictureAndEndsOnEscape) {
    fixture::png_picture expected;
    ASSERT_TRUE(Headless_Shot(expected));
    Program map(dir, dir / "worldmap.log", WORLDMAP_PROGRAM);
    ASSERT_TRUE(map.Started());
    std::optional<screen_picture> shown;
    const bool same = Wait_For([&](const screen_picture& s) { return Differences(s, expected) == 0; }, 30s, &shown);
    if (const std::optional<screen_picture> s = Grab_Screen()) Save_Screen(*s, (Shots() / "start.png").string());
    ASSERT_TRUE(same) << "the window does not show the headless picture; log: " << map.Log();
    wxUIActionSimulator input;
    input.Char(WXK_ESCAPE);
    const std::optional<int> status = Wait_Exit(map, 20s);
    ASSERT_TRUE(status) << "Escape did not end the program";
    EXPECT_EQ(*status, 0) << map.Log();
}

TEST_F(WorldMapWindow, ACloseFromOutsideEndsWithStatusZero) {
    Program map(dir, dir / "worldmap.log", WORLDMAP_PROGRAM);
    ASSERT_TRUE(map.Started());
    // The frame's gilt edge in the screen's top-left corner once it shows.
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Picture_Pixel(s, 1, 1) != 0; }, 30s)) << map.Log();
    ASSERT_TRUE(Close_From_Outside("Main Map"));
    const std::optional<int> status = Wait_Exit(map, 20s);
    ASSERT_TRUE(status) << "the close did not end the program";
    EXPECT_EQ(*status, 0) << map.Log();
}

}  // namespace
