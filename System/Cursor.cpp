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
    RECT screen{std::max(mx - cursor_half_width, 0), std::max(my - cursor_half_height, 0),
                std::min(mx + cursor_half_width, screen_width), std::min(my + cursor_half_height, screen_height)};
    RECT zoom{0, 0, 2 * cursor_half_width, 2 * cursor_half_height};
    if (mx - cursor_half_width < 0) zoom.left = cursor_half_width - mx;
    if (my - cursor_half_height < 0) zoom.top = cursor_half_height - my;
    if (mx + cursor_half_width > screen_width) zoom.right = screen_width + cursor_half_width - mx;
    if (my + cursor_half_height > screen_height) zoom.bottom = screen_height + cursor_half_height - my;
    if (screen.left >= screen.right || screen.top >= screen.bottom) return;

    DD_Error("DDcursor backblt", ZOOM->Blt(&zoom, BACK, &screen, DDBLT_WAIT, nullptr));
    Set_Clip_Rect(0, 0, 2 * cursor_half_width, 2 * cursor_half_height);
    if (dd_cursor.image != nullptr) {
        Put_Sprite(ZOOM, cursor_half_width + cursor_shadow_offset, cursor_half_height + cursor_shadow_offset,
                   dd_cursor.image, dd_cursor.frame, cursor_shadow_palette, light_plain);
        Put_Sprite(ZOOM, cursor_half_width, cursor_half_height, dd_cursor.image, dd_cursor.frame, dd_cursor.palette,
                   light_plain);
    }
    if (dd_cursor.count > 0 && dd_cursor.digits != nullptr) {
        int x = dd_cursor.count_x;
        for (int n = dd_cursor.count; n > 0; n /= 10) {
            Put_Sprite(ZOOM, x + cursor_half_width, dd_cursor.count_y + cursor_half_height, dd_cursor.digits, n % 10, 0,
                       light_plain);
            x -= cursor_digit_spacing;
        }
    }
    RECT on_screen{screen.left + screen_rect.left, screen.top + screen_rect.top, screen.right + screen_rect.left,
                   screen.bottom + screen_rect.top};
    DD_Error("DDcursor blt", primary_surface->Blt(&on_screen, ZOOM, &zoom, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}

void Move_DD_Cursor() {
    if (!dd_cursor.shown) return;
    if (dd_cursor.mouse_x == dd_cursor.prev_x && dd_cursor.mouse_y == dd_cursor.prev_y) return;
    RECT old{std::max(dd_cursor.prev_x - cursor_half_width, 0), std::max(dd_cursor.prev_y - cursor_half_height, 0),
             std::min(dd_cursor.prev_x + cursor_half_width, screen_width),
             std::min(dd_cursor.prev_y + cursor_half_height, screen_height)};
    if (direct_draw != nullptr) direct_draw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    Update_Screen(&old);
}
