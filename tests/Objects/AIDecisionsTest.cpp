// Decisions and act execution: the weighing of seen enemies, the five best
// acts, the obedience of the player's characters, each act kind, walking,
// the flight field, attacks of opportunity and the changes of relations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/PathWorld.h"
#include "support/RecordingHandler.h"
#include "support/TickWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class Deciding : public ::testing::Test {
  protected:
    void SetUp() override { Reset_Tick_World(12, 12); }
    void TearDown() override { Drop_All_Held_Target_Lists(); }
    char_record& Rec(std::uint16_t c) { return chararray.records[c]; }
    std::uint16_t Slot(std::uint16_t c) { return chararray.records[c].ai_slot; }
    std::int8_t Relation(std::uint16_t a, std::uint16_t b) { return *Relation_Cell(Slot(a), Slot(b)); }
    void Set(std::uint16_t a, std::uint16_t b, std::int8_t v) { Set_Relation(Slot(a), Slot(b), v); }
    const act_entry& First_Act(std::uint16_t c) { return actarray.records[iqarray.records[Slot(c)].first_act]; }
};

// ---- Choosing ----

TEST_F(Deciding, ASeenEnemyBecomesAnAttackWeighedByRelationAndReach) {
    struct Case {
        const char* what;
        std::int8_t relation;
        RequestValue a, b;  // requests 72 and 73
        std::int16_t target_hp;
        const char* list;
    };
    const std::vector<Case> cases = {
        {"hostile, reached with 8 of 12 left", -21, 30, 100, 20, "6:27 0:0 0:0 0:0 0:0"},
        {"-20 is no hostility", -20, 30, 100, 20, "0:0 0:0 0:0 0:0 0:0"},
        {"a priority of 2 is raised to 5", -21, 30, 26, 20, "6:5 0:0 0:0 0:0 0:0"},
        {"a fallen target is no enemy", -100, 30, 100, 0, "0:0 0:0 0:0 0:0 0:0"},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t monster = Place_Stranger(Field_At(0, 5));
        const std::uint16_t target = Place_Hero(Field_At(2, 5));
        Set(monster, target, k.relation);
        Rec(target).hp = k.target_hp;
        const RequestValue a = k.a, b = k.b;
        ScopedHandler figures(MK_IRON_SKIN, [a, b](const HandlerCall& call) {
            if (call.request == REQ_HOSTILITY_BASE) return a;
            if (call.request == REQ_ATTACK_PRIORITY_CAP) return b;
            return call.value;
        });
        Add_Modifier(0, Char_Ref(monster), MK_IRON_SKIN, 0, 0, 0, 0);
        Note_Seen_Object(Slot(monster), Char_Ref(target));
        Choose_Act(Slot(monster));
        EXPECT_EQ(Act_List(Slot(monster)), k.list) << k.what;
        if (k.list[0] == '6') {
            EXPECT_EQ(First_Act(monster).target, Char_Ref(target)) << k.what;
        }
    }
}

TEST_F(Deciding, TheListKeepsTheFiveBestInOrderAndRepeatsAnEmptiedAct) {
    struct Case {
        std::vector<std::int32_t> proposals;
        const char* list;
    };
    const std::vector<Case> cases = {
        {{9, 9, 8, 5, 3, 1, 0}, "1:9 1:9 1:8 1:5 1:3"},
        {{2, 7}, "1:7 1:2 0:0 0:0 0:0"},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t monster = Place_Stranger(Field_At(5, 5));
        const std::uint16_t slot = Slot(monster);
        const std::vector<std::int32_t> proposals = k.proposals;
        ScopedHandler program(MK_BASIC_MONSTER, [slot, proposals](const HandlerCall& call) {
            if (call.request == REQ_AI_PROPOSALS)
                for (std::size_t i = 0; i < proposals.size(); ++i)
                    Add_Act(slot, ACT_NOTHING, NOOBJ, static_cast<std::uint32_t>(i), 0, proposals[i]);
            return call.value;
        });
        Give_Program(monster, MK_BASIC_MONSTER);
        Choose_Act(slot);
        EXPECT_EQ(Act_List(slot), k.list);
    }
}

TEST_F(Deciding, EqualPrioritiesKeepTheirListedOrder) {
    const std::uint16_t monster = Place_Stranger(Field_At(5, 5));
    const std::uint16_t slot = Slot(monster);
    ScopedHandler program(MK_BASIC_MONSTER, [slot](const HandlerCall& call) {
        if (call.request == REQ_AI_PROPOSALS)
            for (std::uint32_t id = 0; id < 3; ++id) Add_Act(slot, ACT_NOTHING, NOOBJ, id, 0, 9);
        return call.value;
    });
    Give_Program(monster, MK_BASIC_MONSTER);
    Choose_Act(slot);
    std::vector<std::uint32_t> ids;
    for (std::uint16_t a = iqarray.records[slot].first_act; ids.size() < 3; a = actarray.records[a].next)
        ids.push_back(actarray.records[a].arg1);
    // A new act goes before those of equal priority; the choice keeps that order.
    EXPECT_EQ(ids, (std::vector<std::uint32_t>{2, 1, 0}));
}

TEST_F(Deciding, InTurnModeTheLeaderIsShownItsPathAgainAndMustConfirmIt) {
    const std::uint16_t hero = Place_Hero(Field_At(2, 2));
    const std::uint16_t monster = Place_Stranger(Field_At(2, 8));
    turn_mode = 1;
    Select_Char(hero);
    ASSERT_EQ(Char_Go(Char_Ref(hero), Fix_Ref(Field_At(7, 2))), 1);
    ASSERT_EQ(Char_Go(Char_Ref(monster), Fix_Ref(Field_At(7, 8))), 1);
    Command_Char(hero, ACT_GO, OBJ_FIXITEM, Field_At(7, 2), 0, 0, -1);

    Choose_Act(Slot(hero));
    EXPECT_EQ(Char_Path(hero), nullptr);
    EXPECT_GT(cursordirs_count, 0);
    EXPECT_EQ(shown_path_dest, Field_At(7, 2));
    for (std::uint16_t a = iqarray.records[Slot(hero)].first_act; a != NO_INDEX; a = actarray.records[a].next)
        EXPECT_FALSE(actarray.records[a].type & ACT_USER_COMMAND);

    Hide_Path_Cursor();
    Choose_Act(Slot(monster));
    EXPECT_EQ(Char_Path(monster), nullptr);
    EXPECT_EQ(cursordirs_count, 0);
}

// ---- Obedience ----

TEST_F(Deciding, PlayersCharactersTakeOnlyAdviceAsWeightyAsTheirBondAndTheMainCharOnlyCommands) {
    struct Case {
        const char* what;
        bool main;  // the act is the main character's
        enum { LEADING, SECOND, FREE } selection;
        std::int32_t priority;  // of an AI act; -1 a user command
        bool carried_out;
    };
    const std::vector<Case> cases = {
        {"leader, advice below its bond", false, Case::LEADING, 99, false},
        {"leader, advice as weighty as its bond", false, Case::LEADING, 100, true},
        {"leader, a command", false, Case::LEADING, -1, true},
        {"second of the selection, advice below", false, Case::SECOND, 99, false},
        {"not selected, any advice", false, Case::FREE, 1, true},
        {"main character, advice", true, Case::LEADING, 99999, false},
        {"main character, a command", true, Case::LEADING, -1, true},
    };
    for (const Case& k : cases) {
        SetUp();
        std::uint16_t main = Place_Char(Field_At(6, 6), Char_Template("Main", 0));
        Give_Program(main, MK_MAIN_CHAR);
        Alloc_IQ_Slot(Char_Ref(main));
        ASSERT_EQ(main_char, main);
        const std::uint16_t hero = Place_Hero(Field_At(4, 4));
        const std::uint16_t who = k.main ? main : hero;
        const std::uint16_t other = k.main ? hero : main;
        if (k.selection == Case::LEADING) Select_Char(who);
        if (k.selection == Case::SECOND) {
            Select_Char(other);
            Toggle_Select_Char(who);
        }
        const std::uint16_t west = Field_At(Rec(who).x - 1, Rec(who).y);
        if (k.priority < 0)
            Command_Char(who, ACT_TURN, OBJ_FIXITEM, west, 0, 0, -1);
        else
            Add_Act(Slot(who), ACT_TURN, Fix_Ref(west), 0, 0, k.priority);
        const std::uint16_t state = Rec(who).state;
        Execute_Act(Slot(who));
        EXPECT_EQ(Rec(who).facing, k.carried_out ? 4 : 1) << k.what;
        if (!k.carried_out) {
            EXPECT_EQ(Rec(who).state, state) << k.what;
        }
    }
}

// ---- The kinds ----

TEST_F(Deciding, TurnsAreSpentTogetherAndActsPassedOverLoseFourBeforeTheCharacterGuards) {
    const std::uint16_t monster = Place_Stranger(Field_At(4, 4));
    const std::uint16_t slot = Slot(monster);
    Execute_Act(slot);  // an empty list: decide again
    EXPECT_EQ(Rec(monster).state, CS_DECIDING);

    Add_Act(slot, ACT_TURN, Fix_Ref(Field_At(2, 4)), 0, 0, 30);
    Add_Act(slot, ACT_TURN, NOOBJ, 4, 6, 20);
    Execute_Act(slot);
    EXPECT_EQ(Rec(monster).facing, 4);
    EXPECT_EQ(Act_List(slot), "0:0 0:0");
    EXPECT_EQ(Rec(monster).state, CS_DECIDING);  // a turn is done: no guarding

    Take_Acts(slot);
    Add_Act(slot, 7, NOOBJ, 0, 0, 30);
    Add_Act(slot, 9, NOOBJ, 0, 0, 20);
    Execute_Act(slot);
    EXPECT_EQ(Act_List(slot), "7:26 9:16");
    EXPECT_EQ(Rec(monster).state, CS_GUARDING);

    Take_Acts(slot);
    Add_Act(slot, ACT_TURN, NOOBJ, 4, 6, 20);
    Execute_Act(slot);
    EXPECT_EQ(Rec(monster).facing, 2);  // towards (4, 6) when the target names nothing
}

TEST_F(Deciding, GoingStopsOnTheFieldTurnsToANeighbourAndWalksFarther) {
    const std::uint16_t monster = Place_Stranger(Field_At(4, 4));
    const std::uint16_t slot = Slot(monster);
    Add_Act(slot, ACT_GO, Fix_Ref(Field_At(4, 4)), 0, 0, 20);
    Execute_Act(slot);
    EXPECT_EQ(Act_List(slot), "0:0");
    EXPECT_EQ(Char_Path(monster), nullptr);

    Take_Acts(slot);
    Add_Act(slot, ACT_GO, Fix_Ref(Field_At(3, 5)), 0, 0, 20);
    Execute_Act(slot);
    EXPECT_EQ(Rec(monster).facing, 3);
    ASSERT_NE(Char_Path(monster), nullptr);
    EXPECT_EQ(Rec(monster).path_target, Fix_Ref(Field_At(3, 5)));

    // On the way already: the path is kept.
    Take_Acts(slot);
    Add_Act(slot, ACT_GO, Fix_Ref(Field_At(9, 4)), 0, 0, 20);
    Execute_Act(slot);
    const std::uint32_t handle = Rec(monster).path;
    ASSERT_NE(Char_Path(monster), nullptr);
    Execute_Act(slot);
    EXPECT_EQ(Rec(monster).path, handle);

    // A program's state above the act's priority keeps the character put.
    Free_Char_Path(monster);
    Take_Acts(slot);
    iqarray.records[slot].state = 50;
    Add_Act(slot, ACT_GO, Fix_Ref(Field_At(9, 4)), 0, 0, 20);
    Execute_Act(slot);
    EXPECT_EQ(Char_Path(monster), nullptr);
    EXPECT_EQ(Act_List(slot), "3:16");
    EXPECT_EQ(Rec(monster).state, CS_GUARDING);
}

TEST_F(Deciding, AttacksStrikeNearChaseFarAndForgetTheFallen) {
    struct Case {
        const char* what;
        std::uint32_t target_x;
        std::int16_t target_hp;
        bool bow, arrows;
        const char* list;      // after the execution
        std::int16_t points;   // the attacker's action points after it (the bow costs its own)
        std::int8_t relation;  // the attacker's relation to the target after it, from -50
        std::uint16_t state;
    };
    const std::vector<Case> cases = {
        {"a neighbour is struck", 5, 20, false, false, "6:40", 6, -60, CS_TURN_DONE},
        {"a far target is chased", 8, 20, false, false, "6:35", 12, -47, CS_DECIDING},
        {"a fallen target is forgotten", 5, 0, false, false, "0:0", 12, -50, CS_DECIDING},
        {"a bow without arrows watches", 8, 20, true, false, "11:1", 12, -50, CS_DECIDING},
        {"a bow with arrows aims at once", 8, 20, true, true, "6:40", 12, -60, CS_ACT_PREPARED},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t monster = Place_Stranger(Field_At(4, 4));
        const std::uint16_t target = Place_Hero(Field_At(k.target_x, 4));
        Rec(target).hp = k.target_hp;
        Set(monster, target, -50);
        if (k.bow) {
            const std::uint16_t bow = Add_Item_Type("Bow", CLASS_BOW);
            item_types[bow].max_distance = 10;
            Give_Item(monster, bow, SLOT_RIGHT_HAND);
        }
        if (k.arrows) Give_Item(monster, Add_Item_Type("Arrow", CLASS_ARROW), SLOT_LEFT_HAND);
        Add_Act(Slot(monster), ACT_ATTACK, Char_Ref(target), 0, 0, 40);
        Execute_Act(Slot(monster));
        EXPECT_EQ(Act_List(Slot(monster)), k.list) << k.what;
        EXPECT_EQ(Rec(monster).action_points, k.points) << k.what;
        EXPECT_EQ(Relation(monster, target), k.relation) << k.what;
        EXPECT_EQ(Rec(monster).state, k.state) << k.what;
        if (k.state == CS_ACT_PREPARED) {
            ASSERT_NE(Char_Target_List(monster), nullptr);
            EXPECT_EQ(Char_Target_List(monster)[1], Field_At(k.target_x, 4)) << k.what;
        }
    }
}

TEST_F(Deciding, ThePlayersAttackOrderKeepsItsPriorityWhileChasingAndStrikesOnArrival) {
    const std::uint16_t hero = Place_Hero(Field_At(2, 4));
    const std::uint16_t monster = Place_Stranger(Field_At(7, 4));
    Select_Char(hero);
    Command_Char(hero, ACT_ATTACK, OBJ_CHAR, monster, 0, 0, -1);
    const std::int32_t order = First_Act(hero).priority;
    Execute_Act(Slot(hero));
    EXPECT_EQ(First_Act(hero).priority, order) << "chasing";
    EXPECT_EQ(Rec(hero).action_points, 12);

    // The target next to it: the obedient character strikes.
    Remove_Object(Char_Ref(monster));
    Put_Object_To_Field(Char_Ref(monster), Field_At(3, 4));
    Free_Char_Path(hero);
    Rec(hero).state = CS_EXECUTE;
    Execute_Act(Slot(hero));
    EXPECT_EQ(Rec(hero).action_points, 6) << "struck";
}

TEST_F(Deciding, InTurnModeThePlayersAttackHaltsTheNextExecution) {
    const std::uint16_t hero = Place_Hero(Field_At(4, 4));
    const std::uint16_t monster = Place_Stranger(Field_At(5, 4));
    turn_mode = 1;
    Select_Char(hero);
    Command_Char(hero, ACT_ATTACK, OBJ_CHAR, monster, 0, 0, -1);
    Execute_Act(Slot(hero));
    EXPECT_EQ(Rec(hero).action_points, 6);
    EXPECT_EQ(First_Act(hero).type, ACT_ATTACK | ACT_STOP_IN_TURN);

    Rec(hero).state = CS_EXECUTE;
    Execute_Act(Slot(hero));
    EXPECT_EQ(Rec(hero).action_points, 6);
    EXPECT_EQ(Rec(hero).state, CS_EXECUTE);  // no guarding for the player's leader
}

TEST_F(Deciding, StartingAnActHandsItsListOverAndScreensOpenForTheLeaderOnly) {
    const std::uint16_t hero = Place_Hero(Field_At(4, 4));
    const std::uint16_t other = Place_Stranger(Field_At(7, 7));
    ProbeAct probe(ACT_AT_ONCE | ACT_HITS_CHARS, 0, 1, 2);
    Select_Char(hero);

    const std::uint32_t list = Hold_Target_List(One_Field_Target_List(Field_At(7, 7)), Char_Ref(hero));
    Command_Char(hero, ACT_START, OBJ_NONE, NO_INDEX, Act_Handle(&probe.desc), list, -1);
    Execute_Act(Slot(hero));
    EXPECT_EQ(probe.Hit(), std::vector<obj_ref>{Char_Ref(other)});
    EXPECT_EQ(Act_List(Slot(hero)), "0:0");
    EXPECT_EQ(Target_Lists_Alive(), 0u);

    static std::vector<std::uint16_t> opened;
    opened.clear();
    Objects_Hooks().open_screen = [](std::uint16_t screen) { opened.push_back(screen); };
    Take_Acts(Slot(hero));
    Command_Char(hero, ACT_SCREEN, OBJ_NONE, NO_INDEX, 3, 0, -1);
    Execute_Act(Slot(hero));
    EXPECT_EQ(opened, std::vector<std::uint16_t>{3});
    EXPECT_EQ(page_char, hero);
    EXPECT_EQ(Act_List(Slot(hero)), "0:0");

    Command_Char(hero, ACT_SCREEN, OBJ_NONE, NO_INDEX, 7, 0, -1);
    Execute_Act(Slot(hero));
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Invalid screen switch!");

    // Not the leader: no screen, the act is spent all the same.
    Take_Acts(Slot(other));
    Add_Act(Slot(other), ACT_SCREEN, NOOBJ, 2, 0, 5);
    Execute_Act(Slot(other));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(Act_List(Slot(other)), "0:0");
}

TEST_F(Deciding, AReadyPathIsTakenOverOnce) {
    const std::uint16_t monster = Place_Stranger(Field_At(2, 2));
    path(monster, 8, 2, 0, 0);
    ASSERT_GT(path_count, 2);
    const std::vector<std::uint32_t> entries(pathdirs.begin(), pathdirs.begin() + path_count);
    const std::uint32_t handle = Hold_Act_Path(entries.data(), path_count, Char_Ref(monster));
    Add_Act(Slot(monster), ACT_FIXGO | ACT_USER_COMMAND, Fix_Ref(Field_At(8, 2)), handle, 1, 30);
    Execute_Act(Slot(monster));
    ASSERT_NE(Char_Path(monster), nullptr);
    EXPECT_EQ(*Char_Path(monster), entries);
    EXPECT_EQ(Rec(monster).path_entry, 1);
    EXPECT_EQ(First_Act(monster).type, ACT_GO | ACT_USER_COMMAND);

    // The path was handed over: the same handle takes over nothing again.
    Take_Acts(Slot(monster));
    Add_Act(Slot(monster), ACT_FIXGO, Fix_Ref(Field_At(8, 2)), handle, 1, 30);
    Execute_Act(Slot(monster));
    EXPECT_EQ(Char_Path(monster), nullptr);
    EXPECT_EQ(First_Act(monster).type, ACT_GO);
}

// ---- Flight ----

TEST_F(Deciding, AFrightenedCharacterFleesAwayFromEnemiesAndTowardFriends) {
    const std::uint16_t scared = Place_Stranger(Field_At(4, 4), "Scared", 3);
    EXPECT_EQ(Fear_Calculation(Char_Ref(scared)), NO_FIELD);  // nobody around: stay

    // An enemy (below 20, though not hostile) to the east.
    const std::uint16_t enemy = Place_Stranger(Field_At(6, 4), "Enemy", 3);
    Set(scared, enemy, 0);
    Set(enemy, scared, 0);
    EXPECT_EQ(Fear_Calculation(Char_Ref(scared)), Field_At(3, 5));

    // A friend to the west draws it nearer.
    const std::uint16_t friend_ = Place_Stranger(Field_At(2, 4), "Friend", 3);
    Set(scared, friend_, 50);
    EXPECT_EQ(Fear_Calculation(Char_Ref(scared)), Field_At(3, 4));

    Add_Act(Slot(scared), ACT_FLEE, NOOBJ, 0, 0, 30);
    Execute_Act(Slot(scared));
    ASSERT_NE(Char_Path(scared), nullptr);
    EXPECT_EQ(Rec(scared).path_target, Fix_Ref(Field_At(3, 4)));
}

// ---- Perception ----

TEST_F(Deciding, AWalkerIsStruckByAHostileAbleNeighbourWithPointsLeft) {
    struct Case {
        const char* what;
        std::uint32_t y;       // the watcher stands at (2, y); the walker at (2, 4)
        std::int8_t relation;  // of the watcher toward the walker
        std::uint16_t state;
        std::int16_t points;
        bool strikes;
    };
    const std::vector<Case> cases = {
        {"hostile, able, with points", 3, -100, CS_DECIDING, 12, true},
        {"friendly", 3, 0, CS_DECIDING, 12, false},
        {"-20 is not hostile", 3, -20, CS_DECIDING, 12, false},
        {"busy stepping", 3, -100, CS_STEPPING, 12, false},
        {"no points left", 3, -100, CS_DECIDING, 0, false},
        {"not next to the walker", 2, -100, CS_DECIDING, 12, false},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t walker = Place_Hero(Field_At(2, 4));
        const std::uint16_t watcher = Place_Stranger(Field_At(2, k.y));
        Set(watcher, walker, k.relation);
        Rec(watcher).state = k.state;
        Rec(watcher).action_points = k.points;
        Effect_Start(Char_Ref(walker), &step_act, nullptr);
        EXPECT_EQ(Rec(walker).state, CS_STEPPING) << k.what;
        EXPECT_EQ(Rec(watcher).action_points, k.strikes ? k.points - 6 : k.points) << k.what;
        if (k.strikes) {
            EXPECT_EQ(Rec(watcher).facing, 2) << k.what;  // turned to the walker
            EXPECT_EQ(Rec(watcher).state, CS_TURN_DONE) << k.what;
        }
        EXPECT_EQ(ai_acting, 0u) << k.what;
        EXPECT_EQ(opportunity_attack, 0u) << k.what;
    }

    // The last field of a row is no neighbour of the next row's first.
    SetUp();
    const std::uint16_t walker = Place_Hero(Field_At(0, 4));
    const std::uint16_t watcher = Place_Stranger(Field_At(11, 3));
    Rec(watcher).facing = 4;
    Set(watcher, walker, -100);
    Effect_Start(Char_Ref(walker), &step_act, nullptr);
    EXPECT_EQ(Act_List(Slot(watcher)), "11:10");  // it saw the step
    EXPECT_EQ(Rec(watcher).action_points, 12);
}

TEST_F(Deciding, AHostileActSoursTheVictimAndTheOnlookersByTheirLiking) {
    const std::uint16_t attacker = Place_Stranger(Field_At(4, 4), "A", 3);
    const std::uint16_t victim = Place_Stranger(Field_At(5, 4), "V", 3);
    struct Onlooker {
        std::uint32_t x, y;
        std::int8_t liking, before, after;
    };
    const std::vector<Onlooker> onlookers = {
        {4, 5, 50, 0, -15},   // likes the victim
        {5, 5, -30, 0, 5},    // dislikes it
        {3, 4, -30, 28, 30},  // ... but never above 30
        {4, 3, -30, 40, 30},  // ... and is brought down to 30
        {11, 11, 50, 0, 0},   // too far to perceive anything
    };
    std::vector<std::uint16_t> o;
    for (const Onlooker& l : onlookers) {
        o.push_back(Place_Stranger(Field_At(l.x, l.y), "O", 3));
        Set(o.back(), victim, l.liking);
        Set(o.back(), attacker, l.before);
    }
    Set(victim, attacker, 0);

    static std::vector<perception_record> told;
    told.clear();
    ScopedHandler notices(MK_IRON_SKIN, [](const HandlerCall& call) {
        if (call.request == REQ_NOTICE_STEP) told.push_back(*Value_Pointer<perception_record>(call.value));
        return call.value;
    });
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(c)) Add_Modifier(0, Char_Ref(c), MK_IRON_SKIN, 0, 0, 0, 0);

    Step_Side_Effect(Char_Ref(attacker), Char_Ref(victim), &attack_right_act, NOTICE_HOSTILE, 12, 5, ACT_HOSTILE);
    EXPECT_EQ(Relation(victim, attacker), -40);
    for (std::size_t i = 0; i < o.size(); ++i) EXPECT_EQ(Relation(o[i], attacker), onlookers[i].after) << i;
    EXPECT_EQ(Act_List(Slot(o[0])), "11:10");  // aware of the attacker now
    EXPECT_EQ(Act_List(Slot(o[4])), "");

    // Everyone but the actor is told, the far onlooker with neither distance.
    ASSERT_EQ(told.size(), 6u);
    for (const perception_record& r : told) {
        EXPECT_EQ(r.source, Char_Ref(attacker));
        EXPECT_EQ(r.target, Char_Ref(victim));
        EXPECT_EQ(r.act, &attack_right_act);
        EXPECT_EQ(r.side_flags, NOTICE_HOSTILE);
    }
    EXPECT_EQ(told.back().slot, Slot(o[4]));
    EXPECT_EQ(told.back().sight_distance, NO_DISTANCE);
    EXPECT_EQ(told.back().hearing_distance, NO_DISTANCE);

    // Per hostile act; an act that is not hostile, or not hostile to its
    // target, changes nothing.
    Step_Side_Effect(Char_Ref(attacker), Char_Ref(victim), &attack_right_act, NOTICE_HOSTILE, 12, 5, ACT_HOSTILE);
    EXPECT_EQ(Relation(victim, attacker), -80);
    Step_Side_Effect(Char_Ref(attacker), Char_Ref(victim), &attack_right_act, NOTICE_HOSTILE, 12, 5, 0);
    Step_Side_Effect(Char_Ref(attacker), Char_Ref(victim), &attack_right_act, 0, 12, 5, ACT_HOSTILE);
    EXPECT_EQ(Relation(victim, attacker), -80);
}

TEST_F(Deciding, ThePartysNearestWitnessDecidesWhetherTheActAnnouncesItself) {
    ProbeAct probe(0);
    const std::uint16_t caster = Place_Stranger(Field_At(9, 9));
    const std::uint16_t near = Place_Hero(Field_At(6, 9));
    const std::uint16_t far = Place_Hero(Field_At(0, 0));
    party_sight_distance = NO_DISTANCE;
    Step_Side_Effect(Char_Ref(caster), NOOBJ, &probe.desc, NOTICE_FROM_SOURCE | NOTICE_ANNOUNCE, 12, 4, 0);
    EXPECT_EQ(party_sight_distance, 3);
    EXPECT_EQ(party_observer, Char_Ref(near));
    EXPECT_EQ(probe.Calls(REQ_ACT_ANNOUNCE).size(), 1u);

    // Turned away, the near one sees nothing; nor does the far one.
    Rec(near).facing = 4;
    party_sight_distance = NO_DISTANCE;
    party_hearing_distance = NO_DISTANCE;
    party_observer = NOOBJ;
    Step_Side_Effect(Char_Ref(caster), NOOBJ, &probe.desc, NOTICE_FROM_SOURCE | NOTICE_ANNOUNCE, 12, 4, 0);
    EXPECT_EQ(party_sight_distance, NO_DISTANCE);
    EXPECT_EQ(party_hearing_distance, 3);
    EXPECT_EQ(party_observer, Char_Ref(near));
    EXPECT_EQ(probe.Calls(REQ_ACT_ANNOUNCE).size(), 1u);

    // A party member's own act: it saw it from nowhere.
    Step_Side_Effect(Char_Ref(far), NOOBJ, &probe.desc, NOTICE_FROM_SOURCE | NOTICE_ANNOUNCE, 12, 4, 0);
    EXPECT_EQ(party_sight_distance, 0);
    EXPECT_EQ(party_observer, Char_Ref(far));
    EXPECT_EQ(probe.Calls(REQ_ACT_ANNOUNCE).size(), 2u);
}

}  // namespace
