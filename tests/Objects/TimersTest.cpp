#include <gtest/gtest.h>

#include <vector>

#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Timers.h"
#include "support/RecordingHandler.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint32_t START = 1000;

struct Pending {
    std::int32_t due;
    std::uint16_t modifier, request;
    bool operator==(const Pending&) const = default;
};

std::vector<Pending> Active_List() {
    std::vector<Pending> out;
    for (std::uint16_t e = timer_array.active; e != NO_INDEX && out.size() <= timer_array.Capacity();
         e = timer_array.records[e].next) {
        const timer_entry& t = timer_array.records[e];
        out.push_back({t.due, t.modifier, t.request});
    }
    return out;
}

std::size_t Free_Count() {
    std::size_t n = 0;
    for (std::uint16_t e = timer_array.first_free; e != NO_INDEX && n <= timer_array.Capacity();
         e = timer_array.records[e].next)
        ++n;
    return n;
}

class Timers : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Timed_World(5, 5);
        Set_Game_Clock(START);
        owner = Fix_Ref(12);
    }
    std::uint16_t New_Mod() { return Add_Modifier(0, owner, MK_GIANT_STRENGTH, 0, 0, 0, 0); }

    ScopedHandler kind{MK_GIANT_STRENGTH};
    obj_ref owner = NOOBJ;
};

TEST_F(Timers, AFreshArrayHandsOutEntriesFromZeroUp) {
    EXPECT_EQ(timer_array.Capacity(), 1000);
    EXPECT_EQ(timer_array.active, NO_INDEX);
    EXPECT_EQ(Free_Count(), 1000u);
    const timer_entry& free_entry = timer_array.records[999];
    EXPECT_EQ(free_entry.due, -1);
    EXPECT_EQ(free_entry.modifier, 3000);
    EXPECT_EQ(free_entry.request, 178);
    std::uint16_t m = New_Mod();
    Timer_Add(5, m, REQ_TIMER);
    Timer_Add(5, m, REQ_TIMER);
    EXPECT_EQ(timer_array.active, 0);
    EXPECT_EQ(timer_array.records[0].next, 1);
}

TEST_F(Timers, EqualDueTimesKeepTheFirstThenTheLatestArrival) {
    std::uint16_t e1 = New_Mod(), e2 = New_Mod(), e3 = New_Mod();
    Timer_Add(5, e1, REQ_TIMER);
    Timer_Add(5, e2, REQ_TIMER);
    Timer_Add(5, e3, REQ_TIMER);
    Advance_Game_Clock(6);
    EXPECT_EQ(kind.Applied(REQ_TIMER), (std::vector<std::uint16_t>{e1, e3, e2}));
}

TEST_F(Timers, TheListStaysInOrderOfDueTime) {
    std::uint16_t a = New_Mod(), b = New_Mod(), c = New_Mod(), d = New_Mod();
    Timer_Add(20, a, REQ_TIMER);
    Timer_Add(10, b, REQ_TIMER);  // earlier than the first: the new first
    Timer_Add(30, c, REQ_TIMER);  // the latest: the end
    Timer_Add(15, d, REQ_TIMER);  // between
    EXPECT_EQ(
        Active_List(),
        (std::vector<Pending>{{1010, b, REQ_TIMER}, {1015, d, REQ_TIMER}, {1020, a, REQ_TIMER}, {1030, c, REQ_TIMER}}));
}

TEST_F(Timers, AnEventWithoutDelayWaitsForTheNextAdvance) {
    std::uint16_t m = New_Mod();
    Timer_Add(0, m, REQ_TIMER);
    Run_Due_Timers();
    EXPECT_TRUE(kind.Applied(REQ_TIMER).empty());
    Advance_Game_Clock(1);
    EXPECT_EQ(kind.Applied(REQ_TIMER).size(), 1u);
}

TEST_F(Timers, EventsAddedWhileDeliveringWaitForALaterAdvance) {
    ScopedHandler rearm(MK_HASTE, [](const HandlerCall& call) {
        if (call.request == REQ_TIMER) Timer_Add(0, call.modifier, REQ_TIMER);
        return call.value;
    });
    std::uint16_t m = Add_Modifier(0, owner, MK_HASTE, 0, 0, 0, 0);
    Timer_Add(0, m, REQ_TIMER);
    Advance_Game_Clock(1);
    EXPECT_EQ(rearm.Applied(REQ_TIMER).size(), 1u);
    Advance_Game_Clock(1);
    EXPECT_EQ(rearm.Applied(REQ_TIMER).size(), 2u);
    EXPECT_EQ(Active_List().size(), 1u);
}

TEST_F(Timers, DeletingAModifierDropsItsEventsWhereverTheyStand) {
    std::uint16_t gone = New_Mod(), x = New_Mod(), y = New_Mod();
    Timer_Add(10, gone, REQ_TIMER);  // first
    Timer_Add(20, x, REQ_TIMER);
    Timer_Add(30, gone, 150);  // middle
    Timer_Add(40, y, REQ_TIMER);
    Timer_Add(50, gone, REQ_REMOVED);  // last
    std::size_t free_before = Free_Count();
    Remove_Modifier(owner, gone);
    EXPECT_EQ(Active_List(), (std::vector<Pending>{{1020, x, REQ_TIMER}, {1040, y, REQ_TIMER}}));
    EXPECT_EQ(Free_Count(), free_before + 3);
    EXPECT_TRUE(Modifier_Is_Free(gone));
}

TEST_F(Timers, AnInactiveModifierHearsNothingButItsEndStillComes) {
    std::uint16_t ticking = New_Mod(), ending = New_Mod(), live = New_Mod();
    mod_array[ticking].flags |= MOD_INACTIVE;
    mod_array[ending].flags |= MOD_INACTIVE;
    Timer_Add(1, ticking, REQ_TIMER);
    Timer_Add(1, ending, REQ_REMOVED);
    Timer_Add(1, live, REQ_REMOVED);
    kind.calls.clear();
    Advance_Game_Clock(5);
    // Only the active modifier is told it is removed; both ending ones go.
    EXPECT_EQ(kind.Applied(REQ_TIMER), std::vector<std::uint16_t>{});
    EXPECT_EQ(kind.Applied(REQ_REMOVED), (std::vector<std::uint16_t>{live}));
    EXPECT_FALSE(Modifier_Is_Free(ticking));
    EXPECT_TRUE(Modifier_Is_Free(ending));
    EXPECT_TRUE(Modifier_Is_Free(live));
    EXPECT_TRUE(Active_List().empty());
}

TEST_F(Timers, EventsGoToTheOwnerTheModifierHasAtDelivery) {
    std::uint16_t m = New_Mod();
    Timer_Add(1, m, REQ_TIMER);
    mod_array[m].owner = Fix_Ref(7);
    Advance_Game_Clock(2);
    ASSERT_EQ(kind.Applied(REQ_TIMER).size(), 1u);
    EXPECT_EQ(kind.calls.back().subject, Fix_Ref(7));
    EXPECT_EQ(kind.calls.back().object, Fix_Ref(7));
    EXPECT_EQ(kind.calls.back().value, 0);
}

TEST_F(Timers, TheThousandAndFirstEventGrowsTheArray) {
    std::uint16_t m = New_Mod(), marker = New_Mod();
    for (int i = 0; i < 1000; ++i) Timer_Add(100, m, REQ_TIMER);
    EXPECT_EQ(timer_array.Capacity(), 1000);
    Timer_Add(7, marker, REQ_TIMER);
    EXPECT_EQ(timer_array.Capacity(), 1100);
    EXPECT_EQ(timer_array.records[1000].modifier, marker);
    EXPECT_EQ(timer_array.active, 1000);
    EXPECT_EQ(Free_Count(), 99u);
}

TEST_F(Timers, ClearingForANewMapDropsEveryEvent) {
    std::uint16_t m = New_Mod();
    for (int i = 0; i < 5; ++i) Timer_Add(static_cast<std::uint32_t>(i), m, REQ_TIMER);
    Timer_Clear();
    EXPECT_TRUE(Active_List().empty());
    EXPECT_EQ(Free_Count(), 1000u);
    Advance_Game_Clock(100);
    EXPECT_TRUE(kind.Applied(REQ_TIMER).empty());
    Timer_Add(1, m, REQ_TIMER);
    EXPECT_EQ(timer_array.active, 0);
}

TEST_F(Timers, ANewModifierPoolForANewMapDropsEveryEvent) {
    std::uint16_t m = New_Mod();  // record 1
    Timer_Add(1, m, REQ_TIMER);
    Timer_Add(2, m, REQ_REMOVED);
    // Records 1..10 of the new pool are left for the new map's loader.
    Init_Mod_Array(10);
    EXPECT_TRUE(Active_List().empty());
    EXPECT_EQ(Free_Count(), 1000u);
    // The new map's modifier in the same record hears nothing of the old one.
    mod_array[m] = modifier{0, 0, owner, MK_GIANT_STRENGTH, 0, 0, 0, 0, NO_INDEX};
    maparray[Obj_Index(owner)].first_mod = m;
    kind.calls.clear();
    Advance_Game_Clock(10);
    EXPECT_TRUE(kind.calls.empty());
    EXPECT_EQ(maparray[Obj_Index(owner)].first_mod, m);
}

}  // namespace
