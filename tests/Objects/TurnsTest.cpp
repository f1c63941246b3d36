// Turn mode, rounds and the choice of the next actor.
#include <gtest/gtest.h>

#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/Modifiers.h"
#include "Objects/Timers.h"
#include "Objects/Turns.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::int16_t FULL = 12;  // a character's maximum action points

struct Actor {
    std::uint16_t state;
    std::int16_t points;
    bool active = true;
};

class Turns : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(20, 10);
        Timer_Init();
        game_clock = 1000;
    }

    // Characters in a row with the given states and action points.
    std::vector<std::uint16_t> Cast(const std::vector<Actor>& actors) {
        std::vector<std::uint16_t> out;
        int x = 0;
        for (const Actor& a : actors) {
            const std::uint16_t c = Place_Char(Field_Index(x++, 0, 0), "A", 3);
            char_record& r = chararray.records[c];
            r.state = a.state;
            r.action_points = a.points;
            if (!a.active) r.hp = 0;
            out.push_back(c);
        }
        return out;
    }
};

TEST_F(Turns, NextActorRanksByPointsThenByShareLeft) {
    struct Case {
        const char* what;
        std::vector<Actor> actors;
        int expected;  // position in actors
    };
    const std::vector<Case> cases = {
        {"most points among deciding", {{CS_DECIDING, 3}, {CS_DECIDING, 8}, {CS_EXECUTE, 5}}, 1},
        {"ties go to the lower index", {{CS_DONE, 6}, {CS_DECIDING, 6}}, 0},
        {"deciding with any points before waiting", {{CS_WAITING, 12}, {CS_DECIDING, 1}}, 1},
        {"then the largest share left", {{CS_WAITING, 6}, {CS_STEPPING, 9}, {CS_TURN_DONE, 3}}, 1},
        {"guarding sits out", {{CS_GUARDING, 12}, {CS_WAITING, 2}}, 1},
        {"states above 8 sit out", {{CS_ITEM_ACT, 12}, {CS_ACT_PREPARED, 1}}, 1},
        {"the inactive sit out", {{CS_DECIDING, 12, false}, {CS_DECIDING, 2}}, 1},
        {"no points is no candidate", {{CS_DECIDING, 0}, {CS_EXECUTING, 4}}, 1},
    };
    for (const Case& k : cases) {
        SetUp();
        turn_mode = 1;
        const std::vector<std::uint16_t> cast = Cast(k.actors);
        EXPECT_EQ(Next_Actor(), cast[static_cast<std::size_t>(k.expected)]) << k.what;
        EXPECT_EQ(selected[0], cast[static_cast<std::size_t>(k.expected)]) << k.what;
        EXPECT_EQ(game_clock, 1000u) << k.what;  // nobody needed a new round
    }
}

TEST_F(Turns, WithNobodyLeftANewRoundRefillsAndPicks) {
    turn_mode = 1;
    const std::vector<std::uint16_t> cast = Cast({{CS_GUARDING, 5}, {CS_WAITING, -4}, {CS_DONE, 0}});
    EXPECT_EQ(Next_Actor(), cast[0]);
    EXPECT_EQ(game_clock, 1000u + 192);
    EXPECT_EQ(chararray.records[cast[0]].state, CS_DECIDING);
    EXPECT_EQ(chararray.records[cast[1]].state, CS_DECIDING);
    EXPECT_EQ(chararray.records[cast[0]].action_points, FULL);
    EXPECT_EQ(chararray.records[cast[1]].action_points, FULL - 4);  // the debt carries over
    EXPECT_EQ(chararray.records[cast[2]].action_points, FULL);
}

TEST_F(Turns, NobodyAbleToActEndsAfterOneNewRound) {
    turn_mode = 1;
    const std::vector<std::uint16_t> cast = Cast({{CS_WAITING, 0}, {CS_DECIDING, 0}});
    for (std::uint16_t c : cast) Add_Modifier(0, Char_Ref(c), MK_HASTE, 0, 0, 0, 0);
    ScopedHandler no_points(
        MK_HASTE, [](const HandlerCall& call) { return call.request == REQ_MAX_ACTION_POINTS ? 0 : call.value; });
    EXPECT_EQ(Next_Actor(), NO_INDEX);
    EXPECT_EQ(game_clock, 1000u + 192);
}

TEST_F(Turns, NextActorDoesNothingInRealTime) {
    turn_mode = 0;
    Cast({{CS_DECIDING, 5}});
    EXPECT_EQ(Next_Actor(), NO_INDEX);
    EXPECT_EQ(selected_count, 0);
}

TEST_F(Turns, NewRoundAllOnlyInTurnMode) {
    const std::vector<std::uint16_t> cast = Cast({{CS_GUARDING, -3}});
    turn_mode = 0;
    New_Round_All();
    EXPECT_EQ(game_clock, 1000u);
    EXPECT_EQ(chararray.records[cast[0]].action_points, -3);
    turn_mode = 1;
    New_Round_All();
    EXPECT_EQ(game_clock, 1000u + 192);
    EXPECT_EQ(chararray.records[cast[0]].action_points, FULL - 3);
    EXPECT_EQ(chararray.records[cast[0]].state, CS_DECIDING);
}

TEST_F(Turns, EnteringAndLeavingTurnMode) {
    game_speed = 9;
    clock_step = 9;
    const std::vector<std::uint16_t> cast = Cast({{CS_WAITING, 2}, {CS_GUARDING, -5}, {CS_STEPPING, 1}});
    Enter_Turn_Mode();
    EXPECT_EQ(turn_mode, 1u);
    EXPECT_EQ(clock_step, TURN_CLOCK_STEP);
    EXPECT_EQ(game_clock, 1000u);  // entering refills without a new round
    for (std::uint16_t c : cast) EXPECT_EQ(chararray.records[c].action_points, FULL);
    EXPECT_EQ(chararray.records[cast[0]].state, CS_DECIDING);
    EXPECT_EQ(chararray.records[cast[1]].state, CS_DECIDING);
    EXPECT_EQ(chararray.records[cast[2]].state, CS_STEPPING);
    EXPECT_EQ(selected[0], cast[0]);
    EXPECT_EQ(selected_count, 1);

    Leave_Turn_Mode();
    EXPECT_EQ(turn_mode, 0u);
    EXPECT_EQ(clock_step, 9u);
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(selected[0], NO_INDEX);
}

TEST_F(Turns, NewRoundSelectsTheGivenCharacter) {
    const std::vector<std::uint16_t> cast = Cast({{CS_DECIDING, 1}, {CS_DECIDING, 1}});
    New_Round(Char_Ref(cast[1]));
    EXPECT_EQ(turn_mode, 1u);
    EXPECT_EQ(selected[0], cast[1]);
}

}  // namespace
