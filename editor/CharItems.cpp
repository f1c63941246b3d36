#include "editor/CharItems.h"

#include <algorithm>
#include <cstring>

#include "Objects/Char/CharSlots.h"
#include "Objects/Item/Items.h"
#include "Objects/Modifiers.h"
#include "Objects/TypeTables.h"
#include "datafiles/Hooks.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"

const slot_button slot_buttons[SLOT_BUTTON_COUNT] = {
    {1119, "helm", SLOT_HELM, CLASS_HELM, SIZE_2X2},
    {1203, "armor", SLOT_ARMOUR, CLASS_ARMOR, SIZE_2X3},
    {1210, "legging", SLOT_LEGGINGS, CLASS_LEGGINGS, SIZE_2X2},
    {1211, "boots", SLOT_BOOTS, CLASS_BOOTS, SIZE_2X2},
    {1208, "gauntlet", SLOT_GAUNTLETS, CLASS_GLOVES, SIZE_1X1},
    {1205, "bracers", SLOT_BRACERS, CLASS_BRACERS, SIZE_2X2},
    {1209, "belt", SLOT_BELT, CLASS_BELT, SIZE_2X1},
    {1202, "necklace", SLOT_NECKLACE, CLASS_NECKLACE, SIZE_1X1},
    {1206, "left ring", SLOT_LEFT_RING, CLASS_RING, SIZE_1X1},
    {1207, "right ring", SLOT_RIGHT_RING, CLASS_RING, SIZE_1X1},
    {1204, "cloak", SLOT_CLOAK, CLASS_CLOAK, SIZE_2X3},
    {1216, "left hand", SLOT_LEFT_HAND, ANY_CLASS, SIZE_2X3},
    {1212, "right hand", SLOT_RIGHT_HAND, ANY_CLASS, SIZE_2X3},
    {1217, "big item", SLOT_QUICK_FIRST, ANY_CLASS, SIZE_1X2},
    {1213, "big item", SLOT_QUICK_FIRST + 1, ANY_CLASS, SIZE_1X2},
    {1218, "small item", SLOT_QUICK_FIRST + 2, ANY_CLASS, SIZE_1X1},
    {1214, "small item", SLOT_QUICK_FIRST + 3, ANY_CLASS, SIZE_1X1},
    {1219, "small item", SLOT_QUICK_FIRST + 4, ANY_CLASS, SIZE_1X1},
    {1215, "small item", SLOT_QUICK_FIRST + 5, ANY_CLASS, SIZE_1X1},
};

namespace {

std::string Type_Name(std::int32_t type) {
    if (type < 0 || static_cast<std::size_t>(type) >= item_types.size()) return {};
    const item_type& t = item_types[static_cast<std::size_t>(type)];
    return std::string(t.name, strnlen(t.name, sizeof t.name));
}

// A type's size with width and height at least 1.
std::uint8_t Type_Size(std::uint16_t type) {
    const std::uint8_t size = item_types[type].size;
    return static_cast<std::uint8_t>(std::max(Size_Width(size), 1) << 4 | std::max(Size_Height(size), 1));
}

bool Fits_Size(std::uint8_t size, std::uint8_t largest) {
    return Size_Width(size) <= Size_Width(largest) && Size_Height(size) <= Size_Height(largest);
}

// An item of the map that a slot may name: in the array and in use.
bool Item_In_Use(std::int16_t value) {
    return value > 0 && static_cast<std::uint16_t>(value) < itemarray.Capacity() &&
           !Item_Record_Is_Free(static_cast<std::uint16_t>(value));
}

// A placed character's item goes with its modifiers.
void Delete_Slot_Item(std::uint16_t item) {
    Remove_All_Modifiers(Make_Obj(OBJ_ITEM, item));
    Delete_Item_Record(item);
}

int Column(int cell) { return cell % BACKPACK_COLUMNS; }
int Row(int cell) { return cell / BACKPACK_COLUMNS; }

}  // namespace

CharItems::CharItems(bool live, std::uint16_t index) : live_(live), index_(index) {
    Clear_Unknown_Slots();
    // Nothing is chosen in the item tree yet.
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
}

char_record* CharItems::Record() const {
    if (live_) return Char_In_Use(index_) ? &chararray.records[index_] : nullptr;
    return index_ < char_data.size() ? &char_data[index_] : nullptr;
}

std::int32_t CharItems::Type_Of_Value(std::int16_t value) const {
    if (value <= 0) return -1;
    if (live_) {
        if (!Item_In_Use(value)) return -1;
        const std::uint16_t type = itemarray.records[static_cast<std::uint16_t>(value)].type;
        return type < item_types.size() ? type : -1;
    }
    return static_cast<std::size_t>(value) < item_types.size() ? value : -1;
}

std::int32_t CharItems::Selected_Type() const {
    if (selection_on_map || editor_selection.kind != OBJ_ITEM) return -1;
    return editor_selection.index < item_types.size() ? editor_selection.index : -2;
}

void CharItems::Clear_Slot(int slot) {
    char_record* r = Record();
    if (r == nullptr || slot < 0 || slot >= CHAR_SLOTS) return;
    const std::int16_t value = r->slots[slot];
    if (live_ && Item_In_Use(value)) Delete_Slot_Item(static_cast<std::uint16_t>(value));
    r->slots[slot] = 0;
    if (slot >= BACKPACK_SLOTS || value <= 0) return;
    for (int k = slot + 1; k < BACKPACK_SLOTS; ++k)
        if (r->slots[k] < 0 && k + r->slots[k] == slot) r->slots[k] = 0;
}

void CharItems::Clear_Unknown_Slots() {
    char_record* r = Record();
    if (r == nullptr) return;
    for (int s = 0; s < CHAR_SLOTS; ++s)
        if (r->slots[s] > 0 && Type_Of_Value(r->slots[s]) < 0) Clear_Slot(s);
    // A marker must lead back, in its own column or the one before, to an
    // item whose footprint covers it; any other is cleared. A body slot holds
    // no markers.
    for (int k = 0; k < CHAR_SLOTS; ++k) {
        const std::int16_t v = r->slots[k];
        if (v >= 0) continue;
        const int top_left = k + v;
        bool good = k < BACKPACK_SLOTS && top_left >= 0 && r->slots[top_left] > 0;
        if (good) {
            const int dx = Column(k) - Column(top_left), dy = Row(k) - Row(top_left);
            const std::uint8_t size = Type_Size(static_cast<std::uint16_t>(Type_Of_Value(r->slots[top_left])));
            good = dx >= 0 && dx < Size_Width(size) && dy < Size_Height(size);
        }
        if (!good) r->slots[k] = 0;
    }
}

std::string CharItems::Slot_Text(int button) const {
    const char_record* r = Record();
    if (r == nullptr || button < 0 || button >= SLOT_BUTTON_COUNT) return {};
    const std::int16_t value = r->slots[slot_buttons[button].slot];
    return Type_Name(value == 0 ? ITEM_TYPE_EMPTY : Type_Of_Value(value));
}

std::vector<backpack_entry> CharItems::Backpack() const {
    std::vector<backpack_entry> entries;
    const char_record* r = Record();
    if (r == nullptr) return entries;
    for (int c = 0; c < BACKPACK_SLOTS; ++c)
        if (r->slots[c] > 0) entries.push_back({Type_Name(Type_Of_Value(r->slots[c])), r->slots[c]});
    return entries;
}

// ---- The slot buttons ----

void CharItems::Press_Slot(int button) {
    if (button < 0 || button >= SLOT_BUTTON_COUNT || Record() == nullptr) return;
    const slot_button& b = slot_buttons[button];
    if (edit_unique_) {
        Edit_Item_In_Slot(b.slot);
        return;
    }
    const std::int32_t type = Selected_Type();
    if (type == -1) return;
    if (type == ITEM_TYPE_DEAD_BODY) {
        Editor_Message(TEXT_NO_CORPSE_IN_SLOTS);
        return;
    }
    // The empty type empties any slot.
    if (type == ITEM_TYPE_EMPTY) {
        Clear_Slot(b.slot);
        return;
    }
    if (type < 0 ||
        (b.item_class != ANY_CLASS && item_types[static_cast<std::size_t>(type)].item_class != b.item_class)) {
        Editor_Message(TEXT_INVALID_ITEM_TYPE);
        return;
    }
    if (!Fits_Size(Type_Size(static_cast<std::uint16_t>(type)), b.largest)) {
        Editor_Message(TEXT_ITEM_TOO_LARGE);
        return;
    }
    Put_Type_To_Slot(b, static_cast<std::uint16_t>(type));
}

void CharItems::Put_Type_To_Slot(const slot_button& b, std::uint16_t type) {
    if (!live_) {
        Record()->slots[b.slot] = static_cast<std::int16_t>(type);
        return;
    }
    // The new item first: when none can be made, the slot keeps its item.
    const std::uint16_t item = New_Item_Of_Type(type);
    if (item == NO_INDEX) return;
    Clear_Slot(b.slot);
    item_record& it = itemarray.records[item];
    it.owner = Make_Obj(OBJ_CHAR, index_);
    it.link = Make_Obj(OBJ_NONE, NO_INDEX);
    Record()->slots[b.slot] = static_cast<std::int16_t>(item);
    Give_Type_Modifiers(item);
}

void CharItems::Toggle_Edit_Unique() {
    if (!live_) return;
    edit_unique_ = !edit_unique_;
    if (edit_unique_) Editor_Message(TEXT_CLICK_ITEM_TO_EDIT);
}

void CharItems::Edit_Item_In_Slot(int slot) {
    const std::int16_t value = Record()->slots[slot];
    if (value <= 0) return;
    edit_unique_ = false;
    const std::int32_t type = Type_Of_Value(value);
    if (type < 0) return;
    if (auto edit = Editor_Dialogs().edit_item)
        edit(static_cast<std::uint16_t>(type), static_cast<std::uint16_t>(value));
}

// ---- The backpack ----

void CharItems::Put_Into_Backpack() {
    char_record* r = Record();
    const std::int32_t type = Selected_Type();
    if (r == nullptr || type == -1) return;
    if (type == ITEM_TYPE_DEAD_BODY) {
        Editor_Message(TEXT_NO_CORPSE_IN_BACKPACK);
        return;
    }
    if (type < 0) {
        Editor_Message(TEXT_INVALID_ITEM_TYPE);
        return;
    }
    if (type == ITEM_TYPE_EMPTY) return;
    backpack_grid grid = Backpack_Of(*r);
    if (!live_) {
        if (Repack_Backpack_Types(grid, static_cast<std::uint16_t>(type)) == 1) Set_Backpack(*r, grid);
        return;
    }
    // The type must fit before an item is made, and the item is made
    // straight into the character.
    backpack_grid types = grid;
    for (std::int16_t& cell : types)
        if (cell > 0) cell = static_cast<std::int16_t>(Type_Of_Value(cell));
    if (Repack_Backpack_Types(types, static_cast<std::uint16_t>(type)) == 0) return;
    const std::uint16_t item = New_Item_Of_Type(static_cast<std::uint16_t>(type));
    if (item == NO_INDEX) return;
    item_record& it = itemarray.records[item];
    it.owner = Make_Obj(OBJ_CHAR, index_);
    it.link = Make_Obj(OBJ_NONE, NO_INDEX);
    r = Record();
    grid = Backpack_Of(*r);
    if (Repack_Backpack(grid, item) == 0) {
        Delete_Item_Record(item);
        return;
    }
    Set_Backpack(*r, grid);
    Give_Type_Modifiers(item);
}

void CharItems::Remove_From_Backpack(std::int16_t value) {
    const char_record* r = Record();
    if (r == nullptr || value <= 0) return;
    for (int c = 0; c < BACKPACK_SLOTS; ++c)
        if (r->slots[c] == value) {
            Clear_Slot(c);
            return;
        }
}

void CharItems::Remove_All_From_Backpack() {
    if (Record() == nullptr) return;
    for (int c = 0; c < BACKPACK_SLOTS; ++c) Clear_Slot(c);
    for (int c = 0; c < BACKPACK_SLOTS; ++c) Record()->slots[c] = 0;
}

void CharItems::Remove_All_Items() {
    char_record* r = Record();
    if (r == nullptr) return;
    if (live_) Delete_Char_Items(index_);
    for (int s = 0; s < CHAR_SLOTS; ++s) r->slots[s] = 0;
}
