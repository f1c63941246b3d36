#include "platform/wx/WxKeys.h"

#include <wx/defs.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "platform/VirtualKeys.h"

namespace {

struct key_pair {
    int wx;
    UINT vk;
};

constexpr key_pair KEY_TABLE[] = {
    {WXK_BACK, VK_BACK},
    {WXK_TAB, VK_TAB},
    {WXK_RETURN, VK_RETURN},
    {WXK_ESCAPE, VK_ESCAPE},
    {WXK_SPACE, VK_SPACE},
    {WXK_DELETE, VK_DELETE},
    {WXK_SHIFT, VK_SHIFT},
    {WXK_ALT, VK_MENU},
    {WXK_CONTROL, VK_CONTROL},
    {WXK_PAUSE, VK_PAUSE},
    {WXK_CAPITAL, VK_CAPITAL},
    {WXK_END, VK_END},
    {WXK_HOME, VK_HOME},
    {WXK_LEFT, VK_LEFT},
    {WXK_UP, VK_UP},
    {WXK_RIGHT, VK_RIGHT},
    {WXK_DOWN, VK_DOWN},
    {WXK_PAGEUP, VK_PRIOR},
    {WXK_PAGEDOWN, VK_NEXT},
    {WXK_INSERT, VK_INSERT},
    {WXK_SNAPSHOT, VK_SNAPSHOT},
    {WXK_NUMLOCK, VK_NUMLOCK},
    {WXK_SCROLL, VK_SCROLL},
    {WXK_CLEAR, VK_CLEAR},
    // The keypad with NumLock on.
    {WXK_NUMPAD0, VK_NUMPAD0},
    {WXK_NUMPAD1, VK_NUMPAD1},
    {WXK_NUMPAD2, VK_NUMPAD2},
    {WXK_NUMPAD3, VK_NUMPAD3},
    {WXK_NUMPAD4, VK_NUMPAD4},
    {WXK_NUMPAD5, VK_NUMPAD5},
    {WXK_NUMPAD6, VK_NUMPAD6},
    {WXK_NUMPAD7, VK_NUMPAD7},
    {WXK_NUMPAD8, VK_NUMPAD8},
    {WXK_NUMPAD9, VK_NUMPAD9},
    {WXK_NUMPAD_DECIMAL, VK_DECIMAL},
    // ... and with it off: the keys printed beside the digits.
    {WXK_NUMPAD_INSERT, VK_INSERT},
    {WXK_NUMPAD_END, VK_END},
    {WXK_NUMPAD_DOWN, VK_DOWN},
    {WXK_NUMPAD_PAGEDOWN, VK_NEXT},
    {WXK_NUMPAD_LEFT, VK_LEFT},
    {WXK_NUMPAD_BEGIN, VK_CLEAR},
    {WXK_NUMPAD_RIGHT, VK_RIGHT},
    {WXK_NUMPAD_HOME, VK_HOME},
    {WXK_NUMPAD_UP, VK_UP},
    {WXK_NUMPAD_PAGEUP, VK_PRIOR},
    {WXK_NUMPAD_DELETE, VK_DELETE},
    // Keys of the keypad that NumLock does not change.
    {WXK_NUMPAD_MULTIPLY, VK_MULTIPLY},
    {WXK_NUMPAD_ADD, VK_ADD},
    {WXK_NUMPAD_SEPARATOR, VK_SEPARATOR},
    {WXK_NUMPAD_SUBTRACT, VK_SUBTRACT},
    {WXK_NUMPAD_DIVIDE, VK_DIVIDE},
    {WXK_NUMPAD_ENTER, VK_RETURN},
    {WXK_NUMPAD_SPACE, VK_SPACE},
    {WXK_NUMPAD_TAB, VK_TAB},
    {WXK_MULTIPLY, VK_MULTIPLY},
    {WXK_ADD, VK_ADD},
    {WXK_SUBTRACT, VK_SUBTRACT},
    {WXK_DIVIDE, VK_DIVIDE},
    {WXK_DECIMAL, VK_DECIMAL},
    {WXK_SEPARATOR, VK_SEPARATOR},
    // Punctuation keys of a US keyboard.
    {';', VK_OEM_1},
    {'=', VK_OEM_PLUS},
    {',', VK_OEM_COMMA},
    {'-', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD},
    {'/', VK_OEM_2},
    {'`', VK_OEM_3},
    {'[', VK_OEM_4},
    {'\\', VK_OEM_5},
    {']', VK_OEM_6},
    {'\'', VK_OEM_7},
};

constexpr int FUNCTION_KEYS = 24;

}  // namespace

UINT Virtual_Key_From_Wx(int code) {
    if (code >= 'A' && code <= 'Z') return static_cast<UINT>(code);
    if (code >= 'a' && code <= 'z') return static_cast<UINT>(code - 'a' + 'A');
    if (code >= '0' && code <= '9') return static_cast<UINT>(code);
    if (code >= WXK_F1 && code < WXK_F1 + FUNCTION_KEYS) return VK_F1 + static_cast<UINT>(code - WXK_F1);
    for (const key_pair& k : KEY_TABLE)
        if (k.wx == code) return k.vk;
    return 0;
}
