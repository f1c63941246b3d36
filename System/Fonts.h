// The game's fonts: the two font files added while the game runs, the three
// fonts made from them, and plain text output on the back surface.
#pragma once
#include "platform/Gdi.h"

extern HFONT small_font;    // 11 pixels, "Small Font": other screens' small texts
extern HFONT log_font;      // 13 pixels, "MS Serif": the message log
extern HFONT message_font;  // 16 pixels bold, "MS Serif": the message line and Text_Out

// Print_Text's colour, initially yellow.
extern COLORREF text_colour;

// Adds the font files ("Can't load font!" with the file's path and the
// reason when one fails), makes the fonts and resets the message log; at
// every new game.
void Init_Fonts();
// Removes the font files ("Can't remove font!" when one fails); at shutdown.
void Free_Fonts();

// Text on BACK in the message font with a transparent background, aligned
// by align (0 meaning TA_BOTTOM) at (x, y).
void Text_Out(UINT align, COLORREF colour, int x, int y, const char* text);
// The same word-wrapped into rect.
void Text_In_Rect(COLORREF colour, const RECT& rect, const char* text);
void Print_Text(const char* text, int x, int y);
void Set_Text_Color(COLORREF colour);
