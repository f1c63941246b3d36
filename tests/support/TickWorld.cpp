#include "support/TickWorld.h"

#include <map>
#include <set>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/ObserverGrid.h"
#include "Objects/Request.h"
#include "support/ActWorld.h"
#include "support/WorldBuilder.h"

namespace fixture {

namespace {

std::string Name(obj_ref o) {
    static const char* const kinds[] = {"none", "anim", "char", "item", "bad", "fix"};
    return std::string(kinds[Obj_Kind(o) < 6 ? Obj_Kind(o) : 4]) + std::to_string(Obj_Index(o));
}

bool Active(std::uint16_t c) {
    const obj_ref who = Char_Ref(c);
    return Object_Request(who, who, 0, REQ_ACTIVE, 0) != 0;
}

bool Valid_State(std::uint16_t s) { return s <= CS_ITEM_ACT || s == CS_SUSPENDED; }

// Walks every field list; reports lists that do not end, objects that are
// not in use or stand in two lists, and characters whose position is not
// their field. Fills where each object stands.
void Check_Field_Lists(std::vector<std::string>& out, std::map<obj_ref, std::uint16_t>& standing) {
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t f = 0; f < total_fields; ++f) {
        obj_ref cur = Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(f));
        std::uint32_t steps = 0;
        for (; steps <= limit; ++steps) {
            obj_ref link = NOOBJ;
            if (!Object_Link(cur, link)) {
                out.push_back("field " + std::to_string(f) + ": bad object " + Name(cur));
                break;
            }
            cur = link;
            if (Obj_Kind(cur) == OBJ_NONE) {
                if (Obj_Index(cur) != f) out.push_back("field " + std::to_string(f) + ": ends at another field");
                break;
            }
            if (Obj_Kind(cur) == OBJ_MAPANIM) continue;
            if (standing.count(cur)) out.push_back(Name(cur) + " stands on two fields");
            standing[cur] = static_cast<std::uint16_t>(f);
            if (Obj_Kind(cur) == OBJ_CHAR) {
                const std::uint16_t c = Obj_Index(cur);
                if (!Char_In_Use(c))
                    out.push_back("field " + std::to_string(f) + ": free character " + Name(cur));
                else if (Object_Field(cur) != f)
                    out.push_back(Name(cur) + " listed on field " + std::to_string(f) + " but stands elsewhere");
            }
            if (Obj_Kind(cur) == OBJ_ITEM && Item_Record_Is_Free(Obj_Index(cur)))
                out.push_back("field " + std::to_string(f) + ": free item " + Name(cur));
        }
        if (steps > limit) out.push_back("field " + std::to_string(f) + ": list does not end");
    }
}

void Check_Characters(std::vector<std::string>& out, const std::map<obj_ref, std::uint16_t>& standing) {
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        if (!Char_In_Use(c)) continue;
        const char_record& r = chararray.records[c];
        const std::string who = Name(Char_Ref(c));
        if (!Valid_State(r.state)) out.push_back(who + ": state " + std::to_string(r.state));
        if (r.facing < 1 || r.facing > 6) out.push_back(who + ": facing " + std::to_string(r.facing));
        if (!IQ_Slot_In_Use(r.ai_slot) || iqarray.records[r.ai_slot].object != Char_Ref(c))
            out.push_back(who + ": AI slot does not name it");
        const bool listed = standing.count(Char_Ref(c)) != 0;
        if (Active(c) && !listed) out.push_back(who + ": active but on no field");
        if (!Active(c) && listed) out.push_back(who + ": down but still on a field");
        if (r.x < 0 || r.y < 0 || r.map_level < 0 || static_cast<std::uint32_t>(r.x) >= map_width ||
            static_cast<std::uint32_t>(r.y) >= map_height || static_cast<std::uint32_t>(r.map_level) >= map_levels)
            out.push_back(who + ": off the map");
        if (r.state == CS_STEPPING && ((r.act & 0xFFFF) >= total_fields || r.target > STEP_DONE))
            out.push_back(who + ": bad step");
        if (const std::vector<std::uint32_t>* p = Char_Path(c))
            if (r.path_entry >= p->size()) out.push_back(who + ": path entry beyond its path");
        for (int s = 0; s < CHAR_SLOTS; ++s) {
            const std::int16_t item = r.slots[s];
            if (item <= 0) continue;
            const std::uint16_t i = static_cast<std::uint16_t>(item);
            if (i >= itemarray.Capacity() || Item_Record_Is_Free(i) || itemarray.records[i].owner != Char_Ref(c))
                out.push_back(who + ": slot " + std::to_string(s) + " holds an item it does not own");
        }
    }
}

void Check_Acts(std::vector<std::string>& out) {
    std::vector<std::uint8_t> seen(actarray.Capacity(), 0);
    auto walk = [&](std::uint16_t head, const std::string& what, bool free_list) {
        std::uint16_t a = head;
        const std::uint16_t end = free_list ? actarray.Capacity() : NO_INDEX;
        for (std::uint32_t n = 0; a != end; ++n) {
            if (a >= actarray.Capacity() || n > actarray.Capacity()) {
                out.push_back(what + ": act chain leaves the pool or loops");
                return;
            }
            if (seen[a]++) {
                out.push_back(what + ": act " + std::to_string(a) + " is in two lists");
                return;
            }
            a = actarray.records[a].next;
        }
    };
    for (std::uint16_t s = 0; s < iqarray.used; ++s) {
        if (!IQ_Slot_In_Use(s)) continue;
        walk(iqarray.records[s].first_act, "slot " + std::to_string(s), false);
        const obj_ref o = iqarray.records[s].object;
        if (Obj_Kind(o) == OBJ_CHAR && (!Char_In_Use(Obj_Index(o)) || chararray.records[Obj_Index(o)].ai_slot != s))
            out.push_back("slot " + std::to_string(s) + ": its character does not name it");
    }
    walk(actarray.first_free, "free acts", true);
    for (std::uint16_t a = 0; a < actarray.Capacity(); ++a)
        if (!seen[a]) out.push_back("act " + std::to_string(a) + " is lost");
    for (std::uint16_t i = 0; i < iqarray.free_count; ++i)
        if (IQ_Slot_In_Use(iqarray.free_stack[i])) out.push_back("a free slot is in use");
}

void Check_Items(std::vector<std::string>& out, const std::map<obj_ref, std::uint16_t>& standing) {
    for (std::uint16_t i = 1; i < itemarray.Capacity(); ++i) {
        if (Item_Record_Is_Free(i)) continue;
        const obj_ref owner = itemarray.records[i].owner;
        const std::string what = Name(Item_Ref(i));
        if (Obj_Kind(owner) == OBJ_CHAR) {
            bool held = false;
            if (Char_In_Use(Obj_Index(owner)))
                for (int s = 0; s < CHAR_SLOTS; ++s) held = held || chararray.records[Obj_Index(owner)].slots[s] == i;
            if (!held) out.push_back(what + ": its owner does not hold it");
        } else if (Obj_Kind(owner) == OBJ_FIXITEM) {
            auto it = standing.find(Item_Ref(i));
            if (it == standing.end() || it->second != Obj_Index(owner)) out.push_back(what + ": not on its field");
        } else {
            out.push_back(what + ": no owner");
        }
    }
}

template <class T>
void Append(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
void Append_All(std::string& out, const std::vector<T>& values) {
    Append(out, values.size());
    if (!values.empty()) out.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
}

}  // namespace

void Reset_Tick_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Reset_Act_World(width, height, levels);
}

std::uint16_t Give_Program(std::uint16_t c, std::uint32_t kind, std::uint16_t p1, std::uint16_t p2, std::uint16_t p3,
                           std::uint16_t p4) {
    return Add_Modifier(0, Char_Ref(c), kind, p1, p2, p3, p4);
}

void Main_Tick() {
    Chars_Tick();
    do_anim();
    if (!turn_mode) Advance_Game_Clock(clock_step);
}

std::string Act_List(std::uint16_t slot) {
    std::string out;
    if (!IQ_Slot_In_Use(slot)) return out;
    std::uint16_t a = iqarray.records[slot].first_act;
    for (std::uint32_t n = 0; a < actarray.Capacity() && n < actarray.Capacity(); ++n) {
        const act_entry& e = actarray.records[a];
        if (!out.empty()) out += ' ';
        out += std::to_string(e.type & ACT_KIND_MASK) + ":" + std::to_string(e.priority);
        a = e.next;
    }
    return out;
}

std::vector<std::string> World_Problems() {
    std::vector<std::string> out;
    std::map<obj_ref, std::uint16_t> standing;
    Check_Field_Lists(out, standing);
    Check_Characters(out, standing);
    Check_Acts(out);
    Check_Items(out, standing);
    for (std::uint16_t s : Observer_Grid_Problems())
        out.push_back("slot " + std::to_string(s) + " is kept where its object does not stand");
    return out;
}

std::string World_Snapshot() {
    std::string out;
    Append(out, game_clock);
    Append(out, turn_mode);
    Append(out, tick_cursor);
    Append(out, selected_count);
    Append(out, selected);
    Append(out, current_object);
    for (char_record r : chararray.records) {
        // Run-time handles differ between runs; the path's entries follow.
        r.body_sprite = r.head_sprite = 0;
        r.path = 0;
        Append(out, r);
    }
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
        if (const std::vector<std::uint32_t>* p = Char_Path(c)) Append_All(out, *p);
    Append_All(out, iqarray.records);
    Append(out, iqarray.used);
    Append_All(out, actarray.records);
    Append(out, actarray.first_free);
    Append_All(out, relationarray.cells);
    Append_All(out, maparray.records);
    Append_All(out, mapfield);
    Append_All(out, itemarray.records);
    Append_All(out, mod_array.records);
    Append_All(out, mapanim.records);
    return out;
}

}  // namespace fixture
