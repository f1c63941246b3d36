#include "System/Cursor.h"

#include <algorithm>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/ErrorReport.h"

dd_cursor_state dd_cursor;

void Reset_Cursor_State() { dd_cursor = dd_cursor_state{}; }

void Set_DD_Cursor(const sprite* image, int frame, int, int, int palette) {
    dd_cursor.image = image;
    dd_cursor.frame = frame;
    dd_cursor.palette = palette;
    dd_cursor.shown = 1;
    dd_cursor.count = 0;
}

void Set_Cursor_Number(int count, int x, int y) {
    dd_cursor.count = count;
    dd_cursor.count_x = x;
    dd_cursor.count_y = y;
}

void Hide_DD_Cursor() { dd_cursor.shown = 0; }

void Draw_DD_Cursor() {
    if (!dd_cursor.shown || ZOOM == nullptr || BACK == nullptr || primary_surface == nullptr) return;
    const int mx = dd_cursor.mouse_x, my = dd_cursor.mouse_y;
    // The screen box, and the part of ZOOM's 64 x 96 box it shows, cut alike.
    RECT screen{std::max(mx - CURSOR_HALF_WIDTH, 0), std::max(my - CURSOR_HALF_HEIGHT, 0),
                std::min(mx + CURSOR_HALF_WIDTH, SCREEN_WIDTH), std::min(my + CURSOR_HALF_HEIGHT, SCREEN_HEIGHT)};
    RECT zoom{0, 0, 2 * CURSOR_HALF_WIDTH, 2 * CURSOR_HALF_HEIGHT};
    if (mx - CURSOR_HALF_WIDTH < 0) zoom.left = CURSOR_HALF_WIDTH - mx;
    if (my - CURSOR_HALF_HEIGHT < 0) zoom.top = CURSOR_HALF_HEIGHT - my;
    if (mx + CURSOR_HALF_WIDTH > SCREEN_WIDTH) zoom.right = SCREEN_WIDTH + CURSOR_HALF_WIDTH - mx;
    if (my + CURSOR_HALF_HEIGHT > SCREEN_HEIGHT) zoom.bottom = SCREEN_HEIGHT + CURSOR_HALF_HEIGHT - my;
    if (screen.left >= screen.right || screen.top >= screen.bottom) return;

    DD_Error("DDcursor backblt", ZOOM->Blt(&zoom, BACK, &screen, DDBLT_WAIT, nullptr));
    Set_Clip_Rect(0, 0, 2 * CURSOR_HALF_WIDTH, 2 * CURSOR_HALF_HEIGHT);
    if (dd_cursor.image != nullptr) {
        Put_Sprite(ZOOM, CURSOR_HALF_WIDTH + CURSOR_SHADOW_OFFSET, CURSOR_HALF_HEIGHT + CURSOR_SHADOW_OFFSET,
                   dd_cursor.image, dd_cursor.frame, CURSOR_SHADOW_PALETTE, LIGHT_PLAIN);
        Put_Sprite(ZOOM, CURSOR_HALF_WIDTH, CURSOR_HALF_HEIGHT, dd_cursor.image, dd_cursor.frame, dd_cursor.palette,
                   LIGHT_PLAIN);
    }
    if (dd_cursor.count > 0 && dd_cursor.digits != nullptr) {
        int x = dd_cursor.count_x;
        for (int n = dd_cursor.count; n > 0; n /= 10) {
            Put_Sprite(ZOOM, x + CURSOR_HALF_WIDTH, dd_cursor.count_y + CURSOR_HALF_HEIGHT, dd_cursor.digits, n % 10, 0,
                       LIGHT_PLAIN);
            x -= CURSOR_DIGIT_SPACING;
        }
    }
    RECT on_screen{screen.left + screen_rect.left, screen.top + screen_rect.top, screen.right + screen_rect.left,
                   screen.bottom + screen_rect.top};
    DD_Error("DDcursor blt", primary_surface->Blt(&on_screen, ZOOM, &zoom, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}

void Move_DD_Cursor() {
    if (!dd_cursor.shown) return;
    if (dd_cursor.mouse_x == dd_cursor.prev_x && dd_cursor.mouse_y == dd_cursor.prev_y) return;
    RECT old{std::max(dd_cursor.prev_x - CURSOR_HALF_WIDTH, 0), std::max(dd_cursor.prev_y - CURSOR_HALF_HEIGHT, 0),
             std::min(dd_cursor.prev_x + CURSOR_HALF_WIDTH, SCREEN_WIDTH),
             std::min(dd_cursor.prev_y + CURSOR_HALF_HEIGHT, SCREEN_HEIGHT)};
    if (direct_draw != nullptr) direct_draw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    Update_Screen(&old);
}
