// What the editor's data trees do to their entries and to the database
// records the entries name: the context menu's commands (a new type, a
// copy of a type, a folder, editing a type, deleting into the "Recycle
// Bin"), renaming in place with the name cut into its record, and dropping a
// dragged entry. The trees are the database's (item_data_tree,
// fixitem_data_tree, char_data_tree); a tree control shows one and calls
// these.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/DataTree.h"

// The context menu's commands, in the menu's order.
constexpr int TREE_CMD_INSERT_NEW = 100;
constexpr int TREE_CMD_INSERT_COPY = 104;
constexpr int TREE_CMD_INSERT_FOLDER = 101;
constexpr int TREE_CMD_EDIT = 102;
constexpr int TREE_CMD_DELETE = 103;

constexpr const char* TEXT_INSERT_NEW = "Insert a new object";
constexpr const char* TEXT_INSERT_COPY = "Insert a copy of object";
constexpr const char* TEXT_INSERT_FOLDER = "Insert new folder";
constexpr const char* TEXT_EDIT_OBJECT = "Edit object";
constexpr const char* TEXT_DELETE_OBJECT = "Delete object";

// The labels of new entries, and the pictures new types start with.
constexpr const char* TEXT_NEW_CHAR = "New char";
constexpr const char* TEXT_NEW_ITEM = "New item";
constexpr const char* TEXT_NEW_FIXITEM = "New fixitem";
constexpr const char* TEXT_NEW_FOLDER = "New Folder";
constexpr const char* NEW_CHAR_BODY = "bug";
constexpr const char* NEW_FIXITEM_SPRITE = "talaj01";

// An entry names a record its table does not hold.
constexpr const char* TEXT_TYPE_NOT_IN_DATABASE = "This type is not in the database.";

// The fixitem type that is the map's plain field: like the dead body
// (ITEM_TYPE_DEAD_BODY) it is neither copied nor edited from its tree; the
// dead body also keeps its name.
constexpr std::uint32_t RESERVED_FIXITEM_TYPE = 0;

// The editor's tree of a kind (2 characters, 3 items, 5 fixitems); nullptr
// for another kind.
CDataTree* Editor_Data_Tree(int kind);
// Each of the three trees has its "Recycle Bin" (made where one is missing),
// as the tree dialog opens.
void Open_Data_Trees();

// ---- Selection ----
// The entry the designer selected (TREE_ROOT none) becomes the editor's
// selection: a database type, or for a folder kind 0 with no index.
// Nothing without an entry. True when the selection changed.
bool Data_Tree_Update_Selection(const CDataTree& tree, TreeItem selected);

// ---- The context menu ----
struct tree_menu_entry {
    int command;
    const char* text;
    bool enabled;
};
// The menu for the entry under the mouse (TREE_ROOT none), in its order,
// each entry enabled or greyed: a copy and an edit need an object entry
// (not the dead body, not the reserved fixitem type), an edit also the
// type editor of the tree's kind; a delete any entry but the "Recycle
// Bin"; the two inserts are always offered.
std::vector<tree_menu_entry> Data_Tree_Menu(const CDataTree& tree, TreeItem entry);
bool Data_Tree_Command_Enabled(const CDataTree& tree, TreeItem entry, int command);
// Carries out a command on the selected entry S (TREE_ROOT none: the
// inserts go last among the top-level entries). Gives the entry to select
// afterwards (the new or moved entry, S after an edit), TREE_ROOT when
// nothing was done: the command was greyed, or no record could be
// appended.
TreeItem Data_Tree_Command(CDataTree& tree, TreeItem selected, int command);

// ---- Renaming ----
// The "Recycle Bin" and the dead body keep their labels.
bool Data_Tree_Can_Rename(const CDataTree& tree, TreeItem entry);
// The label becomes text; an object entry's record takes the name too, cut
// to its field (20 characters for a character type, 23 for an item type,
// 20 for a fixitem type). An empty text changes nothing.
void Data_Tree_Rename(CDataTree& tree, TreeItem entry, const std::string& text);

// ---- Drag and drop ----
// Every entry but the "Recycle Bin" can be dragged.
bool Data_Tree_Can_Drag(const CDataTree& tree, TreeItem entry);
enum class DropResult { Moved, Refused, Nothing };
// The dragged entry dropped on target: after the target when it is an
// object, last into it when it is a folder. Refused (the caller beeps) when
// that place lies inside the dragged entry's own subtree; Nothing without a
// target or a dragged entry.
DropResult Data_Tree_Drop(CDataTree& tree, TreeItem dragged, TreeItem target);
