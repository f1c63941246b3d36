// The inventory screen's table, entry and drawing, the hand, and the
// handlers of its body slots, backpack, ground strip, pack button, arrows
// and exits.
#include "frontend/InventoryScreen.h"

#include "Objects/AIData.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Request.h"
#include "System/Bitmap.h"
#include "System/ClipRect.h"
#include "System/Cursor.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/MessageLine.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "frontend/CharPage.h"
#include "frontend/HexamapScreen.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"
#include "platform/VirtualKeys.h"

obj_ref ground_field = NOOBJ;
obj_ref ground_cursor = NOOBJ;
std::int16_t hand_item = 0;
std::uint16_t hand_source = 0;

namespace {

// What a body slot takes.
enum class takes { item_class, hand, small };

struct body_slot {
    int slot;
    takes rule;
    std::uint8_t item_class;       // for takes::item_class
    int left, top, right, bottom;  // inclusive
};

// Rows 0..18 of the table, in row order.
constexpr body_slot body_slots[] = {
    {SLOT_HELM, takes::item_class, CLASS_HELM, 162, 54, 226, 118},
    {SLOT_ARMOUR, takes::item_class, CLASS_ARMOR, 232, 123, 296, 219},
    {SLOT_LEGGINGS, takes::item_class, CLASS_LEGGINGS, 232, 322, 296, 418},
    {SLOT_BOOTS, takes::item_class, CLASS_BOOTS, 23, 356, 87, 420},
    {SLOT_GAUNTLETS, takes::item_class, CLASS_GLOVES, 57, 87, 89, 119},
    {SLOT_BRACERS, takes::item_class, CLASS_BRACERS, 93, 54, 157, 118},
    {SLOT_BELT, takes::item_class, CLASS_BELT, 23, 321, 87, 353},
    {SLOT_NECKLACE, takes::item_class, CLASS_NECKLACE, 231, 87, 263, 119},
    {SLOT_LEFT_RING, takes::item_class, CLASS_RING, 196, 122, 228, 154},
    {SLOT_RIGHT_RING, takes::item_class, CLASS_RING, 91, 122, 123, 154},
    {SLOT_CLOAK, takes::item_class, CLASS_CLOAK, 23, 123, 87, 219},
    {SLOT_LEFT_HAND, takes::hand, 0, 232, 222, 296, 318},
    {SLOT_RIGHT_HAND, takes::hand, 0, 23, 222, 87, 318},
    {61, takes::small, 0, 195, 289, 227, 353},
    {62, takes::small, 0, 92, 289, 124, 353},
    {63, takes::item_class, CLASS_RING, 161, 289, 193, 321},
    {64, takes::item_class, CLASS_RING, 126, 289, 158, 321},
    {65, takes::item_class, CLASS_RING, 161, 321, 193, 353},
    {66, takes::item_class, CLASS_RING, 126, 321, 158, 353},
};
constexpr int body_slot_count = static_cast<int>(sizeof body_slots / sizeof body_slots[0]);
static_assert(body_slot_count == 19);

// The largest item a quick slot 61 or 62 takes: 1 wide, at most 2 high.
constexpr std::uint8_t small_slot_size = SIZE_1X2;

constexpr const char* inventory_page = "ARTWORK\\ITEMS\\INVENTOR.BMP";
constexpr int message_x = 349, message_y = 413;

// An item picture's shadow: its offset and palette.
constexpr int shadow_offset = 3;
constexpr int shadow_palette = 132;
// A stack's count: its last digit this far from the right and bottom of the
// item's cells (the strip's from the picture's centre), the digits this
// far apart.
constexpr int count_right = 5, count_bottom = 8;
constexpr int strip_count_dx = 14, strip_count_dy = 2;
constexpr int digit_spacing = 7;
// A body slot's picture area: its rectangle shrunk by this much on each
// side, by the rectangle's height.
int Slot_Border(int height) { return height >= 71 ? 7 : height >= 61 ? 5 : 4; }

template <int row>
void Body_Slot_Handler(std::uint32_t flags, int event);

const sprite* Items_Sprite() { return Sprite_From_Handle(items_sprite); }

RequestValue Ask_Item(std::uint16_t item, request_no request) {
    const obj_ref it = Make_Obj(OBJ_ITEM, item);
    return Object_Request(it, it, 0, request, 0);
}

// The count of a stack, 0 for an item that is no stack. REQ_98 is the most
// a stack may hold.
int Stack_Count(std::uint16_t item) {
    if (Ask_Item(item, REQ_98) <= 1) return 0;
    return static_cast<int>(Ask_Item(item, REQ_STACK_COUNT));
}

// Writes a number with its last digit at (x, y), the others to its left.
void Put_Count(int x, int y, int count) {
    const sprite* digits = Sprite_From_Handle(anim_types[ANIM_DIGITS_FIRST].sprite);
    if (digits == nullptr) return;
    for (int n = count; n > 0; n /= 10, x -= digit_spacing) Put_Sprite(BACK, x, y, digits, n % 10, 0, light_plain);
}

// An item's large picture centred at (x, y), with its shadow and its count;
// nothing for the item in the hand, which the cursor shows.
void Put_Item_Picture(int x, int y, std::uint16_t item) {
    if (item == static_cast<std::uint16_t>(hand_item)) return;
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return;
    Put_Sprite(BACK, x + shadow_offset, y + shadow_offset, Items_Sprite(), t->picture, shadow_palette, light_plain);
    Put_Sprite(BACK, x, y, Items_Sprite(), t->picture, t->palette, light_plain);
    const std::uint8_t size = Item_Size(item);
    Put_Count(x + cell_pixels / 2 * Size_Width(size) - count_right,
              y + cell_pixels / 2 * Size_Height(size) - count_bottom, Stack_Count(item));
}

bool Page_Char_In_Use() { return page_char >= 0 && Char_In_Use(static_cast<std::uint16_t>(page_char)); }

const char_record* Page_Record() {
    return Page_Char_In_Use() ? &chararray.records[static_cast<std::uint16_t>(page_char)] : nullptr;
}

std::uint16_t Page_Char() { return static_cast<std::uint16_t>(page_char); }

std::uint16_t Ground_Field_Index() { return Obj_Index(ground_field); }

// The end marker of the shown field's list.
obj_ref Ground_End() { return Make_Obj(OBJ_NONE, Ground_Field_Index()); }

bool Ground_Field_Valid() { return Obj_Kind(ground_field) == OBJ_FIXITEM && Ground_Field_Index() < total_fields; }

// Whether item lies on the shown field.
bool Lies_On_Ground(std::uint16_t item) {
    return item != 0 && item < itemarray.Capacity() && !Item_Record_Is_Free(item) &&
           itemarray.records[item].owner == ground_field;
}

// The first item on the shown field, or the end marker.
obj_ref First_Ground_Item() {
    obj_ref cursor = ground_field;
    if (!Ground_Field_Valid() || !Next_Ground_Item(cursor)) return Ground_End();
    return cursor;
}

// The last item of the shown field before stop (the whole list when stop
// is the end), NOOBJ when there is none.
obj_ref Ground_Item_Before(obj_ref stop) {
    obj_ref last = NOOBJ;
    obj_ref cursor = ground_field;
    if (!Ground_Field_Valid()) return last;
    while (Next_Ground_Item(cursor) && cursor != stop) last = cursor;
    return last;
}

// Game events may take items off the field while the screen is open (a
// body falls, fire burns): the hand lets go of an item that no longer lies
// there, the strip starts again from the first item when its first one went.
void Check_Ground() {
    if (hand_item != 0 && hand_source == hand_from_ground && !Lies_On_Ground(static_cast<std::uint16_t>(hand_item)))
        Clear_Hand();
    if (Obj_Kind(ground_cursor) == OBJ_ITEM ? !Lies_On_Ground(Obj_Index(ground_cursor)) : ground_cursor != Ground_End())
        ground_cursor = First_Ground_Item();
}

// After an item went onto the field: a strip that shows nothing steps back
// to the last ground item.
void Step_Back_Ground_Cursor() {
    if (Obj_Kind(ground_cursor) == OBJ_ITEM) return;
    const obj_ref last = Ground_Item_Before(Ground_End());
    if (last != NOOBJ) ground_cursor = last;
}

// Takes item off the shown field; the strip moves on first when it begins
// with the item.
void Take_Off_Ground(std::uint16_t item) {
    if (ground_cursor == Make_Obj(OBJ_ITEM, item)) Next_Ground_Item(ground_cursor);
    Delete_Object_From_Field(OBJ_ITEM, item, Ground_Field_Index());
}

// An item of the character goes onto the field and into the hand.
void Lay_Down_And_Take(std::uint16_t item) {
    Remove_Item_From_Char(Page_Char(), item);
    Put_Object_To_Field(Make_Obj(OBJ_ITEM, item), Ground_Field_Index());
    Take_Item_In_Hand(item, hand_from_ground);
    Step_Back_Ground_Cursor();
}

// The k-th item of the strip, 0 when there is none or it is the hand item.
std::uint16_t Strip_Item(int k) {
    if (k < 0 || k >= ground_strip_items || Obj_Kind(ground_cursor) != OBJ_ITEM) return 0;
    obj_ref cursor = ground_cursor;
    for (int i = 0; i < k; ++i)
        if (!Next_Ground_Item(cursor)) return 0;
    const std::uint16_t item = Obj_Index(cursor);
    return item == static_cast<std::uint16_t>(hand_item) ? 0 : item;
}

int Strip_Place_Under_Mouse() { return (mouse_x - strip_left) / strip_item_step; }

// The backpack cell under the mouse.
int Cell_Under_Mouse() {
    return (mouse_x - backpack_x) / cell_pixels + BACKPACK_COLUMNS * ((mouse_y - backpack_y) / cell_pixels);
}

// The top-left cell for the hand item, its footprint centred on the mouse;
// -1 when the footprint would leave the backpack.
int Drop_Cell_Under_Mouse() {
    const std::uint8_t size = Item_Size(static_cast<std::uint16_t>(hand_item));
    const int half_w = (cell_pixels * Size_Width(size) - cell_pixels) / 2;
    const int half_h = (cell_pixels * Size_Height(size) - cell_pixels) / 2;
    const int col = (mouse_x - half_w - backpack_x) / cell_pixels;
    const int row = (mouse_y - half_h - backpack_y) / cell_pixels;
    const int far_col = (mouse_x + half_w - backpack_x) / cell_pixels;
    const int far_row = (mouse_y + half_h - backpack_y) / cell_pixels;
    if (col < 0 || row < 0 || far_col >= BACKPACK_COLUMNS || far_row >= BACKPACK_ROWS) return -1;
    return col + BACKPACK_COLUMNS * row;
}

void Show_Item_Name(std::int32_t item) {
    if (item > 0 && item != hand_item)
        Show_Message(Item_Name_Text(static_cast<std::uint16_t>(item)));
    else
        Show_Message(nullptr);
}

void Draw_Body_Slots(const char_record& r) {
    for (const body_slot& b : body_slots) {
        const std::int16_t item = r.slots[b.slot];
        if (item <= 0) continue;
        const int border = Slot_Border(b.bottom - b.top);
        Fill_Back_Rect({b.left + border, b.top + border, b.right + 1 - border, b.bottom + 1 - border}, ui_background);
        Put_Item_Picture((b.left + b.right + 1) / 2, (b.top + b.bottom + 1) / 2, static_cast<std::uint16_t>(item));
    }
}

void Draw_Backpack(const char_record& r) {
    for (int c = 0; c < BACKPACK_CELLS; ++c) {
        if (r.slots[c] <= 0) continue;
        const std::uint16_t item = static_cast<std::uint16_t>(r.slots[c]);
        const std::uint8_t size = Item_Size(item);
        Put_Item_Picture(backpack_x + cell_pixels * (c % BACKPACK_COLUMNS) + cell_pixels / 2 * Size_Width(size),
                         backpack_y + cell_pixels * (c / BACKPACK_COLUMNS) + cell_pixels / 2 * Size_Height(size), item);
    }
}

void Draw_Ground_Strip() {
    for (int k = 0; k < ground_strip_items; ++k) {
        const std::uint16_t item = Strip_Item(k);
        map_item_picture p;
        if (item == 0 || !Map_Item_Picture(item, p)) continue;
        const int x = strip_first_x + strip_item_step * k;
        Put_Sprite(BACK, x, strip_item_y, p.picture, p.frame, p.palette, light_plain);
        Put_Count(x + strip_count_dx, strip_item_y + strip_count_dy, Stack_Count(item));
    }
}

void Redraw_If_Open() {
    if (ScreenType == screen_inventory) Draw_Inventory_Screen();
}

}  // namespace

control_row inventory_controls[inventory_row_count + 1] = {
    Control_Row(162, 54, 226, 118, &Body_Slot_Handler<0>),
    Control_Row(232, 123, 296, 219, &Body_Slot_Handler<1>),
    Control_Row(232, 322, 296, 418, &Body_Slot_Handler<2>),
    Control_Row(23, 356, 87, 420, &Body_Slot_Handler<3>),
    Control_Row(57, 87, 89, 119, &Body_Slot_Handler<4>),
    Control_Row(93, 54, 157, 118, &Body_Slot_Handler<5>),
    Control_Row(23, 321, 87, 353, &Body_Slot_Handler<6>),
    Control_Row(231, 87, 263, 119, &Body_Slot_Handler<7>),
    Control_Row(196, 122, 228, 154, &Body_Slot_Handler<8>),
    Control_Row(91, 122, 123, 154, &Body_Slot_Handler<9>),
    Control_Row(23, 123, 87, 219, &Body_Slot_Handler<10>),
    Control_Row(232, 222, 296, 318, &Body_Slot_Handler<11>),
    Control_Row(23, 222, 87, 318, &Body_Slot_Handler<12>),
    Control_Row(195, 289, 227, 353, &Body_Slot_Handler<13>),
    Control_Row(92, 289, 124, 353, &Body_Slot_Handler<14>),
    Control_Row(161, 289, 193, 321, &Body_Slot_Handler<15>),
    Control_Row(126, 289, 158, 321, &Body_Slot_Handler<16>),
    Control_Row(161, 321, 193, 353, &Body_Slot_Handler<17>),
    Control_Row(126, 321, 158, 353, &Body_Slot_Handler<18>),
    Control_Row(351, 122, 606, 313, &Backpack_Click),
    Control_Row(33, 440, 603, 465, &Ground_Strip_Click),
    Control_Row(341, 322, 400, 387, &Pack_First_Ground_Item, 0, 0, "Put the first item into the backpack"),
    Control_Row(605, 2, 626, 21, &Inventory_To_Char_Page, 'C', VK_TAB, "Character screen"),
    Control_Row(13, 2, 34, 21, &Inventory_To_Map, 'M', VK_ESCAPE, "Back to map"),
    Control_Row(13, 434, 30, 469, &Previous_Ground_Item, VK_LEFT, VK_NUMPAD4, "Previous item on ground"),
    Control_Row(608, 434, 625, 469, &Next_Ground_Item_Click, VK_RIGHT, VK_NUMPAD6, "Next item on ground"),
    End_Row(),
};

namespace {

// A body slot's row: hover shows the slot's item, a click puts the hand
// item there (when the slot takes it) or picks the slot's item up.
template <int row>
void Body_Slot_Handler(std::uint32_t, int event) {
    const int slot = body_slots[row].slot;
    const char_record* r = Page_Record();
    if (r == nullptr) return;
    if (event == event_hover) {
        Show_Item_Name(r->slots[slot]);
        return;
    }
    if ((event & event_click) == 0) return;
    Check_Ground();
    if (hand_item != 0 && !Slot_Accepts(slot, static_cast<std::uint16_t>(hand_item))) return;
    Drop_On_Slot(slot);
}

}  // namespace

int Body_Slot_Of_Row(int row) { return row >= 0 && row < body_slot_count ? body_slots[row].slot : -1; }

bool Slot_Accepts(int slot, std::uint16_t item) {
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return false;
    for (const body_slot& b : body_slots) {
        if (b.slot != slot) continue;
        switch (b.rule) {
            case takes::item_class: return t->item_class == b.item_class;
            case takes::hand: return t->item_class != CLASS_CORPSE && t->size != SIZE_2X4;
            case takes::small: return t->size <= small_slot_size;
        }
    }
    return false;
}

void Inventory_Switch(std::uint32_t, int event) {
    if (event != event_click || selected_count == 0 || !Is_Active_Player_Char(current_object)) return;
    const std::uint16_t leader = selected[0];
    Free_Char_Path(leader);
    Command_Char(leader, ACT_SCREEN, OBJ_NONE, NO_INDEX, screen_inventory, 0, -1);
    Forget_Pressed_Control();
}

void Open_Inventory_Screen(std::int16_t field) {
    if (!Page_Char_In_Use()) return;
    const char_record& r = chararray.records[Page_Char()];
    const std::uint16_t own = Field_Index(static_cast<std::uint32_t>(r.x), static_cast<std::uint32_t>(r.y),
                                          static_cast<std::uint32_t>(r.map_level));
    ScreenType = screen_inventory;
    Set_Message_Pos(message_x, message_y);
    ground_field = Make_Obj(OBJ_FIXITEM, field != 0 ? static_cast<std::uint16_t>(field) : own);
    ground_cursor = First_Ground_Item();
    Clear_Hand();
    Draw_Inventory_Screen();
}

void Draw_Inventory_Screen() {
    if (BACK == nullptr || DD_Reload_Bitmap(BACK, inventory_page) != DD_OK) {
        File_Fatal_Error("Can't load inventory screen", Bitmap_File_Fault(inventory_page));
        return;
    }
    Set_Full_Clip();
    if (const char_record* r = Page_Record()) {
        Draw_Body_Slots(*r);
        Draw_Ground_Strip();
        Draw_Backpack(*r);
    }
    Update_Screen(nullptr);
}

void Take_Item_In_Hand(std::uint16_t item, std::uint16_t source) {
    if (item == NO_INDEX) return;
    hand_item = static_cast<std::int16_t>(item);
    hand_source = source;
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return;
    const std::uint8_t size = Item_Size(item);
    Set_DD_Cursor(Items_Sprite(), t->picture, cell_pixels * Size_Width(size), cell_pixels * Size_Height(size),
                  t->palette);
    if (const int count = Stack_Count(item))
        Set_Cursor_Number(count, cell_pixels / 2 * Size_Width(size) - count_right,
                          cell_pixels / 2 * Size_Height(size) - count_bottom);
}

void Clear_Hand() {
    hand_item = 0;
    Hide_DD_Cursor();
}

void Drop_On_Slot(int slot) {
    if (!Page_Char_In_Use() || !Ground_Field_Valid()) return;
    const bool backpack = slot < BACKPACK_SLOTS;
    const std::uint16_t hand = static_cast<std::uint16_t>(hand_item);
    if (backpack) slot = hand != 0 ? Drop_Cell_Under_Mouse() : Cell_Under_Mouse();
    if (slot < 0 || slot >= CHAR_SLOTS) return;
    std::int16_t under = Item_Under_Place(Page_Char(), hand, slot);
    if (under == hand_item) under = 0;
    if (backpack && under < 0) return;

    if (hand != 0) {
        if (hand_source == hand_from_ground)
            Take_Off_Ground(hand);
        else
            Remove_Item_From_Char(Page_Char(), hand);
        if (under > 0) Remove_Item_From_Char(Page_Char(), static_cast<std::uint16_t>(under));
        Put_Item_To_Char_Slot(Page_Char(), hand, slot);
        if (under > 0) {
            Put_Object_To_Field(Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(under)), Ground_Field_Index());
            Take_Item_In_Hand(static_cast<std::uint16_t>(under), hand_from_ground);
            Step_Back_Ground_Cursor();
        } else {
            Clear_Hand();
        }
    } else if (under > 0) {
        Lay_Down_And_Take(static_cast<std::uint16_t>(under));
    } else {
        Clear_Hand();
    }
    Draw_Inventory_Screen();
}

void Backpack_Click(std::uint32_t, int event) {
    if (event == event_hover) {
        Show_Item_Name(Page_Char_In_Use() ? Item_Under_Place(Page_Char(), 0, Cell_Under_Mouse()) : 0);
        return;
    }
    if ((event & event_click) == 0) return;
    Check_Ground();
    Drop_On_Slot(0);
}

void Ground_Strip_Click(std::uint32_t, int event) {
    if (!Page_Char_In_Use() || !Ground_Field_Valid()) return;
    Check_Ground();
    const std::uint16_t strip = Strip_Item(Strip_Place_Under_Mouse());
    if (event == event_hover) {
        Show_Item_Name(strip);
        return;
    }
    if ((event & event_click) == 0) return;
    const std::uint16_t hand = static_cast<std::uint16_t>(hand_item);
    if (hand != 0 && hand_source != hand_from_ground) {
        // An item of the character goes down in the strip item's place.
        Remove_Item_From_Char(Page_Char(), hand);
        if (strip != 0) {
            Replace_Item_On_Field(strip, hand, Ground_Field_Index());
            Put_Object_To_Field(Make_Obj(OBJ_ITEM, strip), Ground_Field_Index());
            if (ground_cursor == Make_Obj(OBJ_ITEM, strip)) ground_cursor = Make_Obj(OBJ_ITEM, hand);
            Take_Item_In_Hand(strip, hand_from_ground);
        } else {
            Put_Object_To_Field(Make_Obj(OBJ_ITEM, hand), Ground_Field_Index());
            if (Obj_Kind(ground_cursor) != OBJ_ITEM) ground_cursor = Make_Obj(OBJ_ITEM, hand);
            Clear_Hand();
        }
    } else if (strip != 0) {
        // The hand item, if any, already lies on the ground.
        Take_Item_In_Hand(strip, hand_from_ground);
    } else {
        Clear_Hand();
    }
    Draw_Inventory_Screen();
}

void Pack_First_Ground_Item(std::uint32_t, int event) {
    if (event != event_click || !Page_Char_In_Use() || !Ground_Field_Valid()) return;
    Check_Ground();
    if (Obj_Kind(ground_cursor) != OBJ_ITEM) return;
    const std::uint16_t item = Obj_Index(ground_cursor);
    char_record& r = chararray.records[Page_Char()];
    backpack_grid pack = Backpack_Of(r);
    if (!Repack_Backpack(pack, item)) return;
    Set_Backpack(r, pack);
    Remove_Object(ground_cursor);
    item_record& it = itemarray.records[item];
    it.owner = Make_Obj(OBJ_CHAR, Page_Char());
    it.link = Make_Obj(OBJ_NONE, Obj_Index(it.link));
    // The item in the hand lies on the ground: packed, it leaves the hand.
    if (item == static_cast<std::uint16_t>(hand_item)) Clear_Hand();
    ground_cursor = First_Ground_Item();
    Draw_Inventory_Screen();
}

void Inventory_To_Char_Page(std::uint32_t flags, int event) {
    if (event != event_click) return;
    Clear_Hand();
    Redraw_If_Open();
    Char_Page_Button(flags, event);
}

void Inventory_To_Map(std::uint32_t flags, int event) {
    if (event != event_click) return;
    Clear_Hand();
    Init_Hexamap_Screen(flags, event);
}

void Previous_Ground_Item(std::uint32_t, int event) {
    if (event != event_click || !Ground_Field_Valid()) return;
    Check_Ground();
    const obj_ref before = Ground_Item_Before(ground_cursor);
    if (before != NOOBJ) ground_cursor = before;
    Draw_Inventory_Screen();
}

void Next_Ground_Item_Click(std::uint32_t, int event) {
    if (event != event_click || !Ground_Field_Valid()) return;
    Check_Ground();
    if (Obj_Kind(ground_cursor) == OBJ_ITEM) Next_Ground_Item(ground_cursor);
    Draw_Inventory_Screen();
}
