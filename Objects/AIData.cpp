// AI slots and the act pool.
#include "Objects/AIData.h"

#include <algorithm>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ObserverGrid.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

IQArray iqarray;
ActArray actarray;
ActBuffer act_buffer;

namespace {

constexpr std::int32_t RELATION_ACT_PRIORITY = 1;
constexpr std::int32_t SEEN_OBJECT_PRIORITY = 10;
bool Act_Valid(std::uint16_t a) { return a < actarray.Capacity(); }

// An object thinks when its request 28 (IQ) gives a value.
void Register_If_Thinking(obj_ref object) {
    if (Ask_Self(object, REQ_IQ) != NO_VALUE) Alloc_IQ_Slot(object);
}

void Register_Thinking_Objects() {
    chararray.For_Each_Used([](std::uint16_t c) { Alloc_IQ_Slot(Make_Obj(OBJ_CHAR, c)); });
    maparray.For_Each_Used([](std::uint16_t m) { Register_If_Thinking(Make_Obj(OBJ_FIXITEM, m)); });
    itemarray.For_Each_Used([](std::uint16_t i) { Register_If_Thinking(Make_Obj(OBJ_ITEM, i)); });
}

// Where each slot's list names a character in its first ACT_RELATION act,
// so that a seen character's act is found without walking the list. A
// list's version changes whenever acts join or leave it or an act of it may
// become or stop being such an act; an index built for another version is
// built anew from the list, in list order.
struct SeenIndex {
    std::uint32_t version = 0, all_version = 0;
    std::vector<std::uint16_t> first;  // by character index: the act, NO_INDEX none
};
std::vector<std::uint32_t> list_versions;  // by slot
std::vector<SeenIndex> seen_indexes;       // by slot
std::vector<std::uint16_t> act_owners;     // by act: the slot whose list it joined
std::uint32_t all_lists_version = 1;       // changes when every list may have changed

void Touch_List(std::uint16_t slot) {
    if (slot >= list_versions.size()) list_versions.resize(slot + 1u, 0);
    ++list_versions[slot];
}

bool Index_Current(std::uint16_t slot) {
    return slot < seen_indexes.size() && slot < list_versions.size() &&
           seen_indexes[slot].version == list_versions[slot] && seen_indexes[slot].all_version == all_lists_version &&
           seen_indexes[slot].first.size() == chararray.Capacity();
}

// The entry of a seen character in an index, or nullptr for anything else.
std::uint16_t* Seen_Entry(SeenIndex& idx, obj_ref object) {
    if (Obj_Kind(object) != OBJ_CHAR || Obj_Index(object) >= idx.first.size()) return nullptr;
    return &idx.first[Obj_Index(object)];
}

// Act `act` of a list, which was of kind `was`, has just been rewritten
// with the same target.
// Only acts that were or became ACT_RELATION acts matter; a character's
// first such act is kept without building the index anew.
void Act_Rewritten(std::uint16_t act, std::uint16_t was) {
    const act_entry& e = actarray.records[act];
    const bool now_seen = (e.type & ACT_KIND_MASK) == ACT_RELATION;
    const bool was_seen = (was & ACT_KIND_MASK) == ACT_RELATION;
    // The target stays: an act about a seen character that stays one keeps its place.
    if (was_seen == now_seen) return;
    if (act >= act_owners.size() || act_owners[act] == NO_INDEX) {
        Act_Lists_Replaced();
        return;
    }
    const std::uint16_t slot = act_owners[act];
    if (!was_seen && Index_Current(slot)) {
        // The list's only act about its target is its first one.
        std::uint16_t* entry = Seen_Entry(seen_indexes[slot], e.target);
        if (entry != nullptr && *entry == NO_INDEX) {
            *entry = act;
            return;
        }
    }
    Touch_List(slot);
}

bool Is_Seen_Act(const act_entry& e, obj_ref object) {
    return (e.type & ACT_KIND_MASK) == ACT_RELATION && e.target == object;
}

// The slot's index, built anew when its list changed.
SeenIndex& Seen_Index(std::uint16_t slot) {
    if (slot >= list_versions.size()) list_versions.resize(slot + 1u, 0);
    if (slot >= seen_indexes.size()) seen_indexes.resize(slot + 1u);
    SeenIndex& idx = seen_indexes[slot];
    if (Index_Current(slot)) return idx;
    idx.first.assign(chararray.Capacity(), NO_INDEX);
    std::uint16_t a = iqarray.records[slot].first_act;
    for (std::uint32_t n = 0; Act_Valid(a) && n < actarray.Capacity(); ++n, a = actarray.records[a].next) {
        const act_entry& e = actarray.records[a];
        if ((e.type & ACT_KIND_MASK) != ACT_RELATION) continue;
        std::uint16_t* entry = Seen_Entry(idx, e.target);
        if (entry != nullptr && *entry == NO_INDEX) *entry = a;  // the first one stays
    }
    idx.version = list_versions[slot];
    idx.all_version = all_lists_version;
    return idx;
}

// The last act of a list, walking at most the pool's capacity.
std::uint16_t Last_Act(std::uint16_t head) {
    std::uint16_t at = head;
    for (std::uint32_t n = 0; n < actarray.Capacity(); ++n) {
        const std::uint16_t next = actarray.records[at].next;
        if (!Act_Valid(next)) break;
        at = next;
    }
    return at;
}

}  // namespace

// ---- Arrays ----

void Init_AI_Arrays() {
    iqarray.free_count = 0;
    main_char = NO_INDEX;
    main_char_slot = NO_INDEX;
    player_count = 0;
    const std::uint32_t slots = std::min<std::uint32_t>(chararray.Capacity() + IQ_SLOT_STEP, NO_INDEX - 1);
    iqarray.records.assign(slots, iq_slot{NOOBJ, 0, {0, 0, 0}, NO_INDEX});
    iqarray.used = 0;
    const std::uint32_t acts = std::min<std::uint32_t>(slots * ACTS_PER_SLOT, RECORD_ARRAY_LIMIT);
    if (!actarray.Allocate_Or_Fatal(acts, "Can't allocate memory for actarray!")) return;
    actarray.Chain_Free(0, actarray.Capacity());
    relationarray.capacity = static_cast<std::uint16_t>(slots);
    relationarray.cells.assign(static_cast<std::size_t>(slots) * slots, 0);
    Invalidate_Observer_Grid();
    Act_Lists_Replaced();
    Register_Thinking_Objects();
}

void Act_Lists_Replaced() {
    ++all_lists_version;
    act_owners.clear();
}

void Reset_AI_Data_State() {
    Free_AI_Arrays();
    list_versions.clear();
    seen_indexes.clear();
    Reset_Observer_Grid_State();
    act_buffer.count = 0;
}

void Free_AI_Arrays() {
    iqarray.records = {};
    iqarray.used = 0;
    iqarray.free_count = 0;
    actarray.Release();
    relationarray.cells = {};
    relationarray.capacity = 0;
    player_count = 0;
    Act_Lists_Replaced();
    Invalidate_Observer_Grid();
}

bool Expand_AI_Arrays() {
    const std::uint32_t old_capacity = iqarray.Capacity();
    const std::uint32_t capacity = old_capacity + IQ_SLOT_STEP;
    if (capacity >= NO_INDEX) {
        Fatal_Error("Can't expand memory for iqarray!", "");
        return false;
    }
    iqarray.records.resize(capacity, iq_slot{Make_Obj(OBJ_NONE, 0), 0, {0, 0, 0}, NO_INDEX});
    std::vector<std::int8_t> cells(static_cast<std::size_t>(capacity) * capacity, 0);
    const std::uint32_t old_width = relationarray.capacity;
    for (std::uint32_t row = 0; row < old_width && row < capacity; ++row)
        std::copy_n(relationarray.cells.begin() + static_cast<std::ptrdiff_t>(row * old_width),
                    std::min(old_width, capacity), cells.begin() + static_cast<std::ptrdiff_t>(row * capacity));
    relationarray.cells = std::move(cells);
    relationarray.capacity = static_cast<std::uint16_t>(capacity);
    Invalidate_Observer_Grid();
    return true;
}

// ---- Slots ----

std::uint16_t Object_IQ_Slot(obj_ref object) {
    if (Obj_Kind(object) == OBJ_CHAR) {
        const std::uint16_t c = Obj_Index(object);
        return Char_In_Use(c) && IQ_Slot_In_Use(chararray.records[c].ai_slot) ? chararray.records[c].ai_slot : NO_INDEX;
    }
    const RequestValue slot = Ask_Self(object, REQ_AI_SLOT);
    return slot >= 0 && slot < iqarray.Capacity() ? static_cast<std::uint16_t>(slot) : NO_INDEX;
}

std::uint16_t Alloc_IQ_Slot(obj_ref object) {
    std::uint16_t slot;
    if (iqarray.free_count > 0) {
        slot = iqarray.free_stack[--iqarray.free_count];
    } else {
        if (iqarray.used >= iqarray.Capacity() && !Expand_AI_Arrays()) return NO_INDEX;
        slot = iqarray.used++;
    }
    iq_slot& s = iqarray.records[slot];
    s.first_act = NO_INDEX;
    s.object = object;
    Touch_List(slot);
    if (Obj_Kind(object) == OBJ_CHAR && Char_In_Use(Obj_Index(object))) {
        char_record& r = chararray.records[Obj_Index(object)];
        r.ai_slot = slot;
        r.state = CS_DECIDING;
        Add_To_Player_List(Obj_Index(object));
    }
    Observer_Grid_Update(slot);
    Update_Relations_To(slot);
    Update_Relations_From(slot);
    return slot;
}

void Free_IQ_Slot(std::uint16_t slot) {
    if (!IQ_Slot_In_Use(slot)) return;
    const obj_ref object = iqarray.records[slot].object;
    // Only characters stand in the party list, which holds character indexes.
    if (Obj_Kind(object) == OBJ_CHAR) {
        if (Ask(current_object, object, REQ_LOBBY) == 0) Remove_From_Player_List(Obj_Index(object));
        // A main character that leaves the map leaves no dangling slot behind.
        if (main_char_slot == slot) {
            main_char = NO_INDEX;
            main_char_slot = NO_INDEX;
        }
    }
    if (iqarray.free_count < IQ_FREE_STACK_SIZE) iqarray.free_stack[iqarray.free_count++] = slot;
    Take_Acts(slot);
    iqarray.records[slot].object = NOOBJ;
    Observer_Grid_Update(slot);
}

// ---- Acts ----

std::uint16_t Alloc_Act(std::uint16_t slot, std::int32_t priority) {
    if (!IQ_Slot_In_Use(slot)) return NO_INDEX;
    const std::uint16_t a = actarray.New();
    if (a == NO_INDEX) {
        Fatal_Error("Can't expand memory for actarray!", "");
        return NO_INDEX;
    }
    act_entry& e = actarray.records[a];
    e = act_entry{ACT_NONE, NO_INDEX, NOOBJ, 0, 0, priority, game_clock};
    if (act_owners.size() < actarray.Capacity()) act_owners.resize(actarray.Capacity(), NO_INDEX);
    act_owners[a] = slot;
    Touch_List(slot);

    iq_slot& s = iqarray.records[slot];
    const std::uint16_t head = s.first_act;
    if (!Act_Valid(head) || priority >= actarray.records[head].priority) {
        e.next = head;
        s.first_act = a;
        return a;
    }
    // After the last act whose successor ranks higher than the new one.
    std::uint16_t at = head;
    for (std::uint32_t n = 0; n < actarray.Capacity(); ++n) {
        const std::uint16_t next = actarray.records[at].next;
        if (!Act_Valid(next) || actarray.records[next].priority <= priority) break;
        at = next;
    }
    e.next = actarray.records[at].next;
    actarray.records[at].next = a;
    return a;
}

std::uint16_t Add_Act(std::uint16_t slot, std::uint16_t type, obj_ref target, std::uint32_t arg1, std::uint32_t arg2,
                      std::int32_t priority) {
    const std::uint16_t a = Alloc_Act(slot, priority);
    if (a == NO_INDEX) return a;
    act_entry& e = actarray.records[a];
    e.type = type;
    e.target = target;
    e.arg1 = arg1;
    e.arg2 = arg2;
    return a;
}

void Reset_Act(std::uint16_t act) {
    if (!Act_Valid(act)) return;
    act_entry& e = actarray.records[act];
    const std::uint16_t was = e.type;
    if (Obj_Kind(e.target) == OBJ_CHAR && Char_In_Use(Obj_Index(e.target)) &&
        Object_Request(e.target, e.target, 0, REQ_ACTIVE, 0) != 0) {
        e.type = ACT_RELATION;
        e.arg1 = Object_Field(e.target);
        e.arg2 = 0;
        e.priority = RELATION_ACT_PRIORITY;
    } else {
        e.type = ACT_NONE;
        e.priority = 0;
    }
    Act_Rewritten(act, was);
}

void Clear_Negative_Acts(std::uint16_t slot) {
    if (!IQ_Slot_In_Use(slot)) return;
    Touch_List(slot);
    std::uint16_t a = iqarray.records[slot].first_act;
    for (std::uint32_t n = 0; Act_Valid(a) && n < actarray.Capacity(); ++n, a = actarray.records[a].next) {
        act_entry& e = actarray.records[a];
        if (e.type & ACT_USER_COMMAND) {
            e.type = ACT_NONE;
            e.priority = 0;
        }
    }
}

void Note_Seen_Object(std::uint16_t slot, obj_ref object) {
    if (!IQ_Slot_In_Use(slot) || Obj_Kind(object) != OBJ_CHAR) return;
    const std::uint16_t field = Object_Field(object);
    SeenIndex& idx = Seen_Index(slot);
    const std::uint16_t* entry = Seen_Entry(idx, object);
    if (entry == nullptr) {  // no character of the array: the list itself tells
        std::uint16_t a = iqarray.records[slot].first_act;
        for (std::uint32_t n = 0; Act_Valid(a) && n < actarray.Capacity(); ++n, a = actarray.records[a].next) {
            act_entry& e = actarray.records[a];
            if (Is_Seen_Act(e, object)) {
                ++e.priority;
                e.arg1 = field;
                return;
            }
        }
        Add_Act(slot, ACT_RELATION, object, field, 0, SEEN_OBJECT_PRIORITY);
        return;
    }
    if (*entry != NO_INDEX) {
        act_entry& e = actarray.records[*entry];
        if (Is_Seen_Act(e, object)) {
            ++e.priority;
            e.arg1 = field;
            return;
        }
        // Changed behind the index's back: the list itself tells.
        Act_Lists_Replaced();
        Note_Seen_Object(slot, object);
        return;
    }
    const std::uint32_t before = list_versions[slot];
    const std::uint16_t a = Add_Act(slot, ACT_RELATION, object, field, 0, SEEN_OBJECT_PRIORITY);
    // The new act, the list's only one about the object, is all that changed.
    if (a == NO_INDEX || list_versions[slot] != before + 1) return;
    SeenIndex& same = seen_indexes[slot];
    same.first[Obj_Index(object)] = a;
    same.version = list_versions[slot];
}

void Take_Acts(std::uint16_t slot) {
    act_buffer.count = 0;
    if (slot >= iqarray.Capacity()) return;
    iq_slot& s = iqarray.records[slot];
    const std::uint16_t head = s.first_act;
    s.first_act = NO_INDEX;
    Touch_List(slot);
    if (!Act_Valid(head)) return;
    std::uint16_t a = head;
    for (std::uint32_t n = 0; Act_Valid(a) && n < actarray.Capacity(); ++n, a = actarray.records[a].next)
        if (act_buffer.count < ACT_BUFFER_SIZE) act_buffer.entries[act_buffer.count++] = actarray.records[a];
    // The whole list goes back to the pool in one splice.
    actarray.Push_Chain(head, Last_Act(head));
}
