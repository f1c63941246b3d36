// Edge scrolling: while the mouse touches an edge of the screen the view
// moves 2 pixels a pass of the main loop, shifting the view surface onto
// itself and taking only the new strip from the map.
#pragma once

constexpr int SCROLL_STEP = 2;
// The scroll position stays within these (both included).
constexpr int SCROLL_MIN = 2;
constexpr int SCROLL_MAX_X = 800 - 642;  // the map's width less the screen's and the step
constexpr int SCROLL_MAX_Y = 800 - 482;

// One step of the main loop (it takes the lock).
void Edge_Scroll();
void Scroll_View_Right();
void Scroll_View_Left();
void Scroll_View_Down();
void Scroll_View_Up();
