// Plain Win32-shaped types and helpers that the game's code is written against.
// Values and declarations are this project's own.
#pragma once
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using HRESULT = std::int32_t;

// A window is named by an opaque handle; the backends hand them out.
struct HWND__;
using HWND = HWND__*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct RECT {
    LONG left, top, right, bottom;
};

struct POINT {
    LONG x, y;
};

// GDI colour order: red in the low byte.
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
// A colour that names a palette index (on 8-bit surfaces) instead of red,
// green and blue.
constexpr COLORREF PALETTEINDEX(unsigned index) { return 0x01000000 | (index & 0xFFFF); }
constexpr bool Is_Palette_Index(COLORREF c) { return (c & 0xFF000000) == 0x01000000; }
constexpr unsigned GetRValue(COLORREF c) { return c & 0xFF; }
constexpr unsigned GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// Opaque handles of the platform's objects.
using HANDLE = void*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
