// AI slots, act lists and relations.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "platform/Packed.h"

struct ORVEX_PACKED iq_slot {
    obj_ref object;           // NOOBJ or kind 0: not in use
    std::uint8_t state;       // state byte of the object's AI program
    std::uint8_t unused[3];
    std::uint16_t first_act;  // 0xFFFF empty
};
ORVEX_RECORD_SIZE(iq_slot, 10);

struct ORVEX_PACKED act_entry {
    std::uint16_t type;       // bits 0-13 act kind, 0x4000 stop in turn mode, 0x8000 user command
    std::uint16_t next;
    obj_ref target;
    std::uint32_t arg1;
    std::uint32_t arg2;
    std::int32_t priority;    // lists are kept in descending priority
    std::uint32_t time;       // game clock when made
};
ORVEX_RECORD_SIZE(act_entry, 24);

constexpr std::uint16_t ACT_STOP_IN_TURN = 0x4000;
constexpr std::uint16_t ACT_USER_COMMAND = 0x8000;
constexpr std::uint16_t ACT_KIND_MASK = 0x3FFF;

// Act kinds
enum : std::uint16_t {
    ACT_NONE = 0,
    ACT_NOTHING = 1,
    ACT_TURN = 2,
    ACT_GO = 3,
    ACT_FIXGO = 4,
    ACT_FLEE = 5,
    ACT_ATTACK = 6,
    ACT_START = 10,
    ACT_RELATION = 11,
    ACT_SCREEN = 12,
};

// The relation the main character's own commands carry.
constexpr std::int32_t MAIN_CHAR_RELATION = 100000;

struct IQArray {
    std::vector<iq_slot> records;
    std::uint16_t Capacity() const { return static_cast<std::uint16_t>(records.size()); }
};
extern IQArray iqarray;

struct ActArray {
    std::vector<act_entry> records;
    std::uint16_t Capacity() const { return static_cast<std::uint16_t>(records.size()); }
};
extern ActArray actarray;

// ---- Stand-ins until the AI arrays are built (see AIData.cpp) ----
void Init_AI_Arrays();
std::uint16_t Alloc_IQ_Slot(obj_ref object);  // the slot, NO_INDEX when none
void Free_IQ_Slot(std::uint16_t slot);
std::uint16_t Alloc_Act(std::uint16_t slot, std::int32_t priority);  // NO_INDEX when none
void Clear_Negative_Acts(std::uint16_t slot);
std::int32_t Relation_To_Main_Char(obj_ref object);

// The smallest distance at which a party member saw the act being carried
// out; 0x7FFFFFFF when none saw it. Kept by the perception step.
extern std::int32_t party_sight_distance;

// ---- Relations between AI slots ----
// What slot a thinks of slot b (row a, column b of relationarray); nullptr
// when either slot lies outside the matrix.
std::int8_t* Relation_Cell(std::uint16_t a, std::uint16_t b);
// A zeroed matrix for capacity slots (the AI arrays size it with the map).
void Alloc_Relations(std::uint16_t capacity);
