// The map view on a 100 x 100 x 5 map with objects on every level, the top
// level shown (all five drawn): a full redraw of the hexamap screen's
// viewport, and one 6-pixel scroll step (shift and strip), in microseconds.
#include <benchmark/benchmark.h>

#include "System/Display.h"
#include "System/Palette.h"
#include "System/ScreenType.h"
#include "frontend/MapArtwork.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/MapArtFolder.h"
#include "support/SampleMap.h"

namespace {

constexpr std::uint32_t SIDE = 100;
constexpr std::uint32_t LEVELS = 5;

// The display open over the default artwork and the map loaded, once.
void Open_Map(int upper_floors) {
    static int built = -2;
    if (built == upper_floors) return;
    if (built == -2) {
        Set_Working_Folder(fixture::Map_Art_Folder());
        Set_Main_Window(reinterpret_cast<HWND>(0x1234));
        Init_DirectDraw();
        Create_Surfaces();
        surfaces_ready = 1;
        Load_Palette_Tables();
        ScreenType = SCREEN_HEXAMAP;
        Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    } else {
        Free_Map_Artwork();
    }
    fixture::Build_Sample_Map(SIDE, SIDE, LEVELS, 7, upper_floors);
    built = upper_floors;
    // The middle of the map.
    scroll_x = 50 * 42 + 50 * 21 - 229;
    scroll_y = 50 * 21 - 179;
}

// The map must have loaded whole for the figures to mean anything.
bool Map_Ready(benchmark::State& state) {
    if (Headless_Backend().boxes.empty()) return true;
    state.SkipWithError(Headless_Backend().boxes[0].caption.c_str());
    return false;
}

void Redraw(benchmark::State& state, int upper_floors) {
    Open_Map(upper_floors);
    if (!Map_Ready(state)) return;
    for (auto _ : state) {
        Forget_Drawn_Map();
        Redraw_Map();
    }
}

void Scroll_Step(benchmark::State& state, int upper_floors) {
    Open_Map(upper_floors);
    if (!Map_Ready(state)) return;
    Redraw_Map();
    int step = 6;
    for (auto _ : state) {
        scroll_x += step;
        Scroll_Map();
        step = -step;  // back and forth over the same ground
    }
}

void BM_Redraw_Map(benchmark::State& state) { Redraw(state, -1); }
void BM_Redraw_Map_Every_Level_Floored(benchmark::State& state) { Redraw(state, 100); }
void BM_Scroll_Map_6_Pixels(benchmark::State& state) { Scroll_Step(state, -1); }
void BM_Scroll_Map_6_Pixels_Every_Level_Floored(benchmark::State& state) { Scroll_Step(state, 100); }

void BM_Scroll_Map_6_Pixels_Down(benchmark::State& state) {
    Open_Map(-1);
    if (!Map_Ready(state)) return;
    Redraw_Map();
    int step = 6;
    for (auto _ : state) {
        scroll_y += step;
        Scroll_Map();
        step = -step;
    }
}

}  // namespace

BENCHMARK(BM_Redraw_Map)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scroll_Map_6_Pixels)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scroll_Map_6_Pixels_Down)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Redraw_Map_Every_Level_Floored)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scroll_Map_6_Pixels_Every_Level_Floored)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
