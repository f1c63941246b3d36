#include "platform/Window.h"

#include <cstdio>
#include <map>

#include "platform/headless/HeadlessBackend.h"

namespace {
WindowBackend* current_backend = nullptr;
HWND main_window = nullptr;

// The live windows and what receives their messages.
std::map<HWND, MessageTarget*>& Targets() {
    static std::map<HWND, MessageTarget*> targets;
    return targets;
}
}  // namespace

WindowBackend& Window_Backend() {
    if (current_backend == nullptr) return Headless_Backend();
    return *current_backend;
}

void Set_Window_Backend(WindowBackend* backend) { current_backend = backend; }

HWND Get_Main_Window() { return main_window; }
void Set_Main_Window(HWND hwnd) { main_window = hwnd; }

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return Window_Backend().Message_Box(owner, text ? text : "", caption ? caption : "", type);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Window_Backend().Post_Message(hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exit_code) { Window_Backend().Post_Quit_Message(exit_code); }

BOOL MessageBeep(UINT type) {
    Window_Backend().Message_Beep(type);
    return TRUE;
}

void OutputDebugStringA(const char* text) {
    std::fputs(text ? text : "", stderr);
    std::fflush(stderr);
}

HWND CreateGameWindow(MessageTarget* target, const char* title, DWORD style, const RECT& rect) {
    HWND hwnd = Window_Backend().Create_Window(title ? title : "", style, rect);
    if (hwnd == nullptr) return nullptr;
    Targets()[hwnd] = target;
    MINMAXINFO limits{};
    limits.ptMaxSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    limits.ptMaxTrackSize = limits.ptMaxSize;
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    auto found = Targets().find(hwnd);
    if (found == Targets().end()) return FALSE;
    Window_Backend().Destroy_Window(hwnd);
    MessageTarget* target = found->second;
    target->Window_Proc(WM_DESTROY, 0, 0);
    // The last message may delete the target: the window is gone first.
    Targets().erase(hwnd);
    if (main_window == hwnd) main_window = nullptr;
    target->Window_Proc(WM_NCDESTROY, 0, 0);
    return TRUE;
}

MessageTarget* Window_Target(HWND hwnd) {
    auto found = Targets().find(hwnd);
    return found == Targets().end() ? nullptr : found->second;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageTarget* target = Window_Target(hwnd);
    return target != nullptr ? target->Window_Proc(message, wParam, lParam) : 0;
}

LRESULT DispatchMessageA(const MSG* msg) {
    return msg != nullptr ? SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL ShowWindow(HWND hwnd, int command) { return Window_Backend().Show_Window(hwnd, command); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, void*) {
    return Window_Backend().Set_Timer(hwnd, id, milliseconds);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return Window_Backend().Kill_Timer(hwnd, id); }

BOOL PeekMessageA(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) {
    return Window_Backend().Peek_Message(out, hwnd, first, last, remove);
}

BOOL GetCursorPos(POINT* point) { return point != nullptr && Window_Backend().Get_Cursor_Pos(point); }

int GetSystemMetrics(int index) { return Window_Backend().Get_System_Metrics(index); }

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    if (paint == nullptr) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = Window_Backend().Paint_Rect(hwnd);
    return nullptr;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) { return rect != nullptr; }

HCURSOR SetCursor(HCURSOR cursor) { return Window_Backend().Set_Cursor(cursor); }
