#include "platform/MessageQueue.h"

BOOL Peek_Queue(message_queue& queue, MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        const bool in_range = (first == 0 && last == 0) || (it->message >= first && it->message <= last);
        if ((hwnd != nullptr && it->hwnd != hwnd) || !in_range) continue;
        if (out != nullptr) *out = *it;
        if (remove & PM_REMOVE) queue.erase(it);
        return TRUE;
    }
    return FALSE;
}
