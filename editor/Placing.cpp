#include "editor/Placing.h"

#include <algorithm>
#include <string>

#include "Objects/AIData.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/TypeTables.h"
#include "datafiles/Hooks.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "editor/FieldObjectList.h"
#include "editor/FixitemSlots.h"
#include "editor/PlacedObject.h"
#include "frontend/Controls.h"
#include "frontend/GameLoop.h"
#include "platform/Window.h"

namespace {

// The keyboard goes back to the tree the selection came from.
bool Focus_Selection_Tree() {
    EditorTree tree = EditorTree::FieldObjects;
    if (!selection_on_map) {
        switch (editor_selection.kind) {
            case OBJ_CHAR: tree = EditorTree::Chars; break;
            case OBJ_ITEM: tree = EditorTree::Items; break;
            default: tree = EditorTree::Fixitems; break;
        }
    }
    Editor_View().Focus_Tree(tree);
    return false;
}

// A refusal: the status line says why.
bool Refuse(const char* text) {
    Editor_Message(text);
    return Focus_Selection_Tree();
}

// The object's programs start (request 174).
void Activate(obj_ref obj) { Ask_Self(obj, REQ_ATTACHED); }

bool Occupied(std::uint16_t field) { return Ask_Self(Field_Head(field), REQ_ENTRY_COST) < 0; }

bool Fits(std::uint16_t field, std::uint8_t fill) {
    return Ask_Self(Field_Head(field), REQ_FIELD_COVER) + fill < FIELD_FULL;
}

bool Main_Char_Exists() { return main_char != NO_INDEX && Char_In_Use(main_char); }

// The facing the preview strip shows.
std::uint8_t Preview_Facing() { return static_cast<std::uint8_t>(std::clamp(preview_frame, 0, 5) + 1); }

std::uint8_t Preview_Frame_Byte() { return static_cast<std::uint8_t>(std::clamp(preview_frame, 0, 255)); }

// A character record copied for a new placed character keeps nothing that
// belongs to its original: no chain, no items, no path, no list link, no AI
// slot, no sprites of the run; it starts afresh on the game clock.
void Make_Own_Record(char_record& r) {
    r.flags = static_cast<std::uint16_t>(r.flags & ~CF_FREE);
    r.first_mod = NO_INDEX;
    for (int s = 0; s < CHAR_SLOTS; ++s) r.slots[s] = 0;
    r.body_sprite = 0;
    r.head_sprite = 0;
    r.ap_stamp = 0;
    r.path = 0;
    r.path_entry = 0;
    r.path_target = NOOBJ;
    r.offset_x = 0;
    r.offset_y = 0;
    r.ai_slot = NO_INDEX;
    r.link = Make_Obj(OBJ_NONE, NO_INDEX);
    r.facing = Preview_Facing();
}

// A new character record made from templ, with its sprites, on field.
std::uint16_t New_Placed_Char(const char_record& templ, std::uint16_t field) {
    const char_record copy = templ;  // templ may lie in the array that grows
    const std::uint16_t c = Alloc_Char();
    if (c == NO_INDEX) return NO_INDEX;
    char_record& r = chararray.records[c];
    r = copy;
    Make_Own_Record(r);
    Load_Char_Sprite(c);
    Load_Char_Head(r.head, c);
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, c), field);
    return c;
}

// The cells of a backpack item's footprint besides its top-left cell lead
// back to it; the copy gets those of the items it got.
void Copy_Footprint(const char_record& from, char_record& to, int top_left) {
    for (int k = top_left + 1; k < BACKPACK_SLOTS; ++k)
        if (from.slots[k] < 0 && k + from.slots[k] == top_left) to.slots[k] = from.slots[k];
}

// A character type's slots hold item types: each becomes a new item of the
// new character. A type that names no item type gives nothing.
void Give_Type_Items(std::uint16_t c, const char_record& type) {
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        const std::int16_t t = type.slots[s];
        if (t <= 0 || static_cast<std::size_t>(t) >= item_types.size()) continue;
        if (Create_Item_In_Char_Slot(static_cast<std::uint16_t>(t), c, s) == NO_INDEX) continue;
        if (s < BACKPACK_SLOTS) Copy_Footprint(type, chararray.records[c], s);
    }
}

// The items of a placed character, each as a new item with its modifiers;
// bodies are not copied.
void Copy_Char_Items(std::uint16_t from, std::uint16_t to) {
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        const std::int16_t v = chararray.records[from].slots[s];
        if (v <= 0) continue;
        const auto i = static_cast<std::uint16_t>(v);
        if (i >= itemarray.Capacity() || Item_Record_Is_Free(i)) continue;
        const item_record source = itemarray.records[i];
        if (source.type == ITEM_TYPE_DEAD_BODY || source.type >= item_types.size()) continue;
        const std::uint16_t n = New_Item_Of_Type(source.type);
        if (n == NO_INDEX) continue;
        itemarray.records[n].recognize = source.recognize;
        Copy_Modifiers(Make_Obj(OBJ_ITEM, i), Make_Obj(OBJ_ITEM, n));
        Put_Item_To_Char_Slot(to, n, s);
    }
}

// ---- From a database type ----

bool Place_Char_Type(std::uint16_t field, std::uint16_t type) {
    if (type >= char_data.size()) return false;
    if (Occupied(field)) return Refuse(TEXT_FIELD_OCCUPIED);
    if ((char_data[type].flags & CF_MAIN_CHAR) != 0 && Main_Char_Exists()) return Refuse(TEXT_ONLY_ONE_MAIN);
    const std::uint16_t c = New_Placed_Char(char_data[type], field);
    if (c == NO_INDEX) return false;
    const obj_ref who = Make_Obj(OBJ_CHAR, c);
    Give_Type_Items(c, char_data[type]);
    Apply_Owner_Mods(who, Make_Obj(OBJ_CHAR, type));
    Alloc_IQ_Slot(who);
    Activate(who);
    chararray.records[c].db_type = static_cast<std::int16_t>(type);
    Editor_List_Field_Objects(c, OBJ_CHAR);
    return true;
}

bool Place_Item_Type(std::uint16_t field, std::uint16_t type) {
    if (type == ITEM_TYPE_DEAD_BODY) return Refuse(TEXT_NO_CORPSE_INSERT);
    if (type == ITEM_TYPE_EMPTY || type >= item_types.size()) return false;
    const std::uint16_t i = Create_Item(type, field);
    if (i == NO_INDEX) return false;
    Activate(Make_Obj(OBJ_ITEM, i));
    Editor_List_Field_Objects(i, OBJ_ITEM);
    return true;
}

// A type that is not a ground type stands on the field.
bool Place_Fixitem_Type(std::uint16_t field, std::uint16_t d) {
    if (!Fits(field, fixitem_data[d].fill)) return Refuse(TEXT_TYPE_DOES_NOT_FIT);
    const std::int32_t slot = Add_Fixitem_Type_To_Map(d);
    if (slot < 0) return Focus_Selection_Tree();  // the table is full: said on the status line
    // Slot 0 is the field without a floor; a record of type 0 is a free one.
    if (slot == 0) return false;
    const std::uint16_t m = New_Map_Record();
    if (m == NO_INDEX) return false;
    map_record& r = maparray.records[m];
    r.type = static_cast<std::uint8_t>(slot);
    r.frame = Preview_Frame_Byte();
    r.hp = fixitem_types[slot].max_hp;
    r.first_mod = NO_INDEX;
    const obj_ref fix = Make_Obj(OBJ_FIXITEM, m);
    Put_Object_To_Field(fix, field);
    Apply_Owner_Mods(fix, Make_Obj(OBJ_FIXITEM, d));
    Activate(fix);
    Editor_List_Field_Objects(m, OBJ_FIXITEM);
    return true;
}

// A ground type becomes the field itself.
bool Place_Ground_Type(std::uint16_t field, std::uint16_t d) {
    const std::int32_t slot = Add_Fixitem_Type_To_Map(d);
    if (slot < 0) return Focus_Selection_Tree();  // the table is full: said on the status line
    const obj_ref head = Field_Head(field);
    Remove_All_Modifiers(head);
    map_record& r = maparray.records[field];
    r.type = static_cast<std::uint8_t>(slot);
    r.frame = Preview_Frame_Byte();
    r.hp = fixitem_types[slot].max_hp;
    Apply_Owner_Mods(head, Make_Obj(OBJ_FIXITEM, d));
    Activate(head);
    Editor_List_Field_Objects(field, OBJ_FIXITEM);
    return true;
}

// ---- A placed object ----

bool Place_Char(std::uint16_t field, std::uint16_t c, bool move) {
    const obj_ref who = Make_Obj(OBJ_CHAR, c);
    if (Placed_Object_Field(who) == field) {
        chararray.records[c].facing = Preview_Facing();
        return true;
    }
    if (Occupied(field)) return Refuse(TEXT_FIELD_OCCUPIED);
    if (move) {
        Remove_Object(who);
        Put_Object_To_Field(who, field);
        Activate(who);
        Editor_List_Field_Objects(c, OBJ_CHAR);
        return true;
    }
    if (Ask_Self(who, REQ_MAIN_CHAR) != 0) return Refuse(TEXT_NO_MAIN_COPY);
    const std::uint16_t n = New_Placed_Char(chararray.records[c], field);
    if (n == NO_INDEX) return false;
    const obj_ref copy = Make_Obj(OBJ_CHAR, n);
    Copy_Char_Items(c, n);
    Copy_Modifiers(who, copy);
    Alloc_IQ_Slot(copy);
    Activate(copy);
    Editor_List_Field_Objects(n, OBJ_CHAR);
    return true;
}

bool Place_Item(std::uint16_t field, std::uint16_t i, bool move) {
    const obj_ref item = Make_Obj(OBJ_ITEM, i);
    if (move) {
        Remove_Object(item);
        Put_Object_To_Field(item, field);
        Activate(item);
        Editor_List_Field_Objects(i, OBJ_ITEM);
        return true;
    }
    const item_record source = itemarray.records[i];
    if (source.type == ITEM_TYPE_DEAD_BODY) return Refuse(TEXT_NO_CORPSE_COPY);
    if (source.type >= item_types.size()) return false;
    const std::uint16_t n = New_Item_Of_Type(source.type);
    if (n == NO_INDEX) return false;
    itemarray.records[n].recognize = source.recognize;
    const obj_ref copy = Make_Obj(OBJ_ITEM, n);
    Put_Object_To_Field(copy, field);
    Copy_Modifiers(item, copy);
    Activate(copy);
    Editor_List_Field_Objects(n, OBJ_ITEM);
    return true;
}

bool Place_Fixitem(std::uint16_t field, std::uint16_t m, bool move) {
    const obj_ref fix = Make_Obj(OBJ_FIXITEM, m);
    if (Placed_Object_Field(fix) == field) {
        maparray.records[m].frame = Preview_Frame_Byte();
        return true;
    }
    if (!Fits(field, fixitem_types[maparray.records[m].type].fill)) return Refuse(TEXT_FIXITEM_DOES_NOT_FIT);
    if (move) {
        maparray.records[m].frame = Preview_Frame_Byte();
        Remove_Object(fix);
        Put_Object_To_Field(fix, field);
        Activate(fix);
        Editor_List_Field_Objects(m, OBJ_FIXITEM);
        return true;
    }
    const map_record source = maparray.records[m];
    const std::uint16_t n = New_Map_Record();
    if (n == NO_INDEX) return false;
    map_record& r = maparray.records[n];
    r.type = source.type;
    r.hp = source.hp;
    r.frame = Preview_Frame_Byte();
    r.first_mod = NO_INDEX;
    const obj_ref copy = Make_Obj(OBJ_FIXITEM, n);
    Put_Object_To_Field(copy, field);
    Copy_Modifiers(fix, copy);
    Activate(copy);
    Editor_List_Field_Objects(n, OBJ_FIXITEM);
    return true;
}

// The modifiers of a chain belong to another owner.
void Reown_Chain(std::uint16_t head, obj_ref owner) {
    For_Each_In_Chain(head, [&](std::uint16_t m) { mod_array.records[m].owner = owner; });
}

bool Place_Field_Head(std::uint16_t field, std::uint16_t from, bool move) {
    map_record& target = maparray.records[field];
    if (from == field) {
        target.frame = Preview_Frame_Byte();
        return true;
    }
    const obj_ref head = Field_Head(field);
    const map_record source = maparray.records[from];
    if (move) {
        // The source's modifiers go with it to the target, which gives up its
        // own; the source is left a plain field without a floor.
        Clear_Field_Head(field);
        target.type = source.type;
        target.hp = source.hp;
        target.frame = Preview_Frame_Byte();
        target.first_mod = source.first_mod;
        Reown_Chain(source.first_mod, head);
        maparray.records[from].first_mod = NO_INDEX;
        Clear_Field_Head(from);
        editor_selection.index = field;
    } else {
        Remove_All_Modifiers(head);
        target.type = source.type;
        target.hp = source.hp;
        target.frame = Preview_Frame_Byte();
        Copy_Modifiers(Field_Head(from), head);
    }
    Activate(head);
    Editor_List_Field_Objects(field, OBJ_FIXITEM);
    return true;
}

}  // namespace

bool Place_Database_Type(std::uint16_t field) {
    const std::uint16_t i = editor_selection.index;
    switch (editor_selection.kind) {
        case OBJ_CHAR: return Place_Char_Type(field, i);
        case OBJ_ITEM: return Place_Item_Type(field, i);
        case OBJ_FIXITEM:
            if (i >= fixitem_data.size()) return false;
            return (fixitem_data[i].flags & FIX_GROUND) != 0 ? Place_Ground_Type(field, i)
                                                             : Place_Fixitem_Type(field, i);
        default: return false;
    }
}

bool Place_Placed_Object(std::uint16_t field, bool move) {
    const obj_ref obj = Selected_Object();
    if (!Placed_Object_Valid(obj)) return false;
    const std::uint16_t i = editor_selection.index;
    switch (editor_selection.kind) {
        case OBJ_CHAR: return Place_Char(field, i, move);
        case OBJ_ITEM: return Place_Item(field, i, move);
        case OBJ_FIXITEM: return i < total_fields ? Place_Field_Head(field, i, move) : Place_Fixitem(field, i, move);
        default: return false;
    }
}

void Editor_Place_Object_Handler(std::uint32_t flags, int event) {
    const bool on_map = cursor_field != NO_FIELD && cursor_field < total_fields;
    Editor_View().Show_Map_Index(std::to_string(on_map ? static_cast<int>(cursor_field) : -1));
    if (!on_map || event == EVENT_HOVER) return;
    if (event == EVENT_RIGHT_CLICK) {
        Editor_List_Field_Objects(cursor_field, OBJ_FIXITEM);
        return;
    }
    if (event != EVENT_CLICK) return;
    const std::uint16_t field = cursor_field;
    if (selection_on_map)
        Place_Placed_Object(field, (flags & MK_SHIFT) != 0);
    else
        Place_Database_Type(field);
    redraw_request = 1;
}
