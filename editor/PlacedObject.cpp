#include "editor/PlacedObject.h"

#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/TypeTables.h"

bool Placed_Object_Valid(obj_ref obj) {
    const std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_CHAR: return Char_In_Use(i);
        case OBJ_ITEM:
            return i != 0 && i < itemarray.Capacity() && !Item_Record_Is_Free(i) &&
                   Obj_Kind(itemarray.records[i].owner) == OBJ_FIXITEM;
        case OBJ_FIXITEM: return i < maparray.Capacity() && (i < total_fields || !Map_Record_Is_Free(i));
        default: return false;
    }
}

std::uint16_t Placed_Object_Field(obj_ref obj) {
    if (!Placed_Object_Valid(obj)) return NO_FIELD;
    if (Is_Field_Head(obj)) return Obj_Index(obj);
    const std::uint16_t field = Object_Field(obj);
    return field < total_fields ? field : NO_FIELD;
}

std::int32_t Slot_Database_Type(std::uint8_t slot) {
    const std::int16_t d = fixitem_types[slot].db_index;
    return d >= 0 && static_cast<std::size_t>(d) < fixitem_data_ext.size() ? d : -1;
}

std::uint8_t Fixitem_Slot_Of(std::uint16_t record) {
    return record < maparray.Capacity() ? maparray.records[record].type : 0;
}

std::string Placed_Object_Name(obj_ref obj) {
    const std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_CHAR: return Char_In_Use(i) ? Char_Name(chararray.records[i]) : std::string();
        case OBJ_ITEM: {
            if (i >= itemarray.Capacity()) return {};
            const std::uint16_t type = itemarray.records[i].type;
            if (type >= item_types.size()) return {};
            const item_type& t = item_types[type];
            return std::string(t.name, strnlen(t.name, sizeof t.name));
        }
        case OBJ_FIXITEM: {
            const std::int32_t d = Slot_Database_Type(Fixitem_Slot_Of(i));
            if (d < 0) return {};
            const fixitem_ext& e = fixitem_data_ext[static_cast<std::size_t>(d)];
            return std::string(e.name, strnlen(e.name, sizeof e.name));
        }
        default: return {};
    }
}
