// The world map program's start-up, window and message handling, main loop
// pass and shutdown.
#pragma once
#include "platform/WindowClass.h"

// The window's class and title.
constexpr const char* MAIN_CLASS_NAME = "directwin";
constexpr const char* MAIN_WINDOW_TITLE = "Main Map";

// The cursors: the normal one, and the one shown at start-up and while
// fading out.
extern HCURSOR normal_cursor;
extern HCURSOR wait_cursor;

// The start-up (the pictures, the display, the first picture on the screen).
// False when it failed: then the failure was shown and the window is gone,
// with the quit message (exit code 1) posted.
bool Main_Map_Main();
// One pass of the main loop: the waiting messages, then a pause of 5 ms.
// False once the quit message waits (the framework's pump takes it).
bool Main_Loop_Pass();

ATOM Register_Window_Class(const char* name, WNDPROC procedure, UINT style, HICON icon, HBRUSH brush);
// The window, hidden, with the arrow cursor; null on failure.
HWND Create_Main_Window(const char* class_name, int x, int y, int width, int height, const char* title, DWORD style,
                        DWORD ex_style);
// Handles one waiting message: 0 when it is the quit message (left waiting
// for the framework's pump), else 1 (also when none waits).
int Pump_Message();
// Ends the program after a failure: the window goes (releasing what
// exists) and the program quits with exit code 1.
void Quit_On_Error();
LRESULT Main_Map_Window_Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A cursor change asked for by any thread; the main thread shows it in its
// next pass.
void Request_Cursor(HCURSOR cursor);
void Apply_Requested_Cursor();

// Starts a walk to the screen point (x, y) (a click in the view).
void Start_Walk(int x, int y);
