#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "Objects/Hooks.h"
#include "datafiles/MapFile.h"
#include "support/WorldBuilder.h"
#include "tests/datafiles/DatabaseFixture.h"

using namespace fixture;

namespace {

// Every file of the set without the capacities and state, which a load
// sets to its own.
std::map<std::string, Bytes> Files_Only(std::map<std::string, Bytes> s) {
    s.erase("capacities");
    s.erase("state");
    return s;
}

std::uint32_t U32_At(const Bytes& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

// ---- The tables ----

class TypeTables : public DatabaseTest {};

TEST_F(TypeTables, NewTypesGetTheirDefaultsAtTheEnd) {
    Alloc_Item_Types(10);
    Alloc_Fixitem_Types(10);
    Alloc_Char_Types(10);
    EXPECT_TRUE(item_types.empty());
    EXPECT_EQ(item_types.capacity(), 10u);
    EXPECT_EQ(fixitem_data_ext.capacity(), 10u);

    EXPECT_EQ(New_Item_Type(), 0);
    EXPECT_EQ(New_Item_Type(), 1);
    const item_type& t = item_types[1];
    EXPECT_EQ(t.size, 0x23) << "2 cells wide, 3 high";
    EXPECT_EQ(t.item_class, CLASS_OTHER);
    EXPECT_EQ(t.first_mod, -1) << "no modifiers";
    EXPECT_EQ(t.price, 0u);
    EXPECT_EQ(t.name[0], 0);

    EXPECT_EQ(New_Fixitem_Type(), 0);
    EXPECT_EQ(fixitem_data.size(), fixitem_data_ext.size());
    EXPECT_EQ(fixitem_data_ext[0].first_mod, NO_INDEX);
    EXPECT_EQ(fixitem_data[0].flags, 0);
    EXPECT_EQ(New_Char_Type(), 0);
    EXPECT_EQ(char_data[0].first_mod, NO_INDEX);
    EXPECT_EQ(char_data[0].hp, 0);
}

TEST_F(TypeTables, The101stRecordAfterALoadGrowsTheTableBy100) {
    Save_Sample();
    Reset_Database_State();
    Load_Database();
    ASSERT_EQ(messages().back(), "Database loaded");
    struct Table {
        const char* what;
        std::int32_t (*add)();
        std::size_t (*count)();
        std::size_t (*capacity)();
    };
    const Table tables[] = {
        {"items", &New_Item_Type, [] { return item_types.size(); }, [] { return item_types.capacity(); }},
        {"fixitems", &New_Fixitem_Type, [] { return fixitem_data.size(); }, [] { return fixitem_data.capacity(); }},
        {"characters", &New_Char_Type, [] { return char_data.size(); }, [] { return char_data.capacity(); }},
    };
    for (const Table& t : tables) {
        const std::size_t loaded = t.count();
        ASSERT_EQ(t.capacity(), loaded + 100) << t.what;
        for (int k = 0; k < 100; ++k) t.add();
        EXPECT_EQ(t.capacity(), loaded + 100) << t.what;
        EXPECT_EQ(t.add(), static_cast<std::int32_t>(loaded + 100)) << t.what;
        EXPECT_EQ(t.capacity(), loaded + 200) << t.what;
    }
    EXPECT_EQ(fixitem_data_ext.size(), fixitem_data.size());
    EXPECT_GE(fixitem_data_ext.capacity(), fixitem_data.capacity());
}

TEST_F(TypeTables, NoTableHandsOutAnIndexPastItsWidth) {
    struct Case {
        const char* refusal;
        std::size_t width;
        std::int32_t (*add)();
        std::size_t (*count)();
    };
    const Case cases[] = {
        {"Can't realloc item data!", 0xFFFF, &New_Item_Type, [] { return item_types.size(); }},
        {"Can't realloc fixitem data!", 0x7FFF, &New_Fixitem_Type, [] { return fixitem_data.size(); }},
        {"Can't realloc character data!", 0x7FFF, &New_Char_Type, [] { return char_data.size(); }},
    };
    item_types.assign(0xFFFE, item_type{});
    std::strcpy(item_types.back().name, "last");
    fixitem_data.assign(0x7FFE, fixitem_type{});
    fixitem_data_ext.assign(0x7FFE, fixitem_ext{});
    char_data.assign(0x7FFE, char_record{});
    for (const Case& c : cases) {
        Headless_Backend().boxes.clear();
        EXPECT_EQ(c.add(), static_cast<std::int32_t>(c.width - 1)) << c.refusal;
        EXPECT_EQ(c.add(), -1) << c.refusal;
        EXPECT_EQ(c.count(), c.width) << c.refusal;
        ASSERT_EQ(Headless_Backend().boxes.size(), 1u) << c.refusal;
        EXPECT_EQ(Headless_Backend().boxes[0].caption, c.refusal);
    }
    EXPECT_STREQ(item_types[0xFFFD].name, "last") << "the table stays whole";
}

TEST_F(TypeTables, FreeMapFixitemSlotsMarksSlotsUpTo239) {
    for (fixitem_type& t : fixitem_types) t = fixitem_type{};
    Free_Map_Fixitem_Slots_From(20);
    EXPECT_EQ(fixitem_types[19].flags & FIX_SLOT_FREE, 0);
    EXPECT_NE(fixitem_types[20].flags & FIX_SLOT_FREE, 0);
    EXPECT_NE(fixitem_types[239].flags & FIX_SLOT_FREE, 0);
    EXPECT_EQ(fixitem_types[240].flags & FIX_SLOT_FREE, 0);
    Free_Map_Fixitem_Slots_From(300);  // nothing
    EXPECT_EQ(fixitem_types[240].flags, 0);
}

// ---- Files ----

class DatabaseFiles : public DatabaseTest {};

TEST_F(DatabaseFiles, SavingAndLoadingKeepEveryCountRecordAndTheFreeHead) {
    Build_Sample_Database();
    const auto before = Files_Only(Database_Snapshot());
    Save_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Database saved"});
    for (const char* name : DATABASE_FILE_NAMES) {
        const Bytes file = File(name);
        ASSERT_GE(file.size(), 11u) << name;
        EXPECT_EQ(std::memcmp(file.data(), "edit v1.05", 11), 0) << name;
    }
    EXPECT_EQ(U32_At(File("mod.dat"), 19), 5u) << "the free head";
    const Bytes char_file = File("char.dat");
    EXPECT_EQ(U32_At(char_file, 19 + 14), 0u) << "a sprite of the run is stored as 0";
    EXPECT_EQ(File("fixitem.dat")[19 + 23 + 9], 0) << "a sprite of the run is stored as 0";

    Reset_Database_State();
    messages().clear();
    Load_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Database loaded"});
    EXPECT_EQ(database_in_memory, 1u);
    auto after = Files_Only(Database_Snapshot());
    EXPECT_EQ(after["edit.edt"], before.at("edit.edt"));
    EXPECT_EQ(after["item.dat"], before.at("item.dat"));
    EXPECT_EQ(after["mod.dat"], before.at("mod.dat"));
    EXPECT_EQ(after["fixitem.dat"], File("fixitem.dat"));
    EXPECT_EQ(fixitem_data[1].sprite, 0u);
    EXPECT_EQ(mod_data.first_free, 5u);
    EXPECT_STREQ(char_data[0].name, "Hero");
    EXPECT_EQ(item_data_tree.Label(item_data_tree.Recycle_Bin()), "Recycle Bin");
    EXPECT_EQ(item_data_tree.Recycle_Bin(), item_data_tree.Children(TREE_ROOT).back());

    // Saved again: the same bytes.
    const Bytes edit = File("edit.edt"), items = File("item.dat"), mods = File("mod.dat"), chars = File("char.dat");
    Save_Database();
    EXPECT_EQ(File("edit.edt"), edit);
    EXPECT_EQ(File("item.dat"), items);
    EXPECT_EQ(File("mod.dat"), mods);
    EXPECT_EQ(File("char.dat"), chars);
}

TEST_F(DatabaseFiles, AFixitemFileOfNoTypesIs23Bytes) {
    Save_Sample();
    const Bytes bytes = Fixitem_File_Bytes({}, {});
    EXPECT_EQ(bytes.size(), 23u);
    EXPECT_EQ(U32_At(bytes, 11), 23u);
    EXPECT_EQ(U32_At(bytes, 19), 27u);
}

TEST_F(DatabaseFiles, FiveItemsInTheTreeFileAgainstFourInItemDatChangeNothing) {
    Save_Sample();
    Build_Sample_Database();
    New_Char_Type();  // what memory holds differs from the files
    const auto before = Database_Snapshot();
    Bytes edit = File("edit.edt");
    ASSERT_EQ(U32_At(edit, 11), 4u);
    edit[11] = 5;
    Write_Bytes(Path("edit.edt"), edit);
    Load_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Item tree and data doesn't match"});
    EXPECT_EQ(Database_Snapshot(), before);
}

TEST_F(DatabaseFiles, TypesZeroAndOneAreBuiltInWhateverItemDatHolds) {
    Save_Sample();
    Bytes items = File("item.dat");
    std::memcpy(&items[19 + 4], "Not empty", 10);
    std::memcpy(&items[19 + 49 + 4], "Not a body", 11);
    const std::int32_t head = 7;  // a built-in row's chain head is not checked
    std::memcpy(&items[19 + 49 + 43], &head, 4);
    Write_Bytes(Path("item.dat"), items);
    Load_Database();
    ASSERT_EQ(messages().back(), "Database loaded");
    std::vector<item_type> builtin;
    Fill_Builtin_Item_Types(builtin);
    EXPECT_EQ(std::memcmp(&item_types[0], &builtin[0], 2 * sizeof(item_type)), 0);
    EXPECT_STREQ(item_types[ITEM_TYPE_DEAD_BODY].name, "Dead body");
}

TEST_F(DatabaseFiles, SmallerStatedRecordsFillTheStartOfEachRecord) {
    Save_Sample();
    auto shrink = [&](const char* name, std::size_t size_at, std::uint32_t old_size, std::size_t first, std::size_t n) {
        Bytes in = File(name), out(in.begin(), in.begin() + static_cast<long>(first));
        const std::uint32_t smaller = old_size - 1;
        std::memcpy(&out[size_at], &smaller, 4);
        for (std::size_t i = 0; i < n; ++i)
            out.insert(out.end(), in.begin() + static_cast<long>(first + i * old_size),
                       in.begin() + static_cast<long>(first + i * old_size + smaller));
        out.insert(out.end(), in.begin() + static_cast<long>(first + n * old_size), in.end());
        Write_Bytes(Path(name), out);
    };
    shrink("item.dat", 11, 49, 19, 4);
    shrink("char.dat", 11, 364, 19, 2);
    Load_Database();
    ASSERT_EQ(messages().back(), "Database loaded");
    EXPECT_STREQ(item_types[2].name, "Sword");
    EXPECT_EQ(item_types[2].price, 120u);
    EXPECT_EQ(item_types[2].palette, 0) << "the byte the file does not hold";
    EXPECT_STREQ(char_data[0].name, "Hero");
    EXPECT_EQ(char_data[0].unused_358[5], 0);
}

TEST_F(DatabaseFiles, AMissingModDatIsAFaultThatChangesNothing) {
    Save_Sample();
    std::filesystem::remove(Path("mod.dat"));
    Load_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to open modifier data file"});
    EXPECT_EQ(database_in_memory, 0u);
    EXPECT_TRUE(fixitem_data.empty());
    EXPECT_FALSE(mod_data.Loaded());
    EXPECT_EQ(item_data_tree.Count(), 0u);
}

TEST_F(DatabaseFiles, ASaveThatCannotWriteAFileKeepsEveryOldFileWhole) {
    Save_Sample();
    std::map<std::string, Bytes> old;
    for (const char* name : DATABASE_FILE_NAMES) old[name] = File(name);
    Build_Sample_Database();
    New_Item_Type();
    New_Char_Type();
    const char* texts[] = {"Unable to open database file", "Unable to open item datafile",
                           "Unable to open fixitem data file", "Unable to open char data file",
                           "Unable to open mod data file"};
    for (int f = 0; f < DATABASE_FILES; ++f) {
        // A folder where the file's temporary would go: no one can write it.
        const auto blocker = Path(std::string(DATABASE_FILE_NAMES[f]) + ".tmp");
        std::filesystem::create_directory(blocker);
        messages().clear();
        Save_Database();
        EXPECT_EQ(messages(), std::vector<std::string>{texts[f]});
        std::filesystem::remove(blocker);
        for (const char* name : DATABASE_FILE_NAMES) {
            EXPECT_EQ(File(name), old[name]) << "blocked " << DATABASE_FILE_NAMES[f] << ", then " << name;
            EXPECT_FALSE(std::filesystem::exists(Path(std::string(name) + ".tmp"))) << name;
        }
    }
    // A file that is a folder cannot be replaced either.
    std::filesystem::remove(Path("char.dat"));
    std::filesystem::create_directory(Path("char.dat"));
    messages().clear();
    Save_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to open char data file"});
    EXPECT_EQ(File("edit.edt"), old["edit.edt"]);
}

TEST_F(DatabaseFiles, ASaveIntoAReadOnlyFolderKeepsTheOldFiles) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    Save_Sample();
    std::map<std::string, Bytes> old;
    for (const char* name : DATABASE_FILE_NAMES) old[name] = File(name);
    Build_Sample_Database();
    New_Item_Type();
    ::chmod(folder_.c_str(), 0555);
    Save_Database();
    ::chmod(folder_.c_str(), 0755);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to open database file"});
    for (const char* name : DATABASE_FILE_NAMES) EXPECT_EQ(File(name), old[name]) << name;
}

TEST_F(DatabaseFiles, TheOwnerModifierHookReadsThePoolForOneCall) {
    Reset_World(3, 3);
    Save_Sample();
    Build_Sample_Database();
    Free_Mod_Pool();
    Objects_Hooks().load_mod_database = &Load_Mod_Database;
    const std::uint16_t sword = Create_Item(2, 4);
    ASSERT_NE(sword, NO_INDEX);
    EXPECT_FALSE(mod_data.Loaded()) << "freed again afterwards";
    int mods = 0;
    For_Each_In_Chain(itemarray.records[sword].first_mod, [&](std::uint16_t) { ++mods; });
    EXPECT_EQ(mods, 2);
    EXPECT_TRUE(messages().empty());

    std::filesystem::remove(Path("mod.dat"));
    const std::uint16_t bare = Create_Item(2, 4);
    EXPECT_EQ(itemarray.records[bare].first_mod, NO_INDEX);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to open modifier data file"});
    Objects_Hooks() = ObjectsHooks{};
}

// ---- The editor's entry points ----

class EditorDatabase : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        Reset_World(4, 4);
        Datafiles_Hooks().editor_message = [](const char* text) { messages().push_back(text); };
        Datafiles_Hooks().empty_field_list = [] { messages().push_back("(field list emptied)"); };
    }
};

TEST_F(EditorDatabase, LoadAndSaveDataEmptyTheFieldListFirst) {
    Save_Sample();
    Load_Data();
    EXPECT_EQ(messages(), (std::vector<std::string>{"(field list emptied)", "Database loaded"}));
    messages().clear();
    Save_Data();
    EXPECT_EQ(messages(), (std::vector<std::string>{"(field list emptied)", "Database saved"}));
}

TEST_F(EditorDatabase, ReopeningAfterATestPlayKeepsAnUnsavedType) {
    Save_Sample();
    Save_Map("Test.map");
    Open_Editor_Database();
    ASSERT_EQ(messages().back(), "Database loaded");
    const std::int32_t unsaved = New_Item_Type();
    Name_Item(unsaved, "Unsaved");
    item_data_tree.Insert_Item("Unsaved", OBJ_ITEM, static_cast<std::uint32_t>(unsaved));
    const auto edited = Files_Only(Database_Snapshot());

    // "Test Map": the editor closes, the play ends with the test map read again.
    Close_Editor_Database();
    ASSERT_TRUE(Load_Map("Test.map"));
    ASSERT_EQ(item_types.size(), static_cast<std::size_t>(unsaved)) << "the map load reads item.dat again";
    // The files are not read again at the reopening.
    for (const char* name : DATABASE_FILE_NAMES) std::filesystem::remove(Path(name));
    messages().clear();
    Open_Editor_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"(field list emptied)"});
    EXPECT_EQ(Files_Only(Database_Snapshot()), edited);
    EXPECT_STREQ(item_types[static_cast<std::size_t>(unsaved)].name, "Unsaved");
}

TEST_F(EditorDatabase, AMapLoadInTheEditorPutsBackTheEditorsItemTypes) {
    Save_Sample();
    Save_Map("other.map");
    Open_Editor_Database();
    Name_Item(New_Item_Type(), "Unsaved");
    const auto edited = Files_Only(Database_Snapshot());
    EXPECT_TRUE(Load_Map_In_Editor("other.map"));
    EXPECT_EQ(Files_Only(Database_Snapshot()), edited);
    EXPECT_FALSE(Load_Map_In_Editor("missing.map"));
    EXPECT_EQ(Files_Only(Database_Snapshot()), edited);
}

TEST_F(EditorDatabase, LoadDataReadsTheFilesAgainAndLosesUnsavedTypes) {
    Save_Sample();
    Open_Editor_Database();
    const auto loaded = Files_Only(Database_Snapshot());
    Name_Item(New_Item_Type(), "Unsaved");
    Close_Editor_Database();
    Open_Editor_Database();
    ASSERT_NE(Files_Only(Database_Snapshot()), loaded);
    Load_Data();
    EXPECT_EQ(Files_Only(Database_Snapshot()), loaded);
}

TEST_F(EditorDatabase, WithoutFilesTheEditorStartsFromAnEmptyDatabase) {
    Open_Editor_Database();
    EXPECT_EQ(messages(), (std::vector<std::string>{"(field list emptied)", "Unable to open database file"}));
    EXPECT_EQ(database_in_memory, 1u);
    EXPECT_EQ(item_types.size(), 2u);
    EXPECT_STREQ(item_types[1].name, "Dead body");
    EXPECT_EQ(fixitem_data.size(), 1u) << "fixitem 0, reserved";
    EXPECT_EQ(char_data.size(), 0u);
    for (CDataTree* tree : {&item_data_tree, &fixitem_data_tree, &char_data_tree}) {
        ASSERT_EQ(tree->Count(), 1u);
        EXPECT_EQ(tree->Label(tree->Recycle_Bin()), "Recycle Bin");
    }
    // No new type takes a reserved index.
    EXPECT_EQ(New_Item_Type(), 2);
    EXPECT_EQ(New_Fixitem_Type(), 1);
    EXPECT_EQ(New_Char_Type(), 0);
    EXPECT_EQ(Add_Mod_To_Owner(0, Make_Obj(OBJ_ITEM, 2), MK_MULTIPLE_ITEMS, 1, 1, 0, 0), 1);
    // It saves and loads like any other.
    messages().clear();
    Save_Data();
    Load_Data();
    EXPECT_EQ(messages().back(), "Database loaded");
    EXPECT_EQ(item_types.size(), 3u);
}

TEST_F(EditorDatabase, AFailedLoadDataKeepsTheDatabaseInMemory) {
    Save_Sample();
    Open_Editor_Database();
    Name_Item(New_Item_Type(), "Unsaved");
    const auto edited = Files_Only(Database_Snapshot());
    std::filesystem::remove(Path("mod.dat"));
    messages().clear();
    Load_Data();
    EXPECT_EQ(messages(), (std::vector<std::string>{"(field list emptied)", "Unable to open modifier data file"}));
    EXPECT_EQ(Files_Only(Database_Snapshot()), edited);
}

}  // namespace
