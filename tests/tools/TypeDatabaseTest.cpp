// The default database as the generator writes it: a type for every
// fixitem picture and every figure, the item types of item.dat, the
// programs the types carry, trees in folders with their bins, a start map
// whose slots and characters name their types, and five files that read
// back and save again to the same bytes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "platform/PathResolver.h"
#include "support/HeadlessFixture.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Terrain.h"
#include "tools/artgen/folder/CharacterTypes.h"
#include "tools/artgen/folder/FixitemTypes.h"
#include "tools/artgen/folder/ItemDatabase.h"
#include "tools/artgen/folder/StartMap.h"
#include "tools/artgen/folder/TypeDatabase.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes File_Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string>& Messages() {
    static std::vector<std::string> m;
    return m;
}

// The kinds of a database type's chain, in chain order.
std::vector<std::uint32_t> Chain_Kinds(obj_ref owner) {
    std::vector<std::uint32_t> kinds;
    for (std::uint16_t m = Get_Mod_Head(owner); m != NO_INDEX && kinds.size() < 10; m = mod_data.records[m].next)
        kinds.push_back(mod_data.records[m].type);
    return kinds;
}

// Every entry of a tree below parent.
void Entries(const CDataTree& tree, TreeItem parent, std::vector<TreeItem>& out) {
    for (TreeItem item : tree.Children(parent)) {
        out.push_back(item);
        Entries(tree, item, out);
    }
}

class TypeDatabase : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        static int counter = 0;
        folder_ = fs::temp_directory_path() /
                  ("orvex-typedb-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        Messages().clear();
        Datafiles_Hooks() = DatafilesHooks{};
    }
    void TearDown() override {
        Datafiles_Hooks() = DatafilesHooks{};
        Set_Working_Folder({});
        Reset_Database_State();
        fs::remove_all(folder_);
        HeadlessTest::TearDown();
    }
    // Reads and writes the folder's database as the editor does.
    void Use_Folder() {
        Set_Working_Folder(folder_);
        Datafiles_Hooks().editor_message = [](const char* text) { Messages().push_back(text); };
    }
    fs::path folder_;
};

TEST_F(TypeDatabase, EveryFixitemPictureHasATypeAndRowZeroIsReserved) {
    std::set<std::string> pictures;
    for (const art::BitmapSprite& s : art::Terrain_Sprites()) pictures.insert(s.path.substr(std::strlen("ARTWORK\\")));
    const auto& types = art::Default_Fixitem_Types();
    std::set<std::string> typed;
    for (std::size_t row = 1; row < types.size(); ++row) typed.insert(types[row].sprite);
    EXPECT_EQ(typed, pictures);
    EXPECT_EQ(typed.size(), types.size() - 1) << "one type a picture";
    EXPECT_TRUE(pictures.contains("talaj01")) << "the picture of a new fixitem type";
    EXPECT_STREQ(types[0].sprite, "");
    EXPECT_LT(types[0].mp, 0) << "the plain field of slot 0 is not entered";
}

TEST_F(TypeDatabase, EveryFigureHasACharacterType) {
    std::vector<std::string> bodies, typed;
    for (const art::BodyKind& k : art::Body_Kinds()) bodies.push_back(k.name);
    for (const art::CharTypeDef& t : art::Default_Char_Types()) typed.push_back(t.body);
    EXPECT_EQ(typed, bodies);
    EXPECT_TRUE(std::find(bodies.begin(), bodies.end(), "bug") != bodies.end()) << "the body of a new character type";
}

TEST_F(TypeDatabase, TypesCarryTheirProgramsAndTheMainCharacterItsFlag) {
    art::Build_Type_Database();
    // The item types are item.dat's, with the heads of their program chains.
    std::vector<item_type> expected = art::Default_Item_Types();
    ASSERT_EQ(item_types.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i].first_mod = item_types[i].first_mod;
    EXPECT_EQ(std::memcmp(item_types.data(), expected.data(), item_types.size() * sizeof(item_type)), 0);
    using V = std::vector<std::uint32_t>;
    const obj_ref potion = Make_Obj(OBJ_ITEM, art::Default_Item_Type("Healing potion"));
    EXPECT_EQ(Chain_Kinds(potion), V{MK_MAGIC_OBJECT});
    EXPECT_EQ(Chain_Kinds(Make_Obj(OBJ_ITEM, art::Default_Item_Type("Long sword"))), V{});
    auto fix = [](const char* sprite) { return Make_Obj(OBJ_FIXITEM, art::Default_Fixitem_Type(sprite)); };
    auto chr = [](const char* name) { return Make_Obj(OBJ_CHAR, art::Default_Char_Type(name)); };
    EXPECT_EQ(Chain_Kinds(fix("DOOR")), V{MK_DOOR});
    EXPECT_EQ(Chain_Kinds(fix("CHEST")), V{MK_CHEST});
    EXPECT_EQ(Chain_Kinds(fix("HILL")), V{MK_HILL});
    for (const char* slope : {"GRASSH", "EARTHH", "STONEH"}) EXPECT_EQ(Chain_Kinds(fix(slope)), V{MK_GROUND_HILL});
    EXPECT_EQ(Chain_Kinds(fix("WALL")), V{});
    EXPECT_EQ(Chain_Kinds(chr("Aldric")), V{MK_MAIN_CHAR});
    EXPECT_EQ(char_data[art::Default_Char_Type("Aldric")].flags & CF_MAIN_CHAR, CF_MAIN_CHAR);
    int main_chars = 0;
    for (const char_record& c : char_data) main_chars += (c.flags & CF_MAIN_CHAR) != 0;
    EXPECT_EQ(main_chars, 1);
    for (const art::CharTypeDef& t : art::Default_Char_Types()) {
        // The race is stored as its place among its category's rows.
        constexpr int CATEGORY_ROWS[4] = {4, 6, 3, 2};
        EXPECT_LT(t.race & RACE_MASK, CATEGORY_ROWS[t.race >> 6]) << t.name;
        const bool beast = (t.race & (RACE_MONSTER | RACE_ANIMAL)) != 0;
        EXPECT_EQ(Chain_Kinds(chr(t.name)).size(), beast ? 1u : t.programs.size()) << t.name;
    }
    // Equipment as item types in the slots.
    EXPECT_EQ(char_data[art::Default_Char_Type("Aldric")].slots[SLOT_RIGHT_HAND], art::Default_Item_Type("Long sword"));
}

TEST_F(TypeDatabase, TreesHoldEveryTypeOnceInFoldersWithTheirBinLast) {
    art::Build_Type_Database();
    struct Tree {
        const CDataTree& tree;
        std::size_t count, first;  // the types the tree shows: first .. count - 1
    };
    const Tree trees[] = {{item_data_tree, item_types.size(), ITEM_TYPE_DEAD_BODY},
                          {fixitem_data_tree, fixitem_data.size(), 1},
                          {char_data_tree, char_data.size(), 0}};
    for (const Tree& t : trees) {
        SCOPED_TRACE(t.tree.Kind());
        const std::vector<TreeItem>& top = t.tree.Children(TREE_ROOT);
        ASSERT_GE(top.size(), 2u);
        EXPECT_EQ(t.tree.Recycle_Bin(), top.back());
        EXPECT_EQ(t.tree.Label(top.back()), "Recycle Bin");
        EXPECT_TRUE(t.tree.Children(top.back()).empty());
        for (TreeItem folder : top) EXPECT_EQ(t.tree.Image(folder), TREE_FOLDER);
        std::vector<TreeItem> entries;
        Entries(t.tree, TREE_ROOT, entries);
        std::multiset<std::uint32_t> named;
        for (TreeItem e : entries)
            if (t.tree.Image(e) != TREE_FOLDER) {
                named.insert(t.tree.Parameter(e));
                EXPECT_EQ(t.tree.Image(e), t.tree.Kind());
                EXPECT_LE(t.tree.Label(e).size(), TREE_LABEL_CHARS) << t.tree.Label(e);
            }
        std::multiset<std::uint32_t> expected;
        for (std::size_t i = t.first; i < t.count; ++i) expected.insert(static_cast<std::uint32_t>(i));
        EXPECT_EQ(named, expected);
    }
}

TEST_F(TypeDatabase, TheFilesAreTheSameEveryRunAndSaveAgainToTheSameBytes) {
    ASSERT_TRUE(art::Write_Type_Database(folder_));
    std::vector<Bytes> first;
    for (const char* name : DATABASE_FILE_NAMES) first.push_back(File_Bytes(folder_ / name));
    ASSERT_TRUE(art::Write_Type_Database(folder_));
    for (int f = 0; f < DATABASE_FILES; ++f)
        EXPECT_EQ(File_Bytes(folder_ / DATABASE_FILE_NAMES[f]), first[static_cast<std::size_t>(f)])
            << DATABASE_FILE_NAMES[f];

    Reset_Database_State();
    Use_Folder();
    Load_Database();
    ASSERT_EQ(Messages(), std::vector<std::string>{"Database loaded"});
    Save_Database();
    EXPECT_EQ(Messages().back(), "Database saved");
    for (int f = 0; f < DATABASE_FILES; ++f)
        EXPECT_EQ(File_Bytes(folder_ / DATABASE_FILE_NAMES[f]), first[static_cast<std::size_t>(f)])
            << DATABASE_FILE_NAMES[f];
}

// What the editor's "Load Data" and "Save Data" buttons do on the default
// folder (the editor's dialog calls these and shows the messages).
TEST_F(TypeDatabase, TheEditorLoadsAndSavesTheDefaultFolder) {
    ASSERT_TRUE(art::Write_Type_Database(folder_));
    std::vector<Bytes> written;
    for (const char* name : DATABASE_FILE_NAMES) written.push_back(File_Bytes(folder_ / name));
    Reset_Database_State();
    Use_Folder();
    Open_Editor_Database();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Database loaded"});
    Save_Data();
    EXPECT_EQ(Messages().back(), "Database saved");
    for (int f = 0; f < DATABASE_FILES; ++f)
        EXPECT_EQ(File_Bytes(folder_ / DATABASE_FILE_NAMES[f]), written[static_cast<std::size_t>(f)]);

    fs::remove(folder_ / "mod.dat");
    const std::size_t types = char_data.size();
    Load_Data();
    EXPECT_EQ(Messages().back(), "Unable to open modifier data file");
    EXPECT_EQ(char_data.size(), types) << "the database stays";
    EXPECT_TRUE(mod_data.Loaded());
}

TEST_F(TypeDatabase, TheStartMapsSlotsAndCharactersNameTheirTypes) {
    art::Build_Start_Map();
    const auto& types = art::Default_Fixitem_Types();
    EXPECT_EQ(fixitem_types[0].db_index, 0);
    std::uint32_t used = 0;
    for (std::uint32_t slot = 1; slot < MAP_TYPE_SLOTS; ++slot) {
        const fixitem_type& t = fixitem_types[slot];
        if (t.flags & FIX_SLOT_FREE) {
            EXPECT_GE(slot, 20u);
            continue;
        }
        ++used;
        ASSERT_GT(t.db_index, 0) << slot;
        ASSERT_LT(static_cast<std::size_t>(t.db_index), types.size()) << slot;
        EXPECT_STREQ(t.sprite_name, types[static_cast<std::size_t>(t.db_index)].sprite) << slot;
        const fixitem_type row = art::Fixitem_Type_Record(static_cast<std::uint16_t>(t.db_index));
        EXPECT_EQ(t.flags, row.flags) << slot;
        EXPECT_EQ(t.mp, row.mp) << slot;
    }
    EXPECT_EQ(used, 19u);
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        if (!Char_In_Use(c)) continue;
        const char_record& r = chararray.records[c];
        ASSERT_GE(r.db_type, 0);
        EXPECT_STREQ(art::Default_Char_Types().at(static_cast<std::size_t>(r.db_type)).name, r.name);
    }
}

}  // namespace
