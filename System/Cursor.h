// The software mouse cursor, drawn over the screen picture after every
// screen update: a sprite frame with its shadow and an optional number
// beside it, composed in the ZOOM surface and put on the primary surface.
#pragma once
#include "System/Sprite.h"

struct dd_cursor_state {
    const sprite* image = nullptr;
    int frame = 0;
    int palette = 0;
    int shown = 0;
    // The number beside the cursor (0 = none) and its offset from the
    // cursor's top-left corner.
    int count = 0;
    int count_x = 0;
    int count_y = 0;
    // The mouse position it is drawn at, and where it was drawn before; the
    // input dispatch writes both (the second after Move_DD_Cursor).
    int mouse_x = 0;
    int mouse_y = 0;
    int prev_x = 0;
    int prev_y = 0;
    // The digit sprite of the system sprites (frame = digit), set when they load.
    const sprite* digits = nullptr;
};
extern dd_cursor_state dd_cursor;
// No cursor loaded, shown or drawn (what it held is not released).
void Reset_Cursor_State();

// The cursor's box around the mouse: 32 pixels left and right, 48 up and down.
constexpr int CURSOR_HALF_WIDTH = 32;
constexpr int CURSOR_HALF_HEIGHT = 48;
// The shadow's offset and palette (bit 7 set: a run-length sprite draws none).
constexpr int CURSOR_SHADOW_OFFSET = 7;
constexpr int CURSOR_SHADOW_PALETTE = 132;
constexpr int CURSOR_DIGIT_SPACING = 7;

void Set_DD_Cursor(const sprite* image, int frame, int ignored1, int ignored2, int palette);
void Set_Cursor_Number(int count, int x, int y);
void Hide_DD_Cursor();
void Move_DD_Cursor();
void Draw_DD_Cursor();
