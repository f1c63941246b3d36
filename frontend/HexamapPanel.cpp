#include "frontend/HexamapPanel.h"

#include <algorithm>

#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/Request.h"
#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"

// The places are known before the screen is first entered.
portrait_slot portrait_slots[PORTRAIT_SLOT_COUNT] = {
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, STRIP_X, STRIP_Y},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, STRIP_X + STRIP_STEP, STRIP_Y},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, STRIP_X + 2 * STRIP_STEP, STRIP_Y},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, STRIP_X + 3 * STRIP_STEP, STRIP_Y},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, STRIP_X + 4 * STRIP_STEP, STRIP_Y},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, STRIP_X + 5 * STRIP_STEP, STRIP_Y},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, 6, 91},
    {-1, NOTHING_SHOWN, NOTHING_SHOWN, 569, 91},
};
hand_slot_view hand_slot_views[2][HAND_SLOT_COUNT] = {
    {{-1, 62, 125},
     {-1, 24, 125},
     {-1, 70, 172},
     {-1, 16, 172},
     {-1, 52, 163},
     {-1, 34, 163},
     {-1, 52, 181},
     {-1, 34, 181}},
    {{-1, 613, 125},
     {-1, 575, 125},
     {-1, 621, 172},
     {-1, 567, 172},
     {-1, 603, 163},
     {-1, 585, 163},
     {-1, 603, 181},
     {-1, 585, 181}},
};

namespace {

// The panels' areas, right and bottom exclusive.
constexpr RECT HAND_PANEL[2] = {{9, 100, 78, 191}, {559, 100, 628, 191}};
// MASKGOMB: backgrounds 0 to 7 of the left panel's slots, 8 to 15 of the
// right's; 17 and 16 the bare left and right hand.
constexpr int RIGHT_PANEL_FRAMES = 8;
constexpr int BARE_HAND_FRAME = 17;

// Portrait areas around a slot's (x, y), right and bottom exclusive.
constexpr RECT SMALL_AREA{-2, -43, 33, 2};
constexpr RECT BIG_AREA{-4, -82, 67, 2};
// The bars beside a portrait, relative to its (x, y).
constexpr int SMALL_HP_DX = 8, SMALL_STAMINA_DX = 28, SMALL_BAR_DY = -32;
constexpr int BIG_HP_DX = 10, BIG_STAMINA_DX = 56, BIG_BAR_DY = -73;
// A strip portrait's head stands this much lower than the slot's y.
constexpr int SMALL_HEAD_DY = 2;
// The ornament beside each big portrait: BELOG1's frame and place.
struct ornament_place {
    int frame, x, y;
};
constexpr ornament_place BIG_ORNAMENT[2] = {{3, 61, 9}, {2, 555, 9}};

// The field view: its area, background and the anchor its field stands on.
constexpr RECT FIELD_VIEW{567, 219, 621, 310};
constexpr int FIELD_VIEW_FRAME = 8;
constexpr int FIELD_VIEW_X = 567, FIELD_VIEW_Y = 310;
constexpr int FIELD_ANCHOR_X = 595, FIELD_ANCHOR_Y = 300;

// ZOOM's work areas: a head is enlarged from 32 x 38 to 64 x 76 and drawn
// with its bottom-left corner at (0, 75); an item w x h cells large is
// drawn at (32, 48) into 32w x 32h pixels around it.
constexpr int SMALL_HEAD_WIDTH = 32, SMALL_HEAD_HEIGHT = 38;
constexpr RECT ZOOM_HEAD_AREA{0, 0, 64, 76};
constexpr int ZOOM_HEAD_X = 0, ZOOM_HEAD_Y = 75;
constexpr int ZOOM_ITEM_X = 32, ZOOM_ITEM_Y = 48;
constexpr int ITEM_CELL = 16;  // half a cell of an item's picture
constexpr int MAX_ITEM_WIDTH = 2, MAX_ITEM_HEIGHT = 3;

const sprite* Sprite_Of(std::uint32_t handle) { return Sprite_From_Handle(handle); }

RECT Moved(const RECT& r, int x, int y) { return {r.left + x, r.top + y, r.right + x, r.bottom + y}; }

RECT Cut(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// A character index a panel may show: one in use, else -1.
std::int16_t Shown_Char(std::int32_t c) {
    return c >= 0 && c < NO_INDEX && Char_In_Use(static_cast<std::uint16_t>(c)) ? static_cast<std::int16_t>(c) : -1;
}

// The frame of a bar sprite of n frames that shows value of most: frame
// n - k with k = n when full, value * n / most + 1 from 1 up, else 1.
int Bar_Frame(const sprite* bar, RequestValue value, RequestValue most) {
    const RequestValue n = bar->frames;
    const RequestValue k = value >= most ? n : value >= 1 ? value * n / most + 1 : 1;
    return static_cast<int>(n - k);
}

// Draws a bar at (x, y) when its value changed and shows the part of area it
// covers.
void Put_Bar(const sprite* bar, int x, int y, RequestValue value, RequestValue most, std::int32_t& shown,
             const RECT& area) {
    if (bar == nullptr || bar->frames == 0 || value == shown) return;
    shown = static_cast<std::int32_t>(value);
    Put_Sprite(BACK, x, y, bar, Bar_Frame(bar, value, most), 0, LIGHT_PLAIN);
    const RECT r =
        Cut({x - bar->hot_x, y - bar->hot_y, x - bar->hot_x + bar->width, y - bar->hot_y + bar->height}, area);
    Update_Screen(&r);
}

// The hit-point and stamina bars of a portrait.
void Put_Bars(portrait_slot& s, const sprite* bar, int hp_dx, int stamina_dx, int dy, const RECT& area) {
    const obj_ref who = Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(s.character));
    Put_Bar(bar, s.x + hp_dx, s.y + dy, Ask_Self_Or_Zero(who, REQ_HIT_POINTS),
            Ask_Self_Or_Zero(who, REQ_MAX_HIT_POINTS), s.hp_shown, area);
    Put_Bar(bar, s.x + stamina_dx, s.y + dy, Ask_Self_Or_Zero(who, REQ_STAMINA), Ask_Self_Or_Zero(who, REQ_MAX_STAMINA),
            s.stamina_shown, area);
}

// A new character for a portrait: remembered, its bars to be drawn anew.
bool Take_Character(portrait_slot& s, std::int16_t character) {
    if (s.character == character) return false;
    s.character = character;
    s.hp_shown = s.stamina_shown = NOTHING_SHOWN;
    return true;
}

const sprite* Head_Of(std::int16_t c) { return Sprite_Of(chararray.records[c].head_sprite); }

// What a panel shows in slot 59 + i of character c: the item, a bare hand
// of a character that is no animal, or nothing.
std::int16_t Hand_Slot_Value(std::int16_t c, int i) {
    if (c < 0) return 0;
    const char_record& r = chararray.records[c];
    const std::int16_t item = r.slots[FIRST_HAND_SLOT + i];
    if (item > 0) return item;
    const bool hand = FIRST_HAND_SLOT + i == SLOT_LEFT_HAND || FIRST_HAND_SLOT + i == SLOT_RIGHT_HAND;
    return hand && (r.race & RACE_ANIMAL) == 0 ? ITEM_BARE_HAND : 0;
}

void Put_Hand_Page(int side, std::int16_t character) {
    const RECT& area = HAND_PANEL[side];
    Set_Clip_Rect_From(area);
    for (int i = 0; i < HAND_SLOT_COUNT; ++i) {
        hand_slot_view& v = hand_slot_views[side][i];
        const std::int16_t value = Hand_Slot_Value(character, i);
        if (value == v.item) continue;
        v.item = value;
        Put_Sprite(BACK, v.x, v.y, MASKGOMB, i + side * RIGHT_PANEL_FRAMES, 0, LIGHT_PLAIN);
        if (value == ITEM_BARE_HAND)
            Put_Sprite(BACK, v.x, v.y, MASKGOMB, BARE_HAND_FRAME - i, 0, LIGHT_PLAIN);
        else if (value > 0)
            Put_Small_Item(v.x, v.y, static_cast<std::uint16_t>(value));
    }
    Update_Screen(&area);
    Put_Big_Portrait(character, side == 0 ? LEFT_BIG_PORTRAIT : RIGHT_BIG_PORTRAIT);
}

// A body's or an item's picture on the field view stands on the anchor.
void Put_Field_View_Item(std::uint16_t item, int lift) {
    map_item_picture p;
    if (Map_Item_Picture(item, p))
        Put_Sprite(BACK, FIELD_ANCHOR_X, FIELD_ANCHOR_Y - lift, p.picture, p.frame, p.palette, LIGHT_PLAIN);
}

// The field under the cursor, its floor not lifted, everything on it in
// neutral light.
void Put_Field_View() {
    Set_Clip_Rect_From(FIELD_VIEW);
    Put_Sprite(BACK, FIELD_VIEW_X, FIELD_VIEW_Y, MASKABL, FIELD_VIEW_FRAME, 0, LIGHT_PLAIN);
    const std::uint16_t field = cursor_field;
    if (field >= total_fields || field >= maparray.Capacity()) return;
    int lift = (mapfield[field] & MF_HEIGHT_PROGRAM) ? Field_Hill_Height(field) : 0;
    const map_record& head = maparray.records[field];
    if (head.type != 0)
        Put_Bitmap_Sprite(BACK, FIELD_ANCHOR_X, FIELD_ANCHOR_Y, Sprite_Of(fixitem_types[head.type].sprite), head.frame,
                          0, LIGHT_PLAIN);
    obj_ref obj = Make_Obj(OBJ_FIXITEM, field);
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        Next_Object(obj);
        switch (Obj_Kind(obj)) {
            case OBJ_NONE: return;
            case OBJ_MAPANIM: break;
            case OBJ_CHAR: Put_Char_Sprite_Right(obj, field, FIELD_ANCHOR_X, FIELD_ANCHOR_Y, lift); break;
            case OBJ_ITEM: Put_Field_View_Item(Obj_Index(obj), lift); break;
            case OBJ_FIXITEM:
                lift = Put_Fixitem_Sprite(obj, field, FIELD_ANCHOR_X, FIELD_ANCHOR_Y, lift, LIGHT_PLAIN);
                break;
            default: Error_Query_Quit("Invalid obj type in put-right-field"); break;
        }
    }
}

}  // namespace

void Init_Portrait_Slots() {
    for (portrait_slot& s : portrait_slots) {
        s.character = -1;
        s.hp_shown = s.stamina_shown = NOTHING_SHOWN;
    }
    for (auto& side : hand_slot_views)
        for (hand_slot_view& v : side) v.item = ITEM_NOTHING_YET;
}

void Put_Right_Field() {
    for (int i = 0; i < STRIP_SLOTS; ++i) {
        const std::uint32_t at = portrait_offset + static_cast<std::uint32_t>(i);
        Put_Portrait(at < player_count && at < MAX_PLAYER_CHARS ? Shown_Char(player_chars[at]) : -1, i);
    }
    Put_Right_Char_Page(selected_count > 0 ? Shown_Char(selected[0]) : -1);
    Put_Right_Item_Page(cursor_field != NO_FIELD ? Shown_Char(Char_On_Field(cursor_field)) : -1);
    Put_Field_View();
    Update_Screen(&FIELD_VIEW);
}

void Put_Portrait(std::int16_t character, int slot) {
    if (slot < 0 || slot >= STRIP_SLOTS) return;
    character = Shown_Char(character);
    portrait_slot& s = portrait_slots[slot];
    const RECT area = Moved(SMALL_AREA, s.x, s.y);
    Set_Clip_Rect_From(area);
    if (Take_Character(s, character)) {
        Put_Sprite(BACK, s.x, s.y, MASKABL, slot, 0, LIGHT_PLAIN);
        if (character >= 0)
            Put_Small_Head(s.x, s.y + SMALL_HEAD_DY, Head_Of(character), 0, chararray.records[character].palette);
        Update_Screen(&area);
    }
    if (character >= 0) Put_Bars(s, PAJZSK, SMALL_HP_DX, SMALL_STAMINA_DX, SMALL_BAR_DY, area);
}

void Put_Big_Portrait(std::int16_t character, int slot) {
    if (slot != LEFT_BIG_PORTRAIT && slot != RIGHT_BIG_PORTRAIT) return;
    character = Shown_Char(character);
    portrait_slot& s = portrait_slots[slot];
    const RECT area = Moved(BIG_AREA, s.x, s.y);
    Set_Clip_Rect_From(area);
    if (Take_Character(s, character)) {
        Put_Sprite(BACK, s.x, s.y, MASKABL, slot, 0, LIGHT_PLAIN);
        if (character >= 0)
            Put_Sprite(BACK, s.x, s.y, Head_Of(character), 0, chararray.records[character].palette, LIGHT_PLAIN);
        // The frame covers part of the ornament beside it.
        const ornament_place& o = BIG_ORNAMENT[slot - LEFT_BIG_PORTRAIT];
        Put_Sprite(BACK, o.x, o.y, BELOG1, o.frame, 0, LIGHT_PLAIN);
        Update_Screen(&area);
    }
    if (character >= 0) Put_Bars(s, PAJZSN, BIG_HP_DX, BIG_STAMINA_DX, BIG_BAR_DY, area);
}

void Put_Right_Char_Page(std::int16_t character) { Put_Hand_Page(0, Shown_Char(character)); }

void Put_Right_Item_Page(std::int16_t character) { Put_Hand_Page(1, Shown_Char(character)); }

void Put_Small_Head(int x, int y, const sprite* head, int frame, int palette) {
    if (BACK == nullptr || ZOOM == nullptr) return;
    RECT back_area{x, y - SMALL_HEAD_HEIGHT, x + SMALL_HEAD_WIDTH, y};
    RECT zoom_area = ZOOM_HEAD_AREA;
    DD_Error("Clear small head", ZOOM->Blt(&zoom_area, BACK, &back_area, DDBLT_WAIT, nullptr));
    // Drawn in ZOOM's own coordinates: the clip rect is ZOOM's work area
    // while the head is drawn.
    Set_Clip_Rect_From(zoom_area);
    Put_Sprite(ZOOM, ZOOM_HEAD_X, ZOOM_HEAD_Y, head, frame, palette, LIGHT_PLAIN);
    Restore_Clip_Rect();
    DD_Error("Put small head", BACK->Blt(&back_area, ZOOM, &zoom_area, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}

void Put_Small_Item(int x, int y, std::uint16_t item) {
    if (BACK == nullptr || ZOOM == nullptr) return;
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return;
    // A size from the file is kept within ZOOM's work area.
    const int w = std::clamp(t->size >> 4, 1, MAX_ITEM_WIDTH);
    const int h = std::clamp(t->size & 0x0F, 1, MAX_ITEM_HEIGHT);
    RECT zoom_area{ZOOM_ITEM_X - ITEM_CELL * w, ZOOM_ITEM_Y - ITEM_CELL * h, ZOOM_ITEM_X + ITEM_CELL * w,
                   ZOOM_ITEM_Y + ITEM_CELL * h};
    DDBLTFX fill{};
    fill.dwSize = sizeof fill;
    fill.dwFillColor = 0;
    DD_Error("Clear zoombuffer", ZOOM->Blt(&zoom_area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill));
    Set_Clip_Rect_From(zoom_area);
    Put_Sprite(ZOOM, ZOOM_ITEM_X, ZOOM_ITEM_Y, Sprite_Of(items_sprite), t->picture, t->palette, LIGHT_PLAIN);
    Restore_Clip_Rect();
    RECT on_back{x - ITEM_CELL * w / 2, y - ITEM_CELL * h / 2, x + ITEM_CELL * w / 2, y + ITEM_CELL * h / 2};
    DD_Error("Put small item", BACK->Blt(&on_back, ZOOM, &zoom_area, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}

void Install_Panel_Hooks() {
    Objects_Hooks().put_right_char_page = [] {
        if (ScreenType == SCREEN_HEXAMAP) Put_Right_Char_Page(selected_count > 0 ? Shown_Char(selected[0]) : -1);
    };
}
