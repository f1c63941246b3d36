// The headless window backend: no display. Posted messages queue up for the
// caller to take, message boxes are answered by a hook (OK, Yes by default)
// and recorded with their caption, text, buttons and icon.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Window.h"

struct MessageBoxCall {
    std::string caption;
    std::string text;
    UINT type;
    UINT Buttons() const { return type & MB_TYPEMASK; }
    UINT Icon() const { return type & MB_ICONMASK; }
};

class HeadlessBackend : public WindowBackend {
public:
    int Message_Box(HWND owner, const char* text, const char* caption, UINT type) override;
    BOOL Post_Message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Post_Quit_Message(int exit_code) override;
    BOOL Destroy_Window(HWND hwnd) override;
    void Message_Beep(UINT type) override;
    // Neither waits: tests and the scripted runner run at full speed.
    void Wait_Vertical_Blank() override;
    void Sleep_Ms(DWORD ms) override;

    // Answers the boxes; by default the first button (OK or Yes).
    std::function<int(const MessageBoxCall&)> answer;
    std::vector<MessageBoxCall> boxes;
    std::deque<MSG> queue;
    std::vector<HWND> destroyed;
    int beeps = 0;
    int vertical_blanks = 0;
    unsigned long slept_ms = 0;  // what Sleep was asked for, added up
    bool quit_posted = false;
    int quit_code = 0;

    // Takes the next queued message; false when the queue is empty.
    bool Take(MSG& out);
    std::size_t Count_Posted(UINT message) const;
    void Reset();
};

HeadlessBackend& Headless_Backend();
