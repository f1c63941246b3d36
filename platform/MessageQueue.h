// A backend's queue of posted messages and PeekMessage over it.
#pragma once
#include <deque>

#include "platform/Window.h"

using message_queue = std::deque<MSG>;

// The first message of hwnd (null: any window) within [first, last] (both 0:
// every message) into out, taken off the queue with PM_REMOVE.
BOOL Peek_Queue(message_queue& queue, MSG* out, HWND hwnd, UINT first, UINT last, UINT remove);
