// Minimal stand-ins until the AI arrays are built: slots and acts live in
// plain growing arrays, slots are never reused, relations are not kept
// (everyone but the main character stands at 0 to it) and nobody perceives
// anything.
#include "Objects/AIData.h"

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/TurnState.h"

IQArray iqarray;
ActArray actarray;
std::int32_t party_sight_distance = 0x7FFFFFFF;

namespace {
bool Slot_In_Use(std::uint16_t slot) {
    return slot < iqarray.Capacity() && Obj_Kind(iqarray.records[slot].object) != OBJ_NONE;
}
}  // namespace

void Init_AI_Arrays() {
    iqarray.records.clear();
    actarray.records.clear();
    main_char = NO_INDEX;
    main_char_slot = NO_INDEX;
}

std::uint16_t Alloc_IQ_Slot(obj_ref object) {
    if (iqarray.Capacity() >= NO_INDEX - 1) return NO_INDEX;
    std::uint16_t slot = iqarray.Capacity();
    iqarray.records.push_back(iq_slot{object, 0, {0, 0, 0}, NO_INDEX});
    if (Obj_Kind(object) == OBJ_CHAR && Char_In_Use(Obj_Index(object))) {
        char_record& r = chararray.records[Obj_Index(object)];
        r.ai_slot = slot;
        r.state = CS_DECIDING;
        Add_To_Player_List(Obj_Index(object));
    }
    return slot;
}

void Free_IQ_Slot(std::uint16_t slot) {
    if (!Slot_In_Use(slot)) return;
    obj_ref object = iqarray.records[slot].object;
    if (Obj_Kind(object) == OBJ_CHAR) Remove_From_Player_List(Obj_Index(object));
    iqarray.records[slot].object = NOOBJ;
    iqarray.records[slot].first_act = NO_INDEX;
}

std::uint16_t Alloc_Act(std::uint16_t slot, std::int32_t priority) {
    if (!Slot_In_Use(slot) || actarray.Capacity() >= NO_INDEX - 1) return NO_INDEX;
    std::uint16_t a = actarray.Capacity();
    actarray.records.push_back(act_entry{0, NO_INDEX, NOOBJ, 0, 0, priority, game_clock});
    // Before every act of equal priority: at the head, or after the last
    // act whose successor ranks higher than the new one.
    iq_slot& s = iqarray.records[slot];
    std::uint16_t head = s.first_act;
    if (head == NO_INDEX || priority >= actarray.records[head].priority) {
        actarray.records[a].next = head;
        s.first_act = a;
        return a;
    }
    std::uint16_t at = head;
    while (actarray.records[at].next != NO_INDEX && actarray.records[actarray.records[at].next].priority > priority)
        at = actarray.records[at].next;
    actarray.records[a].next = actarray.records[at].next;
    actarray.records[at].next = a;
    return a;
}

void Clear_Negative_Acts(std::uint16_t slot) {
    if (!Slot_In_Use(slot)) return;
    for (std::uint16_t a = iqarray.records[slot].first_act; a != NO_INDEX && a < actarray.Capacity();
         a = actarray.records[a].next) {
        act_entry& e = actarray.records[a];
        if (e.type & ACT_USER_COMMAND) {
            e.type = ACT_NONE;
            e.priority = 0;
        }
    }
}

std::int32_t Relation_To_Main_Char(obj_ref object) {
    if (main_char != NO_INDEX && object == Make_Obj(OBJ_CHAR, main_char)) return MAIN_CHAR_RELATION;
    return 0;
}
