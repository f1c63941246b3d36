// The selection, the party list with the main character, and the player's
// commands to characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

std::vector<obj_ref> centred;
int char_pages = 0;

class Party : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(40, 10);
        centred.clear();
        char_pages = 0;
        Objects_Hooks().center_on_object = [](obj_ref o) { centred.push_back(o); };
        Objects_Hooks().put_right_char_page = [] { ++char_pages; };
    }

    // A party member with an AI slot, on field x of row 0.
    std::uint16_t Member(int x, std::uint16_t flags = 0, std::uint8_t lobby = 0) {
        char_record t = Char_Template("M", lobby);
        t.flags = flags;
        std::uint16_t c = Place_Char(Field_Index(x, 0, 0), t);
        Alloc_IQ_Slot(Char_Ref(c));
        return c;
    }

    std::vector<std::uint16_t> Selection() const { return {selected, selected + selected_count}; }
    std::vector<std::uint16_t> Players() const { return {player_chars, player_chars + player_count}; }
};

TEST_F(Party, SelectingMakesTheCharacterTheOnlyOneAndTheCurrentObject) {
    std::uint16_t a = Member(0), b = Member(1);
    chararray[a].state = CS_WAITING;
    chararray[b].state = CS_STEPPING;
    EXPECT_EQ(Select_Char(b), 1);
    EXPECT_EQ(Select_Char(a), 1);
    EXPECT_EQ(Selection(), (std::vector<std::uint16_t>{a}));
    EXPECT_EQ(current_object, Char_Ref(a));
    EXPECT_EQ(chararray[a].state, CS_DECIDING);
    EXPECT_EQ(chararray[b].state, CS_STEPPING);
    EXPECT_EQ(char_pages, 2);
    EXPECT_TRUE(centred.empty());  // real time: no centring
    // A bad index is reported and changes nothing.
    EXPECT_EQ(Select_Char(999), 1);
    EXPECT_EQ(current_object, Char_Ref(a));
    EXPECT_EQ(Headless_Backend().boxes.size(), 1u);
}

TEST_F(Party, InTurnModeSelectingCentresTheViewWhenThePartySeesIt) {
    std::uint16_t a = Member(0);
    std::uint16_t far = Place_Char(Field_Index(35, 0, 0), "Far", 3);
    turn_mode = 1;
    clock_step = 4;
    Select_Char(a);
    EXPECT_EQ(centred, (std::vector<obj_ref>{Char_Ref(a)}));
    EXPECT_EQ(anim_wait, 10u);
    EXPECT_EQ(char_pages, 1);
    // 35 fields from the only party member: hidden, so no centring.
    anim_wait = 0;
    Select_Char(far);
    EXPECT_EQ(party_hidden, 1u);
    EXPECT_EQ(centred.size(), 1u);
    EXPECT_EQ(anim_wait, 0u);
    EXPECT_EQ(char_pages, 1);
    // A clock step of 0 from a bad file divides by nothing.
    clock_step = 0;
    Select_Char(a);
    EXPECT_EQ(anim_wait, 0u);
}

TEST_F(Party, HiddenFromThePartyUnlessAMemberSeesIt) {
    std::uint16_t a = Member(0);
    std::uint16_t near = Place_Char(Field_Index(20, 0, 0), "Near", 3);
    std::uint16_t far = Place_Char(Field_Index(21, 0, 0), "Far", 3);
    Check_Hidden_From_Party(Char_Ref(a));
    EXPECT_EQ(party_hidden, 0u);
    Check_Hidden_From_Party(Char_Ref(near));
    EXPECT_EQ(party_hidden, 0u);
    Check_Hidden_From_Party(Char_Ref(far));
    EXPECT_EQ(party_hidden, 1u);
    Member(25);  // a second member near the far one
    Check_Hidden_From_Party(Char_Ref(far));
    EXPECT_EQ(party_hidden, 0u);
}

TEST_F(Party, TogglingAddsUpToNineAndTakesOut) {
    std::vector<std::uint16_t> m;
    for (int i = 0; i < 10; ++i) m.push_back(Member(i));
    EXPECT_EQ(Toggle_Select_Char(m[0]), 1);  // with nothing selected: Select_Char
    EXPECT_EQ(current_object, Char_Ref(m[0]));
    for (int i = 1; i < 9; ++i) EXPECT_EQ(Toggle_Select_Char(m[i]), i + 1);
    EXPECT_EQ(Toggle_Select_Char(m[9]), 9);  // a tenth is not added
    EXPECT_FALSE(Is_Selected(m[9]));
    // Taking out one behind the leader moves the later ones down.
    EXPECT_EQ(Toggle_Select_Char(m[4]), 8);
    EXPECT_EQ(Selection(), (std::vector<std::uint16_t>{m[0], m[1], m[2], m[3], m[5], m[6], m[7], m[8]}));
    // In turn mode nothing changes.
    turn_mode = 1;
    EXPECT_EQ(Toggle_Select_Char(m[2]), 8);
    EXPECT_EQ(Toggle_Select_Char(m[9]), 8);
    turn_mode = 0;
}

TEST_F(Party, TogglingTheLeaderOutLeavesAnEmptySelectionLedByTheNext) {
    std::uint16_t a = Member(0), b = Member(1), c = Member(2);
    Select_Char(a);
    Toggle_Select_Char(b);
    Toggle_Select_Char(c);
    EXPECT_EQ(Toggle_Select_Char(a), 0);
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(selected[0], b);
    EXPECT_EQ(current_object, Char_Ref(b));
    EXPECT_FALSE(Is_Active_Player_Char(Char_Ref(b)));
    // The only selected one toggled out.
    Select_Char(c);
    EXPECT_EQ(Toggle_Select_Char(c), 0);
    EXPECT_EQ(current_object, Char_Ref(c));
}

TEST_F(Party, DeselectingTheLeaderSelectsTheNextAlone) {
    std::uint16_t a = Member(0), b = Member(1), c = Member(2);
    Select_Char(a);
    Toggle_Select_Char(b);
    Toggle_Select_Char(c);
    Deselect_Char(c);
    EXPECT_EQ(Selection(), (std::vector<std::uint16_t>{a, b}));
    Toggle_Select_Char(c);
    Deselect_Char(a);
    EXPECT_EQ(Selection(), (std::vector<std::uint16_t>{b}));
    EXPECT_EQ(current_object, Char_Ref(b));
    Deselect_Char(b);
    EXPECT_EQ(selected_count, 0);
}

TEST_F(Party, ActivePlayerCharNeedsASelectionTheCurrentObjectAndTheParty) {
    std::uint16_t a = Member(0);
    std::uint16_t monster = Place_Char(Field_Index(1, 0, 0), "Orc", 4);
    current_object = Char_Ref(a);
    EXPECT_FALSE(Is_Active_Player_Char(Char_Ref(a)));  // nothing selected
    Select_Char(a);
    EXPECT_TRUE(Is_Active_Player_Char(Char_Ref(a)));
    EXPECT_FALSE(Is_Active_Player_Char(Char_Ref(monster)));
    chararray[a].hp = 0;
    EXPECT_FALSE(Is_Active_Player_Char(Char_Ref(a)));
    Select_Char(monster);
    EXPECT_FALSE(Is_Active_Player_Char(Char_Ref(monster)));
    EXPECT_FALSE(Is_Player_Char(NO_INDEX));
    // Another kind of object with a party member's index is no player character.
    chararray[a].hp = 20;
    Select_Char(a);
    current_object = Fix_Ref(a);
    EXPECT_FALSE(Is_Active_Player_Char(Fix_Ref(a)));
}

TEST_F(Party, TheMainCharacterStandsFirstInTheParty) {
    std::uint16_t a = Member(0), b = Member(1);
    Member(2, 0, 5);  // not of the party
    std::uint16_t hero = Member(3, CF_MAIN_CHAR);
    std::uint16_t d = Member(4);
    EXPECT_EQ(Players(), (std::vector<std::uint16_t>{hero, a, b, d}));
    EXPECT_EQ(main_char, hero);
    EXPECT_EQ(main_char_slot, chararray[hero].ai_slot);
    // A second main character is reported and takes the first's place.
    std::uint16_t second = Member(5, CF_MAIN_CHAR, 3);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "There are two main chars!!!!");
    EXPECT_EQ(main_char, second);
    EXPECT_EQ(player_chars[0], second);
    Remove_From_Player_List(a);
    EXPECT_EQ(Players(), (std::vector<std::uint16_t>{second, hero, b, d}));
}

TEST_F(Party, TheListHoldsFiftyPlayerCharacters) {
    for (int i = 0; i < MAX_PLAYER_CHARS; ++i) Member(i % 40);
    EXPECT_EQ(player_count, 50u);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    std::uint16_t extra = Member(0);
    EXPECT_EQ(player_count, 50u);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "too many player chars!!!!");
    EXPECT_EQ(std::count(player_chars, player_chars + 50, extra), 0);
}

// The acts of a slot's list, in list order.
std::vector<act_entry> Acts_Of(std::uint16_t c) {
    std::vector<act_entry> out;
    for (std::uint16_t a = iqarray.records[chararray[c].ai_slot].first_act; a != NO_INDEX; a = actarray.records[a].next)
        out.push_back(actarray.records[a]);
    return out;
}

TEST_F(Party, CommandsAreUserActsAtTheRelationToTheMainCharacter) {
    std::uint16_t hero = Member(0, CF_MAIN_CHAR);
    std::uint16_t a = Member(1);
    game_clock = 777;
    Command_Char(hero, ACT_GO, OBJ_FIXITEM, 12, 0, 0, -1);
    std::vector<act_entry> acts = Acts_Of(hero);
    ASSERT_EQ(acts.size(), 1u);
    EXPECT_EQ(acts[0].type, ACT_GO | 0x8000);
    EXPECT_EQ(acts[0].target, Fix_Ref(12));
    EXPECT_EQ(acts[0].priority, 100000);
    EXPECT_EQ(acts[0].time, 777u);
    // A new command empties the earlier user command; a given priority stays.
    Command_Char(hero, ACT_TURN, OBJ_NONE, 0, 3, 4, 55);
    acts = Acts_Of(hero);
    ASSERT_EQ(acts.size(), 2u);
    EXPECT_EQ(acts[0].type, ACT_TURN | 0x8000);
    EXPECT_EQ(acts[0].priority, 55);
    EXPECT_EQ(acts[0].target, Make_Obj(OBJ_NONE, 0));
    EXPECT_EQ(acts[0].arg1, 3u);
    EXPECT_EQ(acts[0].arg2, 4u);
    EXPECT_EQ(acts[1].type, ACT_NONE);
    EXPECT_EQ(acts[1].priority, 0);
    // Every selected character gets the command at its own relation.
    Select_Char(hero);
    Toggle_Select_Char(a);
    Command_Selected(ACT_ATTACK, Char_Ref(9), 0, 0);
    EXPECT_EQ(Acts_Of(hero)[0].type, ACT_ATTACK | 0x8000);
    EXPECT_EQ(Acts_Of(hero)[0].priority, 100000);
    ASSERT_EQ(Acts_Of(a).size(), 1u);
    EXPECT_EQ(Acts_Of(a)[0].priority, Relation_To_Main_Char(Char_Ref(a)));
    EXPECT_EQ(Acts_Of(a)[0].target, Char_Ref(9));
}

}  // namespace
