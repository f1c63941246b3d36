// The acts and spells on a small world: attacking with fist and bow,
// stepping (through teleports), operating, healing, bandaging, summoning,
// charm, the timed spells, splinters, life steal, living torch,
// knock-knock, silence, fire wall and evil fog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Spells.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/LogSpy.h"
#include "support/PathWorld.h"
#include "support/RecordingHandler.h"
#include "support/SpriteFiles.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr int NO_POOL = 39;  // Random(40) + 1 = 40: no blood pool under a hit

// The modifiers of kind that obj carries.
std::vector<std::uint16_t> Mods_Of(obj_ref obj, std::uint32_t kind) {
    std::vector<std::uint16_t> out;
    For_Each_In_Chain(Get_Mod_Index(obj), [&](std::uint16_t m) {
        if (mod_array.records[m].type == kind) out.push_back(m);
    });
    return out;
}

std::vector<std::string> Box_Texts() {
    std::vector<std::string> out;
    for (const MessageBoxCall& b : Headless_Backend().boxes) out.push_back(b.text);
    return out;
}

class Spells : public ::testing::Test {
  public:
    void SetUp() override {
        Reset_Act_World(9, 9);
        hero = Place_Hero(Field_At(4, 4), "Hero");
        friend_ = Place_Hero(Field_At(5, 4), "Friend");
        Clear_Logged_Messages();
    }
    void TearDown() override { Drop_All_Held_Target_Lists(); }
    obj_ref Hero() const { return Char_Ref(hero); }
    obj_ref Friend() const { return Char_Ref(friend_); }
    // Casts act from the hero on one field.
    void Cast(act_desc& act, std::uint16_t field) { Effect_Execute(Hero(), &act, One_Field_Target_List(field)); }
    std::uint16_t hero = 0, friend_ = 0;
};

// ---- The plain acts ----

TEST_F(Spells, AFistStrikesTheCharacterInFront) {
    ScopedRandom dice{2, 15, NO_POOL};  // damage 0 + 2, roll +5
    ASSERT_EQ(Effect_Start(Hero(), &attack_right_act, nullptr), 1);
    EXPECT_EQ(chararray[friend_].hp, 18);
    EXPECT_EQ(chararray[hero].action_points, 6);
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_EQ(chararray[hero].flags & CF_HELD_POSE, 0);
    EXPECT_TRUE(Object_Anim_Running(OBJ_CHAR, hero));
}

TEST_F(Spells, ABowNeedsAnArrowAndIsAimedAtTheArrowsRange) {
    std::uint16_t bow = Add_Item_Type("Bow", CLASS_BOW);
    item_types[bow].mana_points = 5;  // a weapon's MP is what an attack with it costs
    std::uint16_t arrows = Add_Item_Type("Arrow", CLASS_ARROW);
    item_types[arrows].max_distance = 7;
    item_types[arrows].damage_min = 3;
    item_types[arrows].damage_max = 3;
    Give_Item(hero, bow, SLOT_RIGHT_HAND);
    const std::uint16_t target = Field_At(5, 4);
    EXPECT_EQ(Effect_Start(Hero(), &attack_right_act, One_Field_Target_List(target)), 0);
    EXPECT_TRUE(Logged_Messages().empty());
    EXPECT_EQ(chararray[hero].action_points, 12);
    EXPECT_EQ(Target_Lists_Alive(), 0u);

    std::uint16_t arrow = Give_Item(hero, arrows, SLOT_LEFT_HAND);
    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &attack_right_act, REQ_ACT_RANGE, 0), 7);
    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &attack_right_act, REQ_ACT_PATTERN, 0), 1);
    ASSERT_EQ(Effect_Start(Hero(), &attack_right_act, One_Field_Target_List(target)), 1);
    EXPECT_EQ(chararray[hero].state, CS_ACT_PREPARED) << "a bow is prepared, not struck at once";
    EXPECT_EQ(chararray[hero].frame, 29);
    // The tick lets fly.
    ScopedRandom dice{0, 19, NO_POOL};  // damage 3 + 0, a sure roll
    chararray[hero].state = CS_EXECUTING;
    Effect_Execute(Hero(), Char_Act(hero), Char_Target_List(hero));
    EXPECT_EQ(chararray[friend_].hp, 17);
    EXPECT_TRUE(Item_Record_Is_Free(arrow));
    EXPECT_EQ(Char_Slot_Item(hero, SLOT_LEFT_HAND), 0);
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_EQ(chararray[hero].action_points, 7);
}

TEST_F(Spells, AStepGoesIntoTheFieldInFrontAndPaysItsCost) {
    Remove_Object(Friend());
    std::uint32_t path[] = {11, 12, 13};
    Store_Char_Path(hero, path, 3, NOOBJ);
    ASSERT_EQ(Effect_Start(Hero(), &step_act, nullptr), 1);
    const char_record& r = chararray[hero];
    EXPECT_EQ(r.state, CS_STEPPING);
    EXPECT_EQ(r.act, Field_At(5, 4));
    EXPECT_EQ(r.target, 0u);
    EXPECT_EQ(r.source, static_cast<std::uint32_t>(FLOOR_COST));
    EXPECT_EQ(r.action_points, 12 - FLOOR_COST);
    EXPECT_TRUE(mapfield[Field_At(5, 4)] & MF_BLOCKED) << "the destination is reserved";
    EXPECT_EQ(r.path_entry, 1);
}

TEST_F(Spells, AStepIntoABlockedFieldStops) {
    Remove_Object(Friend());
    Place_Fixitem(Field_At(5, 4), WALL_SLOT);
    for (std::uint32_t mode : {0u, 1u}) {
        turn_mode = mode;
        chararray[hero].state = CS_DECIDING;
        ASSERT_EQ(Effect_Start(Hero(), &step_act, nullptr), 1);
        EXPECT_EQ(chararray[hero].state, mode ? CS_DECIDING : CS_EXECUTE);
        EXPECT_EQ(chararray[hero].action_points, 12);
    }
}

TEST_F(Spells, AStepFollowsTeleportsAndABoundlessChainStopsIt) {
    Remove_Object(Friend());
    const std::uint16_t gate = Field_At(5, 4);
    Add_Modifier(0, Fix_Ref(gate), MK_TELEPORT, Field_At(7, 7), 0, 0, 0);
    ASSERT_EQ(Effect_Start(Hero(), &step_act, nullptr), 1);
    EXPECT_EQ(chararray[hero].state, CS_STEPPING);
    EXPECT_EQ(chararray[hero].act, Field_At(7, 7));

    // Two teleports sending to each other.
    Reset_Act_World(9, 9);
    hero = Place_Hero(Field_At(4, 4));
    Add_Modifier(0, Fix_Ref(Field_At(5, 4)), MK_TELEPORT, Field_At(6, 6), 0, 0, 0);
    Add_Modifier(0, Fix_Ref(Field_At(6, 6)), MK_TELEPORT, Field_At(5, 4), 0, 0, 0);
    ASSERT_EQ(Effect_Start(Hero(), &step_act, nullptr), 1);
    EXPECT_EQ(chararray[hero].state, CS_EXECUTE);
    EXPECT_EQ(chararray[hero].action_points, 12);
}

TEST_F(Spells, OperatingAsksTheObjectInFront) {
    Remove_Object(Friend());
    Set_Fixitem_Type(7, LAYER_WALL - 1);
    const std::uint16_t chest = Place_Fixitem(Field_At(5, 4), 7);
    ScopedHandler program(MK_CHEST, [](const HandlerCall& call) { return call.value; });
    Add_Modifier(0, Fix_Ref(chest), MK_CHEST, 0, 0, 0, 0);
    program.calls.clear();
    ASSERT_EQ(Effect_Start(Hero(), &operate_act, nullptr), 1);
    EXPECT_EQ(Requests_For(program, Fix_Ref(chest)).back(), REQ_OPERATE);
    EXPECT_EQ(chararray[hero].action_points, 11);
}

// ---- Spells on characters ----

TEST_F(Spells, HealingRaisesHitPointsUpToTheMaximum) {
    struct Row {
        std::int16_t hp;
        int roll;  // Random(4): healed roll + 4
        std::int16_t after;
    } rows[] = {
        {10, 0, 14}, {12, 3, 19}, {13, 3, 20},  // within 7 of the maximum: set to it
        {16, 0, 20}, {20, 2, 20},
    };
    for (const Row& r : rows) {
        chararray[friend_].hp = r.hp;
        anim_wait = 0;
        ScopedRandom dice{r.roll};
        Cast(heal_act, Field_At(5, 4));
        EXPECT_EQ(chararray[friend_].hp, r.after) << r.hp;
        EXPECT_EQ(anim_wait, static_cast<std::uint32_t>(FLASH_FRAMES));
    }
    ASSERT_FALSE(Logged_Messages().empty());
    EXPECT_EQ(Logged_Messages().back().text, "Hero casts Heal Spell on Friend");
    EXPECT_EQ(Logged_Messages().back().colour, RGB(0, 255, 0));
}

TEST_F(Spells, BandagingStabilisesTheFallenButNotTheDead) {
    const std::uint16_t field = Field_At(5, 4);
    ScopedRandom dice{NO_POOL};
    chararray[friend_].hp = 3;
    Object_Request(NOOBJ, Friend(), 0, REQ_CHANGE_HIT_POINTS, -5);
    ASSERT_EQ(chararray[friend_].hp, -2);
    Headless_Backend().boxes.clear();
    Clear_Logged_Messages();
    Cast(bandage_act, field);
    EXPECT_EQ(chararray[friend_].hp, 0);
    EXPECT_EQ(Box_Texts(), std::vector<std::string>{"Unconsious Friend is successfully bandaged."});
    EXPECT_TRUE(Logged_Messages().empty()) << "bandaging is not announced";

    const std::uint16_t grave = Field_At(2, 2);
    std::uint16_t dead = Place_Hero(grave, "Dead");
    chararray[dead].hp = 3;
    dice.Set({NO_POOL});
    Object_Request(NOOBJ, Char_Ref(dead), 0, REQ_CHANGE_HIT_POINTS, -13);
    Headless_Backend().boxes.clear();
    Cast(bandage_act, grave);
    EXPECT_EQ(chararray[dead].hp, -10);
    EXPECT_EQ(Box_Texts(), std::vector<std::string>{"You can't bandage a dead body..."});
}

TEST_F(Spells, HasteDoublesTheActionPointsUntilItExpires) {
    Cast(haste_act, Field_At(5, 4));
    ASSERT_EQ(Mods_Of(Friend(), MK_HASTE).size(), 1u);
    EXPECT_EQ(mod_array.records[Mods_Of(Friend(), MK_HASTE)[0]].level, 1);
    EXPECT_EQ(chararray[friend_].action_points, 24);
    EXPECT_EQ(Object_Request(Friend(), Friend(), 0, REQ_MAX_ACTION_POINTS, NO_VALUE), 24);
    Advance_Game_Clock(9600);
    EXPECT_EQ(Mods_Of(Friend(), MK_HASTE).size(), 1u);
    Advance_Game_Clock(1);
    EXPECT_TRUE(Mods_Of(Friend(), MK_HASTE).empty());
    EXPECT_EQ(Object_Request(Friend(), Friend(), 0, REQ_MAX_ACTION_POINTS, NO_VALUE), 12);
}

TEST_F(Spells, TimedSpellsRaiseTheirFigureForTheirTime) {
    struct Row {
        act_desc* act;
        std::uint32_t kind;
        request_no raised;
        RequestValue by;
        std::uint32_t ticks;
    } rows[] = {
        {&haste_act, MK_HASTE, REQ_MAX_ACTION_POINTS, 12, 9600},
        {&magic_armour_act, MK_MAGIC_ARMOUR, REQ_DEFENCE, 2, 960},
        {&giant_strength_act, MK_GIANT_STRENGTH, REQ_STRENGTH, 2, 4800},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.act->name);
        const RequestValue before = Object_Request(Friend(), Friend(), 0, r.raised, NO_VALUE);
        anim_wait = 0;
        Cast(*r.act, Field_At(5, 4));
        ASSERT_EQ(Mods_Of(Friend(), r.kind).size(), 1u);
        EXPECT_EQ(mod_array.records[Mods_Of(Friend(), r.kind)[0]].level, 1) << "the caster's level";
        EXPECT_EQ(Object_Request(Friend(), Friend(), 0, r.raised, NO_VALUE), before + r.by);
        EXPECT_EQ(anim_wait, static_cast<std::uint32_t>(FLASH_FRAMES)) << "the flash";
        Advance_Game_Clock(r.ticks);
        EXPECT_EQ(Mods_Of(Friend(), r.kind).size(), 1u);
        Advance_Game_Clock(1);
        EXPECT_TRUE(Mods_Of(Friend(), r.kind).empty());
        EXPECT_EQ(Object_Request(Friend(), Friend(), 0, r.raised, NO_VALUE), before);
    }
}

TEST_F(Spells, SplintersHurtByTheCastersLevelAndHoldThePlayBack) {
    // Level 1: 3 + Random(9).
    for (int roll : {0, 8}) {
        chararray[friend_].hp = 20;
        anim_wait = 40;
        ScopedRandom dice{roll, NO_POOL};
        Splinter_Rain(Hero(), Friend(), &splinter_rain_act, REQ_EFFECT_HIT, Field_At(5, 4));
        EXPECT_EQ(chararray[friend_].hp, 20 - 3 - roll);
        EXPECT_EQ(dice.script.calls.front(), 9);
        EXPECT_EQ(anim_wait, 20u);
        EXPECT_NE(Find_MapAnim_Entry(Friend(), ANIM_SPLINTERS), NO_INDEX);
    }
    // Splinters fall where the cover lets them.
    Place_Fixitem(Field_At(1, 1), WALL_SLOT);
    EXPECT_EQ(Get_Act_Value(Hero(), Fix_Ref(Field_At(1, 1)), &splinter_rain_act, REQ_ACT_VALID_TARGET, 0), 0);
    EXPECT_EQ(Get_Act_Value(Hero(), Fix_Ref(Field_At(1, 2)), &splinter_rain_act, REQ_ACT_VALID_TARGET, 0), 1);
    // The rain falls on everyone in the ring around the aimed field.
    const std::uint16_t orc = Place_Stranger(Field_At(2, 6), "Orc");
    const std::uint16_t other = Place_Stranger(Field_At(3, 5), "Other");
    Cast(splinter_rain_act, Field_At(2, 6));
    EXPECT_LT(chararray[orc].hp, 20);
    EXPECT_LT(chararray[other].hp, 20);
    EXPECT_EQ(chararray[hero].hp, 20);
}

TEST_F(Spells, ALivingTorchBurnsItsTargetUnlessItResists) {
    const std::uint16_t orc = Place_Stranger(Field_At(3, 4), "Orc");
    // Not resisted; attached: no spark, burn 0 + 1 + level 1, not resisted.
    ScopedRandom dice{99, 1, 0, 99, NO_POOL};
    Living_Torch(Hero(), Char_Ref(orc), &living_torch_act, REQ_EFFECT_HIT, Field_At(3, 4));
    ASSERT_EQ(Mods_Of(Char_Ref(orc), MK_LIVING_TORCH).size(), 1u);
    const modifier m = mod_array.records[Mods_Of(Char_Ref(orc), MK_LIVING_TORCH)[0]];
    EXPECT_EQ(m.p1, 3) << "level 1 + 3, one round counted when attached";
    EXPECT_EQ(m.p3, OBJ_CHAR);
    EXPECT_EQ(m.p4, hero);
    EXPECT_EQ(m.p2, Find_MapAnim_Entry(Char_Ref(orc), ANIM_FIRE)) << "the flames it ends with";
    EXPECT_TRUE(animated_fixitems.records[m.p2].flags & AE_LOOP);
    EXPECT_EQ(chararray[orc].hp, 18);

    const std::uint16_t wary = Place_Stranger(Field_At(4, 3), "Wary");
    chararray[wary].protection[0] = 200;
    dice.Set({0});
    Living_Torch(Hero(), Char_Ref(wary), &living_torch_act, REQ_EFFECT_HIT, Field_At(4, 3));
    EXPECT_TRUE(Mods_Of(Char_Ref(wary), MK_LIVING_TORCH).empty());
    EXPECT_EQ(Find_MapAnim_Entry(Char_Ref(wary), ANIM_FIRE), NO_INDEX);
}

TEST_F(Spells, KnockKnockUnlocksWithTheCastersStamina) {
    Remove_Object(Friend());
    Set_Fixitem_Type(8, LAYER_WALL, 4);
    const std::uint16_t door_field = Field_At(5, 4);
    const std::uint16_t door = Place_Fixitem(door_field, 8);
    maparray.records[door].frame = 3;
    const std::uint16_t lock = Add_Modifier(0, Fix_Ref(door), MK_DOOR, 1, 50, 6, 0);  // lockpick 6
    struct Row {
        std::int16_t stamina;
        std::uint16_t locked_after;
    } rows[] = {{5, 1}, {6, 0}};
    for (const Row& r : rows) {
        chararray[hero].stamina = r.stamina;
        mod_array.records[lock].p1 = 1;
        anim_wait = 3;
        Cast(knock_knock_act, door_field);
        EXPECT_EQ(mod_array.records[lock].p1, r.locked_after) << r.stamina;
        EXPECT_EQ(anim_wait, 3u) << "the flash waits its turn but adds none";
        const std::uint16_t flash = Find_MapAnim_Entry(Fix_Ref(door), ANIM_SPELL_FLASH);
        ASSERT_NE(flash, NO_INDEX);
        EXPECT_EQ(animated_fixitems.records[flash].delay, 4);
        Stop_Object_Anims(OBJ_MAPANIM, animated_fixitems.records[flash].obj_index);
    }
}

TEST_F(Spells, CharmBefriendsTheTargetUnlessItResists) {
    const std::uint16_t orc = Place_Stranger(Field_At(3, 4), "Orc");
    const std::uint16_t wary = Place_Stranger(Field_At(4, 3), "Wary");
    chararray[wary].protection[2] = 200;
    std::int8_t* to_hero = Relation_Cell(chararray[orc].ai_slot, chararray[hero].ai_slot);
    ASSERT_NE(to_hero, nullptr);
    *to_hero = -30;
    ScopedRandom dice{50, 50};
    Cast(charm_act, Field_At(3, 4));
    ASSERT_EQ(Mods_Of(Char_Ref(orc), MK_CHARM).size(), 1u);
    EXPECT_EQ(mod_array.records[Mods_Of(Char_Ref(orc), MK_CHARM)[0]].p1, 120);  // (level 1 + 5) * 20
    EXPECT_EQ(*to_hero, 70);
    Cast(charm_act, Field_At(4, 3));
    EXPECT_TRUE(Mods_Of(Char_Ref(wary), MK_CHARM).empty());
    EXPECT_EQ(Logged_Messages().back().text, "Hero casts Charm on Wary");
}

TEST_F(Spells, LifeStealMovesHitPointsUnlessResisted) {
    const std::uint16_t orc = Place_Stranger(Field_At(3, 4), "Orc");
    chararray[hero].hp = 10;
    ScopedRandom dice{2, 99, NO_POOL};  // 4 stolen
    Cast(life_steal_act, Field_At(3, 4));
    EXPECT_EQ(chararray[orc].hp, 16);
    EXPECT_EQ(chararray[hero].hp, 14);
    // The flashes on both wait once; the hit's splash adds its own.
    EXPECT_EQ(anim_wait, static_cast<std::uint32_t>(2 * FLASH_FRAMES));
    chararray[orc].protection[3] = 200;
    dice.Set({2, 99, NO_POOL});
    Cast(life_steal_act, Field_At(3, 4));
    EXPECT_EQ(chararray[orc].hp, 16);
    EXPECT_EQ(chararray[hero].hp, 14);
}

TEST_F(Spells, SummoningMakesAZombieFromTheTwelfthCharacter) {
    // The risen zombie loads its body and head like any new character.
    SpriteFolder folder;
    folder.Add_Dys("ARTWORK\\CHARS\\HUMAN", 72);
    folder.Add_Bitmap("ARTWORK\\HEADS\\FEJ001", 1, 16);
    while (!Char_In_Use(ZOMBIE_TEMPLATE - 1)) Place_Char(Field_At(0, 0), "Filler");
    ASSERT_FALSE(Char_In_Use(ZOMBIE_TEMPLATE));
    const std::uint16_t zombie = Place_Char(Field_At(0, 1), "Zombie", 6);
    ASSERT_EQ(zombie, ZOMBIE_TEMPLATE);
    const std::uint16_t grave = Field_At(2, 6);
    ScopedRandom dice{0, 2};  // summoned; facing 3
    Call_Zombies(Hero(), Fix_Ref(grave), &call_zombies_act, REQ_EFFECT_HIT, grave);
    const std::uint16_t risen = Char_On_Field(grave);
    ASSERT_NE(risen, NO_INDEX);
    EXPECT_STREQ(chararray[risen].name, "Zombie");
    EXPECT_EQ(chararray[risen].facing, 3);
    EXPECT_EQ(chararray[risen].lobby, 0) << "in the caster's lobby";
    dice.Set({19});
    Call_Zombies(Hero(), Fix_Ref(Field_At(3, 6)), &call_zombies_act, REQ_EFFECT_HIT, Field_At(3, 6));
    EXPECT_EQ(Char_On_Field(Field_At(3, 6)), NO_INDEX);
    EXPECT_EQ(Box_Texts(), std::vector<std::string>{"Spell Failed!"});
    Free_All_Char_Sprites();
    for (std::uint32_t i = 0; i < char_head_count; ++i) Release_Sprite(Sprite_From_Handle(char_heads[i].sprite));
    char_head_count = 0;
}

TEST_F(Spells, CallZombiesIsPaidForButAcceptsNoTarget) {
    const std::uint16_t before = static_cast<std::uint16_t>(chararray.records.size());
    ASSERT_EQ(Effect_Start(Hero(), &call_zombies_act, nullptr), 1);
    EXPECT_EQ(chararray[hero].state, CS_ACT_PREPARED);
    EXPECT_EQ(chararray[hero].action_points, 12 - 20);
    EXPECT_EQ(chararray[hero].mana[3], 40 - 12);
    chararray[hero].state = CS_EXECUTING;
    Effect_Execute(Hero(), Char_Act(hero), Char_Target_List(hero));
    EXPECT_EQ(chararray[hero].state, CS_TURN_DONE);
    EXPECT_EQ(chararray.records.size(), before);
    EXPECT_TRUE(Box_Texts().empty());
}

// ---- Spells on fields ----

TEST_F(Spells, SilenceFallsOnTheAreaAndStopsSpellsThere) {
    Cast(silence_act, Field_At(4, 4));
    int silenced = 0;
    for (std::uint16_t f = 0; f < total_fields; ++f) {
        std::vector<std::uint16_t> mods = Mods_Of(Fix_Ref(f), MK_SILENCE);
        if (mods.empty()) continue;
        ++silenced;
        EXPECT_EQ(mod_array.records[mods[0]].p1, 25);  // (level 1 + 4) * 5
    }
    EXPECT_EQ(silenced, 19);
    EXPECT_TRUE(Mods_Of(Fix_Ref(Field_At(7, 4)), MK_SILENCE).empty());
    EXPECT_GE(Object_Request(Friend(), Friend(), 0, REQ_SILENCE, NO_VALUE), 100);
    Clear_Logged_Messages();
    EXPECT_EQ(Effect_Start(Friend(), &heal_act, nullptr), 0);
    ASSERT_EQ(Logged_Messages().size(), 1u);
    EXPECT_EQ(Logged_Messages()[0].text, "  ...silence...");
}

TEST_F(Spells, AFireWallBurnsAlongItsLineWhereTheFirstFieldSeesIt) {
    Remove_Object(Friend());
    Put_Object_To_Field(Friend(), Field_At(3, 4));
    Remove_Object(Hero());
    Put_Object_To_Field(Hero(), Field_At(4, 1));
    Place_Fixitem(Field_At(5, 4), BLOCKING_SLOT);
    target_rotation = 0;
    Cast(fire_wall_act, Field_At(4, 4));
    for (std::uint32_t x = 2; x <= 6; ++x) {
        std::vector<std::uint16_t> mods = Mods_Of(Fix_Ref(Field_At(x, 4)), MK_FIRE_WALL);
        if (x == 6) {
            EXPECT_TRUE(mods.empty()) << "behind the blocking fixitem";
            continue;
        }
        ASSERT_EQ(mods.size(), 1u) << x;
        const modifier m = mod_array.records[mods[0]];
        EXPECT_EQ(m.p1, 8) << "level 1 + 8, one round counted when attached";
        EXPECT_EQ(m.p3, OBJ_CHAR);
        EXPECT_EQ(m.p4, hero);
        ASSERT_LT(m.p2, animated_fixitems.Capacity());
        EXPECT_TRUE(animated_fixitems.records[m.p2].flags & AE_LOOP);
    }
    EXPECT_LT(chararray[friend_].hp, 20) << "the flames hit who stands in them";
    int lines = 0;
    for (const LoggedMessage& m : Logged_Messages())
        if (m.text == "Hero casts Fire Wall.") {
            ++lines;
            EXPECT_EQ(m.colour, RGB(255, 0, 0));
        }
    EXPECT_EQ(lines, 1);
}

TEST_F(Spells, EvilFogFillsTheConeWithGas) {
    target_rotation = 1;
    Cast(evil_fog_act, Field_At(6, 6));
    const std::uint16_t fogged[] = {Field_At(6, 6), Field_At(7, 6), Field_At(6, 7)};
    for (std::uint16_t f : fogged) {
        std::vector<std::uint16_t> mods = Mods_Of(Fix_Ref(f), MK_EVIL_FOG);
        ASSERT_EQ(mods.size(), 1u) << f;
        const std::uint16_t gas = mod_array.records[mods[0]].p2;
        EXPECT_EQ(maparray.records[gas].type, SLOT_GAS);
        EXPECT_EQ(Object_Field(Fix_Ref(gas)), f);
    }
    EXPECT_TRUE(Mods_Of(Fix_Ref(Field_At(5, 6)), MK_EVIL_FOG).empty());
}

}  // namespace
