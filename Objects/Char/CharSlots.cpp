#include "Objects/Char/CharSlots.h"

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

namespace {

void Item_Footprint(std::uint16_t item, int& width, int& height) {
    width = 1;
    height = 1;
    if (const item_type* t = Item_Type_Of(item)) {
        width = t->size >> 4;
        height = t->size & 0x0F;
    }
    if (width < 1) width = 1;
    if (height < 1) height = 1;
}

// Writes value into every cell of the footprint that lies inside the
// backpack; the top-left cell gets top_left.
void Write_Footprint(char_record& r, int cell, int width, int height, std::int16_t top_left, bool clear) {
    int column = cell % BACKPACK_COLUMNS;
    int row = cell / BACKPACK_COLUMNS;
    for (int dy = 0; dy < height; ++dy) {
        for (int dx = 0; dx < width; ++dx) {
            if (column + dx >= BACKPACK_COLUMNS || row + dy >= BACKPACK_ROWS) continue;
            int at = cell + dx + BACKPACK_COLUMNS * dy;
            std::int16_t value = (dx == 0 && dy == 0) ? top_left : static_cast<std::int16_t>(-(dx + 8 * dy));
            r.slots[at] = clear ? 0 : value;
        }
    }
}

}  // namespace

void Remove_Item_From_Char(std::uint16_t c, std::uint16_t item) {
    if (c >= chararray.Capacity() || item == 0 || item >= itemarray.Capacity()) return;
    char_record& r = chararray.records[c];
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        if (r.slots[s] != static_cast<std::int16_t>(item)) continue;
        if (s < BACKPACK_SLOTS) {
            int width, height;
            Item_Footprint(item, width, height);
            Write_Footprint(r, s, width, height, 0, true);
        } else {
            Object_Request(Make_Obj(OBJ_CHAR, c), Make_Obj(OBJ_ITEM, item), 0, REQ_UNEQUIP, NO_VALUE);
            chararray.records[c].slots[s] = 0;
        }
        item_record& it = itemarray.records[item];
        it.owner = Make_Obj(OBJ_NONE, Obj_Index(it.owner));
        return;
    }
}

void Put_Item_To_Char_Slot(std::uint16_t c, std::uint16_t item, int slot) {
    if (c >= chararray.Capacity() || item == 0 || item >= itemarray.Capacity() || slot < 0 ||
        slot >= CHAR_SLOTS) {
        Error_Query_Quit("Invalid character slot");
        return;
    }
    item_record& it = itemarray.records[item];
    it.link = Make_Obj(OBJ_NONE, Obj_Index(it.link));
    it.owner = Make_Obj(OBJ_CHAR, c);
    char_record& r = chararray.records[c];
    if (slot < BACKPACK_SLOTS) {
        int width, height;
        Item_Footprint(item, width, height);
        Write_Footprint(r, slot, width, height, static_cast<std::int16_t>(item), false);
    } else {
        r.slots[slot] = static_cast<std::int16_t>(item);
        Object_Request(Make_Obj(OBJ_CHAR, c), Make_Obj(OBJ_ITEM, item), 0, REQ_EQUIP, NO_VALUE);
    }
}
