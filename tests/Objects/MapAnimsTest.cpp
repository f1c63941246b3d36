#include <gtest/gtest.h>

#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/SpriteInfo.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint8_t SPARK = 5;  // anim type with 4 frames
constexpr std::uint8_t DOOR = 1;   // fixitem slot with 4 frames
constexpr int LAYER_ANIM = 30;

std::size_t Active_Entries() {
    std::size_t n = 0;
    for (std::uint16_t e = animated_fixitems.active; e != NO_INDEX && n <= animated_fixitems.Capacity();
         e = animated_fixitems[e].next)
        ++n;
    return n;
}

std::size_t Boxes_Saying(const std::string& text) {
    std::size_t n = 0;
    for (const MessageBoxCall& b : Headless_Backend().boxes)
        if (b.caption == text) ++n;
    return n;
}

class MapAnims : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Timed_World(6, 6);
        anim_types[SPARK].sprite = Register_Sprite_Info(LAYER_ANIM, 4);
        for (std::uint8_t t = 8; t <= 12; ++t) {
            anim_types[t].sprite = Register_Sprite_Info(LAYER_ANIM, 60);
            anim_types[t].flags = static_cast<std::uint8_t>((t - 7) * 4);  // drift 1..5
        }
        Set_Fixitem_Type(DOOR, LAYER_WALL, 4);
        field = Field_Index(2, 2, 0);
    }
    std::uint16_t Anim_Of(std::uint16_t e) { return animated_fixitems[e].obj_index; }
    std::uint16_t field = 0;
};

TEST_F(MapAnims, AOneShotShowsEachFrameHoldsTheLastOneStepAndEnds) {
    std::uint16_t e = Start_MapAnim_Once(Fix_Ref(field), SPARK, 0, 3, 1, 0);
    ASSERT_NE(e, NO_INDEX);
    std::uint16_t m = Anim_Of(e);
    EXPECT_EQ(mapanim[m].frame, MAPANIM_NOT_STARTED);
    EXPECT_EQ(Field_List(field), "anim" + std::to_string(m));
    std::vector<int> frames;
    for (int tick = 1; tick <= 4; ++tick) {
        do_anim();
        frames.push_back(mapanim[m].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Active_Entries(), 1u);
    do_anim();  // the fifth tick ends it
    EXPECT_EQ(Active_Entries(), 0u);
    EXPECT_EQ(Field_List(field), "");
    EXPECT_EQ(mapanim.first_free, m);
}

TEST_F(MapAnims, ADelayHoldsTheStartBack) {
    std::uint16_t m = Anim_Of(Start_MapAnim_Once(Fix_Ref(field), SPARK, 1, 3, 1, 2));
    do_anim();
    do_anim();
    EXPECT_EQ(mapanim[m].frame, MAPANIM_NOT_STARTED);
    do_anim();
    EXPECT_EQ(mapanim[m].frame, 1);
}

TEST_F(MapAnims, ADoorOpeningRunsFromItsLastFrameDownToZero) {
    std::uint16_t door = Place_Fixitem(field, DOOR);
    maparray[door].frame = 3;
    Start_Object_Anim_Once(Fix_Ref(door), -1, -1, -1, 0);
    std::vector<int> frames;
    for (int tick = 0; tick < 5; ++tick) {
        do_anim();
        frames.push_back(maparray[door].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 0, 0}));
    EXPECT_EQ(Active_Entries(), 0u);
    EXPECT_FALSE(Map_Record_Is_Free(door));  // an object's own animation frees nothing
}

TEST_F(MapAnims, SpeedsBelow256AreWholeFramesLargerOnesAreFixedPoint) {
    struct Case {
        std::int32_t given, stored;
    } cases[] = {{1, 0x10000}, {-1, -0x10000}, {255, 255 * 0x10000}, {-255, -255 * 0x10000},
                 {256, 256},   {300, 300},     {4096, 4096},         {-300, -300}};
    for (const Case& c : cases) {
        std::uint16_t e = Start_MapAnim_Loop(Fix_Ref(field), SPARK, 0, 3, c.given, 0);
        std::int32_t speed = animated_fixitems[e].speed;
        EXPECT_EQ(speed, c.stored) << c.given;
    }
}

TEST_F(MapAnims, HalfAFrameATickStepsEverySecondTick) {
    std::uint16_t door = Place_Fixitem(field, DOOR);
    Start_Object_Anim_Loop(Fix_Ref(door), 0, 3, 0x8000, 0);
    ScopedRandom dice({0});
    std::vector<int> frames;
    for (int tick = 0; tick < 7; ++tick) {
        do_anim();
        frames.push_back(maparray[door].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 1, 2, 2, 3}));
}

TEST_F(MapAnims, AFastAnimationThatOvershootsStartsOver) {
    std::uint16_t door = Place_Fixitem(field, DOOR);
    std::uint16_t e = Start_Object_Anim_Once(Fix_Ref(door), 0, 3, 2, 0);
    do_anim();  // start: frame 0
    do_anim();
    EXPECT_EQ(maparray[door].frame, 2);
    do_anim();  // 4 is past the last frame
    EXPECT_EQ(maparray[door].frame, 0);
    (void)e;
}

TEST_F(MapAnims, ALoopStartedOnAnObjectBeginsAtARandomFrame) {
    std::uint16_t door = Place_Fixitem(field, DOOR);
    ScopedRandom dice({2});
    Start_Object_Anim_Loop(Fix_Ref(door), 0, 3, 1, 0);
    do_anim();
    EXPECT_EQ(maparray[door].frame, 2);
    EXPECT_EQ(dice.script.calls, (std::vector<int>{3}));
    do_anim();
    do_anim();  // from the last frame back to the first
    EXPECT_EQ(maparray[door].frame, 0);
}

TEST_F(MapAnims, AMapAnimationFollowsItsCharacter) {
    std::uint16_t c = Place_Char(field);
    std::uint16_t m = Anim_Of(Start_MapAnim_Loop(Char_Ref(c), SPARK, 0, 3, 1, 0));
    std::uint16_t there = Field_Index(3, 2, 0);
    Remove_Object(Char_Ref(c));
    Put_Object_To_Field(Char_Ref(c), there);
    chararray[c].offset_x = 5;
    chararray[c].offset_y = -3;
    do_anim();
    EXPECT_EQ(Field_List(field), "");
    EXPECT_EQ(Object_Field(Make_Obj(OBJ_MAPANIM, m)), there);
    EXPECT_EQ(mapanim[m].dx, 5);
    EXPECT_EQ(mapanim[m].dy, -3);
}

TEST_F(MapAnims, DamageDigitsRiseAndDriftApart) {
    struct Case {
        std::int32_t n;
        std::vector<std::pair<int, int>> type_and_frame;  // in the order started
    } cases[] = {
        {7, {{8, 7}}},
        {42, {{9, 4}, {11, 2}}},
        {305, {{10, 3}, {8, 0}, {12, 5}}},
        {12345, {{10, 9}, {8, 9}, {12, 9}}},  // shown as 999
        {-4, {{8, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        Reset_Timed_World(6, 6);
        for (std::uint8_t t = 8; t <= 12; ++t) {
            anim_types[t].sprite = Register_Sprite_Info(LAYER_ANIM, 60);
            anim_types[t].flags = static_cast<std::uint8_t>((t - 7) * 4);
        }
        Show_Damage_Digits(Fix_Ref(field), c.n, 0);
        do_anim();
        std::vector<std::pair<int, int>> shown;
        obj_ref cur = Fix_Ref(field);
        for (Next_Object(cur); Obj_Kind(cur) == OBJ_MAPANIM; Next_Object(cur))
            shown.push_back({mapanim[Obj_Index(cur)].type, mapanim[Obj_Index(cur)].frame});
        EXPECT_EQ(shown, c.type_and_frame);
    }
    // Drift by glyph: -7, -4, 0, +3, +7; 70 pixels up, then rising.
    Reset_Timed_World(6, 6);
    for (std::uint8_t t = 8; t <= 12; ++t) {
        anim_types[t].sprite = Register_Sprite_Info(LAYER_ANIM, 60);
        anim_types[t].flags = static_cast<std::uint8_t>((t - 7) * 4);
    }
    Show_Damage_Digits(Fix_Ref(field), 305, 40);
    do_anim();
    std::vector<int> dx;
    obj_ref cur = Fix_Ref(field);
    for (Next_Object(cur); Obj_Kind(cur) == OBJ_MAPANIM; Next_Object(cur)) {
        dx.push_back(mapanim[Obj_Index(cur)].dx);
        EXPECT_EQ(mapanim[Obj_Index(cur)].dy, -70);
        EXPECT_EQ(mapanim[Obj_Index(cur)].frame, 40 + (dx.size() == 1 ? 3 : dx.size() == 2 ? 0 : 5));
    }
    EXPECT_EQ(dx, (std::vector<int>{-7, 0, 7}));
    // Each digit ends 16 ticks after it appears.
    for (int tick = 0; tick < 15; ++tick) do_anim();
    EXPECT_EQ(Active_Entries(), 3u);
    do_anim();
    EXPECT_EQ(Active_Entries(), 0u);
    EXPECT_EQ(Field_List(field), "");
}

TEST_F(MapAnims, WithAllMapAnimationsInUseStartersReportOnceAndTakeNothing) {
    for (int i = 0; i < MAPANIM_COUNT; ++i) Put_MapAnim(Field_Index(static_cast<std::uint32_t>(i % 6), 0, 0), SPARK, 0);
    EXPECT_EQ(mapanim.first_free, NO_INDEX);
    EXPECT_EQ(Start_MapAnim_Once(Fix_Ref(field), SPARK, 0, 3, 1, 0), NO_INDEX);
    EXPECT_EQ(Start_MapAnim_Loop(Fix_Ref(field), SPARK, 0, 3, 1, 0), NO_INDEX);
    Show_Damage_Digits(Fix_Ref(field), 123, 0);
    Put_MapAnim(field, SPARK, 0);
    EXPECT_EQ(Boxes_Saying("No more free mapanim!!!"), 1u);
    EXPECT_EQ(Active_Entries(), 0u);
    EXPECT_EQ(Field_List(field), "");
    do_anim();
    // A freed one can be used again, and a new shortage is told again.
    Remove_MapAnim(Field_Index(1, 0, 0), SPARK);
    EXPECT_NE(Start_MapAnim_Once(Fix_Ref(field), SPARK, 0, 3, 1, 0), NO_INDEX);
    EXPECT_EQ(Start_MapAnim_Once(Fix_Ref(field), SPARK, 0, 3, 1, 0), NO_INDEX);
    EXPECT_EQ(Boxes_Saying("No more free mapanim!!!"), 2u);
}

TEST_F(MapAnims, FreeingAMapAnimationStopsItsEntry) {
    std::uint16_t e = Start_MapAnim_Loop(Fix_Ref(field), SPARK, 0, 3, 1, 0);
    std::uint16_t m = Anim_Of(e);
    Destroy_Object(Make_Obj(OBJ_MAPANIM, m));
    EXPECT_EQ(Active_Entries(), 0u);
    EXPECT_EQ(Field_List(field), "");
    // Reused at once by another animation elsewhere: the old entry is gone.
    std::uint16_t other = Field_Index(4, 4, 0);
    Put_MapAnim(other, SPARK, 2);
    do_anim();
    EXPECT_EQ(mapanim[m].frame, 2);
    Remove_MapAnim(other, SPARK);
    Delete_MapAnim(m);  // freeing twice does not corrupt the free list
    EXPECT_EQ(mapanim.first_free, m);
    EXPECT_NE(mapanim[m].link, Make_Obj(OBJ_NONE, m));
}

TEST_F(MapAnims, ACharacterIsSuspendedWhileItAnimatesAndGetsItsStateBack) {
    std::uint16_t c = Place_Char(field);
    chararray[c].state = 2;
    Start_Object_Anim_Once(Char_Ref(c), 13, 14, 1, 9);  // a character starts at once
    turn_mode = 1;
    do_anim();
    EXPECT_EQ(chararray[c].state, CHAR_STATE_SUSPENDED);
    EXPECT_EQ(chararray[c].frame, 13);
    EXPECT_EQ(anim_wait, 1u);  // turn-based play waits while a character animates
    // A second animation replaces the first and still restores the state.
    Start_Object_Anim_Once(Char_Ref(c), 20, 21, 1, 0);
    EXPECT_EQ(chararray[c].state, 2);
    for (int tick = 0; tick < 2; ++tick) do_anim();
    EXPECT_EQ(chararray[c].state, CHAR_STATE_SUSPENDED);
    do_anim();
    EXPECT_EQ(chararray[c].state, 2);
    EXPECT_EQ(Active_Entries(), 0u);
}

TEST_F(MapAnims, TheCycleAndTheWait) {
    anim_cycle = 0;
    std::vector<int> cycle;
    for (int tick = 0; tick < 8; ++tick) {
        do_anim();
        cycle.push_back(anim_cycle);
    }
    EXPECT_EQ(cycle, (std::vector<int>{1, 2, 253, 254, 255, 0, 1, 2}));

    turn_mode = 1;
    anim_wait = 3;
    do_anim();
    EXPECT_EQ(anim_wait, 2u);
    turn_mode = 0;
    anim_wait = 40;
    do_anim();
    EXPECT_EQ(anim_wait, 0u);

    static int pressed_ticks = 0;
    pressed_ticks = 0;
    Objects_Hooks().tick_pressed_control = [] { ++pressed_ticks; };
    do_anim();
    do_anim();
    Objects_Hooks().tick_pressed_control = nullptr;
    EXPECT_EQ(pressed_ticks, 2);
}

TEST_F(MapAnims, AnItemEntryIsReportedAndDropped) {
    std::uint16_t i = Place_Item(field, ITEM_TYPE_DEAD_BODY);
    Start_Object_Anim_Once(Item_Ref(i), 0, 1, 1, 0);
    do_anim();
    do_anim();
    EXPECT_EQ(Boxes_Saying("Item animation not implemented!"), 1u);
    EXPECT_EQ(Active_Entries(), 0u);
}

TEST_F(MapAnims, StillAnimationsArePutAndRemovedByType) {
    Put_MapAnim(field, SPARK, 1);
    Put_MapAnim(field, 6, 0);
    Put_MapAnim(field, SPARK, 2);
    Remove_MapAnim(field, SPARK);
    obj_ref cur = Fix_Ref(field);
    std::vector<int> left;
    for (Next_Object(cur); Obj_Kind(cur) == OBJ_MAPANIM; Next_Object(cur))
        left.push_back(mapanim[Obj_Index(cur)].type * 10 + mapanim[Obj_Index(cur)].frame);
    EXPECT_EQ(left, (std::vector<int>{60, 52}));
    Remove_MapAnim(NO_FIELD, SPARK);
    Put_MapAnim(NO_FIELD, SPARK, 0);
    EXPECT_EQ(Active_Entries(), 0u);
}

}  // namespace
