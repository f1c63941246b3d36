// Starting an act: the checks in their order, the payments, the states a
// start leaves, the acts of held items, and who owns the target list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/LogSpy.h"
#include "support/RecordingHandler.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class Starting : public ::testing::Test {
  public:
    void SetUp() override {
        Reset_Act_World(9, 9);
        hero = Place_Hero(Field_At(4, 4));
        front = Field_At(5, 4);
    }
    void TearDown() override { Drop_All_Held_Target_Lists(); }
    obj_ref Hero() const { return Char_Ref(hero); }
    char_record& Rec() { return chararray[hero]; }
    std::uint16_t hero = 0;
    std::uint16_t front = 0;
};

bool silenced = false;

TEST_F(Starting, RefusalsComeInOrderAndNothingIsPaid) {
    ProbeAct probe(ACT_ONE_HAND | ACT_TWO_HANDS | ACT_NOT_IN_SILENCE | ACT_HITS_FIXITEMS, 0, 1, 2);
    probe.desc.mana[0] = 3;
    probe.desc.difficulty = 150;
    probe.answers[REQ_ACT_MAY_START] = 0;
    std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    Give_Item(hero, sword, SLOT_LEFT_HAND);
    Give_Item(hero, sword, SLOT_RIGHT_HAND);
    silenced = true;
    ScopedHandler silence(MK_IRON_SKIN, [](const HandlerCall& call) {
        return call.request == REQ_SILENCE && silenced ? call.value + 100 : call.value;
    });
    Add_Modifier(0, Hero(), MK_IRON_SKIN, 0, 0, 0, 0);
    Rec().state = CS_STEPPING;
    Rec().mana[0] = 0;

    // Each step mends the reason of the refusal before it.
    struct Step {
        const char* message;  // nullptr: refused without a word
        void (*mend)(Starting&, ProbeAct&);
    } steps[] = {
        {nullptr, [](Starting& t, ProbeAct&) { t.Rec().state = CS_DECIDING; }},
        {"Not enough mana", [](Starting& t, ProbeAct&) { t.Rec().mana[0] = 3; }},
        {"Need free hand", [](Starting& t, ProbeAct&) { t.Rec().slots[SLOT_LEFT_HAND] = 0; }},
        {"Need two free hands", [](Starting& t, ProbeAct&) { t.Rec().slots[SLOT_RIGHT_HAND] = 0; }},
        {"It's too difficult...", [](Starting&, ProbeAct& p) { p.desc.difficulty = 100; }},
        {"  ...silence...", [](Starting&, ProbeAct&) { silenced = false; }},
        {nullptr, [](Starting&, ProbeAct& p) { p.answers.erase(REQ_ACT_MAY_START); }},
    };
    for (const Step& step : steps) {
        Clear_Logged_Messages();
        const std::uint16_t state = Rec().state;
        EXPECT_EQ(Effect_Start(Hero(), &probe.desc, One_Field_Target_List(front)), 0);
        if (step.message == nullptr) {
            EXPECT_TRUE(Logged_Messages().empty());
        } else {
            ASSERT_EQ(Logged_Messages().size(), 1u) << step.message;
            EXPECT_EQ(Logged_Messages()[0].text, step.message);
            EXPECT_EQ(Logged_Messages()[0].colour, RGB(40, 40, 40));
        }
        EXPECT_EQ(Rec().action_points, 12);
        EXPECT_EQ(Rec().state, state);
        EXPECT_TRUE(probe.Calls(REQ_ACT_STARTED).empty());
        EXPECT_EQ(Target_Lists_Alive(), 0u) << "a refused start frees its list";
        step.mend(*this, probe);
    }
    Clear_Logged_Messages();
    EXPECT_EQ(Effect_Start(Hero(), &probe.desc, One_Field_Target_List(front)), 1);
    EXPECT_TRUE(Logged_Messages().empty());
    EXPECT_EQ(Rec().mana[0], 0);
    EXPECT_EQ(Rec().action_points, 10);
    EXPECT_EQ(probe.Calls(REQ_ACT_STARTED).size(), 1u);
}

TEST_F(Starting, APreparedActHoldsItsListAndIsPaidOnce) {
    ProbeAct probe(ACT_HITS_FIXITEMS, 0, 1, 3);
    probe.desc.mana[1] = 5;
    Rec().ap_stamp = 0;
    game_clock = 777;
    target_list list = One_Field_Target_List(front);
    ASSERT_EQ(Effect_Start(Hero(), &probe.desc, list), 1);
    EXPECT_EQ(Rec().state, CS_ACT_PREPARED);
    EXPECT_EQ(Rec().ap_stamp, 777u);
    EXPECT_EQ(Char_Act(hero), &probe.desc);
    EXPECT_EQ(Char_Target_List(hero), list);
    EXPECT_EQ(Char_Act_Source(hero), Hero());
    EXPECT_TRUE(probe.Hit().empty());

    // The character tick carries it out later.
    Effect_Reset_Target(Hero(), Char_Act(hero), Char_Target_List(hero));
    Rec().state = CS_EXECUTING;
    Effect_Execute(Hero(), Char_Act(hero), Char_Target_List(hero));
    EXPECT_EQ(probe.Hit(), std::vector<obj_ref>{Fix_Ref(front)});
    EXPECT_EQ(Target_Lists_Alive(), 0u);
    EXPECT_EQ(Char_Target_List(hero), nullptr);
    // Its own act done, the character's turn is over; nothing more is paid.
    EXPECT_EQ(Rec().state, CS_TURN_DONE);
    EXPECT_EQ(Rec().action_points, 9);
    EXPECT_EQ(Rec().mana[1], 35);
    EXPECT_EQ(probe.Calls(REQ_ACT_STARTED).size(), 1u);
}

TEST_F(Starting, AListLeftByAnActThatNeverRanIsFreedOnce) {
    ProbeAct probe(ACT_HITS_FIXITEMS, 0, 1, 0);
    ASSERT_EQ(Effect_Start(Hero(), &probe.desc, One_Field_Target_List(front)), 1);
    EXPECT_EQ(Target_Lists_Alive(), 1u);
    // Broken off (a hit in turn mode), then the next act is started.
    Rec().state = CS_WAITING;
    ASSERT_EQ(Effect_Start(Hero(), &probe.desc, One_Field_Target_List(Field_At(3, 4))), 1);
    EXPECT_EQ(Target_Lists_Alive(), 1u);
    EXPECT_EQ(Char_Target_List(hero)[1], Field_At(3, 4));
    // A copy of the record names nothing it could free.
    const char_record copied = chararray[hero];
    std::uint16_t copy = Place_Char(Field_At(1, 1), copied);
    EXPECT_EQ(Char_Target_List(copy), nullptr);
    Rec().state = CS_WAITING;
    ASSERT_EQ(Effect_Start(Hero(), &probe.desc, nullptr), 1);
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

TEST_F(Starting, ACharacterGoneBeforeItsPreparedActRanFreesItsList) {
    ProbeAct probe(ACT_HITS_FIXITEMS, 0, 1, 0);
    ASSERT_EQ(Effect_Start(Hero(), &probe.desc, One_Field_Target_List(front)), 1);
    const std::uint32_t handle = Rec().target;
    ASSERT_EQ(Target_Lists_Alive(), 1u);
    Destroy_Object(Hero());
    EXPECT_EQ(Target_Lists_Alive(), 0u);
    // Whoever gets the record next finds nothing under the old handle.
    const std::uint16_t next = Place_Hero(Field_At(2, 2), "Next");
    ASSERT_EQ(next, hero);
    EXPECT_EQ(Held_Target_List(handle, Char_Ref(next)), nullptr);

    // A new map frees what the characters of the old one held.
    ASSERT_EQ(Effect_Start(Char_Ref(next), &probe.desc, One_Field_Target_List(front)), 1);
    ASSERT_EQ(Target_Lists_Alive(), 1u);
    Free_Char_Array();
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

TEST_F(Starting, AnActStartedAtOnceRunsAndEndsTheTurn) {
    struct Row {
        std::uint32_t extra_flags;
        std::uint16_t state_after;
    } rows[] = {{0, CS_TURN_DONE}, {ACT_ENDS_DONE, CS_DONE}};
    for (const Row& r : rows) {
        ProbeAct probe(ACT_AT_ONCE | ACT_HITS_FIXITEMS | r.extra_flags, 0, 12, 1);
        std::uint32_t path[] = {1, 2, 3};
        Store_Char_Path(hero, path, 3, Fix_Ref(front));
        Rec().state = CS_DECIDING;
        ASSERT_EQ(Effect_Start(Hero(), &probe.desc, nullptr), 1);
        EXPECT_EQ(probe.Hit(), std::vector<obj_ref>{Fix_Ref(front)});
        EXPECT_EQ(Rec().state, r.state_after);
        EXPECT_EQ(Char_Path(hero), nullptr) << "the stored path is dropped";
    }
    EXPECT_EQ(Rec().action_points, 10);
}

// Every act's costs as its table gives them. A character at the map's west
// edge facing west starts each one: the acts on the field in front find no
// field there and do nothing more, the others wait prepared or aim.
TEST_F(Starting, EveryStartedActPaysTheCostsOfItsTable) {
    struct Row {
        act_desc* act;
        int action_points;
        int mana[4];
    } rows[] = {
        {&attack_right_act, 6, {0, 0, 0, 0}},  {&splinter_rain_act, 5, {10, 5, 0, 0}},
        {&step_act, 0, {0, 0, 0, 0}},          {&guard_act, 0, {0, 0, 0, 0}},
        {&operate_act, 1, {0, 0, 0, 0}},       {&haste_act, 14, {5, 0, 2, 0}},
        {&heal_act, 3, {0, 4, 2, 0}},          {&life_steal_act, 3, {0, 0, 2, 8}},
        {&magic_armour_act, 12, {0, 6, 1, 0}}, {&giant_strength_act, 5, {5, 0, 0, 1}},
        {&bandage_act, 12, {0, 0, 0, 0}},      {&pickpocket_act, 12, {0, 0, 0, 0}},
        {&evil_fog_act, 5, {0, 1, 3, 5}},      {&fire_wall_act, 3, {5, 0, 0, 3}},
        {&living_torch_act, 7, {6, 2, 2, 2}},  {&call_zombies_act, 20, {2, 2, 6, 12}},
        {&silence_act, 8, {0, 1, 6, 1}},       {&charm_act, 6, {0, 0, 5, 3}},
        {&knock_knock_act, 2, {0, 4, 1, 2}},
    };
    const std::uint16_t c = Place_Hero(Field_At(0, 2), "Edge");
    char_record& r = chararray[c];
    r.facing = 4;
    for (const Row& row : rows) {
        r.state = CS_DECIDING;
        r.action_points = 30;
        for (int k = 0; k < 4; ++k) r.mana[k] = 40;
        ASSERT_EQ(Effect_Start(Char_Ref(c), row.act, nullptr), 1) << row.act->name;
        EXPECT_EQ(r.action_points, 30 - row.action_points) << row.act->name;
        for (int k = 0; k < 4; ++k) EXPECT_EQ(r.mana[k], 40 - row.mana[k]) << row.act->name << " pool " << k;
        Drop_Held_Target_Lists(Char_Ref(c));
    }
}

TEST_F(Starting, PickpocketIsPaidForAndChangesNothingElse) {
    const std::uint16_t victim = Place_Stranger(front, "Mark");
    Give_Item(victim, Add_Item_Type("Purse", CLASS_OTHER), 0);
    chararray[victim].state = CS_DECIDING;
    const char_record victim_before = chararray[victim];
    const std::vector<item_record> items_before = itemarray.records;
    const std::vector<modifier> mods_before = mod_array.records;
    const std::vector<map_record> map_before = maparray.records;

    ASSERT_EQ(Effect_Start(Hero(), &pickpocket_act, One_Field_Target_List(front)), 1);
    EXPECT_EQ(Rec().action_points, 0);
    EXPECT_EQ(Rec().state, CS_ACT_PREPARED);
    // The character tick carries it out: the mark is its target, and keeps
    // all it had.
    Effect_Reset_Target(Hero(), Char_Act(hero), Char_Target_List(hero));
    Rec().state = CS_EXECUTING;
    Effect_Execute(Hero(), Char_Act(hero), Char_Target_List(hero));
    EXPECT_EQ(Rec().action_points, 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Rec().mana[k], 40);
    EXPECT_EQ(std::memcmp(&chararray[victim], &victim_before, sizeof victim_before), 0);
    EXPECT_TRUE(std::memcmp(itemarray.records.data(), items_before.data(), items_before.size() * sizeof(item_record)) ==
                0);
    EXPECT_TRUE(std::memcmp(mod_array.records.data(), mods_before.data(), mods_before.size() * sizeof(modifier)) == 0);
    EXPECT_TRUE(std::memcmp(maparray.records.data(), map_before.data(), map_before.size() * sizeof(map_record)) == 0);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(Starting, GuardingIsStartedAtOnceOnTheOwnField) {
    Rec().state = CS_WAITING;
    ASSERT_EQ(Effect_Start(Hero(), &guard_act, nullptr), 1);
    EXPECT_EQ(Rec().state, CS_GUARDING);
    EXPECT_EQ(Rec().action_points, 12);
    // A busy character does not start to guard.
    Rec().state = CS_STEPPING;
    EXPECT_EQ(Effect_Start(Hero(), &guard_act, nullptr), 0);
    EXPECT_EQ(Rec().state, CS_STEPPING);
}

TEST_F(Starting, AnItemActsThroughItsHolderWhoPaysNoActionPoints) {
    std::uint16_t wand = Give_Item(hero, Add_Item_Type("Wand", CLASS_OTHER), 0);
    // Row 2 of the spell table: Heal Spell, one charge.
    Add_Modifier(0, Item_Ref(wand), MK_MAGIC_OBJECT, 2, 1, 0, 0);
    Select_Char(hero);
    Rec().hp = 10;
    Object_Request(Hero(), Item_Ref(wand), 0, REQ_OPERATE, 0);
    EXPECT_EQ(Rec().state, CS_ITEM_ACT);
    EXPECT_EQ(Char_Act(hero), &heal_act);
    EXPECT_EQ(Char_Act_Source(hero), Item_Ref(wand));
    EXPECT_EQ(cursor_shown, CURSOR_AIMING);
    // The holder aims at itself and clicks.
    cursor_field = Field_At(4, 4);
    Effect_Execute(Item_Ref(wand), &heal_act, nullptr);
    EXPECT_EQ(cursor_shown, CURSOR_ON_TARGET);
    target_field = cursor_field;
    ScopedRandom dice{0};
    Effect_Execute(Item_Ref(wand), &heal_act, nullptr);
    EXPECT_EQ(Rec().hp, 14);
    EXPECT_EQ(cursor_shown, CURSOR_NORMAL);
    EXPECT_EQ(Rec().state, CS_TURN_DONE);
    EXPECT_EQ(Rec().action_points, 12);
    EXPECT_EQ(Rec().mana[1], 40);
}

TEST_F(Starting, AnActOfNoValidSourceIsRefused) {
    EXPECT_EQ(Effect_Start(Make_Obj(OBJ_INVALID, 3), &heal_act, One_Field_Target_List(front)), 0);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "invalid source in effect start");
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

}  // namespace
