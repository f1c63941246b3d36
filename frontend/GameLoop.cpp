#include "frontend/GameLoop.h"

#include "System/MessageLog.h"
#include "System/ScreenType.h"
#include "frontend/MapView.h"
#include "platform/VirtualKeys.h"

std::uint32_t key_flags = 0;
std::uint32_t view_scrolled = 0;
std::uint32_t redraw_request = 0;
std::uint32_t window_width = 0;
std::uint32_t window_height = 0;

void Reset_Game_Loop_State() {
    key_flags = 0;
    view_scrolled = 0;
    redraw_request = 0;
    window_width = 0;
    window_height = 0;
}

namespace {

struct key_bits {
    UINT key;
    std::uint32_t bits;
};

// The arrow keys, Home, End, Page Up and Page Down and the numeric keys in
// the same places hold directions; Ctrl holds Ctrl.
constexpr key_bits key_table[] = {
    {VK_CONTROL, key_ctrl},
    {VK_UP, key_up},
    {VK_NUMPAD8, key_up},
    {VK_DOWN, key_down},
    {VK_NUMPAD2, key_down},
    {VK_LEFT, key_left},
    {VK_NUMPAD4, key_left},
    {VK_RIGHT, key_right},
    {VK_NUMPAD6, key_right},
    {VK_HOME, key_up | key_left},
    {VK_NUMPAD7, key_up | key_left},
    {VK_PRIOR, key_up | key_right},
    {VK_NUMPAD9, key_up | key_right},
    {VK_END, key_down | key_left},
    {VK_NUMPAD1, key_down | key_left},
    {VK_NEXT, key_down | key_right},
    {VK_NUMPAD3, key_down | key_right},
};

constexpr std::uint32_t direction_keys = key_up | key_down | key_left | key_right;

// Ctrl with a direction moves the view by the held directions.
void Scroll_By_Keys() {
    if (key_flags & key_up) scroll_y -= scroll_step;
    if (key_flags & key_down) scroll_y += scroll_step;
    if (key_flags & key_left) scroll_x -= scroll_step;
    if (key_flags & key_right) scroll_x += scroll_step;
    view_scrolled = 1;
}

// The mouse on an edge of the screen moves the view toward it.
void Scroll_By_Mouse() {
    POINT at{0, 0};
    if (!GetCursorPos(&at)) return;
    if (at.x == 0) {
        scroll_x -= scroll_step;
        view_scrolled = 1;
    }
    if (at.x == GetSystemMetrics(SM_CXSCREEN) - 1) {
        scroll_x += scroll_step;
        view_scrolled = 1;
    }
    if (at.y == 0) {
        scroll_y -= scroll_step;
        view_scrolled = 1;
    }
    if (at.y == GetSystemMetrics(SM_CYSCREEN) - 1) {
        scroll_y += scroll_step;
        view_scrolled = 1;
    }
}

}  // namespace

std::uint32_t Key_Bits(UINT key) {
    for (const key_bits& k : key_table)
        if (k.key == key) return k.bits;
    return 0;
}

void Clear_Key_Flags() { key_flags = 0; }

void Key_Down_Flags(UINT key) { key_flags |= Key_Bits(key); }

void Key_Up_Flags(UINT key) { key_flags &= ~Key_Bits(key); }

void Idle_Scroll() {
    view_scrolled = 0;
    if (ScreenType != screen_hexamap && ScreenType != screen_editor) return;
    Log_Scroll_Step();
    if ((key_flags & key_ctrl) != 0 && (key_flags & direction_keys) != 0)
        Scroll_By_Keys();
    else
        Scroll_By_Mouse();
    if (redraw_request) {
        Redraw_Map();
        redraw_request = 0;
    } else if (view_scrolled) {
        Scroll_Map();
    }
}
