// The drawing-context stand-in: bitmaps loaded from 8-bit BMP files, memory
// contexts and the contexts of display surfaces, pixel and block copies
// between them, and bitmap fonts read from .FON files through FreeType with
// TextOutA and DrawTextExA. Values and declarations are this project's own.
#pragma once
#include "platform/DDraw.h"
#include "platform/FileFault.h"
#include "platform/Win32Types.h"

using HGDIOBJ = void*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HFONT__;
using HFONT = HFONT__*;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// LoadImageA.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

// Raster operation of the block copies.
constexpr DWORD SRCCOPY = 0x00CC0020;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment (SetTextAlign); the numbers are the platform's own, so
// callers may pass them as numbers (10 = bottom right).
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawTextExA formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// CreateFontA.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD DEFAULT_CHARSET = 1;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

struct DRAWTEXTPARAMS {
    UINT cbSize;
    int iTabLength;
    int iLeftMargin;
    int iRightMargin;
    UINT uiLengthDrawn;
};

// Bitmaps: an 8-bit, uncompressed, bottom-up or top-down BMP file, read
// through the game path resolver with LR_LOADFROMFILE, else the program's
// bitmap resource of that name (platform/Resources.h). A file that is not
// such a bitmap, or whose sizes and offsets do not fit inside it, gives no
// bitmap. cx, cy other than 0 scale the picture to that size. Its rows are
// kept top-down, also in the bits GetObjectA gives.
HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags);
// Why LoadImageA gives no bitmap for a file: the file and the reason.
file_fault Bitmap_File_Fault(const char* name);
int GetObjectA(HGDIOBJ object, int size, void* out);
BOOL DeleteObject(HGDIOBJ object);

// Contexts: a memory context draws into the bitmap selected into it.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

// Block copies convert pixels: a palette index to its colour for 16-bit
// targets; 8-bit to 8-bit keeps the indexes (all artwork shares one palette).
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int swidth, int sheight,
                DWORD rop);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC dc, int x, int y);

// Text.
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
UINT SetTextAlign(HDC dc, UINT align);
BOOL TextOutA(HDC dc, int x, int y, const char* text, int length);
// Draws (or with DT_CALCRECT measures) text in rect; with DT_WORDBREAK
// lines break between words (a word wider than the rect is broken where it
// overflows). Lines that would start at or below the rect's bottom are not
// processed unless DT_NOCLIP; uiLengthDrawn counts the characters processed,
// the spaces a line broke at included. Returns the height of the text.
int DrawTextExA(HDC dc, const char* text, int length, RECT* rect, UINT format, DRAWTEXTPARAMS* params);

// Fonts: a .FON file adds every strike it holds (one FreeType face each).
// CreateFontA picks, when the font is used, the strike of that face (any
// face when none has the name) nearest in cell height, then in weight;
// a negative height is the character height without internal leading.
int AddFontResourceA(const char* name);
BOOL RemoveFontResourceA(const char* name);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                  DWORD pitch_and_family, const char* face);

// For the surface stand-in: the context a surface's GetDC hands out.
HDC Gdi_Create_Surface_DC(IDirectDrawSurface* surface);
void Gdi_Delete_Surface_DC(HDC dc);

// Live bitmaps, contexts and fonts, for tests that check nothing leaks.
int Live_Gdi_Object_Count();
