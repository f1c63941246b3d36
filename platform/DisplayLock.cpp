#include "platform/DisplayLock.h"

#include <atomic>

namespace {
std::atomic<std::mutex*> display_lock{nullptr};
}

void Set_Display_Lock(std::mutex* lock) { display_lock = lock; }

std::unique_lock<std::mutex> Lock_Display() {
    std::mutex* lock = display_lock;
    return lock != nullptr ? std::unique_lock<std::mutex>(*lock) : std::unique_lock<std::mutex>();
}
