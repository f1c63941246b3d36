// The program with its real threads: three seconds of scrolling at every
// edge and clicks while the tick and the music thread run and SDL mixes,
// then Escape. Run under ThreadSanitizer too (build-tsan/), where any race
// of what the threads share fails it.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/VirtualKeys.h"
#include "worldmap/Scrolling.h"
#include "worldmap/WorldMapFixture.h"

namespace {

using Threads = WorldMapTest;

TEST_F(Threads, ScrollsAndClicksWhileTheWorkersRunThenEscape) {
    Use_Own_Clock(true);
    Sound_Options().manual = false;
    if (std::getenv("SDL_AUDIODRIVER") == nullptr) ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    backend().cursor_pos = {320, 240};
    ASSERT_TRUE(Start());
    const POINT places[] = {{0, 200}, {639, 100}, {320, 0}, {320, 479}, {0, 479}, {639, 0}, {320, 240}};
    std::uint32_t seed = 37;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int pass = 0; std::chrono::steady_clock::now() < until; ++pass) {
        const POINT p = places[(pass / 40) % std::size(places)];
        Post(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        if (pass % 25 == 0) {
            seed = seed * 1103515245u + 12345u;
            Click(8 + static_cast<int>(seed >> 8) % 620, 8 + static_cast<int>(seed >> 20) % 380);
        }
        ASSERT_TRUE(Pass());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    Post(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(Pump());
    EXPECT_EQ(Exit_Status(), 0);
    EXPECT_GE(scroll_x, SCROLL_MIN);
    EXPECT_LE(scroll_x, SCROLL_MAX_X);
    EXPECT_GE(scroll_y, SCROLL_MIN);
    EXPECT_LE(scroll_y, SCROLL_MAX_Y);
}

}  // namespace
