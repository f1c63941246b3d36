// Executing an act: the target patterns, which objects of a target field
// are hit, the field in front, and the player's aim with the map cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

using Offsets = std::vector<std::pair<int, int>>;

class Executing : public ::testing::Test {
  public:
    void SetUp() override {
        Reset_Act_World(9, 9);
        centre = Field_At(4, 4);
    }
    void TearDown() override { Drop_All_Held_Target_Lists(); }

    // The offsets from the centre of the fields whose heads were hit, in order.
    Offsets Hit_Offsets(const ProbeAct& probe) const {
        Offsets out;
        for (obj_ref o : probe.Hit()) {
            std::uint16_t f = Obj_Index(o);
            out.emplace_back(static_cast<int>(Field_X(f)) - 4, static_cast<int>(Field_Y(f)) - 4);
        }
        return out;
    }
    static Offsets Shape_Offsets(const area_shape* shape) {
        Offsets out;
        for (std::uint16_t j = 0; shape != nullptr && j < shape->count; ++j)
            out.emplace_back(shape->offsets[j].dx, shape->offsets[j].dy);
        return out;
    }
    std::uint16_t centre = 0;
};

TEST_F(Executing, EachPatternHasItsFieldsForEveryRotation) {
    const Offsets single{{0, 0}};
    const Offsets cones[6] = {
        {{0, 0}, {1, -1}, {1, 0}},  {{0, 0}, {1, 0}, {0, 1}},   {{0, 0}, {0, 1}, {-1, 1}},
        {{0, 0}, {-1, 1}, {-1, 0}}, {{0, 0}, {-1, 0}, {0, -1}}, {{0, 0}, {0, -1}, {1, -1}},
    };
    const Offsets lines[3] = {
        {{0, 0}, {1, 0}, {-1, 0}, {2, 0}, {-2, 0}},
        {{0, 0}, {0, 1}, {0, -1}, {0, 2}, {0, -2}},
        {{0, 0}, {1, -1}, {-1, 1}, {2, -2}, {-2, 2}},
    };
    const Offsets ring{{0, 0}, {1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};
    for (std::uint16_t r = 0; r < 6; ++r) {
        for (int p : {1, 2, 3, 4, 5, 12}) EXPECT_EQ(Shape_Offsets(Area_Shape(p, r)), single);
        EXPECT_EQ(Shape_Offsets(Area_Shape(6, r)), cones[r]) << "rotation " << r;
        EXPECT_EQ(Shape_Offsets(Area_Shape(11, r)), lines[r % 3]) << "rotation " << r;
        EXPECT_EQ(Shape_Offsets(Area_Shape(7, r)), ring);
        Offsets radius_two = Shape_Offsets(Area_Shape(9, r));
        ASSERT_EQ(radius_two.size(), 19u);
        EXPECT_TRUE(std::equal(ring.begin(), ring.end(), radius_two.begin()));
        std::set<std::pair<int, int>> distinct(radius_two.begin(), radius_two.end());
        EXPECT_EQ(distinct.size(), 19u);
        for (auto [dx, dy] : radius_two) EXPECT_LE(std::max({std::abs(dx), std::abs(dy), std::abs(dx + dy)}), 2);
    }
    for (int p : {0, 8, 10, 13, -1}) EXPECT_EQ(Area_Shape(p, 0), nullptr) << p;

    // Executed, the offsets are worked from the last to the first.
    for (std::uint16_t r = 0; r < 6; ++r) {
        ProbeAct cone(ACT_HITS_FIXITEMS, 0, 6);
        target_rotation = r;
        Effect_Execute(NOOBJ, &cone.desc, One_Field_Target_List(centre));
        Offsets expected(cones[r].rbegin(), cones[r].rend());
        EXPECT_EQ(Hit_Offsets(cone), expected) << "rotation " << r;
    }
    target_rotation = 1;
    ProbeAct line(ACT_HITS_FIXITEMS, 0, 11);
    Effect_Execute(NOOBJ, &line.desc, One_Field_Target_List(centre));
    EXPECT_EQ(Hit_Offsets(line), Offsets(lines[1].rbegin(), lines[1].rend()));
    // Fields off the map are left out.
    ProbeAct wide(ACT_HITS_FIXITEMS, 0, 9);
    Effect_Execute(NOOBJ, &wide.desc, One_Field_Target_List(Field_At(0, 0)));
    EXPECT_EQ(wide.Hit().size(), 6u);  // (0,0) (1,0) (0,1) (2,0) (1,1) (0,2)
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

TEST_F(Executing, TheFieldInFrontForEveryFacing) {
    const std::uint16_t hero = Place_Hero(centre);
    const Offsets fronts{{1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};
    ProbeAct front(ACT_HITS_FIXITEMS, 0, 12);
    for (std::uint8_t facing = 1; facing <= 6; ++facing) {
        front.calls.clear();
        chararray[hero].facing = facing;
        chararray[hero].state = CS_EXECUTING;
        Effect_Execute(Char_Ref(hero), &front.desc, nullptr);
        EXPECT_EQ(Hit_Offsets(front), Offsets{fronts[facing - 1]}) << "facing " << int(facing);
        ASSERT_EQ(front.Calls(REQ_EFFECT_HIT).size(), 1u);
        EXPECT_EQ(front.Calls(REQ_EFFECT_HIT)[0].value, static_cast<RequestValue>(Obj_Index(front.Hit()[0])));
        EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    }
    // Pattern 1 is the own field.
    ProbeAct own(ACT_HITS_FIXITEMS, 0, 1);
    Effect_Execute(Char_Ref(hero), &own.desc, nullptr);
    EXPECT_EQ(own.Hit(), std::vector<obj_ref>{Fix_Ref(centre)});
}

TEST_F(Executing, FacingTheMapEdgeTheCharacterWaitsAndNothingIsExecuted) {
    const std::uint16_t hero = Place_Hero(Field_At(8, 4));
    ProbeAct front(ACT_HITS_FIXITEMS, 0, 12);
    chararray[hero].state = CS_EXECUTING;
    Effect_Execute(Char_Ref(hero), &front.desc, nullptr);
    EXPECT_EQ(chararray[hero].state, CS_WAITING);
    EXPECT_TRUE(front.Hit().empty());
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

TEST_F(Executing, OnlyTheLastAcceptedObjectIsHitUnlessEveryObjectIs) {
    std::uint16_t a = Place_Char(centre, "A");
    std::uint16_t b = Place_Char(centre, "B");
    std::uint16_t c = Place_Char(centre, "C");
    ProbeAct last(ACT_HITS_CHARS, 0, 1);
    Effect_Execute(NOOBJ, &last.desc, One_Field_Target_List(centre));
    EXPECT_EQ(last.Hit(), std::vector<obj_ref>{Char_Ref(c)});

    ProbeAct every(ACT_HITS_CHARS | ACT_HITS_EVERY_OBJECT, 0, 1);
    Effect_Execute(NOOBJ, &every.desc, One_Field_Target_List(centre));
    EXPECT_EQ(every.Hit(), (std::vector<obj_ref>{Char_Ref(a), Char_Ref(b), Char_Ref(c)}));

    ProbeAct heads(ACT_HITS_CHARS | ACT_HITS_EVERY_OBJECT | ACT_HITS_FIELD_HEADS, 0, 1);
    Effect_Execute(NOOBJ, &heads.desc, One_Field_Target_List(centre));
    EXPECT_EQ(heads.Hit(), (std::vector<obj_ref>{Fix_Ref(centre), Char_Ref(a), Char_Ref(b), Char_Ref(c)}));
}

TEST_F(Executing, TheHitOfTheKthFieldIsRequest163PlusKSoTheHandlersHitTheFirst) {
    std::uint16_t fields[3] = {Field_At(2, 2), Field_At(4, 2), Field_At(6, 2)};
    std::uint16_t wounded[3];
    for (int k = 0; k < 3; ++k) {
        wounded[k] = Place_Char(fields[k], "Wounded");
        chararray[wounded[k]].hp = 5;
    }
    target_list list = New_Target_List(3);
    std::copy(fields, fields + 3, list + 1);
    ProbeAct probe(ACT_HITS_CHARS, 0, 3);
    Effect_Execute(NOOBJ, &probe.desc, list);
    for (int k = 0; k < 3; ++k) {
        auto calls = probe.Calls(static_cast<request_no>(REQ_EFFECT + 1 + k));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].target, Char_Ref(wounded[k]));
        EXPECT_EQ(calls[0].value, fields[k]);
    }
    list = New_Target_List(3);
    std::copy(fields, fields + 3, list + 1);
    ScopedRandom dice{0, 0, 0};
    Effect_Execute(NOOBJ, &heal_act, list);
    EXPECT_EQ(chararray[wounded[0]].hp, 9);
    EXPECT_EQ(chararray[wounded[1]].hp, 5);
    EXPECT_EQ(chararray[wounded[2]].hp, 5);
    // The act's origin is the first target field.
    EXPECT_EQ(heal_act.origin, Fix_Ref(fields[0]));
}

TEST_F(Executing, TheSourceIsNeverItsOwnTargetUnlessTheActSaysSo) {
    const std::uint16_t hero = Place_Hero(centre);
    for (std::uint32_t mode : {0u, ACT_HITS_EVERY_OBJECT}) {
        ProbeAct shy(ACT_HITS_CHARS | mode, 0, 1);
        Effect_Execute(Char_Ref(hero), &shy.desc, nullptr);
        EXPECT_TRUE(shy.Hit().empty());
        ProbeAct bold(ACT_HITS_CHARS | ACT_HITS_SOURCE | mode, 0, 1);
        Effect_Execute(Char_Ref(hero), &bold.desc, nullptr);
        EXPECT_EQ(bold.Hit(), std::vector<obj_ref>{Char_Ref(hero)});
    }
}

TEST_F(Executing, ValidTargetAcceptsByKindAndAsksTheAct) {
    Set_Fixitem_Type(5, LAYER_WALL - 2);
    Set_Fixitem_Type(250, LAYER_WALL - 2);
    const std::uint16_t bare = Field_At(0, 0);
    const std::uint16_t fixitem = Place_Fixitem(Field_At(1, 0), 5);
    const std::uint16_t builtin = Place_Fixitem(Field_At(2, 0), 250);
    const std::uint16_t sword = Place_Item(Field_At(3, 0), Add_Item_Type("Sword", CLASS_SWORD));
    const std::uint16_t corpse = Place_Item(Field_At(4, 0), ITEM_TYPE_DEAD_BODY);
    const std::uint16_t body = Place_Char(Field_At(5, 0));
    const obj_ref objects[] = {Fix_Ref(bare),   Fix_Ref(fixitem), Fix_Ref(builtin),
                               Item_Ref(sword), Item_Ref(corpse), Char_Ref(body)};
    struct Row {
        std::uint32_t flags;
        bool accepted[6];  // bare head, fixitem, built-in fixitem, sword, corpse, character
    } rows[] = {
        {ACT_HITS_CHARS, {false, false, false, false, true, true}},
        {ACT_HITS_ITEMS, {false, false, false, true, false, false}},
        {ACT_HITS_FIXITEMS, {false, true, false, false, false, false}},
        {ACT_HITS_FIELD_HEADS, {true, false, false, false, false, false}},
    };
    for (const Row& r : rows) {
        ProbeAct probe(r.flags | ACT_HITS_EVERY_OBJECT);
        for (int i = 0; i < 6; ++i) {
            obj_ref cur = objects[i];
            EXPECT_EQ(Valid_Target(NOOBJ, &probe.desc, &cur), r.accepted[i] ? 1 : 0) << r.flags << " " << i;
            EXPECT_EQ(cur, r.accepted[i] ? objects[i] : NOOBJ);
        }
    }
    // One at a time without 0x8000: only from a field head, the last accepted.
    ProbeAct fixed(ACT_HITS_FIXITEMS);
    obj_ref cur = Fix_Ref(Field_At(1, 0));
    EXPECT_EQ(Valid_Target(NOOBJ, &fixed.desc, &cur), 1);
    EXPECT_EQ(cur, Fix_Ref(fixitem));
    cur = Fix_Ref(Field_At(2, 0));
    EXPECT_EQ(Valid_Target(NOOBJ, &fixed.desc, &cur), 1);
    EXPECT_EQ(cur, Fix_Ref(Field_At(2, 0))) << "the built-in slots are never targets";
    cur = Fix_Ref(fixitem);
    EXPECT_EQ(Valid_Target(NOOBJ, &fixed.desc, &cur), 0) << "not a field head";
    EXPECT_EQ(cur, NOOBJ);
    ProbeAct heads_alone(ACT_HITS_FIELD_HEADS);
    cur = Fix_Ref(bare);
    EXPECT_EQ(Valid_Target(NOOBJ, &heads_alone.desc, &cur), 0);
    // The act has the last word, and a map animation is never a target.
    fixed.answers[REQ_ACT_VALID_TARGET] = 0;
    cur = Fix_Ref(Field_At(1, 0));
    EXPECT_EQ(Valid_Target(NOOBJ, &fixed.desc, &cur), 0);
    Put_MapAnim(Field_At(5, 0), 3, 0);
    ProbeAct anything(ACT_HITS_CHARS | ACT_HITS_ITEMS | ACT_HITS_FIXITEMS | ACT_HITS_EVERY_OBJECT);
    obj_ref after_head = Fix_Ref(Field_At(5, 0));
    Next_Object(after_head);
    std::vector<obj_ref> met;
    for (int steps = 0; steps < 4 && Valid_Target(NOOBJ, &anything.desc, &after_head); ++steps) {
        met.push_back(after_head);
        Next_Object(after_head);
    }
    EXPECT_EQ(met, std::vector<obj_ref>{Char_Ref(body)});
}

TEST_F(Executing, TheObjectAfterAHitIsReadBeforeTheHit) {
    std::uint16_t a = Place_Char(centre, "A");
    std::uint16_t b = Place_Char(centre, "B");
    std::uint16_t c = Place_Char(centre, "C");
    ProbeAct sweep(ACT_HITS_CHARS | ACT_HITS_EVERY_OBJECT, 0, 1);
    // Each hit destroys its target.
    sweep.on_hit = [](const ActCall& call) { Destroy_Object(call.target); };
    Effect_Execute(NOOBJ, &sweep.desc, One_Field_Target_List(centre));
    EXPECT_EQ(sweep.Hit(), (std::vector<obj_ref>{Char_Ref(a), Char_Ref(b), Char_Ref(c)}));
    EXPECT_EQ(Field_List(centre), "");
}

// ---- Aiming ----

class Aiming : public Executing {
  public:
    void SetUp() override {
        Executing::SetUp();
        hero = Place_Hero(centre);
        Select_Char(hero);
    }
    void Tick() { Effect_Execute(Char_Ref(hero), Char_Act(hero), Char_Target_List(hero)); }
    std::uint16_t hero = 0;
};

TEST_F(Aiming, FieldsArePickedByClicksOnValidTargetsInRange) {
    ProbeAct probe(ACT_AT_ONCE | ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 3, 2, 2);
    ASSERT_EQ(Effect_Start(Char_Ref(hero), &probe.desc, nullptr), 1);
    EXPECT_EQ(chararray[hero].state, CS_EXECUTING);
    EXPECT_EQ(cursor_shown, CURSOR_AIMING);
    EXPECT_EQ(area_offsets, Area_Shape(1, 0));

    cursor_field = Field_At(8, 4);  // 4 fields away
    Tick();
    EXPECT_EQ(cursor_shown, CURSOR_AIMING);
    cursor_field = Field_At(6, 4);
    Tick();
    EXPECT_EQ(cursor_shown, CURSOR_ON_TARGET);
    // The click counts at the next tick, on the field under the cursor.
    target_field = Field_At(6, 4);
    Tick();
    EXPECT_EQ(target_picks, 1);
    EXPECT_EQ(target_field, NO_FIELD);
    EXPECT_TRUE(probe.Hit().empty());
    cursor_field = Field_At(4, 6);
    Tick();
    target_field = Field_At(3, 6);  // a click off the cursor field picks nothing
    Tick();
    EXPECT_EQ(target_picks, 1);
    target_field = Field_At(4, 6);
    Tick();
    EXPECT_EQ(probe.Hit(REQ_EFFECT_HIT), std::vector<obj_ref>{Fix_Ref(Field_At(6, 4))});
    EXPECT_EQ(probe.Hit(REQ_EFFECT + 2), std::vector<obj_ref>{Fix_Ref(Field_At(4, 6))});
    EXPECT_EQ(cursor_shown, CURSOR_NORMAL);
    EXPECT_EQ(target_field, NO_FIELD);
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_EQ(chararray[hero].action_points, 10);
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

TEST_F(Aiming, WithoutHexRangeTheFieldMustBeSeen) {
    ProbeAct probe(ACT_AT_ONCE | ACT_HITS_FIXITEMS, 5, 1);
    Place_Fixitem(Field_At(5, 4), BLOCKING_SLOT);
    Effect_Start(Char_Ref(hero), &probe.desc, nullptr);
    cursor_field = Field_At(6, 4);
    Tick();
    EXPECT_EQ(cursor_shown, CURSOR_AIMING) << "behind the wall";
    cursor_field = Field_At(4, 6);
    Tick();
    EXPECT_EQ(cursor_shown, CURSOR_ON_TARGET);
}

TEST_F(Aiming, RightClicksTurnTheAimedArea) {
    ProbeAct probe(ACT_AT_ONCE | ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 5, 6);
    Effect_Start(Char_Ref(hero), &probe.desc, nullptr);
    EXPECT_EQ(area_offsets, Area_Shape(6, 0));
    target_rotation = 4;
    Tick();
    EXPECT_EQ(area_offsets, Area_Shape(6, 4));
    cursor_field = target_field = Field_At(4, 6);
    Tick();
    EXPECT_EQ(probe.Hit().size(), 3u);
    EXPECT_EQ(probe.Hit().back(), Fix_Ref(Field_At(4, 6)));
    EXPECT_EQ(probe.Hit().front(), Fix_Ref(Field_At(4, 5)));  // (0,-1), the last offset of rotation 4
}

TEST_F(Aiming, TheQuitControlCancelsTheAim) {
    ProbeAct probe(ACT_AT_ONCE | ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 5, 1);
    Effect_Start(Char_Ref(hero), &probe.desc, nullptr);
    cancel_targeting = 1;
    cursor_field = target_field = Field_At(5, 5);
    Tick();
    EXPECT_EQ(cursor_shown, CURSOR_NORMAL);
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_TRUE(probe.Hit().empty());
    EXPECT_EQ(chararray[hero].action_points, 10);
    // The next aim starts afresh.
    chararray[hero].state = CS_DECIDING;
    Effect_Start(Char_Ref(hero), &probe.desc, nullptr);
    EXPECT_EQ(cancel_targeting, 0);
    EXPECT_EQ(target_field, NO_FIELD);
}

TEST_F(Aiming, SelectingAnotherCharacterCancelsTheAimSilently) {
    const std::uint16_t other = Place_Hero(Field_At(1, 1), "Other");
    ProbeAct probe(ACT_AT_ONCE | ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 5, 1);
    Effect_Start(Char_Ref(hero), &probe.desc, nullptr);
    cursor_field = Field_At(5, 5);
    Tick();
    ASSERT_EQ(cursor_shown, CURSOR_ON_TARGET);
    Select_Char(other);
    EXPECT_EQ(cursor_shown, CURSOR_NORMAL);
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_TRUE(Headless_Backend().boxes.empty());

    // An act prepared before the selection moved on gives its aim up too.
    Select_Char(hero);
    chararray[hero].state = CS_DECIDING;
    ProbeAct prepared(ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 5, 1);
    Effect_Start(Char_Ref(hero), &prepared.desc, nullptr);
    ASSERT_EQ(chararray[hero].state, CS_ACT_PREPARED);
    Select_Char(other);
    Effect_Reset_Target(Char_Ref(hero), Char_Act(hero), Char_Target_List(hero));
    chararray[hero].state = CS_EXECUTING;
    for (int tick = 0; tick < 3 && chararray[hero].state == CS_EXECUTING; ++tick) Tick();
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    EXPECT_EQ(cursor_shown, CURSOR_NORMAL);
}

TEST_F(Aiming, TakingTheAimingLeaderOutOfTheSelectionCancelsTheAim) {
    struct Row {
        const char* how;
        void (*take_out)(std::uint16_t);
    } rows[] = {
        {"deselected", [](std::uint16_t c) { Deselect_Char(c); }},
        {"toggled off", [](std::uint16_t c) { Toggle_Select_Char(c); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.how);
        ProbeAct probe(ACT_AT_ONCE | ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 5, 1);
        Select_Char(hero);
        chararray[hero].state = CS_DECIDING;
        Effect_Start(Char_Ref(hero), &probe.desc, nullptr);
        cursor_field = Field_At(5, 5);
        Tick();
        ASSERT_EQ(cursor_shown, CURSOR_ON_TARGET);
        r.take_out(hero);
        ASSERT_EQ(selected_count, 0);
        EXPECT_EQ(cursor_shown, CURSOR_NORMAL) << "no cursor left aiming for nobody";
        EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
        target_field = cursor_field;
        Tick();
        EXPECT_TRUE(probe.Hit().empty());
    }
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(Aiming, NobodyAimsForTheAI) {
    const std::uint16_t orc = Place_Stranger(Field_At(1, 1));
    ProbeAct probe(ACT_HEX_RANGE | ACT_HITS_FIXITEMS, 5, 1);
    chararray[orc].state = CS_EXECUTING;
    for (int tick = 0; tick < 3 && chararray[orc].state == CS_EXECUTING; ++tick)
        Effect_Execute(Char_Ref(orc), &probe.desc, nullptr);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "AI selection not implemented yet...");
    EXPECT_EQ(chararray[orc].state, CS_TURN_DONE);
    EXPECT_EQ(cursor_shown, CURSOR_NORMAL);
}

TEST_F(Aiming, ExecutionsWithoutTargetOfSourcesThatCannotAimAreReported) {
    struct Row {
        obj_ref source;
        const char* report;
    } rows[] = {
        {Fix_Ref(Place_Fixitem(Field_At(2, 2), 0)), "Fixitem effect without target!"},
        {Item_Ref(Place_Item(Field_At(2, 2), ITEM_TYPE_DEAD_BODY)), "Item effect without target or valid owner"},
        {Make_Obj(OBJ_INVALID, 1), "Invalid source obj in effect execute"},
    };
    ProbeAct probe(ACT_HITS_FIXITEMS, 0, 1);
    for (const Row& r : rows) {
        Headless_Backend().boxes.clear();
        Effect_Execute(r.source, &probe.desc, nullptr);
        ASSERT_EQ(Headless_Backend().boxes.size(), 1u) << r.report;
        EXPECT_EQ(Headless_Backend().boxes[0].caption, r.report);
    }
    EXPECT_TRUE(probe.Hit().empty());
}

}  // namespace
