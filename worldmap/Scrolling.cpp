#include "worldmap/Scrolling.h"

#include <mutex>

#include "worldmap/Display.h"
#include "worldmap/Drawing.h"
#include "worldmap/Threads.h"
#include "worldmap/WorldMap.h"

namespace {

// The view onto itself, then a strip of the map into the view.
void Shift_View(RECT from, int to_x, int to_y, RECT strip, int strip_x, int strip_y) {
    view_surface->BltFast(static_cast<DWORD>(to_x), static_cast<DWORD>(to_y), view_surface, &from, DDBLTFAST_WAIT);
    view_surface->BltFast(static_cast<DWORD>(strip_x), static_cast<DWORD>(strip_y), map_surface, &strip,
                          DDBLTFAST_WAIT);
    view_dirty = 1;
}

// A step toward the far end of an axis: within the limit it scrolls, at
// the limit the view is taken afresh.
void Step_Forward(int& scroll, int limit, void (*scroll_view)()) {
    scroll += SCROLL_STEP;
    if (scroll <= limit) {
        scroll_view();
    } else {
        scroll = limit;
        Refresh_View();
    }
}

void Step_Back(int& scroll, void (*scroll_view)()) {
    scroll -= SCROLL_STEP;
    if (scroll < SCROLL_MIN) {
        scroll = SCROLL_MIN;
        Refresh_View();
    } else {
        scroll_view();
    }
}

}  // namespace

void Scroll_View_Right() {
    Shift_View({2, 0, VIEW_WIDTH, VIEW_HEIGHT}, 0, 0,
               {scroll_x + VIEW_WIDTH - 2, scroll_y, scroll_x + VIEW_WIDTH, scroll_y + VIEW_HEIGHT}, VIEW_WIDTH - 2, 0);
}

void Scroll_View_Left() {
    Shift_View({0, 0, VIEW_WIDTH - 2, VIEW_HEIGHT}, 2, 0, {scroll_x, scroll_y, scroll_x + 2, scroll_y + VIEW_HEIGHT}, 0,
               0);
}

void Scroll_View_Down() {
    Shift_View({0, 2, VIEW_WIDTH, VIEW_HEIGHT}, 0, 0,
               {scroll_x, scroll_y + VIEW_HEIGHT - 2, scroll_x + VIEW_WIDTH, scroll_y + VIEW_HEIGHT}, 0,
               VIEW_HEIGHT - 2);
}

void Scroll_View_Up() {
    Shift_View({0, 0, VIEW_WIDTH, VIEW_HEIGHT - 2}, 0, 2, {scroll_x, scroll_y, scroll_x + VIEW_WIDTH, scroll_y + 2}, 0,
               0);
}

void Edge_Scroll() {
    const std::lock_guard<std::mutex> hold(world_lock);
    if (drawing_stopped || view_surface == nullptr) return;
    if (mouse_y == SCREEN_HEIGHT - 1)
        Step_Forward(scroll_y, SCROLL_MAX_Y, Scroll_View_Down);
    else if (mouse_y == 0)
        Step_Back(scroll_y, Scroll_View_Up);
    else if (mouse_x == SCREEN_WIDTH - 1)
        Step_Forward(scroll_x, SCROLL_MAX_X, Scroll_View_Right);
    else if (mouse_x == 0)
        Step_Back(scroll_x, Scroll_View_Left);
    else
        return;
    Compose_Screen();
}
