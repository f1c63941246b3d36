// Minimal stand-ins until the AI decisions and the turn scheduler are
// built: the perception step knows only that a party member always sees
// its own act, nobody else observes anything, and the turn is never handed
// on.
#include "Objects/AIDecisions.h"

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Party.h"
#include "Objects/Geometry.h"

std::uint32_t ai_acting = 0;
std::uint32_t opportunity_attack = 0;
std::int32_t party_hearing_distance = NO_DISTANCE;
obj_ref party_observer = NOOBJ;

namespace {
constexpr std::int32_t PARTY_ANNOUNCE_WITHIN = 12;
}

void Step_Side_Effect(obj_ref source, obj_ref target, act_desc* act, std::uint16_t side_flags, std::int32_t,
                      std::int32_t, std::uint32_t) {
    if (Obj_Kind(source) == OBJ_CHAR && Is_Player_Char(Obj_Index(source))) {
        party_sight_distance = 0;
        party_hearing_distance = 0;
        party_observer = source;
    }
    if ((side_flags & NOTICE_ANNOUNCE) && party_sight_distance < PARTY_ANNOUNCE_WITHIN && act != nullptr)
        Get_Act_Value(source, target, act, REQ_ACT_ANNOUNCE, 0);
}

