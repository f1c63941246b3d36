// The message log of the hexamap screen: coloured, word-wrapped records of
// the action, five visible 13-pixel lines in the panel (281, 397)-(603, 462),
// eased towards the newest line one step per idle pass, with two buttons to
// scroll back.
//
// The lines are rendered once into the TEXT surface, a ring of ten lines
// (a line position y is taken modulo 130); scrolling only changes which band
// of the ring is copied to the panel.
#pragma once
#include <cstdint>

#include "platform/Win32Types.h"

constexpr int LOG_BUFFER_SIZE = 3000;
constexpr int LOG_LINE_HEIGHT = 13;
constexpr int LOG_VISIBLE_LINES = 5;
constexpr int LOG_WINDOW_HEIGHT = LOG_LINE_HEIGHT * LOG_VISIBLE_LINES;  // 65
constexpr int LOG_RING_HEIGHT = 130;
constexpr RECT LOG_PANEL{281, 397, 603, 462};

// Records laid end to end in buffer: a 32-bit GDI colour (high byte 0), one
// line of text, a NUL.
struct message_log_state {
    std::uint8_t buffer[LOG_BUFFER_SIZE];
    int end;        // bytes in use
    int top;        // first visible record
    int bottom;     // the record after the last visible one
    int next_y;     // ring position of the line below the window; the scroll target is next_y - 65
    int scroll;     // the top of the visible band in the ring
    int following;  // 1 while the window shows the newest lines
};
extern message_log_state message_log;

// Told every message as it is handed to the log, whole, before it is split
// into lines (tests and the headless runner listen; nullptr: nobody).
using Log_Listener = void (*)(COLORREF colour, const char* text);
void Set_Log_Listener(Log_Listener listener);

// A new game's log: five blank lines, following the newest.
void Log_Reset();
// Appends a message, split into records of one line each; the oldest
// records go when the buffer is full.
void Log_Add_Message(COLORREF colour, const char* text);
void Log_Scroll_Step();
void Log_Blit_Window();
void Log_Redraw();
void Log_Draw_Line(int record, int y);
void Log_Read_Next();
void Log_Read_Prev();
void Log_Bottom_Next();
void Log_Bottom_Prev();
// The handlers of the two log buttons; they act on event 1 only.
void Log_Scroll_Up(std::uint32_t flags, int event);
void Log_Scroll_Down(std::uint32_t flags, int event);
