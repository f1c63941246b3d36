// The lock a program that draws from more than one thread gives the window
// backend: the backend holds it while it reads the primary surface to show
// it. Without one the backend reads the surface as it is.
#pragma once
#include <mutex>

void Set_Display_Lock(std::mutex* lock);  // nullptr: none
// Holds the program's lock while it lives (an empty lock when there is none).
std::unique_lock<std::mutex> Lock_Display();
