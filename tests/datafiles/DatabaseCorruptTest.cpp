// Every check of the staged load, one file fault a row: the load reports
// the file's message and leaves the database in memory as it was.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>

#include "tests/datafiles/DatabaseFixture.h"

using namespace fixture;

namespace {

void Set_U32_At(Bytes& b, std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); }
void Set_U16_At(Bytes& b, std::size_t at, std::uint16_t v) { std::memcpy(&b[at], &v, 2); }

// Offsets in the sample's files.
constexpr std::size_t RECORDS = 19;  // the first record of item.dat, fixitem.dat and char.dat
constexpr std::size_t POOL = 23;     // the first record of mod.dat
std::size_t Item(std::size_t i) { return RECORDS + 49 * i; }
std::size_t Names_Size() { return RECORDS + 23 * 3; }
std::size_t Name(std::size_t i) { return Names_Size() + 4 + 27 * i; }
std::size_t Char(std::size_t i) { return RECORDS + 364 * i; }
std::size_t Mod(std::size_t i) { return POOL + 20 * i; }
constexpr std::size_t NEXT = offsetof(modifier, next);

// The trees of an edit.edt image changed and written again.
std::function<void(Bytes&)> Trees(std::function<void(DatabaseImage&)> change) {
    return [change](Bytes& b) {
        MemoryInput in(b.data(), b.size());
        FileReader reader(in, b.size());
        DatabaseImage image;
        ASSERT_TRUE(Parse_Tree_File(reader, image));
        change(image);
        b = Tree_File_Bytes(image.item_count, image.fixitem_count, image.char_count, image.item_tree,
                            image.fixitem_tree, image.char_tree);
    };
}

// The first object entry of a tree, found depth first.
TreeItem First_Object(const CDataTree& tree, TreeItem parent = TREE_ROOT) {
    for (TreeItem item : tree.Children(parent)) {
        if (tree.Image(item) != TREE_FOLDER) return item;
        if (TreeItem inner = First_Object(tree, item)) return inner;
    }
    return TREE_ROOT;
}

std::function<void(Bytes&)> U32(std::size_t at, std::uint32_t v) {
    return [=](Bytes& b) { Set_U32_At(b, at, v); };
}
std::function<void(Bytes&)> U16(std::size_t at, std::uint16_t v) {
    return [=](Bytes& b) { Set_U16_At(b, at, v); };
}
std::function<void(Bytes&)> Cut(std::size_t from_end) {
    return [=](Bytes& b) { b.resize(b.size() - from_end); };
}
std::function<void(Bytes&)> Magic() {
    return [](Bytes& b) { std::memcpy(b.data(), "save v1.03", 11); };
}

struct Case {
    const char* what;
    const char* file;
    const char* message;
    std::function<void(Bytes&)> change;  // none: the file is missing
    bool folder = false;                 // the file is a folder
};

const char* const INVALID_TREE = "Invalid database file";
const char* const INVALID_ITEM = "Invalid item data file";
const char* const INVALID_FIXITEM = "Invalid fixitem data file";
const char* const INVALID_CHAR = "Invalid character data file";
const char* const INVALID_MOD = "Invalid modifier data file";

std::vector<Case> Cases() {
    return {
        // edit.edt
        {"missing", "edit.edt", "Unable to open database file", nullptr},
        {"a folder", "edit.edt", "Unable to open database file", nullptr, true},
        {"empty", "edit.edt", INVALID_TREE, [](Bytes& b) { b.clear(); }},
        {"another magic", "edit.edt", INVALID_TREE, Magic()},
        {"65536 item types", "edit.edt", INVALID_TREE, U32(11, 0x10000)},
        {"32768 fixitem types", "edit.edt", INVALID_TREE, U32(15, 0x8000)},
        {"32768 character types", "edit.edt", INVALID_TREE, U32(19, 0x8000)},
        {"a tree node of depth 0", "edit.edt", INVALID_TREE, U32(27, 0)},
        {"a text length of 21", "edit.edt", INVALID_TREE, U32(27 + 4 + 20, 21)},
        {"a tree count the file cannot hold", "edit.edt", INVALID_TREE, U32(23, 1000)},
        {"cut in the character tree", "edit.edt", INVALID_TREE, Cut(3)},
        {"an item entry naming a record past the count", "edit.edt", INVALID_TREE,
         Trees([](DatabaseImage& m) { m.item_tree.Set_Parameter(First_Object(m.item_tree), 4); })},
        {"a fixitem entry naming a record past the count", "edit.edt", INVALID_TREE,
         Trees([](DatabaseImage& m) { m.fixitem_tree.Set_Parameter(First_Object(m.fixitem_tree), 3); })},
        {"a character entry in the item tree", "edit.edt", INVALID_TREE,
         Trees([](DatabaseImage& m) { m.item_tree.Insert_Item("Rat", OBJ_CHAR, 1); })},
        {"an entry of kind 4 in the character tree", "edit.edt", INVALID_TREE,
         Trees([](DatabaseImage& m) { m.char_tree.Insert_Item("Odd", 4, 0); })},
        // item.dat
        {"missing", "item.dat", "Unable to open item data file", nullptr},
        {"a folder", "item.dat", "Unable to open item data file", nullptr, true},
        {"another magic", "item.dat", INVALID_ITEM, Magic()},
        {"record size 50", "item.dat", INVALID_ITEM, U32(11, 50)},
        {"5 types against 4 in the tree file", "item.dat", "Item tree and data doesn't match", U32(15, 5)},
        {"cut in the last record", "item.dat", INVALID_ITEM, Cut(1)},
        {"cut in the header", "item.dat", INVALID_ITEM, Cut(49 * 4 + 2)},
        // fixitem.dat
        {"missing", "fixitem.dat", "Unable to open fixitem data file", nullptr},
        {"another magic", "fixitem.dat", INVALID_FIXITEM, Magic()},
        {"record size 24", "fixitem.dat", INVALID_FIXITEM, U32(11, 24)},
        {"4 types against 3 in the tree file", "fixitem.dat", "Fixitem tree and data doesn't match", U32(15, 4)},
        {"second record size 28", "fixitem.dat", INVALID_FIXITEM, U32(Names_Size(), 28)},
        {"cut in the names", "fixitem.dat", INVALID_FIXITEM, Cut(5)},
        {"cut before the second size", "fixitem.dat", INVALID_FIXITEM, Cut(27 * 3 + 2)},
        // char.dat
        {"missing", "char.dat", "Unable to open character data file", nullptr},
        {"another magic", "char.dat", INVALID_CHAR, Magic()},
        {"record size 365", "char.dat", INVALID_CHAR, U32(11, 365)},
        {"3 types against 2 in the tree file", "char.dat", "Character tree and data doesn't match", U32(15, 3)},
        {"cut in a record", "char.dat", INVALID_CHAR, Cut(100)},
        // mod.dat
        {"missing", "mod.dat", "Unable to open modifier data file", nullptr},
        {"another magic", "mod.dat", INVALID_MOD, Magic()},
        {"record size 21", "mod.dat", INVALID_MOD, U32(11, 21)},
        {"capacity 0", "mod.dat", INVALID_MOD, U32(15, 0)},
        {"capacity 65536", "mod.dat", INVALID_MOD, U32(15, 0x10000)},
        {"a capacity the file cannot hold", "mod.dat", INVALID_MOD, U32(15, 101)},
        {"free head 0", "mod.dat", INVALID_MOD, U32(19, 0)},
        {"free head past the capacity", "mod.dat", INVALID_MOD, U32(19, 101)},
        {"a free list in a cycle", "mod.dat", INVALID_MOD, U16(Mod(99) + NEXT, 5)},
        {"a free list leaving the pool", "mod.dat", INVALID_MOD, U16(Mod(99) + NEXT, 150)},
        {"a free list through record 0", "mod.dat", INVALID_MOD, U16(Mod(99) + NEXT, 0)},
        {"a free list through a chain", "mod.dat", INVALID_MOD, U16(Mod(99) + NEXT, 4)},
        {"a chain through record 0", "mod.dat", INVALID_MOD, U16(Mod(1) + NEXT, 0)},
        {"a chain in a cycle", "mod.dat", INVALID_MOD, U16(Mod(1) + NEXT, 2)},
        {"a chain leaving the pool", "mod.dat", INVALID_MOD, U16(Mod(1) + NEXT, 100)},
        {"a chain through a free record", "mod.dat", INVALID_MOD, U16(Mod(1) + NEXT, 5)},
        {"two chains sharing a record", "mod.dat", INVALID_MOD, U16(Mod(3) + NEXT, 1)},
        {"a modifier of kind 25", "mod.dat", INVALID_MOD, U32(Mod(4) + 6, 25)},
        {"cut in the pool", "mod.dat", INVALID_MOD, Cut(1)},
        // chain heads of the record files, checked against mod.dat
        {"an item type's chain off the pool", "item.dat", INVALID_MOD, U32(Item(2) + 43, 100)},
        {"a fixitem type's chain at a free record", "fixitem.dat", INVALID_MOD, U16(Name(2) + 21, 50)},
        {"a character type's chain at record 0", "char.dat", INVALID_MOD,
         U16(Char(1) + offsetof(char_record, first_mod), 0)},
        {"two types heading one chain", "char.dat", INVALID_MOD, U16(Char(1) + offsetof(char_record, first_mod), 1)},
    };
}

class CorruptDatabase : public DatabaseTest {};

TEST_F(CorruptDatabase, EveryFaultIsReportedAndChangesNothing) {
    Save_Sample();
    std::map<std::string, Bytes> good;
    for (const char* name : DATABASE_FILE_NAMES) good[name] = File(name);
    for (const Case& c : Cases()) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.what);
        for (const auto& [name, bytes] : good) {
            std::filesystem::remove_all(Path(name));
            Write_Bytes(Path(name), bytes);
        }
        // What memory holds differs from every file.
        Reset_Database_State();
        Load_Database();
        ASSERT_EQ(messages().back(), "Database loaded");
        New_Item_Type();
        New_Fixitem_Type();
        New_Char_Type();
        Add_Mod_To_Owner(1, Make_Obj(OBJ_CHAR, 1), MK_CHARM, 1, 0, 0, 0);
        item_data_tree.Insert_Item("Only in memory", TREE_FOLDER, 0);
        const auto before = Database_Snapshot();

        std::filesystem::remove(Path(c.file));
        if (c.folder) std::filesystem::create_directory(Path(c.file));
        if (c.change) {
            Bytes bad = good[c.file];
            c.change(bad);
            ASSERT_NE(bad, good[c.file]);
            Write_Bytes(Path(c.file), bad);
        }
        messages().clear();
        Load_Database();
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(Snapshot_Differences(Database_Snapshot(), before), "");
    }
}

TEST_F(CorruptDatabase, ABuiltInRowsChainAndAFoldersParameterAreNotChecked) {
    // A built-in item row's chain head and a folder's parameter name
    // nothing that must exist.
    Save_Sample();
    Bytes items = File("item.dat");
    Set_U32_At(items, Item(1) + 43, 500);
    Write_Bytes(Path("item.dat"), items);
    Bytes edit = File("edit.edt");
    Trees([](DatabaseImage& m) { m.item_tree.Insert_Item("Folder", TREE_FOLDER, 77); })(edit);
    Write_Bytes(Path("edit.edt"), edit);
    Load_Database();
    EXPECT_EQ(messages(), std::vector<std::string>{"Database loaded"});
}

}  // namespace
