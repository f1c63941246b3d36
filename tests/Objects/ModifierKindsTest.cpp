#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/SpriteInfo.h"
#include "Objects/Timers.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/RecordingHandler.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint8_t FLAME_ANIM = 20;
constexpr std::uint8_t GRASS = 1, BURNT = 2, TREE = 3, POND = 4, FIXITEM_FIRE = 20;

std::vector<std::uint16_t> Chain_Of(obj_ref owner) {
    std::vector<std::uint16_t> out;
    For_Each_In_Chain(Get_Mod_Index(owner), [&](std::uint16_t m) { out.push_back(m); });
    return out;
}

std::size_t Count_Kind(obj_ref owner, std::uint32_t kind) {
    std::size_t n = 0;
    for (std::uint16_t m : Chain_Of(owner))
        if (mod_array[m].type == kind) ++n;
    return n;
}

// A modifier record of kind with its parameters, linked to nothing, so a
// handler can be called on it without the attach event.
std::uint16_t Loose_Mod(obj_ref owner, std::uint32_t kind, std::uint16_t p1 = 0, std::uint16_t p2 = 0,
                        std::uint16_t p3 = 0, std::uint16_t p4 = 0) {
    std::uint16_t m = New_Modifier_Record();
    mod_array[m] = modifier{mod_types[kind].flags, 0, owner, kind, p1, p2, p3, p4, NO_INDEX};
    return m;
}

RequestValue Call(std::uint16_t m, obj_ref subject, request_no request, RequestValue value) {
    const modifier r = mod_array[m];
    return mod_types[r.type].handler(subject, r.owner, 0, m, request, value);
}

std::string Text_At(RequestValue v) { return v == 0 ? std::string() : std::string(Value_Pointer<const char>(v)); }

class Kinds : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Timed_World(6, 6);
        field = Field_Index(2, 2, 0);
        hero = Char_Ref(Place_Char(field, "Hero"));
    }
    // Every request that reaches a character, seen by a modifier on it that
    // answers nothing (a kind these tests do not otherwise use).
    void Watch(obj_ref who) { Add_Modifier(0, who, MK_STANDING_GUARD, 0, 0, 0, 0); }
    std::vector<RequestValue> Damage_To(obj_ref who) {
        std::vector<RequestValue> out;
        for (const HandlerCall& c : watcher.calls)
            if (c.object == who && c.request == REQ_CHANGE_HIT_POINTS) out.push_back(c.value);
        return out;
    }

    ScopedHandler watcher{MK_STANDING_GUARD, [](const HandlerCall& c) { return c.value; }};
    std::uint16_t field = 0;
    obj_ref hero = NOOBJ;
};

// ---- The plain kinds, as a table ----

TEST_F(Kinds, EachKindAnswersTheRequestsItKnows) {
    struct Row {
        std::uint32_t kind;
        std::uint16_t p1, p2;
        request_no request;
        RequestValue in, out;
    } rows[] = {
        {MK_IRON_SKIN, 3, 0, REQ_CHANGE_HIT_POINTS, -5, -2},
        {MK_IRON_SKIN, 3, 0, REQ_CHANGE_HIT_POINTS, -2, 0},  // never turned into healing
        {MK_IRON_SKIN, 3, 0, REQ_CHANGE_HIT_POINTS, 4, 0},   // healing is absorbed too
        {MK_IRON_SKIN, 3, 0, REQ_DEFENCE, 10, 10},
        {MK_HASTE, 0, 0, REQ_MAX_ACTION_POINTS, 12, 24},
        {MK_HASTE, 0, 0, REQ_ACTION_POINTS, 7, 7},
        {MK_MAGIC_ARMOUR, 2, 0, REQ_DEFENCE, 5, 7},
        {MK_MAGIC_ARMOUR, 2, 0, REQ_PROT_WATER, 1, 21},
        {MK_MAGIC_ARMOUR, 2, 0, REQ_PROT_WATER_2, 1, 101},
        {MK_MAGIC_ARMOUR, 2, 0, REQ_PROT_FIRE, 1, 1},
        {MK_GIANT_STRENGTH, 2, 0, REQ_STRENGTH, 10, 12},
        {MK_GIANT_STRENGTH, 2, 0, REQ_DEXTERITY, 10, 10},
        {MK_MULTIPLE_ITEMS, 5, 20, REQ_STACK_COUNT, 1, 5},
        {MK_MULTIPLE_ITEMS, 5, 20, REQ_98, 1, 20},
        {MK_MULTIPLE_ITEMS, 5, 20, REQ_ITEM_CLASS, 3, 3},
        {MK_MAGIC_OBJECT, 0, 0, REQ_OPERATE, 0, 0},
        {MK_SILENCE, 3, 0, REQ_SILENCE, 5, 105},
        {MK_SILENCE, 3, 0, REQ_COVER, 5, 5},
        {MK_EVIL_FOG, 3, 0, REQ_SIGHT, 100, 75},
        {MK_EVIL_FOG, 3, 0, REQ_COVER, 10, 35},
        {MK_FIRE_WALL, 3, 0, REQ_SIGHT, 100, 20},
        {MK_FIRE_WALL, 3, 0, REQ_COVER, 10, 35},
        {MK_FIRE, 3, 0, REQ_SIGHT, 100, 20},
        {MK_FIRE, 3, 0, REQ_COVER, 0, 25},
        {MK_LIVING_TORCH, 3, 0, REQ_SIGHT, 100, 20},
        {MK_CHARM, 3, 0, REQ_DEFENCE, 5, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << mod_types[r.kind].name << " request " << r.request);
        std::uint16_t m = Loose_Mod(hero, r.kind, r.p1, r.p2);
        EXPECT_EQ(Call(m, hero, r.request, r.in), r.out);
    }
}

TEST_F(Kinds, EveryKindLeavesOtherRequestsAlone) {
    std::uint16_t door = Place_Fixitem(field, 0);
    for (std::uint32_t kind = 1; kind < MOD_KIND_COUNT; ++kind) {
        if (kind == MK_BASIC_MONSTER || kind == MK_STANDING_GUARD || kind == MK_MOVING_GUARD || kind == MK_MAIN_CHAR)
            continue;
        obj_ref owner = (mod_types[kind].owner_mask & MO_FIXITEMS) ? Fix_Ref(door) : hero;
        std::uint16_t m = Loose_Mod(owner, kind, 1, 2, 3, 4);
        for (request_no r : {REQ_LEVEL, REQ_44, REQ_115, REQ_ATTACK}) {
            EXPECT_EQ(Call(m, hero, r, 1234), 1234) << mod_types[kind].name << " request " << r;
        }
    }
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(Kinds, TheDumbKindComplainsAndPassesTheValue) {
    std::uint16_t m = Loose_Mod(hero, MK_DUMB);
    EXPECT_EQ(Call(m, hero, REQ_DEFENCE, 9), 9);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Danger!!! 0. modifier!!!");
}

TEST_F(Kinds, TheTableMatchesTheKinds) {
    EXPECT_STREQ(mod_types[MK_CORPSE].name, "Corpse");
    EXPECT_STREQ(mod_types[MK_IRON_SKIN].labels[0], "Damage absorbsion");
    EXPECT_STREQ(mod_types[MK_MULTIPLE_ITEMS].labels[1], "Max number of items");
    EXPECT_STREQ(mod_types[MK_MAGIC_OBJECT].labels[2], "Vanish when empty");
    EXPECT_EQ(mod_types[MK_DUMB].flags, MT_NEVER_APPLIED);
    EXPECT_EQ(mod_types[MK_FIRE].flags, MT_FIRE);
    EXPECT_EQ(mod_types[MK_CORPSE].owner_mask, 0);
    EXPECT_EQ(mod_types[MOD_KIND_COUNT].handler, nullptr);
}

TEST_F(Kinds, HasteDoublesTheActionPointsLeftWhenAttached) {
    chararray[Obj_Index(hero)].action_points = 7;
    Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    EXPECT_EQ(chararray[Obj_Index(hero)].action_points, 14);
}

TEST_F(Kinds, AStackCountsUpAndDown) {
    std::uint16_t m = Loose_Mod(hero, MK_MULTIPLE_ITEMS, 5, 20);
    EXPECT_EQ(Call(m, hero, REQ_STACK_ADD, -2), -2);
    EXPECT_EQ(Call(m, hero, REQ_STACK_COUNT, 1), 3);
    Call(m, hero, REQ_STACK_ADD, 4);
    EXPECT_EQ(mod_array[m].p1, 7);
}

TEST_F(Kinds, StackCountsAndChargesStayInTheirSignedWord) {
    struct Case {
        std::uint32_t kind;
        request_no request;
        std::int16_t before;
        RequestValue add;
        std::int16_t after;
    } cases[] = {
        {MK_MULTIPLE_ITEMS, REQ_STACK_ADD, 5, -1, 4},
        {MK_MULTIPLE_ITEMS, REQ_STACK_ADD, 32000, 1000, 32767},
        {MK_MULTIPLE_ITEMS, REQ_STACK_ADD, -32000, -1000, -32768},
        {MK_MULTIPLE_ITEMS, REQ_STACK_ADD, 2, 0x7FFFFFFF, 32767},
        {MK_MAGIC_OBJECT, REQ_AMMO, 3, -1, 2},
        {MK_MAGIC_OBJECT, REQ_AMMO, 32000, 1000, 32767},
        {MK_MAGIC_OBJECT, REQ_AMMO, 3, -70000, 0},
    };
    for (const Case& k : cases) {
        const bool stack = k.kind == MK_MULTIPLE_ITEMS;
        const auto before = static_cast<std::uint16_t>(k.before);
        std::uint16_t m = stack ? Loose_Mod(hero, k.kind, before) : Loose_Mod(hero, k.kind, 0, before);
        EXPECT_EQ(Call(m, hero, k.request, k.add), k.add);
        EXPECT_EQ(static_cast<std::int16_t>(stack ? mod_array[m].p1 : mod_array[m].p2), k.after)
            << mod_types[k.kind].name << " " << k.before << " + " << k.add;
    }
}

TEST_F(Kinds, AnEmptiedMagicObjectVanishesAtTheNextAdvance) {
    std::uint16_t wand = Place_Item(field, ITEM_TYPE_DEAD_BODY);
    std::uint16_t keeps = Place_Item(field, ITEM_TYPE_DEAD_BODY);
    std::uint16_t m = Add_Modifier(0, Item_Ref(wand), MK_MAGIC_OBJECT, 0, 2, 1, 0);
    std::uint16_t k = Add_Modifier(0, Item_Ref(keeps), MK_MAGIC_OBJECT, 0, 1, 0, 0);
    EXPECT_EQ(Object_Request(hero, Item_Ref(wand), 0, REQ_AMMO, -1), -1);
    EXPECT_EQ(mod_array[m].p2, 1);
    Object_Request(hero, Item_Ref(wand), 0, REQ_AMMO, -1);
    Object_Request(hero, Item_Ref(keeps), 0, REQ_AMMO, -3);
    EXPECT_EQ(mod_array[m].p2, 0);
    EXPECT_EQ(mod_array[k].p2, 0);
    // Not in the middle of its own request: at the next advance.
    EXPECT_FALSE(Item_Record_Is_Free(wand));
    Advance_Game_Clock(1);
    EXPECT_TRUE(Item_Record_Is_Free(wand));
    EXPECT_FALSE(Item_Record_Is_Free(keeps));
    EXPECT_EQ(Field_List(field), "item" + std::to_string(keeps) + " char0");
    // With no ammo a use starts nothing.
    EXPECT_EQ(Object_Request(hero, Item_Ref(keeps), 0, REQ_OPERATE, 0), 0);
}

// ---- Corpse ----

class Corpse : public Kinds {
  protected:
    void SetUp() override {
        Kinds::SetUp();
        c = Obj_Index(hero);
        chararray[c].hp = -5;
        Watch(hero);
        body_field = Field_Index(3, 3, 0);
        item = Place_Item(body_field, ITEM_TYPE_DEAD_BODY);
        itemarray[item].recognize = 10;
        Delete_Object_From_Field(OBJ_CHAR, c, field);
    }
    std::uint16_t Lay_Body() { return corpse = Add_Modifier(0, Item_Ref(item), MK_CORPSE, c, 17, 5, 0); }
    RequestValue Ask(request_no r, RequestValue v = 0) { return Object_Request(NOOBJ, Item_Ref(item), 0, r, v); }
    // What the character was told or asked, its hit points left out.
    std::vector<request_no> Told_Body() {
        std::vector<request_no> out;
        for (request_no r : Requests_For(watcher, hero))
            if (r != REQ_HIT_POINTS) out.push_back(r);
        return out;
    }

    std::uint16_t c = 0, item = 0, corpse = 0, body_field = 0;
};

TEST_F(Corpse, ABodySpeaksForItsCharacter) {
    watcher.calls.clear();
    Lay_Body();
    EXPECT_EQ(itemarray[item].recognize, 100);
    EXPECT_EQ(Told_Body(), (std::vector<request_no>{REQ_SET_ACTION_POINTS, REQ_132}));
    EXPECT_TRUE(Timer_Pending(corpse, REQ_TIMER));  // bleeding
    // The character stands, for its questions, where its body lies.
    EXPECT_EQ(chararray[c].x, 3);
    EXPECT_EQ(chararray[c].y, 3);

    EXPECT_EQ(Text_At(Ask(REQ_NAME)), "Unconsious Hero");
    EXPECT_EQ(Text_At(Ask(REQ_ITEM_DISPLAY_NAME)), "Unconsious Hero");
    EXPECT_EQ(Ask(REQ_PERCEPTION), c);
    EXPECT_EQ(Ask(REQ_PICTURE), 17);
    EXPECT_EQ(Ask(REQ_PICTURE_2), 5);
    EXPECT_EQ(Ask(REQ_ACTIVE, 1), 0);
    EXPECT_EQ(Ask(REQ_83, 1), 0);
    EXPECT_EQ(Ask(REQ_HIT_POINTS), -5);

    watcher.calls.clear();
    Ask(REQ_STRENGTH, 9);
    Ask(REQ_CHANGE_HIT_POINTS, -2);
    Ask(REQ_LOBBY, 3);
    Ask(REQ_ATTACK, 3);  // not passed on
    // Passed on to the character, whose own base values then answer.
    EXPECT_EQ(Values_For(watcher, REQ_STRENGTH), (std::vector<RequestValue>{chararray[c].strength}));
    EXPECT_EQ(Values_For(watcher, REQ_CHANGE_HIT_POINTS), (std::vector<RequestValue>{-2}));
    EXPECT_EQ(Values_For(watcher, REQ_LOBBY), (std::vector<RequestValue>{chararray[c].lobby}));
    EXPECT_TRUE(Values_For(watcher, REQ_ATTACK).empty());
}

TEST_F(Corpse, ABodyBleedsUntilDeadThenItsManaIsGone) {
    Lay_Body();
    watcher.calls.clear();
    Advance_Game_Clock(1921);
    EXPECT_EQ(Damage_To(hero), (std::vector<RequestValue>{-1}));
    EXPECT_TRUE(Timer_Pending(corpse, REQ_TIMER));

    chararray[c].hp = -12;
    watcher.calls.clear();
    Advance_Game_Clock(1921);
    EXPECT_EQ(Damage_To(hero), (std::vector<RequestValue>{-1}));
    EXPECT_FALSE(Timer_Pending(corpse, REQ_TIMER));  // the dead do not bleed on
    std::vector<request_no> mana;
    for (request_no r : Told_Body())
        if (r >= REQ_SET_MANA_FIRE && r <= REQ_SET_MANA_EARTH) mana.push_back(r);
    EXPECT_EQ(mana,
              (std::vector<request_no>{REQ_SET_MANA_FIRE, REQ_SET_MANA_WATER, REQ_SET_MANA_AIR, REQ_SET_MANA_EARTH}));
    EXPECT_EQ(mod_array[corpse].p4, game_clock & 0xFFFF);
    EXPECT_EQ(Text_At(Ask(REQ_NAME)), "Dead Hero");

    // Once dead, damage and mana changes stop at the body, and the mana is
    // taken once only.
    watcher.calls.clear();
    EXPECT_EQ(Ask(REQ_CHANGE_HIT_POINTS, -4), -4);
    EXPECT_EQ(Ask(REQ_ADD_MANA_FIRE, 3), 3);
    EXPECT_TRUE(Damage_To(hero).empty());
    EXPECT_TRUE(Values_For(watcher, REQ_SET_MANA_FIRE).empty());
}

TEST_F(Corpse, ARecoveredCharacterStandsUpAtTheNextAdvance) {
    Lay_Body();
    chararray[c].hp = 3;              // healed while down
    EXPECT_EQ(Ask(REQ_PICTURE), 17);  // asked in its own walk: still a body
    EXPECT_EQ(Ask(REQ_PICTURE), 17);
    EXPECT_EQ(Field_List(body_field), "item" + std::to_string(item));
    Advance_Game_Clock(1);
    EXPECT_EQ(Field_List(body_field), "char" + std::to_string(c));
    EXPECT_TRUE(Item_Record_Is_Free(item));
    EXPECT_TRUE(Modifier_Is_Free(corpse));
    Advance_Game_Clock(2000);  // nothing left pending for the freed record
    EXPECT_EQ(Field_List(body_field), "char" + std::to_string(c));
}

TEST_F(Corpse, AFreedCharacterLeavesAMuteBody) {
    Lay_Body();
    Free_Char(c);
    // The body's own item type answers: the corpse no longer speaks.
    EXPECT_EQ(Ask(REQ_PICTURE, 4), item_types[ITEM_TYPE_DEAD_BODY].picture);
    EXPECT_EQ(Ask(REQ_NAME, 0), 0);
}

// ---- Field effects ----

class FieldEffects : public Kinds {
  protected:
    void SetUp() override {
        Kinds::SetUp();
        Watch(hero);
        Set_Fixitem_Type(SLOT_GAS, 25);
        Set_Fixitem_Type(SLOT_FLAME, 25, 2);
        anim_types[FLAME_ANIM].sprite = Register_Sprite_Info(30, 3);
        std::uint16_t ci = Place_Char(Field_Index(5, 5, 0), "Caster");
        chararray[ci].level = 2;
        caster = Char_Ref(ci);
        head = Fix_Ref(field);
    }
    std::uint16_t Effect(std::uint32_t kind, std::uint16_t rounds, std::uint16_t p2 = 0) {
        return Add_Modifier(0, head, kind, rounds, p2, OBJ_CHAR, Obj_Index(caster));
    }
    std::uint16_t Record(std::uint8_t slot) { return Place_Fixitem(field, slot); }

    obj_ref caster = NOOBJ, head = NOOBJ;
};

TEST_F(FieldEffects, EvilFogCountsARoundWhenAttachedAndFadesAway) {
    std::uint16_t gas = Record(SLOT_GAS);
    // Each round: damage 2 + 2, the hero cannot resist, no pool of blood
    // (left to chance it would show up in the field list at the end).
    ScopedRandom dice({2, 99, 39, 2, 99, 39});
    std::uint16_t m = Effect(MK_EVIL_FOG, 3, gas);
    EXPECT_EQ(mapfield[field] & (MF_DANGER | MF_ASK_ENTRY_COST | MF_ASK_SIGHT),
              MF_DANGER | MF_ASK_ENTRY_COST | MF_ASK_SIGHT);
    EXPECT_EQ(mod_array[m].p1, 2);
    EXPECT_EQ(Damage_To(hero), (std::vector<RequestValue>{-4}));
    EXPECT_TRUE(Timer_Pending(m, REQ_TIMER));
    Advance_Game_Clock(193);
    EXPECT_EQ(mod_array[m].p1, 1);
    EXPECT_EQ(Damage_To(hero).size(), 2u);
    Advance_Game_Clock(193);  // the last round: the gas goes, nobody is hit
    EXPECT_TRUE(Modifier_Is_Free(m));
    EXPECT_TRUE(Map_Record_Is_Free(gas));
    EXPECT_EQ(Damage_To(hero).size(), 2u);
    // Only the hero and the animations of its wounds stay on the field.
    EXPECT_EQ(Field_List(field).find("fix"), std::string::npos);
    EXPECT_NE(Field_List(field).find("char0"), std::string::npos);
}

TEST_F(FieldEffects, AFireCountsItsFirstRoundAtItsFirstTimerEvent) {
    std::uint16_t flame = Record(SLOT_FLAME);
    std::uint16_t m = Effect(MK_FIRE, 6, flame);
    EXPECT_EQ(mod_array[m].p1, 6);
    EXPECT_TRUE(Damage_To(hero).empty());
    EXPECT_TRUE(mapfield[field] & MF_DANGER);
    Advance_Game_Clock(193);
    EXPECT_EQ(mod_array[m].p1, 5);
    EXPECT_EQ(Damage_To(hero).size(), 1u);

    // A fire wall counts one at once, and hits.
    std::uint16_t other = Field_Index(4, 1, 0);
    obj_ref victim = Char_Ref(Place_Char(other, "Victim"));
    Watch(victim);
    std::uint16_t w = Add_Modifier(0, Fix_Ref(other), MK_FIRE_WALL, 6, NO_INDEX, OBJ_CHAR, Obj_Index(caster));
    EXPECT_EQ(mod_array[w].p1, 5);
    EXPECT_EQ(Damage_To(victim).size(), 1u);
}

TEST_F(FieldEffects, AnObjectPlacedInAnEffectDoesNotStartItAgain) {
    std::uint16_t fire = Effect(MK_FIRE, 6, Record(SLOT_FLAME));
    std::uint16_t silence = Add_Modifier(0, head, MK_SILENCE, 2, 0, 0, 0);
    // The editor tells a placed object 174 through the engine, which walks
    // the field head's chain as well.
    obj_ref placed = Fix_Ref(Record(SLOT_GAS));
    Object_Request(placed, placed, 0, REQ_ATTACHED, 0);
    std::size_t events = 0;
    for (std::uint16_t e = timer_array.active; e != NO_INDEX; e = timer_array.records[e].next)
        events += (timer_array.records[e].modifier == fire || timer_array.records[e].modifier == silence);
    EXPECT_EQ(events, 2u);
}

TEST_F(FieldEffects, ASteppingCharacterIsHitOnce) {
    std::uint16_t m = Effect(MK_FIRE_WALL, 6, NO_INDEX);
    (void)m;
    watcher.calls.clear();
    // The character tick tells the field head and then the character.
    Object_Request(hero, head, 0, REQ_STEPPED_ON, 0);
    Object_Request(hero, hero, 0, REQ_STEPPED_ON, 0);
    EXPECT_EQ(Damage_To(hero).size(), 1u);
}

TEST_F(FieldEffects, RoundsCountedDownFromTheLowestWordEndAtOnce) {
    // p1 = -32768 from a file: one more round down must not wrap to 32767.
    ScopedRandom dice({1, 1, 1, 1, 1, 1});
    std::uint16_t wall = Effect(MK_FIRE_WALL, 0x8000, NO_INDEX);
    EXPECT_TRUE(Modifier_Is_Free(wall));
    std::uint16_t fog = Effect(MK_EVIL_FOG, 0x8000, NO_INDEX);
    EXPECT_TRUE(Modifier_Is_Free(fog));
    std::uint16_t torch = Add_Modifier(0, hero, MK_LIVING_TORCH, 0x8000, NO_INDEX, OBJ_CHAR, Obj_Index(caster));
    EXPECT_TRUE(Modifier_Is_Free(torch));
    EXPECT_EQ(timer_array.active, NO_INDEX);
}

TEST_F(FieldEffects, TheHitsDealTheirDamageAndRespectResistance) {
    struct Row {
        act_desc* hit;
        std::vector<int> dice;
        std::int16_t protection;  // the target's fire and water protection
        RequestValue damage;      // 0: nothing dealt
    } rows[] = {
        {&evil_fog_hit, {1, 99}, 0, -3},    // 1 + 2; margin -10
        {&evil_fog_hit, {1, 0}, 200, 0},    // resisted: nothing
        {&fire_hit, {3, 99}, 0, -6},        // 3 + 3
        {&fire_hit, {3, 0}, 200, -1},       // quartered
        {&fire_wall_hit, {5, 99}, 0, -11},  // 5 + 4 + caster level 2
        {&fire_wall_hit, {5, 0}, 200, -5},  // halved
    };
    for (const Row& r : rows) {
        chararray[Obj_Index(hero)].hp = 20;
        chararray[Obj_Index(hero)].protection[0] = r.protection;
        chararray[Obj_Index(hero)].protection[1] = r.protection;
        watcher.calls.clear();
        ScopedRandom dice;
        dice.script.values = r.dice;
        EXPECT_EQ(r.hit->handler(caster, hero, r.hit, REQ_EFFECT_HIT, field), field);
        std::vector<RequestValue> dealt = Damage_To(hero);
        EXPECT_EQ(dealt, r.damage == 0 ? std::vector<RequestValue>{} : std::vector<RequestValue>{r.damage});
        EXPECT_EQ(r.hit->handler(caster, hero, r.hit, REQ_ACT_NAME, 0), NO_VALUE);
    }
    EXPECT_EQ(fire_hit.flags, 0x834001u);
    EXPECT_EQ(evil_fog_hit.flags, 0x834009u);
}

TEST_F(FieldEffects, SpellSkillAndDangerInTheEffects) {
    std::uint16_t fog = Loose_Mod(head, MK_EVIL_FOG, 3, 0, OBJ_CHAR, Obj_Index(caster));
    std::uint16_t wall = Loose_Mod(head, MK_FIRE_WALL, 3, 0, OBJ_CHAR, Obj_Index(caster));
    std::uint16_t fire = Loose_Mod(head, MK_FIRE, 3);
    chararray[Obj_Index(caster)].level = 1;
    {
        ScopedRandom dice({1, 0, 1});
        EXPECT_EQ(Call(wall, hero, REQ_SPELL_SKILL, 150), 50);
        EXPECT_EQ(Call(wall, hero, REQ_SPELL_SKILL, 150), 150);
        EXPECT_EQ(Call(fire, hero, REQ_SPELL_SKILL, 60), 0);
    }
    {
        chararray[Obj_Index(hero)].protection[1] = 200;  // shrugs the fog off
        ScopedRandom dice({0, 1});
        EXPECT_EQ(Call(fog, hero, REQ_SPELL_SKILL, 150), 150);
    }
    // Danger with a margin R: fog (100 - R) * 505 / 10000; fire wall and
    // fire (100 - R) * 500 / 10000 + 2.
    chararray[Obj_Index(hero)].protection[0] = 50;
    chararray[Obj_Index(hero)].protection[1] = 50;
    ScopedRandom dice;
    EXPECT_EQ(Call(fog, hero, REQ_DANGER, 10), 10 + 55 * 505 / 10000);       // R = 50 - 5
    EXPECT_EQ(Call(wall, hero, REQ_DANGER, 10), 10 + 65 * 500 / 10000 + 2);  // R = 50 - 15
    EXPECT_EQ(Call(fire, hero, REQ_DANGER, 10), 10 + 50 * 500 / 10000 + 2);  // R = 50
}

TEST_F(FieldEffects, AFireWallsFlamesBurnDownWhenItGoes) {
    std::uint16_t e = Start_MapAnim_Loop(head, FLAME_ANIM, -1, -1, 1, 0);
    const std::string flame = "anim" + std::to_string(animated_fixitems[e].obj_index);
    std::uint16_t m = Effect(MK_FIRE_WALL, 6, e);
    do_anim();
    Remove_Modifier(head, m);
    EXPECT_EQ(animated_fixitems[e].flags & (AE_ONCE | AE_LOOP), AE_ONCE);
    std::int32_t speed = animated_fixitems[e].speed;
    EXPECT_EQ(speed, 0x10000);
    for (int i = 0; i < 4; ++i) do_anim();
    // The flame is gone; the hero and the animations of its wounds stay.
    EXPECT_EQ(Field_List(field).find(flame), std::string::npos);
    EXPECT_NE(Field_List(field).find("char0"), std::string::npos);
}

TEST_F(FieldEffects, AFireAtTheEastEdgeThatDrawsEastStaysPut) {
    std::uint16_t edge = Field_Index(5, 2, 0);
    for (std::uint32_t f = 0; f < total_fields; ++f) maparray[static_cast<std::uint16_t>(f)].type = GRASS;
    Set_Fixitem_Type(GRASS, 0, 1, 0, 0, FIX_BURNABLE);
    std::uint16_t flame = Place_Fixitem(edge, SLOT_FLAME);
    std::uint16_t m = Add_Modifier(0, Fix_Ref(edge), MK_FIRE, 3, flame, 0, 0);
    ScopedRandom dice({0});  // east: off the map
    Advance_Game_Clock(193);
    EXPECT_EQ(mod_array[m].p1, 2);
    std::size_t fires = 0;
    for (std::uint32_t f = 0; f < total_fields; ++f)
        fires += Count_Kind(Fix_Ref(static_cast<std::uint16_t>(f)), MK_FIRE);
    EXPECT_EQ(fires, 1u);
    dice.Set({3});  // west
    Advance_Game_Clock(193);
    EXPECT_EQ(Count_Kind(Fix_Ref(Field_Index(4, 2, 0)), MK_FIRE), 1u);
}

// ---- Living Torch, Silence, Charm ----

TEST_F(FieldEffects, ALivingTorchBurnsItsBearer) {
    std::uint16_t e = Start_MapAnim_Loop(hero, FLAME_ANIM, -1, -1, 1, 0);
    ScopedRandom dice({1, 1, 99});  // no fire on the field; damage 1 + 1 + level 2
    std::uint16_t m = Add_Modifier(0, hero, MK_LIVING_TORCH, 3, e, OBJ_CHAR, Obj_Index(caster));
    EXPECT_EQ(mod_array[m].p1, 2);
    EXPECT_EQ(Damage_To(hero), (std::vector<RequestValue>{-4}));
    dice.Set({0, 0, 99});  // the field catches fire this time
    Set_Fixitem_Type(0, 0, 1, 0, 0, FIX_BURNABLE);
    Advance_Game_Clock(193);
    EXPECT_EQ(mod_array[m].p1, 1);
    EXPECT_EQ(Count_Kind(head, MK_FIRE), 1u);
    EXPECT_EQ(Damage_To(hero), (std::vector<RequestValue>{-4, -3}));
    Advance_Game_Clock(193);  // out of rounds
    EXPECT_TRUE(Modifier_Is_Free(m));
    EXPECT_EQ(animated_fixitems[e].flags & AE_ONCE, AE_ONCE);
}

TEST_F(FieldEffects, ALivingTorchGoesOutInWaterOrWhenItsBearerFalls) {
    Set_Fixitem_Type(POND, 0, 1, 0, 0, FIX_WATER);
    std::uint16_t pond = Field_Index(3, 2, 0);
    maparray[pond].type = POND;
    ScopedRandom dice({1, 1, 99, 1, 1, 99});
    std::uint16_t a = Add_Modifier(0, hero, MK_LIVING_TORCH, 5, NO_INDEX, OBJ_CHAR, Obj_Index(caster));
    Remove_Object(hero);
    Put_Object_To_Field(hero, pond);
    Object_Request(hero, hero, 0, REQ_STEPPED_ON, 0);
    EXPECT_TRUE(Modifier_Is_Free(a));

    obj_ref other = Char_Ref(Place_Char(field, "Other"));
    std::uint16_t b = Add_Modifier(0, other, MK_LIVING_TORCH, 5, NO_INDEX, OBJ_CHAR, Obj_Index(caster));
    EXPECT_EQ(Object_Request(other, other, 0, REQ_FELL, 0), 0);
    EXPECT_TRUE(Modifier_Is_Free(b));
}

TEST_F(FieldEffects, SilenceFallsOnAFieldForItsTime) {
    std::uint16_t m = Add_Modifier(0, head, MK_SILENCE, 2, 0, 0, 0);
    EXPECT_TRUE(mapfield[field] & MF_ASK_SIGHT);
    Advance_Game_Clock(384);
    EXPECT_FALSE(Modifier_Is_Free(m));
    Advance_Game_Clock(1);
    EXPECT_TRUE(Modifier_Is_Free(m));
}

TEST_F(FieldEffects, ACharmEndsFortyLowerThanItBegan) {
    constexpr std::uint16_t HERO_SLOT = 5, CASTER_SLOT = 3;
    chararray[Obj_Index(hero)].ai_slot = HERO_SLOT;
    chararray[Obj_Index(caster)].ai_slot = CASTER_SLOT;
    struct Case {
        std::int8_t before, charmed, after;
    } cases[] = {{10, 110, -30}, {60, 127, -13}, {-100, 0, -128}};
    for (const Case& c : cases) {
        *Relation_Cell(HERO_SLOT, CASTER_SLOT) = c.before;
        std::uint16_t m = Add_Modifier(0, hero, MK_CHARM, 2, 0, OBJ_CHAR, Obj_Index(caster));
        EXPECT_EQ(*Relation_Cell(HERO_SLOT, CASTER_SLOT), c.charmed);
        EXPECT_EQ(mod_array[m].p3, CASTER_SLOT);
        Advance_Game_Clock(385);
        EXPECT_EQ(*Relation_Cell(HERO_SLOT, CASTER_SLOT), c.after);
        EXPECT_TRUE(Modifier_Is_Free(m));
    }
    // Cast through an item: its carrier is the caster.
    std::uint16_t ring = Give_Item(Obj_Index(caster), ITEM_TYPE_DEAD_BODY, SLOT_LEFT_RING);
    *Relation_Cell(HERO_SLOT, CASTER_SLOT) = 0;
    Add_Modifier(0, hero, MK_CHARM, 2, 0, OBJ_ITEM, ring);
    EXPECT_EQ(*Relation_Cell(HERO_SLOT, CASTER_SLOT), 100);
    // Without a caster the charm is gone at once.
    std::uint16_t none = Add_Modifier(0, hero, MK_CHARM, 2, 0, OBJ_FIXITEM, 3);
    EXPECT_TRUE(Modifier_Is_Free(none));
    EXPECT_EQ(*Relation_Cell(HERO_SLOT, CASTER_SLOT), 100);
}

// ---- A fire on a small map ----

class FireMap : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Timed_World(5, 5);
        Seed_Random(7);
        Set_Fixitem_Type(GRASS, 0, 1, 0, 0, FIX_BURNABLE);
        fixitem_types[GRASS].amortized = BURNT;
        Set_Fixitem_Type(BURNT, 0);
        Set_Fixitem_Type(TREE, 20, 1, 0, 40, FIX_BURNABLE);
        Set_Fixitem_Type(SLOT_FLAME, 25, 1);
        Set_Fixitem_Type(FIXITEM_FIRE, 25, 1);
        for (std::uint32_t f = 0; f < total_fields; ++f) maparray[static_cast<std::uint16_t>(f)].type = GRASS;
        centre = Field_Index(2, 2, 0);
        capacity = maparray.Capacity();
    }
    std::size_t Fires_On(std::uint16_t f) {
        return Count_Kind(Fix_Ref(f), MK_FIRE) + Count_Kind(Fix_Ref(f), MK_FIRE_WALL);
    }
    std::size_t Records_Of(std::uint8_t slot) {
        std::size_t n = 0;
        for (std::uint16_t i = static_cast<std::uint16_t>(total_fields); i < maparray.Capacity(); ++i)
            if (!Map_Record_Is_Free(i) && maparray[i].type == slot) ++n;
        return n;
    }
    // One round; false when a field holds two fires or the map array grew.
    bool Round() {
        Advance_Game_Clock(ROUND_TICKS + 1);
        for (std::uint32_t f = 0; f < total_fields; ++f)
            if (Fires_On(static_cast<std::uint16_t>(f)) > 1) return false;
        return maparray.Capacity() == capacity && Records_Of(SLOT_FLAME) <= total_fields;
    }
    void Ignite(std::uint16_t f) {
        std::uint16_t flame = Place_Fixitem(f, SLOT_FLAME);
        Add_Modifier(0, Fix_Ref(f), MK_FIRE, 6, flame, 0, 0);
    }

    std::uint16_t centre = 0, capacity = 0;
};

TEST_F(FireMap, AFireBurnsSpreadsAndBurnsOut) {
    std::uint16_t paper = Add_Item_Type("Scroll", CLASS_SCROLL);
    item_types[paper].flags = ITEM_BURNABLE;
    std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    std::uint16_t scroll = Place_Item(centre, paper);
    std::uint16_t blade = Place_Item(centre, sword);
    std::uint16_t tree = Place_Fixitem(centre, TREE);
    Ignite(centre);
    EXPECT_EQ(maparray[centre].type, BURNT);  // the ground is spoilt at once

    bool tree_burned = false;
    int rounds = 0;
    while (timer_array.active != NO_INDEX) {
        ASSERT_LT(++rounds, 200) << "the fire does not burn out";
        ASSERT_TRUE(Round()) << "round " << rounds;
        if (Count_Kind(Fix_Ref(tree), MK_FIRE) > 0) tree_burned = true;
    }
    std::size_t burnt = 0;
    for (std::uint32_t f = 0; f < total_fields; ++f) {
        burnt += maparray[static_cast<std::uint16_t>(f)].type == BURNT;
        EXPECT_EQ(Fires_On(static_cast<std::uint16_t>(f)), 0u);
    }
    EXPECT_GE(burnt, 2u);  // it spread
    EXPECT_TRUE(Item_Record_Is_Free(scroll));
    EXPECT_FALSE(Item_Record_Is_Free(blade));
    EXPECT_TRUE(tree_burned);
    EXPECT_FALSE(Map_Record_Is_Free(tree));
    EXPECT_EQ(Count_Kind(Fix_Ref(tree), MK_FIRE), 0u);
    EXPECT_EQ(Records_Of(SLOT_FLAME), 0u);
    EXPECT_EQ(Records_Of(FIXITEM_FIRE), 0u);
}

TEST_F(FireMap, GroundThatNeverBurnsOutHoldsOneFireAFieldAtMost) {
    fixitem_types[GRASS].amortized = 0;  // stays burnable
    Place_Fixitem(centre, TREE);
    Ignite(centre);
    for (int round = 1; round <= 300; ++round) ASSERT_TRUE(Round()) << "round " << round;
}

}  // namespace
