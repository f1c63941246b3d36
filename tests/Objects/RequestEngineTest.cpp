#include <gtest/gtest.h>

#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/RequestEngine.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

// A request without a base rule for any kind: only the modifiers answer it.
constexpr request_no ASKED = REQ_ATTACK_ACT;

// Every modifier of the stand-in kinds adds 1 (see ScopedHandler), so the
// answer counts the applied modifiers and the calls tell which and in order.
class RequestWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(8, 8, 3);
        Set_Fixitem_Type(1, 5);
        field = Field_Index(4, 4, 1);
        c = Place_Char(field);
        hero = Char_Ref(c);
        sword = Add_Item_Type("Sword", CLASS_SWORD);
        torch = Add_Item_Type("Torch", CLASS_OTHER);
        ring = Add_Item_Type("Ring", CLASS_RING);
    }

    std::uint16_t Area(std::uint16_t x0, std::uint16_t x1, std::uint16_t y0, std::uint16_t y1, std::uint16_t z0,
                       std::uint16_t z1, std::uint32_t kind, std::size_t entry = 0) {
        std::uint16_t m = New_Modifier_Record();
        mod_array[m] = modifier{0, 0, NOOBJ, kind, 0, 0, 0, 0, NO_INDEX};
        global_modifiers[entry] = global_mod{x0, x1, y0, y1, z0, z1, m};
        return m;
    }

    std::uint16_t field = 0, c = 0, sword = 0, torch = 0, ring = 0;
    obj_ref hero = NOOBJ;
};

TEST_F(RequestWalk, OnlyTheFirstOfEachKindCountsInWalkOrder) {
    ScopedHandler haste(MK_HASTE);
    ScopedHandler armour(MK_MAGIC_ARMOUR);
    std::uint16_t area = Area(3, 5, 3, 5, 0, 2, MK_HASTE);
    std::uint16_t on_field = Add_Modifier(0, Fix_Ref(field), MK_MAGIC_ARMOUR, 0, 0, 0, 0);
    std::uint16_t own_haste = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t own_armour = Add_Modifier(0, hero, MK_MAGIC_ARMOUR, 0, 0, 0, 0);
    (void)own_haste;
    (void)own_armour;
    EXPECT_EQ(Object_Request(hero, hero, 0, ASKED, 10), 12);
    EXPECT_EQ(haste.Applied(ASKED), (std::vector<std::uint16_t>{area}));
    EXPECT_EQ(armour.Applied(ASKED), (std::vector<std::uint16_t>{on_field}));
    // The handler sees the engine's subject, object, other and request.
    EXPECT_EQ(haste.calls.back().object, hero);
    EXPECT_EQ(haste.calls.back().value, 10);
}

TEST_F(RequestWalk, AnEarlierPlaceOfTheWalkBeatsALaterOneWhateverTheOrderOfAdding) {
    // One Haste at each of two places; the later place's is added first.
    enum Place { AREA, FIELD, OWN, WORN };
    struct Case {
        bool item;  // asked of an item lying on the field, else of the character
        Place first, later;
    } cases[] = {
        {false, AREA, FIELD}, {false, AREA, OWN},  {false, AREA, WORN}, {false, FIELD, OWN}, {false, FIELD, WORN},
        {false, OWN, WORN},   {true, AREA, FIELD}, {true, AREA, OWN},   {true, FIELD, OWN},
    };
    for (const Case& k : cases) {
        SetUp();
        ScopedHandler haste(MK_HASTE);
        const obj_ref asked = k.item ? Item_Ref(Place_Item(field, ring)) : hero;
        const std::uint16_t helm = Give_Item(c, ring, SLOT_HELM);
        auto put = [&](Place p) -> std::uint16_t {
            switch (p) {
                case AREA: return Area(3, 5, 3, 5, 0, 2, MK_HASTE);
                case FIELD: return Add_Modifier(0, Fix_Ref(field), MK_HASTE, 0, 0, 0, 0);
                case OWN: return Add_Modifier(0, asked, MK_HASTE, 0, 0, 0, 0);
                default: return Add_Modifier(0, Item_Ref(helm), MK_HASTE, 0, 0, 0, 0);
            }
        };
        put(k.later);
        const std::uint16_t winner = put(k.first);
        EXPECT_EQ(Object_Request(hero, asked, 0, ASKED, 0), 1) << k.item << " " << k.first << " " << k.later;
        EXPECT_EQ(haste.Applied(ASKED), (std::vector<std::uint16_t>{winner}))
            << k.item << " " << k.first << " " << k.later;
    }
}

TEST_F(RequestWalk, WithoutFlagBit0ARequestNotAboveTheLastOneIsALoop) {
    ScopedHandler haste(MK_HASTE);
    Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    chararray[c].hp = 5;
    EXPECT_EQ(Object_Request(hero, hero, 0, ASKED, 0), 1);  // the last request is now 100
    // Lower than the last: reported, base value only, no modifiers.
    EXPECT_EQ(Object_Request(hero, hero, 0, REQ_STRENGTH, NO_VALUE, 0), chararray[c].strength);
    // Higher: walked and written.
    EXPECT_EQ(Object_Request(hero, hero, 0, REQ_SET_HIT_POINTS, 7, 0), 8);
    EXPECT_EQ(chararray[c].hp, 8);
    // The same number again: reported, and no change step either.
    EXPECT_EQ(Object_Request(hero, hero, 0, REQ_SET_HIT_POINTS, 3, 0), 3);
    EXPECT_EQ(chararray[c].hp, 8);
    const auto& boxes = Headless_Backend().boxes;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "WARNING!!!!   MODIFIER LOOP!!!");
    EXPECT_EQ(boxes[1].caption, "WARNING!!!!   MODIFIER LOOP!!!");
    EXPECT_EQ(haste.Applied(REQ_STRENGTH).size(), 0u);
    EXPECT_EQ(haste.Applied(REQ_SET_HIT_POINTS).size(), 1u);
}

TEST_F(RequestWalk, InactiveModifiersAreSkippedAndTheNextOfTheKindCounts) {
    ScopedHandler haste(MK_HASTE);
    std::uint16_t first = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t second = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    mod_array[first].flags |= MOD_INACTIVE;
    EXPECT_EQ(Object_Request(hero, hero, 0, ASKED, 10), 11);
    EXPECT_EQ(haste.Applied(ASKED), (std::vector<std::uint16_t>{second}));
}

TEST_F(RequestWalk, WornItemsCountHandsOnlyForWeaponsAndShields) {
    ScopedHandler haste(MK_HASTE);
    ScopedHandler strength(MK_GIANT_STRENGTH);
    ScopedHandler skin(MK_IRON_SKIN);
    std::uint16_t in_hand = Give_Item(c, sword, SLOT_RIGHT_HAND);
    std::uint16_t torch_item = Give_Item(c, torch, SLOT_LEFT_HAND);
    std::uint16_t worn_ring = Give_Item(c, ring, SLOT_LEFT_RING);
    std::uint16_t packed_ring = Give_Item(c, ring, 0);
    std::uint16_t hand_mod = Add_Modifier(0, Item_Ref(in_hand), MK_HASTE, 0, 0, 0, 0);
    Add_Modifier(0, Item_Ref(torch_item), MK_GIANT_STRENGTH, 0, 0, 0, 0);
    std::uint16_t ring_mod = Add_Modifier(0, Item_Ref(worn_ring), MK_IRON_SKIN, 0, 0, 0, 0);
    Add_Modifier(0, Item_Ref(packed_ring), MK_GIANT_STRENGTH, 0, 0, 0, 0);
    EXPECT_EQ(Object_Request(hero, hero, 0, ASKED, 0), 2);
    EXPECT_EQ(haste.Applied(ASKED), (std::vector<std::uint16_t>{hand_mod}));
    EXPECT_EQ(skin.Applied(ASKED), (std::vector<std::uint16_t>{ring_mod}));
    EXPECT_TRUE(strength.Applied(ASKED).empty());
    // Slots are walked in rising order: the ring (56) before the hand (60).
    std::uint16_t second_haste = Add_Modifier(0, Item_Ref(worn_ring), MK_HASTE, 0, 0, 0, 0);
    haste.calls.clear();
    Object_Request(hero, hero, 0, ASKED, 0);
    EXPECT_EQ(haste.Applied(ASKED), (std::vector<std::uint16_t>{second_haste}));
}

// A handler of a worn item may change the slots after it: the walk goes on
// with the slots as they are then.
TEST_F(RequestWalk, SlotsAfterAnItemAreReadAsItsHandlerLeftThem) {
    ScopedHandler strength(MK_GIANT_STRENGTH);
    ScopedHandler skin(MK_IRON_SKIN);
    const std::uint16_t helm = Give_Item(c, ring, SLOT_HELM);
    const std::uint16_t in_hand = Give_Item(c, sword, SLOT_RIGHT_HAND);
    const std::uint16_t spare_ring = Give_Item(c, ring, 0);
    Add_Modifier(0, Item_Ref(in_hand), MK_GIANT_STRENGTH, 0, 0, 0, 0);
    const std::uint16_t ring_mod = Add_Modifier(0, Item_Ref(spare_ring), MK_IRON_SKIN, 0, 0, 0, 0);
    ScopedHandler haste(MK_HASTE, [&](const HandlerCall& call) {
        if (call.request == ASKED) {
            chararray[c].slots[SLOT_LEFT_RING] = static_cast<std::int16_t>(spare_ring);
            chararray[c].slots[SLOT_RIGHT_HAND] = 0;
        }
        return call.value + 1;
    });
    Add_Modifier(0, Item_Ref(helm), MK_HASTE, 0, 0, 0, 0);
    EXPECT_EQ(Object_Request(hero, hero, 0, ASKED, 0), 2);
    EXPECT_EQ(skin.Applied(ASKED), (std::vector<std::uint16_t>{ring_mod}));
    EXPECT_TRUE(strength.Applied(ASKED).empty());
}

TEST_F(RequestWalk, CarriedItemIsAskedAtItsCarriersPosition) {
    ScopedHandler haste(MK_HASTE);
    std::uint16_t item = Give_Item(c, ring, 3);
    EXPECT_EQ(Object_Request(NOOBJ, Item_Ref(item), 0, REQ_FIELD, 0), field);
    Area(3, 5, 3, 5, 0, 2, MK_HASTE);
    EXPECT_EQ(Object_Request(NOOBJ, Item_Ref(item), 0, ASKED, 0), 1);
}

TEST_F(RequestWalk, AreaBoxesAreStrictForCharactersAndInclusiveForFixitems) {
    ScopedHandler haste(MK_HASTE);
    struct Case {
        int x;
        bool char_inside;
        bool fix_inside;
    } cases[] = {{2, false, false}, {3, false, true}, {4, true, true}, {5, false, true}, {6, false, false}};
    Area(3, 5, 0, 7, 0, 2, MK_HASTE);
    for (const Case& k : cases) {
        std::uint16_t f = Field_Index(k.x, 4, 1);
        std::uint16_t who = Place_Char(f);
        std::uint16_t fix = Place_Fixitem(f, 1);
        EXPECT_EQ(Object_Request(NOOBJ, Char_Ref(who), 0, ASKED, 0), k.char_inside ? 1 : 0) << "x " << k.x;
        EXPECT_EQ(Object_Request(NOOBJ, Fix_Ref(fix), 0, ASKED, 0), k.fix_inside ? 1 : 0) << "x " << k.x;
        EXPECT_EQ(Object_Request(NOOBJ, Fix_Ref(f), 0, ASKED, 0), k.fix_inside ? 1 : 0) << "x " << k.x;
    }
    // A free entry (x0 = x1 = 0xFFFF) never contains a field.
    global_modifiers[0] = global_mod{0xFFFF, 0xFFFF, 0, 0, 0, 0, 0};
    EXPECT_EQ(Object_Request(NOOBJ, hero, 0, ASKED, 0), 0);
}

// Inside an area scope the walks meet only the entries listed when it was
// made: every box that can hold a position must be among them, however
// narrow, wherever it lies on the map and wherever it stands in the array.
TEST_F(RequestWalk, AreaScopeAnswersAsTheFullWalk) {
    ScopedHandler haste(MK_HASTE);
    ScopedHandler armour(MK_MAGIC_ARMOUR);
    ScopedHandler skin(MK_IRON_SKIN);
    Area(3, 5, 3, 5, 0, 2, MK_HASTE, 1);         // two wide: strict holds x = 4 only
    Area(7, 7, 7, 7, 2, 2, MK_MAGIC_ARMOUR, 5);  // the last field, for fixitems only
    Area(0, 0, 0, 0, 0, 0, MK_IRON_SKIN, 9);     // the first field, for fixitems only
    Area(8, 9, 0, 7, 0, 2, MK_HASTE, 7);         // beyond the last column: nobody
    std::vector<obj_ref> asked;
    for (std::uint16_t f = 0; f < total_fields; ++f) {
        asked.push_back(Char_Ref(Place_Char(f)));
        asked.push_back(Fix_Ref(Place_Fixitem(f, 1)));
        asked.push_back(Fix_Ref(f));
    }
    asked.push_back(Item_Ref(Give_Item(Obj_Index(asked[0]), ring, 3)));
    std::vector<RequestValue> outside;
    for (obj_ref o : asked) outside.push_back(Object_Request(NOOBJ, o, 0, ASKED, 0));
    EXPECT_EQ(outside[3 * Field_Index(4, 4, 1)], 1);
    EXPECT_EQ(outside[3 * Field_Index(7, 7, 2) + 1], 1);
    EXPECT_EQ(outside[1], 1);
    {
        const Area_Modifier_Scope scope;
        const Area_Modifier_Scope nested;
        for (std::size_t k = 0; k < asked.size(); ++k)
            EXPECT_EQ(Object_Request(NOOBJ, asked[k], 0, ASKED, 0), outside[k]) << "object " << k;
    }
    // A new array made while a scope lives is walked whole.
    const Area_Modifier_Scope scope;
    Alloc_Global_Modifiers(static_cast<std::uint32_t>(global_modifiers.capacity() + 1));
    Area(0, 7, 0, 7, 0, 2, MK_HASTE, global_modifiers.size() - 1);
    EXPECT_EQ(Object_Request(NOOBJ, asked[3 * Field_Index(4, 4, 1)], 0, ASKED, 0), 1);
}

TEST_F(RequestWalk, FixitemWalkTakesTheFieldChainThenItsOwn) {
    ScopedHandler haste(MK_HASTE);
    ScopedHandler armour(MK_MAGIC_ARMOUR);
    std::uint16_t fix = Place_Fixitem(field, 1);
    std::uint16_t head_mod = Add_Modifier(0, Fix_Ref(field), MK_HASTE, 0, 0, 0, 0);
    Add_Modifier(0, Fix_Ref(fix), MK_HASTE, 0, 0, 0, 0);
    std::uint16_t own = Add_Modifier(0, Fix_Ref(fix), MK_MAGIC_ARMOUR, 0, 0, 0, 0);
    EXPECT_EQ(Object_Request(NOOBJ, Fix_Ref(fix), 0, ASKED, 0), 2);
    EXPECT_EQ(haste.Applied(ASKED), (std::vector<std::uint16_t>{head_mod}));
    EXPECT_EQ(armour.Applied(ASKED), (std::vector<std::uint16_t>{own}));
    // The field head itself has no chain of its own beyond the field's.
    EXPECT_EQ(Object_Request(NOOBJ, Fix_Ref(field), 0, ASKED, 0), 1);
}

TEST_F(RequestWalk, AHandlerMayRemoveItsOwnModifierDuringTheWalk) {
    std::uint16_t first = 0;
    ScopedHandler haste(MK_HASTE, [&](const HandlerCall& call) {
        if (call.request == ASKED) Remove_Modifier(call.object, call.modifier);
        return call.value + 1;
    });
    ScopedHandler armour(MK_MAGIC_ARMOUR);
    first = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    Add_Modifier(0, hero, MK_MAGIC_ARMOUR, 0, 0, 0, 0);
    EXPECT_EQ(Object_Request(hero, hero, 0, ASKED, 0), 2);
    EXPECT_TRUE(Modifier_Is_Free(first));
}

TEST_F(RequestWalk, KindsTheEngineDoesNotAnswerKeepTheValue) {
    std::uint16_t m = New_MapAnim();
    EXPECT_EQ(Object_Request(hero, Make_Obj(OBJ_MAPANIM, m), 0, ASKED, 1234), 1234);
    EXPECT_EQ(Object_Request(hero, NOOBJ, 0, ASKED, 77), 77);
    EXPECT_EQ(Object_Request(hero, hero, 0, REQ_FIELD, NO_VALUE), field);
}

}  // namespace

namespace {

// The named question forms: what comes back where nothing answers, where a
// modifier answers past 32 bits, and that other reaches the handler.
TEST_F(RequestWalk, TheQuestionFormsDifferOnlyInTheValueTheyPassAndHowTheyHoldTheAnswer) {
    EXPECT_EQ(Ask(hero, hero, ASKED), NO_VALUE);
    EXPECT_EQ(Ask_Or_Zero(hero, hero, ASKED), 0);
    EXPECT_EQ(Ask_Self(hero, ASKED), NO_VALUE);
    EXPECT_EQ(Ask_Self_Or_Zero(hero, ASKED), 0);
    ScopedHandler haste(MK_HASTE, [](const HandlerCall& call) {
        return call.request == ASKED ? call.other * RequestValue{0x100000000} : call.value;
    });
    Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    EXPECT_EQ(Ask(hero, hero, ASKED, 3), RequestValue{0x300000000});
    EXPECT_EQ(Ask_Clamped(hero, hero, ASKED, 3), INT32_MAX);
    EXPECT_EQ(Ask_Clamped(hero, hero, ASKED, -3), INT32_MIN);
    EXPECT_EQ(haste.calls.back().value, NO_VALUE);
}

}  // namespace
