// What the change requests write into a character's record.
#include <gtest/gtest.h>

#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class ChangeRequests : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(4, 4);
        c = Place_Char(5);
        me = Char_Ref(c);
        game_clock = 10000;
    }
    RequestValue Put(request_no r, RequestValue v) { return Object_Request(me, me, 0, r, v); }
    std::uint16_t c = 0;
    obj_ref me = NOOBJ;
};

TEST_F(ChangeRequests, ActionPointsAndTheirClockStamp) {
    struct Case {
        request_no request;
        std::int16_t before;
        RequestValue value;
        std::uint32_t step;
        std::int16_t after;
        std::uint32_t stamp;
    } cases[] = {
        {REQ_SET_ACTION_POINTS, 3, 12, 4, 12, 10000},
        // stamp = clock - v * 192 / (12 * clock_step)
        {REQ_CHANGE_ACTION_POINTS, 12, -6, 4, 6, 10000 + 24},
        {REQ_CHANGE_ACTION_POINTS, -3, 12, 4, 9, 10000 - 48},
        {REQ_CHANGE_ACTION_POINTS, 5, -5, 12, 0, 10000 + 6},
        // A clock step of 0 (a bad map file) moves no stamp and divides by nothing.
        {REQ_CHANGE_ACTION_POINTS, 5, -5, 0, 0, 10000},
        {REQ_CHANGE_ACTION_POINTS, 32000, 1000, 4, 32767, 10000 - 4000},
        {REQ_SET_ACTION_POINTS, 0, -70000, 4, -32768, 10000},
    };
    for (const Case& k : cases) {
        clock_step = k.step;
        chararray[c].action_points = k.before;
        chararray[c].ap_stamp = 1;
        EXPECT_EQ(Put(k.request, k.value), k.value);
        EXPECT_EQ(chararray[c].action_points, k.after) << k.request << " " << k.before << " " << k.value;
        EXPECT_EQ(chararray[c].ap_stamp, k.stamp) << k.request << " " << k.before << " " << k.value;
    }
}

TEST_F(ChangeRequests, ManaIsAddedOrSetWithinItsUnsignedWord) {
    chararray[c].mana[0] = 5;
    chararray[c].mana[3] = 65000;
    Put(REQ_ADD_MANA_FIRE, -10);
    Put(REQ_ADD_MANA_EARTH, 1000);
    Put(REQ_ADD_MANA_WATER, 7);
    Put(REQ_SET_MANA_AIR, 70000);
    EXPECT_EQ(chararray[c].mana[0], 0);
    EXPECT_EQ(chararray[c].mana[1], 7);
    EXPECT_EQ(chararray[c].mana[2], 65535);
    EXPECT_EQ(chararray[c].mana[3], 65535);
    Put(REQ_SET_MANA_FIRE, 9);
    Put(REQ_SET_MANA_WATER, -4);
    EXPECT_EQ(chararray[c].mana[0], 9);
    EXPECT_EQ(chararray[c].mana[1], 0);
    EXPECT_EQ(Object_Request(me, me, 0, REQ_MANA_FIRE, NO_VALUE), 9);
}

TEST_F(ChangeRequests, BravenessStaysWithin0To127AndIsTheResult) {
    chararray[c].braveness = 120;
    EXPECT_EQ(Put(REQ_ADD_BRAVENESS, 20), 127);
    EXPECT_EQ(Put(REQ_ADD_BRAVENESS, -30), 97);
    EXPECT_EQ(Put(REQ_ADD_BRAVENESS, -200), 0);
    EXPECT_EQ(chararray[c].braveness, 0);
}

TEST_F(ChangeRequests, FacingAndStoredPath) {
    EXPECT_EQ(Put(REQ_SET_FACING, 4), 4);
    EXPECT_EQ(chararray[c].facing, 4);
    EXPECT_EQ(Object_Request(me, me, 0, REQ_FACING, NO_VALUE), 4);
    const std::uint32_t entries[] = {1, 2, 3};
    Store_Char_Path(c, entries, 3, Fix_Ref(2));
    ASSERT_NE(Char_Path(c), nullptr);
    Put(REQ_DROP_PATH, 0);
    EXPECT_EQ(Char_Path(c), nullptr);
    EXPECT_EQ(chararray[c].path, 0u);
    EXPECT_EQ(chararray[c].path_target, NOOBJ);
}

TEST_F(ChangeRequests, TheWriteUsesTheValueAfterTheModifiers) {
    ScopedHandler haste(MK_HASTE, [](const HandlerCall& call) {
        return call.request == REQ_SET_ACTION_POINTS ? call.value * 2 : call.value;
    });
    Add_Modifier(0, me, MK_HASTE, 0, 0, 0, 0);
    EXPECT_EQ(Put(REQ_SET_ACTION_POINTS, 6), 12);
    EXPECT_EQ(chararray[c].action_points, 12);
}

TEST_F(ChangeRequests, RequestsWithoutAWriteKeepTheRecord) {
    char_record before = chararray[c];
    for (request_no r : {REQ_132, REQ_133, REQ_134}) EXPECT_EQ(Put(r, 77), 77);
    EXPECT_EQ(std::memcmp(&before, &chararray[c], sizeof before), 0);
}

}  // namespace
