// The headless window backend: no display. Posted messages queue up for the
// caller to take or pump, message boxes are answered by a hook (OK, Yes by
// default) and recorded with their caption, text, buttons and icon. Windows,
// timers and cursors are only recorded: the caller feeds the timer ticks
// and the mouse position, and invalidates what is to repaint.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/CursorFile.h"
#include "platform/MessageQueue.h"
#include "platform/Window.h"

struct MessageBoxCall {
    std::string caption;
    std::string text;
    UINT type;
    UINT Buttons() const { return type & MB_TYPEMASK; }
    UINT Icon() const { return type & MB_ICONMASK; }
};

struct HeadlessWindow {
    HWND hwnd;
    std::string title;
    DWORD style;
    RECT rect;
    bool shown = false;
    bool destroyed = false;
};

struct HeadlessTimer {
    HWND hwnd;
    UINT_PTR id;
    UINT milliseconds;
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
    HWND Create_Window(const char* title, DWORD style, const RECT& rect) override;
    BOOL Show_Window(HWND hwnd, int command) override;
    UINT_PTR Set_Timer(HWND hwnd, UINT_PTR id, UINT milliseconds) override;
    BOOL Kill_Timer(HWND hwnd, UINT_PTR id) override;
    BOOL Peek_Message(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) override;
    BOOL Get_Cursor_Pos(POINT* point) override;
    int Get_System_Metrics(int index) override;
    HCURSOR Create_Cursor(const cursor_image& image) override;
    HCURSOR Set_Cursor(HCURSOR cursor) override;

    // Answers the boxes; by default the first button (OK or Yes).
    std::function<int(const MessageBoxCall&)> answer;
    std::vector<MessageBoxCall> boxes;
    message_queue queue;
    std::vector<HWND> destroyed;
    std::vector<HeadlessWindow> windows;
    std::vector<HeadlessTimer> timers;  // running ones
    std::vector<cursor_image> cursors;  // made; cursor i + 1 is HCURSOR i + 1
    HCURSOR shown_cursor = nullptr;
    POINT cursor_pos{0, 0};                       // what GetCursorPos answers
    int screen_width = 640, screen_height = 480;  // GetSystemMetrics
    int beeps = 0;
    int vertical_blanks = 0;
    unsigned long slept_ms = 0;  // what Sleep was asked for, added up
    bool quit_posted = false;
    int quit_code = 0;

    // Takes the next queued message; false when the queue is empty.
    bool Take(MSG& out);
    std::size_t Count_Posted(UINT message) const;
    // Dispatches queued messages in order (and those posted meanwhile) until
    // the queue is empty or a WM_QUIT is taken: false after a WM_QUIT. Then,
    // as the queue is empty, one WM_PAINT to a window with an invalid part.
    bool Pump();
    // Posts one WM_TIMER for every running timer, in the order they were set.
    void Post_Timer_Ticks();
    // The window record of a handle this backend made, or null.
    HeadlessWindow* Window(HWND hwnd);
    void Reset();
};

HeadlessBackend& Headless_Backend();
