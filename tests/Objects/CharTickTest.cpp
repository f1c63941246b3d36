// The character tick: the round robin of decisions, the step arithmetic,
// the states, the animations and the turn-mode loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Turns.h"
#include "System/ErrorReport.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/RecordingHandler.h"
#include "support/TickWorld.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

RequestValue Unchanged(const HandlerCall& call) { return call.value; }

// The characters that decided since the last call: request 15 reaches
// their programs.
std::vector<std::uint16_t> Deciders(ScopedHandler& programs) {
    std::vector<std::uint16_t> out;
    for (const HandlerCall& call : programs.calls)
        if (call.request == REQ_AI_PROPOSALS) out.push_back(Obj_Index(call.object));
    programs.calls.clear();
    return out;
}

class Ticking : public ::testing::Test {
  protected:
    void SetUp() override { Reset_Tick_World(30, 12); }
    char_record& Rec(std::uint16_t c) { return chararray.records[c]; }

    // A character that has just begun a step from (x, y) east, into a
    // field of the given entry cost.
    std::uint16_t Stepper(std::uint8_t cost, std::uint32_t x = 2, std::uint32_t y = 2) {
        const std::uint16_t c = Place_Stranger(Field_At(x, y));
        Rec(c).state = CS_STEPPING;
        Rec(c).facing = 1;
        Rec(c).act = Field_At(x + 1, y);
        Rec(c).target = 0;
        Rec(c).source = cost;
        Object_Request(Char_Ref(c), Fix_Ref(Field_At(x + 1, y)), 0, REQ_SET_BLOCKED, 1);
        return c;
    }
};

TEST_F(Ticking, ThreeDecideATickAndTheFirstRefusedLeadsTheNext) {
    ScopedHandler programs(MK_BASIC_MONSTER, Unchanged);
    std::vector<std::uint16_t> c;
    for (std::uint32_t x = 0; x < 5; ++x) {
        c.push_back(Place_Stranger(Field_At(x * 6, 5)));
        Give_Program(c.back(), MK_BASIC_MONSTER);
    }
    Main_Tick();
    EXPECT_EQ(Deciders(programs), (std::vector<std::uint16_t>{c[0], c[1], c[2]}));
    EXPECT_EQ(tick_cursor, c[3]);
    Main_Tick();
    EXPECT_EQ(Deciders(programs), (std::vector<std::uint16_t>{c[3], c[4], c[0]}));
    EXPECT_EQ(tick_cursor, c[1]);

    // A selected character decides even when the budget is spent.
    Select_Char(c[4]);
    Main_Tick();
    EXPECT_EQ(Deciders(programs), (std::vector<std::uint16_t>{c[1], c[2], c[3], c[4]}));
    EXPECT_EQ(tick_cursor, c[4]);
}

TEST_F(Ticking, FewDecidersLeaveTheCursorAndACursorBeyondTheArrayStartsOver) {
    ScopedHandler programs(MK_BASIC_MONSTER, Unchanged);
    const std::uint16_t a = Place_Stranger(Field_At(2, 2));
    const std::uint16_t b = Place_Stranger(Field_At(9, 2));
    Give_Program(a, MK_BASIC_MONSTER);
    Give_Program(b, MK_BASIC_MONSTER);
    tick_cursor = 1;
    Main_Tick();
    EXPECT_EQ(Deciders(programs), (std::vector<std::uint16_t>{b, a}));
    EXPECT_EQ(tick_cursor, 1u);

    tick_cursor = 5000;
    Main_Tick();
    EXPECT_EQ(Deciders(programs), (std::vector<std::uint16_t>{a, b}));
    EXPECT_EQ(tick_cursor, 0u);
}

TEST_F(Ticking, AStepAdvancesWithTheClockStepTheSpeedAndTheEntryCost) {
    const std::uint16_t c = Stepper(8);
    const std::uint16_t from = Field_At(2, 2), to = Field_At(3, 2);
    ScopedHandler stepped(MK_IRON_SKIN, Unchanged);
    Add_Modifier(0, Fix_Ref(to), MK_IRON_SKIN, 0, 0, 0, 0);
    Add_Modifier(0, Char_Ref(c), MK_IRON_SKIN, 0, 0, 0, 0);
    stepped.calls.clear();

    for (int t = 1; t <= 32; ++t) {
        Char_Tick(c);
        const int progress = t * 2016 / 1536;
        ASSERT_EQ(Rec(c).target, static_cast<std::uint32_t>(progress)) << "tick " << t;
        const int x = progress >= 21 ? progress - 42 : progress;
        EXPECT_EQ(Rec(c).offset_x, x) << "tick " << t;
        EXPECT_EQ(Rec(c).offset_y, 0) << "tick " << t;
        EXPECT_GE(Rec(c).frame, 4) << "tick " << t;
        EXPECT_LE(Rec(c).frame, 11) << "tick " << t;
        EXPECT_EQ(Object_Field(Char_Ref(c)), t < 16 ? from : to) << "tick " << t;
        if (t == 16) {
            EXPECT_FALSE(mapfield[to] & MF_BLOCKED);
        }
        if (t < 32) {
            EXPECT_EQ(Rec(c).state, CS_STEPPING) << "tick " << t;
        }
    }
    EXPECT_EQ(Field_List(from), "");
    EXPECT_EQ(Field_List(to), "char" + std::to_string(c));
    EXPECT_EQ(Rec(c).state, CS_DECIDING);
    // Told of the arrival: the field first, then the character itself.
    std::vector<obj_ref> told;
    for (const HandlerCall& call : stepped.calls)
        if (call.request == REQ_STEPPED_ON) told.push_back(call.object);
    EXPECT_EQ(told, (std::vector<obj_ref>{Fix_Ref(to), Char_Ref(c)}));
}

TEST_F(Ticking, TheStepFormulaClampsTheCostAndTheSpeedAndEndsInTurnModeReadyToAct) {
    struct Case {
        const char* what;
        std::uint8_t cost_byte;
        RequestValue speed;
        std::vector<std::uint32_t> progress;  // after ticks 1, 2, ...
    };
    const std::vector<Case> cases = {
        {"cost 0 counts as 1", 0, 12, {10, 21, 31, 42}},
        {"speed 0 counts as 1", 1, 0, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"a long step crosses at most 21 at a time", 1, 1000, {21, 42}},
    };
    for (const Case& k : cases) {
        SetUp();
        const std::uint16_t c = Stepper(k.cost_byte);
        const RequestValue speed = k.speed;
        ScopedHandler slow(MK_IRON_SKIN, [speed](const HandlerCall& call) {
            return call.request == REQ_MAX_ACTION_POINTS ? speed : call.value;
        });
        Add_Modifier(0, Char_Ref(c), MK_IRON_SKIN, 0, 0, 0, 0);
        std::vector<std::uint32_t> seen;
        for (std::size_t t = 0; t < k.progress.size(); ++t) {
            Char_Tick(c);
            seen.push_back(Rec(c).target);
        }
        EXPECT_EQ(seen, k.progress) << k.what;
    }

    SetUp();
    const std::uint16_t c = Stepper(8);
    turn_mode = 1;
    Select_Char(c);
    anim_wait = 0;
    for (int t = 0; t < 32; ++t) Char_Tick(c);
    EXPECT_EQ(Rec(c).state, CS_EXECUTE);
    EXPECT_EQ(Rec(c).offset_x, 0);
}

TEST_F(Ticking, TheStatesTheTickLeavesAloneOrRejects) {
    const std::uint16_t c = Place_Stranger(Field_At(4, 4));
    Rec(c).state = CS_SUSPENDED;
    Rec(c).frame = 9;
    Char_Tick(c);
    EXPECT_EQ(Rec(c).state, CS_SUSPENDED);
    EXPECT_EQ(Rec(c).frame, 9);
    EXPECT_TRUE(Headless_Backend().boxes.empty());

    Rec(c).state = 10;
    Char_Tick(c);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].text.rfind("Invalid character command", 0), 0u);
    EXPECT_EQ(Rec(c).state, 10);
}

TEST_F(Ticking, AFallenStepperFreesItsDestinationAndTheLeaderLeavesTheSelection) {
    const std::uint16_t c = Stepper(8);
    Select_Char(c);
    Rec(c).hp = 0;
    Char_Tick(c);
    EXPECT_EQ(Rec(c).state, CS_DONE);
    EXPECT_FALSE(mapfield[Field_At(3, 2)] & MF_BLOCKED);
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(selected[0], NO_INDEX);

    // In turn mode the turn goes on to the next character.
    const std::uint16_t other = Place_Stranger(Field_At(8, 8));
    turn_mode = 1;
    Select_Char(c);
    Char_Tick(c);
    EXPECT_EQ(selected[0], other);
}

TEST_F(Ticking, TurnDoneWaitsAndHandsTheTurnOn) {
    const std::uint16_t a = Place_Stranger(Field_At(2, 2));
    const std::uint16_t b = Place_Stranger(Field_At(9, 9));
    Rec(a).state = CS_TURN_DONE;
    Char_Tick(a);
    EXPECT_EQ(Rec(a).state, CS_WAITING);

    turn_mode = 1;
    Select_Char(a);
    Rec(a).state = CS_TURN_DONE;
    Rec(b).state = CS_DECIDING;
    anim_wait = 0;
    Char_Tick(a);
    EXPECT_EQ(Rec(a).state, CS_WAITING);
    EXPECT_EQ(selected[0], b);
}

TEST_F(Ticking, GuardingAndWaitingDecideOnlyInRealTime) {
    ScopedHandler programs(MK_BASIC_MONSTER, Unchanged);
    const std::uint16_t c = Place_Stranger(Field_At(4, 4));
    Give_Program(c, MK_BASIC_MONSTER);
    for (std::uint16_t state : {CS_GUARDING, CS_WAITING}) {
        Rec(c).state = state;
        turn_mode = 1;
        anim_wait = 0;
        decision_budget = 1;
        Char_Tick(c);
        EXPECT_TRUE(Deciders(programs).empty()) << state;
        EXPECT_EQ(Rec(c).state, state);
        turn_mode = 0;
        decision_budget = 1;
        Char_Tick(c);
        EXPECT_EQ(Deciders(programs), std::vector<std::uint16_t>{c}) << state;
    }
}

TEST_F(Ticking, TheClockStampHoldsBackAllButTheFlying) {
    ScopedHandler programs(MK_BASIC_MONSTER, Unchanged);
    const std::uint16_t walker = Place_Stranger(Field_At(2, 2));
    const std::uint16_t flyer = Place_Stranger(Field_At(9, 9));
    Give_Program(walker, MK_BASIC_MONSTER);
    Give_Program(flyer, MK_BASIC_MONSTER);
    Rec(flyer).flags |= CF_FLYING;
    Rec(flyer).frame = 10;
    Rec(walker).ap_stamp = Rec(flyer).ap_stamp = game_clock + 100;

    std::vector<int> frames;
    for (int t = 0; t < 10; ++t) {
        Rec(flyer).ap_stamp = game_clock + 100;
        Rec(flyer).state = CS_DECIDING;
        decision_budget = 3;
        Char_Tick(flyer);
        frames.push_back(Rec(flyer).frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{11, 4, 5, 6, 7, 8, 9, 10, 11, 4}));
    EXPECT_EQ(Deciders(programs).size(), 10u);
    decision_budget = 3;
    Char_Tick(walker);
    EXPECT_TRUE(Deciders(programs).empty());
    EXPECT_EQ(Rec(walker).state, CS_DECIDING);
}

TEST_F(Ticking, TheIdleCounterShiftsTheWeightNowAndThen) {
    const std::uint16_t c = Place_Stranger(Field_At(4, 4));
    ScopedRandom random({0, 1});
    std::vector<int> frames;
    for (int t = 0; t < 66; ++t) {
        Rec(c).ap_stamp = game_clock + 100;  // only the animation runs
        Char_Tick(c);
        frames.push_back(Rec(c).frame);
    }
    std::vector<int> expected(66, 0);
    for (int n = 1; n <= 64; ++n)
        expected[static_cast<std::size_t>(n)] = (n <= 2 || n == 31 || n == 32) ? 1 : n <= 30 ? 3 : 0;
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(Rec(c).idle_counter, 0u);

    // A held pose is no idle frame: the counter starts over.
    Rec(c).flags |= CF_HELD_POSE;
    Rec(c).frame = 17;
    Rec(c).idle_counter = 12;
    Char_Tick(c);
    EXPECT_EQ(Rec(c).frame, 17);
    EXPECT_EQ(Rec(c).idle_counter, 0u);
}

TEST_F(Ticking, InTurnModeTheViewFollowsASeenStepperToItsLevelAndKeepsItInside) {
    struct Case {
        const char* what;
        std::int32_t scroll_y;
        bool centred;
    };
    const std::vector<Case> cases = {
        {"too close to the top", 0, true},
        {"well inside the view", -100, false},
    };
    static std::vector<obj_ref> centred;
    for (const Case& k : cases) {
        Reset_Tick_World(30, 12, 2);
        Place_Hero(Field_Index(1, 1, 1));
        const std::uint16_t c = Place_Stranger(Field_Index(2, 2, 1));
        Rec(c).state = CS_STEPPING;
        Rec(c).facing = 1;
        Rec(c).act = Field_Index(3, 2, 1);
        Rec(c).source = 8;
        Objects_Hooks().center_on_object = [](obj_ref o) { centred.push_back(o); };
        Objects_Hooks().map_view_size = [](std::int32_t& w, std::int32_t& h) {
            w = 459;
            h = 359;
            return true;
        };
        turn_mode = 1;
        Select_Char(c);
        anim_wait = 0;
        centred.clear();
        shown_level = 0;
        scroll_x = 0;
        scroll_y = k.scroll_y;
        for (int t = 0; t < 16; ++t) Char_Tick(c);
        EXPECT_EQ(shown_level, 1u) << k.what;
        EXPECT_EQ(leading_field, Field_Index(3, 2, 1)) << k.what;
        EXPECT_EQ(centred, k.centred ? std::vector<obj_ref>{Char_Ref(c)} : std::vector<obj_ref>{}) << k.what;
    }
}

class TurnTicking : public Ticking {
  protected:
    void SetUp() override {
        Ticking::SetUp();
        hero = Place_Hero(Field_At(1, 1));
        turn_mode = 1;
    }
    std::uint16_t hero = 0;
};

TEST_F(TurnTicking, OnlyTheLeaderTicksAndItWaitsForTheAnimations) {
    const std::uint16_t seen = Stepper(8);  // close to the hero: the party sees it
    const std::uint16_t other = Stepper(8, 4, 5);
    Select_Char(seen);
    anim_wait = 3;
    Chars_Tick();
    EXPECT_EQ(Rec(seen).target, 0u);
    anim_wait = 0;
    Chars_Tick();
    EXPECT_EQ(Rec(seen).target, 1u);
    EXPECT_EQ(Rec(other).target, 0u);
}

TEST_F(TurnTicking, AnActorNoPartyMemberSeesPlaysOnWithinTheTick) {
    const std::uint16_t hidden = Stepper(8, 27, 10);
    Select_Char(hidden);
    ASSERT_EQ(party_hidden, 1u);
    Chars_Tick();
    // The whole step in one main tick; afterwards it plays on until the
    // turn reaches the hero.
    EXPECT_EQ(Object_Field(Char_Ref(hidden)), Field_At(28, 10));
    EXPECT_EQ(selected[0], hero);
}

TEST_F(TurnTicking, AHiddenActorThatCannotGetOnEndsTheTick) {
    const std::uint16_t hidden = Place_Stranger(Field_At(27, 10));
    Select_Char(hidden);
    ASSERT_EQ(party_hidden, 1u);
    Rec(hidden).state = CS_SUSPENDED;
    Chars_Tick();
    EXPECT_EQ(Rec(hidden).state, CS_SUSPENDED);

    // A step so slow that it outlasts the bound: at most 256 of its ticks
    // go by in one main tick.
    Rec(hidden).state = CS_STEPPING;
    Rec(hidden).act = Field_At(28, 10);
    Rec(hidden).target = 0;
    Rec(hidden).source = 255;
    ScopedHandler slow(MK_IRON_SKIN,
                       [](const HandlerCall& call) { return call.request == REQ_MAX_ACTION_POINTS ? 1 : call.value; });
    Add_Modifier(0, Char_Ref(hidden), MK_IRON_SKIN, 0, 0, 0, 0);
    Chars_Tick();
    EXPECT_EQ(Rec(hidden).source >> 8, 256u);
    EXPECT_EQ(Rec(hidden).state, CS_STEPPING);
}

TEST_F(TurnTicking, WithNobodyLeadingTheTurnGoesToWhoeverCanAct) {
    selected_count = 0;
    selected[0] = NO_INDEX;
    Rec(hero).state = CS_DECIDING;
    Chars_Tick();
    EXPECT_EQ(selected[0], hero);
    EXPECT_EQ(selected_count, 1);
}

}  // namespace
