// The world map's three threads: the main thread (messages, edge scrolling),
// the tick thread (every 100 ms: palette cycling, the walk, the flames, the
// compose) and the music thread (every 500 ms: refilling the music buffer).
// Everything they share is guarded by one lock, which the window backend
// also holds while it shows the screen; only the exit and active flags are
// read without it. Tests and the scripted runner drive the same steps on a
// clock of their own instead of the two workers.
#pragma once
#include <chrono>
#include <mutex>

#include "platform/Win32Types.h"

constexpr DWORD TICK_MS = 100;
constexpr DWORD MUSIC_POLL_MS = 500;

// The lock of everything the threads share.
extern std::mutex world_lock;

// Set by the fade-out before its last clear: nothing draws after it.
extern int drawing_stopped;

// One tick (it takes the lock).
void Tick();
void Tick_Thread();

// Whether the start-up starts the two workers (the default) or leaves their
// steps to the caller's clock: Tick every 100 ms and Music_Poll every 500.
void Use_Own_Clock(bool own);
bool Own_Clock();

// Starts the workers (with the caller's clock: the music's first refill).
void Start_Threads();
// Sets the exit flag, wakes the workers and waits for both to end.
void Stop_Threads();
// Waits up to ms (or until a time) or until the exit flag is set; false
// once it is set.
bool Wait_Unless_Exit(DWORD ms);
bool Wait_Until_Unless_Exit(std::chrono::steady_clock::time_point when);
