#include "System/ClipRect.h"

#include "System/Display.h"

RECT clip_rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
RECT saved_clip_rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

void Set_Clip_Rect(int left, int top, int right, int bottom) {
    saved_clip_rect = clip_rect;
    clip_rect = {left, top, right, bottom};
}

void Set_Clip_Rect_From(const RECT& rect) { Set_Clip_Rect(rect.left, rect.top, rect.right, rect.bottom); }

void Restore_Clip_Rect() { clip_rect = saved_clip_rect; }

void Set_Full_Clip() { Set_Clip_Rect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT); }
