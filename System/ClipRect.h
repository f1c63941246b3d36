// The clip rect every sprite drawer and the run-length blitter clip to:
// right and bottom exclusive, initially the whole 640 x 480 screen, with one
// saved copy.
#pragma once
#include "platform/Win32Types.h"

extern RECT clip_rect;
extern RECT saved_clip_rect;

// Both save the current clip rect as the saved one, then set the new one.
void Set_Clip_Rect(int left, int top, int right, int bottom);
void Set_Clip_Rect_From(const RECT& rect);
// Makes the saved clip rect current.
void Restore_Clip_Rect();
// Set_Clip_Rect(0, 0, 640, 480).
void Set_Full_Clip();
