#include <gtest/gtest.h>

#include <set>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Floods.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "System/Random.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/PathWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

std::uint16_t F(std::uint32_t x, std::uint32_t y, std::uint32_t level = 0) { return Field_Index(x, y, level); }

void Move_To(std::uint16_t c, std::uint16_t field) {
    Delete_Object_From_Field(OBJ_CHAR, c, Object_Field(Char_Ref(c)));
    Put_Object_To_Field(Char_Ref(c), field);
}

bool Queued_At_Most_Once() {
    std::set<std::uint16_t> seen(path_queue.begin(), path_queue.begin() + path_queue_count);
    return seen.size() == path_queue_count;
}

// ---- Sound ----

class SoundFlood : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Path_World(100, 5, 2);
        listener = Place_Char(F(0, 0, 0), "Ear");
    }
    std::int32_t Heard_At(std::uint16_t field) {
        Move_To(listener, field);
        return Hear_Distance(Char_Ref(listener));
    }
    std::uint16_t listener = 0;
};

TEST_F(SoundFlood, OpenGroundDampsFivePerField) {
    struct Case {
        std::uint16_t loudness;
        std::uint32_t farthest;  // heard up to this distance
    } cases[] = {{2, 1}, {12, 11}, {52, 51}, {60, 59}};
    for (const Case& c : cases) {
        Propagate_Sound(F(10, 2), c.loudness);
        SCOPED_TRACE(testing::Message() << "loudness " << c.loudness);
        EXPECT_EQ(Node_Cost(path_nodes[F(10, 2)]), c.loudness * 5);
        EXPECT_EQ(field_cost[F(10, 2)], 0);
        EXPECT_EQ(Heard_At(F(10 + c.farthest, 2)), static_cast<std::int32_t>(c.farthest));
        EXPECT_EQ(Heard_At(F(10 + c.farthest + 1, 2)), NO_DISTANCE);
        EXPECT_TRUE(Queued_At_Most_Once());
    }
}

TEST_F(SoundFlood, LoudSoundsStayBelowTheMarkers) {
    // 52 * 5 - 5 = 255 would read as "not computed", 254 as "dies here".
    Propagate_Sound(F(10, 2), 52);
    EXPECT_EQ(Node_Cost(path_nodes[F(11, 2)]), 255);
    EXPECT_EQ(field_cost[F(11, 2)], MAX_SOUND_CACHE);
    EXPECT_EQ(Node_Cost(path_nodes[F(12, 2)]), 250);
    EXPECT_EQ(field_cost[F(12, 2)], 250);
    Propagate_Sound(F(10, 2), 51);
    EXPECT_EQ(field_cost[F(11, 2)], 250);
    // The node keeps 11 bits: a very loud sound is capped, not wrapped.
    Propagate_Sound(F(10, 2), 1000);
    EXPECT_EQ(Node_Cost(path_nodes[F(10, 2)]), MAX_NODE_COST);
}

TEST_F(SoundFlood, ThickFieldsStopTheSound) {
    Set_Fixitem_Type(7, LAYER_WALL, 1, 0, 100);
    Place_Fixitem(F(12, 2), 7);  // damping 100 * 8 / 10 + 5 = 85
    EXPECT_EQ(Field_Sound_Damping(F(12, 2)), 85);
    Propagate_Sound(F(10, 2), 12);  // 60 at the source, 55 next to it
    EXPECT_EQ(field_cost[F(12, 2)], SOUND_DIES);
    EXPECT_EQ(Node_Type(path_nodes[F(12, 2)]), PT_UNVISITED);
    EXPECT_EQ(Node_Cost(path_nodes[F(13, 2)]), 60 - 4 * 5);  // round the wall: 4 fields
}

TEST_F(SoundFlood, LevelCrossingLosesTheFloorsFill) {
    Set_Fixitem_Type(0, LAYER_FLOOR, 1, 0, 20);  // ground of level 0
    Set_Fixitem_Type(8, LAYER_FLOOR, 1, 0, 50);  // ground of level 1: the floor between
    for (std::uint32_t f = fields_per_level; f < total_fields; ++f) maparray.records[f].type = 8;

    Propagate_Sound(F(5, 2, 0), 20);  // 100 at the source
    EXPECT_EQ(Node_Cost(path_nodes[F(5, 2, 1)]), 100 - 50 * 8 / 10 - 5);
    Propagate_Sound(F(5, 2, 1), 20);
    EXPECT_EQ(Node_Cost(path_nodes[F(5, 2, 0)]), 100 - 50 * 8 / 10 - 5);
    EXPECT_TRUE(Queued_At_Most_Once());

    // A field with its own silence program damps by its request 112.
    mapfield[F(7, 2, 1)] |= MF_ASK_SIGHT;
    EXPECT_EQ(Field_Sound_Damping(F(7, 2, 1)), 5);  // the generic silence
}

// ---- Reach ----

class Reach : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Path_World(20, 20);
        Set_Fixitem_Type(0, LAYER_FLOOR, 1, 3);
        hero = Place_Thinking_Char(F(5, 5));
    }
    std::uint16_t hero = 0;
};

TEST_F(Reach, RemainderOfZeroIsNotReached) {
    chararray.records[hero].facing = 4;
    path_char = NOOBJ;
    Compute_Reach(Char_Ref(hero), AI_REACH_BUDGET);
    EXPECT_EQ(Node_Cost(path_nodes[F(5, 5)]), 12);
    EXPECT_EQ(Node_Cost(path_nodes[F(6, 5)]), 9);
    EXPECT_EQ(Node_Cost(path_nodes[F(7, 5)]), 6);
    EXPECT_EQ(Node_Cost(path_nodes[F(8, 5)]), 3);
    EXPECT_EQ(path_nodes[F(9, 5)], 0u);
    EXPECT_EQ(Node_Type(path_nodes[F(7, 6)]), PT_EXPANDED);  // distance 3
    EXPECT_EQ(path_nodes[F(8, 6)], 0u);                      // distance 4
    // A field whose cost equals the budget left stays unreached.
    Draw_Level({"", "", "", "", "", "..3"});
    Compute_Reach(Char_Ref(hero), AI_REACH_BUDGET);
    EXPECT_EQ(Node_Cost(path_nodes[F(3, 5)]), 6);
    EXPECT_EQ(path_nodes[F(2, 5)], 0u);  // it costs 6
    EXPECT_TRUE(Queued_At_Most_Once());
    // The facing and the routed character are restored.
    EXPECT_EQ(chararray.records[hero].facing, 4);
    EXPECT_EQ(path_char, NOOBJ);
}

TEST_F(Reach, EnemyFieldKeepsTheLargestBudgetThatTouchedIt) {
    // Lobby 7 stands at 0 to the party: no danger around it.
    Place_Thinking_Char(F(7, 5), "Enemy", 7);
    Compute_Reach(Char_Ref(hero), AI_REACH_BUDGET);
    EXPECT_EQ(Node_Type(path_nodes[F(7, 5)]), PT_UNVISITED);
    EXPECT_EQ(Node_Cost(path_nodes[F(7, 5)]), 9);
    EXPECT_EQ(field_cost[F(7, 5)], REACH_BLOCKED);
    // Nothing is reached through it.
    EXPECT_EQ(path_nodes[F(8, 5)], 0u);
    EXPECT_EQ(Node_Cost(path_nodes[F(8, 4)]), 3);
}

TEST_F(Reach, BudgetIsKeptInElevenBitsAndOnlyCharactersReach) {
    Compute_Reach(Char_Ref(hero), 5000);
    EXPECT_EQ(Node_Cost(path_nodes[F(5, 5)]), MAX_NODE_COST);
    EXPECT_EQ(Node_Cost(path_nodes[F(6, 5)]), MAX_NODE_COST - 3);
    path_nodes[F(6, 5)] = 12345;
    Compute_Reach(Fix_Ref(F(5, 5)), AI_REACH_BUDGET);
    EXPECT_EQ(path_nodes[F(6, 5)], 12345u);
}

TEST_F(Reach, StairsAreClimbedFromTheirSideEvenWhenPassedBefore) {
    Reset_Path_World(12, 12, 2);
    Set_Fixitem_Type(0, LAYER_FLOOR, 1, 1);
    // (6,5) leads up only for walkers going east. The hero, south of it,
    // first walks onto it as plain ground (budget 5 left), and only later
    // reaches it from the west with less (4): that arrival still climbs.
    hero = Place_Thinking_Char(F(6, 6));
    Add_Modifier(0, Fix_Ref(F(6, 5)), MK_STEPS, 0x01, 1, 0, 0);
    Compute_Reach(Char_Ref(hero), 6);
    EXPECT_EQ(Node_Cost(path_nodes[F(6, 5)]), 5);
    EXPECT_EQ(Node_Cost(path_nodes[F(5, 5)]), 4);
    EXPECT_EQ(Node_Cost(path_nodes[F(6, 5, 1)]), 3);
    EXPECT_EQ(Node_Cost(path_nodes[F(8, 5, 1)]), 1);
    EXPECT_TRUE(Queued_At_Most_Once());
}

// ---- Flight ----

class Flight : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Path_World(12, 12);
        Set_Fixitem_Type(0, LAYER_FLOOR, 1, 1);
        hero = Place_Thinking_Char(F(5, 5));  // hit points 20, braveness 50: limit 20
        std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
        item_types[sword].damage_min = 25;
        item_types[sword].damage_max = 25;
        enemy = Place_Thinking_Char(F(6, 5), "Enemy", 4);
        Give_Item(enemy, sword, SLOT_RIGHT_HAND);
        Make_Hostile(enemy, hero);
        Set_Random_Script(&script);
    }
    void TearDown() override {
        Set_Random_Script(nullptr);
        Free_Char_Array();  // with the stored paths
    }
    // The next Random(6) answers first.
    void Script(int first) {
        script.values = {first};
        script.next = 0;
        script.calls.clear();
    }

    std::uint16_t hero = 0, enemy = 0;
    RandomScript script;
};

TEST_F(Flight, FleesToTheSafestFreeNeighbour) {
    // Free and safe: (4,6), (4,5), (5,4); next to the enemy: (5,6), (6,4).
    Place_Thinking_Char(F(4, 5), "Friend");
    Place_Thinking_Char(F(5, 4), "Friend");
    EXPECT_EQ(Field_Danger(Char_Ref(hero), F(5, 5)), 25);
    EXPECT_EQ(Field_Danger(Char_Ref(hero), F(4, 5)), NO_DISTANCE);
    for (int r = 0; r < 6; ++r) {
        Script(r);
        ASSERT_EQ(bad_place(Char_Ref(hero)), 1) << r;
        EXPECT_EQ(chararray.records[hero].path_target, Fix_Ref(F(4, 6))) << r;
        const std::vector<std::uint32_t>* stored = Char_Path(hero);
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->size(), 1u);
        EXPECT_EQ(chararray.records[hero].path_entry, 0);
        EXPECT_EQ(Node_Dir((*stored)[0]), 3);
    }
}

TEST_F(Flight, EquallySafeNeighboursGoByTheRandomRotation) {
    Place_Thinking_Char(F(5, 4), "Friend");
    // Safe and free: (4,6) direction 3 and (4,5) direction 4.
    Script(0);  // order 1..6: direction 3 first
    ASSERT_EQ(bad_place(Char_Ref(hero)), 1);
    EXPECT_EQ(chararray.records[hero].path_target, Fix_Ref(F(4, 6)));
    Script(3);  // order 4, 5, 6, 1, 2, 3
    ASSERT_EQ(bad_place(Char_Ref(hero)), 1);
    EXPECT_EQ(chararray.records[hero].path_target, Fix_Ref(F(4, 5)));
}

TEST_F(Flight, NoFlightWhenSafeOrCornered) {
    // A friendly neighbour is no danger.
    Set_Relation(chararray.records[enemy].ai_slot, chararray.records[hero].ai_slot, 0);
    EXPECT_EQ(bad_place(Char_Ref(hero)), 0);
    EXPECT_TRUE(script.calls.empty());
    // Every free neighbour as dangerous as the own field: the path is dropped.
    Make_Hostile(enemy, hero);
    for (std::uint16_t f : {F(4, 6), F(4, 5), F(5, 4)}) Place_Thinking_Char(f, "Friend");
    path(hero, 8, 8, 0, 1);
    Store_Char_Path(hero, pathdirs.data(), path_count, Fix_Ref(F(8, 8)));
    Script(2);
    EXPECT_EQ(bad_place(Char_Ref(hero)), 0);
    EXPECT_EQ(Char_Path(hero), nullptr);
    EXPECT_EQ(chararray.records[hero].path_target, NOOBJ);
    // Only characters flee.
    EXPECT_EQ(bad_place(Fix_Ref(F(5, 5))), 0);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "non-character obj in bad_place");
}

}  // namespace
