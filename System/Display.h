// The display: the exclusive 640x480 16-bit screen, its primary surface and
// the five off-screen surfaces, the colour tables and the 64-level shade
// table, copying the back surface to the screen, and shutting it all down.
#pragma once
#include <cstdint>

#include "platform/DDraw.h"

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int SCREEN_BITS = 16;

// Sizes of the off-screen surfaces.
constexpr int ZOOM_WIDTH = 640, ZOOM_HEIGHT = 96;        // the cursor's work area
constexpr int TEXT_WIDTH = 323, TEXT_HEIGHT = 130;       // the message log's ring
constexpr int MESSAGE_WIDTH = 320, MESSAGE_HEIGHT = 20;  // the message line
constexpr int MASK_WIDTH = 211, MASK_HEIGHT = 19;

// Light levels of the shade table: 45 reproduces the palette colours.
constexpr int LIGHT_LEVELS = 64;
constexpr int LIGHT_PLAIN = 45;

extern LPDIRECTDRAW direct_draw;
extern LPDIRECTDRAWSURFACE primary_surface;
extern LPDIRECTDRAWSURFACE BACK;     // all drawing; what Update_Screen copies
extern LPDIRECTDRAWSURFACE ZOOM;     // work area of the software cursor
extern LPDIRECTDRAWSURFACE TEXT;     // ring of ten lines of the message log
extern LPDIRECTDRAWSURFACE MESSAGE;  // the message line
extern LPDIRECTDRAWSURFACE MASK;
extern LPDIRECTDRAWCLIPPER display_clipper;
// The palette made from the palette bitmap: source of the shade table and
// the palette of every bitmap sprite's surface.
extern LPDIRECTDRAWPALETTE palette_object;

// 1 before Init_DirectDraw and after Release_DirectDraw, 0 between.
extern int display_released;
// Set by the game start-up once Create_Surfaces succeeded, cleared by
// Release_Surfaces; while 0, Update_Screen and the message line draw nothing.
extern int surfaces_ready;

// The main window's screen rectangle, kept by the main window: its left and
// top are the window's origin, added to what the cursor and the message line
// put on the primary surface.
extern RECT screen_rect;

// A channel of the screen's pixel format: table[i] = ((i * max) >> 8) << shift.
struct colour_table {
    int shift;
    int bits;
    std::uint32_t max;
    std::uint32_t table[256];
};
extern colour_table red_table, green_table, blue_table;

// Light level by palette index: the 16-bit screen pixel.
extern std::uint16_t shade_table[LIGHT_LEVELS][256];

// The pixel of RGB(222, 182, 148) on BACK: the message log's background.
extern std::uint32_t ui_background;

void Init_DirectDraw();
// 0 when the display is released or its mode is unsupported; 1 when the
// surfaces already exist or were all created.
int Create_Surfaces();
void Release_Surfaces();
void Release_DirectDraw();

// The colour tables of a pixel format's masks.
void Make_Colour_Tables(DWORD red_mask, DWORD green_mask, DWORD blue_mask);
void Make_Shade_Table();

// Colour-fills the part of rect inside the surface ("Fill rect").
void Fill_Surface_Rect(LPDIRECTDRAWSURFACE surface, const RECT& rect, std::uint32_t pixel);
void Fill_Back_Rect(const RECT& rect, std::uint32_t pixel);
void Clear_Back_Buffer();
void Clear_Screen();

// Copies rect of BACK (none: the whole screen) to the screen and redraws the
// cursor and the message line over it. 1 when it copied, 0 when it did
// nothing (surfaces not ready, an empty rect).
int Update_Screen(const RECT* rect);

// Called first on every tick of the map animations; does nothing.
void Tick_Stub();
