// The field object list: the objects standing on one map field (its head
// first, then its list in order, map animations left out), as the field
// object tree of the data-tree dialog shows them. Selecting an entry makes
// that placed object the editor's selection; the tree's menu and the Delete
// key delete it or open its type editor.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct field_object_entry {
    std::string label;        // the character's name, the item type's or the fixitem type's name
    std::int32_t image;       // the kind: 2 character, 3 item, 5 fixitem or field head
    std::uint32_t parameter;  // the index in its array (the field head: the field)
    bool operator==(const field_object_entry&) const = default;
};

struct field_object_list {
    std::vector<field_object_entry> entries;
    int selected = -1;  // the selected entry, -1 none
    // Beside "Objects on field": the index given to the last listing.
    std::string label;
};
extern field_object_list field_objects;
// No entries, nothing selected, no label.
void Reset_Field_Object_List();

// Lists the objects of the field that holds the object {kind, index},
// selects that object's entry (which makes it the selection) and shows the
// index beside "Objects on field". Index -1 empties the list and clears the
// selection.
void Editor_List_Field_Objects(std::int32_t index, std::uint16_t kind);
// The designer (or a listing) selected entry i of the list: the placed
// object becomes the selection and the preview shows it. Nothing for an
// index outside the list.
void Field_Tree_Select(int entry);

// The tree's menu entries, by command id; the texts are the menu's.
constexpr int FIELD_CMD_DELETE = 0;
constexpr int FIELD_CMD_EDIT_ITEM = 1;
constexpr int FIELD_CMD_EDIT_FIXITEM = 2;
constexpr int FIELD_CMD_EDIT_CHAR = 3;
extern const char* const field_command_texts[4];
// The commands the menu offers for entry i: its edit entry (when its
// editor exists) and then delete; none for no entry.
std::vector<int> Field_Tree_Menu(int entry);
// Carries out a menu command (or the Delete key, command 0) on the
// selected entry; nothing when no entry is selected.
void Field_Tree_Command(int command);
