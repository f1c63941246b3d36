// The operations that build a map in code: where they link their objects
// (right after the field's last fixitem), the owners and places they give,
// growth of the map array, each refusal, and the values of a default
// character under scripted random numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "System/Random.h"
#include "frontend/FieldBuilding.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint8_t WALL = 2, FREE_SLOT = 3, UNUSED_SLOT = 4;

template <class T>
std::string Bytes_Of(const std::vector<T>& v) {
    return std::string(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(T));
}

// The records the operations may write.
std::string Arrays() {
    return Bytes_Of(maparray.records) + Bytes_Of(itemarray.records) + Bytes_Of(chararray.records) +
           std::to_string(maparray.first_free);
}

class FieldBuilding : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(5, 4, 2);
        Set_Fixitem_Type(WALL, LAYER_WALL);
        Set_Fixitem_Type(FREE_SLOT, LAYER_WALL, 1, 0, 0, FIX_SLOT_FREE);
        sword = Add_Item_Type("Sword", CLASS_SWORD);
    }
    void TearDown() override { Set_Random_Script(nullptr); }

    // A character record in use, on no field, with its body, head and lobby.
    std::uint16_t Soldier_Record() {
        const std::uint16_t c = Alloc_Char();
        char_record& r = chararray[c];
        std::strncpy(r.body_name, "WARRIOR", sizeof r.body_name);
        r.head = 7;
        r.lobby = 4;
        r.flags = CF_FEMALE;
        return c;
    }

    std::uint16_t sword = 0;
};

TEST_F(FieldBuilding, ObjectsGoRightAfterTheLastFixitemOfTheField) {
    const std::uint16_t field = Field_Index(3, 2, 1);
    const std::uint16_t first_item = New_Item_Record();
    const std::uint16_t second_item = New_Item_Record();
    const std::uint16_t c = Soldier_Record();

    ASSERT_TRUE(Put_Item_To_Field_Raw(3, 2, 1, first_item, sword));
    const std::uint16_t lower = Add_Field_Level(3, 2, 1, WALL);
    ASSERT_TRUE(Create_Default_Char(3, 2, 1, c, 2, 1));
    const std::uint16_t upper = Add_Field_Level(3, 2, 1, WALL);
    ASSERT_TRUE(Put_Item_To_Field_Raw(3, 2, 1, second_item, sword));

    EXPECT_EQ(Field_List(field), "fix" + std::to_string(lower) + " fix" + std::to_string(upper) + " item" +
                                     std::to_string(second_item) + " char" + std::to_string(c) + " item" +
                                     std::to_string(first_item));
    for (std::uint16_t fix : {lower, upper}) {
        EXPECT_EQ(maparray[fix].type, WALL);
        EXPECT_EQ(maparray[fix].first_mod, NO_INDEX);
    }
    // An item's owner is the field head, whatever it lies on.
    for (std::uint16_t item : {first_item, second_item}) {
        EXPECT_EQ(itemarray[item].owner, Make_Obj(OBJ_FIXITEM, field));
        EXPECT_EQ(itemarray[item].type, sword);
        EXPECT_EQ(itemarray[item].first_mod, NO_INDEX);
    }
    EXPECT_EQ(chararray[c].x, 3);
    EXPECT_EQ(chararray[c].y, 2);
    EXPECT_EQ(chararray[c].map_level, 1);
    EXPECT_EQ(chararray[c].facing, 2);
    EXPECT_EQ(Char_On_Field(field), c);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(FieldBuilding, AFullMapArrayGrowsAndWhenItCannotNothingIsLinked) {
    std::uint16_t last = NO_INDEX;
    const std::uint16_t capacity = maparray.Capacity();
    while (maparray.first_free != NO_INDEX) last = Add_Field_Level(0, 0, 0, WALL);
    EXPECT_EQ(last, capacity - 1);
    EXPECT_EQ(Add_Field_Level(1, 0, 0, WALL), capacity);
    EXPECT_EQ(maparray.Capacity(), capacity + MAP_ARRAY_STEP);

    // An array at the largest capacity cannot grow.
    maparray.records.resize(0xFFFF);
    maparray.first_free = NO_INDEX;
    Rebuild_Map_Free_Marks();
    const std::string before = Field_List(2);
    EXPECT_EQ(Add_Field_Level(2, 0, 0, WALL), NO_INDEX);
    EXPECT_EQ(Field_List(2), before);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Can't realloc maparray!");
}

TEST_F(FieldBuilding, EachRefusalChangesNothing) {
    const std::uint16_t on_field = Place_Item(1, sword);
    const std::uint16_t holder = Place_Char(6, "Holder");
    const std::uint16_t held = Give_Item(holder, sword, SLOT_RIGHT_HAND);
    const std::uint16_t item = New_Item_Record();
    const std::uint16_t c = Soldier_Record();
    const std::uint16_t placed = Place_Char(7, "Placed");
    const std::uint16_t free_item = New_Item_Record();
    Delete_Item_Record(free_item);
    const std::uint16_t free_char = Soldier_Record();
    Free_Char(free_char);

    struct Case {
        const char* what;
        std::function<bool()> call;
    };
    const Case cases[] = {
        {"fixitem: x off the map", [] { return Add_Field_Level(5, 0, 0, WALL) != NO_INDEX; }},
        {"fixitem: y off the map", [] { return Add_Field_Level(0, 4, 0, WALL) != NO_INDEX; }},
        {"fixitem: level off the map", [] { return Add_Field_Level(0, 0, 2, WALL) != NO_INDEX; }},
        {"fixitem: slot 0", [] { return Add_Field_Level(0, 0, 0, 0) != NO_INDEX; }},
        {"fixitem: slot marked free", [] { return Add_Field_Level(0, 0, 0, FREE_SLOT) != NO_INDEX; }},
        {"fixitem: slot without a type", [] { return Add_Field_Level(0, 0, 0, UNUSED_SLOT) != NO_INDEX; }},
        {"item: off the map", [&] { return Put_Item_To_Field_Raw(0, 0, 2, item, sword); }},
        {"item: index 0", [&] { return Put_Item_To_Field_Raw(0, 0, 0, 0, sword); }},
        {"item: past the array", [&] { return Put_Item_To_Field_Raw(0, 0, 0, itemarray.Capacity(), sword); }},
        {"item: not in use", [&] { return Put_Item_To_Field_Raw(0, 0, 0, free_item, sword); }},
        {"item: on a field", [&] { return Put_Item_To_Field_Raw(0, 0, 0, on_field, sword); }},
        {"item: held", [&] { return Put_Item_To_Field_Raw(0, 0, 0, held, sword); }},
        {"item: type past the table",
         [&] { return Put_Item_To_Field_Raw(0, 0, 0, item, static_cast<std::uint16_t>(item_types.size())); }},
        {"char: off the map", [&] { return Create_Default_Char(5, 0, 0, c, 1, 1); }},
        {"char: facing 0", [&] { return Create_Default_Char(0, 0, 0, c, 0, 1); }},
        {"char: facing 7", [&] { return Create_Default_Char(0, 0, 0, c, 7, 1); }},
        {"char: past the array", [&] { return Create_Default_Char(0, 0, 0, chararray.Capacity(), 1, 1); }},
        {"char: not in use", [&] { return Create_Default_Char(0, 0, 0, free_char, 1, 1); }},
        {"char: on a field", [&] { return Create_Default_Char(0, 0, 0, placed, 1, 1); }},
        {"char: a second on the field", [&] { return Create_Default_Char(1, 1, 0, c, 1, 1); }},
    };
    for (const Case& k : cases) {
        const std::string before = Arrays();
        EXPECT_FALSE(k.call()) << k.what;
        EXPECT_EQ(Arrays(), before) << k.what;
    }
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    // The same records are taken where they can be.
    EXPECT_TRUE(Put_Item_To_Field_Raw(0, 0, 0, item, sword));
    EXPECT_TRUE(Create_Default_Char(0, 1, 0, c, 1, 1));
}

TEST_F(FieldBuilding, ADefaultCharacterHasItsValuesFromRandomPlusTenInTheirOrder) {
    RandomScript script;
    script.values = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    Set_Random_Script(&script);
    game_clock = 123456;
    const std::uint16_t c = Soldier_Record();
    chararray[c].hp = 99;
    chararray[c].first_mod = 5;

    ASSERT_TRUE(Create_Default_Char(4, 3, 0, c, 6, 17));
    const char_record& r = chararray[c];
    EXPECT_EQ(script.calls, std::vector<int>(10, 10));
    EXPECT_EQ(Char_Name(r), "Soldier 17");
    EXPECT_EQ(r.action_points, 12);
    EXPECT_EQ(r.ap_stamp, 123456u);
    EXPECT_EQ(r.strength, 10);
    EXPECT_EQ(r.dexterity, 11);
    EXPECT_EQ(r.spirit, 12);
    EXPECT_EQ(r.iq, 13);
    EXPECT_EQ(r.max_hp, 14);
    EXPECT_EQ(r.hp, 14);
    EXPECT_EQ(r.max_stamina, 15);
    EXPECT_EQ(r.stamina, 15);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(r.max_mana[k], 16 + k) << k;
        EXPECT_EQ(r.mana[k], 16 + k) << k;
    }
    EXPECT_EQ(r.defence, 2);
    EXPECT_EQ(r.state, CS_DECIDING);
    EXPECT_EQ(r.first_mod, NO_INDEX);
    EXPECT_EQ(r.facing, 6);
    // What the caller set stays.
    EXPECT_EQ(std::string(r.body_name), "WARRIOR");
    EXPECT_EQ(r.head, 7);
    EXPECT_EQ(r.lobby, 4);
    EXPECT_EQ(r.flags, CF_FEMALE);
}

}  // namespace
