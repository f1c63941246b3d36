// The world map program's shared state and screen layout: the window, the
// mouse, the player's marker and the scroll position of the view. The
// program is a window with a procedure of its own over the platform layer
// alone; it shares nothing with the game.
#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/Window.h"

// The display: 640 x 480 with 256 colours.
constexpr int screen_width = 640;
constexpr int screen_height = 480;
constexpr int screen_bits = 8;

// The map picture and the part of the screen that shows it: map pixel
// (mx, my) appears at (mx - scroll_x + view_left, my - scroll_y + view_top).
constexpr int map_width = 800;
constexpr int map_height = 800;
constexpr int view_left = 7, view_top = 7, view_right = 633, view_bottom = 390;
constexpr int view_width = view_right - view_left;   // 626
constexpr int view_height = view_bottom - view_top;  // 383

// Where the player starts (map pixels) and the view's first scroll position.
constexpr int player_start_x = 365, player_start_y = 280;
constexpr int scroll_start_x = 120, scroll_start_y = 120;

// A left click inside this area (both ends included) starts a walk.
constexpr int click_left = 8, click_right = 632, click_top = 8, click_bottom = 389;

extern HINSTANCE main_instance;
extern int main_show_command;
extern HWND main_window;

// Read by every thread.
extern std::atomic<int> active_flag;  // the program is the active one (WM_ACTIVATEAPP)
extern std::atomic<int> exit_flag;    // the program is ending
extern int redraw_flag;               // the whole screen is to be drawn again
extern int mouse_x, mouse_y, mouse_buttons;

// The player's position in map pixels (twice its cell), the view's scroll
// position, and whether the marker is walking its path.
extern int player_x, player_y;
extern int scroll_x, scroll_y;
extern int walking;
// The path the marker walks: a copy of a search's path (entry walk_len is
// the next step, entry 1 the last), installed whole under the lock.
extern std::vector<std::uint8_t> walk_path;
extern std::uint32_t walk_len;

// The exit status the program ends with: 1 once a failure has ended it.
extern int quit_code;

// Back to the state before start-up (tests and the runner).
void Reset_World_Map_State();
