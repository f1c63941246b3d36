// The real window backend, on wxWidgets: one full-screen window per game
// window showing the primary surface scaled by the largest whole factor
// that fits (nearest neighbour, black borders), mouse positions mapped back
// to 640 x 480, keys as virtual key codes, window timers, modal message
// boxes, cursors from cursor files, and paced idle passes. This header is
// free of wx: the program's main only needs the entry below.
#pragma once

class CWinApp;

// Runs the application: InitInstance once the event loop runs, OnIdle while
// no message waits, ExitInstance when the pump ends. Returns ExitInstance's
// result (or 1 when the window system cannot be opened).
int Run_Wx_Application(CWinApp& app, int argc, char** argv);
