// wx key codes as virtual key codes, the numeric keypad with NumLock on and
// off included.
#include <gtest/gtest.h>
#include <wx/defs.h>

#undef TRUE
#undef FALSE

#include "platform/VirtualKeys.h"
#include "platform/wx/WxKeys.h"

namespace {

struct key_case {
    const char* what;
    int wx;
    UINT vk;
};

TEST(WxKeys, MapToVirtualKeys) {
    const key_case cases[] = {
        {"letter", 'Q', 'Q'},
        {"lower-case letter", 'q', 'Q'},
        {"digit", '7', '7'},
        {"Escape", WXK_ESCAPE, VK_ESCAPE},
        {"Enter", WXK_RETURN, VK_RETURN},
        {"keypad Enter", WXK_NUMPAD_ENTER, VK_RETURN},
        {"Ctrl", WXK_CONTROL, VK_CONTROL},
        {"Shift", WXK_SHIFT, VK_SHIFT},
        {"Alt", WXK_ALT, VK_MENU},
        {"Left", WXK_LEFT, VK_LEFT},
        {"Up", WXK_UP, VK_UP},
        {"Right", WXK_RIGHT, VK_RIGHT},
        {"Down", WXK_DOWN, VK_DOWN},
        {"Home", WXK_HOME, VK_HOME},
        {"End", WXK_END, VK_END},
        {"Page Up", WXK_PAGEUP, VK_PRIOR},
        {"Page Down", WXK_PAGEDOWN, VK_NEXT},
        {"F1", WXK_F1, VK_F1},
        {"F12", WXK_F12, VK_F1 + 11},
        {"keypad 0, NumLock on", WXK_NUMPAD0, VK_NUMPAD0},
        {"keypad 8, NumLock on", WXK_NUMPAD8, VK_NUMPAD8},
        {"keypad 9, NumLock on", WXK_NUMPAD9, VK_NUMPAD9},
        {"keypad 8, NumLock off", WXK_NUMPAD_UP, VK_UP},
        {"keypad 2, NumLock off", WXK_NUMPAD_DOWN, VK_DOWN},
        {"keypad 4, NumLock off", WXK_NUMPAD_LEFT, VK_LEFT},
        {"keypad 6, NumLock off", WXK_NUMPAD_RIGHT, VK_RIGHT},
        {"keypad 7, NumLock off", WXK_NUMPAD_HOME, VK_HOME},
        {"keypad 1, NumLock off", WXK_NUMPAD_END, VK_END},
        {"keypad 9, NumLock off", WXK_NUMPAD_PAGEUP, VK_PRIOR},
        {"keypad 3, NumLock off", WXK_NUMPAD_PAGEDOWN, VK_NEXT},
        {"keypad 5, NumLock off", WXK_NUMPAD_BEGIN, VK_CLEAR},
        {"keypad *", WXK_NUMPAD_MULTIPLY, VK_MULTIPLY},
        {"keypad /", WXK_NUMPAD_DIVIDE, VK_DIVIDE},
        {"keypad +", WXK_NUMPAD_ADD, VK_ADD},
        {"keypad -", WXK_NUMPAD_SUBTRACT, VK_SUBTRACT},
        {"minus", '-', VK_OEM_MINUS},
        {"a key without a virtual key", WXK_WINDOWS_LEFT, 0},
    };
    for (const key_case& c : cases) EXPECT_EQ(Virtual_Key_From_Wx(c.wx), c.vk) << c.what;
}

}  // namespace
