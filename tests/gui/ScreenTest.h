// A test of a real program on the X display: the wx window system is open
// for the simulator's input, the screen's fit of the 640 x 480 picture is
// known, and a failing test leaves a grab of the screen behind.
#pragma once
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#undef TRUE
#undef FALSE

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/ScreenFit.h"
#include "tests/gui/XScreen.h"

class ScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY") == nullptr) return;
        static int argc = 1;
        static char name[] = "test_gui";
        static char* argv[] = {name, nullptr};
        // A GUI application object, so that the simulator's window system is open.
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
    }
    // The folder beside the test program that keeps the grabs of a test,
    // named test_gui-<name>-shots.
    static std::filesystem::path Shots_Folder(const std::string& name) {
        const std::filesystem::path shots =
            std::filesystem::canonical("/proc/self/exe").parent_path() / ("test_gui-" + name + "-shots");
        std::filesystem::create_directories(shots);
        return shots;
    }
    // The grab of a failing test goes to failure.png in this folder.
    void Keep_Failure_Screen(const std::filesystem::path& folder) {
        if (HasFailure())
            if (const std::optional<screen_picture> screen = Grab_Screen())
                Save_Screen(*screen, (folder / "failure.png").string());
    }

    // The screen point of a picture pixel (its centre).
    wxPoint Screen_Point(int x, int y) const {
        const RECT r = Picture_To_Window(fit, {x, y, x + 1, y + 1});
        return {static_cast<int>((r.left + r.right - 1) / 2), static_cast<int>((r.top + r.bottom - 1) / 2)};
    }
    std::uint32_t Picture_Pixel(const screen_picture& s, int x, int y) const {
        const wxPoint p = Screen_Point(x, y);
        return s.At(p.x, p.y);
    }

    static inline bool wx_ready = false;
    screen_fit fit;
};
