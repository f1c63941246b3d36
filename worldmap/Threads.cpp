#include "worldmap/Threads.h"

#include <chrono>
#include <condition_variable>
#include <thread>

#include "worldmap/Display.h"
#include "worldmap/Drawing.h"
#include "worldmap/PaletteFade.h"
#include "worldmap/Sound.h"
#include "worldmap/TerrainPath.h"
#include "worldmap/WorldMap.h"

std::mutex world_lock;
int drawing_stopped = 0;

namespace {

bool caller_clock = false;
std::thread tick_thread, music_thread;
// Wakes the workers' waits when the exit flag is set.
std::mutex wait_lock;
std::condition_variable exit_signal;

// Moves the marker one cell along the walk's path.
void Walk_One_Step() {
    Erase_Player();
    const int d = walk_path[walk_len--];
    const int cell_x = player_x / 2 + DIRECTION_DX[d], cell_y = player_y / 2 + DIRECTION_DY[d];
    player_x = 2 * cell_x;
    player_y = 2 * cell_y;
    Draw_Player();
}

}  // namespace

void Use_Own_Clock(bool own) { caller_clock = !own; }
bool Own_Clock() { return !caller_clock; }

bool Wait_Unless_Exit(DWORD ms) {
    return Wait_Until_Unless_Exit(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

bool Wait_Until_Unless_Exit(std::chrono::steady_clock::time_point when) {
    std::unique_lock<std::mutex> hold(wait_lock);
    return !exit_signal.wait_until(hold, when, [] { return exit_flag.load() != 0; });
}

void Tick() {
    const std::lock_guard<std::mutex> hold(world_lock);
    if (!active_flag || drawing_stopped || primary_surface == nullptr) return;
    Cycle_Palette();
    if (walking && walk_len > 0)
        Walk_One_Step();
    else if (walk_len == 0)
        Stop_Step_Sound();
    if (redraw_flag) {
        redraw_flag = 0;
        Redraw_All();
    } else {
        Compose_Screen();
    }
    flame_counter = flame_counter % FLAME_COUNT + 1;
}

void Tick_Thread() {
    // Ticks keep to their 100 ms however long a tick takes; one that comes
    // late is not caught up.
    const auto period = std::chrono::milliseconds(TICK_MS);
    auto next = std::chrono::steady_clock::now();
    do {
        Tick();
        next += period;
        const auto now = std::chrono::steady_clock::now();
        if (next < now) next = now;
    } while (Wait_Until_Unless_Exit(next));
}

void Start_Threads() {
    if (caller_clock) {
        Music_Stream_Start();
        return;
    }
    tick_thread = std::thread(Tick_Thread);
    if (music_buffer != nullptr) music_thread = std::thread(Music_Stream_Thread);
}

void Stop_Threads() {
    {
        const std::lock_guard<std::mutex> hold(wait_lock);
        exit_flag = 1;
    }
    exit_signal.notify_all();
    if (tick_thread.joinable()) tick_thread.join();
    if (music_thread.joinable()) music_thread.join();
}
