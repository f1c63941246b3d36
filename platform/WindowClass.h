// Window classes with a window procedure: RegisterClassA, CreateWindowExA
// and DefWindowProcA, for programs written against the plain window API
// rather than the application framework; with the icons, brushes and cursors
// a class names. The window itself comes from the window backend, as every
// window does. Values and declarations are this project's own.
#pragma once
#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "platform/Window.h"

using WNDPROC = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
struct HICON__;
using HICON = HICON__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HMENU__;
using HMENU = HMENU__*;
using ATOM = WORD;

// Class styles and extended window styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_NOCLOSE = 0x0200;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;

// The window system's own icon and cursor.
constexpr WORD IDI_APPLICATION_ID = 32512;
constexpr WORD IDC_ARROW_ID = 32512;
inline const char* const IDI_APPLICATION = MAKEINTRESOURCEA(IDI_APPLICATION_ID);
inline const char* const IDC_ARROW = MAKEINTRESOURCEA(IDC_ARROW_ID);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

// 0 when the class has no name or no procedure, or the name is taken.
ATOM RegisterClassA(const WNDCLASSA* window_class);
BOOL UnregisterClassA(const char* class_name, HINSTANCE instance);
// Forgets every class (tests).
void Reset_Window_Classes();

// A window of a registered class whose messages go to the class's procedure;
// null for an unknown class or when the backend cannot make the window. The
// backend decides where the window lies (the real one covers the screen).
HWND CreateWindowExA(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
// The default handling: WM_CLOSE destroys the window, WM_PAINT validates
// it; everything else is taken and answered with 0.
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Key messages need no translation here: there are no character messages.
BOOL TranslateMessage(const MSG* msg);

// The window system's icon (a class's icon is never shown here) and stock
// brushes; only their handles exist.
HICON LoadIconA(HINSTANCE instance, const char* name);
HGDIOBJ GetStockObject(int object);

// A cursor resource of the program (instance not null), or with a null
// instance the window system's arrow (IDC_ARROW), which a backend shows as
// its own pointer. Null when there is no such cursor.
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
