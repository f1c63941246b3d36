// Bitmap files into surfaces, and GDI colours as a surface's pixel values.
#pragma once
#include "platform/Gdi.h"

// A new off-screen surface of the display's format holding the bitmap file
// (width, height 0: its own size); none when the file cannot be loaded
// ("Can't load bitmap:", fatal).
LPDIRECTDRAWSURFACE DD_Load_Bitmap(LPDIRECTDRAW dd, const char* path, int width, int height);
// Copies a bitmap file into an existing surface; E_FAIL when it cannot be loaded.
HRESULT DD_Reload_Bitmap(LPDIRECTDRAWSURFACE surface, const char* path);
// Copies (x, y, width, height) of a bitmap (0: the whole) to the surface's
// top-left corner at 1:1; the result of getting the surface's context.
HRESULT DD_Copy_Bitmap(LPDIRECTDRAWSURFACE surface, HBITMAP bitmap, int x, int y, int width, int height);
// The pixel value a GDI colour has on the surface (found by drawing it at
// (0, 0) and reading it back); CLR_INVALID when the surface cannot be locked.
DWORD DD_Color_Match(LPDIRECTDRAWSURFACE surface, COLORREF colour);
// The surface's source colour key: the matched pixel as low and high key.
HRESULT DD_Set_Color_Key(LPDIRECTDRAWSURFACE surface, COLORREF colour);
