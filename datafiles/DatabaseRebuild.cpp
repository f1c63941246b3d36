// Two rebuilds between the map and the database, which nothing in the
// program calls: the map's types read again from the database files, and
// a database made from the loaded map.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "System/ErrorReport.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "datafiles/MapConverter.h"

namespace {

constexpr std::uint32_t MAP_CHAR_TYPES = 24;
constexpr std::uint32_t MAP_FIXITEM_TYPES = 55;

// A database file read and checked, its stated record size exactly ours;
// otherwise its report in the consistency box.
template <class Parse>
bool Read_Exact_File(DatabaseFile file, std::uint32_t record_size, const char* unable, const char* invalid,
                     Parse parse) {
    std::uint64_t size = 0;
    std::unique_ptr<std::istream> in = FolderDatabaseSource{}.Open(file, size);
    if (!in) {
        Error_Query_Quit(unable);
        return false;
    }
    std::uint32_t stated = 0;
    in->seekg(DATABASE_MAGIC_SIZE);
    in->read(reinterpret_cast<char*>(&stated), sizeof stated);
    in->seekg(0);
    FileReader reader(*in, size);
    if (!*in || stated != record_size || !parse(reader)) {
        Error_Query_Quit(invalid);
        return false;
    }
    return true;
}

// What ties a placed character to the world stays when its type's record
// is read over it: place, field link, modifiers, items, AI slot, what it
// is doing, its sprites and its party flags.
void Keep_World_Fields(const char_record& placed, char_record& r) {
    r.body_sprite = placed.body_sprite;
    r.head_sprite = placed.head_sprite;
    r.frame = placed.frame;
    r.x = placed.x;
    r.y = placed.y;
    r.map_level = placed.map_level;
    r.facing = placed.facing;
    r.ap_stamp = placed.ap_stamp;
    r.path = placed.path;
    r.path_entry = placed.path_entry;
    r.path_target = placed.path_target;
    r.offset_x = placed.offset_x;
    r.offset_y = placed.offset_y;
    r.state = placed.state;
    r.act = placed.act;
    r.target = placed.target;
    r.source = placed.source;
    r.ai_slot = placed.ai_slot;
    r.idle_counter = placed.idle_counter;
    std::memcpy(r.slots, placed.slots, sizeof r.slots);
    r.flags = static_cast<std::uint16_t>((r.flags & ~(CF_FREE | CF_PARTY)) | (placed.flags & (CF_FREE | CF_PARTY)));
    r.db_type = placed.db_type;
    r.first_mod = placed.first_mod;
    r.link = placed.link;
}

// A map character as a character type: its items become the item types
// the type's slots name, and nothing of the run or the world stays.
char_record Type_Of_Placed(const char_record& placed) {
    char_record t = placed;
    t.body_sprite = 0;
    t.head_sprite = 0;
    t.path = 0;
    t.path_entry = 0;
    t.path_target = NOOBJ;
    t.ai_slot = NO_INDEX;
    t.first_mod = NO_INDEX;
    t.link = Make_Obj(OBJ_NONE, NO_INDEX);
    t.flags = static_cast<std::uint16_t>(t.flags & ~(CF_FREE | CF_PARTY));
    t.db_type = -1;
    for (int k = 0; k < CHAR_SLOTS; ++k) {
        const std::int16_t slot = t.slots[k];
        if (slot <= 0) continue;
        const std::uint16_t item = static_cast<std::uint16_t>(slot);
        t.slots[k] = item < itemarray.Capacity() && !Item_Record_Is_Free(item)
                         ? static_cast<std::int16_t>(itemarray.records[item].type)
                         : std::int16_t{0};
    }
    return t;
}

void Copy_Map_Characters() {
    Alloc_Char_Types(MAP_CHAR_TYPES + TYPE_TABLE_STEP);
    char_data_tree.Delete_All_Items();
    char_data_tree.Create_Recycle_Bin();
    std::vector<std::string> names;
    for (std::uint16_t c = 0; c < chararray.Capacity() && names.size() < MAP_CHAR_TYPES; ++c) {
        if (!Char_In_Use(c)) continue;
        const std::string name = Char_Name(chararray.records[c]);
        const bool repeated = std::find(names.begin(), names.end(), name) != names.end();
        names.push_back(name);
        if (repeated) continue;
        const std::int32_t type = New_Char_Type();
        if (type < 0) return;
        char_data[static_cast<std::size_t>(type)] = Type_Of_Placed(chararray.records[c]);
        char_data_tree.Insert_Item(name, OBJ_CHAR, static_cast<std::uint32_t>(type));
    }
}

void Copy_Map_Fixitem_Types() {
    for (std::uint32_t f = 0; f < total_fields && f < maparray.Capacity(); ++f)
        fixitem_types[maparray.records[f].type].flags |= FIX_GROUND;
    // The importer puts its n types into slots 1..n: slots 0..n are the map's.
    const std::uint32_t imported = std::min<std::uint32_t>(Converter_Fixitem_Type_Count() + 1u, MAP_TYPE_SLOTS);
    const std::uint32_t count = std::max(MAP_FIXITEM_TYPES, imported);
    Alloc_Fixitem_Types(count + TYPE_TABLE_STEP);
    fixitem_data_tree.Delete_All_Items();
    fixitem_data_tree.Create_Recycle_Bin();
    for (std::uint32_t i = 0; i < count; ++i) {
        if (New_Fixitem_Type() < 0) return;
        fixitem_types[i].db_index = static_cast<std::int16_t>(i);
        if (i < imported) {
            fixitem_data[i] = fixitem_types[i];
            fixitem_data[i].sprite = 0;
        }
        char name[sizeof fixitem_ext::name];
        std::snprintf(name, sizeof name, "fix%u", i);
        std::memcpy(fixitem_data_ext[i].name, name, sizeof name);
        fixitem_data_tree.Insert_Item(name, OBJ_FIXITEM, i);
    }
}

}  // namespace

void Refresh_Map_Types_From_Database() {
    std::vector<fixitem_type> types;
    std::vector<fixitem_ext> names;
    if (!Read_Exact_File(
            DB_FIXITEM_FILE, FIXITEM_RECORD_SIZE, "Unable to open fixitem database", "Invalid fixitem data",
            [&](FileReader& in) { return Parse_Fixitem_File(in, ANY_COUNT, types, names) == RecordFileResult::OK; }))
        return;
    for (std::uint32_t slot = 0; slot < MAP_TYPE_SLOTS; ++slot) {
        fixitem_type& t = fixitem_types[slot];
        const std::int16_t d = t.db_index;
        if ((t.flags & FIX_SLOT_FREE) != 0 || d < 0 || static_cast<std::size_t>(d) >= types.size()) continue;
        // The slot keeps what belongs to the map: its picture and the slot
        // it turns into.
        const std::uint32_t sprite = t.sprite;
        const std::uint8_t amortized = t.amortized;
        t = types[static_cast<std::size_t>(d)];
        t.sprite = sprite;
        t.amortized = amortized;
        t.db_index = d;
    }

    std::vector<char_record> chars;
    if (!Read_Exact_File(DB_CHAR_FILE, CHAR_RECORD_SIZE, "Unable to open char database", "Invalid char data",
                         [&](FileReader& in) { return Parse_Char_File(in, ANY_COUNT, chars) == RecordFileResult::OK; }))
        return;
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        if (!Char_In_Use(c)) continue;
        char_record& placed = chararray.records[c];
        const std::int16_t d = placed.db_type;
        if (d < 0 || static_cast<std::size_t>(d) >= chars.size()) continue;
        char_record r = chars[static_cast<std::size_t>(d)];
        Keep_World_Fields(placed, r);
        placed = r;
    }
}

void New_Database_From_Map() {
    Hook_Empty_Field_List();  // and with it the editor's selection
    Copy_Map_Characters();
    Copy_Map_Fixitem_Types();
    Fill_Builtin_Item_Types(item_types);
    item_data_tree.Insert_Item(item_types[ITEM_TYPE_DEAD_BODY].name, OBJ_ITEM, ITEM_TYPE_DEAD_BODY);
    // The pool is rebuilt all free, so no type keeps a chain.
    for (item_type& t : item_types) t.first_mod = -1;
    Free_Mod_Pool();
    Init_Mod_Free_List();
    mod_data.first_free = 1;
    for (CDataTree* tree : {&item_data_tree, &fixitem_data_tree, &char_data_tree}) tree->Find_Recycle_Bin();
    database_in_memory = 1;
    Hook_Trees_Replaced();
}
