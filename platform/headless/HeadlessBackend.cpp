#include "platform/headless/HeadlessBackend.h"

#include <algorithm>

namespace {
int First_Button(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        default:
            return IDOK;
    }
}
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
    return TRUE;
}

void HeadlessBackend::Message_Beep(UINT) { ++beeps; }

void HeadlessBackend::Wait_Vertical_Blank() { ++vertical_blanks; }

void HeadlessBackend::Sleep_Ms(DWORD ms) { slept_ms += ms; }

bool HeadlessBackend::Take(MSG& out) {
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return true;
}

std::size_t HeadlessBackend::Count_Posted(UINT message) const {
    return static_cast<std::size_t>(std::count_if(
        queue.begin(), queue.end(), [message](const MSG& m) { return m.message == message; }));
}

void HeadlessBackend::Reset() { *this = HeadlessBackend(); }

HeadlessBackend& Headless_Backend() {
    static HeadlessBackend backend;
    return backend;
}
