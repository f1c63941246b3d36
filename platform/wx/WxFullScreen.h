// Whether the window system can make a window full screen on its own.
#pragma once

// True unless the display is an X server whose window manager does not
// offer the full-screen state (no window manager at all, as under Xvfb).
// Not on X11 (or no display to ask): true.
bool Window_Manager_Makes_Full_Screen();
