// A small database in memory (item, fixitem and character types in folders,
// modifier chains on each kind of type), a working folder of its own, the
// status line recorded, and a byte snapshot of the whole database.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Objects/ModifierKinds.h"
#include "System/ErrorReport.h"
#include "datafiles/Database.h"
#include "tests/datafiles/MapFileFixture.h"

namespace fixture {

// Every table, the pool and the trees as the files hold them, and the
// capacities of the tables.
inline std::map<std::string, Bytes> Database_Snapshot() {
    std::map<std::string, Bytes> s;
    const DatabaseFiles files = Database_Files_Of_Tables();
    for (int f = 0; f < DATABASE_FILES; ++f) s[DATABASE_FILE_NAMES[f]] = files[static_cast<std::size_t>(f)];
    for (std::size_t v : {item_types.capacity(), fixitem_data.capacity(), char_data.capacity()})
        Append(s["capacities"], v);
    Append(s["state"], database_in_memory);
    return s;
}

inline void Name_Item(std::int32_t i, const char* name) {
    std::strncpy(item_types[static_cast<std::size_t>(i)].name, name, sizeof item_types[0].name - 1);
}

// Items: the two built-in rows, a sword with two programs and a potion;
// fixitems: the reserved row, a door with a program and a floor; characters:
// a hero with a program and a rat. Each tree holds its types in a folder,
// the fixitem tree a nested folder, and its "Recycle Bin" last.
inline void Build_Sample_Database() {
    Reset_Database_State();
    Init_Mod_Free_List();
    mod_data.first_free = 1;

    Alloc_Item_Types(TYPE_TABLE_STEP);
    Init_Builtin_Item_Types();
    const std::int32_t sword = New_Item_Type(), potion = New_Item_Type();
    Name_Item(sword, "Sword");
    item_types[static_cast<std::size_t>(sword)].price = 120;
    Name_Item(potion, "Potion");
    Add_Mod_To_Owner(3, Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(sword)), MK_MAGIC_OBJECT, 2, 1, 0, 0);
    Add_Mod_To_Owner(0, Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(sword)), MK_MULTIPLE_ITEMS, 1, 5, 0, 0);

    Alloc_Fixitem_Types(TYPE_TABLE_STEP);
    New_Fixitem_Type();  // 0, reserved
    const std::int32_t door = New_Fixitem_Type(), floor = New_Fixitem_Type();
    std::strcpy(fixitem_data[1].sprite_name, "DOOR");
    std::strcpy(fixitem_data_ext[1].name, "Door");
    fixitem_data[1].max_hp = 40;
    fixitem_data[1].sprite = 0x1234;  // a sprite of the run, never stored
    std::strcpy(fixitem_data[2].sprite_name, "GRASS");
    std::strcpy(fixitem_data_ext[2].name, "Grass");
    fixitem_data[2].flags = FIX_GROUND;
    Add_Mod_To_Owner(0, Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(door)), MK_DOOR, 0, 10, 5, 0);
    (void)floor;

    Alloc_Char_Types(TYPE_TABLE_STEP);
    const std::int32_t hero = New_Char_Type(), rat = New_Char_Type();
    std::strcpy(char_data[0].name, "Hero");
    std::strcpy(char_data[0].body_name, "WARRIOR");
    char_data[0].flags = CF_MAIN_CHAR;
    char_data[0].slots[SLOT_RIGHT_HAND] = static_cast<std::int16_t>(sword);
    char_data[0].body_sprite = 0x55;  // run-time handles, never stored
    std::strcpy(char_data[1].name, "Rat");
    Add_Mod_To_Owner(0, Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(hero)), MK_MAIN_CHAR, 0, 0, 0, 0);
    (void)rat;

    TreeItem weapons = item_data_tree.Insert_Item("Weapons", TREE_FOLDER, 0);
    item_data_tree.Insert_Item("Sword", OBJ_ITEM, static_cast<std::uint32_t>(sword), weapons);
    item_data_tree.Insert_Item("Potion", OBJ_ITEM, static_cast<std::uint32_t>(potion));
    item_data_tree.Insert_Item("Dead body", OBJ_ITEM, ITEM_TYPE_DEAD_BODY);
    item_data_tree.Create_Recycle_Bin();
    TreeItem outside = fixitem_data_tree.Insert_Item("Outside", TREE_FOLDER, 0);
    TreeItem floors = fixitem_data_tree.Insert_Item("Floors", TREE_FOLDER, 0, outside);
    fixitem_data_tree.Insert_Item("Grass", OBJ_FIXITEM, 2, floors);
    fixitem_data_tree.Insert_Item("Door", OBJ_FIXITEM, 1, outside);
    fixitem_data_tree.Create_Recycle_Bin();
    TreeItem people = char_data_tree.Insert_Item("People", TREE_FOLDER, 0);
    char_data_tree.Insert_Item("Hero", OBJ_CHAR, 0, people);
    char_data_tree.Insert_Item("Rat", OBJ_CHAR, 1, people);
    char_data_tree.Create_Recycle_Bin();
    database_in_memory = 1;
}

// A working folder, the status line recorded, boxes answered with Cancel
// (a refused growth goes on), the database state reset around each test.
class DatabaseTest : public DataFolderTest {
  protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Headless_Backend().Reset();
        Reset_Quitting();
        Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
        Reset_Database_State();
    }
    void TearDown() override {
        Reset_Database_State();
        Headless_Backend().Reset();
        Reset_Quitting();
        DataFolderTest::TearDown();
    }

    // Writes the sample database as the five files and empties memory.
    void Save_Sample() {
        Build_Sample_Database();
        Save_Database();
        ASSERT_EQ(messages().back(), "Database saved");
        messages().clear();
        Reset_Database_State();
    }
    Bytes File(const char* name) const { return File_Bytes(Path(name)); }
};

}  // namespace fixture
