// The monster programs and the main character's program: what a
// computer-controlled character proposes when it decides (request 15), how
// hostile it is, and how a standing guard reacts to what it perceives.
#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/CharTick.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "System/Random.h"

namespace {

constexpr RequestValue BASIC_MONSTER_HOSTILITY = 80;
constexpr RequestValue GUARD_HOSTILITY = 10;
constexpr int GUARD_LOOK_CHANCE = 20;  // one decision in 20 on the post turns to the kept facing
constexpr std::int32_t LOOK_PRIORITY = 10;
constexpr std::uint8_t STATE_BYTE_MASK = 0xFF;

std::int16_t Signed(std::uint16_t v) { return static_cast<std::int16_t>(v); }

// The character carrying the program and its AI slot; false when obj is
// no character with a slot.
bool Thinking_Char(obj_ref obj, std::uint16_t& slot) {
    if (Obj_Kind(obj) != OBJ_CHAR || !Char_In_Use(Obj_Index(obj))) return false;
    slot = chararray.records[Obj_Index(obj)].ai_slot;
    return IQ_Slot_In_Use(slot);
}

// The programs' handlers are asked nearly every question of their
// characters and answer few: the answering work is kept out of them, so that
// passing a question on costs next to nothing.

// A step in a random direction of the square around the character: its own
// field, four hexagon neighbours or one of the two diagonal cells two steps
// away; only steps that stay on the map are proposed.
[[gnu::noinline]] void Propose_Wandering(obj_ref obj, std::uint16_t m) {
    std::uint16_t slot = 0;
    if (!Thinking_Char(obj, slot)) return;
    const char_record& r = chararray.records[Obj_Index(obj)];
    const std::int32_t x = r.x + Random(3) - 1;
    const std::int32_t y = r.y + Random(3) - 1;
    const std::int32_t level = r.map_level;
    if (x < 0 || y < 0 || x >= static_cast<std::int32_t>(map_width) || y >= static_cast<std::int32_t>(map_height) ||
        level < 0 || level >= static_cast<std::int32_t>(map_levels))
        return;
    const std::uint16_t field =
        Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(level));
    Add_Act(slot, ACT_GO, Field_Head(field), 0, 0, Signed(mod_array.records[m].p4));
}

// A patrol between p1 and p2: from one end to the other; a guard that has
// not moved since its last decision sets out for the end farther from
// where it stood.
[[gnu::noinline]] void Propose_Patrol(obj_ref obj, std::uint16_t m) {
    std::uint16_t slot = 0;
    if (!Thinking_Char(obj, slot)) return;
    const std::uint16_t f = Object_Field(obj);
    if (f >= total_fields) return;
    const modifier md = mod_array.records[m];
    const bool ends_on_map = md.p1 < total_fields && md.p2 < total_fields;
    std::uint16_t target = NO_FIELD;
    if (f == md.p4 && ends_on_map) target = Field_Distance(md.p1, md.p4) > Field_Distance(md.p2, md.p4) ? md.p1 : md.p2;
    if (f == md.p1)
        target = md.p2;
    else if (f == md.p2)
        target = md.p1;
    if (target < total_fields) Add_Act(slot, ACT_GO, Field_Head(target), 0, 0, Signed(md.p3));
    mod_array.records[m].p4 = f;
}

// On the post: the program state holds the mission priority, and now and
// then the guard looks the kept way. Off the post: back to it.
[[gnu::noinline]] void Propose_Post(obj_ref obj, std::uint16_t m) {
    std::uint16_t slot = 0;
    if (!Thinking_Char(obj, slot)) return;
    const modifier md = mod_array.records[m];
    if (Object_Field(obj) == md.p1) {
        iqarray.records[slot].state = static_cast<std::uint8_t>(md.p3 & STATE_BYTE_MASK);
        if (Random(GUARD_LOOK_CHANCE) != 0 || md.p2 < 1 || md.p2 > 6) return;
        const std::uint16_t look = Neighbour_Field(md.p1, md.p2);
        if (look != NO_FIELD) Add_Act(slot, ACT_TURN, Field_Head(look), 0, 0, LOOK_PRIORITY);
        return;
    }
    if (md.p1 < total_fields) Add_Act(slot, ACT_GO, Field_Head(md.p1), 0, 0, Signed(md.p3));
    iqarray.records[slot].state = 0;
}

// A guard that can act turns toward whatever it saw or heard (but for
// someone merely guarding): at once in turn mode, else by an act.
[[gnu::noinline]] void React_To_Notice(obj_ref obj, std::uint16_t m, RequestValue value) {
    const perception_record* notice = Value_Pointer<const perception_record>(value);
    if (notice == nullptr || notice->act == &guard_act) return;
    if (notice->sight_distance == NO_DISTANCE && notice->hearing_distance == NO_DISTANCE) return;
    std::uint16_t slot = 0;
    if (!Thinking_Char(obj, slot) || !Char_Can_Act(Obj_Index(obj))) return;
    if (turn_mode) {
        const std::uint16_t field = Object_Field(notice->source);
        if (field < total_fields)
            Char_Turn(obj, static_cast<std::int32_t>(Field_X(field)), static_cast<std::int32_t>(Field_Y(field)));
        return;
    }
    Add_Act(slot, ACT_TURN, notice->source, 0, 0, Signed(mod_array.records[m].p3) - 1);
}

}  // namespace

RequestValue Mod_Basic_Monster(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                               RequestValue value) {
    switch (request) {
        case REQ_AI_PROPOSALS: Propose_Wandering(obj, m); return value;
        case REQ_HOSTILITY_BASE: return BASIC_MONSTER_HOSTILITY;
        case REQ_83: return 0;  // a basic monster cannot pass closed doors
        default: return value;
    }
}

RequestValue Mod_Standing_Guard(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                                RequestValue value) {
    if (request < REQ_NOTICE_STEP || request > REQ_ATTACHED) return value;
    switch (request) {
        case REQ_ATTACHED:
            // The post is where the character stands when it is given the program.
            mod_array.records[m].p1 = Object_Field(obj);
            mod_array.records[m].p2 = static_cast<std::uint16_t>(Ask_Self_Or_Zero(obj, REQ_FACING));
            return value;
        case REQ_AI_PROPOSALS: Propose_Post(obj, m); return value;
        case REQ_NOTICE_STEP: React_To_Notice(obj, m, value); return value;
        case REQ_HOSTILITY_BASE: return GUARD_HOSTILITY;
        default: return value;
    }
}

RequestValue Mod_Moving_Guard(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                              RequestValue value) {
    switch (request) {
        case REQ_AI_PROPOSALS: Propose_Patrol(obj, m); return value;
        case REQ_HOSTILITY_BASE: return GUARD_HOSTILITY;
        default: return value;
    }
}

RequestValue Mod_Main_Char(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no request, RequestValue value) {
    return request == REQ_MAIN_CHAR ? 1 : value;
}
