// Acts: the static act records (attacks, steps, guarding, operating, the
// spells and the hits of the field effects), the spell table, the access to
// an act's values, the dice shared by the acts and the AI, the cast
// announcement and the notices in message boxes.
#pragma once
#include <cstdint>
#include <string>

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
    std::uint8_t mana[4];  // fire, water, air, earth
    std::uint8_t sight;
    std::uint8_t noise;
    std::uint8_t grade;
    std::uint8_t range;  // 0 = no aiming
    std::uint8_t pattern;
    std::uint8_t difficulty;
    std::uint32_t flags;
    std::uint16_t action_points;
    act_handler handler;
    obj_ref origin;  // set by execution to the first target field's head
};

// ---- Act flags ----
constexpr std::uint32_t ACT_HOSTILE = 0x1;      // observers' relations drop; red announcement
constexpr std::uint32_t ACT_FRIENDLY = 0x2;     // green announcement
constexpr std::uint32_t ACT_HEX_RANGE = 0x800;  // range as hex distance, else by sight
constexpr std::uint32_t ACT_HITS_FIXITEMS = 0x1000;
constexpr std::uint32_t ACT_HITS_ITEMS = 0x2000;
constexpr std::uint32_t ACT_HITS_CHARS = 0x4000;  // and corpse items
constexpr std::uint32_t ACT_HITS_EVERY_OBJECT = 0x8000;
constexpr std::uint32_t ACT_HITS_SOURCE = 0x10000;
constexpr std::uint32_t ACT_KEEPS_STATE = 0x20000;
constexpr std::uint32_t ACT_HITS_FIELD_HEADS = 0x80000;  // with ACT_HITS_EVERY_OBJECT
constexpr std::uint32_t ACT_ENDS_DONE = 0x400000;        // the actor ends in state 4, else 8
constexpr std::uint32_t ACT_AT_ONCE = 0x800000;          // executed when started, no preparing
constexpr std::uint32_t ACT_ONE_HAND = 0x1000000;
constexpr std::uint32_t ACT_TWO_HANDS = 0x2000000;
constexpr std::uint32_t ACT_NOT_IN_SILENCE = 0x4000000;

// Requests only acts answer.
enum : request_no {
    REQ_ACT_VALID_TARGET = 159,  // may this object be a target: non-zero yes
    REQ_ACT_MAY_START = 170,     // may the act start now: 0 refuses
    REQ_ACT_STARTED = 171,       // the act has been started
    REQ_ACT_ANNOUNCE = 172,      // announce the act
};

// ---- The records ----
enum ActRecord : std::uint16_t {
    AR_ATTACK_RIGHT,
    AR_SPLINTER_RAIN,
    AR_STEP,
    AR_GUARD,
    AR_OPERATE,
    AR_HASTE,
    AR_HEAL,
    AR_LIFE_STEAL,
    AR_MAGIC_ARMOUR,
    AR_GIANT_STRENGTH,
    AR_BANDAGE,
    AR_PICKPOCKET,
    AR_EVIL_FOG,
    AR_FIRE_WALL,
    AR_LIVING_TORCH,
    AR_CALL_ZOMBIES,
    AR_SILENCE,
    AR_CHARM,
    AR_KNOCK_KNOCK,
    AR_EVIL_FOG_HIT,
    AR_FIRE_HIT,
    AR_FIRE_WALL_HIT,
    ACT_RECORD_COUNT
};
// Every act record, in this order: the nineteen acts, then the three hits
// of the field effects.
extern act_desc act_records[ACT_RECORD_COUNT];

extern act_desc& attack_right_act;  // "Attack with right hand"
extern act_desc& splinter_rain_act;
extern act_desc& step_act;     // "Step one Field forward"
extern act_desc& guard_act;    // "Guarding"
extern act_desc& operate_act;  // "Operate item"
extern act_desc& haste_act;
extern act_desc& heal_act;
extern act_desc& life_steal_act;
extern act_desc& magic_armour_act;
extern act_desc& giant_strength_act;
extern act_desc& bandage_act;
extern act_desc& pickpocket_act;
extern act_desc& evil_fog_act;
extern act_desc& fire_wall_act;
extern act_desc& living_torch_act;
extern act_desc& call_zombies_act;
extern act_desc& silence_act;
extern act_desc& charm_act;
extern act_desc& knock_knock_act;
// The three hidden records with which the field effects hit what stands in them.
extern act_desc& evil_fog_hit;
extern act_desc& fire_hit;
extern act_desc& fire_wall_hit;

// Records that hold an act (a character's current act, an act entry's
// argument) hold its handle; 0 is none. A record of the table has the
// handle of its place in it, the same in every run; any other record (a
// test's own) is numbered after them.
std::uint32_t Act_Handle(const act_desc* act);
act_desc* Act_From_Handle(std::uint32_t handle);

// The spells: row n is bit n of a character's known spells and the spell
// index of the Magic Object kind.
struct spell_row {
    act_desc* act;
    std::uint32_t icon;  // frame pair 2 * icon, 2 * icon + 1 of the spell page
};
constexpr int SPELL_COUNT = 13;
extern spell_row spell_table[SPELL_COUNT];

// ---- Values and dice ----
// The one way to read an act's values: its handler, then its record, then
// the source's modifiers through the request engine (other = the act).
RequestValue Get_Act_Value(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
// An act's value asked with no value given (NO_VALUE), so that a handler
// that answers with the value passed in leaves the record's field to
// answer. Values asked with a value of their own (the target number of a
// pattern, the field of a hit, 0 for "started") go through Get_Act_Value.
inline RequestValue Ask_Act_Value(obj_ref source, obj_ref target, act_desc* act, request_no request) {
    return Get_Act_Value(source, target, act, request, NO_VALUE);
}

// The damage an attack deals (>= 0): a roll of -10..9 (9 when sure) is
// added to the attack and compared with the defence.
std::int32_t Hit_Damage(std::int32_t attack, std::int32_t defence, std::int32_t damage, std::uint32_t sure_hit);

// The margin the last Resist_Check left behind.
extern std::int32_t resist_margin;

// No act executed yet (no origins), no margin, no held act paths.
void Reset_Act_State();

// Whether target resists caster's effect: Random(100) against the target's
// protection request minus (base + the caster's level * factor).
bool Resist_Check(obj_ref caster, obj_ref target, request_no protection, std::int32_t base, std::int32_t factor);

// ---- Notices ----
// The name text request 79 answers for object, asked by asker; empty when
// none is answered.
std::string Object_Name(obj_ref asker, obj_ref object);
// The log line telling the party that caster casts act (on target), when a
// party member saw the act closer than 13 fields.
void Announce_Cast(obj_ref caster, obj_ref target, act_desc* act);
// A notice to the player in a message box over the main window; none while
// the AI carries out an act.
void Show_Message_Box(const char* text);

// Request 173 to every map record and item in use, each asked by itself,
// so that programs set themselves up after a map is started or made.
void Init_All_Object_Values();

// ---- Handlers of the plain acts ----
RequestValue Attack_Right_Hand(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Step_Forward(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Guarding(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Operate_Item(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Pickpocket(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);

// The hits of the field effects (with the field-effect kinds): request 164
// deals the damage, anything else is not handled.
RequestValue Evil_Fog_Hit(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Fire_Hit(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Fire_Wall_Hit(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
