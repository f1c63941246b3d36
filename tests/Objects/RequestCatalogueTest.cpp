// The base values of the requests: the generic rules, then the rules of
// characters, items and fixitems.
#include <gtest/gtest.h>

#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(6, 6, 2);
        Set_Fixitem_Type(0, LAYER_FLOOR, 1, 2, 10);      // floor: cost 2, cover 10
        Set_Fixitem_Type(1, 5, 1, 3, 20, FIX_BURNABLE);  // bush: cost 3, cover 20
        Set_Fixitem_Type(2, LAYER_WALL, 1, -1, 100, FIX_WATER);
        field = Field_Index(2, 3, 1);
    }
    RequestValue Ask(obj_ref o, request_no r, RequestValue v = NO_VALUE) { return Object_Request(NOOBJ, o, 0, r, v); }
    std::uint16_t field = 0;
};

TEST_F(Catalogue, PositionOfEveryKind) {
    std::uint16_t c = Place_Char(field);
    std::uint16_t item = Place_Item(field, ITEM_TYPE_DEAD_BODY);
    std::uint16_t fix = Place_Fixitem(field, 1);
    for (obj_ref o : {Char_Ref(c), Item_Ref(item), Fix_Ref(fix), Fix_Ref(field)}) {
        EXPECT_EQ(Ask(o, REQ_X), 2);
        EXPECT_EQ(Ask(o, REQ_Y), 3);
        EXPECT_EQ(Ask(o, REQ_LEVEL), 1);
        EXPECT_EQ(Ask(o, REQ_FIELD), field);
    }
}

TEST_F(Catalogue, FieldCostsSumTheObjectsOfTheField) {
    obj_ref head = Fix_Ref(field);
    Place_Fixitem(field, 1);
    Place_Item(field, ITEM_TYPE_DEAD_BODY);
    EXPECT_EQ(Ask(head, REQ_ENTRY_COST), 2 + 3);
    EXPECT_EQ(Ask(head, REQ_FIXED_COST), 2 + 3);
    // An unconscious character costs 2 to pass, a standing one closes the field.
    std::uint16_t c = Place_Char(field);
    chararray[c].hp = 0;
    EXPECT_EQ(Ask(head, REQ_ENTRY_COST), 2 + 3 + 2);
    EXPECT_EQ(Ask(head, REQ_FIXED_COST), 2 + 3);
    chararray[c].hp = 5;
    EXPECT_EQ(Ask(head, REQ_ENTRY_COST), -1);
    EXPECT_EQ(Ask(Char_Ref(c), REQ_ENTRY_COST_OBJ), -1);
    // A wall closes it for both; so does the blocked bit.
    Destroy_Object(Char_Ref(c));
    Place_Fixitem(field, 2);
    EXPECT_EQ(Ask(head, REQ_FIXED_COST), -1);
    std::uint16_t open = Field_Index(0, 0, 0);
    mapfield[open] |= MF_BLOCKED;
    EXPECT_EQ(Ask(Fix_Ref(open), REQ_ENTRY_COST), -1);
    EXPECT_EQ(Ask(Fix_Ref(open), REQ_FIXED_COST), 2);
}

TEST_F(Catalogue, CoverAndSightCost) {
    obj_ref head = Fix_Ref(field);
    std::uint16_t bush = Place_Fixitem(field, 1);
    Place_Char(field);
    Place_Item(field, ITEM_TYPE_DEAD_BODY);
    EXPECT_EQ(Ask(head, REQ_FIELD_COVER), 10 + 20 + 30);
    EXPECT_EQ(Ask(head, REQ_SIGHT_COST), 5 + 10 + 20 + 30 / 2);
    // An object whose request 113 answers non-zero does not obstruct.
    ScopedHandler glass(MK_EXCLUDER,
                        [](const HandlerCall& call) { return call.request == REQ_NO_OBSTRUCT ? 1 : call.value; });
    Add_Modifier(0, Fix_Ref(bush), MK_EXCLUDER, 0, 0, 0, 0);
    EXPECT_EQ(Ask(head, REQ_SIGHT_COST), 5 + 10 + 30 / 2);
}

TEST_F(Catalogue, FieldBitsAreWrittenAtTheBaseStep) {
    obj_ref head = Fix_Ref(field);
    std::uint16_t c = Place_Char(field);
    Ask(head, REQ_SET_BLOCKED, 1);
    Ask(Char_Ref(c), REQ_SET_BIT_10, 3);
    EXPECT_EQ(mapfield[field], MF_BLOCKED | MF_BIT_10);
    Ask(head, REQ_SET_BLOCKED, 2);
    Ask(head, REQ_SET_BIT_20, 1);
    EXPECT_EQ(mapfield[field], MF_BIT_10 | MF_BIT_20);
}

TEST_F(Catalogue, OperatingAFieldOrsItsFixitems) {
    std::uint16_t a = Place_Fixitem(field, 1);
    std::uint16_t b = Place_Fixitem(field, 1);
    ScopedHandler door(MK_DOOR, [=](const HandlerCall& call) {
        if (call.request != REQ_OPERATE) return call.value;
        return call.value | (Obj_Index(call.object) == a ? 1 : 4);
    });
    Add_Modifier(0, Fix_Ref(a), MK_DOOR, 0, 0, 0, 0);
    Add_Modifier(0, Fix_Ref(b), MK_DOOR, 0, 0, 0, 0);
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_OPERATE, 0), 5);
    EXPECT_EQ(Ask(Fix_Ref(a), REQ_OPERATE, 77), 1);
}

TEST_F(Catalogue, GenericAnswers) {
    std::uint16_t item = Place_Item(field, ITEM_TYPE_DEAD_BODY);
    struct Case {
        request_no request;
        RequestValue answer;
    } cases[] = {{REQ_TRANSPORT_DEST, -1},      {REQ_SIGHT, 100},   {REQ_PERCENT, 100},      {REQ_HOSTILITY_BASE, 0},
                 {REQ_ATTACK_PRIORITY_CAP, 70}, {REQ_LOBBY, 34},    {REQ_AI_SLOT, NO_VALUE}, {REQ_RELATION_BONUS, 0},
                 {REQ_SPELL_SKILL, 100},        {REQ_MAIN_CHAR, 0}, {REQ_DANGER, 0},         {REQ_115, 0}};
    for (const Case& k : cases) {
        EXPECT_EQ(Ask(Item_Ref(item), k.request, 12345), k.answer) << k.request;
        EXPECT_EQ(Ask(Fix_Ref(field), k.request, 12345), k.answer) << k.request;
    }
    EXPECT_EQ(Ask(Fix_Ref(field), REQ_SILENCE), 5);
    EXPECT_EQ(Ask(Item_Ref(item), REQ_SILENCE), 0);
    // A request nothing answers keeps the value.
    EXPECT_EQ(Ask(Item_Ref(item), REQ_PERCEPTION, 4321), 4321);
}

TEST_F(Catalogue, CharacterRecordFigures) {
    char_record t = Char_Template("Aldo", 3);
    t.hp = -15;
    t.max_hp = -4;
    t.stamina = -2;
    t.level = 7;
    t.race = RACE_MONSTER | 2;  // the third monster: "Zombi", row 12
    t.flags = CF_MAIN_CHAR;
    t.known_spells = 0xA5A5;
    for (int k = 0; k < WS_COUNT; ++k) t.weapon_skill[k] = static_cast<std::int16_t>(100 + k);
    for (int k = 0; k < 4; ++k) t.protection[k] = static_cast<std::int16_t>(200 + k);
    std::uint16_t c = Place_Char(field, t);
    obj_ref me = Char_Ref(c);
    EXPECT_EQ(Ask(me, REQ_HIT_POINTS), -10);
    EXPECT_EQ(Ask(me, REQ_MAX_HIT_POINTS), 0);
    EXPECT_EQ(Ask(me, REQ_STAMINA), 0);
    EXPECT_EQ(Ask(me, REQ_MAX_ACTION_POINTS), 12);
    EXPECT_EQ(Ask(me, REQ_40), 8);
    EXPECT_EQ(Ask(me, REQ_RACE), 12);
    EXPECT_EQ(Ask(me, REQ_MAIN_CHAR), CF_MAIN_CHAR);
    EXPECT_EQ(Ask(me, REQ_LOBBY), 3);
    EXPECT_EQ(Ask(me, REQ_COVER), 30);
    EXPECT_EQ(Ask(me, REQ_STEP_NOISE), 4);
    EXPECT_EQ(Ask(me, REQ_AI_SLOT), NO_INDEX);
    // The skills in request order from the record's order.
    const int skill_word[] = {WS_MACES, WS_PIKES,   WS_SWORDS,     WS_AXES,      WS_KNIVES,     WS_ASSASSIN,
                              WS_BOWS,  WS_SHIELDS, WS_TWO_HANDED, WS_LEFT_HAND, WS_LEADERSHIP, WS_FIST};
    for (int k = 0; k < 12; ++k) EXPECT_EQ(Ask(me, static_cast<request_no>(REQ_SKILL_MACES + k)), 100 + skill_word[k]);
    const request_no fire[] = {REQ_PROT_FIRE, REQ_PROT_FIRE_2, REQ_PROT_FIRE_3};
    const request_no earth[] = {REQ_PROT_EARTH, REQ_PROT_EARTH_2, REQ_PROT_EARTH_3};
    for (request_no r : fire) EXPECT_EQ(Ask(me, r), 200);
    for (request_no r : earth) EXPECT_EQ(Ask(me, r), 203);
    EXPECT_EQ(Ask(me, REQ_PROT_WATER_3), 201);
    EXPECT_EQ(Ask(me, REQ_PROT_AIR_2), 202);
    // Addresses travel in the value, pointer-sized.
    std::uint16_t mask = 0;
    RequestValue address = Pointer_Value(&mask);
    EXPECT_EQ(Ask(me, REQ_KNOWN_SPELLS, address), address);
    EXPECT_EQ(mask, 0xA5A5);
    EXPECT_EQ(Ask(me, REQ_KNOWN_SPELLS, NO_VALUE), NO_VALUE);
    const char* name = Value_Pointer<const char>(Ask(me, REQ_NAME));
    EXPECT_STREQ(name, "Aldo");
}

// The race byte holds a category in its top bits and the place within the
// category's rows of race_names below: the race number is that row.
TEST_F(Catalogue, RaceNumberIsTheRowOfTheRaceWithinItsCategory) {
    const struct {
        std::uint8_t byte;
        RequestValue row;
    } cases[] = {{0, 0},
                 {3, 3},
                 {RACE_ANIMAL, 4},
                 {RACE_ANIMAL | 3, 7},
                 {RACE_ANIMAL | 5, 9},
                 {RACE_MONSTER, 10},
                 {RACE_MONSTER | 2, 12},
                 {RACE_ANIMAL | RACE_MONSTER, 13},
                 {RACE_ANIMAL | RACE_MONSTER | 1, 14}};
    for (const auto& c : cases) {
        char_record t = Char_Template("Beast", 3);
        t.race = c.byte;
        const obj_ref me = Char_Ref(Place_Char(field, t));
        EXPECT_EQ(Ask(me, REQ_RACE), c.row) << int{c.byte};
        EXPECT_EQ(Ask(me, REQ_RACE_BYTE), c.byte);
    }
}

TEST_F(Catalogue, ActiveNeedsHitPointsAndStamina) {
    std::uint16_t c = Place_Char(field);
    obj_ref me = Char_Ref(c);
    struct Case {
        std::int16_t hp, stamina;
        RequestValue active, entry_cost;
    } cases[] = {{5, 5, 1, -1}, {0, 5, 0, 2}, {5, 0, 0, 2}, {-3, -3, 0, 2}, {1, 1, 1, -1}};
    for (const Case& k : cases) {
        chararray[c].hp = k.hp;
        chararray[c].stamina = k.stamina;
        EXPECT_EQ(Ask(me, REQ_ACTIVE), k.active) << k.hp << " " << k.stamina;
        EXPECT_EQ(Ask(me, REQ_ENTRY_COST_OBJ), k.entry_cost) << k.hp << " " << k.stamina;
    }
    chararray[c].hp = 5;
    chararray[c].flags |= CF_FREE;
    EXPECT_EQ(Ask(me, REQ_ACTIVE), 0);
}

TEST_F(Catalogue, HandsAreFreeWhenTheirSlotsAreEmpty) {
    std::uint16_t c = Place_Char(field);
    std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    EXPECT_EQ(Ask(Char_Ref(c), REQ_LEFT_HAND_FREE), 1);
    Give_Item(c, sword, SLOT_RIGHT_HAND);
    EXPECT_EQ(Ask(Char_Ref(c), REQ_RIGHT_HAND_FREE), 0);
    EXPECT_EQ(Ask(Char_Ref(c), REQ_LEFT_HAND_FREE), 1);
}

TEST_F(Catalogue, ItemFiguresComeFromItsType) {
    std::uint16_t t = Add_Item_Type("Lantern", CLASS_OTHER, 4, 2);
    item_types[t].flags = ITEM_BURNABLE;
    item_types[t].picture = 17;
    item_types[t].mana_points = 6;
    item_types[t].max_distance = 9;
    item_types[t].disturb = 3;
    std::uint16_t i = Place_Item(field, t);
    obj_ref it = Item_Ref(i);
    EXPECT_EQ(Ask(it, REQ_ATTACK), 4);
    EXPECT_EQ(Ask(it, REQ_DEFENCE), 0);
    EXPECT_EQ(Ask(it, REQ_ITEM_CLASS), CLASS_OTHER);
    EXPECT_EQ(Ask(it, REQ_WEAPON_RANGE), 9);
    EXPECT_EQ(Ask(it, REQ_DISTURB), 3);
    EXPECT_EQ(Ask(it, REQ_CAN_BURN), ITEM_BURNABLE);
    EXPECT_EQ(Ask(it, REQ_PICTURE), 17);
    EXPECT_EQ(Ask(it, REQ_ACT_AP_COST), 6);
    EXPECT_EQ(Ask(it, REQ_STACK_COUNT), 1);
    EXPECT_EQ(Ask(it, REQ_BRAVENESS), 100);
    EXPECT_EQ(Ask(it, REQ_AI_SLOT), NO_VALUE);
    EXPECT_STREQ(Value_Pointer<const char>(Ask(it, REQ_ITEM_NAME)), "Lantern");
    EXPECT_EQ(Ask(it, REQ_ITEM_DISPLAY_NAME), Ask(it, REQ_ITEM_NAME));
    EXPECT_EQ(Ask(it, REQ_CARRIER), -1);
    std::uint16_t c = Place_Char(field);
    std::uint16_t held = Give_Item(c, t, 3);
    EXPECT_EQ(Ask(Item_Ref(held), REQ_CARRIER), c);
    // A type row that does not exist is reported and answers nothing.
    itemarray[i].type = 999;
    EXPECT_EQ(Ask(it, REQ_ATTACK, 55), 55);
}

TEST_F(Catalogue, FixitemFiguresComeFromItsTypeSlot) {
    fixitem_types[1].defend = 6;
    fixitem_types[1].height = 40;
    std::uint16_t bush = Place_Fixitem(field, 1);
    std::uint16_t wall = Place_Fixitem(field, 2);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_DEFENCE), 6);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_DRAW_HEIGHT), 40);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_HEIGHT), 40);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_COVER), 20);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_ENTRY_COST_OBJ), 3);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_CAN_BURN), FIX_BURNABLE);
    EXPECT_EQ(Ask(Fix_Ref(bush), REQ_WATER), 0);
    EXPECT_EQ(Ask(Fix_Ref(wall), REQ_WATER), FIX_WATER);
    EXPECT_EQ(Ask(Fix_Ref(wall), REQ_ENTRY_COST_SUM), -1);
    EXPECT_EQ(Ask(Fix_Ref(wall), REQ_PROT_AIR), 0);
}

}  // namespace
