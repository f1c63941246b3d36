// The monster programs: what each proposes when its character decides, the
// answers that shape its character, the standing guard's reactions, and a
// patrol walked in real time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "support/ActWorld.h"
#include "support/TickWorld.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class MonsterPrograms : public ::testing::Test {
  protected:
    void SetUp() override { Reset_Tick_World(10, 10); }
    char_record& Rec(std::uint16_t c) { return chararray.records[c]; }
    std::uint16_t Slot(std::uint16_t c) { return chararray.records[c].ai_slot; }
    RequestValue Ask(std::uint16_t c, request_no r, RequestValue value = 0) {
        return Object_Request(Char_Ref(c), Char_Ref(c), 0, r, value);
    }
    // Request 15 as a decision asks it; the slot's list afterwards.
    std::string Proposals(std::uint16_t c) {
        Take_Acts(Slot(c));
        Ask(c, REQ_AI_PROPOSALS);
        return Act_List(Slot(c));
    }
    obj_ref First_Target(std::uint16_t c) { return actarray.records[iqarray.records[Slot(c)].first_act].target; }
    void Move(std::uint16_t c, std::uint16_t field) {
        Remove_Object(Char_Ref(c));
        Put_Object_To_Field(Char_Ref(c), field);
    }
};

TEST_F(MonsterPrograms, ABasicMonsterWandersToAnyCellOfItsSquareOnTheMap) {
    struct Case {
        std::uint32_t x, y;
        int rx, ry;  // the two random numbers (0..2)
        int tx, ty;  // the proposed field; -1 none
    };
    const std::vector<Case> cases = {
        {4, 4, 0, 0, 3, 3},   {4, 4, 2, 2, 5, 5},   {4, 4, 1, 1, 4, 4},   {4, 4, 2, 0, 5, 3},
        {0, 0, 0, 1, -1, -1}, {0, 0, 1, 0, -1, -1}, {9, 9, 2, 1, -1, -1}, {0, 9, 1, 2, -1, -1},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t monster = Place_Stranger(Field_At(k.x, k.y));
        Give_Program(monster, MK_BASIC_MONSTER, 0, 0, 0, 17);
        ScopedRandom random({k.rx, k.ry});
        const std::string list = Proposals(monster);
        if (k.tx < 0) {
            EXPECT_EQ(list, "") << k.x << "," << k.y << " " << k.rx << k.ry;
            continue;
        }
        EXPECT_EQ(list, "3:17") << k.x << "," << k.y << " " << k.rx << k.ry;
        EXPECT_EQ(First_Target(monster), Fix_Ref(Field_At(k.tx, k.ty)));
    }
    const std::uint16_t monster = 0;
    EXPECT_EQ(Ask(monster, REQ_HOSTILITY_BASE), 80);
    EXPECT_EQ(Ask(monster, REQ_83), 0);  // no closed doors for it
}

TEST_F(MonsterPrograms, AMovingGuardPacesBetweenTheEndsOfItsPatrol) {
    const std::uint16_t p1 = Field_At(1, 5), p2 = Field_At(8, 5);
    const std::uint16_t guard = Place_Stranger(Field_At(3, 5));
    const std::uint16_t m = Give_Program(guard, MK_MOVING_GUARD, p1, p2, 25, 0);

    // Away from both ends and from where it last stood: nothing yet.
    EXPECT_EQ(Proposals(guard), "");
    EXPECT_EQ(mod_array.records[m].p4, Field_At(3, 5));
    // Still there: off to the end farther from where it stood.
    EXPECT_EQ(Proposals(guard), "3:25");
    EXPECT_EQ(First_Target(guard), Fix_Ref(p2));
    // Moved, but on neither end: nothing.
    Move(guard, Field_At(4, 5));
    EXPECT_EQ(Proposals(guard), "");

    // On an end: to the other one.
    Move(guard, p2);
    EXPECT_EQ(Proposals(guard), "3:25");
    EXPECT_EQ(First_Target(guard), Fix_Ref(p1));
    EXPECT_EQ(Proposals(guard), "3:25");
    EXPECT_EQ(First_Target(guard), Fix_Ref(p1));
    Move(guard, p1);
    EXPECT_EQ(Proposals(guard), "3:25");
    EXPECT_EQ(First_Target(guard), Fix_Ref(p2));

    // Ends equally far from where it stood still: the second end.
    Move(guard, Field_At(4, 2));
    mod_array.records[m].p1 = Field_At(2, 2);
    mod_array.records[m].p2 = Field_At(6, 2);
    mod_array.records[m].p4 = Field_At(4, 2);
    EXPECT_EQ(Proposals(guard), "3:25");
    EXPECT_EQ(First_Target(guard), Fix_Ref(Field_At(6, 2)));
    EXPECT_EQ(Ask(guard, REQ_HOSTILITY_BASE), 10);
}

TEST_F(MonsterPrograms, AMovingGuardWalksItsPatrolByItself) {
    const std::uint16_t p1 = Field_At(1, 5), p2 = Field_At(6, 5);
    const std::uint16_t guard = Place_Stranger(Field_At(1, 5));
    Give_Program(guard, MK_MOVING_GUARD, p1, p2, 25, 0);
    std::vector<std::uint16_t> reached{p1};
    for (int t = 0; t < 3000 && reached.size() < 3; ++t) {
        Main_Tick();
        const std::uint16_t at = Object_Field(Char_Ref(guard));
        if ((at == p1 || at == p2) && reached.back() != at && Rec(guard).state != CS_STEPPING) reached.push_back(at);
    }
    EXPECT_EQ(reached, (std::vector<std::uint16_t>{p1, p2, p1}));
    EXPECT_TRUE(World_Problems().empty());
}

TEST_F(MonsterPrograms, AStandingGuardKeepsItsPostAndLooksItsWay) {
    const std::uint16_t guard = Place_Stranger(Field_At(4, 4));
    Rec(guard).facing = 3;
    const std::uint16_t m = Give_Program(guard, MK_STANDING_GUARD, 0, 0, 30, 0);
    EXPECT_EQ(mod_array.records[m].p1, Field_At(4, 4));
    EXPECT_EQ(mod_array.records[m].p2, 3);

    {
        ScopedRandom random({1});
        EXPECT_EQ(Proposals(guard), "");
        EXPECT_EQ(iqarray.records[Slot(guard)].state, 30);
    }
    {
        ScopedRandom random({0});
        EXPECT_EQ(Proposals(guard), "2:10");
        EXPECT_EQ(First_Target(guard), Fix_Ref(Neighbour_Field(Field_At(4, 4), 3)));
    }
    // Pushed off its post: back with the mission's priority, state forgotten.
    Move(guard, Field_At(6, 6));
    EXPECT_EQ(Proposals(guard), "3:30");
    EXPECT_EQ(First_Target(guard), Fix_Ref(Field_At(4, 4)));
    EXPECT_EQ(iqarray.records[Slot(guard)].state, 0);
    EXPECT_EQ(Ask(guard, REQ_HOSTILITY_BASE), 10);
}

TEST_F(MonsterPrograms, AStandingGuardTurnsTowardWhatItPerceives) {
    struct Case {
        const char* what;
        act_desc* act;
        std::int32_t sight, hearing;
        std::uint16_t state;
        std::uint32_t turn;
        const char* list;
        std::uint8_t facing;
    };
    const std::vector<Case> cases = {
        {"a blow it saw", &attack_right_act, 3, NO_DISTANCE, CS_DECIDING, 0, "2:29", 1},
        {"a step it heard", &step_act, NO_DISTANCE, 3, CS_DECIDING, 0, "2:29", 1},
        {"someone merely guarding", &guard_act, 3, 3, CS_DECIDING, 0, "", 1},
        {"nothing perceived", &attack_right_act, NO_DISTANCE, NO_DISTANCE, CS_DECIDING, 0, "", 1},
        {"busy stepping itself", &attack_right_act, 3, 3, CS_STEPPING, 0, "", 1},
        {"in turn mode at once", &attack_right_act, 3, 3, CS_DECIDING, 1, "", 4},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t guard = Place_Stranger(Field_At(5, 5));
        const std::uint16_t actor = Place_Stranger(Field_At(2, 5));
        Give_Program(guard, MK_STANDING_GUARD, 0, 0, 30, 0);
        Rec(guard).state = k.state;
        turn_mode = k.turn;
        Take_Acts(Slot(guard));
        perception_record notice{Char_Ref(actor),
                                 NOOBJ,
                                 k.act,
                                 game_clock,
                                 0,
                                 0,
                                 k.sight,
                                 k.hearing,
                                 Slot(guard),
                                 &iqarray.records[Slot(guard)]};
        EXPECT_EQ(Ask(guard, REQ_NOTICE_STEP, Pointer_Value(&notice)), Pointer_Value(&notice)) << k.what;
        EXPECT_EQ(Act_List(Slot(guard)), k.list) << k.what;
        if (k.list[0] != '\0') {
            EXPECT_EQ(First_Target(guard), Char_Ref(actor)) << k.what;
        }
        EXPECT_EQ(Rec(guard).facing, k.facing) << k.what;
    }
}

TEST_F(MonsterPrograms, TheMainCharacterIsKnownByItsProgram) {
    const std::uint16_t hero = Place_Hero(Field_At(2, 2));
    EXPECT_EQ(Ask(hero, REQ_MAIN_CHAR), 0);
    Give_Program(hero, MK_MAIN_CHAR);
    EXPECT_EQ(Ask(hero, REQ_MAIN_CHAR), 1);
    EXPECT_EQ(Ask(hero, REQ_AI_PROPOSALS, 5), 5);  // nothing else is answered
}

}  // namespace
