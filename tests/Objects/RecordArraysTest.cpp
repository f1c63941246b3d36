#include <gtest/gtest.h>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/RecordArray.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

// A small record for the template's own rules: value 7 marks a fresh
// record, 9 one given back, 1 one taken.
struct probe_record {
    std::uint16_t value;
    std::uint16_t next;
};

template <>
struct RecordTraits<probe_record> : RecordTraitsBase {
    static std::uint16_t Next(const probe_record& r) { return r.next; }
    static void Fresh(probe_record& r, std::uint16_t next) { r = {7, next}; }
    static void Freed(probe_record& r, std::uint16_t next) { r = {9, next}; }
    static void Taken(probe_record& r) { r.value = 1; }
};

struct falling_record {
    std::uint16_t next;
};

template <>
struct RecordTraits<falling_record> : RecordTraitsBase {
    static std::uint16_t Next(const falling_record& r) { return r.next; }
    static void Fresh(falling_record& r, std::uint16_t next) { r.next = next; }
    static void Freed(falling_record& r, std::uint16_t next) { r.next = next; }
    static void Taken(falling_record&) {}
    static constexpr FreeMarks MARKS = FreeMarks::None;
    static constexpr bool ENDS_AT_CAPACITY = true;
    static constexpr bool GROWS_FALLING = true;
};

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

TEST(RecordArray, GrowsInStepsAndStopsBeforeAnIndexOf0xFFFF) {
    RecordArray<probe_record, 30000, 1> a;
    // From nothing: record 0 is never handed out, the step counts usable records.
    EXPECT_EQ(a.New(), 1);
    EXPECT_EQ(a.Capacity(), 30001);
    EXPECT_EQ(a[0].value, 1);
    EXPECT_FALSE(a.Is_Free(0));
    for (std::uint32_t i = 2; i < 30001; ++i) ASSERT_EQ(a.New(), i);
    EXPECT_EQ(a.New(), 30001);
    EXPECT_EQ(a.Capacity(), 60001);
    for (std::uint32_t i = 30002; i < 60001; ++i) ASSERT_EQ(a.New(), i);
    // The last growth is cut at 0xFFFF records, so the last index is 0xFFFE.
    std::uint16_t last = 0;
    for (std::uint16_t i = a.New(); i != NO_INDEX; i = a.New()) last = i;
    EXPECT_EQ(last, 0xFFFE);
    EXPECT_EQ(a.Capacity(), RECORD_ARRAY_LIMIT);
    EXPECT_FALSE(a.Grow());
}

TEST(RecordArray, FreedRecordsComeBackFirstAndCarryTheirMarks) {
    RecordArray<probe_record, 4> a;
    ASSERT_TRUE(a.Allocate(6));
    a.Keep_In_Use(2);
    a.Chain_Free(2, 6);
    EXPECT_EQ(a[1].value, 1);
    EXPECT_EQ(a[2].value, 7);
    EXPECT_EQ(a[5].next, NO_INDEX);
    EXPECT_TRUE(a.Is_Free(2));
    EXPECT_FALSE(a.Can_Free(2));
    EXPECT_EQ(a.Pop(), 2);
    EXPECT_EQ(a.Pop(), 3);
    EXPECT_TRUE(a.Can_Free(3));
    a.Push(3);
    EXPECT_EQ(a[3].value, 9);
    EXPECT_TRUE(a.Is_Free(3));
    EXPECT_EQ(a.first_free, 3);
    EXPECT_EQ(a.Pop(), 3);
    EXPECT_FALSE(a.Is_Free(3));
    std::vector<std::uint16_t> used;
    a.For_Each_Used([&](std::uint16_t i) { used.push_back(i); });
    EXPECT_EQ(used, (std::vector<std::uint16_t>{0, 1, 2, 3}));
    a.Release();
    EXPECT_EQ(a.Capacity(), 0);
    EXPECT_EQ(a.first_free, NO_INDEX);
    EXPECT_FALSE(a.Is_Free(3));
}

TEST(RecordArray, MarksRebuiltFromALoadedListStopAtALoopOrAnIndexOutside) {
    RecordArray<probe_record, 4> a;
    // The list 4 -> 1 -> 4 runs in a circle.
    a.Install({{0, NO_INDEX}, {0, 4}, {0, NO_INDEX}, {0, NO_INDEX}, {0, 1}}, 4);
    EXPECT_TRUE(a.Is_Free(4));
    EXPECT_TRUE(a.Is_Free(1));
    EXPECT_FALSE(a.Is_Free(0));
    EXPECT_FALSE(a.Is_Free(2));
    // A list that leaves the array marks what it held inside.
    a.Install({{0, 3}, {0, 0}, {0, 0}}, 1);
    EXPECT_TRUE(a.Is_Free(1));
    EXPECT_TRUE(a.Is_Free(0));
    EXPECT_FALSE(a.Is_Free(2));
}

TEST(RecordArray, AListEndingAtTheCapacityGrowsFallingWhenAsked) {
    RecordArray<falling_record, 3> a;
    EXPECT_EQ(a.first_free, 0);
    EXPECT_FALSE(a.Has_Free());
    // Growth frees the new records in rising order: the highest comes first.
    EXPECT_EQ(a.New(), 2);
    EXPECT_EQ(a.New(), 1);
    EXPECT_EQ(a.New(), 0);
    EXPECT_EQ(a.first_free, 3);
    EXPECT_EQ(a.End(), 3);
    EXPECT_EQ(a.New(), 5);
    // A whole chain goes back in one splice: 5 -> 0.
    a[5].next = 0;
    a.Push_Chain(5, 0);
    EXPECT_EQ(a.Pop(), 5);
    EXPECT_EQ(a.Pop(), 0);
    EXPECT_EQ(a.Pop(), 4);
    EXPECT_EQ(a.Pop(), 3);
    EXPECT_EQ(a.first_free, a.End());
}

}  // namespace
