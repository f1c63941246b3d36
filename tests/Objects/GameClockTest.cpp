#include <gtest/gtest.h>

#include "Objects/GameClock.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Timers.h"
#include "support/RecordingHandler.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

TEST(GameClock, ANewGameStartsAtTheFirstMomentOfYearOne) {
    Set_Game_Clock(5);
    Reset_Game_Clock();
    EXPECT_EQ(game_clock, 497664000u);
    EXPECT_EQ(Split_Game_Time(static_cast<std::int32_t>(game_clock)), 0);
    EXPECT_EQ(game_time.year, 1);
    EXPECT_EQ(game_time.month, 0);
    EXPECT_EQ(game_time.day, 0);
    EXPECT_EQ(game_time.hour, 0);
    EXPECT_EQ(game_time.minute, 0);
    EXPECT_EQ(game_time.weekday, 3);  // 360 days mod 7
}

TEST(GameClock, CalendarRoundTrips) {
    struct Case {
        std::int16_t year, month, day, hour, minute;
        std::uint32_t ticks;
        std::int16_t weekday;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 1, 960, 0},
        {0, 0, 0, 1, 0, 57600, 0},
        {0, 0, 1, 0, 0, 1382400, 1},
        {0, 1, 0, 0, 0, 41472000, 30 % 7},
        {1, 2, 3, 4, 5, 497664000u + 2 * 41472000u + 3 * 1382400u + 4 * 57600u + 5 * 960u, (360 + 60 + 3) % 7},
        {3, 11, 29, 23, 59, 3 * 497664000u + 11 * 41472000u + 29 * 1382400u + 23 * 57600u + 59 * 960u,
         (3 * 360 + 11 * 30 + 29) % 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticks);
        std::uint32_t t = Make_Game_Time(c.year, c.month, c.day, c.hour, c.minute);
        EXPECT_EQ(t, c.ticks);
        EXPECT_EQ(Make_Game_Date(c.year, c.month, c.day) + Make_Time_Of_Day(c.hour, c.minute), t);
        // A tick short of the next minute still reads the same minute.
        EXPECT_EQ(Split_Game_Time(static_cast<std::int32_t>(t + 959)), c.minute);
        EXPECT_EQ(game_time.year, c.year);
        EXPECT_EQ(game_time.month, c.month);
        EXPECT_EQ(game_time.day, c.day);
        EXPECT_EQ(game_time.hour, c.hour);
        EXPECT_EQ(game_time.weekday, c.weekday);
    }
}

TEST(GameClock, AdvancingDeliversTheEventsThatFellDue) {
    Reset_Timed_World(3, 3);
    ScopedHandler kind(MK_GIANT_STRENGTH);
    std::uint16_t m = Add_Modifier(0, Fix_Ref(4), MK_GIANT_STRENGTH, 0, 0, 0, 0);
    Timer_Add(10, m, REQ_TIMER);
    Advance_Game_Clock(10);
    EXPECT_TRUE(kind.Applied(REQ_TIMER).empty());  // due at the clock, not before it
    Advance_Game_Clock(1);
    EXPECT_EQ(kind.Applied(REQ_TIMER), (std::vector<std::uint16_t>{m}));
    EXPECT_EQ(game_clock, 497664011u);
}

}  // namespace
