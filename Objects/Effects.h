// Starting and executing acts: the checks and payments of a start, the
// aiming of the player with the map cursor, and the execution of an act on
// a list of target fields with the target patterns.
#pragma once
#include <cstdint>

#include "Objects/Acts.h"

// ---- Target lists ----
// A heap block of u16 values: the count n (1..5), then n field indexes.
// Whoever builds one hands it over: Effect_Start and Effect_Execute take
// every list they are given, and free it exactly once, also when the act is
// refused or dropped without running.
using target_list = std::uint16_t*;
constexpr std::uint16_t MAX_TARGET_FIELDS = 5;

target_list New_Target_List(std::uint16_t count);
target_list One_Field_Target_List(std::uint16_t field);
void Free_Target_List(target_list list);
// How many lists are made and not yet freed.
std::uint32_t Target_Lists_Alive();

// Records name a list they hold (a character's act being prepared, an act
// entry's argument) by a handle, 0 none. A held list belongs to its owner's
// record: a handle copied into another record resolves to nothing there.
std::uint32_t Hold_Target_List(target_list list, obj_ref owner);
// The list held under handle for owner; nullptr when none.
target_list Held_Target_List(std::uint32_t handle, obj_ref owner);
// Frees every list held for owner.
void Drop_Held_Target_Lists(obj_ref owner);
// Frees every held list (a new map replaces the old: handles stored in its
// records resolve to nothing).
void Drop_All_Held_Target_Lists();

// ---- A character's act ----
// What character c carries out (states 6, 7 and 9): the act, the target
// list it holds for it (nullptr none) and the act's source.
act_desc* Char_Act(std::uint16_t c);
target_list Char_Target_List(std::uint16_t c);
obj_ref Char_Act_Source(std::uint16_t c);

// ---- Targeting ----
// Shared with the front end while the player aims an act.
extern std::uint16_t target_picks;  // fields picked so far
extern std::uint16_t picked_fields[MAX_TARGET_FIELDS];
extern std::uint16_t target_field;      // the field clicked while aiming; 0xFFFF none
extern std::uint16_t target_rotation;   // 0..5: rotation of the cone and line patterns
extern std::uint16_t cancel_targeting;  // 1: the player cancelled the aim
extern std::uint16_t cursor_field;      // the field under the mouse; 0xFFFF none
// No aim under way, no field under the mouse, no target list held.
void Reset_Targeting_State();

// Map cursor types the aiming sets.
constexpr std::uint16_t CURSOR_NORMAL = 0;
constexpr std::uint16_t CURSOR_AIMING = 2;     // an act picks its target
constexpr std::uint16_t CURSOR_ON_TARGET = 3;  // a valid target is under the cursor

// The target patterns: axial offsets around a target field, the centre
// first.
struct area_offset {
    std::int16_t dx, dy;
};
struct area_shape {
    const area_offset* offsets;
    std::uint16_t count;
};
// The shape of a pattern (cone and line turned by rotation); nullptr for a
// number that is no pattern.
const area_shape* Area_Shape(RequestValue pattern, std::uint16_t rotation);
// The shape of the pattern being aimed, marked around the cursor field.
extern const area_shape* area_offsets;

// ---- Starting and executing ----
// Checks, pays and starts act for source (a character, an item held by a
// character, or a fixitem): 1 when started, 0 when refused.
int Effect_Start(obj_ref source, act_desc* act, target_list list);
// Executes act on the listed fields; without a list on the field in front
// or the own field (range 0) or on the fields the player picks, in which
// case it may end early and expects to be called again next tick.
void Effect_Execute(obj_ref source, act_desc* act, target_list list);
// Clears the targeting state for a new aim of the player's leading character.
void Effect_Reset_Target(obj_ref source, act_desc* act, target_list list);
// In: a field head or an object in a field's list. 1 and the cursor set to
// the accepted object, or 0 and the cursor NOOBJ.
int Valid_Target(obj_ref source, act_desc* act, obj_ref* cursor);
// Ends the aim of character c silently when it is aiming with the map
// cursor (another character is being selected).
void Effect_Cancel_Aim(std::uint16_t c);
