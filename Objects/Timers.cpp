#include "Objects/Timers.h"

#include "Objects/GameClock.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "System/ErrorReport.h"

TimerArray timer_array;

namespace {

timer_entry& Entry(std::uint16_t e) { return timer_array.records[e]; }

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
    timer_array.active = NO_INDEX;
    if (!timer_array.Allocate(TIMER_ARRAY_START)) {
        Error_Query_Quit("Can't allocate timer-array!");
        return;
    }
    timer_array.Chain_Free(0, TIMER_ARRAY_START);
}

void Timer_Release() {
    timer_array.Release();
    timer_array.active = NO_INDEX;
}

void Timer_Free(std::uint16_t e) {
    if (e < timer_array.Capacity()) timer_array.Push(e);
}

void Timer_Add(std::uint32_t delay, std::uint16_t modifier, std::uint16_t request) {
    const std::uint16_t e = timer_array.New();
    if (e == NO_INDEX) {
        Error_Query_Quit("Can't expand timer-array!");
        return;
    }
    timer_entry& t = Entry(e);
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
    timer_array.first_free = timer_array.End();
    timer_array.Chain_Free(0, timer_array.Capacity());
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
