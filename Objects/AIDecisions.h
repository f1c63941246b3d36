// What the act engine needs of the AI's decisions and of the turns: the
// flags of an act being carried out by the AI, what the party perceived of
// the last act, the perception step that tells every observer of an act,
// and the hand-over of the turn.
//
// Minimal stand-ins until the AI decisions and the turn scheduler are built
// (see AIDecisions.cpp).
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct act_desc;

// 1 while the AI carries out an act that is not a user command, and during
// an attack of opportunity.
extern std::uint32_t ai_acting;
// 1 while an attack of opportunity is being started.
extern std::uint32_t opportunity_attack;

// The smallest hearing distance at which a party member perceived the last
// act (0x7FFFFFFF none) and the member who saw or heard it; the sight
// distance beside it is party_sight_distance (AIData.h).
extern std::int32_t party_hearing_distance;
extern obj_ref party_observer;

// Side-effect flags of a notice.
constexpr std::uint16_t NOTICE_FROM_SOURCE = 0x1;  // ranges measured from the source's field
constexpr std::uint16_t NOTICE_ANNOUNCE = 0x2;     // the act announces itself when a party member saw it
constexpr std::uint16_t NOTICE_HOSTILE = 0x4;      // the act is hostile to its target

// Tells every observer what it saw or heard of source's act on target.
void Step_Side_Effect(obj_ref source, obj_ref target, act_desc* act, std::uint16_t side_flags,
                      std::int32_t sight_range, std::int32_t loudness, std::uint32_t act_flags);
