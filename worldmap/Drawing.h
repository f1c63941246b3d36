// Composing the world map screen: the frame drawn once onto the primary
// surface; the view of the map, the dotted route still ahead, the player's
// marker, the frame's ornaments over the view and the two torch flames
// composed in the back surface and copied to the screen. Everything drawn
// over the view is cut to it.
#pragma once
#include <cstdint>

#include "platform/Gdi.h"

// Where the torch flames stand on the screen.
constexpr int LEFT_FLAME_X = 48, RIGHT_FLAME_X = 565, FLAME_Y = 305;
// The flame counter runs 1..FLAME_COUNT; the right flame is this many frames
// ahead of the left.
constexpr int FLAME_COUNT = 20;
constexpr int RIGHT_FLAME_LEAD = 8;
// The marker's picture is drawn this far up and left of the player's point
// (then its centre lies on the point).
constexpr int MARKER_SIZE = 32;
constexpr int MARKER_OFFSET = 9;
// The frame's strips that lie over the view: the top edge and the ledge
// at the bottom.
constexpr int TOP_STRIP_BOTTOM = 15;
constexpr int BOTTOM_STRIP_TOP = 330;

extern int view_dirty;     // the view surface changed since the last compose
extern int flame_counter;  // 1..20
// The palette index of the path dots: the entry nearest pure yellow that is
// neither transparent nor cycled.
extern int dot_index;
void Find_Dot_Index();

void Draw_Frame();
void Draw_Frame_Strips();
void Draw_Flames(int n);
void Restore_Flame_Background();
void Draw_Player();
// Puts the map back where the marker was.
void Erase_Player();
void Draw_Path();
void Put_Path_Dot(HDC dc, int x, int y);
void Refresh_View();
void Present_View();
void Compose_Screen();
void Redraw_All();
