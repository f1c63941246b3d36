#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathCache.h"
#include "Objects/SpriteInfo.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint8_t DOOR = 1;   // 4 frames: 0 open .. 3 closed
constexpr std::uint8_t CHEST = 2;  // 4 frames: 0 locked, 1 closed, 3 open
constexpr std::uint8_t TELEPORT_ANIM = 18;

std::vector<std::string> Box_Captions() {
    std::vector<std::string> out;
    for (const MessageBoxCall& b : Headless_Backend().boxes) out.push_back(b.caption.empty() ? b.text : b.caption);
    return out;
}

class Programs : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Timed_World(6, 6, 3);
        Set_Fixitem_Type(DOOR, LAYER_WALL, 4);
        Set_Fixitem_Type(CHEST, LAYER_WALL, 4);
        anim_types[TELEPORT_ANIM].sprite = Register_Sprite_Info(30, 5);
        field = Field_Index(2, 2, 1);
        hero = Char_Ref(Place_Char(Field_Index(1, 2, 1)));
    }
    // A program attached to obj; the handler called as the engine would.
    std::uint16_t Attach(obj_ref obj, std::uint32_t kind, std::uint16_t p1 = 0, std::uint16_t p2 = 0,
                         std::uint16_t p3 = 0, std::uint16_t p4 = 0) {
        program_owner = obj;
        program = Add_Modifier(0, obj, kind, p1, p2, p3, p4);
        program_kind = kind;
        return program;
    }
    RequestValue Ask(obj_ref subject, request_no request, RequestValue value) {
        return mod_types[program_kind].handler(subject, program_owner, 0, program, request, value);
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) do_anim();
    }
    void Face(int facing) { chararray[Obj_Index(hero)].facing = static_cast<std::uint8_t>(facing); }

    std::uint16_t field = 0, program = 0;
    std::uint32_t program_kind = 0;
    obj_ref hero = NOOBJ, program_owner = NOOBJ;
};

// ---- Door ----

TEST_F(Programs, ALockedDoorStaysShutUntilItsLockGivesWay) {
    ScopedBaseAnswers base;
    std::uint16_t door = Place_Fixitem(field, DOOR);
    maparray[door].frame = 3;
    Attach(Fix_Ref(door), MK_DOOR, 1, 8, 5, 0);
    EXPECT_EQ(mapfield[field] & (MF_ASK_ENTRY_COST | MF_ASK_SIGHT), MF_ASK_ENTRY_COST | MF_ASK_SIGHT);

    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 0);
    EXPECT_FALSE(Object_Anim_Running(OBJ_FIXITEM, door));
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_OBJ, 2), -1);  // locked: blocked even for a walker
    Ask(hero, REQ_KNOCK, 4);                          // weaker than the lockpick value
    EXPECT_EQ(mod_array[program].p1, 1);
    Ask(hero, REQ_CHANGE_HIT_POINTS, -7);  // weaker than the lock's hit points
    EXPECT_EQ(mod_array[program].p1, 1);
    Ask(hero, REQ_KNOCK, 5);
    EXPECT_EQ(mod_array[program].p1, 0);
    mod_array[program].p1 = 1;
    Ask(hero, REQ_CHANGE_HIT_POINTS, -8);
    EXPECT_EQ(mod_array[program].p1, 0);
}

TEST_F(Programs, ADoorOpensBackwardsAndClosesForwardByFrame) {
    ScopedBaseAnswers base;
    std::uint16_t door = Place_Fixitem(field, DOOR);
    maparray[door].frame = 3;
    Attach(Fix_Ref(door), MK_DOOR);
    // Closed and unlocked: a character may pass (request 83), others not.
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_OBJ, 2), 2);
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_ENTRY_COST_OBJ, 2), -1);
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_SUM, 2), -1);
    EXPECT_EQ(Ask(hero, REQ_COVER, 40), 40);

    turn_mode = 1;
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 1);
    EXPECT_EQ(anim_wait, 4u);
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 0);  // already on the move
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        do_anim();
        frames.push_back(maparray[door].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 0, 0}));
    EXPECT_EQ(Ask(hero, REQ_COVER, 40), 0);
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_OBJ, 2), 2);
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_SUM, 2), 2);

    // Something in the doorway keeps it open.
    base.fixed[{Fix_Ref(door), REQ_FIELD_COVER}] = 30;
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 0);
    base.fixed.erase({Fix_Ref(door), REQ_FIELD_COVER});
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 1);
    frames.clear();
    for (int i = 0; i < 5; ++i) {
        do_anim();
        frames.push_back(maparray[door].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 3}));
    // Half way it is neither open nor closed.
    maparray[door].frame = 2;
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 7), 7);
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_SUM, 2), -1);
}

TEST_F(Programs, ADoorProgramOnSomethingElseIsReportedAndGoesOn) {
    Attach(Fix_Ref(field), MK_DOOR);
    Headless_Backend().boxes.clear();
    EXPECT_EQ(mod_types[MK_DOOR].handler(hero, hero, 0, program, REQ_COVER, 40), 0);
    EXPECT_EQ(Box_Captions(), (std::vector<std::string>{"non-fixitem door program"}));
    // Requests outside 10..174 are not looked at.
    EXPECT_EQ(mod_types[MK_DOOR].handler(hero, hero, 0, program, REQ_FACING, 3), 3);
    EXPECT_EQ(Box_Captions().size(), 1u);
}

// ---- Chest ----

TEST_F(Programs, AChestIsLockedClosedOrOpenByFrame) {
    std::uint16_t chest = Place_Fixitem(field, CHEST);
    Attach(Fix_Ref(chest), MK_CHEST, 0, 0, 6);
    Headless_Backend().boxes.clear();
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 0);
    EXPECT_EQ(Box_Captions(), (std::vector<std::string>{"It's locked."}));
    EXPECT_EQ(Ask(hero, REQ_COVER, 10), 30);

    Ask(hero, REQ_CHANGE_HIT_POINTS, -6);  // not stronger than the lock
    Ticks(3);
    EXPECT_EQ(maparray[chest].frame, 0);
    Ask(hero, REQ_CHANGE_HIT_POINTS, -7);
    Ticks(1);
    EXPECT_EQ(maparray[chest].frame, 1);
    Ticks(1);
    EXPECT_FALSE(Object_Anim_Running(OBJ_FIXITEM, chest));

    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 1);  // closed: opens from 1 to its last frame
    Ticks(4);
    EXPECT_EQ(maparray[chest].frame, 3);
    EXPECT_EQ(Ask(hero, REQ_COVER, 10), 45);
    Ticks(1);
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 0), 1);  // open: closes back to 1
    std::vector<int> frames;
    for (int i = 0; i < 4; ++i) {
        do_anim();
        frames.push_back(maparray[chest].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 1}));
    maparray[chest].frame = 2;
    EXPECT_EQ(Ask(hero, REQ_OPERATE, 5), 5);
}

// ---- Heights ----

TEST_F(Programs, AHillIsTheBilinearMeanOfItsCornersPlusEleven) {
    Attach(Fix_Ref(field), MK_HILL, 10, 20, 40, 30);  // NW, NE, SE, SW
    EXPECT_TRUE(mapfield[field] & MF_HEIGHT_PROGRAM);
    struct Case {
        std::int8_t sub_x, sub_y;  // a = sub_x - sub_y + 21, b = sub_y + 10
        RequestValue height;
    } cases[] = {
        {-31, -10, 21},  // a 0, b 0: the NW corner
        {11, -10, 31},   // a 42, b 0: NE
        {32, 11, 51},    // a 42, b 21: SE
        {-10, 11, 41},   // a 0, b 21: SW
        {0, 0, 35},      // the centre: top 15, bottom 35, 15 + 20 * 10 / 21
    };
    for (const Case& c : cases) {
        chararray[Obj_Index(hero)].offset_x = c.sub_x;
        chararray[Obj_Index(hero)].offset_y = c.sub_y;
        EXPECT_EQ(Ask(hero, REQ_HEIGHT, 0), c.height) << int(c.sub_x) << "," << int(c.sub_y);
        EXPECT_EQ(Ask(hero, REQ_DRAW_HEIGHT, 0), c.height);
    }
    // Any other asker stands in the centre.
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_HEIGHT, 0), 35);
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_HEIGHT_PROGRAM, 4), 4);
    // Falling slopes divide toward zero: top 20, bottom 10, 20 - 100 / 21.
    mod_array[program] = modifier{mod_array[program].flags, 0, Fix_Ref(field), MK_HILL, 30, 10, 0, 20, NO_INDEX};
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_HEIGHT, 0), 20 - 4 + 11);
}

TEST_F(Programs, TheTwentyGroundHillShapes) {
    Attach(Fix_Ref(field), MK_GROUND_HILL);
    EXPECT_TRUE(mapfield[field] & MF_HEIGHT_PROGRAM);
    // Three places of a character, with a = sub_x - sub_y + 21, b = sub_y + 10,
    // U = a * 12 / 42, V = b * 12 / 21, covering both sides of the
    // diagonals a = 2b and a = 42 - 2b.
    struct Place {
        std::int8_t sub_x, sub_y;
        RequestValue height[20];
    } places[] = {
        // a 24, b 15, U 6, V 8: a <= 2b, a >= 42 - 2b
        {8, 5, {6, 6, 6, 4, 6, 8, 6, 4, 2, 2, 0, 0, 10, 10, 14, 14, 10, 10, 12, 12}},
        // a 40, b 2, U 11, V 1: a > 2b, a >= 42 - 2b
        {11, -8, {1, 1, 1, 1, 11, 1, 1, 11, 0, 0, 0, 10, 22, 12, 12, 2, 12, 12, 12, 2}},
        // a 13, b 13, U 3, V 7: a <= 2b, a < 42 - 2b
        {-5, 3, {3, 7, 3, 5, 3, 7, 9, 5, 0, 4, 2, 0, 8, 14, 10, 16, 8, 12, 10, 12}},
    };
    const RequestValue other_asker[20] = {6, 6, 6, 6, 6, 6, 6, 6, 0, 0, 0, 0, 12, 12, 12, 12, 12, 12, 12, 12};
    for (int shape = 0; shape < 20; ++shape) {
        SCOPED_TRACE(shape);
        maparray[field].frame = static_cast<std::uint8_t>(shape);
        for (const Place& p : places) {
            chararray[Obj_Index(hero)].offset_x = p.sub_x;
            chararray[Obj_Index(hero)].offset_y = p.sub_y;
            EXPECT_EQ(Ask(hero, REQ_HEIGHT, 0), p.height[shape]) << int(p.sub_x);
            EXPECT_EQ(Ask(hero, REQ_HEIGHT_PROGRAM, 0), p.height[shape]) << int(p.sub_x);
        }
        EXPECT_EQ(Ask(Fix_Ref(field), REQ_HEIGHT, 0), other_asker[shape]);
        EXPECT_EQ(Ask(hero, REQ_DRAW_HEIGHT, 3), 3);  // not answered
    }
    maparray[field].frame = 20;
    EXPECT_EQ(Ask(hero, REQ_HEIGHT, 5), 0);
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_HEIGHT, 5), 0);
}

// ---- Paths ----

TEST_F(Programs, StepsLeadUpOrDownForTheirDirectionsOnly) {
    Attach(Fix_Ref(field), MK_STEPS, 0x01 | 0x08, 1);  // directions 1 and 4, one level up
    EXPECT_TRUE(mapfield[field] & MF_TRANSPORTER);
    struct Case {
        int facing;
        RequestValue result;
    } cases[] = {{1, field + 36}, {2, NO_VALUE}, {3, NO_VALUE}, {4, field + 36}, {5, NO_VALUE}, {6, NO_VALUE}};
    for (const Case& c : cases) {
        Face(c.facing);
        path_cacheable = 1;
        EXPECT_EQ(Ask(hero, REQ_TRANSPORT_DEST, NO_VALUE), c.result) << c.facing;
        EXPECT_EQ(path_cacheable, 0u);
        EXPECT_EQ(Ask(hero, REQ_TRANSPORT_STEP, NO_VALUE), c.result) << c.facing;
    }
    path_cacheable = 1;
    EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_OBJ, 3), 3);
    EXPECT_EQ(path_cacheable, 1u);
}

TEST_F(Programs, StepsOffTheMapsLevelsAreRefused) {
    Attach(Fix_Ref(field), MK_STEPS, 0x01, static_cast<std::uint16_t>(-2));  // two levels down from level 1
    Face(1);
    Headless_Backend().boxes.clear();
    EXPECT_EQ(Ask(hero, REQ_TRANSPORT_DEST, NO_VALUE), NO_VALUE);
    EXPECT_EQ(Box_Captions(), (std::vector<std::string>{"invalid transporter destination"}));
    mod_array[program].p2 = static_cast<std::uint16_t>(-1);
    EXPECT_EQ(Ask(hero, REQ_TRANSPORT_DEST, NO_VALUE), field - 36);
}

TEST_F(Programs, ATeleportSendsToItsFieldAndShimmersOnce) {
    std::uint16_t dest = Field_Index(5, 5, 0);
    Attach(Fix_Ref(field), MK_TELEPORT, dest);
    EXPECT_TRUE(mapfield[field] & MF_TRANSPORTER);
    mod_types[MK_TELEPORT].handler(Fix_Ref(field), Fix_Ref(field), 0, program, REQ_INITIALISE, 0);
    std::uint16_t loop = Find_MapAnim_Entry(Fix_Ref(field), TELEPORT_ANIM);
    ASSERT_NE(loop, NO_INDEX);
    EXPECT_TRUE(animated_fixitems[loop].flags & AE_LOOP);
    EXPECT_EQ(Field_List(field), "anim0");  // one shimmer, though told twice
    // Told again for another object on its field, through the engine.
    Set_Fixitem_Type(3, LAYER_WALL);
    std::uint16_t crate = Place_Fixitem(field, 3);
    Object_Request(Fix_Ref(crate), Fix_Ref(crate), 0, REQ_INITIALISE, 0);
    EXPECT_EQ(Field_List(field), "fix" + std::to_string(crate) + " anim0");

    path_cacheable = 1;
    EXPECT_EQ(Ask(hero, REQ_TRANSPORT_DEST, NO_VALUE), dest);
    EXPECT_EQ(path_cacheable, 1u);  // the same for every mover
    EXPECT_EQ(Field_List(dest), "");
    anim_wait = 3;
    EXPECT_EQ(Ask(hero, REQ_TRANSPORT_STEP, NO_VALUE), dest);
    std::uint16_t arrival = Find_MapAnim_Entry(Fix_Ref(dest), TELEPORT_ANIM);
    ASSERT_NE(arrival, NO_INDEX);
    EXPECT_TRUE(animated_fixitems[arrival].flags & AE_ONCE);
    EXPECT_EQ(animated_fixitems[arrival].delay, 4);

    mod_array[program].p1 = static_cast<std::uint16_t>(total_fields);
    Headless_Backend().boxes.clear();
    EXPECT_EQ(Ask(hero, REQ_TRANSPORT_STEP, NO_VALUE), NO_VALUE);
    EXPECT_EQ(Box_Captions(), (std::vector<std::string>{"invalid transporter destination"}));
    EXPECT_EQ(Find_MapAnim_Entry(Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(total_fields)), TELEPORT_ANIM),
              NO_INDEX);
}

TEST_F(Programs, AnExcluderBlocksMoversOfItsDirections) {
    Attach(Fix_Ref(field), MK_EXCLUDER, 0x04 | 0x20);  // directions 3 and 6
    EXPECT_TRUE(mapfield[field] & MF_ASK_ENTRY_COST);
    for (int facing = 1; facing <= 6; ++facing) {
        Face(facing);
        path_cacheable = 1;
        RequestValue expected = (facing == 3 || facing == 6) ? -1 : 4;
        EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_OBJ, 4), expected) << facing;
        EXPECT_EQ(Ask(hero, REQ_ENTRY_COST_SUM, 4), expected) << facing;
        EXPECT_EQ(path_cacheable, 0u);
    }
    path_cacheable = 1;
    EXPECT_EQ(Ask(hero, REQ_TRANSPORT_DEST, 9), 9);
    EXPECT_EQ(path_cacheable, 1u);
}

}  // namespace
