// The window, message and message-box services the game's code calls, in
// their Win32 shape. A backend carries them out: the wx one for the real
// program, the headless one for tests and the scripted runner.
#pragma once
#include "platform/Win32Types.h"

// Window messages the game uses.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_HOTKEY = 0x0312;

// Button and modifier bits of the mouse messages' wParam.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;
constexpr UINT MK_MBUTTON = 0x0010;

// Window styles, ShowWindow commands, system metrics, PeekMessage options.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Packing of the mouse messages' lParam and of the WM_SIZE/WM_MOVE sizes.
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                               ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}
constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
// The signed coordinates of a mouse message.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(l))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(l))); }

// WM_GETMINMAXINFO's lParam points to one.
struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct HDC__;
using HDC = HDC__*;
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;  // the part of the window to repaint
};

struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct cursor_image;  // platform/CursorFile.h

using UINT_PTR = std::uintptr_t;

// Message box styles and answers.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What receives a window's messages (the class library's window object).
class MessageTarget {
  public:
    virtual ~MessageTarget() = default;
    virtual LRESULT Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// What a backend provides. Windows are registered with the messages' targets
// by the layer above (CreateGameWindow, DestroyWindow); a backend only makes
// and removes what shows them.
class WindowBackend {
  public:
    virtual ~WindowBackend() = default;
    // A new top-level window; null when it cannot be made.
    virtual HWND Create_Window(const char* title, DWORD style, const RECT& rect) = 0;
    virtual BOOL Show_Window(HWND hwnd, int command) = 0;
    virtual UINT_PTR Set_Timer(HWND hwnd, UINT_PTR id, UINT milliseconds) = 0;
    virtual BOOL Kill_Timer(HWND hwnd, UINT_PTR id) = 0;
    // PeekMessage over the posted messages: the first of hwnd (null: any)
    // within [first, last] (both 0: every message).
    virtual BOOL Peek_Message(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) = 0;
    // The mouse position and the screen size, in the game's 640 x 480 pixels.
    virtual BOOL Get_Cursor_Pos(POINT* point) = 0;
    virtual int Get_System_Metrics(int index) = 0;
    // A pointer shape made from a cursor file's picture, and the one shown
    // over the game's windows.
    virtual HCURSOR Create_Cursor(const cursor_image& image) = 0;
    virtual HCURSOR Set_Cursor(HCURSOR cursor) = 0;
    virtual int Message_Box(HWND owner, const char* text, const char* caption, UINT type) = 0;
    virtual BOOL Post_Message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void Post_Quit_Message(int exit_code) = 0;
    virtual BOOL Destroy_Window(HWND hwnd) = 0;
    virtual void Message_Beep(UINT type) = 0;

    // The display's vertical blank: a real backend waits for the next refresh
    // (the next 1/60 s boundary of a steady clock); by default it returns at once.
    virtual void Wait_Vertical_Blank() {}
    // Sleep(ms): a real backend sleeps; the headless one only counts.
    virtual void Sleep_Ms(DWORD ms);
};

// The backend in use; the headless one until another is installed.
WindowBackend& Window_Backend();
void Set_Window_Backend(WindowBackend* backend);  // nullptr: back to headless

// The game's main window (null before it exists and after it is destroyed).
HWND Get_Main_Window();
void Set_Main_Window(HWND hwnd);

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exit_code);
BOOL MessageBeep(UINT type);

// Makes a window whose messages go to target, sends it WM_GETMINMAXINFO and
// returns its handle (null when the backend could not make it).
HWND CreateGameWindow(MessageTarget* target, const char* title, DWORD style, const RECT& rect);
// Removes the window, then sends it WM_DESTROY and WM_NCDESTROY; its later
// messages are dropped.
BOOL DestroyWindow(HWND hwnd);
// The target of a live window; null for any other handle.
MessageTarget* Window_Target(HWND hwnd);
// Hands a message to its window's target at once (0 when it has none).
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DispatchMessageA(const MSG* msg);

BOOL ShowWindow(HWND hwnd, int command);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, void* unused_procedure);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
BOOL PeekMessageA(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove);
BOOL GetCursorPos(POINT* point);
int GetSystemMetrics(int index);
// A window's invalid part: showing a window invalidates all of it. While a
// window has one, the pump hands it a WM_PAINT whenever no other message
// waits; BeginPaint gives the part to repaint and validates it.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);  // rect null: the whole client area
BOOL ValidateRect(HWND hwnd, const RECT* rect);                // rect null: all of it
// The first window with an invalid part, or null.
HWND Window_Needing_Paint();
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// This layer draws no window frame: the client rectangle is the window's.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style);
// Reads a .CUR file (through the path resolver); null when it is missing or
// not a cursor file.
HCURSOR LoadCursorFromFileA(const char* file_name);
HCURSOR SetCursor(HCURSOR cursor);

// Debug trace output (standard error).
void OutputDebugStringA(const char* text);
