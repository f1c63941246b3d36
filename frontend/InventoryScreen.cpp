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

void Reset_Inventory_State() {
    ground_field = NOOBJ;
    ground_cursor = NOOBJ;
    hand_item = 0;
    hand_source = 0;
}

namespace {

// What a body slot takes.
enum class takes { ItemClass, Hand, Small };

struct body_slot {
    int slot;
    takes rule;
    std::uint8_t item_class;       // for takes::ItemClass
    int left, top, right, bottom;  // inclusive
};

// Rows 0..18 of the table, in row order.
constexpr body_slot BODY_SLOTS[] = {
    {SLOT_HELM, takes::ItemClass, CLASS_HELM, 162, 54, 226, 118},
    {SLOT_ARMOUR, takes::ItemClass, CLASS_ARMOR, 232, 123, 296, 219},
    {SLOT_LEGGINGS, takes::ItemClass, CLASS_LEGGINGS, 232, 322, 296, 418},
    {SLOT_BOOTS, takes::ItemClass, CLASS_BOOTS, 23, 356, 87, 420},
    {SLOT_GAUNTLETS, takes::ItemClass, CLASS_GLOVES, 57, 87, 89, 119},
    {SLOT_BRACERS, takes::ItemClass, CLASS_BRACERS, 93, 54, 157, 118},
    {SLOT_BELT, takes::ItemClass, CLASS_BELT, 23, 321, 87, 353},
    {SLOT_NECKLACE, takes::ItemClass, CLASS_NECKLACE, 231, 87, 263, 119},
    {SLOT_LEFT_RING, takes::ItemClass, CLASS_RING, 196, 122, 228, 154},
    {SLOT_RIGHT_RING, takes::ItemClass, CLASS_RING, 91, 122, 123, 154},
    {SLOT_CLOAK, takes::ItemClass, CLASS_CLOAK, 23, 123, 87, 219},
    {SLOT_LEFT_HAND, takes::Hand, 0, 232, 222, 296, 318},
    {SLOT_RIGHT_HAND, takes::Hand, 0, 23, 222, 87, 318},
    {61, takes::Small, 0, 195, 289, 227, 353},
    {62, takes::Small, 0, 92, 289, 124, 353},
    {63, takes::ItemClass, CLASS_RING, 161, 289, 193, 321},
    {64, takes::ItemClass, CLASS_RING, 126, 289, 158, 321},
    {65, takes::ItemClass, CLASS_RING, 161, 321, 193, 353},
    {66, takes::ItemClass, CLASS_RING, 126, 321, 158, 353},
};
constexpr int BODY_SLOT_COUNT = static_cast<int>(sizeof BODY_SLOTS / sizeof BODY_SLOTS[0]);
static_assert(BODY_SLOT_COUNT == 19);

// The largest item a quick slot 61 or 62 takes: 1 wide, at most 2 high.
constexpr std::uint8_t SMALL_SLOT_SIZE = SIZE_1X2;

constexpr const char* INVENTORY_PAGE = "ARTWORK\\ITEMS\\INVENTOR.BMP";
constexpr int MESSAGE_X = 349, MESSAGE_Y = 413;

// An item picture's shadow: its offset and palette.
constexpr int SHADOW_OFFSET = 3;
constexpr int SHADOW_PALETTE = 132;
// A stack's count: its last digit this far from the right and bottom of the
// item's cells (the strip's from the picture's centre), the digits this
// far apart.
constexpr int COUNT_RIGHT = 5, COUNT_BOTTOM = 8;
constexpr int STRIP_COUNT_DX = 14, STRIP_COUNT_DY = 2;
constexpr int DIGIT_SPACING = 7;
// A body slot's picture area: its rectangle shrunk by this much on each
// side, by the rectangle's height.
int Slot_Border(int height) { return height >= 71 ? 7 : height >= 61 ? 5 : 4; }

template <int row>
void Body_Slot_Handler(std::uint32_t flags, int event);

const sprite* Items_Sprite() { return Sprite_From_Handle(items_sprite); }

// The count of a stack, 0 for an item that is no stack. REQ_98 is the most
// a stack may hold.
int Stack_Count(std::uint16_t item) {
    const obj_ref it = Make_Obj(OBJ_ITEM, item);
    if (Ask_Self_Or_Zero(it, REQ_98) <= 1) return 0;
    return static_cast<int>(Ask_Self_Or_Zero(it, REQ_STACK_COUNT));
}

// Writes a number with its last digit at (x, y), the others to its left.
void Put_Count(int x, int y, int count) {
    const sprite* digits = Sprite_From_Handle(anim_types[ANIM_DIGITS_FIRST].sprite);
    if (digits == nullptr) return;
    for (int n = count; n > 0; n /= 10, x -= DIGIT_SPACING) Put_Sprite(BACK, x, y, digits, n % 10, 0, LIGHT_PLAIN);
}

// An item's large picture centred at (x, y), with its shadow and its count;
// nothing for the item in the hand, which the cursor shows.
void Put_Item_Picture(int x, int y, std::uint16_t item) {
    if (item == static_cast<std::uint16_t>(hand_item)) return;
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return;
    Put_Sprite(BACK, x + SHADOW_OFFSET, y + SHADOW_OFFSET, Items_Sprite(), t->picture, SHADOW_PALETTE, LIGHT_PLAIN);
    Put_Sprite(BACK, x, y, Items_Sprite(), t->picture, t->palette, LIGHT_PLAIN);
    const std::uint8_t size = Item_Size(item);
    Put_Count(x + CELL_PIXELS / 2 * Size_Width(size) - COUNT_RIGHT,
              y + CELL_PIXELS / 2 * Size_Height(size) - COUNT_BOTTOM, Stack_Count(item));
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
    if (hand_item != 0 && hand_source == HAND_FROM_GROUND && !Lies_On_Ground(static_cast<std::uint16_t>(hand_item)))
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
    Take_Item_In_Hand(item, HAND_FROM_GROUND);
    Step_Back_Ground_Cursor();
}

// The k-th item of the strip, 0 when there is none or it is the hand item.
std::uint16_t Strip_Item(int k) {
    if (k < 0 || k >= GROUND_STRIP_ITEMS || Obj_Kind(ground_cursor) != OBJ_ITEM) return 0;
    obj_ref cursor = ground_cursor;
    for (int i = 0; i < k; ++i)
        if (!Next_Ground_Item(cursor)) return 0;
    const std::uint16_t item = Obj_Index(cursor);
    return item == static_cast<std::uint16_t>(hand_item) ? 0 : item;
}

int Strip_Place_Under_Mouse() { return (mouse_x - STRIP_LEFT) / STRIP_ITEM_STEP; }

// The backpack cell under the mouse.
int Cell_Under_Mouse() {
    return (mouse_x - BACKPACK_X) / CELL_PIXELS + BACKPACK_COLUMNS * ((mouse_y - BACKPACK_Y) / CELL_PIXELS);
}

// The top-left cell for the hand item, its footprint centred on the mouse;
// -1 when the footprint would leave the backpack.
int Drop_Cell_Under_Mouse() {
    const std::uint8_t size = Item_Size(static_cast<std::uint16_t>(hand_item));
    const int half_w = (CELL_PIXELS * Size_Width(size) - CELL_PIXELS) / 2;
    const int half_h = (CELL_PIXELS * Size_Height(size) - CELL_PIXELS) / 2;
    const int col = (mouse_x - half_w - BACKPACK_X) / CELL_PIXELS;
    const int row = (mouse_y - half_h - BACKPACK_Y) / CELL_PIXELS;
    const int far_col = (mouse_x + half_w - BACKPACK_X) / CELL_PIXELS;
    const int far_row = (mouse_y + half_h - BACKPACK_Y) / CELL_PIXELS;
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
    for (const body_slot& b : BODY_SLOTS) {
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
        Put_Item_Picture(BACKPACK_X + CELL_PIXELS * (c % BACKPACK_COLUMNS) + CELL_PIXELS / 2 * Size_Width(size),
                         BACKPACK_Y + CELL_PIXELS * (c / BACKPACK_COLUMNS) + CELL_PIXELS / 2 * Size_Height(size), item);
    }
}

void Draw_Ground_Strip() {
    for (int k = 0; k < GROUND_STRIP_ITEMS; ++k) {
        const std::uint16_t item = Strip_Item(k);
        map_item_picture p;
        if (item == 0 || !Map_Item_Picture(item, p)) continue;
        const int x = STRIP_FIRST_X + STRIP_ITEM_STEP * k;
        Put_Sprite(BACK, x, STRIP_ITEM_Y, p.picture, p.frame, p.palette, LIGHT_PLAIN);
        Put_Count(x + STRIP_COUNT_DX, STRIP_ITEM_Y + STRIP_COUNT_DY, Stack_Count(item));
    }
}

void Redraw_If_Open() {
    if (ScreenType == SCREEN_INVENTORY) Draw_Inventory_Screen();
}

}  // namespace

control_row inventory_controls[INVENTORY_ROW_COUNT + 1] = {
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
    const int slot = BODY_SLOTS[row].slot;
    const char_record* r = Page_Record();
    if (r == nullptr) return;
    if (event == EVENT_HOVER) {
        Show_Item_Name(r->slots[slot]);
        return;
    }
    if ((event & EVENT_CLICK) == 0) return;
    Check_Ground();
    if (hand_item != 0 && !Slot_Accepts(slot, static_cast<std::uint16_t>(hand_item))) return;
    Drop_On_Slot(slot);
}

}  // namespace

int Body_Slot_Of_Row(int row) { return row >= 0 && row < BODY_SLOT_COUNT ? BODY_SLOTS[row].slot : -1; }

bool Slot_Accepts(int slot, std::uint16_t item) {
    const item_type* t = Item_Type_Of(item);
    if (t == nullptr) return false;
    for (const body_slot& b : BODY_SLOTS) {
        if (b.slot != slot) continue;
        switch (b.rule) {
            case takes::ItemClass: return t->item_class == b.item_class;
            case takes::Hand: return t->item_class != CLASS_CORPSE && t->size != SIZE_2X4;
            case takes::Small: return t->size <= SMALL_SLOT_SIZE;
        }
    }
    return false;
}

void Inventory_Switch(std::uint32_t, int event) {
    if (event != EVENT_CLICK || selected_count == 0 || !Is_Active_Player_Char(current_object)) return;
    const std::uint16_t leader = selected[0];
    Free_Char_Path(leader);
    Command_Char(leader, ACT_SCREEN, OBJ_NONE, NO_INDEX, SCREEN_INVENTORY, 0, -1);
    Forget_Pressed_Control();
}

void Open_Inventory_Screen(std::int16_t field) {
    if (!Page_Char_In_Use()) return;
    const char_record& r = chararray.records[Page_Char()];
    const std::uint16_t own = Field_Index(static_cast<std::uint32_t>(r.x), static_cast<std::uint32_t>(r.y),
                                          static_cast<std::uint32_t>(r.map_level));
    ScreenType = SCREEN_INVENTORY;
    Set_Message_Pos(MESSAGE_X, MESSAGE_Y);
    ground_field = Make_Obj(OBJ_FIXITEM, field != 0 ? static_cast<std::uint16_t>(field) : own);
    ground_cursor = First_Ground_Item();
    Clear_Hand();
    Draw_Inventory_Screen();
}

void Draw_Inventory_Screen() {
    if (BACK == nullptr || DD_Reload_Bitmap(BACK, INVENTORY_PAGE) != DD_OK) {
        File_Fatal_Error("Can't load inventory screen", Bitmap_File_Fault(INVENTORY_PAGE));
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
    Set_DD_Cursor(Items_Sprite(), t->picture, CELL_PIXELS * Size_Width(size), CELL_PIXELS * Size_Height(size),
                  t->palette);
    if (const int count = Stack_Count(item))
        Set_Cursor_Number(count, CELL_PIXELS / 2 * Size_Width(size) - COUNT_RIGHT,
                          CELL_PIXELS / 2 * Size_Height(size) - COUNT_BOTTOM);
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
        if (hand_source == HAND_FROM_GROUND)
            Take_Off_Ground(hand);
        else
            Remove_Item_From_Char(Page_Char(), hand);
        if (under > 0) Remove_Item_From_Char(Page_Char(), static_cast<std::uint16_t>(under));
        Put_Item_To_Char_Slot(Page_Char(), hand, slot);
        if (under > 0) {
            Put_Object_To_Field(Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(under)), Ground_Field_Index());
            Take_Item_In_Hand(static_cast<std::uint16_t>(under), HAND_FROM_GROUND);
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
    if (event == EVENT_HOVER) {
        Show_Item_Name(Page_Char_In_Use() ? Item_Under_Place(Page_Char(), 0, Cell_Under_Mouse()) : 0);
        return;
    }
    if ((event & EVENT_CLICK) == 0) return;
    Check_Ground();
    Drop_On_Slot(0);
}

void Ground_Strip_Click(std::uint32_t, int event) {
    if (!Page_Char_In_Use() || !Ground_Field_Valid()) return;
    Check_Ground();
    const std::uint16_t strip = Strip_Item(Strip_Place_Under_Mouse());
    if (event == EVENT_HOVER) {
        Show_Item_Name(strip);
        return;
    }
    if ((event & EVENT_CLICK) == 0) return;
    const std::uint16_t hand = static_cast<std::uint16_t>(hand_item);
    if (hand != 0 && hand_source != HAND_FROM_GROUND) {
        // An item of the character goes down in the strip item's place.
        Remove_Item_From_Char(Page_Char(), hand);
        if (strip != 0) {
            Replace_Item_On_Field(strip, hand, Ground_Field_Index());
            Put_Object_To_Field(Make_Obj(OBJ_ITEM, strip), Ground_Field_Index());
            if (ground_cursor == Make_Obj(OBJ_ITEM, strip)) ground_cursor = Make_Obj(OBJ_ITEM, hand);
            Take_Item_In_Hand(strip, HAND_FROM_GROUND);
        } else {
            Put_Object_To_Field(Make_Obj(OBJ_ITEM, hand), Ground_Field_Index());
            if (Obj_Kind(ground_cursor) != OBJ_ITEM) ground_cursor = Make_Obj(OBJ_ITEM, hand);
            Clear_Hand();
        }
    } else if (strip != 0) {
        // The hand item, if any, already lies on the ground.
        Take_Item_In_Hand(strip, HAND_FROM_GROUND);
    } else {
        Clear_Hand();
    }
    Draw_Inventory_Screen();
}

void Pack_First_Ground_Item(std::uint32_t, int event) {
    if (event != EVENT_CLICK || !Page_Char_In_Use() || !Ground_Field_Valid()) return;
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
    if (event != EVENT_CLICK) return;
    Clear_Hand();
    Redraw_If_Open();
    Char_Page_Button(flags, event);
}

void Inventory_To_Map(std::uint32_t flags, int event) {
    if (event != EVENT_CLICK) return;
    Clear_Hand();
    Init_Hexamap_Screen(flags, event);
}

void Previous_Ground_Item(std::uint32_t, int event) {
    if (event != EVENT_CLICK || !Ground_Field_Valid()) return;
    Check_Ground();
    const obj_ref before = Ground_Item_Before(ground_cursor);
    if (before != NOOBJ) ground_cursor = before;
    Draw_Inventory_Screen();
}

void Next_Ground_Item_Click(std::uint32_t, int event) {
    if (event != EVENT_CLICK || !Ground_Field_Valid()) return;
    Check_Ground();
    if (Obj_Kind(ground_cursor) == OBJ_ITEM) Next_Ground_Item(ground_cursor);
    Draw_Inventory_Screen();
}
