// wxWidgets key codes as the virtual key codes of the key messages.
#pragma once
#include "platform/Win32Types.h"

// The virtual key of a wxKeyEvent's key code; 0 for a key that has none.
// The numeric keypad gives VK_NUMPAD0..9 with NumLock on and the keys of the
// same place (arrows, Home, End, Page Up/Down, Insert, Delete) with it off.
UINT Virtual_Key_From_Wx(int key_code);
