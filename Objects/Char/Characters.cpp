#include "Objects/Char/Characters.h"

#include <algorithm>
#include <cstring>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

CharArray chararray;

namespace {

// A copied record keeps nothing that belongs to its original: its chain,
// its items, its stored path and its field link are the original's.
void Make_Own_Record(char_record& r) {
    r.flags = static_cast<std::uint16_t>(r.flags & ~CF_FREE);
    r.first_mod = NO_INDEX;
    for (int s = 0; s < CHAR_SLOTS; ++s) r.slots[s] = 0;
    r.path = 0;
    r.path_entry = 0;
    r.path_target = NOOBJ;
    r.ai_slot = NO_INDEX;
    r.link = Make_Obj(OBJ_NONE, NO_INDEX);
}

}  // namespace

std::string Char_Name(const char_record& r) { return std::string(r.name, strnlen(r.name, sizeof r.name)); }

void Init_Char_Array(std::uint16_t n) {
    Clear_Selection();
    player_count = 0;
    Free_Char_Array();
    const std::uint32_t capacity = std::min<std::uint32_t>(n + CHAR_ARRAY_STEP, RECORD_ARRAY_LIMIT);
    if (!chararray.Allocate_Or_Fatal(capacity, "Can't allocate memory for characters!")) return;
    chararray.Chain_Free(n, chararray.Capacity());
}

std::uint16_t Alloc_Char() { return chararray.New_Or_Report("Can't realloc chararray!"); }

void Free_Char(std::uint16_t c) {
    if (!Char_In_Use(c)) {
        Error_Query_Quit("Free character out of array!");
        return;
    }
    Stop_Object_Anims(OBJ_CHAR, c);
    Free_Char_Path(c);
    // A target list held for an act the character never carried out.
    Drop_Held_Target_Lists(Make_Obj(OBJ_CHAR, c));
    chararray.Push(c);
}

void Free_Char_Array() {
    for (std::uint32_t c = 0; c < chararray.Capacity(); ++c)
        if (chararray.records[c].path != 0) Free_Char_Path(static_cast<std::uint16_t>(c));
    Drop_All_Held_Target_Lists();
    Drop_Held_Act_Paths();
    chararray.Release();
}

int Create_Char(std::uint16_t field, std::uint8_t facing, const char_record& templ, std::uint8_t lobby) {
    if (field >= total_fields) {
        Error_Query_Quit("Invalid field in Create_Char");
        return 0;
    }
    if (Object_Request(NOOBJ, Make_Obj(OBJ_FIXITEM, field), 0, REQ_ENTRY_COST, 0) < 0) return 0;
    std::uint16_t c = Alloc_Char();
    if (c == NO_INDEX) return 0;
    char_record& r = chararray.records[c];
    r = templ;
    Make_Own_Record(r);
    Load_Char_Sprite(c);
    Load_Char_Head(r.head, c);
    r.lobby = lobby;
    r.facing = facing;
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, c), field);
    Alloc_IQ_Slot(Make_Obj(OBJ_CHAR, c));
    return 1;
}

std::uint16_t Create_Item_In_Char_Slot(std::uint16_t type, std::uint16_t c, int slot) {
    if (!Char_In_Use(c) || slot < 0 || slot >= CHAR_SLOTS || type >= item_types.size()) {
        Error_Query_Quit("Invalid character slot");
        return NO_INDEX;
    }
    if (chararray.records[c].slots[slot] != 0) {
        Error_Query_Quit("Character slot is not empty");
        return NO_INDEX;
    }
    const std::uint16_t i = New_Item_Of_Type(type);
    if (i == NO_INDEX) return NO_INDEX;
    item_record& it = itemarray.records[i];
    it.owner = Make_Obj(OBJ_CHAR, c);
    it.link = Make_Obj(OBJ_NONE, NO_INDEX);
    chararray.records[c].slots[slot] = static_cast<std::int16_t>(i);
    Give_Type_Modifiers(i);
    return i;
}

void Delete_Char_Items(std::uint16_t c) {
    if (c >= chararray.Capacity()) return;
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        std::int16_t item = chararray.records[c].slots[s];
        if (item <= 0) continue;
        chararray.records[c].slots[s] = 0;
        std::uint16_t i = static_cast<std::uint16_t>(item);
        if (i >= itemarray.Capacity() || Item_Record_Is_Free(i)) {
            Error_Query_Quit("Invalid item index");
            continue;
        }
        Remove_All_Modifiers(Make_Obj(OBJ_ITEM, i));
        Delete_Item_Record(i);
    }
}

std::uint16_t Char_Slot_Item(std::uint16_t c, int slot) {
    if (c >= chararray.Capacity() || slot < 0 || slot >= CHAR_SLOTS) return 0;
    std::int16_t item = chararray.records[c].slots[slot];
    if (item <= 0) return 0;
    std::uint16_t i = static_cast<std::uint16_t>(item);
    if (i >= itemarray.Capacity() || Item_Record_Is_Free(i)) {
        Error_Query_Quit("Invalid item index");
        return 0;
    }
    return i;
}

std::uint16_t Char_On_Field(std::uint16_t field) {
    if (field >= total_fields) return NO_INDEX;
    obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        Next_Object_No_Anim(cur);
        if (Obj_Kind(cur) == OBJ_NONE) return NO_INDEX;
        if (Obj_Kind(cur) == OBJ_CHAR) return Obj_Index(cur);
    }
    return NO_INDEX;
}
