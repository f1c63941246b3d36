// The message line: one line of yellow text (what is under the mouse, a
// hint) drawn over the screen picture after every screen update.
#pragma once
#include "platform/Win32Types.h"

constexpr int MESSAGE_TEXT_SIZE = 128;  // at most 127 characters

struct message_line_state {
    char text[MESSAGE_TEXT_SIZE];  // empty = none
    RECT rect;                     // where it shows, 300 x 13
};
extern message_line_state message_line;

// Shows a text (unless the shown text already begins with all of it), or
// with none clears the line (unless it is empty).
void Show_Message(const char* text);
// Puts the line's bottom-left corner at (x, y); (0, 0) is the default place.
// The line is cleared.
void Set_Message_Pos(int x, int y);
// Puts the rendered line on the primary surface, clipped to rect (none: the
// whole screen) moved by the window's origin; the clip rect stays so.
void Draw_Message_Line(const RECT* rect);
