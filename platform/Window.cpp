#include "platform/Window.h"

#include <cstdio>

#include "platform/headless/HeadlessBackend.h"

namespace {
WindowBackend* current_backend = nullptr;
HWND main_window = nullptr;
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

BOOL DestroyWindow(HWND hwnd) { return Window_Backend().Destroy_Window(hwnd); }

BOOL MessageBeep(UINT type) {
    Window_Backend().Message_Beep(type);
    return TRUE;
}

void OutputDebugStringA(const char* text) {
    std::fputs(text ? text : "", stderr);
    std::fflush(stderr);
}
