// The map view: the hexagon map seen from above at an angle, level by
// level, in a rectangle of the back buffer. Its viewport, the scroll
// position with its limits, the full redraw and the cheap scroll that
// shifts the back buffer and draws only the uncovered strips, centring on
// an object, and releasing every map array.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/Map.h"
#include "Objects/ObjRef.h"
#include "platform/Win32Types.h"

struct sprite;

// The projection: field (x, y) of level L is anchored at map pixel
// (x * 42 + y * 21, y * 21 + (shown_level - L) * 77); each step of a
// field's elevation lifts its floor by 11 pixels.
constexpr int MAP_FIELD_WIDTH = 42;
constexpr int MAP_ROW_STEP = 21;
constexpr int MAP_LEVEL_STEP = 77;
constexpr int MAP_ELEVATION_STEP = 11;

// Division and remainder rounding toward minus infinity.
inline int Floor_Div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
inline int Floor_Mod(int a, int b) { return a - Floor_Div(a, b) * b; }

// The viewport on screen, right and bottom exclusive, and its size.
extern RECT map_view;
extern int map_view_width;
extern int map_view_height;
void Set_Map_View(int left, int top, int right, int bottom);
// The two viewports: beside the game panel, and beside the editor's dialogs.
constexpr RECT HEXAMAP_VIEW{90, 12, 549, 371};
constexpr RECT EDITOR_VIEW{120, 0, 530, 369};

// Centring puts the field's anchor this far from the viewport's top-left.
constexpr std::int32_t VIEW_CENTRE_X = 229;
constexpr std::int32_t VIEW_CENTRE_Y = 179;

// The view state a map file stores (scroll_x, scroll_y, shown_level) is
// the game world's, in Objects/Map.h.

// How far the view may scroll, set for each map (Set_Scroll_Limits).
struct scroll_limit_rect {
    std::int32_t left, top, right, bottom;
};
extern scroll_limit_rect scroll_limits;
// The limits of the loaded map: top -106, bottom (map_height - 1) * 21 + 6,
// left -21, right map_width * 42 - 21.
void Set_Scroll_Limits();
// Keeps the scroll position inside the limits; the horizontal limits move
// with the vertical position, since every row lies 21 pixels right of the
// row above.
void Clamp_Scroll();

// What the back buffer showed when it was last drawn or shifted: the scroll
// position, and the viewport, level and screen it was drawn for. A scroll
// can be drawn as strips only while it is valid and they still hold.
struct drawn_map_view {
    bool valid = false;
    std::int32_t x = 0, y = 0;
    RECT view{};
    std::uint32_t level = 0;
    std::uint32_t screen = 0;
};
extern drawn_map_view last_drawn_scroll;
// The hexamap screen's viewport, no scroll limits, nothing drawn yet.
void Reset_Map_View_State();
// The back buffer no longer shows the map as last drawn (a map or its
// artwork was loaded, a screen was entered): the next scroll redraws it all.
void Forget_Drawn_Map();

// The full redraw of the view (on the hexamap screen with the game panel
// first); nothing on screens other than the hexamap screen and the editor.
void Redraw_Map();
// After the scroll position moved: shifts the back buffer and draws only
// the uncovered strips, or redraws the whole view when the buffer does not
// show the view the shift starts from, or the shift is as large as the view.
void Scroll_Map();
// Shows the object's level and centres the view on its field, then redraws.
void Center_On_Object(obj_ref obj);
// Releases every map array (at shutdown).
void Free_Map();
// Lets the game world centre the view (a selected character in turn mode)
// and ask for its size (none on the screens without it).
void Install_Map_View_Hooks();

// ---- Drawing ----
// The level the drawing walk is on.
extern std::uint32_t level_drawn;
// Per field: the height in pixels at which its objects start, written by
// the floor pass and read by the object pass of the same drawing.
extern std::vector<std::uint8_t> floor_lift;
// Level 0 drawn, no floor lifts.
void Reset_Map_Draw_State();

// Draws every field of levels 0 to shown_level that can reach the current
// clip rect of the back buffer; (sx, sy) is the scroll position of the clip
// rect's top-left corner.
void Draw_Map(int sx, int sy);
// The floor and the objects of one field at screen anchor (x, y).
void Put_Floor(std::uint16_t field, int x, int y);
void Put_Field(std::uint16_t field, int x, int y);
// One character standing lift pixels high, with its hit-point shield; the
// active player character pulses. The _Right form, for the game panel's
// field view, always draws in neutral light.
void Put_Char_Sprite(obj_ref character, std::uint16_t field, int x, int y, int lift);
void Put_Char_Sprite_Right(obj_ref character, std::uint16_t field, int x, int y, int lift);
// The picture an item shows on the map: its type's picture from the map
// item sprite, or for a body the picture and palette it answers from the
// corpse sprite. False for an item without a type.
struct map_item_picture {
    const sprite* picture;
    int frame;
    int palette;
};
bool Map_Item_Picture(std::uint16_t item, map_item_picture& out);
// A fixitem's picture at (x, y - lift); returns the lift of what stands on
// top of it (raised by its type's height, or by its height program's on a
// field whose height comes from programs).
int Put_Fixitem_Sprite(obj_ref fixitem, std::uint16_t field, int x, int y, int lift, int shade);
// The height of a field's hill programs: the sum of request 105 answered by
// the active modifiers of the field head.
int Field_Hill_Height(std::uint16_t field);
// The light level of a field (26 where no light map was computed).
int Field_Light(std::uint16_t field);

// ---- Ornaments over the viewport (hexamap screen only) ----
// Saves the pieces of the back buffer the ornaments cover into the mask
// surface, then draws the ornaments.
void Draw_Map_Frame();
// Puts the saved pieces back, so that a shifted picture carries no ornament.
void Draw_Map_Frame_Scroll();
