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
constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int SCREEN_BITS = 8;

// The map picture and the part of the screen that shows it: map pixel
// (mx, my) appears at (mx - scroll_x + VIEW_LEFT, my - scroll_y + VIEW_TOP).
constexpr int MAP_WIDTH = 800;
constexpr int MAP_HEIGHT = 800;
constexpr int VIEW_LEFT = 7, VIEW_TOP = 7, VIEW_RIGHT = 633, VIEW_BOTTOM = 390;
constexpr int VIEW_WIDTH = VIEW_RIGHT - VIEW_LEFT;   // 626
constexpr int VIEW_HEIGHT = VIEW_BOTTOM - VIEW_TOP;  // 383

// Where the player starts (map pixels) and the view's first scroll position.
constexpr int PLAYER_START_X = 365, PLAYER_START_Y = 280;
constexpr int SCROLL_START_X = 120, SCROLL_START_Y = 120;

// A left click inside this area (both ends included) starts a walk.
constexpr int CLICK_LEFT = 8, CLICK_RIGHT = 632, CLICK_TOP = 8, CLICK_BOTTOM = 389;

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
