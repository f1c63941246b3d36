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
int fade_level = full_level;

namespace {

constexpr int fade_in_step = 4, fade_in_last = 252;
constexpr DWORD fade_in_pause_ms = 10;
constexpr int fade_out_first = 255, fade_out_step = 4;
constexpr int fade_out_volume_start = 783360, fade_out_volume_step = 12288;
constexpr LONG music_fade_offset = 3072, steps_fade_offset = 3672;
constexpr DWORD fade_out_pause_ms = 25;

PALETTEENTRY Faded(const PALETTEENTRY& e) {
    auto scale = [](BYTE v) { return static_cast<BYTE>(v * fade_level / full_level); };
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
    Show_Entries(first_cycled, cycled_count);
}

void Black_Palette() {
    fade_level = 0;
    Show_Palette();
}

void Fade_In() {
    for (int level = 0; level <= fade_in_last; level += fade_in_step) {
        Show_Level(level);
        Sleep(fade_in_pause_ms);
    }
    Show_Level(full_level);
}

void Fade_Out() {
    SetCursor(wait_cursor);
    int level = fade_out_first;
    for (int n = fade_out_volume_start; n >= 0; n -= fade_out_volume_step, level -= fade_out_step) {
        {
            const std::lock_guard<std::mutex> hold(world_lock);
            fade_level = level;
            Show_Palette();
            Set_Sound_Volumes(n / 256 - music_fade_offset, n / 256 - steps_fade_offset);
        }
        Sleep(fade_out_pause_ms);
    }
    const std::lock_guard<std::mutex> hold(world_lock);
    drawing_stopped = 1;
    Clear_Surface(primary_surface, 0, 0, screen_width, screen_height, 0);
    Clear_Surface(back_surface, 0, 0, screen_width, screen_height, 0);
}
