// The map's fixitem-type slots filled from the database: one slot per type,
// the types they turn into added with them (chains that lead back end), a
// full table refused.
#include "tests/editor/EditorFixture.h"

namespace {

using FixitemSlots = EditorTest;

int Slots_Holding(std::uint16_t d) {
    int n = 0;
    for (int s = 0; s < MAP_TYPE_SLOTS; ++s)
        n += fixitem_types[s].db_index == static_cast<std::int16_t>(d) && !(fixitem_types[s].flags & FIX_SLOT_FREE);
    return n;
}

TEST_F(FixitemSlots, ATypeGetsOneSlotHoweverOftenItIsPlaced) {
    const std::int32_t slot = Add_Fixitem_Type_To_Map(DB_DOOR);
    ASSERT_GT(slot, 1);
    EXPECT_EQ(fixitem_types[slot].flags & FIX_SLOT_FREE, 0);
    EXPECT_EQ(Add_Fixitem_Type_To_Map(DB_DOOR), slot);
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    Click(F(1, 1));
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    Click(F(2, 2));
    EXPECT_EQ(Slots_Holding(DB_DOOR), 1);
    EXPECT_EQ(Add_Fixitem_Type_To_Map(DB_GRASS), 1) << "the map's own slot of a type";
}

TEST_F(FixitemSlots, ASlotFoundAgainGetsTheTypeAfreshAndKeepsItsDatabaseIndexAndPicture) {
    const std::int32_t slot = Add_Fixitem_Type_To_Map(DB_DOOR);
    const std::uint32_t picture = fixitem_types[slot].sprite;
    fixitem_data[DB_DOOR].max_hp = 33;
    fixitem_data[DB_DOOR].db_index = 7;  // what the record holds there does not count
    EXPECT_EQ(Add_Fixitem_Type_To_Map(DB_DOOR), slot);
    EXPECT_EQ(fixitem_types[slot].max_hp, 33);
    EXPECT_EQ(fixitem_types[slot].db_index, DB_DOOR);
    EXPECT_EQ(fixitem_types[slot].sprite, picture);
}

TEST_F(FixitemSlots, AFullTablePlacesNothing) {
    for (int s = 2; s < MAP_TYPE_SLOTS; ++s) {
        fixitem_types[s].flags = 0;
        fixitem_types[s].db_index = DB_RESERVED;
    }
    Editor_Enter(0, EVENT_CLICK);
    EXPECT_EQ(Add_Fixitem_Type_To_Map(DB_DOOR), -1);
    EXPECT_EQ(editor_status, "Too much fixitem type on this map!");
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    Click(F(3, 3));
    EXPECT_TRUE(Objects_On(F(3, 3)).empty());
    EXPECT_EQ(fixitem_types[MAP_TYPE_SLOTS - 1].db_index, DB_RESERVED) << "slot 239 keeps its type";
}

TEST_F(FixitemSlots, TheTypesATypeTurnsIntoComeWithItAndChainsThatLeadBackEnd) {
    const struct {
        const char* name;
        std::vector<int> chain;  // each type's amortized type, as an index into this list (-1 none)
    } cases[] = {{"A to B", {1, -1}}, {"A to A", {0}}, {"A to B to A", {1, 0}}, {"A to B to C to B", {1, 2, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        New_World(6, 6, 1);
        std::vector<std::uint16_t> types;
        const char* const names[] = {"T0", "T1", "T2"};
        for (std::size_t i = 0; i < c.chain.size(); ++i)
            types.push_back(Add_Db_Fixitem(names[i], Db_Fixitem("ROCK", 10)));
        for (std::size_t i = 0; i < c.chain.size(); ++i)
            if (c.chain[i] >= 0) fixitem_data[types[i]].amortized = static_cast<std::uint8_t>(types[c.chain[i]]);
        ASSERT_GT(Add_Fixitem_Type_To_Map(types[0]), 0);
        for (std::size_t i = 0; i < c.chain.size(); ++i) {
            ASSERT_EQ(Slots_Holding(types[i]), 1) << "type " << i;
            const std::int32_t slot = Add_Fixitem_Type_To_Map(types[i]);
            const std::int32_t worse = c.chain[i] < 0 ? 0 : Add_Fixitem_Type_To_Map(types[c.chain[i]]);
            EXPECT_EQ(fixitem_types[slot].amortized, worse) << "type " << i << " names its worse type's slot";
        }
    }
}

TEST_F(FixitemSlots, APictureThatCannotBeLoadedIsReportedAndTheSlotIsInUse) {
    const std::uint16_t d = Add_Db_Fixitem("Missing", Db_Fixitem("NOSUCH", 10));
    Editor_Enter(0, EVENT_CLICK);
    const std::int32_t slot = Add_Fixitem_Type_To_Map(d);
    ASSERT_GT(slot, 0);
    EXPECT_EQ(fixitem_types[slot].sprite, SPRITE_MISSING);
    EXPECT_EQ(editor_status, "Can't load bitmap: Artwork\\NOSUCH.BMP");
    EXPECT_TRUE(backend().boxes.empty());
    EXPECT_FALSE(Is_Quitting());
    EXPECT_EQ(Add_Fixitem_Type_To_Map(d), slot);
}

}  // namespace
