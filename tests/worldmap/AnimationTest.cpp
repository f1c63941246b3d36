// The world map in motion on the test's clock: the torch flames, the cycled
// palette entries, the fades (their levels and the sound volumes), edge
// scrolling within its limits, and the marker walking the dotted route to a
// click with the step sound; shots of each for review.
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/VirtualKeys.h"
#include "worldmap/Display.h"
#include "worldmap/Drawing.h"
#include "worldmap/PaletteFade.h"
#include "worldmap/Scrolling.h"
#include "worldmap/WorldMapFixture.h"

namespace {

constexpr RECT LEFT_FLAME{48, 305, 68, 341}, RIGHT_FLAME{565, 305, 585, 341};
bool In(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
bool In_Flames(int x, int y) { return In(LEFT_FLAME, x, y) || In(RIGHT_FLAME, x, y); }

using Animation = WorldMapTest;

// The flame picture's frame n (its drawn pixels) shows at (x, y).
void Expect_Flame(const resource_picture& flames, int frame, int x, int y) {
    for (int dy = 0; dy < 36; ++dy)
        for (int dx = 0; dx < 20; ++dx) {
            const std::uint8_t v = flames.At(20 * frame + dx, dy);
            if (v == 0) continue;
            ASSERT_EQ(WorldMapTest::Screen_Index(x + dx, y + dy), v) << "frame " << frame;
        }
}

TEST_F(Animation, FlamesRunOneToTwentyTheRightOneEightAhead) {
    ASSERT_TRUE(Start());
    const resource_picture flames("LANG");
    std::vector<int> counters;
    for (int i = 0; i < 22; ++i) {
        const int shown = flame_counter;
        Ticks(1);
        counters.push_back(flame_counter);
        Expect_Flame(flames, shown, 48, 305);
        Expect_Flame(flames, (shown + 8) % 20, 565, 305);
    }
    const std::vector<int> expected = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 1, 2, 3};
    EXPECT_EQ(counters, expected);
}

TEST_F(Animation, CycledEntriesComeBackAfterTwoThreeAndFourTicks) {
    ASSERT_TRUE(Start());
    auto entries = [] {
        std::array<std::uint32_t, 256> e{};
        const PALETTEENTRY* p = Display_Primary()->Palette()->Entries();
        for (int i = 0; i < 256; ++i) e[i] = (p[i].peRed << 16) | (p[i].peGreen << 8) | p[i].peBlue;
        return e;
    };
    const std::array<std::uint32_t, 256> first = entries();
    struct group {
        int from, to, period;
    };
    const group groups[] = {{227, 228, 2}, {229, 231, 3}, {232, 235, 4}, {236, 239, 4}};
    for (int tick = 1; tick <= 12; ++tick) {
        Ticks(1);
        const std::array<std::uint32_t, 256> now = entries();
        for (const group& g : groups)
            for (int i = g.from; i <= g.to; ++i) {
                if (tick % g.period == 0) {
                    EXPECT_EQ(now[i], first[i]) << "entry " << i << " after " << tick;
                }
                // Each entry shows the colour of the one before it.
                const int before = i == g.from ? g.to : i - 1;
                if (tick == 1) {
                    EXPECT_EQ(now[i], first[before]) << "entry " << i;
                }
            }
        for (int i = 0; i < 256; ++i) {
            if (i >= 227 && i <= 239) continue;
            ASSERT_EQ(now[i], first[i]) << "entry " << i << " is not cycled";
        }
    }
}

TEST_F(Animation, StandingTicksChangeOnlyTheCycledPixelsAndTheFlames) {
    ASSERT_TRUE(Start());
    Save_Shot("after-fade-in");
    Ticks(1);
    const std::vector<std::uint8_t> before = Screen_Indexes();
    std::vector<std::uint32_t> before_rgb(640 * 480), after_rgb(640 * 480);
    Display_Primary()->Read_RGB({0, 0, 640, 480}, before_rgb.data(), 640);
    Ticks(1);
    const std::vector<std::uint8_t> after = Screen_Indexes();
    Display_Primary()->Read_RGB({0, 0, 640, 480}, after_rgb.data(), 640);
    int cycled_changes = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * 640 + x;
            if (In_Flames(x, y)) continue;
            ASSERT_EQ(after[i], before[i]) << "index at " << x << "," << y;
            if (after_rgb[i] == before_rgb[i]) continue;
            ASSERT_TRUE(after[i] >= 227 && after[i] <= 239) << "colour at " << x << "," << y;
            ++cycled_changes;
        }
    EXPECT_GT(cycled_changes, 1000) << "the water moves";
}

// Records the palette's brightest entry and the two volumes at each pause.
class Recording : public HeadlessBackend {
  public:
    struct step {
        DWORD ms;
        int white;  // the red of entry 226 (white in the palette)
        LONG music, steps;
    };
    void Sleep_Ms(DWORD ms) override {
        HeadlessBackend::Sleep_Ms(ms);
        step s{ms, -1, 1, 1};
        if (display_palette != nullptr) s.white = display_palette->Entries()[226].peRed;
        if (music_buffer != nullptr) music_buffer->GetVolume(&s.music);
        if (step_buffer != nullptr) step_buffer->GetVolume(&s.steps);
        steps.push_back(s);
        if (ms == 25 && ++fade_out_steps == 32) WorldMapTest::Save_Shot("mid-fade-out");
    }
    BOOL Destroy_Window(HWND hwnd) override {
        const std::vector<std::uint8_t> screen = WorldMapTest::Screen_Indexes();
        cleared = std::all_of(screen.begin(), screen.end(), [](std::uint8_t v) { return v == 0; });
        return HeadlessBackend::Destroy_Window(hwnd);
    }
    std::vector<step> steps;
    int fade_out_steps = 0;
    bool cleared = false;
};

TEST_F(Animation, FadesInFromBlackAndOutWithTheSound) {
    Recording recording;
    recording.cursor_pos = {320, 240};
    Set_Window_Backend(&recording);
    ASSERT_TRUE(Start());
    std::vector<Recording::step> in;
    for (const Recording::step& s : recording.steps)
        if (s.ms == 10) in.push_back(s);
    ASSERT_EQ(in.size(), 64u);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(in[i].white, 255 * 4 * i / 256) << "step " << i;
    EXPECT_EQ(display_palette->Entries()[226].peRed, 255) << "the fade ends on the palette itself";
    ASSERT_NE(music_buffer, nullptr);
    ASSERT_NE(step_buffer, nullptr);

    recording.steps.clear();
    PostMessageA(main_window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Pump());
    EXPECT_EQ(Exit_Status(), 0);
    std::vector<Recording::step> out;
    for (const Recording::step& s : recording.steps)
        if (s.ms == 25) out.push_back(s);
    ASSERT_EQ(out.size(), 64u);
    for (int i = 0; i < 64; ++i) {
        const int level = 255 - 4 * i;
        EXPECT_EQ(out[i].white, 255 * level / 256) << "step " << i;
        EXPECT_EQ(out[i].music, -12 - 48 * i) << "step " << i;
        EXPECT_EQ(out[i].steps, -612 - 48 * i) << "step " << i;
    }
    EXPECT_EQ(out.back().music, -3036);
    EXPECT_EQ(out.back().steps, -3636);
    EXPECT_TRUE(recording.cleared) << "the screen is black before the window goes";
    Set_Window_Backend(nullptr);
}

// The view surface shows the map at the scroll position, as a fresh copy
// would.
bool View_Matches_Map() {
    const IDirectDrawSurface* view = view_surface;
    const IDirectDrawSurface* map = map_surface;
    for (int y = 0; y < VIEW_HEIGHT; ++y)
        if (std::memcmp(view->Bits() + y * view->Pitch(), map->Bits() + (scroll_y + y) * map->Pitch() + scroll_x,
                        VIEW_WIDTH) != 0)
            return false;
    return true;
}

TEST_F(Animation, EdgesScrollTheViewWithinItsLimits) {
    backend().cursor_pos = {320, 240};
    ASSERT_TRUE(Start());
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(0, 479));
    Pass();
    EXPECT_EQ(scroll_x, 120) << "the corner scrolls down only";
    EXPECT_EQ(scroll_y, 122);
    struct edge {
        int x, y;
        int* scroll;
        int limit;
        const char* shot;
    };
    const edge edges[] = {{639, 200, &scroll_x, SCROLL_MAX_X, "scroll-right"},
                          {320, 479, &scroll_y, SCROLL_MAX_Y, "scroll-bottom"},
                          {0, 200, &scroll_x, SCROLL_MIN, "scroll-left"},
                          {320, 0, &scroll_y, SCROLL_MIN, "scroll-top"}};
    for (const edge& e : edges) {
        Post(WM_MOUSEMOVE, 0, MAKELPARAM(e.x, e.y));
        for (int pass = 0; pass < 200; ++pass) {
            Pass();
            ASSERT_GE(scroll_x, SCROLL_MIN);
            ASSERT_LE(scroll_x, SCROLL_MAX_X);
            ASSERT_GE(scroll_y, SCROLL_MIN);
            ASSERT_LE(scroll_y, SCROLL_MAX_Y);
            ASSERT_TRUE(View_Matches_Map()) << e.shot << " pass " << pass;
        }
        EXPECT_EQ(*e.scroll, e.limit) << e.shot;
        Save_Shot(e.shot);
    }
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(320, 240));
    Pass();
    const int x = scroll_x, y = scroll_y;
    Pass();
    EXPECT_EQ(scroll_x, x);
    EXPECT_EQ(scroll_y, y) << "away from the edges it stays";
}

TEST_F(Animation, TheMarkerWalksTheDottedRouteWithTheStepSound) {
    backend().cursor_pos = {320, 240};
    ASSERT_TRUE(Start());
    // A place on the road west of the home town.
    Click(150, 250);
    ASSERT_GT(walk_len, 10u);
    const std::uint32_t steps = walk_len;
    const int target_x = (150 + scroll_x - 7) / 2, target_y = (250 + scroll_y - 7) / 2;
    DWORD status = 0;
    step_buffer->GetStatus(&status);
    EXPECT_TRUE(status & DSBSTATUS_LOOPING) << "the steps sound from the click";
    Ticks(1);
    Save_Shot("route-after-click");
    // The dots lie on the route still ahead, in their one colour.
    int dots = 0;
    for (int y = 15; y < 330; ++y)
        for (int x = 7; x < 633; ++x) dots += Screen_Index(x, y) == dot_index;
    EXPECT_GT(dots, static_cast<int>(steps) / 2);
    EXPECT_EQ(dot_index, 224) << "pure yellow";
    Ticks(static_cast<int>(steps) / 2);
    Save_Shot("mid-walk");
    EXPECT_EQ(walk_len, steps - 1 - steps / 2);
    Ticks(static_cast<int>(steps));
    EXPECT_EQ(walk_len, 0u);
    EXPECT_EQ(player_x, 2 * target_x);
    EXPECT_EQ(player_y, 2 * target_y);
    step_buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u) << "the steps stop on arrival";
    // Nothing of the walk is left on the view but the marker.
    const resource_picture map("CMAP");
    const int mx = player_x - scroll_x + 7, my = player_y - scroll_y + 7;
    for (int y = 15; y < 330; ++y)
        for (int x = 7; x < 633; ++x) {
            if ((std::abs(x - mx) <= 16 && std::abs(y - my) <= 16) || In_Flames(x, y)) continue;
            ASSERT_EQ(Screen_Index(x, y), map.At(x - 7 + scroll_x, y - 7 + scroll_y)) << x << "," << y;
        }
    // The sound of the ticks: the steps from the click until the arrival.
    EXPECT_FALSE(sound.empty());
}

TEST_F(Animation, TheMarkerIsCutToTheViewAtItsEdge) {
    backend().cursor_pos = {320, 240};
    ASSERT_TRUE(Start());
    // Scrolling down moves the marker up out of the view.
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(320, 479));
    for (int i = 0; i < 76; ++i) Pass();
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(320, 240));
    Ticks(1);
    const int top = player_y - scroll_y - 9;
    ASSERT_LT(top, 7) << "the marker reaches over the view's top edge";
    ASSERT_GT(top + 32, 15);
    const resource_picture marker("PLAYER");
    const int left = player_x - scroll_x - 9;
    int shown = 0;
    for (int y = 15; y < top + 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (marker.At(x, y - top) != 0) {
                ASSERT_EQ(Screen_Index(left + x, y), marker.At(x, y - top));
                ++shown;
            }
    EXPECT_GT(shown, 20);
}

TEST_F(Animation, InputAfterEscapeIsIgnored) {
    ASSERT_TRUE(Start());
    Post(WM_KEYDOWN, VK_ESCAPE);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    Post(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(Pump());
    EXPECT_EQ(Exit_Status(), 0);
    EXPECT_EQ(walking, 0);
    EXPECT_EQ(backend().destroyed.size(), 1u);
}

}  // namespace
