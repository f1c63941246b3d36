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
constexpr key_bits KEY_TABLE[] = {
    {VK_CONTROL, KEY_CTRL},
    {VK_UP, KEY_UP},
    {VK_NUMPAD8, KEY_UP},
    {VK_DOWN, KEY_DOWN},
    {VK_NUMPAD2, KEY_DOWN},
    {VK_LEFT, KEY_LEFT},
    {VK_NUMPAD4, KEY_LEFT},
    {VK_RIGHT, KEY_RIGHT},
    {VK_NUMPAD6, KEY_RIGHT},
    {VK_HOME, KEY_UP | KEY_LEFT},
    {VK_NUMPAD7, KEY_UP | KEY_LEFT},
    {VK_PRIOR, KEY_UP | KEY_RIGHT},
    {VK_NUMPAD9, KEY_UP | KEY_RIGHT},
    {VK_END, KEY_DOWN | KEY_LEFT},
    {VK_NUMPAD1, KEY_DOWN | KEY_LEFT},
    {VK_NEXT, KEY_DOWN | KEY_RIGHT},
    {VK_NUMPAD3, KEY_DOWN | KEY_RIGHT},
};

constexpr std::uint32_t DIRECTION_KEYS = KEY_UP | KEY_DOWN | KEY_LEFT | KEY_RIGHT;

// Ctrl with a direction moves the view by the held directions.
void Scroll_By_Keys() {
    if (key_flags & KEY_UP) scroll_y -= SCROLL_STEP;
    if (key_flags & KEY_DOWN) scroll_y += SCROLL_STEP;
    if (key_flags & KEY_LEFT) scroll_x -= SCROLL_STEP;
    if (key_flags & KEY_RIGHT) scroll_x += SCROLL_STEP;
    view_scrolled = 1;
}

// The mouse on an edge of the screen moves the view toward it.
void Scroll_By_Mouse() {
    POINT at{0, 0};
    if (!GetCursorPos(&at)) return;
    if (at.x == 0) {
        scroll_x -= SCROLL_STEP;
        view_scrolled = 1;
    }
    if (at.x == GetSystemMetrics(SM_CXSCREEN) - 1) {
        scroll_x += SCROLL_STEP;
        view_scrolled = 1;
    }
    if (at.y == 0) {
        scroll_y -= SCROLL_STEP;
        view_scrolled = 1;
    }
    if (at.y == GetSystemMetrics(SM_CYSCREEN) - 1) {
        scroll_y += SCROLL_STEP;
        view_scrolled = 1;
    }
}

}  // namespace

std::uint32_t Key_Bits(UINT key) {
    for (const key_bits& k : KEY_TABLE)
        if (k.key == key) return k.bits;
    return 0;
}

void Clear_Key_Flags() { key_flags = 0; }

void Key_Down_Flags(UINT key) { key_flags |= Key_Bits(key); }

void Key_Up_Flags(UINT key) { key_flags &= ~Key_Bits(key); }

void Idle_Scroll() {
    view_scrolled = 0;
    if (ScreenType != SCREEN_HEXAMAP && ScreenType != SCREEN_EDITOR) return;
    Log_Scroll_Step();
    if ((key_flags & KEY_CTRL) != 0 && (key_flags & DIRECTION_KEYS) != 0)
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
