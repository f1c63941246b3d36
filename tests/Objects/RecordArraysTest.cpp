#include <gtest/gtest.h>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

TEST(RecordArrays, MapRecordsGrowBy500FromTheOldCapacity) {
    Reset_World(2, 2);
    EXPECT_EQ(maparray.Capacity(), 504);
    EXPECT_EQ(maparray.first_free, 4);
    for (int i = 4; i < 504; ++i) ASSERT_EQ(New_Map_Record(), i);
    EXPECT_EQ(New_Map_Record(), 504);
    EXPECT_EQ(maparray.Capacity(), 1004);
    EXPECT_EQ(maparray[504].first_mod, NO_INDEX);
    // A freed record is handed out again first.
    Delete_Map_Record(10);
    EXPECT_EQ(New_Map_Record(), 10);
}

TEST(RecordArrays, TheLargestMapWorksAndNoIndexIs0xFFFF) {
    Reset_World(100, 100, 5);
    EXPECT_EQ(total_fields, 50000u);
    EXPECT_EQ(maparray.Capacity(), 50500);
    std::uint16_t last = 0;
    while (true) {
        std::uint16_t i = New_Map_Record();
        if (i == NO_INDEX) break;
        last = i;
    }
    EXPECT_EQ(last, 0xFFFE);
    EXPECT_EQ(maparray.Capacity(), 0xFFFF);
    ASSERT_FALSE(Headless_Backend().boxes.empty());
    EXPECT_EQ(Headless_Backend().boxes.back().caption, "Can't realloc maparray!");
}

TEST(RecordArrays, DeletingAFieldHeadOrAFreeRecordIsRefused) {
    Reset_World(2, 2);
    std::uint16_t i = New_Map_Record();
    Delete_Map_Record(i);
    std::uint16_t head = maparray.first_free;
    Delete_Map_Record(i);
    Delete_Map_Record(2);
    EXPECT_EQ(maparray.first_free, head);
    EXPECT_EQ(Headless_Backend().boxes.size(), 2u);
}

TEST(RecordArrays, ItemsGrowBy50AndNeverHandOutZero) {
    Reset_World(2, 2);
    EXPECT_EQ(itemarray.Capacity(), 51);
    EXPECT_EQ(New_Item_Record(), 1);
    for (int i = 2; i < 51; ++i) ASSERT_EQ(New_Item_Record(), i);
    EXPECT_EQ(New_Item_Record(), 51);
    EXPECT_EQ(itemarray.Capacity(), 101);
    Free_Item_Array();
    EXPECT_EQ(New_Item_Record(), 1);
}

TEST(RecordArrays, CharactersGrowBy40WithFreeRecordsChained) {
    Reset_World(2, 2);
    EXPECT_EQ(chararray.Capacity(), 40);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(Alloc_Char(), i);
    EXPECT_EQ(Alloc_Char(), 40);
    ASSERT_EQ(chararray.Capacity(), 80);
    for (int i = 41; i < 80; ++i) {
        EXPECT_TRUE(chararray[i].flags & CF_FREE);
        EXPECT_EQ(Obj_Index(chararray[i].link), i + 1 < 80 ? i + 1 : NO_INDEX);
    }
    EXPECT_EQ(chararray[40].first_mod, NO_INDEX);
    EXPECT_FALSE(chararray[40].flags & CF_FREE);
    Free_Char(7);
    EXPECT_FALSE(Char_In_Use(7));
    EXPECT_EQ(Alloc_Char(), 7);
}

TEST(RecordArrays, BuiltInItemTypes) {
    Reset_World(2, 2);
    item_types[1].item_class = CLASS_SWORD;  // whatever item.dat held
    Init_Builtin_Item_Types();
    const item_type& body = item_types[ITEM_TYPE_DEAD_BODY];
    EXPECT_STREQ(body.name, "Dead body");
    EXPECT_EQ(body.picture, 399);
    EXPECT_EQ(body.size, 0x23);
    EXPECT_EQ(body.item_class, CLASS_CORPSE);
    EXPECT_EQ(body.mana_points, 12);
    EXPECT_EQ(body.attack, 1);
    EXPECT_EQ(body.damage_min, 1);
    EXPECT_EQ(body.damage_max, 2);
    EXPECT_EQ(item_types[ITEM_TYPE_EMPTY].size, 0x11);
    EXPECT_STREQ(item_types[ITEM_TYPE_EMPTY].name, "");
}

}  // namespace
