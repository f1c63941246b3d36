#include "platform/Timing.h"

#include <chrono>
#include <thread>

#include "platform/Window.h"

// The default backend behaviour: really sleep.
void WindowBackend::Sleep_Ms(DWORD ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void Sleep(DWORD milliseconds) { Window_Backend().Sleep_Ms(milliseconds); }
