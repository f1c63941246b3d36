// The world map's DirectDraw set-up: 640 x 480 with an 8-bit palette, the
// primary and back surfaces, the off-screen surfaces of the pictures and the
// view, the palette from the program's resources, and their release.
#pragma once
#include "platform/DDraw.h"
#include "platform/Window.h"

extern LPDIRECTDRAW direct_draw;
extern LPDIRECTDRAWSURFACE primary_surface;
extern LPDIRECTDRAWSURFACE back_surface;
extern LPDIRECTDRAWSURFACE map_surface;
extern LPDIRECTDRAWSURFACE frame_surface;
extern LPDIRECTDRAWSURFACE marker_surface;
extern LPDIRECTDRAWSURFACE flame_surface;
extern LPDIRECTDRAWSURFACE view_surface;
extern LPDIRECTDRAWPALETTE display_palette;

// The palette the pictures are painted in (the resource "PAL").
extern PALETTEENTRY map_palette[256];

// The texts of the display's failures.
constexpr const char* NO_DIRECTX_TEXT = "Can't initialize DirectX.";
constexpr const char* NO_FULLSCREEN_TEXT = "Can't switch into fullscreen mode.";
constexpr const char* NO_VIDEOMODE_FORMAT = "Videomode %d x %d - %d bits is not supported.";
constexpr const char* NO_PRIMARY_TEXT = "Can't create the primary surface.";
constexpr const char* NO_BACK_TEXT = "Can't create the back surface.";

// Shows a failure in a box on the main window, without a caption.
void Show_Error(const char* text);

// 1 on success; 0 on a failure (after its message) or when the program was
// told to quit meanwhile.
int Main_Map_Init_DirectDraw(HWND window, int width, int height, int bits);
// Gives up the exclusive level and releases every surface, the palette and
// the DirectDraw object that exist.
void Main_Map_Release_DirectDraw(HWND window);

// An off-screen surface, in system memory when the flag is non-zero; null
// on failure.
LPDIRECTDRAWSURFACE Create_Offscreen_Surface(int width, int height, int system_memory);
void Clear_Surface(LPDIRECTDRAWSURFACE surface, int left, int top, int right, int bottom, int index);
// The pixels of a locked surface (desc gets its pitch), or null.
void* Main_Map_Lock_Surface(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC* desc);
void Main_Map_Unlock_Surface(LPDIRECTDRAWSURFACE surface, void* pixels);

// 256 RGB triples into palette entries with flags 0.
void Rgb_To_Palette_Entries(const BYTE* rgb, PALETTEENTRY* entries);
// False when the resource is missing or shorter than 768 bytes.
bool Load_Palette_Resource(const char* name, const char* type, PALETTEENTRY* entries);
// The first call makes the palette and attaches it to the primary surface;
// later calls set all 256 entries.
void Set_Palette(const PALETTEENTRY* entries);

// After the surfaces were lost: restores them, copies the pictures into them
// again and asks for a redraw of everything.
void Restore_Surfaces();
