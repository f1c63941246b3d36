// The type editors on the wx backend, driven from inside by a script of
// steps (see DriverSteps.h): the long sword's type from the item tree (a
// price out of range refused and nothing written, then a new price); a
// placed door through the field tree (its hit points and the lock of its
// "Door prg."), then again with the page's spin and Esc, which cancels; the
// door's type through the fixitem tree, the type it turns into picked with
// "Set" (a folder is none); Save Data and Load Data keep it all.
//   wx_type_editor_driver FOLDER ARTGEN_FOLDER SHOTS_FOLDER
#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#undef TRUE
#undef FALSE

#include <cstring>

#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/TypeTables.h"
#include "System/ScreenType.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/FieldObjectList.h"
#include "editor/FixitemTypeEdit.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/EditorDialogs.h"
#include "editor/wx/FieldFaultBox.h"
#include "frontend/Hooks.h"
#include "tests/gui/editor/DriverSteps.h"

namespace {

using namespace driver;

// The first door placed on the shown level, well in view: a fixitem whose
// map slot holds the database type "Door".
std::uint16_t Find_Door() {
    for (std::uint32_t m = total_fields; m < maparray.Capacity(); ++m) {
        const auto record = static_cast<std::uint16_t>(m);
        if (Map_Record_Is_Free(record)) continue;
        const std::int16_t type = fixitem_types[maparray.records[m].type].db_index;
        if (type < 0 || static_cast<std::size_t>(type) >= fixitem_data_ext.size() ||
            std::strcmp(fixitem_data_ext[static_cast<std::size_t>(type)].name, "Door") != 0)
            continue;
        const std::uint16_t field = Object_Field(Make_Obj(OBJ_FIXITEM, record));
        if (field < total_fields && Field_Level(field) == shown_level && Well_In_View(field)) return record;
    }
    return NO_INDEX;
}

// ---- Finding things ----

wxTreeItemId Find_Label(wxTreeCtrl* tree, const wxTreeItemId& under, const wxString& label) {
    wxTreeItemIdValue cookie;
    for (wxTreeItemId c = tree->GetFirstChild(under, cookie); c.IsOk(); c = tree->GetNextChild(under, cookie)) {
        if (tree->GetItemText(c) == label) return c;
        if (const wxTreeItemId inside = Find_Label(tree, c, label); inside.IsOk()) return inside;
    }
    return {};
}

// The entry of that label in the tree, made visible, clicked.
void Click_Tree_Entry(wxTreeCtrl* tree, const char* label, int button = wxMOUSE_BTN_LEFT) {
    const wxTreeItemId item = tree != nullptr ? Find_Label(tree, tree->GetRootItem(), label) : wxTreeItemId();
    if (!item.IsOk()) {
        Fail(std::string("no entry \"") + label + "\" in the tree");
        return;
    }
    tree->EnsureVisible(item);
    tree->Update();
    wxYield();
    wxRect box;
    if (!tree->GetBoundingRect(item, box, true)) {
        Fail(std::string("the entry \"") + label + "\" is not shown");
        return;
    }
    Click_At(tree->ClientToScreen(box.GetPosition() + wxPoint(box.width / 2, box.height / 2)), button);
}

wxTreeCtrl* Data_Tree(int id) { return dynamic_cast<wxTreeCtrl*>(Control(IDD_DATA_TREE, id)); }

// A modal dialog found by its id.
wxDialog* Open_Dialog(int id) {
    auto* d = dynamic_cast<wxDialog*>(wxWindow::FindWindowById(id));
    return d != nullptr && d->IsModal() ? d : nullptr;
}

wxTextCtrl* Edit(int dialog, int id) { return dynamic_cast<wxTextCtrl*>(Control(dialog, id)); }

// What the designer types into an edit: it is clicked, emptied and typed into.
void Type_Into(int dialog, int id, const char* text) {
    wxTextCtrl* edit = Edit(dialog, id);
    if (edit == nullptr) {
        Fail("no edit " + std::to_string(id) + " in dialog " + std::to_string(dialog));
        return;
    }
    Click_Control(dialog, id);
    wxYield();
    Input().Char('a', wxMOD_CONTROL);
    Input().Text(text);
}

std::string Text_In(int dialog, int id) {
    wxTextCtrl* edit = Edit(dialog, id);
    return edit != nullptr ? edit->GetValue().ToStdString() : std::string("(no edit)");
}

wxDialog* Fault_Box() { return Modal_Dialog(FIELD_FAULT_CAPTION); }

std::uint16_t Item_Type_Named(const char* name) {
    for (std::size_t t = 0; t < item_types.size(); ++t)
        if (std::strncmp(item_types[t].name, name, sizeof item_types[t].name) == 0)
            return static_cast<std::uint16_t>(t);
    return NO_INDEX;
}
std::uint16_t Fixitem_Type_Named(const char* name) {
    for (std::size_t t = 0; t < fixitem_data_ext.size(); ++t)
        if (std::strncmp(fixitem_data_ext[t].name, name, sizeof fixitem_data_ext[t].name) == 0)
            return static_cast<std::uint16_t>(t);
    return NO_INDEX;
}

// The first Door program of a placed object's chain, or none.
const modifier* Door_Program(obj_ref obj) {
    const modifier* found = nullptr;
    For_Each_In_Chain(Get_Mod_Index(obj), [&](std::uint16_t m) {
        if (found == nullptr && mod_array.records[m].type == MK_DOOR) found = &mod_array.records[m];
    });
    return found;
}

// What the steps learn on the way.
std::uint16_t long_sword = NO_INDEX;
item_type long_sword_before{};
std::uint16_t door = NO_INDEX;
std::uint16_t door_type = NO_INDEX;
std::uint16_t palisade = NO_INDEX;
constexpr const char* NEW_PRICE = "150";
constexpr std::int8_t NEW_DOOR_HP = 3;

// "Set" in the open fixitem editor: the selection opens, the entry of that
// label is picked, OK shows shown as the amortized type's name.
void Add_Set_Steps(std::vector<step>& s, const std::string& what, const char* label, const char* shown) {
    s.push_back({"set-for-" + what, [] { Click_Control(IDD_EDIT_FIXITEM, IDC_FIX_SET); },
                 [] { return Open_Dialog(IDD_SELECT_FIXITEM) != nullptr; }, nullptr});
    s.push_back(
        {"pick-" + what,
         [label] { Click_Tree_Entry(dynamic_cast<wxTreeCtrl*>(Control(IDD_SELECT_FIXITEM, IDC_SELECT_TREE)), label); },
         [label] {
             auto* tree = dynamic_cast<wxTreeCtrl*>(Control(IDD_SELECT_FIXITEM, IDC_SELECT_TREE));
             return tree != nullptr && tree->GetSelection().IsOk() && tree->GetItemText(tree->GetSelection()) == label;
         },
         nullptr});
    s.push_back({what + "-taken", [] { Click_Control(IDD_SELECT_FIXITEM, IDC_DIALOG_OK); },
                 [shown] {
                     const wxWindow* text = Control(IDD_EDIT_FIXITEM, IDC_FIX_AMORTIZED);
                     return Open_Dialog(IDD_SELECT_FIXITEM) == nullptr && text != nullptr && text->GetLabel() == shown;
                 },
                 [] {
                     if (editor_selection != editor_selection_ref{OBJ_FIXITEM, door_type})
                         Fail("the selection is not the edited type's again");
                 }});
}

std::vector<step> Script() {
    std::vector<step> s;
    s.push_back({"hexamap", nullptr, [] { return ScreenType == SCREEN_HEXAMAP; }, nullptr});
    s.push_back({"editor-opens", [] { Press('E'); },
                 [] { return ScreenType == SCREEN_EDITOR && Status_Text() == "Database loaded"; }, nullptr});

    // ---- The long sword's type from the item tree ----
    s.push_back({"select-the-long-sword",
                 [] {
                     long_sword = Item_Type_Named("Long sword");
                     if (long_sword == NO_INDEX) Fail("no long sword type");
                     Click_Tree_Entry(Data_Tree(IDC_ITEM_TREE), "Long sword");
                 },
                 [] {
                     return selection_on_map == 0 && editor_selection == editor_selection_ref{OBJ_ITEM, long_sword};
                 },
                 nullptr});
    s.push_back({"edit-the-long-sword-type", [] { Click_Control(IDD_DATA_TREE, IDC_EDIT); },
                 [] { return Open_Dialog(IDD_EDIT_ITEM) != nullptr; },
                 [] {
                     long_sword_before = item_types[long_sword];
                     if (Text_In(IDD_EDIT_ITEM, IDC_ITEM_NAME) != "Long sword") Fail("the name is not the type's");
                     if (Text_In(IDD_EDIT_ITEM, IDC_ITEM_PRICE) != std::to_string(long_sword_before.price))
                         Fail("the price is not the type's");
                     if (Control(IDD_EDIT_ITEM, IDC_ITEM_MAX_DISTANCE)->IsShown()) Fail("a sword shows a max distance");
                 }});
    s.push_back({"price-out-of-range",
                 [] {
                     Type_Into(IDD_EDIT_ITEM, IDC_ITEM_PRICE, "4000001");
                     Type_Into(IDD_EDIT_ITEM, IDC_ITEM_WEIGHT, "77");
                     Click_Control(IDD_EDIT_ITEM, IDC_DIALOG_OK);
                 },
                 [] { return Fault_Box() != nullptr; },
                 [] {
                     const wxWindowList& children = Fault_Box()->GetChildren();
                     bool said = false;
                     for (const wxWindow* w : children)
                         said = said || w->GetLabel() == "Please enter an integer between 0 and 4000000.";
                     if (!said) Fail("the box does not give the price's range");
                 }});
    s.push_back({"range-box-closed",
                 [] {
                     if (wxDialog* box = Fault_Box())
                         if (wxWindow* ok = wxWindow::FindWindowById(wxID_OK, box))
                             Click_At(ok->GetScreenRect().GetPosition() + wxPoint(8, 8));
                 },
                 [] { return Fault_Box() == nullptr; },
                 [] {
                     if (Open_Dialog(IDD_EDIT_ITEM) == nullptr) Fail("the refused OK closed the item editor");
                     if (std::memcmp(&item_types[long_sword], &long_sword_before, sizeof(item_type)) != 0)
                         Fail("the refused OK changed the type");
                 }});
    s.push_back({"new-price-ok",
                 [] {
                     Type_Into(IDD_EDIT_ITEM, IDC_ITEM_PRICE, NEW_PRICE);
                     Click_Control(IDD_EDIT_ITEM, IDC_DIALOG_OK);
                 },
                 [] { return Open_Dialog(IDD_EDIT_ITEM) == nullptr; },
                 [] {
                     if (item_types[long_sword].price != 150) Fail("the new price is not in the type");
                     if (item_types[long_sword].weight != 77) Fail("the new weight is not in the type");
                 }});

    // ---- A placed door through the field tree ----
    s.push_back({"list-the-door",
                 [] {
                     door = Find_Door();
                     if (door == NO_INDEX) {
                         Fail("no door in view");
                         return;
                     }
                     Click_Field(Object_Field(Make_Obj(OBJ_FIXITEM, door)), wxMOUSE_BTN_RIGHT);
                 },
                 [] {
                     for (const field_object_entry& e : field_objects.entries)
                         if (e.image == OBJ_FIXITEM && e.parameter == door) return true;
                     return false;
                 },
                 nullptr});
    s.push_back({"door-menu",
                 [] {
                     if (!Click_Field_Entry(OBJ_FIXITEM, door, "door", wxMOUSE_BTN_RIGHT)) return;
                 },
                 [] {
                     return editor_selection == editor_selection_ref{OBJ_FIXITEM, door};
                 },
                 nullptr});
    // The menu's first entry is "Edit this fixitem and its type".
    s.push_back({"edit-the-door",
                 [] {
                     Press(WXK_DOWN);
                     wxYield();
                     Press(WXK_RETURN);
                 },
                 [] { return Open_Dialog(IDD_EDIT_FIXITEM) != nullptr; },
                 [] {
                     door_type = static_cast<std::uint16_t>(fixitem_types[maparray.records[door].type].db_index);
                     if (Text_In(IDD_EDIT_FIXITEM, IDC_FIX_HP) != std::to_string(maparray.records[door].hp))
                         Fail("the door's hit points are not shown");
                     auto* kinds = dynamic_cast<wxChoice*>(Control(IDD_EDIT_FIXITEM, IDC_MOD_KIND));
                     if (kinds == nullptr || kinds->GetStringSelection() != "Door prg.")
                         Fail("the page does not show the door's program in slot 0");
                 }});
    s.push_back({"door-hp-and-lock",
                 [] {
                     Type_Into(IDD_EDIT_FIXITEM, IDC_FIX_HP, "3");
                     Type_Into(IDD_EDIT_FIXITEM, IDC_MOD_PARAM1, "1");
                 },
                 [] { return Text_In(IDD_EDIT_FIXITEM, IDC_MOD_PARAM1) == "1"; }, nullptr});
    s.push_back({"door-ok", [] { Click_Control(IDD_EDIT_FIXITEM, IDC_DIALOG_OK); },
                 [] { return Open_Dialog(IDD_EDIT_FIXITEM) == nullptr; },
                 [] {
                     if (maparray.records[door].hp != NEW_DOOR_HP) Fail("the door's hit points are not written");
                     const modifier* program = Door_Program(Make_Obj(OBJ_FIXITEM, door));
                     if (program == nullptr || program->p1 != 1) Fail("the door's program is not locked");
                     if (editor_selection != editor_selection_ref{OBJ_FIXITEM, door} || selection_on_map != 1)
                         Fail("the door is not the selection after its editor");
                     Map_Checks_Pass("after the door's editor");
                 }});

    // ---- Esc in the page is Cancel ----
    s.push_back({"edit-the-door-again",
                 [] {
                     if (!Click_Field_Entry(OBJ_FIXITEM, door, "door", wxMOUSE_BTN_RIGHT)) return;
                     wxTheApp->CallAfter([] {
                         Press(WXK_DOWN);
                         wxYield();
                         Press(WXK_RETURN);
                     });
                 },
                 [] { return Open_Dialog(IDD_EDIT_FIXITEM) != nullptr; }, nullptr});
    s.push_back({"page-spin-to-slot-1",
                 [] {
                     // The spin's "+" half (GTK lays its buttons side by side).
                     wxWindow* spin = Control(IDD_EDIT_FIXITEM, IDC_MOD_SLOT_SPIN);
                     if (spin == nullptr) return;
                     const wxRect r = spin->GetScreenRect();
                     Click_At(wxPoint(r.x + r.width * 3 / 4, r.y + r.height / 2));
                 },
                 [] { return Text_In(IDD_EDIT_FIXITEM, IDC_MOD_SLOT) == "1"; },
                 [] {
                     auto* kinds = dynamic_cast<wxChoice*>(Control(IDD_EDIT_FIXITEM, IDC_MOD_KIND));
                     if (kinds == nullptr || kinds->GetStringSelection() != " - Dumb modifier -")
                         Fail("slot 1 of the door is not empty");
                     if (Control(IDD_EDIT_FIXITEM, IDC_MOD_PARAM1)->IsShown()) Fail("an empty slot shows a parameter");
                 }});
    s.push_back({"page-back-to-slot-0-and-typed",
                 [] {
                     wxWindow* spin = Control(IDD_EDIT_FIXITEM, IDC_MOD_SLOT_SPIN);
                     if (spin == nullptr) return;
                     const wxRect r = spin->GetScreenRect();
                     Click_At(wxPoint(r.x + r.width / 4, r.y + r.height / 2));
                     wxYield();
                     Type_Into(IDD_EDIT_FIXITEM, IDC_MOD_PARAM1, "0");
                 },
                 [] {
                     return Text_In(IDD_EDIT_FIXITEM, IDC_MOD_SLOT) == "0" &&
                            Text_In(IDD_EDIT_FIXITEM, IDC_MOD_PARAM1) == "0";
                 },
                 nullptr});
    s.push_back({"esc-in-the-page-cancels", [] { Press(WXK_ESCAPE); },
                 [] { return Open_Dialog(IDD_EDIT_FIXITEM) == nullptr; },
                 [] {
                     const modifier* program = Door_Program(Make_Obj(OBJ_FIXITEM, door));
                     if (program == nullptr || program->p1 != 1) Fail("Esc wrote the page");
                 }});

    // ---- The door's type from the fixitem tree: "Set" ----
    s.push_back(
        {"fixitem-tab",
         [] {
             // The tab of the fixitem tree, clicked where the notebook shows it.
             auto* tabs = dynamic_cast<wxWindow*>(Control(IDD_DATA_TREE, IDC_TABS));
             if (tabs == nullptr) {
                 Fail("no tabs");
                 return;
             }
             const wxRect r = tabs->GetScreenRect();
             Click_At(wxPoint(r.x + r.width / 2, r.y + 10));
         },
         [] { return Data_Tree(IDC_FIXITEM_TREE) != nullptr && Data_Tree(IDC_FIXITEM_TREE)->IsShownOnScreen(); },
         nullptr});
    s.push_back({"select-the-door-type", [] { Click_Tree_Entry(Data_Tree(IDC_FIXITEM_TREE), "Door"); },
                 [] {
                     return selection_on_map == 0 && editor_selection == editor_selection_ref{OBJ_FIXITEM, door_type};
                 },
                 nullptr});
    s.push_back({"edit-the-door-type", [] { Click_Control(IDD_DATA_TREE, IDC_EDIT); },
                 [] { return Open_Dialog(IDD_EDIT_FIXITEM) != nullptr; },
                 [] {
                     if (Edit(IDD_EDIT_FIXITEM, IDC_FIX_FRAME)->IsEditable()) Fail("a type's frame can be edited");
                 }});
    // The palisade, then a folder (none: "default"), then the palisade again.
    Add_Set_Steps(s, "palisade", "Palisade", "Palisade");
    Add_Set_Steps(s, "a-folder", "Things", "default");
    Add_Set_Steps(s, "palisade-again", "Palisade", "Palisade");
    s.push_back({"door-type-ok",
                 [] {
                     palisade = Fixitem_Type_Named("Palisade");
                     Click_Control(IDD_EDIT_FIXITEM, IDC_DIALOG_OK);
                 },
                 [] { return Open_Dialog(IDD_EDIT_FIXITEM) == nullptr; },
                 [] {
                     if (fixitem_data[door_type].amortized != palisade) Fail("the amortized type is not written");
                 }});

    // ---- Save Data, Load Data ----
    s.push_back({"save-data", [] { Click_Control(IDD_EDITOR, IDC_SAVE_DATA); },
                 [] { return Status_Text() == "Database saved"; }, nullptr});
    s.push_back({"load-data", [] { Click_Control(IDD_EDITOR, IDC_LOAD_DATA); },
                 [] { return Status_Text() == "Database loaded"; },
                 [] {
                     if (item_types[long_sword].price != 150) Fail("the price is lost by Save Data, Load Data");
                     if (fixitem_data[door_type].amortized != palisade)
                         Fail("the amortized type is lost by Save Data, Load Data");
                     const modifier* program = Door_Program(Make_Obj(OBJ_FIXITEM, door));
                     if (maparray.records[door].hp != NEW_DOOR_HP || program == nullptr || program->p1 != 1)
                         Fail("the placed door changed with Load Data");
                 }});
    s.push_back({"ok-closes-the-editor", [] { Click_Control(IDD_EDITOR, IDC_OK); },
                 [] { return ScreenType == SCREEN_HEXAMAP && editor_open == 0; }, nullptr});
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    driver::shot_prefix = "types-";
    return driver::Run_Driver(argc, argv, &Script);
}
