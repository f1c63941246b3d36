// Game clock and the timer array of pending modifier events.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Packed.h"

struct ORVEX_PACKED timer_entry {
    std::int32_t due;        // tick it falls due at; -1 free
    std::uint16_t modifier;  // mod_array index; 3000 free
    std::uint16_t request;   // 175 end, 176 tick, ...; 178 free
    std::uint16_t next;      // active or free list; 0xFFFF end
};
ORVEX_RECORD_SIZE(timer_entry, 10);

// Drops every pending event of modifier m.
void Timer_Remove_Mod(std::uint16_t m);
