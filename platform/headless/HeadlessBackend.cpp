#include "platform/headless/HeadlessBackend.h"

#include <algorithm>

#include "platform/AppFramework.h"

namespace {
int First_Button(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL: return IDYES;
        default: return IDOK;
    }
}

// Window handles are small numbers, never null.
constexpr std::uintptr_t FIRST_WINDOW_HANDLE = 0x100;
}  // namespace

int HeadlessBackend::Message_Box(HWND, const char* text, const char* caption, UINT type) {
    boxes.push_back({caption, text, type});
    if (answer) return answer(boxes.back());
    return First_Button(type);
}

BOOL HeadlessBackend::Post_Message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    queue.push_back({hwnd, message, wParam, lParam});
    return TRUE;
}

void HeadlessBackend::Post_Quit_Message(int exit_code) {
    quit_posted = true;
    quit_code = exit_code;
    queue.push_back({nullptr, WM_QUIT, static_cast<WPARAM>(exit_code), 0});
}

BOOL HeadlessBackend::Destroy_Window(HWND hwnd) {
    destroyed.push_back(hwnd);
    if (HeadlessWindow* w = Window(hwnd)) w->destroyed = true;
    std::erase_if(timers, [hwnd](const HeadlessTimer& t) { return t.hwnd == hwnd; });
    return TRUE;
}

void HeadlessBackend::Message_Beep(UINT) { ++beeps; }

void HeadlessBackend::Wait_Vertical_Blank() { ++vertical_blanks; }

void HeadlessBackend::Sleep_Ms(DWORD ms) { slept_ms += ms; }

HWND HeadlessBackend::Create_Window(const char* title, DWORD style, const RECT& rect) {
    HWND hwnd = reinterpret_cast<HWND>(FIRST_WINDOW_HANDLE + windows.size());
    windows.push_back({hwnd, title, style, rect});
    return hwnd;
}

BOOL HeadlessBackend::Show_Window(HWND hwnd, int command) {
    HeadlessWindow* w = Window(hwnd);
    if (w == nullptr || w->destroyed) return FALSE;
    const BOOL was_shown = w->shown;
    w->shown = command != SW_HIDE;
    return was_shown;
}

UINT_PTR HeadlessBackend::Set_Timer(HWND hwnd, UINT_PTR id, UINT milliseconds) {
    HeadlessWindow* w = Window(hwnd);
    if (w == nullptr || w->destroyed) return 0;
    // Setting a running timer again restarts it.
    Kill_Timer(hwnd, id);
    timers.push_back({hwnd, id, milliseconds});
    return id;
}

BOOL HeadlessBackend::Kill_Timer(HWND hwnd, UINT_PTR id) {
    const auto before = timers.size();
    std::erase_if(timers, [&](const HeadlessTimer& t) { return t.hwnd == hwnd && t.id == id; });
    return timers.size() != before;
}

BOOL HeadlessBackend::Peek_Message(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) {
    return Peek_Queue(queue, out, hwnd, first, last, remove);
}

BOOL HeadlessBackend::Get_Cursor_Pos(POINT* point) {
    *point = cursor_pos;
    return TRUE;
}

int HeadlessBackend::Get_System_Metrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return screen_width;
        case SM_CYSCREEN: return screen_height;
        default: return 0;
    }
}

HCURSOR HeadlessBackend::Create_Cursor(const cursor_image& image) {
    cursors.push_back(image);
    return reinterpret_cast<HCURSOR>(cursors.size());
}

HCURSOR HeadlessBackend::Set_Cursor(HCURSOR cursor) {
    HCURSOR before = shown_cursor;
    shown_cursor = cursor;
    return before;
}

bool HeadlessBackend::Take(MSG& out) {
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return true;
}

std::size_t HeadlessBackend::Count_Posted(UINT message) const {
    return static_cast<std::size_t>(
        std::count_if(queue.begin(), queue.end(), [message](const MSG& m) { return m.message == message; }));
}

bool HeadlessBackend::Pump() {
    MSG msg;
    while (Take(msg))
        if (!Pump_Message(msg)) return false;
    if (HWND hwnd = Window_Needing_Paint()) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        // What the paint posted is pumped too.
        while (Take(msg))
            if (!Pump_Message(msg)) return false;
    }
    return true;
}

void HeadlessBackend::Post_Timer_Ticks() {
    // A copy: a tick may set or kill timers.
    const std::vector<HeadlessTimer> running = timers;
    for (const HeadlessTimer& t : running) Post_Message(t.hwnd, WM_TIMER, t.id, 0);
}

HeadlessWindow* HeadlessBackend::Window(HWND hwnd) {
    for (HeadlessWindow& w : windows)
        if (w.hwnd == hwnd) return &w;
    return nullptr;
}

void HeadlessBackend::Reset() { *this = HeadlessBackend(); }

HeadlessBackend& Headless_Backend() {
    static HeadlessBackend backend;
    return backend;
}
