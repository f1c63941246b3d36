// The timer array: pending modifier events in order of due time. Each time
// the game clock advances, the events that have fallen due are delivered to
// their modifiers' handlers or end their modifiers.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "Objects/RequestNumbers.h"
#include "platform/Packed.h"

struct ORVEX_PACKED timer_entry {
    std::int32_t due;        // tick it falls due at; -1 free
    std::uint16_t modifier;  // mod_array index; 3000 free
    std::uint16_t request;   // 175 end, 176 tick, ...; 178 free
    std::uint16_t next;      // active or free list; 0xFFFF end
};
ORVEX_RECORD_SIZE(timer_entry, 10);
ORVEX_FIELD_OFFSET(timer_entry, modifier, 4);
ORVEX_FIELD_OFFSET(timer_entry, next, 8);

constexpr std::uint16_t TIMER_ARRAY_START = 1000;
constexpr std::uint16_t TIMER_ARRAY_STEP = 100;
constexpr std::int32_t TIMER_FREE_DUE = -1;
constexpr std::uint16_t TIMER_FREE_MODIFIER = 3000;

// A free entry: due -1, modifier 3000, request 178.
template <>
struct RecordTraits<timer_entry> : RecordTraitsBase {
    static std::uint16_t Next(const timer_entry& t) { return t.next; }
    static void Fresh(timer_entry& t, std::uint16_t next) {
        t.due = TIMER_FREE_DUE;
        t.modifier = TIMER_FREE_MODIFIER;
        t.request = REQ_FREE_TIMER;
        t.next = next;
    }
    static void Freed(timer_entry& t, std::uint16_t next) { Fresh(t, next); }
    static void Taken(timer_entry&) {}
    static constexpr FreeMarks MARKS = FreeMarks::None;
};

struct TimerArray : RecordArray<timer_entry, TIMER_ARRAY_STEP> {
    std::uint16_t active = NO_INDEX;  // earliest first
};
extern TimerArray timer_array;

// A new array of 1000 free entries, handed out from 0 upward.
void Timer_Init();
// No timer array at all.
void Timer_Release();
void Timer_Free(std::uint16_t e);
// Schedules request for modifier at game_clock + delay. An event is due
// only once the clock has passed its time, so a delay of 0 waits for the
// next advance.
void Timer_Add(std::uint32_t delay, std::uint16_t modifier, std::uint16_t request);
// Drops every pending event of modifier m.
void Timer_Remove_Mod(std::uint16_t m);
// Whether an event with this request is pending for modifier m.
bool Timer_Pending(std::uint16_t m, std::uint16_t request);
// Drops every pending event. The events name records of mod_array, so
// whatever replaces the pool for a new map calls this: Init_Mod_Array does,
// and so must a loader that installs a stored pool.
void Timer_Clear();
// Delivers every event due before game_clock, earliest first.
void Run_Due_Timers();
