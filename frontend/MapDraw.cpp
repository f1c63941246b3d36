// Drawing the map view in painter's order: level by level from the lowest,
// each level's floors before its objects, rows top to bottom and columns
// right to left, so that nearer things cover farther ones.
#include <algorithm>
#include <cstdlib>

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Dys.h"
#include "System/ErrorReport.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/LightMap.h"
#include "frontend/HexamapPanel.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"

std::uint32_t level_drawn = 0;
std::vector<std::uint8_t> floor_lift;

void Reset_Map_Draw_State() {
    level_drawn = 0;
    floor_lift.clear();
}

namespace {

// How far the pictures of a field reach from its anchor, in pixels: the
// rows and columns visited are those whose pictures can reach the clip rect.
// Down: a floor and a figure stepping toward the next row. Up: a figure on
// the highest field on top of a flight of steps, with its shield and rising
// damage digits. Sideways: the widest figure stepping to the next field.
constexpr int REACH_DOWN = 24;
constexpr int REACH_UP = 264;
constexpr int REACH_SIDE = 84;

// A character below a field without floor shows through down to this many
// pixels under the upper field's anchor.
constexpr int SHOW_THROUGH_DEPTH = 10;
// A foot mark is drawn from this many pixels above the raised floor down.
constexpr int FOOT_MARK_MARGIN = 5;
// The shield over a character, relative to the character's anchor: 6
// pixels left, and as high as its standing figure's top, or 60 pixels (a
// person's height) when its sprite shows no standing figure.
constexpr int SHIELD_DX = -6;
constexpr int SHIELD_RISE = 60;
// The active player character pulses: shade |cycle| * 10 + 32.
constexpr int PULSE_STEP = 10;
constexpr int PULSE_BASE = 32;
constexpr int FACINGS = 6;
// A field is raised when its height comes from a program or its elevation
// is 2 or more.
constexpr std::uint16_t RAISED_ELEVATION = 2;

const sprite* Sprite_Of(std::uint32_t handle) { return Sprite_From_Handle(handle); }

bool Field_Is_Raised(std::uint16_t field) {
    const std::uint16_t word = mapfield[field];
    return (word & MF_HEIGHT_PROGRAM) || (word & MF_ELEVATION) >= RAISED_ELEVATION;
}

// Draws with the clip rect cut to the band [top, bottom) when that is
// narrower than the clip rect, and puts the clip rect back afterwards.
template <class F>
void Draw_Clipped(LONG top, LONG bottom, F draw) {
    const RECT c = clip_rect;
    if (top <= c.top && bottom >= c.bottom) {
        draw();
        return;
    }
    Set_Clip_Rect(c.left, std::max(c.top, top), c.right, std::min(c.bottom, bottom));
    draw();
    Restore_Clip_Rect();
}

// How far above its anchor a body sprite's standing figure reaches: the top
// of the first frame of the facing's group (a run-length frame is placed by
// its offset, a bitmap frame by the hot spot).
int Figure_Rise(const sprite* body, int facing) {
    if (body == nullptr || body->frames == 0) return SHIELD_RISE;
    if (body->kind == SPRITE_BITMAP) return body->hot_y > 0 ? body->hot_y : SHIELD_RISE;
    const int frame = (facing - 1) * body->frames / FACINGS;
    if (frame < 0 || frame >= body->frames || body->frames_data == nullptr) return SHIELD_RISE;
    const int top = -body->frames_data[frame].y;
    return top > 0 ? top : SHIELD_RISE;
}

void Draw_Character(obj_ref character, int x, int y, int lift, int shade) {
    const std::uint16_t c = Obj_Index(character);
    if (c >= chararray.Capacity()) return;
    const char_record& r = chararray.records[c];
    const int height = static_cast<int>(Object_Request(character, character, 0, REQ_HEIGHT, lift));
    const int cx = x + r.offset_x;
    const int cy = y + r.offset_y - height;
    const sprite* body = Sprite_Of(r.body_sprite);
    const int frames = body != nullptr ? body->frames : 0;
    Put_Sprite(BACK, cx, cy, body, r.frame + (r.facing - 1) * frames / FACINGS, r.palette, shade);
    if (!shields_shown || PAJZSK == nullptr) return;
    const std::int64_t hp = Ask_Self_Or_Zero(character, REQ_HIT_POINTS);
    const std::int64_t max = Ask_Self_Or_Zero(character, REQ_MAX_HIT_POINTS);
    const std::int64_t n = PAJZSK->frames;
    const std::int64_t k = hp >= max ? n : hp >= 1 ? hp * n / max + 1 : 1;
    Put_Sprite(BACK, cx + SHIELD_DX, cy - Figure_Rise(body, r.facing), PAJZSK, static_cast<int>(n - k), 0, shade);
}

void Put_Map_Anim(std::uint16_t m, int x, int y, int lift, int floor, int shade) {
    if (m >= mapanim.Capacity()) return;
    const mapanim_record& a = mapanim.records[m];
    const anim_type& t = anim_types[a.type];
    const sprite* s = Sprite_Of(t.sprite);
    const int ax = x + a.dx, ay = y + a.dy;
    if (Anim_Row_Is_Foot_Mark(a.type)) {
        if (lift == 0) return;
        Draw_Clipped(y - lift - FOOT_MARK_MARGIN, clip_rect.bottom,
                     [&] { Put_Sprite(BACK, ax, ay, s, a.frame, 0, shade); });
    } else if (t.flags & ANIM_FULL_BRIGHT) {
        Put_Sprite(BACK, ax, ay - floor, s, a.frame, 0, LIGHT_PLAIN);
    } else {
        Put_Sprite(BACK, ax, ay - lift, s, a.frame, 0, shade);
    }
}

// Each item lies a little off the anchor, the same way on every redraw.
void Put_Item(std::uint16_t i, std::uint16_t field, int x, int y, int lift, int shade) {
    map_item_picture p;
    if (!Map_Item_Picture(i, p)) return;
    const int j = p.frame + p.palette + field + i;
    Put_Sprite(BACK, x + (j & 7) - 3, y + ((j >> 3) & 3) - 2 - lift, p.picture, p.frame, p.palette, shade);
}

// A character on the raised field below a field without floor shows
// through it, cut off just under the upper field's anchor.
void Put_Char_From_Below(std::uint16_t field, int x, int y) {
    const std::uint16_t below = static_cast<std::uint16_t>(field - fields_per_level);
    if (!Field_Is_Raised(below)) return;
    const std::uint16_t c = Char_On_Field(below);
    if (c == NO_INDEX) return;
    Draw_Clipped(clip_rect.top, y + SHOW_THROUGH_DEPTH,
                 [&] { Put_Char_Sprite(Make_Obj(OBJ_CHAR, c), below, x, y + MAP_LEVEL_STEP, 0); });
}

// The rows [first, end) and, per row, the columns of a level that can
// reach a clip rect w x h pixels large whose top-left corner shows map
// pixel (sx, y) of that level.
struct row_span {
    int first, end;
};
row_span Rows_In_Reach(int y, int h) {
    const int first = std::max(Floor_Div(y - REACH_DOWN, MAP_ROW_STEP) + 1, 0);
    const int end = std::min(Floor_Div(y + h + REACH_UP - 1, MAP_ROW_STEP) + 1, static_cast<int>(map_height));
    return {first, end};
}
row_span Columns_In_Reach(int xo, int w) {
    const int first = std::max(Floor_Div(xo - REACH_SIDE, MAP_FIELD_WIDTH) + 1, 0);
    const int last = std::min(Floor_Div(xo + w + REACH_SIDE - 1, MAP_FIELD_WIDTH), static_cast<int>(map_width) - 1);
    return {first, last + 1};
}

// One pass over the fields of level_drawn in drawing order.
template <class F>
void For_Level_Fields(int sx, int y, const RECT& clip, F put) {
    const int w = clip.right - clip.left, h = clip.bottom - clip.top;
    const row_span rows = Rows_In_Reach(y, h);
    const std::uint32_t level_base = level_drawn * fields_per_level;
    for (int r = rows.first; r < rows.end; ++r) {
        const int xo = sx - r * MAP_ROW_STEP;
        const int screen_y = r * MAP_ROW_STEP - y + clip.top;
        const row_span cols = Columns_In_Reach(xo, w);
        for (int c = cols.end - 1; c >= cols.first; --c)
            put(static_cast<std::uint16_t>(level_base + r * map_width + c), c * MAP_FIELD_WIDTH - xo + clip.left,
                screen_y);
    }
}

}  // namespace

int Field_Light(std::uint16_t field) { return field < light.size() ? light[field] : LIGHT_BASE; }

int Field_Hill_Height(std::uint16_t field) {
    if (field >= maparray.Capacity()) return 0;
    const obj_ref head = Make_Obj(OBJ_FIXITEM, field);
    int height = 0;
    For_Each_In_Chain(maparray.records[field].first_mod, [&](std::uint16_t m) {
        const modifier& md = mod_array.records[m];
        if ((md.flags & MOD_INACTIVE) || md.type >= MOD_KIND_COUNT || mod_types[md.type].handler == nullptr) return;
        height += static_cast<int>(mod_types[md.type].handler(head, head, 0, m, REQ_HEIGHT_PROGRAM, 0));
    });
    return height;
}

void Draw_Map(int sx, int sy) {
    Clear_Back_Buffer();
    const RECT clip = clip_rect;
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    if (floor_lift.size() != total_fields) floor_lift.assign(total_fields, 0);
    const std::uint32_t top_level = std::min(shown_level, map_levels - 1);
    int y = sy - static_cast<int>(shown_level) * MAP_LEVEL_STEP;
    for (level_drawn = 0; level_drawn <= top_level && map_levels > 0; ++level_drawn) {
        For_Level_Fields(sx, y, clip, Put_Floor);
        For_Level_Fields(sx, y, clip, Put_Field);
        y += MAP_LEVEL_STEP;
    }
}

void Put_Floor(std::uint16_t field, int x, int y) {
    const map_record& head = maparray.records[field];
    if (head.type == 0) {
        floor_lift[field] = 0;
    } else {
        int lift = (mapfield[field] & MF_ELEVATION) * MAP_ELEVATION_STEP;
        Put_Bitmap_Sprite(BACK, x, y - lift, Sprite_Of(fixitem_types[head.type].sprite), head.frame, 0,
                          Field_Light(field));
        if (mapfield[field] & MF_HEIGHT_PROGRAM) lift += Field_Hill_Height(field);
        // A byte: a hill lower than the ground counts as none.
        floor_lift[field] = static_cast<std::uint8_t>(std::clamp(lift, 0, 255));
    }
    if (ScreenType == SCREEN_EDITOR && hex_grid)
        Put_Sprite(BACK, x, y, Sprite_Of(anim_types[ANIM_CURSOR_FOOT_BACK].sprite), 0, 0, LIGHT_PLAIN);
}

void Put_Field(std::uint16_t field, int x, int y) {
    int lift = floor_lift[field];
    const int floor = lift;
    const int shade = Field_Light(field);
    if (maparray.records[field].type == 0 && level_drawn > 0) Put_Char_From_Below(field, x, y);

    obj_ref obj = Make_Obj(OBJ_FIXITEM, field);
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        Next_Object(obj);
        switch (Obj_Kind(obj)) {
            case OBJ_NONE: return;
            case OBJ_MAPANIM: Put_Map_Anim(Obj_Index(obj), x, y, lift, floor, shade); break;
            case OBJ_CHAR: Put_Char_Sprite(obj, field, x, y, lift); break;
            case OBJ_ITEM: Put_Item(Obj_Index(obj), field, x, y, lift, shade); break;
            case OBJ_FIXITEM: lift = Put_Fixitem_Sprite(obj, field, x, y, lift, shade); break;
            default: Error_Query_Quit("Invalid obj type in put-field"); break;
        }
    }
}

bool Map_Item_Picture(std::uint16_t item, map_item_picture& out) {
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return false;
    if (t->item_class != CLASS_CORPSE) {
        out = {Sprite_Of(mitems_sprite), t->picture, t->palette};
    } else {
        const obj_ref body = Make_Obj(OBJ_ITEM, item);
        out = {Sprite_Of(hullak_sprite), static_cast<int>(Ask_Self_Or_Zero(body, REQ_PICTURE)),
               static_cast<int>(Ask_Self_Or_Zero(body, REQ_PICTURE_2))};
    }
    return true;
}

int Put_Fixitem_Sprite(obj_ref fixitem, std::uint16_t field, int x, int y, int lift, int shade) {
    const std::uint16_t i = Obj_Index(fixitem);
    if (i >= maparray.Capacity()) return lift;
    const map_record& r = maparray.records[i];
    const fixitem_type& t = fixitem_types[r.type];
    Put_Bitmap_Sprite(BACK, x, y - lift, Sprite_Of(t.sprite), r.frame, 0, shade);
    if (mapfield[field] & MF_HEIGHT_PROGRAM) return lift + static_cast<int>(Ask_Self_Or_Zero(fixitem, REQ_DRAW_HEIGHT));
    return lift + t.height;
}

void Put_Char_Sprite(obj_ref character, std::uint16_t field, int x, int y, int lift) {
    int shade = Field_Light(field);
    if (Is_Active_Player_Char(character))
        shade = std::abs(static_cast<std::int8_t>(anim_cycle)) * PULSE_STEP + PULSE_BASE;
    Draw_Character(character, x, y, lift, shade);
}

void Put_Char_Sprite_Right(obj_ref character, std::uint16_t, int x, int y, int lift) {
    Draw_Character(character, x, y, lift, LIGHT_PLAIN);
}
