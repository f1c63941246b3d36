// Acts: the static act records (attacks, steps, guarding, operating, the
// spells and the hits of the field effects), the spell table, the access to
// an act's values and the dice shared by the acts and the AI.
#pragma once
#include <cstdint>

#include "Objects/Request.h"

struct act_desc;

// An act's handler: answers requests about the act and carries out its hit;
// NO_VALUE when it does not handle the request.
using act_handler = RequestValue (*)(obj_ref source, obj_ref target, act_desc* act, request_no request,
                                     RequestValue value);

struct act_desc {
    const char* name;
    const char* description;
    std::uint32_t reserved;
    std::uint8_t mana[4];        // fire, water, air, earth
    std::uint8_t sight;
    std::uint8_t noise;
    std::uint8_t grade;
    std::uint8_t range;          // 0 = no aiming
    std::uint8_t pattern;
    std::uint8_t difficulty;
    std::uint32_t flags;
    std::uint16_t action_points;
    act_handler handler;
    obj_ref origin;              // set by execution to the first target field's head
};

// Records that hold an act (a character's current act, an act entry's
// argument) hold its handle; 0 is none.
std::uint32_t Act_Handle(const act_desc* act);
act_desc* Act_From_Handle(std::uint32_t handle);

// The one way to read an act's values: its handler, then its record, then
// the source's modifiers through the request engine (other = the act).
RequestValue Get_Act_Value(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);

// The damage an attack deals (>= 0): a roll of -10..9 (9 when sure) is
// added to the attack and compared with the defence.
std::int32_t Hit_Damage(std::int32_t attack, std::int32_t defence, std::int32_t damage, std::uint32_t sure_hit);

// The margin the last Resist_Check left behind.
extern std::int32_t resist_margin;

// Whether target resists source's effect with the protection request given.
bool Resist_Check(obj_ref source, obj_ref target, request_no protection, std::int32_t bonus, std::int32_t dice);

// The three hidden records with which the field effects hit what stands in them.
extern act_desc evil_fog_hit;
extern act_desc fire_hit;
extern act_desc fire_wall_hit;

// Their handlers, the hits of the field-effect modifier kinds: request 164
// deals the damage, anything else is not handled.
RequestValue Evil_Fog_Hit(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Fire_Hit(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Fire_Wall_Hit(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);

// The spells: row n is bit n of a character's known spells and the spell
// index of the Magic Object kind.
struct spell_row {
    act_desc* act;
    std::uint32_t icon;  // frame pair 2 * icon, 2 * icon + 1 of the spell page
};
constexpr int SPELL_COUNT = 13;
extern spell_row spell_table[SPELL_COUNT];

// A notice to the player in a message box over the main window.
void Show_Message_Box(const char* text);
