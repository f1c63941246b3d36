#include <gtest/gtest.h>

#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Sight.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/PathWorld.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

std::uint16_t F(std::uint32_t x, std::uint32_t y, std::uint32_t level = 0) { return Field_Index(x, y, level); }

class Sight : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Path_World(40, 20);
        viewer = Place_Char(F(2, 10), "Eye");
    }
    std::int32_t Seen(std::uint16_t target, std::uint16_t range = 20) {
        Set_Sight_Target(target, range);
        return visi_dist(Char_Ref(viewer));
    }
    std::uint16_t viewer = 0;
};

TEST_F(Sight, RangeOnOpenGround) {
    EXPECT_EQ(Seen(F(22, 10)), 20);  // 19 fields charged: 95 of 100
    EXPECT_EQ(sight_range, 100);
    EXPECT_EQ(Seen(F(23, 10)), NO_DISTANCE);    // 20 fields: exactly 0 left
    EXPECT_EQ(Seen(F(2, 10)), 0);               // its own field
    EXPECT_EQ(Seen(F(3, 10)), 1);               // nothing between
    EXPECT_EQ(Seen(F(4, 10), 0), NO_DISTANCE);  // no budget at all
    EXPECT_EQ(Seen(F(12, 0)), 10);              // a diagonal line, 9 charged
}

TEST_F(Sight, WhatStandsOnTheLineCosts) {
    Place_Char(F(10, 10), "Obstacle");
    // A character costs half its cover of 30 on top of the field's 5.
    EXPECT_EQ(Field_Base_Sight_Cost(Char_Ref(viewer), Fix_Ref(F(10, 10))), 15);
    EXPECT_EQ(Field_Sight_Cost(Char_Ref(viewer), Fix_Ref(F(10, 10))), 20);
    EXPECT_EQ(Seen(F(19, 10)), 17);  // 15 * 5 + 20 = 95
    EXPECT_EQ(Seen(F(20, 10)), NO_DISTANCE);
    // Fixitems add their fill, items nothing.
    Set_Fixitem_Type(5, LAYER_WALL, 1, 0, 30);
    Place_Fixitem(F(11, 10), 5);
    Place_Item(F(11, 10), Add_Item_Type("Stone", CLASS_OTHER));
    EXPECT_EQ(Field_Sight_Cost(Char_Ref(viewer), Fix_Ref(F(11, 10))), 35);
}

TEST_F(Sight, FieldWithASightProgramCostsItsAnswer) {
    ScopedHandler program(
        MK_SILENCE, [](const HandlerCall& c) { return c.request == REQ_SIGHT_COST ? 42 : c.value; }, 0);
    Add_Modifier(0, Fix_Ref(F(10, 10)), MK_SILENCE, 0, 0, 0, 0);
    Set_Fixitem_Type(5, LAYER_WALL, 1, 0, 30);
    Place_Fixitem(F(10, 10), 5);
    mapfield[F(10, 10)] |= MF_ASK_SIGHT;
    EXPECT_EQ(Field_Sight_Cost(Char_Ref(viewer), Fix_Ref(F(10, 10))), 42);
    EXPECT_EQ(Field_Base_Sight_Cost(Char_Ref(viewer), Fix_Ref(F(10, 10))), 30);
}

TEST_F(Sight, ScopeByFacing) {
    // Probes around the viewer, and for each facing whether it lies inside.
    const int probes[][2] = {{2, 0}, {0, 2},   {-2, 2}, {-2, 0}, {0, -2}, {2, -2},
                             {1, 1}, {-1, -1}, {2, -1}, {-1, 2}, {0, 0}};
    const char* inside[] = {
        "11000110101",  // 1: east
        "11100010011",  // 2
        "01110000011",  // 3
        "00111001001",  // 4: west
        "00011101001",  // 5
        "10001100101",  // 6
    };
    const obj_ref eye = Char_Ref(viewer);
    for (int facing = 1; facing <= 6; ++facing) {
        chararray.records[viewer].facing = static_cast<std::uint8_t>(facing);
        std::string got;
        for (const auto& p : probes) got += static_cast<char>('0' + Scope(eye, F(2 + p[0], 10 + p[1])));
        EXPECT_EQ(got, inside[facing - 1]) << "facing " << facing;
    }
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    chararray.records[viewer].facing = 0;
    EXPECT_EQ(Scope(eye, F(3, 10)), 0);
    EXPECT_EQ(Scope(eye, static_cast<std::uint16_t>(total_fields)), 0);
    ASSERT_EQ(Headless_Backend().boxes.size(), 2u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Invalid direction in Scope");
    EXPECT_EQ(Headless_Backend().boxes[1].caption, "Destination index is not field-head in Scope");
}

TEST_F(Sight, SectorLimitsVisiDistScope) {
    chararray.records[viewer].facing = 1;
    Set_Sight_Target(F(12, 10), 20);
    EXPECT_EQ(visi_dist_scope(Char_Ref(viewer)), 10);
    chararray.records[viewer].facing = 4;
    EXPECT_EQ(visi_dist_scope(Char_Ref(viewer)), NO_DISTANCE);
    EXPECT_EQ(visi_dist(Char_Ref(viewer)), 10);
}

TEST_F(Sight, VisiblePercentAndCover) {
    const std::uint16_t other = Place_Char(F(4, 10), "Seen");
    // Request 70 is 100: a budget of 1, spent by the first field between.
    EXPECT_EQ(visible_percent(Char_Ref(viewer), Char_Ref(other)), 0);
    Delete_Object_From_Field(OBJ_CHAR, other, F(4, 10));
    Put_Object_To_Field(Char_Ref(other), F(3, 10));
    EXPECT_EQ(visible_percent(Char_Ref(viewer), Char_Ref(other)), 1);
    chararray.records[viewer].facing = 4;
    EXPECT_EQ(visible_percent(Char_Ref(viewer), Char_Ref(other)), 0);

    // Keener eyes: 1500 percent, a budget of 15.
    chararray.records[viewer].facing = 1;
    ScopedHandler keen(
        MK_HASTE, [](const HandlerCall& c) { return c.request == REQ_SIGHT ? 1500 : c.value; }, 0);
    Add_Modifier(0, Char_Ref(viewer), MK_HASTE, 0, 0, 0, 0);
    Delete_Object_From_Field(OBJ_CHAR, other, F(3, 10));
    Put_Object_To_Field(Char_Ref(other), F(5, 10));
    EXPECT_EQ(visible_percent(Char_Ref(viewer), Char_Ref(other)), 5);
    Delete_Object_From_Field(OBJ_CHAR, other, F(5, 10));
    Put_Object_To_Field(Char_Ref(other), F(6, 10));
    EXPECT_EQ(visible_percent(Char_Ref(viewer), Char_Ref(other)), 0);  // exactly 0 left

    // Cover between two places: 100 minus the fill on the fields between.
    Set_Fixitem_Type(5, LAYER_WALL, 1, 0, 40);
    EXPECT_EQ(base_visible_percent(Char_Ref(viewer), Char_Ref(other)), 100);
    Place_Fixitem(F(3, 10), 5);
    EXPECT_EQ(base_visible_percent(Char_Ref(viewer), Char_Ref(other)), 60);
    Place_Fixitem(F(4, 10), 5);
    EXPECT_EQ(base_visible_percent(Char_Ref(viewer), Char_Ref(other)), 20);
    Place_Fixitem(F(5, 10), 5);
    EXPECT_EQ(base_visible_percent(Char_Ref(viewer), Char_Ref(other)), 0);
}

}  // namespace

// A character whose facing is taken from its record, with its place given,
// sees what the facing question makes it see: in every direction, near and
// far, past what stands on the line.
TEST_F(Sight, AFacingGivenFromTheRecordSeesAsTheFacingQuestion) {
    Place_Char(F(12, 10), "Obstacle");
    Place_Char(F(8, 5), "Obstacle");
    const std::uint16_t at = F(2, 10);
    const int targets[][2] = {{22, 10}, {23, 10}, {12, 0}, {12, 10}, {20, 10}, {2, 0},  {2, 19},
                              {0, 10},  {0, 19},  {8, 2},  {14, 0},  {3, 10},  {2, 10}, {30, 19}};
    // With the sight it has, and with a fog on its field dimming it.
    for (int fog = 0; fog < 2; ++fog) {
        if (fog == 1) {
            Add_Modifier(0, Fix_Ref(at), MK_EVIL_FOG, 5, 0, 0, 0);
            ASSERT_LT(Ask(Char_Ref(viewer), Char_Ref(viewer), REQ_SIGHT), 100);
        }
        for (const auto& t : targets) {
            for (std::int32_t facing = 1; facing <= 6; ++facing) {
                chararray.records[viewer].facing = static_cast<std::uint8_t>(facing);
                Set_Sight_Target(F(static_cast<std::uint32_t>(t[0]), static_cast<std::uint32_t>(t[1])), 20);
                const Viewer_Place place{at, 2, 10, facing};
                const std::int32_t asked = visi_dist_scope(Char_Ref(viewer));
                EXPECT_EQ(visi_dist_scope_at(Char_Ref(viewer), place), asked)
                    << t[0] << "," << t[1] << " facing " << facing;
                if (!In_Facing_Sector(facing, static_cast<std::int32_t>(t[0]) - 2,
                                      static_cast<std::int32_t>(t[1]) - 10)) {
                    EXPECT_EQ(asked, NO_DISTANCE) << t[0] << "," << t[1];
                }
            }
        }
    }
    // A facing out of 1..6 is reported as the question reports it.
    Set_Sight_Target(F(12, 0), 20);
    EXPECT_FALSE(In_Facing_Sector(7, 10, -10));
    EXPECT_EQ(visi_dist_scope_at(Char_Ref(viewer), {at, 2, 10, 7}), NO_DISTANCE);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Invalid direction in Scope");
}

// While a sight-cost scope lives a field's cost is worked out once; what
// changes meanwhile is seen only once the kept costs are forgotten, and
// never outside a scope.
TEST_F(Sight, KeptSightCostsLastUntilForgotten) {
    const obj_ref eye = Char_Ref(viewer);
    const obj_ref head = Fix_Ref(F(10, 10));
    {
        const Sight_Cost_Scope scope;
        EXPECT_EQ(Field_Sight_Cost(eye, head), 5);
        const std::uint16_t other = Place_Char(F(10, 10), "Obstacle");
        EXPECT_EQ(Field_Sight_Cost(eye, head), 5);
        Forget_Sight_Costs();
        EXPECT_EQ(Field_Sight_Cost(eye, head), 20);
        Delete_Object_From_Field(OBJ_CHAR, other, F(10, 10));
        {
            const Sight_Cost_Scope inner;  // a new scope keeps nothing from before
            EXPECT_EQ(Field_Sight_Cost(eye, head), 5);
            Place_Char(F(10, 10), "Obstacle");
        }
        EXPECT_EQ(Field_Sight_Cost(eye, head), 20);  // nor does the one it returns to
    }
    Place_Char(F(10, 10), "Obstacle");
    EXPECT_EQ(Field_Sight_Cost(eye, head), 35);
}
