#include "worldmap/PaletteFade.h"

#include <algorithm>
#include <mutex>

#include "platform/Timing.h"
#include "platform/Window.h"
#include "worldmap/Display.h"
#include "worldmap/MainMap.h"
#include "worldmap/Sound.h"
#include "worldmap/Threads.h"
#include "worldmap/WorldMap.h"

PALETTEENTRY base_palette[256];
int fade_level = FULL_LEVEL;

namespace {

constexpr int FADE_IN_STEP = 4, FADE_IN_LAST = 252;
constexpr DWORD FADE_IN_PAUSE_MS = 10;
constexpr int FADE_OUT_FIRST = 255, FADE_OUT_STEP = 4;
constexpr int FADE_OUT_VOLUME_START = 783360, FADE_OUT_VOLUME_STEP = 12288;
constexpr LONG MUSIC_FADE_OFFSET = 3072, STEPS_FADE_OFFSET = 3672;
constexpr DWORD FADE_OUT_PAUSE_MS = 25;

PALETTEENTRY Faded(const PALETTEENTRY& e) {
    auto scale = [](BYTE v) { return static_cast<BYTE>(v * fade_level / FULL_LEVEL); };
    return {scale(e.peRed), scale(e.peGreen), scale(e.peBlue), 0};
}

void Show_Entries(int first, int count) {
    if (display_palette == nullptr) return;
    PALETTEENTRY shown[256];
    for (int i = first; i < first + count; ++i) shown[i] = Faded(base_palette[i]);
    display_palette->SetEntries(0, static_cast<DWORD>(first), static_cast<DWORD>(count), shown + first);
}

// Every entry of a group takes the colour of the one before it, the first
// the colour of the last.
void Turn_Group(int first, int last) {
    std::rotate(base_palette + first, base_palette + last, base_palette + last + 1);
}

void Show_Level(int level) {
    const std::lock_guard<std::mutex> hold(world_lock);
    fade_level = level;
    Show_Palette();
}

}  // namespace

void Show_Palette() { Show_Entries(0, 256); }

void Cycle_Palette() {
    std::swap(base_palette[227], base_palette[228]);
    Turn_Group(229, 231);
    Turn_Group(232, 235);
    Turn_Group(236, 239);
    Show_Entries(FIRST_CYCLED, CYCLED_COUNT);
}

void Black_Palette() {
    fade_level = 0;
    Show_Palette();
}

void Fade_In() {
    for (int level = 0; level <= FADE_IN_LAST; level += FADE_IN_STEP) {
        Show_Level(level);
        Sleep(FADE_IN_PAUSE_MS);
    }
    Show_Level(FULL_LEVEL);
}

void Fade_Out() {
    SetCursor(wait_cursor);
    int level = FADE_OUT_FIRST;
    for (int n = FADE_OUT_VOLUME_START; n >= 0; n -= FADE_OUT_VOLUME_STEP, level -= FADE_OUT_STEP) {
        {
            const std::lock_guard<std::mutex> hold(world_lock);
            fade_level = level;
            Show_Palette();
            Set_Sound_Volumes(n / 256 - MUSIC_FADE_OFFSET, n / 256 - STEPS_FADE_OFFSET);
        }
        Sleep(FADE_OUT_PAUSE_MS);
    }
    const std::lock_guard<std::mutex> hold(world_lock);
    drawing_stopped = 1;
    Clear_Surface(primary_surface, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0);
    Clear_Surface(back_surface, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0);
}
