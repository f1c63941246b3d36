#include "Objects/Timers.h"

#include <new>

#include "Objects/GameClock.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "System/ErrorReport.h"

TimerArray timer_array;

namespace {

timer_entry& Entry(std::uint16_t e) { return timer_array.entries[e]; }

// Capacity after growth, never reaching 0xFFFF (the end mark).
bool Grow_Timer_Array() {
    std::uint32_t old_capacity = timer_array.Capacity();
    std::uint32_t capacity = old_capacity + TIMER_ARRAY_STEP;
    if (capacity > 0xFFFF) capacity = 0xFFFF;
    if (capacity == old_capacity) return false;
    try {
        timer_array.entries.resize(capacity, timer_entry{});
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::uint32_t e = capacity; e-- > old_capacity;) Timer_Free(static_cast<std::uint16_t>(e));
    return true;
}

void Deliver(std::uint16_t m, std::uint16_t request) {
    // A pool replaced under the array, or a record freed without its
    // events: nothing to deliver to.
    if (m >= mod_array.Capacity() || Modifier_Is_Free(m)) return;
    const modifier& r = mod_array.records[m];
    obj_ref owner = r.owner;
    if (request == REQ_REMOVED) {
        Remove_Modifier(owner, m);
        return;
    }
    if (r.flags & MOD_INACTIVE) return;
    if (r.type >= MOD_KIND_COUNT) return;
    if (mod_handler h = mod_types[r.type].handler) h(owner, owner, 0, m, request, 0);
}

}  // namespace

void Timer_Init() {
    timer_array.first_free = NO_INDEX;
    timer_array.active = NO_INDEX;
    try {
        timer_array.entries.assign(TIMER_ARRAY_START, timer_entry{});
    } catch (const std::bad_alloc&) {
        timer_array.entries.clear();
        Error_Query_Quit("Can't allocate timer-array!");
        return;
    }
    for (std::uint32_t e = TIMER_ARRAY_START; e-- > 0;) Timer_Free(static_cast<std::uint16_t>(e));
}

void Timer_Free(std::uint16_t e) {
    if (e >= timer_array.Capacity()) return;
    timer_entry& t = Entry(e);
    t.due = TIMER_FREE_DUE;
    t.modifier = TIMER_FREE_MODIFIER;
    t.request = REQ_FREE_TIMER;
    t.next = timer_array.first_free;
    timer_array.first_free = e;
}

void Timer_Add(std::uint32_t delay, std::uint16_t modifier, std::uint16_t request) {
    if (timer_array.first_free == NO_INDEX && !Grow_Timer_Array()) {
        Error_Query_Quit("Can't expand timer-array!");
        return;
    }
    std::uint16_t e = timer_array.first_free;
    timer_entry& t = Entry(e);
    timer_array.first_free = t.next;
    t.due = static_cast<std::int32_t>(game_clock + delay);
    t.modifier = modifier;
    t.request = request;

    std::uint16_t head = timer_array.active;
    if (head == NO_INDEX || Entry(head).due > t.due) {
        t.next = head;
        timer_array.active = e;
        return;
    }
    // After the first entry and every following one due strictly earlier.
    std::uint16_t prev = head;
    while (Entry(prev).next != NO_INDEX && Entry(Entry(prev).next).due < t.due) prev = Entry(prev).next;
    t.next = Entry(prev).next;
    Entry(prev).next = e;
}

void Timer_Remove_Mod(std::uint16_t m) {
    std::uint16_t prev = NO_INDEX;
    std::uint32_t steps = 0;
    for (std::uint16_t e = timer_array.active; e != NO_INDEX && ++steps <= timer_array.Capacity();) {
        std::uint16_t next = Entry(e).next;
        if (Entry(e).modifier == m) {
            if (prev == NO_INDEX)
                timer_array.active = next;
            else
                Entry(prev).next = next;
            Timer_Free(e);
        } else {
            prev = e;
        }
        e = next;
    }
}

bool Timer_Pending(std::uint16_t m, std::uint16_t request) {
    std::uint32_t steps = 0;
    for (std::uint16_t e = timer_array.active; e != NO_INDEX && ++steps <= timer_array.Capacity(); e = Entry(e).next)
        if (Entry(e).modifier == m && Entry(e).request == request) return true;
    return false;
}

void Timer_Clear() {
    // Every entry back on the free list, handed out from 0 upward again.
    timer_array.active = NO_INDEX;
    timer_array.first_free = NO_INDEX;
    for (std::uint32_t e = timer_array.Capacity(); e-- > 0;) Timer_Free(static_cast<std::uint16_t>(e));
}

void Run_Due_Timers() {
    const auto now = static_cast<std::int32_t>(game_clock);
    while (timer_array.active != NO_INDEX && Entry(timer_array.active).due < now) {
        std::uint16_t e = timer_array.active;
        std::uint16_t m = Entry(e).modifier;
        std::uint16_t request = Entry(e).request;
        timer_array.active = Entry(e).next;
        Timer_Free(e);
        Deliver(m, request);
    }
}
