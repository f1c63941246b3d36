// AI data: the slots of every object that thinks, the pool of acts with one
// list per slot kept in descending priority, the scratch buffer a decision
// works on, and the relations between slots seeded from the lobby table.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "platform/Packed.h"

struct ORVEX_PACKED iq_slot {
    obj_ref object;      // NOOBJ or kind 0: not in use
    std::uint8_t state;  // state byte of the object's AI program
    std::uint8_t unused[3];
    std::uint16_t first_act;  // 0xFFFF empty
};
ORVEX_RECORD_SIZE(iq_slot, 10);
ORVEX_FIELD_OFFSET(iq_slot, state, 4);
ORVEX_FIELD_OFFSET(iq_slot, first_act, 8);

struct ORVEX_PACKED act_entry {
    std::uint16_t type;  // bits 0-13 act kind, 0x4000 stop in turn mode, 0x8000 user command
    std::uint16_t next;  // next act of the list (0xFFFF end); in the pool the next free entry
    obj_ref target;
    std::uint32_t arg1;
    std::uint32_t arg2;
    std::int32_t priority;  // lists are kept in descending priority
    std::uint32_t time;     // game clock when made
};
ORVEX_RECORD_SIZE(act_entry, 24);
ORVEX_FIELD_OFFSET(act_entry, target, 4);
ORVEX_FIELD_OFFSET(act_entry, priority, 16);
ORVEX_FIELD_OFFSET(act_entry, time, 20);

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

constexpr std::uint16_t IQ_SLOT_STEP = 16;   // slots beyond the characters' capacity, and growth
constexpr std::uint16_t ACTS_PER_SLOT = 16;  // first act pool: slots * 16
constexpr std::uint16_t ACT_POOL_STEP = 256;
constexpr std::uint16_t IQ_FREE_STACK_SIZE = 200;
constexpr std::uint16_t ACT_BUFFER_SIZE = 100;
constexpr int LOBBY_COUNT = 40;
constexpr std::int8_t HOSTILE_BELOW = -20;  // a relation below this is hostility

struct IQArray {
    std::vector<iq_slot> records;
    std::uint16_t used = 0;  // slots 0 .. used - 1 have been handed out at least once
    std::uint16_t free_stack[IQ_FREE_STACK_SIZE] = {};
    std::uint16_t free_count = 0;
    std::uint16_t Capacity() const { return static_cast<std::uint16_t>(records.size()); }
};
extern IQArray iqarray;

// The pool's free list ends at the index equal to the capacity: when
// first_free equals the capacity, the pool is full.
template <>
struct RecordTraits<act_entry> : RecordTraitsBase {
    static std::uint16_t Next(const act_entry& a) { return a.next; }
    static void Fresh(act_entry& a, std::uint16_t next) {
        a = {};
        a.next = next;
    }
    static void Freed(act_entry& a, std::uint16_t next) { a.next = next; }
    static void Taken(act_entry&) {}
    static constexpr FreeMarks MARKS = FreeMarks::None;
    static constexpr bool ENDS_AT_CAPACITY = true;
};

using ActArray = RecordArray<act_entry, ACT_POOL_STEP>;
extern ActArray actarray;

// The scratch copy of one slot's list that Take_Acts fills.
struct ActBuffer {
    act_entry entries[ACT_BUFFER_SIZE];
    std::uint16_t count = 0;
};
extern ActBuffer act_buffer;

// Row a, column b: what slot a thinks of slot b. The matrix is as wide as
// iqarray's capacity.
struct RelationArray {
    std::vector<std::int8_t> cells;
    std::uint16_t capacity = 0;
};
extern RelationArray relationarray;

// Initial relation of a member of lobby a towards one of lobby b; lobby 0 is
// the player's party.
extern const std::int8_t lobby_relations[LOBBY_COUNT][LOBBY_COUNT];

// ---- Arrays ----
// Fresh arrays for the current characters' capacity, then a slot for every
// character and every fixitem and item that thinks (answers request 28).
void Init_AI_Arrays();
void Free_AI_Arrays();
// No AI arrays and an empty act buffer.
void Reset_AI_Data_State();
// Every act list may have been replaced or rewritten (a map read or
// remapped): what is kept about them is built anew when next asked.
void Act_Lists_Replaced();
// Sixteen more slots; the relation matrix grows with them.
bool Expand_AI_Arrays();

// ---- Slots ----
// The object's new slot, NO_INDEX when none could be made.
std::uint16_t Alloc_IQ_Slot(obj_ref object);
void Free_IQ_Slot(std::uint16_t slot);
inline bool IQ_Slot_In_Use(std::uint16_t slot) {
    return slot < iqarray.Capacity() && Obj_Kind(iqarray.records[slot].object) != OBJ_NONE;
}
// The slot an object thinks with, NO_INDEX when none.
std::uint16_t Object_IQ_Slot(obj_ref object);

// ---- Acts ----
// A new act in the slot's list, before every act of equal priority; the
// caller fills kind, target and arguments. NO_INDEX when none.
std::uint16_t Alloc_Act(std::uint16_t slot, std::int32_t priority);
std::uint16_t Add_Act(std::uint16_t slot, std::uint16_t type, obj_ref target, std::uint32_t arg1, std::uint32_t arg2,
                      std::int32_t priority);
// Empties an act: a watch on a still active target character, else nothing.
void Reset_Act(std::uint16_t act);
// Every user command of the list becomes an empty act of priority 0.
void Clear_Negative_Acts(std::uint16_t slot);
// Keeps the slot aware of a character it sees.
void Note_Seen_Object(std::uint16_t slot, obj_ref object);
// Copies the list into act_buffer (at most 100 acts), gives every act back
// to the pool and empties the list.
void Take_Acts(std::uint16_t slot);

// ---- Relations ----
// What slot a thinks of slot b; nullptr when either lies outside the matrix.
std::int8_t* Relation_Cell(std::uint16_t a, std::uint16_t b);
std::int8_t Compute_Relation(std::uint16_t a, std::uint16_t b);
// Whether slot a is hostile to slot b; slots outside the matrix are not.
bool Is_Hostile(std::uint16_t a, std::uint16_t b);
void Update_Relations_To(std::uint16_t slot);
void Update_Relations_From(std::uint16_t slot);
std::int32_t Relation_To_Main_Char(obj_ref object);
