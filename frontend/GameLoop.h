// The frame of the game program: start-up and shutdown, the 62 ms game
// tick's flags, the idle step that scrolls and redraws the map view, and
// the held-key flags.
#pragma once
#include <cstdint>

#include "platform/Window.h"

// The game tick: a window timer of the main window.
constexpr UINT_PTR GAME_TIMER_ID = 1106;
constexpr UINT GAME_TIMER_MS = 62;

// The exit code of a run whose start-up could not open the display.
constexpr int STARTUP_FAILED_EXIT_CODE = 1;

// Held keys: 1 up, 2 down, 4 left, 8 right, 16 Ctrl.
constexpr std::uint32_t KEY_UP = 1;
constexpr std::uint32_t KEY_DOWN = 2;
constexpr std::uint32_t KEY_LEFT = 4;
constexpr std::uint32_t KEY_RIGHT = 8;
constexpr std::uint32_t KEY_CTRL = 16;
extern std::uint32_t key_flags;

// Set by an idle pass that moved the view; blocks the next tick and the
// cursor's field tracking.
extern std::uint32_t view_scrolled;
// Set by every tick (and by the field tracking); the next idle pass redraws
// the whole map view and clears it.
extern std::uint32_t redraw_request;
// The outer window size that gives a 640 x 480 client area.
extern std::uint32_t window_width, window_height;
// No key held, no scroll, no redraw asked for, no window size yet.
void Reset_Game_Loop_State();

// Pixels the view moves per idle pass while it scrolls.
constexpr std::int32_t SCROLL_STEP = 6;

void Game_Startup();
void New_Game();
void Load_Map_And_Show(const char* name);
void Game_Shutdown();
// After the surfaces were lost: 1 when they, the map artwork and the
// current screen are back, 0 when the surfaces cannot be made.
int Restore_Screen();
// Enters the current screen again.
void Init_ScreenType();
// Calls the entry handler of a screen (a ScreenType) with (0, 1); false for
// a number that is no screen.
bool Enter_Screen(std::uint32_t type);
// Opens the screen the screen-switch act names (2 inventory, 3 character
// page, 4 spell page) for page_char.
void Open_Screen(std::uint16_t screen);
// Lets the game world and the data files reach the front end: the controls,
// the map cursor, the map view, opening a screen, loading the map's
// artwork; done at start-up.
void Install_Front_End_Hooks();

void Clear_Key_Flags();
void Key_Down_Flags(UINT key);
void Key_Up_Flags(UINT key);
// The bits a key holds; 0 for keys that hold none.
std::uint32_t Key_Bits(UINT key);

void Idle_Scroll();
