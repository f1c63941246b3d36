// The mind of every character: the decision that trims an act list to its
// five best intentions, the execution of the best of them, walking and
// turning, the flight field, and the perception step that tells every
// thinking object what it saw or heard of an act.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct act_desc;
struct iq_slot;

// 1 while the AI carries out an act that is not a user command, and during
// an attack of opportunity.
extern std::uint32_t ai_acting;
// 1 while an attack of opportunity is being started.
extern std::uint32_t opportunity_attack;

// What the party perceived of the last act, kept by the perception step:
// the smallest distances at which a party member saw and heard it
// (0x7FFFFFFF none), and the member who saw or heard it.
extern std::int32_t party_sight_distance;
extern std::int32_t party_hearing_distance;
extern obj_ref party_observer;

// The act Execute_Act is carrying out (NO_INDEX none).
extern std::uint16_t current_act;

// Nobody acting for the AI, no act being carried out, nothing perceived.
void Reset_Decision_State();

// Side-effect flags of a notice.
constexpr std::uint16_t NOTICE_FROM_SOURCE = 0x1;  // ranges measured from the source's field
constexpr std::uint16_t NOTICE_ANNOUNCE = 0x2;     // the act announces itself when a party member saw it
constexpr std::uint16_t NOTICE_HOSTILE = 0x4;      // the act is hostile to its target

// What an observer is told of an act: the value of request 14, passed as
// the address of this record.
struct perception_record {
    obj_ref source;
    obj_ref target;
    act_desc* act;
    std::uint32_t clock;
    std::uint16_t side_flags;
    std::uint32_t act_flags;
    std::int32_t sight_distance;    // 0x7FFFFFFF: not seen
    std::int32_t hearing_distance;  // 0x7FFFFFFF: not heard
    std::uint16_t slot;             // the observer's AI slot
    iq_slot* slot_record;
};

// Decides for the character of slot: its programs propose, seen enemies
// become attacks, and the list keeps the five best acts.
void Choose_Act(std::uint16_t slot);
// Carries out the acts of slot's list, best first.
void Execute_Act(std::uint16_t slot);

// Tells every observer what it saw or heard of source's act on target.
void Step_Side_Effect(obj_ref source, obj_ref target, act_desc* act, std::uint16_t side_flags, std::int32_t sight_range,
                      std::int32_t loudness, std::uint32_t act_flags);

// Starts character obj along a path to target's field: 1 moving or already
// on the way, 0 not.
int Char_Go(obj_ref obj, obj_ref target);
// Turns character obj to face the field (x, y) of its level.
void Char_Turn(obj_ref obj, std::int32_t x, std::int32_t y);
// The neighbour of obj's field that is safest to flee to; NO_FIELD none.
std::uint16_t Fear_Calculation(obj_ref obj);

// A ready path handed to an ACT_FIXGO act: argument 1 names it by this
// handle (0 none), argument 2 its current entry. The act takes it over
// when it is carried out; a handle copied into another character's act
// resolves to nothing there.
std::uint32_t Hold_Act_Path(const std::uint32_t* entries, std::uint16_t count, obj_ref owner);
// Forgets every held path (a new map replaces the old).
void Drop_Held_Act_Paths();
