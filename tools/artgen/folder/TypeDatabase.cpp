#include "tools/artgen/folder/TypeDatabase.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "platform/PathResolver.h"
#include "tools/artgen/folder/CharacterTypes.h"
#include "tools/artgen/folder/FixitemTypes.h"
#include "tools/artgen/folder/ItemDatabase.h"

namespace art {

namespace {

// The folder of an item type in the item tree, by its class.
const char* Item_Folder(std::uint8_t item_class) {
    switch (item_class) {
        case CLASS_SWORD:
        case CLASS_MACE:
        case CLASS_AXE:
        case CLASS_PIKE:
        case CLASS_KNIFE:
        case CLASS_ASSASSIN:
        case CLASS_BOW:
        case CLASS_ARROW: return "Weapons";
        case CLASS_NECKLACE:
        case CLASS_RING: return "Jewellery";
        case CLASS_SCROLL: return "Scrolls and books";
        case CLASS_KEY: return "Keys";
        case CLASS_POTION: return "Potions";
        case CLASS_CORPSE:
        case CLASS_OTHER: return "Other";
        default: return "Armour";
    }
}

struct Entry {
    std::string label;
    std::string folder;
    std::uint32_t record;
};

// A tree of one folder for each folder named, in the order they are first
// named, the entries in each in their order, and the "Recycle Bin" last.
void Build_Tree(CDataTree& tree, const std::vector<Entry>& entries) {
    tree.Delete_All_Items();
    std::vector<std::pair<std::string, TreeItem>> folders;
    for (const Entry& e : entries) {
        auto folder = std::find_if(folders.begin(), folders.end(), [&](const auto& f) { return f.first == e.folder; });
        if (folder == folders.end()) {
            folders.emplace_back(e.folder, tree.Insert_Item(e.folder, TREE_FOLDER, 0));
            folder = folders.end() - 1;
        }
        tree.Insert_Item(e.label, tree.Kind(), e.record, folder->second);
    }
    tree.Create_Recycle_Bin();
}

// The programs of a type as its chain in the pool: a chain is read from its
// newest record, so they are added last first.
void Add_Programs(obj_ref owner, const std::vector<TypeProgram>& programs) {
    for (auto p = programs.rbegin(); p != programs.rend(); ++p)
        Add_Mod_To_Owner(0, owner, p->kind, p->p1, p->p2, p->p3, p->p4);
}

void Build_Item_Types() {
    item_types = Default_Item_Types();
    std::vector<Entry> entries;
    for (std::size_t i = ITEM_TYPE_DEAD_BODY; i < item_types.size(); ++i) {
        const auto row = static_cast<std::uint16_t>(i);
        Add_Programs(Make_Obj(OBJ_ITEM, row), Item_Type_Programs(row));
        entries.push_back({item_types[i].name, Item_Folder(item_types[i].item_class), row});
    }
    Build_Tree(item_data_tree, entries);
}

void Build_Fixitem_Types() {
    const std::vector<FixitemTypeDef>& defs = Default_Fixitem_Types();
    Alloc_Fixitem_Types(static_cast<std::uint32_t>(defs.size()) + TYPE_TABLE_STEP);
    std::vector<Entry> entries;
    for (std::size_t row = 0; row < defs.size(); ++row) {
        New_Fixitem_Type();
        fixitem_data[row] = Fixitem_Type_Record(static_cast<std::uint16_t>(row));
        std::strncpy(fixitem_data_ext[row].name, defs[row].name, sizeof fixitem_data_ext[row].name - 1);
        Add_Programs(Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(row)), defs[row].programs);
        // Row 0, the reserved type of a field without a floor, is not placed from the tree.
        if (row != 0) entries.push_back({defs[row].name, defs[row].folder, static_cast<std::uint32_t>(row)});
    }
    Build_Tree(fixitem_data_tree, entries);
}

void Build_Char_Types() {
    const std::vector<CharTypeDef>& defs = Default_Char_Types();
    Alloc_Char_Types(static_cast<std::uint32_t>(defs.size()) + TYPE_TABLE_STEP);
    std::vector<Entry> entries;
    for (std::size_t row = 0; row < defs.size(); ++row) {
        New_Char_Type();
        char_data[row] = Char_Type_Record(static_cast<std::uint16_t>(row));
        Add_Programs(Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(row)), defs[row].programs);
        entries.push_back({defs[row].name, defs[row].folder, static_cast<std::uint32_t>(row)});
    }
    Build_Tree(char_data_tree, entries);
}

}  // namespace

void Build_Type_Database() {
    Reset_Database_State();
    // The pool: record 0 is never handed out, the rest free in rising order.
    Init_Mod_Free_List();
    mod_data.first_free = 1;
    Build_Item_Types();
    Build_Fixitem_Types();
    Build_Char_Types();
    database_in_memory = 1;
}

bool Write_Type_Database(const std::filesystem::path& root) {
    const std::filesystem::path kept_folder = Working_Folder();
    DatafilesHooks& hooks = Datafiles_Hooks();
    const DatafilesHooks kept_hooks = hooks;
    // The database writer reports through the status line only.
    static bool saved = false;
    saved = false;
    hooks.editor_message = [](const char* text) { saved = std::strcmp(text, "Database saved") == 0; };
    Set_Working_Folder(root);

    Build_Type_Database();
    Save_Database();

    Set_Working_Folder(kept_folder);
    hooks = kept_hooks;
    return saved;
}

}  // namespace art
