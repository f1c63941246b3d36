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
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_HOTKEY = 0x0312;

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
constexpr UINT MB_SETFOREGROUND = 0x00010000;
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

// What a backend provides. Later layers extend it as they need more of the
// platform (timers, cursor position, screen metrics).
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
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
BOOL DestroyWindow(HWND hwnd);
BOOL MessageBeep(UINT type);

// Debug trace output (standard error).
void OutputDebugStringA(const char* text);
