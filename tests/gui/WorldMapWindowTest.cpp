// The real world map program on the X display: its screen shows the same
// picture as the headless runner's shot (so the palette reaches the
// window) but for what the palette cycling and the flames animate, which
// goes on showing while it is left alone; its sound, written by SDL's disk driver, starts bit for bit with the music
// and carries the steps from a click until the arrival; without a usable
// driver it runs silent. Escape fades and ends it with status 0, and a close
// from outside (what a window manager sends) ends it within a second. The
// grabs are kept for review.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#undef TRUE
#undef FALSE

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "support/PngRead.h"
#include "tests/gui/Program.h"
#include "tests/gui/ScreenTest.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class WorldMapWindow : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        dir = fs::temp_directory_path() / ("worldmap-gui-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        Keep_Failure_Screen(Shots());
        fs::remove_all(dir);
    }
    static fs::path Shots() { return Shots_Folder("worldmap"); }
    // The headless runner's shots of the screen after the start-up and the
    // twelve ticks after it (a whole round of the palette's cycles); the
    // pixels that change among them, and the flames, are left out of
    // comparisons.
    bool Headless_Shots(fixture::png_picture& start, std::vector<bool>& animated) {
        std::ofstream script(dir / "script.txt");
        script << "shot s0\n";
        for (int i = 1; i <= 12; ++i) script << "tick 1\nshot s" << i << "\n";
        script.close();
        const std::string command = std::string(WORLDMAP_RUNNER) + " '" + dir.string() + "' '" +
                                    (dir / "script.txt").string() + "' '" + (dir / "shots").string() + "' > /dev/null";
        if (std::system(command.c_str()) != 0 || !fixture::Read_Png(dir / "shots" / "s0.png", start)) return false;
        animated.assign(start.rgb.size(), false);
        for (int i = 1; i <= 12; ++i) {
            fixture::png_picture later;
            if (!fixture::Read_Png(dir / "shots" / ("s" + std::to_string(i) + ".png"), later)) return false;
            for (std::size_t p = 0; p < later.rgb.size(); ++p)
                animated[p] = animated[p] || later.rgb[p] != start.rgb[p];
        }
        for (int y = 305; y < 341; ++y)
            for (int x = 0; x < 640; ++x)
                if ((x >= 48 && x < 68) || (x >= 565 && x < 585))
                    animated[static_cast<std::size_t>(y) * 640 + x] = true;
        return true;
    }
    // Pixels of every second row and column that differ from the picture,
    // the animated ones left out.
    int Differences(const screen_picture& s, const fixture::png_picture& p, const std::vector<bool>& animated) const {
        int wrong = 0;
        for (int y = 0; y < p.height; y += 2)
            for (int x = 0; x < p.width; x += 2) {
                const std::size_t i = static_cast<std::size_t>(y) * p.width + x;
                wrong += !animated[i] && Picture_Pixel(s, x, y) != p.rgb[i];
            }
        return wrong;
    }
    // Grabs the screen for a while: how many times its animated pixels
    // looked different from the grab before.
    int Animated_Changes(const std::vector<bool>& animated, int width, int grabs) const {
        std::optional<screen_picture> before = Grab_Screen();
        int changes = 0;
        for (int i = 0; i < grabs && before; ++i) {
            std::this_thread::sleep_for(250ms);
            std::optional<screen_picture> now = Grab_Screen();
            if (!now) break;
            bool changed = false;
            for (std::size_t p = 0; p < animated.size() && !changed; p += 3)
                if (animated[p]) {
                    const int x = static_cast<int>(p % width), y = static_cast<int>(p / width);
                    changed = Picture_Pixel(*before, x, y) != Picture_Pixel(*now, x, y);
                }
            changes += changed;
            before = std::move(now);
        }
        return changes;
    }
    // The sound files in the folder the program starts in.
    bool Write_Sounds() { return std::system((std::string(WORLDMAP_ARTGEN) + " '" + dir.string() + "'").c_str()) == 0; }
    // The map shows once the frame's gilt corner is lit.
    bool Wait_For_Map(std::chrono::seconds limit) {
        return Wait_For([&](const screen_picture& s) { return Picture_Pixel(s, 1, 1) != 0; }, limit);
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

    fs::path dir;
};

// Sets an environment variable for the programs started while it lives.
class Environment {
  public:
    Environment(const char* name, const std::string& value) : name_(name) {
        if (const char* was = std::getenv(name)) was_ = was;
        ::setenv(name, value.c_str(), 1);
    }
    ~Environment() {
        if (was_)
            ::setenv(name_, was_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> was_;
};

std::vector<std::int16_t> Samples_Of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

TEST_F(WorldMapWindow, ShowsTheHeadlessPictureAndFadesOutOnEscape) {
    ASSERT_TRUE(Write_Sounds());
    fixture::png_picture expected;
    std::vector<bool> animated;
    ASSERT_TRUE(Headless_Shots(expected, animated));
    Program map(dir, dir / "worldmap.log", WORLDMAP_PROGRAM);
    ASSERT_TRUE(map.Started());
    const bool same = Wait_For([&](const screen_picture& s) { return Differences(s, expected, animated) == 0; }, 30s);
    if (const std::optional<screen_picture> s = Grab_Screen()) Save_Screen(*s, (Shots() / "start.png").string());
    ASSERT_TRUE(same) << "the window does not show the headless picture; log: " << map.Log();
    // Left alone, the palette cycling and the flames go on showing.
    EXPECT_GE(Animated_Changes(animated, expected.width, 4), 3) << "the animation stood still";
    wxUIActionSimulator input;
    input.Char(WXK_ESCAPE);
    // The screen darkens before the program ends.
    EXPECT_TRUE(Wait_For([&](const screen_picture& s) { return Differences(s, expected, animated) > 1000; }, 10s));
    const std::optional<int> status = Wait_Exit(map, 20s);
    ASSERT_TRUE(status) << "Escape did not end the program";
    EXPECT_EQ(*status, 0) << map.Log();
}

TEST_F(WorldMapWindow, TheSoundStartsWithTheMusicAndCarriesTheStepsOfAWalk) {
    ASSERT_TRUE(Write_Sounds());
    const Environment driver("SDL_AUDIODRIVER", "disk");
    const Environment file("SDL_DISKAUDIOFILE", (dir / "output.raw").string());
    Program map(dir, dir / "worldmap.log", WORLDMAP_PROGRAM);
    ASSERT_TRUE(map.Started());
    ASSERT_TRUE(Wait_For_Map(30s)) << map.Log();
    std::this_thread::sleep_for(1500ms);
    // A place on the road west of the home town, 80 steps away.
    wxUIActionSimulator input;
    input.MouseMove(Screen_Point(150, 250));
    input.MouseClick(wxMOUSE_BTN_LEFT);
    input.MouseMove(Screen_Point(320, 240));
    std::this_thread::sleep_for(1000ms);
    if (const std::optional<screen_picture> s = Grab_Screen()) Save_Screen(*s, (Shots() / "after-click.png").string());
    std::this_thread::sleep_for(10s);
    input.Char(WXK_ESCAPE);
    const std::optional<int> status = Wait_Exit(map, 20s);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, 0) << map.Log();

    // The device plays silence until the music starts (which starts with a
    // few samples of 0 too): both are compared from their first sound on.
    std::vector<std::int16_t> out = Samples_Of(dir / "output.raw"), music = Samples_Of(dir / "MainMap.mus");
    auto sound_from = [](std::vector<std::int16_t>& v) {
        v.erase(v.begin(), std::find_if(v.begin(), v.end(), [](std::int16_t s) { return s != 0; }));
    };
    sound_from(out);
    sound_from(music);
    ASSERT_GT(out.size(), 44100u * 2 * 10) << "the output of the whole run";
    std::size_t first = 0;
    while (first < out.size() && out[first] == music[first]) ++first;
    EXPECT_GT(first, 44100u * 2) << "the output starts with the music, bit for bit";
    // The steps: from the first difference to where the music alone goes on
    // (a third of a second without a difference).
    std::size_t end = first, same = 0;
    for (std::size_t i = first; i < out.size() && same < 44100 * 2 / 3; ++i) {
        same = out[i] == music[i] ? same + 1 : 0;
        if (same == 0) end = i;
    }
    const double seconds = static_cast<double>(end - first) / (44100 * 2);
    EXPECT_NEAR(seconds, 8.0, 0.5) << "80 steps of 100 ms";
}

TEST_F(WorldMapWindow, WithoutAUsableSoundDriverItRunsSilent) {
    ASSERT_TRUE(Write_Sounds());
    const Environment driver("SDL_AUDIODRIVER", "no-such-driver");
    Program map(dir, dir / "worldmap.log", WORLDMAP_PROGRAM);
    ASSERT_TRUE(map.Started());
    ASSERT_TRUE(Wait_For_Map(30s)) << map.Log();
    EXPECT_EQ(map.Log(), "worldmap: no sound device: the map stays silent\n");
    wxUIActionSimulator input;
    input.Char(WXK_ESCAPE);
    const std::optional<int> status = Wait_Exit(map, 20s);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0) << map.Log();
}

TEST_F(WorldMapWindow, ACloseFromOutsideEndsItWithinASecond) {
    ASSERT_TRUE(Write_Sounds());
    fixture::png_picture expected;
    std::vector<bool> animated;
    ASSERT_TRUE(Headless_Shots(expected, animated));
    Program map(dir, dir / "worldmap.log", WORLDMAP_PROGRAM);
    ASSERT_TRUE(map.Started());
    // Running, its fade-in over.
    ASSERT_TRUE(Wait_For([&](const screen_picture& s) { return Differences(s, expected, animated) == 0; }, 30s))
        << map.Log();
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(Close_From_Outside("Main Map"));
    const std::optional<int> status = Wait_Exit(map, 20s);
    const auto took = std::chrono::steady_clock::now() - asked;
    ASSERT_TRUE(status) << "the close did not end the program";
    EXPECT_EQ(*status, 0) << map.Log();
    EXPECT_LT(took, 1s) << map.Log();
}

}  // namespace
