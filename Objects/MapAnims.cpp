#include "Objects/MapAnims.h"

#include "System/ErrorReport.h"

anim_type anim_types[ANIM_TYPE_COUNT];
MapAnimArray mapanim;
AnimEntryArray animated_fixitems;
std::uint32_t anim_wait = 0;
std::uint8_t anim_cycle = 0;

void Alloc_Map_Anims() {
    mapanim.records.assign(MAPANIM_COUNT, mapanim_record{});
    for (std::uint16_t i = 0; i < MAPANIM_COUNT; ++i) {
        std::uint16_t next = (i + 1 < MAPANIM_COUNT) ? static_cast<std::uint16_t>(i + 1) : NO_INDEX;
        mapanim.records[i].link = Make_Obj(OBJ_NONE, next);
    }
    mapanim.first_free = 0;
    animated_fixitems.records.assign(ANIM_ENTRIES_START, anim_entry{});
    for (std::uint16_t i = 0; i < ANIM_ENTRIES_START; ++i)
        animated_fixitems.records[i].next = (i + 1 < ANIM_ENTRIES_START) ? static_cast<std::uint16_t>(i + 1) : NO_INDEX;
    animated_fixitems.first_free = 0;
    animated_fixitems.active = NO_INDEX;
}

void Free_Map_Anims() {
    mapanim.records.clear();
    mapanim.first_free = NO_INDEX;
    animated_fixitems.records.clear();
    animated_fixitems.first_free = NO_INDEX;
    animated_fixitems.active = NO_INDEX;
}

std::uint16_t New_MapAnim() {
    std::uint16_t m = mapanim.first_free;
    if (m == NO_INDEX || m >= mapanim.Capacity()) {
        Error_Query_Quit("No more free mapanim!!!");
        return NO_INDEX;
    }
    mapanim_record& r = mapanim.records[m];
    mapanim.first_free = Obj_Index(r.link);
    r.dx = 0;
    r.dy = 0;
    return m;
}

void Delete_MapAnim(std::uint16_t m) {
    if (m >= mapanim.Capacity()) return;
    Stop_Object_Anims(OBJ_MAPANIM, m);
    mapanim_record& r = mapanim.records[m];
    r.link = Make_Obj(OBJ_NONE, mapanim.first_free);
    r.type = 0;
    mapanim.first_free = m;
}

void Stop_Object_Anims(std::uint16_t kind, std::uint16_t index) {
    std::uint16_t prev = NO_INDEX;
    std::uint32_t steps = 0;
    for (std::uint16_t e = animated_fixitems.active; e != NO_INDEX && e < animated_fixitems.Capacity();) {
        if (++steps > animated_fixitems.Capacity()) break;
        anim_entry& a = animated_fixitems.records[e];
        std::uint16_t next = a.next;
        if (a.obj_kind == kind && a.obj_index == index) {
            if (prev == NO_INDEX)
                animated_fixitems.active = next;
            else
                animated_fixitems.records[prev].next = next;
            a.next = animated_fixitems.first_free;
            animated_fixitems.first_free = e;
        } else {
            prev = e;
        }
        e = next;
    }
}

// Minimal stand-ins until the animation stepping is built: nothing starts.
std::uint16_t Start_MapAnim_Once(obj_ref, std::uint8_t, std::int8_t, std::int8_t, std::int32_t, std::uint8_t) {
    return NO_INDEX;
}
std::uint16_t Start_MapAnim_Loop(obj_ref, std::uint8_t, std::int8_t, std::int8_t, std::int32_t, std::uint8_t) {
    return NO_INDEX;
}
std::uint16_t Start_Object_Anim_Once(obj_ref, std::int8_t, std::int8_t, std::int32_t, std::uint8_t) {
    return NO_INDEX;
}
std::uint16_t Start_Object_Anim_Loop(obj_ref, std::int8_t, std::int8_t, std::int32_t, std::uint8_t) {
    return NO_INDEX;
}
void Put_MapAnim(std::uint16_t, std::uint8_t, std::uint8_t) {}
void Remove_MapAnim(std::uint16_t, std::uint8_t) {}
void Show_Damage_Digits(obj_ref, std::int32_t, std::int32_t) {}
void do_anim() {}
