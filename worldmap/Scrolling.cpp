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
    scroll += scroll_step;
    if (scroll <= limit) {
        scroll_view();
    } else {
        scroll = limit;
        Refresh_View();
    }
}

void Step_Back(int& scroll, void (*scroll_view)()) {
    scroll -= scroll_step;
    if (scroll < scroll_min) {
        scroll = scroll_min;
        Refresh_View();
    } else {
        scroll_view();
    }
}

}  // namespace

void Scroll_View_Right() {
    Shift_View({2, 0, view_width, view_height}, 0, 0,
               {scroll_x + view_width - 2, scroll_y, scroll_x + view_width, scroll_y + view_height}, view_width - 2, 0);
}

void Scroll_View_Left() {
    Shift_View({0, 0, view_width - 2, view_height}, 2, 0, {scroll_x, scroll_y, scroll_x + 2, scroll_y + view_height}, 0,
               0);
}

void Scroll_View_Down() {
    Shift_View({0, 2, view_width, view_height}, 0, 0,
               {scroll_x, scroll_y + view_height - 2, scroll_x + view_width, scroll_y + view_height}, 0,
               view_height - 2);
}

void Scroll_View_Up() {
    Shift_View({0, 0, view_width, view_height - 2}, 0, 2, {scroll_x, scroll_y, scroll_x + view_width, scroll_y + 2}, 0,
               0);
}

void Edge_Scroll() {
    const std::lock_guard<std::mutex> hold(world_lock);
    if (drawing_stopped || view_surface == nullptr) return;
    if (mouse_y == screen_height - 1)
        Step_Forward(scroll_y, scroll_max_y, Scroll_View_Down);
    else if (mouse_y == 0)
        Step_Back(scroll_y, Scroll_View_Up);
    else if (mouse_x == screen_width - 1)
        Step_Forward(scroll_x, scroll_max_x, Scroll_View_Right);
    else if (mouse_x == 0)
        Step_Back(scroll_x, Scroll_View_Left);
    else
        return;
    Compose_Screen();
}
