// The display stand-in: a DirectDraw-shaped object, surfaces, palettes and a
// clipper, all in memory. The display is one 640x480 screen whose mode is 16
// bits (565, or 555 when a test asks) or 8 bits with a palette. Blits onto
// the primary surface mark a dirty rectangle that the window backend takes
// and presents. Values and declarations are this project's own.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/DDResult.h"
#include "platform/PixelFormat.h"
#include "platform/Win32Types.h"

struct HDC__;
using HDC = HDC__*;
struct GUID;

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x0001;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x0002;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x0004;
constexpr DWORD DDSCL_NORMAL = 0x0008;
constexpr DWORD DDSCL_EXCLUSIVE = 0x0010;

// Which fields of a surface description are valid.
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_CKSRCBLT = 0x00010000;

// Surface capabilities.
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;

// Pixel format flags.
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr DWORD DDPF_RGB = 0x00000040;

// Blt flags.
constexpr DWORD DDBLT_COLORFILL = 0x00000400;
constexpr DWORD DDBLT_KEYSRC = 0x00008000;
constexpr DWORD DDBLT_WAIT = 0x01000000;

// BltFast flags.
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0000;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x0001;
constexpr DWORD DDBLTFAST_WAIT = 0x0010;

// Colour keys.
constexpr DWORD DDCKEY_SRCBLT = 0x0008;

// Lock flags.
constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x0000;
constexpr DWORD DDLOCK_WAIT = 0x0001;
constexpr DWORD DDLOCK_READONLY = 0x0010;
constexpr DWORD DDLOCK_WRITEONLY = 0x0020;

// Vertical blank waits.
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x0001;
constexpr DWORD DDWAITVB_BLOCKEND = 0x0004;

// Palette capabilities, and the palette entry flag the loader sets.
constexpr DWORD DDPCAPS_8BIT = 0x0004;
constexpr DWORD DDPCAPS_ALLOW256 = 0x0040;
constexpr BYTE PC_NOCOLLAPSE = 0x04;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSCAPS {
    DWORD dwCaps;
};

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    void* lpSurface;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

// The description CreateSurface takes for an offscreen surface of width x
// height with caps; an eight-bit one is palette-indexed, else it takes the
// display's format.
inline DDSURFACEDESC Offscreen_Surface_Desc(int width, int height, DWORD caps = DDSCAPS_OFFSCREENPLAIN,
                                            bool eight_bit = false) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | (eight_bit ? DDSD_PIXELFORMAT : 0);
    desc.ddsCaps.dwCaps = caps;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    if (eight_bit) {
        desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        desc.ddpfPixelFormat.dwFlags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
        desc.ddpfPixelFormat.dwRGBBitCount = 8;
    }
    return desc;
}

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwFillColor;
};

class IDirectDrawPalette {
  public:
    ULONG AddRef();
    ULONG Release();
    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) const;
    // Entries of a palette attached to the 8-bit primary show at once.
    HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, const PALETTEENTRY* entries);

    const PALETTEENTRY* Entries() const { return entries_; }

  private:
    friend class IDirectDraw;
    IDirectDrawPalette() = default;
    ~IDirectDrawPalette() = default;
    ULONG refs_ = 1;
    PALETTEENTRY entries_[256]{};
};

class IDirectDrawClipper {
  public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetHWnd(DWORD flags, HWND window);
    HRESULT GetHWnd(HWND* window) const;

  private:
    friend class IDirectDraw;
    IDirectDrawClipper() = default;
    ~IDirectDrawClipper() = default;
    ULONG refs_ = 1;
    HWND window_ = nullptr;
};

// A surface: pixel memory, a source colour key, a palette (8-bit), a clipper.
// Lock, GetDC and ReleaseDC are counted: while any is open, blits from or to
// the surface are refused as busy. A blit onto a surface with a clipper is
// cut to the surface; without one a rectangle outside it is refused.
class IDirectDrawSurface {
  public:
    ULONG AddRef();
    ULONG Release();

    HRESULT Blt(const RECT* dest, IDirectDrawSurface* source, const RECT* source_rect, DWORD flags, const DDBLTFX* fx);
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, const RECT* source_rect, DWORD flags);
    HRESULT Lock(const RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(void* pointer);
    HRESULT GetSurfaceDesc(DDSURFACEDESC* desc) const;
    HRESULT GetPixelFormat(DDPIXELFORMAT* format) const;
    HRESULT SetColorKey(DWORD flags, const DDCOLORKEY* key);
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) const;
    HRESULT SetPalette(IDirectDrawPalette* palette);
    HRESULT GetPalette(IDirectDrawPalette** palette) const;
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    HRESULT Restore();
    HRESULT IsLost() const;

    // For the drawing contexts and the window backend.
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    int Lock_Count() const { return locks_; }
    bool Is_Primary() const { return primary_; }
    const IDirectDrawPalette* Palette() const { return palette_; }
    PixelLayout Layout() const;
    std::uint8_t* Bits() { return memory_.data(); }
    const std::uint8_t* Bits() const { return memory_.data(); }
    // Unions r (cut to the surface) into the dirty rectangle of the primary.
    void Mark_Dirty(const RECT& r);
    // The dirty rectangle since the last take, emptied; false when clean.
    bool Take_Dirty_Rect(RECT& out);
    // The picture of r as 0x00RRGGBB values, rows stride values apart.
    void Read_RGB(const RECT& r, std::uint32_t* out, int stride) const;

  private:
    friend class IDirectDraw;
    IDirectDrawSurface(int width, int height, int bits, const DWORD masks[3], bool primary);
    ~IDirectDrawSurface();
    bool Busy() const { return locks_ > 0; }

    ULONG refs_ = 1;
    int width_, height_, bits_, pitch_;
    DWORD masks_[3];
    bool primary_;
    std::vector<std::uint8_t> memory_;
    int locks_ = 0;
    bool has_key_ = false;
    DDCOLORKEY key_{};
    IDirectDrawPalette* palette_ = nullptr;
    IDirectDrawClipper* clipper_ = nullptr;
    bool dirty_ = false;
    RECT dirty_rect_{};
    std::vector<HDC> dcs_;
};

class IDirectDraw {
  public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits);
    HRESULT RestoreDisplayMode();
    HRESULT GetDisplayMode(DDSURFACEDESC* desc) const;
    HRESULT CreateSurface(const DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer);
    HRESULT CreatePalette(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** palette, void* outer);
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer);
    // Returns when the window backend says the next refresh has begun.
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event);

  private:
    friend HRESULT DirectDrawCreate(GUID*, IDirectDraw**, void*);
    IDirectDraw() = default;
    ~IDirectDraw() = default;
    ULONG refs_ = 1;
    DWORD level_ = 0;
};

using LPDIRECTDRAW = IDirectDraw*;
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;

// Makes the DirectDraw object of the (only) display; guid must be null.
HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** out, void* outer);

// The stand-in's display, for tests: 555 in place of 565 in 16-bit modes,
// and a display whose mode cannot be had (the primary surface is refused
// with DDERR_UNSUPPORTEDMODE). The display's other failures: no DirectDraw
// object (DDERR_NODIRECTDRAWHW), another program holding the exclusive level
// (DDERR_EXCLUSIVEMODEALREADYSET), a refused SetDisplayMode
// (DDERR_INVALIDMODE), and a display memory that holds only so many further
// off-screen surfaces (DDERR_OUTOFVIDEOMEMORY; -1: no limit).
struct DisplayOptions {
    bool rgb555 = false;
    bool unsupported_mode = false;
    bool no_directdraw = false;
    bool exclusive_taken = false;
    bool mode_refused = false;
    int offscreen_left = -1;
};
DisplayOptions& Display_Options();
// The options back to their defaults.
void Reset_Display_Options();

// The primary surface that exists now (there is at most one), or null: the
// window backend shows its picture.
IDirectDrawSurface* Display_Primary();
// Called when the primary surface gets something new to show after the
// window backend took the last of it, from whichever thread drew it: the
// backend wakes up to show it. The backend installs it; null: none.
void Set_Display_Change_Hook(void (*hook)());

// Live surfaces, for tests that check nothing leaks.
int Live_Surface_Count();
