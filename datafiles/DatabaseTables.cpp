// The type tables: allocation, growth by 100 records, the empty database.
#include <new>

#include "System/ErrorReport.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"

namespace {

template <class T>
bool Make_Room(std::vector<T>& table, std::uint32_t n) {
    std::vector<T>().swap(table);
    try {
        table.reserve(n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Room for one more record: a full table grows by the step. False when the
// table is at its index width or cannot grow; it is then as it was.
template <class T>
bool Room_For_One(std::vector<T>& table, std::uint32_t width) {
    if (table.size() >= width) return false;
    if (table.size() < table.capacity()) return true;
    try {
        table.reserve(table.capacity() + TYPE_TABLE_STEP);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

void Alloc_Item_Types(std::uint32_t n) {
    if (!Make_Room(item_types, n)) Fatal_Error("Can't allocate memory for item data!", "");
}

void Alloc_Fixitem_Types(std::uint32_t n) {
    if (!Make_Room(fixitem_data, n) || !Make_Room(fixitem_data_ext, n)) {
        fixitem_data.clear();
        fixitem_data_ext.clear();
        Fatal_Error("Can't allocate memory for fixitem data!", "");
    }
}

void Alloc_Char_Types(std::uint32_t n) {
    if (!Make_Room(char_data, n)) Fatal_Error("Can't allocate memory for character data!", "");
}

std::int32_t New_Item_Type() {
    if (!Room_For_One(item_types, MAX_ITEM_TYPES)) {
        Error_Query_Quit("Can't realloc item data!");
        return -1;
    }
    item_type t{};
    t.size = 0x23;
    t.item_class = CLASS_OTHER;
    t.first_mod = -1;
    item_types.push_back(t);
    return static_cast<std::int32_t>(item_types.size() - 1);
}

std::int32_t New_Fixitem_Type() {
    // Both arrays get their room before either takes the record.
    const std::size_t count = fixitem_data.size();
    bool room = count == fixitem_data_ext.size() && count < MAX_FIXITEM_TYPES;
    if (room) {
        const std::size_t capacity =
            count == fixitem_data.capacity() ? count + TYPE_TABLE_STEP : fixitem_data.capacity();
        try {
            fixitem_data.reserve(capacity);
            fixitem_data_ext.reserve(capacity);
        } catch (const std::bad_alloc&) {
            room = false;
        }
    }
    if (!room) {
        Error_Query_Quit("Can't realloc fixitem data!");
        return -1;
    }
    fixitem_data.push_back(fixitem_type{});
    fixitem_ext e{};
    e.first_mod = NO_INDEX;
    fixitem_data_ext.push_back(e);
    return static_cast<std::int32_t>(count);
}

std::int32_t New_Char_Type() {
    if (!Room_For_One(char_data, MAX_CHAR_TYPES)) {
        Error_Query_Quit("Can't realloc character data!");
        return -1;
    }
    char_record c{};
    c.first_mod = NO_INDEX;
    char_data.push_back(c);
    return static_cast<std::int32_t>(char_data.size() - 1);
}

void Free_Map_Fixitem_Slots_From(std::uint32_t n) {
    for (std::uint32_t slot = n; slot < MAP_TYPE_SLOTS; ++slot) fixitem_types[slot].flags |= FIX_SLOT_FREE;
}

void Init_Empty_Database() {
    Fill_Builtin_Item_Types(item_types);
    if (item_types.capacity() < item_types.size() + TYPE_TABLE_STEP)
        item_types.reserve(item_types.size() + TYPE_TABLE_STEP);
    if (fixitem_data.empty()) {
        Alloc_Fixitem_Types(TYPE_TABLE_STEP);
        New_Fixitem_Type();  // type 0, reserved: the map's plain fields
    }
    if (char_data.capacity() == 0) Alloc_Char_Types(TYPE_TABLE_STEP);
    if (!mod_data.Loaded()) {
        Init_Mod_Free_List();
        mod_data.first_free = 1;  // record 0 is never handed out
    }
    for (CDataTree* tree : {&item_data_tree, &fixitem_data_tree, &char_data_tree}) tree->Find_Recycle_Bin();
    database_in_memory = 1;
    Hook_Trees_Replaced();
}
