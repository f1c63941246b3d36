// The orders of the hexamap screen's left panel: which act each orders the
// leading character, in which mode, and waiting for the others.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/GameClock.h"
#include "Objects/PlayerCommands.h"
#include "Objects/Request.h"
#include "Objects/Turns.h"
#include "support/ActWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class PlayerCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Act_World(9, 9);
        hero = Place_Hero(Field_At(2, 2));
        friend_ = Place_Hero(Field_At(5, 5), "Friend");
        Select_Char(hero);
    }
    void TearDown() override { turn_mode = 0; }

    // The user commands in c's act list.
    static std::vector<act_entry> Commands(std::uint16_t c) {
        std::vector<act_entry> out;
        const std::uint16_t slot = chararray.records[c].ai_slot;
        for (std::uint16_t a = iqarray.records[slot].first_act, n = 0; a < actarray.Capacity() && n < 1000;
             a = actarray.records[a].next, ++n)
            if (actarray.records[a].type & ACT_USER_COMMAND) out.push_back(actarray.records[a]);
        return out;
    }
    RequestValue Ask(request_no r) { return Object_Request(Char_Ref(hero), Char_Ref(hero), 0, r, 0); }

    std::uint16_t hero = 0, friend_ = 0;
};

TEST_F(PlayerCommands, EachButtonOrdersItsActOrNothing) {
    using handler = void (*)(std::uint32_t, int);
    struct row {
        const char* what;
        handler h;
        act_desc* act;
        bool real_time;
    };
    const row rows[] = {
        {"attack", &Cmd_Attack_Right, &attack_right_act, true},
        {"operate", &Cmd_Operate_Item, &operate_act, true},
        {"guard", &Cmd_Guard, &guard_act, false},
        {"haste", &Cmd_Haste, &haste_act, true},
        {"left hand", &Cmd_Attack_Left, nullptr, false},
        {"repeat", &Cmd_Repeat_Last_Order, nullptr, false},
    };
    for (const row& r : rows) {
        for (std::uint32_t mode : {0u, 1u}) {
            SCOPED_TRACE(std::string(r.what) + (mode ? " in turn mode" : " in real time"));
            Clear_Negative_Acts(chararray.records[hero].ai_slot);
            turn_mode = mode;
            // The mouse flags and the event make no difference.
            r.h(mode ? 0u : 4u, mode ? 1 : 2);
            const std::vector<act_entry> commands = Commands(hero);
            if (r.act == nullptr || (mode == 0 && !r.real_time)) {
                EXPECT_TRUE(commands.empty());
                continue;
            }
            ASSERT_EQ(commands.size(), 1u);
            EXPECT_EQ(commands[0].type, ACT_START | ACT_USER_COMMAND);
            EXPECT_EQ(commands[0].target, NOOBJ);
            EXPECT_EQ(Act_From_Handle(commands[0].arg1), r.act);
            EXPECT_EQ(commands[0].arg2, 0u);
            EXPECT_EQ(commands[0].priority, Relation_To_Main_Char(Char_Ref(hero)));
            EXPECT_TRUE(Commands(friend_).empty()) << "only the leading character";
        }
    }
}

TEST_F(PlayerCommands, NothingIsOrderedWhenThePlayerMayNotCommand) {
    selected_count = 0;
    Cmd_Attack_Right(0, 1);
    EXPECT_TRUE(Commands(hero).empty()) << "nothing selected";
    Select_Char(hero);
    chararray.records[hero].hp = 0;
    Cmd_Operate_Item(0, 1);
    EXPECT_TRUE(Commands(hero).empty()) << "the leader cannot act";
    const std::uint16_t orc = Place_Stranger(Field_At(7, 7));
    Select_Char(orc);
    Cmd_Attack_Right(0, 1);
    EXPECT_TRUE(Commands(orc).empty()) << "a stranger leads";
}

TEST_F(PlayerCommands, WaitingPaysAQuarterAndHandsTheTurnOn) {
    turn_mode = 1;
    const RequestValue most = Ask(REQ_MAX_ACTION_POINTS);
    ASSERT_GE(most, 8);
    chararray.records[hero].action_points = static_cast<std::int16_t>(most / 4 + 1);
    chararray.records[friend_].action_points = 1;
    chararray.records[friend_].state = CS_DECIDING;
    Cmd_Wait_For_Others(0, 1);
    EXPECT_EQ(chararray.records[hero].state, CS_WAITING);
    EXPECT_EQ(Ask(REQ_ACTION_POINTS), 1);
    EXPECT_EQ(selected[0], friend_) << "the next actor leads";
}

TEST_F(PlayerCommands, WithAQuarterLeftTheCharacterGuardsInstead) {
    turn_mode = 1;
    const RequestValue most = Ask(REQ_MAX_ACTION_POINTS);
    chararray.records[hero].action_points = static_cast<std::int16_t>(most / 4);
    Cmd_Wait_For_Others(0, 1);
    EXPECT_EQ(chararray.records[hero].state, CS_GUARDING);
}

TEST_F(PlayerCommands, WaitingNeedsTurnModeAndACharacterThatMayWait) {
    const RequestValue most = Ask(REQ_MAX_ACTION_POINTS);
    chararray.records[hero].action_points = static_cast<std::int16_t>(most);
    Cmd_Wait_For_Others(0, 1);
    EXPECT_EQ(chararray.records[hero].state, CS_DECIDING) << "real time";
    turn_mode = 1;
    for (std::uint16_t state : {CS_GUARDING, CS_DONE, CS_STEPPING, CS_TURN_DONE}) {
        chararray.records[hero].state = state;
        Cmd_Wait_For_Others(0, 1);
        EXPECT_EQ(chararray.records[hero].state, state);
        EXPECT_EQ(Ask(REQ_ACTION_POINTS), most);
    }
}

}  // namespace
