// A character's defence, attack and damage (requests 16, 87, 88, 89).
#include <gtest/gtest.h>

#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/Request.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class Combat : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(7, 7);
        field = Field_Index(3, 3, 0);
        char_record t = Char_Template("Fighter");
        t.facing = 1;
        t.defence = 3;
        t.level = 2;
        t.strength = 16;
        t.weapon_skill[WS_SWORDS] = 5;
        t.weapon_skill[WS_BOWS] = 7;
        t.weapon_skill[WS_FIST] = 3;
        t.weapon_skill[WS_MACES] = 100;  // never asked in these cases
        c = Place_Char(field, t);
        me = Char_Ref(c);
    }

    std::uint16_t Type(const char* name, std::uint8_t cls, std::uint8_t attack, std::uint8_t defence,
                       std::uint8_t dmin = 0, std::uint8_t dmax = 0) {
        std::uint16_t t = Add_Item_Type(name, cls, attack, defence);
        item_types[t].damage_min = dmin;
        item_types[t].damage_max = dmax;
        return t;
    }

    RequestValue Ask(request_no r, RequestValue value = NO_VALUE) { return Object_Request(me, me, 0, r, value); }

    std::uint16_t field = 0, c = 0;
    obj_ref me = NOOBJ;
};

TEST_F(Combat, DefenceDependsOnWhereTheAttackComesFrom) {
    Give_Item(c, Type("Helm", CLASS_HELM, 0, 2), SLOT_HELM);
    Give_Item(c, Type("Cloak", CLASS_CLOAK, 0, 1), SLOT_CLOAK);
    Give_Item(c, Type("Shield", CLASS_SHIELD, 0, 4), SLOT_LEFT_HAND);
    Give_Item(c, Type("Sword", CLASS_SWORD, 0, 8), SLOT_RIGHT_HAND);
    Give_Item(c, Type("Belt", CLASS_BELT, 0, 50), 12);  // in the backpack: no defence
    // Facing 1; rel = (direction - 1 + 9) mod 6. Natural 3 + helm 2 + cloak 1 = 6.
    struct Case {
        int direction, rel;
        RequestValue defence;
    } cases[] = {
        {4, 0, 6 + 4 + 8},                 // from the front: shield and sword
        {5, 1, 6 + 8},                     // front right: the sword
        {6, 2, 6},         {1, 3, 3},      // from behind: half
        {2, 4, 6},         {3, 5, 6 + 4},  // front left: the shield
    };
    for (const Case& k : cases) EXPECT_EQ(Ask(REQ_DEFENCE, k.direction), k.defence) << "rel " << k.rel;
}

TEST_F(Combat, WithoutADirectionTheAttackersPositionCounts) {
    Give_Item(c, Type("Shield", CLASS_SHIELD, 0, 4), SLOT_LEFT_HAND);
    std::uint16_t in_front = Place_Char(Field_Index(4, 3, 0), "East");
    std::uint16_t behind = Place_Char(Field_Index(2, 3, 0), "West");
    EXPECT_EQ(Object_Request(Char_Ref(in_front), me, 0, REQ_DEFENCE, NO_VALUE), 7);
    EXPECT_EQ(Object_Request(Char_Ref(behind), me, 0, REQ_DEFENCE, NO_VALUE), 1);
}

TEST_F(Combat, HeldItemsGuardOnlyWhenWeaponsOrShields) {
    Give_Item(c, Type("Torch", CLASS_OTHER, 0, 9), SLOT_LEFT_HAND);
    Give_Item(c, Type("Key", CLASS_KEY, 0, 9), SLOT_RIGHT_HAND);
    EXPECT_EQ(Ask(REQ_DEFENCE, 4), 3);
}

TEST_F(Combat, AttackAndDamageByWeapon) {
    // Level 2, strength 16: (16 - 10) / 3 = 2 added to the maximum with a weapon.
    struct Case {
        const char* what;
        int right;  // 0 none, else item type
        int left;
        RequestValue attack, dmin, dmax;
    };
    const int sword = Type("Sword", CLASS_SWORD, 4, 0, 1, 6);
    const int bow = Type("Bow", CLASS_BOW, 3, 0, 1, 4);
    const int arrow = Type("Arrow", CLASS_ARROW, 2, 0, 1, 3);
    const int shield = Type("Shield", CLASS_SHIELD, 1, 0, 1, 1);
    const int torch = Type("Torch", CLASS_OTHER, 1, 0, 1, 2);
    const std::vector<item_type> types = item_types;
    const Case cases[] = {
        {"unarmed: level + 1 + fist", 0, 0, 2 + 1 + 3, 0, 2},
        {"unarmed with a shield", 0, shield, 2 + 1 + 3, 0, 2},
        {"sword: + its attack + sword skill", sword, 0, 2 + 1 + 4 + 5, 1, 2 + 6},
        {"bow without an arrow", bow, 0, 0, 0, 0},
        {"bow with a shield in the left hand", bow, shield, 0, 0, 0},
        {"bow and arrow", bow, arrow, 2 + 1 + 3 + 7 + 2, 1 + 1, 2 + 4 + 3},
        {"an arrow as weapon", arrow, 0, 0, 0, 0},
        {"other class: no skill", torch, 0, 2 + 1 + 1, 1, 2 + 2},
    };
    for (const Case& k : cases) {
        SetUp();
        item_types = types;
        if (k.right) Give_Item(c, static_cast<std::uint16_t>(k.right), SLOT_RIGHT_HAND);
        if (k.left) Give_Item(c, static_cast<std::uint16_t>(k.left), SLOT_LEFT_HAND);
        EXPECT_EQ(Ask(REQ_ATTACK), k.attack) << k.what;
        EXPECT_EQ(Ask(REQ_DAMAGE_MIN), k.dmin) << k.what;
        EXPECT_EQ(Ask(REQ_DAMAGE_MAX), k.dmax) << k.what;
    }
}

TEST_F(Combat, StrengthRaisesTheMaximumDamageOfAWeaponOnly) {
    const std::uint16_t sword = Type("Sword", CLASS_SWORD, 4, 0, 1, 6);
    struct Case {
        std::int16_t strength;
        RequestValue armed, unarmed;
    } cases[] = {{4, 6, 2}, {10, 6, 2}, {12, 6, 2}, {13, 7, 2}, {25, 11, 2}};
    for (const Case& k : cases) {
        chararray[c].strength = k.strength;
        chararray[c].slots[SLOT_RIGHT_HAND] = 0;
        EXPECT_EQ(Ask(REQ_DAMAGE_MAX), k.unarmed) << k.strength;
        std::uint16_t i = Give_Item(c, sword, SLOT_RIGHT_HAND);
        EXPECT_EQ(Ask(REQ_DAMAGE_MAX), k.armed) << k.strength;
        Delete_Item(i);
    }
}

TEST_F(Combat, ABadItemIndexInASlotIsReportedAndReadsAsEmpty) {
    chararray[c].slots[SLOT_RIGHT_HAND] = 30000;
    chararray[c].slots[SLOT_HELM] = 30000;
    EXPECT_EQ(Ask(REQ_ATTACK), 2 + 1 + 3);
    EXPECT_EQ(Ask(REQ_DEFENCE, 4), 3);
    ASSERT_FALSE(Headless_Backend().boxes.empty());
    EXPECT_EQ(Headless_Backend().boxes.back().caption, "Invalid item index");
}

}  // namespace
