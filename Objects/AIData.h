// AI slots, act lists and relations.
#pragma once
#include <cstdint>

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

void Free_IQ_Slot(std::uint16_t slot);

// ---- Relations between AI slots ----
// What slot a thinks of slot b (row a, column b of relationarray); nullptr
// when either slot lies outside the matrix.
std::int8_t* Relation_Cell(std::uint16_t a, std::uint16_t b);
// A zeroed matrix for capacity slots (the AI arrays size it with the map).
void Alloc_Relations(std::uint16_t capacity);
