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

// The slots: capacity = size(); slots 0..used-1 have been handed out.
// Until the AI data is built only the slots and relations exist (the
// danger map and the flight search read them).
struct IQArray {
    std::vector<iq_slot> slots;
    std::uint16_t used = 0;
    std::uint16_t Capacity() const { return static_cast<std::uint16_t>(slots.size()); }
};
extern IQArray iqarray;

// relationarray: capacity x capacity bytes, row a column b = what slot a
// thinks of slot b. Below -20 counts as hostile.
constexpr std::int8_t HOSTILE_RELATION = -20;
struct RelationArray {
    std::vector<std::int8_t> cells;
    std::uint16_t capacity = 0;
    // 0 for a slot outside the matrix.
    std::int8_t Get(std::uint32_t a, std::uint32_t b) const {
        return (a < capacity && b < capacity) ? cells[a * capacity + b] : 0;
    }
    void Set(std::uint32_t a, std::uint32_t b, std::int8_t v) {
        if (a < capacity && b < capacity) cells[a * capacity + b] = v;
    }
};
extern RelationArray relationarray;

void Free_IQ_Slot(std::uint16_t slot);
