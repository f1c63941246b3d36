#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "datafiles/MapConverter.h"
#include "support/WorldBuilder.h"
#include "tests/datafiles/DatabaseFixture.h"
#include "tools/writers/ChunkMapWriter.h"

using namespace fixture;

namespace {

class RebuildTest : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        Reset_World(4, 4);
        Reset_Converter_Counts();
        Datafiles_Hooks().editor_message = [](const char* text) { messages().push_back(text); };
        Datafiles_Hooks().empty_field_list = [] { messages().push_back("(field list emptied)"); };
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> out;
        for (const MessageBoxCall& b : Headless_Backend().boxes) out.push_back(b.caption);
        return out;
    }
};

TEST_F(RebuildTest, MapSlotsAndCharactersAreReadAgainByTheirDatabaseTypes) {
    Save_Sample();
    Load_Database();
    Set_Fixitem_Type(1, 0);
    fixitem_types[1].db_index = 2;  // grass
    fixitem_types[1].amortized = 5;
    const std::uint32_t grass_sprite = fixitem_types[1].sprite;
    Set_Fixitem_Type(2, 0);
    fixitem_types[2].db_index = 1;  // the door
    Set_Fixitem_Type(3, 0, 1, 7);
    fixitem_types[3].db_index = 1;
    fixitem_types[3].flags |= FIX_SLOT_FREE;
    Set_Fixitem_Type(4, 0, 1, 9);
    fixitem_types[4].db_index = 99;  // no such type
    const fixitem_type free_slot = fixitem_types[3], unknown = fixitem_types[4];

    const std::uint16_t hero = Place_Char(5, "Somebody");
    const std::uint16_t other = Place_Char(6, "Other");
    const std::uint16_t stray = Place_Char(7, "Stray");
    const std::uint16_t held = Give_Item(hero, ITEM_TYPE_DEAD_BODY, SLOT_RIGHT_HAND);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, hero), MK_HASTE, 0, 0, 0, 0);
    chararray.records[hero].db_type = 0;
    chararray.records[other].db_type = -1;
    chararray.records[stray].db_type = 7;
    const char_record placed = chararray.records[hero], other_before = chararray.records[other],
                      stray_before = chararray.records[stray];

    Refresh_Map_Types_From_Database();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_STREQ(fixitem_types[1].sprite_name, "GRASS");
    EXPECT_EQ(fixitem_types[1].flags, FIX_GROUND);
    EXPECT_EQ(fixitem_types[1].db_index, 2);
    EXPECT_EQ(fixitem_types[1].sprite, grass_sprite) << "the map's picture stays";
    EXPECT_EQ(fixitem_types[1].amortized, 5) << "the map's slot it turns into stays";
    EXPECT_STREQ(fixitem_types[2].sprite_name, "DOOR");
    EXPECT_EQ(fixitem_types[2].max_hp, 40);
    EXPECT_EQ(std::memcmp(&fixitem_types[3], &free_slot, sizeof free_slot), 0) << "a free slot";
    EXPECT_EQ(std::memcmp(&fixitem_types[4], &unknown, sizeof unknown), 0) << "a type past the file";

    const char_record& r = chararray.records[hero];
    EXPECT_STREQ(r.name, "Hero");
    EXPECT_STREQ(r.body_name, "WARRIOR");
    EXPECT_EQ(r.flags & CF_MAIN_CHAR, CF_MAIN_CHAR);
    EXPECT_EQ(r.x, placed.x);
    EXPECT_EQ(r.y, placed.y);
    EXPECT_EQ(r.link, placed.link) << "still in its field's list";
    EXPECT_EQ(r.first_mod, placed.first_mod) << "its own modifiers";
    EXPECT_EQ(r.slots[SLOT_RIGHT_HAND], static_cast<std::int16_t>(held)) << "its own items";
    EXPECT_EQ(r.ai_slot, placed.ai_slot);
    EXPECT_EQ(r.db_type, 0);
    EXPECT_EQ(std::memcmp(&chararray.records[other], &other_before, sizeof other_before), 0);
    EXPECT_EQ(std::memcmp(&chararray.records[stray], &stray_before, sizeof stray_before), 0);
}

TEST_F(RebuildTest, MissingOrForeignFilesAreReportedAndStopTheRefresh) {
    Save_Sample();
    Load_Database();
    Set_Fixitem_Type(1, 0);
    fixitem_types[1].db_index = 2;
    const fixitem_type slot = fixitem_types[1];
    const Bytes fixitems = File("fixitem.dat"), chars = File("char.dat");

    std::filesystem::remove(Path("fixitem.dat"));
    Refresh_Map_Types_From_Database();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Unable to open fixitem database"});
    EXPECT_EQ(std::memcmp(&fixitem_types[1], &slot, sizeof slot), 0);

    Bytes wider = fixitems;
    wider[11] = 24;
    Write_Bytes(Path("fixitem.dat"), wider);
    Headless_Backend().boxes.clear();
    Refresh_Map_Types_From_Database();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Invalid fixitem data"});
    EXPECT_EQ(std::memcmp(&fixitem_types[1], &slot, sizeof slot), 0);

    Write_Bytes(Path("fixitem.dat"), fixitems);
    std::filesystem::remove(Path("char.dat"));
    Headless_Backend().boxes.clear();
    Refresh_Map_Types_From_Database();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Unable to open char database"});
    EXPECT_STREQ(fixitem_types[1].sprite_name, "GRASS") << "the fixitem slots came first";

    Bytes narrower = chars;
    narrower[11] = 0x6B;  // 363
    Write_Bytes(Path("char.dat"), narrower);
    Headless_Backend().boxes.clear();
    Refresh_Map_Types_From_Database();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Invalid char data"});
}

TEST_F(RebuildTest, ADatabaseIsMadeFromTheLoadedMap) {
    Save_Sample();
    Load_Database();
    const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    Set_Fixitem_Type(3, 0);
    maparray.records[5].type = 3;  // a field head of slot 3
    Set_Fixitem_Type(4, 0);
    Place_Fixitem(6, 4);  // a stacked fixitem of slot 4
    const std::uint16_t hero = Place_Char(5, "Hero");
    Place_Char(6, "Hero");
    const std::uint16_t orc = Place_Char(7, "Orc");
    Give_Item(hero, sword, SLOT_RIGHT_HAND);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, orc), MK_HASTE, 0, 0, 0, 0);
    const std::size_t item_count = item_types.size();
    messages().clear();

    New_Database_From_Map();
    EXPECT_EQ(messages(), std::vector<std::string>{"(field list emptied)"}) << "the selection goes with it";
    ASSERT_EQ(char_data.size(), 2u) << "a repeated name is skipped";
    EXPECT_STREQ(char_data[0].name, "Hero");
    EXPECT_STREQ(char_data[1].name, "Orc");
    EXPECT_EQ(char_data[0].slots[SLOT_RIGHT_HAND], static_cast<std::int16_t>(sword)) << "its items as types";
    EXPECT_EQ(char_data[1].first_mod, NO_INDEX) << "no chain in the new pool";
    EXPECT_EQ(char_data[0].body_sprite, 0u);
    EXPECT_EQ(char_data.capacity(), 124u);

    ASSERT_EQ(fixitem_data.size(), 55u);
    EXPECT_STREQ(fixitem_data_ext[0].name, "fix0");
    EXPECT_STREQ(fixitem_data_ext[54].name, "fix54");
    EXPECT_EQ(fixitem_data_ext[7].first_mod, NO_INDEX);
    for (int slot = 0; slot < 55; ++slot) EXPECT_EQ(fixitem_types[slot].db_index, slot);
    EXPECT_NE(fixitem_types[3].flags & FIX_GROUND, 0) << "a field head's slot is ground";
    EXPECT_EQ(fixitem_types[4].flags & FIX_GROUND, 0);

    EXPECT_EQ(item_types.size(), item_count) << "types the map's items name stay";
    for (const item_type& t : item_types) EXPECT_EQ(t.first_mod, -1);
    EXPECT_EQ(mod_data.first_free, 1u);

    // Each tree: its bin last of the entries before, then the new entries.
    EXPECT_EQ(char_data_tree.Count(), 3u);
    EXPECT_EQ(fixitem_data_tree.Count(), 56u);
    EXPECT_EQ(item_data_tree.Label(item_data_tree.Children(TREE_ROOT).back()), "Dead body");
    EXPECT_TRUE(item_data_tree.Valid(item_data_tree.Recycle_Bin()));

    // It is a database like any other.
    Save_Database();
    Reset_Database_State();
    messages().clear();
    Load_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Database loaded"});
}

TEST_F(RebuildTest, TheTypesOfAnImportedMapBecomeTheFirstFixitemTypes) {
    Set_Fixitem_Type(1, 0, 1, 3);
    Set_Fixitem_Type(2, 0, 1, 5);
    Set_Fixitem_Type(3, 0, 1, -1);
    std::strcpy(fixitem_types[3].sprite_name, "LAST");
    MapImage world;
    Capture_Map_Image(world);
    Clear_Run_Time_Handles(world);
    const Bytes file = Chunk_Map_Bytes(Chunks_Of_Image(world, item_types));
    MemoryInput in(file.data(), file.size());
    ImportedMap map;
    ASSERT_EQ(Read_Chunk_Map(in, file.size(), map), "");
    Install_Imported_Map(map);
    ASSERT_EQ(Converter_Fixitem_Type_Count(), 3);

    New_Database_From_Map();
    ASSERT_EQ(fixitem_data.size(), 55u);
    EXPECT_EQ(fixitem_data[1].mp, 3);
    EXPECT_EQ(fixitem_data[2].mp, 5);
    EXPECT_STREQ(fixitem_data[3].sprite_name, "LAST") << "the last type the import brought";
    EXPECT_EQ(fixitem_data[3].db_index, 3);
    EXPECT_EQ(fixitem_data[3].sprite, 0u);
    EXPECT_EQ(fixitem_data[4].mp, 0) << "past the import: an empty type";
    EXPECT_STREQ(fixitem_data_ext[3].name, "fix3");
}

}  // namespace
