#include "platform/Window.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "platform/headless/HeadlessBackend.h"

namespace {
WindowBackend* current_backend = nullptr;
HWND main_window = nullptr;

struct window_state {
    MessageTarget* target = nullptr;
    RECT client{};
    bool invalid = false;
    RECT invalid_rect{};
};

// The live windows: what receives their messages, and what is to repaint.
std::map<HWND, window_state>& Windows() {
    static std::map<HWND, window_state> windows;
    return windows;
}

window_state* State(HWND hwnd) {
    auto found = Windows().find(hwnd);
    return found == Windows().end() ? nullptr : &found->second;
}

RECT Union(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
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
    Windows()[hwnd] = {target, {0, 0, rect.right - rect.left, rect.bottom - rect.top}};
    MINMAXINFO limits{};
    limits.ptMaxSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    limits.ptMaxTrackSize = limits.ptMaxSize;
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    window_state* state = State(hwnd);
    if (state == nullptr) return FALSE;
    Window_Backend().Destroy_Window(hwnd);
    MessageTarget* target = state->target;
    target->Window_Proc(WM_DESTROY, 0, 0);
    // The last message may delete the target: the window is gone first.
    Windows().erase(hwnd);
    if (main_window == hwnd) main_window = nullptr;
    target->Window_Proc(WM_NCDESTROY, 0, 0);
    return TRUE;
}

MessageTarget* Window_Target(HWND hwnd) {
    window_state* state = State(hwnd);
    return state != nullptr ? state->target : nullptr;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageTarget* target = Window_Target(hwnd);
    return target != nullptr ? target->Window_Proc(message, wParam, lParam) : 0;
}

LRESULT DispatchMessageA(const MSG* msg) {
    return msg != nullptr ? SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL ShowWindow(HWND hwnd, int command) {
    const BOOL was_shown = Window_Backend().Show_Window(hwnd, command);
    if (command != SW_HIDE) InvalidateRect(hwnd, nullptr, FALSE);
    return was_shown;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    window_state* state = State(hwnd);
    if (state == nullptr) return FALSE;
    const RECT r = rect != nullptr ? *rect : state->client;
    if (r.left >= r.right || r.top >= r.bottom) return TRUE;
    state->invalid_rect = state->invalid ? Union(state->invalid_rect, r) : r;
    state->invalid = true;
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    window_state* state = State(hwnd);
    if (state == nullptr) return FALSE;
    // Only a rect that covers the invalid part validates it.
    const RECT& v = state->invalid_rect;
    if (rect == nullptr ||
        (rect->left <= v.left && rect->top <= v.top && rect->right >= v.right && rect->bottom >= v.bottom))
        state->invalid = false;
    return TRUE;
}

HWND Window_Needing_Paint() {
    for (const auto& [hwnd, state] : Windows())
        if (state.invalid) return hwnd;
    return nullptr;
}

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
    window_state* state = State(hwnd);
    if (state != nullptr && state->invalid) {
        paint->rcPaint = state->invalid_rect;
        state->invalid = false;
    }
    return nullptr;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) { return rect != nullptr; }

HCURSOR SetCursor(HCURSOR cursor) { return Window_Backend().Set_Cursor(cursor); }
