// The editor's data trees without wx: the context menu's commands and their
// greying, deleting into the "Recycle Bin", renaming with the name cut into
// its record, the drop rules, the selection they give and placing from it.
#include <map>

#include "editor/DataTreeEdit.h"
#include "tests/editor/EditorFixture.h"

namespace {

class DataTrees : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        // The item tree: Weapons {Sword, Pack}, the dead body, the bin.
        weapons = item_data_tree.Insert_Item("Weapons", TREE_FOLDER, 0);
        sword_entry = item_data_tree.Insert_Item("Sword", OBJ_ITEM, sword, weapons);
        pack_entry = item_data_tree.Insert_Item("Pack", OBJ_ITEM, pack, weapons);
        body_entry = item_data_tree.Insert_Item("Dead body", OBJ_ITEM, ITEM_TYPE_DEAD_BODY);
        // The fixitem tree: the reserved type, Floors {Grass, Stone},
        // Things {Door, Wall, Post}, the bin.
        reserved_entry = fixitem_data_tree.Insert_Item("Reserved", OBJ_FIXITEM, DB_RESERVED);
        floors = fixitem_data_tree.Insert_Item("Floors", TREE_FOLDER, 0);
        grass_entry = fixitem_data_tree.Insert_Item("Grass", OBJ_FIXITEM, DB_GRASS, floors);
        fixitem_data_tree.Insert_Item("Stone", OBJ_FIXITEM, DB_STONE, floors);
        things = fixitem_data_tree.Insert_Item("Things", TREE_FOLDER, 0);
        door_entry = fixitem_data_tree.Insert_Item("Door", OBJ_FIXITEM, DB_DOOR, things);
        fixitem_data_tree.Insert_Item("Wall", OBJ_FIXITEM, DB_WALL, things);
        fixitem_data_tree.Insert_Item("Post", OBJ_FIXITEM, DB_POST, things);
        // The character tree: People {Warrior, Hero}, the bin.
        people = char_data_tree.Insert_Item("People", TREE_FOLDER, 0);
        warrior_entry = char_data_tree.Insert_Item("Warrior", OBJ_CHAR, CT_WARRIOR, people);
        hero_entry = char_data_tree.Insert_Item("Hero", OBJ_CHAR, CT_HERO, people);
        // The editor open on this database (there are no files to load).
        Editor_Enter(0, EVENT_CLICK);
        Editor_Dialogs().edit_char_type = &Record_Edit;
        Editor_Dialogs().edit_item_type = &Record_Edit;
        Editor_Dialogs().edit_fixitem_type = &Record_Edit;
        edits.clear();
    }

    // A type editor: remembers what it was opened on and renames the type.
    static void Record_Edit(std::uint16_t type) {
        edits.push_back(type);
        if (edit_renames != nullptr) edit_renames(type);
    }

    static std::vector<std::string> Labels(const CDataTree& tree, TreeItem parent) {
        std::vector<std::string> out;
        for (TreeItem child : tree.Children(parent)) out.push_back(tree.Label(child));
        return out;
    }

    static inline std::vector<std::uint16_t> edits;
    static inline void (*edit_renames)(std::uint16_t) = nullptr;

  public:
    TreeItem weapons = 0, sword_entry = 0, pack_entry = 0, body_entry = 0;
    TreeItem reserved_entry = 0, floors = 0, grass_entry = 0, things = 0, door_entry = 0;
    TreeItem people = 0, warrior_entry = 0, hero_entry = 0;
};

// ---- The menu ----

TEST_F(DataTrees, TheMenuGreysByTreeEntryKindAndEntry) {
    struct row {
        const char* what;
        int kind;
        std::function<TreeItem(DataTrees&)> entry;
        bool copy, edit, remove;
    };
    const std::vector<row> rows = {
        {"an item type", OBJ_ITEM, [](DataTrees& t) { return t.sword_entry; }, true, true, true},
        {"the dead body", OBJ_ITEM, [](DataTrees& t) { return t.body_entry; }, false, false, true},
        {"an item folder", OBJ_ITEM, [](DataTrees& t) { return t.weapons; }, false, false, true},
        {"the item bin", OBJ_ITEM, [](DataTrees&) { return item_data_tree.Recycle_Bin(); }, false, false, false},
        {"a fixitem type", OBJ_FIXITEM, [](DataTrees& t) { return t.door_entry; }, true, true, true},
        {"the reserved fixitem type", OBJ_FIXITEM, [](DataTrees& t) { return t.reserved_entry; }, false, false, true},
        {"a fixitem folder", OBJ_FIXITEM, [](DataTrees& t) { return t.floors; }, false, false, true},
        {"the fixitem bin", OBJ_FIXITEM, [](DataTrees&) { return fixitem_data_tree.Recycle_Bin(); }, false, false,
         false},
        {"a character type", OBJ_CHAR, [](DataTrees& t) { return t.warrior_entry; }, true, true, true},
        {"a character folder", OBJ_CHAR, [](DataTrees& t) { return t.people; }, false, false, true},
        {"the character bin", OBJ_CHAR, [](DataTrees&) { return char_data_tree.Recycle_Bin(); }, false, false, false},
        // A right click on empty space.
        {"no entry (items)", OBJ_ITEM, [](DataTrees&) { return TREE_ROOT; }, false, false, false},
        {"no entry (fixitems)", OBJ_FIXITEM, [](DataTrees&) { return TREE_ROOT; }, false, false, false},
        {"no entry (characters)", OBJ_CHAR, [](DataTrees&) { return TREE_ROOT; }, false, false, false},
    };
    for (const row& r : rows) {
        const std::vector<tree_menu_entry> menu = Data_Tree_Menu(*Editor_Data_Tree(r.kind), r.entry(*this));
        ASSERT_EQ(menu.size(), 5u);
        const int order[5] = {TREE_CMD_INSERT_NEW, TREE_CMD_INSERT_COPY, TREE_CMD_INSERT_FOLDER, TREE_CMD_EDIT,
                              TREE_CMD_DELETE};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(menu[i].command, order[i]);
        EXPECT_STREQ(menu[0].text, "Insert a new object");
        EXPECT_STREQ(menu[1].text, "Insert a copy of object");
        EXPECT_STREQ(menu[2].text, "Insert new folder");
        EXPECT_STREQ(menu[3].text, "Edit object");
        EXPECT_STREQ(menu[4].text, "Delete object");
        EXPECT_TRUE(menu[0].enabled) << r.what;
        EXPECT_EQ(menu[1].enabled, r.copy) << r.what;
        EXPECT_TRUE(menu[2].enabled) << r.what;
        EXPECT_EQ(menu[3].enabled, r.edit) << r.what;
        EXPECT_EQ(menu[4].enabled, r.remove) << r.what;
    }
}

TEST_F(DataTrees, EditIsGreyedUntilTheTreesTypeEditorIsInstalled) {
    Editor_Dialogs().edit_item_type = nullptr;
    EXPECT_FALSE(Data_Tree_Command_Enabled(item_data_tree, sword_entry, TREE_CMD_EDIT));
    EXPECT_EQ(Data_Tree_Command(item_data_tree, sword_entry, TREE_CMD_EDIT), TREE_ROOT);
    EXPECT_TRUE(Data_Tree_Command_Enabled(fixitem_data_tree, door_entry, TREE_CMD_EDIT));
    EXPECT_TRUE(edits.empty());
}

// A greyed command does nothing when it comes anyway (the dialog's
// buttons act on any selected entry).
TEST_F(DataTrees, GreyedCommandsChangeNothing) {
    const DatabaseFiles before = Database_Files_Of_Tables();
    EXPECT_EQ(Data_Tree_Command(item_data_tree, item_data_tree.Recycle_Bin(), TREE_CMD_DELETE), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(item_data_tree, body_entry, TREE_CMD_INSERT_COPY), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(item_data_tree, body_entry, TREE_CMD_EDIT), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(fixitem_data_tree, reserved_entry, TREE_CMD_INSERT_COPY), TREE_ROOT);
    // On a folder the Part's program edits record 0 and copies record
    // 0xFFFF; here both are greyed in every tree.
    EXPECT_EQ(Data_Tree_Command(char_data_tree, people, TREE_CMD_EDIT), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(char_data_tree, people, TREE_CMD_INSERT_COPY), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(item_data_tree, weapons, TREE_CMD_EDIT), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(item_data_tree, TREE_ROOT, TREE_CMD_DELETE), TREE_ROOT);
    EXPECT_TRUE(Database_Files_Of_Tables() == before);
    EXPECT_TRUE(edits.empty());
}

// ---- Inserting ----

TEST_F(DataTrees, ANewTypeGoesRightAfterTheSelectedEntryWithItsDefaults) {
    struct row {
        int kind;
        std::function<TreeItem(DataTrees&)> selected;
        const char* label;
        std::function<std::size_t()> count;
    };
    const std::vector<row> rows = {
        {OBJ_CHAR, [](DataTrees& t) { return t.warrior_entry; }, "New char", [] { return char_data.size(); }},
        {OBJ_ITEM, [](DataTrees& t) { return t.sword_entry; }, "New item", [] { return item_types.size(); }},
        {OBJ_FIXITEM, [](DataTrees& t) { return t.door_entry; }, "New fixitem", [] { return fixitem_data.size(); }},
    };
    for (const row& r : rows) {
        CDataTree& tree = *Editor_Data_Tree(r.kind);
        const TreeItem s = r.selected(*this);
        const std::size_t records = r.count();
        const TreeItem added = Data_Tree_Command(tree, s, TREE_CMD_INSERT_NEW);
        ASSERT_TRUE(tree.Valid(added)) << r.label;
        EXPECT_EQ(tree.Parent(added), tree.Parent(s)) << r.label;
        EXPECT_EQ(tree.Next_Sibling(s), added) << r.label;
        EXPECT_EQ(tree.Label(added), r.label);
        EXPECT_EQ(tree.Image(added), r.kind);
        EXPECT_EQ(tree.Parameter(added), records) << "the entry names the new record";
        EXPECT_EQ(r.count(), records + 1);
    }
    EXPECT_STREQ(char_data.back().name, "New char");
    EXPECT_STREQ(char_data.back().body_name, "bug");
    EXPECT_EQ(char_data.back().first_mod, NO_INDEX);
    EXPECT_STREQ(item_types.back().name, "New item");
    EXPECT_EQ(item_types.back().size, 0x23) << "the database's default";
    EXPECT_STREQ(fixitem_data_ext.back().name, "New fixitem");
    EXPECT_STREQ(fixitem_data.back().sprite_name, "talaj01");
}

TEST_F(DataTrees, WithoutASelectedEntryInsertsGoLastAtTheTopLevel) {
    const TreeItem folder = Data_Tree_Command(char_data_tree, TREE_ROOT, TREE_CMD_INSERT_FOLDER);
    const TreeItem type = Data_Tree_Command(char_data_tree, TREE_ROOT, TREE_CMD_INSERT_NEW);
    EXPECT_EQ(Labels(char_data_tree, TREE_ROOT),
              (std::vector<std::string>{"People", "Recycle Bin", "New Folder", "New char"}));
    EXPECT_EQ(char_data_tree.Image(folder), TREE_FOLDER);
    EXPECT_EQ(char_data_tree.Parameter(folder), 0u);
    EXPECT_EQ(char_data_tree.Image(type), OBJ_CHAR);
}

TEST_F(DataTrees, ANewFolderGoesAfterTheSelectedEntryInsideItsFolder) {
    const TreeItem folder = Data_Tree_Command(item_data_tree, sword_entry, TREE_CMD_INSERT_FOLDER);
    EXPECT_EQ(Labels(item_data_tree, weapons), (std::vector<std::string>{"Sword", "New Folder", "Pack"}));
    EXPECT_EQ(item_data_tree.Image(folder), TREE_FOLDER);
}

TEST_F(DataTrees, ACopiedTypeHasNoModifiersWhateverTheSourceHad) {
    ASSERT_NE(item_types[sword].first_mod, -1) << "the fixture's sword carries Iron Skin";
    const item_type source = item_types[sword];
    const TreeItem copy = Data_Tree_Command(item_data_tree, sword_entry, TREE_CMD_INSERT_COPY);
    ASSERT_TRUE(item_data_tree.Valid(copy));
    const item_type& made = item_types[item_data_tree.Parameter(copy)];
    EXPECT_EQ(made.first_mod, -1);
    item_type same = made;
    same.first_mod = source.first_mod;
    EXPECT_EQ(std::memcmp(&same, &source, sizeof same), 0) << "everything else is copied";
    EXPECT_EQ(item_data_tree.Label(copy), "Sword");
    EXPECT_EQ(item_data_tree.Next_Sibling(sword_entry), copy);

    ASSERT_NE(char_data[CT_HERO].first_mod, NO_INDEX);
    const TreeItem hero_copy = Data_Tree_Command(char_data_tree, hero_entry, TREE_CMD_INSERT_COPY);
    EXPECT_EQ(char_data[char_data_tree.Parameter(hero_copy)].first_mod, NO_INDEX);
    EXPECT_STREQ(char_data[char_data_tree.Parameter(hero_copy)].name, "Hero");

    fixitem_data_ext[DB_DOOR].first_mod = 7;
    const TreeItem door_copy = Data_Tree_Command(fixitem_data_tree, door_entry, TREE_CMD_INSERT_COPY);
    const std::uint32_t f = fixitem_data_tree.Parameter(door_copy);
    EXPECT_EQ(fixitem_data_ext[f].first_mod, NO_INDEX);
    EXPECT_STREQ(fixitem_data_ext[f].name, "Door");
    EXPECT_EQ(std::memcmp(&fixitem_data[f], &fixitem_data[DB_DOOR], sizeof(fixitem_type)), 0);
}

// The Part's program adds an entry naming record -1 when the table is full.
TEST_F(DataTrees, AnInsertWhoseRecordCannotBeAppendedAddsNoEntry) {
    char_data.resize(MAX_CHAR_TYPES);
    const std::size_t entries = char_data_tree.Count();
    EXPECT_EQ(Data_Tree_Command(char_data_tree, warrior_entry, TREE_CMD_INSERT_NEW), TREE_ROOT);
    EXPECT_EQ(Data_Tree_Command(char_data_tree, warrior_entry, TREE_CMD_INSERT_COPY), TREE_ROOT);
    EXPECT_EQ(char_data_tree.Count(), entries);
    EXPECT_EQ(char_data.size(), MAX_CHAR_TYPES);
    ASSERT_FALSE(Headless_Backend().boxes.empty());
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Can't realloc character data!");
}

// ---- Deleting ----

TEST_F(DataTrees, DeletingAFolderOfFiveTypesMovesAllSixEntriesInOrderToTheEndOfTheBin) {
    const TreeItem five = fixitem_data_tree.Insert_Item("Five", TREE_FOLDER, 0, things);
    for (std::uint16_t t : {DB_GRASS, DB_DOOR, DB_WALL, DB_STONE, DB_POST})
        fixitem_data_tree.Insert_Item(fixitem_data_ext[t].name, OBJ_FIXITEM, t, five);
    const TreeItem bin = fixitem_data_tree.Recycle_Bin();
    fixitem_data_tree.Insert_Item("Deleted before", TREE_FOLDER, 0, bin);
    const std::size_t records = fixitem_data.size();
    const std::size_t entries = fixitem_data_tree.Count();

    EXPECT_EQ(Data_Tree_Command(fixitem_data_tree, five, TREE_CMD_DELETE), five);
    EXPECT_EQ(Labels(fixitem_data_tree, bin), (std::vector<std::string>{"Deleted before", "Five"}));
    EXPECT_EQ(Labels(fixitem_data_tree, five), (std::vector<std::string>{"Grass", "Door", "Wall", "Stone", "Post"}));
    EXPECT_EQ(Labels(fixitem_data_tree, things), (std::vector<std::string>{"Door", "Wall", "Post"}));
    EXPECT_EQ(fixitem_data_tree.Count(), entries) << "entries are moved, none deleted";
    EXPECT_EQ(fixitem_data.size(), records) << "the database keeps the records";
}

TEST_F(DataTrees, DeletingInsideTheBinMovesTheEntryToItsEnd) {
    const TreeItem bin = item_data_tree.Recycle_Bin();
    Data_Tree_Command(item_data_tree, sword_entry, TREE_CMD_DELETE);
    Data_Tree_Command(item_data_tree, pack_entry, TREE_CMD_DELETE);
    EXPECT_EQ(Labels(item_data_tree, bin), (std::vector<std::string>{"Sword", "Pack"}));
    Data_Tree_Command(item_data_tree, sword_entry, TREE_CMD_DELETE);
    EXPECT_EQ(Labels(item_data_tree, bin), (std::vector<std::string>{"Pack", "Sword"}));
    Data_Tree_Command(item_data_tree, sword_entry, TREE_CMD_DELETE);
    EXPECT_EQ(Labels(item_data_tree, bin), (std::vector<std::string>{"Pack", "Sword"}));
}

// The Part's program keeps the handle of the bin it made when the dialog
// opened, which the database's reload replaced.
TEST_F(DataTrees, DeleteUsesTheBinOfTheTreeAsLoaded) {
    fixitem_data_tree.Insert_Item("Kept", TREE_FOLDER, 0, fixitem_data_tree.Recycle_Bin());
    Save_Database();
    ASSERT_EQ(view.status, "Database saved");
    Load_Database();
    ASSERT_EQ(view.status, "Database loaded");
    const TreeItem bin = fixitem_data_tree.Recycle_Bin();
    ASSERT_EQ(Labels(fixitem_data_tree, bin), std::vector<std::string>{"Kept"});
    const TreeItem things_now = fixitem_data_tree.Children(TREE_ROOT)[2];
    ASSERT_EQ(fixitem_data_tree.Label(things_now), "Things");
    Data_Tree_Command(fixitem_data_tree, things_now, TREE_CMD_DELETE);
    EXPECT_EQ(Labels(fixitem_data_tree, bin), (std::vector<std::string>{"Kept", "Things"}));
    EXPECT_EQ(Labels(fixitem_data_tree, TREE_ROOT), (std::vector<std::string>{"Reserved", "Floors", "Recycle Bin"}));
}

// ---- Editing ----

TEST_F(DataTrees, EditOpensTheTreesTypeEditorThenRelabelsEmptiesTheFieldListAndSelectsAgain) {
    edit_renames = [](std::uint16_t type) { std::strcpy(char_data[type].name, "Veteran"); };
    Right_Click(F(2, 2));
    ASSERT_FALSE(field_objects.entries.empty());
    EXPECT_EQ(Data_Tree_Command(char_data_tree, warrior_entry, TREE_CMD_EDIT), warrior_entry);
    edit_renames = nullptr;
    EXPECT_EQ(edits, std::vector<std::uint16_t>{CT_WARRIOR});
    EXPECT_EQ(char_data_tree.Label(warrior_entry), "Veteran");
    EXPECT_TRUE(field_objects.entries.empty()) << "the field list is emptied";
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_CHAR, CT_WARRIOR}));
    EXPECT_EQ(selection_on_map, 0u);
    EXPECT_NE(preview_owned_sprite, nullptr) << "the preview shows the type again";
}

TEST_F(DataTrees, EditOnAnEntryNamingNoRecordIsRefused) {
    const TreeItem stray = item_data_tree.Insert_Item("Stray", OBJ_ITEM, 5000, weapons);
    EXPECT_EQ(Data_Tree_Command(item_data_tree, stray, TREE_CMD_EDIT), TREE_ROOT);
    EXPECT_EQ(view.status, TEXT_TYPE_NOT_IN_DATABASE);
    EXPECT_TRUE(edits.empty());
    const std::size_t records = item_types.size();
    EXPECT_EQ(Data_Tree_Command(item_data_tree, stray, TREE_CMD_INSERT_COPY), TREE_ROOT);
    EXPECT_EQ(item_types.size(), records);
}

// ---- Renaming ----

TEST_F(DataTrees, ARenameKeepsTheWholeLabelAndCutsTheRecordsName) {
    const std::string thirty = "A name of exactly thirty chars";
    ASSERT_EQ(thirty.size(), 30u);
    Data_Tree_Rename(char_data_tree, warrior_entry, thirty);
    Data_Tree_Rename(item_data_tree, sword_entry, thirty);
    Data_Tree_Rename(fixitem_data_tree, door_entry, thirty);
    EXPECT_EQ(char_data_tree.Label(warrior_entry), thirty);
    EXPECT_EQ(item_data_tree.Label(sword_entry), thirty);
    EXPECT_EQ(fixitem_data_tree.Label(door_entry), thirty);
    EXPECT_EQ(std::string(char_data[CT_WARRIOR].name), thirty.substr(0, 20));
    EXPECT_EQ(std::string(item_types[sword].name), thirty.substr(0, 23));
    EXPECT_EQ(std::string(fixitem_data_ext[DB_DOOR].name), thirty.substr(0, 20));
    // The stream keeps a label's first 19 characters.
    CDataTree read(OBJ_CHAR);
    Copy_Tree(char_data_tree, read);
    EXPECT_EQ(read.Label(read.Children(read.Children(TREE_ROOT)[0])[0]), thirty.substr(0, 19));
}

TEST_F(DataTrees, TheBinAndTheDeadBodyKeepTheirLabelsAndAnEmptyTextChangesNothing) {
    EXPECT_FALSE(Data_Tree_Can_Rename(item_data_tree, item_data_tree.Recycle_Bin()));
    EXPECT_FALSE(Data_Tree_Can_Rename(item_data_tree, body_entry));
    EXPECT_TRUE(Data_Tree_Can_Rename(item_data_tree, sword_entry));
    EXPECT_TRUE(Data_Tree_Can_Rename(fixitem_data_tree, reserved_entry));
    const std::string body_name = item_types[ITEM_TYPE_DEAD_BODY].name;
    Data_Tree_Rename(item_data_tree, body_entry, "Not dead");
    Data_Tree_Rename(item_data_tree, item_data_tree.Recycle_Bin(), "Trash");
    Data_Tree_Rename(item_data_tree, sword_entry, "");
    EXPECT_EQ(item_data_tree.Label(body_entry), "Dead body");
    EXPECT_EQ(item_types[ITEM_TYPE_DEAD_BODY].name, body_name);
    EXPECT_EQ(item_data_tree.Label(item_data_tree.Recycle_Bin()), RECYCLE_BIN_LABEL);
    EXPECT_EQ(item_data_tree.Label(sword_entry), "Sword");
    EXPECT_STREQ(item_types[sword].name, "Sword");
}

// The Part's program writes a folder's new label into record 0's name.
TEST_F(DataTrees, RenamingAFolderChangesItsLabelOnly) {
    const DatabaseFiles before = Database_Files_Of_Tables();
    Data_Tree_Rename(char_data_tree, people, "Folk");
    EXPECT_EQ(char_data_tree.Label(people), "Folk");
    DatabaseFiles after = Database_Files_Of_Tables();
    EXPECT_TRUE(after[DB_CHAR_FILE] == before[DB_CHAR_FILE]);
    EXPECT_TRUE(after[DB_ITEM_FILE] == before[DB_ITEM_FILE]);
    EXPECT_TRUE(after[DB_FIXITEM_FILE] == before[DB_FIXITEM_FILE]);
}

// ---- Drag and drop ----

TEST_F(DataTrees, AFolderDroppedOnItsOwnChildIsRefusedAndStays) {
    const TreeItem inner = fixitem_data_tree.Insert_Item("Inner", TREE_FOLDER, 0, things);
    const std::vector<std::uint8_t> before = [] {
        std::vector<std::uint8_t> s;
        fixitem_data_tree.Save_Tree(s);
        return s;
    }();
    EXPECT_EQ(Data_Tree_Drop(fixitem_data_tree, things, door_entry), DropResult::Refused);
    EXPECT_EQ(Data_Tree_Drop(fixitem_data_tree, things, inner), DropResult::Refused);
    EXPECT_EQ(Data_Tree_Drop(fixitem_data_tree, things, things), DropResult::Refused) << "last into itself";
    std::vector<std::uint8_t> after;
    fixitem_data_tree.Save_Tree(after);
    EXPECT_EQ(after, before);
}

TEST_F(DataTrees, ADropAfterAnObjectOrLastIntoAFolder) {
    // A folder onto an object of another folder: right after that object.
    EXPECT_EQ(Data_Tree_Drop(fixitem_data_tree, floors, door_entry), DropResult::Moved);
    EXPECT_EQ(Labels(fixitem_data_tree, things), (std::vector<std::string>{"Door", "Floors", "Wall", "Post"}));
    EXPECT_EQ(Labels(fixitem_data_tree, floors), (std::vector<std::string>{"Grass", "Stone"}));
    // An object onto a folder: last into it.
    EXPECT_EQ(Data_Tree_Drop(fixitem_data_tree, reserved_entry, floors), DropResult::Moved);
    EXPECT_EQ(Labels(fixitem_data_tree, floors), (std::vector<std::string>{"Grass", "Stone", "Reserved"}));
    // Onto a top-level object: beside it at the top level.
    EXPECT_EQ(Data_Tree_Drop(fixitem_data_tree, door_entry, fixitem_data_tree.Recycle_Bin()), DropResult::Moved);
    EXPECT_EQ(Labels(fixitem_data_tree, fixitem_data_tree.Recycle_Bin()), std::vector<std::string>{"Door"});
    EXPECT_EQ(Data_Tree_Drop(item_data_tree, sword_entry, body_entry), DropResult::Moved);
    EXPECT_EQ(Labels(item_data_tree, TREE_ROOT),
              (std::vector<std::string>{"Weapons", "Dead body", "Sword", "Recycle Bin"}));
}

// The Part's program highlights the first entry when the mouse is over
// none, but keeps no target.
TEST_F(DataTrees, NoTargetOrTheBinDraggedMovesNothing) {
    std::vector<std::uint8_t> before;
    item_data_tree.Save_Tree(before);
    EXPECT_EQ(Data_Tree_Drop(item_data_tree, sword_entry, TREE_ROOT), DropResult::Nothing);
    EXPECT_FALSE(Data_Tree_Can_Drag(item_data_tree, item_data_tree.Recycle_Bin()));
    EXPECT_TRUE(Data_Tree_Can_Drag(item_data_tree, body_entry));
    EXPECT_EQ(Data_Tree_Drop(item_data_tree, item_data_tree.Recycle_Bin(), weapons), DropResult::Nothing);
    std::vector<std::uint8_t> after;
    item_data_tree.Save_Tree(after);
    EXPECT_EQ(after, before);
}

// ---- Selection and placing ----

TEST_F(DataTrees, TheSelectedEntryIsTheEditorsSelection) {
    Set_Editor_Selection(OBJ_ITEM, 4, true);
    EXPECT_TRUE(Data_Tree_Update_Selection(fixitem_data_tree, door_entry));
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_FIXITEM, DB_DOOR}));
    EXPECT_EQ(selection_on_map, 0u);
    EXPECT_FALSE(Data_Tree_Update_Selection(fixitem_data_tree, door_entry)) << "no change";
    EXPECT_TRUE(Data_Tree_Update_Selection(fixitem_data_tree, things));
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_NONE, NO_INDEX}));
    Set_Editor_Selection(OBJ_CHAR, CT_HERO, false);
    EXPECT_FALSE(Data_Tree_Update_Selection(fixitem_data_tree, TREE_ROOT)) << "no entry: nothing happens";
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_CHAR, CT_HERO}));
}

TEST_F(DataTrees, EachTreePlacesItsTypes) {
    char_data[CT_WARRIOR].slots[SLOT_RIGHT_HAND] = static_cast<std::int16_t>(sword);
    const auto pick = [](const CDataTree& tree, TreeItem entry) {
        Data_Tree_Update_Selection(tree, entry);
        Editor_Show_Selection_Preview();
    };
    pick(fixitem_data_tree, door_entry);
    Click(F(2, 2));
    pick(fixitem_data_tree, fixitem_data_tree.Children(floors)[1]);  // Stone, a ground type
    Click(F(3, 3));
    pick(char_data_tree, warrior_entry);
    Click(F(4, 4));
    pick(item_data_tree, pack_entry);
    Click(F(5, 5));

    const std::vector<obj_ref> door_field = Objects_On(F(2, 2));
    ASSERT_EQ(door_field.size(), 1u);
    EXPECT_EQ(fixitem_types[maparray.records[Obj_Index(door_field[0])].type].db_index, DB_DOOR);
    EXPECT_EQ(fixitem_types[maparray.records[F(3, 3)].type].db_index, DB_STONE) << "the field itself";
    const std::uint16_t c = Char_On_Field(F(4, 4));
    ASSERT_NE(c, NO_INDEX);
    EXPECT_EQ(chararray.records[c].db_type, CT_WARRIOR);
    EXPECT_EQ(itemarray.records[Char_Slot_Item(c, SLOT_RIGHT_HAND)].type, sword) << "with its items";
    const std::vector<obj_ref> pack_field = Objects_On(F(5, 5));
    ASSERT_EQ(pack_field.size(), 1u);
    EXPECT_EQ(itemarray.records[Obj_Index(pack_field[0])].type, pack);
    Expect_Map_Sound("after placing from the trees");

    // The refusals: the dead body, a second main character.
    pick(item_data_tree, body_entry);
    Click(F(6, 6));
    EXPECT_EQ(view.status, TEXT_NO_CORPSE_INSERT);
    EXPECT_EQ(view.focused.back(), EditorTree::Items);
    pick(char_data_tree, hero_entry);
    Click(F(7, 7));
    ASSERT_NE(Char_On_Field(F(7, 7)), NO_INDEX);
    pick(char_data_tree, hero_entry);
    Click(F(8, 8));
    EXPECT_EQ(view.status, TEXT_ONLY_ONE_MAIN);
    EXPECT_EQ(view.focused.back(), EditorTree::Chars);
    EXPECT_EQ(Char_On_Field(F(8, 8)), NO_INDEX);
    EXPECT_TRUE(Objects_On(F(6, 6)).empty());
}

// The tree dialog opens with a bin in each tree; the database's trees keep
// theirs.
TEST_F(DataTrees, OpeningGivesEachTreeItsBinOnce) {
    Reset_Database_State();
    Open_Data_Trees();
    Open_Data_Trees();
    for (int kind : {OBJ_ITEM, OBJ_FIXITEM, OBJ_CHAR})
        EXPECT_EQ(Labels(*Editor_Data_Tree(kind), TREE_ROOT), std::vector<std::string>{"Recycle Bin"});
    EXPECT_EQ(Editor_Data_Tree(OBJ_NONE), nullptr);
}

}  // namespace
