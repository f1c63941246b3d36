#include "editor/FieldObjectList.h"

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/TypeTables.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "editor/PlacedObject.h"
#include "editor/Preview.h"
#include "frontend/GameLoop.h"

field_object_list field_objects;

const char* const field_command_texts[4] = {"Delete this object", "Edit this item and its type",
                                            "Edit this fixitem and its type", "Edit this character"};

void Reset_Field_Object_List() { field_objects = {}; }

namespace {

void Add_Entry(obj_ref obj) {
    field_objects.entries.push_back({Placed_Object_Name(obj), Obj_Kind(obj), Obj_Index(obj)});
}

// The field's head, then its objects in list order, map animations left out.
void List_Field(std::uint16_t field) {
    obj_ref at = Field_Head(field);
    Add_Entry(at);
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        Next_Object_No_Anim(at);
        if (Obj_Kind(at) == OBJ_NONE) return;
        Add_Entry(at);
    }
}

void Delete_Selected(const field_object_entry& e) {
    const obj_ref obj = Make_Obj(static_cast<std::uint16_t>(e.image), static_cast<std::uint16_t>(e.parameter));
    const std::uint16_t field = Placed_Object_Field(obj);
    if (field == NO_FIELD) return;
    if (Is_Field_Head(obj)) {
        Clear_Field_Head(field);
    } else {
        if (Obj_Kind(obj) == OBJ_CHAR) Forget_Char(Obj_Index(obj));
        Destroy_Object(obj);
    }
    Editor_List_Field_Objects(field, OBJ_FIXITEM);
}

void Edit_Selected(int command, const field_object_entry& e) {
    const EditorDialogs& dialogs = Editor_Dialogs();
    const auto i = static_cast<std::uint16_t>(e.parameter);
    const obj_ref obj = Make_Obj(static_cast<std::uint16_t>(e.image), i);
    if (!Placed_Object_Valid(obj)) return;
    switch (command) {
        case FIELD_CMD_EDIT_ITEM: {
            // The map may name an item type the database lacks.
            const std::uint16_t type = itemarray.records[i].type;
            if (dialogs.edit_item != nullptr && e.image == OBJ_ITEM && type < item_types.size())
                dialogs.edit_item(type, i);
            break;
        }
        case FIELD_CMD_EDIT_FIXITEM: {
            const std::int32_t type = Slot_Database_Type(Fixitem_Slot_Of(i));
            if (dialogs.edit_fixitem != nullptr && e.image == OBJ_FIXITEM && type >= 0)
                dialogs.edit_fixitem(static_cast<std::uint16_t>(type), i);
            break;
        }
        case FIELD_CMD_EDIT_CHAR:
            if (dialogs.edit_character != nullptr && e.image == OBJ_CHAR) dialogs.edit_character(i);
            break;
        default: break;
    }
}

}  // namespace

void Editor_List_Field_Objects(std::int32_t index, std::uint16_t kind) {
    field_objects.entries.clear();
    field_objects.selected = -1;
    const obj_ref obj = Make_Obj(kind, static_cast<std::uint16_t>(index));
    const std::uint16_t field = index < 0 ? NO_FIELD : Placed_Object_Field(obj);
    if (field == NO_FIELD) {
        field_objects.label.clear();
        Set_Editor_Selection(OBJ_NONE, NO_INDEX, selection_on_map != 0);
        Editor_Show_Selection_Preview();
        Editor_View().Show_Field_Objects(field_objects);
        return;
    }
    field_objects.label = std::to_string(index);
    List_Field(field);
    for (std::size_t e = 0; e < field_objects.entries.size(); ++e)
        if (field_objects.entries[e].image == kind && field_objects.entries[e].parameter == Obj_Index(obj))
            Field_Tree_Select(static_cast<int>(e));
    Editor_View().Show_Field_Objects(field_objects);
}

void Field_Tree_Select(int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= field_objects.entries.size()) return;
    field_objects.selected = entry;
    const field_object_entry& e = field_objects.entries[static_cast<std::size_t>(entry)];
    Set_Editor_Selection(static_cast<std::uint16_t>(e.image), static_cast<std::uint16_t>(e.parameter), true);
    Editor_Show_Selection_Preview();
}

std::vector<int> Field_Tree_Menu(int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= field_objects.entries.size()) return {};
    const EditorDialogs& dialogs = Editor_Dialogs();
    std::vector<int> menu;
    switch (field_objects.entries[static_cast<std::size_t>(entry)].image) {
        case OBJ_CHAR:
            if (dialogs.edit_character != nullptr) menu.push_back(FIELD_CMD_EDIT_CHAR);
            break;
        case OBJ_ITEM:
            if (dialogs.edit_item != nullptr) menu.push_back(FIELD_CMD_EDIT_ITEM);
            break;
        case OBJ_FIXITEM:
            if (dialogs.edit_fixitem != nullptr) menu.push_back(FIELD_CMD_EDIT_FIXITEM);
            break;
        default: break;
    }
    menu.push_back(FIELD_CMD_DELETE);
    return menu;
}

void Field_Tree_Command(int command) {
    const int s = field_objects.selected;
    if (s < 0 || static_cast<std::size_t>(s) >= field_objects.entries.size()) return;
    const field_object_entry e = field_objects.entries[static_cast<std::size_t>(s)];
    redraw_request = 1;
    if (command == FIELD_CMD_DELETE)
        Delete_Selected(e);
    else
        Edit_Selected(command, e);
}
