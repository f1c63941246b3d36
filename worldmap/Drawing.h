// Composing the world map screen: the frame drawn once onto the primary
// surface; the view of the map, the player's marker, the frame's ornaments
// over the view and the two torch flames composed in the back surface and
// copied to the screen.
#pragma once

// Where the torch flames stand on the screen.
constexpr int left_flame_x = 48, right_flame_x = 565, flame_y = 305;
// The flame counter runs 1..flame_count; the right flame is this many frames
// ahead of the left.
constexpr int flame_count = 20;
constexpr int right_flame_lead = 8;
// The marker's picture is drawn this far up and left of the player's point
// (then its centre lies on the point).
constexpr int marker_size = 32;
constexpr int marker_offset = 9;
// The frame's strips that lie over the view: the top edge and the ledge
// at the bottom.
constexpr int top_strip_bottom = 15;
constexpr int bottom_strip_top = 330;

extern int view_dirty;     // the view surface changed since the last compose
extern int flame_counter;  // 1..20

void Draw_Frame();
void Draw_Frame_Strips();
void Draw_Flames(int n);
void Restore_Flame_Background();
void Draw_Player();
void Refresh_View();
void Present_View();
void Compose_Screen();
void Redraw_All();
