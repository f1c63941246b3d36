// Waiting: Sleep goes through the window backend, so the headless backend
// (tests, the scripted runner) does not actually wait.
#pragma once
#include "platform/Win32Types.h"

void Sleep(DWORD milliseconds);
