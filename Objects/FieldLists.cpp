#include "Objects/FieldLists.h"

#include "Objects/AIData.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/ObserverGrid.h"
#include "Objects/SpriteInfo.h"
#include "System/ErrorReport.h"

namespace {

constexpr obj_ref END_OF_NOTHING = Make_Obj(OBJ_NONE, NO_INDEX);

// Whether obj names a record that has a link word.
bool Has_Link(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: return i < mapanim.Capacity();
        case OBJ_CHAR: return i < chararray.Capacity();
        case OBJ_ITEM: return i < itemarray.Capacity();
        case OBJ_FIXITEM: return i < maparray.Capacity();
        default: return false;
    }
}

// The link of an object known to have one.
obj_ref Link(obj_ref obj) {
    obj_ref link = Make_Obj(OBJ_NONE, NO_INDEX);
    Object_Link(obj, link);
    return link;
}

// The draw layer of an object's sprite; false for a kind without one.
bool Object_Layer(obj_ref obj, int& layer) {
    std::uint16_t kind = Obj_Kind(obj);
    if (kind != OBJ_MAPANIM && kind != OBJ_CHAR && kind != OBJ_ITEM && kind != OBJ_FIXITEM) return false;
    if (!Has_Link(obj)) return false;
    layer = Sprite_Layer(Object_Sprite(obj));
    return true;
}

// Follows links from obj to the end marker and returns its field, or
// NO_FIELD when the walk leaves the arrays or does not end.
std::uint16_t End_Marker_Field(obj_ref obj) {
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        if (Obj_Kind(obj) == OBJ_NONE) return Obj_Index(obj);
        if (!Object_Link(obj, obj)) return NO_FIELD;
    }
    Error_Query_Quit("Field list does not end");
    return NO_FIELD;
}

void Place_Object_On(obj_ref obj, std::uint16_t field) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_CHAR: {
            char_record& c = chararray.records[i];
            c.x = static_cast<std::int16_t>(Field_X(field));
            c.y = static_cast<std::int16_t>(Field_Y(field));
            c.map_level = static_cast<std::int16_t>(Field_Level(field));
            Observer_Grid_Moved(obj);
            break;
        }
        case OBJ_ITEM: itemarray.records[i].owner = Make_Obj(OBJ_FIXITEM, field); break;
        case OBJ_FIXITEM:
            if (fixitem_types[maparray.records[i].type].flags & FIX_ANIMATED) {
                int last = static_cast<int>(Max_Frame(obj)) - 1;
                Start_Object_Anim_Loop(obj, 0, static_cast<std::int8_t>(last < 0 ? 0 : last), 1, 0);
            }
            break;
        default: break;
    }
}

}  // namespace

std::uint32_t Field_List_Limit() {
    return static_cast<std::uint32_t>(maparray.Capacity()) + chararray.Capacity() + itemarray.Capacity() +
           mapanim.Capacity() + 1;
}

bool Object_Link(obj_ref obj, obj_ref& link) {
    std::uint16_t i = Obj_Index(obj);
    if (!Has_Link(obj)) return false;
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: link = mapanim.records[i].link; return true;
        case OBJ_CHAR: link = chararray.records[i].link; return true;
        case OBJ_ITEM: link = itemarray.records[i].link; return true;
        default: link = maparray.records[i].link; return true;
    }
}

bool Set_Object_Link(obj_ref obj, obj_ref link) {
    std::uint16_t i = Obj_Index(obj);
    if (!Has_Link(obj)) return false;
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: mapanim.records[i].link = link; return true;
        case OBJ_CHAR: chararray.records[i].link = link; return true;
        case OBJ_ITEM: itemarray.records[i].link = link; return true;
        default: maparray.records[i].link = link; return true;
    }
}

std::uint32_t Object_Sprite(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: return i < mapanim.Capacity() ? anim_types[mapanim.records[i].type].sprite : 0;
        case OBJ_CHAR: return i < chararray.Capacity() ? chararray.records[i].body_sprite : 0;
        case OBJ_ITEM: return mitems_sprite;
        case OBJ_FIXITEM: return i < maparray.Capacity() ? fixitem_types[maparray.records[i].type].sprite : 0;
        default: return 0;
    }
}

void Next_Object(obj_ref& ref) {
    if (!Object_Link(ref, ref)) {
        Error_Query_Quit("Invalid obj type in Next_Object");
        ref = END_OF_NOTHING;
    }
}

void Next_Object_No_Anim(obj_ref& ref) {
    Next_Object(ref);
    if (Obj_Kind(ref) != OBJ_MAPANIM) return;
    // Map animations are rare: the bound of the walk is found only for them.
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 1; steps <= limit; ++steps) {
        Next_Object(ref);
        if (Obj_Kind(ref) != OBJ_MAPANIM) return;
    }
}

std::uint16_t Object_Field(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM:
        case OBJ_FIXITEM: return End_Marker_Field(obj);
        case OBJ_CHAR: {
            if (i >= chararray.Capacity()) return NO_FIELD;
            return Char_Record_Field(chararray.records[i]);
        }
        case OBJ_ITEM: {
            if (i >= itemarray.Capacity()) return NO_FIELD;
            obj_ref owner = itemarray.records[i].owner;
            if (Obj_Kind(owner) == OBJ_CHAR) return Object_Field(Make_Obj(OBJ_CHAR, Obj_Index(owner)));
            if (Obj_Kind(owner) == OBJ_FIXITEM) return End_Marker_Field(Make_Obj(OBJ_FIXITEM, Obj_Index(owner)));
            Error_Query_Quit("Item has no valid owner!");
            return NO_FIELD;
        }
        default: return NO_FIELD;
    }
}

void Put_Object_To_Field(obj_ref obj, std::uint16_t field) {
    if (field >= total_fields) {
        Error_Query_Quit("Non field-head in Put_Object_To_Field");
        return;
    }
    int layer = 0;
    if (!Object_Layer(obj, layer)) {
        Error_Query_Quit("Invalid obj type in put-object-into-field");
        return;
    }
    obj_ref prev = Make_Obj(OBJ_FIXITEM, field);
    obj_ref cur = maparray.records[field].link;
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; Obj_Kind(cur) != OBJ_NONE; ++steps) {
        if (steps > limit) {
            Error_Query_Quit("Field list does not end");
            return;
        }
        if (cur == obj) {
            // Already on this field: take it out first, so the list never loops.
            Set_Object_Link(prev, Link(cur));
            cur = Link(prev);
            continue;
        }
        int cur_layer = 0;
        if (!Object_Layer(cur, cur_layer)) {
            Error_Query_Quit("Invalid nextobj type in put-object-into-field");
            return;
        }
        if (layer < cur_layer) break;
        prev = cur;
        cur = Link(cur);
    }
    if (!Set_Object_Link(prev, obj)) {
        Error_Query_Quit("Invalid parent type in put-object-into-field");
        return;
    }
    if (!Set_Object_Link(obj, cur)) {
        Error_Query_Quit("Invalid object type in put-object-into-field");
        return;
    }
    Place_Object_On(obj, field);
}

void Delete_Object_From_Field(std::uint16_t kind, std::uint16_t index, std::uint16_t field) {
    if (field == NO_FIELD) return;
    if (field >= total_fields) {
        Error_Query_Quit("Delete object from not field-head position");
        return;
    }
    const obj_ref obj = Make_Obj(kind, index);
    obj_ref prev = Make_Obj(OBJ_FIXITEM, field);
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        obj_ref cur;
        if (!Object_Link(prev, cur)) {
            Error_Query_Quit("Invalid parent type in delete-object-from-field");
            return;
        }
        if (Obj_Kind(cur) == OBJ_NONE) return;
        obj_ref after;
        if (!Object_Link(cur, after)) {
            Error_Query_Quit("Invalid delobj type in delete-object-from-field");
            return;
        }
        if (cur == obj) {
            Set_Object_Link(prev, after);
            if (kind == OBJ_ITEM) itemarray.records[index].owner = NOOBJ;
        } else {
            prev = cur;
        }
    }
    Error_Query_Quit("Field list does not end");
}

void Remove_Object(obj_ref obj) {
    if (Obj_Kind(obj) == OBJ_ITEM && Obj_Index(obj) < itemarray.Capacity()) {
        obj_ref owner = itemarray.records[Obj_Index(obj)].owner;
        if (Obj_Kind(owner) == OBJ_CHAR) {
            Remove_Item_From_Char(Obj_Index(owner), Obj_Index(obj));
            return;
        }
    }
    obj_ref link;
    if (!Object_Link(obj, link)) return;
    std::uint16_t field = End_Marker_Field(link);
    Delete_Object_From_Field(Obj_Kind(obj), Obj_Index(obj), field);
}

void Destroy_Object(obj_ref obj) {
    std::uint16_t kind = Obj_Kind(obj);
    std::uint16_t i = Obj_Index(obj);
    if (!Has_Link(obj)) {
        Error_Query_Quit("Invalid obj type in Destroy_Object");
        return;
    }
    if (kind != OBJ_MAPANIM) Remove_All_Modifiers(obj);
    switch (kind) {
        case OBJ_ITEM:
            Remove_Object(obj);
            Delete_Item_Record(i);
            break;
        case OBJ_FIXITEM:
            Remove_Object(obj);
            Delete_Map_Record(i);
            break;
        case OBJ_CHAR:
            Delete_Char_Items(i);
            Free_IQ_Slot(chararray.records[i].ai_slot);
            Remove_Object(obj);
            Free_Char(i);
            break;
        case OBJ_MAPANIM:
            Remove_Object(obj);
            Delete_MapAnim(i);
            break;
        default: break;
    }
}

void Replace_Item_On_Field(std::uint16_t a, std::uint16_t b, std::uint16_t field) {
    if (field == NO_FIELD) return;
    if (field >= total_fields || a >= itemarray.Capacity() || b >= itemarray.Capacity()) {
        Error_Query_Quit("Invalid index in Replace_Item_On_Field");
        return;
    }
    const obj_ref item_a = Make_Obj(OBJ_ITEM, a);
    obj_ref prev = Make_Obj(OBJ_FIXITEM, field);
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        obj_ref cur = Link(prev);
        if (Obj_Kind(cur) == OBJ_NONE || !Has_Link(cur)) return;
        if (cur == item_a) {
            item_record& ra = itemarray.records[a];
            item_record& rb = itemarray.records[b];
            rb.link = ra.link;
            rb.owner = Make_Obj(OBJ_FIXITEM, field);
            Set_Object_Link(prev, Make_Obj(OBJ_ITEM, b));
            ra.link = END_OF_NOTHING;
            ra.owner = NOOBJ;
            return;
        }
        prev = cur;
    }
}

void Relink_Field_Parents() {
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t f = 0; f < total_fields && f < maparray.Capacity(); ++f) {
        obj_ref last = Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(f));
        for (std::uint32_t steps = 0; steps <= limit; ++steps) {
            obj_ref next;
            if (!Object_Link(last, next)) break;
            if (Obj_Kind(next) == OBJ_NONE) {
                Set_Object_Link(last, Make_Obj(OBJ_NONE, static_cast<std::uint16_t>(f)));
                break;
            }
            last = next;
        }
    }
}

void Clear_Field_Head(std::uint16_t field) {
    if (field >= total_fields || field >= maparray.Capacity()) return;
    Remove_All_Modifiers(Make_Obj(OBJ_FIXITEM, field));
    map_record& r = maparray.records[field];
    r.type = 0;
    r.frame = 0;
    r.hp = 0;
    r.first_mod = NO_INDEX;
}

std::uint16_t Get_Mod_Index(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: return NO_INDEX;
        case OBJ_CHAR:
            if (i < chararray.Capacity()) return chararray.records[i].first_mod;
            break;
        case OBJ_ITEM:
            if (i < itemarray.Capacity()) return itemarray.records[i].first_mod;
            break;
        case OBJ_FIXITEM:
            if (i < maparray.Capacity()) return maparray.records[i].first_mod;
            break;
        default: break;
    }
    Error_Query_Quit("Invalid obj type in Get_Mod_Index");
    return NO_INDEX;
}

void Set_Mod_Index(obj_ref obj, std::uint16_t index) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: Error_Query_Quit("Anim type in Set_Mod_Index"); return;
        case OBJ_CHAR:
            if (i < chararray.Capacity()) {
                chararray.records[i].first_mod = index;
                return;
            }
            break;
        case OBJ_ITEM:
            if (i < itemarray.Capacity()) {
                itemarray.records[i].first_mod = index;
                return;
            }
            break;
        case OBJ_FIXITEM:
            if (i < maparray.Capacity()) {
                maparray.records[i].first_mod = index;
                return;
            }
            break;
        default: break;
    }
    Error_Query_Quit("Invalid obj type in Set_Mod_Index");
}

std::int8_t Anim_Frame(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM:
            if (i < mapanim.Capacity()) return static_cast<std::int8_t>(mapanim.records[i].frame);
            break;
        case OBJ_CHAR:
            if (i < chararray.Capacity()) return chararray.records[i].frame;
            break;
        case OBJ_ITEM: return 0;
        case OBJ_FIXITEM:
            if (i < maparray.Capacity()) return static_cast<std::int8_t>(maparray.records[i].frame);
            break;
        default: break;
    }
    Error_Query_Quit("Invalid obj type in Anim_Frame");
    return 0;
}

std::uint16_t Max_Frame(obj_ref obj) {
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM:
        case OBJ_CHAR:
        case OBJ_FIXITEM:
            if (Has_Link(obj)) return static_cast<std::uint16_t>(Sprite_Frame_Count(Object_Sprite(obj)));
            break;
        case OBJ_ITEM: return 0;
        default: break;
    }
    Error_Query_Quit("Invalid obj type in Max_Frame");
    return 0;
}

int Fixitem_Get_Worse(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    if (Obj_Kind(obj) != OBJ_FIXITEM || i >= maparray.Capacity()) {
        Error_Query_Quit("non-fixitem try to be getting worse");
        return 0;
    }
    map_record& r = maparray.records[i];
    std::uint8_t worse = fixitem_types[r.type].amortized;
    if (worse != 0) {
        r.type = worse;
        if (r.frame >= Sprite_Frame_Count(fixitem_types[worse].sprite)) r.frame = 0;
        return 1;
    }
    if (i >= total_fields) {
        Destroy_Object(obj);
        return 1;
    }
    return 0;
}

void Start_Fixitem_Anims() {
    maparray.For_Each_Used([](std::uint16_t i) {
        if ((fixitem_types[maparray.records[i].type].flags & FIX_ANIMATED) == 0) return;
        obj_ref obj = Make_Obj(OBJ_FIXITEM, i);
        int last = static_cast<int>(Max_Frame(obj)) - 1;
        Start_Object_Anim_Loop(obj, 0, static_cast<std::int8_t>(last < 0 ? 0 : last), 1, 0);
    });
}
