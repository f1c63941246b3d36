#include <gtest/gtest.h>

#include "Objects/FieldLists.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

std::vector<std::uint16_t> Chain_Of(obj_ref owner) {
    std::vector<std::uint16_t> out;
    For_Each_In_Chain(Get_Mod_Index(owner), [&](std::uint16_t m) { out.push_back(m); });
    return out;
}

class Modifiers : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(5, 5);
        hero = Char_Ref(Place_Char(6));
    }
    obj_ref hero = NOOBJ;
};

TEST_F(Modifiers, FreshPoolHandsOutRisingIndexes) {
    EXPECT_EQ(Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0), 1);
    EXPECT_EQ(Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0), 2);
    EXPECT_EQ(Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0), 3);
    Init_Mod_Array(10);
    chararray[Obj_Index(hero)].first_mod = NO_INDEX;
    EXPECT_EQ(Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0), 11);
    EXPECT_EQ(Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0), 12);
    EXPECT_EQ(Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0), 13);
    // Record 0 is the inactive sentinel.
    EXPECT_EQ(mod_array[0].flags, 129);
    EXPECT_EQ(mod_array[0].level, 255);
    EXPECT_EQ(mod_array[0].owner, NOOBJ);
    EXPECT_EQ(mod_array[0].next, NO_INDEX);
}

TEST_F(Modifiers, GrowthHandsOutTheHighestNewRecordFirst) {
    for (int i = 1; i < 3000; ++i) ASSERT_EQ(New_Modifier_Record(), i);
    EXPECT_EQ(mod_array.Capacity(), 3000);
    EXPECT_EQ(New_Modifier_Record(), 3199);
    EXPECT_EQ(mod_array.Capacity(), 3200);
    EXPECT_EQ(New_Modifier_Record(), 3198);
}

TEST_F(Modifiers, ChainOrderWithHeadAndTailInsertion) {
    // Hasted modifiers are appended; a stand-in kind with 0x40 goes first.
    ScopedHandler head_kind(MK_IRON_SKIN, {}, MOD_INSERT_HEAD);
    std::uint16_t m1 = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t m2 = Add_Modifier(0, hero, MK_IRON_SKIN, 0, 0, 0, 0);
    std::uint16_t m3 = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t m4 = Add_Modifier(0, hero, MK_IRON_SKIN, 0, 0, 0, 0);
    EXPECT_EQ(Chain_Of(hero), (std::vector<std::uint16_t>{m4, m2, m1, m3}));
    // Each was announced with 174 to its handler, subject and object the owner.
    ASSERT_EQ(head_kind.Applied(REQ_ATTACHED), (std::vector<std::uint16_t>{m2, m4}));
    EXPECT_EQ(head_kind.calls[0].subject, hero);
    EXPECT_EQ(head_kind.calls[0].object, hero);
}

TEST_F(Modifiers, RemovingTellsActiveHandlersAndUnlinks) {
    ScopedHandler kind(MK_HASTE);
    std::uint16_t a = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t b = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t c = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    obj_ref other = Char_Ref(Place_Char(7));
    std::uint16_t d = Add_Modifier(0, other, MK_HASTE, 0, 0, 0, 0);

    Remove_Modifier(other, a);  // not in that chain: nothing happens
    EXPECT_EQ(Chain_Of(hero), (std::vector<std::uint16_t>{a, b, c}));
    EXPECT_TRUE(kind.Applied(REQ_REMOVED).empty());

    Remove_Modifier(hero, a);  // the head moves to its successor
    EXPECT_EQ(Chain_Of(hero), (std::vector<std::uint16_t>{b, c}));
    EXPECT_TRUE(Modifier_Is_Free(a));
    EXPECT_EQ(kind.Applied(REQ_REMOVED), (std::vector<std::uint16_t>{a}));

    mod_array[c].flags |= MOD_INACTIVE;
    Remove_All_Modifiers(hero);  // the inactive one is freed untold
    EXPECT_TRUE(Chain_Of(hero).empty());
    EXPECT_EQ(kind.Applied(REQ_REMOVED), (std::vector<std::uint16_t>{a, b}));
    EXPECT_TRUE(Modifier_Is_Free(b));
    EXPECT_TRUE(Modifier_Is_Free(c));
    EXPECT_EQ(Chain_Of(other), (std::vector<std::uint16_t>{d}));
}

TEST_F(Modifiers, FreeingRecordZeroOrTwiceIsRefused) {
    std::uint16_t m = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    Remove_Modifier(hero, m);
    std::uint16_t head = mod_array.first_free;
    Delete_Modifier(m);
    Delete_Modifier(0);
    Delete_Modifier(60000);
    EXPECT_EQ(mod_array.first_free, head);
    const auto& boxes = Headless_Backend().boxes;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].caption, "Delete modifier out of array!");
    // The free list is intact: the record comes back once only.
    EXPECT_EQ(New_Modifier_Record(), m);
    EXPECT_NE(New_Modifier_Record(), m);
}

TEST_F(Modifiers, CopyingAnObjectOntoItselfCopiesASnapshot) {
    ScopedHandler kind(MK_HASTE);
    Add_Modifier(3, hero, MK_HASTE, 1, 2, 3, 4);
    Add_Modifier(4, hero, MK_GIANT_STRENGTH, 5, 0, 0, 0);
    Add_Modifier(5, hero, MK_HASTE, 6, 0, 0, 0);
    Copy_Modifiers(hero, hero);
    std::vector<std::uint16_t> chain = Chain_Of(hero);
    ASSERT_EQ(chain.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mod_array[chain[i + 3]].type, mod_array[chain[i]].type);
        EXPECT_EQ(mod_array[chain[i + 3]].level, mod_array[chain[i]].level);
        EXPECT_EQ(mod_array[chain[i + 3]].p1, mod_array[chain[i]].p1);
        EXPECT_NE(chain[i + 3], chain[i]);
    }
    EXPECT_EQ(kind.Applied(REQ_ATTACHED).size(), 4u);
}

TEST_F(Modifiers, ACyclicChainEndsWithAReport) {
    std::uint16_t a = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    std::uint16_t b = Add_Modifier(0, hero, MK_HASTE, 0, 0, 0, 0);
    mod_array[b].next = a;
    int visited = 0;
    EXPECT_FALSE(For_Each_In_Chain(Get_Mod_Index(hero), [&](std::uint16_t) { ++visited; }));
    EXPECT_LE(visited, mod_array.Capacity());
    ASSERT_FALSE(Headless_Backend().boxes.empty());
    EXPECT_EQ(Headless_Backend().boxes.back().caption, "WARNING!!!!   MODIFIER LOOP!!!");
    // A request over the cyclic chain also returns.
    Object_Request(hero, hero, 0, REQ_STRENGTH, 10);
}

// ---- database pool ----

class ModPoolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(3, 3);
        Alloc_Mod_Pool(4);
        Init_Mod_Free_List();
        mod_data.first_free = 1;
        type = Add_Item_Type("Ring", CLASS_RING);
    }
    void TearDown() override {
        Free_Mod_Pool();
        Objects_Hooks() = ObjectsHooks{};
    }
    std::uint16_t type = 0;
};

TEST_F(ModPoolTest, TypeChainsRunInReverseAndApplyInChainOrder) {
    obj_ref owner = Make_Obj(OBJ_ITEM, type);
    std::int32_t m1 = Add_Mod_To_Owner(1, owner, MK_HASTE, 1, 0, 0, 0);
    std::int32_t m2 = Add_Mod_To_Owner(2, owner, MK_HASTE, 2, 0, 0, 0);
    std::int32_t m3 = Add_Mod_To_Owner(3, owner, MK_HASTE, 3, 0, 0, 0);
    EXPECT_EQ(Get_Mod_Head(owner), m3);
    EXPECT_EQ(item_types[type].first_mod, m3);
    // Taking the third record brings the free head to the end of the pool
    // of 4: it grows by 100.
    EXPECT_EQ(mod_data.Capacity(), 104u);
    EXPECT_EQ(mod_data.records[m3].next, m2);
    EXPECT_EQ(mod_data.records[m2].next, m1);

    obj_ref item = Item_Ref(Place_Item(4, type));
    Apply_Owner_Mods(item, owner);
    std::vector<std::uint16_t> chain = Chain_Of(item);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(mod_array[chain[0]].p1, 3);
    EXPECT_EQ(mod_array[chain[1]].p1, 2);
    EXPECT_EQ(mod_array[chain[2]].p1, 1);
    EXPECT_EQ(mod_array[chain[0]].owner, item);

    Free_Mod_Chain(owner);
    EXPECT_EQ(Get_Mod_Head(owner), NO_INDEX);
    EXPECT_EQ(mod_data.first_free, static_cast<std::uint32_t>(m1));
}

TEST_F(ModPoolTest, APoolWhoseFreeListHasRunOutGrowsBeforeHandingOut) {
    // A pool read from a file may end its free list right at its capacity.
    Alloc_Mod_Pool(4);
    Init_Mod_Free_List();
    mod_data.first_free = 4;
    EXPECT_EQ(Alloc_Mod(), 4);
    EXPECT_EQ(mod_data.Capacity(), 104u);
    EXPECT_EQ(mod_data.first_free, 5u);
    // A pool at its index width refuses and stays as it was.
    Alloc_Mod_Pool(0xFFFF);
    Init_Mod_Free_List();
    mod_data.first_free = 0xFFFF;
    EXPECT_EQ(Alloc_Mod(), -1);
    EXPECT_EQ(mod_data.Capacity(), 0xFFFFu);
    EXPECT_EQ(mod_data.first_free, 0xFFFFu);
}

TEST_F(ModPoolTest, ApplyingWithoutALoadedPoolLeavesItUnloaded) {
    Free_Mod_Pool();
    static int loads = 0;
    loads = 0;
    Objects_Hooks().load_mod_database = [] {
        ++loads;
        Alloc_Mod_Pool(10);
        Init_Mod_Free_List();
        mod_data.records[5] = modifier{0, 7, NOOBJ, MK_HASTE, 9, 0, 0, 0, NO_INDEX};
        return true;
    };
    item_types[type].first_mod = 5;
    obj_ref item = Item_Ref(Place_Item(4, type));
    Apply_Owner_Mods(item, Make_Obj(OBJ_ITEM, type));
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(mod_data.Loaded());
    ASSERT_EQ(Chain_Of(item).size(), 1u);
    EXPECT_EQ(mod_array[Chain_Of(item)[0]].level, 7);
}

}  // namespace
