#include "editor/DataTreeEdit.h"

#include <algorithm>
#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/ObjRef.h"
#include "Objects/TypeTables.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "editor/FieldObjectList.h"
#include "editor/Preview.h"

namespace {

bool Is_Object(const CDataTree& tree, TreeItem entry) { return tree.Valid(entry) && tree.Image(entry) != TREE_FOLDER; }

bool Is_Bin(const CDataTree& tree, TreeItem entry) {
    return tree.Valid(entry) && (entry == tree.Recycle_Bin() || tree.Label(entry) == RECYCLE_BIN_LABEL);
}

// The records a tree's entries name.
std::size_t Table_Size(int kind) {
    switch (kind) {
        case OBJ_CHAR: return char_data.size();
        case OBJ_ITEM: return item_types.size();
        case OBJ_FIXITEM: return std::min(fixitem_data.size(), fixitem_data_ext.size());
        default: return 0;
    }
}

bool Record_In_Table(const CDataTree& tree, TreeItem entry) {
    return Is_Object(tree, entry) && tree.Parameter(entry) < Table_Size(tree.Kind());
}

// The dead body in the item tree, the reserved type in the fixitem tree.
bool Is_Protected_Type(const CDataTree& tree, TreeItem entry) {
    if (!Is_Object(tree, entry)) return false;
    const std::uint32_t record = tree.Parameter(entry);
    return (tree.Kind() == OBJ_ITEM && record == ITEM_TYPE_DEAD_BODY) ||
           (tree.Kind() == OBJ_FIXITEM && record == RESERVED_FIXITEM_TYPE);
}

// The type editor of a tree's kind, nullptr until its dialog is installed.
void (*Type_Editor(int kind))(std::uint16_t) {
    const EditorDialogs& dialogs = Editor_Dialogs();
    switch (kind) {
        case OBJ_CHAR: return dialogs.edit_char_type;
        case OBJ_ITEM: return dialogs.edit_item_type;
        case OBJ_FIXITEM: return dialogs.edit_fixitem_type;
        default: return nullptr;
    }
}

// A name into a record's field, cut to the field and always terminated.
template <std::size_t N>
void Set_Name(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

template <std::size_t N>
std::string Name_Of(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

std::string Record_Name(int kind, std::uint32_t record) {
    if (record >= Table_Size(kind)) return {};
    switch (kind) {
        case OBJ_CHAR: return Name_Of(char_data[record].name);
        case OBJ_ITEM: return Name_Of(item_types[record].name);
        case OBJ_FIXITEM: return Name_Of(fixitem_data_ext[record].name);
        default: return {};
    }
}

void Set_Record_Name(int kind, std::uint32_t record, const std::string& name) {
    if (record >= Table_Size(kind)) return;
    switch (kind) {
        case OBJ_CHAR: Set_Name(char_data[record].name, name); break;
        case OBJ_ITEM: Set_Name(item_types[record].name, name); break;
        case OBJ_FIXITEM: Set_Name(fixitem_data_ext[record].name, name); break;
        default: break;
    }
}

// A new record of the kind with its defaults, or -1 when the table cannot
// take one (its growth has reported why).
std::int32_t New_Record(int kind) {
    switch (kind) {
        case OBJ_CHAR: {
            const std::int32_t c = New_Char_Type();
            if (c >= 0) Set_Name(char_data[static_cast<std::size_t>(c)].body_name, NEW_CHAR_BODY);
            return c;
        }
        case OBJ_ITEM: return New_Item_Type();
        case OBJ_FIXITEM: {
            const std::int32_t f = New_Fixitem_Type();
            if (f >= 0) Set_Name(fixitem_data[static_cast<std::size_t>(f)].sprite_name, NEW_FIXITEM_SPRITE);
            return f;
        }
        default: return -1;
    }
}

// A new record holding a copy of record source, its modifiers not copied;
// -1 when the table cannot take one. The source is copied before the table
// grows, which may move it.
std::int32_t Copy_Record(int kind, std::uint32_t source) {
    switch (kind) {
        case OBJ_CHAR: {
            const char_record copy = char_data[source];
            const std::int32_t c = New_Char_Type();
            if (c < 0) return -1;
            char_data[static_cast<std::size_t>(c)] = copy;
            char_data[static_cast<std::size_t>(c)].first_mod = NO_INDEX;
            return c;
        }
        case OBJ_ITEM: {
            const item_type copy = item_types[source];
            const std::int32_t i = New_Item_Type();
            if (i < 0) return -1;
            item_types[static_cast<std::size_t>(i)] = copy;
            item_types[static_cast<std::size_t>(i)].first_mod = -1;
            return i;
        }
        case OBJ_FIXITEM: {
            const fixitem_type copy = fixitem_data[source];
            const fixitem_ext names = fixitem_data_ext[source];
            const std::int32_t f = New_Fixitem_Type();
            if (f < 0) return -1;
            fixitem_data[static_cast<std::size_t>(f)] = copy;
            fixitem_data_ext[static_cast<std::size_t>(f)] = names;
            fixitem_data_ext[static_cast<std::size_t>(f)].first_mod = NO_INDEX;
            return f;
        }
        default: return -1;
    }
}

const char* New_Label(int kind) {
    switch (kind) {
        case OBJ_CHAR: return TEXT_NEW_CHAR;
        case OBJ_ITEM: return TEXT_NEW_ITEM;
        default: return TEXT_NEW_FIXITEM;
    }
}

// An entry goes under the selected entry's parent right after it; without
// a selected entry, last among the top-level entries.
TreeItem Insert_After(CDataTree& tree, TreeItem selected, const std::string& label, std::int32_t image,
                      std::uint32_t parameter) {
    if (!tree.Valid(selected)) return tree.Insert_Item(label, image, parameter);
    return tree.Insert_Item(label, image, parameter, tree.Parent(selected), selected);
}

TreeItem Insert_New(CDataTree& tree, TreeItem selected) {
    const std::int32_t record = New_Record(tree.Kind());
    if (record < 0) return TREE_ROOT;
    const std::string label = New_Label(tree.Kind());
    Set_Record_Name(tree.Kind(), static_cast<std::uint32_t>(record), label);
    return Insert_After(tree, selected, label, tree.Kind(), static_cast<std::uint32_t>(record));
}

TreeItem Insert_Copy(CDataTree& tree, TreeItem selected) {
    if (!Record_In_Table(tree, selected)) {
        Editor_Message(TEXT_TYPE_NOT_IN_DATABASE);
        return TREE_ROOT;
    }
    const std::uint32_t source = tree.Parameter(selected);
    const std::int32_t record = Copy_Record(tree.Kind(), source);
    if (record < 0) return TREE_ROOT;
    return Insert_After(tree, selected, Record_Name(tree.Kind(), source), tree.Kind(),
                        static_cast<std::uint32_t>(record));
}

// The type's editor, then the entry shows the record's name; the field
// list is emptied (its objects may have changed with their type) and the
// entry is the selection again.
TreeItem Edit_Type(CDataTree& tree, TreeItem selected) {
    if (!Record_In_Table(tree, selected)) {
        Editor_Message(TEXT_TYPE_NOT_IN_DATABASE);
        return TREE_ROOT;
    }
    const std::uint32_t record = tree.Parameter(selected);
    Type_Editor(tree.Kind())(static_cast<std::uint16_t>(record));
    tree.Set_Label(selected, Record_Name(tree.Kind(), record));
    Editor_List_Field_Objects(-1, OBJ_NONE);
    Data_Tree_Update_Selection(tree, selected);
    Editor_Show_Selection_Preview();
    return selected;
}

// Deleted entries go last into the tree's bin, their records kept.
TreeItem Delete_To_Bin(CDataTree& tree, TreeItem selected) {
    if (!tree.Valid(tree.Recycle_Bin())) tree.Find_Recycle_Bin();
    return tree.Move_Tree_Item(selected, tree.Recycle_Bin(), TREE_LAST) ? selected : TREE_ROOT;
}

}  // namespace

CDataTree* Editor_Data_Tree(int kind) {
    switch (kind) {
        case OBJ_CHAR: return &char_data_tree;
        case OBJ_ITEM: return &item_data_tree;
        case OBJ_FIXITEM: return &fixitem_data_tree;
        default: return nullptr;
    }
}

void Open_Data_Trees() {
    for (CDataTree* tree : {&item_data_tree, &fixitem_data_tree, &char_data_tree})
        if (!tree->Valid(tree->Recycle_Bin())) tree->Find_Recycle_Bin();
}

bool Data_Tree_Update_Selection(const CDataTree& tree, TreeItem selected) {
    if (!tree.Valid(selected)) return false;
    const editor_selection_ref before = editor_selection;
    const std::uint32_t was_on_map = selection_on_map;
    if (Is_Object(tree, selected))
        Set_Editor_Selection(static_cast<std::uint16_t>(tree.Image(selected)),
                             static_cast<std::uint16_t>(tree.Parameter(selected)), false);
    else
        Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    return editor_selection != before || selection_on_map != was_on_map;
}

bool Data_Tree_Command_Enabled(const CDataTree& tree, TreeItem entry, int command) {
    switch (command) {
        case TREE_CMD_INSERT_NEW:
        case TREE_CMD_INSERT_FOLDER: return true;
        case TREE_CMD_INSERT_COPY: return Is_Object(tree, entry) && !Is_Protected_Type(tree, entry);
        case TREE_CMD_EDIT:
            return Is_Object(tree, entry) && !Is_Protected_Type(tree, entry) && Type_Editor(tree.Kind()) != nullptr;
        case TREE_CMD_DELETE: return tree.Valid(entry) && !Is_Bin(tree, entry);
        default: return false;
    }
}

std::vector<tree_menu_entry> Data_Tree_Menu(const CDataTree& tree, TreeItem entry) {
    std::vector<tree_menu_entry> menu = {{TREE_CMD_INSERT_NEW, TEXT_INSERT_NEW, false},
                                         {TREE_CMD_INSERT_COPY, TEXT_INSERT_COPY, false},
                                         {TREE_CMD_INSERT_FOLDER, TEXT_INSERT_FOLDER, false},
                                         {TREE_CMD_EDIT, TEXT_EDIT_OBJECT, false},
                                         {TREE_CMD_DELETE, TEXT_DELETE_OBJECT, false}};
    for (tree_menu_entry& e : menu) e.enabled = Data_Tree_Command_Enabled(tree, entry, e.command);
    return menu;
}

TreeItem Data_Tree_Command(CDataTree& tree, TreeItem selected, int command) {
    if (!tree.Valid(selected)) selected = TREE_ROOT;
    if (!Data_Tree_Command_Enabled(tree, selected, command)) return TREE_ROOT;
    switch (command) {
        case TREE_CMD_INSERT_NEW: return Insert_New(tree, selected);
        case TREE_CMD_INSERT_COPY: return Insert_Copy(tree, selected);
        case TREE_CMD_INSERT_FOLDER: return Insert_After(tree, selected, TEXT_NEW_FOLDER, TREE_FOLDER, 0);
        case TREE_CMD_EDIT: return Edit_Type(tree, selected);
        case TREE_CMD_DELETE: return Delete_To_Bin(tree, selected);
        default: return TREE_ROOT;
    }
}

bool Data_Tree_Can_Rename(const CDataTree& tree, TreeItem entry) {
    if (!tree.Valid(entry) || Is_Bin(tree, entry)) return false;
    return !(tree.Kind() == OBJ_ITEM && Is_Object(tree, entry) && tree.Parameter(entry) == ITEM_TYPE_DEAD_BODY);
}

void Data_Tree_Rename(CDataTree& tree, TreeItem entry, const std::string& text) {
    if (text.empty() || !Data_Tree_Can_Rename(tree, entry)) return;
    tree.Set_Label(entry, text);
    // A folder names no record.
    if (Is_Object(tree, entry)) Set_Record_Name(tree.Kind(), tree.Parameter(entry), text);
}

bool Data_Tree_Can_Drag(const CDataTree& tree, TreeItem entry) { return tree.Valid(entry) && !Is_Bin(tree, entry); }

DropResult Data_Tree_Drop(CDataTree& tree, TreeItem dragged, TreeItem target) {
    if (!Data_Tree_Can_Drag(tree, dragged) || !tree.Valid(target)) return DropResult::Nothing;
    const bool into = !Is_Object(tree, target);
    const TreeItem parent = into ? target : tree.Parent(target);
    if (tree.In_Subtree(parent, dragged)) return DropResult::Refused;
    return tree.Move_Tree_Item(dragged, parent, into ? TREE_LAST : target) ? DropResult::Moved : DropResult::Refused;
}
